# The manifest as XML and as the platform reads it from setup.exe, on both
# builds.
add_executable(read_manifest ${CMAKE_CURRENT_LIST_DIR}/read_manifest.cpp)
add_test(NAME manifest COMMAND ${CMAKE_CURRENT_LIST_DIR}/check-manifest.sh
  ${CMAKE_SOURCE_DIR}/ui/resources/setup.manifest $<TARGET_FILE:read_manifest> $<TARGET_FILE:setup> ${CMAKE_BINARY_DIR})
set_tests_properties(manifest PROPERTIES TIMEOUT 30)
