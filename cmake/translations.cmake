# The texts' catalogs, one per po/LANG.po, where the program finds them
# (locale/ beside it in the build, share/locale when installed), and the
# menu's entry and the software centre's description in every language,
# from the same catalogs.
find_program(MSGFMT msgfmt REQUIRED)
file(GLOB CORVANE_PO_FILES ${PROJECT_SOURCE_DIR}/po/*.po)
set(corvane_catalogs "")
foreach(po ${CORVANE_PO_FILES})
    get_filename_component(language ${po} NAME_WE)
    set(folder ${CORVANE_PROGRAMS_DIR}/locale/${language}/LC_MESSAGES)
    add_custom_command(OUTPUT ${folder}/corvane.mo
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${MSGFMT} --check -o ${folder}/corvane.mo ${po}
        DEPENDS ${po} VERBATIM)
    list(APPEND corvane_catalogs ${folder}/corvane.mo)
endforeach()
add_custom_target(translations ALL DEPENDS ${corvane_catalogs})


set(CORVANE_ID example.quorlin.corvane)
# The menu's texts in every language, from the same catalogs.
set(menu ${CMAKE_BINARY_DIR}/packaging)
add_custom_command(OUTPUT ${menu}/${CORVANE_ID}.desktop
    COMMAND ${CMAKE_COMMAND} -E make_directory ${menu}
    COMMAND ${MSGFMT} --desktop --template=${PROJECT_SOURCE_DIR}/packaging/${CORVANE_ID}.desktop.in
        -d ${PROJECT_SOURCE_DIR}/po -o ${menu}/${CORVANE_ID}.desktop
    DEPENDS packaging/${CORVANE_ID}.desktop.in ${CORVANE_PO_FILES} po/LINGUAS VERBATIM)
add_custom_command(OUTPUT ${menu}/${CORVANE_ID}.metainfo.xml
    COMMAND ${CMAKE_COMMAND} -E make_directory ${menu}
    COMMAND ${MSGFMT} --xml --template=${PROJECT_SOURCE_DIR}/packaging/${CORVANE_ID}.metainfo.xml.in
        -d ${PROJECT_SOURCE_DIR}/po -o ${menu}/${CORVANE_ID}.metainfo.xml
    DEPENDS packaging/${CORVANE_ID}.metainfo.xml.in ${CORVANE_PO_FILES} po/LINGUAS VERBATIM)
add_custom_target(menu_entries ALL DEPENDS ${menu}/${CORVANE_ID}.desktop ${menu}/${CORVANE_ID}.metainfo.xml)
