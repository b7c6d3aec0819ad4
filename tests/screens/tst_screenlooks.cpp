// What the screens show besides their records: the launcher's tiles, the pictures of the
// commands, the folder screen naming its folder, one description of the program, the heading of
// the change-password screen.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "clients/TfrmCartella.h"
#include "clients/TfrmClienti.h"
#include "core/ProgramFolder.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "screens/TfrmInfo.h"
#include "screens/TfrmSplash.h"
#include "testlib/CalWidgetTest.h"
#include "ui/Icons.h"

#include <QAction>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QToolBar>
#include <QToolButton>

using namespace cal;

class TestScreenLooks : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;

    static const QStringList& entries() {
        static const QStringList names{"Clienti",     "Tariffario", "Servizi",    "Posta", "Documenti",
                                       "Scadenzario", "Bonifici",   "Riepiloghi", "Libri", "Articoli"};
        return names;
    }

private slots:
    void init() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanup() {
        fakes.reset();
        folder.reset();
    }

    // Every entry has its own picture and its name; an entry without an action is disabled and
    // says so on its tile, an entry given one is enabled and the notice goes.
    void launcherTiles() {
        TfrmAvvio launcher;
        launcher.resize(1400, 900);
        launcher.show();
        QSet<qint64> pictures;
        for (const QString& e : entries()) {
            auto* img = launcher.findChild<QToolButton*>("img" + e);
            auto* btn = launcher.findChild<QPushButton*>("btn" + e);
            auto* state = launcher.findChild<QLabel*>("lblStato" + e);
            QVERIFY2(img && btn && state, qPrintable(e));
            QVERIFY2(!img->icon().isNull(), qPrintable(e));
            pictures << img->icon().pixmap(48, 48).toImage().cacheKey();
            QVERIFY(!btn->text().isEmpty());
            QVERIFY(!btn->isEnabled());
            QVERIFY(state->isVisible());
        }
        int opened = 0;
        launcher.setEntry(QStringLiteral("Libri"), [&opened] { ++opened; });
        auto* libri = launcher.findChild<QPushButton*>(QStringLiteral("btnLibri"));
        QVERIFY(libri->isEnabled());
        QVERIFY(!launcher.findChild<QLabel*>(QStringLiteral("lblStatoLibri"))->isVisible());
        QTest::mouseClick(libri, Qt::LeftButton);
        QCOMPARE(opened, 1);
        // The tiles share the window: the grid reaches the right half of it.
        auto* last = launcher.findChild<QPushButton*>(QStringLiteral("btnArticoli"));
        QVERIFY(last->mapTo(&launcher, QPoint(last->width(), 0)).x() > launcher.width() / 2);
    }

    // Each command of an archive screen shows a picture of the program's set, one size per
    // toolbar; Save and PDF do not share one.
    void commandPictures() {
        TfrmClienti screen;
        screen.show();
        const auto bars = screen.findChildren<QToolBar*>();
        QVERIFY(!bars.isEmpty());
        for (QToolBar* bar : bars) {
            QCOMPARE(bar->iconSize(), kToolbarIconSize);
            for (QAction* a : bar->actions())
                if (!a->isSeparator() && !a->text().isEmpty()) QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
        }
        auto image = [&](const char* name) {
            auto* b = screen.findChild<QToolButton*>(QString::fromLatin1(name));
            return b ? b->icon().pixmap(kToolbarIconSize).toImage() : QImage();
        };
        QVERIFY(!image("cmdSalva").isNull());
        QVERIFY(!image("cmdPDF").isNull());
        QVERIFY(image("cmdSalva") != image("cmdPDF"));
        QVERIFY(image("cmdStampa") != image("cmdSalva"));
    }

    // The pictures come from the program's resources in both sizes, for normal and enlarged screens.
    void pictureSizes_data() {
        QTest::addColumn<QString>("name");
        for (const char* n : {"document-save", "table", "application-exit", "go-first"})
            QTest::newRow(n) << QString::fromLatin1(n);
    }
    void pictureSizes() {
        QFETCH(QString, name);
        const QIcon icon = programIcon(name.toLatin1().constData());
        QVERIFY(!icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        QVERIFY(sizes.contains(QSize(24, 24)));
        QVERIFY(sizes.contains(QSize(48, 48)));
        QVERIFY(programIcon("no-such-picture").isNull());
    }

    // The folder screen names the client's folder and where it is.
    void folderScreenNamesTheFolder() {
        TfrmCartella screen;
        screen.setPosition(7);
        auto* label = screen.findChild<QLabel*>(QStringLiteral("lblCartella"));
        QVERIFY(label);
        QVERIFY2(label->text().contains(QStringLiteral("Cliente_7")), qPrintable(label->text()));
        QVERIFY(label->text().contains(QDir::toNativeSeparators(programFolder() + QStringLiteral("Cliente_7")).toHtmlEscaped()));
        QCOMPARE(screen.memory(), QStringLiteral("7"));
    }

    // The login, information and about screens describe the program in the same words.
    void oneDescription() {
        const QString words = QString::fromUtf8(kProductDescription);
        TfrmPassword login;
        TfrmInfo info;
        TfrmSplash about;
        for (QWidget* w : std::initializer_list<QWidget*>{&login, &info, &about}) {
            auto* d = w->findChild<QLabel*>(QStringLiteral("lblDescrizione"));
            QVERIFY2(d, qPrintable(w->objectName()));
            QVERIFY2(d->text().startsWith(words), qPrintable(d->text()));
        }
        // The pictures' credit is on the information screen.
        auto* credit = info.findChild<QLabel*>(QStringLiteral("lblIcone"));
        QVERIFY(credit && credit->text().contains(QStringLiteral("Breeze")));
    }

    // Every export grid's columns start at least at their width in the file, wide enough for
    // their names, and can be resized.
    void exportGridColumns() {
        int checked = 0;
        for (const ArchiveModule* module : archiveModules())
            for (const ExportDefinition* e : module->exports) {
                ExportScreen screen(*e);
                auto* grid = screen.findChild<QTableView*>(QStringLiteral("grdRecords"));
                QVERIFY(grid);
                QHeaderView* header = grid->horizontalHeader();
                for (int c = 1; c < grid->model()->columnCount(); ++c) {
                    QCOMPARE(header->sectionResizeMode(c), QHeaderView::Interactive);
                    const QString name = grid->model()->headerData(c, Qt::Horizontal).toString();
                    QVERIFY2(grid->columnWidth(c) >= header->fontMetrics().horizontalAdvance(name),
                             qPrintable(QString::fromLatin1(e->objectName) + u' ' + name));
                    if (c - 1 < int(e->columns.size()))
                        QVERIFY2(grid->columnWidth(c) >= e->columns[std::size_t(c - 1)].width,
                                 qPrintable(QString::fromLatin1(e->objectName) + u' ' + name));
                    ++checked;
                }
            }
        QVERIFY(checked > 0);
    }

    // A list window on a wide screen shows its lines' fixed columns without scrolling; on a
    // narrow one it keeps to the screen.
    void listWindowFitsFixedColumns() {
        int checked = 0;
        const QFontMetrics fm(listFont());
        for (const ArchiveModule* module : archiveModules())
            for (const SearchDefinition* s : module->searches) {
                const QByteArray blank(s->layout->size() + 1, '\0');
                const int fixed = fm.horizontalAdvance(QString(s->line(blank.constData()).size(), u'0'));
                QVERIFY2(listWindowWidth(*s, 10000) > fixed, s->objectName);
                QCOMPARE(listWindowWidth(*s, 1200) <= 1200, true);
                ++checked;
            }
        QVERIFY(checked > 0);
    }

    // The login's logo and the program's window icon: the same pixels as the picture read the
    // toolkit's usual way.
    void loginLogoAndWindowIcon() {
        const QString path = QStringLiteral(":/images/calvetra.png");
        const QImage expected = QPixmap(path).toImage();
        QVERIFY(!expected.isNull());
        QCOMPARE(programPicture(path).toImage(), expected);
        QCOMPARE(programPicture(path).toImage(), expected);  // from the cache
        TfrmPassword login;
        auto* logo = login.findChild<QLabel*>(QStringLiteral("imgLogo"));
        QVERIFY(logo);
        QCOMPARE(logo->pixmap().toImage(),
                 QPixmap(path).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation).toImage());
        Application program;
        const QIcon icon = QApplication::windowIcon();
        QCOMPARE(icon.availableSizes(), QList<QSize>{QSize(128, 128)});
        QCOMPARE(icon.pixmap(QSize(128, 128)).toImage(), expected);
        // A missing picture, or a resource that is no PNG: nothing.
        QVERIFY(programPicture(QStringLiteral(":/images/nessuna.png")).isNull());
        QVERIFY(programPicture(QStringLiteral(":/help/avvio.txt")).isNull());
    }

    void changePasswordHeading() {
        TfrmCambiaPassword screen;
        auto* heading = screen.findChild<QLabel*>(QStringLiteral("lblTitolo"));
        QVERIFY(heading);
        QCOMPARE(heading->text(), QStringLiteral("Cambia password"));
    }
};

QTEST_MAIN(TestScreenLooks)
#include "tst_screenlooks.moc"
