#include "report/PdfMetrics.h"

#include "core/Codepage.h"

#include <hpdf.h>

#include <array>

namespace cal::pdfmetrics {
namespace {

constexpr double kUnitsPerPoint = 96.0 / 72.0;

struct FaceMetrics {
    std::array<int, 256> widths{};  // 1/1000 of the font size, by Windows-1252 byte
    int ascent = 0;
    int descent = 0;                // negative, below the baseline
};

using AllMetrics = std::array<FaceMetrics, 4>;

// Reads the metrics once from the PDF library's built-in font data, so that the widths are
// exactly those a PDF viewer uses for the same base fonts.
AllMetrics loadMetrics() {
    AllMetrics all;
    HPDF_Doc pdf = HPDF_New(nullptr, nullptr);
    if (!pdf) return all;
    for (int f = 0; f < 4; ++f) {
        HPDF_Font font = HPDF_GetFont(pdf, baseFontName(Face(f)), "WinAnsiEncoding");
        if (!font) continue;
        FaceMetrics& m = all[f];
        for (int b = 1; b < 256; ++b) {
            const HPDF_BYTE byte = HPDF_BYTE(b);
            m.widths[b] = int(HPDF_Font_TextWidth(font, &byte, 1).width);
        }
        m.ascent = HPDF_Font_GetAscent(font);
        m.descent = HPDF_Font_GetDescent(font);
    }
    HPDF_Free(pdf);
    return all;
}

const FaceMetrics& metrics(Face face) {
    static const AllMetrics all = loadMetrics();
    return all[int(face)];
}

}  // namespace

Face faceOf(bool bold, bool fixedPitch) {
    if (fixedPitch) return bold ? Face::MonoBold : Face::Mono;
    return bold ? Face::SansBold : Face::Sans;
}

const char* baseFontName(Face face) {
    switch (face) {
    case Face::Sans: return "Helvetica";
    case Face::SansBold: return "Helvetica-Bold";
    case Face::Mono: return "Courier";
    case Face::MonoBold: return "Courier-Bold";
    }
    return "Helvetica";
}

double textWidth(Face face, QStringView text, double pointSize) {
    const FaceMetrics& m = metrics(face);
    const QByteArray bytes = toCp1252(text);
    long total = 0;
    for (const char c : bytes) total += m.widths[static_cast<unsigned char>(c)];
    return double(total) * pointSize / 1000.0 * kUnitsPerPoint;
}

double ascent(Face face, double pointSize) {
    return metrics(face).ascent * pointSize / 1000.0 * kUnitsPerPoint;
}

double descent(Face face, double pointSize) {
    return -metrics(face).descent * pointSize / 1000.0 * kUnitsPerPoint;
}

QString printableText(QStringView text) {
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) clean.append(c.category() == QChar::Other_Control ? QChar(' ') : c);
    return fromCp1252(toCp1252(clean));
}

}  // namespace cal::pdfmetrics
