#pragma once
// Libraries bound by name at run time: a library the program must start without (an optional
// platform feature) is loaded with LoadLibrary and its entry points looked up by name into a table
// of typed function pointers, which callers test before use. A library the program needs
// everywhere is linked instead; no library is both.
//
//   struct TDwmApi { decltype(&::DwmIsCompositionEnabled) DwmIsCompositionEnabled = nullptr; };
//   TDwmApi GDwmApi;
//   const TLibraryEntry DwmEntries[] = {CL_LIBRARY_ENTRY(GDwmApi.DwmIsCompositionEnabled, "DwmIsCompositionEnabled")};
//   TBoundLibrary GDwmLibrary{"dwmapi.dll", DwmEntries};
//   ... if (GDwmLibrary.Load() && GDwmApi.DwmIsCompositionEnabled) ...
#include <span>
#include "classlib/Win.h"

// One entry point: its name, and what stores its address (nullptr empties it).
struct TLibraryEntry {
  const char* Name;
  void (*Bind)(FARPROC proc);
};

// An entry whose address goes to target, a function pointer (a variable or a field of a table).
#define CL_LIBRARY_ENTRY(target, name)                                                         \
  TLibraryEntry                                                                                \
  {                                                                                            \
    name, [](FARPROC proc) { (target) = reinterpret_cast<decltype(target)>(reinterpret_cast<void*>(proc)); } \
  }

// How entry points are looked up: GetProcAddress, unless a test puts a function of its own here.
using TGetProcAddressFunc = FARPROC(WINAPI*)(HMODULE module, const char* name);

class TBoundLibrary {
public:
  // EachEntry: an entry the library lacks stays empty, the others are bound. AllOrNothing: once one
  // entry is missing, every entry is left empty and the library counts as not available.
  enum class TBinding { EachEntry, AllOrNothing };

  constexpr TBoundLibrary(const char* fileName, std::span<const TLibraryEntry> entries,
                          TBinding binding = TBinding::EachEntry, TGetProcAddressFunc getProc = nullptr)
      : FFileName(fileName), FEntries(entries), FBinding(binding), FGetProc(getProc)
  {
  }
  TBoundLibrary(const TBoundLibrary&) = delete;
  TBoundLibrary& operator=(const TBoundLibrary&) = delete;
  ~TBoundLibrary() = default;

  // Loads the library by its file name and binds the entries, once; answers Available().
  bool Load();
  // Binds the entries from a module the caller has loaded (and now hands over), once.
  bool LoadFrom(HMODULE module);
  // Empties every entry and frees the library.
  void Unload();
  bool Loaded() const { return FModule != nullptr; }
  // Loaded, and with AllOrNothing every entry bound.
  bool Available() const { return FModule != nullptr && FComplete; }
  HMODULE Module() const { return FModule; }
  // Replaces how entry points are looked up (tests); nullptr for GetProcAddress. Answers the old one.
  TGetProcAddressFunc SetGetProc(TGetProcAddressFunc getProc);

private:
  void Bind();
  const char* FFileName;
  std::span<const TLibraryEntry> FEntries;
  TBinding FBinding;
  TGetProcAddressFunc FGetProc;
  HMODULE FModule = nullptr;
  bool FComplete = false;
};
