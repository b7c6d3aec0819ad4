#include "app/TfrmAvvio.h"

#include "app/DataBackup.h"
#include "screens/Catalog.h"
#include "screens/TfrmGuida.h"
#include "screens/TfrmInfo.h"
#include "screens/TfrmSplash.h"
#include "ui/Icons.h"
#include "ui/Regional.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace cal {
namespace {

const QString kInPreparation = QStringLiteral("In preparazione: questo archivio sarà disponibile in una prossima versione.");

}  // namespace

TfrmAvvio::TfrmAvvio(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("TfrmAvvio"));
    applyRegionalSettings();
    setWindowTitle(QStringLiteral(" Calvetra 4.0"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    auto* band = new QWidget(central);
    band->setObjectName(QStringLiteral("panTitolo"));
    band->setStyleSheet(QStringLiteral("#panTitolo { background: #1d4f91; border-radius: 6px; } QLabel { color: white; }"));
    auto* bandLayout = new QHBoxLayout(band);
    auto* logo = new QLabel(band);
    logo->setPixmap(QPixmap(QStringLiteral(":/images/calvetra.png")).scaled(56, 56, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    auto* heading = new QLabel(QStringLiteral("<span style='font-size:22pt; font-weight:bold;'>Calvetra 4.0</span><br>"
                                              "Scegliere l'ambiente di lavoro."),
                               band);
    bandLayout->addWidget(logo);
    bandLayout->addSpacing(10);
    bandLayout->addWidget(heading, 1);
    layout->addWidget(band);
    layout->addSpacing(12);

    QLabel* panInfo = makeStatusLine(central);
    auto* hints = new StatusHints(panInfo);

    // The ten archives as a grid of compact tiles, in the middle of the window: each tile its
    // picture, its name (the button the keyboard reaches) and what the archive holds; an archive
    // not yet available says so on its tile, greyed.
    auto* grid = new QGridLayout;
    grid->setSpacing(12);
    constexpr int kColumns = 5;
    int i = 0;
    for (const LauncherEntry& e : launcherEntries()) {
        const QString name = QString::fromLatin1(e.entry);
        auto* tile = new QFrame(central);
        tile->setObjectName("pan" + name);
        tile->setFrameShape(QFrame::StyledPanel);
        // The tiles share the row equally, whatever their texts.
        tile->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
        auto* tileLayout = new QVBoxLayout(tile);
        tileLayout->setContentsMargins(10, 10, 10, 8);
        tileLayout->setSpacing(6);
        auto* img = new QToolButton(tile);
        img->setObjectName("img" + name);
        img->setIcon(programIcon(e.icon));
        img->setIconSize(QSize(48, 48));
        img->setAutoRaise(true);
        img->setAccessibleName(QString::fromUtf8(e.caption));
        img->setFocusPolicy(Qt::NoFocus);  // the tile's button below is its Tab stop
        auto* btn = new QPushButton(QString::fromUtf8(e.caption), tile);
        btn->setObjectName("btn" + name);
        btn->setStyleSheet(QStringLiteral("QPushButton { padding: 5px 8px; font-size: 11pt; font-weight: bold; }"));
        img->setFocusProxy(btn);
        auto* about = new QLabel(QString::fromUtf8(e.hint), tile);
        about->setObjectName("lblDescrizione" + name);
        about->setWordWrap(true);
        about->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        about->setMinimumHeight(3 * about->fontMetrics().lineSpacing());
        auto* state = new QLabel(QStringLiteral("In preparazione"), tile);
        state->setObjectName("lblStato" + name);
        state->setAlignment(Qt::AlignHCenter);
        state->setEnabled(false);
        tileLayout->addWidget(img, 0, Qt::AlignHCenter);
        tileLayout->addWidget(btn);
        tileLayout->addWidget(about);
        tileLayout->addWidget(state);
        // Never narrower than its name.
        tile->setMinimumWidth(std::max(180, btn->sizeHint().width() + 24));
        hints->add(img, QString::fromUtf8(e.hint));
        hints->add(btn, QString::fromUtf8(e.hint));
        btn->setEnabled(false);
        img->setEnabled(false);
        btn->setToolTip(kInPreparation);
        img->setToolTip(kInPreparation);
        grid->addWidget(tile, i / kColumns, i % kColumns);
        ++i;
    }
    for (int c = 0; c < kColumns; ++c) grid->setColumnStretch(c, 1);
    // At most as wide as five tiles need to read well; centred on wider screens.
    auto* tiles = new QWidget(central);
    tiles->setObjectName(QStringLiteral("panArchivi"));
    tiles->setLayout(grid);
    tiles->setMaximumWidth(1500);
    auto* centred = new QHBoxLayout;
    centred->addStretch(1);
    centred->addWidget(tiles, 100);
    centred->addStretch(1);
    layout->addStretch(1);
    layout->addLayout(centred);
    layout->addStretch(1);
    layout->addSpacing(12);

    auto* commands = new QHBoxLayout;
    struct Command {
        const char* name;
        const char* caption;
        const char* hint;
        const char* icon;  // its picture in the program's set
        std::function<void()> action;
        const char* logo = nullptr;  // the program's logo in place of a picture of the set
        const char* keys = nullptr;  // its shortcut, shown in its tooltip
    };
    const Command cmds[] = {
        {"imgGuida", "Guida", "Visualizza la guida in linea.", "help-contents",
         [] { showHelp(QStringLiteral("Uno sguardo a Calvetra 4.0.")); }},
        {"imgInfo", "Informazioni", "Informazioni e assistenza.", "help-about", [] { showInfo(); }},
        {"imgSplash", "Calvetra", "Informazioni sul programma.", nullptr, [] { showAbout(); }, ":/images/calvetra_small.png"},
        {"imgSito", "Sito web", "Visita il sito Internet del programma.", "globe", [] { shell().open(kProductWebAddress); }},
        {"imgCopia", "Copia di sicurezza",
         "Salva una copia di sicurezza di tutti i dati in un file, per esempio su una chiavetta USB.",
         "drive-removable-media-usb-pendrive", [] { backupProgramData(); }, nullptr, "Ctrl+B"},
        {"imgRipristina", "Ripristina", "Ripristina i dati da una copia di sicurezza.", "document-revert",
         [] { restoreProgramData(); }, nullptr, "Ctrl+Shift+R"},
        {"imgEsci", "Esci", "Esci dal programma.", "application-exit", [this] { close(); }},
    };
    for (const Command& c : cmds) {
        const QIcon icon = c.logo ? QIcon(QString::fromLatin1(c.logo)) : programIcon(c.icon);
        QToolButton* b = makeCommandButton(central, hints, QString::fromLatin1(c.name), icon,
                                           QString::fromUtf8(c.caption), QString::fromUtf8(c.hint));
        b->setIconSize(kToolbarIconSize);
        if (c.keys) {
            const QKeySequence keys(QString::fromLatin1(c.keys));
            b->setShortcut(keys);
            b->setToolTip(b->toolTip() + QStringLiteral(" (") + keys.toString(QKeySequence::NativeText) + u')');
        }
        connect(b, &QToolButton::clicked, this, c.action);
        commands->addWidget(b);
    }
    commands->addStretch();
    layout->addLayout(commands);
    layout->addWidget(panInfo);
    setCentralWidget(central);
}

void TfrmAvvio::setEntry(const QString& entry, std::function<void()> open) {
    for (const QString& prefix : {QStringLiteral("img"), QStringLiteral("btn")}) {
        auto* w = findChild<QAbstractButton*>(prefix + entry);
        if (!w) continue;
        w->setEnabled(true);
        w->setToolTip(w->property("hint").toString());
        connect(w, &QAbstractButton::clicked, this, open);
    }
    if (auto* state = findChild<QLabel*>("lblStato" + entry)) state->hide();
}

void TfrmAvvio::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    emit exitRequested();
}

}  // namespace cal
