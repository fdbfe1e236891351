// The extended items' unit and its first items: the colour combo (its colour table, OnChange per
// change of Color, the names from the string table, the drawn entry and the colour dialog) and the
// spin edit (the text as its value, limits, prefix, value types, keys, the wheel and the repeating
// spin buttons), on a floating toolbar where the controls are needed.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <utility>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/ColorDialog.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ObjectText.h"
#include "classlib/SysUtils.h"
#include "tests/support/MessagePump.h"
#include "tests/support/ScopedSeam.h"
#include "tests/support/UserInput.h"
#include "tests/support/WindowCount.h"
#include "tests/toolkit/bars/BarsTestSupport.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarExtItems.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarItemList.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxGraphicsCanvas.h"

namespace {
struct TLog : TObject {
  int Changes = 0;
  int CurChanges = 0;
  int Clicks = 0;
  std::vector<TdxBarSpinEditButton> Buttons;
  void Changed(TObject*) { ++Changes; }
  void CurChanged(TObject*) { ++CurChanges; }
  void Clicked(TObject*) { ++Clicks; }
  void ButtonClicked(TdxBarSpinEdit*, TdxBarSpinEditButton button) { Buttons.push_back(button); }
};

struct TItemsFixture {
  TForm* Form = NewForm();
  TFormGuard Guard{Form};
  TdxBarManager* Manager = New<TdxBarManager>(Form);
  TOwned<TLog> Log = MakeOwned<TLog>();

  TdxBarColorCombo* NewColorCombo()
  {
    auto* combo = New<TdxBarColorCombo>(Form);
    combo->SetOnChange(TNotifyEvent(Log.get(), &TLog::Changed));
    return combo;
  }
  TdxBarSpinEdit* NewSpinEdit()
  {
    auto* spin = New<TdxBarSpinEdit>(Form);
    spin->SetOnChange(TNotifyEvent(Log.get(), &TLog::Changed));
    spin->SetOnCurChange(TNotifyEvent(Log.get(), &TLog::CurChanged));
    spin->SetOnButtonClick(TdxBarSpinEditButtonClickEvent(Log.get(), &TLog::ButtonClicked));
    return spin;
  }
};

// Runs the unit's shut-down and start-up by hand.
void FinalizeExtItemsUnit()
{
  UnitdxBarExtItems.State = TUnit::TState::Finishing;
  UnitdxBarExtItems.Finalize();
  FinalizeUnitObjects(UnitdxBarExtItems);
  UnitdxBarExtItems.State = TUnit::TState::Finished;
}
void InitializeExtItemsUnit()
{
  UnitdxBarExtItems.State = TUnit::TState::Starting;
  UnitdxBarExtItems.Initialize();
  UnitdxBarExtItems.State = TUnit::TState::Running;
}

bool Paired(TdxBarItemClass item, TdxBarItemControlClass control)
{
  return GetItemClassRegistry()->FindControlClass(item) == control;
}
}  // namespace

// --- The unit ---

// The start-up pairs the items with their controls and loads the 13 x 13 font glyphs; a second
// start-up does nothing until it is matched; the shut-down unpairs and frees, and two full cycles
// leave no GDI object or window behind.
TEST(dxBarExtItems, StartUpAndShutDownPairGlyphsAndLeaveNothingBehind)
{
  // Other tests restart the bar unit, whose registry forgets the pairs: start afresh.
  FinalizeExtItemsUnit();
  InitializeExtItemsUnit();
  EXPECT_TRUE(Paired(ClassRef<TdxBarColorCombo>(), ClassRef<TdxBarColorComboControl>()));
  EXPECT_TRUE(Paired(ClassRef<TdxBarSpinEdit>(), ClassRef<TdxBarSpinEditControl>()));
  EXPECT_NE(GetClass("TdxBarSpinEdit"), nullptr);
  for (TBitmap* glyph : {dxBarTrueTypeFontGlyph(), dxBarNonTrueTypeFontGlyph()}) {
    ASSERT_NE(glyph, nullptr);
    EXPECT_EQ(glyph->Width(), 13);
    EXPECT_EQ(glyph->Height(), 13);
  }
  EXPECT_NE(dxBarColorDialog(), nullptr);

  const int gdiBefore = LiveGdiObjects(), windowsBefore = ThreadWindowCount();
  for (int cycle = 0; cycle < 2; ++cycle) {
    InitializeExtItemsUnit();  // a second start-up: nothing
    FinalizeExtItemsUnit();    // matched: nothing either
    EXPECT_TRUE(Paired(ClassRef<TdxBarSpinEdit>(), ClassRef<TdxBarSpinEditControl>()));
    FinalizeExtItemsUnit();
    EXPECT_FALSE(Paired(ClassRef<TdxBarColorCombo>(), ClassRef<TdxBarColorComboControl>()));
    EXPECT_FALSE(Paired(ClassRef<TdxBarSpinEdit>(), ClassRef<TdxBarSpinEditControl>()));
    EXPECT_EQ(dxBarTrueTypeFontGlyph(), nullptr);
    EXPECT_EQ(dxBarColorDialog(), nullptr);
    InitializeExtItemsUnit();
    dxBarColorDialog();
  }
  EXPECT_TRUE(Paired(ClassRef<TdxBarColorCombo>(), ClassRef<TdxBarColorComboControl>()));
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}

// --- Colour combo ---

