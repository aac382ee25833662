// The main window's menus, toolbar and popup menu, the enabling of their
// items by the colony grid, and the colony operations of the "Völker" menu.
#include "shell/ia_zevo.h"

#include "common/fensterdienste.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/runtime/runtime.h"

#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>

namespace zevo::shell {

using common::zeilenumbruch;

namespace {

// What an item hands over before it shows its window.
enum class Übergabe { keine, eingabeart, volkmodus, übergabe, hilfethema };

// gruppe: 0 always enabled, 1 needs a current row, 2 needs a non-empty grid.
struct Punkt {
  const char* name;
  const char* caption;   // "-" is a separator
  const char* fenster = "";
  int gruppe = 0;
  Übergabe art = Übergabe::keine;
  const char* wert = "";
};

struct Hauptmenü {
  const char* name;
  const char* caption;
  std::initializer_list<Punkt> punkte;
};

const Hauptmenü menüleiste[] = {
    {"XV_Bienenvolk", "&Völker",
     {
         {"XV_neuevölker", "Neue Völker &eingeben", "IV_Neues_Volk", 0, Übergabe::volkmodus, "Neu"},
         {"XV_volkändern", "Aktuelles Volk &ändern", "IV_Neues_Volk", 1, Übergabe::volkmodus, "Ändern"},
         {"XV_volklöschen", "Aktuelles Volk &löschen", "", 1},
         {"xstrichx1", "-"},
         {"XV_völkerselektieren", "Völker sele&ktieren", "IV_Selektieren", 2},
         {"XV_selektiertevölkermarkieren", "Selektierte Völker &markieren", "", 2},
         {"XV_markiertevölkerselektieren", "Markierte Völker &selektieren", "", 2},
         {"xstrich1", "-"},
         {"XV_beenden", " &Beenden"},
     }},
    {"XE_Eingabe", "&Eingabe",
     {
         {"XE_stockkarte", "&Stockkarte", "IE_Eingabe", 1, Übergabe::eingabeart, "0"},
         {"xstrich21", "-"},
         {"XE_honigernte", "&Honigernte", "IE_Eingabe", 1, Übergabe::eingabeart, "1"},
         {"XE_wachsernte", "&Wachsernte", "IE_Eingabe", 1, Übergabe::eingabeart, "2"},
         {"XE_pollenernte", "&Pollenernte", "IE_Eingabe", 1, Übergabe::eingabeart, "3"},
         {"XE_sonstigeernte", "&Sonstige Ernte", "IE_Eingabe", 1, Übergabe::eingabeart, "4"},
         {"XE_arbeiten", "&Arbeiten", "IE_Eingabe", 1, Übergabe::eingabeart, "5"},
         {"XE_wanderung", "&Wanderung", "IE_Eingabe", 1, Übergabe::eingabeart, "6"},
         {"XE_gewichtsmessung", "Gewichtsmessung", "IE_Eingabe", 1, Übergabe::eingabeart, "7"},
         {"XE_behandlung", "&Behandlung", "IE_Eingabe", 1, Übergabe::eingabeart, "8"},
         {"XE_Königinenwechsel", "&Königinenwechsel", "IE_Eingabe", 1, Übergabe::eingabeart, "9"},
         {"XE_Notizen", "&Notizen", "IE_Eingabe", 1, Übergabe::eingabeart, "10"},
     }},
    {"A_Auswertungen", "&Auswertungen",
     {
         {"XW_Völker", "Völker (Volkdaten)", "IW_Völkerdaten", 2},
         {"XW_Völkerbuchungenstandard", "Völker (Buchungen) Standard", "IW_Völker_Buchungen_Standard", 2},
         {"XW_Völkerbuchungen", "Völker (Buchungen) Erweitert", "IW_Völker_Buchungen", 2},
         {"strich43", "-"},
         {"XW_Arbeitspläne", "Arbeitspläne", "IW_Arbeitsplan", 2},
         {"XW_Deckungsbeiträge", "Deckungsbeiträge", "IW_Deckungsbeitrag", 2},
         {"XW_Arbeitszeiten", "Arbeitszeiten", "IW_Arbeitszeiten", 2},
         {"strich44", "-"},
         {"XW_Statistiken", "Statistiken", "IW_Statistiken", 2},
         {"XW_Gruppierungen", "Gruppierungen", "IW_Gruppierungen", 2},
         {"strich45", "-"},
         {"XW_Standorte", "Standorte / Pflanzen", "IW_Standorte"},
         {"XW_Wetterdaten", "Wetterdaten", "IW_Wetterdaten"},
         {"XW_Einverkauf", "Ein- und Verkäufe", "IW_EinVerkauf"},
         {"XW_Honiglager", "Honiglager", "IW_Honiglager"},
     }},
    {"V_Verwaltung", "&Verwaltung",
     {
         {"XV_standorte", "&Standorte (Wanderung)", "IV_Pflanzen_Standorte", 0, Übergabe::übergabe, "0"},
         {"XV_pflanzen", "&Pflanzen (Tracht)", "IV_Pflanzen_Standorte", 0, Übergabe::übergabe, "2"},
         {"strich51", "-"},
         {"XV_Arbeitsplanoptionen", "&Arbeitsplanoptionen", "IV_Arplanoptionen"},
         {"XV_Termine", "&Terminverwaltung", "IV_Terminverwaltung"},
         {"XV_Aktuelle_Termine", "&Aktuelle Termine", "IV_Starttermine"},
         {"sstrichx5", "-"},
         {"XV_wetterdaten", "&Wetterdaten", "IV_Wetterdaten"},
         {"sstrich12", "-"},
         {"XV_einkauf", "&Einkäufe", "IV_EinVerkauf_Lager", 0, Übergabe::übergabe, "0"},
         {"XV_verkauf", "&Verkäufe", "IV_EinVerkauf_Lager", 0, Übergabe::übergabe, "1"},
         {"XV_honiglager", "&Honiglager", "IV_EinVerkauf_Lager", 0, Übergabe::übergabe, "2"},
     }},
    {"O_Optionen", "&Optionen",
     {
         {"O_Einstellungen", "Einstellungen", "IO_Einstellungen"},
         {"sstrich8", "-"},
         {"O_Datensicherung", "Datensicherung", "IO_Datensicherung"},
         {"O_Datenbankkomprimieren", "Datenbank komprimieren"},
         {"sstrich7", "-"},
         {"O_volkabhängigeterminesetzen", "Volkabhängige Termine setzen"},
     }},
    {"H_Hilfe", "&Hilfe",
     {
         {"hilfewieanfangen", "Die ersten Schritte mit ZEVO", "IH_Hilfe_Wieanfangen"},
         {"hilfestartmenue", "Das Start&menue", "IH_Hilfe", 0, Übergabe::hilfethema, "Hilfe_Startmenue"},
         {"sstrich4", "-"},
         {"hilfewiemacheich", "Wie mache ich...", "IH_Hilfe", 0, Übergabe::hilfethema, "Hilfe_Wiemacheich"},
     }},
};

// Toolbar: key, tooltip, the item it runs, and its picture (short text and colour).
struct Knopf {
  const char* key;   // "" is a separator
  const char* tooltip = "";
  const char* punkt = "";
  const char* kürzel = "";
  QRgb farbe = 0;
};

constexpr QRgb kVölker = 0xffb07a12, kEingabe = 0xff3a8a3a, kAuswertung = 0xff2f6db5, kVerwaltung = 0xff8a4fa8,
               kOptionen = 0xff2a7f86;

const Knopf toolbarknöpfe[] = {
    {"btn_neuesvolk", "Neues Volk eingeben", "XV_neuevölker", "V+", kVölker},
    {"btn_volkändern", "Aktuelles Volk ändern", "XV_volkändern", "V~", kVölker},
    {""},
    {"btn_e_stockkarte", "Eingabe Stockkarte", "XE_stockkarte", "SK", kEingabe},
    {"btn_e_honigernte", "Eingabe Honigernte", "XE_honigernte", "HE", kEingabe},
    {"btn_e_wachsernte", "Eingabe Wachsernte", "XE_wachsernte", "WE", kEingabe},
    {"btn_e_arbeiten", "Eingabe Arbeiten", "XE_arbeiten", "AR", kEingabe},
    {"btn_e_wanderung", "Eingabe Wanderung", "XE_wanderung", "WA", kEingabe},
    {"btn_e_behandlung", "Eingabe Behandlung", "XE_behandlung", "BE", kEingabe},
    {""},
    {"btn_a_völker", "Auswertung Völkerdaten", "XW_Völker", "VD", kAuswertung},
    {"btn_a_buchungen", "Auswertung Buchungen", "XW_Völkerbuchungenstandard", "BU", kAuswertung},
    {"btn_a_arbeitspläne", "Auswertung Arbeitspläne", "XW_Arbeitspläne", "AP", kAuswertung},
    {"btn_a_deckungsbeiträge", "Auswertung Deckungsbeiträge", "XW_Deckungsbeiträge", "DB", kAuswertung},
    {"btn_a_statistiken", "Auswertung Statistiken", "XW_Statistiken", "ST", kAuswertung},
    {"btn_a_gruppierungen", "Auswertung Gruppierungen", "XW_Gruppierungen", "GR", kAuswertung},
    {"btn_a_standorte", "Auswertung Standorte", "XW_Standorte", "SO", kAuswertung},
    {""},
    {"btn_v_standorte", "Verwaltung Standorte/Pflanzen", "XV_standorte", "SP", kVerwaltung},
    {"btn_v_Arbeitsplanoptionen", "Verwaltung Arbeitsplanoptionen", "XV_Arbeitsplanoptionen", "AO", kVerwaltung},
    {"btn_v_termine", "Verwaltung Termine", "XV_Termine", "TE", kVerwaltung},
    {"btn_v_wetterdaten", "Verwaltung Wetterdaten", "XV_wetterdaten", "WD", kVerwaltung},
    {"btn_v_honiglager", "Verwaltung Honiglager", "XV_honiglager", "HL", kVerwaltung},
    {""},
    {"btn_o_einstellungen", "Einstellungen", "O_Einstellungen", "EI", kOptionen},
    {"btn_o_datensicherung", "Datensicherung", "O_Datensicherung", "DS", kOptionen},
};

struct Popupzeile {
  const char* caption;
  const char* punkt;
};

const Popupzeile popupzeilen[15] = {
    {"&Neues Volk eingeben", "XV_neuevölker"},
    {"&Volk ändern", "XV_volkändern"},
    {"&Volk löschen", "XV_volklöschen"},
    {"-", ""},
    {"Stockkarte", "XE_stockkarte"},
    {"Honigernte", "XE_honigernte"},
    {"Wachsernte", "XE_wachsernte"},
    {"Pollenernte", "XE_pollenernte"},
    {"Sonstige Ernte", "XE_sonstigeernte"},
    {"Arbeiten", "XE_arbeiten"},
    {"Wanderung", "XE_wanderung"},
    {"Gewichtsmessung", "XE_gewichtsmessung"},
    {"Behandlung", "XE_behandlung"},
    {"Königinwechsel", "XE_Königinenwechsel"},
    {"Notizen", "XE_Notizen"},
};

QIcon knopfbild(const QString& kürzel, QColor farbe) {
  QPixmap bild(32, 32);
  bild.fill(Qt::transparent);
  QPainter p(&bild);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(farbe.darker(140));
  p.setBrush(farbe);
  p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
  QFont f = p.font();
  f.setBold(true);
  f.setPixelSize(13);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 32, 32), Qt::AlignCenter, kürzel);
  return QIcon(bild);
}

}  // namespace

