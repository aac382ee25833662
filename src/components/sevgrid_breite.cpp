// The widths a column starts with and the width that fits its texts.
#include "components/sevgrid_p.h"

#include <QDate>
#include <QHash>
#include <QHeaderView>

#include <algorithm>
#include <array>
#include <map>
#include <unordered_map>

namespace zevo::ui {

namespace {

constexpr int kErsteZeilen = 60;         // the rows a person sees first
constexpr int kHöchsteStartbreite = 6000;   // twips: a long remark does not take the whole list

// The width of an escaped cell in pixels, as the sum of its characters'
// widths: close to what the font measures (without kerning), so that the
// widest texts are the ones measured, whatever their number of characters
// (a title in capitals beside longer names in small letters).
class Schätzung {
public:
  explicit Schätzung(const QFontMetrics& fm) : fm_(fm) { ascii_.fill(-1); }
  int operator()(QByteArrayView b) {
    int px = 0;
    for (qsizetype i = 0; i < b.size(); ++i) {
      uchar c = uchar(b[i]);
      if (c == '\\' && i + 1 < b.size()) c = uchar(b[++i]);   // an escaped character
      if (c < 0x80) {
        int& w = ascii_[c];
        if (w < 0) w = fm_.horizontalAdvance(QLatin1Char(char(c)));
        px += w;
        continue;
      }
      // A character of several bytes, read whole.
      const int folgebytes = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
      char32_t z = folgebytes == 0 ? c : c & (0x3F >> folgebytes);
      for (int k = 0; k < folgebytes && i + 1 < b.size(); ++k) z = (z << 6) | (uchar(b[++i]) & 0x3F);
      auto it = andere_.find(z);
      if (it == andere_.end())
        it = andere_.emplace(z, fm_.horizontalAdvance(QString::fromUcs4(&z, 1))).first;
      px += it->second;
    }
    return px;
  }
private:
  const QFontMetrics& fm_;
  std::array<int, 128> ascii_;
  std::unordered_map<char32_t, int> andere_;
};

// The characters of a text in UTF-8, as a QString counts them (a character
// beyond the BMP as two).
int zeichen(QByteArrayView b) {
  int n = 0;
  for (const char c : b)
    if ((uchar(c) & 0xC0) != 0x80) n += uchar(c) >= 0xF0 ? 2 : 1;
  return n;
}

// The length of the text of a bound cell, read from the value as the layer
// keeps it: a text's own length, a day's ten characters, a whole number's
// digits; any other number's text is made once per value.
class Textlänge {
public:
  int operator()(int typ, const dao::StoredView& roh) {
    switch (roh.kind) {
      case dao::StoredView::Null: return 0;
      case dao::StoredView::Text: {
        const QByteArrayView t = roh.bytes;
        if (typ == dao::dbText || typ == dao::dbMemo) return zeichen(t);
        if (typ == dao::dbDate && t.size() == 10 && t[4] == '-' && t[7] == '-') {
          int z[10] = {};
          bool ok = true;
          for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
            ok = ok && t[i] >= '0' && t[i] <= '9';
            z[i] = t[i] - '0';
          }
          const QDate tag(z[0] * 1000 + z[1] * 100 + z[2] * 10 + z[3], z[5] * 10 + z[6], z[8] * 10 + z[9]);
          if (ok && tag.isValid() && tag.year() >= 1000) return 10;
        }
        break;
      }
      case dao::StoredView::Whole:
        if (typ == dao::dbText || typ == dao::dbMemo || typ == dao::dbInteger || typ == dao::dbLong ||
            typ == dao::dbByte) {
          const qint64 z = roh.whole;
          int n = z < 0 ? 2 : 1;
          for (quint64 rest = z < 0 ? 0 - quint64(z) : quint64(z); rest >= 10; rest /= 10) ++n;
          return n;
        }
        [[fallthrough]];
      case dao::StoredView::Real: {
        const bool real = roh.kind == dao::StoredView::Real;
        const std::pair<int, double> schlüssel(typ * 2 + real, real ? roh.real : double(roh.whole));
        if (voriger_ && voriger_->first == schlüssel) return voriger_->second;   // a neighbour's value
        auto it = gemerkt_.find(schlüssel);
        if (it == gemerkt_.end()) it = gemerkt_.emplace(schlüssel, länge(typ, roh.variant())).first;
        voriger_ = &*it;
        return it->second;
      }
      default: break;
    }
    return länge(typ, roh.variant());
  }
private:
  static int länge(int typ, const QVariant& roh) {
    return int(valueText(dao::presentedValue(dao::FieldType(typ), roh)).size());
  }
  struct Hash {
    std::size_t operator()(const std::pair<int, double>& k) const {
      return std::hash<double>()(k.second) * 31 + std::size_t(k.first);
    }
  };
  std::unordered_map<std::pair<int, double>, int, Hash> gemerkt_;
  const std::pair<const std::pair<int, double>, int>* voriger_ = nullptr;
};

}  // namespace

// A new column is wide enough for its caption, and at least the default width.
int sevGrid::startbreite(const QString& caption) const {
  const int px = d->view->horizontalHeader()->fontMetrics().horizontalAdvance(caption) + 24;
  return std::max(kDefaultWidthTwips, px * kTwipsPerPixel);
}

