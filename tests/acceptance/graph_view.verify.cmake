# Incoming moisture's axis labels are drawn (in its label colour) while its trace is on, and only
# then.
function(count_labels file out)
  file(STRINGS ${WORK}/${file} lines REGEX "^DRAW_GRAPH_WINDOW\t.*\t#00C800\t")
  list(LENGTH lines n)
  set(${out} ${n} PARENT_SCOPE)
endfunction()
count_labels(traces-off.txt off)
count_labels(trace-on.txt on)
count_labels(trace-off-again.txt again)
if(NOT off EQUAL 0 OR NOT on EQUAL 5 OR NOT again EQUAL 0)
  message(FATAL_ERROR "incoming moisture labels: ${off} before, ${on} on, ${again} off again")
endif()
