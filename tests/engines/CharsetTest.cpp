// Japanese names and affiliations show as stored, from UTF-8 tables (Firebird UTF8, MariaDB utf8mb4,
// SQLite) and from Shift-JIS tables (Firebird SJIS_0208, MariaDB cp932): the layer asks every engine for
// its text in UTF-8 and the engine converts. SQLite keeps all text in UTF-8 and has no Shift-JIS case.
#include <tuple>

#include "platform/db/Query.h"
#include "refresh/RefreshFixture.h"

namespace {

using Param = std::tuple<Engine, TextCharset>;

class JapaneseText : public RefreshFixture<Param> {
 protected:
  TextCharset charset() const { return std::get<1>(GetParam()); }
  void SetUp() override { options.charset = charset(); }

  void entrant(const char* zek, int st1, const char* name, const char* namek, const char* syozoku) {
    jumper({{"zek", zek},
            {"class1", "A"},
            {"st1", st1},
            {"name", QString::fromUtf8(name)},
            {"namek", QString::fromUtf8(namek)},
            {"namee", "KASAI Noriaki"},
            {"syozoku", QString::fromUtf8(syozoku)},
            {"totalp1", "135.5"}});
  }
};

TEST_P(JapaneseText, NamesAndAffiliationsShowAsStored) {
  round("1");
  onHill(u"12"_s);
  entrant("12", 1, "葛西 紀明", "カサイ ノリアキ", "雪印メグミルク");
  entrant("13", 2, "伊東 大貴", "イトウ ダイキ", "北海道・札幌");
  show();

  EXPECT_EQ(text("eName"), u"葛西 紀明"_s);
  EXPECT_EQ(text("Enamek"), u"カサイ ノリアキ"_s);
  EXPECT_EQ(text("eSyoz"), u"雪印メグミルク"_s);
  EXPECT_EQ(text("Enamenx"), u"伊東 大貴"_s);
  EXPECT_EQ(text("Enameknx"), u"イトウ ダイキ"_s);
  EXPECT_EQ(text("Esyoznx"), u"北海道・札幌"_s);
  EXPECT_TRUE(noDialog());
}

// The tables really hold the character set under test: "葛西 紀明" is 13 bytes in UTF-8, 9 in Shift-JIS.
TEST_P(JapaneseText, TheTableStoresItsOwnCharacterSet) {
  jumper({{"zek", "12"}, {"name", u"葛西 紀明"_s}});
  Database db;
  board().db.configure(db);
  Query q{db};
  q.setSql({engine() == Engine::SQLite ? u"select length(cast(name as blob)) as bytes from race"_s
                                       : u"select octet_length(name) as bytes from race"_s});
  q.open();
  EXPECT_EQ(q.fieldText(u"bytes"_s), charset() == TextCharset::ShiftJis ? u"9"_s : u"13"_s);
}

// Every katakana of a name arrives whole: MariaDB Connector/ODBC 3.1 reports 4 bytes for the three
// characters of "ホーム", and a reader that trusts that length shows "土屋ホー".
TEST_P(JapaneseText, EveryKatakanaArrivesWhole) {
  round("1");
  onHill(u"12"_s);
  entrant("12", 1, "葛西 紀明", "カサイ ノリアキ", "土屋ホーム");
  show();
  EXPECT_EQ(text("eSyoz"), u"土屋ホーム"_s);
}

INSTANTIATE_TEST_SUITE_P(
    Engines, JapaneseText,
    ::testing::Values(Param{Engine::SQLite, TextCharset::Utf8}, Param{Engine::Firebird, TextCharset::Utf8},
                      Param{Engine::Firebird, TextCharset::ShiftJis}, Param{Engine::FirebirdServer, TextCharset::Utf8},
                      Param{Engine::FirebirdServer, TextCharset::ShiftJis}, Param{Engine::MariaDb, TextCharset::Utf8},
                      Param{Engine::MariaDb, TextCharset::ShiftJis}),
    [](const ::testing::TestParamInfo<Param>& p) {
      return std::string(engineName(std::get<0>(p.param))) +
             (std::get<1>(p.param) == TextCharset::Utf8 ? "_Utf8" : "_ShiftJis");
    });

}  // namespace
