#include "app/Application.h"

#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/YearMenu.h"
#include "ui/Icons.h"
#include "ui/Regional.h"
#include "ui/Resources.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QIcon>
#include <QEvent>
#include <QTimer>

namespace cal {

Application::Application() {
    initResources();
    applyRegionalSettings();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Calvetra"));
    QApplication::setWindowIcon(QIcon(programPicture(QStringLiteral(":/images/calvetra.png"))));
    // The password file is the installation's: without it no password is accepted.

    // The login waits for the font configuration main started reading (ui/FontConfiguration.h)
    // before its first widget that needs a font.
    login_ = std::make_unique<TfrmPassword>();
    connect(login_.get(), &TfrmPassword::exitRequested, this, &Application::quit);
    connect(login_.get(), &TfrmPassword::loggedIn, this, [this] {
        showFull(launcher());
        login_->hide();
    });
    connect(login_.get(), &TfrmPassword::changePasswordRequested, this, [this] {
        showCentred(changePassword());
        login_->hide();
    });
}

void Application::quit() {
    if (ending_) return;
    ending_ = true;
    QApplication::quit();
}

TfrmAvvio* Application::launcher() {
    if (launcher_) return launcher_.get();
    launcher_ = std::make_unique<TfrmAvvio>();
    connect(launcher_.get(), &TfrmAvvio::exitRequested, this, &Application::quit);
    for (const LauncherEntry& e : launcherEntries()) {
        // In preparation: the entry stays disabled.
        if (e.screen ? !findOtherScreen(e.screen) : (!e.archive || !findArchive(e.archive))) continue;
        launcher_->setEntry(QString::fromLatin1(e.entry), [this, &e] { openFromLauncher(e); });
    }
    return launcher_.get();
}

Application::~Application() {
    // Archive screens first: closing them at exit must not route to the launcher.
    ending_ = true;
    archives_.clear();
    menus_.clear();
    others_.clear();
}

void Application::start() {
    // The launcher is built while the user types the password, once the login is on screen:
    // building it first would only delay the login.
    login_->installEventFilter(this);
    showCentred(login_.get());
}

bool Application::eventFilter(QObject* watched, QEvent* event) {
    if (watched == login_.get() && event->type() == QEvent::Paint) {
        login_->removeEventFilter(this);
        QTimer::singleShot(0, this, [this] { launcher(); });
    }
    return QObject::eventFilter(watched, event);
}

TfrmCambiaPassword* Application::changePassword() {
    if (!change_) {
        change_ = std::make_unique<TfrmCambiaPassword>();
        connect(change_.get(), &TfrmCambiaPassword::closed, this, [this] {
            showCentred(login_.get());
            login_->reset();
        });
    }
    return change_.get();
}

ArchiveScreen* Application::archive(std::string_view objectName) {
    if (auto it = archives_.find(objectName); it != archives_.end()) return it->second.get();
    const ArchiveModule* module = findArchive(objectName);
    if (!module) return nullptr;
    ArchiveScreen* screen = module->create();
    archives_.emplace(std::string(objectName), std::unique_ptr<ArchiveScreen>(screen));
    connect(screen, &ArchiveScreen::closed, this, [this, screen] {
        if (ending_) return;
        showFull(launcher());
        screen->hide();
    });
    return screen;
}

YearMenu* Application::yearMenu(std::string_view objectName) {
    if (auto it = menus_.find(objectName); it != menus_.end()) return it->second.get();
    const LauncherEntry* entry = nullptr;
    for (const LauncherEntry& e : launcherEntries())
        if (e.yearMenu && objectName == e.yearMenu->objectName) entry = &e;
    if (!entry) return nullptr;
    auto* menu = new YearMenu(*entry->yearMenu);
    menus_.emplace(std::string(objectName), std::unique_ptr<YearMenu>(menu));
    const char* archiveName = entry->archive;
    if (archiveName) menu->setArchive([this, archiveName] { return archive(archiveName); });
    connect(menu, &YearMenu::routed, this, [this, menu, archiveName](const QString& keyword) {
        if (ending_) return;
        const YearMenuTexts& texts = menu->texts();
        QWidget* screen = nullptr;
        if (archiveName && keyword == QLatin1String(texts.keyword)) screen = archive(archiveName);
        else if (texts.otherScreen && keyword == QLatin1String(texts.otherKeyword)) screen = otherScreen(texts.otherScreen);
        showFull(screen ? screen : launcher());
        menu->hide();
    });
    return menu;
}

QWidget* Application::otherScreen(std::string_view objectName) {
    if (auto it = others_.find(objectName); it != others_.end()) return it->second.get();
    const OtherScreen* other = findOtherScreen(objectName);
    if (!other) return nullptr;
    QWidget* screen = other->create();
    others_.emplace(std::string(objectName), std::unique_ptr<QWidget>(screen));
    // Such screens say that the user left them with a closed() signal, as archive screens do; a
    // menu says instead which screen comes next with routed(QString).
    const QMetaObject* meta = screen->metaObject();
    if (meta->indexOfSignal("closed()") >= 0) connect(screen, SIGNAL(closed()), this, SLOT(otherScreenClosed()));
    if (meta->indexOfSignal("routed(QString)") >= 0)
        connect(screen, SIGNAL(routed(QString)), this, SLOT(otherScreenRouted(QString)));
    return screen;
}

void Application::otherScreenRouted(const QString& name) {
    if (ending_) return;
    auto* menu = qobject_cast<QWidget*>(sender());
    const std::string target = name.toStdString();
    QWidget* next = nullptr;
    if (!target.empty()) next = archive(target);
    if (!next && !target.empty()) next = otherScreen(target);
    showFull(next ? next : launcher());
    if (menu) menu->hide();
}

void Application::otherScreenClosed() {
    if (ending_) return;
    if (auto* screen = qobject_cast<QWidget*>(sender())) screen->hide();
    showFull(launcher());
}

int Application::screensCreated() const {
    return int(archives_.size() + menus_.size() + others_.size()) + (change_ ? 1 : 0);
}

void Application::openFromLauncher(const LauncherEntry& entry) {
    QWidget* screen = entry.screen     ? otherScreen(entry.screen)
                      : entry.yearMenu ? static_cast<QWidget*>(yearMenu(entry.yearMenu->objectName))
                                       : static_cast<QWidget*>(archive(entry.archive));
    if (!screen) return;
    showFull(screen);
    launcher()->hide();
}

}  // namespace cal
