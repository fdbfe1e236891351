#pragma once
// The extra buttons in a toolbar's caption: their data, hot and pressed states, hints and screen
// tips. The toolbar window lays them out (it sets each button's rectangle) and draws them.
#include <string>
#include "classlib/Graphics.h"
#include "toolkit/bars/dxBarItemControl.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxClassesCollections.h"

class TdxBar;
class TdxBarCaptionButtons;
class TdxScreenTip;
class TCustomdxBarControl;

// The states of a caption button.
enum class TdxBarCaptionButtonState : uint32_t { Normal = 0, Disabled = 1, Hot = 2, Pressed = 4 };

class TdxBarCaptionButton : public TcxInterfacedCollectionItem, public IdxBarHintSource {
  CL_CLASS(TdxBarCaptionButton, TcxInterfacedCollectionItem)
public:
  explicit TdxBarCaptionButton(TCollection* collection);
  void Assign(TPersistent* source) override;

  // Fires OnClick with the button as sender.
  void Click();
  TdxBarCaptionButtons* GetCaptionButtons() const;
  // The toolbar window of the collection's bar; nullptr while hidden.
  TCustomdxBarControl* GetBarControl() const;

  bool Enabled() const { return FEnabled; }
  // Also sets the state: disabled, or normal whatever it was.
  void SetEnabled(bool value);
  TBitmap* Glyph() const { return FGlyph.get(); }
  void SetGlyph(TBitmap* value) { FGlyph->Assign(value); }
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value) { FHint = value; }
  const std::string& KeyTip() const { return FKeyTip; }
  void SetKeyTip(const std::string& value) { FKeyTip = value; }
  // In the toolbar window's coordinates; empty while the button is not shown.
  const RECT& Rect() const { return FRect; }
  void SetRect(const RECT& value) { FRect = value; }
  TdxScreenTip* ScreenTip() const { return FScreenTip; }
  void SetScreenTip(TdxScreenTip* value);
  TdxBarCaptionButtonState State() const { return FState; }
  // Hot shows the manager's hint for the button, any other state hides it; a change is reported.
  void SetState(TdxBarCaptionButtonState value);
  const TNotifyEvent& OnClick() const { return FOnClick; }
  void SetOnClick(const TNotifyEvent& value);

  // IdxBarHintSource: a hot button has its Hint.
  bool GetHintTexts(bool& suppressed, std::string& hint, std::string& shortCut) override;
  // The toolbar window's hint view info with the button's screen tip (dxBarHintSources.cpp).
  TOwned<TdxBarCustomHintViewInfo> ShowScreenTip(POINT at, const std::string& hint,
                                                 const std::string& shortCut) override;
  bool CanShowHint() override { return FState != TdxBarCaptionButtonState::Disabled; }
  void ShowHintAt(POINT& at) override { (void)at; }

  // Keyboard access: the button's helper, made on first use (dxBarAccessibilityHelpers.cpp).
  IdxBarAccessibilityHelper* GetAccessibilityHelper();

private:
  TOwned<TdxBarAccessibilityHelper> FAccessibilityHelper;

private:
  void GlyphChanged(TObject*) { Changed(false); }
  void ScreenTipFreed(TComponent*) { FScreenTip = nullptr; }

  bool FEnabled = true;
  TOwned<TBitmap> FGlyph;
  std::string FHint;
  std::string FKeyTip;
  TOwned<TcxFreeNotificator> FFreeNotificator;
  RECT FRect{};
  TdxScreenTip* FScreenTip = nullptr;
  TdxBarCaptionButtonState FState = TdxBarCaptionButtonState::Normal;
  TNotifyEvent FOnClick;
};

// The bar's caption buttons; changes go to the bar's toolbar window.
class TdxBarCaptionButtons : public TcxOwnedInterfacedCollection {
  CL_CLASS(TdxBarCaptionButtons, TcxOwnedInterfacedCollection)
public:
  explicit TdxBarCaptionButtons(TPersistent* owner);
  TdxBar* GetBar() const;
  TdxBarCaptionButton* GetButton(int index) const { return Item<TdxBarCaptionButton>(index); }
  TdxBarCaptionButton* Add() { return TCollection::Add<TdxBarCaptionButton>(); }
  // Hot tracking: a button away from the point becomes normal, the one under it pressed while the
  // mouse button is down, else hot; disabled buttons are left alone.
  void UpdateButtonStates(POINT p, bool mouseDown);
  // The first enabled button whose rectangle holds the point; -1 for none.
  int IndexOfButtonAt(POINT p) const;
  // The union of the shown buttons' rectangles.
  RECT GetBoundsRect() const;

  // Keyboard access: the buttons' helper, made on first use (dxBarAccessibilityHelpers.cpp).
  IdxBarAccessibilityHelper* GetAccessibilityHelper();

protected:
  void Update(TCollectionItem* item) override;

private:
  TOwned<TdxBarAccessibilityHelper> FAccessibilityHelper;
};
