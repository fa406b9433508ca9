# Shared part of the mingw-w64 toolchains.  The including file sets
# SHIMWELL_MINGW_TRIPLE (i686-w64-mingw32 or x86_64-w64-mingw32) first.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${SHIMWELL_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SHIMWELL_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SHIMWELL_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${SHIMWELL_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# <windows.h> without the min and max macros (they break std::min and
# numeric_limits<T>::max) and without the old winsock.h (it clashes with
# winsock2.h, which networking code includes).
set(CMAKE_C_FLAGS_INIT "-DNOMINMAX -DWIN32_LEAN_AND_MEAN -Wa,-mbig-obj")
set(CMAKE_CXX_FLAGS_INIT "-DNOMINMAX -DWIN32_LEAN_AND_MEAN -Wa,-mbig-obj")

# An object file holds one section per function instantiated, named after
# it.  A test full of Beast templates built without optimisation has more
# sections (-mbig-obj above) and longer names than COFF's string table can
# take; -Og inlines enough to fit and keeps the code debuggable.
set(CMAKE_C_FLAGS_DEBUG_INIT "-g -Og")
set(CMAKE_CXX_FLAGS_DEBUG_INIT "-g -Og")

# The C and C++ runtimes and winpthread are linked in statically, so a
# program or DLL needs nothing beside it but Windows' own DLLs.
set(SHIMWELL_MINGW_STATIC "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${SHIMWELL_MINGW_STATIC}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${SHIMWELL_MINGW_STATIC}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${SHIMWELL_MINGW_STATIC}")
