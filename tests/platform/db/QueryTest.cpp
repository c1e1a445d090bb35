#include <gtest/gtest.h>

#include "platform/db/Database.h"
#include "platform/db/DatabaseError.h"
#include "platform/db/Query.h"
#include "support/CompetitionSchema.h"
#include "support/EngineDb.h"

// Queries on the board's connection, run on every engine the fixture offers.
namespace {

class DbQuery : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override { db.configure(board); }

  // Runs a statement given as lines and returns the open query.
  Query& open(std::initializer_list<QString> lines) {
    query.setSql(lines);
    query.open();
    return query;
  }
  Query& open(const QString& line) { return open({line}); }

  void addRacer(const char* zek, const char* totalp1, const char* name = "") {
    schema.insert("race", {{"tcode", "T1"}, {"zek", zek}, {"totalp1", totalp1}, {"name", name}});
  }

  EngineDb db{GetParam()};
  CompetitionSchema schema{db};
  Database board;
  Query query{board};
};

QString s(const char* utf8) {
  return QString::fromUtf8(utf8);
}

// --- names -------------------------------------------------------------------------------------------

TEST_P(DbQuery, TableAndColumnNamesAreCaseBlind) {
  addRacer("12", "125.0", "Sato");
  const QStringList statements = {s("select ZEK, NAME from RACE where TCODE='T1'"),
                                  s("select zek, name from race where tcode='T1'"),
                                  s("select Zek, Name from Race where tCode='T1'"), s("select * from race")};
  for (const QString& statement : statements) {
    SCOPED_TRACE(statement.toStdString());
    Query& q = open(statement);
    for (const char* column : {"zek", "ZEK", "Zek"}) EXPECT_EQ(q.fieldText(s(column)), s("12"));
    for (const char* column : {"name", "NAME"}) EXPECT_EQ(q.fieldText(s(column)), s("Sato"));
  }
}

TEST_P(DbQuery, ColumnAliasesAreReadByName) {
  schema.insert("judgea", {{"ap", "18.5"}, {"tp", "55.5"}});
  schema.insert("judgeb", {{"ap", "17.0"}, {"tp", "54.0"}});
  Query& q = open({s("select a.ap as aap, b.ap as bap, a.tp as atp"), s("from judgea a, judgeb b")});
  EXPECT_EQ(q.fieldText(s("aap")), s("18.5"));
  EXPECT_EQ(q.fieldText(s("BAP")), s("17.0"));
  EXPECT_EQ(q.fieldText(s("atp")), s("55.5"));
}

// --- values as text ----------------------------------------------------------------------------------

TEST_P(DbQuery, NullReadsEmpty) {
  schema.insert("race", {{"tcode", "T1"}, {"zek", "7"}, {"name", std::nullopt}, {"totalp1", std::nullopt}});
  Query& q = open(s("select zek, name, totalp1, st1, class1 from race"));
  EXPECT_EQ(q.fieldText(s("zek")), s("7"));
  for (const char* column : {"name", "totalp1", "st1", "class1"}) {
    EXPECT_EQ(q.fieldText(s(column)), QString()) << column;
  }
  EXPECT_EQ(q.fieldInt(s("st1")), 0);
}

TEST_P(DbQuery, EmptyResultReadsEmptyInEveryColumnItHas) {
  addRacer("12", "125.0", "Sato");
  Query& q = open(s("select * from race where zek='99'"));
  EXPECT_EQ(q.recordCount(), 0);
  EXPECT_TRUE(q.eof());
  for (const QString& column : CompetitionSchema::columns(s("race")))
    EXPECT_EQ(q.fieldText(column), QString()) << column.toStdString();
  EXPECT_EQ(q.fieldInt(s("st1")), 0);
  EXPECT_THROW(q.fieldText(s("nosuch")), DatabaseError);
}

// A number reads as the engine prints it: the same text as its own cast to text.
TEST_P(DbQuery, FiguresReadAsTheEnginePrintsThem) {
  const char* figures[] = {"125.0", "95.0", "-3.5", "0.0", "-0.5", "9.5", "100.5", "3.0"};
  int zek = 0;
  for (const char* figure : figures) addRacer(QByteArray::number(++zek).constData(), figure);
  Query& q = open({s("select zek, totalp1, cast(totalp1 as varchar(20)) as printed"), s("from race")});
  ASSERT_EQ(q.recordCount(), int(std::size(figures)));
  for (const char* figure : figures) {
    ASSERT_TRUE(q.locate(s("totalp1"), s(figure))) << figure;
    EXPECT_EQ(q.fieldText(s("printed")), s(figure));
  }
}

