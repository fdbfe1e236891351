#include "toolkit/editors/cxEditConsts.h"

#include "resources/strings/cxEditConstsIds.h"
#include "toolkit/base/dxCore.h"

const TResStringRec cxSEditButtonCancel{IDS_cxSEditButtonCancel};
const TResStringRec cxSEditButtonOK{IDS_cxSEditButtonOK};
const TResStringRec cxSEditDateConvertError{IDS_cxSEditDateConvertError};
const TResStringRec cxSEditInvalidRepositoryItem{IDS_cxSEditInvalidRepositoryItem};
const TResStringRec cxSEditNumericValueConvertError{IDS_cxSEditNumericValueConvertError};
const TResStringRec cxSEditPopupCircularReferencingError{IDS_cxSEditPopupCircularReferencingError};
const TResStringRec cxSEditPostError{IDS_cxSEditPostError};
const TResStringRec cxSEditTimeConvertError{IDS_cxSEditTimeConvertError};
const TResStringRec cxSEditValidateErrorText{IDS_cxSEditValidateErrorText};
const TResStringRec cxSEditValueOutOfBounds{IDS_cxSEditValueOutOfBounds};
const TResStringRec cxSEditCheckBoxChecked{IDS_cxSEditCheckBoxChecked};
const TResStringRec cxSEditCheckBoxGrayed{IDS_cxSEditCheckBoxGrayed};
const TResStringRec cxSEditCheckBoxUnchecked{IDS_cxSEditCheckBoxUnchecked};
const TResStringRec cxSRadioGroupDefaultCaption{IDS_cxSRadioGroupDefaultCaption};
const TResStringRec cxSTextTrue{IDS_cxSTextTrue};
const TResStringRec cxSTextFalse{IDS_cxSTextFalse};
const TResStringRec cxSBlobButtonOK{IDS_cxSBlobButtonOK};
const TResStringRec cxSBlobButtonCancel{IDS_cxSBlobButtonCancel};
const TResStringRec cxSBlobButtonClose{IDS_cxSBlobButtonClose};
const TResStringRec cxSBlobMemo{IDS_cxSBlobMemo};
const TResStringRec cxSBlobMemoEmpty{IDS_cxSBlobMemoEmpty};
const TResStringRec cxSBlobPicture{IDS_cxSBlobPicture};
const TResStringRec cxSBlobPictureEmpty{IDS_cxSBlobPictureEmpty};
const TResStringRec cxSMenuItemCaptionCut{IDS_cxSMenuItemCaptionCut};
const TResStringRec cxSMenuItemCaptionCopy{IDS_cxSMenuItemCaptionCopy};
const TResStringRec cxSMenuItemCaptionPaste{IDS_cxSMenuItemCaptionPaste};
const TResStringRec cxSMenuItemCaptionDelete{IDS_cxSMenuItemCaptionDelete};
const TResStringRec cxSMenuItemCaptionLoad{IDS_cxSMenuItemCaptionLoad};
const TResStringRec cxSMenuItemCaptionSave{IDS_cxSMenuItemCaptionSave};
const TResStringRec cxSDatePopupClear{IDS_cxSDatePopupClear};
const TResStringRec cxSDatePopupNow{IDS_cxSDatePopupNow};
const TResStringRec cxSDatePopupOK{IDS_cxSDatePopupOK};
const TResStringRec cxSDatePopupToday{IDS_cxSDatePopupToday};
const TResStringRec cxSDateError{IDS_cxSDateError};
const TResStringRec scxSCalcError{IDS_scxSCalcError};
const TResStringRec scxSHyperLinkPrefix{IDS_scxSHyperLinkPrefix};
const TResStringRec scxSHyperLinkDoubleSlash{IDS_scxSHyperLinkDoubleSlash};
const TResStringRec cxNavigatorHint_First{IDS_cxNavigatorHint_First};
const TResStringRec cxNavigatorHint_Prior{IDS_cxNavigatorHint_Prior};
const TResStringRec cxNavigatorHint_PriorPage{IDS_cxNavigatorHint_PriorPage};
const TResStringRec cxNavigatorHint_Next{IDS_cxNavigatorHint_Next};
const TResStringRec cxNavigatorHint_NextPage{IDS_cxNavigatorHint_NextPage};
const TResStringRec cxNavigatorHint_Last{IDS_cxNavigatorHint_Last};
const TResStringRec cxNavigatorHint_Insert{IDS_cxNavigatorHint_Insert};
const TResStringRec cxNavigatorHint_Append{IDS_cxNavigatorHint_Append};
const TResStringRec cxNavigatorHint_Delete{IDS_cxNavigatorHint_Delete};
const TResStringRec cxNavigatorHint_Edit{IDS_cxNavigatorHint_Edit};
const TResStringRec cxNavigatorHint_Post{IDS_cxNavigatorHint_Post};
const TResStringRec cxNavigatorHint_Cancel{IDS_cxNavigatorHint_Cancel};
const TResStringRec cxNavigatorHint_Refresh{IDS_cxNavigatorHint_Refresh};
const TResStringRec cxNavigatorHint_SaveBookmark{IDS_cxNavigatorHint_SaveBookmark};
const TResStringRec cxNavigatorHint_GotoBookmark{IDS_cxNavigatorHint_GotoBookmark};
const TResStringRec cxNavigatorHint_Filter{IDS_cxNavigatorHint_Filter};
const TResStringRec cxNavigator_DeleteRecordQuestion{IDS_cxNavigator_DeleteRecordQuestion};
const TResStringRec scxSEditRepositoryBlobItem{IDS_scxSEditRepositoryBlobItem};
const TResStringRec scxSEditRepositoryButtonItem{IDS_scxSEditRepositoryButtonItem};
const TResStringRec scxSEditRepositoryCalcItem{IDS_scxSEditRepositoryCalcItem};
const TResStringRec scxSEditRepositoryCheckBoxItem{IDS_scxSEditRepositoryCheckBoxItem};
const TResStringRec scxSEditRepositoryComboBoxItem{IDS_scxSEditRepositoryComboBoxItem};
const TResStringRec scxSEditRepositoryCurrencyItem{IDS_scxSEditRepositoryCurrencyItem};
const TResStringRec scxSEditRepositoryDateItem{IDS_scxSEditRepositoryDateItem};
const TResStringRec scxSEditRepositoryHyperLinkItem{IDS_scxSEditRepositoryHyperLinkItem};
const TResStringRec scxSEditRepositoryImageComboBoxItem{IDS_scxSEditRepositoryImageComboBoxItem};
const TResStringRec scxSEditRepositoryImageItem{IDS_scxSEditRepositoryImageItem};
const TResStringRec scxSEditRepositoryLookupComboBoxItem{IDS_scxSEditRepositoryLookupComboBoxItem};
const TResStringRec scxSEditRepositoryMaskItem{IDS_scxSEditRepositoryMaskItem};
const TResStringRec scxSEditRepositoryMemoItem{IDS_scxSEditRepositoryMemoItem};
const TResStringRec scxSEditRepositoryMRUItem{IDS_scxSEditRepositoryMRUItem};
const TResStringRec scxSEditRepositoryPopupItem{IDS_scxSEditRepositoryPopupItem};
const TResStringRec scxSEditRepositorySpinItem{IDS_scxSEditRepositorySpinItem};
const TResStringRec scxSEditRepositoryRadioGroupItem{IDS_scxSEditRepositoryRadioGroupItem};
const TResStringRec scxSEditRepositoryTextItem{IDS_scxSEditRepositoryTextItem};
const TResStringRec scxSEditRepositoryTimeItem{IDS_scxSEditRepositoryTimeItem};
const TResStringRec scxRegExprLine{IDS_scxRegExprLine};
const TResStringRec scxRegExprChar{IDS_scxRegExprChar};
const TResStringRec scxRegExprNotAssignedSourceStream{IDS_scxRegExprNotAssignedSourceStream};
const TResStringRec scxRegExprEmptySourceStream{IDS_scxRegExprEmptySourceStream};
const TResStringRec scxRegExprCantUsePlusQuantifier{IDS_scxRegExprCantUsePlusQuantifier};
const TResStringRec scxRegExprCantUseStarQuantifier{IDS_scxRegExprCantUseStarQuantifier};
const TResStringRec scxRegExprCantCreateEmptyAlt{IDS_scxRegExprCantCreateEmptyAlt};
const TResStringRec scxRegExprCantCreateEmptyBlock{IDS_scxRegExprCantCreateEmptyBlock};
const TResStringRec scxRegExprIllegalSymbol{IDS_scxRegExprIllegalSymbol};
const TResStringRec scxRegExprIllegalQuantifier{IDS_scxRegExprIllegalQuantifier};
const TResStringRec scxRegExprNotSupportQuantifier{IDS_scxRegExprNotSupportQuantifier};
const TResStringRec scxRegExprIllegalIntegerValue{IDS_scxRegExprIllegalIntegerValue};
const TResStringRec scxRegExprTooBigReferenceNumber{IDS_scxRegExprTooBigReferenceNumber};
const TResStringRec scxRegExprCantCreateEmptyEnum{IDS_scxRegExprCantCreateEmptyEnum};
const TResStringRec scxRegExprSubrangeOrder{IDS_scxRegExprSubrangeOrder};
const TResStringRec scxRegExprHexNumberExpected0{IDS_scxRegExprHexNumberExpected0};
const TResStringRec scxRegExprHexNumberExpected{IDS_scxRegExprHexNumberExpected};
const TResStringRec scxRegExprMissing{IDS_scxRegExprMissing};
const TResStringRec scxRegExprUnnecessary{IDS_scxRegExprUnnecessary};
const TResStringRec scxRegExprIncorrectSpace{IDS_scxRegExprIncorrectSpace};
const TResStringRec scxRegExprNotCompiled{IDS_scxRegExprNotCompiled};
const TResStringRec scxRegExprIncorrectParameterQuantifier{IDS_scxRegExprIncorrectParameterQuantifier};
const TResStringRec scxRegExprCantUseParameterQuantifier{IDS_scxRegExprCantUseParameterQuantifier};
const TResStringRec scxMaskEditRegExprError{IDS_scxMaskEditRegExprError};
const TResStringRec scxMaskEditInvalidEditValue{IDS_scxMaskEditInvalidEditValue};
const TResStringRec scxMaskEditNoMask{IDS_scxMaskEditNoMask};
const TResStringRec scxMaskEditIllegalFileFormat{IDS_scxMaskEditIllegalFileFormat};
const TResStringRec scxMaskEditEmptyMaskCollectionFile{IDS_scxMaskEditEmptyMaskCollectionFile};
const TResStringRec scxMaskEditMaskCollectionFiles{IDS_scxMaskEditMaskCollectionFiles};
const TResStringRec cxSSpinEditInvalidNumericValue{IDS_cxSSpinEditInvalidNumericValue};

