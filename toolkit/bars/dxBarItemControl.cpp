#include "toolkit/bars/dxBarItemControl.h"

CL_DEFINE_CLASS(TdxBarItemControl);
