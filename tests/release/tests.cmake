# release.sh with a throw-away certificate, and a whole installation by the
# signed setup.exe (in the twin's tree, by the signed twin). It builds
# build/release beside this tree.
add_test(NAME release_signed COMMAND ${CMAKE_CURRENT_LIST_DIR}/signed-release.sh
  ${CMAKE_BINARY_DIR} $<TARGET_FILE:walk> $<TARGET_FILE:setup>)
set_tests_properties(release_signed PROPERTIES RESOURCE_LOCK "e2e;spooler;desktop" TIMEOUT 300)
