#pragma once
// A defaults provider for edit properties whose answers the tests set.
#include <string>
#include <vector>
#include "toolkit/editors/cxEditProperties.h"

// A provider whose answers the tests set.
class TStubProvider : public TObject, public IcxEditDefaultValuesProvider {
  CL_CLASS(TStubProvider, TObject)
public:
  bool AllowsEditMode() override { return EditMode; }
  void DetachFromProperties() override {}
  TAlignment ProvidedAlignment() override { return Alignment; }
  int ProvidedBlobKind() override { return 3; }
  bool ProvidedCanModify() override { return CanModify; }
  std::string ProvidedDisplayFormat() override { return DisplayFormatText; }
  std::string ProvidedEditFormat() override { return EditFormatText; }
  std::string ProvidedEditMask() override { return {}; }
  bool ProvidedIsFloat() override { return false; }
  int ProvidedMaxLength() override { return MaxLength; }
  double ProvidedMaxValue() override { return MaxValue; }
  double ProvidedMinValue() override { return MinValue; }
  int ProvidedPrecision() override { return Precision; }
  bool ProvidedReadOnly() override { return ReadOnly; }
  bool ProvidedRequired() override { return false; }
  TObject* ImplementingObject() override { return this; }
  bool IsStorageBacked() override { return false; }
  bool HoldsBlobData() override { return false; }
  bool HoldsCurrencyData() override { return Currency; }
  bool HasDataAvailable() override { return true; }
  bool DefinesDisplayFormat(bool AcceptsCurrency) override
  {
    DisplayFormatAsked.push_back(AcceptsCurrency);
    return DisplayFormat;
  }
  bool HasGetTextHandler() override { return GetTextHandler; }
  bool HasSetTextHandler() override { return false; }
  bool AcceptsChar(char) override { return AcceptsChars; }

  bool EditMode = true, CanModify = true, ReadOnly = false, DisplayFormat = true;
  TAlignment Alignment = taRightJustify;
  double MaxValue = 0, MinValue = 0;
  std::string DisplayFormatText, EditFormatText;
  int MaxLength = 0, Precision = 15;
  bool Currency = false, GetTextHandler = false, AcceptsChars = true;
  std::vector<bool> DisplayFormatAsked;
};
