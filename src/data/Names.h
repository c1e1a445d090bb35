#pragma once

#include <QString>

// Column names the refresh reads from its results, spelled as the board has always written them.
// Results are looked up without regard to case, so the spelling is for the reader only.
namespace race {
inline const QString CODE = QStringLiteral("CODE");
inline const QString NAME = QStringLiteral("NAME");
inline const QString namek = QStringLiteral("namek");
inline const QString namee = QStringLiteral("namee");
inline const QString SYOZOKU = QStringLiteral("SYOZOKU");
inline const QString SPEED1 = QStringLiteral("SPEED1");
inline const QString DIST1 = QStringLiteral("DIST1");
inline const QString DISTP1 = QStringLiteral("DISTP1");
inline const QString H1T = QStringLiteral("H1T");
inline const QString TOTALP1 = QStringLiteral("TOTALP1");
inline const QString SPEED2 = QStringLiteral("SPEED2");
inline const QString DIST2 = QStringLiteral("DIST2");
inline const QString DISTP2 = QStringLiteral("DISTP2");
inline const QString H2T = QStringLiteral("H2T");
inline const QString TOTALP2 = QStringLiteral("TOTALP2");
inline const QString TOTALPT = QStringLiteral("TOTALPT");
inline const QString class1 = QStringLiteral("class1");
// The next-competitor panel reads these in lower case.
inline const QString zek = QStringLiteral("zek");
inline const QString name = QStringLiteral("name");
inline const QString syozoku = QStringLiteral("syozoku");
inline const QString tno = QStringLiteral("tno");
inline const QString kno = QStringLiteral("kno");

// Trial jump `n` ("1", "2" or "3").
inline QString tspeed(const QString& n) {
  return QStringLiteral("tspeed") + n;
}
inline QString tdist(const QString& n) {
  return QStringLiteral("tdist") + n;
}
}  // namespace race

// The alias of the rank counts.
inline const QString kCountColumn = QStringLiteral("countn");
