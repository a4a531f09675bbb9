# One library per layer, made of every source below the layer's folders.
# A layer that has no sources yet is an interface target, so that the
# layers above can already name it.
function(tamrisk_layer name)
  cmake_parse_arguments(LAYER "" "" "FOLDERS;EXCLUDE;DEPENDS;PRIVATE_DEPENDS" ${ARGN})
  set(sources "")
  foreach(folder IN LISTS LAYER_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  foreach(excluded IN LISTS LAYER_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  if(sources)
    add_library(${name} STATIC ${sources})
    target_link_libraries(${name} PUBLIC ${LAYER_DEPENDS} PRIVATE ${LAYER_PRIVATE_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${LAYER_DEPENDS})
  endif()
endfunction()

# Every ctest test has a time limit, so that a test that hangs fails the run
# within minutes instead of stalling it: a suite of quick tests gets the
# first, a slow test (a whole game played, the program started) the second.
set(TAMRISK_TEST_TIMEOUT 120)
set(TAMRISK_SLOW_TEST_TIMEOUT 300)

# A test executable made of every test source in the given folders plus the
# shared fakes. The tests that SLOW matches (a GoogleTest filter) carry the
# ctest label "slow", so that `ctest -LE slow` leaves them out; each is a
# ctest test of its own, started first, so that the long runs overlap. The
# others run one process per suite (see SuiteTests.cmake).
function(tamrisk_tests name)
  cmake_parse_arguments(TESTS "" "SLOW" "FOLDERS;DEPENDS" ${ARGN})
  set(sources "")
  foreach(folder IN LISTS TESTS_FOLDERS)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources} ${PROJECT_SOURCE_DIR}/tests/TestMain.cpp)
  target_link_libraries(${name} PRIVATE ${TESTS_DEPENDS} test_support GTest::gmock)
  if(TESTS_SLOW)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "${TESTS_SLOW}"
                         PROPERTIES LABELS slow COST 1000 TIMEOUT ${TAMRISK_SLOW_TEST_TIMEOUT})
  endif()
  if(NOT TESTS_SLOW)
    tamrisk_suite_tests(${name} "*")
  elseif(NOT TESTS_SLOW STREQUAL "*")
    tamrisk_suite_tests(${name} "-${TESTS_SLOW}")
  endif()
endfunction()

# One ctest test per suite of the test program, written when it is built.
function(tamrisk_suite_tests name filter)
  set(ctest_file "${CMAKE_CURRENT_BINARY_DIR}/${name}_suites.cmake")
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D "TEST_EXECUTABLE=$<TARGET_FILE:${name}>" -D "TEST_FILTER=${filter}"
            -D "TEST_TIMEOUT=${TAMRISK_TEST_TIMEOUT}"
            -D "WORKING_DIRECTORY=${CMAKE_CURRENT_BINARY_DIR}" -D "CTEST_FILE=${ctest_file}"
            -P ${PROJECT_SOURCE_DIR}/cmake/SuiteTests.cmake
    BYPRODUCTS ${ctest_file}
    VERBATIM)
  file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${name}_suites_include.cmake"
       "if(EXISTS \"${ctest_file}\")\n  include(\"${ctest_file}\")\nelse()\n  add_test(${name}_NOT_BUILT ${name}_NOT_BUILT)\n  set_tests_properties(${name}_NOT_BUILT PROPERTIES TIMEOUT ${TAMRISK_TEST_TIMEOUT})\nendif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${CMAKE_CURRENT_BINARY_DIR}/${name}_suites_include.cmake")
endfunction()