TEST(dxBarColorCombo, ANewItemShowsBlackAmongTheSixteenNamesOfTheStringTable)
{
  TItemsFixture f;
  TdxBarColorCombo* combo = f.NewColorCombo();
  EXPECT_EQ(combo->Color(), clBlack);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), "Black");
  EXPECT_FALSE(combo->ShowEditor());
  EXPECT_EQ(combo->DropDownCount(), 16);
  EXPECT_EQ(combo->AutoColor(), clWindowText);
  EXPECT_EQ(combo->AutoColorText(), GetResStringText(&dxSBAR_COLORAUTOTEXT));
  EXPECT_EQ(combo->CustomColorText(), GetResStringText(&dxSBAR_COLORCUSTOMTEXT));
  ASSERT_EQ(combo->Items()->Count(), 16);
  EXPECT_EQ(combo->Items()->Strings(9), "Red");
  EXPECT_EQ(combo->Items()->Strings(15), GetResStringText(&dxSBAR_COLOR_STR_15));
  EXPECT_EQ(combo->Glyph()->Width(), 16);
  EXPECT_EQ(f.Log->Changes, 0);

  // Items made, measured (which makes their list) and freed leave no GDI object or window.
  const int gdiBefore = LiveGdiObjects(), windowsBefore = ThreadWindowCount();
  for (int i = 0; i < 10; ++i) {
    TdxBarColorCombo* made = f.NewColorCombo();
    made->MeasureItemHeight(0);
    Free(made);
  }
  HandleWaitingMessages();
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  EXPECT_EQ(ThreadWindowCount(), windowsBefore);
}

// Entries and colours both ways, with and without the automatic entry; a system colour finds the
// named entry of its present value; the automatic entry wins for AutoColor as stored.
TEST(dxBarColorCombo, IndexOfColorAndColorOfEntryTable)
{
  TItemsFixture f;
  TdxBarColorCombo* combo = f.NewColorCombo();
  const int btnFace = GetSysColor(COLOR_BTNFACE) == 0xC0C0C0 ? 8 : -1;
  struct TIndexCase {
    bool ShowAuto;
    TColor Color;
    int Index;
  };
  const TIndexCase indexes[] = {
      {false, 0x0000FF, 9}, {true, 0x0000FF, 10}, {false, 0x123456, -1}, {true, 0x123456, -1},
      {false, clBtnFace, btnFace}, {true, clBtnFace, btnFace < 0 ? -1 : btnFace + 1},
      {false, clWindowText, static_cast<int>(GetSysColor(COLOR_WINDOWTEXT) == 0 ? 0 : -1)},
      {true, clWindowText, 0}, {true, clBlack, 1}, {false, 0xFFFFFF, 15}, {true, 0xFFFFFF, 16},
  };
  for (const TIndexCase& k : indexes) {
    combo->SetShowAutoColor(k.ShowAuto);
    EXPECT_EQ(combo->IndexOfColor(k.Color), k.Index) << std::hex << k.Color << " auto " << k.ShowAuto;
  }
  combo->SetColor(0x123456);
  struct TEntryCase {
    bool ShowAuto;
    int Index;
    TColor Color;
  };
  const TEntryCase entries[] = {
      {false, 0, 0x000000}, {true, 0, clWindowText}, {true, 1, 0x000000}, {false, 15, 0xFFFFFF},
      {true, 16, 0xFFFFFF}, {false, 16, 0x123456},     {true, 17, 0x123456}, {false, -1, 0x123456},
  };
  for (const TEntryCase& k : entries) {
    combo->SetShowAutoColor(k.ShowAuto);
    EXPECT_EQ(combo->ColorOfEntry(k.Index), k.Color) << k.Index << " auto " << k.ShowAuto;
  }
}

// OnChange fires once for every change of Color (also from one custom colour to another, where the
// entry stays -1) and once for a new entry; the automatic entry moves the colours and the default
// drop-down count, not one the user set.
TEST(dxBarColorCombo, OnChangeOncePerChangeOfColor)
{
  TItemsFixture f;
  TdxBarColorCombo* combo = f.NewColorCombo();
  struct TStep {
    TColor Color;
    int Index;
    const char* Text;
    int Changes;
  };
  const TStep steps[] = {
      {0x0000FF, 9, "Red", 1}, {0x0000FF, 9, "Red", 1}, {0x123456, -1, "", 2},
      {0x654321, -1, "", 3},   {0x654321, -1, "", 3},   {0x000000, 0, "Black", 4},
  };
  for (const TStep& s : steps) {
    combo->SetColor(s.Color);
    EXPECT_EQ(combo->ItemIndex(), s.Index) << std::hex << s.Color;
    EXPECT_EQ(combo->Text(), s.Text);
    EXPECT_EQ(f.Log->Changes, s.Changes) << std::hex << s.Color;
  }
  combo->SetItemIndex(2);
  EXPECT_EQ(combo->Color(), static_cast<TColor>(0x008000));
  EXPECT_EQ(f.Log->Changes, 5);

  combo->SetShowAutoColor(true);
  EXPECT_EQ(combo->Items()->Strings(0), combo->AutoColorText());
  EXPECT_EQ(combo->ItemIndex(), 3);
  EXPECT_EQ(combo->Color(), static_cast<TColor>(0x008000));
  EXPECT_EQ(combo->DropDownCount(), 17);
  EXPECT_EQ(f.Log->Changes, 5);
  combo->SetShowAutoColor(false);
  EXPECT_EQ(combo->DropDownCount(), 16);
  combo->SetDropDownCount(10);
  combo->SetShowAutoColor(true);
  EXPECT_EQ(combo->DropDownCount(), 10);

  // Color equal to AutoColor selects the automatic entry, though Black has the same RGB value.
  combo->SetAutoColor(clBlack);
  combo->SetColor(clBlack);
  EXPECT_EQ(combo->ItemIndex(), 0);
  EXPECT_EQ(combo->Text(), combo->AutoColorText());
}

