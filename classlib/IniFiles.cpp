#include "classlib/IniFiles.h"

#include <charconv>
#include "classlib/Parser.h"
#include "classlib/ReaderWork.h"
#include "classlib/Streams.h"
#include "classlib/Strings.h"

CL_DEFINE_CLASS(TCustomIniFile);
CL_DEFINE_CLASS(TIniFile);
CL_DEFINE_CLASS(TMemIniFile);

namespace {
bool SameName(std::string_view a, std::string_view b)
{
  if (a.size() != b.size()) return false;
  return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                        static_cast<int>(b.size())) == CSTR_EQUAL;
}

// What names compare by: two names are the same (SameName) exactly when their keys are equal, the
// length and the system's case-blind sort key.
std::string NameKey(std::string_view name)
{
  CountReaderWork();
  std::string key = std::to_string(name.size()) + ':';
  if (name.empty()) return key;
  const int length = static_cast<int>(name.size());
  const int n = LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name.data(), length, nullptr, 0);
  if (n <= 0) return key + std::string(name);
  std::string sortKey(static_cast<size_t>(n), '\0');
  LCMapStringA(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | NORM_IGNORECASE, name.data(), length, sortKey.data(), n);
  return key + sortKey;
}

std::string_view Trimmed(std::string_view s)
{
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

bool ParseInt(std::string_view text, int& value)
{
  text = Trimmed(text);
  bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  int64_t v = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return false;
  if (negative) v = -v;
  // Hexadecimal may spell a negative number by its bits ($FFFFFFFF).
  if (base == 16 && !negative && v > INT32_MAX && v <= UINT32_MAX) v = static_cast<int32_t>(static_cast<uint32_t>(v));
  if (v < INT32_MIN || v > INT32_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

// The strings of a list of zero-terminated strings ended by an empty one.
void SplitNullList(const char* p, TStrings& list)
{
  while (*p) {
    std::string s(p);
    p += s.size() + 1;
    list.Add(s);
  }
}

std::string ReadFileText(const std::string& fileName)
{
  auto file = MakeOwned<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
  std::string text(static_cast<size_t>(file->Size()), '\0');
  if (!text.empty()) file->ReadBuffer(text.data(), static_cast<int64_t>(text.size()));
  // A file saved as UTF-8 with a byte-order mark is read as the text it means.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) {
    std::string ansi;
    if (TryUtf8ToAnsi(std::string_view(text).substr(3), ansi))
      text = std::move(ansi);
    else
      text.erase(0, 3);
  }
  return text;
}
}  // namespace

// --- TCustomIniFile ---

int TCustomIniFile::ReadInteger(std::string_view section, std::string_view ident, int def) const
{
  int v;
  std::string s = ReadString(section, ident, "");
  return ParseInt(s, v) ? v : def;
}

void TCustomIniFile::WriteInteger(std::string_view section, std::string_view ident, int value)
{
  WriteString(section, ident, std::to_string(value));
}

bool TCustomIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const
{
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(std::string_view section, std::string_view ident, bool value)
{
  WriteString(section, ident, value ? "1" : "0");
}

int64_t TCustomIniFile::ReadBinaryStream(std::string_view section, std::string_view ident, TStream& value) const
{
  std::string text(Trimmed(ReadString(section, ident, "")));
  if (text.size() % 2)
    throw EIniFileException("Invalid binary value for " + std::string(ident) + " in section " + std::string(section));
  std::string bytes(text.size() / 2, '\0');
  for (size_t i = 0; i < bytes.size(); ++i) {
    unsigned v = 0;
    auto [end, ec] = std::from_chars(text.data() + 2 * i, text.data() + 2 * i + 2, v, 16);
    if (ec != std::errc() || end != text.data() + 2 * i + 2)
      throw EIniFileException("Invalid binary value for " + std::string(ident) + " in section " +
                              std::string(section));
    bytes[i] = static_cast<char>(v);
  }
  if (!bytes.empty()) value.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  return static_cast<int64_t>(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(std::string_view section, std::string_view ident, TStream& value)
{
  static constexpr char Hex[] = "0123456789ABCDEF";
  int64_t size = value.Size() - value.Position();
  std::string bytes(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (!bytes.empty()) value.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  std::string text;
  text.reserve(bytes.size() * 2);
  for (char c : bytes) {
    text += Hex[static_cast<unsigned char>(c) >> 4];
    text += Hex[static_cast<unsigned char>(c) & 15];
  }
  WriteString(section, ident, text);
}

bool TCustomIniFile::SectionExists(std::string_view section) const
{
  auto keys = MakeOwned<TStringList>();
  ReadSection(section, *keys);
  return keys->Count() > 0;
}

bool TCustomIniFile::ValueExists(std::string_view section, std::string_view ident) const
{
  auto keys = MakeOwned<TStringList>();
  ReadSection(section, *keys);
  for (int i = 0; i < keys->Count(); ++i)
    if (SameName(keys->Strings(i), ident)) return true;
  return false;
}

// --- TIniFile ---

std::string TIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) const
{
  std::string sec(section), key(ident), defText(def);
  std::string buf(2048, '\0');
  for (;;) {
    DWORD n = GetPrivateProfileStringA(sec.c_str(), key.c_str(), defText.c_str(), buf.data(),
                                       static_cast<DWORD>(buf.size()), FFileName.c_str());
    if (n + 1 < buf.size()) return buf.substr(0, n);
    buf.assign(buf.size() * 2, '\0');
  }
}

void TIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
  if (!WritePrivateProfileStringA(std::string(section).c_str(), std::string(ident).c_str(),
                                  std::string(value).c_str(), FFileName.c_str()))
    throw EIniFileException("Unable to write to " + FFileName);
}

namespace {
// A double-null-terminated list from GetPrivateProfileStringA, grown until it fits.
std::string ProfileList(const char* section, const std::string& fileName)
{
  std::string buf(4096, '\0');
  for (;;) {
    DWORD n = GetPrivateProfileStringA(section, nullptr, "", buf.data(), static_cast<DWORD>(buf.size()),
                                       fileName.c_str());
    if (n + 2 < buf.size()) {
      buf.resize(n + 2, '\0');
      buf[n] = buf[n + 1] = '\0';
      return buf;
    }
    buf.assign(buf.size() * 2, '\0');
  }
}
}  // namespace

void TIniFile::ReadSection(std::string_view section, TStrings& keys) const
{
  std::string list = ProfileList(std::string(section).c_str(), FFileName);
  keys.BeginUpdate();
  keys.Clear();
  SplitNullList(list.c_str(), keys);
  keys.EndUpdate();
}

void TIniFile::ReadSections(TStrings& sections) const
{
  std::string list = ProfileList(nullptr, FFileName);
  sections.BeginUpdate();
  sections.Clear();
  SplitNullList(list.c_str(), sections);
  sections.EndUpdate();
}

void TIniFile::ReadSectionValues(std::string_view section, TStrings& values) const
{
  auto keys = MakeOwned<TStringList>();
  ReadSection(section, *keys);
  values.BeginUpdate();
  values.Clear();
  for (int i = 0; i < keys->Count(); ++i) values.Add(keys->Strings(i) + "=" + ReadString(section, keys->Strings(i), ""));
  values.EndUpdate();
}

void TIniFile::EraseSection(std::string_view section)
{
  if (!WritePrivateProfileStringA(std::string(section).c_str(), nullptr, nullptr, FFileName.c_str()))
    throw EIniFileException("Unable to write to " + FFileName);
}

void TIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
  WritePrivateProfileStringA(std::string(section).c_str(), std::string(ident).c_str(), nullptr, FFileName.c_str());
}

void TIniFile::UpdateFile() { WritePrivateProfileStringA(nullptr, nullptr, nullptr, FFileName.c_str()); }

// --- TMemIniFile ---

TMemIniFile::TMemIniFile(std::string fileName) : TCustomIniFile(std::move(fileName)) { LoadFromFile(); }

void TMemIniFile::LoadFromFile()
{
  Clear();
  if (FFileName.empty() || GetFileAttributesA(FFileName.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  SetText(ReadFileText(FFileName));
}

std::pair<std::string, std::string>* TMemIniFile::TSection::Find(std::string_view ident)
{
  auto it = Keys.find(NameKey(ident));
  return it == Keys.end() ? nullptr : &Values[it->second];
}

bool TMemIniFile::TSection::Add(std::string_view ident, std::string_view value)
{
  if (!Keys.emplace(NameKey(ident), Values.size()).second) return false;
  Values.emplace_back(std::string(ident), std::string(value));
  return true;
}

TMemIniFile::TSection* TMemIniFile::FindSection(std::string_view name)
{
  auto it = FSectionIndex.find(NameKey(name));
  return it == FSectionIndex.end() ? nullptr : &FSections[it->second];
}

const TMemIniFile::TSection* TMemIniFile::FindSection(std::string_view name) const
{
  return const_cast<TMemIniFile*>(this)->FindSection(name);
}

TMemIniFile::TSection& TMemIniFile::FindOrAddSection(std::string_view name)
{
  auto [it, added] = FSectionIndex.emplace(NameKey(name), FSections.size());
  if (added) FSections.push_back({std::string(name), {}, {}});
  return FSections[it->second];
}

std::string TMemIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) const
{
  if (TSection* s = const_cast<TMemIniFile*>(this)->FindSection(section))
    if (const auto* kv = s->Find(ident)) return kv->second;
  return std::string(def);
}

void TMemIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value)
{
  TSection& s = FindOrAddSection(section);
  if (auto* kv = s.Find(ident))
    kv->second = value;
  else
    s.Add(ident, value);
}

void TMemIniFile::ReadSection(std::string_view section, TStrings& keys) const
{
  keys.BeginUpdate();
  keys.Clear();
  if (const TSection* s = FindSection(section))
    for (const auto& kv : s->Values) keys.Add(kv.first);
  keys.EndUpdate();
}

void TMemIniFile::ReadSections(TStrings& sections) const
{
  sections.BeginUpdate();
  sections.Clear();
  for (const TSection& s : FSections) sections.Add(s.Name);
  sections.EndUpdate();
}

void TMemIniFile::ReadSectionValues(std::string_view section, TStrings& values) const
{
  values.BeginUpdate();
  values.Clear();
  if (const TSection* s = FindSection(section))
    for (const auto& [key, value] : s->Values) values.Add(key + "=" + value);
  values.EndUpdate();
}

void TMemIniFile::EraseSection(std::string_view section)
{
  auto it = FSectionIndex.find(NameKey(section));
  if (it == FSectionIndex.end()) return;
  const size_t at = it->second;
  FSections.erase(FSections.begin() + static_cast<ptrdiff_t>(at));
  FSectionIndex.erase(it);
  for (auto& entry : FSectionIndex)
    if (entry.second > at) --entry.second;
}

void TMemIniFile::DeleteKey(std::string_view section, std::string_view ident)
{
  TSection* s = FindSection(section);
  if (!s) return;
  auto it = s->Keys.find(NameKey(ident));
  if (it == s->Keys.end()) return;
  const size_t at = it->second;
  s->Values.erase(s->Values.begin() + static_cast<ptrdiff_t>(at));
  s->Keys.erase(it);
  for (auto& entry : s->Keys)
    if (entry.second > at) --entry.second;
}

void TMemIniFile::Clear()
{
  FSections.clear();
  FSectionIndex.clear();
}

std::string TMemIniFile::GetText() const
{
  std::string text;
  for (size_t i = 0; i < FSections.size(); ++i) {
    if (i) text += "\r\n";
    text += "[" + FSections[i].Name + "]\r\n";
    for (const auto& [key, value] : FSections[i].Values) text += key + "=" + value + "\r\n";
  }
  return text;
}

void TMemIniFile::SetText(std::string_view text)
{
  GuardReaderMemory("ini file text", [&] { ParseText(text); });
}

void TMemIniFile::ParseText(std::string_view text)
{
  Clear();
  TSection* current = nullptr;
  while (!text.empty()) {
    size_t eol = text.find_first_of("\r\n");
    std::string_view line = Trimmed(text.substr(0, eol));
    text = eol == std::string_view::npos ? std::string_view() : text.substr(eol + 1);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[' && line.back() == ']') {
      // A section repeated: its keys join the first one's.
      current = &FindOrAddSection(Trimmed(line.substr(1, line.size() - 2)));
      continue;
    }
    if (!current) continue;
    size_t eq = line.find('=');
    std::string_view key = Trimmed(line.substr(0, eq));
    std::string_view value = eq == std::string_view::npos ? std::string_view() : Trimmed(line.substr(eq + 1));
    // A key repeated in a section: the first one counts, as the system's functions read it.
    current->Add(key, value);
  }
}

void TMemIniFile::GetStrings(TStrings& list) const
{
  list.BeginUpdate();
  list.Clear();
  std::string all = GetText();
  std::string_view rest = all;
  while (!rest.empty()) {
    size_t eol = rest.find("\r\n");
    list.Add(std::string(rest.substr(0, eol)));
    rest = eol == std::string_view::npos ? std::string_view() : rest.substr(eol + 2);
  }
  list.EndUpdate();
}

void TMemIniFile::SetStrings(const TStrings& list)
{
  std::string text;
  for (int i = 0; i < list.Count(); ++i) text += list.Strings(i) + "\n";
  SetText(text);
}

void TMemIniFile::Rename(const std::string& fileName, bool reload)
{
  FFileName = fileName;
  if (reload) LoadFromFile();
}

void TMemIniFile::UpdateFile()
{
  if (FFileName.empty()) return;
  std::string text = GetText();
  std::string temp = FFileName + ".tmp";
  try {
    auto file = MakeOwned<TFileStream>(temp, fmCreate);
    file->WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  } catch (const Exception& e) {
    DeleteFileA(temp.c_str());
    throw EIniFileException("Unable to write to " + FFileName + ": " + e.Message());
  }
  if (!MoveFileExA(temp.c_str(), FFileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DWORD error = GetLastError();
    DeleteFileA(temp.c_str());
    throw EIniFileException("Unable to write to " + FFileName + ": " + SysErrorMessage(error));
  }
}
