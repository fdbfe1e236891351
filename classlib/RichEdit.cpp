// TRichEdit: the rich edit control and its lines.
#include "classlib/RichEdit.h"

#include <richedit.h>
#include <cstring>
#include "classlib/ComCtrls.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/ReaderWork.h"
#include "classlib/TypInfo.h"

namespace {
// The text limit when MaxLength is 0: as much as the control can hold.
constexpr LPARAM UnlimitedText = 0x7FFFFFF0;
// A character position in the control is at most two bytes of code page 936 text (a character
// beyond the basic plane takes two positions).
constexpr size_t MaxBytesPerPosition = 2;
// A text longer than this is replaced by making a new window (see SetTextBuf).
constexpr int LargeTextChars = 65536;

LRESULT Send(HWND wnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0)
{
  return SendMessageA(wnd, msg, wParam, lParam);
}

CHARRANGE GetSelection(HWND wnd)
{
  CHARRANGE r{};
  Send(wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

void SetSelection(HWND wnd, LONG from, LONG to)
{
  CHARRANGE r{from, to};
  Send(wnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
}

int CharCount(HWND wnd)
{
  GETTEXTLENGTHEX gl{GTL_NUMCHARS | GTL_PRECISE, 1200};
  return static_cast<int>(Send(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl)));
}

std::string TextRange(HWND wnd, LONG from, LONG to)
{
  if (to <= from) return {};
  std::string buf(static_cast<size_t>(to - from) * MaxBytesPerPosition + 1, '\0');
  TEXTRANGEA tr{{from, to}, buf.data()};
  Send(wnd, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&tr));
  buf.resize(std::strlen(buf.c_str()));
  return buf;
}

void ReplaceRange(HWND wnd, LONG from, LONG to, const std::string& text)
{
  SetSelection(wnd, from, to);
  Send(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

// Hands a text to EM_STREAMIN in pieces that never split a double-byte character.
struct TTextSource {
  std::string_view Text;
  size_t Pos = 0;

  static DWORD CALLBACK Read(DWORD_PTR cookie, LPBYTE buffer, LONG size, LONG* got)
  {
    auto* self = reinterpret_cast<TTextSource*>(cookie);
    size_t want = std::min(static_cast<size_t>(std::max<LONG>(size, 0)), self->Text.size() - self->Pos);
    size_t n = 0;
    while (n < want) {
      size_t step = IsDBCSLeadByte(static_cast<BYTE>(self->Text[self->Pos + n])) ? 2 : 1;
      if (n + step > want) break;
      n += step;
    }
    if (n == 0 && want > 0) n = want;  // a lone lead byte at the very end
    std::memcpy(buffer, self->Text.data() + self->Pos, n);
    self->Pos += n;
    *got = static_cast<LONG>(n);
    return 0;
  }
};

using TR = TRichEdit;
constexpr std::string_view ScrollStyleNames[] = {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"};
constexpr TEnumInfo ScrollStyleInfo = EnumInfo<TScrollStyle::ssBoth>("TScrollStyle", ScrollStyleNames);
constexpr TPropInfo RichEditProps[] = {
  EnumProp<&TR::ScrollBars, &TR::SetScrollBars>("ScrollBars", ScrollStyleInfo, 0),
  BoolProp<&TR::HideScrollBars, &TR::SetHideScrollBars>("HideScrollBars", true),
  BoolProp<&TR::HideSelection, &TR::SetHideSelection>("HideSelection", true),
  BoolProp<&TR::ReadOnly, &TR::SetReadOnly>("ReadOnly", false),
  BoolProp<&TR::WordWrap, &TR::SetWordWrap>("WordWrap", true),
  IntProp<&TR::MaxLength, &TR::SetMaxLength>("MaxLength", 0),
  StringsProp<&TR::Lines>("Lines"),
};
}  // namespace

// ---------------------------------------------------------------------------------------------
// TRichEditStrings

CL_DEFINE_CLASS(TRichEditStrings);

HWND TRichEditStrings::Window() const { return FRichEdit->HandleAllocated() ? FRichEdit->Handle() : nullptr; }

TOwned<TStringList> TRichEditStrings::TextLines() const
{
  TOwned<TStringList> list = MakeOwned<TStringList>();
  list->SetText(FRichEdit->Text());
  CountReaderWork(static_cast<uint64_t>(list->Count()) + 1);
  return list;
}

int TRichEditStrings::GetCount() const
{
  if (FPending) return FPending->Count();
  HWND wnd = Window();
  if (!wnd) return TextLines()->Count();
  // The control always has a line after a final line break; it is no line of the text.
  int count = static_cast<int>(Send(wnd, EM_GETLINECOUNT));
  LRESULT lastStart = Send(wnd, EM_LINEINDEX, static_cast<WPARAM>(count - 1));
  if (count > 0 && Send(wnd, EM_LINELENGTH, static_cast<WPARAM>(lastStart)) == 0) --count;
  return count;
}

std::string TRichEditStrings::Get(int index) const
{
  if (FPending) return FPending->Strings(index);
  HWND wnd = Window();
  if (index < 0 || index >= GetCount())
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  if (!wnd) return TextLines()->Strings(index);
  auto start = static_cast<LONG>(Send(wnd, EM_LINEINDEX, static_cast<WPARAM>(index)));
  auto length = static_cast<LONG>(Send(wnd, EM_LINELENGTH, static_cast<WPARAM>(start)));
  return TextRange(wnd, start, start + length);
}

void TRichEditStrings::Insert(int index, const std::string& s)
{
  if (FPending) {
    CountReaderWork();
    FPending->Insert(index, s);
    return;
  }
  int count = GetCount();
  if (index < 0 || index > count)
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  HWND wnd = Window();
  if (!wnd) {
    TOwned<TStringList> list = TextLines();
    list->Insert(index, s);
    FRichEdit->SetText(list->Text());
    return;
  }
  if (index < count) {
    auto at = static_cast<LONG>(Send(wnd, EM_LINEINDEX, static_cast<WPARAM>(index)));
    ReplaceRange(wnd, at, at, s + "\r\n");
    return;
  }
  // At the end: after the final line break, or after one put behind the last line.
  LONG end = CharCount(wnd);
  bool endsWithBreak = count < static_cast<int>(Send(wnd, EM_GETLINECOUNT)) || end == 0;
  ReplaceRange(wnd, end, end, (endsWithBreak ? "" : "\r\n") + s + "\r\n");
}

void TRichEditStrings::Delete(int index)
{
  if (FPending) {
    FPending->Delete(index);
    return;
  }
  int count = GetCount();
  if (index < 0 || index >= count)
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  HWND wnd = Window();
  if (!wnd) {
    TOwned<TStringList> list = TextLines();
    list->Delete(index);
    FRichEdit->SetText(list->Text());
    return;
  }
  auto start = static_cast<LONG>(Send(wnd, EM_LINEINDEX, static_cast<WPARAM>(index)));
  LONG end = index + 1 < static_cast<int>(Send(wnd, EM_GETLINECOUNT))
                 ? static_cast<LONG>(Send(wnd, EM_LINEINDEX, static_cast<WPARAM>(index + 1)))
                 : CharCount(wnd);
  ReplaceRange(wnd, start, end, "");
}

void TRichEditStrings::Clear()
{
  if (FPending)
    FPending->Clear();
  else
    FRichEdit->Clear();
}

std::string TRichEditStrings::Text() const { return FPending ? FPending->Text() : FRichEdit->Text(); }

void TRichEditStrings::SetText(std::string_view text)
{
  if (FPending)
    FPending->SetText(text);
  else
    FRichEdit->SetText(std::string(text));
}

void TRichEditStrings::SetUpdateState(bool updating)
{
  HWND wnd = Window();
  if (updating) {
    if (!wnd) {
      FPending = TextLines();
      return;
    }
    Send(wnd, WM_SETREDRAW, FALSE);
    return;
  }
  if (FPending) {
    TOwned<TStringList> lines = std::move(FPending);
    FRichEdit->SetText(lines->Text());
    return;
  }
  if (!wnd) return;
  Send(wnd, WM_SETREDRAW, TRUE);
  InvalidateRect(wnd, nullptr, TRUE);
}

// ---------------------------------------------------------------------------------------------
// TRichEdit

CL_MESSAGE_MAP(TRichEdit,
  {CM_FONTCHANGED, &TRichEdit::CMFontChanged},
  {CM_COLORCHANGED, &TRichEdit::CMColorChanged});
CL_DEFINE_CLASS(TRichEdit, .Props = RichEditProps);


TRichEdit::TRichEdit(TComponent* owner) : TWinControl(owner), FLines(MakeOwned<TRichEditStrings>(this))
{
  SetBounds(0, 0, 185, 89);
  SetTabStop(true);
  SetParentColor(false);
}

void TRichEdit::CreateParams(TCreateParams& params)
{
  LoadRichEditLibrary();
  TWinControl::CreateParams(params);
  CreateSubClass(params, "RichEdit20A");
  params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (FScrollBars == ssVertical || FScrollBars == ssBoth) params.Style |= WS_VSCROLL;
  if (FScrollBars == ssHorizontal || FScrollBars == ssBoth) params.Style |= WS_HSCROLL;
  if (!FWordWrap) params.Style |= ES_AUTOHSCROLL;
  if (!FHideScrollBars) params.Style |= ES_DISABLENOSCROLL;
  if (!FHideSelection) params.Style |= ES_NOHIDESEL;
  if (FReadOnly) params.Style |= ES_READONLY;
  params.ExStyle |= WS_EX_CLIENTEDGE;
  params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TRichEdit::CreateWnd()
{
  // The limit first: the caption the window is created with is cut at the default limit.
  std::string text = FText;
  FText.clear();
  TWinControl::CreateWnd();
  ApplyLimit();
  ApplyWordWrap();
  ApplyCharFormat();
  Send(FHandle, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
  if (!text.empty()) SetTextBuf(text);
  Send(FHandle, EM_SETMODIFY, FALSE);
}

std::string TRichEdit::GetText() const
{
  if (!FHandle) return FText;
  GETTEXTLENGTHEX gl{GTL_NUMBYTES | GTL_PRECISE | GTL_USECRLF, CP_ACP};
  LRESULT bytes = Send(FHandle, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&gl));
  if (bytes <= 0) return {};
  std::string s(static_cast<size_t>(bytes) + 1, '\0');
  GETTEXTEX gt{static_cast<DWORD>(s.size()), GT_USECRLF, CP_ACP, nullptr, nullptr};
  Send(FHandle, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&gt), reinterpret_cast<LPARAM>(s.data()));
  s.resize(std::strlen(s.c_str()));
  return s;
}

void TRichEdit::SetTextBuf(const std::string& value)
{
  // The control removes a long text paragraph by paragraph, each time moving all that follow:
  // replacing a text of megabytes would take minutes. A new window starts empty at once.
  if (FHandle && CharCount(FHandle) > LargeTextChars) {
    bool focused = Focused();
    FDroppingText = true;
    try {
      DestroyHandle();
    } catch (...) {
      FDroppingText = false;
      throw;
    }
    FDroppingText = false;
    FText = value;
    UpdateControlState();
    if (focused && FHandle) ::SetFocus(FHandle);
    return;
  }
  FText = value;
  if (!FHandle) return;
  TTextSource source{std::string_view(value.c_str())};
  EDITSTREAM es{reinterpret_cast<DWORD_PTR>(&source), 0, &TTextSource::Read};
  Send(FHandle, EM_STREAMIN, SF_TEXT, reinterpret_cast<LPARAM>(&es));
  FText.clear();
}

void TRichEdit::DestroyWnd()
{
  if (FDroppingText)
    DestroyWindowHandle();
  else
    TWinControl::DestroyWnd();
}

void TRichEdit::ApplyLimit()
{
  if (FHandle) Send(FHandle, EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : UnlimitedText);
}

void TRichEdit::ApplyWordWrap()
{
  // A target line width of 0 wraps at the window's edge; 1 keeps each line whole.
  if (FHandle) Send(FHandle, EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
}

void TRichEdit::ApplyCharFormat()
{
  if (!FHandle) return;
  TFont* font = Font();
  CHARFORMAT2A cf{};
  cf.cbSize = sizeof cf;
  cf.dwMask = CFM_FACE | CFM_SIZE | CFM_COLOR | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
              CFM_STRIKEOUT;
  TFontStyles style = font->Style();
  if (style.Contains(TFontStyle::fsBold)) cf.dwEffects |= CFE_BOLD;
  if (style.Contains(TFontStyle::fsItalic)) cf.dwEffects |= CFE_ITALIC;
  if (style.Contains(TFontStyle::fsUnderline)) cf.dwEffects |= CFE_UNDERLINE;
  if (style.Contains(TFontStyle::fsStrikeOut)) cf.dwEffects |= CFE_STRIKEOUT;
  // Twips: a character height in pixels at the font's resolution, or the size in points.
  int height = font->Height();
  cf.yHeight = height < 0 ? MulDiv(-height, 1440, font->PixelsPerInch()) : font->Size() * 20;
  cf.crTextColor = ColorToRGB(font->Color());
  cf.bCharSet = font->Charset();
  lstrcpynA(cf.szFaceName, font->Name().c_str(), LF_FACESIZE);
  // The default format (new text) and the text already there.
  Send(FHandle, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&cf));
  Send(FHandle, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&cf));
}

void TRichEdit::CMFontChanged(TMessage& msg)
{
  Inherited<TRichEdit>(msg);
  ApplyCharFormat();
}

void TRichEdit::CMColorChanged(TMessage& msg)
{
  Inherited<TRichEdit>(msg);
  if (FHandle) Send(FHandle, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
}

int TRichEdit::SelStart() { return GetSelection(Handle()).cpMin; }

void TRichEdit::SetSelStart(int value) { SetSelection(Handle(), value, value); }

int TRichEdit::SelLength()
{
  CHARRANGE r = GetSelection(Handle());
  return r.cpMax - r.cpMin;
}

void TRichEdit::SetSelLength(int value)
{
  CHARRANGE r = GetSelection(Handle());
  SetSelection(FHandle, r.cpMin, r.cpMin + value);
}

void TRichEdit::Select(int start, int length)
{
  SetSelection(Handle(), start, length < 0 ? -1 : start + length);
}

std::string TRichEdit::SelText()
{
  CHARRANGE r = GetSelection(Handle());
  if (r.cpMax <= r.cpMin) return {};
  std::string buf(static_cast<size_t>(r.cpMax - r.cpMin) * MaxBytesPerPosition + 1, '\0');
  Send(FHandle, EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buf.data()));
  buf.resize(std::strlen(buf.c_str()));
  return buf;
}

void TRichEdit::SetSelText(const std::string& value)
{
  Send(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(value.c_str()));
}

int TRichEdit::TextLength() { return CharCount(Handle()); }

void TRichEdit::Clear()
{
  if (FHandle ? CharCount(FHandle) == 0 : FText.empty()) return;
  SetTextBuf(std::string());
  Perform(CM_TEXTCHANGED);
}

void TRichEdit::ScrollCaret() { Send(Handle(), EM_SCROLLCARET); }

int TRichEdit::FindText(std::string_view text, int startPos, int length, TSearchTypes options)
{
  std::string what(text);
  FINDTEXTEXA ft{};
  ft.chrg.cpMin = startPos;
  ft.chrg.cpMax = length < 0 ? -1 : startPos + length;
  ft.lpstrText = what.c_str();
  WPARAM flags = FR_DOWN;
  if (options.Contains(TSearchType::stMatchCase)) flags |= FR_MATCHCASE;
  if (options.Contains(TSearchType::stWholeWord)) flags |= FR_WHOLEWORD;
  return static_cast<int>(Send(Handle(), EM_FINDTEXTEX, flags, reinterpret_cast<LPARAM>(&ft)));
}

void TRichEdit::SetScrollBars(TScrollStyle value)
{
  SetAndNotify(FScrollBars, value, [this] { RecreateWnd(); });
}

void TRichEdit::SetHideScrollBars(bool value)
{
  SetAndNotify(FHideScrollBars, value, [this] { RecreateWnd(); });
}

void TRichEdit::SetHideSelection(bool value)
{
  SetAndNotify(FHideSelection, value, [this] { RecreateWnd(); });
}

void TRichEdit::SetReadOnly(bool value)
{
  FReadOnly = value;
  if (FHandle) Send(FHandle, EM_SETREADONLY, value);
}

void TRichEdit::SetWordWrap(bool value)
{
  SetAndNotify(FWordWrap, value, [this] { RecreateWnd(); });
}

void TRichEdit::SetMaxLength(int value)
{
  FMaxLength = std::max(value, 0);
  ApplyLimit();
}