int sevGrid::inhaltsbreite(int col) const { return inhaltsbreiten(col - 1, col - 1).front(); }

// Pixels for the caption (with room for the sort mark) and the texts: those
// of the first rows and the three widest further down. Other cells are not
// measured, so that a long list is fitted as fast as a short one; their
// widths are estimated on the rows as they are kept (a bound value by its
// number of characters), all columns in one pass.
std::vector<int> sevGrid::inhaltsbreiten(int first, int last) const {
  const QFontMetrics zelle(d->view->font());
  const QFontMetrics kopf(d->view->horizontalHeader()->fontMetrics());
  const int n = rows(), erste = std::min(n, kErsteZeilen);
  struct Lang {
    int zeile = -1;
    int länge = -1;
  };
  // Per column the rows of the three longest texts, the longest first.
  std::vector<std::array<Lang, 3>> längste(size_t(last - first + 1));
  auto merken = [&](int c, int r, int länge) {
    auto& l = längste[size_t(c - first)];
    if (länge <= l.back().länge) return;
    l.back() = {r, länge};
    for (size_t i = l.size() - 1; i > 0 && l[i].länge > l[i - 1].länge; --i) std::swap(l[i], l[i - 1]);
  };
  std::vector<Textlänge> wertlänge(size_t(last - first + 1));
  std::vector<dao::StoredView> werte;
  Schätzung schätzen(zelle);
  const int zeichenbreite = zelle.averageCharWidth();   // a bound value's length in pixels
  for (int r = erste; r < n; ++r) {
    const GridRow& row = d->rows[size_t(r)];
    if (row.bound) {
      werte.resize(size_t(d->recordWidth));
      d->records.views(row.n, werte.data());
      for (int c = first; c <= last; ++c)
        merken(c, r, c < d->recordWidth ? wertlänge[size_t(c - first)](d->cols[size_t(c)].fieldType, werte[c]) * zeichenbreite : 0);
      continue;
    }
    const QByteArrayView alle = row.text.bytes();
    qsizetype anfang = 0;
    for (int c = 0; c <= last; ++c) {
      qsizetype ende = c < row.n ? alle.indexOf('\t', anfang) : anfang;
      if (ende < 0) ende = alle.size();
      if (c >= first) merken(c, r, c < row.n ? schätzen(alle.sliced(anfang, ende - anfang)) : 0);
      anfang = std::min(ende + 1, alle.size());
    }
  }
  // The texts measured: each row's cells read in one pass, each distinct
  // text measured once (a wide list repeats its few texts in every column).
  std::vector<int> px;
  for (int c = first; c <= last; ++c) px.push_back(kopf.horizontalAdvance(d->cols[size_t(c)].caption) + 24);
  QHash<QString, int> gemessen;
  std::vector<QString> texte;
  auto messen = [&](int r, const std::vector<int>* nur) {
    d->cellTexts(r, first, last, texte);
    auto spalte = [&](int c) {
      const QString& t = texte[size_t(c - first)];
      auto it = gemessen.constFind(t);
      if (it == gemessen.cend()) it = gemessen.insert(t, zelle.horizontalAdvance(t));
      px[size_t(c - first)] = std::max(px[size_t(c - first)], *it + 12);
    };
    if (!nur) {
      for (int c = first; c <= last; ++c) spalte(c);
    } else {
      for (int c : *nur) spalte(c);
    }
  };
  for (int r = 0; r < erste; ++r) messen(r, nullptr);
  std::map<int, std::vector<int>> weiter;   // a row further down, and the columns it is the widest of
  for (int c = first; c <= last; ++c)
    for (const Lang& l : längste[size_t(c - first)])
      if (l.zeile >= 0) weiter[l.zeile].push_back(c);
  for (const auto& [r, spalten] : weiter) messen(r, &spalten);
  return px;
}

void sevGrid::autosizecolumn(int col) {
  if (col >= 1 && col <= cols()) column(col).setWidth(inhaltsbreite(col) * kTwipsPerPixel);
}

void sevGrid::autosizecolumns() {
  if (cols() == 0) return;
  const std::vector<int> px = inhaltsbreiten(0, cols() - 1);
  for (int c = 1; c <= cols(); ++c) column(c).setWidth(px[size_t(c - 1)] * kTwipsPerPixel);
}

// Columns whose width nobody has set (not the window, the user, the stored
// widths or the grid file) take the width their texts need, within the
// default and a limit, once the grid has rows; from then on it is theirs.
void sevGrid::startbreitensetzen() {
  if (rows() == 0) return;
  int first = cols(), last = -1;
  for (int c = 0; c < cols(); ++c)
    if (!d->cols[size_t(c)].gegeben) first = std::min(first, c), last = c;
  if (last < 0) return;
  const std::vector<int> px = inhaltsbreiten(first, last);
  for (int c = first; c <= last; ++c) {
    GridCol& s = d->cols[size_t(c)];
    if (s.gegeben) continue;
    s.width = std::clamp(px[size_t(c - first)] * kTwipsPerPixel, kDefaultWidthTwips, kHöchsteStartbreite);
    s.gegeben = true;
  }
}

}  // namespace zevo::ui
