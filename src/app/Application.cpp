#include "app/Application.h"

#include "app/TfrmAvvio.h"
#include "app/TfrmPassword.h"
#include "app/YearMenu.h"
#include "clients/ClientScreens.h"
#include "clients/TfrmClienti.h"
#include "ui/Resources.h"
#include "ui/Windows.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace cal {

void applyRegionalSettings() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    static bool translated = false;
    if (translated || !qApp) return;
    translated = true;
    auto* qtbase = new QTranslator(qApp);
    if (qtbase->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtbase);
}

Application::Application() {
    initResources();
    applyRegionalSettings();
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Calvetra"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/calvetra.png")));
    ensurePasswordFile();

    // Created once, the login first; afterwards only shown and hidden.
    login_ = std::make_unique<TfrmPassword>();
    launcher_ = std::make_unique<TfrmAvvio>();
    change_ = std::make_unique<TfrmCambiaPassword>();
    clients_ = std::make_unique<TfrmClienti>();
    serviceMenu_ = std::make_unique<YearMenu>(kServiceYearMenu);
    serviceMenu_->addFeeSummary();
    mailMenu_ = std::make_unique<YearMenu>(kMailYearMenu);
    articleMenu_ = std::make_unique<YearMenu>(kArticleYearMenu);
    setClientScreen(clients_.get());

    auto quit = [this] {
        if (ending_) return;
        ending_ = true;
        QApplication::quit();
    };
    connect(login_.get(), &TfrmPassword::exitRequested, this, quit);
    connect(launcher_.get(), &TfrmAvvio::exitRequested, this, quit);
    connect(login_.get(), &TfrmPassword::loggedIn, this, [this] {
        showFull(launcher_.get());
        login_->hide();
    });
    connect(login_.get(), &TfrmPassword::changePasswordRequested, this, [this] {
        showCentred(change_.get());
        login_->hide();
    });
    connect(change_.get(), &TfrmCambiaPassword::closed, this, [this] {
        showCentred(login_.get());
        login_->reset();
    });

    connectArchive(clients_.get());
    launcher_->setEntry(QStringLiteral("Clienti"), [this] { openFromLauncher(clients_.get()); });
    // The per-year archives join when their screens exist.
    connectYearMenu(serviceMenu_.get(), nullptr);
    connectYearMenu(mailMenu_.get(), nullptr);
    connectYearMenu(articleMenu_.get(), nullptr);
}

Application::~Application() = default;

void Application::start() { showCentred(login_.get()); }

void Application::openFromLauncher(QWidget* screen) {
    showFull(screen);
    launcher_->hide();
}

void Application::connectArchive(ArchiveScreen* screen) {
    connect(screen, &ArchiveScreen::closed, this, [this, screen] {
        if (ending_) return;
        showFull(launcher_.get());
        screen->hide();
    });
}

void Application::connectYearMenu(YearMenu* menu, QWidget* archive) {
    connect(menu, &YearMenu::routed, this, [this, menu, archive](const QString& keyword) {
        if (ending_) return;
        if (keyword == QLatin1String("avvio") || !archive) showFull(launcher_.get());
        else showFull(archive);
        menu->hide();
    });
}

}  // namespace cal