void IA_ZEVO::menüsanlegen() {
  for (const Hauptmenü& hm : menüleiste) {
    QMenu* menü = menuBar()->addMenu(QString::fromUtf8(hm.caption));
    const QString hmName = QString::fromUtf8(hm.name);
    menü->setObjectName(hmName);
    menü->menuAction()->setObjectName(hmName);
    punkte_.insert(hmName, menü->menuAction());
    hauptmenüs_ << menü;
    for (const Punkt& p : hm.punkte) {
      const QString name = QString::fromUtf8(p.name);
      const QString caption = QString::fromUtf8(p.caption);
      QAction* a = caption == QLatin1String("-") ? menü->addSeparator() : menü->addAction(caption);
      a->setObjectName(name);
      punkte_.insert(name, a);
      if (a->isSeparator()) continue;
      punktnamen_ << name;
      punktgruppe_.insert(name, p.gruppe);
      const QString fenster = QString::fromUtf8(p.fenster);
      punktfenster_.insert(name, fenster);
      if (!fenster.isEmpty()) {
        const Übergabe art = p.art;
        const QString wert = QString::fromUtf8(p.wert);
        punktaktion_.insert(name, [fenster, art, wert] {
          switch (art) {
            case Übergabe::eingabeart: common::eingabeart = wert.toInt(); break;
            case Übergabe::volkmodus: common::volkmodus = wert; break;
            case Übergabe::übergabe: common::übergabe = wert; break;
            case Übergabe::hilfethema: common::hilfethema = wert; break;
            case Übergabe::keine: break;
          }
          vb::showForm(fenster);
        });
      }
      connect(a, &QAction::triggered, this, [this, name] { menüpunkt_Click(name); });
    }
  }
  // The items with an action of their own (XV_völkerselektieren also shows its window).
  punktaktion_.insert(QStringLiteral("XV_volklöschen"), [this] { XV_volklöschen_Click(); });
  punktaktion_.insert(QStringLiteral("XV_völkerselektieren"), [this] { XV_völkerselektieren_Click(); });
  punktaktion_.insert(QStringLiteral("XV_selektiertevölkermarkieren"),
                      [this] { XV_selektiertevölkermarkieren_Click(); });
  punktaktion_.insert(QStringLiteral("XV_markiertevölkerselektieren"),
                      [this] { XV_markiertevölkerselektieren_Click(); });
  punktaktion_.insert(QStringLiteral("XV_beenden"), [this] { XV_beenden_Click(); });
  punktaktion_.insert(QStringLiteral("O_Datenbankkomprimieren"), [] { dienste().datenbankkomprimieren(); });
  // Runs at once, without the hourglass.
  punktaktion_.insert(QStringLiteral("O_volkabhängigeterminesetzen"), [] { dienste().volkterminesetzen(); });
}

