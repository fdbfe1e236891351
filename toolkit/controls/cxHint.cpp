#include "toolkit/controls/cxHint.h"

#include <algorithm>
#include <cstddef>
#include "classlib/Application.h"
#include "classlib/Forms.h"
#include "toolkit/base/cxClassesRegistries.h"
#include "toolkit/base/cxGraphicsCanvas.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/cxLookAndFeelPaintersRegistry.h"
#include "toolkit/controls/cxControls.h"
#include "toolkit/controls/cxControlsHelpers.h"

namespace {
TUnitObject<TcxHintController> GHintController{UnitcxHint};
TUnitObject<TcxRegisteredClasses> GHintStyleRegistry{UnitcxHint};

void InitializeUnit() { GHintController.Get(); }

// Hints draw through the registered painters.
const TUnit* const Uses[] = {&UnitcxClasses, &UnitcxControls, &UnitcxLookAndFeelPainters};

bool IsBeingDesigned(TComponent* component)
{
  return component && component->ComponentState().Contains(TComponentStateFlag::csDesigning);
}

// The component a control stands for beyond itself, when it offers one.
TComponent* OwnerInterfaceSourceOf(TControl* control)
{
  auto* source = Supports<IdxOwnerInterfaceSource>(control);
  return source ? source->GetOwnerInterfaceSource() : nullptr;
}
}  // namespace

TUnit UnitcxHint{"cxHint", Uses, InitializeUnit};

TcxHintController* cxHintController() { return GHintController.Get(); }
TcxRegisteredClasses* GetHintStyleRegistry() { return GHintStyleRegistry.Get(); }

TcxCustomHintStyleController* FindActiveHintStyleController()
{
  TcxHintController* controller = cxHintController();
  return controller ? controller->FindStyleController() : nullptr;
}

TcxCustomHintStyle* GetActiveScreenTipStyle()
{
  TcxCustomHintStyleController* controller = FindActiveHintStyleController();
  return controller ? controller->HintStyle() : nullptr;
}

TControl* GetHintedControl()
{
  TcxHintController* controller = GHintController.Peek();
  return controller ? controller->GetHintedControl() : nullptr;
}

void ClearHintedControl()
{
  if (TcxHintController* controller = GHintController.Peek()) controller->SetHintedControl(nullptr);
}

// --- Hint controller ---

CL_DEFINE_CLASS(TcxHintController);

void TcxHintController::BeforeDestruction()
{
  SetHintedControl(nullptr);
  if (FHooked) Unhook();
  FControllers.clear();
  inherited::BeforeDestruction();
}

void TcxHintController::Hook()
{
  FSavedShowHint = Application ? Application->OnShowHint() : TShowHintEvent{};
  FSavedHintWindowClass = HintWindowClass;
  if (Application) Application->SetOnShowHint(TShowHintEvent(this, &TcxHintController::ShowHintHandler));
  FHooked = true;
}

void TcxHintController::Unhook()
{
  if (Application) Application->SetOnShowHint(FSavedShowHint);
  FSavedShowHint = {};
  FHooked = false;
}

void TcxHintController::AddStyleController(TcxCustomHintStyleController* controller)
{
  if (!controller || IsBeingDesigned(controller)) return;
  if (std::find(FControllers.begin(), FControllers.end(), controller) != FControllers.end()) return;
  if (FControllers.empty()) {
    controller->FIsFirstRegistered = true;
    Hook();
  }
  HintWindowClass = controller->GetHintWindowClass();
  FControllers.push_back(controller);
}

void TcxHintController::RemoveStyleController(TcxCustomHintStyleController* controller)
{
  if (!controller || IsBeingDesigned(controller)) return;
  const TClass windowClass = GetWindowClass();
  auto it = std::find(FControllers.begin(), FControllers.end(), controller);
  if (it == FControllers.end()) return;
  FControllers.erase(it);
  // Somebody else's class, set after ours, stays.
  if (HintWindowClass == windowClass) HintWindowClass = GetWindowClass();
  if (FControllers.empty()) Unhook();
}

TClass TcxHintController::GetWindowClass() const
{
  return FControllers.empty() ? FSavedHintWindowClass : FControllers.back()->GetHintWindowClass();
}

void TcxHintController::SetHintedControl(TControl* control)
{
  if (FHintedControl == control) return;
  if (FHintedControl) FHintedControl->RemoveFreeNotification(this);
  FHintedControl = control;
  if (control) control->FreeNotification(this);
}

void TcxHintController::Notification(TComponent* component, TOperation operation)
{
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FHintedControl) FHintedControl = nullptr;
}

