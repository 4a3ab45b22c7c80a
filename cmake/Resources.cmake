# Copies resources/ beside the binaries so the build folder is a working program folder.
file(GLOB_RECURSE TESSARO_RESOURCE_FILES CONFIGURE_DEPENDS
     RELATIVE ${CMAKE_SOURCE_DIR}/resources ${CMAKE_SOURCE_DIR}/resources/*)
set(TESSARO_RESOURCE_OUTPUTS)
foreach(rel IN LISTS TESSARO_RESOURCE_FILES)
  set(src ${CMAKE_SOURCE_DIR}/resources/${rel})
  set(dst ${TESSARO_PROGRAM_DIR}/${rel})
  add_custom_command(OUTPUT ${dst}
                     COMMAND ${CMAKE_COMMAND} -E copy_if_different ${src} ${dst}
                     DEPENDS ${src} VERBATIM)
  list(APPEND TESSARO_RESOURCE_OUTPUTS ${dst})
endforeach()
add_custom_target(tessaro_resources ALL DEPENDS ${TESSARO_RESOURCE_OUTPUTS})