// A notice of changed resource strings reads the names and the default texts again, keeps the
// selection and Color, fires nothing, and leaves an assigned text as it is.
TEST(dxBarColorCombo, ResourceStringNoticeKeepsTheSelectionAndFiresNothing)
{
  TItemsFixture f;
  TdxBarColorCombo* combo = f.NewColorCombo();
  EXPECT_FALSE(combo->IsAutoColorTextStored());
  combo->SetAutoColorText("Auto!");
  EXPECT_TRUE(combo->IsAutoColorTextStored());
  combo->SetShowAutoColor(true);
  EXPECT_EQ(combo->Items()->Strings(0), "Auto!");
  combo->SetColor(clBtnFace);
  const int index = combo->ItemIndex();
  combo->SetCustomColorText("other");
  f.Log->Changes = 0;
  combo->SetCustomColorText(GetResStringText(&dxSBAR_COLORCUSTOMTEXT));
  EXPECT_FALSE(combo->IsCustomColorTextStored());

  ASSERT_NE(GetResourceStringsRepository(), nullptr);
  IdxResourceStringsObserver* observer = combo;
  bool listening = false;
  for (int i = 0; i < GetResourceStringsRepository()->GetListenerCount(); ++i)
    listening |= GetResourceStringsRepository()->GetListener(i) == observer;
  EXPECT_TRUE(listening);
  combo->ResourceStringsChanged();
  EXPECT_EQ(combo->ItemIndex(), index);
  EXPECT_EQ(combo->Color(), clBtnFace);
  EXPECT_EQ(f.Log->Changes, 0);
  EXPECT_EQ(combo->AutoColorText(), "Auto!");
  EXPECT_EQ(combo->Items()->Strings(0), "Auto!");
  EXPECT_EQ(combo->Items()->Strings(1), GetResStringText(&dxSBAR_COLOR_STR_0));
  EXPECT_EQ(combo->Items()->Count(), 17);
}

namespace {
struct TColorRunner {
  static inline bool Choose = true;
  static inline int Calls = 0;
  static inline COLORREF Asked = 0;
  static inline bool ControlPressed = false;
  static inline TdxBarColorComboControl* Control = nullptr;
  static bool Run(const TColorDialogRequest&, COLORREF& color, TCustomColors&)
  {
    ++Calls;
    Asked = color;
    ControlPressed = Control && Control->Pressed();
    if (!Choose) return false;
    color = RGB(10, 20, 30);
    return true;
  }
  static void Reset(bool choose)
  {
    Choose = choose;
    Calls = 0;
    Asked = 0;
    ControlPressed = false;
  }
};

// The stand-in runner for a scope, recording whether the control is pressed while it runs.
struct TRunnerScope {
  TScopedSetter<TColorDialogFunc> Runner{SetColorDialogFunc, TColorRunner::Run};
  TScopedSeam<TdxBarColorComboControl*> Control;
  TRunnerScope(TdxBarColorComboControl* control, bool choose) : Control(TColorRunner::Control, control)
  {
    TColorRunner::Reset(choose);
  }
};
}  // namespace

