#pragma once
// The bars' catalogue of the painter gallery: a sheet of its own for each bar painter.
#include "tests/gallery/GalleryCatalogue.h"

const TGalleryCatalogue& BarsGalleryCatalogue();
