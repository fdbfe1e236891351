#include "classlib/Graphic.h"

#include <cstring>
#include "classlib/Streams.h"

CL_DEFINE_CLASS(TGraphic);

void TGraphic::SetSize(int width, int height)
{
  SetWidth(width);
  SetHeight(height);
}

void TGraphic::SetTransparent(bool value)
{
  SetAndNotify(FTransparent, value, [this] { Changed(this); });
}

void TGraphic::SetModified(bool value)
{
  if (value)
    Changed(this);
  else
    FModified = false;
}

void TGraphic::Changed(TObject*)
{
  FModified = true;
  if (FOnChange) FOnChange(this);
}

void TGraphic::LoadFromFile(const std::string& fileName)
{
  auto stream = MakeOwned<TFileStream>(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(*stream);
}

bool TGraphic::SupportsClipboardFormat(UINT format) const
{
  (void)format;
  return false;
}

void TGraphic::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette)
{
  (void)format;
  (void)data;
  (void)palette;
  throw EInvalidGraphic("Unsupported clipboard format");
}

void TGraphic::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette)
{
  (void)format;
  (void)data;
  (void)palette;
  throw EInvalidGraphicOperation("The graphic cannot be put on the clipboard");
}

void TGraphic::SaveToFile(const std::string& fileName)
{
  auto stream = MakeOwned<TFileStream>(fileName, fmCreate);
  SaveToStream(*stream);
}

bool TGraphic::Equals(TGraphic* other)
{
  if (!other || other->ClassType() != ClassType()) return false;
  if (other == this) return true;
  if (Empty() || other->Empty()) return Empty() && other->Empty();
  auto a = MakeOwned<TMemoryStream>();
  auto b = MakeOwned<TMemoryStream>();
  WriteData(*a);
  other->WriteData(*b);
  return a->Size() == b->Size() && std::memcmp(a->Memory(), b->Memory(), static_cast<size_t>(a->Size())) == 0;
}

void TGraphic::ReadData(TStream& stream) { LoadFromStream(stream); }

void TGraphic::WriteData(TStream& stream) { SaveToStream(stream); }

void TGraphic::DefineProperties(TFiler& filer)
{
  // Written when there is an image and it differs from the ancestor's.
  bool hasData = !Empty();
  if (auto* ancestor = dynamic_cast<TGraphic*>(filer.Ancestor())) hasData = !Equals(ancestor);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, hasData);
}
