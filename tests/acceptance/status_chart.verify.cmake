# The chart shows eight rows (grain temperatures in its second column) on its newest page, and
# others after paging back.
function(rows file out)
  file(STRINGS ${WORK}/${file} lines REGEX "^AVERAGE_VALUES_WINDOW\t[0-9]+\t[0-9]+\t50\t15\t#FFFF00\t[0-9]")
  set(${out} "${lines}" PARENT_SCOPE)
endfunction()
rows(chart-newest.txt newest)
rows(chart-paged.txt paged)
list(LENGTH newest n)
if(NOT n EQUAL 8 OR "${newest}" STREQUAL "${paged}")
  message(FATAL_ERROR "chart rows: ${n} on the newest page; paging changed nothing")
endif()
