#pragma once
// Look-and-feel settings: the style family (Kind), whether the platform's visual styles are used
// (NativeStyle) and the name of a skin (SkinName) of one control or component, each either assigned
// locally or taken from a master look-and-feel, or from the process-wide root look-and-feel when
// there is no master. From its effective settings a look-and-feel picks the painter that draws
// everything for its owner (cxLookAndFeelPainters.h) and tells its listeners, the controls and
// look-and-feels that follow it, whenever an effective setting changes.
//
// TcxLookAndFeelController is a component that edits the root. TcxSystemPaletteChangedListener, one
// shared hidden window, passes changes of the system colours to the look-and-feels and other clients.
#include <functional>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/Sets.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxControlsMessageWindow.h"
#include "toolkit/base/cxLookAndFeelPainters.h"
#include "toolkit/base/dxThemeManager.h"

// Creates the root look-and-feel at start-up and frees it at shut-down.
extern TUnit UnitcxLookAndFeels;

enum class TcxLookAndFeelKind { lfFlat, lfStandard, lfUltraFlat, lfOffice11 };
using enum TcxLookAndFeelKind;

enum class TcxLookAndFeelValue { lfvKind, lfvNativeStyle, lfvSkinName };
using enum TcxLookAndFeelValue;
using TcxLookAndFeelValues = TSet<TcxLookAndFeelValue>;
constexpr TcxLookAndFeelValues cxLookAndFeelAllValues{lfvKind, lfvNativeStyle, lfvSkinName};

// A skin's name; empty means no skin.
using TdxSkinName = std::string;

// The painter style of each look-and-feel kind.
constexpr TcxPainterStyle cxLookAndFeelStyleMap[] = {cpsFlat, cpsStandard, cpsUltraFlat, cpsOffice11};
constexpr TcxPainterStyle PainterStyleOfKind(TcxLookAndFeelKind kind)
{
  return cxLookAndFeelStyleMap[static_cast<int>(kind)];
}

struct TcxLookAndFeelData {
  TcxLookAndFeelKind Kind = lfUltraFlat;
  bool NativeStyle = false;
  TdxSkinName SkinName;
};

extern const TEnumInfo cxLookAndFeelKindInfo;
extern const TEnumInfo cxLookAndFeelValueInfo;

class TcxLookAndFeel;

// Implemented by every object that follows a look-and-feel.
class IcxLookAndFeelObserver {
public:
  virtual TObject* GetObserverObject() = 0;
  // Sender's effective values in ChangedValues changed.
  virtual void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) = 0;
  // Sender is being destroyed.
  virtual void MasterDestroying(TcxLookAndFeel* Sender) = 0;

protected:
  ~IcxLookAndFeelObserver() = default;
};

// An object that has a look-and-feel others may follow (a control offers its own).
class IcxLookAndFeelSource {
public:
  virtual TcxLookAndFeel* GetLookAndFeel() = 0;

protected:
  ~IcxLookAndFeelSource() = default;
};

// An object that decides itself whether skins may draw it.
class IcxSkinSupportQuery {
public:
  virtual bool AcceptsSkins() = 0;

protected:
  ~IcxSkinSupportQuery() = default;
};

// An object that skins may draw.
class IcxSkinSupportMarker {
protected:
  virtual ~IcxSkinSupportMarker() = default;
};

// Whether skins may draw the object: its own answer when it implements IcxSkinSupportQuery, else
// whether it implements IcxSkinSupportMarker.
bool InstanceAcceptsSkins(TObject* obj);
// The skin-support test the skin code consults: InstanceAcceptsSkins while the unit runs.
using TcxSkinSupportTestFunc = bool (*)(TObject* obj);
extern TcxSkinSupportTestFunc cxSkinSupportTest;

// --- System colour changes ---

class TcxSystemPaletteChangedNotifier;

// The shared hidden window that receives WM_SYSCOLORCHANGE. On it the Office 2003 colours are
// computed again, then the primary notifiers are told from the last attached to the first, then the
// ordinary ones likewise. It exists while it has notifiers (AcquirePaletteListener), and while it
// exists it is a user of the Office 2003 colour set.
class TcxSystemPaletteChangedListener : public TcxMessageWindow {
  CL_CLASS(TcxSystemPaletteChangedListener, TcxMessageWindow)
public:
  TcxSystemPaletteChangedListener();
  ~TcxSystemPaletteChangedListener() override;
  void Attach(TcxSystemPaletteChangedNotifier* Notifier, bool IsPrimary);
  void Detach(TcxSystemPaletteChangedNotifier* Notifier);

protected:
  void WndProc(TMessage& Message) override;

private:
  void NotifyAll();
  std::vector<TcxSystemPaletteChangedNotifier*> FPrimaryNotifiers;
  std::vector<TcxSystemPaletteChangedNotifier*> FNotifiers;
};

