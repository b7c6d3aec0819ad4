#include "library/TfrmCodici_Dewey.h"

#include "library/BookLayout.h"
#include "report/Printouts.h"
#include "screens/ArchiveScreen.h"
#include "screens/FieldEditor.h"
#include "screens/SearchScreen.h"
#include "ui/KeyRules.h"
#include "ui/Services.h"

#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStackedLayout>
#include <QStringListModel>
#include <QTimer>
#include <QVBoxLayout>

namespace cal {
namespace {

// The last text found is remembered while the program runs, also when the table is opened again.
ListFinder& finder() {
    static ListFinder f;
    return f;
}

QLabel* textLabel(const char* name, const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

const QStringList& deweyTable() {
    static const QStringList table = [] {
        QFile file(QStringLiteral(":/data/dewey_it.txt"));
        QStringList lines;
        if (!file.open(QIODevice::ReadOnly)) return lines;
        for (const QByteArray& line : file.readAll().split('\n')) {
            const QString text = QString::fromLatin1(line).trimmed();
            if (!text.isEmpty()) lines << text;
        }
        return lines;
    }();
    return table;
}

TfrmCodici_Dewey::TfrmCodici_Dewey(ArchiveScreen* caller, QWidget* parent) : QDialog(parent), caller_(caller) {
    setObjectName(QStringLiteral("TfrmCodici_Dewey"));
    setWindowTitle(QStringLiteral(" Tabella Codici Dewey"));
    setModal(true);

    auto* box = new QVBoxLayout(this);
    box->addWidget(textLabel("lblRigo01", QString::fromUtf8("Immettere una o più parole consecutive presenti nella voce in "
                                                           "elenco da cercare e premere il pulsante Trova."), this));
    box->addWidget(textLabel("lblRigo02", QStringLiteral("Per spostarsi sulla voce successiva contenente la stessa chiave "
                                                         "di ricerca, fare di nuovo clic su Trova."), this));
    box->addWidget(textLabel("lblRigo03", QStringLiteral("Per importare un codice Dewey dall'elenco, selezionarlo con un "
                                                         "doppio clic."), this));

    // The list, and over it the loading picture until the table is in.
    auto* listArea = new QWidget(this);
    auto* stack = new QStackedLayout(listArea);
    stack->setStackingMode(QStackedLayout::StackAll);
    model_ = new QStringListModel(this);
    lstRecords_ = new QListView(listArea);
    lstRecords_->setObjectName(QStringLiteral("lstRecords"));
    lstRecords_->setAccessibleName(QStringLiteral("Tabella dei codici Dewey"));
    lstRecords_->setModel(model_);
    lstRecords_->setFont(listFont());
    lstRecords_->setUniformItemSizes(true);
    lstRecords_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords_->setMinimumSize(760, 380);
    panDewey_ = new QLabel(listArea);
    panDewey_->setObjectName(QStringLiteral("panDewey"));
    panDewey_->setAlignment(Qt::AlignCenter);
    panDewey_->setPixmap(QPixmap(QStringLiteral(":/images/calvetra.png"))
                             .scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    panDewey_->setStyleSheet(QStringLiteral("background: white; border: 1px solid #a0a0a0;"));
    panDewey_->setAccessibleName(QStringLiteral("Caricamento della tabella"));
    stack->addWidget(lstRecords_);
    stack->addWidget(panDewey_);
    stack->setCurrentWidget(panDewey_);
    box->addWidget(listArea, 1);

    auto* row = new QHBoxLayout;
    txtTrova_ = new QLineEdit(this);
    txtTrova_->setObjectName(QStringLiteral("txtTrova"));
    txtTrova_->setAccessibleName(QStringLiteral("Testo da cercare"));
    auto* btnTrova = button("btnTrova", QStringLiteral("Trova"), this);
    auto* btnStampa = button("btnStampa", QStringLiteral("Stampa"), this);
    lblAttendere_ = textLabel("lblAttendere", QStringLiteral("Stampa in corso. Attendere..."), this);
    lblAttendere_->hide();
    auto* btnChiudi = button("btnChiudi", QStringLiteral("Chiudi"), this);
    lblMemory_ = textLabel("lblMemory", QString(), this);
    lblMemory_->hide();
    row->addWidget(txtTrova_, 1);
    row->addWidget(btnTrova);
    row->addSpacing(20);
    row->addWidget(btnStampa);
    row->addWidget(lblAttendere_);
    row->addStretch();
    row->addWidget(btnChiudi);
    box->addLayout(row);

    enterMovesTo(txtTrova_, btnTrova);
    connect(btnTrova, &QPushButton::clicked, this, &TfrmCodici_Dewey::findInList);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmCodici_Dewey::printTable);
    connect(btnChiudi, &QPushButton::clicked, this, &QDialog::reject);
    connect(lstRecords_, &QListView::doubleClicked, this, [this](const QModelIndex& i) { pick(i.row()); });

    // Shown at once with the loading picture; the table comes in a second later.
    loadTimer_ = new QTimer(this);
    loadTimer_->setSingleShot(true);
    loadTimer_->setTimerType(Qt::PreciseTimer);
    loadTimer_->setInterval(1000);
    connect(loadTimer_, &QTimer::timeout, this, &TfrmCodici_Dewey::loadTable);
    txtTrova_->setFocus(Qt::OtherFocusReason);
    loadTimer_->start();
}

void TfrmCodici_Dewey::setKeyword(const QString& keyword) { lblMemory_->setText(keyword); }

void TfrmCodici_Dewey::loadTable() {
    loadTimer_->stop();
    model_->setStringList(deweyTable());
    if (model_->rowCount() > 0) lstRecords_->setCurrentIndex(model_->index(0));
    panDewey_->hide();
}

QStringList TfrmCodici_Dewey::lines() const { return model_->stringList(); }

int TfrmCodici_Dewey::currentRow() const {
    const QModelIndex i = lstRecords_->currentIndex();
    return i.isValid() ? i.row() : -1;
}

void TfrmCodici_Dewey::findInList() {
    const auto result = finder().find(lines(), currentRow(), txtTrova_->text());
    if (result.outcome == ListFinder::Outcome::EmptyList) {
        plainMessage(QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce."));
        return;
    }
    const QModelIndex i = model_->index(result.selected);
    lstRecords_->setCurrentIndex(i);
    lstRecords_->scrollTo(i);
}

void TfrmCodici_Dewey::printTable() {
    lblAttendere_->show();
    lblAttendere_->repaint();
    printing().print(listingReport(QStringLiteral("Tabella Codici Dewey"), lines()));
    lblAttendere_->hide();
}

void TfrmCodici_Dewey::pick(int row) {
    const QStringList all = lines();
    if (row >= 0 && row < all.size() && lblMemory_->text() == QLatin1String("libri") && caller_) {
        if (QWidget* dewey = caller_->fieldWidget(BookField::Dewey)) setWidgetText(dewey, all[row].left(3));
    }
    accept();
}

void openDeweyTable(ArchiveScreen& books) {
    TfrmCodici_Dewey table(&books, books.isVisible() ? &books : nullptr);
    table.setKeyword(QStringLiteral("libri"));
    screens().exec(&table);
    books.activateWindow();
    if (QWidget* dewey = books.fieldWidget(BookField::Dewey)) dewey->setFocus(Qt::OtherFocusReason);
}

}  // namespace cal
