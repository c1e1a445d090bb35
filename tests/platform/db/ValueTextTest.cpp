#include <gtest/gtest.h>

#include <QSqlField>

#include "platform/db/ValueText.h"

// The value shapes each driver hands over, taken from what QIBASE, QSQLITE and QODBC deliver with
// QSql::HighPrecision; the engines themselves are checked in QueryTest.
namespace {

QSqlField decimalField(int scale) {
  QSqlField field(QStringLiteral("totalp1"), QMetaType(QMetaType::Double));
  field.setPrecision(scale);
  return field;
}

QSqlField field(QMetaType::Type type) {
  return QSqlField(QStringLiteral("c"), QMetaType(type));
}

struct DecimalCase {
  const char* driverText;
  int scale;
  const char* shown;
};
void PrintTo(const DecimalCase& c, std::ostream* os) {
  *os << '"' << c.driverText << "\" scale " << c.scale;
}

class DbValueTextDecimal : public ::testing::TestWithParam<DecimalCase> {};

// QIBASE drops trailing zeros of a NUMERIC; the scale from the field puts them back.
TEST_P(DbValueTextDecimal, ShowsExactlyTheScalesDigits) {
  const DecimalCase& c = GetParam();
  EXPECT_EQ(valueText(QVariant(QString::fromUtf8(c.driverText)), decimalField(c.scale)), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(Cases, DbValueTextDecimal,
                         ::testing::Values(DecimalCase{"125", 1, "125.0"}, DecimalCase{"95", 1, "95.0"},
                                           DecimalCase{"125.0", 1, "125.0"}, DecimalCase{"-0.5", 1, "-0.5"},
                                           DecimalCase{"-3.5", 1, "-3.5"}, DecimalCase{"0", 1, "0.0"},
                                           DecimalCase{"-12", 1, "-12.0"}, DecimalCase{"1.05", 2, "1.05"},
                                           DecimalCase{"-12.3", 2, "-12.30"}, DecimalCase{"7", 2, "7.00"},
                                           DecimalCase{"-0.001", 3, "-0.001"}, DecimalCase{"1e-05", 5, "0.00001"},
                                           DecimalCase{"123456789012345.6", 1, "123456789012345.6"}));

TEST(DbValueText, NullIsEmptyWhateverItsType) {
  EXPECT_EQ(valueText(QVariant(QMetaType(QMetaType::QString)), field(QMetaType::QString)), QString());
  EXPECT_EQ(valueText(QVariant(QMetaType(QMetaType::QString)), decimalField(1)), QString());
  EXPECT_EQ(valueText(QVariant(QMetaType(QMetaType::Int)), field(QMetaType::Int)), QString());
  EXPECT_EQ(valueText(QVariant(QMetaType(QMetaType::Double)), field(QMetaType::Double)), QString());
  EXPECT_EQ(valueText(QVariant(), QSqlField()), QString());
}

TEST(DbValueText, IntegersArePlainDecimals) {
  EXPECT_EQ(valueText(QVariant(3), field(QMetaType::Int)), QStringLiteral("3"));
  EXPECT_EQ(valueText(QVariant(-7), field(QMetaType::Int)), QStringLiteral("-7"));
  EXPECT_EQ(valueText(QVariant(qlonglong(12345678901)), field(QMetaType::LongLong)), QStringLiteral("12345678901"));
  EXPECT_EQ(valueText(QVariant(0), field(QMetaType::Int)), QStringLiteral("0"));
}

// QSQLITE hands a REAL over as a double; SQLite itself prints it with 15 digits, always as a real.
TEST(DbValueText, RealsAsSqlitePrintsThem) {
  const QSqlField real = field(QMetaType::Double);
  EXPECT_EQ(valueText(QVariant(125.0), real), QStringLiteral("125.0"));
  EXPECT_EQ(valueText(QVariant(9.5), real), QStringLiteral("9.5"));
  EXPECT_EQ(valueText(QVariant(-0.5), real), QStringLiteral("-0.5"));
  EXPECT_EQ(valueText(QVariant(0.0), real), QStringLiteral("0.0"));
  EXPECT_EQ(valueText(QVariant(0.1), real), QStringLiteral("0.1"));
  EXPECT_EQ(valueText(QVariant(1.0 / 3.0), real), QStringLiteral("0.333333333333333"));
  EXPECT_EQ(valueText(QVariant(1e20), real), QStringLiteral("1.0e+20"));
}

TEST(DbValueText, TextIsUnchanged) {
  const QSqlField text = field(QMetaType::QString);
  for (const QString& value : {QStringLiteral("125"), QStringLiteral(" 9.5 "), QStringLiteral("ジャンプ　太郎"),
                               QStringLiteral("a'b\\c;d"), QStringLiteral("")}) {
    EXPECT_EQ(valueText(QVariant(value), text), value);
  }
}

}  // namespace
