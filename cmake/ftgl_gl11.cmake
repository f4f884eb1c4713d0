# FTGL compiled from its source (scripts/ftgl-source) with its GL calls
# renamed to the GL subset's, as the web build draws text: the target
# ftgl_gl11.
set(ftgl ${CORVANE_FTGL_SOURCE}/src)
file(GLOB ftgl_sources ${ftgl}/*.cpp ${ftgl}/FTGlyph/*.cpp ${ftgl}/FTFont/*.cpp ${ftgl}/FTLayout/*.cpp)
add_library(ftgl_gl11 STATIC ${ftgl_sources})
target_include_directories(ftgl_gl11 PUBLIC ${ftgl} PRIVATE ${CORVANE_FTGL_SOURCE}/cmake)
target_compile_definitions(ftgl_gl11 PRIVATE PACKAGE_VERSION="2.4.0")
target_compile_options(ftgl_gl11 PRIVATE -include ${PROJECT_SOURCE_DIR}/gl11/gl11_renames.h -w)
target_link_libraries(ftgl_gl11 PUBLIC gl11 PkgConfig::FREETYPE)
# FTGL passes a null pointer to memcpy for an empty glyph: as in the
# desktop build, where Debian's FTGL is not instrumented, its own undefined
# behaviour is not ours to halt on.
if(CORVANE_SANITIZE)
    target_compile_options(ftgl_gl11 PRIVATE -fno-sanitize=undefined)
endif()
