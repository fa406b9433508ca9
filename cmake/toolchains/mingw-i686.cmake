# 32-bit Windows (the deliverables' platform) with mingw-w64.  32-bit
# programs cannot run on this machine: this build is compiled, linked and
# inspected, not run.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(SHIMWELL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
