#include "core/Settings.h"

#include "core/Text.h"

#include <QDir>

namespace cal {

QString settingsFilePath(const QString& programFolder, const QString& name) {
    return QDir(programFolder).filePath(name);
}

std::optional<IniFile> loadSettings(const QString& path) {
    IniFile ini;
    if (ini.load(path) == IniFile::Load::Unreadable) return std::nullopt;
    return ini;
}

bool writeSettingsKeys(const QString& path, const QString& section, std::initializer_list<KeyChange> keys) {
    return updateIniFile(path, [&](IniFile& ini) {
        for (const KeyChange& k : keys) {
            const QString value = trimmed(k.value);
            if (k.asRead && trimmed(*k.asRead) == value && ini.contains(section, k.key)) continue;
            if (!ini.setValue(section, k.key, value)) return false;
        }
        return true;
    });
}

}  // namespace cal
