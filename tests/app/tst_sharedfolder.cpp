// Several copies of the program on one program folder, as an office keeps it on a shared drive:
// protocol numbers stay unique, an overwrite after another copy's change asks first and loses
// nothing, settings changed by several copies at once are all kept.
//
// The copies are this test started again as other processes (CALTEST_CHILD): each drives real
// screens offscreen, taking one command a line on its standard input and answering one line
// (see Copy below). The folder is a temporary one, or one on a mounted network share when
// CALVETRA_SHARED_DIR names a folder there (scripts/shared-folder-test.sh).
#include "core/IniFile.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "mail/MailSettings.h"
#include "transfers/TransferSettings.h"
#include "mail/MailLayout.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/FieldEditor.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QDate>
#include <QProcess>
#include <QRadioButton>
#include <QSet>

#include <iostream>
#include <string>

using namespace cal;

namespace {

const QString kInserted = QString::fromUtf8("La scheda corrente è stata inserita in archivio.");
const QString kUpdated = QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio.");
const QString kRenumbered = QString::fromUtf8(
    "Il numero di protocollo %1 è stato assegnato nel frattempo da un'altra postazione.\n\r\n\r"
    "La scheda corrente è stata inserita in archivio con il numero di protocollo %2.");

// Texts travel on one line: line breaks are escaped.
QString escaped(QString text) {
    return text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\n', QStringLiteral("\\n")).replace(u'\r', QStringLiteral("\\r"));
}
QString unescaped(const QString& text) {
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar c = text[++i];
        out += c == u'n' ? QChar(u'\n') : c == u'r' ? QChar(u'\r') : c;
    }
    return out;
}

// ---- the copy: one process driving screens ----

class Driver {
public:
    explicit Driver(const QString& folder) { setProgramFolder(folder); }

