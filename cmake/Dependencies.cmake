# Third-party libraries: JsonCpp everywhere, GoogleTest for the tests.
find_package(jsoncpp CONFIG REQUIRED)
if(TARGET JsonCpp::JsonCpp)
  set(SHIMWELL_JSON JsonCpp::JsonCpp)
elseif(TARGET jsoncpp_static)
  set(SHIMWELL_JSON jsoncpp_static)
else()
  set(SHIMWELL_JSON jsoncpp_lib)
endif()

find_package(Threads REQUIRED)
if(SHIMWELL_TESTS)
  find_package(GTest CONFIG REQUIRED)
endif()
