// The grid file loader (gridli.txt of the list window) on any bytes: a file
// it loads saves back to one that loads to the same grid.
#include "fuzz.h"

#include "components/sevgrid.h"

#include <QFile>

using namespace zevo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::umgebung();
  const QString datei = fuzz::arbeitsordner() + "gridli.txt";
  QFile f(datei);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  f.write(fuzz::bytes(data, size));
  f.close();
  ui::sevGrid grid;
  if (!grid.loadfromfile(datei, true)) {
    if (grid.rows() != 0 || grid.cols() != 0) std::abort();   // a refused file leaves an empty grid
    return 0;
  }
  if (!grid.savetofile(datei)) std::abort();
  ui::sevGrid zweites;
  if (!zweites.loadfromfile(datei, true) || zweites.rows() != grid.rows() || zweites.cols() != grid.cols())
    std::abort();
  for (int r = 1; r <= grid.rows(); ++r)
    for (int c = 1; c <= grid.cols(); ++c)
      if (grid.cell(r, c) != zweites.cell(r, c)) std::abort();
  return 0;
}
