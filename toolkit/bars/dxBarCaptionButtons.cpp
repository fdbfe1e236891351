// The caption buttons of toolbars: data, states, hot tracking, hints and screen-tip notification.
#include "toolkit/bars/dxBarCaptionButtons.h"

#include "toolkit/bars/dxBarBars.h"
#include "toolkit/bars/dxBarControl.h"
#include "toolkit/bars/dxBarManager.h"
#include "toolkit/bars/dxBarPainter.h"
#include "toolkit/bars/dxBarToolbar.h"
#include "toolkit/controls/dxScreenTip.h"

namespace {
using TB = TdxBarCaptionButton;
const TPropInfo CaptionButtonProps[] = {
  BoolProp<&TB::Enabled, &TB::SetEnabled>("Enabled", true),
  StrProp<&TB::Hint, &TB::SetHint>("Hint"),
  StrProp<&TB::KeyTip, &TB::SetKeyTip>("KeyTip"),
  ComponentProp<&TB::ScreenTip, &TB::SetScreenTip>("ScreenTip"),
  EventProp<&TB::OnClick, &TB::SetOnClick>("OnClick"),
};
}  // namespace

CL_DEFINE_CLASS(TdxBarCaptionButton, .Props = CaptionButtonProps);
CL_DEFINE_CLASS(TdxBarCaptionButtons);

TdxBarCaptionButton::TdxBarCaptionButton(TCollection* collection)
    : TcxInterfacedCollectionItem(collection),
      FGlyph(MakeOwned<TBitmap>()),
      FFreeNotificator(MakeOwned<TcxFreeNotificator>(nullptr))
{
  FGlyph->SetOnChange(TNotifyEvent(this, &TdxBarCaptionButton::GlyphChanged));
  FFreeNotificator->SetOnFreeNotification(TcxFreeNotificationEvent(this, &TdxBarCaptionButton::ScreenTipFreed));
}

void TdxBarCaptionButton::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TdxBarCaptionButton*>(source);
  if (!other) {
    TcxInterfacedCollectionItem::Assign(source);
    return;
  }
  SetEnabled(other->Enabled());
  FGlyph->Assign(other->Glyph());
  FHint = other->Hint();
  FKeyTip = other->KeyTip();
  FRect = other->Rect();
  SetScreenTip(other->ScreenTip());
  SetOnClick(other->OnClick());
}

void TdxBarCaptionButton::Click()
{
  if (FOnClick) FOnClick(this);
}

TdxBarCaptionButtons* TdxBarCaptionButton::GetCaptionButtons() const
{
  return static_cast<TdxBarCaptionButtons*>(Collection());
}

TCustomdxBarControl* TdxBarCaptionButton::GetBarControl() const
{
  TdxBar* bar = GetCaptionButtons() ? GetCaptionButtons()->GetBar() : nullptr;
  return bar ? bar->GetBarControl() : nullptr;
}

void TdxBarCaptionButton::SetEnabled(bool value)
{
  FEnabled = value;
  SetState(value ? TdxBarCaptionButtonState::Normal : TdxBarCaptionButtonState::Disabled);
}

void TdxBarCaptionButton::SetScreenTip(TdxScreenTip* value)
{
  if (FScreenTip == value) return;
  if (FScreenTip) FFreeNotificator->UnwatchComponent(FScreenTip);
  FScreenTip = value;
  if (FScreenTip) FFreeNotificator->WatchComponent(FScreenTip);
}

void TdxBarCaptionButton::SetState(TdxBarCaptionButtonState value)
{
  if (FState == value) return;
  FState = value;
  if (TCustomdxBarControl* barControl = GetBarControl())
    if (TdxBarManager* manager = barControl->BarManager()) {
      if (value == TdxBarCaptionButtonState::Hot)
        manager->ActivateHint(true, std::string(), this);
      else
        manager->HideHint();
    }
  Changed(false);
}

void TdxBarCaptionButton::SetOnClick(const TNotifyEvent& value)
{
  FOnClick = value;
  Changed(true);
}

bool TdxBarCaptionButton::GetHintTexts(bool& suppressed, std::string& hint, std::string& shortCut)
{
  suppressed = false;
  shortCut.clear();
  if (FState != TdxBarCaptionButtonState::Hot) {
    hint.clear();
    return false;
  }
  hint = FHint;
  return true;
}

TdxBarCaptionButtons::TdxBarCaptionButtons(TPersistent* owner)
    : TcxOwnedInterfacedCollection(owner, TdxBarCaptionButton::StaticClass())
{
}

TdxBar* TdxBarCaptionButtons::GetBar() const { return dynamic_cast<TdxBar*>(GetOwner()); }

void TdxBarCaptionButtons::UpdateButtonStates(POINT p, bool mouseDown)
{
  for (int i = 0; i < Count(); ++i) {
    TdxBarCaptionButton* button = GetButton(i);
    if (button->State() == TdxBarCaptionButtonState::Disabled) continue;
    if (!PtInRect(&button->Rect(), p))
      button->SetState(TdxBarCaptionButtonState::Normal);
    else
      button->SetState(mouseDown ? TdxBarCaptionButtonState::Pressed : TdxBarCaptionButtonState::Hot);
  }
}

