#pragma once
// Gradient fills, alpha blending and transparent copies of "msimg32.dll", bound by name: the library
// is loaded on first use, and a system without it draws without these effects (each entry is
// tested before it is called). The library goes when the graphics unit shuts down.
#include "classlib/Win.h"

struct TMsimg32Api {
  decltype(&::AlphaBlend) AlphaBlend = nullptr;
  decltype(&::GradientFill) GradientFill = nullptr;
  decltype(&::TransparentBlt) TransparentBlt = nullptr;
};

// The bound entries, the library loaded first when it is not yet.
const TMsimg32Api& Msimg32();
// Frees the library (the graphics unit's shut-down does it).
void UnloadMsimg32();
