# Builds the hand-written sources under data/ into velotrix-mkdata, so the
# generated data set depends on the generator binary alone and is regenerated
# whenever a source changes.
file(GLOB_RECURSE VX_MKDATA_DATA_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
set(VX_DATA_EMBEDDED ${CMAKE_CURRENT_BINARY_DIR}/mkdata_data_sources.cpp)
add_custom_command(
  OUTPUT ${VX_DATA_EMBEDDED}
  COMMAND ${CMAKE_COMMAND} -DSRC_DIR=${PROJECT_SOURCE_DIR}/data -DOUT=${VX_DATA_EMBEDDED}
          -P ${CMAKE_CURRENT_LIST_DIR}/embed_sources.cmake
  DEPENDS ${VX_MKDATA_DATA_FILES} ${CMAKE_CURRENT_LIST_DIR}/embed_sources.cmake
  COMMENT "Embedding data/ sources into velotrix-mkdata"
  VERBATIM)
target_sources(velotrix-mkdata PRIVATE ${VX_DATA_EMBEDDED})
