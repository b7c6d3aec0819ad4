#include "ui/MediaSound.h"

#include "ui/SoundModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace cal {

MediaSound::MediaSound(const QString& modulePath, QObject* parent)
    : QObject(parent),
      modulePath_(modulePath.isEmpty()
                      ? QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromLatin1(kSoundModuleFile))
                      : modulePath) {}

void MediaSound::play(const QString& path) {
    // A file that cannot be read is never handed to the player, and does not load the module.
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) return;
    if (!tried_) {
        // Loaded once and never unloaded: the player made by the module lives as long as this.
        tried_ = true;
        QLibrary module(modulePath_);
        module.setLoadHints(QLibrary::PreventUnloadHint);
        if (module.load()) {
            if (auto create = reinterpret_cast<CreateSoundPlayer>(module.resolve(kCreateSoundPlayer)))
                player_ = create(this);
        }
    }
    if (player_) player_->play(file.absoluteFilePath());
}

void MediaSound::stop() {
    if (player_) player_->stop();
}

}  // namespace cal
