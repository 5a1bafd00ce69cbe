# chartorium_library(NAME SOURCES src... [DEPENDS lib...] [QT component...])
# One static library per subsystem (and per windows folder). DEPENDS names the
# libraries of the layers below that it may use; tools/check-layers checks
# that the sources include nothing else of the program.
function(chartorium_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS;QT" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  if(ARG_QT)
    find_package(Qt6 REQUIRED COMPONENTS ${ARG_QT})
    list(TRANSFORM ARG_QT PREPEND "Qt6::" OUTPUT_VARIABLE qt_targets)
    target_link_libraries(${name} PUBLIC ${qt_targets})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
  endif()
endfunction()
