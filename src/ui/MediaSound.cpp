#include "ui/MediaSound.h"

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace cal {

MediaSound::MediaSound(QObject* parent) : QObject(parent) {
    player_ = new QMediaPlayer(this);
    player_->setObjectName(QStringLiteral("MediaPlayer"));
    output_ = new QAudioOutput(this);
    player_->setAudioOutput(output_);
    player_->setLoops(1);
}

void MediaSound::play(const QString& path) {
    // A file that cannot be read is never handed to the player: nothing plays, nothing is said.
    // A file that is there but cannot be decoded ends in the player's error state, also silently.
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) return;
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    player_->play();
}

void MediaSound::stop() {
    if (!player_->source().isEmpty()) player_->stop();
}

}  // namespace cal
