#pragma once
// Hint style controllers and hint styles.
//
// The class library shows hints through the application's OnShowHint event and the global
// HintWindowClass. The process-wide TcxHintController takes both over while hint style
// controllers are registered: the first registration saves the application's handler and window
// class and installs its own handler; HintWindowClass follows the newest registered controller's
// window class; the last unregistration puts the saved handler back (and the saved class, unless
// somebody else changed the class meanwhile). For each hint, the controller owned by the hinted
// control's form (or by the component behind a bar control) is preferred over the first-registered
// global one, and its hint style prepares the hint.
//
// Also here: the registry of hint style classes, the hint window base TcxCustomHintWindow, and the
// plain hint layout (TdxCustomHintViewInfo with its helpers) that hint windows draw with.
#include <string>
#include <vector>
#include "classlib/Controls.h"
#include "classlib/Units.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/base/cxLookAndFeels.h"
#include "toolkit/controls/cxControlsPopupWindow.h"

class TcxCanvas;
class TcxCustomHintStyle;
class TcxCustomHintStyleController;
class TcxCustomLookAndFeelPainter;
class TcxRegisteredClasses;

extern TUnit UnitcxHint;

// Implemented by controls that stand for a component beyond themselves (bar controls answer their
// bar manager): hint lookups continue at that component.
class IdxOwnerInterfaceSource {
public:
  virtual TComponent* GetOwnerInterfaceSource() = 0;

protected:
  ~IdxOwnerInterfaceSource() = default;
};

// Told when a hint style controller changes or goes.
class IcxHintStyleControllerListener {
public:
  virtual void HintStyleControllerChanged(TcxCustomHintStyleController* controller) = 0;
  virtual void HintStyleControllerRemoved(TcxCustomHintStyleController* controller) = 0;

protected:
  ~IcxHintStyleControllerListener() = default;
};

// --- Hint controller ---

class TcxHintController : public TComponent {
  CL_CLASS(TcxHintController, TComponent)
public:
  TcxHintController() : TComponent(nullptr) {}
  void BeforeDestruction() override;

  void AddStyleController(TcxCustomHintStyleController* controller);
  void RemoveStyleController(TcxCustomHintStyleController* controller);
  // The newest registered controller's window class, else the class saved at hooking time.
  TClass GetWindowClass() const;
  void SetHintedControl(TControl* control);
  TControl* GetHintedControl() const { return FHintedControl; }
  TcxCustomHintStyleController* FindStyleController();
  // The application's hint handler while hooked.
  void ShowHintHandler(std::string& hintStr, bool& canShow, THintInfo& hintInfo);

  int ControllerCount() const { return static_cast<int>(FControllers.size()); }
  bool Hooked() const { return FHooked; }

  void Notification(TComponent* component, TOperation operation) override;

private:
  void Hook();
  void Unhook();

  TControl* FHintedControl = nullptr;
  std::vector<TcxCustomHintStyleController*> FControllers;
  TShowHintEvent FSavedShowHint;
  TClass FSavedHintWindowClass = nullptr;
  bool FHooked = false;
};

// The process-wide hint controller; nullptr once the unit shuts down.
TcxHintController* cxHintController();
// Hint style classes with their display names ("ScreenTip" for the screen-tip style).
TcxRegisteredClasses* GetHintStyleRegistry();
TcxCustomHintStyleController* FindActiveHintStyleController();
// The active controller's hint style; nullptr without a controller.
TcxCustomHintStyle* GetActiveScreenTipStyle();
TControl* GetHintedControl();
void ClearHintedControl();

// --- Hint styles ---

class TcxCustomHintStyle : public TcxInterfacedPersistent {
  CL_CLASS(TcxCustomHintStyle, TcxInterfacedPersistent)
public:
  TcxCustomHintStyle() : TcxInterfacedPersistent(nullptr) {}
  // The controller (or other component) the style belongs to.
  TPersistent* GetOwner() const override { return FOwnerComponent; }
  TComponent* OwnerComponent() const { return FOwnerComponent; }
  void SetOwnerComponent(TComponent* value) { FOwnerComponent = value; }
  // Another style of the kind: the values (none here) are copied.
  void Assign(TPersistent* source) override;

