# Run by CPack on the Debian package's staged files before it packs them: Debian keeps the programs of
# a game in /usr/games, beside /usr/bin, where they still find their data at ../share/ninescenes/data.
set(staged ${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX})
file(RENAME ${staged}/bin ${staged}/games)
