#pragma once

// A board on a competition database of the engine under test, with the few rows a refresh needs.
//
//   class MyTest : public RefreshTest {};
//   TEST_P(MyTest, Something) {
//     round("1");
//     onHill("12");
//     jumper({{"zek", "12"}, {"class1", "A"}, {"totalp1", "125.0"}});   // competition T1
//     show();                                                          // start-up, then each refresh
//     EXPECT_EQ(text("Erank1"), u"1"_s);
//   }
//   INSTANTIATE_TEST_SUITE_P(Engines, MyTest, ::testing::ValuesIn(testEngines()), engineTestName);

#include <gtest/gtest.h>

#include <QString>
#include <memory>
#include <ostream>
#include <string>
#include <tuple>
#include <type_traits>

#include "platform/ui/Dialogs.h"
#include "support/BoardFixture.h"

inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

using namespace Qt::Literals::StringLiterals;

inline const QString kDatabaseDown = u"データベースが稼動していません。"_s;

template <typename Param>
class RefreshFixture : public ::testing::TestWithParam<Param> {
 protected:
  // Set before the first use of the database to change how the tables are made.
  SchemaOptions options;

  // The engine under test: the parameter itself, or the first of a tuple of parameters.
  virtual Engine engine() const {
    if constexpr (std::is_same_v<Param, Engine>)
      return this->GetParam();
    else
      return std::get<0>(this->GetParam());
  }

  BoardFixture& board() {
    if (!m_board) m_board = std::make_unique<BoardFixture>(engine(), options);
    return *m_board;
  }
  CompetitionSchema& schema() { return board().schema; }

  // The round in progress (HON).
  void round(const char* hon) { schema().setOnly("hon", {{"hon", hon}}); }

  // The competitor on the hill in competition T1; `tstno` is the team and member number ("3-2") or,
  // in the trial round, the trial jump.
  void onHill(const QString& zek, const QString& tstno = {}, const QString& tcode = u"T1"_s) {
    schema().setOnly("newzek", {{"tcode", tcode}, {"tstno", tstno}, {"nzek", zek}, {"sumi", ""}});
  }

  // A RACE row, in competition T1 unless the row names its own tcode.
  void jumper(Row row) {
    bool hasCode = false;
    for (const Col& c : row) hasCode = hasCode || c.name.compare(u"tcode"_s, Qt::CaseInsensitive) == 0;
    if (!hasCode) row.insert(row.begin(), Col("tcode", "T1"));
    schema().insert("race", row);
  }

  // The first call starts the board (whose start-up refreshes once); every later call is one refresh.
  void show() {
    if (m_started) {
      board().refresh();
      return;
    }
    board().start();
    m_started = true;
  }

  QString text(const char* name) { return board().text(name); }
  bool visible(const char* name) { return board().visible(name); }
  QColor colour(const char* name) { return board().colour(name); }

  // The refresh ended in the database failure: its one message, then the window closed.
  bool failedAsDatabaseDown() {
    return board().dialogs.texts(Dialogs::Kind::Message) == QStringList{kDatabaseDown} && board().closed();
  }
  bool noDialog() { return board().dialogs.shown.empty(); }

 private:
  std::unique_ptr<BoardFixture> m_board;
  bool m_started = false;
};

// The plain case: one parameter, the engine.
class RefreshTest : public RefreshFixture<Engine> {};

// Test names for a table of cases run on every engine: the engine, then the case's `name`.
template <typename Case>
std::string engineCaseName(const ::testing::TestParamInfo<std::tuple<Engine, Case>>& p) {
  return std::string(engineName(std::get<0>(p.param))) + "_" + std::get<1>(p.param).name;
}
