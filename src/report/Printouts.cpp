#include "report/Printouts.h"

namespace cal {

Report listingReport(const QString& title, const QStringList& lines) {
    Report report = Report::listing();
    report.setOrientation(Report::Orientation::Landscape);
    report.setText(QStringLiteral("txtTitolo"), title);
    report.clearLines(QStringLiteral("txtRiepilogo"));
    for (const QString& line : lines) report.addLine(QStringLiteral("txtRiepilogo"), line);
    const double height = lines.size() * Report::kListingLineHeight;
    report.setFieldHeight(QStringLiteral("txtRiepilogo"), height);
    report.setBandHeight(QStringLiteral("MasterData"), height + 10);
    return report;
}

QString cardFooter(const QDateTime& now) {
    return QStringLiteral("Stampa eseguita in data ") + now.toString(QStringLiteral("dd/MM/yyyy")) +
           QStringLiteral(" alle ore ") + now.toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace cal
