#pragma once
// Small measuring helpers shared by the benchmark's commands.
#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <vector>

inline double median(std::vector<double> v) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The process's peak resident memory (VmHWM), in kB; -1 when unknown.
inline long peakRssKb() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

// Reads the whole file once in 4 MB blocks, decoding nothing: the floor of any operation that
// reads the file. Returns the bytes read, -1 when the file cannot be opened.
inline qint64 readFileOnce(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return -1;
    QByteArray block(4 << 20, Qt::Uninitialized);
    qint64 total = 0;
    for (qint64 got; (got = f.read(block.data(), block.size())) > 0;) total += got;
    return total;
}
