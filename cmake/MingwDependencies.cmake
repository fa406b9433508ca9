# Third-party libraries of the Windows builds, compiled from source with the
# cross compiler: JsonCpp from Debian's source package (fetched by
# `scripts/setup windows`) and GoogleTest from the sources that Debian's
# libgtest-dev installs.  The targets are named as in the native build.
set(SHIMWELL_JSONCPP_SOURCE_DIR ${PROJECT_SOURCE_DIR}/third_party/src/jsoncpp
    CACHE PATH "JsonCpp sources for the Windows builds")
set(SHIMWELL_GOOGLETEST_SOURCE_DIR /usr/src/googletest
    CACHE PATH "GoogleTest sources for the Windows builds")

set(jsoncpp_dir ${SHIMWELL_JSONCPP_SOURCE_DIR}/src/lib_json)
if(NOT EXISTS ${jsoncpp_dir}/json_value.cpp)
  message(FATAL_ERROR "No JsonCpp sources in ${SHIMWELL_JSONCPP_SOURCE_DIR}: "
                      "run `scripts/setup windows` first.")
endif()
add_library(jsoncpp_static STATIC
  ${jsoncpp_dir}/json_reader.cpp ${jsoncpp_dir}/json_value.cpp ${jsoncpp_dir}/json_writer.cpp)
target_include_directories(jsoncpp_static SYSTEM PUBLIC ${SHIMWELL_JSONCPP_SOURCE_DIR}/include)
set(SHIMWELL_JSON jsoncpp_static)

if(SHIMWELL_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # GoogleTest uses Win32 threads on Windows.
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(${SHIMWELL_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/third_party/googletest
                   EXCLUDE_FROM_ALL SYSTEM)  # defines GTest::gtest, GTest::gmock, ...
endif()

# Boost is used header-only: Debian's headers, reached through a folder that
# holds nothing else, so that the cross compiler never sees the host's
# /usr/include.  find_package(Boost) then finds them there.
if(EXISTS /usr/include/boost/version.hpp)
  set(boost_include ${CMAKE_BINARY_DIR}/third_party/boost-include)
  file(MAKE_DIRECTORY ${boost_include})
  file(CREATE_LINK /usr/include/boost ${boost_include}/boost SYMBOLIC)
  set(Boost_INCLUDE_DIR ${boost_include} CACHE PATH "Boost headers for the Windows builds")
  set(Boost_NO_BOOST_CMAKE ON)
endif()
