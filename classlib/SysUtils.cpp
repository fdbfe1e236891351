#include "classlib/SysUtils.h"
