// The settings file reader on any bytes: it must read what it can, never
// crash, and leave the arrays in their bounds.
#include "fuzz.h"

#include "common/einstellungen.h"
#include "platform/runtime/files.h"
#include "platform/runtime/textfile.h"

#include <QFile>

using namespace zevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::umgebung();
  common::datenpfad = fuzz::arbeitsordner();
  common::heute = "15.06.2007";
  QFile f(common::einstellungsdatei());
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  f.write(fuzz::bytes(data, size));
  f.close();
  common::einstellungenleeren();
  common::einstellungenlesen();
  if (!common::einstellungenschreiben()) std::abort();
  if (vb::readLines(common::einstellungsdatei()).size() != 173) std::abort();   // always 173 lines
  return 0;
}
