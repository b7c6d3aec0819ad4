// Pictures of the check screens with their verdicts, for looking at the screens as the user
// sees them. Each picture shows the screen with its text and, below it, the message box the
// verdict opens, built as the program's message service builds it. The pictures go into the
// folder named by CALVETRA_SCREENSHOTS, or into a temporary folder when it is not set.
#include "ui/Regional.h"
#include "checks/CheckScreens.h"
#include "checks/TfrmCarta.h"
#include "checks/TfrmCodFisc.h"
#include "checks/TfrmIban.h"
#include "checks/TfrmPartitaIva.h"
#include "testlib/CalWidgetTest.h"

#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>

using namespace cal;
using Kind = Dialogs::Kind;

namespace {

std::unique_ptr<CheckScreen> makeScreen(const QString& name) {
    if (name == "TfrmCodFisc") return std::make_unique<TfrmCodFisc>();
    if (name == "TfrmPartitaIva") return std::make_unique<TfrmPartitaIva>();
    if (name == "TfrmIban") return std::make_unique<TfrmIban>();
    if (name == "TfrmCarta") return std::make_unique<TfrmCarta>();
    qFatal("no screen %s", qPrintable(name));
}

// A window as the user sees it: a caption strip over the window's contents (the offscreen
// platform draws no window frames).
QImage framed(QWidget* window) {
    const QPixmap contents = window->grab();
    const int strip = 24;
    QImage image(contents.width(), contents.height() + strip, QImage::Format_RGB32);
    image.fill(QColor(0x2b, 0x4c, 0x7e));
    QPainter p(&image);
    p.setPen(Qt::white);
    p.drawText(QRect(6, 0, image.width() - 12, strip), Qt::AlignVCenter | Qt::AlignLeft, window->windowTitle());
    p.drawPixmap(0, strip, contents);
    return image;
}

// The message box of a verdict, as the program's message service shows it.
QImage messageBox(Kind kind, const QString& text) {
    QMessageBox box;
    box.setWindowTitle(QStringLiteral(" Calvetra 4.0"));
    box.setText(text);
    box.setIcon(kind == Kind::Information ? QMessageBox::Information : QMessageBox::Warning);
    box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
    box.setDefaultButton(QMessageBox::Ok);
    box.show();
    return framed(&box);
}

}  // namespace

class TestCheckScreenshots : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> temporary;
    QString folder;

private slots:
    void initTestCase() {
        applyRegionalSettings();  // Qt's own buttons in Italian, as in the program
        folder = qEnvironmentVariable("CALVETRA_SCREENSHOTS");
        if (folder.isEmpty()) {
            temporary = std::make_unique<QTemporaryDir>();
            folder = temporary->path();
        }
        QVERIFY(QDir().mkpath(folder));
    }

    void picture_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("fiscal code valid") << "TfrmCodFisc" << "RSSMRA85T10A562S" << "codfisc-valido.png" << false;
        QTest::newRow("fiscal code wrong") << "TfrmCodFisc" << "RSSMRA85T10A562T" << "codfisc-errato.png" << false;
        QTest::newRow("fiscal code length") << "TfrmCodFisc" << "RSSMRA85T10A56" << "codfisc-lunghezza.png" << true;
        QTest::newRow("VAT number valid") << "TfrmPartitaIva" << "01234560587" << "partitaiva-valida.png" << false;
        QTest::newRow("VAT number, unknown office")
            << "TfrmPartitaIva" << "01234561031" << "partitaiva-ufficio-sconosciuto.png" << false;
        QTest::newRow("VAT number wrong") << "TfrmPartitaIva" << "12345678904" << "partitaiva-errata.png" << false;
        QTest::newRow("IBAN valid") << "TfrmIban" << "IT60X0542811101000000123456" << "iban-valido.png" << false;
        QTest::newRow("IBAN length") << "TfrmIban" << "IT60 X054 2811 1010 0000 0123 456" << "iban-lunghezza.png"
                                     << true;
        QTest::newRow("card Visa") << "TfrmCarta" << "4111 1111 1111 1111" << "carta-visa.png" << false;
        QTest::newRow("card MasterCard 2-series") << "TfrmCarta" << "2223003122003222" << "carta-mastercard-2.png"
                                                  << false;
        QTest::newRow("card 39, no kind") << "TfrmCarta" << "3900000000000005" << "carta-senza-tipo.png" << false;
        QTest::newRow("card wrong") << "TfrmCarta" << "4111111111111112" << "carta-errata.png" << false;
    }
    void picture() {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QString, file);
        QFETCH(bool, staysOpen);
        caltest::FakeServices fakes;
        std::unique_ptr<CheckScreen> screen = makeScreen(name);
        screen->setFieldText(text);
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        const QImage before = framed(screen.get());
        QTest::mouseClick(screen->findChild<QPushButton*>("btnControlla"), Qt::LeftButton);
        QCOMPARE(fakes.dialogs.messages.size(), 1);
        QCOMPARE(screen->isVisible(), staysOpen);
        const caltest::Message verdict = fakes.dialogs.messages.first();
        const QImage message = messageBox(verdict.kind, verdict.text);

        const int gap = 16;
        QImage picture(std::max(before.width(), message.width()) + 2 * gap,
                       before.height() + message.height() + 3 * gap, QImage::Format_RGB32);
        picture.fill(QColor(0xd8, 0xd8, 0xd8));
        {
            QPainter p(&picture);
            p.drawImage(gap, gap, before);
            p.drawImage(gap, before.height() + 2 * gap, message);
        }
        const QString path = QDir(folder).filePath(file);
        QVERIFY(picture.save(path));
        const QImage saved(path);
        QCOMPARE(saved.size(), picture.size());
        qInfo("%s", qPrintable(path));
    }
};

CAL_WIDGET_TEST_MAIN(TestCheckScreenshots)
#include "tst_checkscreenshots.moc"
