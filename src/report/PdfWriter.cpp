#include "report/PdfWriter.h"

#include "core/Codepage.h"
#include "core/SafeWrite.h"
#include "report/Emblem.h"
#include "report/PdfMetrics.h"
#include "report/Report.h"

#include <hpdf.h>

#include <array>
#include <optional>

namespace cal {
namespace {

constexpr double kPointsPerUnit = 72.0 / 96.0;

// The library reports errors through this callback; each call only marks the document failed.
void onPdfError(HPDF_STATUS, HPDF_STATUS, void* failed) { *static_cast<bool*>(failed) = true; }

class PdfDocument {
public:
    PdfDocument() : doc_(HPDF_New(onPdfError, &failed_)) {}
    ~PdfDocument() {
        if (doc_) HPDF_Free(doc_);
    }
    PdfDocument(const PdfDocument&) = delete;
    PdfDocument& operator=(const PdfDocument&) = delete;
    HPDF_Doc get() const { return doc_; }
    bool ok() const { return doc_ && !failed_; }

    HPDF_Font font(pdfmetrics::Face face) {
        HPDF_Font& f = fonts_[size_t(face)];
        if (!f) f = HPDF_GetFont(doc_, pdfmetrics::baseFontName(face), "WinAnsiEncoding");
        return f;
    }

    // The whole file, from the library's memory stream.
    std::optional<QByteArray> bytes() {
        if (HPDF_SaveToStream(doc_) != HPDF_OK || failed_) return std::nullopt;
        const HPDF_UINT32 total = HPDF_GetStreamSize(doc_);
        QByteArray out(qsizetype(total), '\0');
        HPDF_UINT32 read = total;
        const HPDF_STATUS status = HPDF_ReadFromStream(doc_, reinterpret_cast<HPDF_BYTE*>(out.data()), &read);
        if ((status != HPDF_OK && status != HPDF_STREAM_EOF) || read != total) return std::nullopt;
        return out;
    }

private:
    bool failed_ = false;
    HPDF_Doc doc_;
    std::array<HPDF_Font, 4> fonts_{};
};

void fillRect(HPDF_Page page, double pageHeight, const QRectF& rect, const QColor& colour) {
    HPDF_Page_SetRGBFill(page, HPDF_REAL(colour.redF()), HPDF_REAL(colour.greenF()), HPDF_REAL(colour.blueF()));
    HPDF_Page_Rectangle(page, HPDF_REAL(rect.left() * kPointsPerUnit),
                        HPDF_REAL(pageHeight - rect.bottom() * kPointsPerUnit),
                        HPDF_REAL(rect.width() * kPointsPerUnit), HPDF_REAL(rect.height() * kPointsPerUnit));
    HPDF_Page_Fill(page);
}

void writePage(PdfDocument& pdf, const Report::Page& source, const QSizeF& size) {
    HPDF_Page page = HPDF_AddPage(pdf.get());
    if (!page) return;
    const double height = size.height() * kPointsPerUnit;
    HPDF_Page_SetWidth(page, HPDF_REAL(size.width() * kPointsPerUnit));
    HPDF_Page_SetHeight(page, HPDF_REAL(height));

    for (const Report::Item& item : source.items) {
        if (item.kind == Report::Item::Kind::Rule) fillRect(page, height, item.rect, Qt::black);
        if (item.kind == Report::Item::Kind::Logo)
            for (const EmblemShape& shape : emblemShapes(item.rect)) fillRect(page, height, shape.rect, shape.colour);
    }

    HPDF_Page_SetRGBFill(page, 0, 0, 0);
    HPDF_Page_BeginText(page);
    HPDF_Font current = nullptr;
    double currentSize = 0;
    for (const Report::Item& item : source.items) {
        if (item.kind != Report::Item::Kind::Text) continue;
        HPDF_Font font = pdf.font(pdfmetrics::faceOf(item.bold, item.fixedPitch));
        if (!font) continue;
        if (font != current || item.pointSize != currentSize) {
            HPDF_Page_SetFontAndSize(page, font, HPDF_REAL(item.pointSize));
            current = font;
            currentSize = item.pointSize;
        }
        const QByteArray text = toCp1252(item.text);
        HPDF_Page_TextOut(page, HPDF_REAL(item.rect.left() * kPointsPerUnit),
                          HPDF_REAL(height - Report::baseline(item) * kPointsPerUnit), text.constData());
    }
    HPDF_Page_EndText(page);
}

}  // namespace

QByteArray toPdfDocEncoding(QStringView text) {
    // PDFDocEncoding codes 0x80 to 0xA0 that differ from Latin-1.
    static constexpr char16_t kHigh[] = {
        0x2022, 0x2020, 0x2021, 0x2026, 0x2014, 0x2013, 0x0192, 0x2044, 0x2039, 0x203A, 0x2212,
        0x2030, 0x201E, 0x201C, 0x201D, 0x2018, 0x2019, 0x201A, 0x2122, 0xFB01, 0xFB02, 0x0141,
        0x0152, 0x0160, 0x0178, 0x017D, 0x0131, 0x0142, 0x0153, 0x0161, 0x017E, 0x0000, 0x20AC};
    QByteArray out;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (c.category() == QChar::Other_Control) {
            out += ' ';
        } else if ((u >= 0x20 && u < 0x7F) || (u >= 0xA1 && u <= 0xFF && u != 0xAD)) {
            out += char(u);
        } else if (u == 0xAD) {
            out += '-';
        } else {
            char code = '?';
            for (size_t i = 0; i < std::size(kHigh); ++i)
                if (kHigh[i] == u && u != 0) code = char(0x80 + i);
            out += code;
        }
    }
    return out;
}

bool writeReportPdf(const Report& source, const QString& path, QString* error) {
    const auto failure = [&](const char* cause) {
        qCWarning(lcFiles).noquote() << "writing" << path << "failed:" << cause;
        if (error) *error = QString::fromLatin1(cause);
        return false;
    };
    std::optional<Report> prepared;
    if (!source.isPrepared()) {
        prepared = source;
        prepared->prepare();
    }
    const Report& report = prepared ? *prepared : source;

    PdfDocument pdf;
    if (!pdf.get()) return failure("PDF library unavailable");
    HPDF_SetCompressionMode(pdf.get(), HPDF_COMP_NONE);
    if (!report.title().isEmpty())
        HPDF_SetInfoAttr(pdf.get(), HPDF_INFO_TITLE, toPdfDocEncoding(report.title()).constData());
    if (!report.subject().isEmpty())
        HPDF_SetInfoAttr(pdf.get(), HPDF_INFO_SUBJECT, toPdfDocEncoding(report.subject()).constData());
    for (const Report::Page& page : report.pages()) writePage(pdf, page, report.pageSize());
    if (!pdf.ok()) return failure("PDF document not built");

    const std::optional<QByteArray> bytes = pdf.bytes();
    if (!bytes) return failure("PDF document not built");
    return writeFileWhole(path, *bytes, error);
}

}  // namespace cal
