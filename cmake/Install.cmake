# `cmake --install` of the Linux build, where the Filesystem Hierarchy Standard
# puts each file under CMAKE_INSTALL_PREFIX (and DESTDIR): the two programs,
# their manual pages, bash completion, the license and README. The Debian
# package (scripts/lib/release_deb.sh) is this install, stripped and gzipped.
include(GNUInstallDirs)
install(TARGETS lumaseek-cli lumaseek-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/lumaseek-cli.1 ${PROJECT_SOURCE_DIR}/docs/lumaseek-sim.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/cli/lumaseek-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME lumaseek-cli)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
