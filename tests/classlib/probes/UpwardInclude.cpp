// The class library sees only its own headers: one of the toolkit's is not found.
#include "classlib/Object.h"
#include "toolkit/base/cxClasses.h"
