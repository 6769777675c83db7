#pragma once

// GDI+ needs the COM property types that WIN32_LEAN_AND_MEAN leaves out of windows.h.
#include <windows.h>
// clang-format off
#include <objidl.h>
#include <gdiplus.h>
// clang-format on
