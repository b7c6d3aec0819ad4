// The article card index: what is particular to it (the shared protocol is tested over every
// archive). Zero-terminated fields kept untrimmed, the article's text cut to the bytes it is
// stored in, the link, the year files, the full-text search, the export of the open year and
// the RTF card, which LibreOffice Writer must read back.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "screens/YearMenu.h"
#include "articles/ArticleTables.h"
#include "articles/TfrmBibliografie.h"
#include "articles/TfrmCreaRTF.h"
#include "core/Codepage.h"
#include "core/Password.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "screens/ExportScreen.h"
#include "testlib/CalWidgetTest.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;
using namespace ArticleField;

namespace {
const QString kNoTitle =
    QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il titolo dell'articolo.");
const QString kNoLink = QString::fromUtf8("Attenzione: per collegarsi al sito è necessario indicare il suo Indirizzo.");
const QString kAccess = QStringLiteral(
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.");
}  // namespace

class TestArticles : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmBibliografie> screen;
    std::unique_ptr<YearMenu> menu;

    QLineEdit* edit(const char* name) {
        auto* e = screen->findChild<QLineEdit*>(name);
        if (!e) qFatal("no %s", name);
        return e;
    }
    QPlainTextEdit* text() { return screen->findChild<QPlainTextEdit*>("txtTesto"); }
    QString position() { return screen->findChild<QLabel*>("lblPosizione")->text(); }
    QString lastText() { return fakes->dialogs.messages.isEmpty() ? QString() : fakes->dialogs.messages.last().text; }
    void command(const char* name) {
        auto* b = screen->findChild<QToolButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // Opens a year through the year menu, as the launcher does.
    void openYear(const char* year) {
        menu->show();
        menu->findChild<QLineEdit*>("txtAnnoPreventivi")->setText(year);
        QTest::mouseClick(menu->findChild<QPushButton*>("btnApriPreventivi"), Qt::LeftButton);
        QVERIFY(!menu->isVisible());
        screen->hide();
        screen->show();
        QApplication::setActiveWindow(screen.get());
    }
    // The stored record `index` of the open year's file.
    Record stored(int index = 0) {
        Record r(kArticleLayout);
        r.bytes() = caltest::readAll(screen->filePath()).mid(index * kArticleLayout.size(), kArticleLayout.size());
        return r;
    }
    QByteArray storedField(int field, int index = 0) {
        return stored(index).bytes().mid(kArticleLayout.offset(field), kArticleLayout.fields[field].capacity + 1);
    }
    void writeRecord(const QString& path, const QStringList& values) {
        RecordFile f;
        QVERIFY(f.open(path, kArticleLayout.size()));
        QVERIFY(f.seek(f.count()));
        Record r(kArticleLayout);
        for (int i = 0; i < values.size(); ++i) r.setText(i, values[i]);
        QVERIFY(f.write(r));
        QVERIFY(f.close());
    }
    // Runs the article search with one filter and returns the lines found.
    QStringList search(const char* filter, const QString& value, QString* count = nullptr, int openRow = -1) {
        QStringList lines;
        fakes->screens.handlers << [&](QDialog* d) {
            d->findChild<QLineEdit*>(filter)->setText(value);
            d->findChild<QPushButton*>("btnCerca")->click();
            auto* list = d->findChild<QListView*>("lstRecords");
            for (int i = 0; i < list->model()->rowCount(); ++i) lines << list->model()->index(i, 0).data().toString();
            if (count) *count = d->findChild<QLabel*>("lblTrovate")->text();
            if (openRow >= 0) {
                const QPoint p = list->visualRect(list->model()->index(openRow, 0)).center();
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
                QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, p);
            }
            d->reject();
        };
        command("cmdTrova");
        return lines;
    }
    // cmdWord, then "Esporta e stampa" on the RTF screen.
    void exportRtf() {
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmCreaRTF"));
            QCOMPARE(d->windowTitle(), QString(" Esporta scheda in RTF"));
            QCOMPARE(d->findChild<QLabel*>("lblMemory")->text(), QString("bibliografie"));
            QCOMPARE(d->findChild<QPushButton*>("btnStampa")->text(), QString("Esporta e stampa"));
            QTest::mouseClick(d->findChild<QPushButton*>("btnStampa"), Qt::LeftButton);
            QVERIFY(!d->isVisible());  // the screen closes whatever the outcome
        };
        command("cmdWord");
    }
    QString rtfPath() { return programFile("Scheda_Articolo.rtf"); }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        screen = std::make_unique<TfrmBibliografie>();
        menu = std::make_unique<YearMenu>(kArticleYearMenu);
        menu->setArchive(screen.get());
        screen->show();
        openYear("2024");
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void cleanup() {
        menu.reset();
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    // "Schedario Articoli" on the launcher: the year menu, then the cards of that year; closing
    // them goes back to the launcher.
    void launcherOpensAYear() {
        QCOMPARE(writeStoredPassword(programFolder(), kInitialPassword), PasswordWrite::Written);
        Application app;
        app.start();
        QTest::keyClicks(app.login()->findChild<QLineEdit*>("txtPassword"), "calvetra");
        QTest::mouseClick(app.login()->findChild<QAbstractButton*>("cmdOK"), Qt::LeftButton);
        auto* entry = app.launcher()->findChild<QPushButton*>("btnArticoli");
        QVERIFY(entry);
        QVERIFY(entry->isEnabled());
        QTest::mouseClick(entry, Qt::LeftButton);
        YearMenu* years = app.yearMenu("TfrmMenuArticoli");
        QVERIFY(years->isVisible());
        years->findChild<QLineEdit*>("txtAnnoPreventivi")->setText("2019");
        QTest::mouseClick(years->findChild<QPushButton*>("btnApriPreventivi"), Qt::LeftButton);
        ArchiveScreen* cards = app.archive("TfrmBibliografie");
        QVERIFY(cards->isVisible());
        QVERIFY(!years->isVisible());
        QCOMPARE(cards->windowTitle(), QString(" Calvetra 4.0 - Schedario Articoli anno 2019"));
        QCOMPARE(cards->findChild<QLabel*>("lblFile")->text(), programFile("2019.art"));
        cards->close();
        QVERIFY(app.launcher()->isVisible());
    }

    void titleKeptUntrimmed() {
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Schedario Articoli anno 2024"));
        QCOMPARE(QApplication::focusWidget(), edit("txtTitolo"));
        // Only the emptiness test trims.
        edit("txtTitolo")->setText("   ");
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), kNoTitle);
        QVERIFY(!QFile::exists(programFile("2024.art")));
        edit("txtTitolo")->setText(QString::fromUtf8("  Città e periferie  "));
        edit("txtAutore")->setText(" Bianchi");
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("La scheda corrente è stata inserita in archivio."));
        QCOMPARE(caltest::readAll(programFile("2024.art")).size(), qsizetype(7957));
        QCOMPARE(storedField(Titolo).left(22), QByteArray("  Citt\xE0 e periferie  \0", 22));
        QCOMPARE(storedField(Autore).left(9), QByteArray(" Bianchi\0", 9));
        command("cmdNuovo");
        QCOMPARE(edit("txtTitolo")->text(), QString());
        command("cmdPrimo");
        QCOMPARE(edit("txtTitolo")->text(), QString::fromUtf8("  Città e periferie  "));
        QCOMPARE(edit("txtAutore")->text(), QString(" Bianchi"));
        QCOMPARE(position(), QString("1"));
    }

    void articleTextCutToItsBytes() {
        // 6000 characters: the accents and the euro sign take one byte each in the file, the line
        // break two (CR LF).
        QString pasted = QString::fromUtf8("Perché no?\n");
        while (pasted.size() < 6000) pasted += QString::fromUtf8("è costato 10 € più IVA; ");
        pasted.truncate(6000);
        edit("txtTitolo")->setText("Lungo");
        text()->setFocus();
        text()->setPlainText(pasted);
        // The first 11 characters take 12 bytes, so 4999 characters fill the 5000 bytes.
        const QString kept = pasted.left(4999);
        QCOMPARE(text()->toPlainText(), kept);
        command("cmdSalva");
        const QByteArray bytes = storedField(Testo);
        QCOMPARE(bytes.left(5000), toCp1252(QString(kept).replace("\n", "\r\n")));
        QCOMPARE(bytes.left(15), QByteArray("Perch\xE9 no?\r\n\xE8 c"));
        QVERIFY(bytes.left(5000).contains("10 \x80 pi\xF9"));
        QCOMPARE(bytes.at(5000), '\0');
        command("cmdNuovo");
        command("cmdPrimo");
        QCOMPARE(text()->toPlainText(), kept);
    }

    void fieldOfExactlyItsCapacity_data() {
        QTest::addColumn<int>("field");
        for (int f : {Titolo, DataPub, Genere, NumTestata, Sito, Note})
            QTest::newRow(kArticleLayout.fields[f].name.data()) << f;
    }
    void fieldOfExactlyItsCapacity() {
        QFETCH(int, field);
        const int n = kArticleLayout.fields[field].capacity;
        const char* name = kArticleLayout.fields[field].name.data();
        QString full;
        while (full.size() < n + 5) full += QString::fromUtf8("à€b");
        // Typing (or pasting) stops at the capacity.
        edit(name)->setFocus();
        edit(name)->clear();
        edit(name)->insert(full);
        QCOMPARE(edit(name)->text(), full.left(n));
        if (field != Titolo) edit("txtTitolo")->setText("Titolo");
        command("cmdSalva");
        // N bytes, and the zero byte in the field's last byte.
        QCOMPARE(storedField(field), toCp1252(full.left(n)) + QByteArray(1, '\0'));
        // One byte less leaves the zero byte and one leftover byte, which is not read back.
        edit(name)->setText(full.left(n - 1));
        command("cmdSalva");
        QCOMPARE(storedField(field).left(n), toCp1252(full.left(n - 1)) + QByteArray(1, '\0'));
        QByteArray bytes = caltest::readAll(screen->filePath());
        bytes[kArticleLayout.offset(field) + n] = 'Z';  // a leftover after the terminator
        QVERIFY(caltest::writeAll(screen->filePath(), bytes));
        command("cmdNuovo");
        command("cmdPrimo");
        QCOMPARE(edit(name)->text(), full.left(n - 1));
    }

    void linkWarnsAndResets() {
        QCOMPARE(edit("txtSito")->text(), QString("https://"));
        edit("txtSito")->setFocus();
        edit("txtSito")->clear();
        QTest::keyClicks(edit("txtSito"), "  ");
        QCOMPARE(edit("txtSito")->text(), QString());
        edit("txtTitolo")->setFocus();
        QTest::mouseClick(screen->findChild<QPushButton*>("btnSito"), Qt::LeftButton);
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), kNoLink);
        QCOMPARE(edit("txtSito")->text(), QString("https://"));
        QCOMPARE(QApplication::focusWidget(), edit("txtSito"));
        QVERIFY(fakes->shell.opened.isEmpty());
        // The bare scheme is handed over unchanged; a typed address is trimmed while typed.
        QTest::mouseClick(screen->findChild<QPushButton*>("btnSito"), Qt::LeftButton);
        QCOMPARE(fakes->shell.opened, QStringList{"https://"});
        edit("txtSito")->clear();
        QTest::keyClicks(edit("txtSito"), " www.example.org/articolo ");
        QCOMPARE(edit("txtSito")->text(), QString("www.example.org/articolo"));
        QTest::mouseClick(screen->findChild<QPushButton*>("btnSito"), Qt::LeftButton);
        QCOMPARE(fakes->shell.opened.last(), QString("http://www.example.org/articolo"));
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        // New puts the scheme back.
        command("cmdNuovo");
        QCOMPARE(edit("txtSito")->text(), QString("https://"));
    }

    // Whatever a record holds, the link opens only a web address; anything else is refused with
    // a message and nothing is opened.
    void linkOpensOnlyWebAddresses_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened");  // empty: refused
        QTest::newRow("https") << "https://www.example.org/a" << "https://www.example.org/a";
        QTest::newRow("without scheme") << "www.example.org" << "http://www.example.org";
        QTest::newRow("system file") << "/etc/passwd" << "";
        QTest::newRow("file address") << "file:///etc/passwd" << "";
        QTest::newRow("mailto with attachment") << "mailto:a@b.it?attach=/etc/passwd" << "";
        QTest::newRow("javascript") << "javascript:alert(1)" << "";
        QTest::newRow("launcher") << "/usr/share/applications/xterm.desktop" << "";
    }
    void linkOpensOnlyWebAddresses() {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        // Put there as a record read from the file puts it, past any typing rule.
        edit("txtSito")->setText(stored);
        QTest::mouseClick(screen->findChild<QPushButton*>("btnSito"), Qt::LeftButton);
        if (!opened.isEmpty()) {
            QCOMPARE(fakes->shell.opened, QStringList{opened});
            QVERIFY(fakes->dialogs.messages.isEmpty());
            return;
        }
        QVERIFY(fakes->shell.opened.isEmpty());
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: l'indirizzo indicato non è un indirizzo Internet.\n\r\n\r"
                                               "Per collegarsi al sito è necessario indicare un indirizzo che inizi "
                                               "con http:// o https://."));
        QCOMPARE(QApplication::focusWidget(), edit("txtSito"));
        QCOMPARE(edit("txtSito")->text(), stored);
    }

    void enterMovesAlongTheCard_data() {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::newRow("titolo") << "txtTitolo" << "txtDataPub";
        QTest::newRow("numero") << "txtNumTestata" << "txtTesto";
        QTest::newRow("sintesi") << "txtSintesi" << "txtValutazione";
        QTest::newRow("valutazione") << "txtValutazione" << "txtNote";
        QTest::newRow("link") << "txtSito" << "txtNote";
        QTest::newRow("note") << "txtNote" << "txtTitolo";
    }
    void enterMovesAlongTheCard() {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QLineEdit* e = edit(qPrintable(from));
        e->setFocus();
        QTest::keyClick(e, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), to);
    }
    void enterStartsALineInTheText() {
        text()->setFocus();
        QTest::keyClicks(text(), "prima");
        QTest::keyClick(text(), Qt::Key_Return);
        QTest::keyClicks(text(), "seconda");
        QCOMPARE(QApplication::focusWidget(), text());
        QCOMPARE(text()->toPlainText(), QString("prima\nseconda"));
    }

    void yearsKeepSeparateFiles() {
        edit("txtTitolo")->setText("Articolo del 2024");
        command("cmdSalva");
        openYear("2023");
        QCOMPARE(screen->filePath(), programFile("2023.art"));
        QCOMPARE(edit("txtTitolo")->text(), QString());
        fakes->dialogs.messages.clear();
        command("cmdPrimo");
        QCOMPARE(lastText(), QString("L'archivio non contiene nessuna scheda."));
        QVERIFY(QFile::exists(programFile("2023.art")));  // created empty by the first command
        QCOMPARE(QFileInfo(programFile("2023.art")).size(), qint64(0));
        edit("txtTitolo")->setText("Articolo del 2023");
        command("cmdSalva");
        QCOMPARE(position(), QString("1"));
        // Search and export read the open year only.
        QCOMPARE(search("txtTitolo", "Articolo"), QStringList{"Articolo del 2023" + QString(33, ' ') +
                                                              "  Data: " + QString(10, ' ') + "  Autore: " +
                                                              QString(30, ' ') + "  Testata: "});
        openYear("2024");
        command("cmdUltimo");
        QCOMPARE(edit("txtTitolo")->text(), QString("Articolo del 2024"));
        QCOMPARE(QFileInfo(programFile("2024.art")).size(), qint64(7957));
    }

    void fullTextSearch() {
        const QString path = screen->filePath();
        writeRecord(path, {"Mosaici di Ravenna", "12/05/2023", "Arte", "Rossi", "Il Resto", "118",
                           QString::fromUtf8("I mosaici di Ravenna, città d'arte.\r\nSeconda riga")});
        writeRecord(path, {"  Zanzare  ", "03/2024", "Scienza", "Verdi", "Focus", "7", "Le zanzare tigre."});
        // A pasted text whose last word lies beyond the 5000 stored bytes.
        edit("txtTitolo")->setText("Testo lungo");
        edit("txtDataPub")->setText("01/01/2023");
        text()->setPlainText(QString(5000, 'a') + " introvabile");
        command("cmdSalva");
        QString count;
        QCOMPARE(search("txtTesto", "introvabile", &count), QStringList());
        QCOMPARE(count, QString("Il presente riepilogo contiene 0 schede."));
        QCOMPARE(search("txtTesto", "ravenna, citt", &count).size(), 1);
        QCOMPARE(count, QString("Il presente riepilogo contiene 1 schede."));
        QCOMPARE(search("txtDataPub", "/2023", &count).size(), 2);
        QCOMPARE(count, QString("Il presente riepilogo contiene 2 schede."));
        // The line: title 50, date 10, author 30, then the publication; sorted by the line.
        const QStringList all = search("txtTesto", "a");
        QCOMPARE(all.size(), 3);
        QCOMPARE(all[0], QString("Mosaici di Ravenna") + QString(32, ' ') + "  Data: 12/05/2023  Autore: Rossi" +
                             QString(25, ' ') + "  Testata: Il Resto");
        QVERIFY(all[2].startsWith("Zanzare" + QString(43, ' ') + "  Data: 03/2024   "));
        // Open shows the record as stored, untrimmed, with its text's line breaks.
        search("txtTesto", "zanzare", nullptr, 0);
        QCOMPARE(edit("txtTitolo")->text(), QString("  Zanzare  "));
        QCOMPARE(position(), QString("2"));
        search("txtTesto", "mosaici", nullptr, 0);
        QCOMPARE(text()->toPlainText(), QString::fromUtf8("I mosaici di Ravenna, città d'arte.\nSeconda riga"));
        QCOMPARE(position(), QString("1"));
    }

    void exportReadsTheOpenYear() {
        writeRecord(programFile("2023.art"), {"Altro anno"});
        const QString path = screen->filePath();
        QStringList values;
        for (int f = 0; f < Count; ++f) values << QString("  v%1 & <x> ").arg(f);
        writeRecord(path, values);
        writeRecord(path, {QString::fromUtf8("Perché è così")});
        QList<QStringList> rows;
        fakes->dialogs.answers = {true, false};
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmExpBibliografie"));
            QCOMPARE(d->windowTitle(), QString(" Esporta schedario articoli in Microsoft Excel"));
            rows = static_cast<ExportScreen*>(d)->model()->rows();
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            d->reject();
        };
        command("cmdExcel");
        QCOMPARE(rows.size(), 2);
        // Neither the text (field 6) nor the attachments; each cell trimmed.
        QCOMPARE(rows[0], (QStringList{"v0 & <x>", "v1 & <x>", "v2 & <x>", "v3 & <x>", "v4 & <x>", "v5 & <x>",
                                       "v7 & <x>", "v8 & <x>", "v9 & <x>", "v10 & <x>"}));
        QCOMPARE(rows[1].value(0), QString::fromUtf8("Perché è così"));
        const QByteArray xls = caltest::readAll(programFile("Articoli.xls"));
        QVERIFY(xls.contains("Riepilogo Articoli"));
        QVERIFY(xls.contains("Perch\xE9 \xE8 cos\xEC"));
        QVERIFY(!xls.contains("Altro anno"));
        QVERIFY(!xls.contains("v6 "));
    }

    void rtfCard() {
        edit("txtTitolo")->setText("  Prova ");
        command("cmdSalva");
        // No: nothing is written.
        fakes->dialogs.answers = {false};
        exportRtf();
        QCOMPARE(fakes->dialogs.questions.last(),
                 QString::fromUtf8("Questa procedura esporterà la scheda corrente in un documento in formato RTF.\r\n\r\n"
                                   "Si conferma la creazione del file?"));
        QVERIFY(!QFile::exists(rtfPath()));
        // Yes, then No to opening: the document, one line, from the screen as it stands.
        edit("txtSito")->clear();
        fakes->dialogs.answers = {true, false};
        exportRtf();
        QCOMPARE(fakes->dialogs.questions.last(),
                 QString::fromUtf8("Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?"));
        QVERIFY(fakes->shell.opened.isEmpty());
        const QByteArray rtf = caltest::readAll(rtfPath());
        QVERIFY(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040{\\fonttbl{\\f0\\fnil\\fcharset0 "
                               "Verdana;}{\\f1\\fnil Verdana;}}"));
        QVERIFY(rtf.contains("\\par \\pard\\f0\\fs20 Titolo articolo:\\b0\\f1  \\f0 Prova\\par"));
        QVERIFY(rtf.contains("\\par \\b Link:\\b0\\f1  \\f0 \\par"));
        QVERIFY(rtf.endsWith("\\par \\b Note:\\b0\\f1  \\f0 \\b\\par\\par }"));
        QVERIFY(!rtf.contains('\n') && !rtf.contains('\r'));
        // Braces and backslashes escaped, unsaved changes included; Yes opens the document.
        edit("txtNote")->setText(QString::fromUtf8("graffe { e } e \\ più"));
        text()->setPlainText("riga uno\nriga due");
        fakes->dialogs.answers = {true, true};
        exportRtf();
        QCOMPARE(fakes->shell.opened, QStringList{rtfPath()});
        const QByteArray again = caltest::readAll(rtfPath());
        QVERIFY(again.contains("Note:\\b0\\f1  \\f0 graffe \\{ e \\} e \\\\ pi\xF9\\b\\par\\par }"));
        QVERIFY(again.contains("Testo articolo:\\b0\\f1  \\f0 riga uno\\par riga due\\par"));
        QCOMPARE(position(), QString("1"));
    }

    void rtfFailureWritesNothingMore() {
        // A folder in the document's place cannot be replaced, as a document locked by a word
        // processor: the plain failure message, nothing opened.
        edit("txtTitolo")->setText("Prova");
        QVERIFY(QDir().mkpath(rtfPath()));
        fakes->dialogs.answers = {true, true};
        exportRtf();
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Plain);
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                                               "Accertarsi che il documento non sia già aperto."));
        QCOMPARE(fakes->dialogs.questions.size(), 1);
        QVERIFY(fakes->shell.opened.isEmpty());
        QVERIFY(QFileInfo(rtfPath()).isDir());
        // Annulla writes nothing.
        QVERIFY(QDir().rmdir(rtfPath()));
        fakes->screens.handlers << [](QDialog* d) { d->findChild<QPushButton*>("btnAnnulla")->click(); };
        command("cmdWord");
        QVERIFY(!QFile::exists(rtfPath()));
        QCOMPARE(fakes->dialogs.questions.size(), 1);
    }

    void saveFailureIsAPlainMessage() {
        CAL_READ_ONLY(guard, folder->path());
        edit("txtTitolo")->setText("Prova");
        command("cmdSalva");
        QCOMPARE(fakes->dialogs.messages.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Plain);
        QCOMPARE(lastText(), kAccess);
        QCOMPARE(position(), QString());
        command("cmdPrimo");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
    }

    // Converts `file` to UTF-8 text in `outDir` with LibreOffice Writer, headless.
    static bool toText(const QString& file, const QString& outDir, const QString& home) {
        QProcess soffice;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("HOME", home);  // a profile of its own
        soffice.setProcessEnvironment(env);
        soffice.start("soffice", {"--headless", "--convert-to", "txt:Text (encoded):UTF8", "--outdir", outDir, file});
        return soffice.waitForFinished(180000) && soffice.exitCode() == 0 &&
               QFile::exists(outDir + '/' + QFileInfo(file).completeBaseName() + ".txt");
    }

    void writerReadsTheCard() {
        if (QStandardPaths::findExecutable("soffice").isEmpty()) QSKIP("LibreOffice is not installed");
        // A minimal document first: where it cannot be read, Writer itself is missing.
        QVERIFY(caltest::writeAll(folder->path("prova.rtf"), "{\\rtf1\\ansi prova\\par}"));
        if (!toText(folder->path("prova.rtf"), folder->path("txt"), folder->path()))
            QSKIP("LibreOffice Writer is not installed");
        const QStringList values{QString::fromUtf8("Perché l'Adriatico è così"), "12/05/2023", "Ambiente",
                                 QString::fromUtf8("Niccolò Citterà"), "Il Resto", "118",
                                 QString::fromUtf8("Prima riga dell'articolo.\nSeconda riga: 10 €."),
                                 "Sintesi breve", "Buona", "https://www.example.org/a", "Note {con} \\graffe\\"};
        for (int f = 0; f <= Note; ++f) setWidgetText(screen->fieldWidget(f), values[f]);
        fakes->dialogs.answers = {true, false};
        exportRtf();
        QVERIFY(QFile::exists(rtfPath()));
        QVERIFY(toText(rtfPath(), folder->path("txt"), folder->path()));
        QString plain = QString::fromUtf8(caltest::readAll(folder->path("txt/Scheda_Articolo.txt")));
        if (plain.startsWith(QChar(0xFEFF))) plain.remove(0, 1);
        QStringList paragraphs;
        for (const QString& line : plain.split(QRegularExpression("\r?\n")))
            if (!line.trimmed().isEmpty()) paragraphs << line.trimmed();
        const QStringList expected{
            "SCHEDA ARTICOLO",
            QString(48, '_'),
            QString::fromUtf8("Titolo articolo: Perché l'Adriatico è così"),
            "Data pubblicazione: 12/05/2023",
            "Genere: Ambiente",
            QString::fromUtf8("Nome autore: Niccolò Citterà"),
            "Nome testata: Il Resto",
            "Numero testata: 118",
            "Testo articolo: Prima riga dell'articolo.",
            QString::fromUtf8("Seconda riga: 10 €."),
            "Sintesi: Sintesi breve",
            "Valutazione: Buona",
            "Link: https://www.example.org/a",
            "Note: Note {con} \\graffe\\",
        };
        QCOMPARE(paragraphs, expected);
    }
};

CAL_WIDGET_TEST_MAIN(TestArticles)
#include "tst_articles.moc"
