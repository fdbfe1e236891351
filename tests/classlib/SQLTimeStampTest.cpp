// SQL time stamps: fields to and from date-times, and the variant kind that holds them (registered
// at run time) converting and comparing as its date-time.
#include <gtest/gtest.h>
#include "tests/support/TestHelpers.h"
#include <string>
#include "classlib/DateTime.h"
#include "classlib/FMTBcd.h"
#include "classlib/SQLTimeStamp.h"
#include "classlib/Variant.h"

namespace {

using SQLTimeStampTest = FixedNumberFormatTest;

bool SameFields(const TSQLTimeStamp& a, const TSQLTimeStamp& b)
{
  return a.Year == b.Year && a.Month == b.Month && a.Day == b.Day && a.Hour == b.Hour && a.Minute == b.Minute &&
         a.Second == b.Second && a.Fractions == b.Fractions;
}

TEST_F(SQLTimeStampTest, FieldsAndDateTimes)
{
  const TSQLTimeStamp stamps[] = {
      {2024, 2, 29, 23, 59, 58, 999},
      {1, 1, 1, 0, 0, 0, 0},
      {1899, 12, 29, 12, 0, 0, 0},  // before day 0: the time still counts forward
      {9999, 12, 31, 23, 59, 59, 999},
  };
  for (const TSQLTimeStamp& s : stamps) {
    TDateTime date = SQLTimeStampToDateTime(s);
    EXPECT_TRUE(SameFields(DateTimeToSQLTimeStamp(date), s)) << s.Year;
  }
  EXPECT_EQ(SQLTimeStampToDateTime({1899, 12, 29, 12, 0, 0, 0}), -1.5);
  EXPECT_EQ(SQLTimeStampToDateTime(TSQLTimeStamp()), 0);  // the blank time stamp

  struct TBad {
    TSQLTimeStamp Stamp;
    const char* Message;
  };
  const TBad bad[] = {
      {{2023, 2, 29, 0, 0, 0, 0}, "Invalid argument to date encode"},
      {{2023, 13, 1, 0, 0, 0, 0}, "Invalid argument to date encode"},
      {{-5, 1, 1, 0, 0, 0, 0}, "Invalid argument to date encode"},
      {{2023, 1, 1, 24, 0, 0, 0}, "Invalid argument to time encode"},
      {{2023, 1, 1, 0, 0, 0, 1000}, "Invalid argument to time encode"},
      {{2023, 1, 1, 0, 0, 0, 0xFFFFFFFF}, "Invalid argument to time encode"},
  };
  for (const TBad& b : bad) {
    EXPECT_EQ(MessageOf<EConvertError>([&] { SQLTimeStampToDateTime(b.Stamp); }), b.Message);
    EXPECT_THROW(VarSQLTimeStampCreate(b.Stamp), EConvertError);
  }
  EXPECT_THROW(DateTimeToSQLTimeStamp(-700000), EConvertError);
}

TEST_F(SQLTimeStampTest, VariantKindActsAsItsDateTime)
{
  const TSQLTimeStamp stamp{2024, 3, 5, 6, 30, 0, 0};
  const TDateTime date = SQLTimeStampToDateTime(stamp);
  Variant v = VarSQLTimeStampCreate(stamp);
  EXPECT_TRUE(VarIsSQLTimeStamp(v));
  EXPECT_NE(VarSQLTimeStamp(), VarFMTBcd());
  EXPECT_EQ(VarTypeAsText(VarSQLTimeStamp()), "SQLTimeStamp");

  EXPECT_EQ(v.AsDateTime(), date);
  EXPECT_EQ(v.AsDouble(), date);
  EXPECT_EQ(v.AsString(), DateTimeToStr(date));
  EXPECT_EQ(VarType(VarAsType(v, varDate)), varDate);
  EXPECT_EQ(v.AsInteger(), 45356);
  EXPECT_EQ(BcdToStr(VarToBcd(v)), "45356.2708333333");  // a day number, through 15 digits

  EXPECT_TRUE(SameFields(VarToSQLTimeStamp(VarFromDateTime(date)), stamp));
  EXPECT_TRUE(SameFields(VarToSQLTimeStamp(Variant(DateTimeToStr(date))), stamp));
  EXPECT_TRUE(SameFields(VarToSQLTimeStamp(Variant()), DateTimeToSQLTimeStamp(0)));
  EXPECT_EQ(MessageOf<EVariantTypeCastError>([] { VarToSQLTimeStamp(Variant("x")); }),
            "Could not convert variant of type (String) into type (SQLTimeStamp)");
  EXPECT_THROW(VarToSQLTimeStamp(Null()), EVariantTypeCastError);
  EXPECT_THROW(VarToSQLTimeStamp(Variant(1e9)), EVariantOverflowError);
}

TEST_F(SQLTimeStampTest, VariantComparisonAcrossKinds)
{
  using enum TVariantRelationship;
  const TSQLTimeStamp stamp{2024, 3, 5, 6, 30, 0, 0};
  const TDateTime date = SQLTimeStampToDateTime(stamp);
  Variant v = VarSQLTimeStampCreate(stamp);
  struct TCase {
    Variant Other;
    TVariantRelationship Expected;  // v against Other
  };
  const TCase cases[] = {
      {VarFromDateTime(date), vrEqual},
      {VarFromDateTime(date + 1), vrLessThan},
      {Variant(date - 0.5), vrGreaterThan},
      {Variant(DateTimeToStr(date)), vrEqual},  // text against a date is read as a date
      {VarSQLTimeStampCreate({2024, 3, 5, 6, 30, 0, 1}), vrLessThan},
      {VarFMTBcdCreate(StrToBcd("45356")), vrGreaterThan},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(VarCompareValue(v, c.Other), c.Expected) << VarToStr(c.Other);
    EXPECT_EQ(VarCompareValue(c.Other, v) == vrEqual, c.Expected == vrEqual) << VarToStr(c.Other);
    EXPECT_EQ(c.Other < v, c.Expected == vrGreaterThan) << VarToStr(c.Other);
  }
  EXPECT_TRUE(v > Variant());
  EXPECT_TRUE(Null() < v);
  EXPECT_THROW((void)(v == Variant("x")), EVariantTypeCastError);
}

}  // namespace
