#include "core/Backup.h"

#include "core/RecordFile.h"
#include "core/SafeWrite.h"

#include <archive.h>
#include <archive_entry.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace cal {
namespace {

const QByteArray kSignature = QByteArrayLiteral("Calvetra 4.0 - copia di sicurezza");
// Blocks handed between the files, the zip library and the disk.
constexpr qint64 kBlock = 1 << 20;
// Deflate's fastest level: the records are mostly empty field space, which any level packs
// tight; higher levels only cost time.
constexpr const char* kZipOptions = "zip:compression=deflate,zip:compression-level=1,zip:hdrcharset=UTF-8";
constexpr qint64 kDescriptionLimit = 64 * 1024;

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

bool isNumber(QStringView text) {
    if (text.isEmpty() || text.front() < u'1' || text.front() > u'9') return false;
    for (QChar c : text)
        if (!c.isDigit() || c.unicode() > u'9') return false;
    return true;
}

// What stands at a path, links not followed: a link is Other, whatever it points to.
enum class Node { Missing, Folder, File, Other };
Node nodeAt(const QString& path) {
    struct stat info;
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0) return errno == ENOENT ? Node::Missing : Node::Other;
    if (S_ISDIR(info.st_mode)) return Node::Folder;
    if (S_ISREG(info.st_mode)) return Node::File;
    return Node::Other;
}

// One data entry: its path relative to the program folder ('/' between names).
struct Item {
    QString path;
    bool folder = false;
    bool record = false;  // a record file, read under its append lock
};

QString joined(const QString& relative, const QString& name) { return relative.isEmpty() ? name : relative + u'/' + name; }

QStringList namesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Adds the contents of the folder `relative` of `root`, folders before what they hold. Entries
// that are neither files nor folders go to `skipped`. False, with the folder in `unreadable`,
// when a folder cannot be listed.
bool walk(const QString& root, const QString& relative, std::vector<Item>& items, QStringList& skipped,
          QString& unreadable) {
    const QFileInfo info(root + relative);
    if (!info.isReadable() || !info.isExecutable()) {
        unreadable = relative;
        return false;
    }
    for (const QString& name : namesIn(root + relative)) {
        const QString path = joined(relative, name);
        switch (nodeAt(root + path)) {
        case Node::Folder:
            items.push_back({path, true});
            if (!walk(root, path, items, skipped, unreadable)) return false;
            break;
        case Node::File: items.push_back({path, false}); break;
        default: skipped << path;
        }
    }
    return true;
}

// The data entries of the program folder `root` (ending with a separator).
bool listData(const QString& root, const DataFileRule& rule, std::vector<Item>& items, QStringList& skipped,
              QString& unreadable) {
    for (const QString& name : namesIn(root)) {
        const DataKind kind = dataKind(rule, name);
        if (kind == DataKind::None) continue;
        const Node node = nodeAt(root + name);
        if (kind == DataKind::Folder && node == Node::Folder) {
            items.push_back({name, true});
            if (!walk(root, name, items, skipped, unreadable)) return false;
        } else if (kind != DataKind::Folder && node == Node::File) {
            items.push_back({name, false, kind == DataKind::RecordFile});
        } else {
            skipped << name;
        }
    }
    return true;
}

// The zip file being written, through SafeWrite.
class ZipWriter {
public:
    explicit ZipWriter(SafeWrite& out) : out_(out), a_(archive_write_new()) {}
    ~ZipWriter() { archive_write_free(a_); }
    ZipWriter(const ZipWriter&) = delete;
    ZipWriter& operator=(const ZipWriter&) = delete;

