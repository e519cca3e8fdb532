# Cross toolchain for a 32-bit Windows build with Debian's MinGW-w64.
# The -win32 thread model is named explicitly: the -posix runtime imports
# functions that Windows 2000 does not have.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOL_PREFIX i686-w64-mingw32)

find_program(CMAKE_C_COMPILER ${TOOL_PREFIX}-gcc-win32 REQUIRED)
find_program(CMAKE_CXX_COMPILER ${TOOL_PREFIX}-g++-win32 REQUIRED)
find_program(CMAKE_RC_COMPILER ${TOOL_PREFIX}-windres)
if(NOT CMAKE_RC_COMPILER)
  message(FATAL_ERROR "${TOOL_PREFIX}-windres not found: install binutils-mingw-w64-i686")
endif()
find_program(MINGW_OBJDUMP ${TOOL_PREFIX}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run under Wine through this wrapper (it sets up the prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tests/tools/wine-run.sh)
