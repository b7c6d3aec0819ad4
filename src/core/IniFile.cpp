#include "core/IniFile.h"

#include "core/Codepage.h"
#include "core/FileLock.h"
#include "core/SafeWrite.h"
#include "core/Text.h"

#include <QFileInfo>

namespace cal {
namespace {

struct Line {
    enum class Kind { Other, Section, Key };
    Kind kind = Kind::Other;
    QString name;
    QString value;
};

// The line without its line end (CR LF, LF, or a CR left at the end of the file).
QByteArrayView content(const QByteArray& line) {
    QByteArrayView v(line);
    if (v.endsWith('\n')) v.chop(1);
    if (v.endsWith('\r')) v.chop(1);
    return v;
}

bool isBlank(const QByteArray& line) { return trimmed(fromCp1252(content(line))).isEmpty(); }

bool isQuote(QChar c) { return c == u'"' || c == u'\''; }

QString unquoted(const QString& value) {
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

Line parse(const QByteArray& raw) {
    Line line;
    const QString text = trimmed(fromCp1252(content(raw)));
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close > 0) {
            line.kind = Line::Kind::Section;
            line.name = trimmed(QStringView(text).mid(1, close - 1));
        }
        return line;
    }
    if (text.startsWith(u';')) return line;  // comment
    const qsizetype eq = text.indexOf(u'=');
    if (eq < 0) return line;
    line.name = trimmed(QStringView(text).left(eq));
    if (line.name.isEmpty()) return line;
    line.kind = Line::Kind::Key;
    line.value = unquoted(trimmed(QStringView(text).mid(eq + 1)));
    return line;
}

bool sameName(QStringView a, QStringView b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// A name that, once written, is read back as the same name.
bool usableName(QStringView name) {
    if (name.isEmpty() || trimmed(name) != name) return false;
    for (QChar c : name)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) return false;
    return fromCp1252(toCp1252(name)) == name;
}

bool usableSection(QStringView name) { return usableName(name) && !name.contains(u']'); }

bool usableKey(QStringView name) {
    return usableName(name) && !name.contains(u'=') && !name.startsWith(u';') &&
           !name.startsWith(u'[');
}

// The value as written after "=", so that reading gives `value` back.
QString encodedValue(QStringView value) {
    QString v = value.toString();
    for (QChar& c : v)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = u' ';
    const bool needsQuotes =
        !v.isEmpty() && (v.front().unicode() <= 0x20 || v.back().unicode() <= 0x20 ||
                         (v.size() >= 2 && isQuote(v.front()) && v.back() == v.front()));
    return needsQuotes ? u'"' + v + u'"' : v;
}

QByteArray keyLine(QStringView key, QStringView value) {
    return toCp1252(key) + '=' + toCp1252(encodedValue(value)) + "\r\n";
}

}  // namespace

void IniFile::setBytes(const QByteArray& bytes) {
    lines_.clear();
    qsizetype from = 0;
    while (from < bytes.size()) {
        const qsizetype nl = bytes.indexOf('\n', from);
        const qsizetype end = nl < 0 ? bytes.size() : nl + 1;
        lines_.append(bytes.mid(from, end - from));
        from = end;
    }
}

QByteArray IniFile::bytes() const {
    QByteArray out;
    for (const QByteArray& line : lines_) out += line;
    return out;
}

IniFile::Load IniFile::load(const QString& path) {
    lines_.clear();
    if (!QFileInfo::exists(path)) return Load::Missing;
    const std::optional<QByteArray> bytes = readSmallFile(path, kMaxIniFileSize);
    if (!bytes) return Load::Unreadable;
    setBytes(*bytes);
    return Load::Loaded;
}

IniFile::Located IniFile::locate(QStringView section, QStringView key) const {
    Located at;
    for (qsizetype i = 0; i < lines_.size(); ++i) {
        const Line line = parse(lines_[i]);
        if (at.section < 0) {
            if (line.kind == Line::Kind::Section && sameName(line.name, section)) at.section = i;
            continue;
        }
        if (line.kind == Line::Kind::Section) {
            at.end = i;
            return at;
        }
        if (at.key < 0 && line.kind == Line::Kind::Key && sameName(line.name, key)) at.key = i;
    }
    if (at.section >= 0) at.end = lines_.size();
    return at;
}

QString IniFile::value(QStringView section, QStringView key) const {
    const Located at = locate(section, key);
    return at.key < 0 ? QString() : parse(lines_[at.key]).value;
}

bool IniFile::contains(QStringView section, QStringView key) const {
    return locate(section, key).key >= 0;
}

bool IniFile::setValue(QStringView section, QStringView key, QStringView value) {
    if (!usableSection(section) || !usableKey(key)) return false;
    const Located at = locate(section, key);
    if (at.key >= 0) {
        lines_[at.key] = keyLine(parse(lines_[at.key]).name, value);
        return true;
    }
    // A line the next one is appended after must be ended first.
    auto endLine = [this](qsizetype i) {
        if (lines_[i].endsWith('\n')) return;
        lines_[i] += lines_[i].endsWith('\r') ? QByteArray("\n") : QByteArray("\r\n");
    };
    if (at.section >= 0) {
        qsizetype after = at.section;
        for (qsizetype i = at.section + 1; i < at.end; ++i)
            if (!isBlank(lines_[i])) after = i;
        endLine(after);
        lines_.insert(after + 1, keyLine(key, value));
        return true;
    }
    if (!lines_.isEmpty()) {
        endLine(lines_.size() - 1);
        if (!isBlank(lines_.last())) lines_.append("\r\n");
    }
    lines_.append('[' + toCp1252(section) + "]\r\n");
    lines_.append(keyLine(key, value));
    return true;
}

bool IniFile::save(const QString& path, QString* error) const {
    const QFileInfo info(path);
    // The rename of the temporary file would replace a file that is itself read-only.
    if (info.exists() && (!info.isFile() || !info.isWritable())) {
        const QString cause = QStringLiteral("not a writable file");
        qCWarning(lcFiles).noquote() << "writing" << path << "failed:" << cause;
        if (error) *error = cause;
        return false;
    }
    return writeFileWhole(path, bytes(), error);
}

std::optional<QString> readIniValue(const QString& path, QStringView section, QStringView key) {
    IniFile ini;
    if (ini.load(path) == IniFile::Load::Unreadable) return std::nullopt;
    return ini.value(section, key);
}

bool updateIniFile(const QString& path, const std::function<bool(IniFile&)>& change) {
    return withSettingsLock(QFileInfo(path).path(), [&] {
        IniFile ini;
        if (ini.load(path) == IniFile::Load::Unreadable) return false;
        return change(ini) && ini.save(path);
    });
}

bool writeIniValue(const QString& path, QStringView section, QStringView key, QStringView value) {
    return updateIniFile(path, [&](IniFile& ini) { return ini.setValue(section, key, value); });
}

}  // namespace cal
