#pragma once
// The behaviour every TCustomIniFile shares, checked the same way for ini files and the registry.
#include <algorithm>
#include <functional>
#include <string>
#include <vector>
#include "classlib/IniFiles.h"
#include "classlib/Strings.h"

// The lines of a list, sorted, for comparisons that must not depend on the store's order.
inline std::vector<std::string> Sorted(const TStrings& list)
{
  std::vector<std::string> v;
  for (int i = 0; i < list.Count(); ++i) v.push_back(list.Strings(i));
  std::sort(v.begin(), v.end());
  return v;
}

// Writes sections of every value kind (Chinese text included) through ini, then checks them through
// ini and through a second instance that reopen makes on the same store, then erases a section and
// deletes a key and checks again.
void ExpectIniFileRoundTrip(TCustomIniFile& ini, const std::function<TOwned<TCustomIniFile>()>& reopen);
