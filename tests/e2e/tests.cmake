# End-to-end scenarios: e2e.exe drives the built setup.exe under Wine. Every
# DEFINE_SCENARIO(name) line of a scenarios_*.cpp file becomes the CTest test
# e2e_<name>; a scenario that cannot run on this machine exits 77, which
# counts as skipped. A scenario whose name ends with a locale (install_ja_JP)
# runs, with the setup.exe it starts, under that locale's UTF-8 variant. It
# shares the prefix with the others: each Wine process writes the prefix's
# locale and font settings from its own locale when it starts, so nothing of
# that locale outlasts the scenario. The scenarios share the desktop and Wine's per-program
# settings, so they run one at a time, and the spooler and profile with the
# unit tests that hold the "spooler" lock.
file(GLOB E2E_SCENARIO_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/scenarios_*.cpp)
# A new scenario in an existing file must reach CTest too.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${E2E_SCENARIO_SOURCES})

add_executable(e2e ${SCENARIO_MAIN} ${E2E_SCENARIO_SOURCES})
target_link_libraries(e2e PRIVATE automation)
# roads_copy_damaged takes a cut-short compressed file of the copy tests.
add_dependencies(e2e setup kvcopy_fixtures)

set(E2E_SHOTS_DIR ${CMAKE_BINARY_DIR}/e2e-shots)
foreach(source ${E2E_SCENARIO_SOURCES})
  file(STRINGS ${source} scenario_lines REGEX "^DEFINE_SCENARIO\\([A-Za-z0-9_]+\\)")
  foreach(line ${scenario_lines})
    string(REGEX REPLACE "^DEFINE_SCENARIO\\(([A-Za-z0-9_]+)\\).*" "\\1" scenario "${line}")
    set(program e2e)
    if(scenario MATCHES "_([a-z][a-z]_[A-Z][A-Z])$")
      set(program bash ${CMAKE_CURRENT_LIST_DIR}/run-in-locale.sh ${CMAKE_MATCH_1}.UTF-8 ${CMAKE_BINARY_DIR}
                  $<TARGET_FILE:e2e>)
    endif()
    add_test(NAME e2e_${scenario}
      COMMAND ${program} ${scenario} --setup=$<TARGET_FILE:setup> --sample=${CMAKE_SOURCE_DIR}/sample
              --failure-shots=${E2E_SHOTS_DIR})
    set_tests_properties(e2e_${scenario} PROPERTIES RESOURCE_LOCK "e2e;spooler;desktop" TIMEOUT 45 LABELS e2e
                         SKIP_RETURN_CODE 77)
  endforeach()
endforeach()

# run.sh's headless installation, walk.exe, with the summary it writes.
add_test(NAME walk_whole_installation
  COMMAND walk whole_installation --setup=$<TARGET_FILE:setup> --sample=${CMAKE_SOURCE_DIR}/sample
          --failure-shots=${E2E_SHOTS_DIR})
set_tests_properties(walk_whole_installation PROPERTIES RESOURCE_LOCK "e2e;spooler;desktop" TIMEOUT 45 LABELS e2e)

# The same 32-bit setup.exe in a 64-bit prefix (Windows 7 x64 as Wine gives
# it): the x86 driver is registered there as everywhere. The twin runs in a
# 64-bit prefix anyway; this run of the 32-bit program needs a machine that
# runs 32-bit code, and is skipped, saying so, elsewhere. The prefix is made
# on its first run, which takes a minute.
if(SHIPPED_BUILD)
  add_test(NAME e2e_install_win7_64bit
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-in-64bit-prefix.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:e2e>
            install_win7_64bit --setup=$<TARGET_FILE:setup> --sample=${CMAKE_SOURCE_DIR}/sample
            --failure-shots=${E2E_SHOTS_DIR})
  set_tests_properties(e2e_install_win7_64bit PROPERTIES RESOURCE_LOCK "e2e;spooler;desktop" SKIP_RETURN_CODE 77
    TIMEOUT 240 LABELS "e2e;pe32")