    bool open() {
        return check(archive_write_set_format_zip(a_)) && check(archive_write_set_options(a_, kZipOptions)) &&
               // No padding after the last byte: the file ends where the zip ends.
               check(archive_write_set_bytes_per_block(a_, int(kBlock))) &&
               check(archive_write_set_bytes_in_last_block(a_, 1)) &&
               check(archive_write_open(a_, this, nullptr, &ZipWriter::deliver, nullptr));
    }
    bool folder(const QString& path, const QDateTime& modified) { return header(path + u'/', AE_IFDIR, 0, modified); }
    bool file(const QString& path, qint64 size, const QDateTime& modified) {
        return header(path, AE_IFREG, size, modified);
    }
    bool data(QByteArrayView bytes) {
        while (!bytes.isEmpty()) {
            const la_ssize_t n = archive_write_data(a_, bytes.data(), std::size_t(bytes.size()));
            if (n <= 0) return check(ARCHIVE_FATAL);
            bytes = bytes.sliced(qsizetype(n));
            written_ += n;
        }
        return true;
    }
    // The bytes of every file written so far.
    qint64 written() const { return written_; }
    bool close() { return check(archive_write_close(a_)); }
    QString errorString() const { return error_; }

private:
    static la_ssize_t deliver(struct archive*, void* self, const void* buffer, size_t length) {
        auto* w = static_cast<ZipWriter*>(self);
        return w->out_.write(QByteArrayView(static_cast<const char*>(buffer), qsizetype(length))) ? la_ssize_t(length)
                                                                                                   : -1;
    }
    bool header(const QString& path, unsigned type, qint64 size, const QDateTime& modified) {
        archive_entry* e = archive_entry_new();
        archive_entry_set_pathname_utf8(e, path.toUtf8().constData());
        archive_entry_set_filetype(e, type);
        archive_entry_set_perm(e, type == AE_IFDIR ? 0755 : 0644);
        archive_entry_set_size(e, size);
        archive_entry_set_mtime(e, modified.toSecsSinceEpoch(), 0);
        const bool ok = check(archive_write_header(a_, e));
        archive_entry_free(e);
        return ok;
    }
    bool check(int result) {
        if (result == ARCHIVE_OK) return true;
        if (error_.isEmpty()) {
            error_ = out_.failed() ? out_.errorString() : QString::fromLocal8Bit(archive_error_string(a_));
            if (error_.isEmpty()) error_ = QStringLiteral("zip writer failed");
        }
        return false;
    }

    SafeWrite& out_;
    archive* a_;
    QString error_;
    qint64 written_ = 0;
};

QByteArray description(const QDateTime& taken, qint64 files) {
    return kSignature + "\r\nData=" + taken.toString(Qt::ISODate).toLatin1() + "\r\nFile=" + QByteArray::number(files) +
           "\r\n";
}

// Copies a file that is not a record file into the zip. False with the cause in `error`, and
// `readFailed` set when the file itself could not be read.
bool copyFile(const QString& path, const QString& name, ZipWriter& zip, QString& error, bool& readFailed) {
    const auto failed = [&](bool reading, const QString& cause) {
        readFailed = reading;
        error = cause;
        return false;
    };
    QFile file(path);
    QString cause;
    if (!openRegularFile(file, QIODevice::ReadOnly | QIODevice::Unbuffered, &cause)) return failed(true, cause);
    const qint64 size = file.size();
    if (!zip.file(name, size, QFileInfo(path).lastModified())) return failed(false, zip.errorString());
    QByteArray block(int(kBlock), Qt::Uninitialized);
    for (qint64 done = 0;;) {
        const qint64 n = file.read(block.data(), block.size());
        if (n < 0) return failed(true, file.errorString());
        if (done + n > size || (n == 0 && done < size)) return failed(true, QStringLiteral("changed while it was read"));
        if (n == 0) return true;
        if (!zip.data(QByteArrayView(block.constData(), n))) return failed(false, zip.errorString());
        done += n;
    }
}

}  // namespace

DataKind dataKind(const DataFileRule& rule, const QString& name) {
    if (rule.recordFiles.contains(name)) return DataKind::RecordFile;
    for (const QString& extension : rule.yearExtensions)
        if (name.size() == 4 + extension.size() && name.endsWith(extension) &&
            std::all_of(name.begin(), name.begin() + 4, [](QChar c) { return c >= u'0' && c <= u'9'; }))
            return DataKind::RecordFile;
    if (rule.files.contains(name)) return DataKind::File;
    if (rule.folders.contains(name)) return DataKind::Folder;
    for (const QString& prefix : rule.numberedFolders)
        if (name.startsWith(prefix) && isNumber(QStringView(name).sliced(prefix.size()))) return DataKind::Folder;
    return DataKind::None;
}

