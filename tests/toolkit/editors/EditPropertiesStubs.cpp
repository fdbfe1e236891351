#include "tests/toolkit/editors/EditPropertiesStubs.h"

CL_DEFINE_CLASS(TStubProvider);
