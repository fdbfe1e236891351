// The standard controls over the system's BUTTON, EDIT, COMBOBOX and LISTBOX windows, and the label.
#include "classlib/StdCtrls.h"

#include <algorithm>
#include <utility>
#include "classlib/Buttons.h"
#include "classlib/Encoding.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "classlib/Themes.h"
#include "classlib/TypInfo.h"

namespace {
constexpr std::string_view AlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};
constexpr std::string_view LayoutNames[] = {"tlTop", "tlCenter", "tlBottom"};
constexpr TEnumInfo LayoutInfo = EnumInfo<TTextLayout::tlBottom>("TTextLayout", LayoutNames);
constexpr std::string_view ComboStyleNames[] = {"csDropDown", "csSimple", "csDropDownList",
                                                "csOwnerDrawFixed", "csOwnerDrawVariable"};
constexpr TEnumInfo ComboStyleInfo = EnumInfo<TComboBoxStyle::csOwnerDrawVariable>("TComboBoxStyle", ComboStyleNames);
constexpr std::string_view ListStyleNames[] = {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable", "lbVirtual",
                                               "lbVirtualOwnerDraw"};
constexpr TEnumInfo ListStyleInfo = EnumInfo<TListBoxStyle::lbVirtualOwnerDraw>("TListBoxStyle", ListStyleNames);

using TB = TButton;
constexpr TPropInfo ButtonProps[] = {
  BoolProp<&TB::Default, &TB::SetDefault>("Default", false),
  BoolProp<&TB::Cancel, &TB::SetCancel>("Cancel", false),
  IntProp<&TB::ModalResult, &TB::SetModalResult>("ModalResult", 0),
};
using TL = TLabel;
constexpr TPropInfo LabelProps[] = {
  BoolProp<&TL::AutoSize, &TL::SetAutoSize>("AutoSize", true),
  BoolProp<&TL::Transparent, &TL::SetTransparent>("Transparent", false),
  EnumProp<&TL::Alignment, &TL::SetAlignment>("Alignment", AlignmentInfo, 0),
  EnumProp<&TL::Layout, &TL::SetLayout>("Layout", LayoutInfo, 0),
  BoolProp<&TL::WordWrap, &TL::SetWordWrap>("WordWrap", false),
  ComponentProp<&TL::FocusControl, &TL::SetFocusControl>("FocusControl"),
  BoolProp<&TL::ShowAccelChar, &TL::SetShowAccelChar>("ShowAccelChar", true),
};
constexpr std::string_view CharCaseNames[] = {"ecNormal", "ecUpperCase", "ecLowerCase"};
using TE = TEdit;
constexpr TPropInfo EditProps[] = {
  StrProp<&TE::Text, &TE::SetText>("Text"),
  IntProp<&TE::MaxLength, &TE::SetMaxLength>("MaxLength", 0),
  BoolProp<&TE::ReadOnly, &TE::SetReadOnly>("ReadOnly", false),
  BoolProp<&TE::AutoSelect, &TE::SetAutoSelect>("AutoSelect", true),
  BoolProp<&TE::HideSelection, &TE::SetHideSelection>("HideSelection", true),
  BoolProp<&TE::OEMConvert, &TE::SetOEMConvert>("OEMConvert", false),
  EnumProp<&TE::CharCase, &TE::SetCharCase>("CharCase", EditCharCaseInfo, 0),
  EventProp<&TE::OnChange, &TE::SetOnChange>("OnChange"),
};
using TCB = TCustomComboBox;
constexpr TPropInfo ComboBoxProps[] = {
  EnumProp<&TCB::Style, &TCB::SetStyle>("Style", ComboStyleInfo, 0),
  IntProp<&TCB::DropDownCount, &TCB::SetDropDownCount>("DropDownCount", 8),
  IntProp<&TCB::ItemHeight, &TCB::SetItemHeight>("ItemHeight", 16),
  Stored<&TCB::IsItemsStored>(IntProp<&TCB::ItemIndex, &TCB::SetItemIndex>("ItemIndex", -1)),
  StrProp<&TCB::Text, &TCB::SetText>("Text"),
  Stored<&TCB::IsItemsStored>(StringsProp<&TCB::Items>("Items")),
  EventProp<&TCB::OnChange, &TCB::SetOnChange>("OnChange"),
  EventProp<&TCB::OnSelect, &TCB::SetOnSelect>("OnSelect"),
};
using TLB = TListBox;
constexpr TPropInfo ListBoxProps[] = {
  EnumProp<&TLB::Style, &TLB::SetStyle>("Style", ListStyleInfo, 0),
  IntProp<&TLB::ItemHeight, &TLB::SetItemHeight>("ItemHeight", 16),
  StringsProp<&TLB::Items>("Items"),
  IntProp<&TLB::ItemIndex, &TLB::SetItemIndex>("ItemIndex", -1),
  IntProp<&TLB::ScrollWidth, &TLB::SetScrollWidth>("ScrollWidth", 0),
};
// The chosen item of a combo box or list box: asked of the window when there is one, else kept in
// the class. While a stored form is read the items may come after the index: Loaded applies it.
struct TSelectionMessages {
  UINT Get, Set;
};
constexpr TSelectionMessages ComboSelection{CB_GETCURSEL, CB_SETCURSEL};
constexpr TSelectionMessages ListSelection{LB_GETCURSEL, LB_SETCURSEL};

