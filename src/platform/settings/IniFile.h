#pragma once

#include <QString>
#include <stdexcept>

// Raised when the settings file cannot be written; the message names the file.
class SettingsError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An INI file read and written entry by entry. Section and entry names are matched without regard to
// case; a write keeps every other section, entry and comment of the file as it was.
class IniFile {
 public:
  explicit IniFile(const QString& path);

  QString path() const { return m_path; }

  // The value of the entry, or `defaultValue` when the file, the section or the entry is missing.
  QString readString(const QString& section, const QString& name, const QString& defaultValue) const;

  // Writes the entry to disk at once (adding section and file when missing); throws SettingsError.
  // An existing entry keeps the spelling of its name; a new one is written as `name`.
  void writeString(const QString& section, const QString& name, const QString& value);

 private:
  QString m_path;
};
