// The program's pictures. Each reads as enabled: at least 20% of its opaque pixels (alpha at least
// 128 of 255), blended over the window colour of the Fusion style, have a contrast ratio of at
// least 3:1 with that colour (the ratio of relative luminances of WCAG 2.1, asked of non-text
// controls); drawn disabled, the toolkit greys it to a clearly weaker contrast. Every command on
// every screen (archives and what their commands open, menus, launcher, print preview) shows a
// picture of the program's own set, and no two commands of one screen share one.
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "screens/YearMenu.h"
#include "core/ProgramFolder.h"
#include "report/Report.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/TfrmCalendario.h"
#include "testlib/CalWidgetTest.h"
#include "ui/Icons.h"
#include "ui/TfrmAnteprima.h"

#include <QAbstractButton>
#include <QAction>
#include <QDirIterator>
#include <QHash>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QWidgetAction>

#include <algorithm>
#include <cmath>
#include <numeric>

using namespace cal;

namespace {

constexpr double kContrast = 3.0;  // WCAG 2.1, non-text contrast
constexpr double kShare = 0.20;    // of the opaque pixels
constexpr int kOpaque = 128;       // alpha from which a pixel counts as part of the picture

double linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double luminance(QColor c) { return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue()); }
double contrast(QColor a, QColor b) {
    const double x = luminance(a), y = luminance(b);
    return (std::max(x, y) + 0.05) / (std::min(x, y) + 0.05);
}
QColor window() { return QApplication::palette().color(QPalette::Active, QPalette::Window); }

// The contrast with the window of each opaque pixel, blended over the window.
QList<double> pixelContrasts(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const QColor back = window();
    QList<double> out;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = QColor::fromRgba(image.pixel(x, y));
            if (p.alpha() < kOpaque) continue;
            const double a = p.alphaF();
            const QColor blended(qRound(p.red() * a + back.red() * (1 - a)), qRound(p.green() * a + back.green() * (1 - a)),
                                 qRound(p.blue() * a + back.blue() * (1 - a)));
            out << contrast(blended, back);
        }
    return out;
}
double shareReaching(const QImage& picture) {
    const QList<double> c = pixelContrasts(picture);
    const auto reaching = std::count_if(c.begin(), c.end(), [](double v) { return v >= kContrast; });
    return c.isEmpty() ? 0.0 : double(reaching) / double(c.size());
}
double meanContrast(const QImage& picture) {
    const QList<double> c = pixelContrasts(picture);
    return c.isEmpty() ? 0.0 : std::accumulate(c.begin(), c.end(), 0.0) / double(c.size());
}

// The names of the program's pictures, from its resources.
QStringList pictureNames() {
    QStringList names;
    QDirIterator it(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = QFileInfo(it.next()).completeBaseName();
        if (!names.contains(name)) names << name;
    }
    names.sort();
    return names;
}

// Which of the program's pictures an icon shows at that size, by its pixels; empty for none.
const QString kLogo = QStringLiteral(":/images/calvetra_small.png");  // the launcher's "Calvetra"
QString pictureShown(const QIcon& icon, QSize size) {
    static QHash<int, QHash<QByteArray, QString>> known;  // by size: pixels -> name
    auto pixels = [size](const QIcon& i) {
        const QImage image = i.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
        return QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    };
    QHash<QByteArray, QString>& bySize = known[size.width() * 10000 + size.height()];
    if (bySize.isEmpty()) {
        for (const QString& name : pictureNames()) bySize.insert(pixels(programIcon(name.toLatin1().constData())), name);
        bySize.insert(pixels(QIcon(kLogo)), kLogo);
    }
    return bySize.value(pixels(icon));
}

