# One static library per folder: every .cpp in the folder (not below it) is a source.
# ostrel_library(<target> [DEPS <targets or imported libraries>...])
function(ostrel_library target)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${target} STATIC ${sources})
  target_include_directories(${target} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
endfunction()

# One GoogleTest program per test folder, registered with ctest case by case.
# ostrel_test(<target> [USES_DISPLAY] [DEPS ...]): USES_DISPLAY for suites that open windows
# or press keys on the test display; their cases never run at the same time as each other.
include(GoogleTest)
find_package(GTest REQUIRED)
function(ostrel_test target)
  cmake_parse_arguments(ARG "USES_DISPLAY" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} ostrel_testsupport GTest::gtest GTest::gmock)
  set(properties "")
  if(ARG_USES_DISPLAY)
    set(properties PROPERTIES RESOURCE_LOCK display)
  endif()
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    ${properties})
endfunction()
