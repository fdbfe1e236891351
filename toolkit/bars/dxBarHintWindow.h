#pragma once
// The bar hint window and what it shows: a plain bar hint (text and shortcut in the manager's font),
// its view info and helper, and the screen-tip painter that draws through a bar painter.
#include <string>
#include "toolkit/controls/cxControlsPopupWindow.h"
#include "toolkit/controls/cxHint.h"
#include "toolkit/controls/dxScreenTip.h"

class TdxBarManager;
class TdxBarPainter;
class TdxBarHintWindow;

// The bar hint view infos: whether the window takes the screen-tip look, and their preparation of
// the window before it is measured.
class TdxBarCustomHintViewInfo : public TdxCustomHintViewInfo {
  CL_CLASS(TdxBarCustomHintViewInfo, TdxCustomHintViewInfo)
public:
  virtual bool UsesScreenTipLook() const { return false; }
  virtual void PrepareHintWindow(TdxBarHintWindow* window);
};

// Measures and paints a plain hint in the manager's font (the system status font without a
// manager, or with its UseSystemFont).
class TdxBarHintViewInfoHelper : public TdxHintViewInfoHelper {
  CL_CLASS(TdxBarHintViewInfoHelper, TdxHintViewInfoHelper)
public:
  TdxBarHintViewInfoHelper(TdxBarManager* manager, const std::string& text, POINT position,
                           const std::string& shortCut)
      : TdxHintViewInfoHelper(text, position, shortCut), FManager(manager)
  {
  }

protected:
  void SetHintFont(TcxCanvas* canvas) override;

private:
  TdxBarManager* FManager;
};

class TdxBarHintViewInfo : public TdxBarCustomHintViewInfo {
  CL_CLASS(TdxBarHintViewInfo, TdxBarCustomHintViewInfo)
public:
  TdxBarHintViewInfo(TdxBarManager* manager, POINT cursor, const std::string& shortCut, const std::string& hint)
      : FManager(manager), FCursor(cursor), FShortCut(shortCut), FHint(hint)
  {
  }
  void PrepareHintWindow(TdxBarHintWindow* window) override;
  TdxBarManager* Manager() const { return FManager; }
  POINT Cursor() const { return FCursor; }
  const std::string& ShortCut() const { return FShortCut; }
  const std::string& Hint() const { return FHint; }

protected:
  TOwned<TdxCustomHintViewInfoHelper> CreateHelper() override;

private:
  TdxBarManager* FManager;
  POINT FCursor;
  std::string FShortCut;
  std::string FHint;
};

// The screen-tip drawing of a bar painter.
class TdxBarScreenTipPainter : public TdxScreenTipPainter {
  CL_CLASS(TdxBarScreenTipPainter, TdxScreenTipPainter)
public:
  explicit TdxBarScreenTipPainter(TdxBarPainter* barPainter) : TdxScreenTipPainter(nullptr), FBarPainter(barPainter) {}
  TColor GetDescriptionColor() override;
  int GetFooterSeparatorSize() override;
  TColor GetTitleColor() override;
  void DrawBackground(TcxCanvas* canvas, const RECT& r) override;
  void DrawFooterSeparator(TcxCanvas* canvas, const RECT& r) override;

private:
  TdxBarPainter* FBarPainter;
};

// --- Hints in the screen-tip look and full screen tips ---

// Measures and paints a hint text with a screen tip's frame and colours, in the manager's font.
class TdxBarLikeHintScreenTipViewInfoHelper : public TdxScreenTipLikeHintViewInfoHelper {
  CL_CLASS(TdxBarLikeHintScreenTipViewInfoHelper, TdxScreenTipLikeHintViewInfoHelper)
public:
  TdxBarLikeHintScreenTipViewInfoHelper(TdxBarManager* manager, TdxScreenTipPainter* painter,
                                        const std::string& text, POINT position, const std::string& shortCut)
      : TdxScreenTipLikeHintViewInfoHelper(painter, text, position, shortCut), FManager(manager)
  {
  }

protected:
  void SetHintFont(TcxCanvas* canvas) override;

private:
  TdxBarManager* FManager;
};

// A bar hint drawn like a screen tip through the bar painter's screen-tip drawing.
class TdxBarLikeHintScreenTipViewInfo : public TdxBarHintViewInfo {
  CL_CLASS(TdxBarLikeHintScreenTipViewInfo, TdxBarHintViewInfo)
public:
  TdxBarLikeHintScreenTipViewInfo(TdxBarManager* manager, POINT cursor, const std::string& shortCut,
                                  const std::string& hint, TdxBarPainter* barPainter);
  bool UsesScreenTipLook() const override { return true; }

protected:
  TOwned<TdxCustomHintViewInfoHelper> CreateHelper() override;
  void FreeHelper() override;

private:
  TOwned<TdxBarScreenTipPainter> FPainter;
};

// A full screen tip (header, description, footer) of an item, drawn through the bar painter.
class TdxBarScreenTipViewInfo : public TdxBarCustomHintViewInfo {
  CL_CLASS(TdxBarScreenTipViewInfo, TdxBarCustomHintViewInfo)
public:
  TdxBarScreenTipViewInfo(TdxScreenTip* screenTip, const std::string& shortCut, const std::string& hint,
                          TdxBarPainter* barPainter);
  bool UsesScreenTipLook() const override { return true; }
  TdxScreenTip* ScreenTip() const { return FScreenTip; }

protected:
  TOwned<TdxCustomHintViewInfoHelper> CreateHelper() override;
  void FreeHelper() override;

private:
  std::string FShortCut;
  std::string FHint;
  TdxScreenTip* FScreenTip;
  TOwned<TdxBarScreenTipPainter> FPainter;
};

// The view info of a hint in a painter's screen-tip look: the full screen tip when there is one and
// its repository shows descriptions; else the hint drawn like a screen tip at the cursor, with the
// screen tip's header text when it has one and does not take the hint as its header.
TOwned<TdxBarCustomHintViewInfo> CreateBarHintViewInfo(TdxBarManager* manager, const std::string& hint,
                                                       const std::string& shortCut, TdxScreenTip* screenTip,
                                                       TdxBarPainter* barPainter);

// A screen tip of bar items; registered for stored forms.
class TdxBarScreenTip : public TdxScreenTip {
  CL_CLASS(TdxBarScreenTip, TdxScreenTip)
public:
  using TdxScreenTip::TdxScreenTip;
};

// The shared hint window of the bar managers: info-background colour, no show animation, a
// rounded shape, and the pauses of its look.
class TdxBarHintWindow : public TcxBaseHintWindow {
  CL_CLASS(TdxBarHintWindow, TcxBaseHintWindow)
public:
  explicit TdxBarHintWindow(TComponent* owner);
  // data is the bar manager.
  RECT CalcHintRect(int maxWidth, const std::string& hint, void* data) override;
  void FitBoundsToDesktop(RECT& r) override;
  void ApplyWindowShape() override;
  bool HasWindowShadow() override { return FScreenTipLook; }
  virtual int GetHidePause() const { return FScreenTipLook ? 200000 : 10000; }
  virtual int GetShowPause() const { return FScreenTipLook ? 900 : 1000; }
  bool ScreenTipLook() const { return FScreenTipLook; }
  void SetScreenTipLook(bool value) { FScreenTipLook = value; }
  TdxBarCustomHintViewInfo* ViewInfo() const { return FViewInfo.get(); }

protected:
  void Paint() override;

private:
  void WMShowWindow(TMessage& msg);
  bool FScreenTipLook = false;
  TOwned<TdxBarCustomHintViewInfo> FViewInfo;
};
