#include "report/Report.h"

#include "report/PdfMetrics.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <functional>

namespace cal {
namespace {

using pdfmetrics::Face;

constexpr double kUnitsPerPoint = 96.0 / 72.0;
constexpr double kCentimetre = 96.0 / 2.54;
constexpr double kA4Width = 210.0 / 25.4 * 96.0;
constexpr double kA4Height = 297.0 / 25.4 * 96.0;
constexpr double kLeading = 1.15;     // line pitch of a field, as a multiple of its point size
constexpr double kTolerance = 0.01;   // below anything visible; absorbs rounding of sums
const QString kEllipsis = QString(QChar(0x2026));

using Measure = std::function<double(QStringView)>;

bool isBlank(const QString& text) {
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == QLatin1Char(' '); });
}

QString withoutTrailingBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1) == QLatin1Char(' ')) --end;
    return text.left(end);
}

// How many characters from the start of the text fit in the width (character widths add up:
// the standard fonts are set without kerning).
qsizetype fittingLength(QStringView text, double width, const Measure& measure) {
    double used = 0;
    qsizetype n = 0;
    for (; n < text.size(); ++n) {
        used += measure(text.mid(n, 1));
        if (used > width + kTolerance) break;
    }
    return n;
}

// Breaks a line of text into lines that fit the width, at blanks where possible and inside a
// word too long for a line of its own.
QStringList wrapped(const QString& text, double width, const Measure& measure) {
    QStringList out;
    QString rest = text;
    while (measure(rest) > width + kTolerance) {
        const qsizetype fit = std::max<qsizetype>(1, fittingLength(rest, width, measure));
        const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), fit);
        const qsizetype cut = blank > 0 && !isBlank(rest.left(blank)) ? blank : fit;
        out << rest.left(cut);
        qsizetype next = cut;
        while (next < rest.size() && rest.at(next) == QLatin1Char(' ')) ++next;
        rest = rest.mid(next);
        if (rest.isEmpty()) return out;
    }
    out << rest;
    return out;
}

// The line shortened to fit the width with an ellipsis at its end: a field too small for its
// text shows that something is missing.
QString elided(const QString& line, double width, const Measure& measure) {
    QString kept = withoutTrailingBlanks(line);
    while (!kept.isEmpty() && measure(kept + kEllipsis) > width + kTolerance)
        kept = withoutTrailingBlanks(kept.left(kept.size() - 1));
    return kept + kEllipsis;
}

QString expanded(QString text, const QDateTime& now) {
    text.replace(QLatin1String("[DATE]"), now.toString(QStringLiteral("dd/MM/yyyy")));
    text.replace(QLatin1String("[TIME]"), now.toString(QStringLiteral("HH:mm:ss")));
    return text;
}

}  // namespace

// ---- layouts ----

// Both cards end the same way: a separator line at `footer`, the footer field txtCalce under it.
void Report::addCardFooter(Band& band, double footer) {
    band.graphics << Graphic{Item::Kind::Rule, QRectF(0, footer, 0, 1)};
    Field calce;
    calce.name = QStringLiteral("txtCalce");
    calce.rect = QRectF(0, footer + 8, 0, 14);
    calce.pointSize = 8;
    band.fields << calce;
    band.height = footer + 24;
}

Report Report::captionValueCard() {
    Report r;
    r.orientation_ = Orientation::Portrait;
    r.margins_ = QMarginsF(kCentimetre, kCentimetre, kCentimetre, kCentimetre);
    const double width = kA4Width - 2 * kCentimetre;

    Band band;
    band.name = QStringLiteral("Scheda");
    band.graphics << Graphic{Item::Kind::Logo, QRectF(0, 0, 57, 57)};
    Field title;
    title.name = QStringLiteral("txtTitolo");
    title.rect = QRectF(70, 16, width - 140, 28);
    title.align = Qt::AlignHCenter;
    title.bold = true;
    title.pointSize = 16;
    band.fields << title;
    band.graphics << Graphic{Item::Kind::Rule, QRectF(0, 66, 0, 1)};

    const double firstRow = 80;
    for (int row = 1; row <= 24; ++row) {
        const QString number = QStringLiteral("%1").arg(row, 2, 10, QLatin1Char('0'));
        const double top = firstRow + (row - 1) * kCentimetre;
        Field caption;
        caption.name = QStringLiteral("titCampo") + number;
        caption.rect = QRectF(0, top, 235, 34);
        caption.bold = true;
        caption.lines = {QStringLiteral(" ")};
        Field value;
        value.name = QStringLiteral("txtCampo") + number;
        value.rect = QRectF(245, top, width - 245, 34);
        value.lines = {QStringLiteral(" ")};
        band.fields << caption << value;
    }
    addCardFooter(band, firstRow + 24 * kCentimetre + 4);
    r.bands_ << band;
    return r;
}

