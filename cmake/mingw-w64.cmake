# Cross toolchain for Windows with Debian's MinGW-w64, shared by the 32-bit
# build that ships (mingw-w64-i686.cmake) and its 64-bit twin
# (mingw-w64-x86_64.cmake), which set TOOL_PREFIX and CMAKE_SYSTEM_PROCESSOR.
# The -win32 thread model is named explicitly: the -posix runtime imports
# functions that Windows 2000 does not have.
set(CMAKE_SYSTEM_NAME Windows)

find_program(CMAKE_C_COMPILER ${TOOL_PREFIX}-gcc-win32 REQUIRED)
find_program(CMAKE_CXX_COMPILER ${TOOL_PREFIX}-g++-win32 REQUIRED)
find_program(CMAKE_RC_COMPILER ${TOOL_PREFIX}-windres)
if(NOT CMAKE_RC_COMPILER)
  message(FATAL_ERROR "${TOOL_PREFIX}-windres not found: install the binutils-mingw-w64 package")
endif()
find_program(MINGW_OBJDUMP ${TOOL_PREFIX}-objdump REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOL_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