TcxCustomHintStyleController* TcxHintController::FindStyleController()
{
  TControl* hinted = FHintedControl;
  if (!hinted) hinted = FindControlOfWindow(GetCapture());
  if (!hinted) hinted = FindControlOfWindow(WindowFromPoint(ReadCursorPos()));
  const TClass controllerClass = TcxCustomHintStyleController::StaticClass();
  auto ownedBy = [&](TComponent* owner) {
    return static_cast<TcxCustomHintStyleController*>(FindComponentOfClass(owner, controllerClass));
  };
  if (hinted) {
    for (TWinControl* parent = hinted->Parent(); parent; parent = parent->Parent())
      if (auto* found = ownedBy(parent)) return found;
    if (TComponent* source = OwnerInterfaceSourceOf(hinted)) {
      for (TComponent* c = source; c; c = c->Owner())
        if (auto* found = ownedBy(c)) return found;
    }
  }
  for (auto it = FControllers.rbegin(); it != FControllers.rend(); ++it)
    if ((*it)->IsFirstRegistered()) return *it;
  return nullptr;
}

void TcxHintController::ShowHintHandler(std::string& hintStr, bool& canShow, THintInfo& hintInfo)
{
  SetHintedControl(hintInfo.HintControl);
  if (TcxCustomHintStyleController* controller = FindStyleController())
    controller->PrepareHint(hintStr, canShow, hintInfo);
  if (FSavedShowHint) FSavedShowHint(hintStr, canShow, hintInfo);
  if (!canShow || hintStr.empty()) SetHintedControl(nullptr);
}

// --- Hint styles ---

CL_DEFINE_CLASS(TcxCustomHintStyle);

void TcxCustomHintStyle::Assign(TPersistent* source)
{
  if (!dynamic_cast<TcxCustomHintStyle*>(source)) inherited::Assign(source);
}

void TcxCustomHintStyle::PrepareHint(std::string&, bool&, THintInfo&) {}
void TcxCustomHintStyle::ComponentGone(TComponent*) {}

void TcxCustomHintStyle::Changed()
{
  if (FOnChanged) FOnChanged(this);
}

TOwned<TcxCustomHintStyle> NewHintStyle(TClass styleClass, TComponent* owner)
{
  if (!styleClass) return nullptr;
  if (!styleClass->InheritsFrom(TcxCustomHintStyle::StaticClass()) || !styleClass->NewObject)
    throw EInvalidCast("Invalid class typecast");
  TOwned<TcxCustomHintStyle> style(static_cast<TcxCustomHintStyle*>(styleClass->NewObject()));
  style->SetOwnerComponent(owner);
  return style;
}

// --- Hint style controller ---

CL_DEFINE_CLASS(TcxCustomHintStyleController);

TcxCustomHintStyleController::TcxCustomHintStyleController(TComponent* owner)
    : TComponent(owner), FLookAndFeel(MakeOwned<TcxLookAndFeel>(this))
{
}

TcxCustomHintStyleController::~TcxCustomHintStyleController() = default;

void TcxCustomHintStyleController::AfterConstruction()
{
  inherited::AfterConstruction();
  CreateHintStyle();
}

void TcxCustomHintStyleController::BeforeDestruction()
{
  const auto listeners = FListeners;
  for (IcxHintStyleControllerListener* listener : listeners) listener->HintStyleControllerRemoved(this);
  FListeners.clear();
  FreeHintStyle();
  inherited::BeforeDestruction();
}

TClass TcxCustomHintStyleController::GetHintWindowClass() const
{
  return FHintStyle ? FHintStyle->GetStyleWindowClass() : TcxCustomHintWindow::StaticClass();
}

void TcxCustomHintStyleController::CreateHintStyle()
{
  FHintStyle = NewHintStyle(GetHintStyleClass(), this);
  if (FHintStyle) FHintStyle->SetOnChanged(TNotifyEvent(this, &TcxCustomHintStyleController::HintStyleChanged));
  FHintWindow = NewHintWindow(GetHintWindowClass(), this);
  if (TcxHintController* controller = cxHintController()) controller->AddStyleController(this);
}

void TcxCustomHintStyleController::FreeHintStyle()
{
  if (TcxHintController* controller = GHintController.Peek()) controller->RemoveStyleController(this);
  if (FHintWindow) {
    THintWindow* window = FHintWindow;
    FHintWindow = nullptr;
    Free(window);
  }
  FHintStyle.reset();
}

void TcxCustomHintStyleController::HintStyleChanged(TObject*) { NotifyListeners(); }

void TcxCustomHintStyleController::SetHintStyleClass(TClass value)
{
  if (FHintStyleClass == value) return;
  FreeHintStyle();
  FHintStyleClass = value;
  CreateHintStyle();
}

void TcxCustomHintStyleController::SetHintStyleClassName(const std::string& value)
{
  if (TcxRegisteredClasses* registry = GetHintStyleRegistry()) SetHintStyleClass(registry->FindByClassName(value).Class());
}

