# Writes the page's shell: the form and the title from the window's description (printed by
# write_form_html under node), the icon as a data URL.
#   cmake -DNODE=... -DWRITER=write_form_html.js -DICON=velmora.svg -DIN=shell.html.in -DOUT=shell.html -P make_shell.cmake
foreach(what form title)
  execute_process(COMMAND ${NODE} ${WRITER} ${what} OUTPUT_VARIABLE VELMORA_${what} RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "write_form_html ${what} failed")
  endif()
  string(STRIP "${VELMORA_${what}}" VELMORA_${what})
endforeach()
file(READ ${ICON} VELMORA_ICON_SVG)
foreach(pair "%;%25" "\n;%0A" "#;%23" "<;%3C" ">;%3E" "\";'")
  list(GET pair 0 from)
  list(GET pair 1 to)
  string(REPLACE "${from}" "${to}" VELMORA_ICON_SVG "${VELMORA_ICON_SVG}")
endforeach()
configure_file(${IN} ${OUT} @ONLY)
