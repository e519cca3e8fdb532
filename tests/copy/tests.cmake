# The copy tests' source files, made at build time (make-fixtures.sh), and
# the copy cases that need directories only a shell can prepare.
set(KVCOPY_FIXTURES ${CMAKE_CURRENT_BINARY_DIR}/kvcopy_fixtures)
add_custom_command(
  OUTPUT ${KVCOPY_FIXTURES}/plain.bin ${KVCOPY_FIXTURES}/packed.bin
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-fixtures.sh ${KVCOPY_FIXTURES}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-fixtures.sh
  COMMENT "Making the copy tests' plain and compressed sources")
add_custom_target(kvcopy_fixtures ALL DEPENDS ${KVCOPY_FIXTURES}/plain.bin ${KVCOPY_FIXTURES}/packed.bin)
foreach(target test_copy_file test_copy_dialog)
  if(TARGET ${target})
    add_dependencies(${target} kvcopy_fixtures)
  endif()
endforeach()

add_test(NAME copy_prepared
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/prepared-copy.sh ${CMAKE_BINARY_DIR}
          $<TARGET_FILE:test_copy_file>)
set_tests_properties(copy_prepared PROPERTIES TIMEOUT 300 LABELS unit RESOURCE_LOCK desktop)
