#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include "platform/settings/IniFile.h"

// Readable failure output for texts and lists of texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

namespace {

class IniFileTest : public ::testing::Test {
 protected:
  QString path(const QString& name = QStringLiteral("Skycfg.ini")) const { return m_dir.filePath(name); }

  void writeFile(const QByteArray& text) const {
    QFile f(path());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }

  QByteArray fileBytes() const {
    QFile f(path());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }

  // The file's lines without blank ones: a write may add or drop blank lines, nothing else.
  QStringList contentLines() const {
    QStringList lines;
    for (const QString& line : QString::fromUtf8(fileBytes()).split(QLatin1Char('\n'))) {
      if (!line.trimmed().isEmpty()) lines << line;
    }
    return lines;
  }

  QTemporaryDir m_dir;
};

TEST_F(IniFileTest, MissingFileGivesDefaultsAndCreatesNothing) {
  IniFile ini(path());
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("Interbase")),
            QStringLiteral("Interbase"));
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbDir"), QStringLiteral("local")),
            QStringLiteral("local"));
  EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(IniFileTest, MissingSectionOrEntryGivesDefault) {
  writeFile("[Other]\nDbType=MySQL\n[Skylpr]\nDbDir=server\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("Interbase")),
            QStringLiteral("Interbase"));
  EXPECT_EQ(ini.readString(QStringLiteral("Nowhere"), QStringLiteral("DbDir"), QStringLiteral("local")),
            QStringLiteral("local"));
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbDir"), QStringLiteral("local")),
            QStringLiteral("server"));
}

TEST_F(IniFileTest, EmptyValueIsAValueNotTheDefault) {
  writeFile("[Skylpr]\nDbType=\n");
  EXPECT_EQ(IniFile(path()).readString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("Interbase")),
            QString());
}

TEST_F(IniFileTest, ValuesAreTakenAsTheyStand) {
  writeFile("[Skylpr]\nDbType=mysql\nDbDir=\"local\"\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), {}), QStringLiteral("mysql"));
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbDir"), {}), QStringLiteral("\"local\""));
}

// Section and entry as spelled in the file; they are always asked for as "Skylpr" and "DbDir".
using Spelling = std::tuple<const char*, const char*>;
class CaseBlindNames : public IniFileTest, public ::testing::WithParamInterface<Spelling> {};

TEST_P(CaseBlindNames, ReadFindsTheEntry) {
  const auto [section, name] = GetParam();
  writeFile(QByteArray("[") + section + "]\n" + name + "=server\n");
  EXPECT_EQ(IniFile(path()).readString(QStringLiteral("Skylpr"), QStringLiteral("DbDir"), QStringLiteral("local")),
            QStringLiteral("server"));
}

TEST_P(CaseBlindNames, WriteReplacesTheEntryKeepingItsSpelling) {
  const auto [section, name] = GetParam();
  writeFile(QByteArray("[") + section + "]\n" + name + "=server\n");
  IniFile(path()).writeString(QStringLiteral("Skylpr"), QStringLiteral("Dbdir"), QStringLiteral("local"));
  EXPECT_EQ(contentLines(), (QStringList{QStringLiteral("[%1]").arg(QLatin1String(section)),
                                         QStringLiteral("%1=local").arg(QLatin1String(name))}));
  EXPECT_EQ(IniFile(path()).readString(QStringLiteral("SKYLPR"), QStringLiteral("DBDIR"), {}), QStringLiteral("local"));
}

INSTANTIATE_TEST_SUITE_P(Spellings, CaseBlindNames,
                         ::testing::Combine(::testing::Values("Skylpr", "skylpr", "SKYLPR"),
                                            ::testing::Values("DbDir", "dbdir", "DBDIR", "Dbdir")),
                         [](const ::testing::TestParamInfo<Spelling>& p) {
                           return std::string(std::get<0>(p.param)) + "_" + std::get<1>(p.param);
                         });

TEST_F(IniFileTest, DuplicateEntryReadsTheFirstAndAWriteLeavesOne) {
  writeFile("[Skylpr]\nDbDir=server\ndbdir=other\n");
  IniFile ini(path());
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbDir"), {}), QStringLiteral("server"));
  ini.writeString(QStringLiteral("Skylpr"), QStringLiteral("Dbdir"), QStringLiteral("local"));
  EXPECT_EQ(contentLines(), (QStringList{QStringLiteral("[Skylpr]"), QStringLiteral("DbDir=local")}));
}

