# pkgcheck.exe under Wine on the sample package and on broken copies of it:
# each line of tests/pkgcheck/cases.txt becomes the CTest test pkgcheck_<case>.
if(NOT TARGET pkgcheck)
  return()
endif()
set(PKGCHECK_CASES_FILE ${CMAKE_CURRENT_LIST_DIR}/cases.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PKGCHECK_CASES_FILE})
file(STRINGS ${PKGCHECK_CASES_FILE} pkgcheck_cases REGEX "^[a-z0-9_]+\\|")
foreach(line ${pkgcheck_cases})
  string(REGEX REPLACE "^([a-z0-9_]+)\\|.*" "\\1" case_name "${line}")
  add_test(NAME pkgcheck_${case_name}
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/check-package.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:pkgcheck>
            ${CMAKE_SOURCE_DIR}/sample ${case_name})
  set_tests_properties(pkgcheck_${case_name} PROPERTIES TIMEOUT 30 LABELS pkgcheck)
endforeach()

# pkgcheck.exe is shipped to vendors beside setup.exe: it must load on
# Windows 2000 too.
if(NOT SHIPPED_BUILD)
  return()
endif()
add_test(NAME import_check_pkgcheck
  COMMAND ${CMAKE_SOURCE_DIR}/tools/check_imports.sh $<TARGET_FILE:pkgcheck>)
set_tests_properties(import_check_pkgcheck PROPERTIES LABELS imports
  ENVIRONMENT OBJDUMP=${MINGW_OBJDUMP} TIMEOUT 20)
