// The widths a column starts with and the width that fits its texts.
#include "components/sevgrid_p.h"

#include <QHeaderView>

#include <algorithm>
#include <array>

namespace zevo::ui {

namespace {

constexpr int kErsteZeilen = 60;         // the rows a person sees first
constexpr int kHöchsteStartbreite = 6000;   // twips: a long remark does not take the whole list

}  // namespace

// A new column is wide enough for its caption, and at least the default width.
int sevGrid::startbreite(const QString& caption) const {
  const int px = d->view->horizontalHeader()->fontMetrics().horizontalAdvance(caption) + 24;
  return std::max(kDefaultWidthTwips, px * kTwipsPerPixel);
}

// Pixels for the caption (with room for the sort mark) and the texts: those
// of the first rows and the three longest further down. Other cells are not
// measured, so that a long list is fitted as fast as a short one.
int sevGrid::inhaltsbreite(int col) const {
  const QFontMetrics zelle(d->view->font());
  int px = d->view->horizontalHeader()->fontMetrics().horizontalAdvance(d->cols[col - 1].caption) + 24;
  auto messen = [&](int r) { px = std::max(px, zelle.horizontalAdvance(d->cellRef(r, col - 1)) + 12); };
  const int n = rows(), erste = std::min(n, kErsteZeilen);
  for (int r = 0; r < erste; ++r) messen(r);
  std::array<int, 3> längste{-1, -1, -1};   // rows, the longest text first
  auto länge = [&](int r) { return r < 0 ? -1 : int(d->cellRef(r, col - 1).size()); };
  for (int r = erste; r < n; ++r) {
    if (länge(r) <= länge(längste.back())) continue;
    längste.back() = r;
    for (int i = int(längste.size()) - 1; i > 0 && länge(längste[i]) > länge(längste[i - 1]); --i)
      std::swap(längste[i], längste[i - 1]);
  }
  for (int r : längste)
    if (r >= 0) messen(r);
  return px;
}

// Columns whose width nobody has set (not the window, the user, the stored
// widths or the grid file) take the width their texts need, within the
// default and a limit, once the grid has rows; from then on it is theirs.
void sevGrid::startbreitensetzen() {
  if (rows() == 0) return;
  for (int c = 1; c <= cols(); ++c) {
    GridCol& s = d->cols[c - 1];
    if (s.gegeben) continue;
    s.width = std::clamp(inhaltsbreite(c) * kTwipsPerPixel, kDefaultWidthTwips, kHöchsteStartbreite);
    s.gegeben = true;
  }
}

}  // namespace zevo::ui
