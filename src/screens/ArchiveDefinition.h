#pragma once
// An archive described as data: what its screen shows, in which order, with which typing rules
// and side buttons; its commands; its save checks; what New and Duplicate set; its card. The
// generic archive screen builds itself from one such description, so an archive folder holds
// tables and only the behaviour no table can say.
#include "core/RecordLayout.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace cal {

class ArchiveScreen;

// The control a record field is edited with.
enum class Control {
    Line,          // one-line edit limited to the field's capacity
    List,          // drop-down from a fixed list that accepts no typing
    EditableList,  // drop-down whose text can also be typed (provinces)
    Check,         // check box stored as "Sì" / "No"; the row's label is its text
    Options,       // option buttons stored in one field as the chosen option's text
    Text,          // multi-line text limited to the bytes the field stores
    PickedDate,    // date filled only from the date picker (Backspace and Delete empty it)
    Amount2,       // amount normalised to two decimals when the field is left
    Amount4,       // amount normalised to two to four decimals when the field is left
    ReadOnly,      // shown, never typed into
};

// What happens to the text while it is typed.
enum class Typing {
    Free,
    Upper,      // a-z to A-Z
    UpperTrim,  // a-z to A-Z and trimmed (codes: fiscal code, IBAN)
    Trim,       // trimmed (e-mail addresses)
    Digits,     // only 0-9 and the editing keys
};

// The buttons that can sit beside a field.
enum class Side {
    FiscalCode,      // the fiscal code button: VAT check for digits, fiscal code check otherwise
    VatNumber,       // the VAT number check
    Iban,            // the IBAN check
    Card,            // the payment card check
    Email,           // opens a message to the address
    Web,             // opens the address in the browser
    Today,           // puts today's date into the field
    Import,          // opens a search screen as a picker with a caller keyword
    DocumentChoose,  // main document slot: choose and copy a file
    DocumentOpen,    // main document slot: open the file (enabled while the field is not blank)
    DocumentClear,   // main document slot: empty the field (the copy stays)
    Custom,          // `action`
};

struct SideButton {
    Side kind;
    const char* objectName;
    const char* hint;
    const char* caption = nullptr;  // by kind when not given
    const char* search = nullptr;   // Import: the search screen's object name
    const char* keyword = nullptr;  // Import: its caller keyword
    std::function<void(ArchiveScreen&)> action = {};
    // Email and Web: with the field blank, this warning instead, the field's New value put
    // back and the focus in the field. None: the blank address is handed over.
    const char* blankWarning = nullptr;
};

// One option of an option group: the button's object name, caption and the stored text.
struct Choice {
    const char* objectName;
    const char* caption;
    const char* stored;
};

struct FieldRow {
    int field;
    const char* label;  // UTF-8: the label's text, the buddy's accessible name
    Control control = Control::Line;
    Typing typing = Typing::Free;
    std::vector<SideButton> buttons = {};
    QStringList items = {};            // List and EditableList
    std::vector<Choice> choices = {};  // Options
    const char* dateKeyword = nullptr; // PickedDate: the date picker's caller keyword
    const char* hint = nullptr;        // Check and PickedDate: the status-line hint
};

struct FieldGroup {
    const char* title;  // nullptr: the rows stand without a frame
    std::vector<FieldRow> rows;
};

// The commands of the toolbars. Each kind has its object name, caption and picture; a command
// may give others. A custom command gives its own picture.
enum class Cmd {
    New, Duplicate, Save,
    Find,        // the archive's search screen (`target`) with the archive's own keyword
    Navigation,  // first, previous, position, next, last
    Break,       // a second row of commands
    Attachments, // the attachment screen in the archive's mode
    Preview, Print, Pdf,  // the card
    List,        // a list screen (`target`) with the own keyword
    Export,      // the export screen `target`
    Help,        // the help topic `target`
    Exit,
    Custom,      // `action`
};

struct Command {
    Cmd kind;
    const char* hint = nullptr;
    const char* target = nullptr;
    const char* objectName = nullptr;
    const char* caption = nullptr;
    std::function<void(ArchiveScreen&)> action = {};
    const char* picture = nullptr;  // the name of its picture in the program's set (ui/Icons.h); by kind when none
    const char* keys = nullptr;  // its shortcut ("Ctrl+R"), for commands without one by kind
};

// A check made by Save, in order; the first that fails shows its warning and puts the focus
// into its field. Without `passes` the field is required: its trimmed text must not be empty.
struct SaveCheck {
    int field;
    QString message;
    std::function<bool(const QString& text)> passes = {};
};
SaveCheck required(int field, const char* message);
// A whole number from `low` to `high`.
SaveCheck numberInRange(int field, int low, int high, const char* message);
// One of `members` exactly.
SaveCheck memberOf(int field, QStringList members, const char* message);
// A valid "dd/mm/yyyy" date.
SaveCheck validDate(int field, const char* message);

// What New (and every showing) or Duplicate puts into a field.
enum class Preset { Empty, ZeroAmount, Today, Text };
struct FieldPreset {
    int field;
    Preset value;
    const char* text = nullptr;  // Text: the UTF-8 text put into the field
};

