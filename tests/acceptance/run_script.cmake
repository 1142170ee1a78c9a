# Runs one acceptance script: cmake -DDISPLAY=... -DIMAGE=... -DSCRIPT=... -DWORK=... -P this.
foreach(var DISPLAY IMAGE SCRIPT WORK)
  if(NOT ${var})
    message(FATAL_ERROR "run_script.cmake needs -D${var}=...")
  endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root)
file(COPY ${IMAGE}/ DESTINATION ${WORK}/root)
execute_process(
  COMMAND ${DISPLAY} --headless --simulate --root ${WORK}/root --script ${SCRIPT}
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "${SCRIPT}: orvane-display exited with ${code}; its files are in ${WORK}")
endif()
file(REMOVE_RECURSE ${WORK}/root)
