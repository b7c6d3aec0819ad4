// The copy of the program folder's data and its restore: a copy holds every data file and folder
// and nothing else, a restore gives every data file back byte for byte, and every bad copy is
// refused with the program folder left exactly as it was.
#include "core/Backup.h"
#include "testlib/CalTest.h"
#include "testlib/FullDisk.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDir>
#include <QDirIterator>
#include <QLoggingCategory>
#include <QRandomGenerator>

#include <sys/stat.h>

using namespace cal;

namespace {

// The rule the program composes (tests/app checks that it is this one).
const DataFileRule kRule{
    .recordFiles = {"Contatti.pro", "Tariffario.pro", "Archivio_Documenti.pro", "Bonifici_Emessi.pro",
                    "Bonifici_Ricevuti.pro", "Libri.pro"},
    .yearExtensions = {".ser", ".prt", ".sca", ".art"},
    .files = {"unins000.dll", "Sabbiolo.ini", "Bonifici.ini"},
    .folders = {"Documenti_Allegati"},
    .numberedFolders = {"Cliente_"},
};

// The ten record files with their record sizes.
const struct {
    const char* name;
    int size;
} kRecordFiles[] = {{"Contatti.pro", 3482},      {"Tariffario.pro", 4042},   {"Archivio_Documenti.pro", 3991},
                    {"Bonifici_Emessi.pro", 2574}, {"Bonifici_Ricevuti.pro", 2574}, {"Libri.pro", 3237},
                    {"2024.ser", 3758},          {"2025.prt", 3403},         {"2024.sca", 2318},
                    {"2023.art", 7957}};

QByteArray randomBytes(qsizetype n, quint32 start) {
    QRandomGenerator g(start);
    QByteArray b(n, Qt::Uninitialized);
    for (char& c : b) c = char(g.bounded(256));
    return b;
}

// Everything under `root`: files with their bytes, folders as "<name>/" with no bytes, links as
// "<name> -> <target>". Hidden entries included.
QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        const QString name = QDir(root).relativeFilePath(info.filePath());
        if (info.isSymLink())
            out.insert(name + " -> " + info.symLinkTarget(), {});
        else if (info.isDir())
            out.insert(name + '/', {});
        else
            out.insert(name, caltest::readAll(info.filePath()));
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    return QDir().mkpath(QFileInfo(path).absolutePath()) && caltest::writeAll(path, bytes);
}

// A program folder with every kind of data and the program's own files beside them.
void fillProgramFolder(const QString& root) {
    quint32 generator = 1;
    for (const auto& f : kRecordFiles)  // whole records and a trailing partial one
        QVERIFY(writeFile(root + f.name, randomBytes(f.size * 3 + 17, generator++)));
    QVERIFY(writeFile(root + "unins000.dll", "[Accesso]\r\nValore=1A2B3C\r\n"));
    QVERIFY(writeFile(root + "Sabbiolo.ini", "[Ufficio]\r\nNome=Studio Citt\xE0\r\n"));
    QVERIFY(writeFile(root + "Bonifici.ini", "[Bonifici Emessi]\r\nNome Pagatore=Rossi\r\n"));
    QVERIFY(writeFile(root + QString::fromUtf8("Documenti_Allegati/Fattura città, n.1; copia.pdf"), randomBytes(70000, 99)));
    QVERIFY(writeFile(root + "Documenti_Allegati/.nascosto", "x"));
    QVERIFY(writeFile(root + "Cliente_1/Corrispondenza/lettera.txt", "Gentile Cliente,\n"));
    QVERIFY(QDir().mkpath(root + "Cliente_1/Vuota"));
    QVERIFY(QDir().mkpath(root + "Cliente_12"));
    QVERIFY(writeFile(root + "Cliente_3/doc.odt", randomBytes(300, 7)));
    // The program's own files, an export, and names that only look like data.
    for (const char* own : {"Calvetra", "libcalvetra_sound.so", "Guida.pdf", "Avviso.mp3", "Clienti.xls",
                            "Contatto.pdf", "Calvetra.installato", "24.sca", "2024.sca.bak", "Cliente_0/x",
                            "Cliente_01/x", "Cliente_x/y", "Documenti/z"})
        QVERIFY(writeFile(root + own, own));
}

