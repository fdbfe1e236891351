#include "classlib/Clipbrd.h"

#include <cstring>
#include <memory>
#include "classlib/Bitmap.h"
#include "classlib/Graphic.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Picture.h"
#include "classlib/ObjectWindows.h"

CL_DEFINE_CLASS(TClipboard);

namespace {
TUnitObject<TClipboard> GClipboard{ClipbrdUnit};

// Data the clipboard refused is still ours to free.
void FreeClipboardData(UINT format, HANDLE data)
{
  if (!data) return;
  switch (format) {
    case CF_BITMAP:
    case CF_DSPBITMAP:
    case CF_PALETTE:
    case CF_ENHMETAFILE:
      if (format == CF_ENHMETAFILE)
        DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
      else
        DeleteObject(data);
      break;
    default:
      GlobalFree(data);
  }
}

}  // namespace

TUnit ClipbrdUnit{"Clipbrd"};

TClipboard* Clipboard() { return GClipboard.Get(); }

TClipboard::TClipboard() = default;

TClipboard::~TClipboard()
{
  if (FOpenCount > 0) {
    CloseClipboard();
    FOpenCount = 0;
  }
  if (FWindow) DeallocateHWnd(FWindow);
}

void TClipboard::Open()
{
  if (FOpenCount == 0) {
    // The clipboard's owner must be a window of ours: opened without one, data cannot be put on it.
    if (!FWindow) {
      FWindow = AllocateHWnd([wnd = &FWindow](TMessage& msg) {
        msg.Result = DefWindowProcA(*wnd, msg.Msg, msg.WParam, msg.LParam);
      });
    }
    // Another program may hold the clipboard for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 20 && !opened; ++attempt) {
      opened = OpenClipboard(FWindow) != FALSE;
      if (!opened) Sleep(10);
    }
    if (!opened) throw EClipboardException("Cannot open clipboard: " + SysErrorMessage(GetLastError()));
    FEmptied = false;
  }
  ++FOpenCount;
}

void TClipboard::Close()
{
  if (FOpenCount == 0) return;
  if (--FOpenCount == 0) CloseClipboard();
}

void TClipboard::Clear()
{
  Open();
  const BOOL emptied = EmptyClipboard();
  const DWORD error = GetLastError();
  Close();
  if (!emptied) throw EClipboardException("Cannot empty the clipboard: " + SysErrorMessage(error));
}

bool TClipboard::HasFormat(UINT format) const { return IsClipboardFormatAvailable(format) != FALSE; }

void TClipboard::Adding()
{
  if (FOpenCount > 0 && !FEmptied) {
    Clear();
    FEmptied = true;
  }
}

void TClipboard::SetAsHandle(UINT format, HANDLE data)
{
  // No data would promise it later, on request, which this object never answers.
  if (!data) throw EClipboardException("No data to put on the clipboard");
  try {
    Open();
  } catch (...) {
    FreeClipboardData(format, data);
    throw;
  }
  try {
    Adding();
    if (!SetClipboardData(format, data)) {
      const DWORD error = GetLastError();
      FreeClipboardData(format, data);
      throw EClipboardException("Cannot put data on the clipboard: " + SysErrorMessage(error));
    }
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

HANDLE TClipboard::GetAsHandle(UINT format)
{
  Open();
  HANDLE data = GetClipboardData(format);
  Close();
  return data;
}

std::string TClipboard::AsText()
{
  std::string text;
  Open();
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* chars = static_cast<const char*>(GlobalLock(data))) {
      // The data may lack its terminator: read no further than the block.
      const size_t size = GlobalSize(data);
      text.assign(chars, strnlen(chars, size));
      GlobalUnlock(data);
    }
  }
  Close();
  return text;
}

void TClipboard::SetAsText(std::string_view text)
{
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
  if (!data) throw EClipboardException("Not enough memory to put text on the clipboard");
  auto* chars = static_cast<char*>(GlobalLock(data));
  memcpy(chars, text.data(), text.size());
  chars[text.size()] = 0;
  GlobalUnlock(data);
  SetAsHandle(CF_TEXT, data);
}

void TClipboard::Assign(TPersistent* source)
{
  if (auto* picture = dynamic_cast<TPicture*>(source)) {
    if (picture->Graphic())
      AssignGraphic(picture->Graphic());
    else
      Clear();
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    AssignGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TClipboard::AssignGraphic(TGraphic* graphic)
{
  UINT format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  graphic->SaveToClipboardFormat(format, data, palette);
  Open();
  try {
    if (palette) {
      HANDLE image = data;
      data = nullptr;
      SetAsHandle(format, image);
      SetAsHandle(CF_PALETTE, palette);
    } else {
      SetAsHandle(format, data);
    }
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

void TClipboard::AssignTo(TPersistent* dest)
{
  if (auto* picture = dynamic_cast<TPicture*>(dest))
    AssignToPicture(picture);
  else if (auto* graphic = dynamic_cast<TGraphic*>(dest))
    AssignToGraphic(graphic);
  else
    TPersistent::AssignTo(dest);
}

UINT TClipboard::FindFormatFor(const TGraphic* graphic) const
{
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format))
    if (graphic->SupportsClipboardFormat(format)) return format;
  return 0;
}

void TClipboard::AssignToGraphic(TGraphic* graphic)
{
  Open();
  try {
    const UINT format = FindFormatFor(graphic);
    if (format == 0) throw EInvalidGraphic("Unsupported clipboard format");
    HANDLE data = GetClipboardData(format);
    if (!data) RaiseLastOSError();
    auto palette = static_cast<HPALETTE>(GetClipboardData(CF_PALETTE));  // nullptr when there is none
    graphic->LoadFromClipboardFormat(format, data, palette);
  } catch (...) {
    Close();
    throw;
  }
  Close();
}

void TClipboard::AssignToPicture(TPicture* picture)
{
  Open();
  try {
    if (picture->Graphic() && FindFormatFor(picture->Graphic()) != 0) {
      AssignToGraphic(picture->Graphic());
    } else {
      // Read into a bitmap of its own first: the picture keeps its graphic when that fails.
      TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
      AssignToGraphic(bitmap.get());
      picture->SetGraphic(bitmap.get());
    }
  } catch (...) {
    Close();
    throw;
  }
  Close();
}
