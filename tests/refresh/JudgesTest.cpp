// Step 7: the judges' grid from JUDGEA to JUDGEE.
#include "refresh/RefreshFixture.h"

namespace {

const char* const kJudgeTables[] = {"judgea", "judgeb", "judgec", "judged", "judgee"};
const char kJudgeLetters[] = {'A', 'B', 'C', 'D', 'E'};
// Grid rows top to bottom: the row letter of the field and the column it shows.
const struct {
  char letter;
  const char* column;
} kRows[] = {{'A', "ap"}, {'O', "op"}, {'L', "lp"}, {'T', "tp"}};

std::string field(int judge, int row) {
  return std::string("e") + kJudgeLetters[judge] + kRows[row].letter;
}

// A mark that tells judge and column apart: judge C's lp is "33.5", its tp "34.0".
QString mark(int judge, int row) {
  return QString::number(judge + 1) + QString::number(row + 1) + (row == 3 ? u".0"_s : u".5"_s);
}

class JudgesMarks : public RefreshTest {
 protected:
  // First round, bib 12 on the hill; the database is made here, after the test's options.
  void competition() {
    round("1");
    onHill(u"12"_s);
    jumper({{"zek", "12"}, {"class1", "A"}});
  }

  void fillJudges(bool withSumi = true) {
    for (int j = 0; j < 5; ++j) {
      Row row;
      if (withSumi) row.push_back(Col("sumi", "1"));
      if (j == 0) row.insert(row.end(), {{"zek", "99"}, {"name", "審判"}, {"team", "X"}});
      for (int r = 0; r < 4; ++r) row.push_back(Col(kRows[r].column, mark(j, r)));
      schema().setOnly(kJudgeTables[j], row);
    }
  }

  void expectGrid(const std::function<QString(int, int)>& expected) {
    for (int j = 0; j < 5; ++j)
      for (int r = 0; r < 4; ++r) EXPECT_EQ(text(field(j, r).c_str()), expected(j, r)) << field(j, r);
  }
};

// Each field shows its own judge's column: op on the row "着地", lp on "アウトラン", as stored
// ("34.0" keeps its decimal). JUDGEA's bib is not that of the competitor on the hill.
TEST_P(JudgesMarks, EveryFieldShowsItsJudgesColumnAsStored) {
  competition();
  fillJudges();
  show();
  expectGrid(mark);
  EXPECT_TRUE(noDialog());
}

TEST_P(JudgesMarks, AnyJudgeTableEmptyEmptiesTheWholeGrid) {
  competition();
  for (const char* table : kJudgeTables) {
    SCOPED_TRACE(table);
    fillJudges();
    show();
    ASSERT_EQ(text("eAA"), mark(0, 0));
    schema().clear(table);
    show();
    expectGrid([](int, int) { return QString(); });
  }
}

// The join holds two rows; the grid shows one of them whole, never a mix of the two.
TEST_P(JudgesMarks, TwoRowsInOneTableShowOneConsistentRow) {
  competition();
  fillJudges();
  schema().insert("judgeb", {{"sumi", "1"}, {"ap", "1.5"}, {"op", "2.5"}, {"lp", "3.5"}, {"tp", "4.0"}});
  show();
  const QStringList shownB{text("eBA"), text("eBO"), text("eBL"), text("eBT")};
  const QStringList first{mark(1, 0), mark(1, 1), mark(1, 2), mark(1, 3)};
  const QStringList second{u"1.5"_s, u"2.5"_s, u"3.5"_s, u"4.0"_s};
  EXPECT_TRUE(shownB == first || shownB == second) << shownB.join(u' ').toStdString();
  expectGrid([&](int j, int r) { return j == 1 ? shownB[r] : mark(j, r); });
}

TEST_P(JudgesMarks, NullMarkShowsEmpty) {
  competition();
  fillJudges();
  schema().update("judged", {{"op", std::nullopt}});
  show();
  expectGrid([](int j, int r) { return j == 3 && r == 1 ? QString() : mark(j, r); });
}

// The marks are read in every round, the trial round included.
TEST_P(JudgesMarks, ShownInTrialAndSecondRound) {
  competition();
  for (const char* hon : {"3", "2"}) {
    SCOPED_TRACE(hon);
    round(hon);
    fillJudges();
    show();
    expectGrid(mark);
    schema().clear("judgea");
    show();
    expectGrid([](int, int) { return QString(); });
  }
}

// A column the statement names but never reads must exist all the same.
TEST_P(JudgesMarks, MissingNamedColumnIsDatabaseFailure) {
  options.omit = {"judgec.sumi"};
  competition();
  fillJudges(false);
  show();
  EXPECT_TRUE(failedAsDatabaseDown());
}

INSTANTIATE_TEST_SUITE_P(Engines, JudgesMarks, ::testing::ValuesIn(testEngines()), engineTestName);

}  // namespace