TEST_P(DbQuery, IntegersAndCountsReadAsPlainDecimals) {
  schema.insert("race", {{"tcode", "T1"}, {"zek", "1"}, {"st1", 3}, {"st2", "-2"}});
  schema.insert("race", {{"tcode", "T1"}, {"zek", "2"}, {"st1", 10}});
  schema.insert("race", {{"tcode", "T2"}, {"zek", std::nullopt}});

  Query& q = open(s("select st1, st2 from race where zek='1'"));
  EXPECT_EQ(q.fieldText(s("st1")), s("3"));
  EXPECT_EQ(q.fieldText(s("st2")), s("-2"));
  EXPECT_EQ(q.fieldInt(s("st2")), -2);

  open(s("select count(*) as countn, count(zek) as countz from race"));
  EXPECT_EQ(query.fieldText(s("countn")), s("3"));
  EXPECT_EQ(query.fieldInt(s("countn")), 3);
  EXPECT_EQ(query.fieldInt(s("COUNTZ")), 2);

  open(s("select zek from race where zek='1'"));
  EXPECT_EQ(query.fieldInt(s("zek")), 1);
  schema.update("race", {{"name", "x"}}, {{"zek", "1"}});
  open(s("select name from race where zek='1'"));
  EXPECT_THROW(query.fieldInt(s("name")), DatabaseError);
}

TEST_P(DbQuery, JapaneseTextRoundTrips) {
  const QString name = s("ジャンプ　太郎（ｶﾅ）");
  schema.insert("race", {{"tcode", "T1"}, {"zek", "5"}, {"name", name}, {"syozoku", "雪印"}});
  Query& q = open(s("select name, syozoku from race where name='%1'").arg(board.literalText(name)));
  ASSERT_EQ(q.recordCount(), 1);
  EXPECT_EQ(q.fieldText(s("name")), name);
  EXPECT_EQ(q.fieldText(s("syozoku")), s("雪印"));
}

TEST_P(DbQuery, ReopeningReadsTheRowsAsTheyAreNow) {
  schema.setOnly("hon", {{"hon", "1"}});
  Query& q = open(s("SELECT HON FROM HON"));
  EXPECT_EQ(q.fieldText(s("HON")), s("1"));
  schema.update("hon", {{"hon", "2"}});
  EXPECT_EQ(q.fieldText(s("HON")), s("1")) << "the open result is a snapshot";
  q.open();
  EXPECT_EQ(q.fieldText(s("HON")), s("2"));
  schema.clear("hon");
  q.open();
  EXPECT_EQ(q.recordCount(), 0);
}

// A table made anew with its columns in another order while the board stays connected: the same
// statement reads each value under its own name, with its own scale.
TEST_P(DbQuery, ATableMadeAnewIsReadByItsNewColumns) {
  const auto make = [this](const QString& columns) {
    db.exec(s("create table remade (%1)").arg(columns));
    db.grantRead(s("remade"));
    db.exec(s("insert into remade (zek, totalp1) values ('7', 125.5)"));
  };
  make(s("zek %1, totalp1 %2").arg(db.textType(10), db.figureType()));
  Query& q = open(s("select * from remade where zek='7'"));
  ASSERT_EQ(q.fieldText(s("zek")), s("7"));
  ASSERT_EQ(q.fieldText(s("totalp1")), s("125.5"));

  q.close();
  db.exec("drop table remade");
  make(s("totalp1 %1, zek %2, speed1 %1").arg(db.figureType(), db.textType(10)));
  open(s("select * from remade where zek='7'"));
  EXPECT_EQ(query.fieldText(s("zek")), s("7"));
  EXPECT_EQ(query.fieldText(s("totalp1")), s("125.5"));
  EXPECT_EQ(query.fieldText(s("speed1")), QString());
}

// --- rows, locate, eof ------------------------------------------------------------------------------

TEST_P(DbQuery, RecordCountIsTheRowsOfTheResult) {
  EXPECT_EQ(open(s("select * from race")).recordCount(), 0);
  addRacer("1", "100.0");
  EXPECT_EQ(open(s("select * from race")).recordCount(), 1);
  addRacer("2", "110.0");
  addRacer("3", "120.0");
  EXPECT_EQ(open(s("select * from race")).recordCount(), 3);
  EXPECT_EQ(open(s("select * from race where totalp1>'105.0'")).recordCount(), 2);
  EXPECT_EQ(open(s("select distinct(tcode) from race")).recordCount(), 1);
}

class DbQueryRows : public DbQuery {
 protected:
  void SetUp() override {
    DbQuery::SetUp();
    const char* zeks[] = {"12", "a1", "A1", "120", "7"};
    int order = 0;
    for (const char* zek : zeks)
      schema.insert("race", {{"tcode", "T1"}, {"zek", zek}, {"name", zek}, {"st1", ++order}});
    open(s("select * from race order by st1"));
  }
};

