#pragma once
// The injectable services every screen goes through for what leaves the screen: modal
// messages and questions, file choosers, modal screens, the shell, the printer. The program
// installs the real ones at start; tests install recording ones and script the answers.
#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;

namespace cal {

class Report;

class Dialogs {
public:
    // Information, warning and error carry OK and Cancel (the button makes no difference);
    // Plain carries only OK.
    enum class Kind { Information, Warning, Error, Plain };
    virtual void message(Kind kind, const QString& text) = 0;
    // Yes and No; true unless the answer is No.
    virtual bool question(const QString& text) = 0;
    // A question answered by one of the `buttons`, given in order: the index of the button
    // pressed. The last one cancels: it is the default, and Escape and the close box press it.
    virtual int choose(const QString& text, const QStringList& buttons) = 0;
    // An existing file's full path, or empty when the user cancels.
    virtual QString chooseFile(const QString& title, const QString& filter) = 0;
    // Where to write a new file (a backup, an address book, a calendar), starting from
    // `suggestedName` in the user's documents folder; the full path, or empty when the user
    // cancels. Replacing an existing file has been confirmed. A service that cannot ask places
    // nothing.
    virtual QString chooseNewFile(const QString& /*title*/, const QString& /*filter*/,
                                  const QString& /*suggestedName*/) {
        return {};
    }
    virtual ~Dialogs() = default;
};

// Runs a modal screen created for one use and returns its result code.
class Screens {
public:
    virtual int exec(QDialog* screen) = 0;
    virtual ~Screens() = default;
};

// Opens a file, a folder, a "mailto:" or a web address with the program the system
// associates with it. False when the system found nothing to open it with; most callers
// ignore the result.
class Shell {
public:
    virtual bool open(const QString& target) = 0;
    virtual ~Shell() = default;
};

// The report engine's outputs that involve the user or the printer.
class Printing {
public:
    // Asks for a printer and prints; a cancelled dialog or a missing printer prints nothing.
    virtual void print(const Report& report) = 0;
    // The modal preview window, with print, zoom, full screen and close.
    virtual void preview(const Report& report) = 0;
    virtual ~Printing() = default;
};

// Plays a short sound file once (an alarm). A file that is missing or cannot be
// decoded plays nothing and says nothing.
class Sound {
public:
    virtual void play(const QString& path) = 0;
    // Stops the sound being played, if any.
    virtual void stop() = 0;
    virtual ~Sound() = default;
};

struct Services {
    Dialogs* dialogs = nullptr;
    Screens* screens = nullptr;
    Shell* shell = nullptr;
    Printing* printing = nullptr;
    // Silence until the program installs its media player.
    Sound* sound = nullptr;
};

// The services in force; the real ones unless a test installed others.
Services& services();
inline Dialogs& dialogs() { return *services().dialogs; }
inline Screens& screens() { return *services().screens; }
inline Shell& shell() { return *services().shell; }
inline Printing& printing() { return *services().printing; }
// The sound service, or silence when none is installed.
Sound& sound();

// Shorthands for the message kinds.
inline void information(const QString& text) { dialogs().message(Dialogs::Kind::Information, text); }
inline void warning(const QString& text) { dialogs().message(Dialogs::Kind::Warning, text); }
inline void error(const QString& text) { dialogs().message(Dialogs::Kind::Error, text); }
inline void plainMessage(const QString& text) { dialogs().message(Dialogs::Kind::Plain, text); }

// Prints through a printer the caller set up; false when the printer cannot be started
// (QPainter::begin fails, as with no printer installed).
bool printReport(const Report& report, QPrinter& printer);

}  // namespace cal
