# qor-cli as a process: what a user types in a shell.
execute_process(COMMAND ${CMAKE_COMMAND} -E echo_append "ÖÐÎÄ"
  COMMAND ${QOR_CLI} apply Eng--GB
  OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "中文")
  message(FATAL_ERROR "apply Eng--GB gave status ${status} and \"${out}\"")
endif()
execute_process(COMMAND ${QOR_CLI} apply No--Such
  INPUT_FILE ${CMAKE_CURRENT_LIST_FILE}
  ERROR_VARIABLE err RESULT_VARIABLE status)
if(NOT status EQUAL 2)
  message(FATAL_ERROR "an unknown label gave status ${status}: ${err}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E echo_append "%E4%B8%AD"
  COMMAND ${QOR_CLI} apply URL--UTF8
  OUTPUT_VARIABLE out RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT out STREQUAL "中")
  message(FATAL_ERROR "apply URL--UTF8 gave status ${status} and \"${out}\"")
endif()
