# The wizard's end-to-end scenarios (tests/e2e/scenarios_wizard.cpp) read
# the spooler's printers, drivers and driver directory themselves. Included
# after tests/e2e/tests.cmake, which defines e2e.
if(TARGET e2e)
  target_link_libraries(e2e PRIVATE winspool)
endif()
