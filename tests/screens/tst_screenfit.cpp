// Every window of the program fits an ordinary office screen of 1366×768 pixels (CTest runs this
// test on an offscreen screen of that size): the windows shown maximised (launcher, archives,
// summaries) show their whole content there without a scroll bar, and every other window opens
// within the screen, at the size its content needs. Each window is reached the way a user
// reaches it: from the launcher, the year menus, every archive's commands and what they open.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "screens/YearMenu.h"
#include "core/ProgramFolder.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/SearchScreen.h"
#include "screens/TfrmGuida.h"
#include "testlib/CalWidgetTest.h"
#include "ui/TfrmAnteprima.h"

#include <QAbstractItemView>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

using namespace cal;

namespace {

// What a window may take of the screen: the whole width, and the height less a desktop panel
// and the window's own title bar.
constexpr QSize kScreen{1366, 768};
constexpr QSize kRoom{1366, 768 - 68};

struct Seen {
    QString name;
    QSize size;
    QStringList scrolled;  // areas of the window showing a scroll bar
};

// The areas that scroll a window's content (not lists, grids or text fields, which scroll their
// own data) and show a scroll bar.
QStringList scrolledAreas(QWidget* window) {
    QStringList out;
    for (QAbstractScrollArea* area : window->findChildren<QAbstractScrollArea*>()) {
        if (!area->isVisible() || qobject_cast<QAbstractItemView*>(area) || qobject_cast<QPlainTextEdit*>(area) ||
            qobject_cast<QTextEdit*>(area))
            continue;
        // The pages of a print preview scroll by nature.
        if (area->parentWidget() && QByteArrayView(area->parentWidget()->metaObject()->className()) == "QPrintPreviewWidget")
            continue;
        if (area->horizontalScrollBar()->isVisible() || area->verticalScrollBar()->isVisible())
            out << QString::fromLatin1(area->metaObject()->className()) + u' ' + area->objectName();
    }
    return out;
}

Seen look(QWidget* window, const QString& name) {
    QApplication::processEvents();
    return {name, window->frameGeometry().size(), scrolledAreas(window)};
}

// Modal windows are shown, looked at (and acted on where a command leads further) and closed.
class LookingScreens : public Screens {
public:
    int exec(QDialog* screen) override {
        screen->show();
        seen << look(screen, prefix + screen->objectName());
        // A search screen: its list after the search, as well as its filters.
        if (auto* cerca = screen->findChild<QPushButton*>(QStringLiteral("btnCerca")); cerca && cerca->isVisible()) {
            cerca->click();
            seen << look(screen, prefix + screen->objectName() + QStringLiteral(" (elenco)"));
        }
        screen->reject();
        return QDialog::Rejected;
    }
    QString prefix;
    QList<Seen> seen;
};

// The print preview opens as the program opens it; a print is only recorded.
class PreviewingPrinting : public Printing {
public:
    void print(const Report&) override {}
    void preview(const Report& report) override {
        TfrmAnteprima screen(report);
        screens().exec(&screen);
    }
};

}  // namespace

class TestScreenFit : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    LookingScreens looking;
    PreviewingPrinting previewing;

    // A window the program shows maximised: on the screen's room, nothing scrolls.
    Seen maximised(QWidget* window, const QString& name) {
        window->resize(kRoom);
        window->show();
        Seen s = look(window, name);
        s.size = window->minimumSizeHint().expandedTo(window->minimumSize());
        // What the content needs: the window less its scrolling area, plus what that area holds.
        for (auto* area : window->findChildren<QScrollArea*>())
            if (area->isVisible() && area->widget()) {
                const QSize inner = area->widget()->minimumSizeHint();
                s.size = s.size.expandedTo(QSize(window->width() - area->viewport()->width() + inner.width(),
                                                 window->height() - area->viewport()->height() + inner.height()));
            }
        qInfo("%s needs %dx%d", qPrintable(name), s.size.width(), s.size.height());
        return s;
    }
    static void clickAll(QWidget* screen, const QStringList& names) {
        for (const QString& n : names)
            for (QAbstractButton* b : screen->findChildren<QAbstractButton*>(n))
                if (b->isVisible() && b->isEnabled()) b->click();
    }

private slots:
    void initTestCase() {
        QVERIFY2(QGuiApplication::primaryScreen()->geometry().size() == kScreen,
                 "run with the offscreen screen of 1366x768 (see tests/CMakeLists.txt)");
    }
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
        services().screens = &looking;
        services().printing = &previewing;
        looking.seen.clear();
    }
    void cleanup() {
        fakes.reset();
        folder.reset();
    }

    void everyWindowFitsTheScreen() {
        Application program;
        QList<Seen> seen;
        program.login()->show();
        seen << look(program.login(), QStringLiteral("TfrmPassword"));
        program.login()->hide();
        seen << maximised(program.launcher(), QStringLiteral("TfrmAvvio"));
        program.launcher()->hide();
        showHelp(QStringLiteral("Uno sguardo a Calvetra 4.0."));
        showInfo();
        showAbout();
        for (const LauncherEntry& entry : launcherEntries()) {
            if (!entry.yearMenu) continue;
            YearMenu* menu = program.yearMenu(entry.yearMenu->objectName);
            seen << maximised(menu, menu->objectName());
            menu->hide();
        }
        for (const ArchiveModule* module : archiveModules()) {
            ArchiveScreen* screen = program.archive(module->archive->objectName);
            const QString name = screen->objectName();
            seen << maximised(screen, name);
            if (auto* opening = screen->findChild<QWidget*>(QStringLiteral("panAvvio")); opening && opening->isVisible()) {
                clickAll(screen, {QStringLiteral("btnGiorno"), QStringLiteral("btnMese")});
                screen->findChild<QPushButton*>(QStringLiteral("btnApri"))->click();
                seen << maximised(screen, name + QStringLiteral(" (scheda)"));
            }
            looking.prefix = name + QStringLiteral(" > ");
            // Every command of its toolbars but Exit, then the buttons that open windows of their own.
            for (QToolBar* bar : screen->findChildren<QToolBar*>())
                for (QAction* a : bar->actions())
                    if (!a->isSeparator() && a->objectName() != QLatin1String("cmdEsci") && a->isEnabled()) a->trigger();
            for (QPushButton* b : screen->findChildren<QPushButton*>())
                if (b->isVisible() && b->isEnabled() &&
                    (b->text() == QLatin1String("Verifica") || b->objectName() == QLatin1String("btnDewey")))
                    b->click();
            looking.prefix.clear();
            screen->hide();
            for (const OtherScreen& o : module->screens) {
                QWidget* other = program.otherScreen(o.objectName);
                seen << maximised(other, QString::fromLatin1(o.objectName));
                other->hide();
            }
        }
        seen << looking.seen;
        QVERIFY(seen.size() > 80);
        QStringList faults;
        for (const Seen& s : seen) {
            if (s.size.width() > kRoom.width() || s.size.height() > kRoom.height())
                faults << QStringLiteral("%1: %2x%3").arg(s.name).arg(s.size.width()).arg(s.size.height());
            for (const QString& area : s.scrolled) faults << QStringLiteral("%1: scorre %2").arg(s.name, area);
        }
        for (const QString& f : faults) qWarning("%s", qPrintable(f));
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 windows do not fit").arg(faults.size())));
    }
};

CAL_WIDGET_TEST_MAIN(TestScreenFit)
#include "tst_screenfit.moc"