std::string TcxCustomHintStyleController::GetHintStyleClassName() const
{
  return FHintStyle ? FHintStyle->ClassName() : "";
}

void TcxCustomHintStyleController::SetHintStyle(TcxCustomHintStyle* value)
{
  if (FHintStyle && value) FHintStyle->Assign(value);
}

void TcxCustomHintStyleController::SetLookAndFeel(TcxLookAndFeel* value) { FLookAndFeel->Assign(value); }

void TcxCustomHintStyleController::Loaded()
{
  inherited::Loaded();
  ApplyTimings();
  NotifyListeners();
}

void TcxCustomHintStyleController::Notification(TComponent* component, TOperation operation)
{
  inherited::Notification(component, operation);
  if (operation == TOperation::opRemove && component == FHintWindow) FHintWindow = nullptr;
  if (operation == TOperation::opRemove && FHintStyle) FHintStyle->ComponentGone(component);
}

void TcxCustomHintStyleController::EndUpdate()
{
  if (FUpdateCount > 0 && --FUpdateCount == 0) ApplyTimings();
}

void TcxCustomHintStyleController::ApplyTimings()
{
  if (IsBeingDesigned(this) || FUpdateCount > 0 || !Application) return;
  Application->SetHintShortPause(static_cast<int>(FHintShortPause));
  Application->SetHintPause(static_cast<int>(FHintPause));
  Application->SetHintHidePause(static_cast<int>(FHintHidePause));
}

void TcxCustomHintStyleController::SetTiming(unsigned& field, unsigned value)
{
  if (field == value) return;
  field = value;
  ApplyTimings();
}

void TcxCustomHintStyleController::SetHintShortPause(unsigned value) { SetTiming(FHintShortPause, value); }
void TcxCustomHintStyleController::SetHintPause(unsigned value) { SetTiming(FHintPause, value); }
void TcxCustomHintStyleController::SetHintHidePause(unsigned value) { SetTiming(FHintHidePause, value); }

