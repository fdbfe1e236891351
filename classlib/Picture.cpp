#include "classlib/Picture.h"

#include <algorithm>
#include <mutex>
#include <vector>
#include "classlib/Bitmap.h"
#include "classlib/Icon.h"
#include "classlib/JPEG.h"
#include "classlib/Streams.h"

CL_DEFINE_CLASS(TPicture);

// ---- File formats --------------------------------------------------------------------------------

namespace {
struct TFileFormat {
  std::string Extension;  // lower case, no dot
  std::string Description;
  TClass GraphicClass;
};

std::mutex GFormatsLock;
std::vector<TFileFormat>& Formats()
{
  static std::vector<TFileFormat> formats{{"bmp", "Bitmaps", TBitmap::StaticClass()},
                                          {"ico", "Icons", TIcon::StaticClass()},
                                          {"jpg", "JPEG Image File", TJPEGImage::StaticClass()},
                                          {"jpeg", "JPEG Image File", TJPEGImage::StaticClass()}};
  return formats;
}

std::string NormalExtension(std::string_view ext)
{
  if (!ext.empty() && ext.front() == '.') ext.remove_prefix(1);
  std::string s(ext);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

TOwned<TGraphic> NewGraphic(TClass graphicClass)
{
  if (!graphicClass || !graphicClass->InheritsFrom(TGraphic::StaticClass()) || !graphicClass->NewObject)
    throw EInvalidGraphic(std::string("Cannot make a graphic of class ") +
                          (graphicClass ? graphicClass->Name : "nil"));
  return TOwned<TGraphic>(static_cast<TGraphic*>(graphicClass->NewObject()));
}

// The class of a stored graphic, by name: a registered format's class, or any registered class that
// is a graphic.
TClass GraphicClassNamed(std::string_view name)
{
  {
    std::lock_guard lock(GFormatsLock);
    for (const TFileFormat& f : Formats())
      if (SameIdent(f.GraphicClass->Name, name)) return f.GraphicClass;
  }
  TClass c = GetClass(name);
  return c && c->InheritsFrom(TGraphic::StaticClass()) ? c : nullptr;
}
}  // namespace

void RegisterFileFormat(std::string_view extension, std::string_view description, TClass graphicClass)
{
  if (!graphicClass || !graphicClass->InheritsFrom(TGraphic::StaticClass()) || !graphicClass->NewObject)
    throw EInvalidGraphic("A file format needs a graphic class that can be made");
  std::string ext = NormalExtension(extension);
  if (ext.empty()) throw EInvalidGraphic("A file format needs an extension");
  std::lock_guard lock(GFormatsLock);
  auto& formats = Formats();
  formats.erase(std::remove_if(formats.begin(), formats.end(), [&](const TFileFormat& f) { return f.Extension == ext; }),
                formats.end());
  formats.push_back({ext, std::string(description), graphicClass});
}

void UnregisterFileFormat(TClass graphicClass)
{
  std::lock_guard lock(GFormatsLock);
  auto& formats = Formats();
  formats.erase(std::remove_if(formats.begin(), formats.end(),
                               [&](const TFileFormat& f) { return f.GraphicClass == graphicClass; }),
                formats.end());
}

TClass FileFormatClass(std::string_view extension)
{
  std::string ext = NormalExtension(extension);
  std::lock_guard lock(GFormatsLock);
  for (const TFileFormat& f : Formats())
    if (f.Extension == ext) return f.GraphicClass;
  return nullptr;
}

std::string GraphicFilter(TClass graphicClass)
{
  std::lock_guard lock(GFormatsLock);
  std::string all, each;
  for (const TFileFormat& f : Formats()) {
    if (!f.GraphicClass->InheritsFrom(graphicClass)) continue;
    std::string mask = "*." + f.Extension;
    all += (all.empty() ? "" : ";") + mask;
    each += "|" + f.Description + " (" + mask + ")|" + mask;
  }
  if (all.empty()) return {};
  return "All (" + all + ")|" + all + each;
}

// ---- TPicture ------------------------------------------------------------------------------------

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Replace(TOwned<TGraphic> graphic)
{
  if (graphic) graphic->SetOnChange(TNotifyEvent(this, &TPicture::Changed));
  TOwned<TGraphic> old = std::move(FGraphic);
  FGraphic = std::move(graphic);
  if (old) old->SetOnChange(nullptr);
  Changed(this);
}

void TPicture::Changed(TObject*)
{
  if (FOnChange) FOnChange(this);
}

void TPicture::SetGraphic(TGraphic* value)
{
  if (value == FGraphic.get()) return;
  TOwned<TGraphic> copy;
  if (value) {
    copy = NewGraphic(value->ClassType());
    copy->Assign(value);
  }
  Replace(std::move(copy));
}

TBitmap* TPicture::Bitmap()
{
  if (!dynamic_cast<TBitmap*>(FGraphic.get())) Replace(TOwned<TGraphic>(New<TBitmap>()));
  return static_cast<TBitmap*>(FGraphic.get());
}

TIcon* TPicture::Icon()
{
  if (!dynamic_cast<TIcon*>(FGraphic.get())) Replace(TOwned<TGraphic>(New<TIcon>()));
  return static_cast<TIcon*>(FGraphic.get());
}

int TPicture::Width() const { return FGraphic ? FGraphic->Width() : 0; }
int TPicture::Height() const { return FGraphic ? FGraphic->Height() : 0; }

void TPicture::LoadFromFile(const std::string& fileName)
{
  size_t dot = fileName.find_last_of('.');
  size_t slash = fileName.find_last_of("\\/");
  std::string ext = dot == std::string::npos || (slash != std::string::npos && dot < slash)
                        ? std::string()
                        : NormalExtension(fileName.substr(dot + 1));
  TClass graphicClass = FileFormatClass(ext);
  if (!graphicClass) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  TOwned<TGraphic> graphic = NewGraphic(graphicClass);
  graphic->LoadFromFile(fileName);
  Replace(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName)
{
  if (FGraphic) FGraphic->SaveToFile(fileName);
}

void TPicture::Assign(TPersistent* source)
{
  if (!source) {
    SetGraphic(nullptr);
  } else if (auto* picture = dynamic_cast<TPicture*>(source)) {
    if (picture != this) SetGraphic(picture->Graphic());
  } else if (auto* graphic = dynamic_cast<TGraphic*>(source)) {
    SetGraphic(graphic);
  } else {
    TPersistent::Assign(source);
  }
}

void TPicture::AssignTo(TPersistent* dest)
{
  // A picture goes into a graphic of its graphic's class (or a base class of it).
  if (FGraphic && dest && FGraphic->InheritsFrom(dest->ClassType())) {
    dest->Assign(FGraphic.get());
    return;
  }
  TPersistent::AssignTo(dest);
}

void TPicture::DefineProperties(TFiler& filer)
{
  bool hasData = FGraphic != nullptr;
  if (auto* ancestor = dynamic_cast<TPicture*>(filer.Ancestor())) {
    TGraphic* other = ancestor->Graphic();
    hasData = FGraphic ? !FGraphic->Equals(other) : other != nullptr;
  }
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, hasData);
}

void TPicture::ReadData(TStream& stream)
{
  uint8_t length = 0;
  if (stream.Read(&length, 1) != 1) {
    SetGraphic(nullptr);
    return;
  }
  std::string name(length, '\0');
  if (length) stream.ReadBuffer(name.data(), length);
  if (name.empty()) {
    SetGraphic(nullptr);
    return;
  }
  TClass graphicClass = GraphicClassNamed(name);
  if (!graphicClass) throw EInvalidGraphic("Unknown graphic class " + name);
  TOwned<TGraphic> graphic = NewGraphic(graphicClass);
  graphic->ReadData(stream);
  Replace(std::move(graphic));
}

void TPicture::WriteData(TStream& stream)
{
  std::string name = FGraphic ? FGraphic->ClassName() : "";
  uint8_t length = static_cast<uint8_t>(std::min<size_t>(name.size(), 255));
  stream.WriteBuffer(&length, 1);
  stream.WriteBuffer(name.data(), length);
  if (FGraphic) FGraphic->WriteData(stream);
}
