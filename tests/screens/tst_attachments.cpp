// Attached files and the associated folder: the attachments folder, copying with the overwrite
// question, stored names that try to leave the folder, failed copies, the "Allega file" screen,
// the main document slot, and the client screen's attachment and folder commands.
#include "clients/ClientLayout.h"
#include "clients/TfrmCartella.h"
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "screens/TfrmAllegaCartella.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/FullDisk.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {

const QString kOverwrite = QString::fromUtf8(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
    "Si vuole sovrascrivere il file esistente?");
const QString kChooser = QStringLiteral("Selezionare il file da allegare:|Tutti i file (*.*)");
const QString kFolderWarning = QString::fromUtf8(
    "Attenzione: l'associazione di una cartella ad un cliente può avvenire soltanto dopo che la scheda è "
    "stata inserita in archivio.");

// Everything in a folder, hidden files included.
QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

template <typename T>
T* child(QWidget* parent, const QString& name) {
    T* w = parent->findChild<T*>(name);
    if (!w) qWarning("missing %s", qPrintable(name));
    return w;
}

void click(QWidget* parent, const QString& name) {
    QWidget* w = parent->findChild<QWidget*>(name);
    QVERIFY2(w, qPrintable(name));
    QVERIFY2(w->isEnabled(), qPrintable(name + " is disabled"));
    QTest::mouseClick(w, Qt::LeftButton);
}

}  // namespace

