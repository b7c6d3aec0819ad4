// INI settings files: the bytes written, the reading of hand-written files, and failures that
// must leave the old file intact.
#include "core/FileLock.h"
#include "core/IniFile.h"
#include "core/Password.h"
#include "mail/MailSettings.h"
#include "testlib/CalTest.h"

#include <sys/resource.h>

using namespace cal;

namespace {
const QByteArray kHandWritten =
    "; settings written by hand\n"
    "orphan=before any section\n"
    "\n"
    "[Bonifici Emessi]\n"
    "Nome Pagatore = Rossi Mario \n"
    "  Codice Fiscale=RSSMRA80A01H501U\n"
    "; Iban Bancario=commented out\n"
    "Iban Bancario =   \"  IT60 X054 \"  \n"
    "Nome Pagatore=second, ignored\n"
    "Note='single'\n"
    "Aperta=\"only one quote\n"
    "Mista=\"a'\n"
    "Vuota=\n"
    "senza uguale\n"
    "\n"
    "[ Bonifici Ricevuti ]\r\n"
    "Nome Beneficiario=Citt\xE0 \x80 S.r.l.\r\n"
    "Uguali=a=b\r\n"
    "[Bonifici Emessi]\n"
    "Tipo=in a second section of the same name\n";
}  // namespace

