#include "articles/TfrmCreaRTF.h"

#include "articles/ArticleLayout.h"
#include "core/ProgramFolder.h"
#include "core/RtfWriter.h"
#include "core/Text.h"
#include "screens/ArchiveScreen.h"
#include "ui/Regional.h"
#include "ui/Services.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {
namespace {

// The card as the article screen shows it, saved or not; the writer trims each value.
ArticleCard cardOf(const ArchiveScreen& s) {
    using namespace ArticleField;
    return {s.fieldText(Titolo),     s.fieldText(DataPub), s.fieldText(Genere),  s.fieldText(Autore),
            s.fieldText(Testata),    s.fieldText(NumTestata), s.fieldText(Testo), s.fieldText(Sintesi),
            s.fieldText(Valutazione), s.fieldText(Sito),    s.fieldText(Note)};
}

}  // namespace

TfrmCreaRTF::TfrmCreaRTF(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmCreaRTF"));
    applyRegionalSettings();
    setWindowTitle(QStringLiteral(" Esporta scheda in RTF"));
    setModal(true);
    setMinimumWidth(400);
    auto* text = new QLabel(QStringLiteral("Esporta la scheda corrente in un documento in formato RTF."), this);
    auto* stampa = new QPushButton(QStringLiteral("Esporta e stampa"), this);
    stampa->setObjectName(QStringLiteral("btnStampa"));
    stampa->setDefault(true);
    auto* annulla = new QPushButton(QStringLiteral("Annulla"), this);
    annulla->setObjectName(QStringLiteral("btnAnnulla"));
    lblMemory_ = new QLabel(this);
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));
    lblMemory_->hide();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(stampa);
    buttons->addWidget(annulla);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    connect(stampa, &QPushButton::clicked, this, &TfrmCreaRTF::exportCard);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmCreaRTF::setCaller(const QString& keyword, ArchiveScreen* archive) {
    lblMemory_->setText(keyword);
    archive_ = archive;
}

void TfrmCreaRTF::exportCard() {
    // The only caller is the article screen; any other keyword writes nothing.
    if (trimmed(lblMemory_->text()) != QLatin1String("bibliografie") || !archive_) return;
    if (!dialogs().question(kRtfQuestion)) {
        reject();
        return;
    }
    const QString path = programFile(QString::fromLatin1(kArticleCardFile.data(), qsizetype(kArticleCardFile.size())));
    if (!writeArticleCard(path, cardOf(*archive_))) {
        plainMessage(kRtfFailed);
    } else if (dialogs().question(kRtfDone)) {
        shell().open(path);
    }
    accept();
}

void openRtfExport(const QString& keyword, ArchiveScreen& archive) {
    TfrmCreaRTF screen(archive.isVisible() ? &archive : nullptr);
    screen.setCaller(keyword, &archive);
    screens().exec(&screen);
}

}  // namespace cal
