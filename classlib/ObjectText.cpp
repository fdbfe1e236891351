#include "classlib/ObjectText.h"

#include <charconv>
#include <cmath>
#include "classlib/Parser.h"
#include "classlib/Streams.h"

namespace {

std::string ReadAll(TStream& input)
{
  int64_t size = input.Size() - input.Position();
  std::string text(static_cast<size_t>(size > 0 ? size : 0), '\0');
  if (size > 0) input.ReadBuffer(text.data(), size);
  return text;
}

class TTextToBinary {
public:
  TTextToBinary(std::string_view text, TStream& output, TLineMap* lines)
      : FParser(text), FWriter(MakeOwned<TWriter>(output)), FLines(lines), FStart(output.Position())
  {
  }

  void Convert()
  {
    FWriter->WriteSignature();
    Object();
    if (FParser.Token() != TToken::toEOF)
      FParser.Error("End of file expected but " + FParser.TokenDescription() + " found");
  }

private:
  TStreamNesting Nest()
  {
    return TStreamNesting(FDepth, [this] { FParser.Error("Form nested too deeply"); });
  }

  void Mark()
  {
    if (FLines) FLines->Add(FWriter->Position() - FStart, FParser.SourceLine());
  }

  bool IsObjectStart() const
  {
    return FParser.IsSymbol("object") || FParser.IsSymbol("inherited") || FParser.IsSymbol("inline");
  }

  std::string Symbol()
  {
    FParser.CheckToken(TToken::toSymbol);
    std::string s = FParser.TokenString();
    FParser.NextToken();
    return s;
  }

  // A name with dots ("Font.Height", "Form1.Button1").
  std::string DottedSymbol()
  {
    std::string s = Symbol();
    while (FParser.IsChar('.')) {
      FParser.NextToken();
      s += "." + Symbol();
    }
    return s;
  }

  void WriteStr(const std::string& s)
  {
    if (s.size() > 255) FParser.Error("Name too long: " + s.substr(0, 40) + "...");
    FWriter->WriteStr(s);
  }

  void Object()
  {
    auto nesting = Nest();
    if (FParser.IsSymbol("inherited") || FParser.IsSymbol("inline"))
      FParser.Error("Inherited and inline forms are not supported: '" + FParser.TokenString() + "'");
    FParser.CheckSymbol("object");
    int line = FParser.SourceLine();
    Mark();
    FParser.NextToken();
    std::string name = Symbol();
    std::string className;
    if (FParser.IsChar(':')) {
      FParser.NextToken();
      className = Symbol();
    } else {
      className = std::exchange(name, std::string());
    }
    TFilerFlags flags;
    int position = 0;
    if (FParser.IsChar('[')) {
      FParser.NextToken();
      FParser.CheckToken(TToken::toInteger);
      if (FParser.TokenInt() < INT32_MIN || FParser.TokenInt() > INT32_MAX)
        FParser.Error("Invalid child position " + FParser.TokenString());
      position = static_cast<int>(FParser.TokenInt());
      flags.Include(TFilerFlag::ffChildPos);
      FParser.NextToken();
      FParser.CheckChar(']');
      FParser.NextToken();
    }
    FWriter->WritePrefix(flags, position);
    WriteStr(className);
    WriteStr(name);
    auto unterminated = [&] {
      FParser.ErrorAt(line, "Object " + (name.empty() ? className : name) +
                                " is not terminated: 'end' expected but end of file found");
    };
    while (!IsObjectStart() && !FParser.IsSymbol("end")) {
      if (FParser.Token() == TToken::toEOF) unterminated();
      Property();
    }
    FWriter->WriteListEnd();
    while (!FParser.IsSymbol("end")) {
      if (FParser.Token() == TToken::toEOF) unterminated();
      if (!IsObjectStart()) FParser.Error("'end' expected but " + FParser.TokenDescription() + " found");
      Object();
    }
    FWriter->WriteListEnd();
    FParser.NextToken();
  }

