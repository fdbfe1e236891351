#pragma once
// The system registry: TRegistry opens keys below a root key and reads and writes typed values;
// TRegIniFile reads and writes them ini-style (a section is a subkey); TRegistryIniFile offers the
// TCustomIniFile interface over a key, so that code written for ini files stores in the registry.
//
// Key paths: a path starting with "\" is taken from the root key, any other from the open key
// (or the root key when none is open). Text is ANSI (code page 936).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/IniFiles.h"
#include "classlib/Win.h"

class TStrings;

CL_EXCEPTION(ERegistryException, Exception);

enum class TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

struct TRegKeyInfo {
  int NumSubKeys = 0;
  int MaxSubKeyLen = 0;
  int NumValues = 0;
  int MaxValueLen = 0;
  int MaxDataLen = 0;
  FILETIME FileTime{};
};

struct TRegDataInfo {
  TRegDataType RegData = TRegDataType::rdUnknown;
  int DataSize = 0;
};

class TRegistry : public TObject {
  CL_CLASS(TRegistry, TObject)
public:
  explicit TRegistry(REGSAM access = KEY_ALL_ACCESS) : FAccess(access) {}
  ~TRegistry() override;

  HKEY RootKey() const { return FRootKey; }
  // Closes the open key first.
  void SetRootKey(HKEY key);
  HKEY CurrentKey() const { return FCurrentKey; }
  // The path of the open key below the root ("" when none is open).
  const std::string& CurrentPath() const { return FCurrentPath; }
  REGSAM Access() const { return FAccess; }
  void SetAccess(REGSAM access) { FAccess = access; }
  // When off, closing a key flushes it to disk first.
  bool LazyWrite() const { return FLazyWrite; }
  void SetLazyWrite(bool value) { FLazyWrite = value; }

  // Opens key (creating it and its missing parents when canCreate) and makes it the open key;
  // false when it does not exist or cannot be opened, leaving the open key as it was.
  bool OpenKey(std::string_view key, bool canCreate);
  bool OpenKeyReadOnly(std::string_view key);
  void CloseKey();
  // Creates key without opening it; raises ERegistryException "Failed to create key <key>".
  bool CreateKey(std::string_view key);
  // Deletes key with all its subkeys; false when it does not exist or cannot be deleted.
  bool DeleteKey(std::string_view key);
  bool KeyExists(std::string_view key) const;
  bool HasSubKeys() const;
  bool GetKeyInfo(TRegKeyInfo& info) const;
  // Subkey and value names of the open key (each replaces the list's contents).
  void GetKeyNames(TStrings& names) const;
  void GetValueNames(TStrings& names) const;

  bool ValueExists(std::string_view name) const;
  bool DeleteValue(std::string_view name);
  bool GetDataInfo(std::string_view name, TRegDataInfo& info) const;
  // The size of a value's data in bytes, -1 when there is no such value.
  int GetDataSize(std::string_view name) const;
  TRegDataType GetDataType(std::string_view name) const;

  // Reading a value of another type raises ERegistryException "Invalid data type for '<name>'";
  // reading an absent value raises "Failed to get data for '<name>'", except ReadString, which
  // answers "". Failed writes raise "Failed to set data for '<name>'".
  std::string ReadString(std::string_view name) const;
  void WriteString(std::string_view name, std::string_view value);
  void WriteExpandString(std::string_view name, std::string_view value);
  int ReadInteger(std::string_view name) const;
  void WriteInteger(std::string_view name, int value);
  bool ReadBool(std::string_view name) const;
  void WriteBool(std::string_view name, bool value);
  // Copies up to size bytes of a binary value to buffer and returns the count of the value's bytes;
  // raises when buffer is too small.
  int ReadBinaryData(std::string_view name, void* buffer, int size) const;
  std::vector<uint8_t> ReadBinaryData(std::string_view name) const;
  void WriteBinaryData(std::string_view name, const void* buffer, int size);

protected:
  // The key a path starts from, and the path without its leading "\".
  HKEY BaseKey(std::string_view& path) const;

private:
  void ChangeKey(HKEY key, std::string path);

  HKEY FRootKey = HKEY_CURRENT_USER;
  HKEY FCurrentKey = nullptr;
  std::string FCurrentPath;
  REGSAM FAccess;
  bool FLazyWrite = true;
};

// Ini-style access to a key: the key named by fileName below HKEY_CURRENT_USER is opened (and
// created) at once; a section is a subkey of it (created when written), "" the key itself.
class TRegIniFile : public TRegistry {
  CL_CLASS(TRegIniFile, TRegistry)
public:
  explicit TRegIniFile(std::string fileName, REGSAM access = KEY_ALL_ACCESS);

  const std::string& FileName() const { return FFileName; }
  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const;
  void WriteString(std::string_view section, std::string_view ident, std::string_view value);
  // Integers and Booleans are stored as DWORD values; reading also accepts them as text.
  int ReadInteger(std::string_view section, std::string_view ident, int def) const;
  void WriteInteger(std::string_view section, std::string_view ident, int value);
  bool ReadBool(std::string_view section, std::string_view ident, bool def) const;
  void WriteBool(std::string_view section, std::string_view ident, bool value);
  std::vector<uint8_t> ReadBinary(std::string_view section, std::string_view ident) const;
  void WriteBinary(std::string_view section, std::string_view ident, const void* data, int size);
  void ReadSection(std::string_view section, TStrings& idents) const;
  void ReadSections(TStrings& sections) const;
  void ReadSectionValues(std::string_view section, TStrings& values) const;
  void EraseSection(std::string_view section);
  void DeleteKey(std::string_view section, std::string_view ident);
  using TRegistry::DeleteKey;

private:
  enum class TOpen { Read, Write, Create };
  // The section's key, opened for reading or writing, or created; null when absent.
  HKEY OpenSection(std::string_view section, TOpen mode) const;
  std::string FFileName;
};

// TCustomIniFile over a registry key: code written for ini files stores in the registry.
class TRegistryIniFile : public TCustomIniFile {
  CL_CLASS(TRegistryIniFile, TCustomIniFile)
public:
  explicit TRegistryIniFile(std::string fileName, REGSAM access = KEY_ALL_ACCESS);
  ~TRegistryIniFile() override;

  TRegIniFile& RegIniFile() { return *FRegIniFile; }

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const override;
  void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
  int ReadInteger(std::string_view section, std::string_view ident, int def) const override;
  void WriteInteger(std::string_view section, std::string_view ident, int value) override;
  bool ReadBool(std::string_view section, std::string_view ident, bool def) const override;
  void WriteBool(std::string_view section, std::string_view ident, bool value) override;
  int64_t ReadBinaryStream(std::string_view section, std::string_view ident, TStream& value) const override;
  void WriteBinaryStream(std::string_view section, std::string_view ident, TStream& value) override;
  void ReadSection(std::string_view section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  void ReadSectionValues(std::string_view section, TStrings& values) const override;
  void EraseSection(std::string_view section) override;
  void DeleteKey(std::string_view section, std::string_view ident) override;
  void UpdateFile() override {}

private:
  TOwned<TRegIniFile> FRegIniFile;
};
