#pragma once
// Writing records into a file that the user places, for another program to import (an address
// book, a calendar): the chooser of the new file, the writing, and what the user is told.
#include <QString>

#include <functional>
#include <optional>

namespace cal {

class ArchiveScreen;

struct ExportCount {
    qint64 written = 0;
    qint64 skipped = 0;  // records left out (the archive says why in `skippedNote`)
};

struct FileExport {
    QString title = {};          // the chooser's title
    QString filter = {};         // its filter ("Rubrica vCard (*.vcf)")
    QString suggestedName = {};  // "Nome.vcf"
    QString skippedNote = {};    // why records were left out, after their number
    // Writes the file; nullopt when it failed, `readFailed` telling whether the records could not
    // be read (the access failure) or the file could not be written.
    std::function<std::optional<ExportCount>(const QString& target, bool& readFailed)> write = {};
};

// Asks where to write, writes, and tells the outcome: the access failure, the writing failure,
// or the number of records written with the offer to open the file. Nothing when the user
// cancels the chooser.
void exportToChosenFile(const FileExport& exportFile);
// The same for the whole archive of an archive screen; an archive without records gets the
// empty-archive message instead.
void exportArchive(const ArchiveScreen& screen, const FileExport& exportFile);

}  // namespace cal
