#include "screens/CheckScreens.h"

#include "checks/FiscalCode.h"
#include "screens/TfrmCarta.h"
#include "screens/TfrmCodFisc.h"
#include "screens/TfrmIban.h"
#include "screens/TfrmPartitaIva.h"
#include "core/Text.h"
#include "ui/KeyRules.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>
#include <QVBoxLayout>

#include <algorithm>

namespace cal {
namespace {

// The limit on what typing and pasting may put into a check field. QLineEdit's own maximum
// length would also cut a longer text that a caller puts in, and the check would then judge a
// text other than the caller's (a 17-character code cut to a valid 16, an IBAN in groups cut
// to 27 characters); the caller's text is kept whole and refused for its length instead.
class TypingLimit : public QValidator {
    Q_OBJECT
public:
    TypingLimit(int maxLength, bool digitsOnly, QObject* parent)
        : QValidator(parent), maxLength_(maxLength), digitsOnly_(digitsOnly) {}
    State validate(QString& input, int&) const override {
        if (input.size() > maxLength_) return Invalid;
        if (digitsOnly_ && !input.isEmpty() && !IsAllDigits(input)) return Invalid;
        return Acceptable;
    }

private:
    int maxLength_;
    bool digitsOnly_;
};

template <typename Screen>
void openCheck(const QString& text) {
    Screen screen;
    screen.setFieldText(trimmed(text));
    screens().exec(&screen);
}

}  // namespace

CheckScreen::CheckScreen(const Shape& shape, QWidget* parent) : QDialog(parent) {
    setObjectName(QLatin1String(shape.objectName));
    setWindowTitle(QString::fromUtf8(shape.caption));
    // A caption without close, minimise or help buttons: only the screen's own commands close it.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* lblTitolo = new QLabel(QString::fromUtf8(shape.title), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    field_ = new QLineEdit(this);
    field_->setObjectName(QLatin1String(shape.fieldName));
    field_->setAccessibleName(QString::fromUtf8(shape.fieldAccessibleName));
    lblTitolo->setBuddy(field_);
    // The four check screens share one width, enough for the longest code a field holds.
    const int width = std::max(440, field_->fontMetrics().horizontalAdvance(QString(34, u'W')) + 16);
    lblTitolo->setWordWrap(true);
    lblTitolo->setFixedWidth(width);
    field_->setFixedWidth(width);
    auto* btnControlla = new QPushButton(QStringLiteral("Controlla"), this);
    btnControlla->setObjectName(QStringLiteral("btnControlla"));
    auto* btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnControlla);
    buttons->addWidget(btnChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitolo);
    layout->addWidget(field_);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);  // the user cannot resize the screen

    if (shape.digitsOnly) acceptDigitsOnly(field_);
    // Replaces the digits-only validator, if any, with one that also limits the length.
    field_->setValidator(new TypingLimit(shape.maxLength, shape.digitsOnly, field_));
    enterMovesTo(field_, btnControlla);
    connect(btnControlla, &QPushButton::clicked, this, [this] { check(); });
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
}

void CheckScreen::setFieldText(const QString& text) { field_->setText(text); }

void CheckScreen::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    field_->setFocus(Qt::OtherFocusReason);
}

void CheckScreen::refuse(const QString& text) {
    warning(text);
    field_->setFocus(Qt::OtherFocusReason);
}

void CheckScreen::conclude(Dialogs::Kind kind, const QString& text) {
    dialogs().message(kind, text);
    accept();
}

void openFiscalCodeCheck(const QString& text) { openCheck<TfrmCodFisc>(text); }
void openVatNumberCheck(const QString& text) { openCheck<TfrmPartitaIva>(text); }
void openIbanCheck(const QString& text) { openCheck<TfrmIban>(text); }
void openCardCheck(const QString& text) { openCheck<TfrmCarta>(text); }

void openFiscalCodeButton(const QString& fieldText) {
    if (FiscalCodeButtonTarget(fieldText) == FiscalCodeTarget::VatNumberCheck)
        openVatNumberCheck(fieldText);
    else
        openFiscalCodeCheck(fieldText);
}

}  // namespace cal


#include "CheckScreens.moc"
