# `cmake --install` of the Linux build, where the Filesystem Hierarchy Standard
# puts each file under CMAKE_INSTALL_PREFIX (and DESTDIR): the two programs,
# their manual pages, completion for bash, zsh and fish, the license and README. The Debian
# package (scripts/lib/release_deb.sh) is this install, stripped and gzipped.
include(GNUInstallDirs)
install(TARGETS lumaseek-cli lumaseek-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/lumaseek-cli.1 ${PROJECT_SOURCE_DIR}/docs/lumaseek-sim.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Each shell's completion in the folder where that shell looks for it.
set(completion_dir ${PROJECT_BINARY_DIR}/cli/completion)
install(FILES ${completion_dir}/lumaseek-cli.bash DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME lumaseek-cli)
install(FILES ${completion_dir}/lumaseek-cli.zsh DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
        RENAME _lumaseek-cli)
install(FILES ${completion_dir}/lumaseek-cli.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
