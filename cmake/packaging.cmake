# The Debian package: cpack -G DEB in the build folder writes tessarin_<version>_<arch>.deb with both
# programs, their man pages, the desktop entry, the container file type and the icon.

# Man pages go in compressed, as Debian expects them.
find_program(TESSARIN_GZIP gzip REQUIRED)
set(man_pages tessarin.1 tessarin-cli.1)
set(compressed_man_pages)
foreach(page IN LISTS man_pages)
    # The pages name the version as @PROJECT_VERSION@; it is filled in from the project() line.
    set(versioned ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
    configure_file(${PROJECT_SOURCE_DIR}/man/${page} ${versioned} @ONLY)
    set(compressed ${versioned}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${TESSARIN_GZIP} -9 -n -c ${versioned} > ${compressed}
        DEPENDS ${versioned}
        VERBATIM)
    list(APPEND compressed_man_pages ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${compressed_man_pages})
install(FILES ${compressed_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME tessarin)
set(CPACK_PACKAGE_VENDOR "Tessarin-Team")
# The whole version of the project() line, build number included (CPack takes only three parts).
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tessarin-Team <tessarin@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_DESCRIPTION "Verschlüsselt Dateien unter einem Passwort in einen Container neben der \
Datei (ihr Name mit der Endung .rc4) und stellt sie wieder her: ein Fenster mit zwei Dateilisten und \
tessarin-cli für Skripte.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the runtime libraries the programs link (Qt 6, libstdc++, ...).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads the SVG icon engine as a plugin at run time, so no link may show that library; Qt's German
# texts (the open-file dialog) are a data file the window program loads at start.
if(TESSARIN_GUI)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n")
endif()
include(CPack)
