# shimwell_plugin(name [OUTPUT_NAME file] [OBJECTS objlib ...]): a copy of the
# plug-in: a shared library with the four exports and the runtime, named
# exactly `file` (default `name`) with no "lib" prefix, exporting nothing but
# the four entry points (by ordinals 1 to 4 on Windows).  Adapters are OBJECT
# libraries listed under OBJECTS or added later with
# target_link_libraries(name PRIVATE objlib); a static archive would lose
# their start-up registrations.
set(SHIMWELL_PLUGIN_DIR ${CMAKE_CURRENT_LIST_DIR}/../adapters)

function(shimwell_plugin name)
  cmake_parse_arguments(P "" "OUTPUT_NAME" "OBJECTS" ${ARGN})
  if(NOT P_OUTPUT_NAME)
    set(P_OUTPUT_NAME ${name})
  endif()
  add_library(${name} SHARED ${SHIMWELL_PLUGIN_DIR}/plugin_exports.cc)
  shimwell_warnings(${name})
  set_target_properties(${name} PROPERTIES PREFIX "" OUTPUT_NAME ${P_OUTPUT_NAME})
  target_link_libraries(${name} PRIVATE shimwell_runtime ${P_OBJECTS})
  if(WIN32)
    target_sources(${name} PRIVATE ${SHIMWELL_PLUGIN_DIR}/plugin_exports.def)
  else()
    set(map ${SHIMWELL_PLUGIN_DIR}/plugin_exports.map)
    target_link_options(${name} PRIVATE "LINKER:--version-script=${map}" "LINKER:--no-undefined")
    set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${map})
  endif()
endfunction()