class TestIniFile : public QObject {
    Q_OBJECT
private slots:
    void readingHandWrittenFiles_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("value");
        QTest::newRow("blanks around =") << "Bonifici Emessi" << "Nome Pagatore" << "Rossi Mario";
        QTest::newRow("indented key") << "Bonifici Emessi" << "Codice Fiscale" << "RSSMRA80A01H501U";
        QTest::newRow("quotes removed, inner blanks kept")
            << "Bonifici Emessi" << "Iban Bancario" << "  IT60 X054 ";
        QTest::newRow("single quotes") << "Bonifici Emessi" << "Note" << "single";
        QTest::newRow("one quote kept") << "Bonifici Emessi" << "Aperta" << "\"only one quote";
        QTest::newRow("different quotes kept") << "Bonifici Emessi" << "Mista" << "\"a'";
        QTest::newRow("empty value") << "Bonifici Emessi" << "Vuota" << "";
        QTest::newRow("case-insensitive section")
            << "BONIFICI EMESSI" << "Codice Fiscale" << "RSSMRA80A01H501U";
        QTest::newRow("case-insensitive key") << "Bonifici Emessi" << "nome pagatore" << "Rossi Mario";
        QTest::newRow("blanks inside brackets, CR LF, code page")
            << "Bonifici Ricevuti" << "Nome Beneficiario" << QString::fromUtf8("Città € S.r.l.");
        QTest::newRow("first = splits") << "Bonifici Ricevuti" << "Uguali" << "a=b";
        QTest::newRow("blank inside a name counts") << "Bonifici Emessi" << "NomePagatore" << "";
        QTest::newRow("key of another section") << "Bonifici Ricevuti" << "Nome Pagatore" << "";
        QTest::newRow("key before any section") << "" << "orphan" << "";
        QTest::newRow("line without =") << "Bonifici Emessi" << "senza uguale" << "";
        QTest::newRow("comment is no key") << "Bonifici Emessi" << "; Iban Bancario" << "";
        QTest::newRow("only the first section of a name")
            << "Bonifici Emessi" << "Tipo" << "";
        QTest::newRow("missing section") << "Accesso" << "Valore" << "";
    }
    void readingHandWrittenFiles() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, value);
        caltest::ProgramFolder folder;
        const QString path = folder.path("Bonifici.ini");
        QVERIFY(caltest::writeAll(path, kHandWritten));
        const std::optional<QString> read = readIniValue(path, section, key);
        QVERIFY(read.has_value());
        QCOMPARE(*read, value);
    }

    void duplicateKeysFirstWinsAndIsTheOneReplaced() {
        IniFile ini(QByteArray("[S]\r\nK=first\r\nk=second\r\n"));
        QCOMPARE(ini.value(u"S", u"K"), QString("first"));
        QVERIFY(ini.setValue(u"s", u"K", u"new"));
        QCOMPARE(ini.bytes(), QByteArray("[S]\r\nK=new\r\nk=second\r\n"));
    }

    void missingFileReadsEmptyAndIsNotCreated() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Sabbiolo.ini");
        const std::optional<QString> read = readIniValue(path, u"Protocollo Documenti", u"Ufficio");
        QVERIFY(read.has_value());
        QVERIFY(read->isEmpty());
        IniFile ini;
        QCOMPARE(ini.load(path), IniFile::Load::Missing);
        QVERIFY(!QFile::exists(path));
    }

    void existingButUnreadableIsAnError() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Bonifici.ini");
        QVERIFY(QDir(folder.path()).mkdir("Bonifici.ini"));  // a folder where the file should be
        IniFile ini;
        QCOMPARE(ini.load(path), IniFile::Load::Unreadable);
        QVERIFY(!readIniValue(path, u"Bonifici Emessi", u"Nome Pagatore").has_value());
        QVERIFY(!writeIniValue(path, u"Bonifici Emessi", u"Nome Pagatore", u"x"));
        QVERIFY(QFileInfo(path).isDir());
    }

    // The program writes files of a few hundred bytes; one over 1 MiB is damage and is the
    // reading error, found without reading it whole.
    void oversizedFilesAreUnreadable_data() {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("readable");
        QTest::newRow("exactly the largest") << kMaxIniFileSize << true;
        QTest::newRow("one byte more") << kMaxIniFileSize + 1 << false;
        QTest::newRow("100 MB") << qint64(100) * 1000 * 1000 << false;
    }
    void oversizedFilesAreUnreadable() {
        QFETCH(qint64, size);
        QFETCH(bool, readable);
        caltest::ProgramFolder folder;
        const QString path = folder.path(kPasswordFile);
        // The password of an intact file, then blank lines up to the size.
        const QByteArray head = "[Accesso]\r\nValore=" + scramble(u"CALVETRA").value().toLatin1() + "\r\n";
        {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QVERIFY(file.write(head) == head.size());
            const QByteArray blanks(1 << 20, '\n');
            for (qint64 left = size - head.size(); left > 0; left -= blanks.size())
                QVERIFY(file.write(blanks.constData(), std::min<qint64>(left, blanks.size())) > 0);
        }
        QCOMPARE(QFileInfo(path).size(), size);

        rusage before{};
        QCOMPARE(getrusage(RUSAGE_SELF, &before), 0);
        const std::optional<QString> password = readStoredPassword(folder.path());
        IniFile ini;
        const IniFile::Load load = ini.load(path);
        rusage after{};
        QCOMPARE(getrusage(RUSAGE_SELF, &after), 0);

        QCOMPARE(load, readable ? IniFile::Load::Loaded : IniFile::Load::Unreadable);
        QCOMPARE(password, readable ? std::optional<QString>("CALVETRA") : std::nullopt);
        if (!readable) {
            // Refused without reading it whole: far less than the file's size in memory.
            const long grownKb = after.ru_maxrss - before.ru_maxrss;
            QVERIFY2(grownKb < 16 * 1024, qPrintable(QStringLiteral("peak memory grew by %1 KB").arg(grownKb)));
        }
        // The settings files are read the same way.
        QVERIFY(QFile::link(path, folder.path(kMailSettingsFile)));
        QCOMPARE(readMailOffice(folder.path()).has_value(), readable);
    }

    void writesCreateTheFileWithCrLf() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Bonifici.ini");
        QVERIFY(writeIniValue(path, u"Bonifici Emessi", u"Nome Pagatore", QString::fromUtf8("Città € Srl")));
        QCOMPARE(caltest::readAll(path), QByteArray("[Bonifici Emessi]\r\nNome Pagatore=Citt\xE0 \x80 Srl\r\n"));
        QVERIFY(writeIniValue(path, u"Bonifici Emessi", u"Codice Fiscale", u"RSSMRA80A01H501U"));
        QVERIFY(writeIniValue(path, u"Bonifici Ricevuti", u"Nome Beneficiario", u"Bianchi"));
        QVERIFY(writeIniValue(path, u"bonifici emessi", u"NOME PAGATORE", u"Verdi"));
        QCOMPARE(caltest::readAll(path), QByteArray("[Bonifici Emessi]\r\n"
                                                    "Nome Pagatore=Verdi\r\n"
                                                    "Codice Fiscale=RSSMRA80A01H501U\r\n"
                                                    "\r\n"
                                                    "[Bonifici Ricevuti]\r\n"
                                                    "Nome Beneficiario=Bianchi\r\n"));
        // Only the file itself is left in the folder, beside the folder's settings lock file.
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 (QStringList{"Bonifici.ini", kSettingsLockFile}));
    }

    void writeKeepsEveryOtherLine_data() {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QByteArray>("after");
        const QByteArray file = "; kept\n[A]\nx = 1\n; note\ny=2\n\n[B]\r\nz=3\r\n";
        QTest::newRow("replace in first section, LF lines untouched")
            << file << "A" << "y" << QByteArray("; kept\n[A]\nx = 1\n; note\ny=V\r\n\n[B]\r\nz=3\r\n");
        QTest::newRow("replace keeps the key's spelling in the file")
            << file << "a" << "X" << QByteArray("; kept\n[A]\nx=V\r\n; note\ny=2\n\n[B]\r\nz=3\r\n");
        QTest::newRow("add after the last line of the section, before the blank")
            << file << "A" << "w" << QByteArray("; kept\n[A]\nx = 1\n; note\ny=2\nw=V\r\n\n[B]\r\nz=3\r\n");
        QTest::newRow("add to the last section")
            << file << "B" << "w" << QByteArray("; kept\n[A]\nx = 1\n; note\ny=2\n\n[B]\r\nz=3\r\nw=V\r\n");
        QTest::newRow("new section at the end")
            << file << "C" << "w" << QByteArray("; kept\n[A]\nx = 1\n; note\ny=2\n\n[B]\r\nz=3\r\n\r\n[C]\r\nw=V\r\n");
        QTest::newRow("last line without line end, new key")
            << QByteArray("[A]\r\nx=1") << "A" << "w" << QByteArray("[A]\r\nx=1\r\nw=V\r\n");
        QTest::newRow("last line without line end, new section")
            << QByteArray("[A]\r\nx=1") << "B" << "w" << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\nw=V\r\n");
        QTest::newRow("replace the last line without line end")
            << QByteArray("[A]\r\nx=1") << "A" << "x" << QByteArray("[A]\r\nx=V\r\n");
        QTest::newRow("file ending in a blank line")
            << QByteArray("[A]\r\nx=1\r\n\r\n") << "B" << "w" << QByteArray("[A]\r\nx=1\r\n\r\n[B]\r\nw=V\r\n");
        QTest::newRow("empty section")
            << QByteArray("[A]\r\n[B]\r\n") << "A" << "w" << QByteArray("[A]\r\nw=V\r\n[B]\r\n");
        QTest::newRow("empty file") << QByteArray() << "A" << "w" << QByteArray("[A]\r\nw=V\r\n");
        QTest::newRow("keys before any section are not the section's")
            << QByteArray("w=0\r\n[A]\r\n") << "A" << "w" << QByteArray("w=0\r\n[A]\r\nw=V\r\n");
        QTest::newRow("commented key is not replaced")
            << QByteArray("[A]\r\n;w=0\r\n") << "A" << "w" << QByteArray("[A]\r\n;w=0\r\nw=V\r\n");
    }
    void writeKeepsEveryOtherLine() {
        QFETCH(QByteArray, before);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QByteArray, after);
        caltest::ProgramFolder folder;
        const QString path = folder.path("Sabbiolo.ini");
        QVERIFY(caltest::writeAll(path, before));
        QVERIFY(writeIniValue(path, section, key, u"V"));
        QCOMPARE(caltest::readAll(path), after);
        QCOMPARE(*readIniValue(path, section, key), QString("V"));
    }

    void valuesReadBackAsWritten_data() {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("plain") << "Rossi" << QByteArray("K=Rossi\r\n") << "Rossi";
        QTest::newRow("empty") << "" << QByteArray("K=\r\n") << "";
        QTest::newRow("accents") << QString::fromUtf8("Città") << QByteArray("K=Citt\xE0\r\n")
                                 << QString::fromUtf8("Città");
        QTest::newRow("outside the code page") << QString::fromUtf8("Ω") << QByteArray("K=?\r\n") << "?";
        QTest::newRow("equals and semicolon") << "a=b ; c" << QByteArray("K=a=b ; c\r\n") << "a=b ; c";
        QTest::newRow("brackets") << "[Accesso]" << QByteArray("K=[Accesso]\r\n") << "[Accesso]";
        QTest::newRow("blanks at the ends") << " a " << QByteArray("K=\" a \"\r\n") << " a ";
        QTest::newRow("enclosed in quotes") << "\"q\"" << QByteArray("K=\"\"q\"\"\r\n") << "\"q\"";
        QTest::newRow("enclosed in single quotes") << "'q'" << QByteArray("K=\"'q'\"\r\n") << "'q'";
        QTest::newRow("one quote only") << "L'Aquila" << QByteArray("K=L'Aquila\r\n") << "L'Aquila";
        QTest::newRow("a lone quote") << "\"" << QByteArray("K=\"\r\n") << "\"";
        // A line break would start a line of its own ("Valore=..." in another section).
        QTest::newRow("line breaks become blanks")
            << "a\r\n[Accesso]\r\nValore=00" << QByteArray("K=a  [Accesso]  Valore=00\r\n")
            << "a  [Accesso]  Valore=00";
        QTest::newRow("trailing line break")
            << "a\n" << QByteArray("K=\"a \"\r\n") << "a ";
    }
    void valuesReadBackAsWritten() {
        QFETCH(QString, value);
        QFETCH(QByteArray, line);
        QFETCH(QString, readBack);
        IniFile ini;
        QVERIFY(ini.setValue(u"S", u"K", value));
        QCOMPARE(ini.bytes(), "[S]\r\n" + line);
        QCOMPARE(IniFile(ini.bytes()).value(u"S", u"K"), readBack);
        QCOMPARE(IniFile(ini.bytes()).value(u"S", u"Valore"), QString());
        QVERIFY(!IniFile(ini.bytes()).contains(u"Accesso", u"Valore"));
    }

    void namesThatCannotBeReadBackAreRefused_data() {
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::newRow("empty section") << "" << "K";
        QTest::newRow("empty key") << "S" << "";
        QTest::newRow("bracket in section") << "S]x" << "K";
        QTest::newRow("equals in key") << "S" << "K=1";
        QTest::newRow("line break in key") << "S" << "K\r\nX";
        QTest::newRow("blank around section") << " S" << "K";
        QTest::newRow("blank around key") << "S" << "K ";
        QTest::newRow("comment key") << "S" << ";K";
        QTest::newRow("section-like key") << "S" << "[K";
        QTest::newRow("outside the code page") << "S" << QString::fromUtf8("Ω");
    }
    void namesThatCannotBeReadBackAreRefused() {
        QFETCH(QString, section);
        QFETCH(QString, key);
        caltest::ProgramFolder folder;
        const QString path = folder.path("x.ini");
        QVERIFY(caltest::writeAll(path, "[S]\r\nK=1\r\n"));
        QVERIFY(!writeIniValue(path, section, key, u"V"));
        QCOMPARE(caltest::readAll(path), QByteArray("[S]\r\nK=1\r\n"));
    }

    void readOnlyFolderRefusesWritesAndKeepsTheFile() {
        caltest::ProgramFolder folder;
        const QString dir = folder.path("ro");
        QVERIFY(QDir(folder.path()).mkdir("ro"));
        const QString existing = dir + "/Bonifici.ini";
        QVERIFY(caltest::writeAll(existing, "[Bonifici Emessi]\r\nNome Pagatore=Rossi\r\n"));
        CAL_READ_ONLY(guard, dir);
        QVERIFY(!writeIniValue(existing, u"Bonifici Emessi", u"Nome Pagatore", u"Bianchi"));
        QVERIFY(!writeIniValue(dir + "/Sabbiolo.ini", u"Protocollo Documenti", u"Ufficio", u"x"));
        QCOMPARE(caltest::readAll(existing), QByteArray("[Bonifici Emessi]\r\nNome Pagatore=Rossi\r\n"));
        QVERIFY(!QFile::exists(dir + "/Sabbiolo.ini"));
        QCOMPARE(QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
                 QStringList{"Bonifici.ini"});
        // Reading still works.
        QCOMPARE(*readIniValue(existing, u"Bonifici Emessi", u"Nome Pagatore"), QString("Rossi"));
    }

    void readOnlyFileRefusesWritesAndStaysIntact() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("unins000.dll");
        const QByteArray before("[Accesso]\r\nValore=7A\r\n");
        QVERIFY(caltest::writeAll(path, before));
        {
            CAL_READ_ONLY(guard, path);
            QVERIFY(!writeIniValue(path, u"Accesso", u"Valore", u"00"));
        }
        QCOMPARE(caltest::readAll(path), before);
    }

    void severalKeysInOneSave() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Sabbiolo.ini");
        IniFile ini;
        QCOMPARE(ini.load(path), IniFile::Load::Missing);
        QVERIFY(ini.setValue(u"Protocollo Documenti", u"Ufficio", u"Segreteria"));
        QVERIFY(ini.setValue(u"Protocollo Documenti", u"Operatore", u"Bianchi"));
        QVERIFY(ini.save(path));
        IniFile again;
        QCOMPARE(again.load(path), IniFile::Load::Loaded);
        QCOMPARE(again.value(u"protocollo documenti", u"operatore"), QString("Bianchi"));
        QCOMPARE(caltest::readAll(path),
                 QByteArray("[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Bianchi\r\n"));
    }
};

CAL_TEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