// Enter in `from` moves the focus to `to`.
struct EnterMove {
    int from;
    int to;
};

enum class CardKind { None, CaptionValue, FixedCaption };
enum class CardUse { Print, Pdf };
// A card row. Fixed-caption cards: `field` names the report's value field and, by default, the
// screen field it is filled from. Caption-and-value cards: rows fill titCampo01.. and txtCampo01..
// in order. `value` joins fields where a row shows more than one.
struct CardRow {
    const char* field;
    const char* caption;
    std::function<QString(const ArchiveScreen&)> value = {};
    const char* pdfCaption = nullptr;
};
struct CardDefinition {
    CardKind kind = CardKind::None;
    const char* title = nullptr;
    const char* pdfTitle = nullptr;      // the PDF card's title, when it differs
    std::vector<CardRow> rows = {};
    const char* printScreen = nullptr;   // the small print screen (TfrmStampa...); none: printed at once
    const char* printCaption = nullptr;
    const char* pdfFile = nullptr;       // "Contatto.pdf"
};

// The kind of message an access failure is shown with.
enum class FailureKind { Error, Warning, Plain };

// Fields that New and every showing keep as they are (the user's own side of a record), and
// where they are kept between sessions: `load` fills them each time the screen is shown (nullopt:
// they open empty), `store` is handed their trimmed texts, in `fields` order, when the screen
// closes, with what `load` gave when it was shown (so that it changes only what the user changed).
struct KeptFields {
    std::vector<int> fields = {};
    std::function<std::optional<QStringList>()> load = {};
    std::function<bool(const QStringList& values, const std::optional<QStringList>& asRead)> store = {};
    const char* storeFailure = nullptr;  // UTF-8: the message shown when `store` fails
    FailureKind storeFailureKind = FailureKind::Error;
};

// How the field that has the focus is marked.
enum class FocusLook { Frame, Background };

// Hints most archives give their commands and buttons in the same words.
namespace Hint {
inline constexpr const char* kNew = "Prepara la schermata per l'inserimento di una nuova scheda.";
inline constexpr const char* kDuplicate =
    "Prepara la schermata per l'inserimento di una nuova scheda duplicando i dati correnti.";
inline constexpr const char* kSave = "Salva la scheda corrente in archivio.";
inline constexpr const char* kFind = "Trova una scheda in archivio.";
inline constexpr const char* kAttach = "Allega file alla scheda corrente.";
inline constexpr const char* kPrint = "Stampa la scheda corrente.";
inline constexpr const char* kExport = "Esporta le schede in archivio in un file di Microsoft Excel.";
inline constexpr const char* kHelp = "Visualizza la guida in linea.";
inline constexpr const char* kExit = "Esci da questa schermata di lavoro.";
}  // namespace Hint

// The buttons of a main document slot: choose, open, and the one that empties the field.
std::vector<SideButton> documentSlot(const char* clearName = "imgCancella01",
                                     const char* clearHint = "Cancella il file allegato alla scheda corrente.");

struct ArchiveDefinition {
    const char* objectName;  // Tfrm...
    const RecordLayout* layout;
    const char* caption;
    const char* keyword;     // the own keyword of its search and the attachment mode
    std::vector<FieldGroup> groups;
    std::vector<Command> commands;
    std::vector<SaveCheck> checks = {};
    std::vector<FieldPreset> onClear = {};
    std::vector<FieldPreset> onDuplicate = {};  // besides the attachments, always emptied
    std::vector<int> enterChain = {};           // empty: the rows' order
    // Where Enter moves, instead of a chain, for screens whose Enter does not walk a loop; a
    // field that is no `from` keeps its own Enter (a multi-line text starts a new line).
    std::vector<EnterMove> enterMoves = {};
    int firstField = -1;                        // -1: the first row
    int columns = 2;                            // groups per row of the record area
    CardDefinition card = {};
    FocusLook focusLook = FocusLook::Frame;
    int duplicateFocus = -1;                    // the field Duplicate puts the focus in; -1: the first field
    FailureKind duplicateFailure = FailureKind::Error;  // Duplicate's access failure
    FailureKind saveFailure = FailureKind::Error;       // Save's access failure
    // Run by Save after the checks have passed and before anything is written: composes the
    // fields built from others and makes the checks that need them. False ends the save; it has
    // then shown its own message and put the focus where it belongs.
    std::function<bool(ArchiveScreen&)> beforeSave = {};
    // Save first leaves the field being edited, so that what leaving it does (normalising an
    // amount still being typed) comes before the checks and the record.
    bool saveLeavesField = false;
    KeptFields kept = {};
    // UTF-8: the information Save shows after adding a new record; nullptr: "La scheda corrente
    // è stata inserita in archivio."
    const char* insertedMessage = nullptr;
    // The first of the further attachments' six fields (three file names, then their three
    // descriptions, one after another), which the attachment screen edits and Duplicate empties;
    // -1 for an archive without them.
    int attachments = -1;
};

}  // namespace cal
