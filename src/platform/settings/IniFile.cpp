#include "platform/settings/IniFile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringList>
#include <string>

// Debian builds libsimpleini with ICU; the header must be configured the same way. CSimpleIniA is the
// variant that matches names without regard to case (CSimpleIniCaseA is the case-sensitive one).
#if !defined(_WIN32) && !defined(SI_CONVERT_ICU) && !defined(SI_NO_CONVERSION)
#define SI_CONVERT_ICU
#endif
#include <SimpleIni.h>

namespace {

using Ini = CSimpleIniA;

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// UTF-8 text; duplicate entries are kept as they are, and reading finds the first, as the Windows
// profile functions do. Entries are written "name=value", the way the suite's other programs write them.
void configure(Ini& ini) {
  ini.SetUnicode(true);
  ini.SetMultiKey(true);
  ini.SetMultiLine(false);
  ini.SetSpaces(false);
  ini.SetQuotes(false);
  // Lines without an equals sign are not kept: SimpleIni 4.19 would give such a line the value of the
  // entry above it when it reads the file.
  ini.SetAllowKeyOnly(false);
}

bool isContentLine(const QByteArray& line) {
  const QByteArray t = line.trimmed();
  return !t.isEmpty() && t.front() != ';' && t.front() != '#';
}

// SimpleIni ties a comment to the section or entry after it, so comments after the last entry would be
// lost on save. They are cut off before loading and put back after saving.
struct SplitText {
  QByteArray body;
  QList<QByteArray> tailLines;  // empty unless the tail holds a comment
};

SplitText splitTrailingComments(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  qsizetype lastContent = -1;
  for (qsizetype i = lines.size() - 1; i >= 0; --i) {
    if (isContentLine(lines[i])) {
      lastContent = i;
      break;
    }
  }
  SplitText split;
  bool tailHasComment = false;
  for (qsizetype i = 0; i < lines.size(); ++i) {
    if (i <= lastContent) {
      split.body += lines[i];
      split.body += '\n';
      continue;
    }
    QByteArray line = lines[i];
    if (line.endsWith('\r')) line.chop(1);
    tailHasComment = tailHasComment || !line.trimmed().isEmpty();
    split.tailLines.append(line);
  }
  if (!tailHasComment) split.tailLines.clear();
  while (!split.tailLines.isEmpty() && split.tailLines.back().trimmed().isEmpty()) split.tailLines.removeLast();
  return split;
}

// Reads the whole file; a missing file reads as empty. Anything else that stops the read is an error,
// since writing over a file that could not be read would lose its other sections.
QByteArray readForUpdate(const QString& path) {
  QFile file(path);
  if (!file.exists()) return {};
  if (!file.open(QIODevice::ReadOnly)) {
    throw SettingsError(
        QStringLiteral("Cannot read the settings file %1: %2").arg(path, file.errorString()).toStdString());
  }
  return file.readAll();
}

}  // namespace

IniFile::IniFile(const QString& path) : m_path(path) {}

QString IniFile::readString(const QString& section, const QString& name, const QString& defaultValue) const {
  QFile file(m_path);
  if (!file.open(QIODevice::ReadOnly)) return defaultValue;
  const QByteArray text = file.readAll();

  Ini ini;
  configure(ini);
  if (ini.LoadData(text.constData(), static_cast<size_t>(text.size())) < 0) return defaultValue;
  const char* value = ini.GetValue(section.toUtf8().constData(), name.toUtf8().constData(), nullptr);
  return value ? QString::fromUtf8(value) : defaultValue;
}

void IniFile::writeString(const QString& section, const QString& name, const QString& value) {
  const QByteArray original = readForUpdate(m_path);
  const bool hadBom = original.startsWith(kUtf8Bom);
  const bool crlf = original.contains("\r\n");
  const SplitText split = splitTrailingComments(hadBom ? original.mid(kUtf8Bom.size()) : original);

  Ini ini;
  configure(ini);
  if (ini.LoadData(split.body.constData(), static_cast<size_t>(split.body.size())) < 0) {
    throw SettingsError(QStringLiteral("Cannot read the settings file %1").arg(m_path).toStdString());
  }

  const QByteArray sectionName = section.toUtf8();
  QByteArray keyName = name.toUtf8();
  // An entry found under another spelling keeps it, so that the file holds one entry, not two.
  if (const Ini::TKeyVal* entries = ini.GetSection(sectionName.constData())) {
    const auto found = entries->lower_bound(Ini::Entry(keyName.constData()));
    if (found != entries->end() && !Ini::Entry::KeyOrder()(Ini::Entry(keyName.constData()), found->first)) {
      keyName = QByteArray(found->first.pItem);
    }
  }
  if (ini.SetValue(sectionName.constData(), keyName.constData(), value.toUtf8().constData(), nullptr, true) < 0) {
    throw SettingsError(QStringLiteral("Cannot write the settings file %1").arg(m_path).toStdString());
  }

  std::string saved;
  ini.Save(saved, false);
  QByteArray out = QByteArray::fromStdString(saved);
  if (!split.tailLines.isEmpty()) {
    const QByteArray tail = split.tailLines.join('\n') + '\n';
    // A file of comments only keeps them at its head, above what was added.
    out = split.body.trimmed().isEmpty() ? tail + '\n' + out : out + '\n' + tail;
  }
  if (crlf) out.replace("\n", "\r\n");
  if (hadBom) out.prepend(kUtf8Bom);

  QSaveFile file(m_path);
  file.setDirectWriteFallback(true);
  if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.commit()) {
    throw SettingsError(
        QStringLiteral("Cannot write the settings file %1: %2").arg(m_path, file.errorString()).toStdString());
  }
}