TEST_P(DbQueryRows, LocateMakesTheFirstExactMatchCurrent) {
  EXPECT_TRUE(query.locate(s("zek"), s("120")));
  EXPECT_EQ(query.fieldText(s("st1")), s("4"));
  EXPECT_TRUE(query.locate(s("ZEK"), s("a1")));
  EXPECT_EQ(query.fieldText(s("st1")), s("2"));
  EXPECT_TRUE(query.locate(s("zek"), s("A1")));
  EXPECT_EQ(query.fieldText(s("st1")), s("3"));
}

TEST_P(DbQueryRows, LocateWithoutMatchKeepsTheCurrentRow) {
  query.next();
  query.next();  // on "A1"
  for (const char* missing : {"1", " 12", "12 ", "b1", "", "1200"}) {
    EXPECT_FALSE(query.locate(s("zek"), s(missing))) << '"' << missing << '"';
    EXPECT_EQ(query.fieldText(s("zek")), s("A1"));
  }
  EXPECT_THROW(query.locate(s("nosuch"), s("12")), DatabaseError);
}

TEST_P(DbQueryRows, NextStaysOnTheLastRowAndSetsEof) {
  EXPECT_FALSE(query.eof());
  EXPECT_EQ(query.fieldText(s("zek")), s("12"));
  for (const char* zek : {"a1", "A1", "120", "7"}) {
    query.next();
    EXPECT_FALSE(query.eof());
    EXPECT_EQ(query.fieldText(s("zek")), s(zek));
  }
  query.next();
  EXPECT_TRUE(query.eof());
  EXPECT_EQ(query.fieldText(s("zek")), s("7"));
  query.next();
  EXPECT_TRUE(query.eof());
  EXPECT_EQ(query.fieldText(s("zek")), s("7"));
}

TEST_P(DbQueryRows, LocateLeavesTheEndOfAResultWithRows) {
  for (int i = 0; i < 5; ++i) query.next();
  ASSERT_TRUE(query.eof());
  EXPECT_TRUE(query.locate(s("zek"), s("120")));
  EXPECT_FALSE(query.eof());
  query.next();
  EXPECT_FALSE(query.eof());
  EXPECT_EQ(query.fieldText(s("zek")), s("7"));
  query.next();
  ASSERT_TRUE(query.eof());
  EXPECT_FALSE(query.locate(s("zek"), s("nobody")));
  EXPECT_FALSE(query.eof());
  EXPECT_EQ(query.fieldText(s("zek")), s("7"));
}

TEST_P(DbQuery, EmptyResultStaysAtItsEnd) {
  Query& q = open(s("select * from race"));
  EXPECT_TRUE(q.eof());
  EXPECT_FALSE(q.locate(s("zek"), s("")));
  EXPECT_TRUE(q.eof());
  q.next();
  EXPECT_TRUE(q.eof());
  EXPECT_EQ(q.fieldText(s("zek")), QString());
}

// --- closed queries and statements ------------------------------------------------------------------

TEST_P(DbQuery, ReadingAClosedQueryFails) {
  addRacer("12", "125.0");
  EXPECT_THROW(query.fieldText(s("zek")), DatabaseError);
  open(s("select zek from race"));
  query.close();
  EXPECT_FALSE(query.active());
  EXPECT_TRUE(query.eof());
  EXPECT_THROW(query.fieldText(s("zek")), DatabaseError);
  EXPECT_THROW(query.fieldInt(s("zek")), DatabaseError);
  EXPECT_THROW(query.recordCount(), DatabaseError);
  EXPECT_THROW(query.locate(s("zek"), s("12")), DatabaseError);
  EXPECT_THROW(query.next(), DatabaseError);
}

TEST_P(DbQuery, ChangingTheStatementClosesTheQuery) {
  addRacer("12", "125.0");
  open(s("select zek from race"));
  query.addLine(s("where zek='12'"));
  EXPECT_FALSE(query.active());
  query.open();
  EXPECT_EQ(query.recordCount(), 1);
  query.clearSql();
  EXPECT_FALSE(query.active());
  EXPECT_TRUE(query.sql().isEmpty());
  open(s("select zek from race"));
  query.setSql({s("select name from race")});
  EXPECT_FALSE(query.active());
}

TEST_P(DbQuery, StatementLinesEndWithCrLf) {
  addRacer("12", "125.0");
  query.setSql({s("select zek"), s("from race")});
  query.addLine(s("where tcode='T1'"));
  EXPECT_EQ(query.statementText(), s("select zek\r\nfrom race\r\nwhere tcode='T1'\r\n"));
  query.open();
  EXPECT_EQ(query.fieldText(s("zek")), s("12"));
}

// --- failures -----------------------------------------------------------------------------------------

