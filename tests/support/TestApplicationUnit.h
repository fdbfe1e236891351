#pragma once
#include "classlib/Units.h"

// The test executables' own unit, started after the application's: an exception that reaches the
// application is written to standard error rather than shown in a message box nobody would close;
// tests that look at OnException set their own.
extern TUnit TestApplicationUnit;
