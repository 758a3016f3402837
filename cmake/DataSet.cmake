# The default data set: velotrix-mkdata writes the tree data-set/DATA/... and
# data-set/LANG/..., which is packed into Velotrix.dat and Velotrix.lng next to
# the executables. It reruns only when the generator or the sources under data/
# change; the same inputs always give the same archive bytes.
file(GLOB_RECURSE VX_DATA_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
set(VX_DATA_TREE ${PROJECT_BINARY_DIR}/data-set)
set(VX_DATA_ARCHIVE ${PROJECT_BINARY_DIR}/Velotrix.dat)
set(VX_LANG_ARCHIVE ${PROJECT_BINARY_DIR}/Velotrix.lng)

add_custom_command(
  OUTPUT ${VX_DATA_ARCHIVE} ${VX_LANG_ARCHIVE}
  # Start from an empty tree so files a generator no longer writes do not linger.
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VX_DATA_TREE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VX_DATA_TREE}
  COMMAND $<TARGET_FILE:velotrix-mkdata> ${VX_DATA_TREE}
  COMMAND $<TARGET_FILE:velotrix-tool> pack ${VX_DATA_ARCHIVE} ${VX_DATA_TREE} DATA
  COMMAND $<TARGET_FILE:velotrix-tool> pack ${VX_LANG_ARCHIVE} ${VX_DATA_TREE} LANG
  DEPENDS velotrix-mkdata velotrix-tool ${VX_DATA_SOURCES}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  COMMENT "Generating the data set and packing Velotrix.dat and Velotrix.lng"
  VERBATIM)
add_custom_target(vx_data_set ALL DEPENDS ${VX_DATA_ARCHIVE} ${VX_LANG_ARCHIVE})
