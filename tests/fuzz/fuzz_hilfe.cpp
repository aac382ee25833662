// The help file reader on any bytes, for a topic taken from the input.
#include "fuzz.h"

#include "platform/runtime/textfile.h"
#include "shell/ih_hilfe.h"

using namespace zevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QStringList zeilen = vb::cp1252::decode(fuzz::bytes(data, size)).split(QStringLiteral("\r\n"));
  const QString thema = zeilen.isEmpty() ? QString() : zeilen.first();
  shell::hilfeabschnitt(zeilen, thema);
  shell::hilfeabschnitt(zeilen, QStringLiteral("IE_Eingabe"));
  return 0;
}
