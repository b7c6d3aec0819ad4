// Calvetra: start-up.
#include "app/Application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    cal::Application program;
    program.start();
    return app.exec();
}
