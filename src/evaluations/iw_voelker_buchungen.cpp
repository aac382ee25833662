#include "evaluations/iw_voelker_buchungen.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/vb.h"

#include <QCheckBox>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>
#include <cstring>
#include <unordered_map>

namespace zevo::evaluations {

namespace {

const char* const tabellen[IW_Völker_Buchungen::anzahltabellen] = {
    "Stockkarte", "Honigernte", "Wachsernte",      "Pollenernte", "Sonstigeernte",
    "Arbeiten",   "Wanderung",  "Gewichtsmessung", "Behandlung",  "Königinwechsel"};

const char* const listentitel[IW_Völker_Buchungen::anzahltabellen] = {
    "Stockkarte", "Honigernte", "Wachsernte",      "Pollenernte", "Sonstige Ernte",
    "Arbeiten",   "Wanderung",  "Gewichtsmessung", "Behandlung",  "Königinwechsel"};

// The hints of the event report: prefix and field, each followed by TAB
// unless ohneTab.
struct Hinweis {
  const char* vor;
  const char* feld;
  bool ohneTab = false;
};
const std::vector<Hinweis> hinweise[IW_Völker_Buchungen::anzahltabellen] = {
    {{"VS=", "Volkstärke"},
     {"BS=", "Brutstand"},
     {"WS=", "Wabensitz"},
     {"SM=", "Sanftmut"},
     {"ST=", "Schwarmtrieb"},
     {"FE=", "Frühjahrsentw"},
     {"WF=", "Winterfestigkeit"},
     {"VM=", "Varroaschäden"}},
    {{"", "Menge_kg"}, {"", "Qualität"}},
    {{"", "Menge_kg"}, {"", "Qualität"}},
    {{"", "Menge_g"}, {"", "Qualität"}},
    {{"", "Ernteart"}, {"", "Menge_g"}, {"", "Qualität"}},
    {{"", "Arbeitsart"}},
    {{"", "Standort"}},
    {{"", "Gewicht_kg", true}},
    {{"", "Mittel"}, {"", "Menge_g"}, {"", "Behandlungsart"}},
    {{"", "Herkunft"}, {"", "Zuchtindex"}, {"", "Farbe"}},
};

// The text of a column's cells, after a prefix: feldtext, or for a
// Currency or Single field zahlformatieren(zahlauswert(value), 2), which
// reads a value in exponent form as its number, not its digits. A column
// holds few distinct numbers and dates, so each is formatted once and its
// text reused, found by the value as the query keeps it; a text without
// blanks around it and without quotes is its own cell text, and the text of
// the row before is taken again when the row repeats it.
class Zellentext {
public:
  explicit Zellentext(bool zahl, QString vor = {}) : zahl_(zahl), vor_(std::move(vor)) {}

  // The cell of the current record's field index.
  QString operator()(const dao::Recordset& rs, int index) {
    const dao::StoredView roh = rs.storedView(index);
    switch (roh.kind) {
      case dao::StoredView::Null:
        if (!nullgemacht_) {
          nulltext_ = vor_ + (zahl_ ? allgemein(QVariant()) : QString());
          nullgemacht_ = true;
        }
        return nulltext_;
      case dao::StoredView::Whole:
        if (roh.whole >= 0 && roh.whole < qint64(klein_.size())) {
          QString& t = klein_[size_t(roh.whole)];
          if (t.isNull()) t = vor_ + ausWert(rs.value(index));
          return t;
        }
        return gemerkt(Art::Ganz, quint64(roh.whole), rs, index);
      case dao::StoredView::Real: {
        quint64 bits;
        std::memcpy(&bits, &roh.real, sizeof bits);
        return gemerkt(Art::Kommazahl, bits, rs, index);
      }
      case dao::StoredView::Text:
        if (const quint64 tag = isotag(roh.bytes)) return gemerkt(Art::Tag, tag, rs, index);
        if (voriggemacht_ && roh.bytes == voriges_) return vorigertext_;
        voriges_ = roh.bytes.toByteArray();
        vorigertext_ = vor_ + ausWert(rs.value(index));
        voriggemacht_ = true;
        return vorigertext_;
      case dao::StoredView::Bytes: break;
    }
    return vor_ + ausWert(rs.value(index));
  }

private:
  enum class Art { Ganz, Kommazahl, Tag };

