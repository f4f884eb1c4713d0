# The Windows program's folder: the program with SDL's DLL, the pictures,
# the catalogs, DejaVu Sans for where Verdana is missing, and every licence.
# scripts/windows packs it into an installer and a zip.
set(P ${CORVANE_WINDOWS_PREFIX})
install(TARGETS corvane RUNTIME DESTINATION .)
install(FILES ${P}/bin/libSDL-1-2-0.dll DESTINATION .)
install(DIRECTORY data/ DESTINATION . FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${CORVANE_PROGRAMS_DIR}/locale DESTINATION .)
set(dejavu /usr/share/fonts/truetype/dejavu)
install(FILES ${dejavu}/DejaVuSans.ttf ${dejavu}/DejaVuSans-Bold.ttf DESTINATION .)
install(DIRECTORY ${P}/licences/ DESTINATION licences)
install(FILES /usr/share/doc/fonts-dejavu-core/copyright DESTINATION licences RENAME DejaVu.txt)
install(FILES packaging/copyright DESTINATION licences RENAME Corvane-Zone.txt)
install(FILES ${CMAKE_BINARY_DIR}/corvane.ico DESTINATION .)
