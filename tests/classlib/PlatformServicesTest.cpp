// Services of the platform behind replaceable functions: the wheel setting, the font dialog's
// runner (a stand-in and the system's own dialog) and the default printer's information context.
#include <gtest/gtest.h>
#include <cstring>
#include <stdexcept>
#include <string>
#include "classlib/Controls.h"
#include "classlib/FontDialog.h"
#include "classlib/Forms.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Printers.h"
#include "tests/classlib/ControlsFixture.h"
#include "tests/support/DialogCloser.h"
#include "tests/support/ScopedSeam.h"

using namespace fixture;

namespace {

UINT SevenLines() { return 7; }
UINT PagePerNotch() { return WHEEL_PAGESCROLL; }

// The stand-in font runner: what it was asked, and the choice it makes (or its cancel).
struct TFontRunner {
  static inline TFontDialogRequest Request;
  static inline LOGFONTA Asked{};
  static inline COLORREF AskedColor = 0;
  static inline bool Choose = true;
  static inline int Calls = 0;

  static bool Run(const TFontDialogRequest& request, LOGFONTA& font, COLORREF& color)
  {
    ++Calls;
    Request = request;
    Asked = font;
    AskedColor = color;
    if (!Choose) return false;
    LOGFONTA chosen{};
    chosen.lfHeight = -16;
    chosen.lfWeight = FW_BOLD;
    chosen.lfItalic = TRUE;
    chosen.lfCharSet = GB2312_CHARSET;
    std::strcpy(chosen.lfFaceName, "SimSun");
    font = chosen;
    color = RGB(0, 128, 0);
    return true;
  }
};

// A family the system lists, as the font dialog lists it (not a vertical '@' face).
int CALLBACK TakeFamily(const LOGFONTA* font, const TEXTMETRICA*, DWORD type, LPARAM data)
{
  auto* name = reinterpret_cast<std::string*>(data);
  if (font->lfFaceName[0] == '@' || !(type & TRUETYPE_FONTTYPE)) return 1;
  *name = font->lfFaceName;
  return 0;
}

std::string ListedFamily()
{
  std::string name;
  LOGFONTA want{};
  want.lfCharSet = DEFAULT_CHARSET;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExA(dc, &want, TakeFamily, reinterpret_cast<LPARAM>(&name), 0);
  ReleaseDC(nullptr, dc);
  return name;
}

HDC MemoryContext() { return CreateCompatibleDC(nullptr); }
HDC NoPrinter() { return nullptr; }
HDC BrokenPrinter() { throw std::runtime_error("the spooler is gone"); }

}  // namespace

TEST(PlatformServices, TheWheelSettingIsReadThroughItsSeamAndAPagePerNotchStaysApart)
{
  UINT system = 0;
  const bool read = SystemParametersInfoA(SPI_GETWHEELSCROLLLINES, 0, &system, 0);
  {
    TScopedSetter<TWheelScrollLinesFunc> seam(SetWheelScrollLinesFunc, SevenLines);
    EXPECT_EQ(WheelScrollLinesSetting(), 7u);
    EXPECT_EQ(MouseWheelScrollLines(), 7);
  }
  {
    TScopedSetter<TWheelScrollLinesFunc> seam(SetWheelScrollLinesFunc, PagePerNotch);
    EXPECT_EQ(WheelScrollLinesSetting(), static_cast<UINT>(WHEEL_PAGESCROLL));
    EXPECT_EQ(MouseWheelScrollLines(), WheelPageScroll);
  }
  // Back to the system's setting.
  EXPECT_EQ(WheelScrollLinesSetting(), read ? system : 3u);
}

