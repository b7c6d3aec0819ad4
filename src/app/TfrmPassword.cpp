#include "app/TfrmPassword.h"

#include "core/Password.h"
#include "core/ProgramFolder.h"
#include "core/Text.h"
#include "screens/TfrmSplash.h"
#include "ui/FontConfiguration.h"
#include "ui/Icons.h"
#include "ui/KeyRules.h"
#include "ui/Services.h"

#include <QCloseEvent>
#include <QEvent>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {
namespace {

const QString kWrongPassword = QStringLiteral("Attenzione: password errata.");
const QString kReadError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
const QString kWrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. "
    "E' necessario reinserire entrambi i valori.");
const QString kChanged = QStringLiteral("Modifica della password completata con successo.");
const QString kChangeError = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");

QLineEdit* maskedEdit(const QString& name, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    e->setEchoMode(QLineEdit::Password);
    return e;
}

QPushButton* button(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

// Enter in the password field presses OK when it is enabled.
class EnterPresses : public QObject {
    Q_OBJECT
public:
    EnterPresses(QObject* parent, QPushButton* target) : QObject(parent), target_(target) {}
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
        if (target_->isEnabled()) target_->click();
        return true;
    }

private:
    QPushButton* target_;
};

}  // namespace

TfrmPassword::TfrmPassword(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TfrmPassword"));
    setWindowTitle(QStringLiteral(" Calvetra 4.0 - Autenticazione"));
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(programPicture(QStringLiteral(":/images/calvetra.png")).scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    // Fonts and colours set directly: a style sheet would cost the first screen a style engine.
    auto* title = new QLabel(QStringLiteral("Calvetra 4.0"), this);
    QFont big = title->font();
    big.setPointSize(18);
    big.setBold(true);
    title->setFont(big);
    QPalette blue = title->palette();
    blue.setColor(QPalette::WindowText, QColor(0x1d, 0x4f, 0x91));
    title->setPalette(blue);
    auto* subtitle = new QLabel(QString::fromUtf8(kProductDescription), this);
    subtitle->setObjectName(QStringLiteral("lblDescrizione"));
    QFont small = subtitle->font();
    small.setPointSize(10);
    subtitle->setFont(small);
    QPalette grey = subtitle->palette();
    grey.setColor(QPalette::WindowText, QColor(0x55, 0x55, 0x55));
    subtitle->setPalette(grey);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(0);
    titles->addWidget(title);
    titles->addWidget(subtitle);
    auto* header = new QHBoxLayout;
    header->addWidget(logo);
    header->addSpacing(8);
    header->addLayout(titles, 1);
    auto* prompt = new QLabel(QStringLiteral("Immetti la password e premi OK."), this);
    prompt->setObjectName(QStringLiteral("lblRigo05"));
    // The password field is the program's first widget that measures text, and so needs the
    // fonts: the font configuration main started reading must be read by now. Everything above
    // (the logo, the labels) is made while the reading thread is still at work.
    finishReadingFontConfiguration();
    txtPassword_ = maskedEdit(QStringLiteral("txtPassword"), this);
    txtPassword_->setAccessibleName(QStringLiteral("Password"));
    prompt->setBuddy(txtPassword_);
    cmdOK_ = button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    auto* cmdEsci = button(QStringLiteral("cmdEsci"), QStringLiteral("Esci"), this);
    auto* change = button(QStringLiteral("btnCambiaPassword"), QStringLiteral("Cambia password"), this);
    cmdOK_->setEnabled(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(change);
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdEsci);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->addLayout(header);
    layout->addSpacing(12);
    layout->addWidget(prompt);
    layout->addWidget(txtPassword_);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    connect(txtPassword_, &QLineEdit::textChanged, this, &TfrmPassword::updateOk);
    txtPassword_->installEventFilter(new EnterPresses(this, cmdOK_));
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmPassword::tryLogin);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::close);
    connect(change, &QPushButton::clicked, this, &TfrmPassword::changePasswordRequested);
}

void TfrmPassword::updateOk() { cmdOK_->setEnabled(!trimmed(txtPassword_->text()).isEmpty()); }

void TfrmPassword::tryLogin() {
    const auto stored = readStoredPassword(programFolder());
    if (!stored) {
        plainMessage(kReadError);
        return;
    }
    if (*stored == normalisePassword(txtPassword_->text()) && !stored->isEmpty()) {
        emit loggedIn();
        return;
    }
    plainMessage(kWrongPassword);
    reset();
}

