#pragma once
// An item's binding to the style objects it takes colours and fonts from: one slot per style
// property of the item (Style; edits also StyleEdit). The binding listens to each style it holds
// once, keeps a snapshot of what each slot's style had when the item last looked, and tells the
// item whether a change of a style moves things (a font) or only needs repainting (a colour).
// Changes that arrive while the binding is locked reach the item once, as the strongest kind.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "classlib/GraphicsObjects.h"
#include "toolkit/bars/dxBarItem.h"
#include "toolkit/controls/cxStyles.h"

using TdxBarStylesChangedEvent = TEvent<void(TdxBarStylesChangeKind Kind)>;

class TdxBarItemStylesData : public TcxInterfacedPersistent, public IcxStyleObserver {
  CL_CLASS(TdxBarItemStylesData, TcxInterfacedPersistent)
public:
  TdxBarItemStylesData(TPersistent* owner, int styleCount);
  // Stops listening to every style without reporting anything.
  void BeforeDestruction() override;

  int StyleCount() const { return static_cast<int>(FSlots.size()); }
  TcxStyle* GetStyle(int index) const { return FSlots.at(index).Style; }
  // Nothing for the same style; the binding listens to each style while any slot holds it.
  void SetStyle(int index, TcxStyle* value);
  const TdxBarStylesChangedEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TdxBarStylesChangedEvent& value) { FOnChanged = value; }

  // The report of changes waits while the lock is held; releasing the last lock reports the
  // strongest kind that came meanwhile.
  void BeginUpdate();
  void EndUpdate();

  // IcxStyleObserver
  void StyleModified(TcxCustomStyle* style) override;
  void StyleRemoving(TcxCustomStyle* style) override;

private:
  // What a slot's style had when it was last looked at.
  struct TFontSnapshot {
    int Height = 0;
    int Orientation = 0;
    TFontPitch Pitch = TFontPitch::fpDefault;
    TFontStyles Style;
    TFontCharset Charset = 0;
    std::string Name;  // at most 31 characters, as a logical font holds it
  };
  struct TSlot {
    TcxStyleValues AssignedValues;
    TColor Color = clDefault;
    TFontSnapshot Font;
    TColor TextColor = clDefault;
    TcxStyle* Style = nullptr;
  };
  // Compares the slot with its style and takes the style's values; reports the change.
  void RefreshSlot(int index);
  void Report(TdxBarStylesChangeKind kind);
  int UsageCount(const TcxStyle* style) const;
  template <class Proc> void ForSlotsOf(TcxCustomStyle* style, Proc proc);

  std::vector<TSlot> FSlots;
  TdxBarStylesChangedEvent FOnChanged;
  int FLockCount = 0;
  TdxBarStylesChangeKind FPendingKind = TdxBarStylesChangeKind::sckNone;
  bool FDestroying = false;
};
