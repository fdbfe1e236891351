#pragma once
// Text edit view data (unit cxTextEdit): the layout of an editor that shows text. Beyond the
// framework's layout it finds the text rectangle inside the client area, the text flags (alignment,
// single line or wrapped rows, end ellipsis), the row limit, the shown text through the properties'
// conversion and transform, the selected range and its colours, and it measures texts for size
// requests. It serves an unfocused text editor and a host that paints text cells without an editor.
#include "toolkit/base/cxDrawTextUtils.h"
#include "toolkit/editors/cxEditViewData.h"

class TcxCustomTextEditViewInfo;
class TcxCustomTextEditProperties;

// The paint option that asks for an end ellipsis on cut text.
constexpr int cxEditPaintOptionEndEllipsis = 8;
// The view data's option that measures an empty text with height 0.
constexpr int cxEditPaintOptionEmptyHasNoHeight = 2;
// The capability of a kind of editor whose text may wrap.
constexpr TcxEditCapabilities cxEditCapabilityWordWrap = 4;

class TcxCustomTextEditViewData : public TcxCustomEditViewData {
  CL_CLASS(TcxCustomTextEditViewData, TcxCustomEditViewData)
public:
  using TcxCustomEditViewData::TcxCustomEditViewData;

  // --- Fields set by the editor or the host ---
  // The selected range of the shown text (characters of the wide text) and its colours (clDefault:
  // chosen from the style).
  int MarkStart = 0;
  int MarkLength = 0;
  TColor SelTextColor = clDefault;
  TColor SelBackgroundColor = clDefault;
  // The text may wrap into rows (when the kind can wrap), at most MaxLineCount of them (0: no limit).
  bool WordWrap = false;
  int MaxLineCount = 0;

  TcxCustomTextEditProperties* TextProperties() const;

  // --- Virtual operations introduced ---
  // The edit is editing through its own text window (never without an edit).
  virtual bool IsEditorTextEditing() { return false; }
  // The row limit of the layout.
  virtual int GetTextLineHeight() { return MaxLineCount; }
  virtual bool IsComboStyle() { return false; }
  virtual void CalculateTextLayout(TcxCanvas* Canvas, TcxCustomTextEditViewInfo* ViewInfo);
  // The value's display text, transformed, into the view info.
  virtual void SetViewInfoText(const Variant& Value, TcxCustomTextEditViewInfo* ViewInfo);
  // The text-layout flags (CXTO_*) of the alignment, single line, rows kept inside the rect.
  virtual int GetDrawTextFlags();
  // The content offsets; a stand-alone editor in editing style 2 or 3 keeps one pixel more at the top,
  // the bottom and the side the text starts on.
  virtual void GetTextMargins(RECT& Margins);

  // --- Overrides ---
  void CalculateViewInfo(TcxCanvas* Canvas, const RECT& Bounds, bool KeepPressedButton, TcxCustomEditViewInfo* ViewInfo,
                         TShiftState Shift, bool PointerPressed, POINT P) override;
  void ApplyValueToViewInfo(TcxCanvas* Canvas, const Variant& Value, TcxCustomEditViewInfo* ViewInfo) override;
  void GetValueDisplayText(const Variant& Value, std::string& Text) override;
  void CalculateTextSize(TcxCanvas* Canvas, const Variant& Value, SIZE& Size,
                         const TcxEditSizeProperties& Limits) override;
  void InitializeFromProperties() override;
  void GetClientExtent(TcxCanvas* Canvas, TcxCustomEditViewInfo* ViewInfo, RECT& Extent) override;
  // A stand-alone list-style editor's drop-down button drawn as the combo box's part stays in the
  // part's normal state unless disabled: the whole editor is the list's face.
  void CalculateButtonNativeState(TcxEditButtonViewInfo* Button) override;

private:
  bool FUsesProviderDisplayFormat = false;
};

// The size a text needs with the flags: with an open width (Size.cx <= 0) the longest row (single
// line, or unbroken rows where the text may wrap) and one row's height, or RowLimit rows' when it is
// above 0; with a width, the rows the text takes in it. The view data adds its own extras.
void CalculateTextEditTextSize(TcxCustomTextEditViewData* ViewData, TcxCanvas* Canvas, std::wstring_view Text,
                               int Flags, int RowLimit, SIZE& Size);
// Text of the ANSI code page in wide characters, read in the code page of the font's character set.
std::wstring TextForFont(std::string_view Text, TFont* Font);