int TdxBarCaptionButtons::IndexOfButtonAt(POINT p) const
{
  for (int i = 0; i < Count(); ++i)
    if (GetButton(i)->Enabled() && PtInRect(&GetButton(i)->Rect(), p)) return i;
  return -1;
}

RECT TdxBarCaptionButtons::GetBoundsRect() const
{
  RECT r{};
  for (int i = 0; i < Count(); ++i)
    if (!IsRectEmpty(&GetButton(i)->Rect())) UnionRect(&r, &r, &GetButton(i)->Rect());
  return r;
}

void TdxBarCaptionButtons::Update(TCollectionItem* item)
{
  TcxOwnedInterfacedCollection::Update(item);
  if (TdxBar* bar = GetBar())
    if (auto* toolbar = bar->GetBarControl()) toolbar->CaptionButtonsChanged();
}

// --- The bar's buttons and its toolbar window ---

TdxBarCaptionButtons* TdxBar::CaptionButtons() const
{
  if (!FCaptionButtons) FCaptionButtons = MakeOwned<TdxBarCaptionButtons>(const_cast<TdxBar*>(this));
  return FCaptionButtons.get();
}

namespace {
TdxBarCaptionButtons* ButtonsOf(const TdxBarDockedControl* control)
{
  TdxBar* bar = control->GetBarOfControl();
  return bar ? bar->CaptionButtons() : nullptr;
}
}  // namespace

int TdxBarDockedControl::GetCaptionButtonAt(POINT windowPoint) const
{
  TdxBarCaptionButtons* buttons = ButtonsOf(this);
  if (!buttons) return -1;
  UpdateCaptionButtonRects();
  return buttons->IndexOfButtonAt(windowPoint);
}

// A docked toolbar shows no caption and no caption buttons.
void TdxBarDockedControl::UpdateCaptionButtonRects() const
{
  if (TdxBarCaptionButtons* buttons = ButtonsOf(this))
    for (int i = 0; i < buttons->Count(); ++i) buttons->GetButton(i)->SetRect(RECT{});
}

bool TdxBarDockedControl::HasCaptionButtons() const
{
  TdxBarCaptionButtons* buttons = ButtonsOf(this);
  return buttons && buttons->Count() > 0;
}

void TdxBarDockedControl::ClickCaptionButton(int index)
{
  TdxBarCaptionButtons* buttons = ButtonsOf(this);
  if (buttons && index >= 0 && index < buttons->Count()) buttons->GetButton(index)->Click();
  CaptionButtonsChanged();
}

void TdxBarDockedControl::TrackCaptionButtons(POINT windowPoint, bool pressed)
{
  TdxBarCaptionButtons* buttons = ButtonsOf(this);
  if (!buttons) return;
  UpdateCaptionButtonRects();
  buttons->UpdateButtonStates(windowPoint, pressed);
}

// --- Their place and drawing in a floating toolbar's caption ---

RECT TdxBarControl::GetCaptionSlotRect(int slot) const
{
  TdxBarPainter* painter = GetPainter();
  if (!painter || !HandleAllocated() || !IsFloating() || !HasCaption()) return RECT{};
  RECT window{};
  GetWindowRect(const_cast<TdxBarControl*>(this)->Handle(), &window);
  OffsetRect(&window, -window.left, -window.top);
  const RECT caption = painter->GetFloatingCaptionRect(const_cast<TdxBarControl*>(this), window);
  const int cell = painter->GetFloatingCaptionHeight();
  RECT r{caption.right - (slot + 1) * cell, caption.top, caption.right - slot * cell, caption.bottom};
  const SIZE button = painter->GetFloatingCaptionButtonSize();
  if (button.cx < r.right - r.left) {
    r.left += (r.right - r.left - button.cx) / 2;
    r.right = r.left + button.cx;
  }
  if (button.cy < r.bottom - r.top) {
    r.top += (r.bottom - r.top - button.cy) / 2;
    r.bottom = r.top + button.cy;
  }
  // The caption's text keeps at least its first half from the caption buttons.
  if (slot > 0 && r.left < (caption.left + caption.right) / 2) return RECT{};
  return r;
}

void TdxBarControl::UpdateCaptionButtonRects() const
{
  TdxBarCaptionButtons* buttons = ButtonsOf(this);
  if (!buttons) return;
  const int first = HasCloseButton() ? 1 : 0;
  for (int i = 0; i < buttons->Count(); ++i) buttons->GetButton(i)->SetRect(GetCaptionSlotRect(first + i));
}

void TdxBarControl::DrawCaptionButtons(HDC dc)
{
  TdxBarCaptionButtons* buttons = ButtonsOf(this);
  TdxBarPainter* painter = GetPainter();
  if (!buttons || !painter) return;
  UpdateCaptionButtonRects();
  for (int i = 0; i < buttons->Count(); ++i) {
    TdxBarCaptionButton* button = buttons->GetButton(i);
    painter->DrawCaptionButton(this, dc, button, button->Rect());
  }
}
