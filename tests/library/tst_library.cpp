// The library: what is particular to it (the shared protocol is tested over every archive). The
// hidden validation flag, Duplicate for further volumes, loans and returns, the ISBN typed and
// searched on the web, the two searches that leave cancelled and lent books out, the export, the
// card and the Dewey table with its find, print and pick.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "core/DateText.h"
#include "core/ProgramFolder.h"
#include "core/Record.h"
#include "core/RecordFile.h"
#include "library/BookTables.h"
#include "library/TfrmCodici_Dewey.h"
#include "library/TfrmLibri.h"
#include "report/Report.h"
#include "screens/ExportScreen.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/ScreenHelpers.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>

using namespace cal;
using Kind = Dialogs::Kind;
using namespace BookField;

namespace {

const QString kDuplicated = QStringLiteral(
    "E' ora possibile apportare le proprie modifiche alla scheda corrente.\n\r\n\r"
    "Al termine premere Salva per inserire la scheda in archivio.");
const QString kNoIsbn = QString::fromUtf8(
    "Attenzione: per poter effettuare una ricerca sul Web è necessario compilare il campo relativo all'ISBN del libro.");
const QString kNoBrowser = QStringLiteral(
    "Attenzione: il sistema non permette di collegarsi al motore di ricerca di Google.\n\r\n\r"
    "Accertarsi che la propria connessione a Internet funzioni correttamente.");

struct Book {
    QString code, title, author;
    QString cancelled = QStringLiteral("No");
    QString borrower = {}, loanDate = {};
    QString city = {}, publisher = {}, year = {};
};

}  // namespace

