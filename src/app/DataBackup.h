#pragma once
// The launcher's "Copia di sicurezza" and "Ripristina": every data file of the program folder
// into one dated zip file that the user places, and back.
#include "core/Backup.h"

namespace cal {

// The program folder's data: the record files of every registered archive, the settings and the
// password file, the attachments folder and the clients' folders.
DataFileRule programDataRule();

// Asks where to place the copy, writes it and tells the outcome.
void backupProgramData();
// Asks for a copy, reads and checks it, asks whether to restore it (naming its date and the files
// it replaces), restores it and tells the outcome.
void restoreProgramData();

}  // namespace cal
