# Installation the Linux way, included by CMakeLists.txt. Under the prefix
# (CMAKE_INSTALL_PREFIX, /usr/local by default; /usr in the Debian package):
# the programs in bin/, their support files in share/skytrace/ (the program
# looks there, ../share/skytrace/ from its own folder, after its folder), the
# menu entry, the icons, the manual pages and the documentation. The paths are
# fixed relative to the prefix, since the program finds its files that way.

set(SKYTRACE_MAINTAINER "Skytrace developers <skytrace@example.org>" CACHE STRING
    "Maintainer of the Debian package and its changelog: Name <address>")

install(TARGETS skytrace RUNTIME DESTINATION bin)
if(TARGET skytrace-cli)
  install(TARGETS skytrace-cli RUNTIME DESTINATION bin)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/world.dat DESTINATION share/skytrace)
install(FILES ${CMAKE_SOURCE_DIR}/data/skytrace.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/icons/skytrace.svg
        DESTINATION share/icons/hicolor/scalable/apps)
foreach(size 48 256)
  install(FILES ${CMAKE_SOURCE_DIR}/data/icons/skytrace-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME skytrace.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/data/OFL.txt
              ${CMAKE_SOURCE_DIR}/data/copyright
        DESTINATION share/doc/skytrace)

# The manual pages and the changelog carry the version of project(); they are
# compressed the way Debian ships them (gzip -9n: no name, no time stamp).
string(TIMESTAMP SKYTRACE_RELEASE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(gen ${CMAKE_BINARY_DIR}/install)
set(compressed)
foreach(file docs/man/skytrace.1 docs/man/skytrace-cli.1 data/changelog)
  get_filename_component(name ${file} NAME)
  configure_file(${CMAKE_SOURCE_DIR}/${file}.in ${gen}/${name} @ONLY)
  add_custom_command(OUTPUT ${gen}/${name}.gz
    COMMAND gzip -9nkf ${gen}/${name}
    DEPENDS ${gen}/${name})
  list(APPEND compressed ${gen}/${name}.gz)
endforeach()
add_custom_target(skytrace_compressed_docs ALL DEPENDS ${compressed})
install(FILES ${gen}/skytrace.1.gz ${gen}/skytrace-cli.1.gz DESTINATION share/man/man1)
install(FILES ${gen}/changelog.gz DESTINATION share/doc/skytrace)

# `make package`: the Debian package of the same files, installed under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skytrace)
set(CPACK_PACKAGE_VENDOR "Skytrace developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time satellite tracker on a world map")
set(CPACK_PACKAGE_DESCRIPTION "\
Skytrace reads current element sets (two- and three-line element files or
comma-separated OMM files) and shows thousands of satellites moving on a
world map in any of fifteen projections, with the selected satellite's
ground track, an info panel and a console for every setting. Positions
come from the SGP4/SDP4 orbit model once a second.

The package also holds skytrace-cli, a command-line companion that lists,
propagates and makes element sets for scripts.")
set(CPACK_PACKAGE_CONTACT ${SKYTRACE_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${SKYTRACE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
