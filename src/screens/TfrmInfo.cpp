#include "screens/TfrmInfo.h"

#include "screens/TfrmGuida.h"
#include "screens/TfrmSplash.h"
#include "ui/LinkLabel.h"
#include "ui/Services.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {

QString supportMailTarget() {
    return QStringLiteral("mailto:") + QLatin1String(kSupportAddress) + QStringLiteral("?subject=") +
           QStringLiteral("Software Calvetra") + QStringLiteral("&body=") +
           QStringLiteral("Salve, desidererei avere le seguenti informazioni sul software in oggetto:");
}

QString iconAttribution() {
    return QStringLiteral("Icone: tema Breeze della comunità KDE (https://kde.org), "
                          "distribuito con licenza GNU LGPL versione 3 o successiva.");
}

QString deweyAttribution() {
    return QStringLiteral(
        "Didascalie della classificazione Dewey tradotte da 'List of Dewey Decimal classes' (contributori di "
        "Wikipedia, CC BY-SA 4.0); suddivisioni in parte dalla Free Decimal Correspondence (CC0).");
}

TfrmInfo::TfrmInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmInfo"));
    setWindowTitle(QStringLiteral(" Informazioni su Calvetra"));
    setModal(true);

    auto* imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QPixmap(QStringLiteral(":/images/calvetra.png")));
    imgLogo->setAccessibleName(QStringLiteral("Calvetra 4.0"));

    auto* lblProdotto = new QLabel(QStringLiteral("Calvetra 4.0"), this);
    lblProdotto->setObjectName(QStringLiteral("lblProdotto"));
    QFont big = lblProdotto->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    lblProdotto->setFont(big);
    auto* lblDescrizione = new QLabel(
        QString::fromUtf8(kProductDescription) +
            QStringLiteral("\nPer richiedere assistenza o informazioni sul software scrivere a:"),
        this);
    lblDescrizione->setObjectName(QStringLiteral("lblDescrizione"));
    lblDescrizione->setWordWrap(true);

    const QString address = QLatin1String(kSupportAddress);
    imgEmail = new LinkLabel(QPixmap(QStringLiteral(":/images/email.png")), address, this);
    imgEmail->setObjectName(QStringLiteral("imgEmail"));
    lnkWeb = new LinkLabel(address, this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    const auto writeMail = [] { shell().open(supportMailTarget()); };
    connect(imgEmail, &LinkLabel::clicked, this, writeMail);
    connect(lnkWeb, &LinkLabel::clicked, this, writeMail);

    auto* lblDewey = new QLabel(deweyAttribution(), this);
    lblDewey->setObjectName(QStringLiteral("lblDewey"));
    lblDewey->setWordWrap(true);
    QFont small = lblDewey->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    lblDewey->setFont(small);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* mail = new QHBoxLayout;
    mail->addWidget(imgEmail);
    mail->addWidget(lnkWeb);
    mail->addStretch();
    auto* text = new QVBoxLayout;
    text->addWidget(lblProdotto);
    text->addWidget(lblDescrizione);
    text->addLayout(mail);
    text->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(imgLogo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addWidget(lblDewey);
    auto* lblIcone = new QLabel(iconAttribution(), this);
    lblIcone->setObjectName(QStringLiteral("lblIcone"));
    lblIcone->setWordWrap(true);
    lblIcone->setFont(small);
    layout->addWidget(lblIcone);
    layout->addLayout(bottom);
    setMinimumWidth(600);
    btnChiudi->setFocus();
}

void showInfo() {
    TfrmInfo screen(QApplication::activeWindow());
    screens().exec(&screen);
}

}  // namespace cal
