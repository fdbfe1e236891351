#pragma once
// Stored forms compared as trees, and the round trip of a form through the writer.
#include <gtest/gtest.h>
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>
#include "classlib/ObjectText.h"
#include "classlib/Win.h"

// The component tree of a text form: one entry "Parent/Child: TClass" per object (the path of
// names from the root), sorted, so that two forms with the same objects in the same places compare
// equal whatever the order of siblings.
inline std::vector<std::string> FormTree(std::string_view text)
{
  std::vector<std::string> tree, path;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    const size_t indent = line.find_first_not_of(' ');
    if (indent == std::string_view::npos || !line.substr(indent).starts_with("object ")) continue;
    std::string_view header = line.substr(indent + 7);
    if (header.ends_with('\r')) header.remove_suffix(1);
    path.resize(std::min(path.size(), indent / 2));
    const std::string name(header.substr(0, header.find(':')));
    std::string full;
    for (const std::string& p : path) full += p + "/";
    tree.push_back(full + std::string(header));
    path.push_back(name);
  }
  std::sort(tree.begin(), tree.end());
  return tree;
}

// The text of an RCDATA resource of the running program ("" when there is none).
inline std::string ResourceText(const char* name)
{
  HRSRC info = FindResourceA(nullptr, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!info) return {};
  HGLOBAL data = LoadResource(nullptr, info);
  return std::string(static_cast<const char*>(LockResource(data)), SizeofResource(nullptr, info));
}

// The text without its binary blocks ("Name = {...}").
inline std::string WithoutBinaryData(std::string text)
{
  for (size_t open; (open = text.find("= {")) != std::string::npos;)
    text.erase(open + 2, text.find('}', open) - open - 1);
  return text;
}

// How much of a form must come back the same from a round trip through the writer.
enum class TRoundTrip { WholeText, TextWithoutBinaryData, Tree };

// A form read from its stored form, written: it has the stored form's tree. Emptied of its
// components and read from what was written, it has that tree again and (as check asks) writes the
// same text again.
inline void ExpectFormRoundTrip(TComponent* form, std::string_view stored, TRoundTrip check = TRoundTrip::WholeText)
{
  const std::string written = ComponentToText(form);
  EXPECT_EQ(FormTree(written), FormTree(stored)) << written;
  form->DestroyComponents();
  ASSERT_NO_THROW(ReadComponentFromText(written, form)) << written;
  const std::string again = ComponentToText(form);
  EXPECT_EQ(FormTree(again), FormTree(stored));
  if (check == TRoundTrip::WholeText) {
    EXPECT_EQ(again, written);
  } else if (check == TRoundTrip::TextWithoutBinaryData) {
    EXPECT_EQ(WithoutBinaryData(again), WithoutBinaryData(written));
  }
}
