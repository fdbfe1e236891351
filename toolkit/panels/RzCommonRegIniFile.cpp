#include "toolkit/panels/RzCommonRegIniFile.h"

#include <string_view>

namespace {
constexpr std::string_view PathTypeNames[] = {"ptIniFile", "ptRegistry"};
constexpr std::string_view RegKeyNames[] = {"hkeyClassesRoot",   "hkeyCurrentUser",     "hkeyLocalMachine",
                                            "hkeyUsers",         "hkeyPerformanceData", "hkeyCurrentConfig",
                                            "hkeyDynData"};
constexpr std::string_view RegAccessKeyNames[] = {"keyQueryValue", "keySetValue",  "keyCreateSubKey", "keyEnumerateSubKeys",
                                                  "keyNotify",     "keyCreateLink", "keyRead",        "keyWrite",
                                                  "keyExecute",    "keyAllAccess"};
constexpr std::string_view SpecialFolderNames[] = {"sfNone", "sfUserAppDataRoaming", "sfUserAppDataLocal",
                                                   "sfUserDocuments", "sfProgramData"};
constexpr std::string_view IniFileEncodingNames[] = {"feDefault", "feUTF8", "feUnicode"};
}  // namespace

const TEnumInfo RzPathTypeInfo = EnumInfo<TRzPathType::ptRegistry>("TRzPathType", PathTypeNames);
const TEnumInfo RzRegKeyInfo = EnumInfo<TRzRegKey::hkeyDynData>("TRzRegKey", RegKeyNames);
const TEnumInfo RzRegAccessKeyInfo = EnumInfo<TRzRegAccessKey::keyAllAccess>("TRzRegAccessKey", RegAccessKeyNames);
const TEnumInfo RzSpecialFolderInfo = EnumInfo<TRzSpecialFolder::sfProgramData>("TRzSpecialFolder", SpecialFolderNames);
const TEnumInfo RzIniFileEncodingInfo =
    EnumInfo<TRzIniFileEncoding::feUnicode>("TRzIniFileEncoding", IniFileEncodingNames);

namespace {
using TR = TRzRegIniFile;
constexpr TPropInfo RegIniFileProps[] = {
  StrProp<&TR::Path, &TR::SetPath>("Path"),
  EnumProp<&TR::PathType, &TR::SetPathType>("PathType", RzPathTypeInfo, 0),
  EnumProp<&TR::RegKey, &TR::SetRegKey>("RegKey", RzRegKeyInfo, 1),
  SetProp<&TR::RegAccess, &TR::SetRegAccess>("RegAccess", RzRegAccessKeyInfo,
                                             TRzRegAccess{TRzRegAccessKey::keyAllAccess}.ToInt()),
  EnumProp<&TR::SpecialFolder, &TR::SetSpecialFolder>("SpecialFolder", RzSpecialFolderInfo, 0),
  EnumProp<&TR::FileEncoding, &TR::SetFileEncoding>("FileEncoding", RzIniFileEncodingInfo, 0),
};
}  // namespace

CL_DEFINE_CLASS(TRzRegIniFile, .Props = RegIniFileProps);

TRzRegIniFile::TRzRegIniFile(TComponent* owner) : TComponent(owner) {}

template <class T>
void TRzRegIniFile::Change(T& field, const T& value)
{
  SetAndNotify(field, value, [this] { FRefreshStorage = true; });
}

void TRzRegIniFile::SetPath(const std::string& value) { Change(FPath, value); }
void TRzRegIniFile::SetPathType(TRzPathType value) { Change(FPathType, value); }
void TRzRegIniFile::SetRegKey(TRzRegKey value) { Change(FRegKey, value); }
void TRzRegIniFile::SetRegAccess(TRzRegAccess value) { Change(FRegAccess, value); }
void TRzRegIniFile::SetSpecialFolder(TRzSpecialFolder value) { Change(FSpecialFolder, value); }
void TRzRegIniFile::SetFileEncoding(TRzIniFileEncoding value) { Change(FFileEncoding, value); }
