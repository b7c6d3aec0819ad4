#pragma once
// The year menu of a per-year archive: the user types a four-digit year and opens that
// year's record file. One class serves every per-year archive; each archive gives its texts.
#include <QMainWindow>

#include <functional>

class QLabel;
class QLineEdit;

namespace cal {

class ArchiveScreen;

struct YearMenuTexts {
    const char* objectName;    // TfrmMenuServizi, TfrmMenuProtocollo, TfrmMenuArticoli
    const char* caption;
    const char* heading;
    const char* info;
    const char* extension;     // ".ser"
    const char* archiveTitle;  // " Calvetra 4.0 - Registro Servizi anno "
    const char* keyword;       // set by Open: "servizi", "protocollo"
    const char* helpTitle;
    const char* feeSummary = nullptr;  // the screen the service menu's btnCompensi leads to
};

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
    // Where to go when the menu closes: "avvio", the menu's keyword, or "compensi".
    void routed(const QString& keyword);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addFeeSummary();
    const YearMenuTexts& texts_;
    std::function<ArchiveScreen*()> archive_;
    QLineEdit* txtAnno_;
    QLabel* lblMemory_;
};

}  // namespace cal
