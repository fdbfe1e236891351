#include "classlib/SQLTimeStamp.h"

#include <algorithm>
#include <memory>

namespace {

bool IsBlank(const TSQLTimeStamp& v)
{
  return v.Year == 0 && v.Month == 0 && v.Day == 0 && v.Hour == 0 && v.Minute == 0 && v.Second == 0 &&
         v.Fractions == 0;
}

class TSQLTimeStampVariantType final : public TCustomVariantType {
public:
  std::string Name() const override { return "SQLTimeStamp"; }

  Variant Make(const TSQLTimeStamp& value) const
  {
    SQLTimeStampToDateTime(value);  // the fields must make a date and a time
    return MakeValue(std::make_shared<const TSQLTimeStamp>(value));
  }
  const TSQLTimeStamp& Value(const Variant& v) const { return *static_cast<const TSQLTimeStamp*>(ValueData(v)); }
  Variant DateOf(const Variant& v) const { return VarFromDateTime(SQLTimeStampToDateTime(Value(v))); }

  Variant CastTo(const Variant& source, TVarType type) const override
  {
    Variant date = DateOf(source);
    if (type == varString || type == varOleStr) return Variant(DateTimeToStr(date.AsDateTime()));
    return date;
  }

  Variant CastFrom(const Variant& source) const override
  {
    TDateTime date = 0;
    try {
      date = source.AsDateTime();
    } catch (const EVariantTypeCastError&) {
      RaiseCastError(source);
    }
    return Make(DateTimeToSQLTimeStamp(date));
  }

  TVariantRelationship Compare(const Variant& left, const Variant& right) const override
  {
    // Empty compares as 0 here, as it does against a date.
    return VarCompareValue(DateOf(left), VarIsEmpty(right) ? Variant(0.0) : right);
  }
};

const TSQLTimeStampVariantType& TimeStampVariantType()
{
  static const TSQLTimeStampVariantType type;
  return type;
}

}  // namespace

TDateTime SQLTimeStampToDateTime(const TSQLTimeStamp& value)
{
  if (IsBlank(value)) return 0;
  TDateTime date = EncodeDate(value.Year, value.Month, value.Day);
  TDateTime time = EncodeTime(value.Hour, value.Minute, value.Second, static_cast<int>(std::min(value.Fractions, 1000u)));
  return ComposeDateTime(date, time);
}

TSQLTimeStamp DateTimeToSQLTimeStamp(TDateTime value)
{
  WORD year, month, day, hour, minute, second, msec;
  DecodeDateTime(value, year, month, day, hour, minute, second, msec);
  return {static_cast<int16_t>(year), month, day, hour, minute, second, msec};
}

TVarType VarSQLTimeStamp() { return TimeStampVariantType().VarType(); }
Variant VarSQLTimeStampCreate(const TSQLTimeStamp& value) { return TimeStampVariantType().Make(value); }
bool VarIsSQLTimeStamp(const Variant& v) { return v.VType() == VarSQLTimeStamp(); }
TSQLTimeStamp VarToSQLTimeStamp(const Variant& v) { return TimeStampVariantType().Value(VarAsType(v, VarSQLTimeStamp())); }
