// The header drawing routines: the record a header window fills for one section, and the drawing of
// a section through the look-and-feel painter.
#include <commctrl.h>
#include <shlwapi.h>
#include <cstring>
#include "classlib/ImageList.h"
#include "toolkit/base/cxGeometry.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxGraphicsRegion.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/editors/cxListView.h"

namespace {
// The version the loaded common controls report. Versions before 4.71 report none: they are older
// than 4.70's header messages too.
DWORD WINAPI SystemComCtlVersion()
{
  HMODULE module = GetModuleHandleA("comctl32.dll");
  using TDllGetVersion = HRESULT(CALLBACK*)(DLLVERSIONINFO*);
  auto get = module ? reinterpret_cast<TDllGetVersion>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetVersion")))
                    : nullptr;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof info;
  if (!get || FAILED(get(&info))) return 4u << 16;
  return (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
}

DWORD CachedComCtlVersion()
{
  static const DWORD version = SystemComCtlVersion();
  return version;
}
}  // namespace

TcxComCtlVersionFunc cxComCtlVersion = CachedComCtlVersion;

void InitializeHeaderItemInfo(THeaderItemInfo& info) { std::memset(&info, 0, sizeof info); }

void FinalizeHeaderItemInfo(THeaderItemInfo& info)
{
  delete[] info.Text;
  info.Text = nullptr;
}

void SetHeaderItemText(THeaderItemInfo& info, std::string_view text)
{
  FinalizeHeaderItemInfo(info);
  if (text.empty()) return;
  info.Text = new char[text.size() + 1];
  std::memcpy(info.Text, text.data(), text.size());
  info.Text[text.size()] = '\0';
}

RECT CalculateHeaderTextRect(const RECT& contentBounds, bool hasSortMark)
{
  RECT r = contentBounds;
  r.left += 4;
  r.right -= hasSortMark ? 15 : 4;
  return r;
}

RECT CalculateHeaderImageRect(RECT& textRect, THeaderItemInfo& info, TcxCanvas* canvas, TCustomImageList* images)
{
  RECT image = textRect;
  const int w = canvas->MeasureTextWidth(HeaderItemText(info));
  const int iw = images->Width();
  switch (static_cast<TAlignment>(info.Alignment)) {
    case taLeftJustify:
      textRect.left = image.left + iw + 2;
      break;
    case taRightJustify:
      image.left = textRect.right - w - iw - 2;
      if (image.left < textRect.left) {
        image.left = textRect.left;
        textRect.left += iw + 2;
        info.Alignment = static_cast<uint8_t>(taLeftJustify);
      }
      break;
    case taCenter: {
      const int free = (textRect.right - textRect.left) - iw - w - 2;
      image.left = textRect.left + free / 2;
      if (image.left < textRect.left) {
        image.left = textRect.left;
        info.Alignment = static_cast<uint8_t>(taLeftJustify);
      }
      textRect.left += iw + 2;
      break;
    }
  }
  image.right = image.left + iw;
  return image;
}

void DrawHeaderSortMark(TcxCanvas* canvas, TcxCustomLookAndFeelPainter* painter, const RECT& bounds, int sortOrder)
{
  if (sortOrder == 0) return;
  TPen* pen = canvas->GetCurrentPen();
  const TColor saved = pen->Color();
  painter->DrawSortArrow(canvas, RECT{bounds.right - 11, bounds.top, bounds.right - 4, bounds.bottom}, sortOrder == 1);
  pen->SetColor(saved);
}

void DrawHeaderItem(HWND header, int position, TcxCanvas* canvas, TCustomImageList* images,
                    TcxLookAndFeel* lookAndFeel)
{
  const auto n = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
  RECT window{};
  GetWindowRect(header, &window);
  const RECT r{0, 0, window.right - window.left, window.bottom - window.top};
  if (n <= 0) {
    canvas->FillRectWithColor(r);
    return;
  }
  THeaderItemInfo info;
  InitializeHeaderItemInfo(info);
  struct TFinalize {
    THeaderItemInfo& Info;
    ~TFinalize() { FinalizeHeaderItemInfo(Info); }
  } finalize{info};
  // A header that wrote nothing has nothing to draw there.
  if (!SendMessageA(header, DXM_HEADERITEMINFO, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&info)))
    return;
  if (position == n)
    info.Rect.right = r.right + 10;  // the area after the sections shows no right border
  else if (!lookAndFeel->NativeStyle() && lookAndFeel->Kind() == lfUltraFlat)
    info.Rect.right += 1;  // neighbouring borders overlap
  TcxCustomLookAndFeelPainter* painter = lookAndFeel->Painter();
  const RECT content = painter->HeaderSectionContentBounds(info.Rect, cxbsNormal);
  RECT textRect = CalculateHeaderTextRect(content, info.SortOrder != 0);
  const bool hasImage = images && info.ImageIndex >= 0;
  const RECT imageRect = hasImage ? CalculateHeaderImageRect(textRect, info, canvas, images) : RECT{};
  const TColor brushColor = canvas->GetCurrentBrush()->Color();
  TOwned<TcxRegion> clip = canvas->CopyClipRegion();
  struct TRestore {
    TcxCanvas* Canvas;
    TOwned<TcxRegion>& Clip;
    TColor Brush;
    ~TRestore()
    {
      Canvas->ApplyClipRegion(std::move(Clip));
      Canvas->SetBrushColor(Brush);
    }
  } restore{canvas, clip, brushColor};
  canvas->IntersectClipWithRect(info.Rect);
  TFont* font = canvas->GetCurrentFont();
  painter->DrawHeaderSection(canvas, info.Rect, textRect, TcxNeighbours{TcxNeighbour::nRight}, cxBordersAll,
                             static_cast<TcxButtonState>(info.State), static_cast<TAlignment>(info.Alignment),
                             vaCenter, false, true, HeaderItemText(info), font, font->Color(), brushColor);
  canvas->IntersectClipWithRect(content);
  if (hasImage)
    images->Draw(canvas->Canvas(), imageRect.left,
                 imageRect.top + ((imageRect.bottom - imageRect.top) - images->Height()) / 2, info.ImageIndex, true);
  DrawHeaderSortMark(canvas, painter, info.Rect, info.SortOrder);
}
