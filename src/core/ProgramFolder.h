#pragma once
// The program folder: the folder of the executable, which holds every file of the program.
#include <QString>

namespace cal {

// The folder's path, ending with a separator.
QString programFolder();
// Full path of a file of the program folder.
QString programFile(const QString& name);
// Tests point the program at a folder of their own.
void setProgramFolder(const QString& folder);

}  // namespace cal
