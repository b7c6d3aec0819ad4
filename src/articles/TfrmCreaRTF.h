#pragma once
// The RTF export screen: writes the card shown on the article screen into
// "Scheda_Articolo.rtf" in the program folder and offers to open it.
#include "screens/PrintScreen.h"

#include <QPointer>

class QLabel;

namespace cal {

class ArchiveScreen;

class TfrmCreaRTF : public PrintScreen {
    Q_OBJECT
public:
    explicit TfrmCreaRTF(QWidget* parent = nullptr);

    // The caller keyword (`lblMemory`) and the article screen whose card is written.
    void setCaller(const QString& keyword, ArchiveScreen* archive);
    // "Esporta e stampa": asks, writes the document, offers to open it, closes.
    void exportCard();

private:
    QLabel* lblMemory_;
    QPointer<ArchiveScreen> archive_;
};

// Opens the RTF export screen modally for the card on `archive`.
void openRtfExport(const QString& keyword, ArchiveScreen& archive);

inline const QString kRtfQuestion = QStringLiteral(
    "Questa procedura esporterà la scheda corrente in un documento in formato RTF.\r\n\r\nSi conferma la creazione "
    "del file?");
inline const QString kRtfDone =
    QStringLiteral("Il file RTF è stato creato con successo.\r\n\r\nSi vuole aprire il documento?");
inline const QString kRtfFailed = QStringLiteral(
    "Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi che il documento non sia già aperto.");

}  // namespace cal