TEST_F(IniFileTest, WriteKeepsEverythingElseOfTheFile) {
  writeFile(
      "; Settings of the Skyleaper suite\n"
      "; do not edit while a program runs\n"
      "\n"
      "[Skyjudge]\n"
      "; where the judges' terminals live\n"
      "; (two lines of comment)\n"
      "Port=COM3\n"
      "Name=審判\n"
      "\n"
      "# a comment before the section\n"
      "[Skylpr]\n"
      "; the database kind\n"
      "DbType=MySQL\n"
      "Window=left\n"
      "dbdir=server\n"
      "\n"
      "[Skycalc]\n"
      "Printer=LPT1\n"
      "\n"
      "; a closing remark\n"
      "; on two lines\n");
  IniFile ini(path());
  ini.writeString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("Interbase"));
  ini.writeString(QStringLiteral("Skylpr"), QStringLiteral("Dbdir"), QStringLiteral("local"));

  EXPECT_EQ(contentLines(), (QStringList{
                                QStringLiteral("; Settings of the Skyleaper suite"),
                                QStringLiteral("; do not edit while a program runs"),
                                QStringLiteral("[Skyjudge]"),
                                QStringLiteral("; where the judges' terminals live"),
                                QStringLiteral("; (two lines of comment)"),
                                QStringLiteral("Port=COM3"),
                                QStringLiteral("Name=審判"),
                                QStringLiteral("# a comment before the section"),
                                QStringLiteral("[Skylpr]"),
                                QStringLiteral("; the database kind"),
                                QStringLiteral("DbType=Interbase"),
                                QStringLiteral("Window=left"),
                                QStringLiteral("dbdir=local"),
                                QStringLiteral("[Skycalc]"),
                                QStringLiteral("Printer=LPT1"),
                                QStringLiteral("; a closing remark"),
                                QStringLiteral("; on two lines"),
                            }));
}

TEST_F(IniFileTest, WriteAddsFileSectionAndEntries) {
  IniFile ini(path());
  ini.writeString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("Interbase"));
  ini.writeString(QStringLiteral("Skylpr"), QStringLiteral("Dbdir"), QStringLiteral("local"));
  EXPECT_EQ(contentLines(), (QStringList{QStringLiteral("[Skylpr]"), QStringLiteral("DbType=Interbase"),
                                         QStringLiteral("Dbdir=local")}));
  // A fresh object reads what the first one wrote: every write is on disk at once.
  EXPECT_EQ(IniFile(path()).readString(QStringLiteral("Skylpr"), QStringLiteral("DbDir"), {}), QStringLiteral("local"));
}

TEST_F(IniFileTest, WriteAddsSectionBesideOthers) {
  writeFile("[Skycalc]\nPrinter=LPT1\n");
  IniFile(path()).writeString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("MySQL"));
  EXPECT_EQ(contentLines(), (QStringList{QStringLiteral("[Skycalc]"), QStringLiteral("Printer=LPT1"),
                                         QStringLiteral("[Skylpr]"), QStringLiteral("DbType=MySQL")}));
}

TEST_F(IniFileTest, FileOfCommentsOnlyKeepsThemAll) {
  writeFile("; first\n\n; second\n");
  IniFile(path()).writeString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("MySQL"));
  EXPECT_EQ(contentLines(), (QStringList{QStringLiteral("; first"), QStringLiteral("; second"),
                                         QStringLiteral("[Skylpr]"), QStringLiteral("DbType=MySQL")}));
}

TEST_F(IniFileTest, JapaneseValueRoundTripsAsPlainUtf8) {
  const QString value = QStringLiteral("ジャンプ　得点表示");
  IniFile(path()).writeString(QStringLiteral("Skylpr"), QStringLiteral("Title"), value);
  EXPECT_TRUE(fileBytes().contains(QByteArray("Title=") + value.toUtf8() + '\n'));
  EXPECT_EQ(IniFile(path()).readString(QStringLiteral("skylpr"), QStringLiteral("title"), {}), value);
}

TEST_F(IniFileTest, WindowsLineEndsAndSignatureSurviveAWrite) {
  writeFile("\xEF\xBB\xBF[Skylpr]\r\n; kind\r\nDbType=MySQL\r\n");
  IniFile(path()).writeString(QStringLiteral("Skylpr"), QStringLiteral("Dbdir"), QStringLiteral("server"));
  const QByteArray bytes = fileBytes();
  EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF[Skylpr]\r\n"));
  EXPECT_TRUE(bytes.contains("; kind\r\nDbType=MySQL\r\nDbdir=server\r\n"));
  EXPECT_FALSE(bytes.contains("\r\r"));
  EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
}

// Tests may run as root, who may write anywhere; these paths fail for everyone.
class UnwritableFile : public IniFileTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(UnwritableFile, WriteRaisesSettingsErrorNamingTheFile) {
  ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("folder")));
  const QString target = path(QString::fromUtf8(GetParam()));
  IniFile ini(target);
  try {
    ini.writeString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("Interbase"));
    FAIL() << "no SettingsError for " << target.toStdString();
  } catch (const SettingsError& e) {
    EXPECT_NE(std::string(e.what()).find(target.toStdString()), std::string::npos) << e.what();
  }
  EXPECT_EQ(ini.readString(QStringLiteral("Skylpr"), QStringLiteral("DbType"), QStringLiteral("none")),
            QStringLiteral("none"));
}

INSTANTIATE_TEST_SUITE_P(Paths, UnwritableFile, ::testing::Values("missing folder/Skycfg.ini", "folder"),
                         [](const ::testing::TestParamInfo<const char*>& p) {
                           return std::string(p.index == 0 ? "FolderMissing" : "PathIsAFolder");
                         });

}  // namespace
