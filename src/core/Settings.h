#pragma once
// Settings files of the program folder, each an INI file (core/IniFile.h), changed key by key.
//
// Readers return nullopt when the file exists but cannot be read (a missing file, section or
// key reads as empty values); writers return false when the file cannot be written, leaving
// it as it was. Values are written trimmed, each group of keys in one atomic write.
//
// Several copies of the program may share the folder. A writer is given the values as the
// screen read them (`asRead`) and changes only the keys whose value differs from them: a key
// the user left as it was keeps what the file holds at that moment, which another copy may
// have changed meanwhile; a key missing from the file is written all the same. The file is
// read, changed and written back under the folder's settings lock (core/IniFile.h,
// updateIniFile). Without `asRead` every key is written.
//
// Each archive with settings keeps its file's names and readers in its own folder.
#include "core/IniFile.h"

#include <QString>

#include <initializer_list>
#include <optional>

namespace cal {

// A key to write, with its value as the screen read it when known.
struct KeyChange {
    QString key;
    QString value;
    std::optional<QString> asRead;
};

// The member of the values as read, when they are known.
template <typename T, typename Member>
std::optional<QString> readAs(const std::optional<T>& asRead, Member member) {
    if (!asRead) return std::nullopt;
    return (*asRead).*member;
}

// The settings file `name` of the program folder.
QString settingsFilePath(const QString& programFolder, const QString& name);

// The file loaded, or nullopt when it exists but cannot be read.
std::optional<IniFile> loadSettings(const QString& path);

// Sets the keys of one section that changed, trimmed, in one locked change of the file.
bool writeSettingsKeys(const QString& path, const QString& section, std::initializer_list<KeyChange> keys);

}  // namespace cal
