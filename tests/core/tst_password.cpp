// The access password: normalisation, scrambling and unscrambling, and the password file.
#include "core/Password.h"
#include "testlib/CalTest.h"

#include <sys/stat.h>

using namespace cal;

class TestPassword : public QObject {
    Q_OBJECT
private slots:
    void normalisation_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("password");
        QTest::newRow("lower case") << "segreto" << "SEGRETO";
        QTest::newRow("blanks around") << "  Segreto \t" << "SEGRETO";
        QTest::newRow("blank inside kept") << "due parole" << "DUE PAROLE";
        QTest::newRow("accented letter kept") << QString::fromUtf8("città") << QString::fromUtf8("CITTà");
        QTest::newRow("digits and signs") << "ab-12!" << "AB-12!";
        QTest::newRow("only blanks") << "   " << "";
    }
    void normalisation() {
        QFETCH(QString, typed);
        QFETCH(QString, password);
        QCOMPARE(normalisePassword(typed), password);
    }

    // The stored texts were worked out once, apart from this code, from the algorithm:
    // k = 0x3B51; per character c = code XOR (k >> 8), k = ((c + k) * 0x9E27 + 0x41F3) mod 65536.
    void scrambling_data() {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("stored");
        QTest::newRow("one letter") << "A" << "7A";            // 0x41 ^ 0x3B
        QTest::newRow("two letters") << "AA" << "7AE6";
        QTest::newRow("repeated letter") << "AAAA" << "7AE66D77";
        QTest::newRow("word") << "PASSWORD" << "6B22F219D5275E67";
        QTest::newRow("product name") << "CALVETRA" << "782AFF0EB0EFD63E";
        QTest::newRow("blank and digits") << "ABC 123" << "7AE5CED9103865";
        QTest::newRow("accented capital") << QString::fromUtf8("CITTÀ") << "7822967F42";
        QTest::newRow("code 255") << QString::fromUtf8("ÿÿ") << "C4A0";
        QTest::newRow("lower case letter") << "x" << "43";
        QTest::newRow("empty") << "" << "";
    }
    void scrambling() {
        QFETCH(QString, password);
        QFETCH(QString, stored);
        const std::optional<QString> scrambled = scramble(password);
        QVERIFY(scrambled.has_value());
        QCOMPARE(*scrambled, stored);
        QCOMPARE(unscramble(stored), std::optional<QString>(password));
        QCOMPARE(unscramble(stored.toLower()), std::optional<QString>(password));
    }

    void scramblingDependsOnPosition() {
        const QString stored = *scramble(QString(8, u'E'));
        QCOMPARE(stored.size(), 16);
        QSet<QString> pairs;
        for (int i = 0; i < stored.size(); i += 2) pairs.insert(stored.mid(i, 2));
        QVERIFY2(pairs.size() > 1, qPrintable(stored));
        // The same letter after a different first letter gives a different pair.
        QVERIFY(scramble(u"AB")->mid(2) != scramble(u"CB")->mid(2));
    }

    void everyByteRoundTrips() {
        QString low, high;
        for (int code = 0; code < 255; ++code) low += QChar(char16_t(code));
        for (int code = 1; code < 256; ++code) high += QChar(char16_t(code));
        for (const QString& password : {low, high}) {
            const std::optional<QString> stored = scramble(password);
            QVERIFY(stored.has_value());
            QCOMPARE(stored->size(), 2 * password.size());
            QVERIFY(QRegularExpression("^[0-9A-F]*$").match(*stored).hasMatch());
            QCOMPARE(unscramble(*stored), std::optional<QString>(password));
        }
    }

    void unreadableStoredTexts_data() {
        QTest::addColumn<QString>("stored");
        QTest::newRow("not hexadecimal") << "ZZ";
        QTest::newRow("bad second pair") << "7AZZ";
        QTest::newRow("blank in a pair") << "7 ";
        QTest::newRow("sign") << "+7";
        QTest::newRow("letter after F") << "7G";
        QTest::newRow("fullwidth digits") << QString::fromUtf8("７Ａ");
    }
    void unreadableStoredTexts() {
        QFETCH(QString, stored);
        QVERIFY(!unscramble(stored).has_value());
    }

    void loneLastCharacterIsIgnored() {
        QCOMPARE(unscramble(u"7AE"), std::optional<QString>("A"));
        QCOMPARE(unscramble(u"7AZ"), std::optional<QString>("A"));
        QCOMPARE(unscramble(u"7"), std::optional<QString>(""));
        QCOMPARE(unscramble(u""), std::optional<QString>(""));
    }

    void passwordsThatCannotBeReadBackAreRefused() {
        QVERIFY(scramble(QString(255, u'A')).has_value());
        QVERIFY(!scramble(QString(256, u'A')).has_value());
        QVERIFY(!scramble(QString::fromUtf8("PREZZO€")).has_value());
        QVERIFY(!scramble(QString::fromUtf8("Ω")).has_value());
        QVERIFY(!scramble(QString::fromUtf8("A😀")).has_value());
    }

    void readingThePasswordFile_data() {
        QTest::addColumn<QByteArray>("file");  // empty: no file
        QTest::addColumn<bool>("readable");
        QTest::addColumn<QString>("password");
        QTest::newRow("no file") << QByteArray() << true << "";
        QTest::newRow("no section") << QByteArray("[Altro]\r\nValore=7A\r\n") << true << "";
        QTest::newRow("no key") << QByteArray("[Accesso]\r\nChiave=7A\r\n") << true << "";
        QTest::newRow("stored") << QByteArray("[Accesso]\r\nValore=6B22F219D5275E67\r\n") << true << "PASSWORD";
        QTest::newRow("lower-case digits") << QByteArray("[Accesso]\r\nValore=6b22f219d5275e67\r\n") << true
                                           << "PASSWORD";
        QTest::newRow("names in other case, LF")
            << QByteArray("[ACCESSO]\nvalore = 7AE6\n") << true << "AA";
        QTest::newRow("unscrambled text trimmed")  // " A " scrambled
            << QByteArray("[Accesso]\r\nValore=1BB6D4\r\n") << true << "A";
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=ZZ\r\n") << false << "";
    }
    void readingThePasswordFile() {
        QFETCH(QByteArray, file);
        QFETCH(bool, readable);
        QFETCH(QString, password);
        caltest::ProgramFolder folder;
        if (!file.isEmpty()) QVERIFY(caltest::writeAll(folder.path(kPasswordFile), file));
        const std::optional<QString> read = readStoredPassword(folder.path());
        QCOMPARE(read.has_value(), readable);
        if (readable) QCOMPARE(*read, password);
    }

    void fileThatCannotBeReadIsTheReadingError_data() {
        QTest::addColumn<bool>("pipe");
        QTest::newRow("folder") << false;
        QTest::newRow("pipe with no writer") << true;  // refused at once, never waited on
    }
    void fileThatCannotBeReadIsTheReadingError() {
        QFETCH(bool, pipe);
        caltest::ProgramFolder folder;
        if (pipe) QCOMPARE(::mkfifo(qPrintable(folder.path(kPasswordFile)), 0644), 0);
        else QVERIFY(QDir(folder.path()).mkdir(kPasswordFile));
        QVERIFY(!readStoredPassword(folder.path()).has_value());
        QCOMPARE(writeStoredPassword(folder.path(), u"nuova"), PasswordWrite::WritingError);
    }

    void writingStoresTheNormalisedPassword() {
        caltest::ProgramFolder folder;
        QCOMPARE(writeStoredPassword(folder.path(), u"  password "), PasswordWrite::Written);
        QCOMPARE(caltest::readAll(folder.path(kPasswordFile)),
                 QByteArray("[Accesso]\r\nValore=6B22F219D5275E67\r\n"));
        QCOMPARE(readStoredPassword(folder.path()), std::optional<QString>("PASSWORD"));
    }

    void writingKeepsTheRestOfTheFile() {
        caltest::ProgramFolder folder;
        const QString path = folder.path(kPasswordFile);
        QVERIFY(caltest::writeAll(path, "[Setup]\r\nLang=it\r\n[Accesso]\r\nValore=7A\r\nData=2024\r\n"));
        QCOMPARE(writeStoredPassword(folder.path(), u"calvetra"), PasswordWrite::Written);
        QCOMPARE(caltest::readAll(path),
                 QByteArray("[Setup]\r\nLang=it\r\n[Accesso]\r\nValore=782AFF0EB0EFD63E\r\nData=2024\r\n"));
    }

    void refusedPasswordsWriteNothing_data() {
        QTest::addColumn<QString>("password");
        QTest::newRow("256 characters") << QString(256, u'a');
        QTest::newRow("euro sign") << QString::fromUtf8("prezzo€");
    }
    void refusedPasswordsWriteNothing() {
        QFETCH(QString, password);
        caltest::ProgramFolder folder;
        const QString path = folder.path(kPasswordFile);
        const QByteArray before("[Accesso]\r\nValore=7A\r\n");
        QVERIFY(caltest::writeAll(path, before));
        QCOMPARE(writeStoredPassword(folder.path(), password), PasswordWrite::Refused);
        QCOMPARE(caltest::readAll(path), before);
        QCOMPARE(readStoredPassword(folder.path()), std::optional<QString>("A"));
    }

    void longestPasswordIsStoredAndReadBack() {
        caltest::ProgramFolder folder;
        const QString password = QString(255, u'Z');
        QCOMPARE(writeStoredPassword(folder.path(), password.toLower()), PasswordWrite::Written);
        QCOMPARE(readStoredPassword(folder.path()), std::optional<QString>(password));
    }

    void readOnlyFolderIsTheWritingErrorAndTheOldPasswordStays() {
        caltest::ProgramFolder folder;
        const QString dir = folder.path("prog");
        QVERIFY(QDir(folder.path()).mkdir("prog"));
        QCOMPARE(writeStoredPassword(dir, u"vecchia"), PasswordWrite::Written);
        const QByteArray before = caltest::readAll(dir + '/' + kPasswordFile);
        CAL_READ_ONLY(guard, dir);
        QCOMPARE(writeStoredPassword(dir, u"nuova"), PasswordWrite::WritingError);
        QCOMPARE(caltest::readAll(dir + '/' + kPasswordFile), before);
        QCOMPARE(readStoredPassword(dir), std::optional<QString>("VECCHIA"));
    }
};

CAL_TEST_MAIN(TestPassword)
#include "tst_password.moc"
