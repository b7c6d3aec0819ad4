// The alarm sound through the media player, with no audio device needed: the shipped file
// decodes to its end, and a missing file is silence without an error.
#include "ui/MediaSound.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

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

    void programSoundPlaysTheFileOnceAndStops() {
        cal::MediaSound sound;
        // No player until the first sound: starting the program does not wait for the media back end.
        QVERIFY(!sound.findChild<QMediaPlayer*>());
        sound.stop();
        QVERIFY(!sound.findChild<QMediaPlayer*>());
        sound.play(QStringLiteral(CALVETRA_ALARM_FILE));
        QCOMPARE(sound.player()->objectName(), QString("MediaPlayer"));
        QCOMPARE(sound.player()->loops(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(sound.player()->playbackState(), QMediaPlayer::PlayingState, 20000);
        sound.stop();
        QCOMPARE(sound.player()->playbackState(), QMediaPlayer::StoppedState);
    }

    void missingFileIsSilence() {
        QTemporaryDir dir;
        cal::MediaSound sound;
        QSignalSpy errors(sound.player(), &QMediaPlayer::errorOccurred);
        sound.play(dir.filePath(QStringLiteral("Avviso.mp3")));
        QVERIFY(sound.player()->source().isEmpty());
        QCOMPARE(sound.player()->playbackState(), QMediaPlayer::StoppedState);
        sound.stop();
        QCOMPARE(errors.count(), 0);
        // A file that is there but is no sound ends in the player's error state, never in a message.
        QFile junk(dir.filePath(QStringLiteral("Rotto.mp3")));
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
        junk.close();
        sound.play(junk.fileName());
        QTRY_VERIFY_WITH_TIMEOUT(sound.player()->mediaStatus() == QMediaPlayer::InvalidMedia ||
                                     sound.player()->error() != QMediaPlayer::NoError,
                                 20000);
        sound.stop();
    }
};

QTEST_MAIN(TestAlarmSound)
#include "tst_alarmsound.moc"