class TestAttachments : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<QTemporaryDir> sources;  // the user's files, outside the program folder
    std::unique_ptr<caltest::FakeServices> fakes;

    // A file of the user's with these bytes.
    QString userFile(const QString& name, const QByteArray& bytes) {
        const QString path = sources->path() + '/' + name;
        QDir().mkpath(QFileInfo(path).path());
        if (!caltest::writeAll(path, bytes)) qWarning("cannot write %s", qPrintable(path));
        return path;
    }
    QString stored(const QString& name) { return programFolder() + "Documenti_Allegati/" + name; }
    void putStored(const QString& name, const QByteArray& bytes) {
        QVERIFY(QDir().mkpath(attachmentsFolder()));
        QVERIFY(caltest::writeAll(stored(name), bytes));
    }
    // An attachment screen on the screen, in a mode, with values.
    std::unique_ptr<TfrmAllegaCartella> dialog(const QString& mode = "clienti", const AttachmentSlots& values = {}) {
        auto d = std::make_unique<TfrmAllegaCartella>();
        d->setMode(mode);
        d->setSlots(values);
        d->show();
        return d;
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        sources = std::make_unique<QTemporaryDir>();
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanup() {
        fakes.reset();
        sources.reset();
        folder.reset();
    }

    // --- Names and paths --------------------------------------------------------------

    void storedNameReducedToFileName_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("file");  // empty: nothing usable
        QTest::newRow("plain") << "scan.pdf" << "scan.pdf";
        QTest::newRow("blanks around") << "  scan.pdf  " << "scan.pdf";
        QTest::newRow("climbing") << "../../etc/passwd" << "passwd";
        QTest::newRow("absolute") << "/tmp/x" << "x";
        QTest::newRow("inner folder") << "sub/dir/atto.doc" << "atto.doc";
        QTest::newRow("accented") << QString::fromUtf8("ricevuta è.pdf") << QString::fromUtf8("ricevuta è.pdf");
        QTest::newRow("parent") << ".." << "";
        QTest::newRow("current") << "." << "";
        QTest::newRow("ends in parent") << "a/b/.." << "";
        QTest::newRow("ends in separator") << "/etc/" << "";
        QTest::newRow("root") << "/" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks") << "   " << "";
    }
    void storedNameReducedToFileName() {
        QFETCH(QString, name);
        QFETCH(QString, file);
        const auto got = attachmentFileName(name);
        QCOMPARE(got.value_or(QString()), file);
        const auto path = attachmentPath(name);
        QCOMPARE(path.has_value(), !file.isEmpty());
        if (path) {
            QCOMPARE(*path, folder->path() + "Documenti_Allegati/" + file);
            QCOMPARE(QFileInfo(*path).absolutePath(), QDir::cleanPath(folder->path() + "Documenti_Allegati"));
        }
    }

    // A damaged or crafted record can only open what is inside the attachments folder.
    // The copy takes the name the record will give back (Windows-1252, 250 bytes), so the
    // stored name always finds its file.
    void attachedCopyTakesTheStoredName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("name");
        const QString a250(250, u'a');
        QTest::newRow("accented") << QString::fromUtf8("città.pdf") << QString::fromUtf8("città.pdf");
        QTest::newRow("outside the code page") << QString::fromUtf8("Ωmega.pdf") << "?mega.pdf";
        QTest::newRow("outside the plane") << QString::fromUtf8("a😀.pdf") << "a?.pdf";
        QTest::newRow("255 characters") << a250 + ".docx" << a250;
        QTest::newRow("cut before a blank") << QString(249, u'b') + " x.pdf" << QString(249, u'b');
    }
    void attachedCopyTakesTheStoredName() {
        QFETCH(QString, chosen);
        QFETCH(QString, name);
        fakes->dialogs.files << userFile(chosen, "content");
        auto d = dialog();
        click(d.get(), "btnSfoglia01");
        const QString field = child<QLineEdit>(d.get(), "txtFile01")->text();
        QCOMPARE(field, name);
        QCOMPARE(entries(attachmentsFolder()), QStringList{name});
        QCOMPARE(caltest::readAll(stored(name)), QByteArray("content"));

        // Saved in a record and read back, the name opens that very copy.
        Record record(kClientLayout);
        record.setText("lblFile01", field);
        const QString readBack = record.text("lblFile01");
        QCOMPARE(readBack, name);
        openAttachment(readBack);
        QCOMPARE(fakes->shell.opened, QStringList{stored(name)});
        QVERIFY(QFileInfo::exists(fakes->shell.opened.first()));
    }

    void craftedNamesOpenOnlyInsideTheFolder_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("opened");  // empty: nothing opened
        QTest::newRow("climbing") << "../../etc/passwd" << "passwd";
        QTest::newRow("absolute") << "/tmp/x" << "x";
        QTest::newRow("program file") << "../Contatti.pro" << "Contatti.pro";
        QTest::newRow("parent only") << ".." << "";
        QTest::newRow("dot") << "." << "";
    }
    void craftedNamesOpenOnlyInsideTheFolder() {
        QFETCH(QString, name);
        QFETCH(QString, opened);
        AttachmentSlots values;
        values.files[1] = name;
        auto d = dialog("clienti", values);
        click(d.get(), "btnApri02");
        QCOMPARE(fakes->shell.opened, opened.isEmpty() ? QStringList() : QStringList{stored(opened)});
    }

    // --- Attaching ------------------------------------------------------------------------

    void attachCreatesTheFolderAndCopies() {
        const QString source = userFile("docs/scan.pdf", "%PDF first");
        QVERIFY(!QFileInfo::exists(programFolder() + "Documenti_Allegati"));
        fakes->dialogs.files << source;
        auto d = dialog();
        click(d.get(), "btnSfoglia02");
        QCOMPARE(fakes->dialogs.chooserTitles, QStringList{kChooser});
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile02")->text(), QString("scan.pdf"));
        QCOMPARE(caltest::readAll(stored("scan.pdf")), QByteArray("%PDF first"));
        QCOMPARE(caltest::readAll(source), QByteArray("%PDF first"));  // the user's file stays
        QCOMPARE(entries(attachmentsFolder()), QStringList{"scan.pdf"});
        QVERIFY(fakes->dialogs.questions.isEmpty());
        QVERIFY(fakes->dialogs.messages.isEmpty());
        QVERIFY(child<QPushButton>(d.get(), "btnApri02")->isEnabled());
        QVERIFY(!child<QPushButton>(d.get(), "btnApri01")->isEnabled());
        click(d.get(), "btnApri02");
        QCOMPARE(fakes->shell.opened, QStringList{stored("scan.pdf")});
    }

    void attachCreatesMissingParents() {
        const QString deep = folder->path() + "non/ancora/creata/";
        setProgramFolder(deep);
        fakes->dialogs.files << userFile("a.txt", "abc");
        auto d = dialog();
        click(d.get(), "btnSfoglia01");
        QCOMPARE(caltest::readAll(deep + "Documenti_Allegati/a.txt"), QByteArray("abc"));
    }

    void overwriteQuestion_data() {
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("Yes replaces") << true << QByteArray("new content, longer than the old");
        QTest::newRow("No keeps") << false << QByteArray("old");
    }
    void overwriteQuestion() {
        QFETCH(bool, yes);
        QFETCH(QByteArray, after);
        putStored("scan.pdf", "old");
        fakes->dialogs.files << userFile("scan.pdf", "new content, longer than the old");
        fakes->dialogs.answers << yes;
        auto d = dialog("clienti", {{"keep.pdf", "", ""}, {"note", "", ""}});
        click(d.get(), "btnSfoglia01");
        QCOMPARE(fakes->dialogs.questions, QStringList{kOverwrite});
        // Either way the slot now names the file of the folder.
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile01")->text(), QString("scan.pdf"));
        QCOMPARE(child<QLineEdit>(d.get(), "txtDesc01")->text(), QString("note"));
        QCOMPARE(caltest::readAll(stored("scan.pdf")), after);
        QCOMPARE(entries(attachmentsFolder()), QStringList{"scan.pdf"});  // no temporary file left
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    void attachingTheSameFileTwiceAsksTheSecondTime() {
        const QString source = userFile("scan.pdf", "same bytes");
        fakes->dialogs.files << source << source;
        auto d = dialog();
        click(d.get(), "btnSfoglia01");
        QVERIFY(fakes->dialogs.questions.isEmpty());
        click(d.get(), "btnSfoglia03");
        QCOMPARE(fakes->dialogs.questions, QStringList{kOverwrite});
        QCOMPARE(caltest::readAll(stored("scan.pdf")), QByteArray("same bytes"));
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile03")->text(), QString("scan.pdf"));
    }

    // Two archives attaching different files of one name share the last copy.
    void twoArchivesShareTheLastCopy() {
        fakes->dialogs.files << userFile("first/scan.pdf", "first") << userFile("second/scan.pdf", "second");
        auto services = dialog("servizi");
        click(services.get(), "btnSfoglia01");
        auto transfers = dialog("bonificiemessi");
        click(transfers.get(), "btnSfoglia02");
        QCOMPARE(caltest::readAll(stored("scan.pdf")), QByteArray("second"));
        click(services.get(), "btnApri01");
        click(transfers.get(), "btnApri02");
        QCOMPARE(fakes->shell.opened, (QStringList{stored("scan.pdf"), stored("scan.pdf")}));
    }

    void cancelledChooserChangesNothing() {
        auto d = dialog("clienti", {{"keep.pdf", "", ""}, {}});
        click(d.get(), "btnSfoglia01");  // no scripted file: the user cancels
        QCOMPARE(fakes->dialogs.chooserTitles.size(), 1);
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile01")->text(), QString("keep.pdf"));
        QVERIFY(!QFileInfo::exists(programFolder() + "Documenti_Allegati"));
        QVERIFY(fakes->dialogs.questions.isEmpty());
    }

    // A copy that fails half-way leaves the old file whole and no temporary file behind.
    void failedCopyKeepsTheOldFile_data() {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("source vanished") << QString() << "scan.pdf" << false;
        // Opens, then fails on the first read (EIO): the copy breaks after it has started.
        QTest::newRow("read error") << "/proc/self/mem" << "mem" << false;
        // A small file stays in a buffer until the end: the disk refuses it only then.
        QTest::newRow("full disk") << "scan.pdf" << "scan.pdf" << true;
    }
    void failedCopyKeepsTheOldFile() {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(bool, fullDisk);
        if (fullDisk) {
            source = userFile(source, "new content, longer than the room left on the disk");
        } else if (source.isEmpty()) {
            source = userFile(name, "new");
            QVERIFY(QFile::remove(source));
        } else {
            QFile probe(source);
            if (!probe.open(QIODevice::ReadOnly)) QSKIP("cannot open the failing source here");
            char c;
            if (probe.read(&c, 1) >= 0) QSKIP("the failing source reads on this machine");
        }
        putStored(name, "old bytes");
        fakes->dialogs.files << source;
        fakes->dialogs.answers << true;
        auto d = dialog();
        {
            caltest::FullDisk full(fullDisk ? 16 : RLIM_INFINITY);
            QVERIFY(full.ok());
            click(d.get(), "btnSfoglia01");
        }
        QCOMPARE(fakes->dialogs.questions, QStringList{kOverwrite});
        QCOMPARE(caltest::readAll(stored(name)), QByteArray("old bytes"));
        QCOMPARE(entries(attachmentsFolder()), QStringList{name});
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile01")->text(), name);  // the name stays, silently
        QVERIFY(fakes->dialogs.messages.isEmpty());
    }

    void readOnlyFolderIsSilent() {
        putStored("scan.pdf", "old");
        CAL_READ_ONLY(guard, programFolder() + "Documenti_Allegati");
        fakes->dialogs.files << userFile("other.pdf", "other") << userFile("scan.pdf", "new");
        fakes->dialogs.answers << true;
        auto d = dialog();
        click(d.get(), "btnSfoglia01");
        click(d.get(), "btnSfoglia02");
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile01")->text(), QString("other.pdf"));
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile02")->text(), QString("scan.pdf"));
        QCOMPARE(fakes->dialogs.questions, QStringList{kOverwrite});
        QVERIFY(fakes->dialogs.messages.isEmpty());
        QCOMPARE(entries(attachmentsFolder()), QStringList{"scan.pdf"});
        QCOMPARE(caltest::readAll(stored("scan.pdf")), QByteArray("old"));
    }

    void folderThatCannotBeCreatedIsSilent() {
        CAL_READ_ONLY(guard, folder->path());
        fakes->dialogs.files << userFile("scan.pdf", "x");
        auto d = dialog();
        click(d.get(), "btnSfoglia01");
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile01")->text(), QString("scan.pdf"));
        QVERIFY(!QFileInfo::exists(programFolder() + "Documenti_Allegati"));
        QVERIFY(fakes->dialogs.messages.isEmpty());
        QVERIFY(fakes->dialogs.questions.isEmpty());
    }

    // --- The "Allega file" screen -------------------------------------------------------

    void screenElements() {
        auto d = dialog("altri", {{" a.pdf ", "b.pdf", ""}, {" prima ", "", "terza"}});
        QCOMPARE(d->windowTitle(), QString(" Allega file"));
        QCOMPARE(d->objectName(), QString("TfrmAllegaCartella"));
        QVERIFY(d->isModal());
        auto* memory = child<QLabel>(d.get(), "lblMemory");
        QVERIFY(memory && !memory->isVisible());
        QCOMPARE(memory->text(), QString("altri"));
        for (int i = 1; i <= 3; ++i) {
            const QString n = QString("0%1").arg(i);
            auto* file = child<QLineEdit>(d.get(), "txtFile" + n);
            auto* desc = child<QLineEdit>(d.get(), "txtDesc" + n);
            QVERIFY(file && desc);
            QVERIFY(file->isReadOnly());
            QVERIFY(!desc->isReadOnly());
            QCOMPARE(file->accessibleName(), QString::fromUtf8("Nome %1° file allegato:").arg(i));
            QCOMPARE(desc->accessibleName(), QString::fromUtf8("Descrizione %1° file allegato:").arg(i));
            QCOMPARE(child<QPushButton>(d.get(), "btnSfoglia" + n)->text(), QString("Sfoglia..."));
            QCOMPARE(child<QPushButton>(d.get(), "btnApri" + n)->text(), QString("Apri"));
            QVERIFY(child<QToolButton>(d.get(), "imgCancella" + n));
        }
        // Values arrive trimmed; Open follows each name.
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile01")->text(), QString("a.pdf"));
        QCOMPARE(child<QLineEdit>(d.get(), "txtDesc01")->text(), QString("prima"));
        QVERIFY(child<QPushButton>(d.get(), "btnApri01")->isEnabled());
        QVERIFY(child<QPushButton>(d.get(), "btnApri02")->isEnabled());
        QVERIFY(!child<QPushButton>(d.get(), "btnApri03")->isEnabled());
        QCOMPARE(child<QPushButton>(d.get(), "btnApplica")->text(), QString("Applica e chiudi"));
        QCOMPARE(child<QPushButton>(d.get(), "btnAnnulla")->text(), QString("Annulla"));
        // A fresh screen has every Open disabled.
        TfrmAllegaCartella fresh;
        for (const char* name : {"btnApri01", "btnApri02", "btnApri03"})
            QVERIFY(!child<QPushButton>(&fresh, name)->isEnabled());
    }

    void clearEmptiesOnlyTheName() {
        putStored("a.pdf", "keep me");
        auto d = dialog("libri", {{"a.pdf", "", ""}, {"descrizione", "", ""}});
        click(d.get(), "imgCancella01");
        QCOMPARE(child<QLineEdit>(d.get(), "txtFile01")->text(), QString());
        QCOMPARE(child<QLineEdit>(d.get(), "txtDesc01")->text(), QString("descrizione"));
        QVERIFY(!child<QPushButton>(d.get(), "btnApri01")->isEnabled());
        QCOMPARE(caltest::readAll(stored("a.pdf")), QByteArray("keep me"));
    }

    void enterNeverApplies() {
        AttachmentSlots values;
        values.descriptions[0] = "uno";
        bool applied = true;
        fakes->screens.handlers << [](QDialog* d) {
            auto* desc = d->findChild<QLineEdit*>("txtDesc01");
            desc->setFocus();
            QTest::keyClick(desc, Qt::Key_Return);
            QVERIFY(d->isVisible());
            QCOMPARE(QApplication::focusWidget(), d->findChild<QLineEdit*>("txtDesc02"));
            click(d, "btnAnnulla");
        };
        applied = openAttachments("clienti", values);
        QVERIFY(!applied);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmAllegaCartella"});
    }

    void applyHandsBackInEveryMode_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<bool>("known");
        for (const char* m : {"clienti", "altri", "protocollo", "libri", "bibliografie", "tariffario", "servizi",
                              "bonificiemessi", "bonificiricevuti"})
            QTest::newRow(m) << QString(m) << true;
        QTest::newRow("upper case") << "Clienti" << false;
        QTest::newRow("blank after") << "clienti " << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("other keyword") << "scadenzario" << false;
    }
    void applyHandsBackInEveryMode() {
        QFETCH(QString, mode);
        QFETCH(bool, known);
        AttachmentSlots values{{"a.pdf", "", "c.pdf"}, {"uno", "due", ""}};
        bool stayedOpen = false;
        fakes->screens.handlers << [&](QDialog* d) {
            d->findChild<QLineEdit*>("txtDesc02")->setText("  nuova  ");
            d->findChild<QLineEdit*>("txtDesc03")->setText("tre");
            click(d, "btnApplica");
            stayedOpen = d->isVisible();
            if (stayedOpen) click(d, "btnAnnulla");
        };
        const bool applied = openAttachments(mode, values);
        QCOMPARE(applied, known);
        QCOMPARE(stayedOpen, !known);
        const AttachmentSlots expected = known ? AttachmentSlots{{"a.pdf", "", "c.pdf"}, {"uno", "nuova", "tre"}}
                                               : AttachmentSlots{{"a.pdf", "", "c.pdf"}, {"uno", "due", ""}};
        QCOMPARE(values.files, expected.files);
        QCOMPARE(values.descriptions, expected.descriptions);
    }

    // The copy happens at once; cancelling the screen leaves it but hands nothing back.
    void cancelKeepsTheCopyButNotTheSlots() {
        fakes->dialogs.files << userFile("scan.pdf", "copied");
        AttachmentSlots values{{"old.pdf", "", ""}, {"", "", ""}};
        fakes->screens.handlers << [](QDialog* d) {
            click(d, "btnSfoglia01");
            QCOMPARE(d->findChild<QLineEdit*>("txtFile01")->text(), QString("scan.pdf"));
            click(d, "btnAnnulla");
        };
        QVERIFY(!openAttachments("clienti", values));
        QCOMPARE(values.files[0], QString("old.pdf"));
        QCOMPARE(caltest::readAll(stored("scan.pdf")), QByteArray("copied"));
    }

    // --- Main document slot ---------------------------------------------------------------

    void mainDocumentSlot() {
        QWidget screen;
        auto* txtCopia = new QLineEdit(&screen);
        auto* btnSfoglia = new QPushButton("Sfoglia...", &screen);
        auto* btnApri = new QPushButton("Apri", &screen);
        auto* clear = new QToolButton(&screen);
        bindMainDocumentSlot(txtCopia, btnSfoglia, btnApri, clear);
        screen.show();
        QVERIFY(txtCopia->isReadOnly());
        QVERIFY(!btnApri->isEnabled());
        txtCopia->setText("   ");
        QVERIFY(!btnApri->isEnabled());  // blanks only count as empty

        fakes->dialogs.files << userFile("fattura.pdf", "fattura");
        QTest::mouseClick(btnSfoglia, Qt::LeftButton);
        QCOMPARE(txtCopia->text(), QString("fattura.pdf"));
        QVERIFY(btnApri->isEnabled());
        QCOMPARE(caltest::readAll(stored("fattura.pdf")), QByteArray("fattura"));
        QTest::mouseClick(btnApri, Qt::LeftButton);
        QCOMPARE(fakes->shell.opened, QStringList{stored("fattura.pdf")});

        QTest::mouseClick(clear, Qt::LeftButton);
        QCOMPARE(txtCopia->text(), QString());
        QVERIFY(!btnApri->isEnabled());
        QCOMPARE(caltest::readAll(stored("fattura.pdf")), QByteArray("fattura"));  // the copy stays

        txtCopia->setText("../../etc/passwd");  // a crafted record
        QTest::mouseClick(btnApri, Qt::LeftButton);
        QCOMPARE(fakes->shell.opened.last(), stored("passwd"));
    }

    // --- The client screen ------------------------------------------------------------------

    void clientAttachmentsFlow() {
        TfrmClienti screen;
        screen.show();
        // A stored client with two attachments.
        Record r(kClientLayout);
        r.setText(ClientField::Cliente, "Rossi Mario");
        r.setText(ClientField::File01, "contratto.pdf");
        r.setText(ClientField::Desc01, "Contratto");
        r.setText(ClientField::File02, "../../etc/passwd");
        r.setText(ClientField::Desc02, "Danneggiato");
        {
            RecordFile f;
            QVERIFY(f.open(programFile("Contatti.pro"), kClientLayout.size()));
            QVERIFY(f.write(r));
        }
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdPrimo"), Qt::LeftButton);
        QCOMPARE(screen.position(), QString("1"));

        fakes->dialogs.files << userFile("visura.pdf", "visura");
        fakes->screens.handlers << [this](QDialog* d) {
            QCOMPARE(d->findChild<QLabel*>("lblMemory")->text(), QString("clienti"));
            QCOMPARE(d->findChild<QLineEdit*>("txtFile01")->text(), QString("contratto.pdf"));
            QCOMPARE(d->findChild<QLineEdit*>("txtDesc01")->text(), QString("Contratto"));
            QCOMPARE(d->findChild<QLineEdit*>("txtFile02")->text(), QString("../../etc/passwd"));
            QCOMPARE(d->findChild<QLineEdit*>("txtFile03")->text(), QString());
            click(d, "btnApri02");  // the damaged name stays inside the folder
            QCOMPARE(fakes->shell.opened, QStringList{stored("passwd")});
            click(d, "btnSfoglia03");
            d->findChild<QLineEdit*>("txtDesc03")->setText(" Visura camerale ");
            click(d, "imgCancella02");
            click(d, "btnApplica");
        };
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdFile"), Qt::LeftButton);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmAllegaCartella"});
        QCOMPARE(fakes->dialogs.chooserTitles, QStringList{kChooser});
        auto label = [&](const char* name) { return screen.findChild<QLabel*>(name)->text(); };
        QCOMPARE(label("lblFile01"), QString("contratto.pdf"));
        QCOMPARE(label("lblFile02"), QString());
        QCOMPARE(label("lblDesc02"), QString("Danneggiato"));
        QCOMPARE(label("lblFile03"), QString("visura.pdf"));
        QCOMPARE(label("lblDesc03"), QString("Visura camerale"));

        // The record changes only when saved.
        QByteArray bytes = caltest::readAll(programFile("Contatti.pro"));
        QCOMPARE(bytes.mid(2478, 1), QByteArray("\x00", 1));
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdSalva"), Qt::LeftButton);
        bytes = caltest::readAll(programFile("Contatti.pro"));
        QCOMPARE(bytes.size(), 3482);
        QCOMPARE(bytes.mid(1976, 14), QByteArray("\x0d" "contratto.pdf"));
        QCOMPARE(bytes.mid(2227, 1), QByteArray("\x00", 1));
        QCOMPARE(bytes.mid(2478, 11), QByteArray("\x0a" "visura.pdf"));
        QCOMPARE(bytes.mid(3231, 16), QByteArray("\x0f" "Visura camerale"));

        // Cancelling hands nothing back.
        fakes->screens.handlers << [](QDialog* d) {
            d->findChild<QLineEdit*>("txtDesc01")->setText("cambiata");
            click(d, "btnAnnulla");
        };
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdFile"), Qt::LeftButton);
        QCOMPARE(label("lblDesc01"), QString("Contratto"));
    }

    void clientFolderNeedsASavedRecord() {
        TfrmClienti screen;
        screen.show();
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdAssocia"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(fakes->dialogs.messages.last().text, kFolderWarning);
        QVERIFY(fakes->screens.shown.isEmpty());
        QCOMPARE(entries(folder->path()), QStringList());
    }

    void clientFolderOfTheThirdRecord() {
        {
            RecordFile f;
            QVERIFY(f.open(programFile("Contatti.pro"), kClientLayout.size()));
            for (const char* name : {"Primo", "Secondo", "Terzo"}) {
                Record r(kClientLayout);
                r.setText(ClientField::Cliente, name);
                QVERIFY(f.write(r));
            }
        }
        TfrmClienti screen;
        screen.show();
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdUltimo"), Qt::LeftButton);
        QCOMPARE(screen.position(), QString("3"));
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->windowTitle(), QString(" Gestione cartella abbinata alla scheda corrente"));
            QCOMPARE(d->findChild<QLabel*>("lblMemory")->text(), QString("3"));
            QCOMPARE(d->findChild<QPushButton*>("btnChiudi")->text(), QString("Chiudi"));
            QCOMPARE(d->findChild<QPushButton*>("btnApriCartella")->text(), QString("Apri cartella"));
            click(d, "btnApriCartella");
            QVERIFY(!d->isVisible());
        };
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdAssocia"), Qt::LeftButton);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmCartella"});
        const QString cliente3 = folder->path() + "Cliente_3";
        QVERIFY(QFileInfo(cliente3).isDir());
        QCOMPARE(entries(cliente3), QStringList());  // created empty
        QCOMPARE(fakes->shell.opened, QStringList{cliente3});
        QVERIFY(fakes->dialogs.messages.isEmpty());

        // Opened again: the folder and what the user put in it stay.
        QVERIFY(caltest::writeAll(cliente3 + "/nota.txt", "x"));
        fakes->screens.handlers << [](QDialog* d) { click(d, "btnApriCartella"); };
        QTest::mouseClick(screen.findChild<QToolButton*>("cmdAssocia"), Qt::LeftButton);
        QCOMPARE(entries(cliente3), QStringList{"nota.txt"});
        QCOMPARE(fakes->shell.opened, (QStringList{cliente3, cliente3}));
    }

    void closingTheFolderScreenDoesNothing() {
        fakes->screens.handlers << [](QDialog* d) { click(d, "btnChiudi"); };
        openClientFolderScreen(12);
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmCartella"});
        QVERIFY(!QFileInfo::exists(folder->path() + "Cliente_12"));
        QVERIFY(fakes->shell.opened.isEmpty());
    }

    void folderPositions_data() {
        QTest::addColumn<qint64>("position");
        QTest::addColumn<QString>("folderName");  // empty: no screen
        QTest::newRow("12") << qint64(12) << "Cliente_12";
        QTest::newRow("1") << qint64(1) << "Cliente_1";
        QTest::newRow("large") << qint64(100000) << "Cliente_100000";
        QTest::newRow("zero") << qint64(0) << "";
        QTest::newRow("negative") << qint64(-3) << "";
    }
    void folderPositions() {
        QFETCH(qint64, position);
        QFETCH(QString, folderName);
        fakes->screens.handlers << [](QDialog* d) { click(d, "btnApriCartella"); };
        openClientFolderScreen(position);
        if (folderName.isEmpty()) {
            QVERIFY(fakes->screens.shown.isEmpty());
            QVERIFY(fakes->shell.opened.isEmpty());
            QCOMPARE(entries(folder->path()), QStringList());
        } else {
            QCOMPARE(entries(folder->path()), QStringList{folderName});
            QCOMPARE(fakes->shell.opened, QStringList{folder->path() + folderName});
        }
    }

    // The folder screen builds the folder from a position only, whatever its memory holds.
    void folderMemoryThatIsNotAPosition() {
        TfrmCartella screen;
        screen.findChild<QLabel*>("lblMemory")->setText("../../x");
        screen.show();
        click(&screen, "btnApriCartella");
        QVERIFY(fakes->shell.opened.isEmpty());
        QCOMPARE(entries(folder->path()), QStringList());
        QVERIFY(!screen.isVisible());
    }
};

CAL_WIDGET_TEST_MAIN(TestAttachments)
#include "tst_attachments.moc"