// A click opens the shared dialog at Color: a pick sets Color with one OnChange, a cancel changes
// nothing; with OnClick set or read-only there is no dialog.
TEST(dxBarColorCombo, TheDialogPicksOrCancelsAndStaysShutWithOnClickOrReadOnly)
{
  TItemsFixture f;
  TRunnerScope runner(nullptr, false);
  TdxBarColorCombo* combo = f.NewColorCombo();
  combo->SetColor(0x0000FF);
  f.Log->Changes = 0;

  combo->Click();
  EXPECT_EQ(TColorRunner::Calls, 1);
  EXPECT_EQ(TColorRunner::Asked, RGB(255, 0, 0));
  EXPECT_EQ(combo->Color(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(f.Log->Changes, 0);

  TColorRunner::Reset(true);
  combo->SetExchangeColor(0x00FF00);
  combo->Click();
  EXPECT_EQ(TColorRunner::Asked, RGB(0, 255, 0));
  EXPECT_EQ(combo->Color(), static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(f.Log->Changes, 1);
  combo->Click();  // the exchange colour served once
  EXPECT_EQ(TColorRunner::Asked, RGB(10, 20, 30));

  TColorRunner::Reset(true);
  combo->SetReadOnly(true);
  combo->Click();
  combo->SetReadOnly(false);
  combo->SetOnClick(TNotifyEvent(f.Log.get(), &TLog::Clicked));
  combo->Click();
  EXPECT_EQ(TColorRunner::Calls, 0);
  EXPECT_EQ(f.Log->Clicks, 1);
}

// --- Spin edit ---

// The text is the value: formatted, limited and prefixed; texts that are no number are ignored.
TEST(dxBarSpinEdit, TextAndValueTable)
{
  TItemsFixture f;
  TdxBarSpinEdit* spin = f.NewSpinEdit();
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(spin->Increment(), 1);
  EXPECT_EQ(spin->PrefixPlace(), ppEnd);
  struct TCase {
    TdxBarSpinEditValueType Type;
    long double Min, Max;
    const char* Prefix;
    TdxBarSpinEditPrefixPlace Place;
    const char* Assigned;
    const char* Text;
  };
  const TCase cases[] = {
      {svtInteger, 0, 0, "", ppEnd, "15", "15"},
      {svtInteger, 0, 0, "", ppEnd, "abc", "0"},
      {svtInteger, 0, 0, "", ppEnd, "", "0"},
      {svtInteger, 0, 0, "", ppEnd, "99999999999", "0"},
      {svtInteger, 0, 0, "", ppEnd, "2.5", "0"},
      {svtInteger, 0, 10, "", ppEnd, "15", "10"},
      {svtInteger, 5, 5, "", ppEnd, "0", "5"},
      {svtInteger, 5, 5, "", ppEnd, "100", "5"},
      {svtInteger, -3, 3, "", ppEnd, "-7", "-3"},
      {svtInteger, 0, 0, "pt", ppEnd, "15pt", "15pt"},
      {svtInteger, 0, 0, "pt", ppEnd, "pt15", "15pt"},
      {svtInteger, 0, 0, "pt", ppStart, "15pt", "pt15"},
      {svtInteger, 0, 0, "pt", ppStart, "pt", "pt0"},
      {svtFloat, 0, 0, "", ppEnd, "2.5", "2.5"},
      {svtFloat, 0, 0, "", ppEnd, "1E3", "1000"},
      {svtFloat, 0, 0, "", ppEnd, "x1", "0"},
      {svtFloat, 0, 1.5, "", ppEnd, "2.25", "1.5"},
      {svtFloat, 0, 0, " mm", ppEnd, "0.1 mm", "0.1 mm"},
  };
  for (const TCase& k : cases) {
    TdxBarSpinEdit* s = f.NewSpinEdit();
    s->SetValueType(k.Type);
    s->SetMaxValue(k.Max);
    s->SetMinValue(k.Min);
    s->SetPrefix(k.Prefix);
    s->SetPrefixPlace(k.Place);
    s->SetText(k.Assigned);
    EXPECT_EQ(s->Text(), k.Text) << k.Assigned << " min " << static_cast<double>(k.Min);
  }

  // Values through the text: integers truncated toward zero, floats kept.
  struct TValueCase {
    TdxBarSpinEditValueType Type;
    long double Assigned;
    const char* Text;
  };
  const TValueCase values[] = {{svtInteger, 2.9L, "2"}, {svtInteger, -2.9L, "-2"}, {svtFloat, 0.25L, "0.25"},
                               {svtFloat, -1.5L, "-1.5"}, {svtFloat, 1e20L, "1E20"}};
  for (const TValueCase& k : values) {
    spin->SetValueType(k.Type);
    spin->SetValue(k.Assigned);
    EXPECT_EQ(spin->Text(), k.Text);
    EXPECT_EQ(spin->Value(), spin->TextToValue(k.Text));
  }
}

// The limits move each other along, the increment is rounded and kept positive, and a change of the
// value type to integers rounds the text, the increment and the limits.
TEST(dxBarSpinEdit, LimitsIncrementAndValueTypeSetters)
{
  TItemsFixture f;
  TdxBarSpinEdit* spin = f.NewSpinEdit();
  EXPECT_FALSE(spin->HasLimits());
  spin->SetMinValue(1);
  EXPECT_EQ(spin->MaxValue(), 1);
  EXPECT_EQ(spin->Text(), "1");
  spin->SetValue(7);
  EXPECT_EQ(spin->Text(), "1");
  spin->SetMaxValue(-4);
  EXPECT_EQ(spin->MinValue(), -4);
  EXPECT_EQ(spin->Text(), "-4");

  struct TIncrementCase {
    TdxBarSpinEditValueType Type;
    long double Assigned, Increment;
  };
  const TIncrementCase increments[] = {{svtInteger, 0.5L, 1}, {svtInteger, 2.7L, 2}, {svtInteger, -3, 1},
                                       {svtFloat, 0, 1},      {svtFloat, -1, 1},     {svtFloat, 0.25L, 0.25L}};
  for (const TIncrementCase& k : increments) {
    spin->SetValueType(k.Type);
    spin->SetIncrement(k.Assigned);
    EXPECT_EQ(spin->Increment(), k.Increment) << static_cast<double>(k.Assigned);
  }

  TdxBarSpinEdit* floats = f.NewSpinEdit();
  floats->SetValueType(svtFloat);
  floats->SetIncrement(0.5L);
  floats->SetMaxValue(9.5L);
  floats->SetMinValue(1.25L);
  floats->SetText("1.5");
  f.Log->Changes = 0;
  floats->SetValueType(svtInteger);
  EXPECT_EQ(floats->Text(), "1");
  EXPECT_EQ(floats->Increment(), 1);
  EXPECT_EQ(floats->MinValue(), 1);
  EXPECT_EQ(floats->MaxValue(), 9);
  EXPECT_EQ(f.Log->Changes, 1);

  // The prefix moves with the value kept.
  floats->SetPrefix("pt");
  floats->SetValue(12);
  floats->SetPrefixPlace(ppStart);
  EXPECT_EQ(floats->Text(), "pt9");
  EXPECT_EQ(floats->Value(), 9);
}

// Up and Down step by the increment and call OnButtonClick also at a limit.
TEST(dxBarSpinEdit, SpinButtonsStepAndReportAlsoAtALimit)
{
  TItemsFixture f;
  TdxBarSpinEdit* spin = f.NewSpinEdit();
  spin->SetMaxValue(2);
  spin->SetIncrement(2);
  spin->ClickSpinButton(sbUp);
  spin->ClickSpinButton(sbUp);
  EXPECT_EQ(spin->Text(), "2");
  spin->ClickSpinButton(sbDown);
  EXPECT_EQ(spin->Text(), "0");
  EXPECT_EQ(f.Log->Buttons, (std::vector<TdxBarSpinEditButton>{sbUp, sbUp, sbDown}));
  EXPECT_EQ(f.Log->Changes, 2);
}

// The typed characters: digits and the editing keys always; "-" only with a negative MinValue; the
// locale's decimal separator only for floats.
TEST(dxBarSpinEdit, KeyFilterTable)
{
  TItemsFixture f;
  TdxBarSpinEdit* spin = f.NewSpinEdit();
  struct TCase {
    TdxBarSpinEditValueType Type;
    long double Min;
    char Separator;
    char Key;
    bool Typed;
  };
  const TCase cases[] = {
      {svtInteger, 0, '.', '5', true},  {svtInteger, 0, '.', 8, true},    {svtInteger, 0, '.', 3, true},
      {svtInteger, 0, '.', 22, true},   {svtInteger, 0, '.', 24, true},   {svtInteger, 0, '.', 'a', false},
      {svtInteger, 0, '.', '-', false}, {svtInteger, -1, '.', '-', true}, {svtInteger, 0, '.', '.', false},
      {svtFloat, 0, '.', '.', true},    {svtFloat, 0, '.', ',', false},   {svtFloat, 0, ',', ',', true},
      {svtFloat, 0, ',', '.', false},   {svtFloat, 0, '.', ' ', false},   {svtInteger, 0, ',', ',', false},
  };
  for (const TCase& k : cases) {
    TScopedSeam separator(FormatSettings().DecimalSeparator, k.Separator);
    spin->SetValueType(k.Type);
    spin->SetMaxValue(10);
    spin->SetMinValue(k.Min);
    char key = k.Key;
    spin->DoKeyPress(key);
    EXPECT_EQ(key != 0, k.Typed) << "key " << static_cast<int>(k.Key) << " separator " << k.Separator;
  }
}

// Both items as a stored form keeps them: read with their colour, limits, prefix and value, and
// written back with what differs from the defaults only.
TEST(dxBarExtItems, StoredItemsReadAndWriteTheirValues)
{
  TTestForm f;
  ReadComponentFromText(R"(object BarsForm: TBarsTestForm
  object dxBarManager1: TdxBarManager
    Categories.Strings = (
      'Default')
    Categories.ItemsVisibles = (
      2)
    Categories.Visibles = (
      True)
    object dxBarColorCombo1: TdxBarColorCombo
      Category = 0
      Width = 100
      Color = 255
      ShowAutoColor = True
    end
    object dxBarSpinEdit1: TdxBarSpinEdit
      Category = 0
      Width = 100
      MinValue = 1.000000000000000000
      MaxValue = 72.000000000000000000
      Prefix = 'pt'
      Value = 12.000000000000000000
    end
  end
end
)",
                        f.Form.get());
  auto* combo = As<TdxBarColorCombo>(f->FindComponent("dxBarColorCombo1"));
  auto* spin = As<TdxBarSpinEdit>(f->FindComponent("dxBarSpinEdit1"));
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(spin, nullptr);
  EXPECT_EQ(combo->Color(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(combo->ItemIndex(), 10);
  EXPECT_EQ(combo->DropDownCount(), 17);
  EXPECT_EQ(spin->Text(), "12pt");
  EXPECT_EQ(spin->Value(), 12);
  EXPECT_EQ(spin->MaxValue(), 72);

  const std::string written = ComponentToText(f.Form.get());
  for (const char* stored : {"ShowAutoColor = True", "Prefix = 'pt'", "MinValue = 1", "Value = 12"})
    EXPECT_NE(written.find(stored), std::string::npos) << stored;
  for (const char* left : {"DropDownCount", "Increment", "AutoColorText"})
    EXPECT_EQ(written.find(left), std::string::npos) << left;
}

// --- The controls on a toolbar ---

namespace {
// A toolbar docked at the top of the form, laid out by itself.
struct TToolbarFixture {
  TItemsFixture Items;
  TdxBar* Bar = Items.Manager->Bars()->Add();
  TdxBarControl* Toolbar = nullptr;
  TdxBarItemLink* Add(TdxBarItem* item) { return Bar->ItemLinks()->AddItem(item); }
  void Show()
  {
    Items.Form->Show();
    Bar->SetCaption("Tools");
    Bar->SetDockingStyle(TdxBarDockingStyle::dsTop);
    Bar->SetVisible(true);
    Pump(30);
    Toolbar = Bar->GetBarControl();
  }
  POINT ScreenPoint(TdxBarItemLink* link) const
  {
    const RECT& r = link->ItemRect();
    return Toolbar->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
};

struct TExtToolbarFixture : TToolbarFixture {
  TdxBarColorCombo* Color = Items.NewColorCombo();
  TdxBarSpinEdit* Spin = Items.NewSpinEdit();
  TdxBarItemLink* ColorLink = Add(Color);
  TdxBarItemLink* SpinLink = Add(Spin);
  explicit TExtToolbarFixture(TdxBarManagerStyle style = bmsEnhanced)
  {
    Items.Manager->SetStyle(style);
    Show();
    EXPECT_NE(Toolbar, nullptr);
  }
  TdxBarColorComboControl* ColorControl() const { return As<TdxBarColorComboControl>(ColorLink->Control()); }
  TdxBarSpinEditControl* SpinControl() const { return As<TdxBarSpinEditControl>(SpinLink->Control()); }
  HWND SpinWindow() const { return SpinControl()->EditWindow(); }
  // The centre of a part of a control, on the screen.
  POINT PartCenter(TdxBarItemControl* control, int part) const
  {
    const RECT& r = control->PartRects()[static_cast<size_t>(part)];
    return Toolbar->ClientToScreen(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  }
};
}  // namespace

// The closed box draws the selected entry: a sample of the colour framed in the box's background
// and the button shadow, the name after it; a colour outside the list shows a sample of itself.
TEST(dxBarColorComboControl, TheClosedBoxDrawsAFramedSampleOfTheColour)
{
  TExtToolbarFixture f;
  TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
  bitmap->SetSize(400, 40);
  TOwned<TcxCanvas> canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());
  TCanvas* c = bitmap->Canvas();
  const COLORREF window = GetSysColor(COLOR_WINDOW), shadow = GetSysColor(COLOR_BTNSHADOW);
  for (TColor color : {TColor(0x0000FF), TColor(0x00C0FF)}) {
    f.Color->SetColor(color);
    f.ColorLink->Control()->DrawTo(canvas.get(), f.ColorLink->ItemRect(), 0);
    const RECT box = f.ColorControl()->PartRects()[dxBarEditPart];
    ASSERT_FALSE(IsRectEmpty(&box));
    const int y = (box.top + box.bottom) / 2;
    // Left to right: the box's background frame, the shadow frame, the colour, the shadow frame.
    EXPECT_EQ(ColorToRGB(c->Pixels(box.left, y)), window);
    EXPECT_EQ(ColorToRGB(c->Pixels(box.left + 1, y)), shadow);
    EXPECT_EQ(ColorToRGB(c->Pixels(box.left + 2, y)), static_cast<COLORREF>(color));
    EXPECT_EQ(ColorToRGB(c->Pixels(box.left + 27, y)), static_cast<COLORREF>(color));
    EXPECT_EQ(ColorToRGB(c->Pixels(box.left + 28, y)), shadow);
    EXPECT_EQ(ColorToRGB(c->Pixels(box.left + 29, y)), window);
    EXPECT_EQ(ColorToRGB(c->Pixels(box.left + 2, box.top + 1)), shadow);
  }
  // Drawing again and again keeps no GDI object.
  const int gdiBefore = LiveGdiObjects();
  for (int i = 0; i < 50; ++i) {
    f.Color->SetColor(static_cast<TColor>(i * 0x040404));
    f.ColorLink->Control()->DrawTo(canvas.get(), f.ColorLink->ItemRect(), 0);
  }
  EXPECT_EQ(LiveGdiObjects(), gdiBefore);
  // The entry's height: the text height of "0" plus 4.
  EXPECT_EQ(f.Color->MeasureItemHeight(0), f.Color->GetItemCanvas()->Canvas()->TextHeight("0") + 4);
}

// A click on the box opens the list, and picking "Red" in it with the mouse fires OnChange once.
TEST(dxBarColorComboControl, PickingRedWithTheMouseFiresOnChangeOnce)
{
  TExtToolbarFixture f;
  ASSERT_TRUE(BringToFront(f.Items.Form->Handle()));
  ASSERT_TRUE(ClickAt(f.ScreenPoint(f.ColorLink)));
  ASSERT_TRUE(PumpUntil([&] { return f.ColorControl()->Focused(); }));
  // The editing window of a combo without an editor takes no room over the drawn box.
  Pump(30);
  RECT window{};
  GetWindowRect(f.ColorControl()->EditWindow(), &window);
  EXPECT_TRUE(IsRectEmpty(&window));
  ASSERT_TRUE(PumpUntil([&] { return f.ColorControl()->DroppedDown(); }));
  HWND list = f.Color->GetDropDownWindow();
  ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(list) != FALSE; }));
  // The rows have their measured height, and the sixteen of them fill the list.
  const int rowHeight = f.Color->MeasureItemHeight(0);
  EXPECT_EQ(SendMessageA(list, LB_GETITEMHEIGHT, 9, 0), rowHeight);
  RECT client{}, last{};
  GetClientRect(list, &client);
  SendMessageA(list, LB_GETITEMRECT, 15, reinterpret_cast<LPARAM>(&last));
  EXPECT_EQ(last.bottom, 16 * rowHeight);
  EXPECT_LE(last.bottom, client.bottom);
  EXPECT_LT(client.bottom - last.bottom, rowHeight);
  RECT row{};
  ASSERT_NE(SendMessageA(list, LB_GETITEMRECT, 9, reinterpret_cast<LPARAM>(&row)), LB_ERR);
  POINT at{(row.left + row.right) / 2, (row.top + row.bottom) / 2};
  ClientToScreen(list, &at);
  ASSERT_TRUE(ClickAt(at));
  ASSERT_TRUE(PumpUntil([&] { return !f.ColorControl()->DroppedDown(); }));
  PumpUntil([&] { return f.Color->Color() == static_cast<TColor>(0x0000FF); });
  EXPECT_EQ(f.Color->Color(), static_cast<TColor>(0x0000FF));
  EXPECT_EQ(f.Color->Text(), "Red");
  EXPECT_EQ(f.Items.Log->Changes, 1);
}

// Ctrl+Enter in the control, and a press on the custom-colour button, open the dialog from the
// control at the colour it shows, with the control pressed meanwhile.
TEST(dxBarColorComboControl, CtrlEnterAndTheCustomColourButtonOpenTheDialogPressed)
{
  TExtToolbarFixture f;
  TRunnerScope runner(f.ColorControl(), true);
  ASSERT_TRUE(BringToFront(f.Items.Form->Handle()));
  f.Color->SetColor(0x008000);
  f.Color->FocusControl();
  HWND wnd = f.ColorControl()->EditWindow();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == wnd; }));
  ASSERT_TRUE(PressKey(VK_RETURN, {VK_CONTROL}));
  ASSERT_TRUE(PumpUntil([&] { return TColorRunner::Calls == 1; }));
  EXPECT_TRUE(TColorRunner::ControlPressed);
  EXPECT_EQ(TColorRunner::Asked, RGB(0, 128, 0));
  EXPECT_FALSE(f.ColorControl()->Pressed());
  EXPECT_EQ(f.Color->Color(), static_cast<TColor>(RGB(10, 20, 30)));
  EXPECT_EQ(f.Items.Log->Changes, 2);

  // The press on part 4, as the bar hands it to the hosted window.
  TColorRunner::Reset(false);
  f.ColorControl()->SetHotPartIndex(dxBarCustomColorButtonPart);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(TColorRunner::Calls, 1);
  EXPECT_TRUE(TColorRunner::ControlPressed);
  EXPECT_FALSE(f.ColorControl()->Pressed());
}

