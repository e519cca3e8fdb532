# End-to-end scenarios: e2e.exe drives the built setup.exe under Wine. Every
# DEFINE_SCENARIO(name) line of a scenarios_*.cpp file is a scenario; a
# scenario that cannot run on this machine exits 77, which counts as
# skipped. The scenarios share the desktop and Wine's per-program settings,
# so they run one at a time, and the spooler and profile with the unit tests
# that hold the "spooler" lock.
file(GLOB E2E_SCENARIO_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/scenarios_*.cpp)
# A new scenario in an existing file must reach CTest too.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E2E_SCENARIO_SOURCES})

add_executable(e2e ${SCENARIO_MAIN} ${E2E_SCENARIO_SOURCES})
target_link_libraries(e2e PRIVATE automation)
# roads_copy_damaged takes a cut-short compressed file of the copy tests.
add_dependencies(e2e setup kvcopy_fixtures)

# The scenarios that run otherwise than plainly as e2e_<scenario>, a row each:
#   test | scenario | locale | DPI | colour scheme | prefix | setup program
# locale: under that locale's UTF-8 variant (run-in-locale.sh), whose settings
# no later Wine process keeps. Prefix "display": the prefix for other displays,
# set to the DPI and scheme before the run (run-on-display.sh; the scenario
# reads KEST_DPI and KEST_SCHEME). Prefix "64bit": the 32-bit setup.exe in a
# 64-bit prefix (run-in-64bit-prefix.sh), shipped build only, skipped where no
# 32-bit code runs. Setup program: the target started instead of setup.
set(E2E_COLUMNS test scenario locale dpi scheme prefix setup)
set(E2E_RUNS
  "e2e_install_ja_JP|install_ja_JP|ja_JP||||"
  "e2e_install_de_DE|install_de_DE|de_DE||||"
  "e2e_install_at_120dpi_luna|install_on_display||120|luna|display|"
  "e2e_install_at_144dpi_win7|install_on_display||144|win7|display|"
  "e2e_install_at_192dpi_win2000|install_on_display||192|win2000|display|"
  "e2e_install_win7_64bit|install_win7_64bit||||64bit|"
  "e2e_hardening_planted_dlls_unhardened|hardening_planted_dlls_unhardened|||||setup_unhardened")
# Every other scenario runs plainly.
foreach(source ${E2E_SCENARIO_SOURCES})
  file(STRINGS ${source} scenario_lines REGEX "^DEFINE_SCENARIO\\([A-Za-z0-9_]+\\)")
  foreach(line ${scenario_lines})
    string(REGEX REPLACE "^DEFINE_SCENARIO\\(([A-Za-z0-9_]+)\\).*" "\\1" scenario "${line}")
    string(FIND "${E2E_RUNS}" "|${scenario}|" tabled)
    if(tabled EQUAL -1)
      list(APPEND E2E_RUNS "e2e_${scenario}|${scenario}|||||")
    endif()
  endforeach()
endforeach()

set(E2E_SHOTS_DIR ${CMAKE_BINARY_DIR}/e2e-shots)
foreach(run IN LISTS E2E_RUNS)
  string(REPLACE "|" ";" fields "${run}")
  foreach(column value IN ZIP_LISTS E2E_COLUMNS fields)
    set(${column} "${value}")
  endforeach()
  if(NOT setup)
    set(setup setup)
  endif()
  set(locks "e2e;spooler;desktop")
  set(timeout 45)
  set(labels e2e)
  if(prefix STREQUAL "display")
    set(command ${CMAKE_CURRENT_LIST_DIR}/run-on-display.sh ${CMAKE_BINARY_DIR} ${dpi} ${scheme} $<TARGET_FILE:e2e>)
    set(locks "e2e;desktop")
    set(timeout 180)
  elseif(prefix STREQUAL "64bit")
    if(NOT SHIPPED_BUILD)
      continue()
    endif()
    set(command ${CMAKE_CURRENT_LIST_DIR}/run-in-64bit-prefix.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:e2e>)
    set(timeout 240)
    set(labels "e2e;pe32")
  elseif(locale)
    set(command bash ${CMAKE_CURRENT_LIST_DIR}/run-in-locale.sh ${locale}.UTF-8 ${CMAKE_BINARY_DIR} $<TARGET_FILE:e2e>)
  else()
    set(command e2e)
  endif()
  add_test(NAME ${test} COMMAND ${command} ${scenario} --setup=$<TARGET_FILE:${setup}>
           --sample=${CMAKE_SOURCE_DIR}/sample --failure-shots=${E2E_SHOTS_DIR})
  set_tests_properties(${test} PROPERTIES RESOURCE_LOCK "${locks}" TIMEOUT ${timeout} LABELS "${labels}"
                       SKIP_RETURN_CODE 77)
endforeach()

# run.sh's headless installation, walk.exe, with the summary it writes.
add_test(NAME walk_whole_installation
  COMMAND walk whole_installation --setup=$<TARGET_FILE:setup> --sample=${CMAKE_SOURCE_DIR}/sample
          --failure-shots=${E2E_SHOTS_DIR})
set_tests_properties(walk_whole_installation PROPERTIES RESOURCE_LOCK "e2e;spooler;desktop" TIMEOUT 45 LABELS e2e)

# DLLs planted beside setup.exe by the hardening_planted_dlls scenarios, built
# with this tree's own compiler (64-bit ones for the twin) into planted/
# beside e2e.exe: the spooler and LZ libraries, each exporting what the
# program once imported from it at load time, and the libraries of
# StartSafely's preload table that Wine loads into the wizard by a bare name.
set(PLANTED_DLLS
  "WINSPOOL.DRV|OpenPrinterA ClosePrinter DeletePrinter DeletePrinterDriverA EnumPrinterDriversA EnumPortsA GetPrinterDriverDirectoryA AddPrinterDriverA AddPrinterA GetPrinterA"
  "LZ32.DLL|LZOpenFileA LZInit LZRead LZClose LZStart LZDone"
  "uxtheme.dll|" "compstui.dll|" "comctl32.dll|" "msimg32.dll|")
foreach(entry IN LISTS PLANTED_DLLS)
  string(REGEX REPLACE "\\|.*" "" file "${entry}")
  string(REGEX REPLACE "^[^|]*\\|" "" exports "${entry}")
  string(REGEX REPLACE "[^A-Za-z0-9]" "_" target "planted_${file}")
  separate_arguments(exports)
  set(def_text "EXPORTS\n")
  foreach(name IN LISTS exports)
    string(APPEND def_text "  ${name}=PlantedFunction\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}.def CONTENT "${def_text}")
  add_library(${target} SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.cpp ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
  string(REGEX MATCH "\\.[^.]+$" suffix "${file}")
  string(REGEX REPLACE "\\.[^.]+$" "" stem "${file}")
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${stem} SUFFIX ${suffix}
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/planted)
  add_dependencies(e2e ${target})
endforeach()

# setup.exe with the look-up of the search-limiting calls answering NULL, as
# on Windows 2000: the same scenario proves that the preloads and the binding
# by full path alone keep the planted DLLs out. A test build, never shipped.
add_executable(setup_unhardened WIN32 ${CMAKE_SOURCE_DIR}/shell/winmain.cpp
               ${CMAKE_CURRENT_LIST_DIR}/hide_search_hardening.cpp $<TARGET_OBJECTS:setupresources>)
target_link_libraries(setup_unhardened PRIVATE setupcore)
