#pragma once
// The associated folder of a client: the folder "Cliente_" + the record's position in the
// program folder, created the first time it is opened. Nothing about it is stored in the
// record; the position, which never changes, identifies it.
#include <QDialog>
#include <QString>

#include <optional>

class QLabel;

namespace cal {

// The folders of the clients are named by this and the position.
inline const QString kClientFolderPrefix = QStringLiteral("Cliente_");
// The folder of the client at `position` (1-based), without a trailing separator;
// nullopt for a position below 1.
std::optional<QString> clientFolder(qint64 position);

class TfrmCartella : public QDialog {
    Q_OBJECT
public:
    explicit TfrmCartella(QWidget* parent = nullptr);

    // `lblMemory`: the client's position.
    void setPosition(qint64 position);
    QString memory() const;

    // "Apri cartella": creates the folder when missing, hands it to the shell and closes.
    void openFolder();

private:
    QLabel* lblCartella_ = nullptr;
    QLabel* lblMemory_;
};

// Opens the folder screen of the client at `position`; nothing for a position below 1.
void openClientFolderScreen(qint64 position);

}  // namespace cal