  void Property()
  {
    if (FParser.Token() != TToken::toSymbol)
      FParser.Error("Property name expected but " + FParser.TokenDescription() + " found");
    Mark();
    WriteStr(DottedSymbol());
    FParser.CheckChar('=');
    FParser.NextToken();
    Value();
  }

  void Value()
  {
    Mark();
    switch (FParser.Token()) {
      case TToken::toInteger:
        FWriter->WriteInteger(FParser.TokenInt());
        FParser.NextToken();
        return;
      case TToken::toFloat:
        switch (FParser.FloatType()) {
          case 's': FWriter->WriteSingle(static_cast<float>(FParser.TokenFloat())); break;
          case 'c': FWriter->WriteCurrency(FParser.TokenFloat()); break;
          case 'd': FWriter->WriteDate(FParser.TokenFloat()); break;
          default: FWriter->WriteFloat(FParser.TokenFloat());
        }
        FParser.NextToken();
        return;
      case TToken::toString: {
        std::wstring s = FParser.TokenWideString();
        FParser.NextToken();
        while (FParser.IsChar('+')) {
          FParser.NextToken();
          FParser.CheckToken(TToken::toString);
          s += FParser.TokenWideString();
          FParser.NextToken();
        }
        FWriter->WriteWideString(s);
        return;
      }
      case TToken::toSymbol: {
        std::string ident = DottedSymbol();
        if (ident.size() > 255) FParser.Error("Identifier too long: " + ident.substr(0, 40) + "...");
        FWriter->WriteIdent(ident);
        return;
      }
      case TToken::toChar:
        switch (FParser.TokenChar()) {
          case '[': SetValue(); return;
          case '(': ListValue(); return;
          case '{': FWriter->WriteBinary(FParser.ReadBinaryBlock()); return;
          case '<': CollectionValue(); return;
          default: break;
        }
        break;
      default:
        break;
    }
    FParser.Error("Property value expected but " + FParser.TokenDescription() + " found");
  }

  void SetValue()
  {
    FParser.NextToken();
    std::vector<std::string> names;
    if (!FParser.IsChar(']'))
      for (;;) {
        std::string name = Symbol();
        if (name.size() > 255) FParser.Error("Identifier too long: " + name.substr(0, 40) + "...");
        names.push_back(std::move(name));
        if (!FParser.IsChar(',')) break;
        FParser.NextToken();
      }
    FParser.CheckChar(']');
    FParser.NextToken();
    FWriter->WriteSet(names);
  }

  void ListValue()
  {
    auto nesting = Nest();
    int line = FParser.SourceLine();
    FParser.NextToken();
    FWriter->WriteListBegin();
    while (!FParser.IsChar(')')) {
      if (FParser.Token() == TToken::toEOF)
        FParser.ErrorAt(line, "List is not terminated: ')' expected but end of file found");
      // Null is stored as the byte that ends a list.
      if (FParser.IsSymbol("Null")) FParser.Error("Null cannot be an item of a list");
      Value();
    }
    FParser.NextToken();
    FWriter->WriteListEnd();
  }

  void CollectionValue()
  {
    auto nesting = Nest();
    int line = FParser.SourceLine();
    FParser.NextToken();
    FWriter->WriteValue(TValueType::vaCollection);
    while (!FParser.IsChar('>')) {
      if (FParser.Token() == TToken::toEOF)
        FParser.ErrorAt(line, "Collection is not terminated: '>' expected but end of file found");
      FParser.CheckSymbol("item");
      auto itemNesting = Nest();
      int itemLine = FParser.SourceLine();
      FParser.NextToken();
      if (FParser.IsChar('[')) {
        FParser.NextToken();
        FParser.CheckToken(TToken::toInteger);
        Mark();
        FWriter->WriteInteger(FParser.TokenInt());
        FParser.NextToken();
        FParser.CheckChar(']');
        FParser.NextToken();
      }
      FWriter->WriteListBegin();
      while (!FParser.IsSymbol("end")) {
        if (FParser.Token() == TToken::toEOF)
          FParser.ErrorAt(itemLine, "Collection item is not terminated: 'end' expected but end of file found");
        Property();
      }
      FParser.NextToken();
      FWriter->WriteListEnd();
    }
    FParser.NextToken();
    FWriter->WriteListEnd();
  }

