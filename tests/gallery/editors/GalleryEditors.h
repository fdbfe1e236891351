#pragma once
// The editors' catalogue of the painter gallery.
#include "tests/gallery/GalleryCatalogue.h"

const TGalleryCatalogue& EditorsGalleryCatalogue();
