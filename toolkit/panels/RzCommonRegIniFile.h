#pragma once
// TRzRegIniFile: where settings would be stored, an ini file or a registry key, as a component that
// a frame controller can refer to. It holds the configuration only; nothing reads or writes storage
// through it.
#include <string>
#include "classlib/Component.h"
#include "classlib/Sets.h"
#include "classlib/TypInfo.h"

enum class TRzPathType { ptIniFile, ptRegistry };
enum class TRzRegKey {
  hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData, hkeyCurrentConfig,
  hkeyDynData
};
enum class TRzRegAccessKey {
  keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify, keyCreateLink, keyRead, keyWrite,
  keyExecute, keyAllAccess
};
using TRzRegAccess = TSet<TRzRegAccessKey>;
enum class TRzSpecialFolder { sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData };
enum class TRzIniFileEncoding { feDefault, feUTF8, feUnicode };

extern const TEnumInfo RzPathTypeInfo;
extern const TEnumInfo RzRegKeyInfo;
extern const TEnumInfo RzRegAccessKeyInfo;
extern const TEnumInfo RzSpecialFolderInfo;
extern const TEnumInfo RzIniFileEncodingInfo;

class TRzRegIniFile : public TComponent {
  CL_CLASS(TRzRegIniFile, TComponent)
public:
  explicit TRzRegIniFile(TComponent* owner);

  // Published. Each setter stores a changed value and marks the storage for refreshing.
  const std::string& Path() const { return FPath; }
  virtual void SetPath(const std::string& value);
  TRzPathType PathType() const { return FPathType; }
  virtual void SetPathType(TRzPathType value);
  TRzRegKey RegKey() const { return FRegKey; }
  virtual void SetRegKey(TRzRegKey value);
  TRzRegAccess RegAccess() const { return FRegAccess; }
  virtual void SetRegAccess(TRzRegAccess value);
  TRzSpecialFolder SpecialFolder() const { return FSpecialFolder; }
  virtual void SetSpecialFolder(TRzSpecialFolder value);
  TRzIniFileEncoding FileEncoding() const { return FFileEncoding; }
  virtual void SetFileEncoding(TRzIniFileEncoding value);

  // Set when made and by every change of the configuration.
  bool RefreshStorage() const { return FRefreshStorage; }

private:
  template <class T> void Change(T& field, const T& value);

  std::string FPath;
  TRzPathType FPathType = TRzPathType::ptIniFile;
  TRzRegKey FRegKey = TRzRegKey::hkeyCurrentUser;
  TRzRegAccess FRegAccess{TRzRegAccessKey::keyAllAccess};
  TRzSpecialFolder FSpecialFolder = TRzSpecialFolder::sfNone;
  TRzIniFileEncoding FFileEncoding = TRzIniFileEncoding::feDefault;
  bool FRefreshStorage = true;
};