void TcxCustomHintStyleController::Assign(TPersistent* source)
{
  auto* other = dynamic_cast<TcxCustomHintStyleController*>(source);
  if (!other) {
    inherited::Assign(source);
    return;
  }
  BeginUpdate();
  try {
    FOnHintStyleChanged = other->FOnHintStyleChanged;
    FOnShowHint = other->FOnShowHint;
    FOnShowHintEx = other->FOnShowHintEx;
    SetHintShortPause(other->FHintShortPause);
    SetHintPause(other->FHintPause);
    SetHintHidePause(other->FHintHidePause);
    if (GetHintStyleClass() != other->GetHintStyleClass()) SetHintStyleClass(other->GetHintStyleClass());
    SetHintStyle(other->HintStyle());
    SetLookAndFeel(other->LookAndFeel());
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TcxCustomHintStyleController::AddListener(IcxHintStyleControllerListener* listener)
{
  if (listener && std::find(FListeners.begin(), FListeners.end(), listener) == FListeners.end())
    FListeners.push_back(listener);
}

void TcxCustomHintStyleController::RemoveListener(IcxHintStyleControllerListener* listener)
{
  if (IsDestroying()) return;
  std::erase(FListeners, listener);
}

void TcxCustomHintStyleController::NotifyListener(IcxHintStyleControllerListener* listener)
{
  listener->HintStyleControllerChanged(this);
}

void TcxCustomHintStyleController::NotifyListeners()
{
  if (IsDestroying()) return;
  if (FOnHintStyleChanged) FOnHintStyleChanged(this, FHintStyle.get());
  const auto listeners = FListeners;
  for (IcxHintStyleControllerListener* listener : listeners) NotifyListener(listener);
}

void TcxCustomHintStyleController::PrepareHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo)
{
  hintInfo.HintWindowClass = GetHintWindowClass();
  if (FHintStyle) FHintStyle->PrepareHint(hintStr, canShow, hintInfo);
  if (FOnShowHint) FOnShowHint(this, hintStr, canShow, hintInfo);
  std::string caption;
  if (FOnShowHintEx) FOnShowHintEx(this, caption, hintStr, canShow, hintInfo);
  if (auto* window = dynamic_cast<TcxCustomHintWindow*>(FHintWindow)) window->SetHintCaption(caption);
}

// --- Hint window ---

CL_DEFINE_CLASS(TcxCustomHintWindow);

void TcxCustomHintWindow::CalculateHint(int, int, int, const std::string&, const std::string&) {}

void TcxCustomHintWindow::SetStandardMode(bool value)
{
  if (StandardMode() == value) return;
  inherited::SetStandardMode(value);
  if (value) SetDoubleBuffered(false);
}

TcxCustomLookAndFeelPainter* TcxCustomHintWindow::GetPainter()
{
  TcxCustomHintStyleController* controller = FindActiveHintStyleController();
  if (controller && controller->UseHintedControlLookAndFeel()) {
    if (TControl* hinted = GetHintedControl()) {
      auto* source = Supports<IcxLookAndFeelSource>(hinted);
      if (!source) source = Supports<IcxLookAndFeelSource>(OwnerInterfaceSourceOf(hinted));
      if (source && source->GetLookAndFeel()) return source->GetLookAndFeel()->Painter();
    }
  }
  if (controller) return controller->LookAndFeel()->Painter();
  TcxLookAndFeel* root = GetRootLookAndFeel();
  return root ? root->Painter() : nullptr;
}

// --- Plain hint layout ---

void SetHintFontOf(TFont* font)
{
  NONCLIENTMETRICSA metrics{};
  // The size of the record before the padded-border field: what every system understands.
  metrics.cbSize = offsetof(NONCLIENTMETRICSA, iPaddedBorderWidth);
  HFONT handle = nullptr;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
    handle = CreateFontIndirectA(&metrics.lfStatusFont);
  if (handle)
    font->SetHandle(handle);
  else
    font->SetSize(8);
}

CL_DEFINE_CLASS(TdxCustomHintViewInfoHelper);
CL_DEFINE_CLASS(TdxHintViewInfoHelper);

TdxHintViewInfoHelper::TdxHintViewInfoHelper(const std::string& text, POINT position, const std::string& suffix)
    : FText(text.empty() ? text : text + suffix), FPosition(position)
{
}

void TdxHintViewInfoHelper::SetHintFont(TcxCanvas* canvas) { SetHintFontOf(canvas->GetCurrentFont()); }

void TdxHintViewInfoHelper::SetHintTextColor(TcxCanvas* canvas)
{
  canvas->GetCurrentFont()->SetColor(Screen ? Screen->HintFont()->Color() : clInfoText);
}

void TdxHintViewInfoHelper::AddMargins(SIZE& size)
{
  size.cx += 6;
  size.cy += 6;
}

RECT TdxHintViewInfoHelper::GetTextRect()
{
  RECT r = BoundsRect;
  r.left += 3;
  r.top += 3;
  r.right -= 1;
  r.bottom -= 1;
  return r;
}

void TdxHintViewInfoHelper::Calculate(TcxCanvas* canvas)
{
  SetHintFont(canvas);
  SetHintTextColor(canvas);
  if (FText.empty()) {
    BoundsRect = RECT{};
    return;
  }
  const RECT area = GetDesktopWorkArea(ReadCursorPos());
  RECT r{0, 0, area.right - area.left, 0};
  ::DrawTextA(canvas->GetDCHandle(), FText.c_str(), static_cast<int>(FText.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SIZE size{r.right - r.left, r.bottom - r.top};
  AddMargins(size);
  BoundsRect = RECT{0, 0, size.cx, size.cy};
}

void TdxHintViewInfoHelper::DrawBackground(TcxCanvas* canvas)
{
  RECT r = BoundsRect;
  ::DrawEdge(canvas->GetDCHandle(), &r, BDR_RAISEDOUTER, BF_RECT);
}

void TdxHintViewInfoHelper::DrawText(TcxCanvas* canvas)
{
  RECT r = GetTextRect();
  HDC dc = canvas->GetDCHandle();
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  ::DrawTextA(dc, FText.c_str(), static_cast<int>(FText.size()), &r, DT_WORDBREAK | DT_NOPREFIX | DT_NOCLIP);
  SetBkMode(dc, oldMode);
}

void TdxHintViewInfoHelper::Paint(TcxCanvas* canvas)
{
  SetHintFont(canvas);
  SetHintTextColor(canvas);
  DrawBackground(canvas);
  DrawText(canvas);
}

CL_DEFINE_CLASS(TdxCustomHintViewInfo);

void TdxCustomHintViewInfo::AfterConstruction()
{
  inherited::AfterConstruction();
  FHelper = CreateHelper();
}

void TdxCustomHintViewInfo::Calculate(TcxCanvas* canvas)
{
  if (FHelper) FHelper->Calculate(canvas);
}

void TdxCustomHintViewInfo::Paint(TcxCanvas* canvas)
{
  if (FHelper) FHelper->Paint(canvas);
}

RECT TdxCustomHintViewInfo::GetBoundsRect() const { return FHelper ? FHelper->BoundsRect : RECT{}; }

CL_DEFINE_CLASS(TdxHintViewInfo);

TOwned<TdxCustomHintViewInfoHelper> TdxHintViewInfo::CreateHelper()
{
  return MakeOwned<TdxHintViewInfoHelper>(FText, FPosition);
}
