// Screens name one another by object name and field name: picker copies, imports, date picker
// targets, attachment labels, export files, search and help targets. Every name in every table is
// looked up here on the real screens, so a misspelt name fails a test instead of doing nothing at
// run time. Names that belong to archives not registered yet are counted and checked once their
// screens exist.
#include "core/ProgramFolder.h"
#include "core/SpreadsheetWriter.h"
#include "mail/TfrmProtocollo.h"
#include "screens/ArchiveScreen.h"
#include "screens/Catalog.h"
#include "screens/ExportScreen.h"
#include "screens/SearchScreen.h"
#include "screens/TfrmAllegaCartella.h"
#include "screens/TfrmCalendario.h"
#include "screens/TfrmGuida.h"
#include "testlib/CalWidgetTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <map>

using namespace cal;

class TestCatalog : public QObject {
    Q_OBJECT

    std::unique_ptr<caltest::ProgramFolder> folder;
    std::unique_ptr<caltest::FakeServices> fakes;
    std::map<std::string, std::unique_ptr<QWidget>> screens;

    // The registered archive screen of that name, or nullptr.
    ArchiveScreen* screen(std::string_view name) { return qobject_cast<ArchiveScreen*>(anyScreen(name)); }
    // The registered archive screen or other working screen (the fee summary) of that name.
    QWidget* anyScreen(std::string_view name) {
        auto& s = screens[std::string(name)];
        if (s) return s.get();
        if (const ArchiveModule* m = findArchive(name)) s.reset(m->create());
        else if (const OtherScreen* o = findOtherScreen(name)) s.reset(o->create());
        return s.get();
    }
    static QString s(std::string_view v) { return QString::fromLatin1(v.data(), qsizetype(v.size())); }

private slots:
    void initTestCase() {
        folder = std::make_unique<caltest::ProgramFolder>();
        setProgramFolder(folder->path());
        fakes = std::make_unique<caltest::FakeServices>();
    }
    void cleanupTestCase() {
        screens.clear();
        fakes.reset();
    }

    void everyNameIsUnique() {
        QStringList names;
        for (const ArchiveModule* m : archiveModules()) {
            names << m->archive->objectName;
            for (const SearchDefinition* d : m->searches) names << d->objectName;
            for (const ExportDefinition* d : m->exports) names << d->objectName;
        }
        QCOMPARE(names.removeDuplicates(), 0);
    }

    void exportFilesOfTheArchives() {
        QHash<QString, QString> files;  // screen -> file
        QHash<QString, QString> sheets;
        for (const ArchiveModule* m : archiveModules())
            for (const ExportDefinition* d : m->exports) {
                QVERIFY2(d->fileName && QString(d->fileName).endsWith(".xls"), d->objectName);
                QVERIFY2(d->sheetName && *d->sheetName, d->objectName);
                QVERIFY2(!d->columns.empty(), d->objectName);
                files.insert(d->objectName, d->fileName);
                sheets.insert(d->objectName, QString::fromUtf8(d->sheetName));
            }
        // The thirteen exports the archives' commands open, each writing a file of its own (the
        // mail register's period summary, a screen of its own, shares the mail export's file:
        // tst_mail).
        QCOMPARE(files.size(), 13);
        QCOMPARE(QSet<QString>(files.cbegin(), files.cend()).size(), 13);
        QCOMPARE(files["TfrmExpProtocollo"], QStringLiteral("Protocollo.xls"));
        QCOMPARE(sheets["TfrmExpProtocollo"], QStringLiteral("Protocollo Posta"));
        QCOMPARE(files["TfrmExpBibliografie"], QStringLiteral("Articoli.xls"));
        QCOMPARE(files["TfrmExpBonificiRicevuti"], QStringLiteral("Bonifici_Ricevuti.xls"));
    }

    void pickerCopiesNameFieldsOfTheirCaller() {
        for (const ArchiveModule* m : archiveModules()) {
            for (const SearchDefinition* d : m->searches) {
                QStringList keywords{d->ownKeyword};
                for (const PickerKeyword& p : d->pickers) {
                    QVERIFY2(!keywords.contains(p.keyword), p.keyword);
                    keywords << p.keyword;
                    QWidget* caller = anyScreen(p.screen);
                    QVERIFY2(caller, p.screen);
                    for (const FieldCopy& c : p.copies) {
                        QVERIFY2(caller->findChild<QWidget*>(c.target),
                                 qPrintable(QStringLiteral("%1 -> %2.%3").arg(p.keyword, p.screen, c.target)));
                        QVERIFY(c.field >= 0 && c.field < d->layout->count());
                    }
                }
            }
        }
    }

