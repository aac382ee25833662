#pragma once
// Whole files read and written by the tests, past the program's own writers.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtTest>

namespace zevo::test {

// The file's bytes; "<fehlt>" when it cannot be read.
inline QByteArray bytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<fehlt>");
}

inline void schreiben(const QString& path, const QByteArray& data) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
  QCOMPARE(f.write(data), data.size());
}

}  // namespace zevo::test
