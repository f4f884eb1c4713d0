# The libraries the program builds on: Debian's packages on Linux; on Windows
# the ones scripts/windows-libraries built, and on the web those scripts/web
# built, as imported targets of the same names.
if(EMSCRIPTEN)
    # zlib, libpng and FreeType from scripts/web; GL and GLU are the subset
    # over WebGL (gl11/), FTGL is compiled from its source over it
    # (cmake/ftgl_gl11.cmake); the web has no SDL.
    set(CORVANE_WEB_PREFIX "" CACHE PATH "Prefix of the libraries built for the web")
    set(P ${CORVANE_WEB_PREFIX})
    add_library(PNG::PNG INTERFACE IMPORTED)
    set_target_properties(PNG::PNG PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${P}/include"
        INTERFACE_LINK_LIBRARIES "${P}/lib/libpng16.a;${P}/lib/libz.a")
    add_library(PkgConfig::FREETYPE INTERFACE IMPORTED)
    set_target_properties(PkgConfig::FREETYPE PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${P}/include/freetype2"
        INTERFACE_LINK_LIBRARIES "${P}/lib/libfreetype.a")
    foreach(gl OpenGL::GL OpenGL::GLU)
        add_library(${gl} INTERFACE IMPORTED)
        set_target_properties(${gl} PROPERTIES INTERFACE_LINK_LIBRARIES gl11)
    endforeach()
    add_library(PkgConfig::FTGL INTERFACE IMPORTED)
    set_target_properties(PkgConfig::FTGL PROPERTIES INTERFACE_LINK_LIBRARIES ftgl_gl11)
    add_library(PkgConfig::SDL INTERFACE IMPORTED)
elseif(WIN32)
    # Cross-built for Windows: the libraries scripts/windows-libraries made.
    set(CORVANE_WINDOWS_PREFIX "" CACHE PATH "Prefix of the libraries built for Windows")
    set(P ${CORVANE_WINDOWS_PREFIX})
    find_package(OpenGL REQUIRED COMPONENTS OpenGL)
    find_package(ZLIB REQUIRED)
    find_package(PNG REQUIRED)
    add_library(PkgConfig::SDL INTERFACE IMPORTED)
    set_target_properties(PkgConfig::SDL PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${P}/include;${P}/include/SDL"
        INTERFACE_LINK_LIBRARIES "${P}/lib/libSDL.dll.a")
    add_library(PkgConfig::FREETYPE INTERFACE IMPORTED)
    set_target_properties(PkgConfig::FREETYPE PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${P}/include/freetype2"
        INTERFACE_LINK_LIBRARIES "${P}/lib/libfreetype.a;${P}/lib/libz.a")
    add_library(PkgConfig::FTGL INTERFACE IMPORTED)
    set_target_properties(PkgConfig::FTGL PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "${P}/include"
        INTERFACE_LINK_LIBRARIES "${P}/lib/libftgl.a;PkgConfig::FREETYPE;glu32;opengl32"
        INTERFACE_COMPILE_DEFINITIONS "FTGL_LIBRARY_STATIC")
    # Everything but SDL's DLL in the program itself: no compiler runtime to ship.
    add_link_options(-static-libgcc -static-libstdc++ -Wl,-Bstatic,--whole-archive -lwinpthread
        -Wl,--no-whole-archive,-Bdynamic)
else()
    find_package(OpenGL REQUIRED COMPONENTS OpenGL GLX)
    find_package(PNG REQUIRED)
    find_package(X11 REQUIRED)
    find_package(PkgConfig REQUIRED)
    pkg_check_modules(SDL REQUIRED IMPORTED_TARGET sdl)
    pkg_check_modules(FTGL REQUIRED IMPORTED_TARGET ftgl)
    pkg_check_modules(FONTCONFIG REQUIRED IMPORTED_TARGET fontconfig)
    pkg_check_modules(FREETYPE REQUIRED IMPORTED_TARGET freetype2)
endif()