    // One command, one answer line.
    QString run(const QStringList& args) {
        const QString cmd = args.value(0);
        if (cmd == u"open") return open(args.value(1), args.value(2));
        if (cmd == u"close") return close();
        if (cmd == u"new") {
            press("cmdNuovo");
            return number();
        }
        if (cmd == u"save") return save();
        if (cmd == u"register") return registerMail(args.value(1).toInt());
        if (cmd == u"show") return show(args.value(1).toInt());
        if (cmd == u"set") {
            setWidgetText(widget(args.value(1)), unescaped(args.value(2)));
            return QStringLiteral("ok");
        }
        if (cmd == u"get") return escaped(widgetText(widget(args.value(1))));
        if (cmd == u"answer") {
            fakes_.dialogs.choiceAnswers << args.value(1).toInt();
            return QStringLiteral("ok");
        }
        if (cmd == u"choices") return QString::number(fakes_.dialogs.choices.size());
        if (cmd == u"keep") return keep(args.value(1), args.value(2), args.value(3), args.value(4).toInt());
        return QStringLiteral("unknown command ") + cmd;
    }

private:
    QWidget* widget(const QString& name) {
        QWidget* w = screen_ ? screen_->findChild<QWidget*>(name) : nullptr;
        if (!w) qFatal("no widget %s", qPrintable(name));
        return w;
    }
    void press(const char* command) {
        auto* b = screen_->findChild<QToolButton*>(command);
        if (!b) qFatal("no command %s", command);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString number() { return widgetText(widget(QStringLiteral("txtNumero"))); }
    QString lastMessage() { return escaped(caltest::lastText(fakes_.dialogs)); }

    QString open(const QString& archive, const QString& file) {
        const ArchiveModule* module = findArchive(archive.toStdString());
        if (!module) qFatal("no archive %s", qPrintable(archive));
        screen_.reset(module->create());
        if (!file.isEmpty()) screen_->setFilePath(QDir(programFolder()).filePath(file));
        screen_->show();
        QApplication::setActiveWindow(screen_.get());
        return QStringLiteral("ok");
    }
    QString close() {
        fakes_.dialogs.messages.clear();
        screen_->close();
        return fakes_.dialogs.messages.isEmpty() ? QStringLiteral("ok") : lastMessage();
    }
    // Save of a registration, its required fields filled where empty: "<number>\t<position>\t<message>".
    QString save() {
        auto fillIn = [this](const char* name, const QString& text) {
            QWidget* w = widget(QString::fromLatin1(name));
            if (widgetText(w).isEmpty()) setWidgetText(w, text);
        };
        fillIn("txtCategoria", QStringLiteral("Corrispondenza"));
        fillIn("txtOggetto", QStringLiteral("Oggetto %1").arg(QCoreApplication::applicationPid()));
        qobject_cast<QRadioButton*>(widget(QStringLiteral("optEntrata")))->setChecked(true);
        fakes_.dialogs.messages.clear();
        press("cmdSalva");
        return number() + u'\t' + screen_->position() + u'\t' + lastMessage();
    }
    // `count` registrations as fast as they go: one line "<proposed>\t<answer of save>" each.
    QString registerMail(int count) {
        QStringList lines;
        for (int i = 0; i < count; ++i) {
            press("cmdNuovo");
            const QString proposed = number();
            lines << proposed + u'\t' + save();
        }
        return lines.join(u'\n') + QStringLiteral("\nend");
    }
    QString show(int position) {
        press("cmdPrimo");
        for (int p = 1; p < position; ++p) press("cmdAvanti");
        return screen_->position();
    }
    // `rounds` times: show the archive's screen (created once, as the program does), check that
    // `field` still holds what this copy put there last, put a new value ("<tag>R<round>") and
    // close the screen, which writes the settings. Answers "ok", or the first value found changed.
    QString keep(const QString& archive, const QString& field, const QString& tag, int rounds) {
        open(archive, {});
        QString mine;
        for (int round = 1; round <= rounds; ++round) {
            if (round > 1) screen_->show();
            const QString found = widgetText(widget(field));
            if (round > 1 && found != mine) return QStringLiteral("lost %1 in round %2: found %3").arg(mine).arg(round).arg(found);
            mine = QStringLiteral("%1R%2").arg(tag).arg(round);
            setWidgetText(widget(field), mine);
            const QString closed = close();
            if (closed != u"ok") return closed;
        }
        return QStringLiteral("ok");
    }

    caltest::FakeServices fakes_;
    std::unique_ptr<ArchiveScreen> screen_;
};

// The offscreen platform's notice about window size hints, repeated for every screen shown, is
// left out of the copies' output; everything else is passed on.
QtMessageHandler standardHandler = nullptr;
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints"))) return;
    if (standardHandler)
        standardHandler(type, context, message);
    else
        std::cerr << qPrintable(qFormatLogMessage(type, context, message)) << std::endl;
}

int child(int argc, char** argv) {
    standardHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    if (argc != 2) return 2;
    Driver driver(QString::fromLocal8Bit(argv[1]));
    std::string line;
    while (std::getline(std::cin, line)) {
        const QStringList args = QString::fromStdString(line).split(u'\t');
        if (args.value(0) == u"quit") break;
        std::cout << driver.run(args).toStdString() << std::endl;
    }
    return 0;
}

// ---- the test's side ----

// A copy of the program: a child process that answers one line for each command.
class Copy {
public:
    explicit Copy(const QString& folder) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("CALTEST_CHILD"), QStringLiteral("1"));
        process_.setProcessEnvironment(env);
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process_.start(QCoreApplication::applicationFilePath(), {folder});
    }
    ~Copy() {
        process_.write("quit\n");
        if (!process_.waitForFinished(10000)) process_.kill();
    }
    // Handed to the copy at once, not when the test next waits on this copy.
    void send(const QStringList& command) {
        process_.write((command.join(u'\t') + u'\n').toUtf8());
        process_.waitForBytesWritten(10000);
    }
    // The next answer line, or "<no answer>" when the copy ended or hung.
    QString line() {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(120000)) return QStringLiteral("<no answer>");
        QByteArray bytes = process_.readLine();
        bytes.chop(1);
        return QString::fromUtf8(bytes);
    }
    QString ask(const QStringList& command) {
        send(command);
        return line();
    }

