#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class Database;

// The text that goes between a statement's single quotes so that a value stays one literal.
using LiteralText = std::function<QString(const QString&)>;
LiteralText literalTextOf(const Database& db);

// The refresh's statements, line by line, each line built from the board's own pieces and the values
// passed through `lit`. Values are never formatted: a total goes back to the database as it was read.
namespace statements {

// Step 7: the five judge tables joined without a condition; one row when each holds one row.
QStringList judgesMarks();

// Step 8: the RACE row of bib `zek` in competition `tcode`.
QStringList competitorRow(const LiteralText& lit, const QString& zek, const QString& tcode);

// Steps 12 and 17: class1 of the competitor on the hill.
QStringList competitorClass(const LiteralText& lit, const QString& tcode, const QString& zek);

// Rank counts: rows of the competition with a strictly greater total (read as "countn").
QStringList firstRoundCount(const LiteralText& lit, const QString& tcode, const QString& total1,
                            const QString& classValue);
QStringList secondRoundCount(const LiteralText& lit, const QString& tcode, const QString& total2);
QStringList totalCount(const LiteralText& lit, const QString& tcode, const QString& total);

// Team points of one round, after the first, after the second, or in total.
enum class TeamRound { First, Second, Total };
QString teamPointsColumn(TeamRound round);  // "tpoint1", "tpoint2", "tpointt"

// The rows of team `teamNo`; the step reads its points column from the first one.
QStringList teamPoints(const LiteralText& lit, const QString& tcode, const QString& teamNo);

// One row per team ahead of `points`. The first-round team rank during the second round counts DANTAI.
enum class TeamRankTable { Race, Dantai };
QStringList teamRank(const LiteralText& lit, TeamRankTable table, const QString& tcode, TeamRound round,
                     const QString& points);

// Step 23: the competitors of `classValue`, in start order of round `hon` ("1" and "3" st1, "2" st2,
// anything else unordered).
QStringList nextCompetitors(const LiteralText& lit, const QString& tcode, const QString& classValue,
                            const QString& hon);

}  // namespace statements
