#pragma once
// The help screen, the catalogue of help topics, and the entry points of the help,
// information and about screens.
#include "core/HelpText.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QTextEdit;
class QPushButton;

namespace cal {

class LinkLabel;

// Help topics. Each topic is a title and fixed prose in sections, headings and paragraphs, kept
// as text files in the program's resources (help/index.txt lists them; core/HelpText.h has the
// format); the manual "Guida.pdf" is made from the same files when the program is built.
// Each function gives nothing for an unknown title.
QStringList helpTopicTitles();                           // in the manual's order
QList<HelpBlock> helpTopicBlocks(const QString& title);  // headings and paragraphs in order
QStringList helpTopicParagraphs(const QString& title);   // the paragraphs alone
// The topic's text as it is handed to the help screen: blocks separated by CR LF CR LF, each
// heading marked with "## " as in the topic file.
QString helpTopicText(const QString& title);

// Help screen, modal, created for one use by the screen whose help command was pressed.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
    // Shows the title and the text, read as a topic file: headings in bold, a little larger and
    // with space above, paragraphs with space between them.
    void setTopic(const QString& title, const QString& text);

private:
    void openManual();

    QLabel* lblTitolo;
    QTextEdit* txtGuida;
    LinkLabel* imgPDF;
    LinkLabel* lnkWeb;
    QPushButton* btnChiudi;
};

// Opens the help screen on the topic with this title and returns when the user closes it.
void showHelp(const QString& title);
// The information screen (support address) and the about screen (product and web address).
void showInfo();
void showAbout();

}  // namespace cal
