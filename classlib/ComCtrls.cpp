// The common controls unit: initialisation of the system's controls and class registration.
#include "classlib/ComCtrls.h"
#include <commctrl.h>
#include "classlib/Forms.h"
#include "classlib/Exceptions.h"

namespace {
HMODULE GRichEditLibrary = nullptr;

const TClass ComCtrlsClasses[] = {&TRichEdit::ClassInfo,   &TListView::ClassInfo,   &TStatusBar::ClassInfo,
                                  &TUpDown::ClassInfo,     &TListColumn::ClassInfo, &TStatusPanel::ClassInfo,
                                  &TPageControl::ClassInfo, &TTabSheet::ClassInfo,   &TToolBar::ClassInfo,
                                  &TToolButton::ClassInfo,  &TTreeView::ClassInfo};

void InitComCtrls()
{
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS |
                                           ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  for (TClass c : ComCtrlsClasses) RegisterClass(c);
}

void DoneComCtrls()
{
  // The rich edit library stays loaded: forms freed after this unit may still hold its windows.
  for (TClass c : ComCtrlsClasses) UnRegisterClass(c);
}

const TUnit* const ComCtrlsUses[] = {&FormsUnit};
}  // namespace

void LoadRichEditLibrary()
{
  if (GRichEditLibrary) return;
  GRichEditLibrary = LoadLibraryA("riched20.dll");
  if (!GRichEditLibrary) RaiseLastOSError();
}

TUnit ComCtrlsUnit{"ComCtrls", ComCtrlsUses, InitComCtrls, DoneComCtrls};