  // "yyyy-mm-dd" as the number yyyymmdd, 0 for any other text.
  static quint64 isotag(QByteArrayView b) {
    if (b.size() != 10 || b[4] != '-' || b[7] != '-') return 0;
    quint64 n = 0;
    for (int i : {0, 1, 2, 3, 5, 6, 8, 9}) {
      if (b[i] < '0' || b[i] > '9') return 0;
      n = n * 10 + quint64(b[i] - '0');
    }
    return n;
  }

  QString gemerkt(Art art, quint64 wert, const dao::Recordset& rs, int index) {
    const std::pair<int, quint64> schlüssel(int(art), wert);
    const auto it = gemerkt_.find(schlüssel);
    if (it != gemerkt_.end()) return it->second;
    return gemerkt_.emplace(schlüssel, vor_ + ausWert(rs.value(index))).first->second;
  }

  // The text of a value as the field gives it.
  QString ausWert(const QVariant& v) const {
    if (!v.isValid() || v.isNull()) return zahl_ ? allgemein(QVariant()) : QString();
    if (v.typeId() == QMetaType::QString && !zahl_) {
      const QString t = v.toString();
      if (t.isEmpty() ||
          (t.front() != QLatin1Char(' ') && t.back() != QLatin1Char(' ') && !t.contains(QLatin1Char('\''))))
        return t;
    }
    return allgemein(v);
  }
  QString allgemein(const QVariant& v) const {
    return zahl_ ? common::zahlformatieren(QVariant(common::zahlauswert(v)), 2) : common::feldtext(v);
  }
  struct Hash {
    std::size_t operator()(const std::pair<int, quint64>& k) const {
      return std::hash<quint64>()(k.second) * 31 + std::size_t(k.first);
    }
  };
  bool zahl_;
  QString vor_;
  bool nullgemacht_ = false;
  QString nulltext_;
  std::array<QString, 128> klein_;   // the small whole numbers
  bool voriggemacht_ = false;
  QByteArray voriges_;
  QString vorigertext_;
  std::unordered_map<std::pair<int, quint64>, QString, Hash> gemerkt_;
};

}  // namespace

IW_Völker_Buchungen::IW_Völker_Buchungen(QWidget* parent)
    : Auswertungsfenster(QStringLiteral("IW_Völker_Buchungen"), QStringLiteral("Völker (Buchungen) listen"), parent) {
  steuerelementeanlegen();
}

IW_Völker_Buchungen::~IW_Völker_Buchungen() = default;

QString IW_Völker_Buchungen::tabelle(int index) { return QString::fromUtf8(tabellen[index]); }

void IW_Völker_Buchungen::steuerelementeanlegen() {
  QGroupBox* auswahl = völkerauswahlanlegen(Klauselart::Buchungen);
  nächsteranlegen(QStringLiteral("&Vorheriges"), QStringLiteral("&Nächstes"));
  alletieranlegen();

  auto* völker = new QGroupBox(QStringLiteral("Zu listende Datenfelder (Völker)"), this);
  auto* völkerform = new QVBoxLayout(völker);
  kontier[0] = new QCheckBox(QStringLiteral("Volknummer"), völker);
  kontier[1] = new QCheckBox(QStringLiteral("Volkname"), völker);
  völkerform->addWidget(kontier[0]);
  völkerform->addWidget(kontier[1]);

  auto* buchung = new QGroupBox(QStringLiteral("Buchungsauswahl der Bewegungsdaten"), this);
  auto* buchungform = new QGridLayout(buchung);
  const char* buchtitel[3] = {"Alle Buchungen", "Datum von", "Nur die letzte (aktuellste) Buchung je Volk"};
  for (int i = 0; i < 3; ++i) optibuch[i] = new QRadioButton(QString::fromUtf8(buchtitel[i]), buchung);
  datumvonoption = optibuch[1];
  datumsfelderanlegen(buchung);
  Bezeichnung1[0] = new QLabel(QStringLiteral("bis"), buchung);
  buchungform->addWidget(optibuch[0], 0, 0, 1, 4);
  buchungform->addWidget(optibuch[1], 1, 0);
  buchungform->addWidget(&tdat(0), 1, 1);
  buchungform->addWidget(Bezeichnung1[0], 1, 2);
  buchungform->addWidget(&tdat(1), 1, 3);
  buchungform->addWidget(optibuch[2], 2, 0, 1, 4);

  auto* felder = new QGroupBox(QStringLiteral("Zu listende Datenfelder (Buchungen)"), this);
  auto* felderform = new QGridLayout(felder);
  for (int i = 0; i < anzahltabellen; ++i) {
    Bezeichnung1[i + 1] = new QLabel(QString::fromUtf8(listentitel[i]), felder);
    li[i] = new QListWidget(felder);
    li[i]->setSelectionMode(QAbstractItemView::MultiSelection);
    li[i]->setMinimumSize(150, 110);
    felderform->addWidget(Bezeichnung1[i + 1], (i / 5) * 2, i % 5);
    felderform->addWidget(li[i], (i / 5) * 2 + 1, i % 5);
  }
  auto* alle = new QHBoxLayout;
  alle->addWidget(alletier[0]);
  alle->addWidget(alletier[1]);
  alle->addStretch(1);
  felderform->addLayout(alle, 4, 0, 1, 5);

  tierleer = new QCheckBox(QStringLiteral("Zwischen den Völkern eine Leerzeile einfügen"), this);
  konereignis = new QCheckBox(
      QStringLiteral("Die Auswertung in Form eines Ereignisberichts darstellen (es werden nur bestimmte Datenfelder "
                     "je Volk gelistet und für jedes Volk, sortiert nach dem Datum, aufbereitet). Die Liste ist "
                     "unabgängig von der Auswahl auf der rechten Seite!!!"),
      this);
  kontiergruppe = new QCheckBox(QStringLiteral("Die Daten beim Ereingisbericht nach Völkern gruppieren"), this);

  auto* links = new QVBoxLayout;
  links->addWidget(auswahl);
  auto* blättern = new QHBoxLayout;
  blättern->addWidget(nächster[0]);
  blättern->addWidget(nächster[1]);
  links->addLayout(blättern);
  links->addWidget(völker);
  links->addWidget(buchung);
  links->addStretch(1);
  auto* oben = new QHBoxLayout;
  oben->addLayout(links);
  oben->addWidget(felder, 1);
  auto* knöpfe = new QHBoxLayout;
  knöpfe->addWidget(ok);
  knöpfe->addWidget(meter, 1);
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(beenden);
  auto* ganz = new QVBoxLayout(this);
  ganz->addLayout(oben, 1);
  ganz->addWidget(tierleer);
  ganz->addWidget(konereignis);
  ganz->addWidget(kontiergruppe);
  ganz->addLayout(knöpfe);
}

// --- loading and closing ---------------------------------------------------------------

void IW_Völker_Buchungen::listenfüllen() {
  for (int i = 0; i < anzahltabellen; ++i) {
    dao::Recordset rs = datenbank().openRecordset("select top 1 * from " + tabelle(i));
    for (int f = 0; f < rs.fieldCount(); ++f) {
      const QString name = rs.fields(f).name();
      if (name != QLatin1String("Volk") && name != QLatin1String("ID")) li[i]->addItem(name);
    }
    rs.close();
  }
}

void IW_Völker_Buchungen::optionensetzen() {
  kontier[0]->setChecked(common::buchungsvolkspalten(0) != 0);
  kontier[1]->setChecked(common::buchungsvolkspalten(1) != 0);
  tierleer->setChecked(common::volkleerzeile() != 0);
  kontiergruppe->setChecked(common::ereignisgruppierung() != 0);
  konereignis->setChecked(common::ereignisbericht() != 0);
  tdat(0).setText(common::buchungsdatumvon());
  tdat(1).setText(common::buchungsdatumbis());
  const int b = common::buchungsauswahl();
  optibuch[b >= 0 && b <= 2 ? b : 0]->setChecked(true);
  for (int i = 0; i < anzahltabellen; ++i) {
    const QString& felder = common::buchungsfelder(i);
    for (int e = 0; e < li[i]->count(); ++e)
      li[i]->item(e)->setSelected(felder.contains(';' + li[i]->item(e)->text() + ';'));
  }
}

void IW_Völker_Buchungen::optionenspeichern() {
  for (int i = 0; i < 3; ++i)
    if (optibuch[i]->isChecked()) {
      common::buchungsauswahl() = i;
      break;
    }
  common::buchungsvolkspalten(0) = kontier[0]->isChecked() ? 1 : 0;
  common::buchungsvolkspalten(1) = kontier[1]->isChecked() ? 1 : 0;
  common::volkleerzeile() = tierleer->isChecked() ? 1 : 0;
  common::ereignisgruppierung() = kontiergruppe->isChecked() ? 1 : 0;
  common::ereignisbericht() = konereignis->isChecked() ? 1 : 0;
  common::buchungsdatumvon() = tdat(0).text();
  common::buchungsdatumbis() = tdat(1).text();
  for (int i = 0; i < anzahltabellen; ++i) {
    QString felder = QStringLiteral(";");
    for (int e = 0; e < li[i]->count(); ++e)
      if (li[i]->item(e)->isSelected()) felder += li[i]->item(e)->text() + ';';
    common::buchungsfelder(i) = felder;
  }
}

void IW_Völker_Buchungen::alletier_click(int index) {
  for (QListWidget* l : li)
    for (int e = 0; e < l->count(); ++e) l->item(e)->setSelected(index == 0);
}

bool IW_Völker_Buchungen::hatmarkierung(int index) const { return !li[index]->selectedItems().isEmpty(); }

// --- the listing -----------------------------------------------------------------------

QString IW_Völker_Buchungen::abfrage(int index, bool ereignis) const {
  const QString t = tabelle(index);
  QString sql = QStringLiteral("select ");
  // The colony number tells the colonies apart even when only the name is
  // listed; it is carried then without being listed.
  if (kontier[0]->isChecked() || !ereignis) sql += QStringLiteral("Bienenvolk.Volknr as Volknr, ");
  if (kontier[1]->isChecked()) sql += QStringLiteral("Bienenvolk.Volkname as Volkname, ");
  for (int e = 0; e < li[index]->count(); ++e) {
    if (!ereignis && !li[index]->item(e)->isSelected()) continue;
    const QString f = li[index]->item(e)->text();
    sql += t + '.' + f + " as " + f + ", ";
  }
  sql.chop(2);
  sql += " from Bienenvolk, " + t;
  const QString klausel = völkerklausel();
  sql += klausel + (klausel.isEmpty() ? QStringLiteral(" where ") : QStringLiteral(" and "));
  sql += "Bienenvolk.ID = " + t + ".Volk";
  if (datumvon())
    sql += " and " + t + ".Datum >= " + common::sqldatum(tdat(0).text()) + " and " + t +
           ".Datum <= " + common::sqldatum(tdat(1).text());
  sql += " order by Bienenvolk.Volknr, " + t + ".Datum";
  return sql;
}

void IW_Völker_Buchungen::ok_click() {
  const bool ereignis = konereignis->isChecked();
  if (!kontier[0]->isChecked() && !kontier[1]->isChecked()) {
    kontier[0]->setChecked(true);
    kontier[1]->setChecked(true);
  }
  QString gründe;
  if (!ereignis) {
    bool markiert = false;
    for (int i = 0; i < anzahltabellen; ++i) markiert = markiert || hatmarkierung(i);
    if (!markiert) gründe += "...keine zu listenden Datenfelder (Buchungen) ausgewählt sind." + common::zeilenumbruch;
  }
  gründe += datumsgründe();
  if (ereignis && !kontier[0]->isChecked()) kontier[0]->setChecked(true);
  if (abgelehnt(gründe)) return;
  if (istletztebuchung()) tierleer->setChecked(false);

  listung([this, ereignis] { listen(ereignis); });
}

void IW_Völker_Buchungen::listen(bool ereignis) {
  gridvorbereiten();
  if (ereignis) {
    gridli->addcolumn(QStringLiteral("datum"), QStringLiteral("Datum"));
    gridli->addcolumn(QStringLiteral("buchung"), QStringLiteral("Buchung"));
    gridli->addcolumn(QStringLiteral("vnummer"), QStringLiteral("Volknr"));
    if (kontier[1]->isChecked()) gridli->addcolumn(QStringLiteral("vname"), QStringLiteral("Volkname"));
    gridli->addcolumn(QStringLiteral("hinweise"), QStringLiteral("Hinweise"));
  }
  meterstarten(anzahltabellen);
  for (int i = 0; i < anzahltabellen; ++i) {
    if (ereignis || hatmarkierung(i)) {
      dao::Recordset rs = datenbank().openRecordset(abfrage(i, ereignis));
      if (!rs.eof()) {
        if (ereignis) ereigniszeilen(rs, i);
        else tabellenblock(rs, i, !kontier[0]->isChecked());
      }
      rs.close();
    }
    meterschritt();
  }
  meterverbergen();
  if (gridli->rows() == 0) {
    gridli->lockupdate(false);
    nichtsgefunden(QStringLiteral("Es wurden lt. den aktuellen Einstellungen keine Daten gefunden!"));
    return;
  }
  if (ereignis) {
    if (!kontiergruppe->isChecked()) {
      gridli->sort(QStringLiteral("datum,vnummer"));
    } else {
      gridli->sort(QStringLiteral("vnummer,datum"));
      // An empty row wherever the colony changes, all inserted in one pass.
      const int spalte = gridli->colIndex(QStringLiteral("vnummer"));
      QList<int> wechsel;
      for (int r = 2; r <= gridli->rows(); ++r)
        if (gridli->cell(r, spalte) != gridli->cell(r - 1, spalte)) wechsel << r;
      gridli->insertemptyrows(wechsel);
    }
  }
  übergeben();
}

void IW_Völker_Buchungen::tabellenblock(dao::Recordset& rs, int index, bool volknrverborgen) {
  const int erstes = volknrverborgen ? 1 : 0;
  struct Spalte {
    int feld;
    Zellentext text;
  };
  std::vector<Spalte> spalten;
  QString kopf;
  for (int f = erstes; f < rs.fieldCount(); ++f) {
    const dao::Field feld = rs.fields(f);
    spalten.push_back({f, Zellentext(feld.type() == dao::dbCurrency || feld.type() == dao::dbSingle)});
    kopf += feld.name().toUpper() + '\t';
  }
  Zellentext volktext(false);
  const bool letzte = istletztebuchung();
  const bool leerzeile = tierleer->isChecked();

  gridli->additem(tabelle(index).toUpper());
  gridli->additem(kopf);
  auto zeilentext = [&spalten, &rs] {
    QStringList zellen;
    zellen.reserve(qsizetype(spalten.size()));
    for (Spalte& s : spalten) zellen.append(s.text(rs, s.feld));
    return zellen;
  };
  if (letzte) {
    // Only the last row of each colony is listed, so only its text is made:
    // one step back when the colony changes, and the very last row.
    QString vorigesvolk;
    bool erste = true;
    for (; !rs.eof(); rs.moveNext()) {
      const QString volk = volktext(rs, 0);
      if (!erste && volk != vorigesvolk) {
        rs.movePrevious();
        gridli->addcells(zeilentext());
        rs.moveNext();
      }
      vorigesvolk = volk;
      erste = false;
    }
    rs.moveLast();
    gridli->addcells(zeilentext());
    gridli->additem(QString());
    gridli->additem(QString());
    return;
  }
  QString vorigesvolk;
  bool erste = true;
  for (; !rs.eof(); rs.moveNext()) {
    if (leerzeile) {
      const QString volk = volktext(rs, 0);
      if (volk != vorigesvolk && !erste) gridli->additem(QString());
      vorigesvolk = volk;
    }
    gridli->addcells(zeilentext());
    erste = false;
  }
  gridli->additem(QString());
  gridli->additem(QString());
  if (leerzeile) gridli->additem(QString());
}

void IW_Völker_Buchungen::ereigniszeilen(dao::Recordset& rs, int index) {
  const QString t = tabelle(index);
  const int datum = rs.fieldIndex(QStringLiteral("Datum"));
  const int volknr = rs.fieldIndex(QStringLiteral("Volknr"));
  const int volkname = kontier[1]->isChecked() ? rs.fieldIndex(QStringLiteral("Volkname")) : -1;
  struct Teil {
    int feld;
    bool ohneTab;
    Zellentext text;
  };
  std::vector<Teil> teile;
  for (const Hinweis& h : hinweise[index])
    teile.push_back({rs.fieldIndex(QString::fromUtf8(h.feld)), h.ohneTab, Zellentext(false, QString::fromUtf8(h.vor))});
  Zellentext datumstext(false), nummertext(false), nametext(false);
  // The hints' cells; one without a TAB runs on into the next.
  for (; !rs.eof(); rs.moveNext()) {
    QStringList zellen;
    zellen.reserve(4 + qsizetype(teile.size()));
    zellen << datumstext(rs, datum) << t << nummertext(rs, volknr);
    if (volkname >= 0) zellen << nametext(rs, volkname);
    QString weiter;
    for (Teil& h : teile) {
      QString teil = h.text(rs, h.feld);
      if (!weiter.isEmpty()) teil = weiter + teil;
      if (h.ohneTab) weiter = teil;
      else {
        zellen << teil;
        weiter.clear();
      }
    }
    if (weiter.contains(QLatin1Char('\t'))) {
      // A last cell without a TAB after it, split as the row's text would be.
      gridli->additem(zellen.join(QLatin1Char('\t')) + QLatin1Char('\t') + weiter);
      continue;
    }
    if (!weiter.isEmpty()) zellen << weiter;
    gridli->addcells(zellen);
  }
}

}  // namespace zevo::evaluations
