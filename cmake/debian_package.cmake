    # A Debian package (cpack -G DEB in the build folder).
    set(CPACK_GENERATOR DEB)
    set(CPACK_PACKAGE_NAME corvane)
    set(CPACK_PACKAGE_VENDOR "Quorlin")
    set(CPACK_PACKAGE_CONTACT "Quorlin <support@quorlin.example>")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "teaching animation of a subduction zone")
    # The long description, as a software centre shows it; CPack indents it.
    set(CPACK_PACKAGE_DESCRIPTION "Corvane Zone shows, in one window, a fixed three-dimensional view of
a block cut out of the earth: an oceanic plate sinks beneath a
continental plate, its rock flows towards the trench, volcanic vents
puff smoke every 10 to 30 seconds, and an arrow shows magma rising.
A check box labels the features of the scene.
.
It runs on modest computers with OpenGL, needs no network and stores
no data: made for classrooms and for learners at home.")
    set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Not found by the library scan: the GL driver is loaded at run time, and the
    # fonts are found through fontconfig (Noto Sans CJK for Chinese, Japanese
    # and Korean).
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, fonts-dejavu-core, fonts-noto-cjk")
    include(CPack)