// Holding the up button steps at once, again when timer 1 ends (the double-click time less 100 ms)
// and on every tick of timer 2; off the button the steps pause, back on they go on; the release ends
// it. The wheel steps once per message; a read-only item presses nothing and ignores the wheel.
TEST(dxBarSpinEditControl, HoldingAButtonRepeatsPausesOffItAndStopsOnRelease)
{
  TExtToolbarFixture f;
  ASSERT_TRUE(BringToFront(f.Items.Form->Handle()));
  f.Spin->FocusControl();
  HWND wnd = f.SpinWindow();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == wnd; }));
  TdxBarSpinEditControl* control = f.SpinControl();
  const RECT bounds = f.SpinLink->ItemRect();
  POINT outside{bounds.left - 30, bounds.top + 2};
  MapWindowPoints(f.Toolbar->Handle(), wnd, &outside, 1);

  control->SetHotPartIndex(dxBarSpinUpPart);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(control->PressedPart(), dxBarSpinUpPart);
  EXPECT_EQ(GetCapture(), wnd);
  EXPECT_EQ(control->RepeatTimerId(), dxBarSpinFirstRepeatTimer);
  EXPECT_EQ(f.Spin->GetEditingText(), "1");
  SendMessageA(wnd, WM_TIMER, dxBarSpinFirstRepeatTimer, 0);
  EXPECT_EQ(control->RepeatTimerId(), dxBarSpinRepeatTimer);
  SendMessageA(wnd, WM_TIMER, dxBarSpinRepeatTimer, 0);
  SendMessageA(wnd, WM_TIMER, dxBarSpinRepeatTimer, 0);
  EXPECT_EQ(f.Spin->GetEditingText(), "3");
  EXPECT_EQ(f.Items.Log->Buttons.size(), 3u);

  // Off the button (here: off the control) the steps pause ...
  SendMessageA(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(outside.x, outside.y));
  EXPECT_EQ(control->PressedPart(), -1);
  SendMessageA(wnd, WM_TIMER, dxBarSpinRepeatTimer, 0);
  EXPECT_EQ(f.Spin->GetEditingText(), "3");
  // ... and the release ends the repetition and the capture.
  SendMessageA(wnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(control->RepeatTimerId(), 0u);
  EXPECT_NE(GetCapture(), wnd);
  EXPECT_EQ(f.Spin->Text(), "0");  // stored only when editing ends

  for (int delta : {WHEEL_DELTA, WHEEL_DELTA, -WHEEL_DELTA, 0})
    SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(250, 210));
  EXPECT_EQ(f.Spin->GetEditingText(), "3");

  // Capture lost while repeating ends the press as well.
  control->SetHotPartIndex(dxBarSpinDownPart);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(f.Spin->GetEditingText(), "2");
  ReleaseCapture();
  EXPECT_EQ(control->RepeatTimerId(), 0u);
  EXPECT_EQ(control->PressedPart(), -1);

  f.Spin->SetReadOnly(true);
  control->SetHotPartIndex(dxBarSpinUpPart);
  SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  SendMessageA(wnd, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(control->PressedPart(), -1);
  EXPECT_EQ(control->RepeatTimerId(), 0u);
  SendMessageA(wnd, WM_LBUTTONUP, 0, 0);
}

