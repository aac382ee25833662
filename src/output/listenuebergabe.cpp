#include "output/listenuebergabe.h"

#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/forms.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/decimal.h"
#include "platform/runtime/msgbox.h"

#include <QDate>

#include <QDir>

namespace zevo::output {

namespace {

bool istZahltyp(int typ) { return typ >= dao::dbInteger && typ <= dao::dbDouble; }

// How one column's cells are written. The common cases are written here
// directly, with exactly the text of zellentext; everything else (and
// anything unusual in a value) goes through zellentext itself.
class Spaltenformat {
public:
  Spaltenformat(int index, int typ, const Übernahme& wie)
      : index_(index), typ_(typ), wie_(&wie), zahl_(wie.zahltypen.contains(typ)),
        nulltext_(zellentext(QVariant(), typ, wie)) {}

  QString text(const dao::Recordset& rs) const {
    const dao::StoredView roh = rs.storedView(index_);
    if (roh.kind == dao::StoredView::Null) return nulltext_;
    if (zahl_) {
      const QVariant wert = rs.value(index_);
      if (QString t; zahltext(wert, t)) return t;
      return zellentext(wert, typ_, *wie_);
    }
    switch (typ_) {
      case dao::dbText:
      case dao::dbMemo:
        if (roh.kind == dao::StoredView::Text) {
          // Neighbouring rows often repeat a text (a colony's number and name).
          if (roh.bytes == voriges_) return vorigertext_;
          QString t = QString::fromUtf8(roh.bytes);
          if (t.isEmpty() || (t.front() != QLatin1Char(' ') && t.back() != QLatin1Char(' ') &&
                              !t.contains(QLatin1Char('\'')))) {
            voriges_ = roh.bytes.toByteArray();
            vorigertext_ = t;
            return t;
          }
        }
        break;
      case dao::dbInteger:
      case dao::dbLong:
      case dao::dbByte:
        if (roh.kind == dao::StoredView::Whole) return QString::number(roh.whole);
        break;
      case dao::dbDate:
        if (roh.kind == dao::StoredView::Text) {
          if (QString t; datumstext(roh.bytes, t)) return t;
        }
        break;
      default: break;
    }
    return zellentext(rs.value(index_), typ_, *wie_);
  }

private:
  // "yyyy-mm-dd" of a real day as "dd.mm.yyyy".
  static bool datumstext(QByteArrayView iso, QString& text) {
    if (iso.size() != 10 || iso[4] != '-' || iso[7] != '-') return false;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9})
      if (iso[i] < '0' || iso[i] > '9') return false;
    auto zahl = [&iso](int von, int länge) {
      int n = 0;
      for (int i = von; i < von + länge; ++i) n = n * 10 + (iso[i] - '0');
      return n;
    };
    if (!QDate(zahl(0, 4), zahl(5, 2), zahl(8, 2)).isValid()) return false;
    text.resize(10);
    const int quelle[10] = {8, 9, -1, 5, 6, -1, 0, 1, 2, 3};
    for (int i = 0; i < 10; ++i) text[i] = quelle[i] < 0 ? QLatin1Char('.') : QLatin1Char(iso[quelle[i]]);
    return true;
  }

  // zahlformatieren(wert, nachkomma) of a float or double: the value's
  // shortest text (7 or 15 digits) rounded half away from zero, without
  // going through that text and the format pattern.
  bool zahltext(const QVariant& wert, QString& text) const {
    using vb::detail::Decimal;
    int stellen;
    if (wert.typeId() == QMetaType::Float) stellen = 7;
    else if (wert.typeId() == QMetaType::Double) stellen = 15;
    else return false;
    Decimal d = Decimal::fromDouble(wert.toDouble(), stellen);
    const int nachkomma = wie_->nachkomma < 0 ? 0 : wie_->nachkomma;
    d.roundTo(nachkomma, false);
    text = d.fixed(nachkomma, QLatin1Char(','), false);
    return true;
  }

  int index_;
  int typ_;
  const Übernahme* wie_;
  bool zahl_;
  QString nulltext_;
  mutable QByteArray voriges_;      // the bytes of the last text that is its own cell text
  mutable QString vorigertext_;
};

}  // namespace

QString zellentext(const QVariant& wert, int typ, const Übernahme& wie) {
  if (wie.zahltypen.contains(typ)) return common::zahlformatieren(wert, wie.nachkomma);
  return common::feldtext(wert);
}

int abfrageübernehmen(dao::Recordset& rs, ui::sevGrid& grid, const Übernahme& wie) {
  // The type of each column is read once; no field handle per cell.
  std::vector<Spaltenformat> spalten;
  for (int i = 0; i < rs.fieldCount(); ++i) {
    const dao::Field f = rs.fields(i);
    if (wie.ohneID && f.name().compare(QLatin1String("ID"), Qt::CaseInsensitive) == 0) continue;
    spalten.emplace_back(i, static_cast<int>(f.type()), wie);
    if (wie.spaltenanlegen) {
      grid.addcolumn(f.name(), f.name());
      if (istZahltyp(f.type())) {
        grid.column(f.name()).setAlign(1);
        grid.column(grid.cols()).setNumeric(1);
      }
    }
  }
  if (!wie.zeilenübernehmen || (rs.eof() && rs.bof())) return 0;
  int zeilen = 0;
  for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
    QStringList zellen;
    zellen.reserve(qsizetype(spalten.size()));
    for (const Spaltenformat& s : spalten) zellen.append(s.text(rs));
    grid.addcells(std::move(zellen));
    ++zeilen;
    if (wie.jezeile) wie.jezeile();
  }
  return zeilen;
}

bool listeübergeben(ui::sevGrid& gridli, bool ergebnisbehalten) {
  gridli.lockupdate(false);
  const QString datei = common::datenpfad + "gridli.txt";
  if (!gridli.savetofile(datei)) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Die Liste konnte nicht an das Listenfenster übergeben werden, weil die Datei " +
                   QDir::toNativeSeparators(datei) + " nicht geschrieben werden konnte.",
               vb::OKOnly, vb::Information);
    return false;
  }
  // A window's hidden grid has done its work: the list window reads the
  // file, and the list is not kept twice while it is open. A window that
  // keeps its result between listings keeps its rows.
  if (gridli.isHidden() && !ergebnisbehalten) gridli.clear(false);
  vb::showForm("IA_Zwischenliste");
  return true;
}

}  // namespace zevo::output
