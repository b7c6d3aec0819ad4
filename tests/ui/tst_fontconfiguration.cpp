// The font configuration read ahead of the toolkit, as the program's main starts it: the
// configuration the thread reads is the one the toolkit's font database then uses, not read a
// second time beside it, and the fonts the login shows are found through it.
#include "ui/FontConfiguration.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QtTest>

#include <fontconfig/fontconfig.h>

class TestFontConfiguration : public QObject {
    Q_OBJECT

private slots:
    // Before anything in this process asks for a font.
    void theToolkitUsesTheConfigurationReadAhead() {
        cal::finishReadingFontConfiguration();  // nothing started: returns at once
        QVERIFY(!cal::fontConfigurationReadAhead());
        cal::startReadingFontConfiguration();
        cal::finishReadingFontConfiguration();
        // Read by the thread, and done once the wait returns.
        QVERIFY(cal::fontConfigurationReadAhead());
        FcConfig* const read = FcConfigGetCurrent();
        QVERIFY(read);
        const QStringList families = QFontDatabase::families();
        QVERIFY(!families.isEmpty());
        QCOMPARE(FcConfigGetCurrent(), read);
        // The login's fonts resolve to installed families.
        QFont title;
        title.setPointSize(18);
        title.setBold(true);
        QVERIFY(families.contains(QFontInfo(title).family()));
        QVERIFY(families.contains(QFontInfo(QFont()).family()));
        QCOMPARE(FcConfigGetCurrent(), read);
    }

    // Started again, or waited for again, nothing happens.
    void startingAgainReadsNothingMore() {
        FcConfig* const read = FcConfigGetCurrent();
        cal::startReadingFontConfiguration();
        cal::finishReadingFontConfiguration();
        cal::finishReadingFontConfiguration();
        QCOMPARE(FcConfigGetCurrent(), read);
    }
};

QTEST_MAIN(TestFontConfiguration)
#include "tst_fontconfiguration.moc"
