#pragma once
// The launcher: the ten archives and the help, information, about, web and exit commands.
#include <QMainWindow>

#include <functional>

class QPushButton;

namespace cal {

class TfrmAvvio : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmAvvio(QWidget* parent = nullptr);

    // Connects an entry ("Clienti", "Tariffario", ...) to what it opens. An entry left without
    // an action stays visible but disabled, its archive being in preparation.
    void setEntry(const QString& entry, std::function<void()> open);

signals:
    void exitRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
};

inline const QString kProductWebAddress = QStringLiteral("https://www.calvetra.it");

}  // namespace cal
