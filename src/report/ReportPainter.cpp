#include "report/ReportPainter.h"

#include "report/Emblem.h"
#include "report/Report.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <optional>

namespace cal {
namespace {

// Screen fonts standing in for the PDF's Helvetica and Courier; the first one installed is used.
QFont screenFont(bool bold, bool fixedPitch, double pointSize) {
    QFont font;
    if (fixedPitch) {
        font.setFamilies({QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"), QStringLiteral("Courier"),
                          QStringLiteral("Nimbus Mono PS"), QStringLiteral("DejaVu Sans Mono")});
        font.setStyleHint(QFont::TypeWriter);
        font.setFixedPitch(true);
    } else {
        font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Helvetica"),
                          QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
        font.setStyleHint(QFont::Helvetica);
    }
    font.setBold(bold);
    font.setPointSizeF(pointSize);
    // The PDF's standard fonts are set without kerning or ligatures: so is this one.
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

void paintPages(const Report& report, QPainter& painter, QPagedPaintDevice& device) {
    const double kx = device.logicalDpiX() / 96.0;
    const double ky = device.logicalDpiY() / 96.0;
    // Painter coordinates start at the device's printable area; the report's at the paper's corner.
    const QPointF origin = device.pageLayout().paintRectPixels(device.logicalDpiX()).topLeft();
    auto toDevice = [&](const QRectF& r) {
        return QRectF(r.left() * kx - origin.x(), r.top() * ky - origin.y(), r.width() * kx, r.height() * ky);
    };

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QList<Report::Page>& pages = report.pages();
    for (qsizetype p = 0; p < pages.size(); ++p) {
        if (p > 0) device.newPage();
        for (const Report::Item& item : pages[p].items) {
            switch (item.kind) {
            case Report::Item::Kind::Rule:
                painter.fillRect(toDevice(item.rect), Qt::black);
                break;
            case Report::Item::Kind::Logo:
                for (const EmblemShape& shape : emblemShapes(item.rect)) painter.fillRect(toDevice(shape.rect), shape.colour);
                break;
            case Report::Item::Kind::Text: {
                const QFont font = screenFont(item.bold, item.fixedPitch, item.pointSize);
                painter.setFont(font);
                painter.setPen(Qt::black);
                const double natural = QFontMetricsF(font, &device).horizontalAdvance(item.text);
                const double wanted = item.rect.width() * kx;
                painter.save();
                painter.translate(item.rect.left() * kx - origin.x(), Report::baseline(item) * ky - origin.y());
                if (natural > 0) painter.scale(wanted / natural, 1.0);
                painter.drawText(QPointF(0, 0), item.text);
                painter.restore();
                break;
            }
            }
        }
    }
    painter.restore();
}

}  // namespace

void paintReport(const Report& report, QPainter& painter, QPagedPaintDevice& device) {
    if (report.isPrepared()) {
        paintPages(report, painter, device);
        return;
    }
    Report prepared = report;
    prepared.prepare();
    paintPages(prepared, painter, device);
}

}  // namespace cal
