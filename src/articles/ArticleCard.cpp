#include "articles/ArticleCard.h"

#include "core/RtfWriter.h"
#include "core/SafeWrite.h"

namespace cal {
namespace {

constexpr std::string_view kStart =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1040"
    "{\\fonttbl{\\f0\\fnil\\fcharset0 Verdana;}{\\f1\\fnil Verdana;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;}"
    "\\viewkind4\\uc1\\pard\\qc\\cf1\\b\\f0\\fs24 SCHEDA ARTICOLO\\f1\\fs16"
    "\\par \\fs24 ________________________________________________"
    "\\par";

// Each field's paragraph: the bold label before the value and what closes it. The first
// one also ends the centred paragraph formatting of the title.
struct Row {
    std::string_view lead;
    QString ArticleCard::*field;
    std::string_view tail = "\\par";
};
constexpr std::string_view kValueStart = "\\b0\\f1  \\f0 ";
const Row kRows[] = {
    {"\\par \\pard\\f0\\fs20 Titolo articolo:", &ArticleCard::txtTitolo},
    {"\\par \\b Data pubblicazione:", &ArticleCard::txtDataPub},
    {"\\par \\b Genere:", &ArticleCard::txtGenere},
    {"\\par \\b Nome autore:", &ArticleCard::txtAutore},
    {"\\par \\b Nome testata:", &ArticleCard::txtTestata},
    {"\\par \\b Numero testata:", &ArticleCard::txtNumTestata},
    {"\\par \\b Testo articolo:", &ArticleCard::txtTesto},
    {"\\par \\b Sintesi:", &ArticleCard::txtSintesi},
    {"\\par \\b Valutazione:", &ArticleCard::txtValutazione},
    {"\\par \\b Link:", &ArticleCard::txtSito},
    {"\\par \\b Note:", &ArticleCard::txtNote, "\\b\\par"},
};

void append(QByteArray& out, std::string_view text) { out.append(text.data(), qsizetype(text.size())); }

}  // namespace

QByteArray articleCardRtf(const ArticleCard& card) {
    QByteArray out;
    out.reserve(1024 + card.txtTesto.size());
    append(out, kStart);
    for (const Row& row : kRows) {
        append(out, row.lead);
        append(out, kValueStart);
        out.append(rtfText(card.*row.field));
        append(out, row.tail);
    }
    out.append("\\par }");
    return out;
}

bool writeArticleCard(const QString& path, const ArticleCard& card, QString* error) {
    return writeFileWhole(path, articleCardRtf(card), error);
}

}  // namespace cal
