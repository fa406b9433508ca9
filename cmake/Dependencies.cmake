# Third-party libraries: JsonCpp everywhere, GoogleTest for the tests.
if(MINGW)
  # Windows builds compile both from source with the cross compiler.
  include(${CMAKE_CURRENT_LIST_DIR}/MingwDependencies.cmake)
else()
  find_package(jsoncpp CONFIG REQUIRED)
  if(TARGET JsonCpp::JsonCpp)
    set(SHIMWELL_JSON JsonCpp::JsonCpp)
  elseif(TARGET jsoncpp_static)
    set(SHIMWELL_JSON jsoncpp_static)
  else()
    set(SHIMWELL_JSON jsoncpp_lib)
  endif()
endif()

find_package(Threads REQUIRED)
if(SHIMWELL_TESTS AND NOT MINGW)
  find_package(GTest CONFIG REQUIRED)
endif()
