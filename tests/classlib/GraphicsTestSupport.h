#pragma once
// Shared pieces of the graphics tests: a filer that records what DefineProperties declares, and
// the test executable's own resources.
#include <string>
#include <vector>
#include "classlib/Persistent.h"
#include "classlib/Streams.h"

class TRecordingFiler : public TFiler {
public:
  struct TBinary {
    std::string Name;
    TStreamProc Read;
    TStreamProc Write;
    bool HasData;
  };
  std::vector<TBinary> Binaries;
  std::vector<std::string> Others;

  void DefineProperty(std::string_view name, TReaderProc, TWriterProc, bool) override
  {
    Others.emplace_back(name);
  }
  void DefineBinaryProperty(std::string_view name, TStreamProc read, TStreamProc write, bool hasData) override
  {
    Binaries.push_back({std::string(name), std::move(read), std::move(write), hasData});
  }
  const TBinary* Find(std::string_view name) const
  {
    for (const TBinary& b : Binaries)
      if (b.Name == name) return &b;
    return nullptr;
  }
};

// The bytes of an RCDATA resource of the test executable.
inline std::string ResourceBytes(const char* name)
{
  auto res = MakeOwned<TResourceStream>(GetModuleHandleA(nullptr), name, RT_RCDATA);
  std::string bytes(static_cast<size_t>(res->Size()), '\0');
  res->ReadBuffer(bytes.data(), res->Size());
  return bytes;
}