private:
    QProcess process_;
};

using Copies = std::vector<std::unique_ptr<Copy>>;

// Sends one command to every copy before reading any answer, so that they act at once.
QStringList allAtOnce(Copies& copies, const QStringList& command) {
    for (auto& c : copies) c->send(command);
    QStringList answers;
    for (auto& c : copies) answers << c->line();
    return answers;
}

QString year() { return QString::number(QDate::currentDate().year()); }

}  // namespace

class TestSharedFolder : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> dir;
    QString folder() const { return dir->path() + u'/'; }
    QString path(const QString& name) const { return folder() + name; }

    Copies start(int count, const char* archive, const QString& file) {
        Copies copies;
        for (int i = 0; i < count; ++i) {
            copies.push_back(std::make_unique<Copy>(folder()));
            const QString opened = copies.back()->ask({"open", archive, file});
            if (opened != u"ok") qWarning("copy %d: %s", i, qPrintable(opened));
        }
        return copies;
    }
    // The protocol numbers of the year file, in file order.
    QStringList storedNumbers(const QString& file) {
        QStringList numbers;
        RecordFile f;
        if (!f.open(path(file), kMailLayout.size())) return numbers;
        Record r(kMailLayout);
        while (!f.atEnd() && f.read(r)) numbers << r.text(MailField::Numero);
        return numbers;
    }
    void copies_data() {
        QTest::addColumn<int>("count");
        QTest::newRow("2 copies") << 2;
        QTest::newRow("5 copies") << 5;
    }

