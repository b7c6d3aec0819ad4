#include "screens/TfrmAllegaCartella.h"

#include "core/Codepage.h"
#include "core/ProgramFolder.h"
#include "core/SafeWrite.h"
#include "core/Text.h"
#include "screens/ArchiveDefinition.h"
#include "screens/Catalog.h"
#include "ui/Icons.h"
#include "ui/KeyRules.h"
#include "ui/Regional.h"
#include "ui/Services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace cal {
namespace {

const QString kChooserTitle = QStringLiteral("Selezionare il file da allegare:");
const QString kChooserFilter = QStringLiteral("Tutti i file (*.*)");
const QString kOverwrite = QStringLiteral(
    "Attenzione: nella cartella dei documenti allegati è presente un file con lo stesso nome.\r\n\r\n"
    "Si vuole sovrascrivere il file esistente?");

// Hidden labels of an archive screen, in slot order.
const char* const kFileLabels[] = {"lblFile01", "lblFile02", "lblFile03"};
const char* const kDescLabels[] = {"lblDesc01", "lblDesc02", "lblDesc03"};

constexpr int kNameCapacity = 250;

QPushButton* pushButton(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);  // Enter in a field never applies
    return b;
}

QString ordinalLabel(const char* what, int slot) {
    return QStringLiteral("%1 %2° file allegato:").arg(QString::fromLatin1(what)).arg(slot + 1);
}

}  // namespace

QString attachmentsFolder() { return programFolder() + kAttachmentsFolderName + u'/'; }

std::optional<QString> attachmentFileName(const QString& name) {
    QString file = QFileInfo(trimmed(name)).fileName();
    // The name as it reads back from the record's field: Windows-1252, at most 250 bytes.
    file = trimmed(fromCp1252(toCp1252(file).left(kNameCapacity)));
    if (file.isEmpty() || file == QLatin1String(".") || file == QLatin1String("..")) return std::nullopt;
    return file;
}

std::optional<QString> attachmentPath(const QString& storedName) {
    const auto file = attachmentFileName(storedName);
    if (!file) return std::nullopt;
    return attachmentsFolder() + *file;
}

bool copyReplacing(const QString& source, const QString& target) {
    QFile in(source);
    QString cause;
    if (!openRegularFile(in, QIODevice::ReadOnly, &cause)) {
        qCWarning(lcFiles).noquote() << "reading" << source << "failed:" << cause;
        return false;
    }
    SafeWrite out(target);
    if (!out.open()) return false;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    for (;;) {
        const qint64 n = in.read(buffer.data(), buffer.size());
        if (n < 0) {  // the unfinished temporary file is removed with `out`
            out.cancel(QStringLiteral("reading %1 failed: %2").arg(source, in.errorString()));
            return false;
        }
        if (n == 0) break;
        if (!out.write(QByteArrayView(buffer.constData(), n))) return false;
    }
    return out.commit();
}

bool attachFile(QLineEdit* nameField) {
    const QString chosen = dialogs().chooseFile(kChooserTitle, kChooserFilter);
    if (chosen.isEmpty()) return false;
    const auto name = attachmentFileName(QFileInfo(chosen).fileName());
    if (!name) return false;
    nameField->setText(*name);
    if (!QDir().mkpath(attachmentsFolder())) return true;
    const QString target = attachmentsFolder() + *name;
    if (QFileInfo::exists(target) && !dialogs().question(kOverwrite)) return true;
    copyReplacing(chosen, target);  // a failure is silent; the name stays in the field
    return true;
}

void openAttachment(const QString& storedName) {
    if (const auto path = attachmentPath(storedName)) shell().open(*path);
}

void bindMainDocumentSlot(QLineEdit* txtCopia, QAbstractButton* btnSfoglia, QAbstractButton* btnApri,
                          QAbstractButton* clear) {
    txtCopia->setReadOnly(true);
    const auto follow = [txtCopia, btnApri] { btnApri->setEnabled(!trimmed(txtCopia->text()).isEmpty()); };
    follow();
    QObject::connect(txtCopia, &QLineEdit::textChanged, btnApri, follow);
    QObject::connect(btnSfoglia, &QAbstractButton::clicked, txtCopia, [txtCopia] { attachFile(txtCopia); });
    QObject::connect(btnApri, &QAbstractButton::clicked, txtCopia, [txtCopia] { openAttachment(txtCopia->text()); });
    QObject::connect(clear, &QAbstractButton::clicked, txtCopia, [txtCopia] { txtCopia->clear(); });
}

bool isAttachmentMode(const QString& keyword) {
    for (const ArchiveModule* m : archiveModules())
        if (m->archive->attachments >= 0 && keyword == QLatin1String(m->archive->keyword)) return true;
    return false;
}