// Keys typed on the keyboard: Up and Down step the edited value, "-" and letters change nothing,
// digits are typed, Enter stores.
TEST(dxBarSpinEditControl, KeysFromTheKeyboardStepAndFilter)
{
  TExtToolbarFixture f;
  f.Spin->SetValue(12);
  ASSERT_TRUE(BringToFront(f.Items.Form->Handle()));
  f.Spin->FocusControl();
  HWND wnd = f.SpinWindow();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == wnd; }));
  ASSERT_TRUE(PressKey(VK_UP));
  ASSERT_TRUE(PumpUntil([&] { return f.Spin->GetEditingText() == "13"; }));
  ASSERT_TRUE(PressKey(VK_DOWN));
  ASSERT_TRUE(PressKey(VK_DOWN));
  ASSERT_TRUE(PumpUntil([&] { return f.Spin->GetEditingText() == "11"; }));
  EXPECT_EQ(f.SpinControl()->PressedPart(), -1);
  SendMessageA(wnd, EM_SETSEL, 2, 2);
  for (WORD key : {WORD(VK_OEM_MINUS), WORD('A'), WORD('5')}) ASSERT_TRUE(PressKey(key));
  ASSERT_TRUE(PumpUntil([&] { return f.Spin->GetEditingText() == "115"; }));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(PumpUntil([&] { return !f.SpinControl()->Focused(); }));
  EXPECT_EQ(f.Spin->Text(), "115");
  EXPECT_EQ(f.Items.Log->Buttons, (std::vector<TdxBarSpinEditButton>{sbUp, sbDown, sbDown}));
}

