// A list cell as the workbook takes it, on any text: a number is finite, and
// the number shown with the decimals of the text is the text again, but for
// the thousands points the format adds, a "+", blanks around, a 0 before a
// leading comma and a comma at the end.
#include "fuzz.h"

#include "output/listenexport.h"
#include "platform/runtime/vb.h"

#include <cmath>
#include <cstdlib>

using namespace zevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QString text = QString::fromUtf8(fuzz::bytes(data, size));
  const std::optional<double> zahl = output::excelzahl(text);
  if (!zahl) return 0;
  if (!std::isfinite(*zahl)) std::abort();
  QString erwartet = text.trimmed();
  if (erwartet.startsWith(QLatin1Char('+'))) erwartet.remove(0, 1);
  const bool negativ = erwartet.startsWith(QLatin1Char('-'));
  if (negativ) erwartet.remove(0, 1);
  if (erwartet.startsWith(QLatin1Char(','))) erwartet.prepend(QLatin1Char('0'));
  if (erwartet.endsWith(QLatin1Char(','))) erwartet.chop(1);
  if (negativ && *zahl != 0) erwartet.prepend(QLatin1Char('-'));
  const qsizetype komma = erwartet.indexOf(QLatin1Char(','));
  const qsizetype stellen = komma < 0 ? 0 : erwartet.size() - komma - 1;
  const QString format = stellen == 0 ? QStringLiteral("0") : "#,##0." + QString(stellen, QLatin1Char('0'));
  QString gezeigt = vb::format(QVariant(*zahl), format);
  gezeigt.remove(QLatin1Char('.'));
  if (gezeigt != erwartet) std::abort();
  return 0;
}
