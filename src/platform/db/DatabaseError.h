#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the database layer: the driver's own message, and the statement when one was running.
class DatabaseError : public std::runtime_error {
 public:
  explicit DatabaseError(const QString& message, const QString& statement = {});

  QString message() const { return m_message; }
  QString statement() const { return m_statement; }

 private:
  QString m_message;
  QString m_statement;
};
