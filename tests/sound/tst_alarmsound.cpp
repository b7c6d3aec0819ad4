// The alarm sound through the media player, with no audio device needed: the shipped file
// decodes to its end, the program's sound service plays it through the sound module it loads at
// the first sound, and a missing file, or a missing module, is silence without an error.
#include "ui/MediaSound.h"

#include <QAudioOutput>
#include <QFile>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Whether a library whose file name contains `name` is mapped into this process.
bool mapped(const QByteArray& name) {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) qFatal("cannot read /proc/self/maps");
    return maps.readAll().contains(name);
}

// The media back end of this Qt can hang when a player is stopped while its file is still being
// opened (its decoder thread connects the output at that moment): the tests stop a sound once
// its file is open, as a user closing a screen does.
bool opened(const QMediaPlayer* player) {
    const auto status = player->mediaStatus();
    return status != QMediaPlayer::NoMedia && status != QMediaPlayer::LoadingMedia;
}

}  // namespace

class TestAlarmSound : public QObject {
    Q_OBJECT

private slots:
    void shippedAlarmDecodesToItsEnd() {
        QMediaPlayer player;
        QAudioOutput output;
        player.setAudioOutput(&output);
        QSignalSpy errors(&player, &QMediaPlayer::errorOccurred);
        player.setSource(QUrl::fromLocalFile(QStringLiteral(CALVETRA_ALARM_FILE)));
        player.play();
        QTRY_COMPARE_WITH_TIMEOUT(player.mediaStatus(), QMediaPlayer::EndOfMedia, 20000);
        QCOMPARE(errors.count(), 0);
        QCOMPARE(player.error(), QMediaPlayer::NoError);
        // A short chime, over half a second long.
        QVERIFY2(player.duration() >= 500 && player.duration() <= 2000, qPrintable(QString::number(player.duration())));
    }

    // The first test that loads the module: a process loads it once, at its first sound.
    void programSoundPlaysTheFileOnceAndStops() {
        cal::MediaSound sound(QStringLiteral(CALVETRA_SOUND_MODULE));
        // No module and no player until the first sound: starting the program neither loads the
        // multimedia back end nor waits for it.
        QVERIFY(!mapped(cal::kSoundModuleFile));
        sound.stop();
        QVERIFY(!sound.player());
        QVERIFY(!sound.findChild<QMediaPlayer*>());
        QVERIFY(!mapped(cal::kSoundModuleFile));
        // A missing file is silence and loads nothing.
        QTemporaryDir dir;
        sound.play(dir.filePath(QStringLiteral("Avviso.mp3")));
        QVERIFY(!sound.player());
        QVERIFY(!mapped(cal::kSoundModuleFile));

        sound.play(QStringLiteral(CALVETRA_ALARM_FILE));
        QVERIFY(mapped(cal::kSoundModuleFile));
        QVERIFY(sound.player());
        auto* player = sound.findChild<QMediaPlayer*>();
        QVERIFY(player);
        QCOMPARE(player->objectName(), QString("MediaPlayer"));
        QCOMPARE(player->loops(), 1);
        QCOMPARE(player->source(), QUrl::fromLocalFile(QStringLiteral(CALVETRA_ALARM_FILE)));
        QTRY_COMPARE_WITH_TIMEOUT(player->playbackState(), QMediaPlayer::PlayingState, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(opened(player), 20000);
        sound.stop();
        QCOMPARE(player->playbackState(), QMediaPlayer::StoppedState);
        // The next sound goes through the same player.
        sound.play(QStringLiteral(CALVETRA_ALARM_FILE));
        QCOMPARE(sound.findChildren<QMediaPlayer*>().size(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(player->playbackState(), QMediaPlayer::PlayingState, 20000);
        QTRY_VERIFY_WITH_TIMEOUT(opened(player), 20000);
        sound.stop();
        QCOMPARE(player->playbackState(), QMediaPlayer::StoppedState);
    }

    void missingFileIsSilence() {
        QTemporaryDir dir;
        cal::MediaSound sound(QStringLiteral(CALVETRA_SOUND_MODULE));
        sound.play(QStringLiteral(CALVETRA_ALARM_FILE));
        auto* player = sound.findChild<QMediaPlayer*>();
        QVERIFY(player);
        QTRY_VERIFY_WITH_TIMEOUT(opened(player), 20000);
        sound.stop();
        QSignalSpy errors(player, &QMediaPlayer::errorOccurred);
        // A file that cannot be read is never handed to the player.
        sound.play(dir.filePath(QStringLiteral("Avviso.mp3")));
        QCOMPARE(player->source(), QUrl::fromLocalFile(QStringLiteral(CALVETRA_ALARM_FILE)));
        QCOMPARE(player->playbackState(), QMediaPlayer::StoppedState);
        sound.stop();
        QCOMPARE(errors.count(), 0);
        // A file that is there but is no sound ends in the player's error state, never in a message.
        QFile junk(dir.filePath(QStringLiteral("Rotto.mp3")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        sound.play(junk.fileName());
        QTRY_VERIFY_WITH_TIMEOUT(player->mediaStatus() == QMediaPlayer::InvalidMedia ||
                                     player->error() != QMediaPlayer::NoError,
                                 20000);
        sound.stop();
    }

    // Without its module (a damaged installation) the service is silence: no player, no crash,
    // and stopping does nothing either.
    void missingModuleIsSilence() {
        QTemporaryDir dir;
        cal::MediaSound sound(dir.filePath(QString::fromLatin1(cal::kSoundModuleFile)));
        sound.play(QStringLiteral(CALVETRA_ALARM_FILE));
        QVERIFY(!sound.player());
        QVERIFY(!sound.findChild<QMediaPlayer*>());
        sound.stop();
        // A file that is no library at all is the same.
        QFile junk(dir.filePath(QString::fromLatin1(cal::kSoundModuleFile)));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        cal::MediaSound damaged(junk.fileName());
        damaged.play(QStringLiteral(CALVETRA_ALARM_FILE));
        QVERIFY(!damaged.player());
        damaged.stop();
    }

    // By default the service looks for its module beside the executable, where the build and the
    // installation put it.
    void moduleIsLookedForBesideTheExecutable() {
        cal::MediaSound sound;
        QCOMPARE(sound.modulePath(), QCoreApplication::applicationDirPath() + QStringLiteral("/libcalvetra_sound.so"));
    }
};

QTEST_MAIN(TestAlarmSound)
#include "tst_alarmsound.moc"
