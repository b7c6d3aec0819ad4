// Calvetra: start-up.
#include "app/Application.h"
#include "core/ProgramFolder.h"
#include "ui/FontConfiguration.h"
#include "ui/Icons.h"
#include "ui/MediaSound.h"
#include "ui/Services.h"

#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    // While the application object is made and the program sets itself up (see the header).
    cal::startReadingFontConfiguration();
    QApplication app(argc, argv);
    // An installed copy works in the user's own program folder, set up at its first start.
    QString error;
    if (!cal::prepareProgramFolder(&error)) {
        cal::finishReadingFontConfiguration();
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral(" Calvetra 4.0"),
                        QString::fromUtf8("Attenzione: non è stato possibile preparare la cartella "
                                          "dei dati del programma (%1).")
                            .arg(error),
                        QMessageBox::Ok);
        cal::setMessagePicture(box, "dialog-error");
        box.exec();
        return 1;
    }
    cal::MediaSound alarm;
    cal::services().sound = &alarm;
    cal::Application program;
    program.start();
    return app.exec();
}