// Counts one user of the shared listener, making it with the first; nullptr once shutting down.
TcxSystemPaletteChangedListener* AcquirePaletteListener();
// Counts one user less; the last frees the listener.
void ReleasePaletteListener();

using TcxSystemPaletteChangedEvent = TEvent<void()>;

// A client of the listener for the life of the object.
class TcxSystemPaletteChangedNotifier : public TObject {
  CL_CLASS(TcxSystemPaletteChangedNotifier, TObject)
public:
  explicit TcxSystemPaletteChangedNotifier(bool IsPrimary);
  ~TcxSystemPaletteChangedNotifier() override;
  bool IsPrimary() const { return FIsPrimary; }
  // Calls OnSystemPaletteChanged when it is set.
  virtual void NotifyPaletteChanged();
  const TcxSystemPaletteChangedEvent& OnSystemPaletteChanged() const { return FOnSystemPaletteChanged; }
  void SetOnSystemPaletteChanged(const TcxSystemPaletteChangedEvent& value) { FOnSystemPaletteChanged = value; }

private:
  bool FIsPrimary;
  bool FAttached = false;
  TcxSystemPaletteChangedEvent FOnSystemPaletteChanged;
};

// --- The look-and-feel ---

using TcxLookAndFeelChangedEvent = TEvent<void(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues)>;

class TcxLookAndFeel : public TcxInterfacedPersistent, public IcxLookAndFeelObserver {
  CL_CLASS(TcxLookAndFeel, TcxInterfacedPersistent)
public:
  // Owner: the control or component the look-and-feel belongs to (none for the root).
  explicit TcxLookAndFeel(TPersistent* Owner);
  ~TcxLookAndFeel() override;
  // Follows the root (when there is one) and picks a painter.
  void AfterConstruction() override;
  // Tells every listener that it goes, then leaves its master or the root.
  void BeforeDestruction() override;
  // From another look-and-feel: its assigned values and data, and its master (or the root).
  void Assign(TPersistent* Source) override;
  // "SkinName", written when an empty skin name is assigned (the published property does not
  // store empty strings).
  void DefineProperties(TFiler& Filer) override;

  // The effective values.
  TcxLookAndFeelKind Kind() const { return FCurrentState.Kind; }
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const { return FCurrentState.NativeStyle; }
  void SetNativeStyle(bool Value);
  const TdxSkinName& SkinName() const { return FCurrentState.SkinName; }
  void SetSkinName(const TdxSkinName& Value);
  // The values assigned locally; the others follow the master or the root.
  TcxLookAndFeelValues AssignedValues() const { return FAssignedValues; }
  void SetAssignedValues(TcxLookAndFeelValues Value);
  void ResetAssignedValues() { SetAssignedValues({}); }
  // The locally assigned data (meaningful for the assigned values).
  const TcxLookAndFeelData& AssignedData() const { return FData; }

  // The master look-and-feel, or none (the root serves then). The root itself, this look-and-feel,
  // the current master or root, and one that already follows this one are ignored.
  TcxLookAndFeel* MasterLookAndFeel() const { return FMaster; }
  void SetMaster(TcxLookAndFeel* Value);
  TcxLookAndFeel* GetMasterOrRoot() const;
  bool IsRoot() const { return FIsRoot; }

  // Listeners are objects that implement IcxLookAndFeelObserver; a TcxLookAndFeelController is
  // taken only by the root, which counts them. An object already listening is not added twice.
  void AttachListener(TObject* Listener);
  // The root returns to its defaults when its last controller leaves.
  void DetachListener(TObject* Listener);
  // The listeners still alive (one freed without detaching is passed over and dropped).
  int ListenerCount() const;

  // Applies a change of all three values: the painter is chosen again and every listener told.
  void NotifyAllChanged();
  // Makes the settings select the painter style: NativeStyle for cpsNative, else the kind.
  void ApplyPainterStyle(TcxPainterStyle Style);
  TcxPainterStyle CurrentPainterStyle() const;

  // The painter chosen for the effective values (none without a painters registry).
  TcxCustomLookAndFeelPainter* Painter();
  // The painter for a control that draws with the one themed object type.
  TcxCustomLookAndFeelPainter* GetPainterForThemePart(TdxThemedObjectType ThemedObjectType);
  // The skin painter chosen by the effective skin name, or none.
  TcxCustomLookAndFeelPainter* SkinPainter() const { return FSkinPainter.Get(); }

