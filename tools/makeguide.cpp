// makeguide: writes the program's manual "Guida.pdf" from the help topic files, so that the
// manual and the help screen always tell the same thing.
//
//   makeguide <help folder> <output pdf> [cover picture png]
//
// The help folder holds index.txt ("file<TAB>title" lines, '#' starts a comment) and one UTF-8
// text file per topic, paragraphs separated by empty lines, "## " opening a heading line. The
// manual has a title page, a table of contents of the topics, then each topic on a new page
// under its title, its sections under their headings; every page but the title page carries a
// footer with its number. The outline lists the topics and, under each, its sections. Helvetica with WinAnsiEncoding (Windows-1252 bytes),
// no compression, so the text stays readable in the file.
#include "core/Codepage.h"
#include "core/HelpText.h"

#include <hpdf.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const char kTitle[] = "Calvetra 4.0 - Guida all'utilizzo del software";
const char kDocumentTitle[] = "Guida all'utilizzo del software";

// A4 in points and the text frame.
constexpr float kPageWidth = 595.276f;
constexpr float kPageHeight = 841.89f;
constexpr float kLeft = 62;
constexpr float kRight = kPageWidth - 62;
constexpr float kTop = kPageHeight - 72;
constexpr float kBottom = 78;
constexpr float kFooterY = 44;

constexpr float kBodySize = 11;
constexpr float kBodyLeading = 15;
constexpr float kParagraphGap = 7;
constexpr float kHeadingSize = 15;  // topic titles
constexpr float kHeadingLeading = 20;
constexpr float kHeadingGap = 10;
constexpr float kSectionSize = 12.5f;  // section headings within a topic
constexpr float kSectionLeading = 16;
constexpr float kSectionGapAbove = 9;  // besides the paragraph gap before it
constexpr float kSectionGapBelow = 3;
constexpr float kTocSize = 11.5f;
constexpr float kTocLeading = 19;

// Where a heading was placed: 0-based page and the top of its first line.
struct Place {
    int page = 0;
    float top = 0;
};

struct Section {
    QString heading;
    Place place;
};

struct Topic {
    QString title;
    QList<cal::HelpBlock> blocks;
    int page = 0;  // 0-based page where the topic starts
    std::vector<Section> sections;
};

// One piece of text placed on a page.
struct Text {
    bool bold;
    float size;
    float x;
    float y;
    QByteArray bytes;  // Windows-1252
};

struct Page {
    std::vector<Text> texts;
};

bool failed = false;

void onError(HPDF_STATUS error, HPDF_STATUS detail, void*) {
    std::fprintf(stderr, "makeguide: PDF error 0x%04X (detail %u)\n", static_cast<unsigned>(error),
                 static_cast<unsigned>(detail));
    failed = true;
}

bool readText(const QString& path, QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "makeguide: cannot read %s\n", qPrintable(path));
        return false;
    }
    text = QString::fromUtf8(file.readAll());
    return true;
}

bool readTopics(const QString& folder, std::vector<Topic>& topics) {
    QString index;
    if (!readText(folder + QStringLiteral("/index.txt"), index)) return false;
    for (const QString& raw : index.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0) {
            std::fprintf(stderr, "makeguide: index line without a tab: %s\n", qPrintable(line));
            return false;
        }
        QString text;
        if (!readText(folder + u'/' + line.left(tab).trimmed(), text)) return false;
        Topic topic{line.mid(tab + 1).trimmed(), cal::helpBlocks(text), 0, {}};
        const bool hasParagraph = std::any_of(topic.blocks.begin(), topic.blocks.end(), [](const cal::HelpBlock& b) {
            return b.kind == cal::HelpBlock::Paragraph;
        });
        if (!hasParagraph) {
            std::fprintf(stderr, "makeguide: empty topic %s\n", qPrintable(topic.title));
            return false;
        }
        topics.push_back(topic);
    }
    if (topics.empty()) std::fprintf(stderr, "makeguide: no topics in the index\n");
    return !topics.empty();
}

class Layout {
public:
    Layout(HPDF_Font regular, HPDF_Font bold) : regular_(regular), bold_(bold) {}

    float width(const QByteArray& bytes, bool bold, float size) const {
        const HPDF_TextWidth w = HPDF_Font_TextWidth(bold ? bold_ : regular_,
                                                     reinterpret_cast<const HPDF_BYTE*>(bytes.constData()),
                                                     static_cast<HPDF_UINT>(bytes.size()));
        return static_cast<float>(w.width) * size / 1000.0f;
    }

