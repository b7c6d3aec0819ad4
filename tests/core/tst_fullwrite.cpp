// Every file the program replaces whole, on a full disk: the write is reported as failed, the
// old file keeps its bytes and no temporary file is left behind. The disk is made full with a
// file-size limit (testlib/FullDisk.h), so the failure happens when the data leaves the program,
// also for files small enough to sit in a buffer until the end.
#include "core/FileLock.h"
#include "core/IniFile.h"
#include "core/Password.h"
#include "articles/ArticleCard.h"
#include "core/SafeWrite.h"
#include "mail/MailSettings.h"
#include "core/SpreadsheetWriter.h"
#include "report/PdfWriter.h"
#include "report/Printouts.h"
#include "report/Report.h"
#include "testlib/CalTest.h"
#include "testlib/FullDisk.h"

#include <QDir>
#include <QLoggingCategory>
#include <QRegularExpression>

using namespace cal;

namespace {

// One writer of the program: writes version 0 or 1 of its file into the folder.
struct Writer {
    const char* name;
    const char* file;
    bool (*write)(const QString& folder, int version);
};

QString text(int version) { return version ? QStringLiteral("Nuova S.r.l.") : QStringLiteral("Vecchia"); }

constexpr ExportColumn kColumns[] = {{"Cliente", 120}, {"Città", 80}};

const Writer kWriters[] = {
    {"settings (Sabbiolo.ini)", "Sabbiolo.ini",
     [](const QString& folder, int v) { return writeMailOffice(folder, {text(v), text(v)}); }},
    {"password (unins000.dll)", "unins000.dll",
     [](const QString& folder, int v) {
         return writeStoredPassword(folder, text(v)) == PasswordWrite::Written;
     }},
    {"ini document", "Bonifici.ini",
     [](const QString& folder, int v) {
         IniFile ini;
         ini.setValue(u"Bonifici Emessi", u"Nome Pagatore", text(v));
         return ini.save(folder + "Bonifici.ini");
     }},
    {"export", "Clienti.xls",
     [](const QString& folder, int v) {
         return writeSpreadsheet(folder + "Clienti.xls", "Archivio Clienti", kColumns, {{text(v), "Roma"}});
     }},
    {"article card", "Scheda.rtf",
     [](const QString& folder, int v) {
         ArticleCard card;
         card.txtTitolo = text(v);
         return writeArticleCard(folder + "Scheda.rtf", card);
     }},
    {"PDF card", "Contatto.pdf",
     [](const QString& folder, int v) {
         return writeReportPdf(listingReport(text(v), {text(v)}), folder + "Contatto.pdf");
     }},
};

// The files of the folder but the settings lock file, which the settings writers leave on purpose.
QStringList folderEntries(const QString& folder) {
    QStringList entries = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    entries.removeOne(kSettingsLockFile);
    return entries;
}

}  // namespace

class TestFullWrite : public QObject {
    Q_OBJECT
private slots:
    void writersReportAFullDiskAndKeepTheOldFile_data() {
        QTest::addColumn<int>("writer");
        for (int i = 0; i < int(std::size(kWriters)); ++i) QTest::newRow(kWriters[i].name) << i;
    }
    void writersReportAFullDiskAndKeepTheOldFile() {
        QFETCH(int, writer);
        const Writer& w = kWriters[writer];
        caltest::ProgramFolder folder;
        const QString path = folder.path(w.file);
        QVERIFY(w.write(folder.path(), 0));
        const QByteArray old = caltest::readAll(path);
        QVERIFY(old.size() > 16);
        {
            CAL_FULL_DISK(full);
            QVERIFY(!w.write(folder.path(), 1));
        }
        QCOMPARE(caltest::readAll(path), old);
        QCOMPARE(folderEntries(folder.path()), QStringList{w.file});
        // With room on the disk the same write goes through.
        QVERIFY(w.write(folder.path(), 1));
        QVERIFY(caltest::readAll(path) != old);
    }

    void passwordStaysValidAfterAFailedChange() {
        caltest::ProgramFolder folder;
        QCOMPARE(writeStoredPassword(folder.path(), u"vecchia"), PasswordWrite::Written);
        {
            CAL_FULL_DISK(full);
            QCOMPARE(writeStoredPassword(folder.path(), u"nuova"), PasswordWrite::WritingError);
        }
        QCOMPARE(readStoredPassword(folder.path()), std::optional<QString>("VECCHIA"));
    }

    // Below Qt's 16 KB buffer the data reaches the disk only at the end; above it, on the way.
    void wholeFileWritesFailAtAnySize_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("limit");
        QTest::newRow("100 bytes, none fit") << 100 << 0;
        QTest::newRow("100 bytes, part fits") << 100 << 40;
        QTest::newRow("16000 bytes, buffered") << 16000 << 1000;
        QTest::newRow("17000 bytes, past the buffer") << 17000 << 1000;
        QTest::newRow("300000 bytes") << 300000 << 200000;
    }
    void wholeFileWritesFailAtAnySize() {
        QFETCH(int, size);
        QFETCH(int, limit);
        caltest::ProgramFolder folder;
        const QString path = folder.path("file.bin");
        QVERIFY(caltest::writeAll(path, "old"));
        QString error;
        {
            caltest::FullDisk full{rlim_t(limit)};
            QVERIFY(full.ok());
            QVERIFY(!writeFileWhole(path, QByteArray(size, 'x'), &error));
        }
        QVERIFY(!error.isEmpty());
        QCOMPARE(caltest::readAll(path), QByteArray("old"));
        QCOMPARE(folderEntries(folder.path()), QStringList{"file.bin"});

        QVERIFY(writeFileWhole(path, QByteArray(size, 'x'), &error));
        QCOMPARE(caltest::readAll(path), QByteArray(size, 'x'));
    }

    void failuresKeepTheirCause() {
        caltest::ProgramFolder folder;
        SafeWrite file(folder.path("missing/file.txt"));
        // The path and the cause are logged under calvetra.files.
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^writing .*/missing/file\\.txt failed: .+"));
        QVERIFY(!file.open());
        QVERIFY(file.failed());
        QVERIFY(!file.errorString().isEmpty());
        QVERIFY(!file.write("abc"));
        QVERIFY(!file.commit());

        SafeWrite cancelled(folder.path("file.txt"));
        QVERIFY(cancelled.open());
        QVERIFY(cancelled.write("abc"));
        cancelled.cancel(QStringLiteral("stopped"));
        QCOMPARE(cancelled.errorString(), QStringLiteral("stopped"));
        QVERIFY(!cancelled.commit());
        QVERIFY(!QFileInfo::exists(folder.path("file.txt")));
    }
};

CAL_TEST_MAIN(TestFullWrite)
#include "tst_fullwrite.moc"