namespace {
// Hides the bar from inside an item's handler: its toolbar and the item controls on it are freed.
struct THider : TObject {
  TdxBar* Bar = nullptr;
  int Calls = 0;
  void Hide()
  {
    ++Calls;
    Bar->SetVisible(false);
  }
  void Clicked(TObject*) { Hide(); }
  void ButtonClicked(TdxBarSpinEdit*, TdxBarSpinEditButton) { Hide(); }
};
}  // namespace

// A handler that frees the control it was reached through: the colour combo's control is not
// unpressed afterwards, the spin edit's press starts no timer, and nothing is left behind.
TEST(dxBarExtItems, AControlFreedByItsOwnClickIsLeftAlone)
{
  TExtToolbarFixture f;
  TOwned<THider> hider = MakeOwned<THider>();
  hider->Bar = f.Bar;
  f.Color->SetOnClick(TNotifyEvent(hider.get(), &THider::Clicked));
  f.Spin->SetOnButtonClick(TdxBarSpinEditButtonClickEvent(hider.get(), &THider::ButtonClicked));
  ASSERT_TRUE(BringToFront(f.Items.Form->Handle()));

  f.Color->FocusControl();
  HWND combo = f.ColorControl()->EditWindow();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == combo; }));
  f.ColorControl()->SetHotPartIndex(dxBarCustomColorButtonPart);
  SendMessageA(combo, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(hider->Calls, 1);
  EXPECT_EQ(f.Bar->GetBarControl(), nullptr);
  EXPECT_EQ(f.ColorLink->Control(), nullptr);

  f.Bar->SetVisible(true);
  Pump(30);
  f.Spin->FocusControl();
  HWND spin = f.SpinWindow();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == spin; }));
  f.SpinControl()->SetHotPartIndex(dxBarSpinUpPart);
  SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, 0);
  EXPECT_EQ(hider->Calls, 2);
  EXPECT_EQ(f.SpinLink->Control(), nullptr);
  EXPECT_FALSE(IsWindow(spin));
  EXPECT_EQ(f.Spin->Text(), "0");
}

// Down steps the closed combo to the next colour, shown in the box; Enter makes it Color with one
// OnChange.
TEST(dxBarColorComboControl, DownAndEnterTakeTheNextColour)
{
  TExtToolbarFixture f;
  f.Color->SetColor(0x0000FF);
  f.Items.Log->Changes = 0;
  ASSERT_TRUE(BringToFront(f.Items.Form->Handle()));
  f.Color->FocusControl();
  HWND wnd = f.ColorControl()->EditWindow();
  ASSERT_TRUE(PumpUntil([&] { return GetFocus() == wnd; }));
  ASSERT_TRUE(PressKey(VK_DOWN));
  ASSERT_TRUE(PumpUntil([&] { return f.ColorControl()->CurItemIndex() == 10; }));
  EXPECT_EQ(f.Color->Color(), static_cast<TColor>(0x0000FF));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(PumpUntil([&] { return !f.ColorControl()->Focused(); }));
  EXPECT_EQ(f.Color->Color(), static_cast<TColor>(0x00FF00));
  EXPECT_EQ(f.Color->Text(), "Lime");
  EXPECT_EQ(f.Items.Log->Changes, 1);
}

