// The real message service: the button sets of the four kinds and of the question, in Italian, and
// the chooser of a new file, driven through the modal dialogs themselves (every other test answers
// through the fakes).
#include "ui/Regional.h"
#include "testlib/CalWidgetTest.h"
#include "ui/Services.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

using namespace cal;

namespace {

// Acts on the next dialog of its kind as soon as it is shown: the action is queued into the
// dialog's own modal event loop, so no timer and no fixed wait are involved.
class WhenShown : public QObject {
    Q_OBJECT
public:
    explicit WhenShown(std::function<bool(QObject*)> act) : QObject(qApp), act_(std::move(act)) { qApp->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Show || !act_ || !act_(watched)) return false;
        act_ = nullptr;
        qApp->removeEventFilter(this);
        deleteLater();
        return false;
    }

private:
    std::function<bool(QObject*)> act_;  // true once it has taken the dialog
};

template <typename Dialog>
void whenModal(std::function<void(Dialog*)> act) {
    new WhenShown([act = std::move(act)](QObject* watched) {
        auto* dialog = qobject_cast<Dialog*>(watched);
        if (!dialog) return false;
        QMetaObject::invokeMethod(dialog, [dialog, act] { act(dialog); }, Qt::QueuedConnection);
        return true;
    });
}
void whenModal(std::function<void(QMessageBox*)> act) { whenModal<QMessageBox>(std::move(act)); }

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
        QTest::addColumn<int>("icon");
        QTest::addColumn<QStringList>("buttons");
        const QStringList okCancel{"Annulla", "OK"};
        QTest::newRow("information") << int(Dialogs::Kind::Information) << int(QMessageBox::Information) << okCancel;
        QTest::newRow("warning") << int(Dialogs::Kind::Warning) << int(QMessageBox::Warning) << okCancel;
        QTest::newRow("error") << int(Dialogs::Kind::Error) << int(QMessageBox::Critical) << okCancel;
        QTest::newRow("plain") << int(Dialogs::Kind::Plain) << int(QMessageBox::NoIcon) << QStringList{"OK"};
    }
    void messageKinds() {
        QFETCH(int, kind);
        QFETCH(int, icon);
        QFETCH(QStringList, buttons);
        QStringList seen;
        int seenIcon = -1;
        QString text;
        whenModal([&](QMessageBox* box) {
            seen = buttonTexts(box);
            seenIcon = box->icon();
            text = box->text();
            box->button(QMessageBox::Ok)->click();
        });
        dialogs().message(Dialogs::Kind(kind), QString::fromUtf8("La scheda è stata salvata."));
        QCOMPARE(seen, buttons);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(text, QString::fromUtf8("La scheda è stata salvata."));
    }

    void questionIsYesUnlessNo() {
        QStringList seen;
        whenModal([&](QMessageBox* box) {
            seen = buttonTexts(box);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(dialogs().question("Si vuole aprire il file?"), false);
        QCOMPARE(seen, (QStringList{"No", QString::fromUtf8("Sì")}));
        whenModal([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
        QCOMPARE(dialogs().question("Si vuole aprire il file?"), true);
        whenModal([](QMessageBox* box) { box->reject(); });  // closed with Escape: not a No
        QCOMPARE(dialogs().question("Si vuole aprire il file?"), true);
    }

    // The chooser of a new file: a save dialog that proposes the name, and gives a name typed
    // without its extension the extension of the kind of file.
    void newFileChooser() {
        QTemporaryDir place;
        QString title;
        QStringList proposed;
        bool saving = false;
        whenModal<QFileDialog>([&](QFileDialog* d) {
            title = d->windowTitle();
            proposed = d->selectedFiles();
            saving = d->acceptMode() == QFileDialog::AcceptSave;
            d->setDirectory(place.path());
            d->selectFile(QStringLiteral("copia"));
            QMetaObject::invokeMethod(d, "accept");  // as the Save button does
        });
        const QString chosen = dialogs().chooseNewFile("Salva la copia di sicurezza dei dati", "Copia di sicurezza (*.zip)",
                                                       "Calvetra_copia.zip");
        QCOMPARE(title, QString("Salva la copia di sicurezza dei dati"));
        QVERIFY(saving);
        QCOMPARE(proposed.size(), 1);
        QVERIFY(proposed[0].endsWith("/Calvetra_copia.zip"));
        QCOMPARE(chosen, place.path() + "/copia.zip");
        whenModal<QFileDialog>([](QFileDialog* d) { d->reject(); });
        QCOMPARE(dialogs().chooseNewFile("Esporta", "Rubrica vCard (*.vcf)", "Clienti.vcf"), QString());
    }

    // A choice among the caller's buttons: the index of the one pressed; the last cancels, and
    // is the default and what Escape presses.
    void choiceGivesTheButtonPressed_data() {
        QTest::addColumn<int>("press");  // -1: Escape
        QTest::addColumn<int>("answer");
        QTest::newRow("first") << 0 << 0;
        QTest::newRow("second") << 1 << 1;
        QTest::newRow("last") << 2 << 2;
        QTest::newRow("Escape") << -1 << 2;
    }
    void choiceGivesTheButtonPressed() {
        QFETCH(int, press);
        QFETCH(int, answer);
        const QStringList buttons{"Sovrascrivi", "Mostra scheda in archivio", "Annulla"};
        QStringList seen;
        QString defaultButton, text;
        int icon = -1;
        whenModal([&](QMessageBox* box) {
            seen = buttonTexts(box);
            defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
            text = box->text();
            icon = box->icon();
            if (press < 0) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            for (QAbstractButton* b : box->buttons())
                if (b->text() == buttons[press]) b->click();
        });
        QCOMPARE(dialogs().choose(QStringLiteral("La scheda è cambiata."), buttons), answer);
        QStringList sorted = buttons;
        sorted.sort();
        QCOMPARE(seen, sorted);
        QCOMPARE(defaultButton, QString("Annulla"));
        QCOMPARE(text, QStringLiteral("La scheda è cambiata."));
        QCOMPARE(icon, int(QMessageBox::Warning));
    }
};

CAL_WIDGET_TEST_MAIN(TestRealDialogs)
#include "tst_realdialogs.moc"
