# The web page (scripts/web): the program linked twice from the same
# objects, as a folder for a web server (build-web/site/: the page, the
# program and its files fetched beside it) and as one HTML file with
# everything inside, which opens from disk. Both carry the pictures, the
# catalogs and DejaVu Sans cut down to the characters the texts use.
set(site ${CMAKE_BINARY_DIR}/../site)
set(bundle ${CMAKE_BINARY_DIR}/bundle)

# DejaVu Sans, regular and bold: the Latin, Greek and Cyrillic letters of
# every catalog, the punctuation and the symbols the texts use.
include(cmake/font_subsets.cmake)
set(font_folder /usr/share/fonts/truetype/dejavu)
set(characters "U+0020-007E,U+00A0-017F,U+2010-2027,U+2030-203A,U+2190-2193,U+20AC,U+2212")
set(catalog_texts "")
foreach(po ${CORVANE_PO_FILES})
    list(APPEND catalog_texts --text-file=${po})
endforeach()
set(bundled_fonts "")
foreach(face DejaVuSans DejaVuSans-Bold)
    add_custom_command(OUTPUT ${bundle}/fonts/${face}.ttf
        COMMAND ${CMAKE_COMMAND} -E make_directory ${bundle}/fonts
        COMMAND ${PYTHON3} -m fontTools.subset ${font_folder}/${face}.ttf --unicodes=${characters} ${catalog_texts}
            --layout-features=* --output-file=${bundle}/fonts/${face}.ttf
        DEPENDS ${font_folder}/${face}.ttf ${CORVANE_PO_FILES} VERBATIM)
    list(APPEND bundled_fonts ${bundle}/fonts/${face}.ttf)
endforeach()
# The Chinese, Japanese and Korean faces: beside the page, fetched only for
# the language shown (the single file has them inside).
corvane_cjk_subsets(${bundle}/cjk cjk_faces)

# The page, with the licences of everything it carries written into it (the
# single file has nowhere else to keep them).
set(LICENCES "")
foreach(entry "Corvane Zone|${PROJECT_SOURCE_DIR}/packaging/copyright"
              "FreeType|${CORVANE_WEB_PREFIX}/licences/FreeType.txt"
              "FTGL|${CORVANE_FTGL_SOURCE}/COPYING"
              "libpng|${CORVANE_WEB_PREFIX}/licences/libpng.txt"
              "zlib|${CORVANE_WEB_PREFIX}/licences/zlib.txt"
              "DejaVu fonts|/usr/share/doc/fonts-dejavu-core/copyright"
              "Noto Sans CJK|${CORVANE_CJK_LICENCE}")
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 name)
    list(GET entry 1 file)
    file(READ ${file} text)
    string(REPLACE "&" "&amp;" text "${text}")
    string(REPLACE "<" "&lt;" text "${text}")
    string(REPLACE ">" "&gt;" text "${text}")
    string(APPEND LICENCES "    <h2>${name}</h2>\n    <pre>${text}</pre>\n")
endforeach()
set(shell ${CMAKE_BINARY_DIR}/shell.html)
configure_file(${PROJECT_SOURCE_DIR}/packaging/web/shell.html ${shell} @ONLY)

# What a web server needs told about the page's files (Apache, IIS), and
# what a browser needs to install the page: its manifest and icons.
set(web_folder ${PROJECT_SOURCE_DIR}/packaging/web)
add_custom_target(web_files ALL
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}
    COMMAND ${CMAKE_COMMAND} -E copy ${web_folder}/.htaccess ${web_folder}/web.config
        ${web_folder}/manifest.webmanifest ${web_folder}/icon-192.png ${web_folder}/icon-512.png ${site}/
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site}/fonts
    COMMAND ${CMAKE_COMMAND} -E copy ${cjk_faces} ${site}/fonts/
    DEPENDS ${bundled_fonts} ${cjk_faces} translations VERBATIM)

set(web_link_options -O2 -sENVIRONMENT=web -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB -sEXIT_RUNTIME=0
    "-sEXPORTED_FUNCTIONS=_main,_corvaneCommand,_corvaneFullScreen,_corvaneAnimationSeconds"
    "-sEXPORTED_RUNTIME_METHODS=ENV,FS,addRunDependency,removeRunDependency")
# The files, at the places the web platform reads them from.
set(web_files ${PROJECT_SOURCE_DIR}/data@/data ${CORVANE_PROGRAMS_DIR}/locale@/locale ${bundle}/fonts@/fonts)

# The folder for a web server: the page fetches the program and its files.
add_executable(corvane_site ${PROJECT_SOURCE_DIR}/app/platform_web_main.cpp)
target_link_libraries(corvane_site PRIVATE app)
list(TRANSFORM web_files PREPEND "SHELL:--preload-file " OUTPUT_VARIABLE preloaded)
target_link_options(corvane_site PRIVATE ${web_link_options} ${preloaded})
set_target_properties(corvane_site PROPERTIES OUTPUT_NAME corvane SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${site})
add_dependencies(corvane_site web_files)
# The page itself, from the shell: the program's script beside it.
add_custom_command(OUTPUT ${site}/index.html
    COMMAND ${CMAKE_COMMAND} -Dshell=${shell} -Dpage=${site}/index.html -Dscript=corvane.js
        -P ${PROJECT_SOURCE_DIR}/cmake/web_page.cmake
    DEPENDS ${shell} ${PROJECT_SOURCE_DIR}/cmake/web_page.cmake corvane_site VERBATIM)

# One file that opens from disk, with no server: everything inside it.
add_executable(corvane_single ${PROJECT_SOURCE_DIR}/app/platform_web_main.cpp)
target_link_libraries(corvane_single PRIVATE app)
list(TRANSFORM web_files PREPEND "SHELL:--embed-file " OUTPUT_VARIABLE embedded)
list(APPEND embedded "SHELL:--embed-file ${bundle}/cjk@/fonts")
target_link_options(corvane_single PRIVATE ${web_link_options} -sSINGLE_FILE=1 ${embedded})
set_target_properties(corvane_single PROPERTIES OUTPUT_NAME corvane-single SUFFIX .js)
add_dependencies(corvane_single web_files)
# The page with the program's script, and so everything, inside it.
set(single ${CMAKE_BINARY_DIR}/../corvane-zone.html)
add_custom_command(OUTPUT ${single}
    COMMAND ${CMAKE_COMMAND} -Dshell=${shell} -Dpage=${single} -Dinline=$<TARGET_FILE:corvane_single>
        -P ${PROJECT_SOURCE_DIR}/cmake/web_page.cmake
    DEPENDS ${shell} ${PROJECT_SOURCE_DIR}/cmake/web_page.cmake corvane_single VERBATIM)
# The service worker that keeps the served folder for use with no network.
add_custom_command(OUTPUT ${site}/sw.js
    COMMAND ${CMAKE_COMMAND} -Dtemplate=${web_folder}/sw.js.in -Dsite=${site}
        -P ${PROJECT_SOURCE_DIR}/cmake/web_offline.cmake
    DEPENDS ${site}/index.html ${web_folder}/sw.js.in ${PROJECT_SOURCE_DIR}/cmake/web_offline.cmake corvane_site
        web_files VERBATIM)
add_custom_target(web_pages ALL DEPENDS ${site}/index.html ${single} ${site}/sw.js)
