# The Windows program's folder: the program with SDL's DLL, the pictures,
# the catalogs, DejaVu Sans for where Verdana is missing, Noto Sans CJK cut
# to the Chinese, Japanese and Korean catalogs, and every licence.
# scripts/windows packs it into an installer and a zip.
set(P ${CORVANE_WINDOWS_PREFIX})
install(TARGETS corvane RUNTIME DESTINATION .)
install(FILES ${P}/bin/libSDL-1-2-0.dll DESTINATION .)
install(DIRECTORY data/ DESTINATION . FILES_MATCHING PATTERN "*.png")
install(DIRECTORY ${CORVANE_PROGRAMS_DIR}/locale DESTINATION .)
set(dejavu /usr/share/fonts/truetype/dejavu)
install(FILES ${dejavu}/DejaVuSans.ttf ${dejavu}/DejaVuSans-Bold.ttf DESTINATION .)
include(cmake/font_subsets.cmake)
corvane_cjk_subsets(${CMAKE_BINARY_DIR}/cjk cjk_faces)
add_custom_target(cjk_faces ALL DEPENDS ${cjk_faces})
install(FILES ${cjk_faces} DESTINATION .)
install(DIRECTORY ${P}/licences/ DESTINATION licences)
install(FILES /usr/share/doc/fonts-dejavu-core/copyright DESTINATION licences RENAME DejaVu.txt)
install(FILES ${CORVANE_CJK_LICENCE} DESTINATION licences RENAME Noto-Sans-CJK.txt)
install(FILES packaging/copyright DESTINATION licences RENAME Corvane-Zone.txt)
install(FILES ${CMAKE_BINARY_DIR}/corvane.ico DESTINATION .)
