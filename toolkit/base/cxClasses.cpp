#include "toolkit/base/cxClasses.h"

#include <algorithm>
#include "classlib/Filer.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/TypInfo.h"
#include "toolkit/base/cxClassesTimer.h"
#include "toolkit/base/cxLibraryStrs.h"
#include "toolkit/base/dxCore.h"

namespace {
const TUnit* const Uses[] = {&UnitdxCore, &UnitcxLibraryStrs};
}  // namespace

TUnit UnitcxClasses{"cxClasses", Uses, nullptr, FinalizeTimers};

// --- Interface support ---

CL_DEFINE_CLASS(TcxIUnknownObject);

CL_DEFINE_CLASS(TcxInterfacedPersistent);

// --- Components ---

namespace {
using TCC = TcxComponent;
constexpr TPropInfo NotStored(TPropInfo p)
{
  p.Stored = [](const TObject*) { return false; };
  return p;
}
constexpr TPropInfo ComponentProps[] = {
  NotStored(ComponentProp<&TCC::FakeComponentLink1, &TCC::SetFakeComponentLink1>("FakeComponentLink1")),
  NotStored(ComponentProp<&TCC::FakeComponentLink2, &TCC::SetFakeComponentLink2>("FakeComponentLink2")),
  NotStored(ComponentProp<&TCC::FakeComponentLink3, &TCC::SetFakeComponentLink3>("FakeComponentLink3")),
};
}  // namespace

CL_DEFINE_CLASS(TcxComponent, .Props = ComponentProps);
CL_DEFINE_CLASS(TcxScalableComponent);

void TcxComponent::BeforeDestruction()
{
  Destroying();
  ResetObjectLinks(this);
  TComponent::BeforeDestruction();
}

void TcxComponent::Loaded()
{
  TComponent::Loaded();
  RefreshComponentLinks();
}

void TcxComponent::RefreshComponentLinks()
{
  if (!IsDesigning() || IsDestroying() || !Owner()) return;
  std::vector<TComponent*> list;
  CollectLinkedComponents(list);
  for (int i = 0; i < 3; ++i) SetFakeComponentLink(i, i < static_cast<int>(list.size()) ? list[i] : nullptr);
}

void TcxComponent::SetFakeComponentLink(int index, TComponent* value)
{
  TComponent* old = FFakeComponentLinks[index];
  if (old == value) return;
  FFakeComponentLinks[index] = value;
  if (old && std::find(std::begin(FFakeComponentLinks), std::end(FFakeComponentLinks), old) ==
                 std::end(FFakeComponentLinks))
    RemoveFreeNotification(old);
  // Told when the linked component goes, so that the link never dangles.
  if (value) FreeNotification(value);
}

void TcxComponent::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation == TOperation::opRemove)
    for (TComponent*& link : FFakeComponentLinks)
      if (link == component) link = nullptr;
}

TcxScalableComponent::TcxScalableComponent(TComponent* owner)
    : TcxComponent(owner), FPixelsPerInch(ScreenPixelsPerInch())
{
}

void TcxScalableComponent::DefineProperties(TFiler& filer)
{
  TcxComponent::DefineProperties(filer);
  filer.DefineProperty(
      "PixelsPerInch", [this](TReader& reader) { FPixelsPerInch = reader.ReadInteger(); },
      [this](TWriter& writer) { writer.WriteInteger(FPixelsPerInch); }, true);
}

void TcxScalableComponent::Loaded()
{
  TcxComponent::Loaded();
  int current = ScreenPixelsPerInch();
  if (FScalable && FPixelsPerInch != current) {
    int stored = FPixelsPerInch;
    // The component now stands at the screen's density; reading it again must not rescale twice.
    FPixelsPerInch = current;
    RescaleBy(current, stored);
  }
}

// --- Event handler lists ---

CL_DEFINE_CLASS(TcxEventHandlerCollection);

void TcxEventHandlerCollection::Add(const TcxEventHandler& handler)
{
  if (handler) FHandlers.push_back(handler);
}