Report Report::fixedCaptionCard(const QString& heading, const QList<FixedRow>& rows) {
    Report r;
    r.orientation_ = Orientation::Portrait;
    r.margins_ = QMarginsF(kCentimetre, kCentimetre, kCentimetre, kCentimetre);
    const double width = kA4Width - 2 * kCentimetre;

    Band band;
    band.name = QStringLiteral("Scheda");
    Field head;
    head.name = QStringLiteral("titArcataSup");
    head.rect = QRectF(0, 8, 0, 30);
    head.align = Qt::AlignHCenter;
    head.bold = true;
    head.pointSize = 14;
    head.lines = {heading};
    band.fields << head;
    band.graphics << Graphic{Item::Kind::Rule, QRectF(0, 48, 0, 1)};

    // Rows one centimetre apart, closer when there are too many for one page.
    const double firstRow = 60;
    const double footer = 991;
    const double pitch = std::min(kCentimetre, (footer - 6 - firstRow) / std::max<qsizetype>(1, rows.size()));
    const double oneLine = 9 * kLeading * kUnitsPerPoint;
    const double height = std::max(pitch - 3, oneLine);
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const double top = firstRow + i * pitch;
        Field caption;  // part of the layout: no name, so the program cannot change it
        caption.rect = QRectF(0, top, 235, height);
        caption.bold = true;
        caption.lines = {rows[i].caption};
        Field value;
        value.name = rows[i].field;
        value.rect = QRectF(245, top, width - 245, height);
        band.fields << caption << value;
    }
    addCardFooter(band, footer);
    r.bands_ << band;
    return r;
}

Report Report::listing() {
    Report r;
    r.orientation_ = Orientation::Landscape;
    r.margins_ = QMarginsF(kCentimetre, kCentimetre, kCentimetre, kCentimetre);

    Band title;
    title.name = QStringLiteral("ReportTitle");
    Field titolo;
    titolo.name = QStringLiteral("txtTitolo");
    titolo.rect = QRectF(0, 0, 0, 24);
    titolo.bold = true;
    titolo.pointSize = 14;
    title.fields << titolo;
    title.graphics << Graphic{Item::Kind::Rule, QRectF(0, 30, 0, 1)};
    title.height = 40;

    Band data;
    data.name = QStringLiteral("MasterData");
    data.data = true;
    Field riepilogo;
    riepilogo.name = QStringLiteral("txtRiepilogo");
    riepilogo.rect = QRectF(0, 5, 0, kListingLineHeight);
    riepilogo.fixedPitch = true;
    riepilogo.wordWrap = false;
    riepilogo.pointSize = 8;
    riepilogo.linePitch = kListingLineHeight;
    data.fields << riepilogo;
    data.height = kListingLineHeight + 10;

    Band footer;
    footer.name = QStringLiteral("ReportSummary");
    footer.graphics << Graphic{Item::Kind::Rule, QRectF(0, 6, 0, 1)};
    Field pagina;
    pagina.name = QStringLiteral("txtPagina");
    pagina.rect = QRectF(0, 12, 0, 14);
    pagina.pointSize = 8;
    pagina.lines = {QStringLiteral("Stampa eseguita in data [DATE]")};
    footer.fields << pagina;
    footer.height = 28;

    r.bands_ << title << data << footer;
    return r;
}

// ---- fields and bands ----

Report::Field* Report::findField(const QString& name) {
    return const_cast<Field*>(std::as_const(*this).findField(name));
}

const Report::Field* Report::findField(const QString& name) const {
    if (name.isEmpty()) return nullptr;
    for (const Band& band : bands_)
        for (const Field& field : band.fields)
            if (field.name.compare(name, Qt::CaseInsensitive) == 0) return &field;
    return nullptr;
}

Report::Band* Report::findBand(const QString& name) {
    return const_cast<Band*>(std::as_const(*this).findBand(name));
}

const Report::Band* Report::findBand(const QString& name) const {
    for (const Band& band : bands_)
        if (band.name.compare(name, Qt::CaseInsensitive) == 0) return &band;
    return nullptr;
}

void Report::setOrientation(Orientation o) {
    orientation_ = o;
    changed();
}

Report::Orientation Report::orientation() const { return orientation_; }

bool Report::setText(const QString& field, const QString& text) {
    Field* f = findField(field);
    if (!f) return false;
    f->lines = {text};
    changed();
    return true;
}

QString Report::text(const QString& field) const {
    const Field* f = findField(field);
    return f ? f->lines.join(QLatin1Char('\n')) : QString();
}

bool Report::clearLines(const QString& field) {
    Field* f = findField(field);
    if (!f) return false;
    f->lines.clear();
    changed();
    return true;
}

bool Report::addLine(const QString& field, const QString& line) {
    Field* f = findField(field);
    if (!f) return false;
    f->lines.append(line);
    changed();
    return true;
}

bool Report::setFieldHeight(const QString& field, double units) {
    Field* f = findField(field);
    if (!f || !(units >= 0)) return false;
    f->rect.setHeight(units);
    changed();
    return true;
}

bool Report::setBandHeight(const QString& band, double units) {
    Band* b = findBand(band);
    if (!b || !(units >= 0)) return false;
    b->height = units;
    changed();
    return true;
}

