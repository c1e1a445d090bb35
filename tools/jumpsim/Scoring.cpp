#include "Scoring.h"

#include <algorithm>
#include <cstdlib>

QString tenthsText(Tenths value) {
  const QString sign = value < 0 ? QStringLiteral("-") : QString();
  const int magnitude = std::abs(value);
  return sign + QString::number(magnitude / 10) + u'.' + QString::number(magnitude % 10);
}

Tenths distancePoints(Tenths distance, const Hill& hill) {
  // (tenths of a metre) x (tenths of a point per metre) = hundredths of a point.
  const long hundredths = long(distance - hill.kPoint) * hill.meterValue;
  const long tenths = hundredths >= 0 ? (hundredths + 5) / 10 : -((-hundredths + 5) / 10);
  return std::max(0, int(600 + tenths));
}

bool isValidMark(Tenths mark) {
  return mark >= 0 && mark <= kMaxMark && mark % 5 == 0;
}

Tenths stylePoints(const std::array<Tenths, 5>& marks) {
  for (Tenths mark : marks) {
    if (!isValidMark(mark)) {
      throw std::invalid_argument("a judge's mark must be a half point from 0 to 20, not " +
                                  tenthsText(mark).toStdString());
    }
  }
  std::array<Tenths, 5> sorted = marks;
  std::sort(sorted.begin(), sorted.end());
  return sorted[1] + sorted[2] + sorted[3];
}

JudgeMark splitMark(Tenths mark) {
  if (!isValidMark(mark)) throw std::invalid_argument("not a judge's mark: " + tenthsText(mark).toStdString());
  const Tenths off = kMaxMark - mark;
  // Landing deductions carry the most weight, then the outrun; whole half points each.
  Tenths landingOff = std::min<Tenths>(70, (off * 55 / 100) / 5 * 5);
  Tenths outrunOff = std::min<Tenths>(30, (off * 15 / 100) / 5 * 5);
  Tenths flightOff = off - landingOff - outrunOff;
  if (flightOff > 100) {
    const Tenths extra = flightOff - 100;
    const Tenths toLanding = std::min(extra, 70 - landingOff);
    landingOff += toLanding;
    outrunOff += extra - toLanding;
    flightOff = 100;
  }
  return {100 - flightOff, 70 - landingOff, 30 - outrunOff};
}