void TfrmPassword::reset() {
    txtPassword_->clear();
    txtPassword_->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    txtPassword_->setFocus(Qt::OtherFocusReason);
}

void TfrmPassword::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit exitRequested();
}

TfrmCambiaPassword::TfrmCambiaPassword(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TfrmCambiaPassword"));
    setWindowTitle(QStringLiteral(" Cambia password"));
    txtPasswordOld_ = maskedEdit(QStringLiteral("txtPasswordOld"), this);
    txtPasswordNew_ = maskedEdit(QStringLiteral("txtPasswordNew"), this);
    txtConferma_ = maskedEdit(QStringLiteral("txtConferma"), this);
    cmdOK_ = button(QStringLiteral("cmdOK"), QStringLiteral("OK"), this);
    auto* cmdEsci = button(QStringLiteral("cmdEsci"), QStringLiteral("Chiudi"), this);
    cmdOK_->setEnabled(false);
    cmdOK_->setAutoDefault(false);

    auto* form = new QFormLayout;
    const std::pair<QLineEdit*, const char*> rows[] = {
        {txtPasswordOld_, "Vecchia password:"}, {txtPasswordNew_, "Nuova password:"}, {txtConferma_, "Conferma nuova password:"}};
    for (const auto& [edit, text] : rows) {
        auto* label = new QLabel(QString::fromUtf8(text), this);
        label->setBuddy(edit);
        edit->setAccessibleName(label->text());
        form->addRow(label, edit);
        connect(edit, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOk);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdEsci);
    // A heading that says what the screen is for.
    auto* heading = new QLabel(QStringLiteral("Cambia password"), this);
    heading->setObjectName(QStringLiteral("lblTitolo"));
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    headingFont.setBold(true);
    heading->setFont(headingFont);
    auto* prompt = new QLabel(
        QStringLiteral("Immettere la password attuale e due volte la nuova password, poi premere OK."), this);
    prompt->setObjectName(QStringLiteral("lblIstruzioni"));
    prompt->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(prompt);
    layout->addSpacing(6);
    layout->addLayout(form);
    layout->addLayout(buttons);
    setMinimumWidth(380);

    enterChain({txtPasswordOld_, txtPasswordNew_, txtConferma_});
    connect(cmdOK_, &QPushButton::clicked, this, &TfrmCambiaPassword::change);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::close);
}

void TfrmCambiaPassword::updateOk() {
    cmdOK_->setEnabled(!trimmed(txtPasswordOld_->text()).isEmpty() && !trimmed(txtPasswordNew_->text()).isEmpty() &&
                       !trimmed(txtConferma_->text()).isEmpty());
}

void TfrmCambiaPassword::change() {
    const auto stored = readStoredPassword(programFolder());
    if (!stored) {
        plainMessage(kChangeError);
        return;
    }
    if (*stored != normalisePassword(txtPasswordOld_->text())) {
        plainMessage(kWrongOld);
        txtPasswordOld_->clear();
        txtPasswordOld_->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (trimmed(txtPasswordNew_->text()) != trimmed(txtConferma_->text())) {
        plainMessage(kNotConfirmed);
        txtPasswordNew_->clear();
        txtConferma_->clear();
        txtPasswordNew_->setFocus(Qt::OtherFocusReason);
        return;
    }
    switch (writeStoredPassword(programFolder(), txtPasswordNew_->text())) {
    case PasswordWrite::Written:
        plainMessage(kChanged);
        close();
        return;
    case PasswordWrite::Refused:
        plainMessage(QStringLiteral("Attenzione: la nuova password può contenere al massimo 255 caratteri, "
                                    "scelti tra lettere, cifre e simboli dell'alfabeto latino."));
        txtPasswordNew_->clear();
        txtConferma_->clear();
        txtPasswordNew_->setFocus(Qt::OtherFocusReason);
        return;
    case PasswordWrite::WritingError:
        plainMessage(kChangeError);
        return;
    }
}

void TfrmCambiaPassword::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    txtPasswordOld_->clear();
    txtPasswordNew_->clear();
    txtConferma_->clear();
    txtPasswordOld_->setFocus(Qt::OtherFocusReason);
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    emit closed();
}

}  // namespace cal

#include "TfrmPassword.moc"
