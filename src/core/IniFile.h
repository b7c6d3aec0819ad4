#pragma once
// INI-format settings files, read and written key by key the way Windows' private profile
// functions do, so that the files stay interchangeable with the ones the installation writes:
//
//   [Nome Sezione]\r\n
//   Nome Pagatore=Rossi Mario\r\n
//
// Reading
// - Bytes are Windows-1252. Lines end with CR LF, LF alone is accepted too.
// - "[name]" starts a section (blanks inside the brackets are ignored); "key=value" is a key
//   of the section above it; lines starting with ";" and any other line are kept but ignored.
// - Section and key names match without regard to case ("nome sezione" finds
//   "[Nome Sezione]"); blanks inside names count ("Nome Chiave" is not "NomeChiave").
// - Only the first section of a name is searched, and the first key of a name in it wins.
// - The value is the text after the first "=", with blanks and control characters around it
//   removed, then one pair of enclosing double or single quotes removed.
// - A missing file, section or key gives an empty value.
// - A file larger than kMaxIniFileSize (1 MiB) cannot be read: the program's own files are a
//   few hundred bytes, so such a file is damaged. It is refused without reading it whole, so
//   that a damaged file costs neither time nor memory.
//
// Writing
// - A key present in its section has its line replaced by "key=value" (the key spelled as in
//   the file); every other line keeps its bytes and its place.
// - A missing key is added after the last non-blank line of its section; a missing section is
//   added at the end of the file after one blank line; a missing file is created.
// - New and replaced lines end with CR LF.
// - The value is written so that it reads back unchanged: line breaks and other control
//   characters become blanks (a value can never start a line of its own), and a value with
//   blanks at either end or already enclosed in a pair of quotes is enclosed in double quotes.
// - The whole file is written to a temporary file in the same folder and renamed over the old
//   one only once it is all on the disk (core/SafeWrite.h), so a failure, a full disk included,
//   leaves the old file as it was and is reported.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>

#include <functional>
#include <optional>

namespace cal {

// The largest settings or password file that is read (1 MiB).
inline constexpr qint64 kMaxIniFileSize = 1 << 20;

class IniFile {
public:
    enum class Load {
        Loaded,
        Missing,     // no such file: an empty document
        Unreadable,  // the path exists but cannot be read (a folder, no permission, read error)
    };

    IniFile() = default;
    explicit IniFile(const QByteArray& bytes) { setBytes(bytes); }

    // Replaces the document with the file's content; the document is empty unless Loaded.
    // A file larger than kMaxIniFileSize is Unreadable.
    Load load(const QString& path);

    // The value of a key; empty when the section or the key is missing.
    QString value(QStringView section, QStringView key) const;
    // Whether the key is present (with any value, an empty one included).
    bool contains(QStringView section, QStringView key) const;

    // Replaces or adds the key. Returns false, changing nothing, for a name that could not be
    // read back: empty, with blanks at either end, with a control character, a "=" in a key
    // or a "]" in a section, or a key starting with ";" or "[".
    bool setValue(QStringView section, QStringView key, QStringView value);

    void setBytes(const QByteArray& bytes);
    QByteArray bytes() const;

    // Writes the document to `path` in one atomic step; false when the folder or the file
    // cannot be written or the data did not reach the disk, in which case the file on disk is
    // unchanged and the cause is in `error` when given.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    struct Located {
        qsizetype section = -1;  // line of the section header, -1 when missing
        qsizetype end = -1;      // first line after the section
        qsizetype key = -1;      // line of the key, -1 when missing
    };
    Located locate(QStringView section, QStringView key) const;

    QList<QByteArray> lines_;  // each with its own line end, if it had one
};

// One value read as GetPrivateProfileString reads it: the file is read afresh. Empty when the
// file, section or key is missing; nullopt when the file exists but cannot be read.
std::optional<QString> readIniValue(const QString& path, QStringView section, QStringView key);

// Changes a settings file that other copies of the program may be changing too: under the
// settings lock of its folder (core/FileLock.h) the file is read afresh, `change` sets its keys,
// and the file is written back whole. The keys that `change` leaves alone keep what the file
// holds at that moment, whichever copy wrote them. False, the file left as it was, when it
// cannot be read or written, the lock cannot be had, or `change` returns false.
bool updateIniFile(const QString& path, const std::function<bool(IniFile&)>& change);

// One value written as WritePrivateProfileString writes it: read, change one key, write the
// file back whole (updateIniFile). False when the file cannot be read or written, or a name is
// not usable.
bool writeIniValue(const QString& path, QStringView section, QStringView key, QStringView value);

}  // namespace cal
