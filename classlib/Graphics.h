#pragma once
// The graphics layer of the class library in one include: colours (ColorToRGB), fonts, brushes
// and pens, canvases, and the picture model (TGraphic, TBitmap, TIcon, TPicture). Image lists are
// in ImageList.h.
#include "classlib/Bitmap.h"
#include "classlib/Canvas.h"
#include "classlib/Colors.h"
#include "classlib/Graphic.h"
#include "classlib/GraphicsObjects.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Icon.h"
#include "classlib/Picture.h"
#include "classlib/Units.h"

// The graphics unit: registers the graphics classes (TBitmap, TIcon, TPicture, TFont, TBrush, TPen,
// TImageList) for stored forms and the character-set names of TFont.Charset; at shut-down it
// unregisters them and releases the device contexts of bitmap canvases.
extern TUnit GraphicsUnit;
