#pragma once
// TStatusBar: the system's status bar, split into panels (the last one takes the rest of the
// width) or showing one simple text over its whole width.
#include <string>
#include "classlib/Collection.h"
#include "classlib/Controls.h"

class TStatusBar;

class TStatusPanel : public TCollectionItem {
  CL_CLASS(TStatusPanel, TCollectionItem)
public:
  explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}
  const std::string& Text() const { return FText; }
  void SetText(const std::string& value);
  int Width() const { return FWidth; }
  void SetWidth(int value);
  std::string DisplayName() const override { return FText; }
  void Assign(TPersistent* source) override;

private:
  std::string FText;
  int FWidth = 50;
};

class TStatusPanels : public TCollection {
  CL_CLASS(TStatusPanels, TCollection)
public:
  explicit TStatusPanels(TStatusBar* owner);
  TStatusPanel* Add() { return TCollection::Add<TStatusPanel>(); }
  TStatusPanel* Items(int index) const { return Item<TStatusPanel>(index); }
  TPersistent* GetOwner() const override;

protected:
  void Update(TCollectionItem* item) override;

private:
  TStatusBar* FOwner;
};

class TStatusBar : public TWinControl {
  CL_CLASS(TStatusBar, TWinControl)
public:
  explicit TStatusBar(TComponent* owner);

  TStatusPanels* Panels() const { return FPanels.get(); }
  // One text over the whole bar in place of the panels.
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool value);
  const std::string& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const std::string& value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool value);

protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

private:
  friend class TStatusPanels;
  void UpdatePanels();
  void UpdatePanelText(int index);
  void UpdateSimpleText();

  TOwned<TStatusPanels> FPanels;
  bool FSimplePanel = false;
  std::string FSimpleText;
  bool FSizeGrip = true;
};
