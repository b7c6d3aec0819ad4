#pragma once
// The sound service of the program: a media player that plays a file once through the default
// audio output. A missing or undecodable file only means silence.
#include "ui/Services.h"

#include <QObject>

class QAudioOutput;
class QMediaPlayer;

namespace cal {

class MediaSound final : public QObject, public Sound {
    Q_OBJECT
public:
    explicit MediaSound(QObject* parent = nullptr);
    void play(const QString& path) override;
    void stop() override;
    QMediaPlayer* player() const { return player_; }

private:
    QMediaPlayer* player_;
    QAudioOutput* output_;
};

}  // namespace cal
