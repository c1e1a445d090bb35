// Stored values that could break a statement or the board: a quote, a backslash, a semicolon, SQL in a
// bib, names of 2,000 and 5,000 characters, control characters and bytes that are no text at all. Every engine
// compares each value as text, and the board shows it as text (or as empty), without a failure.
#include <tuple>

#include "refresh/RefreshFixture.h"

namespace {

// Where a bad value sits: the bib, the competition code or the class are read back into statements;
// the name is only shown.
struct BadValue {
  const char* name;
  QString zek = u"21"_s;
  QString tcode = u"T1"_s;
  QString cls = u"A"_s;
  QString jumperName = u"Target"_s;
};
void PrintTo(const BadValue& c, std::ostream* os) {
  *os << c.name;
}

using Param = std::tuple<Engine, BadValue>;

class BadValues : public RefreshFixture<Param> {
 protected:
  const BadValue& value() const { return std::get<1>(GetParam()); }
  void SetUp() override {
    options.lengths = {{"race.name", 6000}, {"race.zek", 40}, {"newzek.nzek", 40}, {"race.class1", 40}};
  }
};

// The jumper on the hill (judged: his style points are in) carries the bad value; a rival of his class and competition
// is ahead of him, one of another class and one of another competition are further ahead and must not count. Were a
// value to end its literal early or widen a condition, he would show another row or another rank.
TEST_P(BadValues, AreComparedAndShownAsText) {
  const BadValue& v = value();
  round("1");
  onHill(v.zek, {}, v.tcode);
  jumper({{"tcode", v.tcode},
          {"zek", v.zek},
          {"class1", v.cls},
          {"name", v.jumperName},
          {"h1t", "55.0"},
          {"totalp1", "120.0"}});
  jumper({{"tcode", v.tcode}, {"zek", "12"}, {"class1", v.cls}, {"name", "Rival"}, {"totalp1", "130.0"}});
  jumper({{"tcode", v.tcode}, {"zek", "13"}, {"class1", "Other"}, {"name", "Other class"}, {"totalp1", "140.0"}});
  jumper({{"tcode", "T9"}, {"zek", v.zek}, {"class1", v.cls}, {"name", "Other competition"}, {"totalp1", "150.0"}});
  show();

  EXPECT_TRUE(noDialog()) << board().dialogs.shown.front().text.toStdString();
  EXPECT_FALSE(board().closed());
  EXPECT_EQ(text("eZek"), v.zek);
  EXPECT_EQ(text("eName"), v.jumperName);
  EXPECT_EQ(text("eTotal1"), u"120.0"_s);
  EXPECT_EQ(text("Erank1"), u"2"_s);

  show();  // and again: nothing of the value stays behind in a statement
  EXPECT_TRUE(noDialog());
  EXPECT_EQ(text("eName"), v.jumperName);
  EXPECT_EQ(text("Erank1"), u"2"_s);
}

const BadValue kCases[] = {
    {"QuoteInBib", u"2'1"_s},
    {"BackslashInBib", u"2\\1"_s},
    {"BackslashQuoteInBib", u"2\\'1"_s},
    {"SemicolonInBib", u"21;"_s},
    {"SqlInBib", u"x' or '1'='1"_s},
    {"CommentInBib", u"21'; --"_s},
    {"QuoteInCompetition", u"21"_s, u"T'1"_s},
    {"BackslashInCompetition", u"21"_s, u"T\\"_s},
    {"QuoteInClass", u"21"_s, u"T1"_s, u"A'"_s},
    {"BackslashInClass", u"21"_s, u"T1"_s, u"A\\"_s},
    {"SqlInClass", u"21"_s, u"T1"_s, u"A' or 'x'='x"_s},
    {"LongName", u"21"_s, u"T1"_s, u"A"_s, QString(2000, u'跳')},
    // Longer than one part of an ODBC read (2,047 UTF-16 units), with "𠮷" (two units) across the seam.
    {"NameOfManyParts", u"21"_s, u"T1"_s, u"A"_s, QString(2046, u'跳') + u"𠮷"_s + QString(3000, u'跳') + u"𠮷田"_s},
    {"TabAndNewLineInName", u"21"_s, u"T1"_s, u"A"_s, u"Ta\tr\r\nget"_s},
    {"ControlCharactersInName", u"21"_s, u"T1"_s, u"A"_s, u"\x01\x02\x1b[31m\x7f"_s},
    {"QuotesInName", u"21"_s, u"T1"_s, u"A"_s, u"O'Brien \"\\\" ;"_s},
};

INSTANTIATE_TEST_SUITE_P(Engines, BadValues,
                         ::testing::Combine(::testing::ValuesIn(testEngines()), ::testing::ValuesIn(kCases)),
                         engineCaseName<BadValue>);

// Bytes that are no UTF-8 (and no Shift-JIS), in columns of no character set: the board shows what the
// bytes decode to, with the replacement character for what they cannot, and nothing fails.
struct BadBytes {
  const char* name;
  QByteArray bytes;
};
void PrintTo(const BadBytes& c, std::ostream* os) {
  *os << c.name;
}
using BytesParam = std::tuple<Engine, BadBytes>;

class InvalidBytes : public RefreshFixture<BytesParam> {
 protected:
  void SetUp() override { options.bytes = {"race.name", "race.syozoku"}; }
};

TEST_P(InvalidBytes, ShowAsDecodedTextWithoutAFailure) {
  const QByteArray& bytes = std::get<1>(GetParam()).bytes;
  round("1");
  onHill(u"21"_s);
  Row row{{"zek", "21"}, {"class1", "A"}, {"h1t", "55.0"}, {"totalp1", "120.0"}};
  row.push_back(Col::bytes("name", bytes));
  row.push_back(Col::bytes("syozoku", bytes));
  jumper(row);
  show();

  EXPECT_TRUE(noDialog()) << board().dialogs.shown.front().text.toStdString();
  EXPECT_FALSE(board().closed());
  EXPECT_EQ(text("eName"), QString::fromUtf8(bytes));
  EXPECT_EQ(text("eSyoz"), QString::fromUtf8(bytes));
  EXPECT_EQ(text("eTotal1"), u"120.0"_s);
  EXPECT_EQ(text("Erank1"), u"1"_s);
}

const BadBytes kBytes[] = {
    {"NotUtf8", QByteArray("\xff\xfe"
                           "A",
                           3)},
    {"CutUtf8", QByteArray("\xe8\x91", 2)},
    {"ShiftJis", QByteArray("\x8a\x8b\x90\xbc", 4)},
    {"LoneShiftJisLead", QByteArray("A\x81", 2)},
};

INSTANTIATE_TEST_SUITE_P(Engines, InvalidBytes,
                         ::testing::Combine(::testing::ValuesIn(testEngines()), ::testing::ValuesIn(kBytes)),
                         engineCaseName<BadBytes>);

}  // namespace
