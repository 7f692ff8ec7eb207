# The Debian package, made by CPack from the install rules: `cmake --build build --target package`
# writes fallward_VERSION_ARCH.deb into the build folder. The binary is stripped and its
# dependencies come from dpkg-shlibdeps; DebianLayout.cmake then turns the staged install tree
# into Debian's layout for games.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME fallward)
set(CPACK_PACKAGE_VENDOR "The Fallward developers")
set(CPACK_PACKAGE_CONTACT "The Fallward developers <maintainers@users.noreply.c-seed-cc9f3652.example>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "block platformer in which the player turns gravity instead of jumping")
set(CPACK_PACKAGE_DESCRIPTION
    "Fallward is a 2D block platformer drawn in 3D. The player never jumps: the
arrow keys turn gravity for the player and every movable body nearby, so walls
become floors. Blocks phase, save progress, send the player back or slip.

It comes with an adventure, a time attack, a race for two players on a local
network and a built-in level editor.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianLayout.cmake)
set(CPACK_FALLWARD_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
include(CPack)
