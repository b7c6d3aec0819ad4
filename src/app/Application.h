#pragma once
// Start-up and routing: the login and the launcher are created at start; every other screen is
// created the first time it is opened and afterwards only shown and hidden. What the launcher
// opens, and through which year menu, comes from the archive modules' launcher tiles.
#include <QObject>

#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace cal {

class TfrmPassword;
class TfrmCambiaPassword;
class TfrmAvvio;
class YearMenu;
class ArchiveScreen;
struct LauncherEntry;


class Application : public QObject {
    Q_OBJECT
public:
    Application();
    ~Application() override;
    // Shows the login screen.
    void start();

    TfrmPassword* login() const { return login_.get(); }
    TfrmCambiaPassword* changePassword();
    // The launcher, created right after the login is first painted (or when first asked for).
    TfrmAvvio* launcher();
    // The archive screen of that name, created on first use; nullptr when none is registered.
    ArchiveScreen* archive(std::string_view objectName);
    // Another working screen of an archive (the fee summary), created on first use; nullptr when
    // none is registered.
    QWidget* otherScreen(std::string_view objectName);
    // The year menu of that name, created on first use.
    YearMenu* yearMenu(std::string_view objectName);
    // How many screens exist besides the login and the launcher (for start-up checks).
    int screensCreated() const;

private slots:
    void otherScreenClosed();
    // A menu among the other screens closed: show the screen it names (the launcher for none).
    void otherScreenRouted(const QString& screen);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void openFromLauncher(const LauncherEntry& entry);
    void quit();
    void showArchive(ArchiveScreen* screen);

    std::unique_ptr<TfrmPassword> login_;
    std::unique_ptr<TfrmAvvio> launcher_;
    std::unique_ptr<TfrmCambiaPassword> change_;
    std::map<std::string, std::unique_ptr<ArchiveScreen>, std::less<>> archives_;
    std::map<std::string, std::unique_ptr<YearMenu>, std::less<>> menus_;
    std::map<std::string, std::unique_ptr<QWidget>, std::less<>> others_;
    bool ending_ = false;
};

}  // namespace cal
