#pragma once

// The system's headers, without the macros that would rename the program's own members
// (FileSystem::DeleteFile, ShellDrop::DragQueryFile, ...) to their ANSI or wide variants:
// the program calls the "A" functions by their full names.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// These need the types of windows.h.
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <uxtheme.h>
#include <vssym32.h>

#undef DeleteFile
#undef DragQueryFile
#undef GetCurrentDirectory
#undef GetDiskFreeSpace
#undef GetFullPathName
#undef SetCurrentDirectory
