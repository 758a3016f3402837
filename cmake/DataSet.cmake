# The default data set: velotrix-mkdata writes the tree data-set/DATA/...,
# data-set/LANG/... (English) and data-set/<code>/LANG/... for each further
# language, which is packed into Velotrix.dat, Velotrix.lng and
# Velotrix.<code>.lng next to the executables. It reruns only when the
# generator or the sources under data/ change; the same inputs always give the
# same archive bytes.
file(GLOB_RECURSE VX_DATA_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
set(VX_DATA_TREE ${PROJECT_BINARY_DIR}/data-set)
set(VX_DATA_ARCHIVE ${PROJECT_BINARY_DIR}/Velotrix.dat)
set(VX_LANG_ARCHIVE ${PROJECT_BINARY_DIR}/Velotrix.lng)

# VX_LANGUAGES (the top CMakeLists.txt) names the languages besides English.
set(VX_LANG_ARCHIVES ${VX_LANG_ARCHIVE})
set(VX_LANGUAGE_ARGS)
set(VX_LANGUAGE_PACKS)
foreach(code IN LISTS VX_LANGUAGES)
  set(archive ${PROJECT_BINARY_DIR}/Velotrix.${code}.lng)
  list(APPEND VX_LANG_ARCHIVES ${archive})
  list(APPEND VX_LANGUAGE_ARGS --language ${code})
  list(APPEND VX_LANGUAGE_PACKS
       COMMAND $<TARGET_FILE:velotrix-tool> pack ${archive} ${VX_DATA_TREE}/${code} LANG)
endforeach()

add_custom_command(
  OUTPUT ${VX_DATA_ARCHIVE} ${VX_LANG_ARCHIVES}
  # Start from an empty tree so files a generator no longer writes do not linger.
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${VX_DATA_TREE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${VX_DATA_TREE}
  COMMAND $<TARGET_FILE:velotrix-mkdata> ${VX_DATA_TREE} ${VX_LANGUAGE_ARGS}
  COMMAND $<TARGET_FILE:velotrix-tool> pack ${VX_DATA_ARCHIVE} ${VX_DATA_TREE} DATA
  COMMAND $<TARGET_FILE:velotrix-tool> pack ${VX_LANG_ARCHIVE} ${VX_DATA_TREE} LANG
  ${VX_LANGUAGE_PACKS}
  DEPENDS velotrix-mkdata velotrix-tool ${VX_DATA_SOURCES}
  WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
  COMMENT "Generating the data set and packing Velotrix.dat and the language archives"
  VERBATIM)
add_custom_target(vx_data_set ALL DEPENDS ${VX_DATA_ARCHIVE} ${VX_LANG_ARCHIVES})
