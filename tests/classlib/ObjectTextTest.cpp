// The text form: tokens, syntax errors with their lines, and the conversion to the binary form
// and back.
#include <gtest/gtest.h>
#include "classlib/Filer.h"
#include "classlib/ObjectText.h"
#include "classlib/Parser.h"
#include "classlib/Streams.h"

namespace {

std::string Tokens(std::string_view text)
{
  TParser p(text);
  std::string out;
  for (; p.Token() != TToken::toEOF; p.NextToken()) {
    if (!out.empty()) out += ' ';
    out += std::to_string(p.SourceLine()) + ":";
    switch (p.Token()) {
      case TToken::toSymbol: out += "sym " + p.TokenString(); break;
      case TToken::toInteger: out += "int " + std::to_string(p.TokenInt()); break;
      case TToken::toFloat:
        out += "float " + std::to_string(p.TokenFloat()) + (p.FloatType() ? std::string(1, p.FloatType()) : "");
        break;
      case TToken::toString: out += "str [" + WideToAnsi(p.TokenWideString()) + "]"; break;
      case TToken::toChar: out += std::string("char ") + p.TokenChar(); break;
      default: break;
    }
  }
  return out;
}

TEST(ObjectText, TokenizerReadsEveryKindOfToken)
{
  struct {
    const char* Text;
    const char* Tokens;
  } cases[] = {
    {"object Form1: TForm1", "1:sym object 1:sym Form1 1:char : 1:sym TForm1"},
    {"a\n\n  b\r\n.c", "1:sym a 3:sym b 4:char . 4:sym c"},
    {"12 -7 $FF -$10 9223372036854775807", "1:int 12 1:int -7 1:int 255 1:int -16 1:int 9223372036854775807"},
    {"1.5 -2.5e3 1E-2 1.5s 3c 7.25d",
     "1:float 1.500000 1:float -2500.000000 1:float 0.010000 1:float 1.500000s 1:float 3.000000c "
     "1:float 7.250000d"},
    {"'it''s'#13#10'x' ''", "1:str [it's\r\nx] 1:str []"},
    {"#$41#20013'\xE6\x96\x87'", "1:str [A中文]"},
    {"[a, b] ( ) { } < > = +", "1:char [ 1:sym a 1:char , 1:sym b 1:char ] 1:char ( 1:char ) 1:char { 1:char } "
                              "1:char < 1:char > 1:char = 1:char +"},
    {"\xEF\xBB\xBFobject", "1:sym object"},
  };
  for (const auto& c : cases) EXPECT_EQ(Tokens(c.Text), c.Tokens) << c.Text;
}

TEST(ObjectText, SyntaxErrorsNameTheLineAndTheWord)
{
  struct {
    const char* Text;
    const char* Message;
  } cases[] = {
    {"object F: TX\n  Caption = 'abc\nend\n", "Line 2: Unterminated string 'abc"},
    {"object F: TX\n  Left = 12abc\nend\n", "Line 2: Invalid number 12abc"},
    {"object F: TX\n  Left = 99999999999999999999\nend\n", "Line 2: Invalid integer value 99999999999999999999"},
    {"object F: TX\n  S = #99999999\nend\n", "Line 2: Invalid character code in #99999999"},
    {"object F: TX\n  S = '\xFF'\nend\n", "Line 2: Invalid UTF-8 text in string"},
    {"object F: TX\n  Left 5\nend\n", "Line 2: '=' expected but 5 found"},
    {"object F: TX\n  Left = )\nend\n", "Line 2: Property value expected but ')' found"},
    {"object F: TX\n  = 5\nend\n", "Line 2: Property name expected but '=' found"},
    {"object F: TX\nend\nobject G: TY\nend\n", "Line 3: End of file expected but object found"},
    {"object F: TX\n  A = [a, 1]\nend\n", "Line 2: Identifier expected but 1 found"},
    {"object F: TX\n  A = 'x' +\nend\n", "Line 3: String expected but end found"},
    {"object F: TX\n  A = <\n    item\n      B = 1\n", "Line 3: Collection item is not terminated: 'end' "
                                                       "expected but end of file found"},
    {"object F: TX\n  A = <\n    thing\n  >\nend\n", "Line 3: 'item' expected but thing found"},
    {"object F: TX\n  A = {0102", "Line 2: Binary block is not terminated: '}' expected but end of file found"},
    {"object F: TX\n  A = {01\n  2}\nend\n", "Line 3: Invalid binary value '2}'"},
    {"object F: TX\n  object G: TY\n    A = 1\n", "Line 2: Object G is not terminated: 'end' expected but end of "
                                                 "file found"},
    {"objekt F: TX\nend\n", "Line 1: 'object' expected but objekt found"},
    {"object F: TX\n  A = (1\n    Null)\nend\n", "Line 3: Null cannot be an item of a list"},
    {"object F: TX [x]\nend\n", "Line 1: Integer expected but x found"},
  };
  for (const auto& c : cases) {
    auto out = MakeOwned<TMemoryStream>();
    try {
      ObjectTextToBinary(c.Text, *out);
      ADD_FAILURE() << "no error for " << c.Text;
    } catch (const EParserError& e) {
      EXPECT_EQ(e.Message(), c.Message) << c.Text;
    }
  }
}

std::string Canonical(std::string_view text)
{
  auto binary = MakeOwned<TMemoryStream>();
  ObjectTextToBinary(text, *binary);
  binary->SetPosition(0);
  auto out = MakeOwned<TStringStream>();
  ObjectBinaryToText(*binary, *out);
  return out->DataString();
}

TEST(ObjectText, ConvertsToBinaryAndBackToTheCanonicalText)
{
  std::string input =
      "object Form1 : TForm1\n"
      "  Ints = (0 -1 127 128 -32768 40000 -2147483648 4294967296 $7F)\n"
      "  Floats = (1.5 -0.25 1e20 1.5s 2.5c 44000.5d 7.0)\n"
      "  Strs = ('plain' 'it''s' #13#10 + 'tab'#9'x' '\xE4\xB8\xAD\xE6\x96\x87')\n"
      "  Long = 'abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyz'\n"
      "  Idents = (True False nil clRed Form1.Button1)\n"
      "  Nothing = Null\n"
      "  Sets = ([] [a,b ,  c])\n"
      "  Nested = ((1 (2)) ())\n"
      "  Data = {00 01 FE ff}\n"
      "  Items = <item A = 1 end item [3] B.C = 'x' end item end>\n"
      "  object TUnnamed [2]\n"
      "  end\n"
      "end";
  EXPECT_EQ(Canonical(input),
            "object Form1: TForm1\r\n"
            "  Ints = (\r\n"
            "    0\r\n"
            "    -1\r\n"
            "    127\r\n"
            "    128\r\n"
            "    -32768\r\n"
            "    40000\r\n"
            "    -2147483648\r\n"
            "    4294967296\r\n"
            "    127)\r\n"
            "  Floats = (\r\n"
            "    1.5\r\n"
            "    -0.25\r\n"
            "    1e+20\r\n"
            "    1.5s\r\n"
            "    2.5c\r\n"
            "    44000.5d\r\n"
            "    7.0)\r\n"
            "  Strs = (\r\n"
            "    'plain'\r\n"
            "    'it''s'\r\n"
            "    #13#10'tab'#9'x'\r\n"
            "    '\xE4\xB8\xAD\xE6\x96\x87')\r\n"
            "  Long = 'abcdefghijklmnopqrstuvwxyzabcdefghijklmnopqrstuvwxyzabcdefghijkl' +\r\n"
            "    'mnopqrstuvwxyz'\r\n"
            "  Idents = (\r\n"
            "    True\r\n"
            "    False\r\n"
            "    nil\r\n"
            "    clRed\r\n"
            "    Form1.Button1)\r\n"
            "  Nothing = Null\r\n"
            "  Sets = (\r\n"
            "    []\r\n"
            "    [a, b, c])\r\n"
            "  Nested = (\r\n"
            "    (\r\n"
            "      1\r\n"
            "      (\r\n"
            "        2))\r\n"
            "    ())\r\n"
            "  Data = {\r\n"
            "    0001FEFF}\r\n"
            "  Items = <\r\n"
            "    item\r\n"
            "      A = 1\r\n"
            "    end\r\n"
            "    item [3]\r\n"
            "      B.C = 'x'\r\n"
            "    end\r\n"
            "    item\r\n"
            "    end>\r\n"
            "  object TUnnamed [2]\r\n"
            "  end\r\n"
            "end\r\n");
}

TEST(ObjectText, ValuesTakeTheirKindInTheBinaryForm)
{
  struct {
    const char* Value;
    TValueType Type;
  } cases[] = {
    {"5", TValueType::vaInt8},         {"300", TValueType::vaInt16},     {"70000", TValueType::vaInt32},
    {"$100000000", TValueType::vaInt64}, {"1.5", TValueType::vaExtended}, {"1.5s", TValueType::vaSingle},
    {"1.5c", TValueType::vaCurrency},  {"1.5d", TValueType::vaDate},     {"'abc'", TValueType::vaString},
    {"'\xE4\xB8\xAD'", TValueType::vaWString}, {"True", TValueType::vaTrue}, {"false", TValueType::vaFalse},
    {"nil", TValueType::vaNil},        {"x", TValueType::vaIdent},       {"[x]", TValueType::vaSet},
    {"(1)", TValueType::vaList},       {"{00}", TValueType::vaBinary},   {"<>", TValueType::vaCollection},
  };
  for (const auto& c : cases) {
    auto binary = MakeOwned<TMemoryStream>();
    ObjectTextToBinary("object F: TX\n  P = " + std::string(c.Value) + "\nend\n", *binary);
    binary->SetPosition(0);
    auto reader = MakeOwned<TReader>(*binary);
    reader->ReadSignature();
    reader->ReadStr();
    reader->ReadStr();
    EXPECT_EQ(reader->ReadStr(), "P");
    EXPECT_EQ(reader->NextValue(), c.Type) << c.Value;
  }
  // A string of more than 255 bytes is a long string.
  auto binary = MakeOwned<TMemoryStream>();
  ObjectTextToBinary("object F: TX\n  P = '" + std::string(300, 'a') + "'\nend\n", *binary);
  binary->SetPosition(0);
  auto reader = MakeOwned<TReader>(*binary);
  reader->ReadSignature();
  reader->ReadStr();
  reader->ReadStr();
  reader->ReadStr();
  EXPECT_EQ(reader->NextValue(), TValueType::vaLString);
  EXPECT_EQ(reader->ReadString(), std::string(300, 'a'));
}

TEST(ObjectText, Utf8TextBecomesAnsiTextInTheProgram)
{
  auto binary = MakeOwned<TMemoryStream>();
  ObjectTextToBinary("object F: TX\n  P = '\xE6\x96\x87\xE4\xBB\xB6' + #26816#32034\nend\n", *binary);
  binary->SetPosition(0);
  auto reader = MakeOwned<TReader>(*binary);
  reader->ReadSignature();
  reader->ReadStr();
  reader->ReadStr();
  reader->ReadStr();
  EXPECT_EQ(reader->ReadString(), "文件检索");  // code page 936 bytes, as the compiler made them
  // And the writer's ANSI text comes back as UTF-8 text.
  auto out = MakeOwned<TMemoryStream>();
  auto writer = MakeOwned<TWriter>(*out);
  writer->WriteSignature();
  writer->WriteStr("TX");
  writer->WriteStr("F");
  writer->WriteStr("P");
  writer->WriteString("文件");
  writer->WriteListEnd();
  writer->WriteListEnd();
  out->SetPosition(0);
  auto text = MakeOwned<TStringStream>();
  ObjectBinaryToText(*out, *text);
  EXPECT_EQ(text->DataString(), "object F: TX\r\n  P = '\xE6\x96\x87\xE4\xBB\xB6'\r\nend\r\n");
}

TEST(ObjectText, LineMapFindsTheLineOfAnOffset)
{
  TLineMap map;
  EXPECT_EQ(map.LineAt(10), 0);
  map.Add(4, 1);
  map.Add(20, 3);
  map.Add(20, 4);  // the same offset again: the later line wins
  map.Add(35, 6);
  EXPECT_EQ(map.LineAt(0), 0);
  EXPECT_EQ(map.LineAt(4), 1);
  EXPECT_EQ(map.LineAt(19), 1);
  EXPECT_EQ(map.LineAt(20), 4);
  EXPECT_EQ(map.LineAt(1000), 6);
}

}  // namespace
