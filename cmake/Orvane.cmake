# Small helpers so that each module's CMakeLists.txt stays a few lines long.

# orvane_library(NAME SOURCES a.cpp ... DEPS lib ...)
function(orvane_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# orvane_test(NAME SOURCES a_test.cpp ... DEPS lib ...): one GoogleTest binary, one CTest entry.
function(orvane_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock
                                        Threads::Threads)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600
    ENVIRONMENT "ORVANE_IMAGE_DIR=${ORVANE_IMAGE_DIR};ORVANE_SOURCE_DIR=${CMAKE_SOURCE_DIR}")
endfunction()

# orvane_fuzzer(NAME SOURCE target.cpp DEPS lib ...)
# With ORVANE_FUZZ the target is a libFuzzer binary. Without it, the same entry point is linked
# to a small driver and CTest runs it over the seed corpus in fuzz/corpus/NAME, so every build
# checks that the seeds pass cleanly (and under the sanitizers in their builds).
function(orvane_fuzzer name)
  cmake_parse_arguments(ARG "" "SOURCE" "DEPS" ${ARGN})
  set(corpus ${CMAKE_SOURCE_DIR}/fuzz/corpus/${name})
  if(ORVANE_FUZZ)
    add_executable(${name} ${ARG_SOURCE})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    add_executable(${name} ${ARG_SOURCE} ${CMAKE_SOURCE_DIR}/fuzz/corpus_driver.cpp)
    add_test(NAME ${name}_corpus COMMAND ${name} ${corpus})
  endif()
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} Threads::Threads)
endfunction()

# orvane_bench(NAME SOURCES a.cpp ... DEPS lib ...)
function(orvane_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  if(NOT benchmark_FOUND)
    return()
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main
                                        Threads::Threads)
endfunction()
