# Writes lumaseek-cli's completion for bash, zsh and fish into DIR, as the
# program PROGRAM prints them (cli/CMakeLists.txt runs it after each build).
foreach(shell bash zsh fish)
  execute_process(COMMAND ${PROGRAM} completion ${shell} OUTPUT_FILE ${DIR}/lumaseek-cli.${shell}
                  RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "lumaseek-cli completion ${shell} failed: ${result}")
  endif()
endforeach()
