#pragma once
// A booking table dropped for a while, so that a query on it fails.
#include "common/variablen.h"
#include "shell/schema.h"

namespace zevo::test {

// Drops the table and creates it again, with its indexes, when it goes.
class TabelleWeg {
public:
  explicit TabelleWeg(const QString& tabelle) : tabelle_(tabelle) {
    common::datenbank.execute("drop table " + tabelle);
  }
  ~TabelleWeg() {
    for (const QString& s : shell::schemaanweisungen())
      if (s.startsWith("create table " + tabelle_ + "(") ||
          s.contains(" on " + tabelle_ + "(", Qt::CaseInsensitive))
        common::datenbank.execute(s);
  }
private:
  QString tabelle_;
};

}  // namespace zevo::test
