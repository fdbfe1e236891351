// A stand-in for the word processor's automation server, for tests.
//
// Object model served through IDispatch (names are matched case-insensitively):
//   Application: Documents (get) -> Documents; Selection (get) -> Selection; Visible (put); Quit()
//   Documents:   Open(path) -> Document      (the file is read as bytes; '\f' separates pages)
//   Document:    Range(start&, end&) -> Range (both arguments may be passed by reference)
//   Selection:   Information(4) -> page count; WholeStory(); GoTo(1, 2, "n") -> start of page n;
//                EndKey(6, 1) -> extend to the end; Start (get); Text (get); Range (get) -> Range
//   Range:       Text (get); Select()
// Positions count bytes of the document text with the page separators removed; an empty file has
// no pages.
//
// Steering, through environment variables of the process:
//   WORDSTANDIN_LOG   a file to which every call is appended as one line ("Documents",
//                     "Open(C:\a.doc)", "Visible=False", "GoTo(1,2,3)", "Quit", ...)
//   WORDSTANDIN_FAIL  a call name (e.g. "GoTo", or "GoTo#2" for the second call since the
//                     application object was created, or "Create"
//                     for the creation of the application object) that fails with an exception
//                     whose description is "Stand-in failure at <name>"
#include <windows.h>
#include <oleauto.h>

#include <atomic>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

// {6A1D7E52-4C2B-4B8E-9F1A-2E5C3D4B7A10}
const CLSID CLSID_WordStandIn = {0x6a1d7e52, 0x4c2b, 0x4b8e, {0x9f, 0x1a, 0x2e, 0x5c, 0x3d, 0x4b, 0x7a, 0x10}};
const char* const kProgId = "Word.Application";
const char* const kClsidText = "{6A1D7E52-4C2B-4B8E-9F1A-2E5C3D4B7A10}";

HMODULE GModule = nullptr;
std::atomic<long> GObjects{0};
std::map<std::string, int> GCallCounts;  // since the last application object was created

std::string Env(const char* name)
{
  char buf[1024];
  DWORD n = GetEnvironmentVariableA(name, buf, sizeof buf);
  return n && n < sizeof buf ? std::string(buf, n) : std::string();
}

