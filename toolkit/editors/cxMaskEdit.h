#pragma once
// The masked text editor (unit cxMaskEdit): a text editor whose text follows an input mask, read
// as a picture mask, a regular expression, or a regular expression whose forced characters are
// typed by the editor. A mask edit mode (cxMaskEditModes.h) does the character work; the properties
// choose the mode class, validate the text against the mask and format values for display; the
// editor routes keys, clipboard and text changes through its mode. The unit also holds the filter
// edit helpers of the text and mask editors.
#include <string>
#include "classlib/Units.h"
#include "toolkit/editors/cxFilterControlUtils.h"
#include "toolkit/editors/cxMaskEditModes.h"
#include "toolkit/editors/cxTextEdit.h"

// Registers the mask properties and the mask filter pair at start-up; removes them at shut-down.
extern TUnit UnitcxMaskEdit;

class TcxCustomMaskEditProperties : public TcxCustomTextEditProperties {
  CL_CLASS(TcxCustomMaskEditProperties, TcxCustomTextEditProperties)
public:
  struct TMeta : TcxCustomTextEditProperties::TMeta {
    TClassRef<TcxCustomEdit> ContainerClassType() const override;
  };
  explicit TcxCustomMaskEditProperties(TPersistent* Owner);
  void BeforeDestruction() override;
  // From mask properties, inside one update: the text settings, then the kind, the source's
  // effective mask, CaseInsensitive, IgnoreMaskBlank and AlwaysShowBlanksAndLiterals.
  void Assign(TPersistent* Source) override;

  // --- Settings ---
  bool AlwaysShowBlanksAndLiterals() const { return FAlwaysShowBlanksAndLiterals; }
  void SetAlwaysShowBlanksAndLiterals(bool Value);
  // True regardless while CharCase is upper or lower case.
  bool CaseInsensitive() const { return FCaseInsensitive; }
  void SetCaseInsensitive(bool Value);
  const std::string& EmptyMaskText() const { return FEmptyMaskText; }
  void SetEmptyMaskText(const std::string& Value) { FEmptyMaskText = Value; }
  bool IgnoreMaskBlank() const { return FIgnoreMaskBlank; }
  void SetIgnoreMaskBlank(bool Value) { FIgnoreMaskBlank = Value; }
  TcxEditMaskKind MaskKind() const { return FMaskKind; }
  void SetMaskKind(TcxEditMaskKind Value);
  // The effective mask: for a picture mask left blank, the defaults provider's mask; else the own.
  std::string EditMask() const;
  // A mask different from the effective one is compiled first by a mode of the current kind (a
  // regular expression that does not compile raises EcxMaskEditError and nothing is stored).
  void SetEditMask(const std::string& Value);
  bool IsEditMaskStored() const { return !FEditMask.empty(); }
  // The effective mask is not blank.
  bool IsMasked() const { return !IsBlankMask(EditMask()); }
  TcxMaskEditCustomMode* FormattingMode() const { return FFormattingMode.get(); }

  // --- Virtual operation introduced ---
  // 0 the picture mask's mode, 1 the regular expression's, any other the extended one.
  virtual TcxMaskEditCustomModeClass MaskModeClassType(TcxEditMaskKind Kind) const;

  // --- Overrides ---
  TcxEditCapabilities GetCapabilities() const override;
  TcxEditDisplayFormatOptions SupportedDisplayFormats() const override;
  bool UsesLookupData() const override;
  bool IsEditValueValid(const Variant& EditValue, bool Focused) const override;
  // A mask fixes the length: MaxLength goes back to 0.
  void MaxLengthChanged() override;
  void SetCharCase(TEditCharCase Value) override;
  void DoChanged() override;
  void EditValueToDisplayValue(const Variant& EditValue, Variant& DisplayValue, bool Focused) override;
  // An incomplete masked text is an error ("The edit value is invalid"), then the text checks.
  void ValidateDisplayValue(Variant& DisplayValue, std::string& ErrorText, bool& Error,
                            IcxEditValidationHost* Edit) override;

private:
  // The cached formatting mode for the kind and the effective mask; nullptr for a blank mask.
  TcxMaskEditCustomMode* GetFormattingMode();

  bool FAlwaysShowBlanksAndLiterals = false;
  bool FCaseInsensitive = true;
  std::string FEmptyMaskText;
  bool FIgnoreMaskBlank = false;
  TcxEditMaskKind FMaskKind = emkStandard;
  std::string FEditMask;
  bool FMaxLengthAdjusting = false;
  TOwned<TcxMaskEditCustomMode> FFormattingMode;
};

class TcxMaskEditProperties : public TcxCustomMaskEditProperties {
  CL_CLASS(TcxMaskEditProperties, TcxCustomMaskEditProperties)
public:
  using TcxCustomMaskEditProperties::TcxCustomMaskEditProperties;
};