  virtual void BeginUpdate() {}
  virtual void EndUpdate() {}
  virtual void PrepareHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo);
  // A component the style may refer to is going.
  virtual void ComponentGone(TComponent* component);
  virtual TClass GetStyleWindowClass() const = 0;

  TNotifyEvent OnChanged() const { return FOnChanged; }
  void SetOnChanged(TNotifyEvent value) { FOnChanged = value; }

protected:
  // Reports a change to the change handler.
  void Changed();

private:
  TComponent* FOwnerComponent = nullptr;
  TNotifyEvent FOnChanged;
};

// Makes a style of the class (nullptr for none) belonging to owner.
TOwned<TcxCustomHintStyle> NewHintStyle(TClass styleClass, TComponent* owner);

// --- Hint style controller ---

using TcxHintStyleChangedEvent = TEvent<void(TObject* Sender, TcxCustomHintStyle* Style)>;
using TcxShowHintEvent = TEvent<void(TObject* Sender, std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;
using TcxShowHintExEvent =
    TEvent<void(TObject* Sender, std::string& Caption, std::string& HintStr, bool& CanShow, THintInfo& HintInfo)>;

class TcxCustomHintStyleController : public TComponent, public IcxSkinSupportMarker, public IcxLookAndFeelSource {
  CL_CLASS(TcxCustomHintStyleController, TComponent)
public:
  explicit TcxCustomHintStyleController(TComponent* owner);
  ~TcxCustomHintStyleController() override;
  // Makes the style and the hint window and registers with the hint controller.
  void AfterConstruction() override;
  // Tells every listener that the controller goes, unregisters and frees style and window.
  void BeforeDestruction() override;
  void Assign(TPersistent* source) override;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

  virtual TClass GetHintStyleClass() const { return FHintStyleClass; }
  // The style's window class (TcxCustomHintWindow without a style).
  virtual TClass GetHintWindowClass() const;
  virtual void BeginUpdate() { ++FUpdateCount; }
  virtual void EndUpdate();
  virtual void NotifyListener(IcxHintStyleControllerListener* listener);
  virtual void AddListener(IcxHintStyleControllerListener* listener);
  virtual void RemoveListener(IcxHintStyleControllerListener* listener);

  void CreateHintStyle();
  void FreeHintStyle();
  void SetHintStyleClass(TClass value);
  void SetHintStyleClassName(const std::string& value);
  std::string GetHintStyleClassName() const;
  TcxCustomHintStyle* HintStyle() const { return FHintStyle.get(); }
  // Assigns the given style's values into the controller's own.
  void SetHintStyle(TcxCustomHintStyle* value);
  TcxLookAndFeel* LookAndFeel() const { return FLookAndFeel.get(); }
  void SetLookAndFeel(TcxLookAndFeel* value);
  TcxLookAndFeel* GetLookAndFeel() override { return FLookAndFeel.get(); }
  THintWindow* HintWindow() const { return FHintWindow; }
  // The application's hint timings become the controller's (not while designing or updating).
  void ApplyTimings();
  void PrepareHint(std::string& hintStr, bool& canShow, THintInfo& hintInfo);
  void NotifyListeners();

  bool IsFirstRegistered() const { return FIsFirstRegistered; }
  unsigned HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(unsigned value);
  unsigned HintPause() const { return FHintPause; }
  void SetHintPause(unsigned value);
  unsigned HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(unsigned value);
  bool UseHintedControlLookAndFeel() const { return FUseHintedControlLookAndFeel; }
  void SetUseHintedControlLookAndFeel(bool value) { FUseHintedControlLookAndFeel = value; }
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }

  TcxHintStyleChangedEvent OnHintStyleChanged() const { return FOnHintStyleChanged; }
  void SetOnHintStyleChanged(TcxHintStyleChangedEvent value) { FOnHintStyleChanged = value; }
  TcxShowHintEvent OnShowHint() const { return FOnShowHint; }
  void SetOnShowHint(TcxShowHintEvent value) { FOnShowHint = value; }
  TcxShowHintExEvent OnShowHintEx() const { return FOnShowHintEx; }
  void SetOnShowHintEx(TcxShowHintExEvent value) { FOnShowHintEx = value; }

private:
  friend class TcxHintController;
  void HintStyleChanged(TObject* sender);
  void SetTiming(unsigned& field, unsigned value);

  bool FIsFirstRegistered = false;
  unsigned FHintShortPause = 50;
  unsigned FHintPause = 500;
  unsigned FHintHidePause = 2500;
  TClass FHintStyleClass = nullptr;
  THintWindow* FHintWindow = nullptr;  // a component of the controller
  std::vector<IcxHintStyleControllerListener*> FListeners;
  TOwned<TcxLookAndFeel> FLookAndFeel;
  int FUpdateCount = 0;
  bool FUseHintedControlLookAndFeel = false;
  TcxHintStyleChangedEvent FOnHintStyleChanged;
  TcxShowHintEvent FOnShowHint;
  TcxShowHintExEvent FOnShowHintEx;
  TOwned<TcxCustomHintStyle> FHintStyle;
};

