# The icons and pictures that setup.rc compiles, rendered from the SVG
# drawings in ui/resources/ into ART_DIR of the build tree (tools/render-art.sh).
# Each icon group holds the images the wizard's resources list, then 40, 48
# and 64-pixel images at the group's deepest depth, so that no icon is scaled
# at 120, 144 or 192 DPI, where the standard icon is that large. The disk icon
# keeps both its depths at every size.
foreach(tool rsvg-convert convert icotool)
  find_program(ART_TOOL_${tool} ${tool})
  if(NOT ART_TOOL_${tool})
    message(FATAL_ERROR "${tool} is missing: tools/ensure-packages.sh installs librsvg2-bin, imagemagick and icoutils")
  endif()
endforeach()
set(ART_DIR ${CMAKE_BINARY_DIR}/art)
set(ART_SOURCE ${CMAKE_SOURCE_DIR}/ui/resources)
set(ART_SCRIPT ${CMAKE_SOURCE_DIR}/tools/render-art.sh)
set(ART_FILES "")

# render_art(OUTPUT KIND DRAWINGS ARGUMENTS...): one file, remade when a
# drawing or the script changes.
function(render_art output kind drawings)
  list(TRANSFORM drawings PREPEND ${ART_SOURCE}/)
  add_custom_command(OUTPUT ${ART_DIR}/${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ART_DIR}
    COMMAND sh ${ART_SCRIPT} ${kind} ${ART_DIR}/${output} ${ARGN}
    DEPENDS ${drawings} ${ART_SCRIPT} WORKING_DIRECTORY ${ART_SOURCE} VERBATIM)
  set(ART_FILES ${ART_FILES} ${ART_DIR}/${output} PARENT_SCOPE)
endfunction()

render_art(setup.ico icon "setup.svg;setup-16.svg"
  setup.svg:32:4 setup-16.svg:16:4 setup.svg:40:4 setup.svg:48:4 setup.svg:64:4)
render_art(printer.ico icon "printer.svg;printer-16.svg"
  printer.svg:48:8 printer.svg:32:8 printer-16.svg:16:8 printer.svg:40:8 printer.svg:64:8)
render_art(port.ico icon "port.svg;port-mono.svg"
  port-mono.svg:32:1 port.svg:32:4 port.svg:40:4 port.svg:48:4 port.svg:64:4)
render_art(network.ico icon "network.svg;network-16.svg"
  network.svg:48:8 network.svg:32:8 network-16.svg:16:8 network.svg:40:8 network.svg:64:8)
render_art(disk.ico icon "disk.svg;disk-16.svg"
  disk-16.svg:16:4 disk-16.svg:16:8 disk.svg:32:4 disk.svg:32:8
  disk.svg:40:4 disk.svg:40:8 disk.svg:48:4 disk.svg:48:8 disk.svg:64:4 disk.svg:64:8)
render_art(background.bmp bitmap background.svg background.svg 24)
render_art(logo.bmp bitmap logo.svg logo.svg 4)
