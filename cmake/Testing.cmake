# shimwell_test(name SOURCES ... [LIBS ...]): one GoogleTest program, one ctest.
if(SHIMWELL_TESTS)
  enable_testing()
endif()

function(shimwell_test name)
  if(NOT SHIMWELL_TESTS)
    return()
  endif()
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  shimwell_warnings(${name})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
endfunction()

# shimwell_script_test(NAME name SCRIPT file EXPECTED file [PLUGIN target|path]
#                      [STATUS code] [STDERR regex]): runs shimwell-host on the
# script (with --plugin when PLUGIN is given) and compares its standard output
# with the expected file byte for byte.  STATUS is the expected exit status
# (default 0); when STATUS is given, EXPECTED may be left out.  STDERR is a
# regular expression that standard error must match.  Set the environment
# variable SHIMWELL_UPDATE_EXPECTED=1 to write the output into EXPECTED
# instead.  Runs through a cmake -P script, under CMAKE_CROSSCOMPILING_EMULATOR
# when there is one.
set(SHIMWELL_SCRIPT_TEST_RUNNER ${CMAKE_CURRENT_LIST_DIR}/RunScriptTest.cmake)

function(shimwell_script_test)
  if(NOT SHIMWELL_TESTS)
    return()
  endif()
  cmake_parse_arguments(S "" "NAME;SCRIPT;EXPECTED;PLUGIN;STATUS;STDERR" "" ${ARGN})
  if(NOT S_NAME OR NOT S_SCRIPT OR (NOT S_EXPECTED AND NOT DEFINED S_STATUS))
    message(FATAL_ERROR "shimwell_script_test needs NAME, SCRIPT and EXPECTED (or a STATUS)")
  endif()
  get_filename_component(script ${S_SCRIPT} ABSOLUTE)
  set(args "-DHOST=$<TARGET_FILE:shimwell-host>" "-DSCRIPT=${script}"
           "-DEMULATOR=${CMAKE_CROSSCOMPILING_EMULATOR}")
  if(S_EXPECTED)
    get_filename_component(expected ${S_EXPECTED} ABSOLUTE)
    list(APPEND args "-DEXPECTED=${expected}")
  endif()
  if(S_PLUGIN AND TARGET ${S_PLUGIN})
    list(APPEND args "-DPLUGIN=$<TARGET_FILE:${S_PLUGIN}>")
  elseif(S_PLUGIN)
    list(APPEND args "-DPLUGIN=${S_PLUGIN}")
  endif()
  if(DEFINED S_STATUS)
    list(APPEND args "-DSTATUS=${S_STATUS}")
  endif()
  if(S_STDERR)
    list(APPEND args "-DSTDERR=${S_STDERR}")
  endif()
  add_test(NAME ${S_NAME} COMMAND ${CMAKE_COMMAND} ${args} -P ${SHIMWELL_SCRIPT_TEST_RUNNER})
endfunction()

# shimwell_script_tests(DIR folder [PREFIX prefix] [PLUGIN target|path]): one
# script test per folder/NAME.script, compared with folder/NAME.expected and
# named PREFIX.NAME (PREFIX defaults to the folder's name).  A new pair of
# files in the folder is a new test.
function(shimwell_script_tests)
  cmake_parse_arguments(S "" "DIR;PREFIX;PLUGIN" "" ${ARGN})
  get_filename_component(dir ${S_DIR} ABSOLUTE)
  if(NOT S_PREFIX)
    get_filename_component(S_PREFIX ${dir} NAME)
  endif()
  file(GLOB scripts CONFIGURE_DEPENDS ${dir}/*.script)
  foreach(script IN LISTS scripts)
    get_filename_component(name ${script} NAME_WLE)
    shimwell_script_test(NAME ${S_PREFIX}.${name} SCRIPT ${script} EXPECTED ${dir}/${name}.expected
                         PLUGIN ${S_PLUGIN})
  endforeach()
endfunction()
