// The layers of the source tree, read from the includes of every file: the generic layers name no
// archive, an archive reaches no other archive nor the application, and the pure identifier
// checks need nothing but themselves and the core. The README's Layout section describes the
// same order.
#include "core/RecordLayout.h"
#include "mail/MailSettings.h"
#include "screens/ArchiveDefinition.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "screens/YearMenu.h"
#include "testlib/CalTest.h"
#include "transfers/TransferSettings.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSet>

namespace {

QString sourceRoot() { return QStringLiteral(CALVETRA_SOURCE_DIR "/src"); }

// The generic layers and the application; every other folder of src/ is an archive's.
const QStringList kGeneric = {"app", "checks", "core", "report", "screens", "ui"};

QStringList archiveFolders() {
    QStringList folders = QDir(sourceRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    folders.removeIf([](const QString& f) { return kGeneric.contains(f); });
    return folders;
}

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

// The names by which the archives are known outside their folders: their screens, their record,
// export and settings files.
QStringList archiveNames() {
    QStringList names{cal::kMailSettingsFile, cal::kTransferSettingsFile};
    for (const cal::ArchiveModule* m : cal::archiveModules()) {
        names << m->archive->objectName << QString::fromLatin1(m->archive->layout->fileName);
        for (const cal::SearchDefinition* d : m->searches) names << d->objectName;
        for (const cal::ExportDefinition* d : m->exports) names << d->objectName << d->fileName;
        for (const cal::OtherScreen& o : m->screens) names << o.objectName;
        for (const cal::LauncherEntry& e : m->launcher)
            if (e.yearMenu) names << e.yearMenu->objectName;
        for (const cal::DateTarget& t : m->dateTargets) names << t.screen;
    }
    names.removeDuplicates();
    // A per-year archive's layout names only its extension (".ser"), too short to look for.
    names.removeIf([](const QString& n) { return n.startsWith(u'.'); });
    return names;
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
        for (const QString& archive : archiveFolders())
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

    // The generic layers name no archive, none of its screens and none of its files, not even in
    // a comment.
    void genericLayersNameNoArchive() {
        const QStringList names = archiveNames();
        QVERIFY(names.size() > 40);
        QStringList found;
        for (const char* folder : {"core", "checks", "report", "ui", "screens"}) {
            QDirIterator it(sourceRoot() + u'/' + folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")}, QDir::Files);
            while (it.hasNext()) {
                QFile file(it.next());
                QVERIFY(file.open(QIODevice::ReadOnly));
                const QString text = QString::fromUtf8(file.readAll());
                for (const QString& name : names)
                    if (text.contains(name)) found << file.fileName().mid(sourceRoot().size() + 1) + ": " + name;
            }
        }
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }
};

CAL_TEST_MAIN(TestLayering)
#include "tst_layering.moc"
