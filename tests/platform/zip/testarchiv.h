#pragma once
// Raw archives for the tests of the zip layer and of the backup.
#include "support/dateien.h"

#include <zip.h>

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QtTest>

namespace zevo::test {

// An archive written directly with the library, with entry names of our
// choice (also ones our own layer refuses to write).
// Names are flagged UTF-8, or stored as old archives do (read back as CP437).
inline void rohesArchiv(const QString& path, const QList<QPair<QByteArray, QByteArray>>& entries,
                        zip_flags_t encoding = ZIP_FL_ENC_UTF_8) {
  int code = 0;
  zip_t* za = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &code);
  QVERIFY(za);
  for (const auto& [name, data] : entries) {
    zip_source_t* s = zip_source_buffer(za, data.constData(), zip_uint64_t(data.size()), 0);
    QVERIFY(s);
    QVERIFY(zip_file_add(za, name.constData(), s, encoding) >= 0);
  }
  QCOMPARE(zip_close(za), 0);
}

}  // namespace zevo::test
