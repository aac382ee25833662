#include "shell/schema.h"

#include "platform/runtime/files.h"

#include <QFile>
#include <QFileInfo>

namespace zevo::shell {

namespace {

// A table with its columns (name and Jet type word, in order) and its
// indexes ("name: column", in the order they are created).
struct Tabelle {
  const char* name;
  const char* spalten;
  const char* indizes;
};

const Tabelle tabellen[] = {
    {"Bienenvolk", "Volknr TEXT (10), Volkname TEXT (20), Volkstärke INTEGER, Mittelwände INTEGER, Wabenanzahl INTEGER, Brutstand INTEGER, Wabensitz INTEGER, Sanftmut INTEGER, Schwarmtrieb INTEGER, Frühjahrsentw INTEGER, Winterfestigkeit INTEGER, Varroaschäden INTEGER, Belagert INTEGER, L_Honigernte DATETIME, L_Honigmenge_kg SINGLE, Honigmenge_Gesamt SINGLE, L_Behandlung DATETIME, Standort TEXT (100), Königin_Nr TEXT (20), Königin_Farbe TEXT (10), Königin_Zugangsdatum DATETIME, Futtervorrat_eigen SINGLE, Futtervorrat_flüssig SINGLE, Futtervorrat_Teig SINGLE, Beuteart TEXT (20), Bienenrasse TEXT (20), Volk_Zugangsdatum DATETIME, Volk_Herkunft TEXT (50), Volk_Einkaufspreis CURRENCY, Akt_im_Bestand TEXT (1), Abgangsdatum DATETIME, Abgangsgrund TEXT (20), Abnehmer TEXT (50), Volk_Verkaufspreis CURRENCY, Selektiert TEXT (1), ID COUNTER",
     "volk1: Volknr; volk2: Volkname; volk3: Bienenrasse; volk4: Standort; volk5: Königin_Nr; volk6: Königin_Farbe; volk7: Beuteart; volk8: Volk_Herkunft; volk9: Abgangsgrund; volk10: Abnehmer; volk11: Selektiert; volk12: ID"},
    {"Stockkarte", "Datum DATETIME, Volkstärke INTEGER, Brutstand INTEGER, Wabensitz INTEGER, Sanftmut INTEGER, Schwarmtrieb INTEGER, Frühjahrsentw INTEGER, Winterfestigkeit INTEGER, Varroaschäden INTEGER, Belagert INTEGER, Mittelwände INTEGER, Waben INTEGER, Futter_flüssig_l SINGLE, Futter_Teig_kg SINGLE, Eigener_Futtervorrat SINGLE, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "stockkarte1: Datum; stockkarte2: Volkstärke; stockkarte3: Brutstand; stockkarte4: Wabensitz; stockkarte5: Sanftmut; stockkarte6: Schwarmtrieb; stockkarte7: Frühjahrsentw; stockkarte8: Winterfestigkeit; stockkarte9: Varroaschäden; stockkarte10: Belagert; stockkarte11: Mittelwände; stockkarte12: Waben; stockkarte13: Futter_flüssig_l; stockkarte14: Futter_Teig_kg; stockkarte15: Eigener_Futtervorrat; stockkarte17: Bemerkung; stockkarte16: Volk"},
    {"Honigernte", "Datum DATETIME, Menge_kg SINGLE, Honigsorte TEXT (20), Qualität TEXT (10), Zeit_h SINGLE, Kosten CURRENCY, Honig_Wert CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "honigernte1: Datum; honigernte2: Menge_kg; honigernte3: Honigsorte; honigernte4: Qualität; honigernte5: Zeit_h; honigernte6: Kosten; honigernte7: Honig_Wert; honigernte8: Bemerkung; honigernte9: Volk"},
    {"Wachsernte", "Datum DATETIME, Menge_kg SINGLE, Qualität TEXT (10), Zeit_h SINGLE, Kosten CURRENCY, Wachs_Wert CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "wachsernte1: Datum; wachsernte2: Menge_kg; wachsernte3: Qualität; wachsernte4: Zeit_h; wachsernte5: Kosten; wachsernte6: Wachs_Wert; wachsernte7: Bemerkung; wachsernte8: Volk"},
    {"Pollenernte", "Datum DATETIME, Menge_g LONG, Qualität TEXT (10), Zeit_h SINGLE, Kosten CURRENCY, Pollen_Wert CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "pollenernte1: Datum; pollenernte2: Menge_g; pollenernte3: Qualität; pollenernte4: Zeit_h; pollenernte5: Kosten; pollenernte6: Pollen_Wert; pollenernte7: Bemerkung; pollenernte8: Volk"},
    {"Sonstigeernte", "Datum DATETIME, Ernteart TEXT (20), Menge_g LONG, Qualität TEXT (10), Zeit_h SINGLE, Kosten CURRENCY, Wert CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "sonstigeernte1: Datum; sonstigeernte2: Ernteart; sonstigeernte3: Menge_g; sonstigeernte4: Qualität; sonstigeernte5: Zeit_h; sonstigeernte6: Kosten; sonstigeernte7: Wert; sonstigeernte8: Bemerkung; sonstigeernte9: Volk"},
    {"Arbeiten", "Datum DATETIME, Arbeitsart TEXT (30), Zeit_h SINGLE, Kosten CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "arbeiten1: Datum; arbeiten2: Arbeitsart; arbeiten3: Zeit_h; arbeiten4: Kosten; arbeiten5: Bemerkung; arbeiten6: Volk"},
    {"Wanderung", "Datum DATETIME, Standort TEXT (100), Zeit_h SINGLE, Kosten CURRENCY, Standortprämie CURRENCY, Prämie_erhalten TEXT (1), Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "Wanderung1: Datum; Wanderung2: Standort; Wanderung3: Zeit_h; Wanderung4: Kosten; Wanderung5: Standortprämie; Wanderung6: Prämie_erhalten; Wanderung7: Bemerkung; Wanderung8: Volk"},
    {"Gewichtsmessung", "Datum DATETIME, Gewicht_kg SINGLE, Zeit_h SINGLE, Kosten CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "Gewichtsmessung1: Datum; Gewichtsmessung2: Gewicht_kg; Gewichtsmessung3: Zeit_h; Gewichtsmessung4: Kosten; Gewichtsmessung5: Bemerkung; Gewichtsmessung6: Volk"},
    {"Behandlung", "Datum DATETIME, Behandlungsart TEXT (30), Mittel TEXT (30), Menge_g LONG, Zulassungsnr TEXT (10), Wartezeit INTEGER, Zeit_h SINGLE, Kosten CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "Behandlung1: Datum; Behandlung2: Mittel; Behandlung3: Behandlungsart; Behandlung4: Zeit_h; Behandlung5: Kosten; Behandlung6: Bemerkung; Behandlung7: Volk; Behandlung8: Menge_g; Behandlung9: Zulassungsnr"},
    {"Königinwechsel", "Datum DATETIME, Herkunft TEXT (30), Zuchtindex TEXT (10), Nummer TEXT (20), Farbe TEXT (10), Zeit_h SINGLE, Kosten CURRENCY, Bemerkung TEXT (30), Volk LONG, ID COUNTER",
     "Königinwechsel1: Datum; Königinwechsel2: Herkunft; Königinwechsel3: Zuchtindex; Königinwechsel4: Farbe; Königinwechsel9: Nummer; Königinwechsel5: Zeit_h; Königinwechsel6: Kosten; Königinwechsel7: Bemerkung; Königinwechsel8: Volk"},
    {"Notizen", "Datum DATETIME, NOTIZ MEMO, Volk LONG, ID COUNTER",
     "Notizen1: Datum; Notizen2: Volk"},
    {"Standorte", "Standort TEXT (100), Zusatzortshinweis TEXT (50), Wintertauglich TEXT (1), Klima TEXT (20), Trachtzeit_von DATETIME, Trachtzeit_bis DATETIME, Pkw_anfahrbar TEXT (1), Entfernung_Wasser_m LONG, Flugrichtung TEXT (10), Max_Völker LONG, Standortprämie_Volk CURRENCY, ID COUNTER",
     "standorte1: Standort; standorte2: Zusatzortshinweis; standorte3: Wintertauglich; standorte4: Klima; standorte5: Pkw_anfahrbar; standorte6: Flugrichtung; standorte7: ID"},
    {"Standorte_Pflanzen", "Pflanze TEXT (20), Entfernung_m LONG, Proz_Anteil SHORT, Standort_Kennung LONG, ID COUNTER",
     "standortepflanzen1: Pflanze; standortepflanzen2: Entfernung_m; standortepflanzen3: Proz_Anteil; standortepflanzen4: Standort_Kennung"},
    {"Pflanzen", "Pflanze TEXT (20), Weidezeit_von DATETIME, Weidezeit_bis DATETIME, Nektarstufe SHORT, Pollenstufe SHORT, ID COUNTER",
     "pflanzen1: Pflanze; pflanzen2: Weidezeit_von; pflanzen3: Weidezeit_bis; pflanzen4: Nektarstufe; pflanzen5: Pollenstufe"},
    {"Wetterdaten", "Datum DATETIME, Wetter TEXT (20), Temperatur INTEGER, Niederschlag_mm INTEGER, Windrichtung TEXT (10), Windstärke INTEGER, Bemerkung TEXT (30), ID COUNTER",
     "wetter1: Datum; wetter2: Wetter; wetter3: Windrichtung; wetter4: Bemerkung"},
    {"Arbeitsplanoptionen", "Arbeitsart TEXT (30), Startzeitraum TEXT (5), Endzeitraum TEXT (5), Wiederholungsfrist_Tage INTEGER, Volkabhängig TEXT (1), Auto_erledigt_Buchung TEXT (15), Auto_erledigt_Arbeitsart TEXT (30), ID COUNTER",
     "arplanopti1: Arbeitsart"},
    {"Termine", "Datum DATETIME, Termin TEXT (30), Erledigt TEXT (1), Volk LONG, ID COUNTER",
     "termine1: Datum; termine2: Termin; termine3: Erledigt; termine4: Volk"},
    {"Verkauf", "Datum DATETIME, Produkt TEXT (20), Qualität TEXT (20), Abnehmer TEXT (20), Menge SINGLE, Einheit TEXT (2), Einnahmen CURRENCY, ID COUNTER",
     "verkauf1: Datum; verkauf2: Produkt; verkauf3: Qualität; verkauf4: Abnehmer; verkauf5: Menge; verkauf6: Einheit; verkauf7: Einnahmen"},
    {"Einkauf", "Datum DATETIME, Produkt TEXT (20), Qualität TEXT (20), Lieferant TEXT (20), Menge SINGLE, Einheit TEXT (2), Ausgaben CURRENCY, ID COUNTER",
     "einkauf1: Datum; einkauf2: Produkt; einkauf3: Qualität; einkauf4: Lieferant; einkauf5: Menge; einkauf6: Einheit; einkauf7: Ausgaben"},
    {"Honiglager", "Datum DATETIME, Produkt TEXT (20), Zugang SINGLE, Abgang SINGLE, Bemerkung TEXT (30), EVK_ID LONG, ID COUNTER",
     "honiglager1: Datum; honiglager2: Produkt; honiglager3: Zugang; honiglager4: Abgang; honiglager5: Bemerkung; honiglager6: EVK_ID"},
};

const char* const pflanzenwerte[] = {
    "('Efeu', '15.09.2006', '20.11.2006', 5, 2)",
    "('Schneeheide', '15.01.2006', '20.03.2006', 5, 5)",
    "('Haselnuss', '15.01.2006', '10.03.2006', 0, 4)",
    "('Küblerweide', '10.03.2006', '10.04.2006', 4, 7)",
    "('Krokus', '10.02.2006', '10.04.2006', 5, 5)",
    "('Kirsche', '20.03.2006', '10.05.2006', 7, 3)",
    "('Löwenzahn', '01.04.2006', '20.05.2006', 6, 8)",
    "('Bergahorn', '01.05.2006', '30.06.2006', 4, 2)",
    "('Winterlinde', '20.06.2006', '31.07.2006', 7, 2)",
    "('Fichte', '15.05.2006', '31.07.2006', 7, 0)",
    "('Goldrute', '20.07.2006', '30.09.2006', 3, 3)",
};

const char* const arbeitsplanwerte[] = {
    "('Schwarmkontrolle', '01.05', 9, '30.06', 'J', '', '')",
    "('Varroakontrolle', '01.05', 9, '30.09', 'J', '', '')",
    "('Varroa-Winterbekämpfung', '15.12', 0, '15.12', 'J', '', '')",
    "('Rähmchen bauen', '01.11', 0, '01.11', 'N', '', '')",
    "('Waben schmelzen', '01.08', 0, '01.08', 'N', '', '')",
    "('Beuten reparieren', '01.12', 0, '01.12', 'N', '', '')",
    "('Beuten bauen', '01.12', 0, '01.12', 'N', '', '')",
    "('Frühjahrskontrolle', '01.03', 9, '30.04', 'J', '', '')",
    "('Erweiterungskontrolle', '01.04', 9, '31.07', 'J', '', '')",
    "('Honigernte', '01.06', 14, '31.08', 'J', 'Honigernte', '')",
    "('Kerzenproduktion', '01.11', 0, '01.11', 'N', '', '')",
    "('Fütterung', '01.09', 0, '01.09', 'J', '', '')",
    "('Drohnenbrutentnahme', '01.05', 14, '31.07', 'J', '', '')",
    "('Wassertränke errichten', '15.03', 0, '15.03', 'N', '', '')",
    "('Brutkontrolle', '01.04', 9, '31.08', 'J', '', '')",
    "('Jahreserstkontrolle', '15.03', 0, '15.03', 'J', '', '')",
    "('Einwinterung', '15.09', 0, '15.09', 'J', '', '')",
    "('Winterkontrolle', '01.11', 14, '15.05', 'J', '', '')",
};

}  // namespace

QStringList schemaanweisungen() {
  QStringList out;
  for (const Tabelle& t : tabellen) {
    const QString name = QString::fromUtf8(t.name);
    out << QStringLiteral("create table %1(%2)").arg(name, QString::fromUtf8(t.spalten));
    for (const QString& index : QString::fromUtf8(t.indizes).split(QStringLiteral("; "))) {
      const QStringList teile = index.split(QStringLiteral(": "));
      out << QStringLiteral("create index %1 on %2(%3)").arg(teile[0], name, teile[1]);
    }
    if (name == QLatin1String("Pflanzen")) {
      for (const char* werte : pflanzenwerte)
        out << QStringLiteral("insert into Pflanzen(Pflanze, Weidezeit_von, Weidezeit_bis, Nektarstufe, "
                              "Pollenstufe) values ") + QString::fromUtf8(werte);
    }
    if (name == QLatin1String("Arbeitsplanoptionen")) {
      for (const char* werte : arbeitsplanwerte)
        out << QStringLiteral("insert into Arbeitsplanoptionen(Arbeitsart, Startzeitraum, "
                              "Wiederholungsfrist_Tage, Endzeitraum, Volkabhängig, Auto_erledigt_Buchung, "
                              "Auto_erledigt_Arbeitsart) values ") + QString::fromUtf8(werte);
    }
  }
  return out;
}

QString schemaabweichung(dao::Database& db) {
  const QStringList vorhanden = db.tableNames();
  for (const Tabelle& t : tabellen) {
    const QString name = QString::fromUtf8(t.name);
    if (!vorhanden.contains(name, Qt::CaseInsensitive)) return QStringLiteral("Die Tabelle %1 fehlt.").arg(name);
    dao::Recordset rs = db.openRecordset(QStringLiteral("select top 0 * from [%1]").arg(name));
    for (const QString& spalte : QString::fromUtf8(t.spalten).split(QStringLiteral(", "))) {
      const QString feld = spalte.section(QLatin1Char(' '), 0, 0);
      if (!rs.hasField(feld)) return QStringLiteral("In der Tabelle %1 fehlt das Feld %2.").arg(name, feld);
    }
    rs.close();
  }
  return {};
}

QString anlegedatei(const QString& datenbankpfad) { return datenbankpfad + QStringLiteral(".neu"); }

namespace {

// The half-made file of a creation, with its journal.
void anlegedateientfernen(const QString& datenbankpfad) {
  const QString datei = anlegedatei(datenbankpfad);
  QFile::remove(datei);
  QFile::remove(datei + QStringLiteral("-journal"));
}

}  // namespace

dao::Database datenbankanlegen(dao::Workspace& arbeitsbereich, const QString& datenbankpfad,
                               const Bedienungfreigabe& bedienungfreigeben, const QStringList& anweisungen,
                               const Anlegebeobachter& beobachter) {
  if (bedienungfreigeben) bedienungfreigeben(0);
  struct Freigabe {
    const Bedienungfreigabe& f;
    ~Freigabe() { if (f) f(1); }
  } freigabe{bedienungfreigeben};
  const auto melden = [&](Anlegeschritt schritt, int anzahl) {
    if (beobachter) beobachter(schritt, anzahl);
  };
  const QString neu = anlegedatei(datenbankpfad);
  try {
    {
      dao::Database neuedatenbank =
          arbeitsbereich.createDatabase(neu, QStringLiteral(";LANGID=0x0409;CP=1252;COUNTRY=0"), 32);
      try {
        melden(Anlegeschritt::kennung, 0);
        dao::Transaction schema(neuedatenbank);
        int erledigt = 0;
        for (const QString& anweisung : anweisungen) {
          neuedatenbank.execute(anweisung);
          melden(Anlegeschritt::anweisung, ++erledigt);
        }
        schema.commit();
      } catch (...) {
        neuedatenbank.close();
        throw;
      }
      neuedatenbank.close();
    }
    melden(Anlegeschritt::fertig, int(anweisungen.size()));
    if (!vb::putInPlace(neu, datenbankpfad))
      throw dao::Error(QFileInfo::exists(datenbankpfad) ? dao::errDatabaseExists : dao::errIo,
                       QStringLiteral("Die Datei %1 kann nicht in %2 umbenannt werden.")
                           .arg(QFileInfo(neu).fileName(), QFileInfo(datenbankpfad).fileName()));
    return arbeitsbereich.openDatabase(datenbankpfad, false, false);
  } catch (const dao::Error& e) {
    // A half-made file would be in the way of the next start.
    anlegedateientfernen(datenbankpfad);
    throw dao::Error(e.number(),
                     QStringLiteral("Die Datenbank %1 konnte nicht angelegt werden.\n%2\n"
                                    "Bitte prüfen Sie, ob der Programmordner beschreibbar ist; beim nächsten Start "
                                    "wird die Datenbank erneut angelegt.")
                         .arg(QFileInfo(datenbankpfad).fileName(), e.text()),
                     e.detail());
  }
}

dao::Database datenbankbereitstellen(dao::Workspace& arbeitsbereich, const QString& datenbankpfad,
                                     const Bedienungfreigabe& bedienungfreigeben) {
  anlegedateientfernen(datenbankpfad);
  if (QFileInfo::exists(datenbankpfad)) return arbeitsbereich.openDatabase(datenbankpfad, false, false);
  return datenbankanlegen(arbeitsbereich, datenbankpfad, bedienungfreigeben);
}

}  // namespace zevo::shell
