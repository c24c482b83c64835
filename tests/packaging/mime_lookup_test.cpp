// Looks table files up the way a file manager or a file dialog finds their type: in a
// MIME database built from the installed MIME package (XDG_DATA_HOME points at it) and
// in the system's, whose types must not take the table files' names or content.
#include <gtest/gtest.h>

#include <QFile>
#include <QLocale>
#include <QMimeDatabase>

namespace {

const QString kTableType = QStringLiteral("application/x-biaoge-plomut");

QByteArray goldenTable(const char* name) {
    QFile file(QStringLiteral(BIAOGE_TEST_DATA_DIR "/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

TEST(MimeLookup, NamesWithTheThreeExtensionsAreTables) {
    QMimeDatabase database;
    for (const char* name :
         {"report.bge", "monthly.mob", "report.bfe", "REPORT.BGE", "Template.Mob", "a.b.bfe"}) {
        EXPECT_EQ(
            database.mimeTypeForFile(QLatin1String(name), QMimeDatabase::MatchExtension).name(),
            kTableType)
            << name;
    }
}

TEST(MimeLookup, NamesThatOnlyResembleTheExtensionsAreNotTables) {
    QMimeDatabase database;
    for (const char* name :
         {"report.bgex", "report.bge.txt", "bge", "report_bge", "report.mo", "report.bf"}) {
        EXPECT_NE(
            database.mimeTypeForFile(QLatin1String(name), QMimeDatabase::MatchExtension).name(),
            kTableType)
            << name;
    }
}

TEST(MimeLookup, TableFilesAreRecognisedByTheirContent) {
    QMimeDatabase database;
    for (const char* name : {"empty.bge", "varied.bge"}) {
        QByteArray table = goldenTable(name);
        EXPECT_EQ(database.mimeTypeForData(table).name(), kTableType) << name;
        // A copy under a name without a known extension still opens as a table.
        EXPECT_EQ(
            database.mimeTypeForFileNameAndData(QStringLiteral("copy of table"), table).name(),
            kTableType)
            << name;
    }
}

TEST(MimeLookup, ContentOnlyResemblingATableIsNotOne) {
    QMimeDatabase database;
    QByteArray table = goldenTable("varied.bge");
    for (qsizetype position = 0; position < 4; ++position) {
        QByteArray changed = table;
        changed[position] = static_cast<char>(changed[position] ^ 0x20);
        EXPECT_NE(database.mimeTypeForData(changed).name(), kTableType)
            << "byte " << position << " changed";
    }
    EXPECT_NE(database.mimeTypeForData(table.left(3)).name(), kTableType);
    EXPECT_NE(database.mimeTypeForData(QByteArray(" ") + table).name(), kTableType);
}

TEST(MimeLookup, TheTypeIsDescribedInEnglishAndChinese) {
    QMimeType type = QMimeDatabase().mimeTypeForName(kTableType);
    ASSERT_TRUE(type.isValid());
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(type.comment(), QStringLiteral("Biaoge table"));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    EXPECT_EQ(type.comment(), QStringLiteral("表格文件"));
    EXPECT_EQ(type.genericIconName(), QStringLiteral("x-office-spreadsheet"));
}

}  // namespace
