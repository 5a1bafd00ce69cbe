# chartorium_add_test(NAME SOURCES src... LIBRARIES lib...)
# One GoogleTest binary per subsystem; each test case becomes a CTest entry.
include(GoogleTest)

function(chartorium_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name}
                             PRIVATE CHARTORIUM_FIXTURES="${PROJECT_SOURCE_DIR}/tests/fixtures")
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
