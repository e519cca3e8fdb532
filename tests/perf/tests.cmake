# bench.exe: the measurements of bench/run-bench.sh, on the e2e driver and
# its installation walk, and empty.exe, the empty Win32 program it measures
# as the baseline of start and memory. Built only on demand (the script
# builds them); they add no tests. This folder sorts after tests/e2e, whose
# target must exist.
if(NOT TARGET e2e)
  return()
endif()
file(GLOB BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
set(E2E_DIR ${CMAKE_SOURCE_DIR}/tests/e2e)
add_executable(empty WIN32 EXCLUDE_FROM_ALL ${CMAKE_SOURCE_DIR}/bench/empty/empty.cpp)
add_executable(bench EXCLUDE_FROM_ALL
  ${E2E_DIR}/e2e_main.cpp ${E2E_DIR}/e2e_package.cpp ${E2E_DIR}/e2e_report.cpp
  ${E2E_DIR}/e2e_setup_process.cpp ${E2E_DIR}/scenarios_install.cpp ${BENCH_SOURCES})
target_include_directories(bench PRIVATE ${E2E_DIR} ${CMAKE_SOURCE_DIR})
target_link_libraries(bench PRIVATE uidriver advapi32 psapi lz32)
add_dependencies(bench setup empty)
