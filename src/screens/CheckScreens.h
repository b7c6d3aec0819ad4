#pragma once
// The identifier check screens: the shape the four of them share, and the functions that open
// each one, modally and for one use, with a text already in its field.
#include "ui/Services.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace cal {

// A modal check screen: a title line `lblTitolo`, one field, `btnControlla` (runs the check)
// and `btnChiudi` (closes without a message). Centred on the screen, of fixed size, without
// title-bar buttons. The field has the focus when the screen is shown; Enter in it moves the
// focus to `btnControlla` without running the check. A verdict closes the screen; a refused
// text (wrong length, empty) leaves it open with the focus back in the field.
class CheckScreen : public QDialog {
    Q_OBJECT
public:
    QLineEdit* field() const { return field_; }
    // Puts a caller's text into the field whole: the key rules and the length limit hold for
    // typing and pasting only.
    void setFieldText(const QString& text);
    // What `btnControlla` does.
    virtual void check() = 0;

protected:
    struct Shape {
        const char* objectName;
        const char* caption;
        const char* title;
        const char* fieldName;
        const char* fieldAccessibleName;
        int maxLength;    // the most characters typing or pasting can put into the field
        bool digitsOnly;  // only 0-9 and Backspace, Delete, Left, Right reach the field
    };
    CheckScreen(const Shape& shape, QWidget* parent);

    void showEvent(QShowEvent* event) override;
    // A warning about the text; the screen stays open for the user to correct it.
    void refuse(const QString& text);
    // The verdict message; then the screen closes.
    void conclude(Dialogs::Kind kind, const QString& text);

private:
    QLineEdit* field_;
};

// Each opens its screen with `text`, trimmed of leading and trailing blanks, in the field, and
// returns when the screen has closed. Nothing is written back anywhere.
void openFiscalCodeCheck(const QString& text);
void openVatNumberCheck(const QString& text);
void openIbanCheck(const QString& text);
void openCardCheck(const QString& text);

// The fiscal code button beside every fiscal-code field: a trimmed text of digits only is a
// VAT number and goes to the VAT number check; anything else, the empty text included, goes to
// the fiscal code check.
void openFiscalCodeButton(const QString& fieldText);

}  // namespace cal