// The custom-colour button shown by the item, clicked with the mouse on the docked toolbar, opens
// the dialog with the control pressed; the spin buttons step: held, the up button steps at once and
// goes on until it is released; a click on the down button steps down once.
TEST(dxBarExtItems, ClicksOnTheCustomColourAndSpinButtons)
{
  TExtToolbarFixture f;
  TRunnerScope runner(f.ColorControl(), false);
  f.Color->SetShowCustomColorButton(true);
  f.Spin->SetValue(12);
  f.Items.Log->Changes = 0;
  Pump(30);
  ASSERT_TRUE(BringToFront(f.Items.Form->Handle()));

  const RECT button = f.ColorControl()->PartRects()[dxBarCustomColorButtonPart];
  ASSERT_FALSE(IsRectEmpty(&button));
  ASSERT_TRUE(ClickAt(f.PartCenter(f.ColorControl(), dxBarCustomColorButtonPart)));
  ASSERT_TRUE(PumpUntil([&] { return TColorRunner::Calls == 1; }));
  EXPECT_TRUE(TColorRunner::ControlPressed);
  EXPECT_EQ(TColorRunner::Asked, RGB(0, 0, 0));
  EXPECT_EQ(f.Items.Log->Changes, 0);
  EXPECT_FALSE(f.ColorControl()->Pressed());

  TdxBarSpinEditControl* spin = f.SpinControl();
  ASSERT_FALSE(IsRectEmpty(&spin->PartRects()[dxBarSpinUpPart]));
  const POINT up = f.PartCenter(spin, dxBarSpinUpPart), down = f.PartCenter(spin, dxBarSpinDownPart);
  ASSERT_TRUE(LeftButtonAt(up, true));
  ASSERT_TRUE(PumpUntil([&] { return f.Spin->GetEditingValue() >= 13 && spin->PressedPart() == dxBarSpinUpPart; }));
  EXPECT_NE(spin->RepeatTimerId(), 0u);
  ASSERT_TRUE(PumpUntil([&] { return f.Spin->GetEditingValue() >= 15; }, 5000));
  ASSERT_TRUE(LeftButtonAt(up, false));
  ASSERT_TRUE(PumpUntil([&] { return spin->RepeatTimerId() == 0; }));
  EXPECT_EQ(spin->PressedPart(), -1);
  const long double held = f.Spin->GetEditingValue();
  ASSERT_TRUE(ClickAt(down));
  ASSERT_TRUE(PumpUntil([&] { return f.Spin->GetEditingValue() == held - 1; }));
  ASSERT_TRUE(PumpUntil([&] { return spin->PressedPart() == -1 && spin->RepeatTimerId() == 0; }));
  EXPECT_EQ(f.Spin->GetEditingValue(), held - 1);  // one click, one step
}

namespace {
// The box of the pixels of one colour inside the rect (empty when there are none).
RECT ExtentOf(TCanvas* canvas, const RECT& r, COLORREF color)
{
  RECT e{r.right, r.bottom, r.left, r.top};
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x)
      if (ColorToRGB(canvas->Pixels(x, y)) == color)
        e = RECT{std::min<LONG>(e.left, x), std::min<LONG>(e.top, y), std::max<LONG>(e.right, x + 1),
                 std::max<LONG>(e.bottom, y + 1)};
  return e.left < e.right ? e : RECT{};
}
}  // namespace

// The spin buttons drawn by the control in two bar styles: the pressed button's arrow lies one
// pixel right and down of where it lies unpressed; the other button's arrow stays; the up arrow
// points up (its widest row at the bottom) and the down arrow down.
TEST(dxBarSpinEditControl, ThePressedButtonsArrowMovesOnePixelInTwoStyles)
{
  for (TdxBarManagerStyle style : {bmsStandard, bmsEnhanced}) {
    SCOPED_TRACE(static_cast<int>(style));
    TExtToolbarFixture f(style);
    TdxBarSpinEditControl* spin = f.SpinControl();
    TOwned<TBitmap> bitmap = MakeOwned<TBitmap>();
    bitmap->SetSize(400, 40);
    TOwned<TcxCanvas> canvas = MakeOwned<TcxCanvas>(bitmap->Canvas());
    const COLORREF arrow = GetSysColor(COLOR_BTNTEXT);
    auto arrows = [&](int pressed) {
      spin->SetPressedPart(pressed);
      f.SpinLink->Control()->DrawTo(canvas.get(), f.SpinLink->ItemRect(), 0);
      return std::pair{ExtentOf(bitmap->Canvas(), spin->PartRects()[dxBarSpinUpPart], arrow),
                       ExtentOf(bitmap->Canvas(), spin->PartRects()[dxBarSpinDownPart], arrow)};
    };
    const auto [upAtRest, downAtRest] = arrows(-1);
    ASSERT_FALSE(IsRectEmpty(&upAtRest));
    ASSERT_FALSE(IsRectEmpty(&downAtRest));
    // Widest at the bottom for the up arrow, at the top for the down arrow.
    const int upWidthBottom = RectWidth(ExtentOf(bitmap->Canvas(), RECT{upAtRest.left, upAtRest.bottom - 1,
                                                                         upAtRest.right, upAtRest.bottom}, arrow));
    EXPECT_EQ(upWidthBottom, RectWidth(upAtRest));
    const int downWidthTop = RectWidth(ExtentOf(bitmap->Canvas(), RECT{downAtRest.left, downAtRest.top,
                                                                        downAtRest.right, downAtRest.top + 1}, arrow));
    EXPECT_EQ(downWidthTop, RectWidth(downAtRest));

    const auto [upPressed, downUnchanged] = arrows(dxBarSpinUpPart);
    RECT shifted = upAtRest;
    OffsetRect(&shifted, 1, 1);
    EXPECT_TRUE(EqualRect(&upPressed, &shifted));
    EXPECT_TRUE(EqualRect(&downUnchanged, &downAtRest));
    const auto [upUnchanged, downPressed] = arrows(dxBarSpinDownPart);
    shifted = downAtRest;
    OffsetRect(&shifted, 1, 1);
    EXPECT_TRUE(EqualRect(&downPressed, &shifted));
    EXPECT_TRUE(EqualRect(&upUnchanged, &upAtRest));
    spin->SetPressedPart(-1);
  }
}
