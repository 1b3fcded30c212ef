# Run after each build of a Qt Test program: lists its test functions and
# writes one ctest entry per function, so that a failure names its case.
# Takes TEST_TARGET, TEST_EXECUTABLE, CTEST_FILE, TEST_LABELS, TEST_TIMEOUT
# and, when cross-compiling, EMULATOR.
# A program linked a moment ago can still be open for writing in a child that
# another parallel build step forked ("Text file busy"): wait and ask again.
foreach(attempt RANGE 1 5)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${EMULATOR} ${TEST_EXECUTABLE} -functions
    OUTPUT_VARIABLE listing
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
  if(status EQUAL 0 OR NOT "${status}${errors}" MATCHES "Text file busy")
    break()
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)
endforeach()
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${TEST_EXECUTABLE} -functions failed (${status}):\n${errors}")
endif()

string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*\\(\\)" functions "${listing}")
if(NOT functions)
  message(FATAL_ERROR "${TEST_EXECUTABLE} lists no test function")
endif()

set(content "")
foreach(function IN LISTS functions)
  string(REPLACE "()" "" name "${function}")
  set(test "${TEST_TARGET}.${name}")
  string(APPEND content
    "add_test([==[${test}]==] ${EMULATOR} [==[${TEST_EXECUTABLE}]==] [==[${name}]==])\n"
    "set_tests_properties([==[${test}]==] PROPERTIES LABELS [==[${TEST_LABELS}]==] TIMEOUT ${TEST_TIMEOUT}"
    " ENVIRONMENT QT_QPA_PLATFORM=offscreen)\n")
endforeach()
file(WRITE "${CTEST_FILE}" "${content}")