  // Called after every effective change.
  const TcxLookAndFeelChangedEvent& OnChanged() const { return FOnChanged; }
  void SetOnChanged(const TcxLookAndFeelChangedEvent& Value) { FOnChanged = Value; }

  // IcxLookAndFeelObserver: a master's change applies the values not assigned here; a master that
  // goes leaves this look-and-feel to the root.
  TObject* GetObserverObject() override { return this; }
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;

  bool IsAssignedValuesStored() const { return false; }
  bool IsKindStored() const { return FAssignedValues.Contains(lfvKind); }
  bool IsNativeStyleStored() const { return FAssignedValues.Contains(lfvNativeStyle); }
  bool IsSkinNameStored() const { return FAssignedValues.Contains(lfvSkinName); }

protected:
  virtual TcxCustomLookAndFeelPainter* FindSkinPainter(std::string_view Name) const;
  virtual void RefreshEffectiveState();
  virtual void RefreshPainter();
  virtual TcxLookAndFeelKind GetEffectiveKind() const;
  virtual bool GetEffectiveNativeStyle() const;
  virtual TdxSkinName GetEffectiveSkinName() const;
  virtual TcxCustomLookAndFeelPainter* GetEffectiveSkinPainter() const;
  virtual void PaletteChanged();

private:
  friend void InitializeLookAndFeelsUnit();
  // The painter for a set of needed themed object types (empty: the general painter).
  TcxCustomLookAndFeelPainter* ChoosePainter(TdxThemedObjectTypes Types) const;
  // Refreshes the painter and tells the listeners and the change handler.
  void ApplyChanges(TcxLookAndFeelValues ChangedValues);
  // Applies the values whose effective value differs from the state remembered before.
  void ApplyDifferences(const TcxLookAndFeelData& Remembered);
  void ChangeMaster(TcxLookAndFeel* Value);
  void MarkAsRoot();
  // Calls each listener once, in list order, as long as it is still listening when its turn comes;
  // with StopWhenFreed, nothing more once this look-and-feel is being freed.
  void NotifyListeners(const std::function<void(IcxLookAndFeelObserver*)>& Notify, bool StopWhenFreed);
  bool IsListening(const IcxLookAndFeelObserver* Observer) const;
  void DropFreedListeners();

  struct TListener {
    IcxLookAndFeelObserver* Observer;
    TWeakRef<TObject> Object;
  };

  TcxLookAndFeelValues FAssignedValues;
  TcxLookAndFeelData FData;
  TcxLookAndFeelData FCurrentState;
  TcxLookAndFeel* FMaster = nullptr;
  bool FIsRoot = false;
  TWeakRef<TcxCustomLookAndFeelPainter> FPainter;
  TWeakRef<TcxCustomLookAndFeelPainter> FSkinPainter;
  std::vector<TListener> FListeners;
  bool FIsDestroying = false;
  TOwned<TcxSystemPaletteChangedNotifier> FPaletteNotifier;
  TcxLookAndFeelChangedEvent FOnChanged;
};

// The root look-and-feel (ultra-flat, no native style, no skin unless assigned); none before the
// unit starts and after it shuts down.
TcxLookAndFeel* GetRootLookAndFeel();

// A component that edits the root look-and-feel: its values read the root's effective values
// (ultra-flat, no native style, no skin when there is no root) and write the root's values. The root
// returns to its defaults when the last controller goes.
class TcxLookAndFeelController : public TComponent, public IcxLookAndFeelObserver {
  CL_CLASS(TcxLookAndFeelController, TComponent)
public:
  explicit TcxLookAndFeelController(TComponent* Owner);
  void AfterConstruction() override;
  void BeforeDestruction() override;

  TcxLookAndFeelKind Kind() const;
  void SetKind(TcxLookAndFeelKind Value);
  bool NativeStyle() const;
  void SetNativeStyle(bool Value);
  TdxSkinName SkinName() const;
  void SetSkinName(const TdxSkinName& Value);
  bool IsSkinNameStored() const { return !SkinName().empty(); }

  TObject* GetObserverObject() override { return this; }
  void MasterValuesChanged(TcxLookAndFeel* Sender, TcxLookAndFeelValues ChangedValues) override;
  void MasterDestroying(TcxLookAndFeel* Sender) override;

  // At design time, tells the form designer that the form was modified; nothing at run time.
  virtual void Changed();
  // Finds the form that owns the controller, directly or through an owning frame, and tells its
  // designer that it was modified (the class library has no form designer, so nothing is told).
  virtual void NotifyFormDesigner();
  // Ultra-flat, no native style, no skin.
  virtual void ResetToDefaults();
};