namespace {
constexpr TdxResStringEntry Entries[] = {
  {"cxSEditButtonCancel", &cxSEditButtonCancel},
  {"cxSEditButtonOK", &cxSEditButtonOK},
  {"cxSEditDateConvertError", &cxSEditDateConvertError},
  {"cxSEditInvalidRepositoryItem", &cxSEditInvalidRepositoryItem},
  {"cxSEditNumericValueConvertError", &cxSEditNumericValueConvertError},
  {"cxSEditPopupCircularReferencingError", &cxSEditPopupCircularReferencingError},
  {"cxSEditPostError", &cxSEditPostError},
  {"cxSEditTimeConvertError", &cxSEditTimeConvertError},
  {"cxSEditValidateErrorText", &cxSEditValidateErrorText},
  {"cxSEditValueOutOfBounds", &cxSEditValueOutOfBounds},
  {"cxSEditCheckBoxChecked", &cxSEditCheckBoxChecked},
  {"cxSEditCheckBoxGrayed", &cxSEditCheckBoxGrayed},
  {"cxSEditCheckBoxUnchecked", &cxSEditCheckBoxUnchecked},
  {"cxSRadioGroupDefaultCaption", &cxSRadioGroupDefaultCaption},
  {"cxSTextTrue", &cxSTextTrue},
  {"cxSTextFalse", &cxSTextFalse},
  {"cxSBlobButtonOK", &cxSBlobButtonOK},
  {"cxSBlobButtonCancel", &cxSBlobButtonCancel},
  {"cxSBlobButtonClose", &cxSBlobButtonClose},
  {"cxSBlobMemo", &cxSBlobMemo},
  {"cxSBlobMemoEmpty", &cxSBlobMemoEmpty},
  {"cxSBlobPicture", &cxSBlobPicture},
  {"cxSBlobPictureEmpty", &cxSBlobPictureEmpty},
  {"cxSMenuItemCaptionCut", &cxSMenuItemCaptionCut},
  {"cxSMenuItemCaptionCopy", &cxSMenuItemCaptionCopy},
  {"cxSMenuItemCaptionPaste", &cxSMenuItemCaptionPaste},
  {"cxSMenuItemCaptionDelete", &cxSMenuItemCaptionDelete},
  {"cxSMenuItemCaptionLoad", &cxSMenuItemCaptionLoad},
  {"cxSMenuItemCaptionSave", &cxSMenuItemCaptionSave},
  {"cxSDatePopupClear", &cxSDatePopupClear},
  {"cxSDatePopupNow", &cxSDatePopupNow},
  {"cxSDatePopupOK", &cxSDatePopupOK},
  {"cxSDatePopupToday", &cxSDatePopupToday},
  {"cxSDateError", &cxSDateError},
  {"scxSCalcError", &scxSCalcError},
  {"scxSHyperLinkPrefix", &scxSHyperLinkPrefix},
  {"scxSHyperLinkDoubleSlash", &scxSHyperLinkDoubleSlash},
  {"cxNavigatorHint_First", &cxNavigatorHint_First},
  {"cxNavigatorHint_Prior", &cxNavigatorHint_Prior},
  {"cxNavigatorHint_PriorPage", &cxNavigatorHint_PriorPage},
  {"cxNavigatorHint_Next", &cxNavigatorHint_Next},
  {"cxNavigatorHint_NextPage", &cxNavigatorHint_NextPage},
  {"cxNavigatorHint_Last", &cxNavigatorHint_Last},
  {"cxNavigatorHint_Insert", &cxNavigatorHint_Insert},
  {"cxNavigatorHint_Append", &cxNavigatorHint_Append},
  {"cxNavigatorHint_Delete", &cxNavigatorHint_Delete},
  {"cxNavigatorHint_Edit", &cxNavigatorHint_Edit},
  {"cxNavigatorHint_Post", &cxNavigatorHint_Post},
  {"cxNavigatorHint_Cancel", &cxNavigatorHint_Cancel},
  {"cxNavigatorHint_Refresh", &cxNavigatorHint_Refresh},
  {"cxNavigatorHint_SaveBookmark", &cxNavigatorHint_SaveBookmark},
  {"cxNavigatorHint_GotoBookmark", &cxNavigatorHint_GotoBookmark},
  {"cxNavigatorHint_Filter", &cxNavigatorHint_Filter},
  {"cxNavigator_DeleteRecordQuestion", &cxNavigator_DeleteRecordQuestion},
  {"scxSEditRepositoryBlobItem", &scxSEditRepositoryBlobItem},
  {"scxSEditRepositoryButtonItem", &scxSEditRepositoryButtonItem},
  {"scxSEditRepositoryCalcItem", &scxSEditRepositoryCalcItem},
  {"scxSEditRepositoryCheckBoxItem", &scxSEditRepositoryCheckBoxItem},
  {"scxSEditRepositoryComboBoxItem", &scxSEditRepositoryComboBoxItem},
  {"scxSEditRepositoryCurrencyItem", &scxSEditRepositoryCurrencyItem},
  {"scxSEditRepositoryDateItem", &scxSEditRepositoryDateItem},
  {"scxSEditRepositoryHyperLinkItem", &scxSEditRepositoryHyperLinkItem},
  {"scxSEditRepositoryImageComboBoxItem", &scxSEditRepositoryImageComboBoxItem},
  {"scxSEditRepositoryImageItem", &scxSEditRepositoryImageItem},
  {"scxSEditRepositoryLookupComboBoxItem", &scxSEditRepositoryLookupComboBoxItem},
  {"scxSEditRepositoryMaskItem", &scxSEditRepositoryMaskItem},
  {"scxSEditRepositoryMemoItem", &scxSEditRepositoryMemoItem},
  {"scxSEditRepositoryMRUItem", &scxSEditRepositoryMRUItem},
  {"scxSEditRepositoryPopupItem", &scxSEditRepositoryPopupItem},
  {"scxSEditRepositorySpinItem", &scxSEditRepositorySpinItem},
  {"scxSEditRepositoryRadioGroupItem", &scxSEditRepositoryRadioGroupItem},
  {"scxSEditRepositoryTextItem", &scxSEditRepositoryTextItem},
  {"scxSEditRepositoryTimeItem", &scxSEditRepositoryTimeItem},
  {"scxRegExprLine", &scxRegExprLine},
  {"scxRegExprChar", &scxRegExprChar},
  {"scxRegExprNotAssignedSourceStream", &scxRegExprNotAssignedSourceStream},
  {"scxRegExprEmptySourceStream", &scxRegExprEmptySourceStream},
  {"scxRegExprCantUsePlusQuantifier", &scxRegExprCantUsePlusQuantifier},
  {"scxRegExprCantUseStarQuantifier", &scxRegExprCantUseStarQuantifier},
  {"scxRegExprCantCreateEmptyAlt", &scxRegExprCantCreateEmptyAlt},
  {"scxRegExprCantCreateEmptyBlock", &scxRegExprCantCreateEmptyBlock},
  {"scxRegExprIllegalSymbol", &scxRegExprIllegalSymbol},
  {"scxRegExprIllegalQuantifier", &scxRegExprIllegalQuantifier},
  {"scxRegExprNotSupportQuantifier", &scxRegExprNotSupportQuantifier},
  {"scxRegExprIllegalIntegerValue", &scxRegExprIllegalIntegerValue},
  {"scxRegExprTooBigReferenceNumber", &scxRegExprTooBigReferenceNumber},
  {"scxRegExprCantCreateEmptyEnum", &scxRegExprCantCreateEmptyEnum},
  {"scxRegExprSubrangeOrder", &scxRegExprSubrangeOrder},
  {"scxRegExprHexNumberExpected0", &scxRegExprHexNumberExpected0},
  {"scxRegExprHexNumberExpected", &scxRegExprHexNumberExpected},
  {"scxRegExprMissing", &scxRegExprMissing},
  {"scxRegExprUnnecessary", &scxRegExprUnnecessary},
  {"scxRegExprIncorrectSpace", &scxRegExprIncorrectSpace},
  {"scxRegExprNotCompiled", &scxRegExprNotCompiled},
  {"scxRegExprIncorrectParameterQuantifier", &scxRegExprIncorrectParameterQuantifier},
  {"scxRegExprCantUseParameterQuantifier", &scxRegExprCantUseParameterQuantifier},
  {"scxMaskEditRegExprError", &scxMaskEditRegExprError},
  {"scxMaskEditInvalidEditValue", &scxMaskEditInvalidEditValue},
  {"scxMaskEditNoMask", &scxMaskEditNoMask},
  {"scxMaskEditIllegalFileFormat", &scxMaskEditIllegalFileFormat},
  {"scxMaskEditEmptyMaskCollectionFile", &scxMaskEditEmptyMaskCollectionFile},
  {"scxMaskEditMaskCollectionFiles", &scxMaskEditMaskCollectionFiles},
  {"cxSSpinEditInvalidNumericValue", &cxSSpinEditInvalidNumericValue},
};

constexpr char ProductName[] = "KitEditors Library";
const TUnit* const Uses[] = {&UnitdxCore};

void AddResStrings(TdxProductResourceStrings* product) { AddResStringEntries(product, Entries); }
}  // namespace

TUnit UnitcxEditConsts{"cxEditConsts", Uses, RegisterStringsProduct<ProductName, AddResStrings>,
                       UnregisterStringsProduct<ProductName>};
