# The faces that draw Chinese, Japanese and Korean, cut to the characters
# of their language's catalog (fontTools' subsetter), for the builds that
# carry their fonts (Windows, the web): one file per language and weight,
# named as the program looks for them in its font folders ("Noto Sans CJK
# JP" bold: NotoSansCJKJP-Bold.otf). Debian's package uses the system's.
find_program(PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(CORVANE_CJK_FOLDER /usr/share/fonts/opentype/noto)
set(CORVANE_CJK_LICENCE /usr/share/doc/fonts-noto-cjk/copyright)

# corvane_cjk_subsets(FOLDER VARIABLE): makes the subsets in FOLDER, their
# paths in VARIABLE.
function(corvane_cjk_subsets folder variable)
    set(made "")
    # language, the family's form, its face in Noto's collections
    foreach(entry "ja|JP|0" "ko|KR|1" "zh_CN|SC|2" "zh_TW|TC|3")
        string(REPLACE "|" ";" entry "${entry}")
        list(GET entry 0 language)
        list(GET entry 1 form)
        list(GET entry 2 index)
        foreach(weight Regular Bold)
            set(out ${folder}/NotoSansCJK${form}-${weight}.otf)
            # No layout tables or hints: FreeType sets each glyph as it is.
            add_custom_command(OUTPUT ${out}
                COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
                COMMAND ${PYTHON3} -m fontTools.subset ${CORVANE_CJK_FOLDER}/NotoSansCJK-${weight}.ttc
                    --font-number=${index} --text-file=${PROJECT_SOURCE_DIR}/po/${language}.po
                    --layout-features= --no-hinting --output-file=${out}
                DEPENDS ${PROJECT_SOURCE_DIR}/po/${language}.po VERBATIM)
            list(APPEND made ${out})
        endforeach()
    endforeach()
    set(${variable} ${made} PARENT_SCOPE)
endfunction()