void IA_ZEVO::toolbaranlegen() {
  mleiste = new vb::Toolbar(this);
  mleiste->setObjectName(QStringLiteral("mleiste"));
  mleiste->setIconSize(QSize(24, 24));
  addToolBar(Qt::TopToolBarArea, mleiste);
  for (const Knopf& k : toolbarknöpfe) {
    const QString key = QString::fromUtf8(k.key);
    if (key.isEmpty()) {
      mleiste->addSeparator();
      continue;
    }
    mleiste->addButton(key, knopfbild(QString::fromUtf8(k.kürzel), QColor::fromRgba(k.farbe)),
                       QString::fromUtf8(k.tooltip));
    knöpfe_ << qMakePair(key, QString::fromUtf8(k.punkt));
  }
  mleiste->onButtonClick = [this](const QString& key) { mleiste_ButtonClick(key); };
}

void IA_ZEVO::popupanlegen() {
  popupliste = new QMenu(this);
  popupliste->setObjectName(QStringLiteral("popupliste"));
  for (int i = 0; i < 15; ++i) {
    const QString caption = QString::fromUtf8(popupzeilen[i].caption);
    popzeile[i] = caption == QLatin1String("-") ? popupliste->addSeparator() : popupliste->addAction(caption);
    popzeile[i]->setObjectName(QStringLiteral("popzeile%1").arg(i));
    popupitems_[i] = QString::fromUtf8(popupzeilen[i].punkt);
    connect(popzeile[i], &QAction::triggered, this, [this, i] { popzeile_Click(i); });
  }
}

