#pragma once
// TPicture: holds one graphic of any class and loads files by their extension through a registry
// of file formats (extension, description, graphic class). "bmp" (TBitmap), "ico" (TIcon), "jpg" and
// "jpeg" (TJPEGImage) are registered from the start; other units register their classes.
#include <string>
#include <string_view>
#include "classlib/Graphic.h"

class TBitmap;
class TIcon;

class TPicture : public TPersistent {
  CL_CLASS(TPicture, TPersistent)
public:
  TPicture();
  ~TPicture() override;
  // From another picture or a graphic (a copy of it), or nullptr (no graphic).
  void Assign(TPersistent* source) override;

  // The graphic; nullptr when there is none.
  TGraphic* Graphic() const { return FGraphic.get(); }
  // A copy of value, of its class (nullptr removes the graphic).
  void SetGraphic(TGraphic* value);
  // The graphic as a bitmap / icon: any other graphic is replaced by a new empty one.
  TBitmap* Bitmap();
  TIcon* Icon();
  int Width() const;
  int Height() const;

  // Loads a file with the graphic class registered for its extension. Raises EInvalidGraphic
  // "Unknown picture file extension (.xyz)" when there is none; on failure the picture keeps its
  // graphic.
  void LoadFromFile(const std::string& fileName);
  void SaveToFile(const std::string& fileName);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }

  // Stored-form "Data": the graphic's class name (a length byte and the name), then its data.
  void DefineProperties(TFiler& filer) override;
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);

protected:
  void AssignTo(TPersistent* dest) override;
  virtual void Changed(TObject* sender);

private:
  void Replace(TOwned<TGraphic> graphic);

  TOwned<TGraphic> FGraphic;
  TNotifyEvent FOnChange;
};

// The file-format registry. Extensions are given without the dot and compared without case; the
// last registration of an extension wins. graphicClass must be a TGraphic class that can be made
// (raises EInvalidGraphic otherwise).
void RegisterFileFormat(std::string_view extension, std::string_view description, TClass graphicClass);
// Removes every format of the class.
void UnregisterFileFormat(TClass graphicClass);
// The class registered for an extension (with or without the dot); nullptr when none is.
TClass FileFormatClass(std::string_view extension);
// An open-dialog filter of the formats of graphicClass and its descendants:
// "All (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico".
std::string GraphicFilter(TClass graphicClass);
