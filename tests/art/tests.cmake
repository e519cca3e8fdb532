# The committed icons and pictures are exactly what generate_art.py draws.
add_test(NAME art_matches_generator
  COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/check-art.sh ${CMAKE_SOURCE_DIR} ${CMAKE_BINARY_DIR}/art-check)
set_tests_properties(art_matches_generator PROPERTIES TIMEOUT 60 LABELS art)
