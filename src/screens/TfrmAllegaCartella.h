#pragma once
// Attached files: the shared attachments folder "Documenti_Allegati" of the program folder,
// attaching a file (chooser, overwrite question, copy), opening an attachment, the main
// document slot of an archive screen, and the "Allega file" screen with its three slots.
//
// A record stores only file names. A stored name is never trusted as a path: it is reduced to
// its last component before a path is built from it, so whatever a record holds, the program
// reads, creates or replaces files only inside the attachments folder.
#include <QDialog>
#include <QString>

#include <array>
#include <optional>

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace cal {

// The name of the attachments folder in the program folder.
inline const QString kAttachmentsFolderName = QStringLiteral("Documenti_Allegati");
// The attachments folder, ending with a separator.
QString attachmentsFolder();
// The file-name component of a stored or chosen name (trimmed, without any folder), as the
// record's field gives it back: characters outside Windows-1252 become '?' and the name is
// cut to the field's 250 bytes. A copy is made under exactly this name, so a stored name
// always finds its file. nullopt when nothing usable is left ("", "." or "..").
std::optional<QString> attachmentFileName(const QString& name);
// The full path of an attachment inside the attachments folder; nullopt as above.
std::optional<QString> attachmentPath(const QString& storedName);

// Copies `source` over `target` through a temporary file of the target's folder that is renamed
// over the target only once the whole copy is on the disk: a failure (a full disk included)
// returns false and leaves any existing target as it was and no temporary file behind.
bool copyReplacing(const QString& source, const QString& target);

// Attaching a file: the chooser; on a choice, its name (no folder) goes into `nameField` and the
// file is copied into the attachments folder, replacing a file of that name only after a Yes to
// the overwrite question. Returns false when the user cancelled the chooser (nothing changed).
// Folder-creation and copy failures are silent: the name stays in the field.
bool attachFile(QLineEdit* nameField);
// Hands the attachment of that stored name to the shell; nothing for an unusable name.
void openAttachment(const QString& storedName);

// Wires the main document slot of an archive screen: `btnSfoglia` attaches into `txtCopia`,
// `btnApri` opens it and is enabled exactly while the trimmed `txtCopia` is not empty, `clear`
// empties `txtCopia` (the copy stays in the folder). `txtCopia` is made read-only.
void bindMainDocumentSlot(QLineEdit* txtCopia, QAbstractButton* btnSfoglia, QAbstractButton* btnApri,
                          QAbstractButton* clear);

// The six values the screen edits: names and descriptions of the three further files.
struct AttachmentSlots {
    std::array<QString, 3> files;
    std::array<QString, 3> descriptions;
};

// The callers' modes: the keyword of every archive with further attachments; compared exactly.
bool isAttachmentMode(const QString& keyword);

class TfrmAllegaCartella : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAllegaCartella(QWidget* parent = nullptr);

    // `lblMemory`: the calling archive's mode.
    void setMode(const QString& keyword);
    QString mode() const;
    // Fills the six fields, each trimmed.
    void setSlots(const AttachmentSlots& values);
    // The six fields, each trimmed.
    AttachmentSlots slotValues() const;

    // "Applica e chiudi": with a known mode, accepts (the caller takes the values back);
    // with any other mode, nothing happens and the screen stays open.
    void apply();

private:
    QLabel* lblMemory_;
    std::array<QLineEdit*, 3> txtFile_{};
    std::array<QLineEdit*, 3> txtDesc_{};
};

// Opens the screen modally in `keyword`'s mode with `values`; true when the user applied, and
// then `values` holds what the screen hands back.
bool openAttachments(const QString& keyword, AttachmentSlots& values, QWidget* parent = nullptr);
// The calling protocol of an archive screen: fills the screen from its hidden labels
// `lblFile01`..`lblFile03`, `lblDesc01`..`lblDesc03` (trimmed) and writes the values back into
// them when the user applies. True when applied.
bool openAttachmentsOf(QWidget* archiveScreen, const QString& keyword);

}  // namespace cal
