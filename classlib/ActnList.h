#pragma once
// Actions: commands with a caption, hint, image, enabled and visible state and an OnExecute
// handler, shared by the controls and menu items bound to them.
//
// A client (control, menu item) bound to an action holds an action link. The action tells its
// links about every change; a link hands the change on to its client only while the client's value
// still follows the action's (a client that stores a caption of its own keeps it).
#include <algorithm>
#include <memory>
#include <string>
#include <vector>
#include "classlib/Component.h"
#include "classlib/Events.h"
#include "classlib/Units.h"

class TBasicActionLink;
class TCustomActionList;

// Asked before a hint of an action shows: the handler may change the text, or refuse the hint by
// clearing canShow.
using THintEvent = TEvent<void(std::string& hintStr, bool& canShow)>;
class TCustomImageList;

class TBasicAction : public TComponent {
  CL_CLASS(TBasicAction, TComponent)
public:
  explicit TBasicAction(TComponent* owner);
  ~TBasicAction() override;
  void BeforeDestruction() override;

  // Runs OnExecute; answers whether a handler ran.
  virtual bool Execute();
  TNotifyEvent OnExecute() const { return FOnExecute; }
  void SetOnExecute(TNotifyEvent e);
  // Asked in idle time through the action's clients: runs OnUpdate, which sets the action's state
  // (enabled, checked) for the moment; answers whether a handler ran.
  virtual bool Update();
  TNotifyEvent OnUpdate() const { return FOnUpdate; }
  void SetOnUpdate(TNotifyEvent e) { FOnUpdate = e; }

  void RegisterChanges(TBasicActionLink* link);
  void UnRegisterChanges(TBasicActionLink* link);
  // Tells every link that the action changed as a whole (each link's OnChange).
  virtual void Change();

protected:
  // Calls fn for each link (a copy of the list: a link may go away on the way).
  template <class F>
  void ForEachLink(F fn)
  {
    std::vector<TBasicActionLink*> links = FClients;
    for (TBasicActionLink* l : links)
      if (std::find(FClients.begin(), FClients.end(), l) != FClients.end()) fn(l);
  }

private:
  std::vector<TBasicActionLink*> FClients;
  TNotifyEvent FOnExecute;
  TNotifyEvent FOnUpdate;
};

class TContainedAction : public TBasicAction {
  CL_CLASS(TContainedAction, TBasicAction)
public:
  using TBasicAction::TBasicAction;
  ~TContainedAction() override;
  void BeforeDestruction() override;
  TCustomActionList* ActionList() const { return FActionList; }
  void SetActionList(TCustomActionList* list);
  const std::string& Category() const { return FCategory; }
  void SetCategory(const std::string& value) { FCategory = value; }
  // The action list is the action's parent in a stored form.
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;
  int Index() const;

private:
  friend class TCustomActionList;
  TCustomActionList* FActionList = nullptr;
  std::string FCategory;
};

class TCustomAction : public TContainedAction {
  CL_CLASS(TCustomAction, TContainedAction)
public:
  using TContainedAction::TContainedAction;

  const std::string& Caption() const { return FCaption; }
  void SetCaption(const std::string& value);
  const std::string& Hint() const { return FHint; }
  void SetHint(const std::string& value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool value);
  // The key combination that runs the action (0 for none); ShortCutToText names it.
  uint16_t ShortCut() const { return FShortCut; }
  void SetShortCut(uint16_t value);
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int value);
  // A disabled action does not run.
  bool Execute() override;
  // Whether the hint may show: the action list's OnHint first, then the action's own, each able to
  // change the text or refuse; true when neither refuses.
  virtual bool DoHint(std::string& hintStr);
  const THintEvent& OnHint() const { return FOnHint; }
  void SetOnHint(const THintEvent& value) { FOnHint = value; }

private:
  THintEvent FOnHint;
  std::string FCaption, FHint;
  int FImageIndex = -1;
  uint16_t FShortCut = 0;
  int FHelpContext = 0;
  bool FEnabled = true, FVisible = true, FChecked = false;
};

class TAction : public TCustomAction {
  CL_CLASS(TAction, TCustomAction)
public:
  using TCustomAction::TCustomAction;
};

