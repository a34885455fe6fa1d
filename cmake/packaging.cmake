# The Debian packages, from one build: cpack -G DEB in the build folder writes
#   tessarin-cli_<version>_<arch>.deb  the command-line program, its man page and its completion for
#                                      bash, zsh and fish (libc and libstdc++ only), and
#   tessarin_<version>_<arch>.deb      the window program with its man page, desktop entry, file type,
#                                      icon, file-manager actions and AppStream entry.
# Each carries the licence in Debian's machine-readable copyright format and the changelog of this
# version. Windows builds make their installer and zip instead (windows_packages.cmake).
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/windows_packages.cmake)
    return()
endif()

set(packages cli)
if(TESSARIN_GUI)
    list(APPEND packages window)
endif()
set(package_name_cli tessarin-cli)
set(package_name_window tessarin)

# Man pages go in compressed, as Debian expects them; each with its program's package.
find_program(TESSARIN_GZIP gzip REQUIRED)
set(man_page_cli tessarin-cli.1)
set(man_page_window tessarin.1)
set(compressed_files)
foreach(package IN LISTS packages)
    set(page ${man_page_${package}})
    # The pages name the version as @PROJECT_VERSION@; it is filled in from the project() line.
    set(versioned ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
    configure_file(${PROJECT_SOURCE_DIR}/man/${page} ${versioned} @ONLY)
    add_custom_command(OUTPUT ${versioned}.gz
        COMMAND ${TESSARIN_GZIP} -9 -n -c ${versioned} > ${versioned}.gz
        DEPENDS ${versioned}
        VERBATIM)
    list(APPEND compressed_files ${versioned}.gz)
    install(FILES ${versioned}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${package})
endforeach()

# bash-completion loads a command's completion on first use from this folder.
install(FILES ${PROJECT_SOURCE_DIR}/data/tessarin-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tessarin-cli COMPONENT cli)
# Debian's zsh and fish look in these folders for the completions packages bring.
install(FILES ${PROJECT_SOURCE_DIR}/data/tessarin-cli.zsh-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions RENAME _tessarin-cli COMPONENT cli)
install(FILES ${PROJECT_SOURCE_DIR}/data/tessarin-cli.fish-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d RENAME tessarin-cli.fish COMPONENT cli)

# The packages' version: the project's, with a Debian revision, since the packaging is not upstream's
# own tree (which would make the changelog changelog.gz instead of changelog.Debian.gz).
set(TESSARIN_DEB_REVISION 1)
set(TESSARIN_DEB_VERSION ${PROJECT_VERSION}-${TESSARIN_DEB_REVISION})

# The changelog's signature line wants the date as RFC 5322 gives it.
execute_process(COMMAND date -u -R -d "${TESSARIN_RELEASE_DATE}"
                OUTPUT_VARIABLE TESSARIN_CHANGELOG_DATE OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian
               @ONLY)
add_custom_command(OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian.gz
    COMMAND ${TESSARIN_GZIP} -9 -n -c ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian
            > ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian.gz
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian
    VERBATIM)
list(APPEND compressed_files ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian.gz)
add_custom_target(compressed_documents ALL DEPENDS ${compressed_files})

# The copyright file holds LICENSE's terms below its copyright line, in the format's indented form.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE license_lines)
set(TESSARIN_COPYRIGHT "")
set(TESSARIN_LICENSE_TEXT "")
set(in_terms FALSE)
foreach(line IN LISTS license_lines)
    if(line MATCHES "^Copyright \\(c\\) (.*)$")
        set(TESSARIN_COPYRIGHT ${CMAKE_MATCH_1})
        set(in_terms TRUE)
    elseif(in_terms AND line STREQUAL "")
        string(APPEND TESSARIN_LICENSE_TEXT " .\n")
    elseif(in_terms)
        string(APPEND TESSARIN_LICENSE_TEXT " ${line}\n")
    endif()
endforeach()
string(REGEX REPLACE "^ \\.\n" "" TESSARIN_LICENSE_TEXT "${TESSARIN_LICENSE_TEXT}")
string(REGEX REPLACE "\n$" "" TESSARIN_LICENSE_TEXT "${TESSARIN_LICENSE_TEXT}")
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright @ONLY)

foreach(package IN LISTS packages)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.Debian.gz
            DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package_name_${package}} COMPONENT ${package})
endforeach()

