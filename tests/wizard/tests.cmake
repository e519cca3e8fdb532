# The wizard's end-to-end scenarios (tests/e2e/scenarios_wizard.cpp) read
# the spooler's records themselves, and they register the sample models and
# set the default printer: they also take the spooler lock of the unit tests
# that do the same. Included after tests/e2e/tests.cmake, which defines e2e.
if(TARGET e2e)
  target_link_libraries(e2e PRIVATE winspool)
  file(STRINGS ${CMAKE_SOURCE_DIR}/tests/e2e/scenarios_wizard.cpp wizard_scenario_lines
       REGEX "^E2E_SCENARIO\\([A-Za-z0-9_]+\\)")
  foreach(line ${wizard_scenario_lines})
    string(REGEX REPLACE "^E2E_SCENARIO\\(([A-Za-z0-9_]+)\\).*" "\\1" scenario "${line}")
    set_tests_properties(e2e_${scenario} PROPERTIES RESOURCE_LOCK "e2e;spooler")
  endforeach()
endif()
