#pragma once
// Reads every record of a recordset and puts its cursor back where it was.

#include "platform/dao/dao.h"

namespace zevo::ui {

template <class F>
void forEachRecord(dao::Recordset rs, F&& perRecord) {
  const int pos = rs.absolutePosition();
  if (rs.recordCount() > 0) {
    rs.moveFirst();
    while (!rs.eof()) {
      perRecord(rs);
      rs.moveNext();
    }
  }
  if (pos >= 0) {
    rs.moveFirst();
    for (int i = 0; i < pos && !rs.eof(); ++i) rs.moveNext();
  }
}

}  // namespace zevo::ui
