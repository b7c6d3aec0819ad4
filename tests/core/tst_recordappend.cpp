// Adding records: append() takes the next free position under a lock of the operating
// system, so several copies of the program adding records to one file never overwrite each
// other. The test starts copies of itself (CALTEST_CHILD) that add records at the same time.
#include "core/Record.h"
#include "core/RecordFile.h"
#include "testlib/CalTest.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSet>

using namespace cal;

namespace {
constexpr Field kFields[] = {{"txtNome", 12}, {"txtNote", 20}};
constexpr RecordLayout kLayout{"Prova.pro", kFields};

// Child: adds `count` records named "<tag>-<n>", opening and closing the file for each one as
// a save does, and prints the position each one got, one a line.
int appendChild(int argc, char** argv) {
    if (argc != 4) return 2;
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QString tag = QString::fromLocal8Bit(argv[2]);
    const int count = QByteArray(argv[3]).toInt();
    QTextStream out(stdout);
    Record record(kLayout);
    for (int i = 0; i < count; ++i) {
        record.setText(0, QStringLiteral("%1-%2").arg(tag).arg(i));
        record.setText(1, QStringLiteral("nota %1").arg(i));
        RecordFile file;
        if (!file.open(path, kLayout.size())) return 3;
        const qint64 position = file.append(record);
        if (position < 1 || !file.close()) return 4;
        out << position << '\n';
    }
    return 0;
}
}  // namespace

