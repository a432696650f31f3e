# What `cmake --install` puts where, and the Debian package `cpack -G DEB` makes of it: the two
# programs, the desktop entry, the icon, the AppStream metadata and the man pages.

include(GNUInstallDirs)

set(QV_DATA ${PROJECT_SOURCE_DIR}/data)
set(QV_APPSTREAM_ID org.dunar.QuorvexConverter)

install(TARGETS quorvex-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET quorvex)
  install(TARGETS quorvex RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${QV_DATA}/quorvex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${QV_DATA}/quorvex.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${QV_DATA}/${QV_APPSTREAM_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
endif()

# Man pages are installed compressed, as Debian keeps them; -n keeps the build reproducible.
find_program(QV_GZIP gzip REQUIRED)
set(man_pages quorvex-cli.1)
if(TARGET quorvex)
  list(APPEND man_pages quorvex.1)
endif()
set(compressed "")
foreach(page IN LISTS man_pages)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${out}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
                     COMMAND ${QV_GZIP} -9nc ${QV_DATA}/${page} > ${out}
                     DEPENDS ${QV_DATA}/${page} VERBATIM)
  list(APPEND compressed ${out})
endforeach()
add_custom_target(qv_man_pages ALL DEPENDS ${compressed})
install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The Debian package. Its dependencies are the shared libraries the programs link, as
# dpkg-shlibdeps finds them, plus Qt's platform plugins, which Qt loads at run time and no
# linker sees: without them the window cannot open on X11 or Wayland.
set(CPACK_PACKAGE_NAME quorvex)
set(CPACK_PACKAGE_VENDOR "Dunar")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Packed GUIDs, 8.3 paths, numbers and installer records for Windows Installer work")
set(CPACK_PACKAGE_DESCRIPTION
    "QuorvexConverter is a desktop tool for engineers who build and repair Windows Installer
packages: GUIDs and their packed registry form with what the GUID is on the machine, long
paths and their 8.3 form, 32-bit numbers in decimal, hexadecimal and bit lists, and
installer records between [#FileKey]/[DirectoryKey] form and full paths. It reads packages
with its own read-only engine and sees a Wine prefix, a Windows installation on disk or
registry exports from another computer as its machine. quorvex-cli offers the same to
scripts.")
set(QV_PACKAGE_CONTACT "QuorvexConverter maintainers <maintainers@quorvex.invalid>"
    CACHE STRING "Maintainer named in the Debian package")
set(CPACK_PACKAGE_CONTACT ${QV_PACKAGE_CONTACT})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(TARGET quorvex)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
endif()
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine, msitools")
include(CPack)