int ReadItemIndex(HWND wnd, TSelectionMessages messages, int kept, int count, bool loading)
{
  if (wnd) return static_cast<int>(SendMessageA(wnd, messages.Get, 0, 0));
  return kept < count || loading ? kept : -1;
}

void WriteItemIndex(HWND wnd, TSelectionMessages messages, int& kept, int value, int count, bool loading)
{
  if (loading) {
    kept = value;
    return;
  }
  if (value < -1 || value >= count) throw EListError("List index out of bounds (" + std::to_string(value) + ")");
  kept = value;
  if (wnd) SendMessageA(wnd, messages.Set, static_cast<WPARAM>(value), 0);
}

void ApplyLoadedItemIndex(HWND wnd, TSelectionMessages messages, int& kept, int count)
{
  if (kept >= count) kept = -1;
  if (wnd && kept >= 0) SendMessageA(wnd, messages.Set, static_cast<WPARAM>(kept), 0);
}

// The default look of an owner-drawn item: its rectangle filled with the canvas's brush and its
// text on one line, centred vertically, a little in from the left.
void DrawItemText(TCanvas* canvas, const RECT& rect, std::string_view text)
{
  canvas->FillRect(rect);
  RECT r = rect;
  r.left += 2;
  canvas->TextRect(r, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

const TEnumInfo AlignmentInfo = EnumInfo<TAlignment::taCenter>("TAlignment", AlignmentNames);

UINT AlignmentFlags(TAlignment alignment)
{
  switch (alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
  }
}

void DrawOwnerDrawnItem(TCanvas* canvas, TWinControl* control, const DRAWITEMSTRUCT& dis, bool focusRect,
                        const std::function<void(int Index, const RECT& Rect, TOwnerDrawState State)>& draw)
{
  const TOwnerDrawState state = TOwnerDrawState::FromInt(LOWORD(dis.itemState));
  // itemID is -1 (as unsigned) for the focus of an empty list.
  const int index = static_cast<int>(dis.itemID);
  struct TLetGo {
    TCanvas* Canvas;
    ~TLetGo() { Canvas->SetHandle(nullptr); }
  } letGo{canvas};
  canvas->SetHandle(dis.hDC);
  canvas->SetFont(control->Font());
  canvas->Brush()->SetStyle(TBrushStyle::bsSolid);
  canvas->Brush()->SetColor(control->Color());
  if (index >= 0 && state.Contains(odSelected)) {
    canvas->Brush()->SetColor(clHighlight);
    canvas->Font()->SetColor(clHighlightText);
  }
  if (index >= 0)
    draw(index, dis.rcItem, state);
  else
    canvas->FillRect(dis.rcItem);
  if (focusRect && state.Contains(odFocused)) canvas->DrawFocusRect(dis.rcItem);
}

// ----- TButton ------------------------------------------------------------------------------

CL_MESSAGE_MAP(TButton,
  {CN_COMMAND, &TButton::CNCommand},
  {CM_DIALOGKEY, &TButton::CMDialogKey});
CL_DEFINE_CLASS(TButton, .Props = ButtonProps);

TButton::TButton(TComponent* owner) : TWinControl(owner)
{
  // The system button tracks the mouse itself and reports a click as BN_CLICKED.
  FControlStyle = {TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 75, 25);
  SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool value)
{
  SetAndNotify(FDefault, value, [&] {
    if (HandleAllocated())
      SendMessageA(Handle(), BM_SETSTYLE, value ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
  });
}

void TButton::Click()
{
  if (FModalResult != mrNone)
    if (TCustomForm* form = GetParentForm()) form->SetModalResult(FModalResult);
  TWinControl::Click();
}

void TButton::CNCommand(TMessage& msg)
{
  if (HIWORD(msg.WParam) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& msg)
{
  bool mine = (msg.WParam == VK_RETURN && FDefault) || (msg.WParam == VK_ESCAPE && FCancel);
  if (mine && IsVisible() && Enabled() && KeyboardShiftState().ToInt() == 0) {
    Click();
    msg.Result = 1;
    return;
  }
  Inherited<TButton>(msg);
}

// ----- TLabel -------------------------------------------------------------------------------

CL_MESSAGE_MAP(TLabel,
  {CM_TEXTCHANGED, &TLabel::CMTextChanged},
  {CM_FONTCHANGED, &TLabel::CMFontChanged},
  {CM_DIALOGCHAR, &TLabel::CMDialogChar});
CL_DEFINE_CLASS(TLabel, .Props = LabelProps);

TLabel::TLabel(TComponent* owner) : TGraphicControl(owner)
{
  FControlStyle.Include(TControlStyleFlag::csOpaque);
  FControlStyle.Include(TControlStyleFlag::csReplicatable);
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetAutoSize(bool value)
{
  SetAndNotify(FAutoSize, value, [this] { AdjustBounds(); });
}

void TLabel::SetTransparent(bool value)
{
  SetAndNotify(FTransparent, value, [&] {
    FControlStyle.IncludeIf(TControlStyleFlag::csOpaque, !value);
    Invalidate();
  });
}

void TLabel::SetAlignment(TAlignment value)
{
  SetAndNotify(FAlignment, value, [this] { Invalidate(); });
}

void TLabel::SetLayout(TTextLayout value)
{
  SetAndNotify(FLayout, value, [this] { Invalidate(); });
}

void TLabel::SetWordWrap(bool value)
{
  SetAndNotify(FWordWrap, value, [this] {
    AdjustBounds();
    Invalidate();
  });
}

UINT TLabel::DrawFlags() const
{
  UINT flags = DT_EXPANDTABS | AlignmentFlags(FAlignment);
  if (FWordWrap) flags |= DT_WORDBREAK;
  if (!FShowAccelChar) flags |= DT_NOPREFIX;
  return flags;
}

void TLabel::SetFocusControl(TWinControl* value)
{
  if (FFocusControl == value) return;
  if (FFocusControl) FFocusControl->RemoveFreeNotification(this);
  FFocusControl = value;
  if (value) value->FreeNotification(this);
}

void TLabel::SetShowAccelChar(bool value)
{
  if (FShowAccelChar == value) return;
  FShowAccelChar = value;
  AdjustBounds();
  Invalidate();
}

void TLabel::Notification(TComponent* component, TOperation operation)
{
  TGraphicControl::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FFocusControl) FFocusControl = nullptr;
}

void TLabel::CMDialogChar(TMessage& msg)
{
  if (FFocusControl && Enabled() && FShowAccelChar && IsAccel(static_cast<UINT>(msg.WParam), Caption()) &&
      FFocusControl->CanFocus()) {
    FFocusControl->SetFocus();
    msg.Result = 1;
  }
}

void TLabel::Loaded()
{
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TLabel::AdjustBounds()
{
  if (!FAutoSize || IsLoading()) return;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, Font()->Handle());
  RECT r{0, 0, FWordWrap ? Width() : 0, 0};
  std::string text = Caption().empty() ? std::string(" ") : Caption();
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DrawFlags() | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  int left = Left();
  int width = r.right - r.left;
  if (!FWordWrap && FAlignment == taRightJustify) left += Width() - width;
  else if (!FWordWrap && FAlignment == taCenter) left += (Width() - width) / 2;
  SetBounds(left, Top(), width, r.bottom - r.top);
}

void TLabel::Paint()
{
  TCanvas* canvas = Canvas();
  RECT r = ClientRect();
  if (!FTransparent) PaintControlBackground(this, canvas->Handle(), r);
  canvas->Brush()->SetStyle(TBrushStyle::bsClear);
  canvas->SetFont(Font());
  if (!Enabled()) canvas->Font()->SetColor(clGrayText);
  std::string text = Caption();
  UINT flags = DrawFlags();
  if (FLayout != tlTop) {
    RECT calc = r;
    canvas->TextRect(calc, text, flags | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    r.top = FLayout == tlBottom ? r.bottom - h : r.top + (r.bottom - r.top - h) / 2;
  }
  canvas->TextRect(r, text, flags);
}

void TLabel::CMTextChanged(TMessage&)
{
  Invalidate();
  AdjustBounds();
}

void TLabel::CMFontChanged(TMessage& msg)
{
  Inherited<TLabel>(msg);
  AdjustBounds();
}

// ----- TEdit --------------------------------------------------------------------------------

const TEnumInfo EditCharCaseInfo = EnumInfo<ecLowerCase>("TEditCharCase", CharCaseNames);

CL_MESSAGE_MAP(TCustomEdit, {CN_COMMAND, &TCustomEdit::CNCommand}, {WM_SETFOCUS, &TCustomEdit::WMSetFocus});
CL_DEFINE_CLASS(TCustomEdit);
CL_DEFINE_CLASS(TEdit, .Props = EditProps);

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner)
{
  FControlStyle = {TControlStyleFlag::csClickEvents, TControlStyleFlag::csSetCaption,
                   TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomEdit::DefaultHandler(TMessage& msg)
{
  if (!PassDoubleByteChar(msg)) TWinControl::DefaultHandler(msg);
}

bool TCustomEdit::PassDoubleByteChar(TMessage& msg)
{
  if (msg.Msg != WM_CHAR || !HandleAllocated() || !FDefWndProc) return false;
  const auto byte = static_cast<BYTE>(LOBYTE(LOWORD(msg.WParam)));
  if (FHeldLeadByte) {
    const char bytes[2] = {std::exchange(FHeldLeadByte, '\0'), static_cast<char>(byte)};
    wchar_t wide = 0;
    // A byte that cannot end the character goes on alone; the first one is dropped.
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes, 2, &wide, 1) != 1) return false;
    // The EDIT window class's own Unicode procedure takes the character whole.
    WNDCLASSW edit{};
    if (!GetClassInfoW(nullptr, L"EDIT", &edit)) return false;
    msg.Result = CallWindowProcW(edit.lpfnWndProc, Handle(), WM_CHAR, wide, msg.LParam);
    return true;
  }
  if (HIBYTE(LOWORD(msg.WParam)) != 0 || !IsDBCSLeadByte(byte)) return false;
  FHeldLeadByte = static_cast<char>(byte);
  msg.Result = 0;
  return true;
}

void TCustomEdit::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (FReadOnly) params.Style |= ES_READONLY;
  if (!FHideSelection) params.Style |= ES_NOHIDESEL;
  if (FOEMConvert) params.Style |= ES_OEMCONVERT;
  if (FCharCase == ecUpperCase) params.Style |= ES_UPPERCASE;
  if (FCharCase == ecLowerCase) params.Style |= ES_LOWERCASE;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd()
{
  TWinControl::CreateWnd();
  SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetMaxLength(int value)
{
  FMaxLength = std::max(value, 0);
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool value)
{
  FReadOnly = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetHideSelection(bool value)
{
  if (FHideSelection == value) return;
  FHideSelection = value;
  RecreateWnd();
}

void TCustomEdit::SetOEMConvert(bool value)
{
  if (FOEMConvert == value) return;
  FOEMConvert = value;
  RecreateWnd();
}

void TCustomEdit::SetCharCase(TEditCharCase value)
{
  if (FCharCase == value) return;
  FCharCase = value;
  // The window converts the text it holds only as it is typed: convert the stored text as well.
  if (value == ecUpperCase) SetText(AnsiUpperCase(Text()));
  if (value == ecLowerCase) SetText(AnsiLowerCase(Text()));
  RecreateWnd();
}

int TCustomEdit::SelStart() const
{
  if (!HandleAllocated()) return 0;
  DWORD start = 0;
  SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value)
{
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(value), value);
}

int TCustomEdit::SelLength() const
{
  if (!HandleAllocated()) return 0;
  DWORD start = 0, end = 0;
  SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value)
{
  if (!HandleAllocated()) return;
  const int start = SelStart();
  SendMessageA(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

std::string TCustomEdit::SelText() const
{
  // The window counts its positions in characters, a double-byte character being one.
  const std::wstring text = AnsiToWide(Text());
  const auto start = static_cast<size_t>(SelStart());
  if (start > text.size()) return {};
  return WideToAnsi(std::wstring_view(text).substr(start, static_cast<size_t>(SelLength())));
}

void TCustomEdit::SetSelText(std::string_view value)
{
  if (!HandleAllocated()) return;
  const std::string text(value);
  SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

bool TCustomEdit::Modified() const { return HandleAllocated() && SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_GETMODIFY, 0, 0) != 0; }

void TCustomEdit::SetModified(bool value)
{
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETMODIFY, value, 0);
}

bool TCustomEdit::CanUndo() const { return HandleAllocated() && SendMessageA(const_cast<TCustomEdit*>(this)->Handle(), EM_CANUNDO, 0, 0) != 0; }

void TCustomEdit::SelectAll()
{
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection()
{
  if (HandleAllocated()) SendMessageA(Handle(), WM_CLEAR, 0, 0);
}

void TCustomEdit::CopyToClipboard()
{
  if (HandleAllocated()) SendMessageA(Handle(), WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard()
{
  if (HandleAllocated()) SendMessageA(Handle(), WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard()
{
  if (HandleAllocated()) SendMessageA(Handle(), WM_PASTE, 0, 0);
}

void TCustomEdit::Undo()
{
  if (HandleAllocated()) SendMessageA(Handle(), WM_UNDO, 0, 0);
}

void TCustomEdit::Change()
{
  if (FOnChange) FOnChange(this);
}

void TCustomEdit::CNCommand(TMessage& msg)
{
  if (HIWORD(msg.WParam) == EN_CHANGE && !IsLoading()) Change();
}

void TCustomEdit::WMSetFocus(TMessage& msg)
{
  Inherited<TCustomEdit>(msg);
  // Focus that comes with a press leaves the caret where the press puts it.
  if (FAutoSelect && HandleAllocated() && GetKeyState(VK_LBUTTON) >= 0) SelectAll();
}

// ----- TControlItems ------------------------------------------------------------------------

CL_DEFINE_CLASS(TControlItems);

void TControlItems::Check(int index, int count) const
{
  if (index < 0 || index >= count)
    throw EStringListError("List index out of bounds (" + std::to_string(index) + ")");
}

std::string TControlItems::Get(int index) const
{
  Check(index, GetCount());
  return FItems[static_cast<size_t>(index)].first;
}

TObject* TControlItems::GetObject(int index) const
{
  Check(index, GetCount());
  return FItems[static_cast<size_t>(index)].second;
}

void TControlItems::PutObject(int index, TObject* obj)
{
  Check(index, GetCount());
  FItems[static_cast<size_t>(index)].second = obj;
  if (FControl->HandleAllocated())
    SendMessageA(FControl->Handle(), FMessages.SetData, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(obj));
}

void TControlItems::Insert(int index, const std::string& s) { InsertObject(index, s, nullptr); }

void TControlItems::InsertObject(int index, const std::string& s, TObject* obj)
{
  Check(index, GetCount() + 1);
  if (FControl->HandleAllocated()) {
    HWND wnd = FControl->Handle();
    LRESULT at =
        SendMessageA(wnd, FMessages.Insert, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(s.c_str()));
    if (at < 0) throw EListError("Not enough room in the list for another item");
    SendMessageA(wnd, FMessages.SetData, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(obj));
  }
  FItems.insert(FItems.begin() + index, {s, obj});
}

void TControlItems::Delete(int index)
{
  Check(index, GetCount());
  if (FControl->HandleAllocated())
    SendMessageA(FControl->Handle(), FMessages.Delete, static_cast<WPARAM>(index), 0);
  FItems.erase(FItems.begin() + index);
}

void TControlItems::Clear()
{
  if (FControl->HandleAllocated()) SendMessageA(FControl->Handle(), FMessages.Reset, 0, 0);
  FItems.clear();
}

void TControlItems::FillWindow(HWND wnd) const
{
  SendMessageA(wnd, FMessages.Reset, 0, 0);
  for (size_t i = 0; i < FItems.size(); ++i) {
    SendMessageA(wnd, FMessages.Insert, i, reinterpret_cast<LPARAM>(FItems[i].first.c_str()));
    SendMessageA(wnd, FMessages.SetData, i, reinterpret_cast<LPARAM>(FItems[i].second));
  }
}

// ----- TCustomComboBox ----------------------------------------------------------------------

CL_MESSAGE_MAP(TCustomComboBox,
  {CN_COMMAND, &TCustomComboBox::CNCommand},
  {CN_DRAWITEM, &TCustomComboBox::CNDrawItem},
  {CN_MEASUREITEM, &TCustomComboBox::CNMeasureItem});
CL_DEFINE_CLASS(TCustomComboBox, .Props = ComboBoxProps);
CL_DEFINE_CLASS(TComboBox);

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner),
      FItems(MakeOwned<TControlItems>(
          this, TControlItems::TMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_SETITEMDATA,
                                         static_cast<UINT>(CB_ERR)})),
      FCanvas(MakeOwned<TControlCanvas>())
{
  FCanvas->SetControl(this);
  FControlStyle = {TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TCustomComboBox::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, "COMBOBOX");
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (FStyle) {
    case TComboBoxStyle::csDropDown: params.Style |= CBS_DROPDOWN; break;
    case TComboBoxStyle::csSimple: params.Style |= CBS_SIMPLE; break;
    case TComboBoxStyle::csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
    case TComboBoxStyle::csOwnerDrawFixed:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
      break;
    case TComboBoxStyle::csOwnerDrawVariable:
      params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS;
      break;
  }
  if (FStyle != TComboBoxStyle::csSimple) params.Height = DroppedHeight();
}

int TCustomComboBox::DroppedHeight() const
{
  return Height() + FItemHeight * std::max(FDropDownCount, 1) + 2;
}

void TCustomComboBox::CreateWnd()
{
  std::string text = FText;
  TWinControl::CreateWnd();
  HWND wnd = Handle();
  FItems->FillWindow(wnd);
  if (FItemIndex >= 0 && FItemIndex < FItems->Count())
    SendMessageA(wnd, CB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  else if (FStyle == TComboBoxStyle::csDropDown || FStyle == TComboBoxStyle::csSimple)
    SetWindowTextA(wnd, text.c_str());
}

void TCustomComboBox::DestroyWnd()
{
  FItemIndex = ItemIndex();
  TWinControl::DestroyWnd();
}

void TCustomComboBox::SetBounds(int left, int top, int width, int height)
{
  // The window's height includes the dropped-down list; the control's is the closed box's.
  if (HandleAllocated() && !IsLoading() && FStyle != TComboBoxStyle::csSimple) {
    if (left == Left() && top == Top() && width == Width()) return;
    SetWindowPos(Handle(), nullptr, left, top, width, DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBounds();
    RequestAlign();
    return;
  }
  TWinControl::SetBounds(left, top, width, height);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value)
{
  SetAndNotify(FStyle, value, [this] { RecreateWnd(); });
}

int TCustomComboBox::ItemIndex() const
{
  return ReadItemIndex(FHandle, ComboSelection, FItemIndex, FItems->Count(), IsLoading());
}

void TCustomComboBox::SetItemIndex(int value)
{
  WriteItemIndex(FHandle, ComboSelection, FItemIndex, value, FItems->Count(), IsLoading());
}

void TCustomComboBox::Loaded()
{
  TWinControl::Loaded();
  ApplyLoadedItemIndex(FHandle, ComboSelection, FItemIndex, FItems->Count());
}

bool TCustomComboBox::DroppedDown() const
{
  return FHandle && SendMessageA(FHandle, CB_GETDROPPEDSTATE, 0, 0);
}

void TCustomComboBox::Change()
{
  if (FOnChange) FOnChange(this);
}

void TCustomComboBox::Select()
{
  if (FOnSelect)
    FOnSelect(this);
  else
    Change();
}

void TCustomComboBox::CNCommand(TMessage& msg)
{
  switch (HIWORD(msg.WParam)) {
    case CBN_EDITCHANGE:
      Change();
      break;
    case CBN_SELCHANGE: {
      // The edit part shows the chosen item only after this notification: set it now so that the
      // handlers read the new text.
      int index = ItemIndex();
      if (index >= 0 && FStyle != TComboBoxStyle::csDropDownList)
        SetWindowTextA(FHandle, FItems->Get(index).c_str());
      Click();
      Select();
      break;
    }
    default:
      break;
  }
}

void TCustomComboBox::CNMeasureItem(TMessage& msg)
{
  if (auto* mis = msg.LParamAs<MEASUREITEMSTRUCT>()) mis->itemHeight = static_cast<UINT>(FItemHeight);
  msg.Result = TRUE;
}

void TCustomComboBox::CNDrawItem(TMessage& msg)
{
  auto* dis = msg.LParamAs<DRAWITEMSTRUCT>();
  if (!dis) return;
  DrawOwnerDrawnItem(FCanvas.get(), this, *dis, true,
                     [this](int index, const RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
  msg.Result = TRUE;
}

void TCustomComboBox::DrawItem(int index, const RECT& rect, TOwnerDrawState)
{
  DrawItemText(FCanvas.get(), rect, index < FItems->Count() ? FItems->Get(index) : std::string());
}

// ----- TListBox -----------------------------------------------------------------------------

CL_MESSAGE_MAP(TListBox,
  {CN_COMMAND, &TListBox::CNCommand},
  {CN_DRAWITEM, &TListBox::CNDrawItem},
  {CN_MEASUREITEM, &TListBox::CNMeasureItem});
CL_DEFINE_CLASS(TListBox, .Props = ListBoxProps);

TListBox::TListBox(TComponent* owner)
    : TWinControl(owner),
      FItems(MakeOwned<TControlItems>(
          this, TControlItems::TMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_SETITEMDATA,
                                         static_cast<UINT>(LB_ERR)})),
      FCanvas(MakeOwned<TControlCanvas>())
{
  FCanvas->SetControl(this);
  FControlStyle = {TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetParentColor(false);
  SetColor(clWindow);
}

void TListBox::CreateParams(TCreateParams& params)
{
  TWinControl::CreateParams(params);
  CreateSubClass(params, "LISTBOX");
  params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
  switch (FStyle) {
    case lbStandard: params.Style |= LBS_HASSTRINGS; break;
    case lbOwnerDrawFixed: params.Style |= LBS_OWNERDRAWFIXED | LBS_HASSTRINGS; break;
    case lbOwnerDrawVariable: params.Style |= LBS_OWNERDRAWVARIABLE | LBS_HASSTRINGS; break;
    // The system keeps no items of its own for these: only their number.
    case lbVirtual:
    case lbVirtualOwnerDraw: params.Style |= LBS_OWNERDRAWFIXED | LBS_NODATA; break;
  }
  if (FMultiSelect) params.Style |= LBS_EXTENDEDSEL;
  if (FBorderStyle == TBorderStyle::bsSingle) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::SetBorderStyle(TBorderStyle value)
{
  SetAndNotify(FBorderStyle, value, [this] { if (HandleAllocated()) RecreateWnd(); });
}

void TListBox::SetStyle(TListBoxStyle value)
{
  SetAndNotify(FStyle, value, [this] { if (HandleAllocated()) RecreateWnd(); });
}

int TListBox::ItemHeight() const
{
  if (FHandle && FStyle == lbStandard) return static_cast<int>(SendMessageA(FHandle, LB_GETITEMHEIGHT, 0, 0));
  return FItemHeight;
}

void TListBox::SetItemHeight(int value)
{
  if (value < 1 || value == FItemHeight) return;
  FItemHeight = value;
  if (HandleAllocated() && FStyle != lbStandard) RecreateWnd();
}

int TListBox::Count() const
{
  if (!IsVirtual()) return FItems->Count();
  return FHandle ? static_cast<int>(SendMessageA(FHandle, LB_GETCOUNT, 0, 0)) : FCount;
}

void TListBox::SetCount(int value)
{
  if (!IsVirtual()) throw EListError("Count can be set only for a virtual list box");
  if (value < 0) throw EListError("List count out of bounds (" + std::to_string(value) + ")");
  if (FHandle && SendMessageA(FHandle, LB_SETCOUNT, static_cast<WPARAM>(value), 0) < 0)
    throw EListError("Not enough room in the list for " + std::to_string(value) + " items");
  FCount = value;
}

void TListBox::SetMultiSelect(bool value)
{
  SetAndNotify(FMultiSelect, value, [this] { if (HandleAllocated()) RecreateWnd(); });
}

int TListBox::TopIndex() const
{
  return FHandle ? static_cast<int>(SendMessageA(FHandle, LB_GETTOPINDEX, 0, 0)) : 0;
}

void TListBox::SetTopIndex(int value)
{
  if (FHandle && TopIndex() != value) SendMessageA(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(value), 0);
}

bool TListBox::Selected(int index) const
{
  if (!FHandle) return false;
  return SendMessageA(FHandle, LB_GETSEL, static_cast<WPARAM>(index), 0) > 0;
}

void TListBox::SetSelected(int index, bool value)
{
  if (!FHandle) return;
  if (FMultiSelect)
    SendMessageA(FHandle, LB_SETSEL, value, static_cast<LPARAM>(index));
  else
    SendMessageA(FHandle, LB_SETCURSEL, value ? static_cast<WPARAM>(index) : static_cast<WPARAM>(-1), 0);
}

void TListBox::ClearSelection()
{
  if (!FHandle) return;
  if (FMultiSelect)
    SendMessageA(FHandle, LB_SETSEL, FALSE, -1);
  else
    SendMessageA(FHandle, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
}

void TListBox::CreateWnd()
{
  TWinControl::CreateWnd();
  HWND wnd = Handle();
  // The variable style measures each item as it comes in.
  if (FStyle != lbStandard && FStyle != lbOwnerDrawVariable)
    SendMessageA(wnd, LB_SETITEMHEIGHT, 0, MAKELPARAM(FItemHeight, 0));
  if (IsVirtual())
    SendMessageA(wnd, LB_SETCOUNT, static_cast<WPARAM>(FCount), 0);
  else
    FItems->FillWindow(wnd);
  if (FItemIndex >= 0 && FItemIndex < Count()) SendMessageA(wnd, LB_SETCURSEL, static_cast<WPARAM>(FItemIndex), 0);
  SendMessageA(wnd, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
}

void TListBox::SetScrollWidth(int value)
{
  FScrollWidth = std::max(value, 0);
  if (HandleAllocated()) SendMessageA(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FScrollWidth), 0);
}

void TListBox::DestroyWnd()
{
  FItemIndex = ItemIndex();
  if (IsVirtual()) FCount = Count();
  TWinControl::DestroyWnd();
}

int TListBox::ItemIndex() const
{
  return ReadItemIndex(FHandle, ListSelection, FItemIndex, Count(), IsLoading());
}

void TListBox::SetItemIndex(int value)
{
  WriteItemIndex(FHandle, ListSelection, FItemIndex, value, Count(), IsLoading());
}

void TListBox::Loaded()
{
  TWinControl::Loaded();
  ApplyLoadedItemIndex(FHandle, ListSelection, FItemIndex, Count());
}

void TListBox::CNDrawItem(TMessage& msg)
{
  auto* dis = msg.LParamAs<DRAWITEMSTRUCT>();
  if (!dis) return;
  DrawOwnerDrawnItem(FCanvas.get(), this, *dis, true,
                     [this](int index, const RECT& rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
  msg.Result = TRUE;
}

void TListBox::CNMeasureItem(TMessage& msg)
{
  auto* mis = msg.LParamAs<MEASUREITEMSTRUCT>();
  if (!mis) return;
  int height = FItemHeight;
  if (FStyle == lbOwnerDrawVariable) MeasureItem(static_cast<int>(mis->itemID), height);
  mis->itemHeight = static_cast<UINT>(std::clamp(height, 1, 255));
  msg.Result = TRUE;
}

void TListBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state)
{
  if (FOnDrawItem) {
    FOnDrawItem(this, index, rect, state);
    return;
  }
  if (index >= Count()) {
    FCanvas->FillRect(rect);
    return;
  }
  DrawItemText(FCanvas.get(), rect, IsVirtual() ? DoGetData(index) : FItems->Get(index));
}

void TListBox::MeasureItem(int index, int& height)
{
  if (FOnMeasureItem) FOnMeasureItem(this, index, height);
}

std::string TListBox::DoGetData(int index)
{
  std::string data;
  if (FOnData) FOnData(this, index, data);
  return data;
}

int TListBox::DoFindData(const std::string& text)
{
  return FOnDataFind ? FOnDataFind(this, text) : -1;
}

void TListBox::CNCommand(TMessage& msg)
{
  switch (HIWORD(msg.WParam)) {
    case LBN_SELCHANGE: Click(); break;
    case LBN_DBLCLK: DblClick(); break;
    default: break;
  }
}

// ----- unit ---------------------------------------------------------------------------------

namespace {
const TClass StdCtrlsClasses[] = {TButton::StaticClass(),   TLabel::StaticClass(),    TEdit::StaticClass(),
                                  TComboBox::StaticClass(), TListBox::StaticClass(),  TCheckBox::StaticClass(),
                                  TGroupBox::StaticClass(), TBitBtn::StaticClass()};
void InitStdCtrls()
{
  for (TClass c : StdCtrlsClasses) RegisterClass(c);
}
void DoneStdCtrls()
{
  for (TClass c : StdCtrlsClasses) UnRegisterClass(c);
}
const TUnit* const StdCtrlsUses[] = {&ActnListUnit};
}  // namespace

TUnit StdCtrlsUnit{"StdCtrls", StdCtrlsUses, InitStdCtrls, DoneStdCtrls};
