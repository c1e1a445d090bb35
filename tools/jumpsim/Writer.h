#pragma once

#include <QString>
#include <functional>
#include <optional>

#include "Scoring.h"

class Database;

// jumpsim's writes on the board's connection. Every statement is checked; a failure becomes a
// DatabaseError with the driver's message and the statement. Outside `transaction` every statement
// commits on its own, so the board sees each write as soon as it is made.
class Writer {
 public:
  explicit Writer(Database& db);

  void exec(const QString& sql);
  // Runs `writes` in one transaction: the board sees all of them or none.
  void transaction(const std::function<void()>& writes);

  // SQL for a value: a quoted text literal, a figure with one decimal, NULL.
  QString text(const QString& value) const;
  static QString figure(Tenths value) { return tenthsText(value); }
  static QString figure(std::optional<Tenths> value) { return value ? tenthsText(*value) : QStringLiteral("NULL"); }

  // SQLite waits for the disk at every commit; a simulated meeting is no record worth that wait, and
  // a test playing a whole meeting would take half a minute. Other engines are left as they are.
  void skipDiskSync();

  QString driver() const;
  Database& database() { return m_db; }

 private:
  Database& m_db;
  bool m_inTransaction = false;
};