    void archiveTablesNameWhatExists() {
        for (const ArchiveModule* m : archiveModules()) {
            const ArchiveDefinition& def = *m->archive;
            ArchiveScreen* archive = screen(def.objectName);
            QCOMPARE(archive->objectName(), QString(def.objectName));
            for (const Command& c : def.commands) {
                const QString where = QStringLiteral("%1 command %2").arg(def.objectName, c.target ? c.target : "");
                switch (c.kind) {
                case Cmd::Find:
                case Cmd::List: {
                    const SearchDefinition* search = findSearch(c.target);
                    QVERIFY2(search, qPrintable(where));
                    // Open shows the record here: the search reads this archive's records.
                    QCOMPARE(search->ownKeyword, QString(def.keyword));
                    QCOMPARE(search->layout, def.layout);
                    break;
                }
                case Cmd::Export: {
                    const ExportDefinition* e = findExport(c.target);
                    QVERIFY2(e, qPrintable(where));
                    QVERIFY2(e->fileName && std::string_view(e->fileName).ends_with(".xls"), e->objectName);
                    QVERIFY2(e->sheetName && *e->sheetName, e->objectName);
                    break;
                }
                case Cmd::Help: QVERIFY2(!helpTopicParagraphs(c.target).isEmpty(), qPrintable(where)); break;
                case Cmd::Attachments:
                    QVERIFY2(isAttachmentMode(def.keyword), def.keyword);
                    QVERIFY2(def.attachments >= 0, def.objectName);
                    // The definition's six attachment fields are the screen's hidden labels, in slot order.
                    for (int i = 0; const char* label : {"lblFile01", "lblFile02", "lblFile03", "lblDesc01", "lblDesc02", "lblDesc03"}) {
                        QVERIFY2(archive->findChild<QLabel*>(label), label);
                        QCOMPARE(def.layout->fields[std::size_t(def.attachments + i++)].name, std::string_view(label));
                    }
                    break;
                default: break;
                }
            }
            for (const FieldGroup& g : def.groups) {
                for (const FieldRow& row : g.rows) {
                    if (row.control == Control::PickedDate) {
                        const auto target = dateTarget(QString::fromLatin1(row.dateKeyword));
                        QVERIFY2(target, row.dateKeyword);
                        QCOMPARE(QString(target->screen), QString(def.objectName));
                        QCOMPARE(QString(target->field), s(def.layout->fields[row.field].name));
                    }
                    for (const SideButton& b : row.buttons) {
                        if (b.kind != Side::Import) continue;
                        const SearchDefinition* search = findSearch(b.search);
                        QVERIFY2(search, b.search);
                        // The import's keyword is one the search knows, and fills this screen.
                        bool known = false;
                        for (const PickerKeyword& p : search->pickers)
                            known = known || (QLatin1String(p.keyword) == b.keyword && QLatin1String(p.screen) == def.objectName);
                        QVERIFY2(known, b.keyword);
                    }
                }
            }
        }
    }

    void datePickerTargetsExist() {
        for (const DateTarget& t : dateTargets()) {
            if (QWidget* target = anyScreen(t.screen)) {
                QVERIFY2(target->findChild<QLineEdit*>(t.field), t.keyword);
                continue;
            }
            // The one target screen that is not registered: the mail register's period summary, a
            // dialog its archive screen opens.
            QCOMPARE(QString(t.screen), QStringLiteral("TfrmRiepProtocollo"));
            auto* mail = qobject_cast<TfrmProtocollo*>(screen("TfrmProtocollo"));
            QVERIFY(mail);
            bool found = false;
            fakes->screens.handlers << [&](QDialog* d) {
                found = d->objectName() == QLatin1String(t.screen) && d->findChild<QLineEdit*>(t.field);
            };
            mail->openSummary();
            QVERIFY2(found, t.keyword);
        }
    }

    void unknownNamesOpenNothing() {
        fakes->screens.shown.clear();
        openSearch("TfrmTrovaNulla", QStringLiteral("clienti"), nullptr);
        openExport("TfrmExpNulla");
        QVERIFY(fakes->screens.shown.isEmpty());
        // An export definition without its file says that nothing was exported.
        const ExportColumn columns[] = {{"Uno", 100}};
        const ExportDefinition orphan{.objectName = "TfrmExpNulla", .caption = " Nulla", .columns = columns};
        fakes->screens.handlers << [](QDialog* d) {
            QTest::mouseClick(d->findChild<QToolButton*>("cmdEsporta"), Qt::LeftButton);
        };
        runExportScreen(orphan);
        QCOMPARE(fakes->dialogs.texts().last(), kExportFailed);
        QVERIFY(QDir(folder->path()).entryList(QDir::Files).isEmpty());
    }
};

CAL_WIDGET_TEST_MAIN(TestCatalog)
#include "tst_catalog.moc"
