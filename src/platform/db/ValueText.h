#pragma once

#include <QSqlField>
#include <QString>
#include <QVariant>

// The one place that turns a value read from any engine into the text the board shows: NULL -> "",
// numbers exactly as the database prints them (NUMERIC(6,1) 125.0 -> "125.0", an integer -> "3").
QString valueText(const QVariant& value, const QSqlField& field);
