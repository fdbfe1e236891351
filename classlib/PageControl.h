#pragma once
// The page control: the system's tab control holding tab sheets. Each sheet is a container shown
// only while it is the active page; its caption is its tab's text. A sheet whose TabVisible is off
// has no tab and is never shown.
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Themes.h"

class TPageControl;

// The sheet's body is the style's tab body when the style is on; controls on it that take its
// colour draw the body behind them (IStyledBackground).
class TTabSheet : public TWinControl, public IStyledBackground {
  CL_CLASS(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* owner);
  void BeforeDestruction() override;

  // The page control the sheet belongs to; setting it makes the control the sheet's parent.
  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* value);
  // The sheet's place among all pages of its control (-1 without one).
  int PageIndex() const;
  void SetPageIndex(int value);
  // The index of the sheet's tab among the shown tabs, -1 when it has none.
  int TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool value);
  // A page control as parent takes the sheet as one of its pages.
  void SetParent(TWinControl* parent) override;

  bool PaintsStyledBackground() override;
  void PaintStyledBackground(HDC dc, POINT origin) override;

protected:
  void CreateParams(TCreateParams& params) override;
  // The body (and the graphic children after it).
  void PaintWindow(HDC dc) override;

private:
  friend class TPageControl;
  // The style's data for the body, opened on the page control's window.
  HWND ThemeWindow();
  void WMEraseBkgnd(TMessage& msg);
  void CMTextChanged(TMessage& msg);
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
};

using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

class TPageControl : public TWinControl {
  CL_CLASS(TPageControl, TWinControl)
public:
  explicit TPageControl(TComponent* owner);
  void BeforeDestruction() override;

  int PageCount() const { return static_cast<int>(FPages.size()); }
  // Raises EListError for an index outside the pages.
  TTabSheet* Pages(int index) const;
  // The page shown, or nullptr. A page of another control, or one without a tab, is refused.
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* page);
  // -1 for none; an index outside the pages raises EListError and changes nothing.
  int ActivePageIndex() const;
  void SetActivePageIndex(int value);
  // The next (or previous) page with a tab after the active one, wrapping round; as a user's choice
  // it asks OnChanging and tells OnChange.
  void SelectNextPage(bool goForward);
  // The page of a tab (an index among the shown tabs), or nullptr.
  TTabSheet* PageOfTab(int tabIndex) const;
  // The page at a point of the control (on its tab), or nullptr.
  TTabSheet* PageAt(POINT p) const;

  // Before the user's choice takes effect (it may refuse it), and after.
  TTabChangingEvent OnChanging() const { return FOnChanging; }
  void SetOnChanging(TTabChangingEvent e) { FOnChanging = e; }
  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent e) { FOnChange = e; }

  void AdjustClientRect(RECT& rect) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void Loaded() override;

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual bool CanChange();
  virtual void Change();

private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  // Makes page the shown one: the other pages hide, the focus leaves a page that hides.
  void ShowPage(TTabSheet* page);
  // The user's choice of page: asks, changes, tells. Answers whether it changed.
  bool ChangeActivePage(TTabSheet* page);
  // The tabs of the window made again from the pages.
  void UpdateTabs();
  // The page after from (or before it), among those with a tab, wrapping round; nullptr when none.
  TTabSheet* FindNextPage(TTabSheet* from, bool goForward) const;
  void CNNotify(TMessage& msg);
  void CMDialogKey(TMessage& msg);
  void CMFontChangedPages(TMessage& msg);
  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  TTabChangingEvent FOnChanging;
  TNotifyEvent FOnChange;
};
