#pragma once
// Information screen: the product and the support e-mail address.
#include <QDialog>

class QPushButton;

namespace cal {

class LinkLabel;

inline constexpr char kSupportAddress[] = "assistenza@calvetra.it";
// What the e-mail link hands to the shell: address, subject and body as written, the blanks
// not encoded (the shell service takes care of quoting).
QString supportMailTarget();
// Attribution of the Dewey classification captions that the program ships.
QString deweyAttribution();
// The credit of the program's pictures and their licence.
QString iconAttribution();

class TfrmInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* parent = nullptr);

private:
    LinkLabel* imgEmail;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;
};

}  // namespace cal
