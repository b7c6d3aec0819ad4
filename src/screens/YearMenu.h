#pragma once
// The year menu of a per-year archive: the user types a four-digit year and opens that
// year's record file. One class serves every per-year archive; each archive gives its texts.
#include <QMainWindow>

#include <functional>
#include <optional>

class QLabel;
class QLineEdit;

namespace cal {

class ArchiveScreen;

struct YearMenuTexts {
    const char* objectName;    // TfrmMenu...
    const char* caption;
    const char* heading;
    const char* info;
    const char* extension;     // ".ext" of the year files
    const char* archiveTitle;  // the archive screen's caption, before the year
    const char* keyword;       // set by Open: the archive's keyword
    const char* helpTitle;
    // A further button below the year that leads to another screen of the archive (a summary):
    // its object name, caption, the keyword routed() then names, and the screen. No button when `otherScreen` is null.
    const char* otherButton = nullptr;
    const char* otherCaption = nullptr;
    const char* otherKeyword = nullptr;
    const char* otherScreen = nullptr;
};

// A field for a year: four characters at most, digits only.
QLineEdit* makeYearField(const char* objectName, QWidget* parent);
// The year typed in `field`, trimmed, when it has its four characters; otherwise nullopt, after
// the warning "indicare l'anno solare utilizzando quattro cifre" with the focus back in the field.
std::optional<QString> typedYear(QLineEdit* field);

class YearMenu : public QMainWindow {
    Q_OBJECT
public:
    YearMenu(const YearMenuTexts& texts, QWidget* parent = nullptr);

    // The archive screen that Open prepares (its file and caption); asked for only when needed,
    // so the screen is created when the user first opens a year.
    void setArchive(std::function<ArchiveScreen*()> archive) { archive_ = std::move(archive); }
    void setArchive(ArchiveScreen* archive) {
        archive_ = [archive] { return archive; };
    }
    void open();
    QString keyword() const;
    const YearMenuTexts& texts() const { return texts_; }

signals:
    // Where to go when the menu closes: "avvio", the menu's keyword, or the further button's.
    void routed(const QString& keyword);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    const YearMenuTexts& texts_;
    std::function<ArchiveScreen*()> archive_;
    QLineEdit* txtAnno_;
    QLabel* lblMemory_;
};

}  // namespace cal
