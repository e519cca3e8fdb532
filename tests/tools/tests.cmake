# The import check: setup.exe must load on Windows 2000, which only a static
# look at its PE header can prove (Wine loads what Windows 2000 refuses).
# These tests run natively; they are shell scripts, not target programs, so
# no Wine emulator applies. Only the shipped 32-bit build is checked: the
# 64-bit twin never leaves the build tree.
if(NOT SHIPPED_BUILD)
  return()
endif()
set(IMPORT_CHECK ${CMAKE_SOURCE_DIR}/tools/check_imports.sh)
set(IMPORT_REJECTION ${CMAKE_CURRENT_LIST_DIR}/expect_rejection.sh)
set(IMPORT_SAMPLES ${CMAKE_CURRENT_LIST_DIR}/import_samples)
set(IMPORT_ENV OBJDUMP=${MINGW_OBJDUMP})

add_test(NAME import_check_setup COMMAND ${IMPORT_CHECK} $<TARGET_FILE:setup>)

# What the static runtime imports along with the usual string and formatting
# calls must be on the allowlist too.
add_executable(import_sample_runtime WIN32 ${IMPORT_SAMPLES}/runtime_sample.cpp)
add_test(NAME import_check_runtime COMMAND ${IMPORT_CHECK} $<TARGET_FILE:import_sample_runtime>)

# The check itself must refuse each kind of fault.
add_executable(import_sample_newer_function WIN32 ${IMPORT_SAMPLES}/newer_function.cpp)
add_test(NAME import_check_refuses_newer_function
  COMMAND ${IMPORT_REJECTION} $<TARGET_FILE:import_sample_newer_function> "KERNEL32 GetTickCount64")

add_executable(import_sample_foreign_dll WIN32 ${IMPORT_SAMPLES}/foreign_dll.cpp)
target_link_libraries(import_sample_foreign_dll PRIVATE shell32 winspool lz32)
add_test(NAME import_check_refuses_foreign_dll
  COMMAND ${IMPORT_REJECTION} $<TARGET_FILE:import_sample_foreign_dll> "imports SHELL32.dll"
          "imports WINSPOOL.DRV" "imports LZ32")

# The last subsystem option on the link line wins over the project's 5.0.
add_executable(import_sample_subsystem6 WIN32 ${IMPORT_SAMPLES}/minimal.cpp)
target_link_options(import_sample_subsystem6 PRIVATE
  -Wl,--major-subsystem-version,6,--minor-subsystem-version,0)
add_test(NAME import_check_refuses_subsystem6
  COMMAND ${IMPORT_REJECTION} $<TARGET_FILE:import_sample_subsystem6> "subsystem version 6.0")

set_tests_properties(import_check_setup import_check_runtime import_check_refuses_newer_function
  import_check_refuses_foreign_dll import_check_refuses_subsystem6
  PROPERTIES LABELS imports ENVIRONMENT "${IMPORT_ENV}" TIMEOUT 20)
