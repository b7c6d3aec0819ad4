#include "articles/TfrmCreaRTF.h"

#include "articles/ArticleLayout.h"
#include "core/ProgramFolder.h"
#include "articles/ArticleCard.h"
#include "core/Text.h"
#include "screens/ArchiveScreen.h"
#include "ui/Services.h"

#include <QLabel>

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

TfrmCreaRTF::TfrmCreaRTF(QWidget* parent)
    : PrintScreen(QStringLiteral("TfrmCreaRTF"), QStringLiteral(" Esporta scheda in RTF"),
                  [this] {
                      exportCard();  // closes the screen itself when it has done its work
                      return false;
                  },
                  parent, QStringLiteral("Esporta la scheda corrente in un documento in formato RTF."),
                  QStringLiteral("Esporta e stampa")) {
    setMinimumWidth(400);
    lblMemory_ = new QLabel(this);
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));
    lblMemory_->hide();
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