set(CPACK_PACKAGE_NAME tessarin)
# Each package's description below begins with its own summary line; CPack puts the project's summary
# before it unless the summary is CPack's default, which it is here for that reason.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${CMAKE_PROJECT_NAME} built using CMake")
set(CPACK_PACKAGE_VENDOR "Tessarin-Team")
# The whole version of the project() line, build number included (CPack takes only three parts).
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TESSARIN_DEB_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TESSARIN_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${packages})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Both packages come from one source, whose name the changelog carries.
set(CPACK_DEBIAN_PACKAGE_SOURCE tessarin)
# dpkg-shlibdeps finds the runtime libraries each package's program links (libstdc++; Qt 6 for the window).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)

set(CPACK_DEBIAN_CLI_PACKAGE_NAME tessarin-cli)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION utils)
# Before the split, one package "tessarin" held tessarin-cli; an upgrade moves the program over.
set(CPACK_DEBIAN_CLI_PACKAGE_BREAKS "tessarin (<< ${TESSARIN_DEB_VERSION})")
set(CPACK_DEBIAN_CLI_PACKAGE_REPLACES "tessarin (<< ${TESSARIN_DEB_VERSION})")
set(CPACK_DEBIAN_CLI_DESCRIPTION "Dateien mit Passwort in .rc4-Container verschlüsseln (Befehlszeile)
tessarin-cli verschlüsselt jede Datei unter einem Passwort in einen Container
neben ihr, benannt nach der Datei mit angehängtem „.rc4“, und stellt
Container wieder her. Es prüft das Passwort, bevor es etwas schreibt, und die
Prüfsumme jeder wiederhergestellten Datei; verify prüft Container, ohne etwas
zu schreiben.
.
Das Programm ist für Skripte gemacht: das Passwort aus einer Datei oder der
Standardeingabe, Rückgabewert 0 nur, wenn jede Datei fertig ist. Das
Containerformat verbirgt Dateien vor neugierigen Blicken; vor einem
Angreifer, der einen Teil einer Datei kennt, schützt es nicht.
.
Das Fenster dazu ist im Paket tessarin.")

set(CPACK_DEBIAN_WINDOW_PACKAGE_NAME tessarin)
set(CPACK_DEBIAN_WINDOW_PACKAGE_SECTION utils)
# Qt loads the SVG icon engine as a plugin at run time, so no link may show that library; Qt's German
# texts (the open-file dialog) are a data file the window program loads at start.
set(CPACK_DEBIAN_WINDOW_PACKAGE_DEPENDS "libqt6svg6, qt6-translations-l10n")
set(CPACK_DEBIAN_WINDOW_PACKAGE_RECOMMENDS "tessarin-cli")
set(CPACK_DEBIAN_WINDOW_DESCRIPTION "Dateien mit Passwort in .rc4-Container verschlüsseln (Fenster)
Tessarin verschlüsselt Dateien unter einem Passwort in einen Container neben
jeder Datei, benannt nach ihr mit angehängtem „.rc4“, und stellt sie wieder
her: ein kleines Fenster mit einer Liste der zu verschlüsselnden Dateien und
einer der Container, gefüllt durch Ziehen und Ablegen, den Dateidialog oder
die Befehlszeile.
.
Container erhalten ihren Dateityp und ihr Symbol und öffnen sich im Fenster;
Dolphin und Nemo bieten „Mit Tessarin verschlüsseln“ und „Mit Tessarin
entschlüsseln“ an, Thunar sendet Dateien an Tessarin. Das Containerformat
verbirgt Dateien vor neugierigen Blicken; vor einem Angreifer, der einen Teil
einer Datei kennt, schützt es nicht.")
# Reproducible packages: every file and folder in them, and their own members, carry the release date,
# which CPack's Debian generator takes from SOURCE_DATE_EPOCH (a value the caller of cpack sets wins).
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake CONTENT [[
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    set(ENV{SOURCE_DATE_EPOCH} @TESSARIN_SOURCE_DATE_EPOCH@)
endif()
]] @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/CPackProjectConfig.cmake)
# The folders in the packages get the usual permissions, whatever the packer's umask: CPack makes them
# under it, and with umask 077 /usr/share/nemo/actions and the like would be installed readable by root
# alone. Run between staging and packing.
file(WRITE ${CMAKE_BINARY_DIR}/CPackFolderPermissions.cmake [[
file(CHMOD_RECURSE ${CPACK_TEMPORARY_INSTALL_DIRECTORY} DIRECTORY_PERMISSIONS
     OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
]])
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_BINARY_DIR}/CPackFolderPermissions.cmake)
# Each package's SHA-256 sum beside it, as sha256sum writes it: PACKAGE.deb.sha256.
set(CPACK_PACKAGE_CHECKSUM SHA256)
include(CPack)
