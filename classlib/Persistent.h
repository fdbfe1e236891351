#pragma once
// TPersistent: objects that copy with Assign and store their published properties; TFiler is the
// side of a component stream that DefineProperties talks to.
#include <functional>
#include <string>
#include <string_view>
#include "classlib/Object.h"

class TReader;
class TWriter;
class TStream;
class TPersistent;

using TReaderProc = std::function<void(TReader& reader)>;
using TWriterProc = std::function<void(TWriter& writer)>;
using TStreamProc = std::function<void(TStream& stream)>;

// Extra stored properties beyond the published ones. A reader calls the read procedure of the
// property whose name it meets; a writer calls the write procedure when hasData is true.
class TFiler : public TObject {
  CL_CLASS(TFiler, TObject)
public:
  virtual void DefineProperty(std::string_view name, TReaderProc read, TWriterProc write, bool hasData) = 0;
  virtual void DefineBinaryProperty(std::string_view name, TStreamProc read, TStreamProc write,
                                    bool hasData) = 0;
  // While writing an inherited form: the ancestor instance to compare with (none here).
  TPersistent* Ancestor() const { return FAncestor; }
  void SetAncestor(TPersistent* ancestor) { FAncestor = ancestor; }

private:
  TPersistent* FAncestor = nullptr;
};

class TPersistent : public TObject {
  CL_CLASS(TPersistent, TObject)
public:
  // Copies from source through source->AssignTo(this); raises EConvertError
  // "Cannot assign a <source class> to a <this class>" when neither side knows the other.
  virtual void Assign(TPersistent* source);
  virtual std::string GetNamePath() const;
  virtual TPersistent* GetOwner() const { return nullptr; }
  // Declares the extra stored properties of the object.
  virtual void DefineProperties(TFiler& filer) { (void)filer; }

protected:
  virtual void AssignTo(TPersistent* dest);
  [[noreturn]] void AssignError(const TPersistent* source) const;
};
