#pragma once
// Test main for screen tests.
#include "testlib/CalTest.h"
#include "testlib/FakeServices.h"

#include <QApplication>

// For tests of screens: a QApplication in the Fusion style, Qt's dialogs in Italian.
#define CAL_WIDGET_TEST_MAIN(TestClass)                            \
    int main(int argc, char** argv) {                              \
        QApplication app(argc, argv);                              \
        QApplication::setStyle(QStringLiteral("Fusion"));          \
        QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy)); \
        TestClass tc;                                              \
        QTEST_SET_MAIN_SOURCE_PATH                                 \
        return QTest::qExec(&tc, argc, argv);                      \
    }

