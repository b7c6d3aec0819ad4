#pragma once
// Widths and heights of the four standard PDF fonts the reports use, taken from the same
// font metrics the PDF writer embeds by name. Measuring with these, and only these, keeps the
// printed page, the preview and the PDF file breaking and clipping every line alike.
#include <QString>
#include <QStringView>

namespace cal::pdfmetrics {

enum class Face { Sans, SansBold, Mono, MonoBold };

Face faceOf(bool bold, bool fixedPitch);
// The PDF base-font name of a face ("Helvetica", "Helvetica-Bold", "Courier", "Courier-Bold").
const char* baseFontName(Face face);

// Advance width of a text, in 1/96 inch, at the given size in points. The text is measured
// as the Windows-1252 bytes the PDF shows (characters outside the code page count as '?').
double textWidth(Face face, QStringView text, double pointSize);
// Distance from the top of a line to its baseline, and from the baseline to the lowest
// descender, in 1/96 inch.
double ascent(Face face, double pointSize);
double descent(Face face, double pointSize);

// The text as a report page can show it: line breaks, tabs and other control characters
// become blanks, and characters outside Windows-1252 become '?'.
QString printableText(QStringView text);

}  // namespace cal::pdfmetrics
