#include "app/TfrmAvvio.h"

#include "ui/Regional.h"
#include "screens/TfrmGuida.h"
#include "screens/TfrmInfo.h"
#include "screens/TfrmSplash.h"
#include "ui/Services.h"
#include "ui/StatusHints.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {
namespace {

struct Entry {
    const char* name;  // imgX and btnX
    const char* caption;
    const char* hint;
    QStyle::StandardPixmap icon;
};

const Entry kEntries[] = {
    {"Clienti", "Anagrafica Clienti", "Archivio dei clienti: dati anagrafici, recapiti, dati fiscali.", QStyle::SP_DirHomeIcon},
    {"Tariffario", "Tariffario Servizi", "Catalogo dei servizi con tariffe ordinarie e scontate.", QStyle::SP_FileDialogListView},
    {"Servizi", "Registro Servizi", "Registro annuale dei servizi prestati e riepilogo dei compensi.", QStyle::SP_FileDialogDetailedView},
    {"Posta", "Protocollo Posta", "Protocollo annuale della posta in entrata e in uscita.", QStyle::SP_DialogOpenButton},
    {"Documenti", "Archivio Documenti", "Archivio dei documenti con copia digitale e allegati.", QStyle::SP_DirIcon},
    {"Scadenzario", "Scadenze e Appuntamenti", "Scadenze e appuntamenti dell'anno, con avviso delle scadenze imminenti.", QStyle::SP_MessageBoxWarning},
    {"Bonifici", "Registro Bonifici", "Bonifici emessi e ricevuti.", QStyle::SP_ArrowRight},
    {"Riepiloghi", "Riepilogo Movimenti", "Riepilogo dei bonifici di un periodo.", QStyle::SP_FileDialogInfoView},
    {"Libri", "Archivio Libri", "Biblioteca con prestiti e classificazione Dewey.", QStyle::SP_DriveCDIcon},
    {"Articoli", "Schedario Articoli", "Schedario annuale degli articoli di giornale.", QStyle::SP_FileIcon},
};

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

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    int i = 0;
    for (const Entry& e : kEntries) {
        const QString name = QString::fromLatin1(e.name);
        auto* img = new QToolButton(central);
        img->setObjectName("img" + name);
        img->setIcon(style()->standardIcon(e.icon));
        img->setIconSize(QSize(40, 40));
        img->setAutoRaise(true);
        img->setAccessibleName(QString::fromUtf8(e.caption));
        img->setFocusPolicy(Qt::NoFocus);
        auto* btn = new QPushButton(QString::fromUtf8(e.caption), central);
        btn->setObjectName("btn" + name);
        btn->setMinimumWidth(260);
        btn->setMinimumHeight(40);
        btn->setStyleSheet(QStringLiteral("text-align: left; padding: 6px 12px; font-size: 11pt;"));
        hints->add(img, QString::fromUtf8(e.hint));
        hints->add(btn, QString::fromUtf8(e.hint));
        btn->setEnabled(false);
        img->setEnabled(false);
        btn->setToolTip(kInPreparation);
        img->setToolTip(kInPreparation);
        grid->addWidget(img, i / 2, (i % 2) * 2);
        grid->addWidget(btn, i / 2, (i % 2) * 2 + 1);
        ++i;
    }
    auto* gridRow = new QHBoxLayout;
    gridRow->addLayout(grid);
    gridRow->addStretch();
    layout->addLayout(gridRow);
    layout->addStretch();

    auto* commands = new QHBoxLayout;
    struct Command {
        const char* name;
        const char* caption;
        const char* hint;
        QStyle::StandardPixmap icon;
        std::function<void()> action;
        const char* picture = nullptr;
    };
    const Command cmds[] = {
        {"imgGuida", "Guida", "Visualizza la guida in linea.", QStyle::SP_DialogHelpButton,
         [] { showHelp(QStringLiteral("Uno sguardo a Calvetra 4.0.")); }},
        {"imgInfo", "Informazioni", "Informazioni e assistenza.", QStyle::SP_MessageBoxInformation, [] { showInfo(); }},
        {"imgSplash", "Calvetra", "Informazioni sul programma.", QStyle::SP_ComputerIcon, [] { showAbout(); }, ":/images/calvetra_small.png"},
        {"imgSito", "Sito web", "Visita il sito Internet del programma.", QStyle::SP_DriveNetIcon,
         [] { shell().open(kProductWebAddress); }, ":/images/web.png"},
        {"imgEsci", "Esci", "Esci dal programma.", QStyle::SP_DialogCloseButton, [this] { close(); }},
    };
    for (const Command& c : cmds) {
        const QIcon icon = c.picture ? QIcon(QString::fromLatin1(c.picture)) : style()->standardIcon(c.icon);
        QToolButton* b = makeCommandButton(central, hints, QString::fromLatin1(c.name), icon,
                                           QString::fromUtf8(c.caption), QString::fromUtf8(c.hint));
        b->setIconSize(QSize(28, 28));
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
}

void TfrmAvvio::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    emit exitRequested();
}

}  // namespace cal
