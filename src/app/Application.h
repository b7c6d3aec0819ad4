#pragma once
// Start-up: every screen created once, the login first, and the routes between them.
#include <QObject>

#include <memory>

namespace cal {

class TfrmPassword;
class TfrmCambiaPassword;
class TfrmAvvio;
class TfrmClienti;
class YearMenu;
class ArchiveScreen;

class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;
    // Shows the login screen.
    void start();

    TfrmPassword* login() const { return login_.get(); }
    TfrmCambiaPassword* changePassword() const { return change_.get(); }
    TfrmAvvio* launcher() const { return launcher_.get(); }
    TfrmClienti* clients() const { return clients_.get(); }
    YearMenu* serviceMenu() const { return serviceMenu_.get(); }
    YearMenu* mailMenu() const { return mailMenu_.get(); }
    YearMenu* articleMenu() const { return articleMenu_.get(); }

private:
    void openFromLauncher(QWidget* screen);
    void connectArchive(ArchiveScreen* screen);
    void connectYearMenu(YearMenu* menu, QWidget* archive);

    std::unique_ptr<TfrmPassword> login_;
    std::unique_ptr<TfrmAvvio> launcher_;
    std::unique_ptr<TfrmCambiaPassword> change_;
    std::unique_ptr<TfrmClienti> clients_;
    std::unique_ptr<YearMenu> serviceMenu_;
    std::unique_ptr<YearMenu> mailMenu_;
    std::unique_ptr<YearMenu> articleMenu_;
    bool ending_ = false;
};

// What every screen sets when created: the Italian locale with the short date "dd/mm/yyyy"
// and the comma as decimal separator; Qt's own dialogs in Italian.
void applyRegionalSettings();

}  // namespace cal
