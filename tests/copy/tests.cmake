# The copy tests' sources (make-fixtures.sh), the copy cases that need a shell
# (prepared-copy.sh), and time limits of about three times the usual run.
set(KVCOPY_FIXTURES ${CMAKE_CURRENT_BINARY_DIR}/kvcopy_fixtures)
set(KVCOPY_FIXTURE_FILES plain.bin packed.bin short.bin cut.bin)
list(TRANSFORM KVCOPY_FIXTURE_FILES PREPEND ${KVCOPY_FIXTURES}/)
add_custom_command(
  OUTPUT ${KVCOPY_FIXTURE_FILES}
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/make-fixtures.sh ${KVCOPY_FIXTURES}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/make-fixtures.sh
  COMMENT "Making the copy tests' plain, compressed and cut-short sources")
add_custom_target(kvcopy_fixtures ALL DEPENDS ${KVCOPY_FIXTURE_FILES})
add_dependencies(test_copy kvcopy_fixtures)

add_test(NAME copy_prepared
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/prepared-copy.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:test_copy>)
set_tests_properties(copy_prepared PROPERTIES LABELS unit RESOURCE_LOCK desktop)
set_tests_properties(test_copy PROPERTIES TIMEOUT 45)
set_tests_properties(copy_prepared test_logic test_icon_list PROPERTIES TIMEOUT 15)
