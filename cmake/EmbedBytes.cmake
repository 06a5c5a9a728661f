# velmora_embed_bytes(FILE VARIABLE): sets VARIABLE to the file's bytes as C++ initialiser text
# ("0x12,0x34,..."), and has CMake configure anew when the file changes.
function(velmora_embed_bytes file variable)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${file})
  file(READ ${file} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  set(${variable} "${bytes}" PARENT_SCOPE)
endfunction()
