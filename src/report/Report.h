#pragma once
// The report engine's page model. A report is a layout of bands holding named text fields;
// the program fills the fields by name, prepare() lays the pages out, and the printer, the
// preview and the PDF writer all draw the same prepared pages, so the three never disagree.
// Every length is in 1/96 inch; text is measured with the metrics of the standard PDF fonts.
#include <QDateTime>
#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace cal {

class Report {
public:
    enum class Orientation { Portrait, Landscape };
    // Line pitch of the listing's txtRiepilogo: a listing of n lines needs a field n times this high.
    static constexpr double kListingLineHeight = 12.822;

    // Layout 1: caption-and-value card, portrait: imgLogo, txtTitolo, titCampo01..titCampo24 and
    // txtCampo01..txtCampo24 (rows one centimetre apart), txtCalce under a separator line.
    // Rows not filled show a single blank.
    static Report captionValueCard();
    // Layout 2: fixed-caption card, portrait: heading titArcataSup (its text is part of the layout),
    // one row per printed field with its caption fixed in the layout and a value field with the
    // given name, and txtCalce.
    struct FixedRow {
        QString field;
        QString caption;
    };
    static Report fixedCaptionCard(const QString& heading, const QList<FixedRow>& rows);
    // Layout 3: listing, A4 landscape, 10 mm margins: title band with txtTitolo; data band
    // "MasterData" holding the multi-line field txtRiepilogo in a fixed-pitch font without word
    // wrap; footer band with txtPagina holding "Stampa eseguita in data [DATE]".
    static Report listing();

    void setOrientation(Orientation o);
    Orientation orientation() const;

    // Field and band names are compared without regard to case. The functions that change a
    // field or a band return false, and change nothing, when the layout has no such name.
    bool setText(const QString& field, const QString& text);
    // The field's text, its lines joined with "\n"; empty for an unknown field.
    QString text(const QString& field) const;
    bool clearLines(const QString& field);
    bool addLine(const QString& field, const QString& line);
    bool setFieldHeight(const QString& field, double units);  // units of 1/96 inch
    bool setBandHeight(const QString& band, double units);
    // -1 for an unknown field or band.
    double fieldHeight(const QString& field) const;
    double bandHeight(const QString& band) const;
    bool hasField(const QString& field) const;

    // PDF document info; the title is also the print job's name.
    void setDocumentInfo(const QString& title, const QString& subject);
    QString title() const;
    QString subject() const;

    // Lays out the pages from the fields; [DATE] and [TIME] in a field's text become the date
    // ("dd/mm/yyyy") and time ("hh:mm:ss") of `now`. A tall field in the data band is split across
    // as many pages as needed; a listing has its title band once at the start and its footer
    // band once after the last line. A field shows as many lines as its height holds; a line
    // too wide for its field is wrapped at blanks (ellipsised when the field is full) or, in a
    // field without word wrap, cut at the field's right edge.
    void prepare(const QDateTime& now = QDateTime::currentDateTime());
    // False until prepare(), and again after any change to the fields, bands or orientation.
    bool isPrepared() const;

    struct Item {  // one piece of text or a line, placed on a page, in 1/96 inch from the page's top-left
        enum class Kind { Text, Rule, Logo } kind = Kind::Text;
        QRectF rect;    // a text's rect is its measured width and its line's height
        QString text;   // one line of text (no line breaks)
        bool bold = false;
        bool fixedPitch = false;
        double pointSize = 10;
    };
    struct Page {
        QList<Item> items;
    };
    const QList<Page>& pages() const;  // valid after prepare()
    QSizeF pageSize() const;           // in 1/96 inch, for the orientation
    QMarginsF margins() const;         // in 1/96 inch

    // Where the baseline of a text item lies, in 1/96 inch from the page's top.
    static double baseline(const Item& item);

private:
    struct Field {
        QString name;         // empty for a text that belongs to the layout
        QRectF rect;          // in its band; a width of 0 reaches the band's right edge
        QStringList lines;    // as set or added; each may still hold line breaks
        Qt::Alignment align = Qt::AlignLeft;
        bool bold = false;
        bool fixedPitch = false;
        bool wordWrap = true;
        double pointSize = 9;
        double linePitch = 0;  // 0: from the point size
    };
    struct Graphic {
        Item::Kind kind;
        QRectF rect;  // in its band; a width of 0 reaches the band's right edge
    };
    struct Band {
        QString name;
        double height = 0;
        bool data = false;  // the data band, split across pages when it does not fit
        QList<Field> fields;
        QList<Graphic> graphics;
    };

    static void addCardFooter(Band& band, double footer);
    Field* findField(const QString& name);
    const Field* findField(const QString& name) const;
    Band* findBand(const QString& name);
    const Band* findBand(const QString& name) const;
    QList<Item> layoutBand(const Band& band, double width, const QDateTime& now) const;
    static QList<Item> layoutField(const Field& field, double bandWidth, const QDateTime& now);
    void changed() { prepared_ = false; }

    Orientation orientation_ = Orientation::Portrait;
    QMarginsF margins_;
    QList<Band> bands_;
    QString title_;
    QString subject_;
    QList<Page> pages_;
    bool prepared_ = false;
};

}  // namespace cal
