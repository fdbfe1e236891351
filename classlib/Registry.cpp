#include "classlib/Registry.h"

#include <charconv>
#include <cstring>
#include "classlib/Streams.h"
#include "classlib/Strings.h"

CL_DEFINE_CLASS(TRegistry);
CL_DEFINE_CLASS(TRegIniFile);
CL_DEFINE_CLASS(TRegistryIniFile);

namespace {
// Closes a key handle at the end of a scope.
class TKeyHandle {
public:
  explicit TKeyHandle(HKEY key = nullptr) : FKey(key) {}
  ~TKeyHandle()
  {
    if (FKey) RegCloseKey(FKey);
  }
  TKeyHandle(const TKeyHandle&) = delete;
  TKeyHandle& operator=(const TKeyHandle&) = delete;
  HKEY Get() const { return FKey; }
  HKEY* Receive() { return &FKey; }

private:
  HKEY FKey;
};

[[noreturn]] void InvalidType(std::string_view name)
{
  throw ERegistryException("Invalid data type for '" + std::string(name) + "'");
}
[[noreturn]] void GetFailed(std::string_view name)
{
  throw ERegistryException("Failed to get data for '" + std::string(name) + "'");
}
[[noreturn]] void SetFailed(std::string_view name)
{
  throw ERegistryException("Failed to set data for '" + std::string(name) + "'");
}

TRegDataType DataTypeOf(DWORD type)
{
  switch (type) {
    case REG_SZ: return TRegDataType::rdString;
    case REG_EXPAND_SZ: return TRegDataType::rdExpandString;
    case REG_DWORD: return TRegDataType::rdInteger;
    case REG_BINARY: return TRegDataType::rdBinary;
    default: return TRegDataType::rdUnknown;
  }
}

bool QueryValue(HKEY key, std::string_view name, DWORD& type, DWORD& size)
{
  if (!key) return false;
  return RegQueryValueExA(key, std::string(name).c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
}

// The raw data of a value; false when there is none.
bool QueryData(HKEY key, std::string_view name, DWORD& type, std::string& data)
{
  std::string n(name);
  for (int attempt = 0; attempt < 8; ++attempt) {
    DWORD size = 0;
    if (!QueryValue(key, name, type, size)) return false;
    data.assign(size, '\0');
    LONG rc = RegQueryValueExA(key, n.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    if (rc == ERROR_SUCCESS) {
      data.resize(size);
      return true;
    }
    if (rc != ERROR_MORE_DATA) return false;  // else the value grew meanwhile: again
  }
  return false;
}

std::string ReadStringValue(HKEY key, std::string_view name)
{
  DWORD type;
  std::string data;
  if (!QueryData(key, name, type, data)) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) InvalidType(name);
  while (!data.empty() && data.back() == '\0') data.pop_back();
  return data;
}

int ReadIntegerValue(HKEY key, std::string_view name)
{
  DWORD type;
  std::string data;
  if (!QueryData(key, name, type, data)) GetFailed(name);
  if (type != REG_DWORD || data.size() != sizeof(DWORD)) InvalidType(name);
  DWORD v;
  std::memcpy(&v, data.data(), sizeof v);
  return static_cast<int>(v);
}

std::vector<uint8_t> ReadBinaryValue(HKEY key, std::string_view name)
{
  DWORD type;
  std::string data;
  if (!QueryData(key, name, type, data)) GetFailed(name);
  if (type != REG_BINARY && type != REG_NONE) InvalidType(name);
  return std::vector<uint8_t>(data.begin(), data.end());
}

void WriteValue(HKEY key, std::string_view name, DWORD type, const void* data, DWORD size)
{
  if (!key || RegSetValueExA(key, std::string(name).c_str(), 0, type, static_cast<const BYTE*>(data), size) !=
                  ERROR_SUCCESS)
    SetFailed(name);
}

void WriteStringValue(HKEY key, std::string_view name, DWORD type, std::string_view value)
{
  std::string s(value);
  WriteValue(key, name, type, s.c_str(), static_cast<DWORD>(s.size() + 1));
}

void EnumNames(HKEY key, TStrings& names, bool values)
{
  names.BeginUpdate();
  names.Clear();
  DWORD maxKey = 0, maxValue = 0;
  if (key && RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, &maxKey, nullptr, nullptr, &maxValue,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
    std::string buf((values ? maxValue : maxKey) + 2, '\0');
    for (DWORD i = 0;; ++i) {
      DWORD len = static_cast<DWORD>(buf.size());
      LONG rc = values ? RegEnumValueA(key, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr)
                       : RegEnumKeyExA(key, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr);
      if (rc == ERROR_MORE_DATA) {  // added meanwhile with a longer name
        buf.assign(buf.size() * 2, '\0');
        --i;
        continue;
      }
      if (rc != ERROR_SUCCESS) break;
      names.Add(buf.substr(0, len));
    }
  }
  names.EndUpdate();
}

// Deletes a key and everything below it.
bool DeleteTree(HKEY base, const std::string& path)
{
  {
    TKeyHandle key;
    if (RegOpenKeyExA(base, path.c_str(), 0, KEY_READ | DELETE, key.Receive()) != ERROR_SUCCESS) return false;
    auto subkeys = MakeOwned<TStringList>();
    EnumNames(key.Get(), *subkeys, false);
    for (int i = 0; i < subkeys->Count(); ++i) DeleteTree(key.Get(), subkeys->Strings(i));
  }
  return RegDeleteKeyA(base, path.c_str()) == ERROR_SUCCESS;
}

std::string_view WithoutTrailingSlash(std::string_view path)
{
  while (!path.empty() && path.back() == '\\') path.remove_suffix(1);
  return path;
}

bool ParseInt(std::string_view text, int& value)
{
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && ec == std::errc() && end == text.data() + text.size();
}
}  // namespace

// --- TRegistry ---

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY key)
{
  if (key == FRootKey) return;
  CloseKey();
  FRootKey = key;
}