void IA_ZEVO::popupzeigen() { popupliste->popup(QCursor::pos()); }

// --- enabling -----------------------------------------------------------------------------

bool IA_ZEVO::punktfrei(const QString& name) const {
  const int gruppe = punktgruppe_.value(name);
  if (gruppe == 1 && datali->row() == 0) return false;
  if (gruppe == 2 && datali->rows() == 0) return false;
  const QString fenster = punktfenster_.value(name);
  return fenster.isEmpty() || vb::isRegistered(fenster);
}

void IA_ZEVO::menüsfreigeben() {
  for (const QString& name : punktnamen_) punkte_.value(name)->setEnabled(punktfrei(name));
  for (const auto& [key, punkt] : knöpfe_) mleiste->setButtonEnabled(key, punktfrei(punkt));
  for (int i = 0; i < 15; ++i)
    popzeile[i]->setEnabled(popupitems_[i].isEmpty() ? datali->row() != 0 : punktfrei(popupitems_[i]));
}

QAction* IA_ZEVO::menüpunkt(const QString& name) const { return punkte_.value(name); }

QStringList IA_ZEVO::menüpunktnamen() const { return punktnamen_; }

QString IA_ZEVO::menüfenster(const QString& name) const { return punktfenster_.value(name); }

void IA_ZEVO::menüpunkt_Click(const QString& name) {
  const auto aktion = punktaktion_.constFind(name);
  if (aktion != punktaktion_.constEnd()) (*aktion)();
}

