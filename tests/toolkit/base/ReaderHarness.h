#pragma once
// The readers of outside bytes, each behind one call, for the fixture table and the runs of mutated
// inputs: what a reader makes of some bytes is a read, a clean refusal (a class-library exception),
// or a fault of the test (any other exception escaping).
#include <string>
#include <string_view>
#include "classlib/Forms.h"

enum class TReaderKind {
  ImageListData,   // a TImageList's stored "Bitmap" data
  FuzzForm,        // a text form of a TFuzzMain (a plain form with controls and non-visual components)
  FuzzFormBinary,  // the same in the binary form
  TestForm,        // a text form of the component stream tests' TTestForm
  TestFormBinary,
  GdipPng,         // a GDI+ picture through TdxPNGImage, TdxSmartImage and TdxGPImage
  Jpeg,            // the class library's JPEG picture
  Bitmap,          // the class library's bitmap file reader
  CompressedBitmap,  // a toolkit bitmap's stored data (compressed "XDBM" or plain)
  CxImageList,     // a TcxImageList in the binary form
  IniText,         // TMemIniFile text
};

struct TReadOutcome {
  bool Read = false;
  std::string Refusal;  // the class and message of the class-library exception that refused it
  std::string Fault;    // a non-class-library exception that escaped: a fault
};

// The form class of the fuzzing fixtures: a plain form, read from what it is given.
class TFuzzMain : public TForm {
  CL_CLASS(TFuzzMain, TForm)
public:
  using TForm::TForm;
};

// Registers the classes the readers' streams name (idempotent).
void RegisterReaderClasses();
// Reads bytes with one reader and frees what it made.
TReadOutcome ReadWith(TReaderKind kind, std::string_view bytes);
// The bytes of an RCDATA resource of the test program.
std::string ReaderFixture(const char* resourceName);
