#pragma once
// The tool bar: the system's tool bar holding tool buttons. Each TToolButton is a control the bar
// lays out and the system's bar draws: its image from the bar's Images, its hint as the bar's tip,
// its enabled state; a click on it runs Click (OnClick, or its action). Separators are gaps of
// their Width.
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/ImageListLink.h"

class TToolBar;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
using enum TToolButtonStyle;

class TToolButton : public TGraphicControl {
  CL_CLASS(TToolButton, TGraphicControl)
public:
  explicit TToolButton(TComponent* owner);
  void BeforeDestruction() override;

  // The bar the button is on (its parent), or nullptr.
  TToolBar* ToolBar() const { return FToolBar; }
  // The button's place on its bar, -1 without one.
  int Index() const;
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  // A check button that is pushed in.
  bool Down() const { return FDown; }
  void SetDown(bool value);
  // The command number the bar's window knows the button by.
  int Command() const { return FCommand; }

  void SetParent(TWinControl* parent) override;
  void SetBounds(int left, int top, int width, int height) override;

protected:
  TOwned<TControlActionLink> NewActionLink() override;
  void ActionChange(TBasicAction* sender, bool checkDefaults) override;

private:
  friend class TToolBar;
  // The bar's window shows what the button is now.
  void Changed();
  void CMHitTest(TMessage& msg);
  void CMStateChanged(TMessage& msg);
  TToolBar* FToolBar = nullptr;
  TToolButtonStyle FStyle = tbsButton;
  int FImageIndex = -1;
  int FCommand;
  bool FDown = false;
  bool FPlacing = false;  // the bar is setting the bounds it laid out
};

class TToolBar : public TWinControl {
  CL_CLASS(TToolBar, TWinControl)
public:
  explicit TToolBar(TComponent* owner);
  void BeforeDestruction() override;

  int ButtonCount() const { return static_cast<int>(FButtons.size()); }
  // Raises EListError for an index outside the buttons.
  TToolButton* Buttons(int index) const;
  // The button of a command number, or nullptr.
  TToolButton* ButtonOfCommand(int command) const;
  TCustomImageList* Images() const { return FImages.Get(); }
  void SetImages(TCustomImageList* value);
  // Buttons without raised edges until the mouse is over them.
  bool Flat() const { return FFlat; }
  void SetFlat(bool value);
  int ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(int value);
  int ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(int value);

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  friend class TToolButton;
  void InsertButton(TToolButton* button);
  void RemoveButton(TToolButton* button);
  // The window's buttons made again from the buttons, and their bounds taken from it.
  void RecreateButtons();
  void UpdateButton(TToolButton* button);
  void UpdateButtonBounds();
  void ImageListChange(TObject* sender);
  TBBUTTON ButtonData(const TToolButton* button) const;
  void CNCommand(TMessage& msg);
  void WMNotifyTips(TMessage& msg);
  void WMPaintBar(TMessage& msg);
  void WMEraseBkgndBar(TMessage& msg);
  std::vector<TToolButton*> FButtons;
  TImageListReference FImages;
  bool FFlat = false;
  int FButtonWidth = 23, FButtonHeight = 22;
  std::wstring FTipText;  // the text of the last tip asked for, while the tip shows it
};