TfrmAllegaCartella::TfrmAllegaCartella(QWidget* parent) : QDialog(parent) {
    applyRegionalSettings();
    setObjectName(QStringLiteral("TfrmAllegaCartella"));
    setWindowTitle(QStringLiteral(" Allega file"));
    setModal(true);
    setMinimumWidth(640);

    lblMemory_ = new QLabel(this);
    lblMemory_->setObjectName(QStringLiteral("lblMemory"));
    lblMemory_->hide();

    auto* grid = new QGridLayout;
    QList<QWidget*> enterOrder;
    for (int i = 0; i < 3; ++i) {
        const QString n = QStringLiteral("%1").arg(i + 1, 2, 10, QChar(u'0'));
        auto* file = new QLineEdit(this);
        file->setObjectName(QStringLiteral("txtFile") + n);
        file->setReadOnly(true);
        auto* fileLabel = new QLabel(ordinalLabel("Nome", i), this);
        fileLabel->setBuddy(file);
        file->setAccessibleName(fileLabel->text());

        auto* desc = new QLineEdit(this);
        desc->setObjectName(QStringLiteral("txtDesc") + n);
        desc->setMaxLength(kNameCapacity);
        auto* descLabel = new QLabel(ordinalLabel("Descrizione", i), this);
        descLabel->setBuddy(desc);
        desc->setAccessibleName(descLabel->text());

        auto* sfoglia = pushButton(QStringLiteral("btnSfoglia") + n, QStringLiteral("Sfoglia..."), this);
        sfoglia->setAccessibleName(QStringLiteral("Sfoglia... (%1° file)").arg(i + 1));
        auto* apri = pushButton(QStringLiteral("btnApri") + n, QStringLiteral("Apri"), this);
        apri->setAccessibleName(QStringLiteral("Apri (%1° file)").arg(i + 1));
        apri->setEnabled(false);
        auto* cancella = new QToolButton(this);
        cancella->setObjectName(QStringLiteral("imgCancella") + n);
        cancella->setIcon(programIcon("edit-clear"));
        cancella->setAutoRaise(true);
        cancella->setAccessibleName(QStringLiteral("Cancella il nome del %1° file allegato").arg(i + 1));
        cancella->setToolTip(cancella->accessibleName());

        connect(file, &QLineEdit::textChanged, apri,
                [apri](const QString& text) { apri->setEnabled(!trimmed(text).isEmpty()); });
        connect(sfoglia, &QPushButton::clicked, this, [file] { attachFile(file); });
        connect(apri, &QPushButton::clicked, this, [file] { openAttachment(file->text()); });
        connect(cancella, &QToolButton::clicked, file, &QLineEdit::clear);

        const int row = i * 3;
        grid->addWidget(fileLabel, row, 0);
        grid->addWidget(file, row, 1);
        grid->addWidget(sfoglia, row, 2);
        grid->addWidget(apri, row, 3);
        grid->addWidget(cancella, row, 4);
        grid->addWidget(descLabel, row + 1, 0);
        grid->addWidget(desc, row + 1, 1, 1, 4);
        if (i < 2) grid->setRowMinimumHeight(row + 2, 10);
        txtFile_[std::size_t(i)] = file;
        txtDesc_[std::size_t(i)] = desc;
        enterOrder << desc;
    }
    grid->setColumnStretch(1, 1);
    enterChain(enterOrder);

    auto* applica = pushButton(QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"), this);
    auto* annulla = pushButton(QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), this);
    connect(applica, &QPushButton::clicked, this, &TfrmAllegaCartella::apply);
    connect(annulla, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(applica);
    buttons->addWidget(annulla);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void TfrmAllegaCartella::setMode(const QString& keyword) { lblMemory_->setText(keyword); }

QString TfrmAllegaCartella::mode() const { return lblMemory_->text(); }

void TfrmAllegaCartella::setSlots(const AttachmentSlots& values) {
    for (std::size_t i = 0; i < 3; ++i) {
        txtFile_[i]->setText(trimmed(values.files[i]));
        txtDesc_[i]->setText(trimmed(values.descriptions[i]));
    }
}

AttachmentSlots TfrmAllegaCartella::slotValues() const {
    AttachmentSlots values;
    for (std::size_t i = 0; i < 3; ++i) {
        values.files[i] = trimmed(txtFile_[i]->text());
        values.descriptions[i] = trimmed(txtDesc_[i]->text());
    }
    return values;
}

void TfrmAllegaCartella::apply() {
    if (!isAttachmentMode(mode())) return;
    accept();
}

bool openAttachments(const QString& keyword, AttachmentSlots& values, QWidget* parent) {
    TfrmAllegaCartella screen(parent ? parent : QApplication::activeWindow());
    screen.setMode(keyword);
    screen.setSlots(values);
    if (screens().exec(&screen) != QDialog::Accepted) return false;
    values = screen.slotValues();
    return true;
}

bool openAttachmentsOf(QWidget* archiveScreen, const QString& keyword) {
    std::array<QLabel*, 3> files{};
    std::array<QLabel*, 3> descriptions{};
    AttachmentSlots values;
    for (std::size_t i = 0; i < 3; ++i) {
        files[i] = archiveScreen->findChild<QLabel*>(QLatin1String(kFileLabels[i]));
        descriptions[i] = archiveScreen->findChild<QLabel*>(QLatin1String(kDescLabels[i]));
        if (!files[i] || !descriptions[i]) return false;
        values.files[i] = trimmed(files[i]->text());
        values.descriptions[i] = trimmed(descriptions[i]->text());
    }
    if (!openAttachments(keyword, values, archiveScreen->isVisible() ? archiveScreen->window() : nullptr))
        return false;
    for (std::size_t i = 0; i < 3; ++i) {
        files[i]->setText(values.files[i]);
        descriptions[i]->setText(values.descriptions[i]);
    }
    return true;
}

}  // namespace cal
