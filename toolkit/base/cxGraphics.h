#pragma once
// The toolkit's drawing base in one include: regions and the canvas wrapper, the shared screen and
// paint canvases, the graphics functions, the toolkit's bitmaps and their compressed stream form.
#include "toolkit/base/cxGraphicsBitmapStream.h"
#include "toolkit/base/cxGraphicsBitmaps.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsFunctions.h"
#include "toolkit/base/cxGraphicsPaintCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