// What a command is called: its caption; for a picture without one, its hint (the calendar
// button beside every date says the same), or its object name without the row number (the same
// command on each row of a list of fields).
QString commandName(const QAbstractButton* b) {
    if (!b->text().isEmpty()) return b->text();
    if (const QString hint = b->property("hint").toString(); !hint.isEmpty()) return hint;
    QString name = b->objectName();
    while (!name.isEmpty() && name.back().isDigit()) name.chop(1);
    return name;
}

// Checks every screen it is shown: modal screens are checked and closed.
class PictureWalk : public Screens {
public:
    int exec(QDialog* screen) override {
        screen->show();
        QApplication::processEvents();
        check(screen);
        screen->reject();
        return QDialog::Rejected;
    }

    // The faults of a screen's commands: a picture not of the program's set, a command of a
    // toolbar without one, two commands sharing one.
    void check(QWidget* screen) {
        const QString where = screen->objectName() + QStringLiteral(": ");
        ++screens;
        QHash<QString, QString> commandOf;  // picture -> command
        for (QAbstractButton* b : screen->findChildren<QAbstractButton*>()) {
            // A command of a shown toolbar counts even where the toolbar is too narrow to show it.
            auto* bar = qobject_cast<QToolBar*>(b->parentWidget());
            if (b->icon().isNull() || !(b->isVisibleTo(screen) || (bar && bar->isVisibleTo(screen)))) continue;
            if (b->objectName() == QLatin1String("qt_toolbar_ext_button")) continue;  // the overflow arrow
            const QString picture = pictureShown(b->icon(), b->iconSize());
            const QString command = commandName(b);
            if (picture.isEmpty()) {
                faults << where + command + QStringLiteral(" shows a picture not of the program's set");
                continue;
            }
            ++pictures;
            const QString other = commandOf.value(picture);
            if (!other.isEmpty() && other != command)
                faults << where + command + QStringLiteral(" and ") + other + QStringLiteral(" share ") + picture;
            commandOf.insert(picture, command);
        }
        for (QToolBar* bar : screen->findChildren<QToolBar*>())
            for (QAction* a : bar->actions())
                if (!a->isSeparator() && !qobject_cast<QWidgetAction*>(a) && a->isVisible() && a->icon().isNull())
                    faults << where + a->text() + QStringLiteral(" has no picture");
    }

    QStringList faults;
    int screens = 0;
    int pictures = 0;
};

void click(QWidget* screen, const char* name) {
    if (auto* b = screen->findChild<QAbstractButton*>(QString::fromLatin1(name))) b->click();
}

}  // namespace

