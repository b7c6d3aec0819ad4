#pragma once
// The login screen, the main window, and the change-password screen.
#include <QDialog>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace cal {

class TfrmPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmPassword(QWidget* parent = nullptr);
    void tryLogin();
    void reset();  // empty password field with the focus in it

signals:
    void loggedIn();
    void changePasswordRequested();
    void exitRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void updateOk();
    QLineEdit* txtPassword_;
    QPushButton* cmdOK_;
};

class TfrmCambiaPassword : public QWidget {
    Q_OBJECT
public:
    explicit TfrmCambiaPassword(QWidget* parent = nullptr);
    void change();

signals:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void updateOk();
    QLineEdit* txtPasswordOld_;
    QLineEdit* txtPasswordNew_;
    QLineEdit* txtConferma_;
    QPushButton* cmdOK_;
};


}  // namespace cal