HKEY TRegistry::BaseKey(std::string_view& path) const
{
  if (!path.empty() && path.front() == '\\') {
    path.remove_prefix(1);
    return FRootKey;
  }
  return FCurrentKey ? FCurrentKey : FRootKey;
}

void TRegistry::ChangeKey(HKEY key, std::string path)
{
  CloseKey();
  FCurrentKey = key;
  FCurrentPath = std::move(path);
}

void TRegistry::CloseKey()
{
  if (!FCurrentKey) return;
  if (!FLazyWrite) RegFlushKey(FCurrentKey);
  RegCloseKey(FCurrentKey);
  FCurrentKey = nullptr;
  FCurrentPath.clear();
}

bool TRegistry::OpenKey(std::string_view key, bool canCreate)
{
  std::string_view rel = key;
  bool relative = rel.empty() || rel.front() != '\\';
  HKEY base = BaseKey(rel);
  rel = WithoutTrailingSlash(rel);
  std::string sub(rel);
  HKEY result = nullptr;
  LONG rc = canCreate ? RegCreateKeyExA(base, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr,
                                        &result, nullptr)
                      : RegOpenKeyExA(base, sub.c_str(), 0, FAccess, &result);
  if (rc != ERROR_SUCCESS) return false;
  std::string path = relative && FCurrentKey && !FCurrentPath.empty()
                         ? (sub.empty() ? FCurrentPath : FCurrentPath + "\\" + sub)
                         : sub;
  ChangeKey(result, std::move(path));
  return true;
}

bool TRegistry::OpenKeyReadOnly(std::string_view key)
{
  REGSAM saved = FAccess;
  FAccess = KEY_READ;
  bool ok = OpenKey(key, false);
  FAccess = saved;
  return ok;
}

bool TRegistry::CreateKey(std::string_view key)
{
  std::string_view rel = key;
  HKEY base = BaseKey(rel);
  TKeyHandle result;
  if (RegCreateKeyExA(base, std::string(WithoutTrailingSlash(rel)).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      FAccess, nullptr, result.Receive(), nullptr) != ERROR_SUCCESS)
    throw ERegistryException("Failed to create key " + std::string(key));
  return true;
}

bool TRegistry::DeleteKey(std::string_view key)
{
  std::string_view rel = key;
  HKEY base = BaseKey(rel);
  rel = WithoutTrailingSlash(rel);
  if (rel.empty()) return false;  // the open key or the root itself: never
  return DeleteTree(base, std::string(rel));
}

bool TRegistry::KeyExists(std::string_view key) const
{
  std::string_view rel = key;
  HKEY base = BaseKey(rel);
  TKeyHandle result;
  return RegOpenKeyExA(base, std::string(WithoutTrailingSlash(rel)).c_str(), 0, KEY_QUERY_VALUE,
                       result.Receive()) == ERROR_SUCCESS;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& info) const
{
  info = {};
  DWORD subKeys = 0, maxSubKey = 0, values = 0, maxValue = 0, maxData = 0;
  if (!FCurrentKey || RegQueryInfoKeyA(FCurrentKey, nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &values,
                                       &maxValue, &maxData, nullptr, &info.FileTime) != ERROR_SUCCESS)
    return false;
  info.NumSubKeys = static_cast<int>(subKeys);
  info.MaxSubKeyLen = static_cast<int>(maxSubKey);
  info.NumValues = static_cast<int>(values);
  info.MaxValueLen = static_cast<int>(maxValue);
  info.MaxDataLen = static_cast<int>(maxData);
  return true;
}

