#include "ui/Icons.h"

#include "ui/Resources.h"

#include <QApplication>
#include <QFile>
#include <QImageReader>
#include <QPixmapCache>

namespace cal {

QIcon programIcon(const char* name) {
    initResources();
    QIcon icon;
    if (!name) return icon;
    for (int size : {24, 48}) {
        const QString path = QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QString::fromLatin1(name));
        if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
    }
    return icon;
}

const char* programIconName(QStyle::StandardPixmap standard) {
    switch (standard) {
    case QStyle::SP_FileIcon: return "document-new";
    case QStyle::SP_FileDialogNewFolder: return "edit-copy";
    case QStyle::SP_DialogSaveButton: return "document-save";
    case QStyle::SP_FileDialogContentsView: return "edit-find";
    case QStyle::SP_DirLinkIcon: return "mail-attachment";
    case QStyle::SP_FileDialogDetailedView: return "document-print-preview";
    case QStyle::SP_DialogApplyButton: return "document-print";
    case QStyle::SP_DriveFDIcon: return "x-office-document";
    case QStyle::SP_MessageBoxInformation: return "dialog-information";
    case QStyle::SP_FileDialogInfoView: return "document-properties";
    case QStyle::SP_FileDialogListView: return "format-justify-left";
    case QStyle::SP_ArrowDown: return "x-office-spreadsheet";
    case QStyle::SP_DialogHelpButton: return "help-browser";
    case QStyle::SP_DialogCloseButton: return "application-exit";
    case QStyle::SP_MediaSkipBackward: return "go-first";
    case QStyle::SP_MediaSeekBackward: return "go-previous";
    case QStyle::SP_MediaSeekForward: return "go-next";
    case QStyle::SP_MediaSkipForward: return "go-last";
    case QStyle::SP_DirOpenIcon:
    case QStyle::SP_DirIcon: return "folder-open";
    case QStyle::SP_DialogDiscardButton: return "edit-clear";
    case QStyle::SP_ComputerIcon: return "computer";
    case QStyle::SP_DriveNetIcon: return "web-browser";
    default: return nullptr;
    }
}

QPixmap programPicture(const QString& path) {
    initResources();
    const QString key = QStringLiteral("calvetra:") + path;
    QPixmap picture;
    if (QPixmapCache::find(key, &picture)) return picture;
    QImageReader reader(path, QByteArrayLiteral("png"));
    reader.setAutoDetectImageFormat(false);
    picture = QPixmap::fromImage(reader.read());
    if (!picture.isNull()) QPixmapCache::insert(key, picture);
    return picture;
}

QIcon programIcon(QStyle::StandardPixmap standard) {
    if (const char* name = programIconName(standard)) return programIcon(name);
    return QApplication::style()->standardIcon(standard);
}

}  // namespace cal
