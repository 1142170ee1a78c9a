# Runs the tour in one language and judges its dumps:
#   cmake -DDISPLAY=... -DFITCHECK=... -DLOGDATA=... -DIMAGE=... -DSCRIPT=... -DWORK=...
#         -DCODE=DE -DLANGUAGE=German -DBUTTON=1497 -P run_tour.cmake
# The language is chosen as the panel keeps it, in the language file of the fresh root. The
# dumps land in WORK/CODE/ (one file a screen) and stay there for reading after the run.
foreach(var DISPLAY FITCHECK LOGDATA IMAGE SCRIPT WORK CODE LANGUAGE BUTTON)
  if(NOT ${var})
    message(FATAL_ERROR "run_tour.cmake needs -D${var}=...")
  endif()
endforeach()
file(GLOB strings "${IMAGE}/Hard Disk/Languages/${CODE}/*Strings.txt")
if(NOT strings)
  message(FATAL_ERROR "the panel image holds no strings file for ${CODE} (${LANGUAGE})")
endif()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/root ${WORK}/usb ${WORK}/${CODE})
file(COPY ${IMAGE}/ DESTINATION ${WORK}/root)
file(WRITE "${WORK}/root/Hard Disk/OrvaneLangConfig.txt" "${LANGUAGE}")
# Thirty hours of graph log and twenty chart samples, so that the graph and chart show values.
execute_process(COMMAND ${LOGDATA} ${WORK}/root 30 20 RESULT_VARIABLE logdata)
if(NOT logdata EQUAL 0)
  message(FATAL_ERROR "orvane-logdata failed")
endif()
file(READ ${SCRIPT} tour)
string(REPLACE "@LANGUAGE_BUTTON@" "${BUTTON}" tour "${tour}")
file(WRITE ${WORK}/tour.script "${tour}")

execute_process(
  COMMAND ${DISPLAY} --headless --simulate --root ${WORK}/root --usb ${WORK}/usb
          --script ${WORK}/tour.script
  WORKING_DIRECTORY ${WORK}/${CODE}
  RESULT_VARIABLE code)
if(NOT code EQUAL 0)
  message(FATAL_ERROR "the tour in ${LANGUAGE} stopped: orvane-display exited with ${code}; "
                      "its dumps are in ${WORK}/${CODE}")
endif()

file(GLOB dumps ${WORK}/${CODE}/*.tsv)
execute_process(COMMAND ${FITCHECK} --language ${CODE} ${dumps}
                OUTPUT_FILE ${WORK}/fitcheck.txt RESULT_VARIABLE verdict)
file(READ ${WORK}/fitcheck.txt report)
message("${report}")
if(NOT verdict EQUAL 0)
  message(FATAL_ERROR "texts in ${LANGUAGE} do not fit or cannot be read: ${WORK}/fitcheck.txt")
endif()
file(REMOVE_RECURSE ${WORK}/root)
