// Pictures of the board as a spectator sees it, in the individual and the team layout, written into
// the build tree (pictures/) for the README and for looking at a change.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QPixmap>

#include "platform/ui/Looks.h"
#include "support/BoardFixture.h"

using namespace Qt::StringLiterals;

namespace {

void fillCompetition(CompetitionSchema& s, bool team) {
  s.setOnly("hon", {{"hon", "2"}});
  s.setOnly("newzek", {{"tcode", "T1"}, {"tstno", team ? "3-2" : ""}, {"nzek", "12"}, {"sumi", "D"}});
  const char* judges[] = {"judgea", "judgeb", "judgec", "judged", "judgee"};
  const char* marks[][4] = {{"18.5", "18.0", "18.5", "18.5"}, {"18.0", "18.0", "18.0", "18.0"},
                            {"19.0", "18.5", "18.5", "19.0"}, {"18.5", "18.5", "18.0", "18.5"},
                            {"18.0", "17.5", "18.0", "18.0"}};
  for (int j = 0; j < 5; ++j) {
    s.setOnly(judges[j], {{"zek", "12"}, {"name", "葛西 紀明"}, {"team", "3"}, {"sumi", "D"},
                          {"ap", marks[j][0]}, {"op", marks[j][1]}, {"lp", marks[j][2]}, {"tp", marks[j][3]}});
  }
  s.insert("race", {{"tcode", "T1"}, {"zek", "12"}, {"code", "0412"}, {"name", "葛西 紀明"},
                    {"namek", "カサイ ノリアキ"}, {"namee", "KASAI Noriaki"}, {"syozoku", "土屋ホーム"},
                    {"class1", "A"}, {"speed1", "89.5"}, {"dist1", "131.5"}, {"distp1", "83.0"},
                    {"h1t", "55.0"}, {"totalp1", "138.0"}, {"speed2", "89.8"}, {"dist2", "128.0"},
                    {"distp2", "76.0"}, {"h2t", "54.5"}, {"totalp2", "130.5"}, {"totalpt", "268.5"},
                    {"tno", "3"}, {"kno", "2"}, {"tpoint1", "512.5"}, {"tpoint2", "498.0"},
                    {"tpointt", "1010.5"}, {"st1", 20}, {"st2", 29}});
  s.insert("race", {{"tcode", "T1"}, {"zek", "14"}, {"code", "0188"}, {"name", "伊東 大貴"},
                    {"namek", "イトウ ダイキ"}, {"namee", "ITO Daiki"}, {"syozoku", "雪印メグミルク"},
                    {"class1", "A"}, {"totalp1", "141.0"}, {"totalp2", "0"}, {"tno", "4"}, {"kno", "2"},
                    {"tpoint1", "520.0"}, {"st1", 21}, {"st2", 30}});
  s.insert("dantai", {{"tcode", "T1"}, {"tno", "3"}, {"tpoint1", "512.5"}});
  s.insert("dantai", {{"tcode", "T1"}, {"tno", "4"}, {"tpoint1", "520.0"}});
}

class PicturesTest : public ::testing::TestWithParam<bool> {};

TEST_P(PicturesTest, BoardIsDrawnWithItsFiguresAndColours) {
  const bool team = GetParam();
  BoardFixture f{Engine::SQLite};
  fillCompetition(f.schema, team);
  f.start();
  f.click("CuteButton1");
  ASSERT_EQ(f.refresh(), 0);
  ASSERT_EQ(f.text("eTotal1"), u"138.0"_s);

  const QImage image = f.board().grab().toImage();
  EXPECT_EQ(image.size(), f.board().size());
  // The frame of the results keeps its design colour in the second round; the total is light yellow.
  const QWidget* frame = f.control("Panel4");
  EXPECT_EQ(QColor(image.pixel(frame->x() + 4, frame->y() + frame->height() - 4)), BoardColor::ResultsFrame);
  const QWidget* total = f.control("eSougou");
  const QPoint inside = total->mapTo(&f.board(), QPoint(4, total->height() / 2));
  EXPECT_EQ(QColor(image.pixel(inside)), BoardColor::LightYellow);

  const QString dir = QStringLiteral(JUMPBOARD_PICTURES_DIR);
  ASSERT_TRUE(QDir().mkpath(dir));
  const QString file = dir + (team ? u"/board-team.png"_s : u"/board-individual.png"_s);
  ASSERT_TRUE(image.save(file)) << file.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Layouts, PicturesTest, ::testing::Values(false, true),
                         [](const auto& param) { return param.param ? "Team" : "Individual"; });

}  // namespace