QSet<QString> dataEntries() {
    QSet<QString> names{"Calvetra-copia.txt", "unins000.dll", "Sabbiolo.ini", "Bonifici.ini", "Documenti_Allegati/",
                        QString::fromUtf8("Documenti_Allegati/Fattura città, n.1; copia.pdf"),
                        "Documenti_Allegati/.nascosto", "Cliente_1/", "Cliente_1/Corrispondenza/",
                        "Cliente_1/Corrispondenza/lettera.txt", "Cliente_1/Vuota/", "Cliente_12/", "Cliente_3/",
                        "Cliente_3/doc.odt"};
    for (const auto& f : kRecordFiles) names << f.name;
    return names;
}

// The zip's entries in order, as libarchive reads them.
QStringList zipEntries(const QString& path) {
    QStringList names;
    archive* a = archive_read_new();
    archive_read_support_format_zip(a);
    if (archive_read_open_filename(a, QFile::encodeName(path).constData(), 65536) == ARCHIVE_OK) {
        archive_entry* e;
        while (archive_read_next_header(a, &e) == ARCHIVE_OK) names << QString::fromUtf8(archive_entry_pathname_utf8(e));
    }
    archive_read_free(a);
    return names;
}

// An entry of a zip made by the test.
struct Entry {
    QString name;
    unsigned type = AE_IFREG;
    QByteArray data = {};
    QString link = {};
};

}  // namespace

Q_DECLARE_METATYPE(Entry)

namespace {

QByteArray descriptionText(int files) {
    return "Calvetra 4.0 - copia di sicurezza\r\nData=2024-05-03T15:30:00\r\nFile=" + QByteArray::number(files) + "\r\n";
}

bool writeZip(const QString& path, const QList<Entry>& entries) {
    archive* a = archive_write_new();
    bool ok = archive_write_set_format_zip(a) == ARCHIVE_OK && archive_write_set_options(a, "zip:hdrcharset=UTF-8") == ARCHIVE_OK &&
              archive_write_open_filename(a, QFile::encodeName(path).constData()) == ARCHIVE_OK;
    for (const Entry& entry : entries) {
        if (!ok) break;
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, entry.name.toUtf8().constData());
        archive_entry_set_filetype(e, entry.type);
        archive_entry_set_perm(e, 0644);
        archive_entry_set_size(e, entry.data.size());
        if (!entry.link.isEmpty()) archive_entry_set_symlink_utf8(e, entry.link.toUtf8().constData());
        ok = archive_write_header(a, e) == ARCHIVE_OK &&
             (entry.data.isEmpty() || archive_write_data(a, entry.data.constData(), std::size_t(entry.data.size())) ==
                                          la_ssize_t(entry.data.size()));
        archive_entry_free(e);
    }
    ok = archive_write_close(a) == ARCHIVE_OK && ok;
    archive_write_free(a);
    return ok;
}

