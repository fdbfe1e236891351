#pragma once
// The one way the class library includes the Windows headers, so that every translation unit sees
// the same macros (GetObject, DrawText, ... are renamed alike everywhere).
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
