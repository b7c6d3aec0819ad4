#pragma once
// The sound service of the program: a media player that plays a file once through the default
// audio output. A missing or undecodable file only means silence. The player and its audio
// output are made at the first sound, so that starting the program never waits for the
// multimedia back end.
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
    // The media player, made when first asked for.
    QMediaPlayer* player();

private:
    QMediaPlayer* player_ = nullptr;
};

}  // namespace cal
