#pragma once
// The text form of component streams and its conversion to and from the binary form.
//
//   object Form1: TForm1
//     Caption = '文件' + #13#10 + 'x'
//     Font.Height = -11
//     Anchors = [akLeft, akTop]
//     Items.Strings = (
//       'one'
//       'two')
//     Data = {0A0B0C}
//     Columns = <
//       item
//         Width = 10
//       end>
//     object Button1: TButton
//     end
//   end
//
// Text forms are UTF-8; strings reach the program as ANSI (code page 936) text. The reader works
// on the binary form only: text is converted first, with a line map that lets the reader's errors
// name the line of the text.
#include <string>
#include <string_view>
#include "classlib/Filer.h"

// Converts a text form to the binary form. With lines given, notes the line of every part written.
// Syntax errors raise EParserError "Line N: ...".
void ObjectTextToBinary(std::string_view text, TStream& output, TLineMap* lines = nullptr);
void ObjectTextToBinary(TStream& input, TStream& output, TLineMap* lines = nullptr);
// Converts a binary form (from its signature) to the text form, UTF-8.
void ObjectBinaryToText(TStream& input, TStream& output);

// Reads a text form into instance, or into a new root owned by owner when instance is null.
TComponent* ReadComponentFromText(std::string_view text, TComponent* instance, TComponent* owner = nullptr);
// The text form of a component tree.
std::string ComponentToText(TComponent* root);
