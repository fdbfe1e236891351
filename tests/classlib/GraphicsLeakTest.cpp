// No GDI or user object outlives the graphics objects that made it: bitmaps, fonts, brushes, pens,
// canvases, icons, image lists and pictures are made, used and destroyed in a loop, and afterwards
// the process holds what it held before.
//
// GetGuiResources answers 0 under Wine, so the test checks the graphics layer's own count of the
// objects it holds, by kind, and that every object it saw during the loop is gone from GDI
// (GetObjectType answers 0, GetIconInfo fails).
#include <gtest/gtest.h>
#include <array>
#include <vector>
#include "classlib/Graphics.h"
#include "classlib/ImageList.h"
#include "classlib/Streams.h"
#include "tests/classlib/GraphicsFixtures.h"
#include "tests/classlib/GraphicsTestSupport.h"

namespace {
std::array<int, GdiKindCount> LiveByKind()
{
  std::array<int, GdiKindCount> live{};
  for (int k = 0; k < GdiKindCount; ++k) live[k] = LiveGdiObjects(static_cast<TGdiKind>(k));
  return live;
}

constexpr TPixelFormat LoopFormats[] = {TPixelFormat::pfDevice, TPixelFormat::pf1bit, TPixelFormat::pf4bit,
                                        TPixelFormat::pf8bit, TPixelFormat::pf16bit, TPixelFormat::pf24bit,
                                        TPixelFormat::pf32bit};
}  // namespace

TEST(GraphicsLeaks, MakingAndFreeingGraphicsObjectsInALoopLeavesNothingBehind)
{
  const std::string iconFile = ResourceBytes("GRAPHICSSQUAREFILE");
  // Warm-up: objects the platform makes once per process (stock objects, caches) are not leaks.
  {
    auto b = MakeOwned<TBitmap>();
    b->SetSize(16, 16);
    b->Canvas()->TextOut(0, 0, "x");
    TOwned<TImageList> list(New<TImageList>(nullptr));
    list->Add(b.get(), nullptr);
  }
  const auto liveBefore = LiveByKind();
  std::vector<HGDIOBJ> seen;
  std::vector<HDC> seenDCs;
  std::vector<HICON> seenIcons;

  for (int i = 0; i < 60; ++i) {
    TDibSurface surface(40, 40);
    {
      // Bitmaps of every format, drawn on through their canvases with changing tools.
      auto bitmap = MakeOwned<TBitmap>();
      bitmap->SetPixelFormat(LoopFormats[i % std::size(LoopFormats)]);
      bitmap->SetSize(24 + i % 5, 20);
      TCanvas* canvas = bitmap->Canvas();
      canvas->Font()->SetHeight(-10 - i % 7);
      canvas->Font()->SetStyle({TFontStyle::fsBold});
      canvas->TextOut(1, 1, "图像");
      seen.push_back(canvas->Font()->Handle());
      canvas->Font()->SetName("SimSun");  // the old font goes
      canvas->TextOut(1, 1, "x");
      canvas->Brush()->SetStyle(TBrushStyle::bsDiagCross);
      canvas->Rectangle(0, 0, 10, 10);
      seen.push_back(canvas->Brush()->Handle());
      canvas->Pen()->SetMode(TPenMode::pmXor);
      canvas->Pen()->SetWidth(2);
      canvas->LineTo(20, 15);
      seen.push_back(canvas->Pen()->Handle());
      seenDCs.push_back(canvas->Handle());
      bitmap->SetTransparent(true);
      seen.push_back(bitmap->MaskHandle());
      bitmap->ScanLine(0);
      auto copy = MakeOwned<TBitmap>();
      copy->Assign(bitmap.get());
      auto stream = MakeOwned<TStringStream>();
      bitmap->SaveToStream(*stream);
      stream->SetPosition(0);
      copy->LoadFromStream(*stream);
      copy->Dormant();
      copy->SetSize(30, 30);
      auto pattern = MakeOwned<TBrush>();
      pattern->SetBitmap(copy.get());
      seen.push_back(pattern->Handle());
      seen.push_back(bitmap->Handle());

      // A canvas on a device context it does not own.
      auto onSurface = MakeOwned<TCanvas>();
      onSurface->SetHandle(surface.DC());
      onSurface->Draw(0, 0, bitmap.get());
      onSurface->StretchDraw(RECT{0, 0, 40, 40}, copy.get());
      onSurface->BrushCopy(RECT{0, 0, 10, 10}, bitmap.get(), RECT{0, 0, 5, 5}, clWhite);
      onSurface->CopyRect(RECT{0, 0, 5, 5}, bitmap->Canvas(), RECT{0, 0, 5, 5});
      onSurface->SetHandle(nullptr);

      // Icons and pictures.
      auto icon = MakeOwned<TIcon>();
      auto file = MakeOwned<TStringStream>(iconFile);
      icon->LoadFromStream(*file);
      seenIcons.push_back(icon->Handle());
      auto iconCopy = MakeOwned<TIcon>();
      iconCopy->Assign(icon.get());
      seenIcons.push_back(iconCopy->Handle());
      auto saved = MakeOwned<TStringStream>();
      DestroyIcon(iconCopy->ReleaseHandle());  // a handle given away is the taker's to destroy
      iconCopy->Assign(icon.get());
      iconCopy->SaveToStream(*saved);
      auto picture = MakeOwned<TPicture>();
      picture->SetGraphic(icon.get());
      picture->Bitmap()->Assign(bitmap.get());

      // An image list, drawn enabled and disabled and stored.
      TOwned<TImageList> list(New<TImageList>(nullptr));
      list->SetWidth(8);
      list->SetHeight(8);
      auto cell = MakeOwned<TBitmap>();
      cell->SetSize(16, 8);
      list->AddMasked(cell.get(), clWhite);
      list->Add(cell.get(), bitmap.get());
      list->AddIcon(icon.get());
      auto target = MakeOwned<TCanvas>();
      target->SetHandle(surface.DC());
      list->Draw(target.get(), 0, 0, 0);
      list->Draw(target.get(), 10, 0, 1, false);
      target->SetHandle(nullptr);
      list->Move(0, 2);
      auto out = MakeOwned<TBitmap>();
      list->GetBitmap(1, out.get());
      auto outIcon = MakeOwned<TIcon>();
      list->GetIcon(0, outIcon.get());
      seenIcons.push_back(outIcon->Handle());
      auto data = MakeOwned<TMemoryStream>();
      list->WriteData(*data);
      data->SetPosition(0);
      TOwned<TImageList> read(New<TImageList>(nullptr));
      read->ReadData(*data);
      read->SetColorDepth(TColorDepth::cd32Bit);
    }
    FreeMemoryContexts();
  }
  EXPECT_EQ(LiveByKind(), liveBefore);
  for (HGDIOBJ h : seen) EXPECT_EQ(GetObjectType(h), 0u) << h;
  for (HDC dc : seenDCs) EXPECT_EQ(GetObjectType(dc), 0u) << dc;
  for (HICON icon : seenIcons) {
    ICONINFO ii{};
    EXPECT_FALSE(GetIconInfo(icon, &ii)) << icon;
  }
}
