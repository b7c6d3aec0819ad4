#pragma once
// The program folder: the folder of the executable, which holds every file of the program.
//
// An installed copy is the exception: its executable's folder belongs to the system and its
// users cannot write there. The installation marks that folder with the file
// "Calvetra.installato"; a program started from a marked folder keeps its program folder in
// the user's data folder (~/.local/share/Calvetra), set up at the first start with a copy of
// the files the installation provides (the password file with the initial password, the
// manual, the reminder sound). A folder without the mark, copied anywhere, is its own program
// folder.
#include <QString>
#include <QStringList>

#include <optional>

namespace cal {

// The folder's path, ending with a separator.
QString programFolder();
// Full path of a file of the program folder.
QString programFile(const QString& name);
// Tests point the program at a folder of their own.
void setProgramFolder(const QString& folder);

// The file that marks an installed, read-only copy of the program.
inline const QString kInstalledMark = QStringLiteral("Calvetra.installato");
// The files an installation provides that a user's program folder starts with.
QStringList installedFiles();

// The program folder of an executable in `executableFolder`: that folder itself, unless it
// carries the installation's mark; then `userFolder`, which is set up when it does not exist
// yet by copying the installed files that are present into a new folder that takes its name
// only once every file is in it. An existing user folder is used as it is: a file the user
// deleted there is not brought back. nullopt, with the cause in `error`, when the set-up fails.
std::optional<QString> resolveProgramFolder(const QString& executableFolder, const QString& userFolder,
                                            QString* error = nullptr);

// At start: the program folder of the running executable (the user folder being
// ~/.local/share/Calvetra for an installed copy), kept for programFolder(). False, with the
// cause in `error`, when an installed copy's folder cannot be set up.
bool prepareProgramFolder(QString* error = nullptr);

}  // namespace cal
