#pragma once
// The help screen, the catalogue of help topics, and the entry points of the help,
// information and about screens.
#include <QDialog>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace cal {

class LinkLabel;

// Help topics. Each topic is a title and paragraphs of fixed prose, kept as text files in
// the program's resources (help/index.txt lists them); the manual "Guida.pdf" is made from
// the same files when the program is built.
QStringList helpTopicTitles();                          // in the manual's order
QStringList helpTopicParagraphs(const QString& title);  // empty for an unknown title
// The topic's text as the help screen shows it: paragraphs separated by CR LF CR LF.
QString helpTopicText(const QString& title);

// Help screen, modal, created for one use by the screen whose help command was pressed.
class TfrmGuida : public QDialog {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* parent = nullptr);
    void setTopic(const QString& title, const QString& text);

private:
    void openManual();

    QLabel* lblTitolo;
    QPlainTextEdit* txtGuida;
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