class TcxCustomMaskEdit : public TcxCustomTextEdit {
  CL_CLASS(TcxCustomMaskEdit, TcxCustomTextEdit)
public:
  struct TMeta : TcxCustomTextEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override
    {
      return ClassRef<TcxCustomMaskEditProperties>();
    }
  };
  using TcxCustomTextEdit::TcxCustomTextEdit;
  void BeforeDestruction() override;
  TcxCustomMaskEditProperties* ActiveMaskProperties() const
  {
    return static_cast<TcxCustomMaskEditProperties*>(GetActiveProperties());
  }
  TcxMaskEditCustomMode* MaskMode() const { return FMaskMode.get(); }
  // The inner text as the mode formats it for the value, kept after every inner change.
  const std::string& MaskedText() const { return FMaskedText; }
  bool HasMask() const { return ActiveMaskProperties()->IsMasked(); }
  bool ShiftHeld() const { return FShiftHeld; }
  void SetShiftHeld(bool Value) { FShiftHeld = Value; }
  bool SendingOwnKey() const { return FSendingOwnKey; }
  // Sends the inner edit a key or a character as a plain key, with SendingOwnKey set.
  void SendOwnKey(WORD Key);
  void SendOwnChar(char Ch);

  // --- Virtual operations introduced ---
  virtual bool IsMaskEditingActive() { return true; }
  // Whether the character may go to the (1-based) position; it may clear Ch to refuse it.
  virtual bool CanAcceptMaskInput(char& Ch, int Position) { (void)Ch; (void)Position; return true; }
  virtual void RewriteDisplayText();

  // --- Overrides ---
  void Initialize() override;
  void Loaded() override;
  void PropertiesChanged(TObject* Sender) override;
  void WriteDisplayValue(const Variant& Value) override;
  void DisplayValueToEditValue(const Variant& DisplayValue, Variant& EditValue, bool Focused) override;
  // A focused masked editor shows its value in the edit form (blanks and literals).
  void EditValueToDisplayValue(const Variant& Value, Variant& DisplayValue, bool Focused) override;
  void SynchronizeDisplayValue() override;
  void InnerEditChanged(TObject* Sender) override;
  void ApplyTextChange(const std::string& Text) override;
  void PasteFromClipboard() override;
  void ClearSelection() override;
  void HookInnerEditWindowProc() override;
  void UnhookInnerEditWindowProc() override;
  void DoEditKeyDown(WORD& Key, TShiftState Shift) override;
  void DoEditKeyPress(char& Ch) override;
  void DoEditKeyUp(WORD& Key, TShiftState Shift) override;
  void DblClick() override;
  void GetTypedEditValue(Variant& Value) override;
  // The mode follows a selection set from outside (not by the mode's own steps).
  void SelectionChanged() override;
  void UndoTextChange() override;
  std::string GetEditingText() override;
  bool IsTextAcceptable(const std::string& Text) override;

protected:
  void DoEnter() override;
  void KeyDown(WORD& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void KeyUp(WORD& Key, TShiftState Shift) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

private:
  // With a mask and mask editing active, the mode takes the text.
  void ApplyMaskText(const std::string& Text);
  void RefreshMaskedText();
  // A mode of the kind takes the place of the current one.
  void ReplaceMode(TcxEditMaskKind Kind);

  TOwned<TcxMaskEditCustomMode> FMaskMode;
  std::string FMaskedText;
  bool FShiftHeld = false;
  bool FSendingOwnKey = false;
  bool FSelectingInternally = false;
  friend class TcxMaskEditCustomMode;
};

class TcxMaskEdit : public TcxCustomMaskEdit {
  CL_CLASS(TcxMaskEdit, TcxCustomMaskEdit)
public:
  struct TMeta : TcxCustomMaskEdit::TMeta {
    TcxCustomEditPropertiesClass PropertiesClassType() const override { return ClassRef<TcxMaskEditProperties>(); }
  };
  using TcxCustomMaskEdit::TcxCustomMaskEdit;
  TcxMaskEditProperties* Properties() const { return static_cast<TcxMaskEditProperties*>(TcxCustomEdit::Properties()); }
  // Plain text editing only without a mask.
  bool SupportsTextEditing() override { return !HasMask(); }
};

// --- Filter edit helpers ---

// The text editor as a filter editor: selecting all on entry, hiding the selection, plain view.
class TcxFilterTextEditHelper : public TcxCustomFilterEditHelper {
  CL_CLASS(TcxFilterTextEditHelper, TcxCustomFilterEditHelper)
public:
  struct TMeta : TcxCustomFilterEditHelper::TMeta {
    TcxCustomEditClass FilterEditClassType() const override;
    void SetUpFilterProperties(TcxCustomEditProperties* target, TcxCustomEditProperties* source,
                               bool keepButtons) const override;
    void WriteFilterValue(TcxCustomEdit* edit, TcxCustomEditProperties* properties,
                          const Variant& value) const override;
  };
};

// The mask editor as a filter editor: a regular expression becomes the extended kind; the operators
// depend on the mask.
class TcxFilterMaskEditHelper : public TcxFilterTextEditHelper {
  CL_CLASS(TcxFilterMaskEditHelper, TcxFilterTextEditHelper)
public:
  struct TMeta : TcxFilterTextEditHelper::TMeta {
    TcxCustomEditClass FilterEditClassType() const override;
    void SetUpFilterProperties(TcxCustomEditProperties* target, TcxCustomEditProperties* source,
                               bool keepButtons) const override;
    // Equal to Greater-or-equal, IsNull and IsNotNull; the text operators only without a mask and
    // for a value type holding text; Between to NotInList when extended.
    void GetFilterOperators(TcxCustomEditProperties* properties, TcxValueTypeClass valueTypeClass,
                            TcxFilterOperatorKinds& operators, bool extended) const override;
  };
};
