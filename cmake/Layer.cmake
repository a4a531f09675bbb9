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

# A test executable made of every test source in the given folders plus the
# shared fakes. The tests that SLOW matches (a GoogleTest filter) carry the
# ctest label "slow", so that `ctest -LE slow` leaves them out.
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
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "${TESTS_SLOW}" PROPERTIES LABELS slow)
    if(NOT TESTS_SLOW STREQUAL "*")
      gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_FILTER "-${TESTS_SLOW}")
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
  endif()
endfunction()
