# Writes a source file holding the shipped ST.26 DTD as bytes, so that the
# verifier carries the one DTD it validates against:
#   qln_embed_st26_dtd(<root of the checkout> <output .cpp>)
function(qln_embed_st26_dtd root output)
  set(dtd ${root}/data/st26/ST26SequenceListing_V1_3.dtd)
  file(READ ${dtd} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," QLN_DTD_BYTES "${hex}")
  configure_file(${root}/export/St26DtdText.cpp.in ${output} @ONLY)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${dtd})
endfunction()