BackupOutcome writeBackup(const QString& folder, const DataFileRule& rule, const QString& target,
                          const QDateTime& taken) {
    BackupOutcome out;
    const auto failed = [&](const QString& cause) {
        out.error = cause;
        qCWarning(lcFiles).noquote() << "backup into" << target << "failed:" << cause;
        return out;
    };
    const QString root = QDir(folder).absolutePath() + u'/';
    // A copy inside the folder it protects would be lost with it, and would hold itself.
    const QString place = QFileInfo(QFileInfo(target).absolutePath()).canonicalFilePath();
    const QString home = QFileInfo(folder).canonicalFilePath();
    if (!place.isEmpty() && (place == home || place.startsWith(home + u'/'))) {
        out.insideFolder = true;
        return failed(QStringLiteral("the target lies in the program folder"));
    }
    std::vector<Item> items;
    if (!listData(root, rule, items, out.skipped, out.unreadable))
        return failed(QStringLiteral("cannot list %1").arg(out.unreadable));
    const auto files = std::count_if(items.begin(), items.end(), [](const Item& i) { return !i.folder; });

    SafeWrite file(target);
    if (!file.open()) return failed(file.errorString());
    ZipWriter zip(file);
    const QByteArray about = description(taken, files);
    if (!zip.open() || !zip.file(kBackupDescription, about.size(), taken) || !zip.data(about))
        return failed(zip.errorString());
    for (const Item& item : items) {
        const QString path = root + item.path;
        if (item.folder) {
            if (!zip.folder(item.path, QFileInfo(path).lastModified())) return failed(zip.errorString());
            continue;
        }
        QString error;
        bool readFailed = false;
        bool ok;
        if (item.record) {
            ok = readRecordFileWhole(
                path,
                [&](qint64 size) { return zip.file(item.path, size, QFileInfo(path).lastModified()); },
                [&](QByteArrayView bytes) { return zip.data(bytes); }, &error);
            // The zip writer's own failure is the writing's; anything else is the reading's.
            readFailed = !ok && zip.errorString().isEmpty();
        } else {
            ok = copyFile(path, item.path, zip, error, readFailed);
        }
        if (!ok) {
            if (readFailed) out.unreadable = item.path;
            return failed(readFailed ? item.path + QStringLiteral(": ") + error : zip.errorString());
        }
        ++out.files;
    }
    out.bytes = zip.written() - about.size();
    if (!zip.close()) return failed(zip.errorString());
    if (!file.commit()) return failed(file.errorString());
    out.ok = true;
    return out;
}

struct BackupRestore::State {
    QString root;  // ending with a separator
    DataFileRule rule;
    std::unique_ptr<QTemporaryDir> staging;
    QString aside;
    std::vector<Item> items;  // what the copy holds, folders before their contents
    QDateTime taken;
    qint64 files = 0;
    QStringList replaced;
    Failure failure = Failure::None;
    QString entry;
    QString error;
    bool rolledBack = true;

    bool fail(Failure kind, const QString& cause, const QString& name = {}) {
        failure = kind;
        error = cause;
        entry = name;
        qCWarning(lcFiles).noquote() << "restore into" << root << "failed:" << cause << name;
        return false;
    }
    QString stagedPath(const QString& relative) const { return staging->path() + u'/' + relative; }
    bool read(archive* a, const QString& backupFile);
    bool readDescription(archive* a);
    bool stage(archive* a, const QString& name, qint64 entrySize);
};

