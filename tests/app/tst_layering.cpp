// The layers of the source tree, read from the includes of every file: the generic layers name no
// archive, an archive reaches no other archive nor the application, and the pure identifier
// checks need nothing but themselves and the core. The README's Layout section describes the
// same order.
#include "testlib/CalTest.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

const QStringList kArchives = {"clients", "pricelist", "services", "mail",    "documents",
                               "deadlines", "transfers", "library", "articles"};

QString sourceRoot() { return QStringLiteral(CALVETRA_SOURCE_DIR "/src"); }

// The project folders a file includes from ("core", "screens", ...).
QSet<QString> includedFolders(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {QStringLiteral("<unreadable>")};
    static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s+\"([a-z]+)/"),
                                            QRegularExpression::MultilineOption);
    QSet<QString> folders;
    auto it = include.globalMatch(QString::fromUtf8(file.readAll()));
    while (it.hasNext()) folders << it.next().captured(1);
    return folders;
}

// Every source file of a folder with the folders it includes from.
QList<std::pair<QString, QSet<QString>>> folderIncludes(const QString& folder) {
    QList<std::pair<QString, QSet<QString>>> files;
    QDirIterator it(sourceRoot() + u'/' + folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.append({path.mid(sourceRoot().size() + 1), includedFolders(path)});
    }
    return files;
}

}  // namespace

class TestLayering : public QObject {
    Q_OBJECT
private slots:
    void foldersIncludeOnlyTheLayersBelow_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QStringList>("allowed");
        QTest::newRow("checks") << "checks" << QStringList{"checks", "core"};
        QTest::newRow("core") << "core" << QStringList{"core"};
        QTest::newRow("report") << "report" << QStringList{"core", "report"};
        QTest::newRow("ui") << "ui" << QStringList{"core", "report", "ui"};
        QTest::newRow("screens") << "screens" << QStringList{"checks", "core", "report", "screens", "ui"};
        for (const QString& archive : kArchives)
            QTest::newRow(qPrintable(archive))
                << archive << QStringList{"checks", "core", "report", "screens", "ui", archive};
    }
    void foldersIncludeOnlyTheLayersBelow() {
        QFETCH(QString, folder);
        QFETCH(QStringList, allowed);
        const auto files = folderIncludes(folder);
        QVERIFY2(!files.isEmpty(), qPrintable(folder));
        for (const auto& [file, folders] : files)
            for (const QString& included : folders)
                QVERIFY2(allowed.contains(included), qPrintable(file + " includes from " + included + "/"));
    }

    // Every folder of src/ has its place above: a new folder is given one.
    void everyFolderHasItsLayer() {
        QSet<QString> known{"app", "checks", "core", "report", "screens", "ui"};
        for (const QString& archive : kArchives) known << archive;
        const QStringList folders = QDir(sourceRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        for (const QString& folder : folders) QVERIFY2(known.contains(folder), qPrintable(folder));
    }
};

CAL_TEST_MAIN(TestLayering)
#include "tst_layering.moc"
