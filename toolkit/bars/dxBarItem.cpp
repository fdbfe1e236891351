#include "toolkit/bars/dxBarItem.h"

CL_DEFINE_CLASS(TdxBarItem);