class TestLibrary : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmLibri> screen;

    QLineEdit* edit(const char* name) {
        auto* e = screen->findChild<QLineEdit*>(name);
        if (!e) qFatal("no %s", name);
        return e;
    }
    QCheckBox* cancelled() { return screen->findChild<QCheckBox*>("chkAnnullata"); }
    QString lastText() { return caltest::lastText(fakes->dialogs); }
    void command(const char* name) { caltest::command(screen.get(), name); }
    void click(const char* button) {
        auto* b = screen->findChild<QPushButton*>(button);
        QVERIFY2(b, button);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString path() { return programFile("Libri.pro"); }
    Record stored(int index) {
        Record r(kBookLayout);
        r.bytes() = caltest::readAll(path()).mid(index * kBookLayout.size(), kBookLayout.size());
        return r;
    }
    void write(const QList<Book>& books) {
        RecordFile f;
        QVERIFY(f.open(path(), kBookLayout.size()));
        QVERIFY(f.seek(f.count()));
        for (const Book& b : books) {
            Record r(kBookLayout);
            r.setText(Codice, b.code);
            r.setText(Titolo, b.title);
            r.setText(Autore, b.author);
            r.setText(Annullata, b.cancelled);
            r.setText(Convalida, "No");
            r.setText(Prestato, b.borrower);
            r.setText(Scadenza, b.loanDate);
            r.setText(Citta, b.city);
            r.setText(Editore, b.publisher);
            r.setText(Anno, b.year);
            QVERIFY(f.write(r));
        }
        QVERIFY(f.close());
    }
    // Runs a search screen (cmdTrova or cmdDisponibili) with the filters given and returns its
    // lines; `open` >= 0 opens that line.
    QStringList search(const char* cmd, const QList<QPair<const char*, QString>>& filters = {}, int open = -1) {
        QStringList lines;
        fakes->screens.handlers << [&](QDialog* d) {
            for (const auto& [name, text] : filters) d->findChild<QLineEdit*>(name)->setText(text);
            d->findChild<QPushButton*>("btnCerca")->click();
            lines = caltest::listLines(d);
            if (open >= 0) caltest::openLine(d, open);
            d->reject();
        };
        command(cmd);
        return lines;
    }
    static QStringList codesOf(const QStringList& lines) {
        QStringList codes;
        for (const QString& l : lines) codes << l.mid(5, 24).trimmed();
        return codes;
    }
    void fillRequired(const QString& title, const QString& code, const QString& author) {
        edit("txtTitolo")->setText(title);
        edit("txtCodice")->setText(code);
        edit("txtAutore")->setText(author);
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        screen = std::make_unique<TfrmLibri>();
        screen->show();
        QApplication::setActiveWindow(screen.get());
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
    }
    void cleanup() {
        screen.reset();
        fakes.reset();
        folder.reset();
    }

    void launcherOpensTheLibrary() {
        Application app;
        app.start();
        QTest::keyClicks(app.login()->findChild<QLineEdit*>("txtPassword"), "calvetra");
        QTest::mouseClick(app.login()->findChild<QAbstractButton*>("cmdOK"), Qt::LeftButton);
        auto* entry = app.launcher()->findChild<QPushButton*>("btnLibri");
        QVERIFY(entry);
        QVERIFY(entry->isEnabled());
        QTest::mouseClick(entry, Qt::LeftButton);
        ArchiveScreen* books = app.archive("TfrmLibri");
        QVERIFY(books->isVisible());
        QCOMPARE(books->windowTitle(), QString(" Calvetra 4.0 - Archivio Libri"));
        books->close();
        QVERIFY(app.launcher()->isVisible());
    }

    void dropDownsHoldTheirListsAndAcceptTyping() {
        auto* genre = screen->findChild<QComboBox*>("txtGenere");
        auto* language = screen->findChild<QComboBox*>("txtLingua");
        QVERIFY(genre && language);
        QCOMPARE(genre->count(), 120);
        QCOMPARE(language->count(), 213);
        QCOMPARE(genre->itemText(0), QString("Agricoltura"));
        QCOMPARE(genre->itemText(119), QString("Usi e costumi, etichetta, folclore"));
        QCOMPARE(language->itemText(90), QString("Italiano"));
        QCOMPARE(language->itemText(212), QString("Zulu"));
        QCOMPARE(genre->currentIndex(), -1);
        QCOMPARE(genre->lineEdit()->maxLength(), 50);
        QCOMPARE(language->lineEdit()->maxLength(), 30);
        // A genre typed by hand that is not in the list is stored as typed.
        fillRequired("Il nome della rosa", "L-001", "Eco");
        genre->lineEdit()->setText("Romanzo semiologico");
        language->setCurrentIndex(language->findText("Latino"));
        command("cmdSalva");
        QCOMPARE(stored(0).text(Genere), QString("Romanzo semiologico"));
        QCOMPARE(stored(0).text(Lingua), QString("Latino"));
    }

    // The hidden validation flag is "No" on a new record and saved back as read; a new record on
    // an empty file is one record long and shows position 1.
    void validationFlagAndCancelledFlagBytes() {
        auto* flag = screen->findChild<QLabel*>("txtConvalida");
        QVERIFY(flag);
        QVERIFY(!flag->isVisible());
        QCOMPARE(flag->text(), QString("No"));
        fillRequired("  I promessi sposi ", "PS-1", "Manzoni");
        cancelled()->setChecked(true);
        command("cmdSalva");
        QCOMPARE(screen->position(), QString("1"));
        const QByteArray bytes = caltest::readAll(path());
        QCOMPARE(bytes.size(), qsizetype(3237));
        QCOMPARE(bytes.mid(276, 3), QByteArray("\x02No", 3));
        QCOMPARE(bytes.mid(1728, 3), QByteArray("\x02S\xEC", 3));
        QCOMPARE(bytes.mid(0, 18), QByteArray("\x10I promessi sposi\0", 18));

        // A flag set by some other means is shown and saved back unchanged.
        Record r = stored(0);
        r.setText(Convalida, "Si");
        r.setText(Annullata, "No");
        RecordFile f;
        QVERIFY(f.open(path(), kBookLayout.size()));
        QVERIFY(f.write(r));
        QVERIFY(f.close());
        command("cmdNuovo");
        QVERIFY(!cancelled()->isChecked());
        command("cmdPrimo");
        QCOMPARE(flag->text(), QString("Si"));
        QVERIFY(!cancelled()->isChecked());
        edit("txtNote")->setText("letto");
        command("cmdSalva");
        QCOMPARE(stored(0).text(Convalida), QString("Si"));
        QCOMPARE(stored(0).text(Note), QString("letto"));
        command("cmdNuovo");
        QCOMPARE(flag->text(), QString("No"));
    }

    // Lending with today's date, Duplicate for a further volume (no code, no loan, no
    // attachments, not cancelled, focus on the code), the first record untouched.
    void loanAndDuplicateForAFurtherVolume() {
        fillRequired("Storia d'Italia", "SI-1", "Croce");
        edit("txtPrestato")->setText("Mario Rossi");
        click("btnScadenza");
        QCOMPARE(edit("txtScadenza")->text(), todayText());
        cancelled()->setChecked(true);
        screen->findChild<QLabel*>("lblFile01")->setText("indice.pdf");
        screen->findChild<QLabel*>("lblDesc01")->setText("Indice");
        command("cmdSalva");
        const QByteArray first = caltest::readAll(path());
        QCOMPARE(stored(0).text(File01), QString("indice.pdf"));

        command("cmdDuplica");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Information);
        QCOMPARE(lastText(), kDuplicated);
        QCOMPARE(screen->position(), QString());
        QCOMPARE(QApplication::focusWidget(), edit("txtCodice"));
        QCOMPARE(edit("txtCodice")->text(), QString());
        QCOMPARE(edit("txtPrestato")->text(), QString());
        QCOMPARE(edit("txtScadenza")->text(), QString());
        QVERIFY(!cancelled()->isChecked());
        QCOMPARE(screen->findChild<QLabel*>("txtConvalida")->text(), QString("No"));
        QCOMPARE(screen->findChild<QLabel*>("lblFile01")->text(), QString());
        QCOMPARE(screen->findChild<QLabel*>("lblDesc01")->text(), QString());
        QCOMPARE(edit("txtTitolo")->text(), QString("Storia d'Italia"));
        QCOMPARE(edit("txtAutore")->text(), QString("Croce"));

        // The same code twice is allowed; the copy is appended.
        edit("txtCodice")->setText("SI-1");
        command("cmdSalva");
        QCOMPARE(screen->position(), QString("2"));
        const QByteArray both = caltest::readAll(path());
        QCOMPARE(both.size(), qsizetype(2 * 3237));
        QCOMPARE(both.left(3237), first);
        QCOMPARE(stored(1).text(Prestato), QString());
        QCOMPARE(stored(1).text(Annullata), QString("No"));
    }

    void requiredFieldsInOrder() {
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare il titolo del libro."));
        QCOMPARE(QApplication::focusWidget(), edit("txtTitolo"));
        edit("txtTitolo")->setText("T");
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8(
                                 "Attenzione: per salvare la scheda è necessario indicare il codice identificativo del libro."));
        QCOMPARE(QApplication::focusWidget(), edit("txtCodice"));
        edit("txtCodice")->setText("  ");
        command("cmdSalva");
        QCOMPARE(QApplication::focusWidget(), edit("txtCodice"));
        edit("txtCodice")->setText("C");
        command("cmdSalva");
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: per salvare la scheda è necessario indicare l'autore del libro."));
        QCOMPARE(QApplication::focusWidget(), edit("txtAutore"));
        QVERIFY(!QFile::exists(path()));
    }

    // Typed in lower case with blanks around, the ISBN is shown and stored trimmed in capitals.
    void isbnTypedInCapitals() {
        auto* isbn = edit("txtIsbn");
        isbn->setFocus();
        QTest::keyClicks(isbn, " 88-04-x12 ");
        QCOMPARE(isbn->text(), QString("88-04-X12"));
        fillRequired("T", "C", "A");
        command("cmdSalva");
        QCOMPARE(stored(0).text(Isbn), QString("88-04-X12"));
    }

    // The ISBN is the value of the query: "&", "#", "?" and blanks never end the value, start a
    // fragment or add a parameter.
    void isbnWebSearchKeepsTheIsbnAsData_data() {
        QTest::addColumn<QString>("isbn");
        QTest::newRow("plain") << "978-88-04-12345-6";
        QTest::newRow("ampersand and hash") << "88&q=x#frag";
        QTest::newRow("question mark and blanks") << "88 04 ?12 + 3";
        QTest::newRow("percent") << "100%25";
    }
    void isbnWebSearchKeepsTheIsbnAsData() {
        QFETCH(QString, isbn);
        edit("txtIsbn")->setText("  " + isbn + "  ");
        click("btnGoogle");
        QCOMPARE(fakes->dialogs.messages.size(), 0);
        QCOMPARE(fakes->shell.opened.size(), 1);
        const QUrl url(fakes->shell.opened.first(), QUrl::StrictMode);
        QVERIFY(url.isValid());
        QVERIFY(url.scheme() == "https");
        QVERIFY(!url.hasFragment());
        const QUrlQuery query(url);
        QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 1);
        // The field holds the ISBN in capitals.
        QCOMPARE(query.queryItemValue("q", QUrl::FullyDecoded), "ISBN:" + isbn.toUpper());
    }

    void isbnWebSearchFailures() {
        edit("txtIsbn")->setText("   ");
        edit("txtTitolo")->setFocus();
        click("btnGoogle");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), kNoIsbn);
        QCOMPARE(QApplication::focusWidget(), edit("txtIsbn"));
        QVERIFY(fakes->shell.opened.isEmpty());
        fakes->shell.result = false;
        edit("txtIsbn")->setText("123");
        click("btnGoogle");
        QCOMPARE(fakes->shell.opened.size(), 1);
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QCOMPARE(lastText(), kNoBrowser);
    }

    // Cancelled books are never listed, whatever the filters; lent books (a borrower, a date or
    // both) are not available; a flag that is not exactly "No" counts as cancelled.
    void searchesLeaveCancelledAndLentBooksOut() {
        write({{"B-02", "Bertoldo", "Croce"},
               {"A-01", "annullato", "Croce", QString::fromUtf8("Sì")},
               {"C-03", "prestato", "Croce", "No", "Anna"},
               {"D-04", "con data", "Croce", "No", "", "01/02/2024"},
               {"E-05", "prestato e datato", "Croce", "No", "Anna", "01/02/2024"},
               {"F-06", "flag vuoto", "Croce", ""},
               {"A-00", "ultimo", "Croce", "No", " ", " "}});
        QCOMPARE(codesOf(search("cmdTrova")), (QStringList{"A-00", "B-02", "C-03", "D-04", "E-05"}));
        QCOMPARE(codesOf(search("cmdDisponibili")), (QStringList{"A-00", "B-02"}));
        // A filter that only the cancelled record matches finds nothing; capitals find lower case.
        QCOMPARE(search("cmdTrova", {{"txtTitolo", "ANNULLATO"}}), QStringList());
        QCOMPARE(codesOf(search("cmdTrova", {{"txtTitolo", "PRESTATO"}})), (QStringList{"C-03", "E-05"}));
        QCOMPARE(search("cmdDisponibili", {{"txtTitolo", "PRESTATO"}}), QStringList());
        QCOMPARE(codesOf(search("cmdDisponibili", {{"txtAutore", "croce"}, {"txtCodice", "b-"}})), QStringList{"B-02"});
        // The cancelled record is still reached by the navigation.
        command("cmdPrimo");
        command("cmdAvanti");
        QCOMPARE(edit("txtCodice")->text(), QString("A-01"));
        QVERIFY(cancelled()->isChecked());
    }

    void listLineAndOpen() {
        write({{"N-1", "Il barone rampante", "Calvino", "No", "", "", " Torino ", "Einaudi", " 1957 "},
               {"M-1", "Senza luogo", "Anonimo"}});
        const QStringList lines = search("cmdTrova", {}, 1);
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0], "Cod. M-1" + QString(21, ' ') + "  Senza luogo" + QString(39, ' ') + "  Anonimo" +
                               QString(23, ' ') + "    ");
        QCOMPARE(lines[1], "Cod. N-1" + QString(21, ' ') + "  Il barone rampante" + QString(32, ' ') + "  Calvino" +
                               QString(23, ' ') + "  Torino Einaudi 1957");
        QCOMPARE(screen->position(), QString("1"));
        QCOMPARE(edit("txtTitolo")->text(), QString("Il barone rampante"));
        QCOMPARE(edit("txtCitta")->text(), QString("Torino"));
    }

    // Returning a book (both loan fields emptied and saved) keeps its position and makes it
    // available.
    void returningMakesTheBookAvailable() {
        write({{"A-1", "Primo", "X"}, {"B-1", "Prestato", "Y", "No", "Luca", "03/03/2024"}, {"C-1", "Terzo", "Z"}});
        QCOMPARE(codesOf(search("cmdDisponibili")), (QStringList{"A-1", "C-1"}));
        command("cmdPrimo");
        command("cmdAvanti");
        QCOMPARE(edit("txtPrestato")->text(), QString("Luca"));
        edit("txtPrestato")->clear();
        edit("txtScadenza")->clear();
        command("cmdSalva");
        QCOMPARE(lastText(), QStringLiteral("Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
        QCOMPARE(screen->position(), QString("2"));
        QCOMPARE(caltest::readAll(path()).size(), qsizetype(3 * 3237));
        QCOMPARE(stored(1).bytes().mid(1345, 121), QByteArray(121, '\0'));
        QCOMPARE(stored(1).bytes().mid(1466, 11), QByteArray(11, '\0'));
        QCOMPARE(codesOf(search("cmdDisponibili")), (QStringList{"A-1", "B-1", "C-1"}));
        // Lending it again takes it out.
        edit("txtPrestato")->setText("Giulia");
        command("cmdSalva");
        QCOMPARE(codesOf(search("cmdDisponibili")), (QStringList{"A-1", "C-1"}));
    }

    // The export: every book, cancelled ones with "Sì", no loan data, 25 columns.
    void exportHasEveryBookWithoutLoans() {
        write({{"A-1", "Primo", "X", "No", "Prestatario Segreto", "09/09/2024"},
               {"B-1", "Annullato", "Y", QString::fromUtf8("Sì")},
               {"C-1", "Terzo", "Z", "No", "", "", "Roma", "Laterza", "2001"}});
        QList<QStringList> rows;
        QStringList headers;
        fakes->dialogs.answers = {true, false};
        fakes->screens.handlers << [&](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmExpLibri"));
            QCOMPARE(d->windowTitle(), QString(" Esporta archivio libri in Microsoft Excel"));
            auto* model = static_cast<ExportScreen*>(d)->model();
            rows = model->rows();
            for (int c = 0; c < model->columnCount(); ++c) headers << model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
            d->reject();
        };
        command("cmdEsporta");
        QCOMPARE(rows.size(), 3);
        QCOMPARE(headers.size(), 26);
        QCOMPARE(headers.value(0), QString("N."));
        QCOMPARE(headers.value(13), QString::fromUtf8("Città pubblicazione"));
        QCOMPARE(headers.value(25), QString("Scheda annullata"));
        for (const QStringList& row : rows) QCOMPARE(row.size(), 25);
        QCOMPARE(rows[0].value(0), QString("Primo"));
        QCOMPARE(rows[0].value(24), QString("No"));
        QCOMPARE(rows[1].value(24), QString::fromUtf8("Sì"));
        QCOMPARE(rows[2].mid(12, 3), (QStringList{"Roma", "2001", ""}));
        QCOMPARE(rows[2].value(10), QString("Laterza"));
        const QByteArray xls = caltest::readAll(programFile("Libri.xls"));
        QVERIFY(xls.contains("Riepilogo Libri"));
        QVERIFY(xls.contains("Annullato"));
        QVERIFY(xls.contains("S\xEC"));
        QVERIFY(!xls.contains("Prestatario"));
        QVERIFY(!xls.contains("09/09/2024"));
    }

    // The card of a book on loan, printed through its print screen, shows the borrower and the
    // loan date of the screen, saved or not.
    void cardOfALentBook() {
        fillRequired("Opere", "O-1", "Leopardi");
        edit("txtPrestato")->setText("  Paolina ");
        edit("txtScadenza")->setText("12/12/2024");
        screen->findChild<QComboBox*>("txtLingua")->lineEdit()->setText("Italiano");
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmStampaLibro"));
            QCOMPARE(d->windowTitle(), QString(" Stampa scheda libro"));
            QTest::mouseClick(d->findChild<QPushButton*>("btnStampa"), Qt::LeftButton);
        };
        command("cmdStampa");
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& card = fakes->printing.printed.first();
        QCOMPARE(card.text("txtPrestato"), QString("Paolina"));
        QCOMPARE(card.text("txtScadenza"), QString("12/12/2024"));
        QCOMPARE(card.text("txtLingua"), QString("Italiano"));
        QCOMPARE(card.text("txtTitolo"), QString("Opere"));
        QVERIFY(card.text("txtCalce").startsWith("Stampa eseguita in data " + todayText() + " alle ore "));
        QVERIFY(!QFile::exists(path()));
    }

    // Every line of the table: three digits, a blank, a caption in capitals without accents, at
    // most 120 characters, in ascending order of class.
    void deweyTableForm() {
        const QStringList& table = deweyTable();
        QVERIFY(table.size() > 900);
        const QRegularExpression form(QStringLiteral("^[0-9]{3} [A-Z0-9 .,;:'()\\-/]+$"));
        QString previous = QStringLiteral("000");
        for (const QString& line : table) {
            QVERIFY2(form.match(line).hasMatch(), qPrintable(line));
            QVERIFY2(line.size() <= 120, qPrintable(line));
            QVERIFY2(line.left(3) >= previous, qPrintable(line));
            previous = line.left(3);
        }
        QVERIFY(table.contains("641 CIBI E ALIMENTI"));
        QCOMPARE(table.last(), QString("999 STORIA DI MONDI EXTRATERRESTRI"));
    }

    // The table opens on its loading picture, then lists the whole table; double-clicking
    // "641 CIBI E ALIMENTI" writes 641 in place of the field's text, closes, focuses the field and
    // saves nothing.
    void deweyPickWritesTheClass() {
        edit("txtDewey")->setText("999");
        fakes->screens.handlers << [](QDialog* d) {
            QCOMPARE(d->objectName(), QString("TfrmCodici_Dewey"));
            QCOMPARE(d->windowTitle(), QString(" Tabella Codici Dewey"));
            QCOMPARE(d->findChild<QLabel*>("lblMemory")->text(), QString("libri"));
            QVERIFY(d->findChild<QLabel*>("panDewey")->isVisible());
            QCOMPARE(caltest::resultList(d)->model()->rowCount(), 0);
            QCOMPARE(QApplication::focusWidget(), d->findChild<QLineEdit*>("txtTrova"));
            QTRY_COMPARE(caltest::resultList(d)->model()->rowCount(), int(deweyTable().size()));
            QVERIFY(!d->findChild<QLabel*>("panDewey")->isVisible());
            QCOMPARE(caltest::listLines(d), deweyTable());
            caltest::openLine(d, int(deweyTable().indexOf("641 CIBI E ALIMENTI")));
            QVERIFY(!d->isVisible());
        };
        click("btnDewey");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmCodici_Dewey"});
        QCOMPARE(edit("txtDewey")->text(), QString("641"));
        QCOMPARE(screen->focusWidget(), edit("txtDewey"));
        QVERIFY(!QFile::exists(path()));

        // A subdivision line gives the three digits of its class.
        const QStringList& table = deweyTable();
        int sub = 1;
        while (sub < table.size() && table[sub].left(3) != table[sub - 1].left(3)) ++sub;
        QVERIFY(sub < table.size());
        fakes->screens.handlers << [sub](QDialog* d) {
            QTRY_COMPARE(caltest::resultList(d)->model()->rowCount(), int(deweyTable().size()));
            caltest::openLine(d, sub);
        };
        click("btnDewey");
        QCOMPARE(edit("txtDewey")->text(), table[sub].left(3));
    }

    // Closing the table with Chiudi, or before it is loaded, leaves the field as it was and
    // focuses it.
    void deweyCloseLeavesTheField() {
        edit("txtDewey")->setText("12");
        edit("txtTitolo")->setFocus();
        fakes->screens.handlers << [](QDialog* d) {
            QTRY_COMPARE(caltest::resultList(d)->model()->rowCount(), int(deweyTable().size()));
            QTest::mouseClick(d->findChild<QPushButton*>("btnChiudi"), Qt::LeftButton);
            QVERIFY(!d->isVisible());
        };
        click("btnDewey");
        QCOMPARE(edit("txtDewey")->text(), QString("12"));
        QCOMPARE(screen->focusWidget(), edit("txtDewey"));
        edit("txtTitolo")->setFocus();
        click("btnDewey");  // closed at once by the fake, still loading
        QCOMPARE(edit("txtDewey")->text(), QString("12"));
        QCOMPARE(screen->focusWidget(), edit("txtDewey"));
    }

    // Find: nothing to find while loading; a new word from the top, the same word again from the
    // line after, wrapping round to the first line found; Enter goes to Trova.
    void deweyFindWrapsRound() {
        fakes->screens.handlers << [this](QDialog* d) {
            auto* table = static_cast<TfrmCodici_Dewey*>(d);
            auto* find = d->findChild<QLineEdit*>("txtTrova");
            auto* trova = d->findChild<QPushButton*>("btnTrova");
            find->setText("chimica");
            QTest::mouseClick(trova, Qt::LeftButton);
            QCOMPARE(lastText(), QString("Ricerca non applicabile: la lista non contiene nessuna voce."));
            QTRY_COMPARE(caltest::resultList(d)->model()->rowCount(), int(deweyTable().size()));
            const QStringList lines = table->lines();
            auto selected = [&] { return lines.value(table->currentRow()); };
            QTest::mouseClick(trova, Qt::LeftButton);
            QCOMPARE(selected(), QString("523 COSMOCHIMICA"));
            QTest::mouseClick(trova, Qt::LeftButton);
            QCOMPARE(selected(), QString("540 CHIMICA E SCIENZE CONNESSE"));
            QTest::mouseClick(trova, Qt::LeftButton);
            QCOMPARE(selected(), QString("541 CHIMICA FISICA E TEORICA"));

            find->setFocus();
            QTest::keyClick(find, Qt::Key_Return);
            QCOMPARE(QApplication::focusWidget(), trova);

            // A new word starts from the top and walks every line holding it, then wraps round.
            find->setText("antartide");
            QList<int> rows;
            for (int i = 0; i < lines.size(); ++i)
                if (lines[i].contains("ANTARTIDE")) rows << i;
            QVERIFY(rows.size() > 1);
            for (int expected : rows) {
                QTest::mouseClick(trova, Qt::LeftButton);
                QCOMPARE(table->currentRow(), expected);
            }
            QTest::mouseClick(trova, Qt::LeftButton);
            QCOMPARE(table->currentRow(), rows.first());
            d->reject();
        };
        click("btnDewey");
    }

    void deweyPrintsTheWholeTable() {
        fakes->screens.handlers << [](QDialog* d) {
            QTRY_COMPARE(caltest::resultList(d)->model()->rowCount(), int(deweyTable().size()));
            QVERIFY(!d->findChild<QLabel*>("lblAttendere")->isVisible());
            QTest::mouseClick(d->findChild<QPushButton*>("btnStampa"), Qt::LeftButton);
            QVERIFY(!d->findChild<QLabel*>("lblAttendere")->isVisible());
            QVERIFY(d->isVisible());
            d->reject();
        };
        click("btnDewey");
        QCOMPARE(fakes->printing.printed.size(), 1);
        const Report& r = fakes->printing.printed.first();
        QCOMPARE(r.text("txtTitolo"), QString("Tabella Codici Dewey"));
        QCOMPARE(r.text("txtRiepilogo").split('\n'), deweyTable());
    }
};

CAL_WIDGET_TEST_MAIN(TestLibrary)
#include "tst_library.moc"
