#include "screens/TfrmSplash.h"

#include "screens/TfrmGuida.h"
#include "ui/LinkLabel.h"
#include "ui/Services.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace cal {

TfrmSplash::TfrmSplash(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmSplash"));
    setWindowTitle(QStringLiteral(" Calvetra 4.0"));
    setModal(true);

    auto* imgLogo = new QLabel(this);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setPixmap(QPixmap(QStringLiteral(":/images/calvetra.png")));
    imgLogo->setAccessibleName(QStringLiteral("Calvetra 4.0"));
    imgLogo->setAlignment(Qt::AlignCenter);

    auto* lblProdotto = new QLabel(QStringLiteral("Calvetra 4.0"), this);
    lblProdotto->setObjectName(QStringLiteral("lblProdotto"));
    QFont big = lblProdotto->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 2);
    lblProdotto->setFont(big);
    lblProdotto->setAlignment(Qt::AlignCenter);
    auto* lblDescrizione = new QLabel(
        QString::fromUtf8(kProductDescription) + QStringLiteral("\nVersione 4.0"), this);
    lblDescrizione->setObjectName(QStringLiteral("lblDescrizione"));
    lblDescrizione->setAlignment(Qt::AlignCenter);

    const QString address = QLatin1String(kWebAddress);
    imgWeb = new LinkLabel(QPixmap(QStringLiteral(":/images/web.png")), address, this);
    imgWeb->setObjectName(QStringLiteral("imgWeb"));
    lnkWeb = new LinkLabel(address, this);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    const auto visit = [address] { shell().open(address); };
    connect(imgWeb, &LinkLabel::clicked, this, visit);
    connect(lnkWeb, &LinkLabel::clicked, this, visit);

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), this);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::accept);

    auto* web = new QHBoxLayout;
    web->addStretch();
    web->addWidget(imgWeb);
    web->addWidget(lnkWeb);
    web->addStretch();
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnChiudi);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(imgLogo);
    layout->addWidget(lblProdotto);
    layout->addWidget(lblDescrizione);
    layout->addSpacing(8);
    layout->addLayout(web);
    layout->addSpacing(8);
    layout->addLayout(bottom);
    setMinimumWidth(380);
    btnChiudi->setFocus();
}

void showAbout() {
    TfrmSplash screen(QApplication::activeWindow());
    screens().exec(&screen);
}

}  // namespace cal
