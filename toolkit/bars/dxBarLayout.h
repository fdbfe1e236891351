#pragma once
// What a bar manager tells the handlers of OnLayoutLoaded and OnLayoutSaved: the store read or
// written, its kind, the section base and the delimiter between a section and its sub-sections.
#include <string>
#include <string_view>
#include "classlib/IniFiles.h"
#include "toolkit/bars/dxBarRoutines.h"
#include "toolkit/base/cxClasses.h"

struct TdxBarIniFileEventData : TcxEventArgs {
  TCustomIniFile* IniFile = nullptr;
  TdxBarStoringKind StoringKind = TdxBarStoringKind::bskIni;
  std::string SectionBase;
  std::string Delimiter;
};

// A registry path with a leading and a trailing "\" (empty stays empty).
std::string NormalizeRegistryPath(std::string_view path);

// The version a layout is written with (never read back).
constexpr int dxBarLayoutVersion = 20110106;
