#pragma once
// A full disk for the program's connection on one database file, for as long
// as a PlatteVoll lives: the file may not grow by a single page (SQLite's
// max_page_count on the layer's shared connection), so a write that needs a
// new page fails as it would on a disk without free space.
#include "platform/dao/connection.h"

#include <sqlite3.h>

namespace zevo::test {

class PlatteVoll {
public:
  explicit PlatteVoll(const QString& datei) : verbindung_(dao::sharedConnection(datei, false)) {
    vorher_ = zahl("PRAGMA max_page_count");
    mehralsfrei_ = (zahl("PRAGMA freelist_count") + 2) * zahl("PRAGMA page_size");
    verbindung_->exec(QStringLiteral("PRAGMA max_page_count = %1").arg(zahl("PRAGMA page_count")));
  }
  ~PlatteVoll() { verbindung_->exec(QStringLiteral("PRAGMA max_page_count = %1").arg(vorher_)); }
  PlatteVoll(const PlatteVoll&) = delete;
  PlatteVoll& operator=(const PlatteVoll&) = delete;

  // A number of bytes that the free pages inside the file cannot hold.
  int mehralsfrei() const { return int(mehralsfrei_); }

private:
  qint64 zahl(const char* pragma) {
    dao::Statement s = verbindung_->prepare(QString::fromLatin1(pragma), {});
    return s.step({}) ? sqlite3_column_int64(s.get(), 0) : -1;
  }
  std::shared_ptr<dao::ConnectionData> verbindung_;
  qint64 vorher_ = 0;
  qint64 mehralsfrei_ = 0;
};

}  // namespace zevo::test