bool TRegistry::HasSubKeys() const
{
  TRegKeyInfo info;
  return GetKeyInfo(info) && info.NumSubKeys > 0;
}

void TRegistry::GetKeyNames(TStrings& names) const { EnumNames(FCurrentKey, names, false); }
void TRegistry::GetValueNames(TStrings& names) const { EnumNames(FCurrentKey, names, true); }

bool TRegistry::GetDataInfo(std::string_view name, TRegDataInfo& info) const
{
  DWORD type = 0, size = 0;
  info = {};
  if (!QueryValue(FCurrentKey, name, type, size)) return false;
  info.RegData = DataTypeOf(type);
  info.DataSize = static_cast<int>(size);
  return true;
}

bool TRegistry::ValueExists(std::string_view name) const
{
  TRegDataInfo info;
  return GetDataInfo(name, info);
}

int TRegistry::GetDataSize(std::string_view name) const
{
  TRegDataInfo info;
  return GetDataInfo(name, info) ? info.DataSize : -1;
}

TRegDataType TRegistry::GetDataType(std::string_view name) const
{
  TRegDataInfo info;
  GetDataInfo(name, info);
  return info.RegData;
}

bool TRegistry::DeleteValue(std::string_view name)
{
  return FCurrentKey && RegDeleteValueA(FCurrentKey, std::string(name).c_str()) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(std::string_view name) const { return ReadStringValue(FCurrentKey, name); }

void TRegistry::WriteString(std::string_view name, std::string_view value)
{
  WriteStringValue(FCurrentKey, name, REG_SZ, value);
}

void TRegistry::WriteExpandString(std::string_view name, std::string_view value)
{
  WriteStringValue(FCurrentKey, name, REG_EXPAND_SZ, value);
}

int TRegistry::ReadInteger(std::string_view name) const { return ReadIntegerValue(FCurrentKey, name); }

void TRegistry::WriteInteger(std::string_view name, int value)
{
  DWORD v = static_cast<DWORD>(value);
  WriteValue(FCurrentKey, name, REG_DWORD, &v, sizeof v);
}

bool TRegistry::ReadBool(std::string_view name) const { return ReadInteger(name) != 0; }

void TRegistry::WriteBool(std::string_view name, bool value) { WriteInteger(name, value ? 1 : 0); }

std::vector<uint8_t> TRegistry::ReadBinaryData(std::string_view name) const
{
  return ReadBinaryValue(FCurrentKey, name);
}

int TRegistry::ReadBinaryData(std::string_view name, void* buffer, int size) const
{
  std::vector<uint8_t> data = ReadBinaryValue(FCurrentKey, name);
  if (static_cast<int64_t>(data.size()) > size)
    throw ERegistryException("Buffer too small for the data of '" + std::string(name) + "'");
  if (!data.empty()) std::memcpy(buffer, data.data(), data.size());
  return static_cast<int>(data.size());
}

void TRegistry::WriteBinaryData(std::string_view name, const void* buffer, int size)
{
  WriteValue(FCurrentKey, name, REG_BINARY, buffer, static_cast<DWORD>(size));
}

// --- TRegIniFile ---

TRegIniFile::TRegIniFile(std::string fileName, REGSAM access) : TRegistry(access), FFileName(std::move(fileName))
{
  if (!OpenKey(FFileName, true)) throw ERegistryException("Failed to create key " + FFileName);
}

HKEY TRegIniFile::OpenSection(std::string_view section, TOpen mode) const
{
  std::string_view rel = section;
  HKEY base = BaseKey(rel);
  std::string sub(WithoutTrailingSlash(rel));
  HKEY key = nullptr;
  LONG rc = mode == TOpen::Create
                ? RegCreateKeyExA(base, sub.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, Access(), nullptr, &key,
                                  nullptr)
                : RegOpenKeyExA(base, sub.c_str(), 0, mode == TOpen::Read ? KEY_READ : Access(), &key);
  if (rc != ERROR_SUCCESS) {
    if (mode == TOpen::Create) throw ERegistryException("Failed to create key " + std::string(section));
    return nullptr;
  }
  return key;
}

std::string TRegIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) const
{
  TKeyHandle key(OpenSection(section, TOpen::Read));
  DWORD type, size;
  if (!QueryValue(key.Get(), ident, type, size)) return std::string(def);
  if (type == REG_DWORD) return std::to_string(ReadIntegerValue(key.Get(), ident));
  return ReadStringValue(key.Get(), ident);
}

void TRegIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
  TKeyHandle key(OpenSection(section, TOpen::Create));
  WriteStringValue(key.Get(), ident, REG_SZ, value);
}

int TRegIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) const
{
  TKeyHandle key(OpenSection(section, TOpen::Read));
  DWORD type, size;
  if (!QueryValue(key.Get(), ident, type, size)) return def;
  if (type == REG_DWORD) return ReadIntegerValue(key.Get(), ident);
  if (type == REG_SZ || type == REG_EXPAND_SZ) {
    int v;
    return ParseInt(ReadStringValue(key.Get(), ident), v) ? v : def;
  }
  return def;
}

void TRegIniFile::WriteInteger(std::string_view section, std::string_view ident, int value)
{
  TKeyHandle key(OpenSection(section, TOpen::Create));
  DWORD v = static_cast<DWORD>(value);
  WriteValue(key.Get(), ident, REG_DWORD, &v, sizeof v);
}

bool TRegIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const
{
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
  WriteInteger(section, ident, value ? 1 : 0);
}

std::vector<uint8_t> TRegIniFile::ReadBinary(std::string_view section, std::string_view ident) const
{
  TKeyHandle key(OpenSection(section, TOpen::Read));
  DWORD type, size;
  if (!QueryValue(key.Get(), ident, type, size)) return {};
  return ReadBinaryValue(key.Get(), ident);
}

void TRegIniFile::WriteBinary(std::string_view section, std::string_view ident, const void* data, int size)
{
  TKeyHandle key(OpenSection(section, TOpen::Create));
  WriteValue(key.Get(), ident, REG_BINARY, data, static_cast<DWORD>(size));
}

void TRegIniFile::ReadSection(std::string_view section, TStrings& idents) const
{
  TKeyHandle key(OpenSection(section, TOpen::Read));
  EnumNames(key.Get(), idents, true);
}

void TRegIniFile::ReadSections(TStrings& sections) const { GetKeyNames(sections); }

void TRegIniFile::ReadSectionValues(std::string_view section, TStrings& values) const
{
  auto idents = MakeOwned<TStringList>();
  ReadSection(section, *idents);
  values.BeginUpdate();
  values.Clear();
  for (int i = 0; i < idents->Count(); ++i)
    values.Add(idents->Strings(i) + "=" + ReadString(section, idents->Strings(i), ""));
  values.EndUpdate();
}

void TRegIniFile::EraseSection(std::string_view section) { TRegistry::DeleteKey(section); }

void TRegIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
  TKeyHandle key(OpenSection(section, TOpen::Write));
  if (key.Get()) RegDeleteValueA(key.Get(), std::string(ident).c_str());
}

// --- TRegistryIniFile ---

TRegistryIniFile::TRegistryIniFile(std::string fileName, REGSAM access)
    : TCustomIniFile(fileName), FRegIniFile(New<TRegIniFile>(std::move(fileName), access))
{
}

TRegistryIniFile::~TRegistryIniFile() = default;

std::string TRegistryIniFile::ReadString(std::string_view section, std::string_view ident,
                                         std::string_view def) const
{
  return FRegIniFile->ReadString(section, ident, def);
}

void TRegistryIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
  FRegIniFile->WriteString(section, ident, value);
}

int TRegistryIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) const
{
  return FRegIniFile->ReadInteger(section, ident, def);
}

void TRegistryIniFile::WriteInteger(std::string_view section, std::string_view ident, int value)
{
  FRegIniFile->WriteInteger(section, ident, value);
}

bool TRegistryIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const
{
  return FRegIniFile->ReadBool(section, ident, def);
}

void TRegistryIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
  FRegIniFile->WriteBool(section, ident, value);
}

int64_t TRegistryIniFile::ReadBinaryStream(std::string_view section, std::string_view ident, TStream& value) const
{
  std::vector<uint8_t> data = FRegIniFile->ReadBinary(section, ident);
  if (!data.empty()) value.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
  return static_cast<int64_t>(data.size());
}

void TRegistryIniFile::WriteBinaryStream(std::string_view section, std::string_view ident, TStream& value)
{
  int64_t size = value.Size() - value.Position();
  if (size > INT32_MAX) throw ERegistryException("Binary value too large for '" + std::string(ident) + "'");
  std::vector<uint8_t> data(static_cast<size_t>(size > 0 ? size : 0));
  if (!data.empty()) value.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
  FRegIniFile->WriteBinary(section, ident, data.data(), static_cast<int>(data.size()));
}

void TRegistryIniFile::ReadSection(std::string_view section, TStrings& keys) const
{
  FRegIniFile->ReadSection(section, keys);
}

void TRegistryIniFile::ReadSections(TStrings& sections) const { FRegIniFile->ReadSections(sections); }

void TRegistryIniFile::ReadSectionValues(std::string_view section, TStrings& values) const
{
  FRegIniFile->ReadSectionValues(section, values);
}

void TRegistryIniFile::EraseSection(std::string_view section) { FRegIniFile->EraseSection(section); }

void TRegistryIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
  FRegIniFile->DeleteKey(section, ident);
}