void TcxEventHandlerCollection::Remove(const TcxEventHandler& handler)
{
  auto it = std::find(FHandlers.begin(), FHandlers.end(), handler);
  if (it == FHandlers.end() || !handler) return;
  // While the handlers are being called, positions must stay: the entry is emptied and the list
  // compacted when the calls are over.
  if (FInvoking > 0)
    *it = TcxEventHandler();
  else
    FHandlers.erase(it);
}

int TcxEventHandlerCollection::Count() const
{
  return static_cast<int>(std::count_if(FHandlers.begin(), FHandlers.end(), [](const auto& h) { return bool(h); }));
}

void TcxEventHandlerCollection::InvokeAll(TObject* sender, const TcxEventArgs& args)
{
  struct TInvokeScope {
    TcxEventHandlerCollection* Self;
    explicit TInvokeScope(TcxEventHandlerCollection* self) : Self(self) { ++Self->FInvoking; }
    ~TInvokeScope()
    {
      if (--Self->FInvoking == 0)
        Self->FHandlers.erase(std::remove_if(Self->FHandlers.begin(), Self->FHandlers.end(),
                                             [](const auto& h) { return !h; }),
                              Self->FHandlers.end());
    }
  } scope(this);
  size_t count = FHandlers.size();
  for (size_t i = 0; i < count; ++i) {
    TcxEventHandler handler = FHandlers[i];
    if (handler) handler(sender, args);
  }
}

// --- Weak object links ---

// Keeps the live links; exists while some link made by CreateObjectLink is not yet freed.
class TcxObjectLinkController : public TObject {
  CL_CLASS(TcxObjectLinkController, TObject)
public:
  void AddLink(TcxObjectLink* link) { FLinks.push_back(link); }
  void RemoveLink(TcxObjectLink* link) { FLinks.erase(std::remove(FLinks.begin(), FLinks.end(), link), FLinks.end()); }
  // Links to an object being freed are empty already; this empties the links to a live object.
  void ResetLinks(TObject* obj)
  {
    auto dead = std::stable_partition(FLinks.begin(), FLinks.end(), [obj](TcxObjectLink* l) { return l->Ref() != obj; });
    for (auto it = dead; it != FLinks.end(); ++it) (*it)->FRef.Reset();
    FLinks.erase(dead, FLinks.end());
  }
  int Users = 0;

private:
  std::vector<TcxObjectLink*> FLinks;
};

CL_DEFINE_CLASS(TcxObjectLink);
CL_DEFINE_CLASS(TcxObjectLinkController);

IcxEditKeyListener* EditKeyListener = nullptr;

namespace {
TcxObjectLinkController* GLinkController = nullptr;

TcxObjectLinkController* AcquireLinkController()
{
  if (!GLinkController) GLinkController = New<TcxObjectLinkController>();
  ++GLinkController->Users;
  return GLinkController;
}

void ReleaseLinkController()
{
  if (GLinkController && --GLinkController->Users <= 0) FreeAndNil(GLinkController);
}
}  // namespace

TcxObjectLink* CreateObjectLink(TObject* obj)
{
  if (!obj) return nullptr;
  auto link = MakeOwned<TcxObjectLink>();
  TcxObjectLinkController* controller = AcquireLinkController();
  link->FRef = TWeakRef<TObject>(obj);
  controller->AddLink(link.get());
  return link.release();
}

void FreeObjectLink(TcxObjectLink* link)
{
  if (!link) return;
  if (GLinkController) GLinkController->RemoveLink(link);
  Free(link);
  ReleaseLinkController();
}

void ResetObjectLinks(TObject* obj)
{
  if (obj && GLinkController) GLinkController->ResetLinks(obj);
}

bool ObjectLinkControllerExists() { return GLinkController != nullptr; }

// --- Free notification ---

CL_DEFINE_CLASS(TcxFreeNotificator);

void TcxFreeNotificator::WatchComponent(TComponent* component)
{
  if (!component || component == this) return;
  if (std::find(FWatched.begin(), FWatched.end(), component) == FWatched.end()) FWatched.push_back(component);
  FreeNotification(component);
}

void TcxFreeNotificator::UnwatchComponent(TComponent* component)
{
  if (!component) return;
  FWatched.erase(std::remove(FWatched.begin(), FWatched.end(), component), FWatched.end());
  RemoveFreeNotification(component);
}