TEST(PlatformServices, TheFontDialogTakesTheRunnersChoiceAndACancelKeepsTheFont)
{
  TScopedSetter<TFontDialogFunc> runner(SetFontDialogFunc, TFontRunner::Run);
  TForm* form = NewForm();
  TFormGuard guard{form};
  auto* dialog = New<TFontDialog>(form);
  dialog->Font()->SetName("Arial");
  dialog->Font()->SetHeight(-12);
  dialog->Font()->SetColor(clRed);

  TFontRunner::Choose = false;
  TFontRunner::Calls = 0;
  EXPECT_FALSE(dialog->Execute(form->Handle()));
  EXPECT_EQ(TFontRunner::Calls, 1);
  EXPECT_EQ(std::string(TFontRunner::Asked.lfFaceName), "Arial");
  EXPECT_EQ(TFontRunner::Asked.lfHeight, -12);
  EXPECT_EQ(TFontRunner::AskedColor, RGB(255, 0, 0));
  EXPECT_EQ(TFontRunner::Request.Owner, form->Handle());
  EXPECT_TRUE(TFontRunner::Request.Flags & CF_EFFECTS);
  EXPECT_EQ(dialog->Font()->Name(), "Arial");
  EXPECT_EQ(dialog->Font()->Color(), clRed);

  TFontRunner::Choose = true;
  EXPECT_TRUE(dialog->Execute(form->Handle()));
  EXPECT_EQ(dialog->Font()->Name(), "SimSun");
  EXPECT_EQ(dialog->Font()->Height(), -16);
  EXPECT_EQ(dialog->Font()->Charset(), GB2312_CHARSET);
  EXPECT_EQ(dialog->Font()->Style(), (TFontStyles{TFontStyle::fsBold, TFontStyle::fsItalic}));
  EXPECT_EQ(dialog->Font()->Color(), static_cast<TColor>(RGB(0, 128, 0)));

  // Without effects the colour is not the dialog's to change.
  dialog->SetOptions({});
  dialog->Font()->SetColor(clBlue);
  EXPECT_TRUE(dialog->Execute(form->Handle()));
  EXPECT_FALSE(TFontRunner::Request.Flags & CF_EFFECTS);
  EXPECT_EQ(dialog->Font()->Color(), clBlue);
}

TEST(FontDialog, TheSystemsFontDialogOpensAndIsClosedLikeAUsersChoice)
{
  TForm* form = NewForm();
  TFormGuard guard{form};
  form->Show();
  auto* dialog = New<TFontDialog>(form);
  const std::string family = ListedFamily();
  ASSERT_FALSE(family.empty());
  dialog->Font()->SetName(family);
  dialog->Font()->SetHeight(-12);

  UINT_PTR timer = TDialogCloser::Start(IDCANCEL, {}, true, 200);
  EXPECT_FALSE(dialog->Execute(form->Handle()));
  TDialogCloser::Stop(timer);
  EXPECT_EQ(TDialogCloser::Seen, 1);
  EXPECT_EQ(dialog->Font()->Name(), family);
  EXPECT_EQ(dialog->Font()->Height(), -12);

  timer = TDialogCloser::Start(IDOK, {}, true, 200);
  EXPECT_TRUE(dialog->Execute(form->Handle()));
  TDialogCloser::Stop(timer);
  EXPECT_EQ(TDialogCloser::Seen, 1);
  // OK on the dialog as it opened: the family it started at.
  EXPECT_EQ(dialog->Font()->Name(), family);
}

TEST(PlatformServices, ThePrinterContextIsTheFunctionsOrNoneWhenItGivesNoneOrRaises)
{
  const int gdiBefore = LiveGdiObjects();
  {
    TScopedSetter<TPrinterICFunc> seam(SetPrinterICFunc, MemoryContext);
    TDCHandle dc = CreateDefaultPrinterIC();
    ASSERT_TRUE(dc);
    EXPECT_EQ(GetDeviceCaps(dc.Get(), TECHNOLOGY), DT_RASDISPLAY);
    EXPECT_EQ(LiveGdiObjects(), gdiBefore + 1);
  }
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  {
    TScopedSetter<TPrinterICFunc> seam(SetPrinterICFunc, NoPrinter);
    EXPECT_FALSE(CreateDefaultPrinterIC());
  }
  {
    TScopedSetter<TPrinterICFunc> seam(SetPrinterICFunc, BrokenPrinter);
    EXPECT_FALSE(CreateDefaultPrinterIC());
  }
  // The system's: whatever printers the prefix has, a context it gives is a printer's, and goes.
  {
    TDCHandle dc = CreateDefaultPrinterIC();
    if (dc) {
      EXPECT_NE(GetDeviceCaps(dc.Get(), TECHNOLOGY), DT_RASDISPLAY);
    }
  }
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
}
