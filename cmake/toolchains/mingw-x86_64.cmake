# 64-bit Windows with mingw-w64.  Its programs, tests included, run here
# under wine64 through the cross-compiling emulator.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(SHIMWELL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)

# wine64 with a prefix of the build's own, so a run depends on nothing in
# the user's home.  One program with no arguments, so that it passes through
# lists and -D options unchanged; tools/windows writes it at configure time.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
