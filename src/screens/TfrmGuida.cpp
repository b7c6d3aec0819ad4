#include "screens/TfrmGuida.h"

#include "core/ProgramFolder.h"
#include "ui/LinkLabel.h"
#include "ui/Resources.h"
#include "ui/Services.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>

namespace cal {
namespace {

struct HelpTopic {
    QString title;
    QList<HelpBlock> blocks;
};

QString readResource(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll());
}

// "file<TAB>title" lines; lines starting with '#' and empty lines are skipped.
QList<HelpTopic> loadTopics() {
    initResources();
    QList<HelpTopic> topics;
    const QStringList lines = readResource(QStringLiteral(":/help/index.txt")).split(u'\n');
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        const qsizetype tab = line.indexOf(u'\t');
        if (tab < 0) continue;
        const QString file = line.left(tab).trimmed();
        const QString title = line.mid(tab + 1).trimmed();
        topics << HelpTopic{title, helpBlocks(readResource(QStringLiteral(":/help/") + file))};
    }
    return topics;
}

const QList<HelpTopic>& topics() {
    static const QList<HelpTopic> all = loadTopics();
    return all;
}

}  // namespace

QStringList helpTopicTitles() {
    QStringList titles;
    for (const HelpTopic& topic : topics()) titles << topic.title;
    return titles;
}

QList<HelpBlock> helpTopicBlocks(const QString& title) {
    for (const HelpTopic& topic : topics())
        if (topic.title == title) return topic.blocks;
    return {};
}

QStringList helpTopicParagraphs(const QString& title) {
    QStringList paragraphs;
    for (const HelpBlock& block : helpTopicBlocks(title))
        if (block.kind == HelpBlock::Paragraph) paragraphs << block.text;
    return paragraphs;
}

QString helpTopicText(const QString& title) { return helpBlocksText(helpTopicBlocks(title)); }

TfrmGuida::TfrmGuida(QWidget* parent) : QDialog(parent) {
    initResources();
    setObjectName(QStringLiteral("TfrmGuida"));
    setWindowTitle(QStringLiteral(" Guida all'utilizzo del software"));
    setModal(true);
    resize(640, 520);

    lblTitolo = new QLabel(QStringLiteral("Argomento della guida."), this);
    lblTitolo->setObjectName(QStringLiteral("lblTitolo"));
    QFont heading = lblTitolo->font();
    heading.setBold(true);
    heading.setPointSizeF(heading.pointSizeF() * 1.25);
    lblTitolo->setFont(heading);
    lblTitolo->setWordWrap(true);

    txtGuida = new QTextEdit(this);
    txtGuida->setObjectName(QStringLiteral("txtGuida"));
    txtGuida->setReadOnly(true);
    txtGuida->setAcceptRichText(false);
    txtGuida->setLineWrapMode(QTextEdit::WidgetWidth);
    txtGuida->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    txtGuida->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    txtGuida->setAccessibleName(QStringLiteral("Testo della guida"));
    txtGuida->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

    const QString linkText = QStringLiteral("Visualizza guida in formato PDF");
    imgPDF = new LinkLabel(QPixmap(QStringLiteral(":/images/pdf.png")), linkText, this);
    imgPDF->setObjectName(QStringLiteral("imgPDF"));
    lnkWeb = new LinkLabel(linkText, this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    connect(imgPDF, &LinkLabel::clicked, this, &TfrmGuida::openManual);
    connect(lnkWeb, &LinkLabel::clicked, this, &TfrmGuida::openManual);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setAutoDefault(false);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(imgPDF);
    bottom->addWidget(lnkWeb);
    bottom->addStretch();
    bottom->addWidget(btnChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblTitolo);
    layout->addWidget(txtGuida, 1);
    layout->addLayout(bottom);
    btnChiudi->setFocus();
}

// The document is built block by block with formats, never from markup, so every character of
// the prose shows as typed.
void TfrmGuida::setTopic(const QString& title, const QString& text) {
    lblTitolo->setText(title);
    QTextDocument* document = txtGuida->document();
    document->clear();
    const QFont body = txtGuida->font();
    const qreal line = QFontMetricsF(body).lineSpacing();
    QTextCursor cursor(document);
    bool first = true;
    for (const HelpBlock& block : helpBlocks(text)) {
        if (!first) cursor.insertBlock();
        QTextBlockFormat blockFormat;
        QTextCharFormat charFormat;
        if (block.kind == HelpBlock::Heading) {
            blockFormat.setHeadingLevel(2);
            blockFormat.setTopMargin(first ? 0 : line);
            blockFormat.setBottomMargin(line * 0.35);
            charFormat.setFontWeight(QFont::Bold);
            charFormat.setFontPointSize(QFontInfo(body).pointSizeF() * 1.2);
        } else {
            blockFormat.setBottomMargin(line * 0.6);
        }
        cursor.setBlockFormat(blockFormat);
        cursor.setBlockCharFormat(charFormat);
        cursor.insertText(block.text, charFormat);
        first = false;
    }
    txtGuida->moveCursor(QTextCursor::Start);
}

// The manual lies in the program folder; without it the link does nothing.
void TfrmGuida::openManual() {
    const QString manual = programFile(QStringLiteral("Guida.pdf"));
    if (QFileInfo(manual).isFile()) shell().open(manual);
}

void showHelp(const QString& title) {
    TfrmGuida screen(QApplication::activeWindow());
    screen.setTopic(title, helpTopicText(title));
    screens().exec(&screen);
}

}  // namespace cal
