// The record store: code page, field codecs, the record file on good and damaged files.
#include "core/Codepage.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "core/Text.h"
#include "testlib/CalTest.h"

using namespace cal;

namespace {
constexpr Field kTinyFields[] = {{"txtNome", 5}, {"chkFlag", 2}, {"txtNote", 3}};
constexpr RecordLayout kTiny{"Tiny.pro", kTinyFields};
static_assert(kTiny.size() == 13);
constexpr Field kTinyZFields[] = {{"txtA", 4}, {"txtB", 2}};
constexpr RecordLayout kTinyZ{"Tiny.art", kTinyZFields, true};
}  // namespace

class TestRecordStore : public QObject {
    Q_OBJECT
private slots:
    void codepageRoundTrip_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << "Rossi & Figli" << QByteArray("Rossi & Figli");
        QTest::newRow("accents") << QString::fromUtf8("Città àèìòù") << QByteArray("Citt\xE0 \xE0\xE8\xEC\xF2\xF9");
        QTest::newRow("euro and quotes") << QString::fromUtf8("€ “x” – œ Ÿ ‰")
                                         << QByteArray("\x80 \x93x\x94 \x96 \x9C \x9F \x89");
        QTest::newRow("latin1 top") << QString::fromUtf8("ÿ ß ©") << QByteArray("\xFF \xDF \xA9");
    }
    void codepageRoundTrip() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1252(text), bytes);
        QCOMPARE(fromCp1252(bytes), text);
    }

    void unmappableBecomesQuestionMark_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("omega") << QString::fromUtf8("Ω") << QByteArray("?");
        QTest::newRow("star among text") << QString::fromUtf8("a★b") << QByteArray("a?b");
        QTest::newRow("emoji is one char") << QString::fromUtf8("x😀y") << QByteArray("x?y");
        QTest::newRow("cyrillic") << QString::fromUtf8("Жж") << QByteArray("??");
    }
    void unmappableBecomesQuestionMark() {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(toCp1252(text), bytes);
    }

    void undefinedBytesSurviveARoundTrip() {
        const QByteArray undefined("\x81\x8D\x8F\x90\x9D");
        QCOMPARE(toCp1252(fromCp1252(undefined)), undefined);
    }

    void trimRemovesBlanksAndControlsOnly() {
        QCOMPARE(trimmed(u" \t\r\n Rossi Mario \x01 "), QString("Rossi Mario"));
        QCOMPARE(trimmed(QString::fromUtf8("\u00A0x\u00A0")), QString::fromUtf8("\u00A0x\u00A0"));
        QCOMPARE(upperAscii(QString::fromUtf8("città è ok")), QString::fromUtf8("CITTà è OK"));
        QCOMPARE(lowerAscii(QString::fromUtf8("CITTÀ OK")), QString::fromUtf8("cittÀ ok"));
    }

    void fixedStringStoresLengthAndCutsAtCapacity() {
        Record r(kTiny);
        r.setText(0, "Rossi");
        QCOMPARE(r.bytes().left(6), QByteArray("\x05Rossi"));
        r.setText(0, "Bianchi");  // cut to 5 bytes, no message
        QCOMPARE(r.bytes().left(6), QByteArray("\x05" "Bianc"));
        r.setText(0, "Al");
        QCOMPARE(r.bytes().left(6), QByteArray("\x02" "Al\0\0\0", 6));
        r.setText(1, checkText(true));
        QCOMPARE(r.bytes().mid(6, 3), QByteArray("\x02S\xEC"));
        r.setText(1, checkText(false));
        QCOMPARE(r.bytes().mid(6, 3), QByteArray("\x02No"));
    }

    void fixedStringLoadTrimsAndClampsDamage() {
        Record r(kTiny);
        r.bytes() = QByteArray("\x07  Ab \x02S\xEC\xFF" "abc", 13);
        QCOMPARE(r.text(0), QString("Ab"));         // L=7 > N=5: clamped, trimmed
        QCOMPARE(r.rawText(0), QString("  Ab "));
        QCOMPARE(r.text(1), kYes);
        QCOMPARE(r.text(2), QString("abc"));        // L=255 in capacity 3
        r.bytes()[6] = char(255);                   // L=255 in the check box field of capacity 2
        QCOMPARE(r.rawText(1), QString::fromUtf8("Sì"));
        QCOMPARE(checkState(r.text(1), false), true);
        QCOMPARE(checkState(QString(), true), true);  // empty box field: state kept
        QCOMPARE(checkState(QString(), false), false);
    }

    void fixedZStringReadsToZeroOrWholeField() {
        Record r(kTinyZ);
        r.setText(0, "abcd");
        QCOMPARE(r.bytes().left(5), QByteArray("abcd\0", 5));
        r.setText(0, "xyz");  // N-1 bytes: zero then a leftover byte, ignored
        QCOMPARE(r.bytes().left(5), QByteArray("xyz\0\0", 5));
        r.bytes() = QByteArray("abcdeXY", 8);  // no zero in field 0: all five bytes
        QCOMPARE(r.text(0), QString("abcde"));
        r.setText(1, " a ");  // untrimmed, cut at N=2
        QCOMPARE(r.text(1), QString(" a"));
    }

    void missingFileIsCreatedEmpty() {
        caltest::ProgramFolder folder;
        RecordFile f;
        QVERIFY(f.open(folder.path("Tiny.pro"), kTiny.size()));
        QCOMPARE(f.count(), 0);
        QVERIFY(f.atEnd());
        QVERIFY(f.close());
        QVERIFY(QFile::exists(folder.path("Tiny.pro")));
        QCOMPARE(QFileInfo(folder.path("Tiny.pro")).size(), 0);
    }

    void appendOverwriteAndPartialTail() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Tiny.pro");
        QByteArray three;
        for (char c : {'a', 'b', 'c'}) three += QByteArray(1, '\x01') + c + QByteArray(11, '\0');
        const QByteArray half = QByteArray(6, 'Z');  // three records and half
        QVERIFY(caltest::writeAll(path, three + half));

        RecordFile f;
        QVERIFY(f.open(path, kTiny.size()));
        QCOMPARE(f.count(), 3);
        Record r(kTiny);
        QVERIFY(f.seek(1));
        QVERIFY(f.read(r));
        QCOMPARE(r.text(0), QString("b"));
        QCOMPARE(f.position(), 2);
        QVERIFY(!f.seek(4));
        QVERIFY(f.seek(3));
        QVERIFY(!f.read(r));  // the partial record is never shown

        r.clear();
        r.setText(0, "new");
        QVERIFY(f.write(r));  // append overwrites the partial tail
        QCOMPARE(f.position(), 4);
        QCOMPARE(f.count(), 4);
        QVERIFY(f.seek(1));
        r.setText(0, "B");
        QVERIFY(f.write(r));
        QVERIFY(f.close());

        const QByteArray after = caltest::readAll(path);
        QCOMPARE(after.size(), 4 * 13);
        QCOMPARE(after.left(13), three.left(13));         // untouched
        QCOMPARE(after.mid(26, 13), three.mid(26, 13));   // untouched
        QCOMPARE(after.mid(13, 2), QByteArray("\x01" "B"));
        QCOMPARE(after.mid(39, 4), QByteArray("\x03new"));
    }

    void unreadableFilesAreAccessFailures() {
        caltest::ProgramFolder folder;
        QDir(folder.path()).mkdir("Dir.pro");
        RecordFile f;
        QVERIFY(!f.open(folder.path("Dir.pro"), 13));  // a folder, not a file
        QVERIFY(!f.open(folder.path("missing/Tiny.pro"), 13));

        const QString ro = folder.path("ro");
        QDir(folder.path()).mkdir("ro");
        CAL_READ_ONLY(guard, ro);
        QVERIFY(!f.open(ro + "/Tiny.pro", 13));
        QVERIFY(!QFile::exists(ro + "/Tiny.pro"));
    }

    void readOnlyFileIsAnAccessFailureAndStaysIntact() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Tiny.pro");
        QVERIFY(caltest::writeAll(path, QByteArray(26, 'x')));
        {
            CAL_READ_ONLY(guard, path);
            RecordFile f;
            QVERIFY(!f.open(path, 13));
        }
        QCOMPARE(caltest::readAll(path), QByteArray(26, 'x'));
    }

    void emptyFileHasNoRecords() {
        caltest::ProgramFolder folder;
        QVERIFY(caltest::writeAll(folder.path("Tiny.pro"), {}));
        RecordFile f;
        QVERIFY(f.open(folder.path("Tiny.pro"), 13));
        QCOMPARE(f.count(), 0);
        Record r(kTiny);
        QVERIFY(!f.read(r));
        char buf[13];
        QCOMPARE(f.readBlock(buf, 1), 0);
    }
};

CAL_TEST_MAIN(TestRecordStore)
#include "tst_recordstore.moc"
