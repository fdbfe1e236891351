#include "toolkit/controls/cxContainerStyleController.h"

#include <algorithm>
#include "classlib/TypInfo.h"

namespace {
TcxStyleController* GDefaultController = nullptr;

constexpr TPropInfo NotStored(TPropInfo p)
{
  p.Stored = [](const TObject*) { return false; };
  return p;
}

using TSC = TcxStyleController;
const TPropInfo StyleControllerProps[] = {
  BoolProp<&TSC::Scalable, &TSC::SetScalable>("Scalable", true),
  NotStored(ComponentProp<&TSC::FakeStyleController, &TSC::SetFakeStyleController>("FakeStyleController")),
};
}  // namespace

TcxStyleController* GetDefaultContainerStyleController() { return GDefaultController; }

void SetDefaultContainerStyleController(TcxStyleController* Controller) { GDefaultController = Controller; }

// --- TcxContainerStyles ---

CL_DEFINE_CLASS(TcxContainerStyles);

TcxContainerStyles::TcxContainerStyles(TPersistent* Owner, TcxContainerStyleClass StyleClass)
{
  for (int state = 0; state < cxContainerStateCount; ++state)
    FStyles[state].reset(StyleClass.Create(Owner, false, state == 0 ? nullptr : FStyles[0].get(),
                                           static_cast<TcxContainerStateItem>(state)));
}

TcxContainerStyle* TcxContainerStyles::GetStateStyle(TcxContainerStateItem State) const
{
  return FStyles[static_cast<int>(State)].get();
}

void TcxContainerStyles::SetStateStyle(TcxContainerStateItem State, TcxContainerStyle* Style)
{
  GetStateStyle(State)->Assign(Style);
}

void TcxContainerStyles::AssignChangeHandler(const TNotifyEvent& Handler)
{
  for (const TOwned<TcxContainerStyle>& style : FStyles) style->SetOnChanged(Handler);
}

// --- TcxStyleController ---

CL_DEFINE_CLASS(TcxStyleController, .Props = StyleControllerProps);

TcxStyleController::TcxStyleController(TComponent* Owner) : TcxScalableComponent(Owner) {}

void TcxStyleController::AfterConstruction()
{
  TcxScalableComponent::AfterConstruction();
  FStyles.reset(GetStylesClass().Create(this, ResolveStyleClass()));
  FStyles->AssignChangeHandler(TNotifyEvent(this, &TcxStyleController::StyleChanged));
}

void TcxStyleController::BeforeDestruction()
{
  FIsDestroying = true;
  // Its listeners must not be linked back to it as the default.
  if (GDefaultController == this) GDefaultController = nullptr;
  while (!FListeners.empty()) {
    TcxContainerStyle* style = FListeners.back();
    style->StyleControllerFreed(this);
    RemoveStyleListener(style);
  }
  FStyles.reset();
  TcxScalableComponent::BeforeDestruction();
}

void TcxStyleController::Loaded()
{
  TcxScalableComponent::Loaded();
  Changed();
}

TcxContainerStyleClass TcxStyleController::ResolveStyleClass() const { return ClassRef<TcxContainerStyle>(); }

TcxContainerStylesClass TcxStyleController::GetStylesClass() const
{
  return ClassRef<TcxContainerStyles>();
}

TcxContainerStyle* TcxStyleController::GetNormalStyle() const { return FStyles ? FStyles->GetNormalStyle() : nullptr; }

TcxContainerStyle* TcxStyleController::GetStateStyle(TcxContainerStateItem State) const
{
  return FStyles ? FStyles->GetStateStyle(State) : nullptr;
}

bool TcxStyleController::IsListening(const TcxContainerStyle* Style) const
{
  return std::find(FListeners.begin(), FListeners.end(), Style) != FListeners.end();
}

void TcxStyleController::AddStyleListener(TcxContainerStyle* Style)
{
  if (!Style || IsListening(Style)) return;
  FListeners.push_back(Style);
  if (TcxContainerStyle* normal = GetNormalStyle())
    if (TcxLookAndFeel* lookAndFeel = Style->LookAndFeel()) lookAndFeel->SetMaster(normal->LookAndFeel());
}

void TcxStyleController::RemoveStyleListener(TcxContainerStyle* Style)
{
  auto it = std::find(FListeners.begin(), FListeners.end(), Style);
  if (it == FListeners.end()) return;
  FListeners.erase(it);
  if (TcxLookAndFeel* lookAndFeel = Style->LookAndFeel()) lookAndFeel->SetMaster(nullptr);
}

void TcxStyleController::Changed()
{
  TWeakRef<TcxStyleController> self(this);
  if (FOnStyleChanged) FOnStyleChanged(this);
  if (!self || FIsDestroying) return;
  // A listener may leave (or free the controller) while it follows the change.
  const std::vector<TcxContainerStyle*> listeners = FListeners;
  for (TcxContainerStyle* style : listeners) {
    if (!self) return;
    if (IsListening(style)) style->StyleControllerChanged(this);
  }
}

void TcxStyleController::StyleChanged(TObject* Sender)
{
  (void)Sender;
  Changed();
}

TcxStyleController* TcxStyleController::FakeStyleController() const
{
  TcxContainerStyle* normal = GetNormalStyle();
  return normal ? normal->StyleController() : nullptr;
}

void TcxStyleController::RescaleBy(int NewDPI, int OldDPI)
{
  TcxScalableComponent::RescaleBy(NewDPI, OldDPI);
  std::vector<TFont*> scaled;
  for (int state = 0; state < cxContainerStateCount; ++state) {
    TcxContainerStyle* style = GetStateStyle(static_cast<TcxContainerStateItem>(state));
    TFont* font = style ? style->Font() : nullptr;
    // The other styles share the normal style's font: it is scaled once.
    if (!font || !style->AssignedValues().Contains(svFont) ||
        std::find(scaled.begin(), scaled.end(), font) != scaled.end())
      continue;
    scaled.push_back(font);
    font->SetHeight(MulDiv(font->Height(), NewDPI, OldDPI));
  }
}
