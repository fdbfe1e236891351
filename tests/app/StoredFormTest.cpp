// The main window's stored form written back: the writer keeps every object (the non-visual
// components as well as the controls) and what it writes reads back to the same tree.
#include <gtest/gtest.h>
#include "app/Umain.h"
#include "classlib/Application.h"
#include "tests/support/FormTree.h"

TEST(MainForm, WrittenBackItReadsToTheSameTree)
{
  const std::string stored = ResourceText("TFRMAIN");
  ASSERT_EQ(FormTree(stored).size(), 38u);
  TFrmain* form = New<TFrmain>(Application);
  // The image list's data differs: the window adds its glyphs to the list on every load.
  ExpectFormRoundTrip(form, stored, TRoundTrip::TextWithoutBinaryData);
  Free(form);
}
