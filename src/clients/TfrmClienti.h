#pragma once
// The client screen: the address book of the people and firms the office serves.
#include "screens/ArchiveScreen.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace cal {

class Report;

class TfrmClienti : public ArchiveScreen {
    Q_OBJECT
public:
    explicit TfrmClienti(QWidget* parent = nullptr);

    // The client card from the values now on the screen: the printed one, or the PDF one.
    Report card(bool forPdf) const;

    void preview();
    void print();
    void writePdf();
    void sendEmail();
    void openAssociatedFolder();
    void checkFiscalCode();

private:
    QLineEdit* edit(int field) const;
};

}  // namespace cal
