// The real message service: the button sets and pictures of the four kinds and of the question,
// in Italian, driven through the modal boxes themselves (every other test answers through the
// fakes).
#include "ui/Regional.h"
#include "testlib/CalWidgetTest.h"
#include "ui/Icons.h"
#include "ui/Services.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPointer>
#include <QStyle>

using namespace cal;

namespace {

// Acts on the next message box as soon as it is shown: the action is queued into the box's own
// modal event loop, so no timer and no fixed wait are involved.
class WhenShown : public QObject {
    Q_OBJECT
public:
    explicit WhenShown(std::function<void(QMessageBox*)> act) : QObject(qApp), act_(std::move(act)) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* box = qobject_cast<QMessageBox*>(watched);
        if (event->type() != QEvent::Show || !box || !act_) return false;
        QMetaObject::invokeMethod(box, [box, act = std::move(act_)] { act(box); }, Qt::QueuedConnection);
        act_ = nullptr;
        qApp->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    std::function<void(QMessageBox*)> act_;
};

void whenModal(std::function<void(QMessageBox*)> act) { new WhenShown(std::move(act)); }

// The box's picture, and the program's picture of that name as the box should show it: at the
// style's size for message pictures, drawn for the box's scale.
QImage shownPicture(QMessageBox* box) { return box->iconPixmap().toImage(); }
QImage programMessagePicture(QMessageBox* box, const QString& name) {
    const int size = box->style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, box);
    return programIcon(name.toLatin1().constData()).pixmap(QSize(size, size), box->devicePixelRatio()).toImage();
}

QStringList buttonTexts(QMessageBox* box) {
    QStringList out;
    for (QAbstractButton* b : box->buttons()) out << b->text().remove('&');
    out.sort();
    return out;
}

}  // namespace

class TestRealDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { applyRegionalSettings(); }

    void messageKinds_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("picture");  // the program's picture; none for a plain message
        QTest::addColumn<QStringList>("buttons");
        const QStringList okCancel{"Annulla", "OK"};
        QTest::newRow("information") << int(Dialogs::Kind::Information) << "dialog-information" << okCancel;
        QTest::newRow("warning") << int(Dialogs::Kind::Warning) << "dialog-warning" << okCancel;
        QTest::newRow("error") << int(Dialogs::Kind::Error) << "dialog-error" << okCancel;
        QTest::newRow("plain") << int(Dialogs::Kind::Plain) << QString() << QStringList{"OK"};
    }
    void messageKinds() {
        QFETCH(int, kind);
        QFETCH(QString, picture);
        QFETCH(QStringList, buttons);
        QStringList seen;
        QImage shown;
        QImage expected;
        QString text;
        whenModal([&](QMessageBox* box) {
            seen = buttonTexts(box);
            shown = shownPicture(box);
            if (!picture.isEmpty()) expected = programMessagePicture(box, picture);
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        dialogs().message(Dialogs::Kind(kind), QString::fromUtf8("La scheda è stata salvata."));
        QCOMPARE(seen, buttons);
        if (picture.isEmpty()) {
            QVERIFY(shown.isNull());
        } else {
            QVERIFY(!expected.isNull());
            QCOMPARE(shown, expected);
        }
        QCOMPARE(text, QString::fromUtf8("La scheda è stata salvata."));
    }

    void questionIsYesUnlessNo() {
        QStringList seen;
        QImage shown;
        QImage expected;
        whenModal([&](QMessageBox* box) {
            seen = buttonTexts(box);
            shown = shownPicture(box);
            expected = programMessagePicture(box, QStringLiteral("dialog-question"));
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(dialogs().question("Si vuole aprire il file?"), false);
        QCOMPARE(seen, (QStringList{"No", QString::fromUtf8("Sì")}));
        QVERIFY(!expected.isNull());
        QCOMPARE(shown, expected);
        whenModal([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QCOMPARE(dialogs().question("Si vuole aprire il file?"), true);
        whenModal([](QMessageBox* box) { box->reject(); });  // closed with Escape: not a No
        QCOMPARE(dialogs().question("Si vuole aprire il file?"), true);
    }
};

CAL_WIDGET_TEST_MAIN(TestRealDialogs)
#include "tst_realdialogs.moc"
