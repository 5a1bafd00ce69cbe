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

# chartorium_comma_locale(TARGET): the tests of TARGET may switch the C library to de_DE.UTF-8,
# a locale that writes "1,5", to check that numbers never follow it. The locale is built into
# the build tree from the sources of the Debian package "locales" (no root needed); the tests
# get its folder as CHARTORIUM_TEST_LOCALES and give it to the C library as LOCPATH.
function(chartorium_comma_locale target)
  set(dir ${CMAKE_BINARY_DIR}/test-locales)
  if(NOT TARGET chartorium_comma_locale)
    find_program(CHARTORIUM_LOCALEDEF localedef REQUIRED)
    add_custom_command(
      OUTPUT ${dir}/de_DE.UTF-8/LC_NUMERIC
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${CHARTORIUM_LOCALEDEF} -i de_DE -f UTF-8 ${dir}/de_DE.UTF-8
      COMMENT "Building the de_DE.UTF-8 locale for the tests")
    add_custom_target(chartorium_comma_locale DEPENDS ${dir}/de_DE.UTF-8/LC_NUMERIC)
  endif()
  add_dependencies(${target} chartorium_comma_locale)
  target_compile_definitions(${target} PRIVATE CHARTORIUM_TEST_LOCALES="${dir}")
endfunction()
