// The settings files "Sabbiolo.ini" (mail register) and "Bonifici.ini" (transfer registers):
// the bytes written, reading back, and missing or unreadable files.
#include "mail/MailSettings.h"
#include "transfers/TransferSettings.h"
#include "testlib/CalTest.h"

#include <sys/stat.h>

using namespace cal;

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void transferPartiesAreWrittenUnderTheirOwnSections() {
        caltest::ProgramFolder folder;
        QVERIFY(writeTransferParty(folder.path(), TransferRegister::Issued,
                                   {QString::fromUtf8(" Rossi Mario & Città "), "RSSMRA80A01H501U ",
                                    " IT60X0542811101000000123456"}));
        QCOMPARE(caltest::readAll(folder.path("Bonifici.ini")),
                 QByteArray("[Bonifici Emessi]\r\n"
                            "Nome Pagatore=Rossi Mario & Citt\xE0\r\n"
                            "Codice Fiscale=RSSMRA80A01H501U\r\n"
                            "Iban Bancario=IT60X0542811101000000123456\r\n"));
        QVERIFY(writeTransferParty(folder.path(), TransferRegister::Received,
                                   {"Studio Bianchi", "01234567890", ""}));
        QVERIFY(writeTransferParty(folder.path(), TransferRegister::Issued,
                                   {"Verdi Anna", "", "IT02L1234512345123456789012"}));
        QCOMPARE(caltest::readAll(folder.path("Bonifici.ini")),
                 QByteArray("[Bonifici Emessi]\r\n"
                            "Nome Pagatore=Verdi Anna\r\n"
                            "Codice Fiscale=\r\n"
                            "Iban Bancario=IT02L1234512345123456789012\r\n"
                            "\r\n"
                            "[Bonifici Ricevuti]\r\n"
                            "Nome Beneficiario=Studio Bianchi\r\n"
                            "Codice Fiscale=01234567890\r\n"
                            "Iban Bancario=\r\n"));

        const std::optional<TransferParty> issued = readTransferParty(folder.path(), TransferRegister::Issued);
        QVERIFY(issued.has_value());
        QCOMPARE(issued->name, QString("Verdi Anna"));
        QCOMPARE(issued->fiscalCode, QString());
        QCOMPARE(issued->iban, QString("IT02L1234512345123456789012"));
        const std::optional<TransferParty> received =
            readTransferParty(folder.path(), TransferRegister::Received);
        QVERIFY(received.has_value());
        QCOMPARE(received->name, QString("Studio Bianchi"));
        QCOMPARE(received->fiscalCode, QString("01234567890"));
        QCOMPARE(received->iban, QString());
    }

    void transferPartyReadsTheNameKeyOfItsRegister() {
        caltest::ProgramFolder folder;
        // Each section holds the other register's name key too: only the own one counts.
        QVERIFY(caltest::writeAll(folder.path("Bonifici.ini"),
                                  "[Bonifici Emessi]\r\nNome Beneficiario=wrong\r\nNome Pagatore=Payer\r\n"
                                  "[Bonifici Ricevuti]\r\nNome Pagatore=wrong\r\nNome Beneficiario=Payee\r\n"));
        QCOMPARE(readTransferParty(folder.path(), TransferRegister::Issued)->name, QString("Payer"));
        QCOMPARE(readTransferParty(folder.path(), TransferRegister::Received)->name, QString("Payee"));
        QCOMPARE(transferSettingsSection(TransferRegister::Received), QString("Bonifici Ricevuti"));
        QCOMPARE(transferNameKey(TransferRegister::Received), QString("Nome Beneficiario"));
    }

    void missingFileGivesEmptyValues() {
        caltest::ProgramFolder folder;
        const std::optional<TransferParty> party = readTransferParty(folder.path(), TransferRegister::Issued);
        QVERIFY(party.has_value());
        QVERIFY(party->name.isEmpty() && party->fiscalCode.isEmpty() && party->iban.isEmpty());
        const std::optional<MailOffice> office = readMailOffice(folder.path());
        QVERIFY(office.has_value());
        QVERIFY(office->office.isEmpty() && office->operatorName.isEmpty());
        const std::optional<MailNumbering> numbering = readMailNumbering(folder.path());
        QVERIFY(numbering.has_value());
        QCOMPARE(numbering->start, QString());
        QCOMPARE(numbering->withYear, false);
        QCOMPARE(numbering->startNumber(), std::optional<qint64>(1));
        QVERIFY(!QFile::exists(folder.path("Bonifici.ini")));
        QVERIFY(!QFile::exists(folder.path("Sabbiolo.ini")));
    }

    void unreadableFilesAreReportedAndNotReplaced_data() {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("folder") << false;
        // A pipe with nobody writing into it: refused at once, never waited on.
        QTest::newRow("pipe") << true;
    }
    void unreadableFilesAreReportedAndNotReplaced() {
        QFETCH(bool, pipe);
        caltest::ProgramFolder folder;
        for (const char* name : {"Bonifici.ini", "Sabbiolo.ini"}) {
            if (pipe) QCOMPARE(::mkfifo(qPrintable(folder.path(name)), 0644), 0);
            else QVERIFY(QDir(folder.path()).mkdir(name));
        }
        QVERIFY(!readTransferParty(folder.path(), TransferRegister::Received).has_value());
        QVERIFY(!writeTransferParty(folder.path(), TransferRegister::Received, {"a", "b", "c"}));
        QVERIFY(!readMailOffice(folder.path()).has_value());
        QVERIFY(!writeMailOffice(folder.path(), {"a", "b"}));
        QVERIFY(!readMailNumbering(folder.path()).has_value());
        QVERIFY(!writeMailNumbering(folder.path(), {"5", true}));
        for (const char* name : {"Bonifici.ini", "Sabbiolo.ini"}) {
            const QFileInfo left(folder.path(name));
            QVERIFY(left.exists() && !left.isFile() && left.isDir() != pipe);
        }
    }

    void mailSettingsAreWrittenAndReadBack() {
        caltest::ProgramFolder folder;
        QVERIFY(writeMailOffice(folder.path(), {" Segreteria ", QString::fromUtf8("Bianchi Niccolò")}));
        QVERIFY(writeMailNumbering(folder.path(), {" 50 ", true}));
        QCOMPARE(caltest::readAll(folder.path("Sabbiolo.ini")),
                 QByteArray("[Protocollo Documenti]\r\n"
                            "Ufficio=Segreteria\r\n"
                            "Operatore=Bianchi Niccol\xF2\r\n"
                            "\r\n"
                            "[Numerazione Protocollo]\r\n"
                            "Inizio=50\r\n"
                            "Indicazione Anno Solare=S\xEC\r\n"));
        // Closing the register again replaces only the office keys.
        QVERIFY(writeMailOffice(folder.path(), {"Protocollo", "Rossi"}));
        QVERIFY(writeMailNumbering(folder.path(), {"7", false}));
        QCOMPARE(caltest::readAll(folder.path("Sabbiolo.ini")),
                 QByteArray("[Protocollo Documenti]\r\n"
                            "Ufficio=Protocollo\r\n"
                            "Operatore=Rossi\r\n"
                            "\r\n"
                            "[Numerazione Protocollo]\r\n"
                            "Inizio=7\r\n"
                            "Indicazione Anno Solare=No\r\n"));

        const std::optional<MailOffice> office = readMailOffice(folder.path());
        QVERIFY(office.has_value());
        QCOMPARE(office->office, QString("Protocollo"));
        QCOMPARE(office->operatorName, QString("Rossi"));
        const std::optional<MailNumbering> numbering = readMailNumbering(folder.path());
        QVERIFY(numbering.has_value());
        QCOMPARE(numbering->start, QString("7"));
        QCOMPARE(numbering->withYear, false);
    }

    void yearSuffixOnlyForExactlySi_data() {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("withYear");
        QTest::newRow("S\xC3\xAC") << QByteArray("S\xEC") << true;
        QTest::newRow("No") << QByteArray("No") << false;
        QTest::newRow("lower case") << QByteArray("s\xEC") << false;
        QTest::newRow("without accent") << QByteArray("Si") << false;
        QTest::newRow("empty") << QByteArray() << false;
    }
    void yearSuffixOnlyForExactlySi() {
        QFETCH(QByteArray, stored);
        QFETCH(bool, withYear);
        caltest::ProgramFolder folder;
        QVERIFY(caltest::writeAll(folder.path("Sabbiolo.ini"),
                                  "[Numerazione Protocollo]\r\nIndicazione Anno Solare=" + stored + "\r\n"));
        QCOMPARE(readMailNumbering(folder.path())->withYear, withYear);
    }

    void startNumber_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<qint64>("number");  // -1: not a number
        QTest::newRow("empty means 1") << "" << qint64(1);
        QTest::newRow("blank means 1") << "  " << qint64(1);
        QTest::newRow("plain") << "50" << qint64(50);
        QTest::newRow("leading zeros") << "007" << qint64(7);
        QTest::newRow("zero") << "0" << qint64(0);
        QTest::newRow("letters") << "abc" << qint64(-1);
        QTest::newRow("decimal comma") << "1,5" << qint64(-1);
        QTest::newRow("sign") << "-3" << qint64(-1);
        QTest::newRow("blank inside") << "1 0" << qint64(-1);
        QTest::newRow("too large") << "99999999999999999999" << qint64(-1);
    }
    void startNumber() {
        QFETCH(QString, start);
        QFETCH(qint64, number);
        const std::optional<qint64> got = MailNumbering{start, false}.startNumber();
        QCOMPARE(got.has_value(), number >= 0);
        if (got) QCOMPARE(*got, number);
    }

    // Given the values as the screen read them, a writer changes only what the user changed: a
    // key another copy changed meanwhile keeps that change, a missing key is written all the same.
    void onlyChangedKeysAreWritten() {
        caltest::ProgramFolder folder;
        const QString mail = folder.path("Sabbiolo.ini");
        // Read as "Segreteria", "Rossi"; another copy then changed the operator.
        QVERIFY(caltest::writeAll(mail, "[Protocollo Documenti]\r\nUfficio=Segreteria\r\nOperatore=Bianchi\r\n"));
        QVERIFY(writeMailOffice(folder.path(), {"Protocollo", "Rossi"}, MailOffice{"Segreteria", "Rossi"}));
        QCOMPARE(caltest::readAll(mail),
                 QByteArray("[Protocollo Documenti]\r\nUfficio=Protocollo\r\nOperatore=Bianchi\r\n"));
        // The numbering: the first number changed here, the year changed by the other copy.
        QVERIFY(writeMailNumbering(folder.path(), {"5", true}));
        QVERIFY(writeMailNumbering(folder.path(), {"7", false}, MailNumbering{"5", false}));
        const std::optional<MailNumbering> numbering = readMailNumbering(folder.path());
        QVERIFY(numbering);
        QCOMPARE(numbering->start, QString("7"));
        QVERIFY(numbering->withYear);
        // Keys missing from the file are written, changed or not.
        QVERIFY(writeTransferParty(folder.path(), TransferRegister::Received, {"Studio Bianchi", "", ""},
                                   TransferParty{"", "", ""}));
        QCOMPARE(caltest::readAll(folder.path("Bonifici.ini")),
                 QByteArray("[Bonifici Ricevuti]\r\nNome Beneficiario=Studio Bianchi\r\nCodice Fiscale=\r\n"
                            "Iban Bancario=\r\n"));
        // Trimmed before they are compared: blanks typed around an unchanged value change nothing.
        QVERIFY(caltest::writeAll(folder.path("Bonifici.ini"), "[Bonifici Ricevuti]\r\nNome Beneficiario=Altro\r\n"
                                                               "Codice Fiscale=X\r\nIban Bancario=\r\n"));
        QVERIFY(writeTransferParty(folder.path(), TransferRegister::Received, {" Studio Bianchi ", "", "IT1"},
                                   TransferParty{"Studio Bianchi", "", ""}));
        const std::optional<TransferParty> party = readTransferParty(folder.path(), TransferRegister::Received);
        QVERIFY(party);
        QCOMPARE(party->name, QString("Altro"));
        QCOMPARE(party->fiscalCode, QString("X"));
        QCOMPARE(party->iban, QString("IT1"));
    }

    void readOnlyFolderRefusesWrites() {
        caltest::ProgramFolder folder;
        const QString dir = folder.path("prog");
        QVERIFY(QDir(folder.path()).mkdir("prog"));
        QVERIFY(writeTransferParty(dir, TransferRegister::Issued, {"Rossi", "", ""}));
        const QByteArray before = caltest::readAll(dir + "/Bonifici.ini");
        CAL_READ_ONLY(guard, dir);
        QVERIFY(!writeTransferParty(dir, TransferRegister::Issued, {"Bianchi", "", ""}));
        QVERIFY(!writeMailOffice(dir, {"Segreteria", "Rossi"}));
        QCOMPARE(caltest::readAll(dir + "/Bonifici.ini"), before);
        QVERIFY(!QFile::exists(dir + "/Sabbiolo.ini"));
        QCOMPARE(readTransferParty(dir, TransferRegister::Issued)->name, QString("Rossi"));
    }
};

CAL_TEST_MAIN(TestSettings)
#include "tst_settings.moc"
