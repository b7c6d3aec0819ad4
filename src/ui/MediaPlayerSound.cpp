// The sound module: the media player of the alarm, in a library of its own that the sound
// service loads at the first sound (ui/MediaSound.cpp), so that only this library links the
// multimedia module.
#include "ui/SoundModule.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QObject>
#include <QUrl>

namespace cal {
namespace {

class MediaPlayerSound final : public QObject, public Sound {
public:
    explicit MediaPlayerSound(QObject* parent) : QObject(parent), player_(new QMediaPlayer(this)) {
        setObjectName(QStringLiteral("SoundModule"));
        player_->setObjectName(QStringLiteral("MediaPlayer"));
        player_->setAudioOutput(new QAudioOutput(player_));
        player_->setLoops(1);
    }
    // `path` is a readable file, made absolute by the service.
    void play(const QString& path) override {
        player_->stop();
        player_->setSource(QUrl::fromLocalFile(path));
        player_->play();
    }
    void stop() override {
        if (!player_->source().isEmpty()) player_->stop();
    }

private:
    QMediaPlayer* player_;
};

}  // namespace
}  // namespace cal

extern "C" Q_DECL_EXPORT cal::Sound* calvetraCreateSoundPlayer(QObject* parent) {
    return new cal::MediaPlayerSound(parent);
}
