// Pictures of the program's screens, for looking at them as their user sees them: the login, the
// change-password screen and the launcher with its help, information and about screens, every
// registered archive screen (empty and with a record), and every search, list, export, card
// print, RTF card, attachment, folder and check screen it opens. Run on the offscreen platform or
// under Xvfb:
//   screenshots [--accessibility] <folder for the pictures>
// The program folder is a fresh temporary folder holding one sample record per archive.
// With --accessibility every screen pictured is also walked as assistive technology reads it; the
// controls without a name, fields not linked to their label and read-only fields announced as
// editable are listed, and the exit status is 1 when there is any.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "screens/YearMenu.h"
#include "screens/TfrmGuida.h"
#include "core/ProgramFolder.h"
#include "deadlines/TfrmScadenzario.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/FieldEditor.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "screens/TfrmGuida.h"
#include "ui/Accessibility.h"
#include "ui/Services.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QEventLoop>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QValidator>

namespace {

QString folder;
bool walkAccessibility = false;
int faults = 0;

void save(QWidget* window, const QString& name) {
    QApplication::processEvents();
    if (walkAccessibility) {
        for (const QString& fault : cal::accessibilityFaults(window)) {
            std::printf("  %s: %s\n", qPrintable(name), qPrintable(fault));
            ++faults;
        }
    }
    const QString path = QDir(folder).filePath(name + QStringLiteral(".png"));
    if (!window->grab().save(path)) qWarning("cannot write %s", qPrintable(path));
    else std::printf("%s\n", qPrintable(path));
}

// Modal screens are shown, pictured (after `act` when given) and closed.
class PictureScreens : public cal::Screens, public cal::Dialogs {
public:
    int exec(QDialog* screen) override {
        screen->show();
        QApplication::processEvents();
        save(screen, prefix + screen->objectName());
        if (act) {
            auto once = std::move(act);
            act = nullptr;
            once(screen);
        }
        screen->reject();
        return QDialog::Rejected;
    }
    void message(Kind, const QString& text) override { std::printf("  message: %s\n", qPrintable(text)); }
    bool question(const QString&) override { return false; }
    int choose(const QString&, const QStringList& buttons) override { return int(buttons.size()) - 1; }
    QString chooseFile(const QString&, const QString&) override { return {}; }
    QString prefix;
    std::function<void(QDialog*)> act;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QStringList args = QApplication::arguments().mid(1);
    walkAccessibility = args.removeAll(QStringLiteral("--accessibility")) > 0;
    folder = args.isEmpty() ? QDir::currentPath() : args.first();
    QDir().mkpath(folder);
    QTemporaryDir programFolder;
    cal::setProgramFolder(programFolder.path() + u'/');
    PictureScreens pictures;
    cal::Services saved = cal::services();
    cal::services().screens = &pictures;
    cal::services().dialogs = &pictures;

    cal::Application program;
    program.login()->resize(520, 360);
    program.login()->show();
    save(program.login(), QStringLiteral("TfrmPassword"));
    program.login()->hide();
    QWidget* change = program.changePassword();
    change->show();
    save(change, QStringLiteral("TfrmCambiaPassword"));
    change->hide();
    program.launcher()->resize(cal::windowRoom(program.launcher()));
    program.launcher()->show();
    save(program.launcher(), QStringLiteral("TfrmAvvio"));
    pictures.prefix = QStringLiteral("TfrmAvvio-");
    cal::showHelp(QStringLiteral("Uno sguardo a Calvetra 4.0."));
    cal::showInfo();
    cal::showAbout();
    pictures.prefix.clear();
    program.launcher()->hide();
    // The year menus the launcher opens before a per-year archive.
    for (const cal::LauncherEntry& entry : cal::launcherEntries()) {
        if (!entry.yearMenu) continue;
        cal::YearMenu* menu = program.yearMenu(entry.yearMenu->objectName);
        menu->resize(cal::windowRoom(menu));
        menu->show();
        save(menu, menu->objectName());
        menu->hide();
    }

