#include "platform/db/ValueText.h"

#include <QRegularExpression>
#include <cmath>

namespace {

// A NUMERIC/DECIMAL column comes with a double meta type and its scale in precision(); QIBASE hands
// its value over as text without trailing zeros ("125" for 125.0), QODBC as the server prints it.
bool isScaledDecimal(const QSqlField& field) {
  return field.metaType().id() == QMetaType::Double && field.precision() > 0;
}

// Pads the fraction of a plain decimal text to `scale` digits by text alone, so no digit is invented
// or lost on the way through a double. Texts that are not plain decimals (an exponent, more digits than
// the scale) come from a driver that has gone through a double already; those are printed from it.
// QIBASE itself divides by the scale in a double, so digits beyond about 15 are gone before they get
// here; the board's NUMERIC(5,1) figures are far from that.
QString withScale(const QString& text, int scale) {
  static const QRegularExpression plain(QStringLiteral("^-?[0-9]+(\\.[0-9]*)?$"));
  if (plain.match(text).hasMatch()) {
    const qsizetype dot = text.indexOf(u'.');
    const qsizetype digits = dot < 0 ? 0 : text.size() - dot - 1;
    if (digits <= scale) {
      QString result = text;
      if (dot < 0) result += u'.';
      result += QString(scale - digits, u'0');
      return result;
    }
  }
  bool ok = false;
  const double value = text.toDouble(&ok);
  return ok ? QString::number(value, 'f', scale) : text;
}

// SQLite prints a REAL with 15 significant digits and always shows it as a real ("125.0", "1.0e+20").
QString sqliteRealText(double value) {
  if (std::isinf(value)) return value > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
  QString text = QString::number(value, 'g', 15);
  if (text.contains(u'.')) return text;
  const qsizetype e = text.indexOf(u'e');
  if (e < 0) return text + QStringLiteral(".0");
  return text.insert(e, QStringLiteral(".0"));
}

}  // namespace

QString valueText(const QVariant& value, const QSqlField& field) {
  if (value.isNull()) return {};
  switch (value.typeId()) {
    case QMetaType::QString:
      return isScaledDecimal(field) ? withScale(value.toString(), field.precision()) : value.toString();
    case QMetaType::Double:
    case QMetaType::Float:
      // Only QSQLITE's REAL reaches here with HighPrecision, and Firebird's DOUBLE PRECISION.
      if (isScaledDecimal(field)) return QString::number(value.toDouble(), 'f', field.precision());
      return sqliteRealText(value.toDouble());
    case QMetaType::QByteArray:
      return QString::fromUtf8(value.toByteArray());
    default:
      return value.toString();
  }
}
