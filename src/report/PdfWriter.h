#pragma once
// Writes a report as a PDF file: uncompressed, standard fonts (not embedded) with the
// Windows-1252 text as it is, document title and subject from the report.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace cal {

class Report;

// Lays the report out first when it has not been prepared. The file at `path` is replaced as a
// whole (a temporary file in the same folder, renamed over it once it is all on the disk),
// without a question; on failure (a full disk included) the earlier file, if any, is left as it
// was and false is returned, with the cause in `error` when given. The same report gives the
// same bytes on every run: nothing in the file depends on the time of writing.
bool writeReportPdf(const Report& report, const QString& path, QString* error = nullptr);

// A text as PDFDocEncoding bytes, the encoding of the document info strings: Latin-1 for most
// characters, with the euro sign, dashes, quotes and a few letters at their own codes; '?' for
// anything else.
QByteArray toPdfDocEncoding(QStringView text);

}  // namespace cal
