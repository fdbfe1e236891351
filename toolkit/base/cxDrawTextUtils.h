#pragma once
// The wide-text layout and its output in one include: rows, line breaking and alignment, and the
// drawing of laid-out rows with ellipsis, highlight and pattern.
#include "toolkit/base/cxDrawTextUtilsDrawing.h"
#include "toolkit/base/cxDrawTextUtilsLayout.h"
