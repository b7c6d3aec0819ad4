// The launcher's "Copia di sicurezza" and "Ripristina": the data the program backs up, the two
// commands as a user finds and reaches them, and what they tell at each outcome.
#include "app/DataBackup.h"
#include "app/TfrmAvvio.h"
#include "core/ProgramFolder.h"
#include "testlib/CalWidgetTest.h"

#include <QDirIterator>
#include <QLoggingCategory>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {

QSet<QString> set(const QStringList& list) { return QSet<QString>(list.begin(), list.end()); }

// Files and their bytes under `root`, hidden ones included.
QMap<QString, QByteArray> snapshot(const QString& root) {
    QMap<QString, QByteArray> out;
    QDirIterator it(root, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        out.insert(QDir(root).relativeFilePath(path), caltest::readAll(path));
    }
    return out;
}

}  // namespace

class TestDataBackup : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<TfrmAvvio> launcher;
    QTemporaryDir place;

    void click(const char* name) {
        auto* b = launcher->findChild<QToolButton*>(name);
        QVERIFY2(b, name);
        QTest::mouseClick(b, Qt::LeftButton);
    }
    QString lastText() const { return fakes->dialogs.messages.isEmpty() ? QString() : fakes->dialogs.messages.last().text; }

private slots:
    void initTestCase() { QLoggingCategory::setFilterRules(QStringLiteral("calvetra.files.warning=false")); }
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        launcher = std::make_unique<TfrmAvvio>();
        launcher->show();
        QApplication::setActiveWindow(launcher.get());
        QVERIFY(QTest::qWaitForWindowActive(launcher.get()));
        QVERIFY(caltest::writeAll(folder->path("Contatti.pro"), QByteArray(3482 * 2, 'c')));
        QVERIFY(caltest::writeAll(folder->path("2024.sca"), QByteArray(2318, 's')));
        QVERIFY(caltest::writeAll(folder->path("unins000.dll"), "[Accesso]\r\nValore=AB\r\n"));
        QVERIFY(QDir().mkpath(folder->path("Cliente_2")));
        QVERIFY(caltest::writeAll(folder->path("Cliente_2/nota.txt"), "nota"));
        QVERIFY(caltest::writeAll(folder->path("Guida.pdf"), "manuale"));
    }
    void cleanup() {
        launcher.reset();
        fakes.reset();
        folder.reset();
    }

    // The data are the record files of every archive, the settings, the password file, the
    // attachments and the clients' folders.
    void theProgramsDataRule() {
        const DataFileRule rule = programDataRule();
        QCOMPARE(set(rule.recordFiles), set({"Contatti.pro", "Tariffario.pro", "Archivio_Documenti.pro",
                                             "Bonifici_Emessi.pro", "Bonifici_Ricevuti.pro", "Libri.pro"}));
        QCOMPARE(set(rule.yearExtensions), set({".ser", ".prt", ".sca", ".art"}));
        QCOMPARE(set(rule.files), set({"unins000.dll", "Sabbiolo.ini", "Bonifici.ini"}));
        QCOMPARE(rule.folders, QStringList{"Documenti_Allegati"});
        QCOMPARE(rule.numberedFolders, QStringList{"Cliente_"});
    }

    void theCommandsAreOnTheLauncher_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("keys");
        QTest::newRow("backup") << "imgCopia" << "Copia di sicurezza" << "Ctrl+B";
        QTest::newRow("restore") << "imgRipristina" << "Ripristina" << "Ctrl+Shift+R";
    }
    void theCommandsAreOnTheLauncher() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, keys);
        auto* b = launcher->findChild<QToolButton*>(name);
        QVERIFY(b);
        QVERIFY(b->isVisible() && b->isEnabled());
        QCOMPARE(b->accessibleName(), caption);
        QCOMPARE(b->text(), caption);
        QVERIFY(!b->icon().isNull());
        QCOMPARE(b->shortcut(), QKeySequence(keys));
        QVERIFY(b->toolTip().endsWith(" (" + QKeySequence(keys).toString(QKeySequence::NativeText) + ')'));
        QVERIFY(b->focusPolicy() & Qt::TabFocus);
    }

    void backupThenRestore() {
        const QMap<QString, QByteArray> before = snapshot(folder->path());
        const QString target = place.path() + "/copia.zip";
        fakes->dialogs.newFiles << target;
        auto* help = launcher->findChild<QToolButton*>("imgGuida");
        help->setFocus();
        QTest::keyClick(help, Qt::Key_B, Qt::ControlModifier);  // the shortcut presses it, as a click shown
        QTRY_COMPARE(fakes->dialogs.newFileChoosers.size(), 1);
        QVERIFY(fakes->dialogs.newFileChoosers[0].startsWith(
            "Salva la copia di sicurezza dei dati|Copia di sicurezza (*.zip)|Calvetra_copia_"));
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Information);
        QCOMPARE(lastText(), QString("La copia di sicurezza è stata salvata nel file %1.\r\n\r\nFile copiati: 4 (%2).")
                                 .arg(target, QLocale().formattedDataSize(3482 * 2 + 2318 + 22 + 4)));

        // Later: a record added, the client's folder lost, the password changed.
        QVERIFY(caltest::writeAll(folder->path("Contatti.pro"), QByteArray(3482 * 3, 'n')));
        QVERIFY(QDir(folder->path("Cliente_2")).removeRecursively());
        QVERIFY(caltest::writeAll(folder->path("unins000.dll"), "[Accesso]\r\nValore=CD\r\n"));

        // Answering No changes nothing.
        fakes->dialogs.files << target;
        fakes->dialogs.answers << false;
        click("imgRipristina");
        QCOMPARE(fakes->dialogs.chooserTitles,
                 QStringList{"Selezionare la copia di sicurezza da ripristinare:|Copia di sicurezza (*.zip)"});
        const QString taken = fakes->dialogs.questions.last().section(' ', 6, 6);
        QVERIFY(fakes->dialogs.questions.last().startsWith("Ripristinare la copia di sicurezza del " + taken + " alle ore "));
        QVERIFY(fakes->dialogs.questions.last().contains(
            "La copia contiene 4 file. Saranno sostituiti con quelli della copia 3 file della cartella del programma: "
            "2024.sca, Contatti.pro, unins000.dll.\r\n\r\nLa password di accesso tornerà quella in uso al momento della "
            "copia.\r\n\r\nI file che la copia non contiene restano come sono."));
        QCOMPARE(caltest::readAll(folder->path("Contatti.pro")), QByteArray(3482 * 3, 'n'));

        fakes->dialogs.files << target;
        fakes->dialogs.answers << true;
        click("imgRipristina");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Information);
        QCOMPARE(lastText(), QString("Il ripristino della copia di sicurezza del %1 è terminato con successo.\r\n\r\n"
                                     "File ripristinati: 4.").arg(taken));
        QCOMPARE(snapshot(folder->path()), before);
    }

    void whatEachFailureTells_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        const QString unchanged = "\n\r\n\rNessun file della cartella del programma è stato modificato.";
        QTest::newRow("no zip") << QByteArray("testo") << "Attenzione: il file %1 non è una copia di sicurezza di Calvetra." + unchanged;
        QTest::newRow("cut short") << QByteArray("PK\x03\x04\x14\x00", 6)
                                   << "Attenzione: la copia di sicurezza %1 è danneggiata o incompleta e non può essere "
                                      "ripristinata." + unchanged;
    }
    void whatEachFailureTells() {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        const QString path = place.path() + "/copia.zip";
        QVERIFY(caltest::writeAll(path, file));
        const QMap<QString, QByteArray> before = snapshot(folder->path());
        fakes->dialogs.files << path;
        click("imgRipristina");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
        QCOMPARE(lastText(), message.arg(path));
        QVERIFY(fakes->dialogs.questions.isEmpty());
        QCOMPARE(snapshot(folder->path()), before);
    }

    void aCopyInsideTheFolderIsRefused() {
        fakes->dialogs.newFiles << folder->path("copia.zip");
        click("imgCopia");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Warning);
        QVERIFY(lastText().startsWith("Attenzione: la copia di sicurezza non può essere salvata nella cartella del "
                                      "programma"));
        QVERIFY(!QFile::exists(folder->path("copia.zip")));
    }

    void aPlaceThatCannotBeWrittenIsTold() {
        const QString target = place.path() + "/manca/copia.zip";
        fakes->dialogs.newFiles << target;
        click("imgCopia");
        QCOMPARE(fakes->dialogs.messages.last().kind, Kind::Error);
        QCOMPARE(lastText(), QString("Attenzione: non è stato possibile scrivere la copia di sicurezza nel file %1.\n\r\n\r"
                                     "Accertarsi che nella cartella scelta ci sia spazio sufficiente e di possedere i "
                                     "privilegi di scrittura. La copia di sicurezza non è stata creata.")
                                 .arg(target));
    }

    void cancellingTheChoosersDoesNothing() {
        click("imgCopia");
        click("imgRipristina");
        QVERIFY(fakes->dialogs.messages.isEmpty());
        QVERIFY(fakes->dialogs.questions.isEmpty());
    }
};

CAL_WIDGET_TEST_MAIN(TestDataBackup)
#include "tst_databackup.moc"
