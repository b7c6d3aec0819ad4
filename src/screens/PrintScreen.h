#pragma once
// The small print screen of a record card (TfrmStampa...): Stampa
// prints the card of what the archive screen shows and closes; Annulla closes. The same shape
// serves other one-command screens (a card written to a document) with their own text and caption.
#include <QDialog>

#include <functional>

namespace cal {

class PrintScreen : public QDialog {
    Q_OBJECT
public:
    // `print` runs on btnStampa; the screen closes when it returns true.
    PrintScreen(const QString& objectName, const QString& caption, std::function<bool()> print,
                QWidget* parent = nullptr, const QString& text = QStringLiteral("Stampa la scheda visualizzata."),
                const QString& command = QStringLiteral("Stampa"));

private:
    std::function<bool()> print_;
};

}  // namespace cal