// The key is compared exactly, case included; an unknown key does nothing.
void IA_ZEVO::mleiste_ButtonClick(const QString& key) {
  for (const auto& [k, punkt] : knöpfe_) {
    if (k == key) {
      menüpunkt_Click(punkt);
      return;
    }
  }
}

void IA_ZEVO::popzeile_Click(int index) {
  if (index < 0 || index >= 15) return;
  if (index >= 1 && datali->row() == 0) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst das Volk, das Sie ändern oder löschen möchten oder bei "
                              "dem Sie Buchungen eintragen möchten!"));
    return;
  }
  menüpunkt_Click(popupitems_[index]);
}

// --- colony operations ------------------------------------------------------------------

// The bookings, the dates and the colony row go in one transaction.
void IA_ZEVO::XV_volklöschen_Click() {
  const QString& z = zeilenumbruch;
  const int zeile = datali->row();
  if (zeile < 1) return;
  if (vb::msgbox("Das Löschen eines Volkes entfernt das markierte Volk unwiederbringlich mit allen zu diesem Volk "
                 "gehörenden Buchungen aus der Datenbank." + z + z +
                     "Soll das markierte Volk wirklich gelöscht werden?",
                 vb::YesNo, vb::Question, vb::SecondButton) != vb::vbYes)
    return;
  const std::optional<int> id = common::sqlid(datali->cell(zeile, QStringLiteral("ID")));
  if (!id) {
    // Without its key the colony's bookings cannot be told from the dates of
    // no colony (Volk = 0), so nothing is deleted.
    vb::msgbox("Das Volk kann nicht gelöscht werden, weil" + z + "...die Völkerliste keine Spalte ID enthält.");
    return;
  }
  try {
    dao::Transaction löschen(common::datenbank);
    dienste().volkbuchungenlöschen(*id);
    datali->removeitem(zeile);
    löschen.commit();
  } catch (const dao::Error& e) {
    vb::msgbox("Das Volk konnte nicht gelöscht werden." + z + z + e.text());
    datenvölkerlesen(false);
    return;
  }
  menüsfreigeben();
}

void IA_ZEVO::XV_völkerselektieren_Click() {
  vb::showForm(QStringLiteral("IV_Selektieren"));
  int anzahl = 0;
  for (int r = 1; r <= datali->rows(); ++r)
    if (datali->cell(r, QStringLiteral("Selektiert")) == QLatin1String("X")) ++anzahl;
  if (anzahl >= 1 &&
      vb::msgbox("Es sind" + vb::str(anzahl) + " Völker selektiert. Sollen diese auch gleich markiert werden?",
                 vb::YesNo, vb::Question) == vb::vbYes)
    XV_selektiertevölkermarkieren_Click();
}

void IA_ZEVO::XV_selektiertevölkermarkieren_Click() {
  vb::setMousePointer(vb::vbHourglass);
  auto selektiert = [this](int r) { return datali->cell(r, QStringLiteral("Selektiert")) == QLatin1String("X"); };
  for (int r = 1; r <= datali->rows(); ++r) {
    if (selektiert(r)) {
      datali->setRow(r);
      break;
    }
  }
  for (int r = 1; r <= datali->rows(); ++r) datali->setSelected(r, selektiert(r));
  vb::setMousePointer(vb::vbDefault);
  vb::msgbox(QStringLiteral("Sie können die Völker auch mit gedrückter STRG-Taste und der Maus markieren."));
}

void IA_ZEVO::XV_markiertevölkerselektieren_Click() {
  try {
    dao::Transaction selektieren(eigenedatenbank);
    eigenedatenbank.execute(QStringLiteral("UPDATE Bienenvolk SET Selektiert = ''"));
    vb::setMousePointer(vb::vbHourglass);
    dao::Recordset rs = eigenedatenbank.openRecordset(QStringLiteral("select Selektiert, ID from Bienenvolk"));
    for (int i = 0; i < datali->selcount(); ++i) {
      const std::optional<int> id = common::sqlid(datali->cell(datali->selrow(i), QStringLiteral("ID")));
      if (!id) continue;
      rs.findFirst("ID = " + QString::number(*id));
      if (!rs.noMatch()) {
        rs.edit();
        rs.fields(QStringLiteral("Selektiert")) = QStringLiteral("X");
        rs.update();
      }
    }
    rs.close();
    selektieren.commit();
  } catch (const dao::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(e.text());
    datenvölkerlesen(false);
    return;
  }
  datenvölkerlesen();
}

}  // namespace zevo::shell
