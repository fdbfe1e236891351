#pragma once
// What the customizing popup offers per kind of bar control (design helpers)
// and the commands that add new items next to a link at design time (control
// editors). Both are classes used through their class-level operations,
// registered with the design controller by the bar unit's start-up.
#include "classlib/ClassRef.h"
#include "toolkit/bars/dxBarCustomizing.h"
#include <string>
#include <vector>

class TdxBarItem;
class TdxBarItemLink;
class TdxBarItemLinks;

class TdxBarControlEditor : public TObject {
  CL_CLASS(TdxBarControlEditor, TObject)
public:
  struct TMeta : TMetaClassOf<TdxBarControlEditor> {
    // The class of the item the command adds (the clicked entry's caption
    // chooses among several).
    virtual TClassRef<TdxBarItem>
    GetNewItemClass(const std::string &caption) const;
    virtual std::string GetCommandCaption() const { return {}; }
    // The class of the command's own item.
    virtual TClassRef<TdxBarItem> GetCommandItemClass() const;
    virtual void SetUpCommandItem(TdxBarItemLink *link) const;
    // Prepares the new link's item after it is made.
    virtual void ApplyChosenEntry(TdxBarItemLink *link,
                                  const std::string &caption) const;
    // The editor's command at the end of the popup's links.
    virtual void AddToCustomizingPopup(TdxBarItemLinks *links) const;
  };
  TdxBarControlEditor() = default;
};
using TdxBarControlEditorClass = TClassRef<TdxBarControlEditor>;

// "Add &SubItem": a command button that adds a sub-item; its subclasses add
// other classes.
class TdxAddSubItemEditor : public TdxBarControlEditor {
  CL_CLASS(TdxAddSubItemEditor, TdxBarControlEditor)
public:
  struct TMeta : TdxBarControlEditor::TMeta {
    TClassRef<TdxBarItem>
    GetNewItemClass(const std::string &caption) const override;
    std::string GetCommandCaption() const override;
    TClassRef<TdxBarItem> GetCommandItemClass() const override;
    // The click handler is the controller's CreateItemFromCommand; enabled when
    // the manager may create components.
    void SetUpCommandItem(TdxBarItemLink *link) const override;
  };
  using TdxBarControlEditor::TdxBarControlEditor;
};

class TdxAddButtonEditor : public TdxAddSubItemEditor {
  CL_CLASS(TdxAddButtonEditor, TdxAddSubItemEditor)
public:
  struct TMeta : TdxAddSubItemEditor::TMeta {
    TClassRef<TdxBarItem>
    GetNewItemClass(const std::string &caption) const override;
    std::string GetCommandCaption() const override;
  };
  using TdxAddSubItemEditor::TdxAddSubItemEditor;
};

class TdxAddLargeButtonEditor : public TdxAddSubItemEditor {
  CL_CLASS(TdxAddLargeButtonEditor, TdxAddSubItemEditor)
public:
  struct TMeta : TdxAddSubItemEditor::TMeta {
    TClassRef<TdxBarItem>
    GetNewItemClass(const std::string &caption) const override;
    std::string GetCommandCaption() const override;
  };
  using TdxAddSubItemEditor::TdxAddSubItemEditor;
};

class TdxAddSeparatorEditor : public TdxAddSubItemEditor {
  CL_CLASS(TdxAddSeparatorEditor, TdxAddSubItemEditor)
public:
  struct TMeta : TdxAddSubItemEditor::TMeta {
    TClassRef<TdxBarItem>
    GetNewItemClass(const std::string &caption) const override;
    std::string GetCommandCaption() const override;
  };
  using TdxAddSubItemEditor::TdxAddSubItemEditor;
};

// "Add &Item": a sub-menu with an entry per visible registered item class.
class TdxItemsEditorEx : public TdxBarControlEditor {
  CL_CLASS(TdxItemsEditorEx, TdxBarControlEditor)
public:
  struct TMeta : TdxBarControlEditor::TMeta {
    TClassRef<TdxBarItem>
    GetNewItemClass(const std::string &caption) const override;
    std::string GetCommandCaption() const override;
    TClassRef<TdxBarItem> GetCommandItemClass() const override;
    void SetUpCommandItem(TdxBarItemLink *link) const override;
    // A command button per visible registered item class, captioned with the
    // class name.
    virtual void AddEntries(TdxBarItemLinks *links) const;
  };
  using TdxBarControlEditor::TdxBarControlEditor;
};

// The actions a kind of bar control does not offer, and its control editors.
class TCustomdxBarControlDesignHelper : public TObject {
  CL_CLASS(TCustomdxBarControlDesignHelper, TObject)
public:
  struct TMeta : TMetaClassOf<TCustomdxBarControlDesignHelper> {
    virtual bool AllowsMultipleViewLevels() const { return false; }
    virtual TdxBarCustomizingActions GetSupportedActions() const;
    virtual void
    GetControlEditors(std::vector<TdxBarControlEditorClass> &editors) const;
    // Takes the helper's actions out of the set.
    void MaskActions(TdxBarCustomizingActions &actions) const;
  };
  TCustomdxBarControlDesignHelper() = default;
};
using TdxBarControlDesignHelperClass =
    TClassRef<TCustomdxBarControlDesignHelper>;

// Toolbars offer paint styles but no position, view levels, button group,
// distribution or most-recently-used flag.
class TdxBarControlDesignHelper : public TCustomdxBarControlDesignHelper {
  CL_CLASS(TdxBarControlDesignHelper, TCustomdxBarControlDesignHelper)
public:
  struct TMeta : TCustomdxBarControlDesignHelper::TMeta {
    TdxBarCustomizingActions GetSupportedActions() const override;
  };
  using TCustomdxBarControlDesignHelper::TCustomdxBarControlDesignHelper;
};

// Menus offer the most-recently-used flag but no paint styles, and one editor
// more (a separator).
class TdxBarSubMenuControlDesignHelper
    : public TCustomdxBarControlDesignHelper {
  CL_CLASS(TdxBarSubMenuControlDesignHelper, TCustomdxBarControlDesignHelper)
public:
  struct TMeta : TCustomdxBarControlDesignHelper::TMeta {
    TdxBarCustomizingActions GetSupportedActions() const override;
    void GetControlEditors(
        std::vector<TdxBarControlEditorClass> &editors) const override;
  };
  using TCustomdxBarControlDesignHelper::TCustomdxBarControlDesignHelper;
};

// The registrations the bar unit's start-up makes.
void RegisterStandardDesignHelpers(TdxBarDesignController *controller);