// The action the application offers the main form's controls when its hint changes and it has no
// OnHint handler: a control that shows hints (a status pane) takes the action's Hint.
class THintAction : public TCustomAction {
  CL_CLASS(THintAction, TCustomAction)
public:
  using TCustomAction::TCustomAction;
};

class TCustomActionList : public TComponent {
  CL_CLASS(TCustomActionList, TComponent)
public:
  explicit TCustomActionList(TComponent* owner);
  ~TCustomActionList() override;
  void BeforeDestruction() override;

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int index) const;
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* value);
  // Asked for the hint of every action of the list before the action's own handler.
  const THintEvent& OnHint() const { return FOnHint; }
  void SetOnHint(const THintEvent& value) { FOnHint = value; }

  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  friend class TContainedAction;
  void AddAction(TContainedAction* action);
  void RemoveAction(TContainedAction* action);

  std::vector<TContainedAction*> FActions;
  TCustomImageList* FImages = nullptr;
  THintEvent FOnHint;
};

class TActionList : public TCustomActionList {
  CL_CLASS(TActionList, TCustomActionList)
public:
  using TCustomActionList::TCustomActionList;
};

// The client's end of the binding. The client owns its link; the link registers with the action.
class TBasicActionLink : public TObject {
  CL_CLASS(TBasicActionLink, TObject)
public:
  TBasicActionLink() = default;
  ~TBasicActionLink() override;
  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* value);
  // Binds the link to its client; a link made from its class reference is given its client here.
  virtual void AssignClient(TObject* client) { (void)client; }
  // Called with the action when the action changed as a whole.
  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }
  virtual void Change()
  {
    if (FOnChange) FOnChange(FAction);
  }
  virtual bool Execute() { return FAction && FAction->Execute(); }
  // The action's OnUpdate, asked by the client in idle time; answers whether a handler ran.
  virtual bool Update() { return FAction && FAction->Update(); }
  // Whether the client's OnClick is the action's OnExecute (then a click runs the action).
  virtual bool IsOnExecuteLinked() const { return true; }

  // Changes of the action, handed on to the client by the derived links.
  virtual void SetCaption(const std::string&) {}
  virtual void SetHint(const std::string&) {}
  virtual void SetImageIndex(int) {}
  virtual void SetEnabled(bool) {}
  virtual void SetVisible(bool) {}
  virtual void SetChecked(bool) {}
  virtual void SetHelpContext(int) {}
  virtual void SetShortCut(uint16_t) {}
  virtual void SetOnExecute(TNotifyEvent) {}

private:
  friend class TBasicAction;
  TBasicAction* FAction = nullptr;
  TNotifyEvent FOnChange;
};

// A link to a TCustomAction: the client follows each property while its value is the action's.
class TActionLink : public TBasicActionLink {
  CL_CLASS(TActionLink, TBasicActionLink)
public:
  TCustomAction* CustomAction() const { return dynamic_cast<TCustomAction*>(Action()); }

  // Whether the client's value still follows the action's: only a TCustomAction has values to
  // follow. A derived link adds the comparison of its client's value with the action's.
  virtual bool IsCaptionLinked() const { return CustomAction() != nullptr; }
  virtual bool IsCheckedLinked() const { return CustomAction() != nullptr; }
  virtual bool IsEnabledLinked() const { return CustomAction() != nullptr; }
  virtual bool IsHelpContextLinked() const { return CustomAction() != nullptr; }
  virtual bool IsHintLinked() const { return CustomAction() != nullptr; }
  virtual bool IsImageIndexLinked() const { return CustomAction() != nullptr; }
  virtual bool IsShortCutLinked() const { return CustomAction() != nullptr; }
  virtual bool IsVisibleLinked() const { return CustomAction() != nullptr; }
};

// The action handed to a client's ActionChange: the client takes the action's values, and when
// checkDefaults is set (while reading a stored form) only those it has not set itself.
struct TActionValues {
  std::string Caption, Hint;
  int ImageIndex = -1;
  uint16_t ShortCut = 0;
  int HelpContext = 0;
  bool Enabled = true, Visible = true, Checked = false;
  TNotifyEvent OnExecute;
  static TActionValues Of(const TBasicAction* action);
};

extern TUnit ActnListUnit;