    // Breaks a text into lines no wider than the frame, at blanks; a word wider than the
    // whole line is cut where it must be.
    std::vector<QByteArray> wrap(const QByteArray& text, bool bold, float size, float maxWidth) const {
        std::vector<QByteArray> lines;
        QByteArray line;
        for (QByteArray word : text.split(' ')) {
            if (word.isEmpty()) continue;
            const QByteArray candidate = line.isEmpty() ? word : line + ' ' + word;
            if (width(candidate, bold, size) <= maxWidth) {
                line = candidate;
                continue;
            }
            if (!line.isEmpty()) lines.push_back(line);
            line.clear();
            while (width(word, bold, size) > maxWidth) {
                qsizetype fit = 1;
                while (fit < word.size() && width(word.left(fit + 1), bold, size) <= maxWidth) ++fit;
                lines.push_back(word.left(fit));
                word = word.mid(fit);
            }
            line = word;
        }
        if (!line.isEmpty()) lines.push_back(line);
        return lines;
    }

private:
    HPDF_Font regular_;
    HPDF_Font bold_;
};

QByteArray cp1252(const QString& text) { return cal::toCp1252(text); }

// Lays the topics out after the pages already there, one topic per new page. A section heading
// is kept on the page of the first lines of its section: where they do not fit below it, the
// heading starts the next page.
void layTopics(const Layout& layout, std::vector<Topic>& topics, std::vector<Page>& pages) {
    const float frame = kRight - kLeft;
    for (Topic& topic : topics) {
        pages.emplace_back();
        topic.page = static_cast<int>(pages.size()) - 1;
        float y = kTop;
        for (const QByteArray& line : layout.wrap(cp1252(topic.title), true, kHeadingSize, frame)) {
            pages.back().texts.push_back({true, kHeadingSize, kLeft, y, line});
            y -= kHeadingLeading;
        }
        y -= kHeadingGap;
        bool afterTitle = true;
        for (const cal::HelpBlock& block : topic.blocks) {
            if (block.kind == cal::HelpBlock::Heading) {
                const std::vector<QByteArray> lines = layout.wrap(cp1252(block.text), true, kSectionSize, frame);
                const float gap = afterTitle ? 0 : kSectionGapAbove;
                // The heading's lines and two lines of text below it.
                const float needed = static_cast<float>(lines.size()) * kSectionLeading + kSectionGapBelow + kBodyLeading;
                if (y - gap - needed < kBottom) {
                    pages.emplace_back();
                    y = kTop;
                } else {
                    y -= gap;
                }
                topic.sections.push_back({block.text, {static_cast<int>(pages.size()) - 1, y + kSectionSize}});
                for (const QByteArray& line : lines) {
                    pages.back().texts.push_back({true, kSectionSize, kLeft, y, line});
                    y -= kSectionLeading;
                }
                y -= kSectionGapBelow;
                afterTitle = false;
                continue;
            }
            for (const QByteArray& line : layout.wrap(cp1252(block.text), false, kBodySize, frame)) {
                if (y < kBottom) {
                    pages.emplace_back();
                    y = kTop;
                }
                pages.back().texts.push_back({false, kBodySize, kLeft, y, line});
                y -= kBodyLeading;
            }
            y -= kParagraphGap;
            afterTitle = false;
        }
    }
}

// Writes next to the target and renames over it, so a failure never leaves half a manual.
bool writeFile(HPDF_Doc pdf, const QString& path) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    const QString part = path + QStringLiteral(".part");
    if (HPDF_SaveToFile(pdf, QFile::encodeName(part).constData()) != HPDF_OK || failed) {
        QFile::remove(part);
        return false;
    }
    QFile::remove(path);
    return QFile::rename(part, path);
}

