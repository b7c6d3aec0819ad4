#include "ui/MediaSound.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace cal {

MediaSound::MediaSound(QObject* parent) : QObject(parent) {}

QMediaPlayer* MediaSound::player() {
    if (!player_) {
        player_ = new QMediaPlayer(this);
        player_->setObjectName(QStringLiteral("MediaPlayer"));
        player_->setAudioOutput(new QAudioOutput(player_));
        player_->setLoops(1);
    }
    return player_;
}

void MediaSound::play(const QString& path) {
    // A file that cannot be read is never handed to the player: nothing plays, nothing is said.
    // A file that is there but cannot be decoded ends in the player's error state, also silently.
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) return;
    QMediaPlayer* media = player();
    media->stop();
    media->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    media->play();
}

void MediaSound::stop() {
    if (player_ && !player_->source().isEmpty()) player_->stop();
}

}  // namespace cal