class TestRecordAppend : public QObject {
    Q_OBJECT
private slots:
    void appendTakesTheNextPosition() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Prova.pro");
        QVERIFY(caltest::writeAll(path, QByteArray(kLayout.size() * 2, 'x') + "partial"));
        RecordFile file;
        QVERIFY(file.open(path, kLayout.size()));
        Record record(kLayout);
        record.setText(0, "terzo");
        QCOMPARE(file.append(record), 3);  // after the last whole record, over the partial one
        QCOMPARE(file.position(), 3);
        record.setText(0, "quarto");
        QCOMPARE(file.append(record), 4);
        QVERIFY(file.seek(2));
        QVERIFY(file.read(record));
        QCOMPARE(record.text(0), QString("terzo"));
        QVERIFY(file.close());
        QCOMPARE(QFileInfo(path).size(), 4 * kLayout.size());
    }

    void failedAppendsKeepTheirCause() {
        caltest::ProgramFolder folder;
        RecordFile file;
        Record record(kLayout);
        QCOMPARE(file.append(record), -1);  // not open
        QVERIFY(!file.errorString().isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^record file .*/missing/Prova\\.pro failed: .+"));
        QVERIFY(!file.open(folder.path("missing/Prova.pro"), kLayout.size()));
        QVERIFY(!file.errorString().isEmpty());
        QVERIFY(file.open(folder.path("Prova.pro"), kLayout.size() + 1));
        QVERIFY(file.errorString().isEmpty());
        QCOMPARE(file.append(record), -1);  // a record of another layout
        QVERIFY(!file.errorString().isEmpty());
        QCOMPARE(file.count(), 0);
    }

    // What runs under whileLocked() is not split by another copy's append: the copy waits for
    // the lock, then adds its record after what the locked work wrote.
    void lockedWorkHoldsOffOtherCopies() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Prova.pro");
        RecordFile file;
        QVERIFY(file.open(path, kLayout.size()));
        QProcess copy;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CALTEST_CHILD", "1");
        copy.setProcessEnvironment(env);
        const bool held = file.whileLocked([&] {
            copy.start(QCoreApplication::applicationFilePath(), {path, "C", "1"});
            if (!copy.waitForStarted()) return false;
            // However long it is given, the copy cannot add its record while the lock is held.
            if (copy.waitForFinished(500)) return false;
            Record record(kLayout);
            record.setText(0, "primo");
            return file.append(record) == 1 && QFileInfo(path).size() == kLayout.size();
        });
        QVERIFY(held);
        QVERIFY(copy.waitForFinished(30000));
        QCOMPARE(copy.exitCode(), 0);
        QCOMPARE(copy.readAllStandardOutput(), QByteArray("2\n"));
        QVERIFY(file.close());
    }

    void copiesAppendingAtOnceLoseNothing() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Prova.pro");
        constexpr int kEach = 3000;
        const QStringList tags{"A", "B"};
        std::vector<std::unique_ptr<QProcess>> copies;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CALTEST_CHILD", "1");
        for (const QString& tag : tags) {
            auto p = std::make_unique<QProcess>();
            p->setProcessEnvironment(env);
            p->start(QCoreApplication::applicationFilePath(), {path, tag, QString::number(kEach)});
            copies.push_back(std::move(p));
        }
        QSet<qint64> positions;
        for (auto& p : copies) {
            QVERIFY(p->waitForFinished(120000));
            QCOMPARE(p->exitStatus(), QProcess::NormalExit);
            QCOMPARE(p->exitCode(), 0);
            const QList<QByteArray> lines = p->readAllStandardOutput().split('\n');
            for (const QByteArray& line : lines)
                if (!line.isEmpty()) positions.insert(line.toLongLong());
        }
        // Every save was told a position of its own.
        QCOMPARE(positions.size(), 2 * kEach);
        QCOMPARE(*std::min_element(positions.begin(), positions.end()), 1);
        QCOMPARE(*std::max_element(positions.begin(), positions.end()), 2 * kEach);

        // Every record is in the file, once, at the position its copy was told.
        RecordFile file;
        QVERIFY(file.open(path, kLayout.size()));
        QCOMPARE(file.count(), 2 * kEach);
        QSet<QString> names;
        Record record(kLayout);
        while (!file.atEnd()) {
            QVERIFY(file.read(record));
            names.insert(record.text(0));
        }
        QCOMPARE(names.size(), 2 * kEach);
        for (const QString& tag : tags)
            for (int i = 0; i < kEach; ++i) QVERIFY(names.contains(QStringLiteral("%1-%2").arg(tag).arg(i)));
    }

    // A file read whole (for a backup) holds the append lock: another copy adding a record waits
    // until the reading is done, so the bytes read are the file between two appends.
    void aWholeReadHoldsTheAppendLock() {
        caltest::ProgramFolder folder;
        const QString path = folder.path("Prova.pro");
        const QByteArray original = QByteArray(kLayout.size() * 2, 'r') + "parziale";
        QVERIFY(caltest::writeAll(path, original));
        QProcess copy;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("CALTEST_CHILD", "1");
        copy.setProcessEnvironment(env);
        QByteArray read;
        qint64 announced = -1;
        bool waited = false;
        QString error;
        const bool ok = readRecordFileWhole(
            path,
            [&](qint64 size) {
                announced = size;
                copy.start(QCoreApplication::applicationFilePath(), {path, "altro", "1"});
                waited = copy.waitForStarted() && !copy.waitForFinished(700);
                return true;
            },
            [&](QByteArrayView bytes) {
                read.append(bytes.data(), bytes.size());
                return true;
            },
            &error);
        QVERIFY2(ok, qPrintable(error));
        QVERIFY(waited);
        QCOMPARE(announced, original.size());
        QCOMPARE(read, original);
        QVERIFY(copy.waitForFinished(30000));
        QCOMPARE(copy.exitCode(), 0);
        QCOMPARE(copy.readAllStandardOutput(), QByteArray("3\n"));
        QCOMPARE(QFileInfo(path).size(), kLayout.size() * 3);
    }

    void aWholeReadRefusesWhatIsNoRecordFile() {
        caltest::ProgramFolder folder;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^record file .*/manca\\.pro failed: .+"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^record file .* failed: a folder, not a file$"));
        QString error;
        const auto never = [](qint64) { return true; };
        const auto none = [](QByteArrayView) { return true; };
        QVERIFY(!readRecordFileWhole(folder.path("manca.pro"), never, none, &error));
        QVERIFY(!QFile::exists(folder.path("manca.pro")));  // a missing file is not created
        QVERIFY(!readRecordFileWhole(folder.path(), never, none, &error));
        QCOMPARE(error, QString("a folder, not a file"));
    }
};

CAL_TEST_MAIN_WITH_CHILD(TestRecordAppend, appendChild)
#include "tst_recordappend.moc"
