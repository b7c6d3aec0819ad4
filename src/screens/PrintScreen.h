#pragma once
// The small print screen of a record card (TfrmStampaTariffa, TfrmStampaServizio...): Stampa
// prints the card of what the archive screen shows and closes; Annulla closes.
#include <QDialog>

#include <functional>

namespace cal {

class PrintScreen : public QDialog {
    Q_OBJECT
public:
    PrintScreen(const QString& objectName, const QString& caption, std::function<void()> print,
                QWidget* parent = nullptr);

private:
    std::function<void()> print_;
};

}  // namespace cal
