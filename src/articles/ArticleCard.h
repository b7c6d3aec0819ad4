#pragma once
// The article card as a rich-text document ("Scheda_Articolo.rtf"): a centred bold title,
// a rule, and the ten fields of the card as labelled paragraphs, in Windows-1252 on one line.
#include <QByteArray>
#include <QString>

#include <string_view>

namespace cal {

inline constexpr std::string_view kArticleCardFile = "Scheda_Articolo.rtf";

// The fields of the article screen as shown there (saved or not); the writer trims them.
struct ArticleCard {
    QString txtTitolo;
    QString txtDataPub;
    QString txtGenere;
    QString txtAutore;
    QString txtTestata;
    QString txtNumTestata;
    QString txtTesto;
    QString txtSintesi;
    QString txtValutazione;
    QString txtSito;
    QString txtNote;
};

// The bytes of the whole document.
QByteArray articleCardRtf(const ArticleCard& card);

// Writes the document to `path` through a temporary file in the same folder that replaces
// the old file only once it is all on the disk (core/SafeWrite.h): on failure the previous
// file is left as it was and no partial file remains. False when anything fails, a full disk
// included, with the cause in `error` when given.
bool writeArticleCard(const QString& path, const ArticleCard& card, QString* error = nullptr);

}  // namespace cal