endif()

# Whole installations at 120, 144 and 192 DPI, each under the colours of
# the Windows it reports (XP's Luna, Windows 7's, Windows 2000's), in the
# build tree's prefix for other displays; the walk checks every page by its
# pixels there. The prefix is made on the first run.
foreach(display 120:luna 144:win7 192:win2000)
  string(REPLACE ":" ";" display ${display})
  list(GET display 0 dpi)
  list(GET display 1 scheme)
  add_test(NAME e2e_install_at_${dpi}dpi_${scheme}
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/run-on-display.sh ${CMAKE_BINARY_DIR} ${dpi} ${scheme} $<TARGET_FILE:e2e>
            install_on_display --setup=$<TARGET_FILE:setup> --sample=${CMAKE_SOURCE_DIR}/sample
            --failure-shots=${E2E_SHOTS_DIR})
  set_tests_properties(e2e_install_at_${dpi}dpi_${scheme} PROPERTIES RESOURCE_LOCK "e2e;desktop" TIMEOUT 180
                       LABELS e2e)
endforeach()

# DLLs planted beside setup.exe by the hardening_planted_dlls scenarios, built
# with this tree's own compiler (64-bit ones for the twin) into planted/
# beside e2e.exe: the spooler and LZ libraries, each exporting what the
# program once imported from it at load time, and the libraries of
# StartSafely's preload table that Wine loads into the wizard by a bare name.
set(PLANTED_DLLS
  "WINSPOOL.DRV|OpenPrinterA ClosePrinter DeletePrinter DeletePrinterDriverA EnumPrinterDriversA EnumPortsA GetPrinterDriverDirectoryA AddPrinterDriverA AddPrinterA GetPrinterA"
  "LZ32.DLL|LZOpenFileA LZInit LZRead LZClose LZStart LZDone"
  "uxtheme.dll|" "compstui.dll|" "comctl32.dll|" "msimg32.dll|")
foreach(entry IN LISTS PLANTED_DLLS)
  string(REGEX REPLACE "\\|.*" "" file "${entry}")
  string(REGEX REPLACE "^[^|]*\\|" "" exports "${entry}")
  string(REGEX REPLACE "[^A-Za-z0-9]" "_" target "planted_${file}")
  separate_arguments(exports)
  set(def_text "EXPORTS\n")
  foreach(name IN LISTS exports)
    string(APPEND def_text "  ${name}=PlantedFunction\n")
  endforeach()
  file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/${target}.def CONTENT "${def_text}")
  add_library(${target} SHARED ${CMAKE_CURRENT_LIST_DIR}/planted_dll.cpp ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
  string(REGEX MATCH "\\.[^.]+$" suffix "${file}")
  string(REGEX REPLACE "\\.[^.]+$" "" stem "${file}")
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${stem} SUFFIX ${suffix}
                        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/planted)
  add_dependencies(e2e ${target})
endforeach()

# setup.exe with the look-up of the search-limiting calls answering NULL, as
# on Windows 2000: the same scenario proves that the preloads and the binding
# by full path alone keep the planted DLLs out. A test build, never shipped.
add_executable(setup_unhardened WIN32 ${CMAKE_SOURCE_DIR}/shell/winmain.cpp
               ${CMAKE_CURRENT_LIST_DIR}/hide_search_hardening.cpp $<TARGET_OBJECTS:setupresources>)
target_link_libraries(setup_unhardened PRIVATE setupcore)
add_test(NAME e2e_hardening_planted_dlls_unhardened
  COMMAND e2e hardening_planted_dlls_unhardened --setup=$<TARGET_FILE:setup_unhardened>
          --sample=${CMAKE_SOURCE_DIR}/sample --failure-shots=${E2E_SHOTS_DIR})
set_tests_properties(e2e_hardening_planted_dlls_unhardened PROPERTIES RESOURCE_LOCK "e2e;spooler;desktop"
                     TIMEOUT 45 LABELS e2e)
