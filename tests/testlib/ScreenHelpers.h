#pragma once
// What screen tests do again and again: press a toolbar command, read and open the lines of a
// result list, read the last message shown.
#include "testlib/FakeServices.h"

#include <QAbstractItemModel>
#include <QDialog>
#include <QListView>
#include <QToolButton>
#include <QtTest>

namespace caltest {

// Clicks the toolbar command of that name; fails the test when the screen has none.
inline void command(QWidget* screen, const char* name) {
    auto* b = screen->findChild<QToolButton*>(name);
    QVERIFY2(b, name);
    QTest::mouseClick(b, Qt::LeftButton);
}

inline QListView* resultList(QWidget* screen) { return screen->findChild<QListView*>("lstRecords"); }

// The lines of a search or list screen, in list order.
inline QStringList listLines(QWidget* screen) {
    QStringList out;
    const QAbstractItemModel* model = resultList(screen)->model();
    for (int i = 0; i < model->rowCount(); ++i) out << model->index(i, 0).data().toString();
    return out;
}

// Double-clicks a line of a search or list screen, as the user opens a record.
inline void openLine(QWidget* screen, int row) {
    QListView* l = resultList(screen);
    const QPoint p = l->visualRect(l->model()->index(row, 0)).center();
    QTest::mouseClick(l->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseDClick(l->viewport(), Qt::LeftButton, {}, p);
}

inline QString lastText(const FakeDialogs& dialogs) {
    return dialogs.messages.isEmpty() ? QString() : dialogs.messages.last().text;
}

}  // namespace caltest
