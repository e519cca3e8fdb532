# Whole installations under every supported system and on hostile packages
# (tests/e2e/scenarios_install.cpp, scenarios_hardening.cpp). They compare
# the installed driver files with the package's expanded ones, so e2e.exe
# links the LZ library.
if(NOT TARGET e2e)
  return()
endif()
target_link_libraries(e2e PRIVATE lz32)

# The same 32-bit setup.exe in a 64-bit prefix (Windows 7 x64 as Wine gives
# it): the x86 driver is registered there as everywhere. The twin runs in a
# 64-bit prefix anyway; this run of the 32-bit program needs a machine that
# runs 32-bit code, and is skipped, saying so, elsewhere.
if(NOT SHIPPED_BUILD)
  return()
endif()
add_test(NAME e2e_install_win7_64bit
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-in-64bit-prefix.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:e2e>
          install_win7_64bit --setup=$<TARGET_FILE:setup> --sample=${CMAKE_SOURCE_DIR}/sample
          --shots=${CMAKE_BINARY_DIR}/e2e-shots)
set_tests_properties(e2e_install_win7_64bit PROPERTIES RESOURCE_LOCK "e2e;spooler;desktop" SKIP_RETURN_CODE 77
  TIMEOUT 300 LABELS "e2e;pe32")