// Sets the kind of file (the Unix mode's type bits) that the zip's central directory records for
// the entry `name`, as a zip made elsewhere may record a device or a pipe.
bool setZipMode(const QString& path, const QByteArray& name, quint32 mode) {
    QByteArray zip = caltest::readAll(path);
    for (qsizetype at = zip.indexOf("PK\x01\x02"); at >= 0; at = zip.indexOf("PK\x01\x02", at + 4)) {
        const auto u16 = [&](qsizetype o) { return quint8(zip[at + o]) | quint8(zip[at + o + 1]) << 8; };
        if (zip.mid(at + 46, u16(28)) != name) continue;
        zip[at + 5] = 3;  // made on Unix: the external attributes hold the mode
        const quint32 attributes = mode << 16;
        for (int i = 0; i < 4; ++i) zip[at + 38 + i] = char(attributes >> (8 * i));
        return caltest::writeAll(path, zip);
    }
    return false;
}

}  // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("calvetra.files.warning=false")); }

    void dataNamesFollowTheRule_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("kind");
        const auto row = [](const char* name, DataKind kind) { QTest::newRow(name) << QString(name) << int(kind); };
        row("Contatti.pro", DataKind::RecordFile);
        row("2024.sca", DataKind::RecordFile);
        row("0000.art", DataKind::RecordFile);
        row("202.sca", DataKind::None);
        row("20245.sca", DataKind::None);
        row("2024.scax", DataKind::None);
        row("abcd.sca", DataKind::None);
        row("contatti.pro", DataKind::None);
        row("unins000.dll", DataKind::File);
        row("Bonifici.ini", DataKind::File);
        row("Documenti_Allegati", DataKind::Folder);
        row("Cliente_7", DataKind::Folder);
        row("Cliente_120", DataKind::Folder);
        row("Cliente_0", DataKind::None);
        row("Cliente_07", DataKind::None);
        row("Cliente_", DataKind::None);
        row("Cliente_7a", DataKind::None);
        row("Guida.pdf", DataKind::None);
        row("Calvetra", DataKind::None);
    }
    void dataNamesFollowTheRule() {
        QFETCH(QString, name);
        QFETCH(int, kind);
        QCOMPARE(int(dataKind(kRule, name)), kind);
    }

    void aBackupHoldsEveryDataFileAndNothingElse() {
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        QVERIFY(QFile::link(folder.path("Documenti_Allegati"), folder.path("Cliente_9")));
        QTemporaryDir place;
        const QString target = place.path() + "/copia.zip";
        const QDateTime taken(QDate(2024, 5, 3), QTime(15, 30));
        const BackupOutcome out = writeBackup(folder.path(), kRule, target, taken);
        QVERIFY2(out.ok, qPrintable(out.error));
        QCOMPARE(out.skipped, QStringList{"Cliente_9"});  // a link is no data folder
        QCOMPARE(out.files, 17);
        const QStringList entries = zipEntries(target);
        QCOMPARE(entries.first(), QString("Calvetra-copia.txt"));
        QCOMPARE(QSet<QString>(entries.begin(), entries.end()), dataEntries());
        QCOMPARE(entries.size(), dataEntries().size());
        // Only the copy is left in the chosen folder.
        QCOMPARE(QDir(place.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"copia.zip"});
    }

    void restoreGivesEveryDataFileBackByteForByte() {
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        const QMap<QString, QByteArray> before = snapshot(folder.path());
        QTemporaryDir place;
        const QString target = place.path() + "/copia.zip";
        const QDateTime taken(QDate(2024, 5, 3), QTime(15, 30, 12));
        QVERIFY(writeBackup(folder.path(), kRule, target, taken).ok);

        // After the copy: records added, a file and a folder lost, an attachment changed, a folder
        // where the copy has a file, a new year begun.
        QVERIFY(writeFile(folder.path("Contatti.pro"), randomBytes(3482 * 5, 1234)));
        QVERIFY(QFile::remove(folder.path("Libri.pro")));
        QVERIFY(QDir(folder.path("Cliente_1")).removeRecursively());
        QVERIFY(writeFile(folder.path("Documenti_Allegati/.nascosto"), "cambiato"));
        QVERIFY(QFile::remove(folder.path("Sabbiolo.ini")));
        QVERIFY(writeFile(folder.path("Sabbiolo.ini/dentro"), "una cartella al posto del file"));
        QVERIFY(writeFile(folder.path("2026.sca"), "nuovo anno"));
        QVERIFY(writeFile(folder.path("Cliente_3/nuovo.txt"), "aggiunto dopo"));

        BackupRestore restore(folder.path(), kRule);
        QVERIFY2(restore.prepare(target), qPrintable(restore.errorString()));
        QCOMPARE(restore.taken(), taken);
        QCOMPARE(restore.files(), 17);
        QStringList replaced = restore.replaced();
        replaced.sort();
        QStringList expected{"Contatti.pro", "Documenti_Allegati/.nascosto", "Sabbiolo.ini"};
        for (const auto& f : kRecordFiles)
            if (QString(f.name) != "Contatti.pro" && QString(f.name) != "Libri.pro") expected << f.name;
        expected << "Bonifici.ini" << "unins000.dll" << "Cliente_3/doc.odt"
                 << QString::fromUtf8("Documenti_Allegati/Fattura città, n.1; copia.pdf");
        expected.sort();
        QCOMPARE(replaced, expected);
        QVERIFY2(restore.commit(), qPrintable(restore.errorString()));

        QMap<QString, QByteArray> after = snapshot(folder.path());
        // What the copy does not hold stays.
        QCOMPARE(after.take("2026.sca"), QByteArray("nuovo anno"));
        QCOMPARE(after.take("Cliente_3/nuovo.txt"), QByteArray("aggiunto dopo"));
        QCOMPARE(after, before);
    }

    void aBadCopyIsRefusedAndTheFolderStaysAsItWas_data() {
        QTest::addColumn<QList<Entry>>("entries");
        QTest::addColumn<int>("failure");
        QTest::addColumn<QString>("entry");
        using F = BackupRestore::Failure;
        const Entry about{"Calvetra-copia.txt", AE_IFREG, descriptionText(1)};
        const Entry contacts{"Contatti.pro", AE_IFREG, "record"};
        const auto row = [&](const char* name, QList<Entry> entries, F failure, const QString& entry = {}) {
            QTest::newRow(name) << entries << int(failure) << entry;
        };
        row("foreign zip", {{"foto.jpg", AE_IFREG, "jpeg"}}, F::Foreign, "foto.jpg");
        row("description not first", {contacts, about}, F::Foreign, "Contatti.pro");
        row("other program's description", {{"Calvetra-copia.txt", AE_IFREG, "Altro programma\r\nFile=0\r\n"}}, F::Foreign);
        row("description without date", {{"Calvetra-copia.txt", AE_IFREG, "Calvetra 4.0 - copia di sicurezza\r\nFile=0\r\n"}},
            F::Foreign);
        row("empty zip", {}, F::Foreign);
        row("parent folder", {about, {"../Contatti.pro", AE_IFREG, "x"}}, F::Unsafe, "../Contatti.pro");
        row("parent inside a data folder", {about, {"Cliente_1/../../fuori.txt", AE_IFREG, "x"}}, F::Unsafe,
            "Cliente_1/../../fuori.txt");
        row("absolute path", {about, {"/tmp/Contatti.pro", AE_IFREG, "x"}}, F::Unsafe, "/tmp/Contatti.pro");
        row("empty name inside", {about, {"Cliente_1//x", AE_IFREG, "x"}}, F::Unsafe, "Cliente_1//x");
        // Backslashes are read as the separators of a zip file made on Windows.
        row("backslashes", {about, {"Cliente_1\\..\\x", AE_IFREG, "x"}}, F::Unsafe, "Cliente_1/../x");
        row("name the program does not own", {about, {"avvio.sh", AE_IFREG, "x"}}, F::Unsafe, "avvio.sh");
        row("the program itself", {about, {"Calvetra", AE_IFREG, "x"}}, F::Unsafe, "Calvetra");
        row("link", {about, {"Cliente_1", AE_IFDIR}, {"Cliente_1/x", AE_IFLNK, {}, "/etc/passwd"}}, F::Unsafe,
            "Cliente_1/x");
        row("record file as a folder", {about, {"Contatti.pro/", AE_IFDIR}}, F::Unsafe, "Contatti.pro");
        row("data folder as a file", {about, {"Cliente_4", AE_IFREG, "x"}}, F::Unsafe, "Cliente_4");
        row("file inside a record file", {about, contacts, {"Contatti.pro/x", AE_IFREG, "x"}}, F::Unsafe,
            "Contatti.pro/x");
        row("same file twice", {{"Calvetra-copia.txt", AE_IFREG, descriptionText(2)}, contacts, contacts}, F::Unsafe,
            "Contatti.pro");
        row("files missing", {{"Calvetra-copia.txt", AE_IFREG, descriptionText(3)}, contacts}, F::Damaged);
    }
    void aBadCopyIsRefusedAndTheFolderStaysAsItWas() {
        QFETCH(QList<Entry>, entries);
        QFETCH(int, failure);
        QFETCH(QString, entry);
        QTemporaryDir outer;  // the program folder is inside it, so that nothing lands beside it
        const QString root = outer.path() + "/Calvetra/";
        fillProgramFolder(root);
        const QMap<QString, QByteArray> before = snapshot(outer.path());
        QTemporaryDir place;
        const QString file = place.path() + "/copia.zip";
        QVERIFY(writeZip(file, entries));

        BackupRestore restore(root, kRule);
        QVERIFY(!restore.prepare(file));
        QCOMPARE(int(restore.failure()), failure);
        if (!entry.isEmpty()) QCOMPARE(restore.entry(), entry);
        QCOMPARE(snapshot(outer.path()), before);
    }

    // Devices and sockets come only from zip files made elsewhere, which record them in their
    // central directory. (The zip library reads a pipe recorded so as a plain file.)
    void devicesAreRefused_data() {
        QTest::addColumn<quint32>("mode");
        QTest::newRow("character device") << quint32(S_IFCHR | 0644);
        QTest::newRow("block device") << quint32(S_IFBLK | 0644);
        QTest::newRow("socket") << quint32(S_IFSOCK | 0644);
    }
    void devicesAreRefused() {
        QFETCH(quint32, mode);
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        const QMap<QString, QByteArray> before = snapshot(folder.path());
        QTemporaryDir place;
        const QString file = place.path() + "/copia.zip";
        QVERIFY(writeZip(file, {{"Calvetra-copia.txt", AE_IFREG, descriptionText(1)}, {"Cliente_2/dispositivo", AE_IFREG, "x"}}));
        QVERIFY(setZipMode(file, "Cliente_2/dispositivo", mode));
        BackupRestore restore(folder.path(), kRule);
        QVERIFY(!restore.prepare(file));
        QCOMPARE(restore.failure(), BackupRestore::Failure::Unsafe);
        QCOMPARE(restore.entry(), QString("Cliente_2/dispositivo"));
        QCOMPARE(snapshot(folder.path()), before);
    }

    // A copy of the program, damaged or cut short in several ways.
    void aDamagedCopyIsRefused_data() {
        QTest::addColumn<QString>("damage");
        QTest::addColumn<int>("failure");
        using F = BackupRestore::Failure;
        QTest::newRow("a byte changed in a file") << "flip" << int(F::Damaged);
        QTest::newRow("cut in the middle") << "half" << int(F::Damaged);
        QTest::newRow("cut before its table of contents") << "directory" << int(F::Damaged);
        QTest::newRow("cut before its last file") << "last" << int(F::Damaged);
        QTest::newRow("cut after a few bytes") << "start" << int(F::Damaged);
        QTest::newRow("empty file") << "empty" << int(F::Foreign);
        QTest::newRow("text file") << "text" << int(F::Foreign);
        QTest::newRow("tar archive") << "tar" << int(F::Foreign);
        QTest::newRow("missing file") << "missing" << int(F::Unreadable);
        QTest::newRow("a folder") << "folder" << int(F::Unreadable);
    }
    void aDamagedCopyIsRefused() {
        QFETCH(QString, damage);
        QFETCH(int, failure);
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        QTemporaryDir place;
        const QString file = place.path() + "/copia.zip";
        QVERIFY(writeBackup(folder.path(), kRule, file, QDateTime::currentDateTime()).ok);
        QByteArray zip = caltest::readAll(file);
        if (damage == "flip") {
            // Inside the attachment of random bytes, well past its header.
            const qsizetype at = zip.indexOf("Fattura") + 20000;
            zip[at] = char(zip[at] ^ 0x5A);
        } else if (damage == "half") {
            zip.truncate(zip.size() / 2);
        } else if (damage == "directory") {
            zip.truncate(zip.indexOf("PK\x01\x02"));
        } else if (damage == "last") {
            zip.truncate(zip.lastIndexOf("PK\x03\x04"));
        } else if (damage == "start") {
            zip.truncate(30);
        } else if (damage == "empty") {
            zip.clear();
        } else if (damage == "text") {
            zip = "Questo non è un archivio.\n";
        } else if (damage == "tar") {
            archive* a = archive_write_new();
            archive_write_set_format_pax_restricted(a);
            QVERIFY(archive_write_open_filename(a, QFile::encodeName(file).constData()) == ARCHIVE_OK);
            archive_entry* e = archive_entry_new();
            archive_entry_set_pathname(e, "Calvetra-copia.txt");
            archive_entry_set_filetype(e, AE_IFREG);
            archive_entry_set_size(e, descriptionText(0).size());
            archive_write_header(a, e);
            archive_write_data(a, descriptionText(0).constData(), std::size_t(descriptionText(0).size()));
            archive_entry_free(e);
            archive_write_free(a);
            zip = caltest::readAll(file);
        }
        if (damage == "missing") {
            QVERIFY(QFile::remove(file));
        } else if (damage == "folder") {
            QVERIFY(QFile::remove(file));
            QVERIFY(QDir().mkpath(file));
        } else {
            QVERIFY(caltest::writeAll(file, zip));
        }
        // The folder as it is now, changed after the copy, stays so.
        QVERIFY(writeFile(folder.path("Contatti.pro"), "cambiato"));
        const QMap<QString, QByteArray> before = snapshot(folder.path());
        BackupRestore restore(folder.path(), kRule);
        QVERIFY(!restore.prepare(file));
        QCOMPARE(int(restore.failure()), failure);
        QCOMPARE(snapshot(folder.path()), before);
    }

    void aCopyInsideTheProgramFolderIsRefused() {
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        const QMap<QString, QByteArray> before = snapshot(folder.path());
        for (const QString& target : {folder.path("copia.zip"), folder.path("Cliente_1/copia.zip")}) {
            const BackupOutcome out = writeBackup(folder.path(), kRule, target, QDateTime::currentDateTime());
            QVERIFY(!out.ok);
            QVERIFY(out.insideFolder);
        }
        QCOMPARE(snapshot(folder.path()), before);
    }

    void aFullDiskLeavesNoCopy() {
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        QTemporaryDir place;
        const QString target = place.path() + "/copia.zip";
        QVERIFY(caltest::writeAll(target, "copia precedente"));
        BackupOutcome out;
        {
            caltest::FullDisk full(20000);
            QVERIFY2(full.ok(), "RLIMIT_FSIZE could not be set");
            out = writeBackup(folder.path(), kRule, target, QDateTime::currentDateTime());
        }
        QVERIFY(!out.ok);
        QVERIFY(out.unreadable.isEmpty());
        QCOMPARE(caltest::readAll(target), QByteArray("copia precedente"));
        QCOMPARE(QDir(place.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"copia.zip"});
    }

    void anUnreadableDataFileLeavesNoCopy() {
        if (geteuid() == 0) QSKIP("root reads every file");
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        QVERIFY(QFile::setPermissions(folder.path("Libri.pro"), QFileDevice::WriteOwner));
        QTemporaryDir place;
        const BackupOutcome out = writeBackup(folder.path(), kRule, place.path() + "/copia.zip", QDateTime::currentDateTime());
        QVERIFY(!out.ok);
        QCOMPARE(out.unreadable, QString("Libri.pro"));
        QVERIFY(QDir(place.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
    }

    void aFullDiskWhileRestoringChangesNothing() {
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        QTemporaryDir place;
        const QString file = place.path() + "/copia.zip";
        QVERIFY(writeBackup(folder.path(), kRule, file, QDateTime::currentDateTime()).ok);
        QVERIFY(writeFile(folder.path("Contatti.pro"), "cambiato"));
        const QMap<QString, QByteArray> before = snapshot(folder.path());
        BackupRestore restore(folder.path(), kRule);
        bool prepared;
        {
            caltest::FullDisk full(50000);  // less than the attachment of 70,000 bytes
            QVERIFY2(full.ok(), "RLIMIT_FSIZE could not be set");
            prepared = restore.prepare(file);
        }
        QVERIFY(!prepared);
        QCOMPARE(restore.failure(), BackupRestore::Failure::Write);
        QCOMPARE(snapshot(folder.path()), before);
    }

    void aFailureWhileRestoringPutsEverythingBack() {
        caltest::ProgramFolder folder;
        fillProgramFolder(folder.path());
        QTemporaryDir place;
        const QString file = place.path() + "/copia.zip";
        QVERIFY(writeBackup(folder.path(), kRule, file, QDateTime::currentDateTime()).ok);
        // Changed after the copy: the restore replaces the top files first, then stops at the
        // client folder that cannot change.
        QVERIFY(writeFile(folder.path("Contatti.pro"), "cambiato"));
        QVERIFY(QFile::remove(folder.path("2024.sca")));
        QVERIFY(writeFile(folder.path("Cliente_3/doc.odt"), "cambiato"));
        const QMap<QString, QByteArray> before = snapshot(folder.path());
        BackupRestore restore(folder.path(), kRule);
        QVERIFY(restore.prepare(file));
        {
            CAL_READ_ONLY(guard, folder.path("Cliente_3"));
            QVERIFY(!restore.commit());
        }
        QCOMPARE(restore.failure(), BackupRestore::Failure::Write);
        QVERIFY(restore.rolledBack());
        QCOMPARE(restore.entry(), QString("Cliente_3/doc.odt"));
        QCOMPARE(snapshot(folder.path()), before);
    }
};

CAL_TEST_MAIN(TestBackup)
#include "tst_backup.moc"
