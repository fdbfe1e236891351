#pragma once
// TGraphic: the abstract image of the picture model (bitmaps, icons, and the formats other units
// add). A graphic has a size, draws itself on a canvas, reads and writes its file format, and tells
// OnChange when it changes. Stored forms keep a graphic as its "Data" (ReadData/WriteData).
#include <string>
#include "classlib/Events.h"
#include "classlib/GraphicsUtils.h"
#include "classlib/Persistent.h"

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
  CL_CLASS(TGraphic, TPersistent)
public:
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetWidth(int value) = 0;
  virtual void SetHeight(int value) = 0;
  // Both dimensions with one change notification where the class can.
  virtual void SetSize(int width, int height);
  virtual bool Transparent() const { return FTransparent; }
  virtual void SetTransparent(bool value);
  bool Modified() const { return FModified; }
  void SetModified(bool value);

  // The graphic's file format, from the stream's position / into the stream at its position.
  virtual void LoadFromStream(TStream& stream) = 0;
  virtual void SaveToStream(TStream& stream) = 0;
  virtual void LoadFromFile(const std::string& fileName);
  virtual void SaveToFile(const std::string& fileName);
  // Same class and same saved form.
  virtual bool Equals(TGraphic* other);

  // The clipboard's side of the graphic. SupportsClipboardFormat tells the formats the graphic
  // reads; LoadFromClipboardFormat reads clipboard data (which stays the clipboard's; palette may be
  // nullptr); SaveToClipboardFormat makes new data for the clipboard to own. By default no format is
  // read (EInvalidGraphic) and nothing can be saved (EInvalidGraphicOperation).
  virtual bool SupportsClipboardFormat(UINT format) const;
  virtual void LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette);
  virtual void SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette);

  const TNotifyEvent& OnChange() const { return FOnChange; }
  void SetOnChange(const TNotifyEvent& value) { FOnChange = value; }

  void DefineProperties(TFiler& filer) override;

protected:
  friend class TCanvas;
  friend class TPicture;
  // Draws the graphic stretched into rect of the canvas (TCanvas::Draw and StretchDraw call it).
  virtual void Draw(TCanvas* canvas, const RECT& rect) = 0;
  // Sets Modified and fires OnChange.
  virtual void Changed(TObject* sender);
  // The stored-form data; the file format by default.
  virtual void ReadData(TStream& stream);
  virtual void WriteData(TStream& stream);

private:
  TNotifyEvent FOnChange;
  bool FTransparent = false;
  bool FModified = false;
};