int makeGuide(const QString& helpFolder, const QString& output, const QString& cover) {
    std::vector<Topic> topics;
    if (!readTopics(helpFolder, topics)) return 1;

    HPDF_Doc pdf = HPDF_New(onError, nullptr);
    if (!pdf) return 1;
    HPDF_SetCompressionMode(pdf, HPDF_COMP_NONE);
    HPDF_SetInfoAttr(pdf, HPDF_INFO_TITLE, kDocumentTitle);
    HPDF_SetInfoAttr(pdf, HPDF_INFO_AUTHOR, "Calvetra");
    HPDF_SetInfoAttr(pdf, HPDF_INFO_CREATOR, "Calvetra 4.0");
    HPDF_SetPageMode(pdf, HPDF_PAGE_MODE_USE_OUTLINE);
    HPDF_Font regular = HPDF_GetFont(pdf, "Helvetica", "WinAnsiEncoding");
    HPDF_Font bold = HPDF_GetFont(pdf, "Helvetica-Bold", "WinAnsiEncoding");
    HPDF_Encoder encoder = HPDF_GetEncoder(pdf, "WinAnsiEncoding");
    const Layout layout(regular, bold);

    // Page 0 is the title page; the table of contents follows, then the topics.
    const int perTocPage = static_cast<int>((kTop - 40 - kBottom) / kTocLeading);
    const int tocPages = (static_cast<int>(topics.size()) + perTocPage - 1) / perTocPage;
    std::vector<Page> pages(1 + tocPages);
    layTopics(layout, topics, pages);
    const int total = static_cast<int>(pages.size());

    std::vector<HPDF_Page> pdfPages;
    for (int i = 0; i < total; ++i) {
        HPDF_Page page = HPDF_AddPage(pdf);
        HPDF_Page_SetSize(page, HPDF_PAGE_SIZE_A4, HPDF_PAGE_PORTRAIT);
        pdfPages.push_back(page);
    }

    const auto show = [&](HPDF_Page page, bool isBold, float size, float x, float y, const QByteArray& bytes) {
        HPDF_Page_BeginText(page);
        HPDF_Page_SetFontAndSize(page, isBold ? bold : regular, size);
        HPDF_Page_TextOut(page, x, y, bytes.constData());
        HPDF_Page_EndText(page);
    };
    const auto centred = [&](HPDF_Page page, bool isBold, float size, float y, const QByteArray& bytes) {
        show(page, isBold, size, (kPageWidth - layout.width(bytes, isBold, size)) / 2, y, bytes);
    };

    // Title page.
    {
        HPDF_Page page = pdfPages[0];
        float y = kPageHeight * 0.62f;
        if (!cover.isEmpty()) {
            HPDF_Image picture = HPDF_LoadPngImageFromFile(pdf, QFile::encodeName(cover).constData());
            if (picture) {
                const float side = 128;
                HPDF_Page_DrawImage(page, picture, (kPageWidth - side) / 2, y, side, side);
            }
        }
        y -= 50;
        centred(page, true, 20, y, cp1252(QString::fromUtf8(kTitle)));
        centred(page, false, 12, y - 30, cp1252(QStringLiteral("Organizzatore per l'ufficio e lo studio professionale")));
    }

    // Table of contents, each entry a link to its topic.
    for (int i = 0; i < static_cast<int>(topics.size()); ++i) {
        const int tocPage = 1 + i / perTocPage;
        HPDF_Page page = pdfPages[tocPage];
        float y = kTop - 40 - static_cast<float>(i % perTocPage) * kTocLeading;
        if (i % perTocPage == 0) show(page, true, kHeadingSize, kLeft, kTop, cp1252(QStringLiteral("Indice")));
        const QByteArray number = QByteArray::number(topics[i].page + 1);
        QByteArray title = cp1252(topics[i].title);
        const float room = kRight - kLeft - layout.width(number, false, kTocSize) - 24;
        while (layout.width(title, false, kTocSize) > room && title.size() > 4) title.chop(1);
        show(page, false, kTocSize, kLeft, y, title);
        show(page, false, kTocSize, kRight - layout.width(number, false, kTocSize), y, number);
        HPDF_Destination target = HPDF_Page_CreateDestination(pdfPages[topics[i].page]);
        HPDF_Destination_SetFit(target);
        const HPDF_Rect area{kLeft, y - 4, kRight, y + kTocSize};
        HPDF_Annotation link = HPDF_Page_CreateLinkAnnot(page, area, target);
        HPDF_LinkAnnot_SetBorderStyle(link, 0, 0, 0);
    }

    // Topic pages and their outline entries.
    for (int i = 0; i < total; ++i)
        for (const Text& text : pages[i].texts) show(pdfPages[i], text.bold, text.size, text.x, text.y, text.bytes);
    for (const Topic& topic : topics) {
        HPDF_Outline entry = HPDF_CreateOutline(pdf, nullptr, cp1252(topic.title).constData(), encoder);
        HPDF_Destination target = HPDF_Page_CreateDestination(pdfPages[topic.page]);
        HPDF_Destination_SetFit(target);
        HPDF_Outline_SetDestination(entry, target);
        HPDF_Outline_SetOpened(entry, HPDF_FALSE);
        for (const Section& section : topic.sections) {
            HPDF_Outline child = HPDF_CreateOutline(pdf, entry, cp1252(section.heading).constData(), encoder);
            HPDF_Destination place = HPDF_Page_CreateDestination(pdfPages[section.place.page]);
            HPDF_Destination_SetFitH(place, section.place.top + 6);
            HPDF_Outline_SetDestination(child, place);
        }
    }

    // Footers.
    for (int i = 1; i < total; ++i) {
        HPDF_Page page = pdfPages[i];
        HPDF_Page_SetLineWidth(page, 0.5f);
        HPDF_Page_MoveTo(page, kLeft, kFooterY + 14);
        HPDF_Page_LineTo(page, kRight, kFooterY + 14);
        HPDF_Page_Stroke(page);
        show(page, false, 9, kLeft, kFooterY, cp1252(QString::fromUtf8(kTitle)));
        const QByteArray number = cp1252(QStringLiteral("Pagina %1 di %2").arg(i + 1).arg(total));
        show(page, false, 9, kRight - layout.width(number, false, 9), kFooterY, number);
    }

    const bool written = !failed && writeFile(pdf, output) && !failed;
    HPDF_Free(pdf);
    if (!written) std::fprintf(stderr, "makeguide: cannot write %s\n", qPrintable(output));
    return written ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: makeguide <help folder> <output pdf> [cover png]\n");
        return 2;
    }
    return makeGuide(QFile::decodeName(argv[1]), QFile::decodeName(argv[2]),
                     argc == 4 ? QFile::decodeName(argv[3]) : QString());
}
