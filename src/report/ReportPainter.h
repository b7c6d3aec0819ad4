#pragma once
// Draws a prepared report with QPainter, for the printer and the preview.
class QPainter;
class QPagedPaintDevice;

namespace cal {

class Report;

// Paints the prepared pages (prepares a copy first if the report has not been prepared),
// calling device.newPage() between pages and scaling 1/96 inch to the device's resolution.
// Each line of text is drawn with a sans or fixed-pitch screen font and stretched to the
// width the PDF's standard font gives it, so lines break and clip exactly as in the PDF.
void paintReport(const Report& report, QPainter& painter, QPagedPaintDevice& device);

}  // namespace cal