class TestPictures : public QObject {
    Q_OBJECT

private slots:
    void pictureReadsAsEnabled_data() {
        QTest::addColumn<QString>("path");
        QDirIterator it(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files, QDirIterator::Subdirectories);
        int rows = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(path)) << path;
            ++rows;
        }
        QTest::newRow("logo") << kLogo;
        QVERIFY(rows > 100);
    }
    void pictureReadsAsEnabled() {
        QFETCH(QString, path);
        const QImage picture(path);
        QVERIFY(!picture.isNull());
        const double share = shareReaching(picture);
        QVERIFY2(share >= kShare, qPrintable(QStringLiteral("%1 of its pixels reach 3:1").arg(share, 0, 'f', 2)));
    }

    // The measure itself: black on white is 21:1, mid grey (#767676) just over 4.5:1; a pale grey
    // picture (the look of a disabled one) does not count, nor do pixels more transparent than
    // opaque.
    void measure() {
        QCOMPARE(qRound(contrast(Qt::black, Qt::white)), 21);
        QVERIFY(contrast(QColor(0x76, 0x76, 0x76), Qt::white) > 4.5);
        QVERIFY(contrast(QColor(0x77, 0x77, 0x77), Qt::white) < 4.5);
        QImage picture(10, 10, QImage::Format_ARGB32);
        picture.fill(QColor(0xc0, 0xc0, 0xc0));
        QCOMPARE(shareReaching(picture), 0.0);
        picture.fill(QColor(0x23, 0x26, 0x29));
        QCOMPARE(shareReaching(picture), 1.0);
        picture.fill(QColor(0x23, 0x26, 0x29, 100));
        QCOMPARE(shareReaching(picture), 0.0);
    }

    // Drawn disabled, every picture is greyed by the toolkit: other pixels, and on average at most
    // two thirds of the contrast of the picture drawn enabled, which is the file itself.
    void disabledLooksDifferent_data() {
        QTest::addColumn<QString>("name");
        for (const QString& name : pictureNames()) QTest::newRow(qPrintable(name)) << name;
    }
    void disabledLooksDifferent() {
        QFETCH(QString, name);
        const QIcon icon = programIcon(name.toLatin1().constData());
        const QSize size = icon.availableSizes().value(0);
        const QImage enabled = icon.pixmap(size).toImage();
        const QImage disabled = icon.pixmap(size, QIcon::Disabled).toImage();
        const QImage file(QStringLiteral(":/icons/%1/%2.png").arg(size.width()).arg(name));
        QCOMPARE(enabled.convertToFormat(QImage::Format_ARGB32_Premultiplied),
                 file.convertToFormat(QImage::Format_ARGB32_Premultiplied));
        QVERIFY(disabled != enabled);
        QVERIFY2(meanContrast(disabled) <= meanContrast(enabled) * 2 / 3,
                 qPrintable(QStringLiteral("%1 against %2").arg(meanContrast(disabled)).arg(meanContrast(enabled))));
    }

    // Every screen the program shows, and every screen an archive's commands open.
    void everyCommandShowsAPictureOfTheSet() {
        caltest::ProgramFolder folder;
        setProgramFolder(folder.path());
        caltest::FakeServices fakes;
        PictureWalk walk;
        services().screens = &walk;

        Application program;
        TfrmAvvio* launcher = program.launcher();
        launcher->show();
        walk.check(launcher);
        for (const char* name : {"imgGuida", "imgInfo", "imgSplash"}) click(launcher, name);
        launcher->hide();
        for (const LauncherEntry& entry : launcherEntries()) {
            if (!entry.yearMenu) continue;
            YearMenu* menu = program.yearMenu(entry.yearMenu->objectName);
            menu->show();
            walk.check(menu);
            menu->hide();
        }
        for (const ArchiveModule* module : archiveModules()) {
            ArchiveScreen* screen = program.archive(module->archive->objectName);
            screen->show();
            // A screen that opens on a panel of its own (the year to open) is opened on its year.
            if (auto* opening = screen->findChild<QWidget*>(QStringLiteral("panAvvio")); opening && opening->isVisible()) {
                walk.check(screen);
                click(opening, "btnApri");
            }
            walk.check(screen);
            for (QAction* a : screen->findChildren<QAction*>())
                if (a->objectName().startsWith(QLatin1String("cmd")) && a->objectName() != QLatin1String("cmdEsci"))
                    a->trigger();
            for (QPushButton* b : screen->findChildren<QPushButton*>())
                if (b->text() == QLatin1String("Verifica") && b->isEnabled()) b->click();
            screen->hide();
            for (const OtherScreen& o : module->screens) {
                QWidget* other = program.otherScreen(o.objectName);
                other->show();
                walk.check(other);
                other->hide();
            }
        }
        TfrmAnteprima preview(Report::captionValueCard(), nullptr);
        preview.show();
        walk.check(&preview);
        TfrmCalendario picker;
        picker.show();
        walk.check(&picker);

        QVERIFY2(walk.faults.isEmpty(), qPrintable(walk.faults.join(u'\n')));
        // The walk went through the screens: the launcher, menus, archives and what they open.
        QVERIFY2(walk.screens > 60, qPrintable(QString::number(walk.screens)));
        QVERIFY2(walk.pictures > 200, qPrintable(QString::number(walk.pictures)));
    }
};

CAL_WIDGET_TEST_MAIN(TestPictures)
#include "tst_pictures.moc"
