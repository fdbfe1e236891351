#pragma once
// Text edit view info (unit cxTextEdit): what a text editor paints: the shown text in its text area
// and colours, laid out in rows on the first paint (kept until the next layout), the selected range
// in the selection colours, the selection bar and focus rectangle of list styles, the baseline, and
// the full text as a hint when it is cut.
#include "toolkit/base/cxDrawTextUtils.h"
#include "toolkit/editors/cxEditViewInfo.h"

// The laid-out text of a view info: reset by each layout, built on the first paint.
struct TcxTextOutData {
  bool LaidOut = false;
  bool EndEllipsisForced = false;
  TcxTextParams Params;
  RECT TextRect{};  // where the rows were placed
  int RowCount = 0;
  bool AllFit = true;
  TcxTextHighlight Selection;
  std::wstring Text;  // the text the rows point into
  TcxTextRows Rows;
};

using TcxTextEditOwnerDrawEvent = TEvent<void(TObject* Sender, TcxCanvas* Canvas, const RECT& TextArea)>;

class TcxCustomTextEditViewInfo : public TcxCustomEditViewInfo {
  CL_CLASS(TcxCustomTextEditViewInfo, TcxCustomEditViewInfo)
public:
  TcxCustomTextEditViewInfo() = default;

  // --- Fields ---
  std::string ShownText;  // already transformed
  RECT TextArea{};
  TColor TextPaintColor = clWindowText;
  TFont* TextFont = nullptr;  // not owned
  int TextLayoutFlags = 0;
  uint8_t EditStyleCode = 0;
  bool ShowsEditWindow = false;
  bool EditorWantsAllKeys = false;
  bool IsComboStyle = false;
  int MaxRowCount = 0;
  bool PaintsSelectionBar = false;
  int MarkStart = 0;
  int MarkLength = 0;
  TColor MarkTextColor = clHighlightText;
  TColor MarkBackColor = clHighlight;
  TcxTextOutData TextLayout;
  // Paints the content instead of the text when set.
  TcxTextEditOwnerDrawEvent OnOwnerDraw;

  // The shown text in wide characters of the text font's code page.
  std::wstring WideShownText() const;

  // --- Overrides ---
  void DrawContent(TcxCanvas* Canvas) override;
  void ShiftBy(int DX, int DY) override;
  // The full text when the point is on a text that does not fit its area; else the buttons' hints.
  bool GetHintAt(POINT P, RECT& Rect, bool& IsMultiLine, std::string& Text) override;

  // --- Introduced ---
  virtual void DrawTextContent(TcxCanvas* Canvas);
  // The y of the text's baseline in the view info's coordinates.
  virtual int CalculateBaseline();

private:
  void LayOutText(HDC DC);
  bool TextFitsArea(const RECT& Area);
};
