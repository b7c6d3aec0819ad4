// Start-up: the password file the installation provides, login, change password, launcher and year menus.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "screens/YearMenu.h"
#include "clients/ClientLayout.h"
#include "clients/TfrmClienti.h"
#include "core/IniFile.h"
#include "core/Password.h"
#include "core/ProgramFolder.h"
#include "testlib/CalWidgetTest.h"
#include "testlib/FullDisk.h"
#include "ui/MediaSound.h"

#include <QDate>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {
const QString kReadError = QString::fromUtf8(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
}

class TestStartup : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::unique_ptr<Application> app;

    template <typename T = QWidget>
    T* in(QWidget* screen, const char* name) {
        T* w = screen->findChild<T*>(name);
        if (!w) qFatal("no widget %s", name);
        return w;
    }
    void click(QWidget* screen, const char* name) { QTest::mouseClick(in<QAbstractButton>(screen, name), Qt::LeftButton); }
    QString lastText() { return fakes->dialogs.messages.isEmpty() ? QString() : fakes->dialogs.messages.last().text; }
    void storePassword(const QString& value) {
        QVERIFY(writeIniValue(programFile(kPasswordFile), kPasswordSection, kPasswordKey, value));
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        // The folder as the installation leaves it: with the initial password.
        QCOMPARE(writeStoredPassword(folder->path(), kInitialPassword), PasswordWrite::Written);
        fakes = std::make_unique<caltest::FakeServices>();
        app = std::make_unique<Application>();
        app->start();
        QVERIFY(QTest::qWaitForWindowExposed(app->login()));
        QApplication::setActiveWindow(app->login());
    }
    void cleanup() {
        app.reset();
        fakes.reset();
        folder.reset();
    }

    void firstStartShowsTheLogin() {
        QVERIFY(app->login()->isVisible());
        QVERIFY(!app->launcher()->isVisible());
        QCOMPARE(app->login()->windowTitle(), QString(" Calvetra 4.0 - Autenticazione"));
        QCOMPARE(in<QLabel>(app->login(), "lblRigo05")->text(), QString("Immetti la password e premi OK."));
    }

    // Without the password file no password is accepted, the initial one included, and the
    // program does not write the file again.
    void missingPasswordFileAcceptsNoPassword_data() {
        QTest::addColumn<QString>("typed");
        QTest::newRow("initial password") << "calvetra";
        QTest::newRow("another password") << "qualsiasi";
    }
    void missingPasswordFileAcceptsNoPassword() {
        QFETCH(QString, typed);
        app.reset();
        QVERIFY(QFile::remove(programFile(kPasswordFile)));
        app = std::make_unique<Application>();
        app->start();
        QVERIFY(QTest::qWaitForWindowExposed(app->login()));
        QVERIFY(!QFile::exists(programFile(kPasswordFile)));
        auto* pwd = in<QLineEdit>(app->login(), "txtPassword");
        QTest::keyClicks(pwd, typed);
        click(app->login(), "cmdOK");
        QCOMPARE(lastText(), QString("Attenzione: password errata."));
        QVERIFY(!app->launcher()->isVisible());
        QVERIFY(app->login()->isVisible());
        QVERIFY(!QFile::exists(programFile(kPasswordFile)));
    }

    // The login on screen with the program's sound service installed: neither the multimedia
    // libraries nor the sound module are loaded; the first alarm loads them.
    void loginLoadsNoMultimedia() {
        const auto mapped = [](const QByteArray& name) {
            QFile maps(QStringLiteral("/proc/self/maps"));
            if (!maps.open(QIODevice::ReadOnly)) qFatal("cannot read /proc/self/maps");
            return maps.readAll().contains(name);
        };
        MediaSound alarm(QStringLiteral(CALVETRA_SOUND_MODULE));
        Sound* const fake = services().sound;
        services().sound = &alarm;
        app.reset();
        app = std::make_unique<Application>();
        app->start();
        QVERIFY(QTest::qWaitForWindowExposed(app->login()));
        QVERIFY(QTest::qWaitFor([&] { return app->launcher() != nullptr; }));
        QVERIFY(!mapped("libQt6Multimedia"));
        QVERIFY(!mapped(kSoundModuleFile));
        sound().play(QStringLiteral(CALVETRA_SOURCE_DIR "/resources/sound/Avviso.mp3"));
        QVERIFY(mapped(kSoundModuleFile));
        QVERIFY(mapped("libQt6Multimedia"));
        QVERIFY(alarm.player());
        sound().stop();
        services().sound = fake;
    }

    void qtDialogsSpeakItalian() {
        QMessageBox box(QMessageBox::Question, "t", "q", QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Yes)->text().remove('&'), QString::fromUtf8("Sì"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text().remove('&'), QString("Annulla"));
        QCOMPARE(QLocale().monthName(3), QString("marzo"));
    }

    void okFollowsTheTrimmedText() {
        auto* ok = in<QPushButton>(app->login(), "cmdOK");
        auto* pwd = in<QLineEdit>(app->login(), "txtPassword");
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(pwd, "   ");
        QVERIFY(!ok->isEnabled());
        QTest::keyClick(pwd, Qt::Key_Return);  // Enter with a blank entry does nothing
        QVERIFY(fakes->dialogs.messages.isEmpty());
        QTest::keyClicks(pwd, "x");
        QVERIFY(ok->isEnabled());
        QCOMPARE(pwd->echoMode(), QLineEdit::Password);
    }

    void loginVariants_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("lower case") << "calvetra" << true;
        QTest::newRow("upper case") << "CALVETRA" << true;
        QTest::newRow("blanks around") << "  CalVetra  " << true;
        QTest::newRow("wrong") << "calvetre" << false;
    }
    void loginVariants() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        auto* pwd = in<QLineEdit>(app->login(), "txtPassword");
        QTest::keyClicks(pwd, typed);
        QTest::keyClick(pwd, Qt::Key_Return);
        QCOMPARE(app->launcher()->isVisible(), accepted);
        QCOMPARE(app->login()->isVisible(), !accepted);
        if (!accepted) {
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Plain);
            QCOMPARE(lastText(), QString("Attenzione: password errata."));
            QCOMPARE(pwd->text(), QString());
            QCOMPARE(QApplication::focusWidget(), pwd);
        }
    }

    void accentedLettersAreNotUpperCased() {
        QCOMPARE(writeStoredPassword(folder->path(), QString::fromUtf8("CITTÀ")), PasswordWrite::Written);
        auto* pwd = in<QLineEdit>(app->login(), "txtPassword");
        QTest::keyClicks(pwd, "citt");
        pwd->insert(QString::fromUtf8("à"));
        click(app->login(), "cmdOK");
        QCOMPARE(lastText(), QString("Attenzione: password errata."));
        QTest::keyClicks(pwd, "citt");
        pwd->insert(QString::fromUtf8("À"));
        click(app->login(), "cmdOK");
        QVERIFY(app->launcher()->isVisible());
    }

    void unreadablePasswordFile_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("not hexadecimal") << QByteArray("[Accesso]\r\nValore=ZZ\r\n");
        // Damage: a file of blank lines far larger than any the program writes.
        QTest::newRow("2 MiB of blank lines") << QByteArray("[Accesso]\r\nValore=41\r\n").append(QByteArray(2 << 20, '\n'));
    }
    void unreadablePasswordFile() {
        QFETCH(QByteArray, content);
        QVERIFY(caltest::writeAll(programFile(kPasswordFile), content));
        QTest::keyClicks(in<QLineEdit>(app->login(), "txtPassword"), "x");
        click(app->login(), "cmdOK");
        QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Plain);
        QCOMPARE(lastText(), kReadError);
        QVERIFY(app->login()->isVisible());
    }

    void changePasswordFlow() {
        click(app->login(), "btnCambiaPassword");
        QWidget* change = reinterpret_cast<QWidget*>(app->changePassword());
        QVERIFY(change->isVisible());
        QVERIFY(!app->login()->isVisible());
        QCOMPARE(change->windowTitle(), QString(" Cambia password"));
        QApplication::setActiveWindow(change);
        auto* oldPwd = in<QLineEdit>(change, "txtPasswordOld");
        auto* newPwd = in<QLineEdit>(change, "txtPasswordNew");
        auto* conf = in<QLineEdit>(change, "txtConferma");
        auto* ok = in<QPushButton>(change, "cmdOK");
        QCOMPARE(QApplication::focusWidget(), oldPwd);

        // Enter walks the three fields and wraps; it never presses OK.
        QTest::keyClick(oldPwd, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), newPwd);
        QTest::keyClick(conf, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), oldPwd);

        QTest::keyClicks(oldPwd, "sbagliata");
        QTest::keyClicks(newPwd, "nuova");
        QVERIFY(!ok->isEnabled());
        QTest::keyClicks(conf, "NUOVA");
        QVERIFY(ok->isEnabled());
        click(change, "cmdOK");
        QCOMPARE(lastText(), QString("Attenzione: vecchia password errata."));
        QCOMPARE(oldPwd->text(), QString());
        QCOMPARE(QApplication::focusWidget(), oldPwd);

        QTest::keyClicks(oldPwd, " calvetra ");
        click(change, "cmdOK");  // confirmation compared before upper-casing
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: la nuova password non è stata confermata correttamente. "
                                               "E' necessario reinserire entrambi i valori."));
        QCOMPARE(newPwd->text(), QString());
        QCOMPARE(conf->text(), QString());
        QCOMPARE(QApplication::focusWidget(), newPwd);
        QCOMPARE(readStoredPassword(folder->path()), std::optional<QString>("CALVETRA"));

        QTest::keyClicks(newPwd, "nuova ");
        QTest::keyClicks(conf, " nuova");
        click(change, "cmdOK");
        QCOMPARE(lastText(), QString("Modifica della password completata con successo."));
        QCOMPARE(readStoredPassword(folder->path()), std::optional<QString>("NUOVA"));
        QVERIFY(!change->isVisible());
        QVERIFY(app->login()->isVisible());
        QCOMPARE(in<QLineEdit>(app->login(), "txtPassword")->text(), QString());

        // Showing it again empties its fields.
        click(app->login(), "btnCambiaPassword");
        QCOMPARE(oldPwd->text(), QString());
    }

    void changeRefusedWhenTheFileCannotBeWritten_data() {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("read-only file") << false;
        QTest::newRow("full disk") << true;
    }
    void changeRefusedWhenTheFileCannotBeWritten() {
        QFETCH(bool, fullDisk);
        click(app->login(), "btnCambiaPassword");
        QWidget* change = reinterpret_cast<QWidget*>(app->changePassword());
        QTest::keyClicks(in<QLineEdit>(change, "txtPasswordOld"), "calvetra");
        QTest::keyClicks(in<QLineEdit>(change, "txtPasswordNew"), "nuova");
        QTest::keyClicks(in<QLineEdit>(change, "txtConferma"), "nuova");
        if (fullDisk) {
            CAL_FULL_DISK(full);
            click(change, "cmdOK");
        } else {
            CAL_READ_ONLY(guard, programFile(kPasswordFile));
            click(change, "cmdOK");
        }
        QCOMPARE(lastText(), QString::fromUtf8("Attenzione: si è verificato un errore durante la procedura di modifica della password. "
                                               "Si consiglia di reinstallare il software."));
        QVERIFY(change->isVisible());
        QCOMPARE(readStoredPassword(folder->path()), std::optional<QString>("CALVETRA"));
    }

    void launcherOpensClientsAndComesBack() {
        QTest::keyClicks(in<QLineEdit>(app->login(), "txtPassword"), "calvetra");
        click(app->login(), "cmdOK");
        QWidget* launcher = app->launcher();
        QVERIFY(launcher->isVisible());
        // Every archive of the launcher opens its screen: none is left "in preparation".
        for (const char* entry : {"Clienti", "Tariffario", "Servizi", "Posta", "Documenti", "Scadenzario", "Bonifici",
                                  "Riepiloghi", "Libri", "Articoli"}) {
            auto* btn = in<QPushButton>(launcher, (std::string("btn") + entry).c_str());
            QVERIFY2(btn->isEnabled(), entry);
            QVERIFY2(!btn->toolTip().contains("In preparazione"), entry);
        }
        click(launcher, "btnClienti");
        QVERIFY(app->archive("TfrmClienti")->isVisible());
        QVERIFY(!launcher->isVisible());
        app->archive("TfrmClienti")->close();
        QVERIFY(launcher->isVisible());
        click(launcher, "imgClienti");
        QVERIFY(app->archive("TfrmClienti")->isVisible());
        app->archive("TfrmClienti")->close();
        click(launcher, "imgSito");
        QCOMPARE(fakes->shell.opened, QStringList{"https://www.calvetra.it"});
        click(launcher, "imgGuida");
        click(launcher, "imgInfo");
        click(launcher, "imgSplash");
        QCOMPARE(fakes->screens.shown, (QStringList{"TfrmGuida", "TfrmInfo", "TfrmSplash"}));
    }

    void screensAreCreatedWhenFirstOpened() {
        // At start only the login and the launcher exist.
        QCOMPARE(app->screensCreated(), 0);
        QTest::keyClicks(in<QLineEdit>(app->login(), "txtPassword"), "calvetra");
        click(app->login(), "cmdOK");
        QCOMPARE(app->screensCreated(), 0);
        // Enter on a focused launcher entry opens it, as a click does.
        auto* tariffario = in<QPushButton>(app->launcher(), "btnTariffario");
        QVERIFY(tariffario->isEnabled());
        QApplication::setActiveWindow(app->launcher());
        tariffario->setFocus();
        QTest::keyClick(tariffario, Qt::Key_Return);
        QWidget* screen = app->archive("TfrmTariffario");
        QVERIFY(screen->isVisible());
        QCOMPARE(screen->windowTitle(), QString(" Calvetra 4.0 - Tariffario Servizi"));
        QCOMPARE(app->screensCreated(), 1);
        QVERIFY(!app->launcher()->isVisible());
        screen->close();
        QVERIFY(app->launcher()->isVisible());
        click(app->launcher(), "imgTariffario");
        QCOMPARE(app->archive("TfrmTariffario"), screen);  // shown again, not created again
        QCOMPARE(app->screensCreated(), 1);
        QVERIFY(!app->archive("TfrmNessuno"));
    }

    void yearMenus() {
        struct Case {
            YearMenu* menu;
            const char* extension;
            const char* caption;
        };
        auto* target = app->archive("TfrmClienti");  // any archive screen serves to check what Open prepares
        for (const Case& c : {Case{app->yearMenu("TfrmMenuServizi"), ".ser", " Calvetra 4.0 - Registro Servizi anno 2024"},
                              Case{app->yearMenu("TfrmMenuProtocollo"), ".prt", " Calvetra 4.0 - Protocollo Posta anno 2024"},
                              Case{app->yearMenu("TfrmMenuArticoli"), ".art", " Calvetra 4.0 - Schedario Articoli anno 2024"}}) {
            c.menu->setArchive(target);
            c.menu->show();
            auto* year = in<QLineEdit>(c.menu, "txtAnnoPreventivi");
            QCOMPARE(year->text(), QString::number(QDate::currentDate().year()));
            QCOMPARE(c.menu->keyword(), QString("avvio"));
            year->clear();
            QTest::keyClicks(year, "20a24x");
            QCOMPARE(year->text(), QString("2024"));
            QApplication::setActiveWindow(c.menu);
            year->setFocus();
            QTest::keyClick(year, Qt::Key_Return);  // Enter goes to Apri; it does not open
            QCOMPARE(QApplication::focusWidget(), in<QPushButton>(c.menu, "btnApriPreventivi"));
            QVERIFY(c.menu->isVisible());
            year->setText("202");
            fakes->dialogs.messages.clear();
            click(c.menu, "btnApriPreventivi");
            QCOMPARE(fakes->dialogs.messages.size(), 1);
            QCOMPARE(fakes->dialogs.messages[0].kind, Kind::Warning);
            QCOMPARE(lastText(), QString("Attenzione: indicare l'anno solare utilizzando quattro cifre."));
            QVERIFY(c.menu->isVisible());
            year->setText("2024");
            click(c.menu, "btnApriPreventivi");
            QVERIFY(!c.menu->isVisible());
            QCOMPARE(target->filePath(), programFile(QString("2024") + c.extension));
            QCOMPARE(target->findChild<QLabel*>("lblFile")->text(), programFile(QString("2024") + c.extension));
            QCOMPARE(target->windowTitle(), QString::fromUtf8(c.caption));
        }
        // Closing without Open goes back to the launcher.
        app->yearMenu("TfrmMenuProtocollo")->show();
        in<QToolButton>(app->yearMenu("TfrmMenuProtocollo"), "imgEsci")->click();
        QCOMPARE(app->yearMenu("TfrmMenuProtocollo")->keyword(), QString("avvio"));
        QVERIFY(app->launcher()->isVisible());
    }

    void launcherMenusRouteToTheirScreens_data() {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("memory");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("help");
        QTest::newRow("issued transfers") << "btnBonifici" << "TfrmMenuBonifici" << "btnPreventivi" << "emessi"
                                          << "TfrmBonificiEmessi" << " Calvetra 4.0 - Registro Bonifici"
                                          << "Applicazione Registro Bonifici.";
        QTest::newRow("received transfers") << "imgBonifici" << "TfrmMenuBonifici" << "btnContratti" << "ricevuti"
                                            << "TfrmBonificiRicevuti" << " Calvetra 4.0 - Registro Bonifici"
                                            << "Applicazione Registro Bonifici.";
        QTest::newRow("issued movements") << "btnRiepiloghi" << "TfrmMenuRiepBonifici" << "btnBonificiEmessi"
                                          << "emessi" << "TfrmRiepBonificiEmessi"
                                          << " Calvetra 4.0 - Riepilogo Movimenti" << "Applicazione Riepilogo Movimenti.";
        QTest::newRow("received movements") << "imgRiepiloghi" << "TfrmMenuRiepBonifici" << "btnBonificiRicevuti"
                                            << "ricevuti" << "TfrmRiepBonificiRicevuti"
                                            << " Calvetra 4.0 - Riepilogo Movimenti"
                                            << "Applicazione Riepilogo Movimenti.";
    }
    void launcherMenusRouteToTheirScreens() {
        QFETCH(QString, entry);
        QFETCH(QString, menu);
        QFETCH(QString, choice);
        QFETCH(QString, memory);
        QFETCH(QString, target);
        QFETCH(QString, caption);
        QFETCH(QString, help);
        QTest::keyClicks(in<QLineEdit>(app->login(), "txtPassword"), "calvetra");
        click(app->login(), "cmdOK");
        QWidget* launcher = app->launcher();
        QVERIFY(in<QPushButton>(launcher, qPrintable(entry.startsWith("btn") ? entry : "btn" + entry.mid(3)))->isEnabled());
        click(launcher, qPrintable(entry));
        QWidget* shown = app->otherScreen(menu.toStdString());
        QVERIFY(shown);
        QVERIFY(shown->isVisible());
        QVERIFY(!launcher->isVisible());
        QCOMPARE(shown->windowTitle(), caption);
        QCOMPARE(in<QLabel>(shown, "lblMemory")->text(), QString("avvio"));
        QString title;
        fakes->screens.handlers << [&](QDialog* d) { title = d->findChild<QLabel*>("lblTitolo")->text(); };
        click(shown, "imgGuida");
        QCOMPARE(fakes->screens.shown, QStringList{"TfrmGuida"});
        QCOMPARE(title, help);
        // Leaving by imgEsci goes back to the launcher.
        click(shown, "imgEsci");
        QVERIFY(!shown->isVisible());
        QVERIFY(launcher->isVisible());
        // A choice closes the menu and shows its screen; leaving that screen shows the launcher.
        click(launcher, qPrintable(entry));
        QVERIFY(shown->isVisible());
        click(shown, qPrintable(choice));
        QCOMPARE(in<QLabel>(shown, "lblMemory")->text(), memory);
        QVERIFY(!shown->isVisible());
        QWidget* next = app->archive(target.toStdString());
        if (!next) next = app->otherScreen(target.toStdString());
        QVERIFY(next);
        QVERIFY(next->isVisible());
        QVERIFY(!launcher->isVisible());
        next->close();
        QVERIFY(launcher->isVisible());
        QVERIFY(!shown->isVisible());
    }
};

CAL_WIDGET_TEST_MAIN(TestStartup)
#include "tst_startup.moc"
