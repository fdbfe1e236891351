#pragma once
// Sets of four container styles and the style controller (unit cxContainer).
//
// TcxContainerStyles holds the styles of the four states of one container: normal (the root),
// focused, disabled and hot. A TcxStyleController is a component that owns such a set and that
// any number of root styles link to: values they do not assign come from its style of the same
// state, and their look-and-feel follows its normal style's look-and-feel. It tells its listening
// styles whenever one of its styles changes. One controller may be the process-wide default
// controller, which every root style created while it is set links to.
#include <vector>
#include "classlib/Events.h"
#include "toolkit/base/cxClasses.h"
#include "toolkit/controls/cxContainerStyle.h"

class TcxContainerStyles;
// A styles-set class as a value: Create(Owner, StyleClass).
using TcxContainerStylesClass = TClassRef<TcxContainerStyles>;

class TcxContainerStyles : public TObject {
  CL_CLASS(TcxContainerStyles, TObject)
public:
  struct TMeta : TMetaClassOf<TcxContainerStyles, TPersistent*, TcxContainerStyleClass> {};
  // The four styles in state order, each of StyleClass with the given owner; the normal style is
  // the parent of the other three.
  TcxContainerStyles(TPersistent* Owner, TcxContainerStyleClass StyleClass);
  // Frees the styles in the order hot, disabled, focused, normal.

  TcxContainerStyle* GetStateStyle(TcxContainerStateItem State) const;
  TcxContainerStyle* GetNormalStyle() const { return GetStateStyle(TcxContainerStateItem::csNormal); }
  TcxContainerStyle* GetFocusedStyle() const { return GetStateStyle(TcxContainerStateItem::csActive); }
  TcxContainerStyle* GetDisabledStyle() const { return GetStateStyle(TcxContainerStateItem::csDisabled); }
  TcxContainerStyle* GetHotStyle() const { return GetStateStyle(TcxContainerStateItem::csHotTrack); }
  // Copies Style into the style of the state (Assign).
  void SetStateStyle(TcxContainerStateItem State, TcxContainerStyle* Style);
  void SetNormalStyle(TcxContainerStyle* Style) { SetStateStyle(TcxContainerStateItem::csNormal, Style); }
  void SetFocusedStyle(TcxContainerStyle* Style) { SetStateStyle(TcxContainerStateItem::csActive, Style); }
  void SetDisabledStyle(TcxContainerStyle* Style) { SetStateStyle(TcxContainerStateItem::csDisabled, Style); }
  void SetHotStyle(TcxContainerStyle* Style) { SetStateStyle(TcxContainerStateItem::csHotTrack, Style); }
  // The change handler of all four styles.
  void AssignChangeHandler(const TNotifyEvent& Handler);

private:
  // Destroyed last to first: the normal style, which the others follow, goes last.
  TOwned<TcxContainerStyle> FStyles[cxContainerStateCount];
};

class TcxStyleController : public TcxScalableComponent {
  CL_CLASS(TcxStyleController, TcxScalableComponent)
public:
  explicit TcxStyleController(TComponent* Owner);
  // Makes the set of styles (of the classes the controller answers).
  void AfterConstruction() override;
  // Every listening style goes back to the standard controller (last listener first); the styles
  // are freed. A controller still set as the default controller empties the slot first.
  void BeforeDestruction() override;
  // Inherited, then Changed.
  void Loaded() override;

  // A root style links to the controller: its look-and-feel follows the normal style's. Once only.
  virtual void AddStyleListener(TcxContainerStyle* Style);
  virtual TcxContainerStyleClass ResolveStyleClass() const;
  virtual TcxContainerStylesClass GetStylesClass() const;
  // The style leaves; its look-and-feel no longer has a master.
  virtual void RemoveStyleListener(TcxContainerStyle* Style);

  TcxContainerStyles* Styles() const { return FStyles.get(); }
  TcxContainerStyle* GetNormalStyle() const;
  TcxContainerStyle* GetStateStyle(TcxContainerStateItem State) const;
  bool IsListening(const TcxContainerStyle* Style) const;
  int ListenerCount() const { return static_cast<int>(FListeners.size()); }

  // Fires OnStyleChanged, then (unless being destroyed) tells every listening style in order.
  void Changed();

  // Published, not stored: the normal style's StyleController; writing does nothing.
  TcxStyleController* FakeStyleController() const;
  void SetFakeStyleController(TcxStyleController* Value) { (void)Value; }

  const TNotifyEvent& OnStyleChanged() const { return FOnStyleChanged; }
  void SetOnStyleChanged(const TNotifyEvent& Value) { FOnStyleChanged = Value; }

protected:
  // The fonts the styles assign are scaled from OldDPI to NewDPI.
  void RescaleBy(int NewDPI, int OldDPI) override;

private:
  void StyleChanged(TObject* Sender);

  std::vector<TcxContainerStyle*> FListeners;
  TOwned<TcxContainerStyles> FStyles;
  bool FIsDestroying = false;
  TNotifyEvent FOnStyleChanged;
};

// The process-wide default controller, or nullptr. Nothing here fills it: the editor framework
// stores its default controller at start-up and empties the slot at exit before freeing it.
TcxStyleController* GetDefaultContainerStyleController();
void SetDefaultContainerStyleController(TcxStyleController* Controller);
