#include "toolkit/bars/dxBarItemStyles.h"

#include <algorithm>
#include "classlib/GraphicsUtils.h"

CL_DEFINE_CLASS(TdxBarItemStylesData);

namespace {
// Assigned on exactly one side, or on both with different RGB values (system colours compare by
// what they are now).
bool ColorChanged(bool wasAssigned, TColor was, bool isAssigned, TColor is)
{
  if (wasAssigned != isAssigned) return true;
  return isAssigned && ColorToRGB(was) != ColorToRGB(is);
}
}  // namespace

TdxBarItemStylesData::TdxBarItemStylesData(TPersistent* owner, int styleCount)
    : TcxInterfacedPersistent(owner), FSlots(static_cast<size_t>(std::max(styleCount, 0)))
{
}

void TdxBarItemStylesData::BeforeDestruction()
{
  FDestroying = true;
  for (int i = 0; i < StyleCount(); ++i) SetStyle(i, nullptr);
  TcxInterfacedPersistent::BeforeDestruction();
}

int TdxBarItemStylesData::UsageCount(const TcxStyle* style) const
{
  int count = 0;
  for (const TSlot& slot : FSlots)
    if (slot.Style == style) ++count;
  return count;
}

void TdxBarItemStylesData::SetStyle(int index, TcxStyle* value)
{
  TSlot& slot = FSlots.at(index);
  if (slot.Style == value) return;
  TcxStyle* old = slot.Style;
  slot.Style = value;
  if (old && UsageCount(old) == 0) old->RemoveChangeListener(this);
  if (value && UsageCount(value) == 1) value->AddChangeListener(this);
  RefreshSlot(index);
}

void TdxBarItemStylesData::RefreshSlot(int index)
{
  if (FDestroying) return;
  TSlot& slot = FSlots.at(index);
  const TcxStyleValues now = slot.Style ? slot.Style->AssignedValues() : TcxStyleValues();
  const TcxStyleValues was = slot.AssignedValues;
  using V = TcxStyleValue;
  TFontSnapshot font;
  if (now.Contains(V::svFont)) {
    TFont* f = slot.Style->Font();
    font = {f->Height(), f->Orientation(), f->Pitch(), f->Style(), f->Charset(), f->Name().substr(0, 31)};
  }
  const TColor color = now.Contains(V::svColor) ? slot.Style->Color() : clDefault;
  const TColor textColor = now.Contains(V::svTextColor) ? slot.Style->TextColor() : clDefault;

  const bool colorChanged = ColorChanged(was.Contains(V::svColor), slot.Color, now.Contains(V::svColor), color);
  const bool textColorChanged =
      ColorChanged(was.Contains(V::svTextColor), slot.TextColor, now.Contains(V::svTextColor), textColor);
  bool fontChanged = was.Contains(V::svFont) != now.Contains(V::svFont);
  if (!fontChanged && now.Contains(V::svFont)) {
    const TFontSnapshot& old = slot.Font;
    fontChanged = old.Height != font.Height || old.Orientation != font.Orientation || old.Pitch != font.Pitch ||
                  old.Style != font.Style || old.Charset != font.Charset || old.Name != font.Name;
  }

  TcxStyleValues kept;
  for (V v : {V::svColor, V::svFont, V::svTextColor}) kept.IncludeIf(v, now.Contains(v));
  slot.AssignedValues = kept;
  slot.Color = color;
  slot.Font = font;
  slot.TextColor = textColor;

  if (fontChanged)
    Report(TdxBarStylesChangeKind::sckStructure);
  else if (colorChanged || textColorChanged)
    Report(TdxBarStylesChangeKind::sckDrawing);
}

void TdxBarItemStylesData::Report(TdxBarStylesChangeKind kind)
{
  if (FLockCount > 0) {
    // None < drawing < structure.
    if (FPendingKind == TdxBarStylesChangeKind::sckNone || kind == TdxBarStylesChangeKind::sckStructure)
      FPendingKind = kind;
    return;
  }
  if (FOnChanged) FOnChanged(kind);
}

void TdxBarItemStylesData::BeginUpdate()
{
  if (FLockCount++ == 0) FPendingKind = TdxBarStylesChangeKind::sckNone;
}

void TdxBarItemStylesData::EndUpdate()
{
  if (FLockCount == 0 || --FLockCount > 0) return;
  if (FPendingKind != TdxBarStylesChangeKind::sckNone) Report(std::exchange(FPendingKind, TdxBarStylesChangeKind::sckNone));
}

template <class Proc>
void TdxBarItemStylesData::ForSlotsOf(TcxCustomStyle* style, Proc proc)
{
  BeginUpdate();
  try {
    for (int i = 0; i < StyleCount(); ++i)
      if (FSlots[i].Style && FSlots[i].Style == style) proc(i);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TdxBarItemStylesData::StyleModified(TcxCustomStyle* style)
{
  ForSlotsOf(style, [this](int i) { RefreshSlot(i); });
}

void TdxBarItemStylesData::StyleRemoving(TcxCustomStyle* style)
{
  ForSlotsOf(style, [this](int i) { SetStyle(i, nullptr); });
}
