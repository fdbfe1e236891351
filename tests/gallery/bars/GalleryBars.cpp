// The bars' catalogue: one sheet per bar painter, "bars <style>.png", with every drawing operation
// of the painter that is built so far, in each state and variant: docked bar borders and grips,
// separators, the toolbar mark with its chevrons, the floating frame, caption and caption buttons,
// the size grip over a pattern, button frames, glyphs, check marks, arrows, captions, edit borders
// and combo buttons. The
// drawings that ask a toolbar get a real one: a toolbar window object (never shown) of a manager of
// the painter's style, sized and docked for each cell.
#include "tests/gallery/bars/GalleryBars.h"

#include <functional>
#include <string>
#include "classlib/Application.h"
#include "classlib/Bitmap.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/GraphicsUtils.h"
#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarButtonControls.h"
#include "toolkit/bars/dxBarButtons.h"
#include "toolkit/bars/dxBarEditControls.h"
#include "toolkit/bars/dxBarEdits.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/bars/dxBarItemLinks.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarStrs.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/bars/dxBarUnit.h"
#include "toolkit/controls/cxAccessibility.h"
#include "toolkit/controls/cxContainerStyle.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxHint.h"
#include "toolkit/controls/cxScrollBar.h"
#include "toolkit/controls/cxStyles.h"
#include "toolkit/controls/dxFading.h"
#include "toolkit/controls/dxScreenTip.h"

namespace {
TUnit* const BarUnits[] = {&UnitcxControls, &UnitcxScrollBar, &UnitdxFading,    &UnitcxAccessibility, &UnitcxContainer,
                           &UnitcxStyles,   &UnitcxHint,      &UnitdxScreenTip, &UnitdxBarStrs,       &UnitdxBar};

// The objects the drawings of one sheet ask: a form with a manager of the painter's style, one bar
// with a toolbar window object, two items on the bar (the second disabled), an edit and a combo,
// with their item controls.
struct TBarScene {
  TForm* Form;
  TdxBarManager* Manager;
  TdxBar* Bar;
  TdxBarControl* Toolbar;
  TdxBarItem* Item;
  TdxBarItem* DisabledItem;
  TdxBarItemControl* Control;
  TdxBarItemControl* DisabledControl;
  TdxBarEditControl* EditControl;
  TdxBarComboControl* ComboControl;

  explicit TBarScene(TdxBarManagerStyle style)
  {
    Form = New<TForm>(Application, CreateNew);
    Manager = New<TdxBarManager>(Form);
    Manager->SetStyle(style);
    Bar = Manager->Bars()->Add();
    Bar->SetCaption("Tools");
    Toolbar = New<TdxBarControl>(Manager);
    Toolbar->SetBar(Bar);
    Toolbar->SetItemLinks(Bar->ItemLinks());
    Item = New<TdxBarItem>(Form);
    DisabledItem = New<TdxBarItem>(Form);
    DisabledItem->SetEnabled(false);
    Control = New<TdxBarItemControl>(Bar->ItemLinks()->AddItem(Item));
    DisabledControl = New<TdxBarItemControl>(Bar->ItemLinks()->AddItem(DisabledItem));
    EditControl = New<TdxBarEditControl>(Bar->ItemLinks()->AddItem(New<TdxBarEdit>(Form)));
    ComboControl = New<TdxBarComboControl>(Bar->ItemLinks()->AddItem(New<TdxBarCombo>(Form)));
    AddButtons();
  }
  ~TBarScene()
  {
    for (TdxBarButtonControl* control : Buttons) Free(control);
    Free(EditControl);
    Free(ComboControl);
    Free(Control);
    Free(DisabledControl);
    Free(Toolbar);
    Free(Form);
  }
  TdxBarPainter* Painter() const { return Toolbar->GetPainter(); }