void TcxFreeNotificator::Notification(TComponent* component, TOperation operation)
{
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  auto it = std::find(FWatched.begin(), FWatched.end(), component);
  if (it == FWatched.end()) return;
  FWatched.erase(it);
  if (FOnFreeNotification) FOnFreeNotification(component);
}

// --- Unique component names ---

namespace {
bool IsNameChar(unsigned char c)
{
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}
}  // namespace

std::string BuildComponentName(TComponent* parentComponent, std::string_view className, std::string_view prefix,
                               int number, std::string_view baseName)
{
  std::string text;
  for (size_t i = 0; i < baseName.size(); ++i) {
    auto c = static_cast<unsigned char>(baseName[i]);
    if (IsDBCSLeadByte(c) && i + 1 < baseName.size()) {
      ++i;  // the trail byte goes with its lead
      continue;
    }
    if (IsNameChar(c)) text.push_back(static_cast<char>(c));
  }
  if ((text.empty() || (text[0] >= '0' && text[0] <= '9')) && !className.empty()) {
    if (!prefix.empty() && className.size() >= prefix.size() && SameIdent(className.substr(0, prefix.size()), prefix)) {
      text = std::string(className.substr(prefix.size())) + text;
    } else {
      text = std::string(className) + text;
      if (text[0] == 'T') text.erase(0, 1);
    }
  }
  std::string name = parentComponent ? parentComponent->Name() + text : text;
  if (number > 0) name += std::to_string(number);
  return name;
}

bool IsNameUniqueAmong(TComponent* owner, std::string_view name)
{
  if (!owner) return true;
  for (int i = 0; i < owner->ComponentCount(); ++i) {
    TComponent* component = owner->Components(i);
    if (SameIdent(component->Name(), name) || !IsNameUniqueAmong(component, name)) return false;
  }
  return true;
}

std::string GenerateUniqueItemName(TComponent* owner, TComponent* parentComponent, TComponent* item,
                                   std::string_view baseName, std::string_view prefixToStrip)
{
  std::string className = item ? item->ClassName() : "";
  for (int number = baseName.empty() ? 1 : 0;; ++number) {
    std::string candidate = BuildComponentName(parentComponent, className, prefixToStrip, number, baseName);
    if (IsNameUniqueAmong(owner, candidate)) return candidate;
  }
}

// --- Resource strings ---

std::string GetResStringText(PResStringRec rec)
{
  if (!rec) return {};
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(rec), &module))
    module = GetModuleHandleA(nullptr);
  // With no buffer the call gives the resource's own read-only text, whatever its length.
  const wchar_t* text = nullptr;
  int length = LoadStringW(module, rec->Identifier, reinterpret_cast<LPWSTR>(&text), 0);
  if (length <= 0 || !text) return {};
  return ConvertWideToAnsi(std::wstring_view(text, length), CP_ACP);
}

// --- Small helpers ---

std::string TakeTextBeforeBar(std::string_view text)
{
  return std::string(text.substr(0, text.find('|')));
}

int CharByteLength(std::string_view text, int pos)
{
  if (pos < 1 || static_cast<size_t>(pos) > text.size()) return 0;
  auto c = static_cast<unsigned char>(text[pos - 1]);
  return IsDBCSLeadByte(c) && static_cast<size_t>(pos) < text.size() ? 2 : 1;
}

void FireNotifyEvent(const TNotifyEvent& event, TObject* sender)
{
  if (event) event(sender);
}

SIZE BuildSize(int width, int height) { return SIZE{width, height}; }

int RangeMidpoint(int a, int b)
{
  long long sum = static_cast<long long>(a) + b;
  return static_cast<int>(sum >= 0 ? sum / 2 : -((-sum + 1) / 2));
}

int SignAsStep(int value) { return value >= 0 ? 1 : -1; }

bool MethodsEqual(const TMethod& a, const TMethod& b) { return a == b; }

TPersistent* GetPersistentOwner(const TPersistent* persistent)
{
  return persistent ? persistent->GetOwner() : nullptr;
}
