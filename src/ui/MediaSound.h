#pragma once
// The sound service of the program. The media player lives in a module of its own, the only
// library of the program that links the multimedia libraries; the service loads it with the first
// sound, so that starting the program neither loads nor waits for the multimedia back end.
// A missing module, a module that cannot be loaded, a missing or undecodable file: silence,
// and nothing is said.
#include "ui/Services.h"

#include <QObject>
#include <QString>

namespace cal {

// The file name of the sound module, beside the executable in the build tree and in an
// installed copy.
inline constexpr char kSoundModuleFile[] = "libcalvetra_sound.so";

class MediaSound final : public QObject, public Sound {
    Q_OBJECT
public:
    // `modulePath`: the sound module's file; empty for the one beside the executable.
    explicit MediaSound(const QString& modulePath = QString(), QObject* parent = nullptr);
    void play(const QString& path) override;
    void stop() override;

    QString modulePath() const { return modulePath_; }
    // The player of the module once the first sound loaded it; nullptr before, and when the
    // module could not be loaded.
    Sound* player() const { return player_; }

private:
    QString modulePath_;
    Sound* player_ = nullptr;
    bool tried_ = false;
};

}  // namespace cal
