#include "classlib/StreamAdapter.h"

#include <algorithm>
#include <cstring>

namespace {
class TStreamAdapter final : public IStream {
public:
  TStreamAdapter(TStream& stream, TOwned<TStream> owned) : FStream(stream), FOwned(std::move(owned)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override
  {
    if (!object) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_ISequentialStream) || IsEqualIID(riid, IID_IStream)) {
      *object = static_cast<IStream*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
  ULONG STDMETHODCALLTYPE Release() override
  {
    LONG n = InterlockedDecrement(&FRefs);
    if (n == 0) delete this;
    return static_cast<ULONG>(n);
  }

  HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG count, ULONG* done) override
  {
    ULONG total = 0;
    HRESULT hr = Guard([&] {
      auto* p = static_cast<uint8_t*>(buffer);
      while (total < count) {
        int32_t n = FStream.Read(p + total, static_cast<int32_t>(std::min<ULONG>(count - total, 1u << 30)));
        if (n <= 0) break;
        total += static_cast<ULONG>(n);
      }
    }, STG_E_READFAULT);
    if (done) *done = total;
    return FAILED(hr) ? hr : (total == count ? S_OK : S_FALSE);
  }
  HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG count, ULONG* done) override
  {
    HRESULT hr = Guard([&] { FStream.WriteBuffer(buffer, count); }, STG_E_WRITEFAULT);
    if (done) *done = SUCCEEDED(hr) ? count : 0;
    return hr;
  }
  HRESULT STDMETHODCALLTYPE Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* position) override
  {
    TSeekOrigin o = origin == STREAM_SEEK_CUR   ? TSeekOrigin::soCurrent
                    : origin == STREAM_SEEK_END ? TSeekOrigin::soEnd
                                                : TSeekOrigin::soBeginning;
    int64_t at = 0;
    HRESULT hr = Guard([&] { at = FStream.Seek(move.QuadPart, o); }, STG_E_INVALIDFUNCTION);
    if (position && SUCCEEDED(hr)) position->QuadPart = static_cast<ULONGLONG>(at);
    return hr;
  }
  HRESULT STDMETHODCALLTYPE SetSize(ULARGE_INTEGER size) override
  {
    return Guard([&] { FStream.SetSize(static_cast<int64_t>(size.QuadPart)); }, STG_E_MEDIUMFULL);
  }
  HRESULT STDMETHODCALLTYPE Stat(STATSTG* stat, DWORD) override
  {
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof(*stat));
    stat->type = STGTY_STREAM;
    return Guard([&] { stat->cbSize.QuadPart = static_cast<ULONGLONG>(FStream.Size()); }, STG_E_ACCESSDENIED);
  }
  HRESULT STDMETHODCALLTYPE CopyTo(IStream*, ULARGE_INTEGER, ULARGE_INTEGER*, ULARGE_INTEGER*) override
  {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Commit(DWORD) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Revert() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Clone(IStream** clone) override
  {
    if (clone) *clone = nullptr;
    return E_NOTIMPL;
  }

private:
  ~TStreamAdapter() = default;
  template <class F>
  static HRESULT Guard(F&& body, HRESULT failure)
  {
    try {
      body();
      return S_OK;
    } catch (...) {
      return failure;
    }
  }

  LONG FRefs = 1;
  TStream& FStream;
  TOwned<TStream> FOwned;
};
}  // namespace

IStream* NewStreamAdapter(TStream& stream) { return new TStreamAdapter(stream, nullptr); }

IStream* NewStreamAdapter(TOwned<TStream> stream)
{
  TStream& s = *stream;
  return new TStreamAdapter(s, std::move(stream));
}
