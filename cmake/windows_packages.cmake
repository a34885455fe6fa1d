# The Windows packages, from the cross build: a 64-bit installer (NSIS, Debian's makensis) and a portable
# zip, both holding the same stripped programs: tessarin.exe, tessarin-cli.exe and tessarin-launch.exe,
# which the installer's Start-menu and "Senden an" entries run. Written into BUILD/package/, each with its
# SHA-256 sum beside it, by the target windows_packages, part of every build when makensis is installed.

# tessarin-cli.exe carries its version like tessarin.exe, as Explorer's properties show it.
enable_language(RC)
function(tessarin_version_resource target file_name description)
    set(RC_FILE_NAME ${file_name})
    set(RC_INTERNAL_NAME ${target})
    set(RC_DESCRIPTION ${description})
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/version.rc.in ${CMAKE_BINARY_DIR}/packaging/${target}.rc
                   @ONLY)
    target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/packaging/${target}.rc)
endfunction()
tessarin_version_resource(tessarin-cli tessarin-cli.exe "Tessarin (Befehlszeile)")

if(NOT TESSARIN_GUI)
    return()
endif()

add_executable(tessarin-launch WIN32 ${PROJECT_SOURCE_DIR}/app/launch_main_win32.cpp)
target_compile_definitions(tessarin-launch PRIVATE UNICODE _UNICODE NOMINMAX WIN32_LEAN_AND_MEAN)
target_link_libraries(tessarin-launch PRIVATE shell32 user32)
target_link_options(tessarin-launch PRIVATE -municode)
tessarin_version_resource(tessarin-launch tessarin-launch.exe "Tessarin starten")

find_program(TESSARIN_MAKENSIS makensis)
find_program(TESSARIN_ZIP zip)
if(NOT TESSARIN_MAKENSIS OR NOT TESSARIN_ZIP)
    message(STATUS "makensis or zip not found (packages nsis, zip): no Windows installer and zip")
    return()
endif()
set(package_dir ${CMAKE_BINARY_DIR}/package)
set(portable Tessarin-${PROJECT_VERSION})
set(stage ${package_dir}/${portable})
file(MAKE_DIRECTORY ${package_dir})
set(TESSARIN_WINDOWS_INSTALLER ${package_dir}/Tessarin-${PROJECT_VERSION}-setup.exe CACHE INTERNAL "")
set(TESSARIN_WINDOWS_ZIP ${package_dir}/${portable}-portable.zip CACHE INTERNAL "")
set(installer_script ${PROJECT_SOURCE_DIR}/packaging/windows/installer.nsi)
# The zip's members in a fixed order (a folder's own order depends on its file system), the programs
# first; the folder itself is made by unpacking them.
set(zip_members ${portable}/tessarin.exe ${portable}/tessarin-cli.exe ${portable}/tessarin-launch.exe
                ${portable}/LICENSE.txt)
# Both carry the release date as their files' times (the installer gives each installed file the time it
# has here) and the same permissions wherever they are built; strip writes it into the programs' headers
# too, in place of the time it runs.
set(release_env ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${TESSARIN_SOURCE_DATE_EPOCH})
add_custom_command(
    OUTPUT ${TESSARIN_WINDOWS_INSTALLER} ${TESSARIN_WINDOWS_ZIP}
           ${TESSARIN_WINDOWS_INSTALLER}.sha256 ${TESSARIN_WINDOWS_ZIP}.sha256
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${release_env} ${CMAKE_STRIP} -o ${stage}/tessarin.exe $<TARGET_FILE:tessarin>
    COMMAND ${release_env} ${CMAKE_STRIP} -o ${stage}/tessarin-cli.exe $<TARGET_FILE:tessarin-cli>
    COMMAND ${release_env} ${CMAKE_STRIP} -o ${stage}/tessarin-launch.exe $<TARGET_FILE:tessarin-launch>
    # The licence with Windows' line ends, so that Notepad shows its lines.
    COMMAND sed -e "s/$/\\r/" ${PROJECT_SOURCE_DIR}/LICENSE > ${stage}/LICENSE.txt
    COMMAND chmod 755 ${stage}/tessarin.exe ${stage}/tessarin-cli.exe ${stage}/tessarin-launch.exe
    COMMAND chmod 644 ${stage}/LICENSE.txt
    COMMAND touch -d @${TESSARIN_SOURCE_DATE_EPOCH} ${zip_members}
    COMMAND ${TESSARIN_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION} -DSTAGE=${stage}
            -DICON=${CMAKE_BINARY_DIR}/win32/icons/tessarin.ico -DOUTFILE=${TESSARIN_WINDOWS_INSTALLER}
            ${installer_script}
    # Info-ZIP without its extra fields (the owner, and the change time, which cannot be set): each member
    # has its name, its permissions and its date in the zip's own form, local time, here UTC's.
    COMMAND ${CMAKE_COMMAND} -E rm -f ${TESSARIN_WINDOWS_ZIP}
    COMMAND ${CMAKE_COMMAND} -E env TZ=UTC ${TESSARIN_ZIP} -q -X -9 ${TESSARIN_WINDOWS_ZIP} ${zip_members}
    # Each package's SHA-256 sum beside it, as sha256sum writes it (PACKAGE.sha256), as the Debian
    # packages have theirs.
    COMMAND ${CMAKE_COMMAND} -E sha256sum Tessarin-${PROJECT_VERSION}-setup.exe
            > ${TESSARIN_WINDOWS_INSTALLER}.sha256
    COMMAND ${CMAKE_COMMAND} -E sha256sum ${portable}-portable.zip > ${TESSARIN_WINDOWS_ZIP}.sha256
    WORKING_DIRECTORY ${package_dir}
    DEPENDS tessarin tessarin-cli tessarin-launch tessarin_win32_icons ${installer_script}
            ${PROJECT_SOURCE_DIR}/LICENSE
    COMMENT "Windows installer and portable zip"
    VERBATIM)
add_custom_target(windows_packages ALL DEPENDS ${TESSARIN_WINDOWS_INSTALLER} ${TESSARIN_WINDOWS_ZIP})

# The installer in a fresh Wine prefix: install, the type's opening and "Senden an" into the window's lists,
# uninstall. It needs a display, like the window test, and runs with it (label wine-window).
if(TARGET window_lists_probe AND CMAKE_CROSSCOMPILING_EMULATOR)
    add_test(NAME windows.InstallerInAFreshPrefix
             COMMAND ${PROJECT_SOURCE_DIR}/tests/package/check_windows_installer.sh ${CMAKE_CROSSCOMPILING_EMULATOR}
                     ${TESSARIN_WINDOWS_INSTALLER} $<TARGET_FILE:window_lists_probe>)
    set_tests_properties(windows.InstallerInAFreshPrefix PROPERTIES LABELS wine-window TIMEOUT 300)
endif()
