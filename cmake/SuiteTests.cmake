# Run after a test program is built: writes to CTEST_FILE one ctest test per
# GoogleTest suite of TEST_EXECUTABLE, each running that suite's tests that
# TEST_FILTER (a GoogleTest filter) keeps, in one process, within
# TEST_TIMEOUT seconds.
#
# Most tests take a few milliseconds, while starting a program that loads the
# GL driver takes a tenth of a second or more; one process per suite keeps
# that cost from outweighing the tests themselves.
execute_process(COMMAND "${TEST_EXECUTABLE}" --gtest_list_tests "--gtest_filter=${TEST_FILTER}"
                OUTPUT_VARIABLE listing
                RESULT_VARIABLE result
                TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Listing the tests of ${TEST_EXECUTABLE} failed (${result}):\n${listing}")
endif()

# The filter's own exclusions follow each suite's pattern.
set(exclusions "")
if(TEST_FILTER MATCHES "-(.*)$")
  set(exclusions "-${CMAKE_MATCH_1}")
endif()

# Suite lines are the unindented ones, "Suite." with perhaps a comment.
string(REPLACE ";" "," listing "${listing}")
string(REPLACE "\n" ";" lines "${listing}")
set(content "")
foreach(line IN LISTS lines)
  if(line MATCHES "^([^ #][^ ]*)\\.")
    set(suite "${CMAKE_MATCH_1}")
    string(APPEND content
           "add_test([==[${suite}]==] [==[${TEST_EXECUTABLE}]==] [==[--gtest_filter=${suite}.*${exclusions}]==])\n"
           "set_tests_properties([==[${suite}]==] PROPERTIES WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==] "
           "TIMEOUT ${TEST_TIMEOUT})\n")
  endif()
endforeach()
file(WRITE "${CTEST_FILE}" "${content}")
