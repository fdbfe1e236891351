#pragma once
// The behaviour every TCustomIniFile shares, checked the same way for ini files and the registry.
#include <functional>
#include "classlib/IniFiles.h"

// Writes sections of every value kind (Chinese text included) through ini, then checks them through
// ini and through a second instance that reopen makes on the same store, then erases a section and
// deletes a key and checks again.
void ExpectIniFileRoundTrip(TCustomIniFile& ini, const std::function<TOwned<TCustomIniFile>()>& reopen);
