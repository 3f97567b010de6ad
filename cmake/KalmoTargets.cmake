# Flags are set per target so that third-party code keeps its own.
function(kalmo_target_defaults target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
endfunction()

# A GoogleTest executable whose cases CTest lists one by one.
function(kalmo_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  kalmo_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  set(sanitizer_environment "")
  if(KALMO_SANITIZE)
    # Also reaches the programs a test starts, such as kalmo.
    set(sanitizer_environment PROPERTIES ENVIRONMENT
      "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/cmake/lsan-suppressions.txt:print_suppressions=0")
  endif()
  # Values print as their index, so that a case keeps its name between runs.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 NO_PRETTY_VALUES ${sanitizer_environment})
endfunction()

# A Qt Test executable; it runs without a display (offscreen platform).
function(kalmo_add_qtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  kalmo_target_defaults(${name})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kalmo_widgets Qt6::Test)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
