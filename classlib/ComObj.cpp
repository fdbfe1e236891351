#include "classlib/ComObj.h"

#include <vector>
#include "classlib/Encoding.h"

namespace {

std::string Trimmed(std::string s)
{
  while (!s.empty() && (s.back() == '\r' || s.back() == '\n' || s.back() == ' ' || s.back() == '.')) s.pop_back();
  return s;
}

std::string BstrToAnsi(BSTR s) { return s ? WideToAnsi(std::wstring_view(s, SysStringLen(s))) : std::string(); }

// The system's text for an HRESULT, or "OLE error XXXXXXXX" when the system has none.
std::string OleErrorText(HRESULT result)
{
  std::string text = Trimmed(SysErrorMessage(static_cast<DWORD>(result)));
  if (!text.empty()) return text;
  char buf[32];
  wsprintfA(buf, "OLE error %08X", static_cast<unsigned>(result));
  return buf;
}

[[noreturn]] void RaiseDispatchException(EXCEPINFO& info)
{
  if (info.pfnDeferredFillIn) info.pfnDeferredFillIn(&info);
  std::string description = Trimmed(BstrToAnsi(info.bstrDescription));
  std::string source = BstrToAnsi(info.bstrSource);
  HRESULT code = info.scode ? info.scode : static_cast<HRESULT>(info.wCode);
  SysFreeString(info.bstrDescription);
  SysFreeString(info.bstrSource);
  SysFreeString(info.bstrHelpFile);
  if (description.empty()) description = OleErrorText(code);
  throw EOleException(description, code, source);
}

// The VARIANTs of a call, last argument first as DISPPARAMS wants them; cleared on every path.
class TCallArgs {
public:
  explicit TCallArgs(std::initializer_list<TOleArg> args) : FArgs(args.begin(), args.end())
  {
    FVars.resize(FArgs.size());
    FRefs.resize(FArgs.size());
    for (VARIANT& v : FVars) VariantInit(&v);
    for (size_t i = 0; i < FArgs.size(); ++i) {
      VARIANT& v = FVars[FArgs.size() - 1 - i];
      if (int32_t* ref = FArgs[i].Ref()) {
        FRefs[i] = *ref;
        V_VT(&v) = VT_BYREF | VT_I4;
        V_I4REF(&v) = &FRefs[i];
      } else {
        ToOleVariant(FArgs[i].Value(), v);
      }
    }
  }
  ~TCallArgs()
  {
    for (size_t i = 0; i < FVars.size(); ++i)
      if (!(V_VT(&FVars[i]) & VT_BYREF)) VariantClear(&FVars[i]);
  }
  VARIANT* Data() { return FVars.empty() ? nullptr : FVars.data(); }
  UINT Count() const { return static_cast<UINT>(FVars.size()); }
  // Copies the server's values of by-reference arguments back to the caller's variables.
  void CopyBack() const
  {
    for (size_t i = 0; i < FArgs.size(); ++i)
      if (int32_t* ref = FArgs[i].Ref()) *ref = FRefs[i];
  }

private:
  std::vector<TOleArg> FArgs;
  std::vector<VARIANT> FVars;
  std::vector<LONG> FRefs;
};

}  // namespace

TComInitializer::TComInitializer()
{
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  if (hr == RPC_E_CHANGED_MODE) return;  // COM is up on this thread in another model: use it
  OleCheck(hr);
  FInitialized = true;
}

TComInitializer::~TComInitializer()
{
  if (FInitialized) CoUninitialize();
}

void OleCheck(HRESULT result)
{
  if (FAILED(result)) throw EOleSysError(OleErrorText(result), result);
}

TOleObject::TOleObject(IDispatch* dispatch) : FDispatch(dispatch)
{
  if (FDispatch) FDispatch->AddRef();
}

TOleObject::TOleObject(const Variant& value)
{
  if (VarType(value) != varDispatch || !value.AsDispatch())
    throw EOleError("Variant does not reference an automation object");
  FDispatch = value.AsDispatch();
  FDispatch->AddRef();
}

TOleObject::~TOleObject()
{
  if (FDispatch) FDispatch->Release();
}

Variant TOleObject::Get(std::string_view name, std::initializer_list<TOleArg> args) const
{
  return Invoke(name, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

void TOleObject::Put(std::string_view name, const Variant& value) const
{
  Invoke(name, DISPATCH_PROPERTYPUT, {TOleArg(value)});
}

Variant TOleObject::Call(std::string_view name, std::initializer_list<TOleArg> args) const
{
  return Invoke(name, DISPATCH_METHOD, args);
}

Variant TOleObject::Invoke(std::string_view name, WORD flags, std::initializer_list<TOleArg> args) const
{
  if (!FDispatch) throw EOleError("Automation object is not assigned: cannot call " + std::string(name));
  std::wstring wide = AnsiToWide(name);
  LPOLESTR names[] = {wide.data()};
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = FDispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (hr == DISP_E_UNKNOWNNAME) throw EOleError("Method '" + std::string(name) + "' not supported by automation object");
  OleCheck(hr);

  TCallArgs callArgs(args);
  DISPID putId = DISPID_PROPERTYPUT;
  DISPPARAMS params{callArgs.Data(), nullptr, callArgs.Count(), 0};
  if (flags & DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &putId;
    params.cNamedArgs = 1;
  }
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info{};
  UINT argErr = 0;
  hr = FDispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                         (flags & DISPATCH_PROPERTYPUT) ? nullptr : &result, &info, &argErr);
  if (hr == DISP_E_EXCEPTION) RaiseDispatchException(info);
  OleCheck(hr);
  callArgs.CopyBack();
  try {
    Variant v = FromOleVariant(result);
    VariantClear(&result);
    return v;
  } catch (...) {
    VariantClear(&result);
    throw;
  }
}

TOleObject CreateOleObject(std::string_view progId)
{
  std::wstring wide = AnsiToWide(progId);
  CLSID clsid;
  OleCheck(CLSIDFromProgID(wide.c_str(), &clsid));
  IDispatch* dispatch = nullptr;
  OleCheck(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(&dispatch)));
  TOleObject obj(dispatch);
  dispatch->Release();
  return obj;
}
