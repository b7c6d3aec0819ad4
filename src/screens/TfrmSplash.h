#pragma once
// About screen: the product, its version and its web address.
#include <QDialog>

class QPushButton;

namespace cal {

class LinkLabel;

inline constexpr char kWebAddress[] = "https://www.calvetra.it";

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
