# The 64-bit twin of the same sources, never shipped: it runs the program and
# its tests under Debian's wine64 on machines whose kernel runs no 32-bit
# code.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(TOOL_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