double Report::fieldHeight(const QString& field) const {
    const Field* f = findField(field);
    return f ? f->rect.height() : -1;
}

double Report::bandHeight(const QString& band) const {
    const Band* b = findBand(band);
    return b ? b->height : -1;
}

bool Report::hasField(const QString& field) const { return findField(field) != nullptr; }

void Report::setDocumentInfo(const QString& title, const QString& subject) {
    title_ = title;
    subject_ = subject;
}

QString Report::title() const { return title_; }
QString Report::subject() const { return subject_; }

// ---- layout of the pages ----

QList<Report::Item> Report::layoutField(const Field& field, double bandWidth, const QDateTime& now) {
    const Face face = pdfmetrics::faceOf(field.bold, field.fixedPitch);
    const Measure measure = [&](QStringView s) { return pdfmetrics::textWidth(face, s, field.pointSize); };
    const double width = field.rect.width() > 0 ? field.rect.width() : bandWidth - field.rect.left();
    const double pitch = field.linePitch > 0 ? field.linePitch : field.pointSize * kLeading * kUnitsPerPoint;
    const qsizetype capacity = qsizetype(std::floor((field.rect.height() + kTolerance) / pitch));
    if (capacity <= 0 || field.lines.isEmpty()) return {};

    static const QRegularExpression breaks(QStringLiteral("\r\n|\r|\n"));
    QStringList lines;
    for (const QString& entry : field.lines) {
        for (const QString& paragraph : expanded(entry, now).split(breaks)) {
            const QString clean = pdfmetrics::printableText(paragraph);
            if (field.wordWrap)
                lines << wrapped(clean, width, measure);
            else
                lines << (measure(clean) > width + kTolerance ? clean.left(fittingLength(clean, width, measure)) : clean);
        }
    }
    while (!lines.isEmpty() && isBlank(lines.last())) lines.removeLast();
    if (lines.size() > capacity) {
        lines.resize(capacity);
        if (field.wordWrap) lines.last() = elided(lines.last(), width, measure);
    }

    QList<Item> items;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = withoutTrailingBlanks(lines[i]);
        if (line.isEmpty()) continue;
        const double w = measure(line);
        double x = field.rect.left();
        if (field.align & Qt::AlignHCenter)
            x += (width - w) / 2;
        else if (field.align & Qt::AlignRight)
            x += width - w;
        Item item;
        item.kind = Item::Kind::Text;
        item.rect = QRectF(x, field.rect.top() + i * pitch, w, pitch);
        item.text = line;
        item.bold = field.bold;
        item.fixedPitch = field.fixedPitch;
        item.pointSize = field.pointSize;
        items << item;
    }
    return items;
}

QList<Report::Item> Report::layoutBand(const Band& band, double width, const QDateTime& now) const {
    QList<Item> items;
    for (const Graphic& g : band.graphics) {
        Item item;
        item.kind = g.kind;
        item.rect = g.rect;
        if (item.rect.width() <= 0) item.rect.setWidth(width - item.rect.left());
        items << item;
    }
    for (const Field& field : band.fields) items << layoutField(field, width, now);
    std::stable_sort(items.begin(), items.end(),
                     [](const Item& a, const Item& b) { return a.rect.top() < b.rect.top(); });
    return items;
}

void Report::prepare(const QDateTime& now) {
    pages_.clear();
    pages_.append(Page{});
    const QSizeF size = pageSize();
    const double top = margins_.top();
    const double bottom = size.height() - margins_.bottom();
    const double width = size.width() - margins_.left() - margins_.right();

    double y = top;
    for (const Band& band : bands_) {
        const QList<Item> items = layoutBand(band, width, now);
        double extent = band.height;
        for (const Item& item : items) extent = std::max(extent, item.rect.bottom());

        // A band other than the data band is kept whole on a new page when it does not fit.
        if (!band.data && y + extent > bottom + kTolerance && y > top + kTolerance) {
            pages_.append(Page{});
            y = top;
        }
        // What still does not fit continues on the next pages, one line at a time.
        double shift = y;
        for (Item item : items) {
            if (shift + item.rect.bottom() > bottom + kTolerance && shift + item.rect.top() > top + kTolerance) {
                pages_.append(Page{});
                shift = top - item.rect.top();
            }
            item.rect.translate(margins_.left(), shift);
            pages_.last().items << item;
        }
        y = shift + extent;
    }
    prepared_ = true;
}

bool Report::isPrepared() const { return prepared_; }

const QList<Report::Page>& Report::pages() const { return pages_; }

QSizeF Report::pageSize() const {
    return orientation_ == Orientation::Portrait ? QSizeF(kA4Width, kA4Height) : QSizeF(kA4Height, kA4Width);
}

QMarginsF Report::margins() const { return margins_; }

double Report::baseline(const Item& item) {
    return item.rect.top() + pdfmetrics::ascent(pdfmetrics::faceOf(item.bold, item.fixedPitch), item.pointSize);
}

}  // namespace cal
