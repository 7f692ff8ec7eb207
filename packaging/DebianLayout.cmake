# Run by CPack on the staged install tree before it is packed. The ordinary install keeps the
# program in bin/ and the man page plain; Debian keeps games in /usr/games, compresses man pages and
# wants a changelog and the lintian overrides beside the copyright. The program finds its data from
# either place, since both sit one level under the prefix.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr")
if(NOT EXISTS "${usr}/bin/fallward")
  message(FATAL_ERROR "DebianLayout: ${usr}/bin/fallward was not staged")
endif()

file(MAKE_DIRECTORY "${usr}/games")
file(RENAME "${usr}/bin/fallward" "${usr}/games/fallward")
file(REMOVE_RECURSE "${usr}/bin")

# Reproducible and as small as gzip makes them, as lintian asks: no name or time stamp, level 9.
function(gzip_into source target)
  execute_process(COMMAND gzip -9nc "${source}" OUTPUT_FILE "${target}" RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "DebianLayout: gzip of ${source} failed")
  endif()
  file(CHMOD "${target}" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
endfunction()

set(page "${usr}/share/man/man6/fallward.6")
gzip_into("${page}" "${page}.gz")
file(REMOVE "${page}")

gzip_into("${CPACK_FALLWARD_PACKAGING_DIR}/changelog" "${usr}/share/doc/fallward/changelog.gz")

set(overrides "${usr}/share/lintian/overrides")
file(MAKE_DIRECTORY "${overrides}")
file(COPY_FILE "${CPACK_FALLWARD_PACKAGING_DIR}/fallward.lintian-overrides" "${overrides}/fallward")
file(CHMOD "${overrides}/fallward" PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
