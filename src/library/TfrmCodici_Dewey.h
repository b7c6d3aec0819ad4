#pragma once
// The Dewey classification table: the built-in list of classes with their Italian captions,
// find in the list, print, and the pick of a class into the book screen's Dewey field.
#include "core/Search.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>

class QLabel;
class QLineEdit;
class QListView;
class QStringListModel;
class QTimer;

namespace cal {

class ArchiveScreen;

// The 1-line entries of the table in table order ("641 CIBI E ALIMENTI"), read once from the
// program's resources.
const QStringList& deweyTable();

class TfrmCodici_Dewey : public QDialog {
    Q_OBJECT
public:
    // `caller`: the book screen whose Dewey field a pick fills.
    explicit TfrmCodici_Dewey(ArchiveScreen* caller, QWidget* parent = nullptr);

    // The caller keyword (`lblMemory`): "libri" lets a pick fill the book screen.
    void setKeyword(const QString& keyword);

    // Adds the table to the list and hides the loading picture (the load timer calls it).
    void loadTable();
    void findInList();
    void printTable();
    // Writes the class of `row` into the caller's Dewey field and closes (no row: closes).
    void pick(int row);

    QStringList lines() const;
    int currentRow() const;

private:
    QPointer<ArchiveScreen> caller_;
    QListView* lstRecords_;
    QStringListModel* model_;
    QLineEdit* txtTrova_;
    QLabel* panDewey_;
    QLabel* lblAttendere_;
    QLabel* lblMemory_;
    QTimer* loadTimer_;
};

// Opens the table for the book screen, modally, and puts the focus into its Dewey field when the
// table closes.
void openDeweyTable(ArchiveScreen& books);

}  // namespace cal
