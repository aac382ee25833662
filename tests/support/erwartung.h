#pragma once
// A long expected list kept as a text file beside its test (UTF-8, one row
// per line) and compared whole:
//
//   QCOMPARE(liste.zeilen, test::erwartet("ereignisbericht.txt", liste.zeilen));
//
// With the environment variable ZEVO_ERWARTUNG_SCHREIBEN set, the list is
// written into the file first, to make or renew it; look at the file before
// committing it.
#include <QFile>
#include <QStringList>
#include <QTextStream>

#ifndef ZEVO_TESTORDNER
#error "ZEVO_TESTORDNER (the test's source folder) is set by the build"
#endif

namespace zevo::test {

inline QStringList erwartet(const QString& name, const QStringList& ist = {}) {
  const QString pfad = QStringLiteral(ZEVO_TESTORDNER) + name;
  if (qEnvironmentVariableIsSet("ZEVO_ERWARTUNG_SCHREIBEN")) {
    QFile f(pfad);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write((ist.join('\n') + '\n').toUtf8());
  }
  QFile f(pfad);
  if (!f.open(QIODevice::ReadOnly)) return {QStringLiteral("<") + pfad + QStringLiteral(" fehlt>")};
  QString text = QString::fromUtf8(f.readAll());
  if (text.endsWith('\n')) text.chop(1);
  return text.split('\n');
}

}  // namespace zevo::test
