#pragma once
// Reading vCard and iCalendar files back with python3-vobject, a parser written independently of
// the program (tests/testlib/read_vobject.py). Tests skip when it is not installed.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <optional>

namespace caltest {

// The components of the file as read_vobject.py prints them; nullopt when python3 or vobject is
// missing. A file the parser refuses fails the test.
inline std::optional<QJsonArray> readWithVObject(const QString& file) {
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFile::exists(python)) return std::nullopt;
    QProcess p;
    p.start(python, {QStringLiteral(CALVETRA_SOURCE_DIR "/tests/testlib/read_vobject.py"), file});
    if (!p.waitForFinished(60000)) return std::nullopt;
    if (p.exitCode() == 3) return std::nullopt;
    const QByteArray out = p.readAllStandardOutput();
    if (p.exitCode() != 0) qWarning("vobject could not read %s: %s", qPrintable(file), p.readAllStandardError().constData());
    return QJsonDocument::fromJson(out).array();
}

// The values of the properties named `name` of a component, in file order.
inline QJsonArray propertyValues(const QJsonObject& component, const QString& name) {
    QJsonArray out;
    for (const QJsonValue& p : component["properties"].toArray())
        if (p.toArray()[0].toString() == name) out << p.toArray()[2];
    return out;
}

// The parameters of the properties named `name`, in file order.
inline QJsonArray propertyParameters(const QJsonObject& component, const QString& name) {
    QJsonArray out;
    for (const QJsonValue& p : component["properties"].toArray())
        if (p.toArray()[0].toString() == name) out << p.toArray()[1];
    return out;
}

}  // namespace caltest
