# Exactly one copy on the drive, equal to the log byte for byte.
file(GLOB copies "${WORK}/usb/LongTermDataLog*.CSV")
list(LENGTH copies n)
if(NOT n EQUAL 1)
  message(FATAL_ERROR "expected one copy on the drive, found ${n}: ${copies}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${copies}
                        "${WORK}/root/Hard Disk/DataLog/LongTermDataLog.csv"
                RESULT_VARIABLE differ)
if(NOT differ EQUAL 0)
  message(FATAL_ERROR "the copy on the drive differs from the log")
endif()
