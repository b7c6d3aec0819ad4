// Calvetra: start-up.
#include "app/Application.h"
#include "ui/MediaSound.h"
#include "ui/Services.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    cal::MediaSound alarm;
    cal::services().sound = &alarm;
    cal::Application program;
    program.start();
    return app.exec();
}
