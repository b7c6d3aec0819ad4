#include "app/DataBackup.h"

#include "clients/TfrmCartella.h"
#include "core/Password.h"
#include "core/ProgramFolder.h"
#include "mail/MailSettings.h"
#include "screens/ArchiveDefinition.h"
#include "screens/Catalog.h"
#include "screens/TfrmAllegaCartella.h"
#include "transfers/TransferSettings.h"
#include "ui/Services.h"

#include <QApplication>
#include <QDir>
#include <QLocale>

namespace cal {
namespace {

const QString kFilter = QStringLiteral("Copia di sicurezza (*.zip)");
const QString kUnchanged = QStringLiteral("Nessun file della cartella del programma è stato modificato.");
// How many of the replaced files the question names.
constexpr qsizetype kNamed = 12;

QString native(const QString& path) { return QDir::toNativeSeparators(path); }

// Keeps the wait cursor while a long command runs.
struct Busy {
    Busy() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy() { QApplication::restoreOverrideCursor(); }
    Busy(const Busy&) = delete;
    Busy& operator=(const Busy&) = delete;
};

QString restoreFailure(const BackupRestore& restore, const QString& file) {
    switch (restore.failure()) {
    case BackupRestore::Failure::Unreadable:
        return QStringLiteral("Attenzione: non è stato possibile leggere il file %1.").arg(native(file));
    case BackupRestore::Failure::Foreign:
        return QStringLiteral("Attenzione: il file %1 non è una copia di sicurezza di Calvetra.").arg(native(file));
    case BackupRestore::Failure::Damaged:
        return QStringLiteral("Attenzione: la copia di sicurezza %1 è danneggiata o incompleta e non può essere "
                              "ripristinata.")
            .arg(native(file));
    case BackupRestore::Failure::Unsafe:
        return QStringLiteral("Attenzione: la copia di sicurezza %1 contiene un elemento che non appartiene ai dati "
                              "di Calvetra (%2) e non può essere ripristinata.")
            .arg(native(file), restore.entry());
    case BackupRestore::Failure::Write:
    case BackupRestore::Failure::None: break;
    }
    return QStringLiteral("Attenzione: non è stato possibile preparare il ripristino nella cartella del programma.\n\r\n\r"
                          "Accertarsi che sul disco ci sia spazio sufficiente e di possedere i privilegi di scrittura "
                          "nella cartella del programma.");
}

QString restoreQuestion(const BackupRestore& restore) {
    const QDateTime taken = restore.taken();
    QString text = QStringLiteral("Ripristinare la copia di sicurezza del %1 alle ore %2?\r\n\r\n"
                                  "La copia contiene %3 file.")
                       .arg(taken.toString(QStringLiteral("dd/MM/yyyy")), taken.toString(QStringLiteral("HH:mm")),
                            QString::number(restore.files()));
    const QStringList replaced = restore.replaced();
    if (replaced.isEmpty()) {
        text += QStringLiteral(" Nessun file della cartella del programma sarà sostituito.");
    } else {
        QStringList named = replaced.mid(0, kNamed);
        for (QString& name : named) name = native(name);
        text += QStringLiteral(" Saranno sostituiti con quelli della copia %1 file della cartella del programma: %2")
                    .arg(QString::number(replaced.size()), named.join(QStringLiteral(", ")));
        text += replaced.size() > kNamed ? QStringLiteral(" e altri %1.").arg(replaced.size() - kNamed) : QStringLiteral(".");
        if (replaced.contains(kPasswordFile))
            text += QStringLiteral("\r\n\r\nLa password di accesso tornerà quella in uso al momento della copia.");
    }
    return text + QStringLiteral("\r\n\r\nI file che la copia non contiene restano come sono.");
}

}  // namespace

DataFileRule programDataRule() {
    DataFileRule rule;
    for (const ArchiveModule* module : archiveModules()) {
        const std::string_view name = module->archive->layout->fileName;
        const QString file = QString::fromLatin1(name.data(), qsizetype(name.size()));
        QStringList& list = file.startsWith(u'.') ? rule.yearExtensions : rule.recordFiles;
        if (!list.contains(file)) list << file;
    }
    rule.files = {kPasswordFile, kMailSettingsFile, kTransferSettingsFile};
    rule.folders = {kAttachmentsFolderName};
    rule.numberedFolders = {kClientFolderPrefix};
    return rule;
}

void backupProgramData() {
    const QDateTime now = QDateTime::currentDateTime();
    const QString target = dialogs().chooseNewFile(
        QStringLiteral("Salva la copia di sicurezza dei dati"), kFilter,
        QStringLiteral("Calvetra_copia_%1.zip").arg(now.toString(QStringLiteral("yyyy-MM-dd_HH-mm"))));
    if (target.isEmpty()) return;
    BackupOutcome outcome;
    {
        const Busy busy;
        outcome = writeBackup(programFolder(), programDataRule(), target, now);
    }
    if (outcome.insideFolder) {
        warning(QStringLiteral("Attenzione: la copia di sicurezza non può essere salvata nella cartella del programma, "
                               "che contiene i dati da proteggere.\n\r\n\rScegliere un'altra cartella, per esempio su "
                               "una chiavetta USB, su un disco esterno o in una cartella di rete."));
        return;
    }
    if (!outcome.unreadable.isEmpty()) {
        error(QStringLiteral("Attenzione: non è stato possibile leggere %1 nella cartella del programma.\n\r\n\r"
                             "La copia di sicurezza non è stata creata.")
                  .arg(native(outcome.unreadable)));
        return;
    }
    if (!outcome.ok) {
        error(QStringLiteral("Attenzione: non è stato possibile scrivere la copia di sicurezza nel file %1.\n\r\n\r"
                             "Accertarsi che nella cartella scelta ci sia spazio sufficiente e di possedere i "
                             "privilegi di scrittura. La copia di sicurezza non è stata creata.")
                  .arg(native(target)));
        return;
    }
    QString text = QStringLiteral("La copia di sicurezza è stata salvata nel file %1.\r\n\r\nFile copiati: %2 (%3).")
                       .arg(native(target), QString::number(outcome.files), QLocale().formattedDataSize(outcome.bytes));
    if (!outcome.skipped.isEmpty()) {
        QStringList names = outcome.skipped;
        for (QString& name : names) name = native(name);
        text += QStringLiteral("\r\n\r\nNon sono stati copiati, perché non sono né file né cartelle: %1.")
                    .arg(names.join(QStringLiteral(", ")));
    }
    information(text);
}

void restoreProgramData() {
    const QString file =
        dialogs().chooseFile(QStringLiteral("Selezionare la copia di sicurezza da ripristinare:"), kFilter);
    if (file.isEmpty()) return;
    BackupRestore restore(programFolder(), programDataRule());
    bool prepared;
    {
        const Busy busy;
        prepared = restore.prepare(file);
    }
    if (!prepared) {
        error(restoreFailure(restore, file) + QStringLiteral("\n\r\n\r") + kUnchanged);
        return;
    }
    if (!dialogs().question(restoreQuestion(restore))) return;
    bool done;
    {
        const Busy busy;
        done = restore.commit();
    }
    if (!done) {
        error(restore.rolledBack()
                  ? QStringLiteral("Attenzione: il ripristino non è riuscito e i dati della cartella del programma sono "
                                   "stati riportati com'erano.\n\r\n\rAccertarsi che sul disco ci sia spazio sufficiente "
                                   "e di possedere i privilegi di scrittura nella cartella del programma.")
                  : QStringLiteral("Attenzione: il ripristino non è riuscito e non è stato possibile riportare tutti i "
                                   "dati com'erano.\n\r\n\rI file sostituiti sono conservati nella cartella %1: non "
                                   "cancellarla e rivolgersi all'assistenza.")
                        .arg(native(restore.asideFolder())));
        return;
    }
    information(QStringLiteral("Il ripristino della copia di sicurezza del %1 è terminato con successo.\r\n\r\n"
                               "File ripristinati: %2.")
                    .arg(restore.taken().toString(QStringLiteral("dd/MM/yyyy")), QString::number(restore.files())));
}

}  // namespace cal
