#pragma once
// The picture of a card's imgLogo: nested squares in the program's colours, drawn from the
// same shapes on paper, in the preview and in the PDF file.
#include <QColor>
#include <algorithm>
#include <QList>
#include <QRectF>

namespace cal {

struct EmblemShape {
    QRectF rect;
    QColor colour;
};

inline QList<EmblemShape> emblemShapes(const QRectF& area) {
    const QColor navy(32, 64, 120);
    const QColor white(255, 255, 255);
    const double step = std::min(area.width(), area.height()) / 6;
    return {{area, navy},
            {area.adjusted(step, step, -step, -step), white},
            {area.adjusted(2 * step, 2 * step, -2 * step, -2 * step), navy}};
}

}  // namespace cal