    for (const cal::ArchiveModule* module : cal::archiveModules()) {
        cal::ArchiveScreen* screen = program.archive(module->archive->objectName);
        const QString name = screen->objectName();
        screen->resize(cal::windowRoom(screen));
        screen->show();
        save(screen, name);
        // A screen that opens on a panel of its own (the year to open) is opened on the year it proposes.
        if (auto* opening = screen->findChild<QWidget*>(QStringLiteral("panAvvio")); opening && opening->isVisible()) {
            opening->findChild<QPushButton*>(QStringLiteral("btnApri"))->click();
            save(screen, name + QStringLiteral("-archivio"));
        }
        // A sample record: every line edit holds a short text ("1" where the field takes only
        // some characters), every fixed drop-down its first item; saved once.
        for (QLineEdit* e : screen->findChildren<QLineEdit*>()) {
            if (e->isReadOnly() || !e->isVisible() || !e->objectName().startsWith(QLatin1String("txt")) || !e->text().isEmpty())
                continue;
            QString text = e->objectName().mid(3).left(e->maxLength());
            int at = 0;
            if (e->validator() && e->validator()->validate(text, at) != QValidator::Acceptable) text = QStringLiteral("1");
            e->setText(text);
        }
        for (QComboBox* c : screen->findChildren<QComboBox*>())
            if (c->isVisible() && !c->isEditable() && c->currentIndex() < 0) c->setCurrentIndex(0);
        // Option groups: the first option.
        for (cal::OptionsBox* box : screen->findChildren<cal::OptionsBox*>())
            if (QRadioButton* first = box->button(0)) first->setChecked(true);
        screen->save();
        save(screen, name + QStringLiteral("-scheda"));
        pictures.prefix = name + u'-';
        for (const cal::SearchDefinition* s : module->searches) {
            if (!s->filters.empty())
                pictures.act = [](QDialog* d) {
                    d->findChild<QPushButton*>(QStringLiteral("btnCerca"))->click();
                    save(d, d->objectName() + QStringLiteral("-elenco"));
                };
            cal::openSearch(s->objectName, QString::fromLatin1(module->archive->keyword), screen);
        }
        for (const cal::ExportDefinition* e : module->exports) cal::openExport(e->objectName, screen);
        // The card: its print screen, or its preview where it prints at once.
        if (module->archive->card.printScreen) screen->printCard();
        else if (module->archive->card.kind != cal::CardKind::None) screen->previewCard();
        // The RTF card screen of the archives that have one.
        if (auto* word = screen->findChild<QToolButton*>(QStringLiteral("cmdWord"))) word->click();
        // The numbering settings and the period summary of the mail register.
        // The attachment and associated folder screens, and the identifier checks beside the fields.
        for (const char* name : {"cmdNumerazione", "cmdRiepilogo", "cmdFile", "cmdCartella", "cmdAssocia"})
            if (auto* button = screen->findChild<QToolButton*>(QString::fromLatin1(name))) button->click();
        // The Dewey table of the library: on its loading picture, then with the table in.
        if (auto* dewey = screen->findChild<QPushButton*>(QStringLiteral("btnDewey"))) {
            pictures.act = [](QDialog* d) {
                QEventLoop wait;
                QTimer::singleShot(1300, &wait, &QEventLoop::quit);
                wait.exec();
                save(d, d->objectName() + QStringLiteral("-tabella"));
            };
            dewey->click();
        }
        // The deadlines: the opening panel on the day the sample deadline is imminent, with its
        // banner, and the imminent, day and month lists.
        if (auto* deadlines = qobject_cast<cal::TfrmScadenzario*>(screen)) {
            deadlines->close();
            deadlines->setToday(QDate(2026, 1, 1));
            deadlines->show();
            save(deadlines, name + QStringLiteral("-avviso"));
            for (const char* button : {"btnOK", "btnGiorno", "btnMese"})
                deadlines->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        }
        for (QPushButton* check : screen->findChildren<QPushButton*>())
            if (check->text() == QLatin1String("Verifica") && check->isEnabled()) check->click();
        pictures.prefix.clear();
        screen->hide();
        for (const cal::OtherScreen& o : module->screens) {
            QWidget* other = program.otherScreen(o.objectName);
            other->resize(cal::windowRoom(other));
            other->show();
            save(other, QString::fromLatin1(o.objectName));
            // The fee summary over the whole year just saved.
            if (auto* from = other->findChild<QComboBox*>(QStringLiteral("txtGiornoInizio"))) {
                from->setCurrentIndex(0);
                other->findChild<QComboBox*>(QStringLiteral("txtMeseInizio"))->setCurrentIndex(0);
                other->findChild<QComboBox*>(QStringLiteral("txtGiornoFine"))->setCurrentIndex(30);
                other->findChild<QComboBox*>(QStringLiteral("txtMeseFine"))->setCurrentIndex(11);
                pictures.prefix = QString::fromLatin1(o.objectName) + u'-';
                other->findChild<QPushButton*>(QStringLiteral("btnVisualizza"))->click();
                pictures.prefix.clear();
            }
            other->hide();
        }
    }
    cal::services() = saved;
    if (walkAccessibility) std::printf("%d accessibility faults\n", faults);
    return faults > 0 ? 1 : 0;
}