void Log(const std::string& line)
{
  std::string path = Env("WORDSTANDIN_LOG");
  if (path.empty()) return;
  if (FILE* f = std::fopen(path.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

// True when the call named should fail now (counting this call).
bool ShouldFail(const std::string& name)
{
  int count = ++GCallCounts[name];
  std::string fail = Env("WORDSTANDIN_FAIL");
  if (fail.empty()) return false;
  if (fail == name) return true;
  return fail == name + "#" + std::to_string(count);
}

std::string WideToAnsi(const wchar_t* s, int len = -1)
{
  if (!s) return {};
  int n = WideCharToMultiByte(CP_ACP, 0, s, len, nullptr, 0, nullptr, nullptr);
  std::string r(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, s, len, r.data(), n, nullptr, nullptr);
  if (len < 0 && !r.empty()) r.pop_back();
  return r;
}

BSTR AnsiToBstr(const std::string& s)
{
  int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  BSTR b = SysAllocStringLen(nullptr, n);
  MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), b, n);
  return b;
}

struct TCallError {
  std::string Text;
};

// Arguments in call order (DISPPARAMS holds them last first).
struct TArgs {
  DISPPARAMS* P;
  // The value of a property put comes as the one named argument; it counts as the last one.
  unsigned Count() const { return P->cArgs; }
  VARIANT* Raw(unsigned i) const { return &P->rgvarg[P->cArgs - 1 - i]; }
  VARIANT Value(unsigned i) const
  {
    if (i >= Count()) throw TCallError{"missing argument"};
    VARIANT* v = Raw(i);
    while (V_VT(v) == (VT_BYREF | VT_VARIANT)) v = V_VARIANTREF(v);
    return *v;
  }
  long Int(unsigned i) const
  {
    VARIANT v = Value(i);
    VARIANT r;
    VariantInit(&r);
    if (FAILED(VariantChangeType(&r, &v, 0, VT_I4))) throw TCallError{"argument is not a number"};
    return V_I4(&r);
  }
  std::string Text(unsigned i) const
  {
    VARIANT v = Value(i);
    VARIANT r;
    VariantInit(&r);
    if (FAILED(VariantChangeType(&r, &v, 0, VT_BSTR))) throw TCallError{"argument is not text"};
    std::string s = WideToAnsi(V_BSTR(&r), static_cast<int>(SysStringLen(V_BSTR(&r))));
    VariantClear(&r);
    return s;
  }
  std::string Describe() const
  {
    std::string s;
    for (unsigned i = 0; i < Count(); ++i) s += (i ? "," : "") + Text(i);
    return s;
  }
};

// A dispatch object whose members are named handlers.
class TDispatchObject : public IDispatch {
public:
  using THandler = std::function<void(const TArgs& args, WORD flags, VARIANT* result)>;

  TDispatchObject() { ++GObjects; }
  virtual ~TDispatchObject() { --GObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
  {
    if (iid == IID_IUnknown || iid == IID_IDispatch) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++FRefs; }
  ULONG STDMETHODCALLTYPE Release() override
  {
    ULONG n = --FRefs;
    if (n == 0) delete this;
    return n;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** out) override { *out = nullptr; return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override
  {
    HRESULT hr = S_OK;
    for (UINT i = 0; i < count; ++i) {
      ids[i] = DISPID_UNKNOWN;
      std::string name = WideToAnsi(names[i]);
      for (size_t k = 0; k < FMembers.size(); ++k)
        if (_stricmp(FMembers[k].first.c_str(), name.c_str()) == 0 && i == 0) ids[i] = static_cast<DISPID>(k + 1);
      if (ids[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
    }
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                                   EXCEPINFO* info, UINT*) override
  {
    if (id < 1 || static_cast<size_t>(id) > FMembers.size()) return DISP_E_MEMBERNOTFOUND;
    VARIANT scratch;
    VariantInit(&scratch);
    if (!result) result = &scratch;
    try {
      FMembers[id - 1].second(TArgs{params}, flags, result);
    } catch (const TCallError& e) {
      VariantClear(&scratch);
      if (info) {
        ZeroMemory(info, sizeof *info);
        info->bstrSource = SysAllocString(L"WordStandIn");
        info->bstrDescription = AnsiToBstr(e.Text);
        info->scode = E_FAIL;
      }
      return DISP_E_EXCEPTION;
    }
    VariantClear(&scratch);
    return S_OK;
  }

protected:
  void Member(const char* name, THandler handler) { FMembers.emplace_back(name, std::move(handler)); }
  // Logs a call and fails it when the steering says so.
  static void Call(const std::string& name, const std::string& logLine)
  {
    Log(logLine);
    if (ShouldFail(name)) throw TCallError{"Stand-in failure at " + name};
  }
  static void Return(VARIANT* result, IDispatch* obj)
  {
    V_VT(result) = VT_DISPATCH;
    V_DISPATCH(result) = obj;  // the new object's one reference goes to the caller
  }
  static void Return(VARIANT* result, long value)
  {
    V_VT(result) = VT_I4;
    V_I4(result) = value;
  }
  static void Return(VARIANT* result, const std::string& text)
  {
    V_VT(result) = VT_BSTR;
    V_BSTR(result) = AnsiToBstr(text);
  }

private:
  std::atomic<ULONG> FRefs{1};
  std::vector<std::pair<std::string, THandler>> FMembers;
};

// The document's text and page starts, shared by the objects that refer to it.
struct TDocumentText {
  std::string Text;               // without page separators
  std::vector<long> PageStarts;   // position of each page's first byte
  long Length() const { return static_cast<long>(Text.size()); }
  long PageStart(long page) const
  {
    if (page < 1) return 0;
    if (page > static_cast<long>(PageStarts.size())) return Length();
    return PageStarts[page - 1];
  }
};

struct TSelectionState {
  std::shared_ptr<TDocumentText> Doc;
  long Start = 0, End = 0;
};

class TRangeObject : public TDispatchObject {
public:
  TRangeObject(std::shared_ptr<TSelectionState> sel, long start, long end)
  {
    Member("Text", [this, sel, start, end](const TArgs&, WORD, VARIANT* r) {
      Call("Range.Text", "Range.Text");
      std::string all = sel->Doc ? sel->Doc->Text : std::string();
      long s = std::max(0L, std::min(start, static_cast<long>(all.size())));
      long e = std::max(s, std::min(end, static_cast<long>(all.size())));
      Return(r, all.substr(s, e - s));
    });
    Member("Select", [sel, start, end](const TArgs&, WORD, VARIANT*) {
      Call("Select", "Select");
      sel->Start = start;
      sel->End = end;
    });
  }
};

class TSelectionObject : public TDispatchObject {
public:
  explicit TSelectionObject(std::shared_ptr<TSelectionState> sel)
  {
    Member("Information", [sel](const TArgs& a, WORD, VARIANT* r) {
      Call("Information", "Information(" + a.Describe() + ")");
      long what = a.Int(0);
      long pages = sel->Doc ? static_cast<long>(sel->Doc->PageStarts.size()) : 0;
      Return(r, what == 4 ? pages : 0L);
    });
    Member("WholeStory", [sel](const TArgs&, WORD, VARIANT*) {
      Call("WholeStory", "WholeStory");
      sel->Start = 0;
      sel->End = sel->Doc ? sel->Doc->Length() : 0;
    });
    Member("GoTo", [sel](const TArgs& a, WORD, VARIANT*) {
      Call("GoTo", "GoTo(" + a.Describe() + ")");
      if (a.Int(0) != 1 || a.Int(1) != 2) throw TCallError{"only GoTo(page, absolute) is served"};
      long page = std::atol(a.Text(2).c_str());
      sel->Start = sel->End = sel->Doc ? sel->Doc->PageStart(page) : 0;
    });
    Member("EndKey", [sel](const TArgs& a, WORD, VARIANT*) {
      Call("EndKey", "EndKey(" + a.Describe() + ")");
      long end = sel->Doc ? sel->Doc->Length() : 0;
      sel->End = end;
      if (a.Count() < 2 || a.Int(1) != 1) sel->Start = end;  // without extend: move only
    });
    Member("Start", [sel](const TArgs&, WORD, VARIANT* r) {
      Call("Start", "Start");
      Return(r, sel->Start);
    });
    Member("Text", [sel](const TArgs&, WORD, VARIANT* r) {
      Call("Text", "Text");
      std::string all = sel->Doc ? sel->Doc->Text : std::string();
      Return(r, all.substr(sel->Start, sel->End - sel->Start));
    });
    Member("Range", [sel](const TArgs&, WORD, VARIANT* r) {
      Call("Range", "Range");
      Return(r, new TRangeObject(sel, sel->Start, sel->End));
    });
  }
};

class TDocumentObject : public TDispatchObject {
public:
  explicit TDocumentObject(std::shared_ptr<TSelectionState> sel)
  {
    Member("Range", [sel](const TArgs& a, WORD, VARIANT* r) {
      Call("Doc.Range", "Doc.Range(" + a.Describe() + ")");
      Return(r, new TRangeObject(sel, a.Int(0), a.Int(1)));
    });
  }
};

class TDocumentsObject : public TDispatchObject {
public:
  explicit TDocumentsObject(std::shared_ptr<TSelectionState> sel)
  {
    Member("Open", [sel](const TArgs& a, WORD, VARIANT* r) {
      std::string path = a.Text(0);
      Call("Open", "Open(" + path + ")");
      HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      if (h == INVALID_HANDLE_VALUE) throw TCallError{"The document could not be opened: " + path};
      std::string bytes;
      char buf[65536];
      DWORD got = 0;
      while (ReadFile(h, buf, sizeof buf, &got, nullptr) && got) bytes.append(buf, got);
      CloseHandle(h);
      auto doc = std::make_shared<TDocumentText>();
      if (!bytes.empty()) {
        doc->PageStarts.push_back(0);
        for (char c : bytes) {
          if (c == '\f')
            doc->PageStarts.push_back(static_cast<long>(doc->Text.size()));
          else
            doc->Text += c;
        }
      }
      sel->Doc = doc;
      sel->Start = sel->End = 0;
      Return(r, new TDocumentObject(sel));
    });
  }
};

class TApplicationObject : public TDispatchObject {
public:
  TApplicationObject() : FSel(std::make_shared<TSelectionState>())
  {
    auto sel = FSel;
    Member("Documents", [sel](const TArgs&, WORD, VARIANT* r) {
      Call("Documents", "Documents");
      Return(r, new TDocumentsObject(sel));
    });
    Member("Selection", [sel](const TArgs&, WORD, VARIANT* r) {
      Call("Selection", "Selection");
      Return(r, new TSelectionObject(sel));
    });
    Member("Visible", [](const TArgs& a, WORD flags, VARIANT* r) {
      if (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
        VARIANT v = a.Value(0);
        VARIANT b;
        VariantInit(&b);
        VariantChangeType(&b, &v, 0, VT_BOOL);
        Call("Visible", std::string("Visible=") + (V_BOOL(&b) ? "True" : "False"));
      } else {
        Call("Visible", "Visible");
        V_VT(r) = VT_BOOL;
        V_BOOL(r) = VARIANT_FALSE;
      }
    });
    Member("Quit", [](const TArgs&, WORD, VARIANT*) { Call("Quit", "Quit"); });
  }

private:
  std::shared_ptr<TSelectionState> FSel;
};

class TFactory : public IClassFactory {
public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override
  {
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
      *out = static_cast<IClassFactory*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override
  {
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    Log("Create");
    GCallCounts.clear();  // "GoTo#2" counts the calls one server received
    if (ShouldFail("Create")) return E_FAIL;
    auto* app = new TApplicationObject();
    HRESULT hr = app->QueryInterface(iid, out);
    app->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

TFactory GFactory;

bool SetKey(const std::string& key, const char* name, const std::string& value)
{
  HKEY h;
  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, 0, KEY_WRITE,
                      nullptr, &h, nullptr) != ERROR_SUCCESS)
    return false;
  LONG rc = RegSetValueExA(h, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
  RegCloseKey(h);
  return rc == ERROR_SUCCESS;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE inst, DWORD reason, LPVOID)
{
  if (reason == DLL_PROCESS_ATTACH) GModule = inst;
  return TRUE;
}

extern "C" HRESULT STDAPICALLTYPE DllGetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
  if (clsid != CLSID_WordStandIn) return CLASS_E_CLASSNOTAVAILABLE;
  return GFactory.QueryInterface(iid, out);
}

extern "C" HRESULT STDAPICALLTYPE DllCanUnloadNow() { return GObjects == 0 ? S_OK : S_FALSE; }

// Registers the stand-in in the classes root of the (test) prefix under the program identifier "Word.Application".
extern "C" HRESULT STDAPICALLTYPE DllRegisterServer()
{
  char path[MAX_PATH];
  GetModuleFileNameA(GModule, path, MAX_PATH);
  std::string clsidKey = std::string("CLSID\\") + kClsidText;
  bool ok = SetKey(kProgId, nullptr, "Word stand-in for tests") && SetKey(std::string(kProgId) + "\\CLSID", nullptr, kClsidText) &&
            SetKey(clsidKey, nullptr, "Word stand-in for tests") && SetKey(clsidKey + "\\ProgID", nullptr, kProgId) &&
            SetKey(clsidKey + "\\InprocServer32", nullptr, path) &&
            SetKey(clsidKey + "\\InprocServer32", "ThreadingModel", "Both");
  return ok ? S_OK : E_FAIL;
}

extern "C" HRESULT STDAPICALLTYPE DllUnregisterServer()
{
  RegDeleteTreeA(HKEY_CLASSES_ROOT, kProgId);
  RegDeleteTreeA(HKEY_CLASSES_ROOT, (std::string("CLSID\\") + kClsidText).c_str());
  return S_OK;
}
