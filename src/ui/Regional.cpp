#include "ui/Regional.h"

#include "ui/Accessibility.h"
#include "ui/KeyRules.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace cal {

void applyRegionalSettings() {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    enterPressesFocusedButtons();
    announceReadOnlyFields();
    static bool translated = false;
    if (translated || !qApp) return;
    translated = true;
    auto* qtbase = new QTranslator(qApp);
    if (qtbase->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(qtbase);
}

}  // namespace cal
