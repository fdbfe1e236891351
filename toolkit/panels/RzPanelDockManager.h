#pragma once
// The panel's dock manager: the class library's dock tree with a 14-pixel grabber band that shows
// each docked client's caption in the window caption colours (active for the client that holds
// the focus) and a close glyph, while the panel's DockCaptionsVisible is set; without it the
// class library's grabbers. Through the tree's hook on the panel's window procedure (taken outside
// design time, given back when the tree goes) it also watches the panel's WM_COMMAND and
// WM_MOUSEACTIVATE, after which the captions are painted again (the focus may have moved).
#include "classlib/DockTree.h"
#include "classlib/Graphics.h"

class TRzCustomPanel;

class TRzPanelDockManager : public TDockTree {
  CL_CLASS(TRzPanelDockManager, TDockTree)
public:
  explicit TRzPanelDockManager(TRzCustomPanel* panel);

  TRzCustomPanel* Panel() const { return FPanel; }
  // "Verdana", 8 points: the clients' captions.
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  // "Marlett", 8 points: the close glyph.
  TFont* CloseFont() const { return FCloseFont.get(); }

protected:
  void PaintDockFrame(TCanvas* canvas, TControl* control, const RECT& r) override;
  void WindowProc(TMessage& msg) override;

private:
  // The caption written upwards in band, in the caption text colour.
  void DrawVerticalCaption(TCanvas* canvas, const RECT& band, const std::string& text);

  TRzCustomPanel* FPanel;
  TOwned<TFont> FCaptionFont;
  TOwned<TFont> FCloseFont;
};

// A new font like font turned by angle degrees (counter-clockwise): the caller owns it.
HFONT CreateRotatedFont(TFont* font, int angle);
