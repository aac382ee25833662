#include "shell/datenkarte.h"

#include "common/einstellungen.h"
#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "shell/ia_zevo.h"

#include <QCheckBox>
#include <QHash>
#include <QPlainTextEdit>

#include <vector>

namespace zevo::shell {

namespace {

// --- the field lines ----------------------------------------------------------------------

enum class Wert { Text, Zahl, Summe };

struct Feldzeile {
  const char* label;   // always 19 characters
  const char* spalte;
  Wert wert;
};

// Character k of infofenster (k = 1..31) shows line k.
const Feldzeile feldzeilen[31] = {
    {"Volkname:          ", "Volkname", Wert::Text},
    {"Volkstärke:        ", "Volkstärke", Wert::Text},
    {"Mittelwände:       ", "Mittelwände", Wert::Text},
    {"Wabenanzahl:       ", "Wabenanzahl", Wert::Text},
    {"Summe Wände/Waben: ", "", Wert::Summe},
    {"Brutstand:         ", "Brutstand", Wert::Text},
    {"Wabensitz:         ", "Wabensitz", Wert::Text},
    {"Sanftmut:          ", "Sanftmut", Wert::Text},
    {"Schwarmtrieb:      ", "Schwarmtrieb", Wert::Text},
    {"Frühjahrsentw.:    ", "Frühjahrsentw", Wert::Text},
    {"Winterfestigkeit:  ", "Winterfestigkeit", Wert::Text},
    {"Varroaschäden:     ", "Varroaschäden", Wert::Text},
    {"Belagert:          ", "Belagert", Wert::Text},
    {"L_Honigernte:      ", "L_Honigernte", Wert::Text},
    {"L_Honigmenge kg:   ", "L_Honigmenge_kg", Wert::Zahl},
    {"Honigmenge Ges.:   ", "Honigmenge_Gesamt", Wert::Zahl},
    {"L_Behandlung:      ", "L_Behandlung", Wert::Text},
    {"Standort:          ", "Standort", Wert::Text},
    {"Königin Nr:        ", "Königin_Nr", Wert::Text},
    {"Königin Farbe:     ", "Königin_Farbe", Wert::Text},
    {"Königin Zugang:    ", "Königin_Zugangsdatum", Wert::Text},
    {"Futter eigen:      ", "Futtervorrat_eigen", Wert::Zahl},
    {"Futter flüssig:    ", "Futtervorrat_flüssig", Wert::Zahl},
    {"Futter Teig:       ", "Futtervorrat_Teig", Wert::Zahl},
    {"Beuteart:          ", "Beuteart", Wert::Text},
    {"Bienenrasse:       ", "Bienenrasse", Wert::Text},
    {"Zugangsdatum:      ", "Volk_Zugangsdatum", Wert::Text},
    {"Herkunft:          ", "Volk_Herkunft", Wert::Text},
    {"Abgangsdatum:      ", "Abgangsdatum", Wert::Text},
    {"Abgangsgrund:      ", "Abgangsgrund", Wert::Text},
    {"Abnehmer:          ", "Abnehmer", Wert::Text},
};
constexpr int abnehmerzeile = 31;

// --- the booking sections -------------------------------------------------------------------

enum class Art {
  Links,    // text, trimmed, cut and padded to the width
  Rechts,   // text as stored, right-aligned
  Zahl,     // number with two decimals, right-aligned
  Lücke,    // that many blanks
  Änderung, // change against the next older booking, or blanks for the oldest
  Summe,    // Waben plus Mittelwände of this booking
  Rest,     // the remark, neither padded nor cut
};

struct Spalte {
  Art art;
  const char* feld;
  int breite;
};

struct Abschnitt {
  const char* tabelle;
  const char* titel;
  const char* kopf;   // nullptr: no header and no dash line (the notes)
  std::vector<Spalte> spalten;
};

// Character 32 + i of infofenster shows section i.
const std::vector<Abschnitt>& abschnitte() {
  static const std::vector<Abschnitt> liste = {
      {"Stockkarte", "Stockkarte",
       "DATUM       VS  BS  WS  SM  ST  FE  WF  VA  BE  MW DIF  WZ DIF MWG  FUTTER_FL/TEIG/EIGEN  BEMERKUNG",
       {{Art::Rechts, "Volkstärke", 4}, {Art::Rechts, "Brutstand", 4}, {Art::Rechts, "Wabensitz", 4},
        {Art::Rechts, "Sanftmut", 4}, {Art::Rechts, "Schwarmtrieb", 4}, {Art::Rechts, "Frühjahrsentw", 4},
        {Art::Rechts, "Winterfestigkeit", 4}, {Art::Rechts, "Varroaschäden", 4}, {Art::Rechts, "Belagert", 4},
        {Art::Rechts, "Mittelwände", 4}, {Art::Änderung, "Mittelwände", 4}, {Art::Rechts, "Waben", 4},
        {Art::Änderung, "Waben", 4}, {Art::Summe, "", 4}, {Art::Lücke, "", 2},
        {Art::Zahl, "Futter_flüssig_l", 6}, {Art::Lücke, "", 1}, {Art::Zahl, "Futter_Teig_kg", 6},
        {Art::Lücke, "", 1}, {Art::Zahl, "Eigener_Futtervorrat", 6}, {Art::Lücke, "", 2},
        {Art::Rest, "Bemerkung", 0}}},
      {"Honigernte", "Honigernte",
       "DATUM       MENGE_KG  HONIGSORTE           QUALITÄT   ZEIT_H  KOSTEN HONIGWERT  BEMERKUNG",
       {{Art::Zahl, "Menge_kg", 10}, {Art::Lücke, "", 2}, {Art::Links, "Honigsorte", 21},
        {Art::Links, "Qualität", 11}, {Art::Zahl, "Zeit_h", 6}, {Art::Zahl, "Kosten", 8},
        {Art::Zahl, "Honig_Wert", 10}, {Art::Lücke, "", 2}, {Art::Rest, "Bemerkung", 0}}},
      {"Wachsernte", "Wachsernte", "DATUM       MENGE_KG  QUALITÄT   ZEIT_H  KOSTEN WACHSWERT  BEMERKUNG",
       {{Art::Zahl, "Menge_kg", 10}, {Art::Lücke, "", 2}, {Art::Links, "Qualität", 11}, {Art::Zahl, "Zeit_h", 6},
        {Art::Zahl, "Kosten", 8}, {Art::Zahl, "Wachs_Wert", 10}, {Art::Lücke, "", 2},
        {Art::Rest, "Bemerkung", 0}}},
      {"Pollenernte", "Pollenernte", "DATUM       MENGE_G  QUALITÄT   ZEIT_H  KOSTEN POLLENWERT  BEMERKUNG",
       {{Art::Zahl, "Menge_g", 9}, {Art::Lücke, "", 2}, {Art::Links, "Qualität", 11}, {Art::Zahl, "Zeit_h", 6},
        {Art::Zahl, "Kosten", 8}, {Art::Zahl, "Pollen_Wert", 11}, {Art::Lücke, "", 2},
        {Art::Rest, "Bemerkung", 0}}},
      {"Sonstigeernte", "Sonstige Ernte",
       "DATUM       ERNTEART             MENGE_G  QUALITÄT   ZEIT_H  KOSTEN     WERT  BEMERKUNG",
       {{Art::Lücke, "", 2}, {Art::Links, "Ernteart", 20}, {Art::Zahl, "Menge_g", 8}, {Art::Lücke, "", 2},
        {Art::Links, "Qualität", 11}, {Art::Zahl, "Zeit_h", 6}, {Art::Zahl, "Kosten", 8}, {Art::Zahl, "Wert", 8},
        {Art::Lücke, "", 2}, {Art::Rest, "Bemerkung", 0}}},
      {"Arbeiten", "Arbeiten", "DATUM       ARBEITSART                     ZEIT_H  KOSTEN  BEMERKUNG",
       {{Art::Lücke, "", 2}, {Art::Links, "Arbeitsart", 30}, {Art::Zahl, "Zeit_h", 7}, {Art::Zahl, "Kosten", 8},
        {Art::Lücke, "", 2}, {Art::Rest, "Bemerkung", 0}}},
      {"Wanderung", "Wanderung",
       "DATUM       STANDORT                                 ZEIT_H  KOSTEN  PRÄMIE  E  BEMERKUNG",
       {{Art::Lücke, "", 2}, {Art::Links, "Standort", 40}, {Art::Lücke, "", 1}, {Art::Zahl, "Zeit_h", 6},
        {Art::Zahl, "Kosten", 8}, {Art::Zahl, "Standortprämie", 8}, {Art::Lücke, "", 2},
        {Art::Links, "Prämie_erhalten", 3}, {Art::Rest, "Bemerkung", 0}}},
      {"Gewichtsmessung", "Gewichtsmessung", "DATUM       GEWICHT_KG  ZEIT_H  KOSTEN  BEMERKUNG",
       {{Art::Zahl, "Gewicht_kg", 12}, {Art::Zahl, "Zeit_h", 8}, {Art::Zahl, "Kosten", 8}, {Art::Lücke, "", 2},
        {Art::Rest, "Bemerkung", 0}}},
      {"Behandlung", "Behandlung",
       "DATUM       BEHANDLUNGSART                 MITTEL                          MENGE_G  ZULASS-NR  WZ "
       "ZEIT_H  KOSTEN  BEMERKUNG",
       {{Art::Lücke, "", 2}, {Art::Links, "Behandlungsart", 31}, {Art::Links, "Mittel", 30},
        {Art::Zahl, "Menge_g", 9}, {Art::Lücke, "", 2}, {Art::Links, "Zulassungsnr", 11},
        {Art::Rechts, "Wartezeit", 2}, {Art::Zahl, "Zeit_h", 7}, {Art::Zahl, "Kosten", 8}, {Art::Lücke, "", 2},
        {Art::Rest, "Bemerkung", 0}}},
      {"Königinwechsel", "Königinwechsel",
       "DATUM       HERKUNFT                       ZUCHTINDEX NUMMER               FARBE      ZEIT_H  KOSTEN  "
       "BEMERKUNG",
       {{Art::Lücke, "", 2}, {Art::Links, "Herkunft", 31}, {Art::Links, "Zuchtindex", 11},
        {Art::Links, "Nummer", 21}, {Art::Links, "Farbe", 10}, {Art::Zahl, "Zeit_h", 7}, {Art::Zahl, "Kosten", 8},
        {Art::Lücke, "", 2}, {Art::Rest, "Bemerkung", 0}}},
      {"Notizen", "NOTIZEN", nullptr, {}},
  };
  return liste;
}

// One booking: its fields by lower-case name.
using Satz = QHash<QString, QVariant>;

std::vector<Satz> buchungen(const QString& sql) {
  dao::Recordset rs = common::datenbank.openRecordset(sql);
  std::vector<Satz> sätze;
  if (rs.recordCount() != 0) {
    rs.moveFirst();
    while (!rs.eof()) {
      Satz s;
      for (int i = 0; i < rs.fieldCount(); ++i) s.insert(rs.fields(i).name().toLower(), rs.fields(i).value());
      sätze.push_back(std::move(s));
      rs.moveNext();
    }
  }
  rs.close();
  return sätze;
}

QVariant feld(const Satz& s, const char* name) { return s.value(QString::fromUtf8(name).toLower()); }

// A number is never cut: one wider than its column is shown whole.
QString zahlfeld(const QString& text, int breite) {
  const QString t = vb::trim(text);
  return t.size() > breite ? t : common::rechtsbündig(t, breite);
}

// A number that fills its column is kept one blank apart from the column
// before it, so that two numbers never run into each other.
void zahlanhängen(QString& zeile, const QString& zahl) {
  if (!zahl.isEmpty() && zahl[0] != QLatin1Char(' ') && !zeile.isEmpty() && !zeile.endsWith(QLatin1Char(' ')))
    zeile += QLatin1Char(' ');
  zeile += zahl;
}

// The leading number of a value's text (empty text is 0), written plain.
double zahlwert(const QVariant& v) { return vb::val(common::feldtext(v)); }
QString schlicht(double zahl) { return vb::trim(vb::str(zahl)); }

QString buchungszeile(const Abschnitt& a, const Satz& s, const Satz* älter) {
  QString z = vb::format(feld(s, "Datum"), QStringLiteral("dd.mm.yyyy"));
  for (const Spalte& sp : a.spalten) {
    switch (sp.art) {
      case Art::Links: z += common::linksbündig(common::feldtext(feld(s, sp.feld)), sp.breite); break;
      case Art::Rechts: zahlanhängen(z, zahlfeld(common::feldtext(feld(s, sp.feld)), sp.breite)); break;
      case Art::Zahl: zahlanhängen(z, zahlfeld(common::zahlformatieren(feld(s, sp.feld), 2), sp.breite)); break;
      case Art::Lücke: z += QString(sp.breite, QLatin1Char(' ')); break;
      case Art::Änderung:
        if (älter)
          zahlanhängen(z, zahlfeld(schlicht(zahlwert(feld(s, sp.feld)) - zahlwert(feld(*älter, sp.feld))), sp.breite));
        else
          z += QString(sp.breite, QLatin1Char(' '));
        break;
      case Art::Summe:
        zahlanhängen(z, zahlfeld(schlicht(zahlwert(feld(s, "Waben")) + zahlwert(feld(s, "Mittelwände"))), sp.breite));
        break;
      case Art::Rest: z += common::feldtext(feld(s, sp.feld)); break;
    }
  }
  return z;
}

bool gewählt(const QString& infofenster, int k) { return k <= infofenster.size() && infofenster[k - 1] == u'1'; }

}  // namespace

QString volkdatenkarte(ui::sevGrid& grid, int row, bool nurAktuellesJahr) {
  const QString& nl = common::zeilenumbruch;
  const QString infofenster = common::infofenster();
  const QString id = grid.cell(row, QStringLiteral("ID"));

  QString karte = "VOLKDATEN" + nl;
  karte += "Volknummer:        " + grid.cell(row, QStringLiteral("Volknr")) + nl;
  for (int k = 1; k <= 31; ++k) {
    if (!gewählt(infofenster, k)) continue;
    const Feldzeile& f = feldzeilen[k - 1];
    QString wert;
    switch (f.wert) {
      case Wert::Text: wert = grid.cell(row, QString::fromUtf8(f.spalte)); break;
      case Wert::Zahl: wert = common::zahlformatieren(grid.cell(row, QString::fromUtf8(f.spalte)), 2); break;
      case Wert::Summe:
        wert = schlicht(vb::val(grid.cell(row, QStringLiteral("Wabenanzahl"))) +
                        vb::val(grid.cell(row, QStringLiteral("Mittelwände"))));
        break;
    }
    karte += QString::fromUtf8(f.label) + wert + nl;
    if (k == abnehmerzeile) karte += nl;
  }

  // The colony key goes into the SQL as a number; a row without one shows no bookings.
  const std::optional<int> volk = common::sqlid(id);
  if (!volk) return karte;
  QString filter = " where Volk = " + QString::number(*volk);
  if (nurAktuellesJahr) filter += " and Datum >= " + common::sqldatum("01.01." + vb::mid(common::heute, 7, 4));
  filter += " order by Datum DESC";

  const auto& liste = abschnitte();
  for (std::size_t i = 0; i < liste.size(); ++i) {
    if (!gewählt(infofenster, 32 + static_cast<int>(i))) continue;
    const Abschnitt& a = liste[i];
    const std::vector<Satz> sätze = buchungen("select * from " + QString::fromUtf8(a.tabelle) + filter);
    if (sätze.empty()) continue;
    karte += nl + nl + QString::fromUtf8(a.titel) + nl;
    if (!a.kopf) {
      for (const Satz& s : sätze) {
        karte += "Datum: " + vb::format(feld(s, "Datum"), QStringLiteral("dd.mm.yyyy")) + nl;
        karte += vb::cstr(feld(s, "Notiz")) + nl;
        karte += nl;
      }
      continue;
    }
    const QString kopf = QString::fromUtf8(a.kopf);
    karte += kopf + nl + QString(kopf.size(), QLatin1Char('-')) + nl;
    // Each booking is compared with the next older one in the same list.
    for (std::size_t n = 0; n < sätze.size(); ++n)
      karte += buchungszeile(a, sätze[n], n + 1 < sätze.size() ? &sätze[n + 1] : nullptr) + nl;
  }
  return karte;
}

void volkdatenlisten() {
  IA_ZEVO* hauptfenster = IA_ZEVO::instance();
  if (!hauptfenster || !hauptfenster->datali) return;
  ui::sevGrid& grid = *hauptfenster->datali;
  if (grid.row() < 1) {
    vb::msgbox(
        "Bitte markieren Sie erst das Volk, von dem Sie die verschiedenen Daten anzeigen möchten oder machen Sie "
        "einen Doppelklick auf das entsprechende Volk.");
    return;
  }
  vb::setMousePointer(vb::vbHourglass);
  QString karte;
  try {
    karte = volkdatenkarte(grid, grid.row(), hauptfenster->kon && hauptfenster->kon->isChecked());
  } catch (const dao::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Die Volkdaten konnten nicht gelesen werden." + common::zeilenumbruch + e.text());
    return;
  }
  // The text box holds its lines with "\n"; the print button turns them back into CR LF.
  if (hauptfenster->Text1) hauptfenster->Text1->setPlainText(karte.replace(common::zeilenumbruch, QStringLiteral("\n")));
  vb::setMousePointer(vb::vbDefault);
}

}  // namespace zevo::shell
