#include "screens/FileExport.h"

#include "core/RecordFile.h"
#include "screens/ArchiveScreen.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

namespace cal {

void exportToChosenFile(const FileExport& e) {
    const QString target = dialogs().chooseNewFile(e.title, e.filter, e.suggestedName);
    if (target.isEmpty()) return;
    bool readFailed = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::optional<ExportCount> count = e.write(target, readFailed);
    QApplication::restoreOverrideCursor();
    if (!count) {
        if (readFailed)
            error(accessFailureMessage());
        else
            error(QStringLiteral("Attenzione: non è stato possibile scrivere il file %1.\n\r\n\r"
                                 "Accertarsi che nella cartella scelta ci sia spazio sufficiente e di possedere i "
                                 "privilegi di scrittura.")
                      .arg(QDir::toNativeSeparators(target)));
        return;
    }
    QString text = QStringLiteral("L'esportazione nel file %1 è terminata con successo.\r\n\r\nSchede esportate: %2.")
                       .arg(QDir::toNativeSeparators(target), QString::number(count->written));
    if (count->skipped > 0)
        text += QStringLiteral("\r\nSchede non esportate: %1 (%2).").arg(QString::number(count->skipped), e.skippedNote);
    if (dialogs().question(text + QStringLiteral("\r\n\r\nSi vuole aprire il file?"))) shell().open(target);
}

void exportArchive(const ArchiveScreen& screen, const FileExport& exportFile) {
    if (QFileInfo(screen.filePath()).size() < screen.layout().size()) {
        information(ArchiveText::kEmpty);
        return;
    }
    exportToChosenFile(exportFile);
}

}  // namespace cal
