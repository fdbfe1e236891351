// Graphics objects in stored forms: a font with its character set by name, a picture's data and an
// image list's images, written as a text form and read back.
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include "classlib/Graphics.h"
#include "classlib/ImageList.h"
#include "classlib/ObjectText.h"
#include "tests/classlib/GraphicsFixtures.h"

namespace {
class TGraphicsHolder : public TComponent {
  CL_CLASS(TGraphicsHolder, TComponent)
public:
  explicit TGraphicsHolder(TComponent* owner) : TComponent(owner) {}
  TFont* Font() const { return FFont.get(); }
  TPicture* Picture() const { return FPicture.get(); }
  void GetChildren(const TGetChildProc& proc, TComponent*) override
  {
    for (int i = 0; i < ComponentCount(); ++i) proc(Components(i));
  }

private:
  TOwned<TFont> FFont = MakeOwned<TFont>();
  TOwned<TPicture> FPicture = MakeOwned<TPicture>();
};

constexpr TPropInfo HolderProps[] = {
  PersistentProp<&TGraphicsHolder::Font>("Font"),
  PersistentProp<&TGraphicsHolder::Picture>("Picture"),
};
CL_DEFINE_CLASS(TGraphicsHolder, .Props = HolderProps);

TOwned<TBitmap> Cell(TColor color)
{
  auto bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(16, 16);
  bitmap->Canvas()->Brush()->SetColor(color);
  bitmap->Canvas()->FillRect(RECT{0, 0, 16, 16});
  bitmap->Canvas()->Brush()->SetColor(clWhite);
  bitmap->Canvas()->FillRect(RECT{6, 6, 10, 10});
  return bitmap;
}
}  // namespace

TEST(GraphicsForm, FontsPicturesAndImageListsSurviveATextForm)
{
  RegisterClass(TGraphicsHolder::StaticClass());
  TOwned<TGraphicsHolder> holder(New<TGraphicsHolder>(nullptr));
  holder->SetName("Holder");
  holder->Font()->SetName("宋体");
  holder->Font()->SetCharset(GB2312_CHARSET);
  holder->Font()->SetHeight(-16);
  holder->Font()->SetStyle({TFontStyle::fsBold});
  holder->Font()->SetColor(clBtnText);
  holder->Picture()->Bitmap()->LoadFromResourceName(GetModuleHandleA(nullptr), "GRAPHICSREDBLUE");
  auto* images = New<TImageList>(holder.get());
  images->SetName("Images");
  images->AddMasked(Cell(clRed).get(), clWhite);
  images->AddMasked(Cell(clBlue).get(), clWhite);
  auto* empty = New<TImageList>(holder.get());
  empty->SetName("NoImages");
  empty->SetWidth(24);

  const std::string text = ComponentToText(holder.get());
  for (const char* expected : {"Font.Charset = GB2312_CHARSET", "Font.Color = clBtnText", "Font.Height = -16",
                               "Font.Style = [fsBold]", "Picture.Data = {", "object Images: TImageList",
                               "Bitmap = {", "object NoImages: TImageList", "Width = 24"})
    EXPECT_NE(text.find(expected), std::string::npos) << expected << " in\n" << text;
  EXPECT_EQ(text.find("Font.Size"), std::string::npos) << "Size is not stored";
  EXPECT_EQ(text.find("Bitmap = {", text.find("object NoImages")), std::string::npos)
      << "an empty list stores no images";

  TOwned<TComponent> read(ReadComponentFromText(text, nullptr));
  auto* copy = dynamic_cast<TGraphicsHolder*>(read.get());
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->Font()->Name(), "宋体");
  EXPECT_EQ(copy->Font()->Charset(), GB2312_CHARSET);
  EXPECT_EQ(copy->Font()->Height(), -16);
  EXPECT_EQ(copy->Font()->Color(), clBtnText);
  EXPECT_EQ(copy->Font()->Style(), TFontStyles{TFontStyle::fsBold});
  ASSERT_NE(dynamic_cast<TBitmap*>(copy->Picture()->Graphic()), nullptr);
  EXPECT_EQ(copy->Picture()->Bitmap()->Canvas()->Pixels(0, 1), clRed);
  auto* list = dynamic_cast<TImageList*>(copy->FindComponent("Images"));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(dynamic_cast<TImageList*>(copy->FindComponent("NoImages"))->Width(), 24);

  TDibSurface surface(16, 16, RGB(0, 255, 0));
  auto canvas = MakeOwned<TCanvas>();
  canvas->SetHandle(surface.DC());
  list->Draw(canvas.get(), 0, 0, 1);
  canvas->SetHandle(nullptr);
  EXPECT_EQ(surface.Pixel(1, 1), RGB(0, 0, 255));
  EXPECT_EQ(surface.Pixel(8, 8), RGB(0, 255, 0)) << "the mask came along";
  UnRegisterClass(TGraphicsHolder::StaticClass());
}