  TParser FParser;
  TOwned<TWriter> FWriter;
  TLineMap* FLines;
  int64_t FStart;
  int FDepth = 0;
};

class TBinaryToText {
public:
  TBinaryToText(TStream& input, TStream& output) : FReader(MakeOwned<TReader>(input)), FOutput(output) {}

  void Convert()
  {
    FReader->ReadSignature();
    Object(0);
  }

private:
  void Out(std::string_view s) { FOutput.WriteBuffer(s.data(), static_cast<int64_t>(s.size())); }
  void NewLine(int indent)
  {
    Out("\r\n");
    Out(std::string(static_cast<size_t>(indent), ' '));
  }

  TStreamNesting Nest()
  {
    return TStreamNesting(FDepth, [this] { FReader->Error("Stream nested too deeply"); });
  }

  void Object(int indent)
  {
    auto nesting = Nest();
    TFilerFlags flags;
    int position;
    FReader->ReadPrefix(flags, position);
    std::string className = FReader->ReadStr();
    std::string name = FReader->ReadStr();
    Out(std::string(static_cast<size_t>(indent), ' '));
    Out(flags.Contains(TFilerFlag::ffInline) ? "inline " : flags.Contains(TFilerFlag::ffInherited) ? "inherited " : "object ");
    if (!name.empty()) Out(name + ": ");
    Out(className);
    if (flags.Contains(TFilerFlag::ffChildPos)) Out(" [" + std::to_string(position) + "]");
    Out("\r\n");
    while (!FReader->EndOfList()) Property(indent + 2);
    FReader->ReadListEnd();
    while (!FReader->EndOfList()) Object(indent + 2);
    FReader->ReadListEnd();
    Out(std::string(static_cast<size_t>(indent), ' ') + "end\r\n");
  }

  void Property(int indent)
  {
    Out(std::string(static_cast<size_t>(indent), ' '));
    Out(FReader->ReadStr());
    Out(" = ");
    Value(indent);
    Out("\r\n");
  }

  static std::string FloatText(double v, char suffix)
  {
    if (!std::isfinite(v)) throw EWriteError("A number in the stream has no text form");
    char buf[64];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    (void)ec;
    std::string s(buf, end);
    if (s.find_first_of(".e") == std::string::npos) s += ".0";
    if (suffix) s += suffix;
    return s;
  }

  // Printable text in quotes (UTF-8, quotes doubled), control characters as #n, long text in
  // pieces joined with '+' across lines.
  void StringValue(const std::wstring& s, int indent)
  {
    if (s.empty()) {
      Out("''");
      return;
    }
    bool quoted = false;
    size_t lineChars = 0;
    for (size_t i = 0; i < s.size(); ++i) {
      if (lineChars >= 64) {
        if (quoted) Out("'");
        quoted = false;
        Out(" +");
        NewLine(indent + 2);
        lineChars = 0;
      }
      wchar_t c = s[i];
      if (c < L' ' || c == 0x7F) {
        if (quoted) Out("'");
        quoted = false;
        Out("#" + std::to_string(static_cast<int>(c)));
      } else {
        if (!quoted) Out("'");
        quoted = true;
        if (c == L'\'') {
          Out("''");
        } else {
          size_t n = (c >= 0xD800 && c < 0xDC00 && i + 1 < s.size()) ? 2 : 1;
          Out(WideToUtf8(std::wstring_view(s).substr(i, n)));
          i += n - 1;
        }
      }
      ++lineChars;
    }
    if (quoted) Out("'");
  }

