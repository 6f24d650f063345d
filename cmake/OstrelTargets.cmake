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
# ostrel_test(<target> [USES_DISPLAY] [TIMEOUT <seconds>] [DEPS ...]): USES_DISPLAY for suites
# that open windows or press keys; each of their cases runs on an X server of its own
# (OSTREL_WITH_DISPLAY, which any other test that needs a display can run its command under
# too), so no case inherits another's focus, keys or grabs, and display cases run side by
# side. TIMEOUT gives each case more time than the test command's default.
include(GoogleTest)
find_package(GTest REQUIRED)
set(OSTREL_WITH_DISPLAY ${CMAKE_SOURCE_DIR}/scripts/with-test-display)
function(ostrel_test target)
  cmake_parse_arguments(ARG "USES_DISPLAY" "TIMEOUT" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_executable(${target} ${sources})
  target_link_libraries(${target} PRIVATE ${ARG_DEPS} ostrel_testsupport GTest::gtest GTest::gmock)
  if(ARG_USES_DISPLAY)
    # ctest and the case discovery both start the program through this launcher.
    set_target_properties(${target} PROPERTIES CROSSCOMPILING_EMULATOR ${OSTREL_WITH_DISPLAY})
  endif()
  set(properties)
  if(ARG_TIMEOUT)
    set(properties PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60
    ${properties})
endfunction()

# One libFuzzer program: ostrel_fuzzer(<target> <source> [DEPS ...]). `make fuzz` runs it
# with the files of seeds/<target>/ beside the source as its first inputs, and with
# seeds/<target>.dict as its dictionary when there is one.
function(ostrel_fuzzer target source)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  add_executable(${target} ${source})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(${target} PRIVATE ${ARG_DEPS})
  add_dependencies(ostrel_fuzzers ${target})
endfunction()