// --- Hint window ---

class TcxCustomHintWindow : public TcxBaseHintWindow {
  CL_CLASS(TcxCustomHintWindow, TcxBaseHintWindow)
public:
  explicit TcxCustomHintWindow(TComponent* owner) : TcxBaseHintWindow(owner) {}
  // Shows hint (with extra text) at (x, y); nothing here.
  virtual void CalculateHint(int x, int y, int maxWidth, const std::string& hint, const std::string& extra);
  // Standard mode (the class library's own painting) also turns double buffering off.
  void SetStandardMode(bool value) override;
  // The painter hints are drawn with: the hinted control's look-and-feel when the active
  // controller asks for it and the control offers one, else the controller's own; the root
  // look-and-feel's without a controller.
  TcxCustomLookAndFeelPainter* GetPainter();
  // Filled by the controller's extended show-hint event.
  const std::string& HintCaption() const { return FHintCaption; }
  void SetHintCaption(const std::string& value) { FHintCaption = value; }

private:
  std::string FHintCaption;
};

// --- Plain hint layout ---

class TdxCustomHintViewInfoHelper : public TObject {
  CL_CLASS(TdxCustomHintViewInfoHelper, TObject)
public:
  virtual void Calculate(TcxCanvas* canvas) = 0;
  virtual void Paint(TcxCanvas* canvas) = 0;
  RECT BoundsRect{};
};

class TdxHintViewInfoHelper : public TdxCustomHintViewInfoHelper {
  CL_CLASS(TdxHintViewInfoHelper, TdxCustomHintViewInfoHelper)
public:
  // The text is text followed by suffix, when text is not empty.
  TdxHintViewInfoHelper(const std::string& text, POINT position, const std::string& suffix = {});
  void Calculate(TcxCanvas* canvas) override;
  void Paint(TcxCanvas* canvas) override;
  const std::string& Text() const { return FText; }
  POINT Position() const { return FPosition; }

protected:
  virtual void AddMargins(SIZE& size);
  virtual RECT GetTextRect();
  virtual void DrawText(TcxCanvas* canvas);
  virtual void SetHintFont(TcxCanvas* canvas);
  virtual void SetHintTextColor(TcxCanvas* canvas);
  // Fills the background before the text; the raised edge of a plain hint here.
  virtual void DrawBackground(TcxCanvas* canvas);

private:
  std::string FText;
  POINT FPosition;
};

class TdxCustomHintViewInfo : public TObject {
  CL_CLASS(TdxCustomHintViewInfo, TObject)
public:
  // Makes the layout object.
  void AfterConstruction() override;
  virtual void Calculate(TcxCanvas* canvas);
  virtual void Paint(TcxCanvas* canvas);
  RECT GetBoundsRect() const;
  TdxCustomHintViewInfoHelper* Helper() const { return FHelper.get(); }

protected:
  virtual TOwned<TdxCustomHintViewInfoHelper> CreateHelper() = 0;
  virtual void FreeHelper() { FHelper.reset(); }

private:
  TOwned<TdxCustomHintViewInfoHelper> FHelper;
};

// The plain hint of a text at a position.
class TdxHintViewInfo : public TdxCustomHintViewInfo {
  CL_CLASS(TdxHintViewInfo, TdxCustomHintViewInfo)
public:
  TdxHintViewInfo(const std::string& text, POINT position) : FText(text), FPosition(position) {}

protected:
  TOwned<TdxCustomHintViewInfoHelper> CreateHelper() override;

private:
  std::string FText;
  POINT FPosition;
};

// The hint font: the system's status font; size 8 when the metrics cannot be read.
void SetHintFontOf(TFont* font);
