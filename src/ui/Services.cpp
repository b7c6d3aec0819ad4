#include "ui/Services.h"

#include "report/Report.h"
#include "report/ReportPainter.h"
#include "ui/TfrmAnteprima.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

namespace cal {
namespace {

QWidget* activeWindow() { return QApplication::activeModalWidget() ? QApplication::activeModalWidget() : QApplication::activeWindow(); }

class QtDialogs final : public Dialogs {
public:
    void message(Kind kind, const QString& text) override {
        QMessageBox box(activeWindow());
        box.setWindowTitle(QStringLiteral(" Calvetra 4.0"));
        box.setText(text);
        switch (kind) {
        case Kind::Information: box.setIcon(QMessageBox::Information); break;
        case Kind::Warning: box.setIcon(QMessageBox::Warning); break;
        case Kind::Error: box.setIcon(QMessageBox::Critical); break;
        case Kind::Plain: box.setIcon(QMessageBox::NoIcon); break;
        }
        box.setStandardButtons(kind == Kind::Plain ? QMessageBox::Ok : QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
    }
    bool question(const QString& text) override {
        QMessageBox box(QMessageBox::Question, QStringLiteral(" Calvetra 4.0"), text,
                        QMessageBox::Yes | QMessageBox::No, activeWindow());
        box.setDefaultButton(QMessageBox::Yes);
        return box.exec() != QMessageBox::No;
    }
    int choose(const QString& text, const QStringList& buttons) override {
        QMessageBox box(QMessageBox::Warning, QStringLiteral(" Calvetra 4.0"), text, QMessageBox::NoButton,
                        activeWindow());
        QList<QAbstractButton*> added;
        for (qsizetype i = 0; i < buttons.size(); ++i) {
            const bool last = i + 1 == buttons.size();
            QPushButton* b = box.addButton(buttons[i], last ? QMessageBox::RejectRole
                                                       : i == 0 ? QMessageBox::AcceptRole
                                                                : QMessageBox::ActionRole);
            if (last) {
                box.setDefaultButton(b);
                box.setEscapeButton(b);
            }
            added << b;
        }
        box.exec();
        const qsizetype pressed = added.indexOf(box.clickedButton());
        return int(pressed < 0 ? buttons.size() - 1 : pressed);
    }
    QString chooseFile(const QString& title, const QString& filter) override {
        return QFileDialog::getOpenFileName(activeWindow(), title, QString(), filter);
    }
    QString chooseNewFile(const QString& title, const QString& filter, const QString& suggestedName) override {
        QFileDialog chooser(activeWindow(), title,
                            QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(suggestedName),
                            filter);
        chooser.setAcceptMode(QFileDialog::AcceptSave);
        chooser.setFileMode(QFileDialog::AnyFile);
        // A name typed without its extension gets the one of the kind of file ("*.zip": zip).
        chooser.setDefaultSuffix(QFileInfo(suggestedName).suffix());
        if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty()) return {};
        return chooser.selectedFiles().constFirst();
    }
};

class QtScreens final : public Screens {
public:
    int exec(QDialog* screen) override { return screen->exec(); }
};

class DesktopShell final : public Shell {
public:
    bool open(const QString& target) override {
        const bool address = target.contains(QLatin1String("://")) || target.startsWith(QLatin1String("mailto:"));
        return QDesktopServices::openUrl(address ? QUrl(target) : QUrl::fromLocalFile(target));
    }
};

class QtPrinting final : public Printing {
public:
    void print(const Report& report) override {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, activeWindow());
        if (dialog.exec() != QDialog::Accepted) return;
        printReport(report, printer);
    }
    void preview(const Report& report) override {
        TfrmAnteprima screen(report, activeWindow());
        screens().exec(&screen);
    }
};

class Silence final : public Sound {
public:
    void play(const QString&) override {}
    void stop() override {}
};

}  // namespace

Sound& sound() {
    static Silence silence;
    return services().sound ? *services().sound : silence;
}

Services& services() {
    static QtDialogs dialogs;
    static QtScreens screens;
    static DesktopShell shell;
    static QtPrinting printing;
    static Services current{&dialogs, &screens, &shell, &printing};
    return current;
}

bool printReport(const Report& report, QPrinter& printer) {
    printer.setPageOrientation(report.orientation() == Report::Orientation::Landscape ? QPageLayout::Landscape
                                                                                       : QPageLayout::Portrait);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(report.title());
    QPainter painter;
    if (!painter.begin(&printer)) return false;
    paintReport(report, painter, printer);
    return painter.end();
}

}  // namespace cal
