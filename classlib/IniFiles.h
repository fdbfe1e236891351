#pragma once
// Ini files: sections of "key=value" lines. TCustomIniFile is the interface that layout storage
// and settings code use; TIniFile goes through the system's private-profile functions, TMemIniFile
// keeps the whole file in memory and writes it with UpdateFile. TRegistryIniFile (Registry.h) offers
// the same interface over a registry key.
//
// Text is ANSI (code page 936). Section and key names compare without regard to case.
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>
#include "classlib/Object.h"

class TStream;
class TStrings;

CL_EXCEPTION(EIniFileException, Exception);

class TCustomIniFile : public TObject {
  CL_CLASS(TCustomIniFile, TObject)
public:
  explicit TCustomIniFile(std::string fileName) : FFileName(std::move(fileName)) {}

  const std::string& FileName() const { return FFileName; }

  virtual std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const = 0;
  virtual void WriteString(std::string_view section, std::string_view ident, std::string_view value) = 0;
  // Decimal or hexadecimal ("$1F", "0x1F"); def when the value is absent or not a number.
  virtual int ReadInteger(std::string_view section, std::string_view ident, int def) const;
  virtual void WriteInteger(std::string_view section, std::string_view ident, int value);
  // Stored as "1" and "0"; any other integer reads as True, anything else as def.
  virtual bool ReadBool(std::string_view section, std::string_view ident, bool def) const;
  virtual void WriteBool(std::string_view section, std::string_view ident, bool value);
  // Binary data as hexadecimal text. Reading writes the bytes to value at its position and returns
  // their count (0 when the value is absent); writing stores value from its position to its end.
  // Text that is not hexadecimal raises EIniFileException.
  virtual int64_t ReadBinaryStream(std::string_view section, std::string_view ident, TStream& value) const;
  virtual void WriteBinaryStream(std::string_view section, std::string_view ident, TStream& value);

  // The keys of a section, the names of all sections, the "key=value" lines of a section (each
  // replaces the list's contents).
  virtual void ReadSection(std::string_view section, TStrings& keys) const = 0;
  virtual void ReadSections(TStrings& sections) const = 0;
  virtual void ReadSectionValues(std::string_view section, TStrings& values) const = 0;
  virtual void EraseSection(std::string_view section) = 0;
  virtual void DeleteKey(std::string_view section, std::string_view ident) = 0;
  // Makes what was written durable (writes the file, flushes the system's cache).
  virtual void UpdateFile() = 0;

  virtual bool SectionExists(std::string_view section) const;
  virtual bool ValueExists(std::string_view section, std::string_view ident) const;

protected:
  std::string FFileName;
};

// An ini file through GetPrivateProfileStringA and WritePrivateProfileStringA. Give a full path:
// the system looks for a bare file name in the Windows folder. Failed writes raise
// EIniFileException "Unable to write to <file>".
class TIniFile : public TCustomIniFile {
  CL_CLASS(TIniFile, TCustomIniFile)
public:
  using TCustomIniFile::TCustomIniFile;

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const override;
  void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
  void ReadSection(std::string_view section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  void ReadSectionValues(std::string_view section, TStrings& values) const override;
  void EraseSection(std::string_view section) override;
  void DeleteKey(std::string_view section, std::string_view ident) override;
  void UpdateFile() override;
};

// An ini file held in memory: read when created (when the file exists), written by UpdateFile.
// Without a file name it is a store of its own (GetStrings/SetStrings move it to and from text).
// Lines that are blank or start with ';' are dropped; text before the first section is ignored.
class TMemIniFile : public TCustomIniFile {
  CL_CLASS(TMemIniFile, TCustomIniFile)
public:
  explicit TMemIniFile(std::string fileName = {});

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def) const override;
  void WriteString(std::string_view section, std::string_view ident, std::string_view value) override;
  void ReadSection(std::string_view section, TStrings& keys) const override;
  void ReadSections(TStrings& sections) const override;
  void ReadSectionValues(std::string_view section, TStrings& values) const override;
  void EraseSection(std::string_view section) override;
  void DeleteKey(std::string_view section, std::string_view ident) override;
  // Writes every section to the file (through a temporary file, so that a failure leaves the old
  // file whole); raises EIniFileException when it cannot. Does nothing without a file name.
  void UpdateFile() override;

  void Clear();
  // The contents as lines ("[section]", "key=value", a blank line between sections) / from lines.
  void GetStrings(TStrings& list) const;
  void SetStrings(const TStrings& list);
  // Takes another file name, and with reload the contents of that file.
  void Rename(const std::string& fileName, bool reload);

private:
  // Sections and keys are found through indexes by their comparison keys (names equal without
  // regard to case have equal keys), so that loading and looking up stay linear in their number.
  struct TSection {
    std::string Name;
    std::vector<std::pair<std::string, std::string>> Values;
    std::unordered_map<std::string, size_t> Keys;  // comparison key -> position in Values
    std::pair<std::string, std::string>* Find(std::string_view ident);
    // Adds the key at the end unless the section has it already; answers whether it did.
    bool Add(std::string_view ident, std::string_view value);
  };
  TSection* FindSection(std::string_view name);
  const TSection* FindSection(std::string_view name) const;
  TSection& FindOrAddSection(std::string_view name);
  void LoadFromFile();
  void SetText(std::string_view text);
  void ParseText(std::string_view text);
  std::string GetText() const;

  std::vector<TSection> FSections;
  std::unordered_map<std::string, size_t> FSectionIndex;  // comparison key -> position in FSections
};
