#include "tests/toolkit/base/ReaderHarness.h"

#include <exception>
#include "classlib/ActnList.h"
#include "classlib/Bitmap.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Filer.h"
#include "classlib/ImageList.h"
#include "classlib/IniFiles.h"
#include "classlib/JPEG.h"
#include "classlib/Menus.h"
#include "classlib/ObjectText.h"
#include "classlib/RichEdit.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "tests/classlib/FormTestClasses.h"
#include "tests/toolkit/base/ImageFixtures.h"
#include "toolkit/base/cxGraphics.h"
#include "toolkit/base/cxImageList.h"
#include "toolkit/base/dxGDIPlusClasses.h"

CL_DEFINE_CLASS(TFuzzMain);

namespace {
// Opens a toolkit bitmap's stored-data reader to the harness.
class TOpenCxBitmap : public TcxBitmap {
public:
  using TcxBitmap::ReadData;
};

template <class T>
void LoadPicture(std::string_view bytes)
{
  auto image = MakeOwned<T>();
  auto stream = fixtures::StreamOf(std::string(bytes));
  image->LoadFromStream(*stream);
}

template <class TRoot>
void ReadForm(TOwned<TRoot> root, std::string_view bytes, bool binary)
{
  if (binary) {
    auto stream = fixtures::StreamOf(std::string(bytes));
    ReadComponentFromStream(*stream, root.get());
  } else {
    ReadComponentFromText(bytes, root.get());
  }
}

void Read(TReaderKind kind, std::string_view bytes)
{
  switch (kind) {
    case TReaderKind::ImageListData: {
      TOwned<TImageList> list(New<TImageList>(nullptr));
      auto stream = fixtures::StreamOf(std::string(bytes));
      list->ReadData(*stream);
      return;
    }
    case TReaderKind::FuzzForm:
    case TReaderKind::FuzzFormBinary:
      ReadForm(TOwned<TFuzzMain>(New<TFuzzMain>(nullptr, CreateNew)), bytes, kind == TReaderKind::FuzzFormBinary);
      return;
    case TReaderKind::TestForm:
    case TReaderKind::TestFormBinary:
      ReadForm(TOwned<TTestForm>(New<TTestForm>(nullptr)), bytes, kind == TReaderKind::TestFormBinary);
      return;
    case TReaderKind::GdipPng:
      LoadPicture<TdxPNGImage>(bytes);
      LoadPicture<TdxSmartImage>(bytes);
      LoadPicture<TdxGPImage>(bytes);
      return;
    case TReaderKind::Jpeg:
      LoadPicture<TJPEGImage>(bytes);
      return;
    case TReaderKind::Bitmap:
      LoadPicture<TBitmap>(bytes);
      return;
    case TReaderKind::CompressedBitmap: {
      auto bitmap = MakeOwned<TOpenCxBitmap>();
      auto stream = fixtures::StreamOf(std::string(bytes));
      bitmap->ReadData(*stream);
      return;
    }
    case TReaderKind::CxImageList:
      ReadForm(TOwned<TcxImageList>(New<TcxImageList>(nullptr)), bytes, true);
      return;
    case TReaderKind::IniText: {
      auto ini = MakeOwned<TMemIniFile>("");
      auto lines = MakeOwned<TStringList>();
      lines->SetText(bytes);
      ini->SetStrings(*lines);
      return;
    }
  }
}
}  // namespace

void RegisterReaderClasses()
{
  RegisterFormTestClasses();
  // This program starts no units of the class library's controls: their classes are registered here.
  const TClass classes[] = {TFuzzMain::StaticClass(), TPanel::StaticClass(),      TButton::StaticClass(),
                            TImageList::StaticClass(), TRichEdit::StaticClass(), TActionList::StaticClass(),
                            TAction::StaticClass(),   TTimer::StaticClass(),     TPopupMenu::StaticClass(),
                            TMenuItem::StaticClass()};
  RegisterClasses(classes);
}

TReadOutcome ReadWith(TReaderKind kind, std::string_view bytes)
{
  TReadOutcome outcome;
  try {
    Read(kind, bytes);
    outcome.Read = true;
  } catch (const Exception& e) {
    outcome.Refusal = std::string(e.ClassName()) + ": " + e.Message();
  } catch (const std::exception& e) {
    outcome.Fault = std::string("std::exception: ") + e.what();
  } catch (...) {
    outcome.Fault = "an unknown exception";
  }
  return outcome;
}

std::string ReaderFixture(const char* resourceName)
{
  HRSRC info = FindResourceA(nullptr, resourceName, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!info) return {};
  HGLOBAL data = LoadResource(nullptr, info);
  return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(nullptr, info));
}
