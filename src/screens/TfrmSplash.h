#pragma once
// About screen: the product, its version and its web address.
#include <QDialog>

class QPushButton;

namespace cal {

class LinkLabel;

inline constexpr char kWebAddress[] = "https://www.calvetra.it";
// What the program is, in the same words on the login, information and about screens.
inline constexpr char kProductDescription[] = "Organizzatore per l'ufficio e lo studio professionale.";

class TfrmSplash : public QDialog {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* parent = nullptr);

private:
    LinkLabel* imgWeb;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;
};

}  // namespace cal
