// The column widths' file on any bytes: what it reads is written back to a
// file that reads the same, and writing that again gives the same bytes.
#include "fuzz.h"

#include "components/widthstore.h"

#include <cstdlib>

using namespace zevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto einträge = ui::widthstore::parse(fuzz::bytes(data, size));
  const QByteArray geschrieben = ui::widthstore::format(einträge);
  if (ui::widthstore::parse(geschrieben) != einträge) std::abort();
  if (ui::widthstore::format(ui::widthstore::parse(geschrieben)) != geschrieben) std::abort();
  return 0;
}
