// The few Win32 types that cross the host boundary, declared without
// <windows.h> elsewhere.
#ifndef SHIMWELL_HOST_WIN_TYPES_H_
#define SHIMWELL_HOST_WIN_TYPES_H_

#ifdef _WIN32
#include <windows.h>
#else
struct HWND__;
using HWND = HWND__*;
#endif

#endif  // SHIMWELL_HOST_WIN_TYPES_H_
