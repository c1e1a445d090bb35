#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "Schema.h"
#include "SimTarget.h"
#include "Writer.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "support/EngineDb.h"

namespace {

class JumpsimSchema : public ::testing::TestWithParam<Engine> {
 protected:
  void SetUp() override {
    configureWriter(connection, db, scratch.path());
    writer.skipDiskSync();
  }

  int rows(const QString& table) {
    Query q(connection);
    q.setSql({QStringLiteral("select count(*) as n from %1").arg(table)});
    q.open();
    return q.fieldInt(QStringLiteral("n"));
  }

  EngineDb db{GetParam()};
  QTemporaryDir scratch;
  Database connection;
  Writer writer{connection};
};

TEST_P(JumpsimSchema, CreatesEveryTableWithEveryColumnTheBoardReads) {
  Schema::prepare(writer, Schema::Existing::Refuse);
  EXPECT_EQ(Schema::existing(writer), Schema::tables());
  for (const QString& table : Schema::tables()) {
    Query q(connection);
    q.setSql({QStringLiteral("select * from %1").arg(table.toUpper())});
    q.open();
    for (const QString& column : Schema::columns(table)) {
      EXPECT_NO_THROW(q.fieldText(column.toUpper())) << qPrintable(table) << "." << qPrintable(column);
    }
  }
  // The columns of the board's statements that are easiest to forget.
  const QStringList race = Schema::columns(QStringLiteral("race"));
  for (const char* column : {"tspeed3", "tdist3", "tpointt", "st2", "namek", "namee", "kno"}) {
    EXPECT_TRUE(race.contains(QString::fromUtf8(column))) << column;
  }
  EXPECT_TRUE(Schema::columns(QStringLiteral("dantai")).contains(QStringLiteral("tpoint1")));
}

TEST_P(JumpsimSchema, FiguresReadWithOneDecimalAndRankAsNumbers) {
  Schema::prepare(writer, Schema::Existing::Refuse);
  writer.exec(QStringLiteral("insert into race (tcode, zek, totalp1, st1) values ('T', '1', 9.5, 3)"));
  writer.exec(QStringLiteral("insert into race (tcode, zek, totalp1, st1) values ('T', '2', 10.0, 4)"));
  writer.exec(QStringLiteral("insert into race (tcode, zek, totalp1, st1) values ('T', '3', 125.0, 5)"));

  Query q(connection);
  q.setSql({QStringLiteral("select zek, totalp1, st1 from race order by st1")});
  q.open();
  EXPECT_EQ(q.fieldText(QStringLiteral("totalp1")), QStringLiteral("9.5"));
  EXPECT_EQ(q.fieldText(QStringLiteral("st1")), QStringLiteral("3"));
  q.next();
  EXPECT_EQ(q.fieldText(QStringLiteral("totalp1")), QStringLiteral("10.0"));
  q.next();
  EXPECT_EQ(q.fieldText(QStringLiteral("totalp1")), QStringLiteral("125.0"));

  // The board's rank count: as text 9.5 would be above 10.0.
  Query count(connection);
  count.setSql(
      {QStringLiteral("select count(zek) as countn from race where tcode='T' and "), QStringLiteral("totalp1>'9.5'")});
  count.open();
  EXPECT_EQ(count.fieldInt(QStringLiteral("countn")), 2);
}

TEST_P(JumpsimSchema, RefusesTablesThatExistAndNamesThemWithoutTouchingAnything) {
  writer.exec(Schema::createStatement(QStringLiteral("hon"), writer.driver()));
  writer.exec(QStringLiteral("insert into hon (hon) values ('1')"));
  try {
    Schema::prepare(writer, Schema::Existing::Refuse);
    FAIL() << "existing HON accepted";
  } catch (const Schema::SchemaError& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("HON"))) << e.what();
    EXPECT_FALSE(QString::fromUtf8(e.what()).contains(QStringLiteral("RACE"))) << e.what();
  }
  EXPECT_EQ(Schema::existing(writer), QStringList{QStringLiteral("hon")}) << "nothing else was created";
  EXPECT_EQ(rows(QStringLiteral("hon")), 1);
}

TEST_P(JumpsimSchema, ReplacesTablesThatExistWhenToldTo) {
  writer.exec(QStringLiteral("create table race (tcode varchar(10))"));
  writer.exec(QStringLiteral("insert into race (tcode) values ('old')"));
  Schema::prepare(writer, Schema::Existing::Replace);
  EXPECT_EQ(Schema::existing(writer), Schema::tables());
  EXPECT_EQ(rows(QStringLiteral("race")), 0);
  Query q(connection);
  q.setSql({QStringLiteral("select st2 from race")});
  EXPECT_NO_THROW(q.open()) << "the old RACE without st2 is gone";
}

TEST_P(JumpsimSchema, KeepsTablesThatExistEmptiedAndWantsThemAll) {
  Schema::prepare(writer, Schema::Existing::Refuse);
  writer.exec(QStringLiteral("insert into race (tcode, zek) values ('T', '1')"));
  writer.exec(QStringLiteral("insert into hon (hon) values ('2')"));
  Schema::prepare(writer, Schema::Existing::Keep);
  EXPECT_EQ(rows(QStringLiteral("race")), 0);
  EXPECT_EQ(rows(QStringLiteral("hon")), 0);

  writer.exec(QStringLiteral("drop table judgec"));
  try {
    Schema::prepare(writer, Schema::Existing::Keep);
    FAIL() << "--keep without JUDGEC accepted";
  } catch (const Schema::SchemaError& e) {
    EXPECT_TRUE(QString::fromUtf8(e.what()).contains(QStringLiteral("JUDGEC"))) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Engines, JumpsimSchema, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
