#include <gtest/gtest.h>

#include "Jumps.h"
#include "Scoring.h"

namespace {

struct DistanceCase {
  Tenths distance;
  Hill hill;
  Tenths expected;
  const char* what;
};

void PrintTo(const DistanceCase& c, std::ostream* os) {
  *os << c.what;
}

class JumpsimDistancePoints : public ::testing::TestWithParam<DistanceCase> {};

TEST_P(JumpsimDistancePoints, AreSixtyPlusMetresFromKTimesMeterValue) {
  EXPECT_EQ(distancePoints(GetParam().distance, GetParam().hill), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Hills, JumpsimDistancePoints,
                         ::testing::Values(DistanceCase{900, {900, 20}, 600, "at K 90: 60"},
                                           DistanceCase{955, {900, 20}, 710, "5.5 m beyond K 90 at 2.0: 71.0"},
                                           DistanceCase{800, {900, 20}, 400, "10 m short of K 90: 40.0"},
                                           DistanceCase{1255, {1200, 18}, 699, "5.5 m beyond K 120 at 1.8: 69.9"},
                                           DistanceCase{1100, {1200, 18}, 420, "10 m short of K 120 at 1.8: 42.0"},
                                           DistanceCase{1345, {1200, 18}, 861, "14.5 m beyond K 120: 86.1"},
                                           DistanceCase{905, {900, 17}, 609, "0.85 rounds away from zero: 60.9"},
                                           DistanceCase{895, {900, 17}, 591, "-0.85 rounds away from zero: 59.1"},
                                           DistanceCase{600, {1200, 18}, 0, "60 m short: never below 0"}));

struct StyleCase {
  std::array<Tenths, 5> marks;
  Tenths expected;
  const char* what;
};

void PrintTo(const StyleCase& c, std::ostream* os) {
  *os << c.what;
}

class JumpsimStylePoints : public ::testing::TestWithParam<StyleCase> {};

TEST_P(JumpsimStylePoints, AddTheMiddleThreeMarks) {
  EXPECT_EQ(stylePoints(GetParam().marks), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, JumpsimStylePoints,
    ::testing::Values(StyleCase{{175, 180, 170, 185, 160}, 525, "16.0 and 18.5 dropped"},
                      StyleCase{{180, 180, 180, 180, 180}, 540, "all equal"},
                      StyleCase{{190, 200, 200, 185, 185}, 575, "only one of two highest and lowest dropped"},
                      StyleCase{{95, 200, 100, 105, 110}, 315, "outliers on both sides dropped"},
                      StyleCase{{200, 200, 200, 200, 200}, 600, "the most there is: 60"},
                      StyleCase{{0, 0, 0, 0, 5}, 0, "a fall to nothing"}));

class JumpsimInvalidMark : public ::testing::TestWithParam<Tenths> {};

TEST_P(JumpsimInvalidMark, IsRefusedInEveryPosition) {
  for (std::size_t position = 0; position < 5; ++position) {
    std::array<Tenths, 5> marks = {180, 180, 180, 180, 180};
    marks[position] = GetParam();
    EXPECT_THROW(stylePoints(marks), std::invalid_argument) << "position " << position;
  }
  EXPECT_FALSE(isValidMark(GetParam()));
}

// Above 20, not a half point, negative.
INSTANTIATE_TEST_SUITE_P(Marks, JumpsimInvalidMark, ::testing::Values(205, 210, 201, 173, 199, -5, -10));

TEST(JumpsimJudgeMark, EverySplitIsHalfPointsWithinEachPartAndAddsUp) {
  for (Tenths mark = 0; mark <= kMaxMark; mark += 5) {
    const JudgeMark parts = splitMark(mark);
    EXPECT_EQ(parts.total(), mark);
    const std::initializer_list<std::pair<Tenths, Tenths>> partsAndLimits = {
        {parts.flight, 100}, {parts.landing, 70}, {parts.outrun, 30}};
    for (const auto& [part, limit] : partsAndLimits) {
      EXPECT_GE(part, 0) << mark;
      EXPECT_LE(part, limit) << mark;
      EXPECT_EQ(part % 5, 0) << mark;
    }
  }
  EXPECT_EQ(splitMark(200).flight, 100);
  EXPECT_THROW(splitMark(203), std::invalid_argument);
}

TEST(JumpsimTenthsText, PrintsOneDecimal) {
  EXPECT_EQ(tenthsText(1245), QStringLiteral("124.5"));
  EXPECT_EQ(tenthsText(600), QStringLiteral("60.0"));
  EXPECT_EQ(tenthsText(5), QStringLiteral("0.5"));
  EXPECT_EQ(tenthsText(0), QStringLiteral("0.0"));
  EXPECT_EQ(tenthsText(-5), QStringLiteral("-0.5"));
  EXPECT_EQ(tenthsText(-1245), QStringLiteral("-124.5"));
}

TEST(JumpsimSimulatedJump, GivesHalfMetresAndValidMarksOnEverySeed) {
  const Hill hill{1200, 18};
  const Jumper jumper{3.0, 17.0, 905};
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    Random random(seed);
    const Jump jump = simulateJump(random, hill, jumper);
    EXPECT_EQ(jump.distance % 5, 0) << "seed " << seed;
    EXPECT_GE(jump.distance, 200) << "seed " << seed;
    for (Tenths mark : jump.marks) EXPECT_TRUE(isValidMark(mark)) << "seed " << seed << " mark " << mark;
    EXPECT_NO_THROW(stylePoints(jump.marks));
  }
}

}  // namespace