private slots:
    void init() {
        const QString shared = qEnvironmentVariable("CALVETRA_SHARED_DIR");
        dir = std::make_unique<QTemporaryDir>(shared.isEmpty() ? QString() : shared + QStringLiteral("/calvetra-XXXXXX"));
        QVERIFY(dir->isValid());
    }
    void cleanup() { dir.reset(); }

    // 1,000 registrations made as fast as the copies go: every number once, in file order.
    void numbersStayUniqueAtFullSpeed_data() { copies_data(); }
    void numbersStayUniqueAtFullSpeed() {
        QFETCH(int, count);
        constexpr int kTotal = 1000;
        Copies copies = start(count, "TfrmProtocollo", "2024.prt");
        for (auto& c : copies) c->send({"register", QString::number(kTotal / count)});
        QSet<QString> told;
        int renumbered = 0;
        for (auto& c : copies) {
            for (QString line = c->line(); line != u"end"; line = c->line()) {
                const QStringList f = line.split(u'\t');
                QCOMPARE(f.size(), 4);
                const QString proposed = f[0], stored = f[1], message = unescaped(f[3]);
                // The user sees the number stored, and is told when it is not the one proposed.
                QCOMPARE(message, stored == proposed ? kInserted : kRenumbered.arg(proposed, stored));
                QCOMPARE(f[2], stored);  // with "Inizio" 1, the n-th registration is number n
                told.insert(stored);
                if (stored != proposed) ++renumbered;
            }
        }
        qInfo("%d of %d registrations took another number than the one proposed", renumbered, kTotal);
        QCOMPARE(told.size(), kTotal);
        const QStringList numbers = storedNumbers("2024.prt");
        QCOMPARE(numbers.size(), kTotal);
        for (int i = 0; i < kTotal; ++i) QCOMPARE(numbers[i], QString::number(i + 1));
    }

    // Rounds in which every copy presses "Nuovo" before any saves: all are proposed the same
    // number, one stores it, the others get the next ones and are told.
    void numbersStayUniqueWhenEveryCopyPressesNewFirst_data() { copies_data(); }
    void numbersStayUniqueWhenEveryCopyPressesNewFirst() {
        QFETCH(int, count);
        QVERIFY(writeIniValue(path("Sabbiolo.ini"), kMailNumberingSection, kMailStartKey, QStringLiteral("50")));
        QVERIFY(writeIniValue(path("Sabbiolo.ini"), kMailNumberingSection, kMailYearKey, QString::fromUtf8("Sì")));
        Copies copies = start(count, "TfrmProtocollo", "2024.prt");
        constexpr int kRounds = 8;
        int next = 50;
        for (int round = 0; round < kRounds; ++round) {
            const QString proposed = QStringLiteral("%1/%2").arg(next).arg(year());
            for (const QString& answer : allAtOnce(copies, {"new"})) QCOMPARE(answer, proposed);
            QSet<QString> stored;
            int keptTheirs = 0;
            for (const QString& answer : allAtOnce(copies, {"save"})) {
                const QStringList f = answer.split(u'\t');
                QCOMPARE(f.size(), 3);
                const QString message = unescaped(f[2]);
                if (f[0] == proposed) {
                    ++keptTheirs;
                    QCOMPARE(message, kInserted);
                } else {
                    QCOMPARE(message, kRenumbered.arg(proposed, f[0]));
                }
                QCOMPARE(f[0], QStringLiteral("%1/%2").arg(f[1].toInt() + 49).arg(year()));
                stored.insert(f[0]);
            }
            QCOMPARE(keptTheirs, 1);
            QCOMPARE(stored.size(), count);
            next += count;
        }
        const QStringList numbers = storedNumbers("2024.prt");
        QCOMPARE(numbers.size(), kRounds * count);
        for (int i = 0; i < numbers.size(); ++i) QCOMPARE(numbers[i], QStringLiteral("%1/%2").arg(50 + i).arg(year()));
    }

    // Every copy shows registration 1; the first changes and saves it; each other one then
    // changes its own field and saves: it is asked before anything is written, and whatever the
    // answer, no change is lost unasked.
    void overwriteAfterAnotherChangeAsks_data() {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("answer");
        for (int count : {2, 5})
            for (int answer : {0, 1, 2})
                QTest::addRow("%d copies, %s", count, answer == 0 ? "overwrite" : answer == 1 ? "show stored" : "cancel")
                    << count << answer;
    }
    void overwriteAfterAnotherChangeAsks() {
        QFETCH(int, count);
        QFETCH(int, answer);
        Copies copies = start(count, "TfrmProtocollo", "2024.prt");
        QCOMPARE(copies[0]->ask({"new"}), QString("1"));
        QCOMPARE(copies[0]->ask({"save"}).section(u'\t', 1, 1), QString("1"));
        for (auto& c : copies) QCOMPARE(c->ask({"show", "1"}), QString("1"));
        const char* fields[] = {"txtNote", "txtMittente", "txtDestinatario", "txtRiferimenti", "txtFormato"};
        // The first copy's change is saved without a question.
        QCOMPARE(copies[0]->ask({"set", fields[0], "copia 0"}), QString("ok"));
        QCOMPARE(unescaped(copies[0]->ask({"save"}).section(u'\t', 2)), kUpdated);
        QCOMPARE(copies[0]->ask({"choices"}), QString("0"));
        for (int i = 1; i < count; ++i) {
            Copy& c = *copies[std::size_t(i)];
            QCOMPARE(c.ask({"set", fields[i], QStringLiteral("copia %1").arg(i)}), QString("ok"));
            QCOMPARE(c.ask({"answer", QString::number(answer)}), QString("ok"));
            const QString before = QString::fromLatin1(caltest::readAll(path("2024.prt")).toHex());
            const QString saved = unescaped(c.ask({"save"}).section(u'\t', 2));
            QCOMPARE(c.ask({"choices"}), QString("1"));
            Record stored(kMailLayout);
            RecordFile f;
            QVERIFY(f.open(path("2024.prt"), kMailLayout.size()));
            QCOMPARE(f.count(), 1);
            QVERIFY(f.read(stored));
            const QString own = stored.text(std::string_view(fields[i]));
            const QString first = stored.text(std::string_view(fields[0]));
            if (answer != 0) {  // the file keeps the first copy's change and nothing of this one
                QCOMPARE(first, QString("copia 0"));
                QCOMPARE(own, QString());
            }
            switch (answer) {
            case 0:  // overwrite, as the user chose: this copy's record as its screen holds it
                QCOMPARE(saved, kUpdated);
                QCOMPARE(own, QStringLiteral("copia %1").arg(i));
                QCOMPARE(first, QString());
                break;
            case 1:  // show the stored record: nothing written, the screen shows the file's record
                QCOMPARE(QString::fromLatin1(caltest::readAll(path("2024.prt")).toHex()), before);
                QCOMPARE(c.ask({"get", fields[i]}), QString());
                QCOMPARE(c.ask({"get", fields[0]}), QString("copia 0"));
                break;
            default:  // cancel: nothing written, the screen keeps the user's change, Save asks again
                QCOMPARE(QString::fromLatin1(caltest::readAll(path("2024.prt")).toHex()), before);
                QCOMPARE(c.ask({"get", fields[i]}), QStringLiteral("copia %1").arg(i));
                QCOMPARE(c.ask({"save"}).section(u'\t', 2), QString());
                QCOMPARE(c.ask({"choices"}), QString("2"));
                break;
            }
            if (answer != 0) QCOMPARE(saved, QString());
        }
        // Shown afresh, every copy saves again without a question.
        for (auto& c : copies) {
            QCOMPARE(c->ask({"show", "1"}), QString("1"));
            QCOMPARE(unescaped(c->ask({"save"}).section(u'\t', 2)), kUpdated);
        }
    }

    // Copies that each change their own setting, show after show, at the same time: every
    // change is kept. Two copies on the mail register's office and operator; five on the kept
    // sides of the two transfer registers.
    void settingsChangedAtOnceAreAllKept_data() { copies_data(); }
    void settingsChangedAtOnceAreAllKept() {
        QFETCH(int, count);
        struct Owner {
            const char* archive;
            const char* field;
            QString section;
            QString key;
            QString file;
        };
        const QList<Owner> owners =
            count == 2
                ? QList<Owner>{{"TfrmProtocollo", "txtUfficio", kMailOfficeSection, kMailOfficeKey, kMailSettingsFile},
                               {"TfrmProtocollo", "txtOperatore", kMailOfficeSection, kMailOperatorKey, kMailSettingsFile}}
                : QList<Owner>{
                      {"TfrmBonificiEmessi", "txtPagatore", "Bonifici Emessi", "Nome Pagatore", kTransferSettingsFile},
                      {"TfrmBonificiEmessi", "txtCodFiscPag", "Bonifici Emessi", kTransferFiscalCodeKey, kTransferSettingsFile},
                      {"TfrmBonificiEmessi", "txtIbanPag", "Bonifici Emessi", kTransferIbanKey, kTransferSettingsFile},
                      {"TfrmBonificiRicevuti", "txtBeneficiario", "Bonifici Ricevuti", "Nome Beneficiario", kTransferSettingsFile},
                      {"TfrmBonificiRicevuti", "txtIbanBen", "Bonifici Ricevuti", kTransferIbanKey, kTransferSettingsFile}};
        constexpr int kRounds = 40;
        Copies copies;
        for (int i = 0; i < count; ++i) copies.push_back(std::make_unique<Copy>(folder()));
        for (int i = 0; i < count; ++i)
            copies[std::size_t(i)]->send({"keep", owners[i].archive, owners[i].field, QStringLiteral("K%1").arg(i),
                                          QString::number(kRounds)});
        for (int i = 0; i < count; ++i) QCOMPARE(copies[std::size_t(i)]->line(), QString("ok"));
        for (int i = 0; i < count; ++i) {
            IniFile ini;
            QCOMPARE(ini.load(path(owners[i].file)), IniFile::Load::Loaded);
            QCOMPARE(ini.value(owners[i].section, owners[i].key), QStringLiteral("K%1R%2").arg(i).arg(kRounds));
        }
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsSet("CALTEST_CHILD")) return child(argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    TestSharedFolder tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_sharedfolder.moc"