namespace {

// A path inside the program folder: names joined by '/', none empty, "." or "..".
bool plainPath(const QString& path) {
    if (path.isEmpty() || path.contains(u'\\') || path.contains(QChar(0))) return false;
    const QStringList names = path.split(u'/');
    return std::none_of(names.begin(), names.end(),
                        [](const QString& n) { return n.isEmpty() || n == u"." || n == u".."; });
}

bool fsyncPath(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0 || errno == EINVAL || errno == EROFS;
    ::close(fd);
    return ok;
}

bool renamePath(const QString& from, const QString& to) {
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

}  // namespace

bool BackupRestore::State::readDescription(archive* a) {
    QByteArray text;
    char block[4096];
    for (la_ssize_t n; (n = archive_read_data(a, block, sizeof block)) != 0;) {
        if (n < 0) return fail(Failure::Damaged, QString::fromLocal8Bit(archive_error_string(a)));
        text.append(block, qsizetype(n));
        if (text.size() > kDescriptionLimit) return fail(Failure::Foreign, QStringLiteral("description too long"));
    }
    const QList<QByteArray> lines = text.split('\n');
    if (lines.isEmpty() || lines.first().trimmed() != kSignature)
        return fail(Failure::Foreign, QStringLiteral("not a copy of this program"));
    bool counted = false;
    for (const QByteArray& line : lines) {
        const QByteArray l = line.trimmed();
        if (l.startsWith("Data=")) taken = QDateTime::fromString(QString::fromLatin1(l.mid(5)), Qt::ISODate);
        if (l.startsWith("File=")) files = l.mid(5).toLongLong(&counted);
    }
    if (!taken.isValid() || !counted || files < 0)
        return fail(Failure::Foreign, QStringLiteral("the copy's description is incomplete"));
    return true;
}

bool BackupRestore::State::stage(archive* a, const QString& name, qint64 entrySize) {
    QFile out(stagedPath(name));
    if (!QDir().mkpath(QFileInfo(out.fileName()).absolutePath()) ||
        !out.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(Failure::Write, out.errorString(), name);
    const void* buffer;
    size_t size;
    la_int64_t offset;
    for (;;) {
        const int r = archive_read_data_block(a, &buffer, &size, &offset);
        if (r == ARCHIVE_EOF) break;
        if (r != ARCHIVE_OK) return fail(Failure::Damaged, QString::fromLocal8Bit(archive_error_string(a)), name);
        if ((offset != out.pos() && !out.seek(offset)) ||
            out.write(static_cast<const char*>(buffer), qint64(size)) != qint64(size))
            return fail(Failure::Write, out.errorString(), name);
    }
    // A sparse end leaves no bytes to write: the file still takes its whole size.
    if (entrySize > out.size() && !out.resize(entrySize)) return fail(Failure::Write, out.errorString(), name);
    if (!out.flush() || ::fsync(out.handle()) != 0) return fail(Failure::Write, out.errorString(), name);
    out.close();
    return out.error() == QFileDevice::NoError || fail(Failure::Write, out.errorString(), name);
}

bool BackupRestore::State::read(archive* a, const QString& backupFile) {
    if (archive_read_support_format_zip(a) != ARCHIVE_OK)
        return fail(Failure::Unreadable, QString::fromLocal8Bit(archive_error_string(a)));
    if (!QFileInfo(backupFile).isFile() || !QFileInfo(backupFile).isReadable())
        return fail(Failure::Unreadable, QStringLiteral("cannot read %1").arg(backupFile));
    if (archive_read_open_filename(a, QFile::encodeName(backupFile).constData(), kBlock) != ARCHIVE_OK)
        return fail(Failure::Foreign, QString::fromLocal8Bit(archive_error_string(a)));
    QSet<QString> seen;
    QSet<QString> stagedFiles;
    qint64 fileEntries = 0;
    bool described = false;
    for (;;) {
        archive_entry* e = nullptr;
        const int r = archive_read_next_header(a, &e);
        if (r == ARCHIVE_EOF) break;
        if (r != ARCHIVE_OK) return fail(Failure::Damaged, QString::fromLocal8Bit(archive_error_string(a)));
        const char* utf8 = archive_entry_pathname_utf8(e);
        const char* raw = archive_entry_pathname(e);
        QString name = utf8 ? QString::fromUtf8(utf8) : QString::fromLocal8Bit(raw ? raw : "");
        // The description comes first: anything else is no copy of this program.
        if (!described) {
            if (name != kBackupDescription || archive_entry_filetype(e) != AE_IFREG)
                return fail(Failure::Foreign, QStringLiteral("no description first"), name);
            if (!readDescription(a)) return false;
            described = true;
            continue;
        }
        const unsigned type = archive_entry_filetype(e);
        const bool folder = type == AE_IFDIR;
        if (folder && name.endsWith(u'/')) name.chop(1);
        if (!utf8 || (type != AE_IFREG && !folder) || archive_entry_hardlink(e) || archive_entry_symlink(e) ||
            !plainPath(name) || seen.contains(name))
            return fail(Failure::Unsafe, QStringLiteral("entry refused"), name);
        const QStringList names = name.split(u'/');
        const DataKind kind = dataKind(rule, names.first());
        const bool fits = kind == DataKind::Folder ? (names.size() > 1 || folder)
                                                   : (kind != DataKind::None && names.size() == 1 && !folder);
        // A file may stand only where the copy has no file among the folders above it.
        bool underFile = false;
        for (qsizetype i = 1; i < names.size() && !underFile; ++i)
            underFile = stagedFiles.contains(names.mid(0, i).join(u'/'));
        if (!fits || underFile) return fail(Failure::Unsafe, QStringLiteral("entry refused"), name);
        seen.insert(name);
        if (folder) {
            if (!QDir().mkpath(stagedPath(name))) return fail(Failure::Write, QStringLiteral("cannot create"), name);
            continue;
        }
        if (!stage(a, name, archive_entry_size_is_set(e) ? archive_entry_size(e) : 0)) return false;
        stagedFiles.insert(name);
        ++fileEntries;
    }
    if (!described) return fail(Failure::Foreign, QStringLiteral("empty zip file"));
    // A copy cut short at the end of an entry reads without error: it lacks files.
    if (fileEntries != files)
        return fail(Failure::Damaged, QStringLiteral("%1 files of %2").arg(fileEntries).arg(files));
    return true;
}

BackupRestore::BackupRestore(const QString& folder, const DataFileRule& rule) : d_(std::make_unique<State>()) {
    d_->root = QDir(folder).absolutePath() + u'/';
    d_->rule = rule;
}

BackupRestore::~BackupRestore() = default;

bool BackupRestore::prepare(const QString& backupFile) {
    State& d = *d_;
    d.staging = std::make_unique<QTemporaryDir>(d.root + QStringLiteral(".ripristino-XXXXXX"));
    if (!d.staging->isValid()) return d.fail(Failure::Write, d.staging->errorString());
    archive* a = archive_read_new();
    const bool ok = d.read(a, backupFile);
    archive_read_free(a);
    if (!ok) {
        d.staging.reset();
        return false;
    }
    QStringList skipped;
    QString unreadable;
    d.items.clear();
    walk(d.staging->path() + u'/', QString(), d.items, skipped, unreadable);
    for (const Item& item : d.items) {
        const Node node = nodeAt(d.root + item.path);
        if (item.folder ? (node == Node::File || node == Node::Other) : node != Node::Missing) d.replaced << item.path;
    }
    return true;
}

QDateTime BackupRestore::taken() const { return d_->taken; }
qint64 BackupRestore::files() const { return d_->files; }
QStringList BackupRestore::replaced() const { return d_->replaced; }
bool BackupRestore::rolledBack() const { return d_->rolledBack; }
QString BackupRestore::asideFolder() const { return d_->aside; }
BackupRestore::Failure BackupRestore::failure() const { return d_->failure; }
QString BackupRestore::entry() const { return d_->entry; }
QString BackupRestore::errorString() const { return d_->error; }

bool BackupRestore::commit() {
    State& d = *d_;
    if (!d.staging) return d.fail(Failure::Write, QStringLiteral("nothing prepared"));
    QTemporaryDir asideDir(d.root + QStringLiteral(".sostituiti-XXXXXX"));
    if (!asideDir.isValid()) return d.fail(Failure::Write, asideDir.errorString());
    asideDir.setAutoRemove(false);
    d.aside = asideDir.path();

    // What was done, undone in the reverse order when a step fails.
    enum class Step { Placed, Created, Aside };
    struct Done {
        Step step;
        QString path;
    };
    std::vector<Done> done;
    const auto moveAside = [&](const QString& relative) {
        const QString to = d.aside + u'/' + relative;
        if (!QDir().mkpath(QFileInfo(to).absolutePath()) || !renamePath(d.root + relative, to)) return false;
        done.push_back({Step::Aside, relative});
        return true;
    };
    QString failedAt;
    for (const Item& item : d.items) {
        const QString target = d.root + item.path;
        const Node node = nodeAt(target);
        bool ok = true;
        if (item.folder) {
            if (node == Node::Folder) continue;
            if (node != Node::Missing) ok = moveAside(item.path);
            ok = ok && ::mkdir(QFile::encodeName(target).constData(), 0777) == 0;
            if (ok) done.push_back({Step::Created, item.path});
        } else {
            if (node != Node::Missing) ok = moveAside(item.path);
            ok = ok && renamePath(d.stagedPath(item.path), target);
            if (ok) done.push_back({Step::Placed, item.path});
        }
        if (!ok) {
            failedAt = item.path;
            break;
        }
    }
    if (failedAt.isEmpty() && fsyncPath(d.root)) {
        QDir(d.aside).removeRecursively();
        d.staging.reset();
        return true;
    }
    const QString cause = failedAt.isEmpty() ? QStringLiteral("cannot sync the folder") : systemError();
    bool back = true;
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        const QByteArray target = QFile::encodeName(d.root + it->path);
        switch (it->step) {
        case Step::Placed: back = ::unlink(target.constData()) == 0 && back; break;
        case Step::Created: back = ::rmdir(target.constData()) == 0 && back; break;
        case Step::Aside: back = renamePath(d.aside + u'/' + it->path, d.root + it->path) && back; break;
        }
    }
    d.rolledBack = back;
    if (back) QDir(d.aside).removeRecursively();
    d.staging.reset();  // some of its files are gone: it cannot be put in place again
    return d.fail(Failure::Write, cause, failedAt);
}

}  // namespace cal
