#include "ui/Icons.h"

#include "ui/Resources.h"

#include <QCalendarWidget>
#include <QFile>
#include <QImageReader>
#include <QMessageBox>
#include <QPixmapCache>
#include <QStyle>
#include <QToolButton>

namespace cal {

QIcon programIcon(const char* name) {
    initResources();
    QIcon icon;
    if (!name) return icon;
    for (int size : kPictureSizes) {
        const QString path = QStringLiteral(":/icons/%1/%2.png").arg(size).arg(QString::fromLatin1(name));
        if (QFile::exists(path)) icon.addFile(path, QSize(size, size));
    }
    return icon;
}

void setMessagePicture(QMessageBox& box, const char* name) {
    const int size = box.style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
    box.setIconPixmap(programIcon(name).pixmap(QSize(size, size), box.devicePixelRatio()));
}

void setCalendarPictures(QCalendarWidget* calendar) {
    // The toolkit's names of the two buttons.
    if (auto* previous = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_prevmonth")))
        previous->setIcon(programIcon("go-previous"));
    if (auto* next = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth")))
        next->setIcon(programIcon("go-next"));
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

}  // namespace cal
