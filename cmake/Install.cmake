# What `cmake --install` puts where, and the Debian package that CPack builds
# from the same rules (`cpack -G DEB` in the build folder).
set(VX_DIST ${PROJECT_SOURCE_DIR}/dist)
set(VX_APP_ID io.github.velotrix.velotrix)

if(VX_BUILD_GAME)
  install(TARGETS velotrix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS velotrix-tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(VX_BUILD_DATA)
  # The game looks for these beside its executable: VX_INSTALL_RELATIVE_DATA.
  install(FILES ${VX_DATA_ARCHIVE} ${VX_LANG_ARCHIVES} DESTINATION ${VX_INSTALL_DATADIR})
  # The data generator draws the icons next to the archives' tree.
  foreach(size 32 64 128 256)
    install(FILES ${VX_DATA_TREE}/icons/velotrix-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME velotrix.png)
  endforeach()
endif()

install(FILES ${VX_DIST}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velotrix)

# The desktop entry and the metainfo with every language's name and summary
# (data/texts/<code>/desktop.txt) added to the English ones of dist/.
set(VX_DESKTOP_OUT ${PROJECT_BINARY_DIR}/dist/${VX_APP_ID}.desktop)
set(VX_METAINFO_OUT ${PROJECT_BINARY_DIR}/dist/${VX_APP_ID}.metainfo.xml)
set(VX_DESKTOP_TEXTS)
foreach(code IN LISTS VX_LANGUAGES)
  # A language may leave its desktop words out; the English ones stand then.
  if(EXISTS ${PROJECT_SOURCE_DIR}/data/texts/${code}/desktop.txt)
    list(APPEND VX_DESKTOP_TEXTS ${PROJECT_SOURCE_DIR}/data/texts/${code}/desktop.txt)
  endif()
endforeach()
string(REPLACE ";" "," VX_LANGUAGE_LIST "${VX_LANGUAGES}")
add_custom_command(
  OUTPUT ${VX_DESKTOP_OUT} ${VX_METAINFO_OUT}
  COMMAND ${CMAKE_COMMAND} -DDESKTOP_IN=${VX_DIST}/${VX_APP_ID}.desktop
          -DMETAINFO_IN=${VX_DIST}/${VX_APP_ID}.metainfo.xml -DTEXTS=${PROJECT_SOURCE_DIR}/data/texts
          -DLANGUAGES=${VX_LANGUAGE_LIST} -DDESKTOP_OUT=${VX_DESKTOP_OUT} -DMETAINFO_OUT=${VX_METAINFO_OUT}
          -P ${PROJECT_SOURCE_DIR}/cmake/Localize.cmake
  DEPENDS ${VX_DIST}/${VX_APP_ID}.desktop ${VX_DIST}/${VX_APP_ID}.metainfo.xml ${VX_DESKTOP_TEXTS}
          ${PROJECT_SOURCE_DIR}/cmake/Localize.cmake
  VERBATIM)
add_custom_target(vx_desktop_files ALL DEPENDS ${VX_DESKTOP_OUT} ${VX_METAINFO_OUT})
install(FILES ${VX_DESKTOP_OUT} DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VX_METAINFO_OUT} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Manual pages are installed compressed, as Debian's are (-n: no time stamp,
# so the same page gives the same bytes).
set(VX_MAN_PAGES)
foreach(page velotrix.6 velotrix-tool.1)
  set(out ${PROJECT_BINARY_DIR}/man/${page})
  add_custom_command(
    OUTPUT ${out}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${VX_DIST}/${page} ${out}
    COMMAND gzip -9nf ${out}
    DEPENDS ${VX_DIST}/${page}
    VERBATIM)
  string(REGEX REPLACE ".*\\." "" section ${page})
  install(FILES ${out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  list(APPEND VX_MAN_PAGES ${out}.gz)
endforeach()
add_custom_target(vx_man_pages ALL DEPENDS ${VX_MAN_PAGES})

set(VX_PACKAGE_MAINTAINER "Velotrix maintainers <maintainers@velotrix.invalid>"
    CACHE STRING "Maintainer field of the Debian package")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velotrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ball-and-paddle game across a world map of 100 levels")
set(CPACK_PACKAGE_DESCRIPTION "\
Steer the ship along the bottom of a slowly scrolling playfield, keep up to
eight balls in play, break blocks, catch coins and power-ups, and reach the
top of the field. Between levels you walk a world map of 100 levels in two
episodes and spend your credits in the item shop; at the end waits the boss.
The game has ten save slots, a high-score table and a level editor.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${VX_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps turns the executables' shared libraries into the run-time
# packages (libsdl2-2.0-0, libfreetype6, zlib1g, libmd0, libpng16-16, libc6...).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Only what the package's own files need; the build's tests are not installed.
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