  void Value(int indent)
  {
    TValueType t = FReader->NextValue();
    switch (t) {
      case TValueType::vaList: {
        auto nesting = Nest();
        FReader->ReadValue();
        Out("(");
        while (!FReader->EndOfList()) {
          NewLine(indent + 2);
          Value(indent + 2);
        }
        FReader->ReadListEnd();
        Out(")");
        break;
      }
      case TValueType::vaInt8: case TValueType::vaInt16: case TValueType::vaInt32: case TValueType::vaInt64:
        Out(std::to_string(FReader->ReadInt64()));
        break;
      case TValueType::vaExtended: Out(FloatText(FReader->ReadFloat(), 0)); break;
      case TValueType::vaSingle: Out(FloatText(FReader->ReadFloat(), 's')); break;
      case TValueType::vaCurrency: Out(FloatText(FReader->ReadFloat(), 'c')); break;
      case TValueType::vaDate: Out(FloatText(FReader->ReadFloat(), 'd')); break;
      case TValueType::vaString: case TValueType::vaLString: case TValueType::vaWString:
      case TValueType::vaUTF8String:
        StringValue(FReader->ReadWideString(), indent);
        break;
      case TValueType::vaIdent: case TValueType::vaFalse: case TValueType::vaTrue: case TValueType::vaNil:
      case TValueType::vaNull:
        Out(FReader->ReadIdent());
        break;
      case TValueType::vaBinary: {
        static constexpr char Hex[] = "0123456789ABCDEF";
        std::vector<uint8_t> data = FReader->ReadBinary();
        Out("{");
        for (size_t i = 0; i < data.size(); ++i) {
          if (i % 32 == 0) NewLine(indent + 2);
          char pair[2] = {Hex[data[i] >> 4], Hex[data[i] & 15]};
          Out(std::string_view(pair, 2));
        }
        Out("}");
        break;
      }
      case TValueType::vaSet: {
        FReader->ReadValue();
        Out("[");
        bool first = true;
        for (const std::string& name : FReader->ReadSetNames()) {
          if (!first) Out(", ");
          first = false;
          Out(name);
        }
        Out("]");
        break;
      }
      case TValueType::vaCollection: {
        auto nesting = Nest();
        FReader->ReadValue();
        Out("<");
        while (!FReader->EndOfList()) {
          auto itemNesting = Nest();
          NewLine(indent + 2);
          Out("item");
          TValueType next = FReader->NextValue();
          if (next == TValueType::vaInt8 || next == TValueType::vaInt16 || next == TValueType::vaInt32 ||
              next == TValueType::vaInt64)
            Out(" [" + std::to_string(FReader->ReadInt64()) + "]");
          Out("\r\n");
          FReader->ReadListBegin();
          while (!FReader->EndOfList()) Property(indent + 4);
          FReader->ReadListEnd();
          Out(std::string(static_cast<size_t>(indent + 2), ' ') + "end");
        }
        FReader->ReadListEnd();
        Out(">");
        break;
      }
      default:
        FReader->ReadValue();  // raises for what no value starts with
        FReader->Error("Invalid stream format");
    }
  }

  TOwned<TReader> FReader;
  TStream& FOutput;
  int FDepth = 0;
};
}  // namespace

void ObjectTextToBinary(std::string_view text, TStream& output, TLineMap* lines)
{
  GuardReaderMemory("a text form", [&] { TTextToBinary(text, output, lines).Convert(); });
}

void ObjectTextToBinary(TStream& input, TStream& output, TLineMap* lines)
{
  std::string text = ReadAll(input);
  ObjectTextToBinary(text, output, lines);
}

void ObjectBinaryToText(TStream& input, TStream& output)
{
  GuardReaderMemory("a component stream", [&] { TBinaryToText(input, output).Convert(); });
}

TComponent* ReadComponentFromText(std::string_view text, TComponent* instance, TComponent* owner)
{
  auto binary = MakeOwned<TMemoryStream>();
  TLineMap lines;
  ObjectTextToBinary(text, *binary, &lines);
  binary->SetPosition(0);
  return ReadComponentFromStream(*binary, instance, owner, &lines);
}

std::string ComponentToText(TComponent* root)
{
  auto binary = MakeOwned<TMemoryStream>();
  WriteComponentToStream(*binary, root);
  binary->SetPosition(0);
  auto text = MakeOwned<TStringStream>();
  ObjectBinaryToText(*binary, *text);
  return text->DataString();
}
