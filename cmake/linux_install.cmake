# Installation: the program under libexec, its pictures under the data
# directory, and a launcher on the PATH that starts it among its pictures;
# the manual page, the desktop entry, the AppStream metadata and the icon
# where the desktop finds them.
include(GNUInstallDirs)
# The launcher finds both relative to its own place, so that any prefix works.
file(RELATIVE_PATH CORVANE_DATA_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_DATADIR}/corvane)
file(RELATIVE_PATH CORVANE_PROGRAM_FROM_BIN /${CMAKE_INSTALL_BINDIR} /${CMAKE_INSTALL_LIBEXECDIR}/corvane/corvane)
configure_file(packaging/corvane-launcher.in ${CMAKE_BINARY_DIR}/launcher/corvane @ONLY)
# Compressed without names or times, so that every build gives the same bytes.
foreach(page corvane.1 changelog)
    add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
        COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/packaging/${page} > ${CMAKE_BINARY_DIR}/packaging/${page}.gz
        DEPENDS packaging/${page} VERBATIM)
endforeach()
add_custom_target(packaging_pages ALL DEPENDS
    ${CMAKE_BINARY_DIR}/packaging/corvane.1.gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
install(TARGETS corvane RUNTIME DESTINATION ${CMAKE_INSTALL_LIBEXECDIR}/corvane)
install(PROGRAMS ${CMAKE_BINARY_DIR}/launcher/corvane DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/corvane FILES_MATCHING PATTERN "*.png")
install(FILES ${CMAKE_BINARY_DIR}/packaging/corvane.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz packaging/copyright
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/corvane)
install(FILES ${menu}/${CORVANE_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${menu}/${CORVANE_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES data/qlogo.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps RENAME corvane.png)
install(DIRECTORY ${CORVANE_PROGRAMS_DIR}/locale/ DESTINATION ${CMAKE_INSTALL_LOCALEDIR})

