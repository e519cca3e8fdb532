# The sample driver package test reads the package from the source tree,
# which Wine's prefix sees through drive Z:.
if(TARGET test_sample_package)
  target_compile_definitions(test_sample_package PRIVATE SAMPLE_SOURCE_DIR="${CMAKE_SOURCE_DIR}/sample")
endif()
