# Thirty hours of graph log and twenty samples of the status chart, ending now.
execute_process(COMMAND ${LOGDATA} ${WORK}/root 30 20 RESULT_VARIABLE logdata)
if(NOT logdata EQUAL 0)
  message(FATAL_ERROR "orvane-logdata failed")
endif()