  // Buttons drawn whole: a caption-and-glyph button (checked style), a disabled one, a drop-down
  // button and a large button with its glyph at the top, each with its control.
  enum { CaptionGlyph, DisabledButton, DropDownButton, LargeButton, ButtonCount };
  TdxBarButtonControl* Buttons[ButtonCount]{};
  void AddButtons()
  {
    TOwned<TBitmap> glyph = MakeButtonGlyph(16), large = MakeButtonGlyph(32);
    const char* captions[ButtonCount] = {"Find", "Find", "Open", "Large"};
    for (int i = 0; i < ButtonCount; ++i) {
      TdxBarButton* item = i == LargeButton ? New<TdxBarLargeButton>(Form) : New<TdxBarButton>(Form);
      item->SetCaption(captions[i]);
      item->SetPaintStyle(psCaptionGlyph);
      item->Glyph()->Assign(glyph.get());
      if (i == CaptionGlyph) item->SetButtonStyle(bsChecked);
      if (i == DisabledButton) item->SetEnabled(false);
      if (i == DropDownButton) item->SetButtonStyle(bsDropDown);
      if (i == LargeButton) item->SetLargeGlyph(large.get());
      TdxBarItemLink* link = Bar->ItemLinks()->AddItem(item);
      Buttons[i] = i == LargeButton ? New<TdxBarLargeButtonControl>(link) : New<TdxBarButtonControl>(link);
    }
  }
  static TOwned<TBitmap> MakeButtonGlyph(int size)
  {
    auto glyph = MakeOwned<TBitmap>();
    glyph->SetSize(size, size);
    glyph->Canvas()->Brush()->SetColor(clFuchsia);
    glyph->Canvas()->FillRect(RECT{0, 0, size, size});
    glyph->Canvas()->Brush()->SetColor(clNavy);
    glyph->Canvas()->FillRect(RECT{2, 2, size - 2, size - 2});
    glyph->Canvas()->Brush()->SetColor(clYellow);
    glyph->Canvas()->FillRect(RECT{size / 2 - 2, size / 2 - 2, size / 2 + 2, size / 2 + 2});
    return glyph;
  }
  // The toolbar docked by the style (dsNone floats) and sized to the cell.
  void Place(TdxBarDockingStyle style, const RECT& r)
  {
    Toolbar->SetDockingStyle(style);
    Toolbar->SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
  }
};

// Draws with the cell's top-left corner as the origin (the toolbar drawings place their parts from
// the toolbar's client origin), inside a saved device-context state.
// The item drawings take the canvas itself (their draw parameters carry it).
using TCanvasDraw = std::function<void(TcxCanvas* canvas, const RECT& r)>;
TGalleryCell CanvasCell(std::string caption, TCanvasDraw draw)
{
  return {std::move(caption), [draw = std::move(draw)](TcxCanvas* canvas, const RECT& r) {
            HDC dc = canvas->GetDCHandle();
            const int saved = SaveDC(dc);
            OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
            draw(canvas, RECT{0, 0, r.right - r.left, r.bottom - r.top});
            RestoreDC(dc, saved);
          }};
}
using TCellDraw = std::function<void(HDC dc, const RECT& r)>;
TGalleryCell Cell(std::string caption, TCellDraw draw)
{
  return CanvasCell(std::move(caption),
                    [draw = std::move(draw)](TcxCanvas* canvas, const RECT& r) { draw(canvas->GetDCHandle(), r); });
}

// A 16 × 16 glyph: a navy square with a yellow centre on a fuchsia (transparent) ground.
TOwned<TBitmap> NewGlyph()
{
  auto glyph = MakeOwned<TBitmap>();
  glyph->SetSize(16, 16);
  glyph->Canvas()->Brush()->SetColor(clFuchsia);
  glyph->Canvas()->FillRect(RECT{0, 0, 16, 16});
  glyph->Canvas()->Brush()->SetColor(clNavy);
  glyph->Canvas()->FillRect(RECT{2, 2, 14, 14});
  glyph->Canvas()->Brush()->SetColor(clYellow);
  glyph->Canvas()->FillRect(RECT{6, 6, 10, 10});
  return glyph;
}

// A pattern of coloured stripes, so that a drawing that leaves the background alone shows it.
void FillPattern(HDC dc, const RECT& r)
{
  for (int x = r.left; x < r.right; x += 3) {
    const RECT stripe{x, r.top, x + 3, r.bottom};
    TBrushHandle brush(CreateSolidBrush((x / 3) % 2 ? RGB(230, 120, 60) : RGB(60, 120, 230)));
    FillRect(dc, &stripe, brush.Get());
  }
}

const char* const MarkStates[] = {"normal", "hot", "pressed"};

using TStates = TdxBarPaintingStates;
const struct {
  const char* Name;
  TStates States;
} ButtonStates[] = {{"normal", {}},
                    {"hot", {TdxBarPaintingState::psHot}},
                    {"pressed", {TdxBarPaintingState::psPressed, TdxBarPaintingState::psHot}},
                    {"checked", {TdxBarPaintingState::psChecked}},
                    {"checked hot", {TdxBarPaintingState::psChecked, TdxBarPaintingState::psHot}}};

void AddToolbarEntries(TGallerySheet& sheet, TBarScene& s)
{
  TdxBarPainter* p = s.Painter();
  sheet.Section("Docked toolbars");
  for (bool horizontal : {true, false}) {
    const TdxBarDockingStyle style = horizontal ? dsTop : dsLeft;
    TGalleryEntry entry{std::string("DrawDockedBarBorder, docked ") + (horizontal ? "top" : "left"),
                        horizontal ? SIZE{72, 26} : SIZE{26, 72}, {}};
    for (bool grip : {true, false})
      entry.Cells.push_back(Cell(grip ? "grip" : "no grip", [=, &s](HDC dc, const RECT& r) {
        s.Place(style, r);
        s.Bar->SetNotDocking(grip ? TdxBarDockingStyles{} : dxBarAllDockingStyles);
        s.Toolbar->FillBackground(dc, r);
        p->DrawDockedBarBorder(s.Toolbar, dc, r);
        s.Bar->SetNotDocking({});
      }));
    sheet.Add(entry);
  }
  // The separator's rect is as wide (or high) as the bar's begin-group size.
  const int group = p->GetBarBeginGroupSize();
  sheet.Add({"DrawBeginGroupSeparator", {26, 26},
             {Cell("vertical line", [=, &s](HDC dc, const RECT& r) {
                s.Place(dsTop, r);
                s.Toolbar->FillBackground(dc, r);
                p->DrawBeginGroupSeparator(s.Toolbar, dc, false, s.Toolbar->GetBackgroundBrush(),
                                           RECT{10, 0, 10 + group, r.bottom});
              }),
              Cell("horizontal line", [=, &s](HDC dc, const RECT& r) {
                s.Place(dsLeft, r);
                s.Toolbar->FillBackground(dc, r);
                p->DrawBeginGroupSeparator(s.Toolbar, dc, true, s.Toolbar->GetBackgroundBrush(),
                                           RECT{0, 10, r.right, 10 + group});
              })}});
  sheet.Add({"metrics",
             {64, 14},
             {TextCell("GetGripAreaSize", std::to_string(p->GetGripAreaSize(s.Toolbar))),
              TextCell("GetGripMargin", std::to_string(p->GetGripMargin())),
              TextCell("GetBarEndIndent", std::to_string(p->GetBarEndIndent())),
              TextCell("GetBarHorzMargin", std::to_string(p->GetBarHorzMargin())),
              TextCell("quick customizing", p->AllowsQuickCustomizingMark() ? "yes" : "no")}});

  sheet.Section("Toolbar mark");
  for (bool horizontal : {true, false}) {
    const TdxBarDockingStyle style = horizontal ? dsTop : dsLeft;
    TGalleryEntry entry{std::string("DrawBarMark, docked ") + (horizontal ? "top" : "left"),
                        horizontal ? SIZE{11, 24} : SIZE{24, 11}, {}};
    for (int state = 0; state < 3; ++state)
      entry.Cells.push_back(Cell(MarkStates[state], [=, &s](HDC dc, const RECT& r) {
        s.Place(style, r);
        p->DrawBarMarkBackground(s.Toolbar, dc, state, r);
        p->DrawBarMarkGlyphs(s.Toolbar, dc, r);
      }));
    sheet.Add(entry);
  }
  // The chevrons of hidden items, where DrawBarMarkGlyphs puts them, over the mark at rest.
  auto chevrons = [=, &s](TdxBarDockingStyle style, int height) {
    return [=, &s](HDC dc, const RECT& cell) {
      const RECT r{0, 0, cell.right, style == dsTop ? height : cell.bottom};
      s.Place(style, r);
      p->DrawBarMarkBackground(s.Toolbar, dc, 0, r);
      p->DrawBarMarkGlyphs(s.Toolbar, dc, r);
      const int start = style == dsTop ? r.left : r.top;
      p->DrawMarkChevrons(s.Toolbar, dc, start + 2, r);
      p->DrawMarkChevrons(s.Toolbar, dc, start + 6, r);
    };
  };
  sheet.Add({"DrawMarkChevrons, with hidden items", {24, 24},
             {Cell("top, 24 high", chevrons(dsTop, 24)), Cell("top, 16 high", chevrons(dsTop, 16)),
              Cell("left", chevrons(dsLeft, 0))}});
  sheet.Add({"DrawFloatingMarkButton", {16, 16}, {Cell("", [=, &s](HDC dc, const RECT& r) {
               FillRect(dc, &r, SystemColorBrush(COLOR_INACTIVECAPTION));
               p->DrawFloatingMarkButton(s.Toolbar, dc, r);
             })}});

  sheet.Section("Floating toolbars");
  sheet.Add({"DrawFloatingBarFrame, DrawFloatingCaption", {140, 48}, {Cell("", [=, &s](HDC dc, const RECT& r) {
               s.Place(dsNone, r);
               s.Toolbar->FillBackground(dc, r);
               p->DrawFloatingBarFrame(s.Toolbar, dc, r);
               p->DrawFloatingCaption(s.Toolbar, dc, s.Toolbar->GetBackgroundBrush(), r,
                                      p->GetFloatingCaptionRect(s.Toolbar, r));
             })}});
  TGalleryEntry close{"DrawFloatingCloseButton", {16, 16}, {}};
  for (bool pressed : {false, true})
    close.Cells.push_back(Cell(pressed ? "pressed" : "normal", [=, &s](HDC dc, const RECT& r) {
      p->DrawFloatingCloseButton(s.Toolbar, dc, pressed, r);
    }));
  sheet.Add(close);
  const char* const mdiNames[] = {"minimize", "restore", "close"};
  const struct {
    const char* Name;
    int State;
  } mdiStates[] = {{"normal", 0}, {"disabled", 1}, {"hot", 2}, {"pressed", 4}};
  TGalleryEntry mdi{"DrawMdiButton", {16, 14}, {}};
  for (int button = 0; button < 3; ++button)
    for (const auto& state : mdiStates)
      mdi.Cells.push_back(Cell(std::string(mdiNames[button]) + " " + state.Name, [=, &s](HDC dc, const RECT& r) {
        p->DrawMdiButton(s.Toolbar, button, dc, state.State, r);
      }));
  for (const auto& state : mdiStates)
    mdi.Cells.push_back(Cell(std::string("flat close ") + state.Name, [=, &s](HDC dc, const RECT& r) {
      s.Manager->SetFlatCloseButton(true);
      s.Manager->SetShowCloseButton(true);
      p->DrawMdiButton(s.Toolbar, 2, dc, state.State, r);
      s.Manager->SetFlatCloseButton(false);
      s.Manager->SetShowCloseButton(false);
    }));
  sheet.Add(mdi);

  sheet.Section("Status-bar-like bars");
  sheet.Add({"DrawSizeGrip over a pattern (only the dots change)", {24, 24},
             {Cell("pattern", [](HDC dc, const RECT& r) { FillPattern(dc, r); }),
              Cell("size grip", [=](HDC dc, const RECT& r) {
                FillPattern(dc, r);
                p->DrawStatusBarSizeGrip(nullptr, dc, nullptr, r);
              })}});
  sheet.Add({"FillStatusBarTop", {40, 12}, {Cell("", [=, &s](HDC dc, const RECT& r) {
               FillPattern(dc, r);
               s.Place(dsBottom, r);
               p->FillStatusBarTop(s.Toolbar, dc, nullptr, r);
             })}});
}

void AddItemEntries(TGallerySheet& sheet, TBarScene& s, TBitmap* glyph)
{
  TdxBarPainter* p = s.Painter();
  sheet.Section("Buttons, glyphs and check marks");
  TGalleryEntry selected{"DrawSelectedItemFrame", {24, 22}, {}};
  for (int state = 0; state < 3; ++state)
    selected.Cells.push_back(Cell(MarkStates[state], [=, &s](HDC dc, const RECT& r) {
      p->DrawSelectedItemFrame(s.Toolbar, dc, state, r);
    }));
  sheet.Add(selected);
  TGalleryEntry frames{"FrameItemGlyph", {24, 22}, {}};
  TGalleryEntry glyphs{"DrawItemGlyph (16 x 16 glyph)", {24, 22}, {}};
  for (const auto& state : ButtonStates) {
    frames.Cells.push_back(Cell(state.Name, [=, &s](HDC dc, const RECT& r) {
      s.Place(dsTop, r);
      s.Toolbar->FillBackground(dc, r);
      p->FrameItemGlyph(s.Control, dc, state.States, r);
    }));
    glyphs.Cells.push_back(Cell(state.Name, [=, &s](HDC dc, const RECT& r) {
      s.Place(dsTop, r);
      s.Toolbar->FillBackground(dc, r);
      p->DrawItemGlyph(s.Control, dc, state.States, nullptr, -1, glyph, r, r);
    }));
  }
  glyphs.Cells.push_back(Cell("disabled", [=, &s](HDC dc, const RECT& r) {
    s.Place(dsTop, r);
    s.Toolbar->FillBackground(dc, r);
    p->DrawItemGlyph(s.DisabledControl, dc, {}, nullptr, -1, glyph, r, r);
  }));
  sheet.Add(frames);
  sheet.Add(glyphs);
  TGalleryEntry checked{"DrawCheckedFrame", {16, 16}, {}};
  for (auto [name, pressed, hot] : {std::tuple{"normal", false, false}, {"hot", false, true}, {"pressed", true, true}})
    checked.Cells.push_back(Cell(name, [=, &s](HDC dc, const RECT& r) {
      p->DrawCheckedFrame(s.Control, dc, pressed, hot, true, r);
    }));
  sheet.Add(checked);
  for (int factor : {1, 2}) {
    TGalleryEntry marks{factor == 1 ? "PaintCheckGlyph 9 x 7" : "PaintCheckGlyph 18 x 14",
                        factor == 1 ? SIZE{15, 13} : SIZE{26, 22}, {}};
    for (bool enabled : {true, false})
      marks.Cells.push_back(Cell(enabled ? "enabled" : "disabled", [=, &s](HDC dc, const RECT& r) {
        FillRect(dc, &r, SystemColorBrush(COLOR_BTNFACE));
        p->PaintCheckGlyph(enabled ? s.Control : s.DisabledControl, dc, factor, (r.right - 9 * factor) / 2,
                           (r.bottom - 7 * factor) / 2);
      }));
    sheet.Add(marks);
  }
  TGalleryEntry menuChecks{"DrawItemGlyphState as a menu check mark", {24, 22}, {}};
  for (const auto& state : ButtonStates)
    menuChecks.Cells.push_back(Cell(state.Name, [=, &s](HDC dc, const RECT& r) {
      FillRect(dc, &r, SystemColorBrush(COLOR_BTNFACE));
      p->DrawItemGlyphState(s.Control, dc, state.States, true, nullptr, -1, nullptr, r, r);
    }));
  sheet.Add(menuChecks);
  TGalleryEntry arrows{"PaintDropDownArrow, ShiftPressedArrowRect", {13, 13}, {}};
  for (auto [name, selectedArrow, enabled, down] :
       {std::tuple{"normal", false, true, false}, {"selected", true, true, false}, {"disabled", false, false, false},
        {"pressed", false, true, true}})
    arrows.Cells.push_back(Cell(name, [=](HDC dc, const RECT& r) {
      FillRect(dc, &r, SystemColorBrush(selectedArrow ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
      RECT a{1, 1, 10, 10};
      p->ShiftPressedArrowRect(down, false, a);
      p->PaintDropDownArrow(dc, a, clDefault, false, selectedArrow, enabled, TcxArrowDirection::adDown);
    }));
  sheet.Add(arrows);
  sheet.Add({"PaintDisabledShadow", {16, 16}, {Cell("", [=](HDC dc, const RECT& r) {
               FillRect(dc, &r, SystemColorBrush(COLOR_BTNFACE));
               p->PaintDisabledShadow(nullptr, dc, RECT{3, 3, 12, 12});
             })}});
  sheet.Add({"DrawDropDownListFrame", {30, 20}, {Cell("", [=](HDC dc, const RECT& r) {
               FillRect(dc, &r, SystemColorBrush(COLOR_WINDOW));
               p->DrawDropDownListFrame(dc, clWindow, r);
             })}});

  sheet.Section("Captions");
  TGalleryEntry captions{"DrawItemCaption", {60, 20}, {}};
  for (auto [name, enabled, sel] :
       {std::tuple{"enabled", true, false}, {"selected", true, true}, {"disabled", false, false},
        {"disabled selected", false, true}})
    captions.Cells.push_back(Cell(name, [=, &s](HDC dc, const RECT& r) {
      FillRect(dc, &r, sel ? SystemColorBrush(COLOR_HIGHLIGHT) : SystemColorBrush(COLOR_BTNFACE));
      TFontHandle font(CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
      TSelectObject select(dc, font.Get());
      p->DrawItemCaption(enabled ? s.Control : s.DisabledControl, dc, "&Tools", r, taCenter, enabled, sel, false,
                         false, false, DT_SINGLELINE);
    }));
  sheet.Add(captions);
  TGalleryEntry rotated{"DrawItemCaption, rotated", {20, 60}, {}};
  for (bool enabled : {true, false})
    rotated.Cells.push_back(Cell(enabled ? "enabled" : "disabled", [=, &s](HDC dc, const RECT& r) {
      FillRect(dc, &r, SystemColorBrush(COLOR_BTNFACE));
      TFontHandle font(CreateFontA(-11, 0, 2700, 2700, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
      TSelectObject select(dc, font.Get());
      p->DrawItemCaption(enabled ? s.Control : s.DisabledControl, dc, "&Tools", r, taCenter, enabled, false, true,
                         false, false, DT_SINGLELINE);
    }));
  sheet.Add(rotated);
}

// The states an edit or combo is drawn in: (hot, enabled, dropped down).
const struct {
  const char* Name;
  bool Hot, Enabled, DroppedDown;
} EditStates[] = {{"normal", false, true, false},
                  {"hot", true, true, false},
                  {"dropped down", true, true, true},
                  {"disabled", false, false, false}};

// The control's draw parameters on the canvas, in the state, for one drawing.
TdxBarEditLikeControlDrawParams* EditParams(TdxBarCustomEditControl* control, TcxCanvas* canvas, bool hot,
                                            bool enabled, bool droppedDown)
{
  control->CalcDrawParams(true);
  auto* p = ObjectAs<TdxBarEditLikeControlDrawParams>(control->DrawParams());
  p->Canvas = canvas;
  p->DrawSelected = hot;
  p->Enabled = enabled;
  p->DroppedDown = droppedDown;
  return p;
}

void AddEditEntries(TGallerySheet& sheet, TBarScene& s)
{
  TdxBarPainter* p = s.Painter();
  sheet.Section("Edits and combos");
  TGalleryEntry borders{"DrawEditBorder (the box in the window colour)", {60, 22}, {}};
  TGalleryEntry buttons{"DrawComboButton (the column left of it is its own)", {17, 22}, {}};
  for (const auto& state : EditStates) {
    if (!state.DroppedDown)
      borders.Cells.push_back(CanvasCell(state.Name, [=, &s](TcxCanvas* canvas, const RECT& r) {
        s.Place(dsNone, r);
        FillRect(canvas->GetDCHandle(), &r, s.Toolbar->GetBackgroundBrush());
        RECT box = r;
        p->DrawEditBorder(EditParams(s.EditControl, canvas, state.Hot, state.Enabled, false), box);
        FillRect(canvas->GetDCHandle(), &box, SystemColorBrush(COLOR_WINDOW));
        s.EditControl->DrawParams()->Canvas = nullptr;
      }));
    buttons.Cells.push_back(CanvasCell(state.Name, [=, &s](TcxCanvas* canvas, const RECT& r) {
      s.Place(dsNone, r);
      FillRect(canvas->GetDCHandle(), &r, s.Toolbar->GetBackgroundBrush());
      p->DrawComboButton(EditParams(s.ComboControl, canvas, state.Hot, state.Enabled, state.DroppedDown),
                         RECT{1, 0, r.right, r.bottom});
      s.ComboControl->DrawParams()->Canvas = nullptr;
    }));
  }
  sheet.Add(borders);
  sheet.Add(buttons);
  sheet.Add({"edit metrics",
             {64, 14},
             {TextCell("CalcEditItemHeight at 13", std::to_string(p->CalcEditItemHeight(s.Toolbar, 13))),
              TextCell("GetComboButtonBorder", std::to_string(p->GetComboButtonBorder())),
              TextCell("GetDropDownListBorder", std::to_string(p->GetDropDownListBorder()))}});
}

// Draw parameters of an item control that offer the extended items' own values, so that the
// colour combo's button, the spin buttons and the progress track show in every state.
class TGalleryExtParams : public TdxBarItemControlDrawParams,
                          public IdxBarColorComboDrawValues,
                          public IdxBarSpinEditDrawValues,
                          public IdxBarProgressDrawValues {
  CL_CLASS(TGalleryExtParams, TdxBarItemControlDrawParams)
public:
  using TdxBarItemControlDrawParams::TdxBarItemControlDrawParams;
  bool Pressed = false;
  int PressedPart = -1, Position = 60;
  bool Smooth = false;
  bool ShowsCustomColorButton() const override { return true; }
  bool IsCustomColorButtonPressed() const override { return Pressed; }
  int SpinPressedPart() const override { return PressedPart; }
  int ProgressPosition() const override { return Position; }
  int ProgressMin() const override { return 0; }
  int ProgressMax() const override { return 100; }
  bool ProgressSmooth() const override { return Smooth; }
};
CL_DEFINE_CLASS(TGalleryExtParams);

void AddExtendedItemEntries(TGallerySheet& sheet, TBarScene& s)
{
  TdxBarPainter* p = s.Painter();
  sheet.Section("Extended items");
  struct TState {
    const char* Name;
    bool Hot, Pressed, Enabled;
  };
  const TState states[] = {{"normal", false, false, true},
                           {"hot", true, false, true},
                           {"pressed", true, true, true},
                           {"disabled", false, false, false}};
  // The parameters drawing on the cell's canvas; the item control is 22 pixels high.
  auto params = [&s](TcxCanvas* canvas, const TState& state) {
    auto result = MakeOwned<TGalleryExtParams>(s.Control);
    result->Canvas = canvas;
    result->Enabled = state.Enabled;
    result->DrawSelected = state.Hot;
    result->Pressed = state.Pressed;
    result->HotPartIndex = state.Hot ? 3 : -1;
    result->PressedPart = state.Pressed ? 3 : -1;
    s.Control->Link()->SetItemRect(RECT{0, 0, 120, 22});
    return result;
  };
  TGalleryEntry custom{"DrawCustomColorButton (16 x 18)", {18, 22}, {}};
  TGalleryEntry spins{"DrawSpinButton (up, then down)", {17, 22}, {}};
  for (const TState& state : states) {
    custom.Cells.push_back(CanvasCell(state.Name, [=, &s](TcxCanvas* canvas, const RECT& r) {
      s.Place(dsTop, r);
      s.Toolbar->FillBackground(canvas->GetDCHandle(), r);
      TOwned<TGalleryExtParams> ps = params(canvas, state);
      p->DrawCustomColorButton(ps.get(), RECT{1, 2, 17, 20});
    }));
    spins.Cells.push_back(CanvasCell(state.Name, [=, &s](TcxCanvas* canvas, const RECT& r) {
      s.Place(dsTop, r);
      s.Toolbar->FillBackground(canvas->GetDCHandle(), r);
      TOwned<TGalleryExtParams> ps = params(canvas, state);
      std::vector<RECT> parts(5);
      p->CalcSpinEditParts(ps.get(), parts, RECT{r.right - 120, 0, r.right, 22});
      p->DrawSpinButton(ps.get(), parts[3], sbUp);
      ps->PressedPart = -1;
      p->DrawSpinButton(ps.get(), parts[4], sbDown);
    }));
  }
  sheet.Add(custom);
  sheet.Add(spins);
  TGalleryEntry progress{"DrawProgressTrack (60 %)", {100, 14}, {}};
  for (bool smooth : {false, true})
    progress.Cells.push_back(CanvasCell(smooth ? "smooth" : "segments", [=, &s](TcxCanvas* canvas, const RECT& r) {
      s.Place(dsTop, r);
      s.Toolbar->FillBackground(canvas->GetDCHandle(), r);
      TOwned<TGalleryExtParams> ps = params(canvas, {"", false, false, true});
      ps->Smooth = smooth;
      RECT track{0, 1, r.right, 1 + p->GetProgressTrackHeight()};
      p->DrawProgressTrack(ps.get(), track, p->GetProgressFillColor());
    }));
  sheet.Add(progress);
  TGalleryEntry inPlace{"DrawInPlaceSubItemBackground", {60, 20}, {}};
  for (bool hot : {false, true})
    inPlace.Cells.push_back(CanvasCell(hot ? "hot" : "normal", [=, &s](TcxCanvas* canvas, const RECT& r) {
      s.Place(dsTop, r);
      TOwned<TGalleryExtParams> ps = params(canvas, {"", hot, false, true});
      p->DrawInPlaceSubItemBackground(ps.get(), r);
    }));
  sheet.Add(inPlace);
  TGalleryEntry calendar{"PaintCalendarButton", {40, 20}, {}};
  for (bool pushed : {false, true})
    calendar.Cells.push_back(Cell(pushed ? "pushed" : "normal", [=](HDC dc, const RECT& r) {
      p->PaintCalendarButton(dc, pushed, "", r);
    }));
  sheet.Add(calendar);
}

// Whole buttons through DrawButtonContent: toolbar buttons per state, the drop-down part, a large
// button, and the same controls drawn as menu items.
void AddButtonEntries(TGallerySheet& sheet, TBarScene& s)
{
  TdxBarPainter* p = s.Painter();
  sheet.Section("Whole buttons (DrawButtonContent)");
  struct TState {
    const char* Name;
    bool Hot, Pressed, Down, DroppedDown;
  };
  const TState states[] = {{"normal", false, false, false, false},
                           {"hot", true, false, false, false},
                           {"pressed", true, true, false, false},
                           {"checked", false, false, true, false},
                           {"dropped down", true, false, false, true}};
  auto draw = [=, &s](int button, TdxBarPaintType paintType, TState state) {
    return CanvasCell(state.Name, [=, &s](TcxCanvas* canvas, const RECT& r) {
      s.Place(dsTop, r);
      TdxBarButtonControl* control = s.Buttons[button];
      control->CalcDrawParams(true);
      TdxBarButtonLikeControlDrawParams* params = control->ButtonDrawParams();
      params->Canvas = canvas;
      params->PaintType = static_cast<uint8_t>(paintType);
      params->DrawSelected = state.Hot;
      params->PressedLook = state.Pressed;
      params->IsPressed = state.Pressed;
      params->Down = state.Down;
      params->DroppedDown = state.DroppedDown;
      if (paintType == ptMenu) params->ViewStructure = dxBarViewIcon | dxBarViewText;
      FillRect(canvas->GetDCHandle(), &r, SystemColorBrush(COLOR_BTNFACE));
      p->DrawButtonContent(params, r);
      params->Canvas = nullptr;
    });
  };
  const struct {
    const char* Name;
    int Button;
    TdxBarPaintType PaintType;
    SIZE Size;
  } rows[] = {{"caption and glyph on a toolbar", TBarScene::CaptionGlyph, ptHorz, {64, 22}},
              {"disabled", TBarScene::DisabledButton, ptHorz, {64, 22}},
              {"drop-down part", TBarScene::DropDownButton, ptHorz, {76, 22}},
              {"large button, glyph at the top", TBarScene::LargeButton, ptHorz, {52, 56}},
              {"menu item (the menu's glyph band comes with menus)", TBarScene::CaptionGlyph, ptMenu, {90, 22}}};
  for (const auto& row : rows) {
    TGalleryEntry entry{std::string("DrawButtonContent: ") + row.Name, row.Size, {}};
    for (const TState& state : states) entry.Cells.push_back(draw(row.Button, row.PaintType, state));
    sheet.Add(entry);
  }
}

void WriteBarSheets(const TGallerySheetWriter& write, TFont*)
{
  const struct {
    const char* Name;
    TdxBarManagerStyle Style;
  } styles[] = {{"standard", TdxBarManagerStyle::bmsStandard},
                {"enhanced", TdxBarManagerStyle::bmsEnhanced},
                {"flat", TdxBarManagerStyle::bmsFlat},
                {"office11", TdxBarManagerStyle::bmsOffice11},
                {"xp", TdxBarManagerStyle::bmsXP}};
  TOwned<TBitmap> glyph = NewGlyph();
  for (const auto& style : styles) {
    TBarScene scene(style.Style);
    TGallerySheet sheet(std::string("Bar painter \"") + style.Name + "\" (" + scene.Painter()->ClassName() + ")");
    AddToolbarEntries(sheet, scene);
    AddItemEntries(sheet, scene, glyph.get());
    AddEditEntries(sheet, scene);
    AddButtonEntries(sheet, scene);
    AddExtendedItemEntries(sheet, scene);
    write(std::string("bars ") + style.Name, sheet);
  }
}

const TGalleryCatalogue Catalogue{.Name = "bars", .Units = BarUnits, .WriteSheets = WriteBarSheets};
}  // namespace

const TGalleryCatalogue& BarsGalleryCatalogue() { return Catalogue; }