struct FailingStatement {
  const char* description;
  const char* statement;
  const char* named;  // what the driver's message names
};
void PrintTo(const FailingStatement& c, std::ostream* os) {
  *os << c.statement;
}

// A missing table or column fails the statement with the driver's own message and the statement.
class DbQueryFails : public ::testing::TestWithParam<std::tuple<Engine, FailingStatement>> {
 protected:
  void SetUp() override { db.configure(board); }
  EngineDb db{std::get<0>(GetParam())};
  CompetitionSchema schema{db, {.omit = {"dantai", "race.st2"}}};
  Database board;
  Query query{board};
};

TEST_P(DbQueryFails, WithTheDriversMessageAndTheStatement) {
  const FailingStatement& c = std::get<1>(GetParam());
  query.setSql({QString::fromUtf8(c.statement), QStringLiteral("")});
  try {
    query.open();
    FAIL() << "no failure";
  } catch (const DatabaseError& e) {
    EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.named), Qt::CaseInsensitive)) << e.message().toStdString();
    EXPECT_EQ(e.statement(), query.statementText());
    EXPECT_EQ(QString::fromUtf8(e.what()), e.message());
  }
  EXPECT_FALSE(query.active());
  EXPECT_TRUE(board.connected()) << "a failed statement leaves the connection";
}

INSTANTIATE_TEST_SUITE_P(
    Engines, DbQueryFails,
    ::testing::Combine(
        ::testing::ValuesIn(testEngines()),
        ::testing::Values(FailingStatement{"MissingTable", "select * from nosuchtable", "nosuchtable"},
                          FailingStatement{"OmittedTable", "select count(distinct(tno)) from dantai", "dantai"},
                          FailingStatement{"MissingColumn", "select nosuchcolumn from race", "nosuchcolumn"},
                          FailingStatement{"OmittedColumn", "select * from race order by st2", "st2"},
                          FailingStatement{"Rejected", "selec zek from race", "selec"})),
    [](const ::testing::TestParamInfo<std::tuple<Engine, FailingStatement>>& p) {
      return std::string(engineName(std::get<0>(p.param))) + "_" + std::get<1>(p.param).description;
    });

TEST_P(DbQuery, ReadingAColumnTheResultLacksFails) {
  addRacer("12", "125.0");
  open(s("select zek from race"));
  try {
    query.fieldText(s("name"));
    FAIL() << "no failure";
  } catch (const DatabaseError& e) {
    EXPECT_TRUE(e.message().contains(s("name"))) << e.message().toStdString();
  }
  EXPECT_TRUE(query.active());
}

TEST_P(DbQuery, SchemaWithoutAColumnHasNoSuchColumnInItsRows) {
  EngineDb other{GetParam()};
  CompetitionSchema partial{other, {.omit = {"race.st2"}}};
  partial.insert("race", {{"tcode", "T1"}, {"zek", "1"}, {"st1", 1}});
  Database otherBoard;
  other.configure(otherBoard);
  Query q{otherBoard};
  q.setSql({s("select * from race")});
  q.open();
  EXPECT_EQ(q.fieldText(s("st1")), s("1"));
  EXPECT_THROW(q.fieldText(s("st2")), DatabaseError);
}

// --- values inside literals -------------------------------------------------------------------------

TEST_P(DbQuery, QuotesBackslashesAndSemicolonsStayInsideTheLiteral) {
  const QStringList values = {s("a'b"), s("c\\d"), s("e;f"), s("'"), s("\\"), s("g\\'h"), s("\\'; --"), s("''")};
  int order = 0;
  for (const QString& value : values) schema.insert("race", {{"tcode", "T1"}, {"zek", value}, {"st1", ++order}});

  for (const QString& value : values) {
    SCOPED_TRACE(value.toStdString());
    open({s("select zek from race"), s("where tcode='T1'"), s("and zek='%1'").arg(board.literalText(value))});
    ASSERT_EQ(query.recordCount(), 1);
    EXPECT_EQ(query.fieldText(s("zek")), value);
  }
}

TEST_P(DbQuery, AValueCannotWidenTheStatement) {
  addRacer("12", "125.0");
  addRacer("13", "110.0");
  for (const char* attack : {"x' or '1'='1", "x' or 'a'<>'", "12' or zek>'", "1'; delete from race; --"}) {
    SCOPED_TRACE(attack);
    open(s("select zek from race where zek='%1'").arg(board.literalText(s(attack))));
    EXPECT_EQ(query.recordCount(), 0);
  }
  open(s("select count(*) as n from race"));
  EXPECT_EQ(query.fieldInt(s("n")), 2);
}

INSTANTIATE_TEST_SUITE_P(Engines, DbQuery, ::testing::ValuesIn(testEngines()), engineTestName);
INSTANTIATE_TEST_SUITE_P(Engines, DbQueryRows, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
