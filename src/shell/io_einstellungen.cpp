#include "shell/io_einstellungen.h"
#include "common/fensterdienste.h"

#include "common/einstellungen.h"
#include "common/routinen.h"
#include "components/sevgrid.h"
#include "components/sevtext.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zevo::shell {

using namespace common;

namespace {

const char* const konTexte[8] = {
    "Bei jedem Programmstart die Terminliste für die nächsten Tage öffnen",
    "Anzahl Datensätze anzeigen (nur bei Explorer-Auswertung)",
    "Seite x von x anzeigen (nur bei Explorer-Auswertung)",
    "Volknummer bei Eingabe automatisch hochzählen",
    "Datum bei jeder Auswertung als Listenkopf schreiben",
    "Jede erfolgreiche Eingabe mit einem Piepton bestätigen",
    "Anzeige der laufenden Nummer statt der Volknummer in der ersten Spalte im Hauptmodul",
    "Löschen von Buchungen nur nach einer Sicherheitsabfrage",
};
// The Integer setting of each check box.
const int konEinstellung[8] = {13, 48, 47, 57, 46, 24, 51, 55};
const int konStandard[8] = {1, 0, 1, 1, 0, 1, 0, 1};

const QStringList trennzeichenliste = {" | ", " ; ", " : ", "  ", "|", ";", ":", " "};

const QStringList völkerdatenTexte = {
    "Volkname", "Volkstärke", "Mittelwände", "Wabenanzahl", "Summe Wände/Waben", "Brutstand", "Wabensitz",
    "Sanftmut", "Schwarmtrieb", "Frühjahrsentwicklung", "Winterfestigkeit", "Varroaschäden", "Belagert",
    "Letzte Honigernte", "Letzte Honigmenge kg", "Honigmenge Gesamt", "Letzte Behandlung", "Standort",
    "Königin Nr", "Königin Farbe", "Königin Zugangsdatum", "Futtervorrat eigen", "Futtervorrat flüssig",
    "Futtervorrat Teig", "Beuteart", "Bienenrasse", "Zugangsdatum", "Herkunft", "Abgangsdatum", "Abgangsgrund",
    "Abnehmer"};
const QStringList buchungenTexte = {"Stockkarte", "Honigernte", "Wachsernte", "Pollenernte",
                                    "Sonstige Ernte", "Arbeiten", "Wanderung", "Gewichtsmessung",
                                    "Behandlung", "Königinwechsel", "Notizen"};

const QString keineAuswahl = QStringLiteral("Bitte markieren Sie zuerst das zu verschiebende Datenfeld!");

// The number at the start of a whole-number field, rounded; 0 when there is none.
int ganzzahl(const QString& text) {
  return vb::cint(std::clamp(vb::val(text), -32768.0, 32767.0));
}

// Exchanges items i and j and selects the moved item in its new place.
void tauschen(QListWidget* liste, int i, int j) {
  const QString t = liste->item(i)->text();
  liste->item(i)->setText(liste->item(j)->text());
  liste->item(j)->setText(t);
  liste->setCurrentRow(j);
}

// Lines the fields of one column up: captions of one width, entries of one
// width, units of one width.
void ausrichten(const QList<ui::sevText*>& spalte, int eingabebreite) {
  int caption = 0, einheit = 0;
  for (ui::sevText* t : spalte) {
    caption = std::max(caption, t->captionLabel()->sizeHint().width());
    einheit = std::max(einheit, t->unitLabel()->sizeHint().width());
  }
  for (ui::sevText* t : spalte) {
    t->captionLabel()->setMinimumWidth(caption);
    t->unitLabel()->setMinimumWidth(einheit);
    t->editor()->setFixedWidth(eingabebreite);
  }
}

QListWidget* einfacheListe(QWidget* parent) {
  auto* l = new QListWidget(parent);
  l->setSelectionMode(QAbstractItemView::SingleSelection);
  return l;
}

QListWidget* mehrfachListe(const QStringList& einträge, QWidget* parent) {
  auto* l = new QListWidget(parent);
  l->setSelectionMode(QAbstractItemView::MultiSelection);
  l->addItems(einträge);
  return l;
}

// 42 flag characters from the marks of both lists.
QString markierungen(const QListWidget* a, const QListWidget* b) {
  QString s;
  for (const QListWidget* l : {a, b})
    for (int i = 0; i < l->count(); ++i) s += l->item(i)->isSelected() ? '1' : '0';
  return s;
}

void markieren(QListWidget* liste, const QString& flags, int erstes) {
  for (int i = 0; i < liste->count(); ++i) liste->item(i)->setSelected(flags.mid(erstes + i, 1) == "1");
  if (liste->count() > 0) liste->setCurrentRow(0, QItemSelectionModel::NoUpdate);
}

}  // namespace

QString völkerlistesqlbilden(const QStringList& spalten) {
  return "select " + spalten.join(", ") + " from Bienenvolk";
}

QString stockkartesqlbilden(const QStringList& stücke) {
  QString sql = "select Datum, ";
  for (int i = 1; i < stücke.size() - 1; ++i) sql += stücke[i] + ", ";
  return sql + "ID from Stockkarte";
}

QStringList stockkartezerlegen(const QString& sql) {
  if (sql.isEmpty()) return {};
  return sql.split(", ");
}

int IO_Einstellungen::auswahl(const QListWidget* liste) {
  const auto marked = liste->selectedItems();
  return marked.isEmpty() ? -1 : liste->row(marked.first());
}

IO_Einstellungen::IO_Einstellungen() : vb::Form("IO_Einstellungen") {
  setWindowTitle("Einstellungen");
  auto* haupt = new QVBoxLayout(this);
  sstab = new vb::TabControl(this);
  haupt->addWidget(sstab);

  // --- Globale Einstellungen ---
  auto* seite1 = new QWidget;
  auto* s1 = new QVBoxLayout(seite1);
  for (int k = 0; k < 8; ++k) {
    kon[k] = new QCheckBox(QString::fromUtf8(konTexte[k]), seite1);
    s1->addWidget(kon[k]);
  }
  sevt = new ui::sevTextArray(this);
  auto* felder = new QGridLayout;
  struct Feld {
    int index, zeile, spalte;
    const char* caption;
    const char* unit;
  };
  const Feld feldplan[] = {
      {0, 0, 0, "Anzahl Tage zwischen zwei Datensicherungen", "Tage"},
      {1, 1, 0, "Offene Termine beim Start berechnen bis", "Tage"},
      {4, 2, 0, "Anzahl Zeilen je Seite bei Explorer-Auswertung", ""},
      {3, 3, 0, "Tabellentrennzeichen für die Text-Darstellung", ""},
      {10, 4, 0, "MwSt-Satz 1 (linke Maustaste im Taschenrechner)", ""},
      {11, 5, 0, "MwSt-Satz 2 (rechte Maustaste im Taschenrechner)", ""},
      {5, 0, 1, "Honigwert je kg", ""},
      {6, 1, 1, "Wachswert je kg", ""},
      {7, 2, 1, "Pollenwert je g", ""},
      {8, 3, 1, "Wert sonstige Ernte je g", ""},
      {9, 4, 1, "Kostensatz je Stunde bei Buchungen", ""},
  };
  for (const Feld& f : feldplan) {
    ui::sevText& t = sevt->add(f.index, seite1);
    t.setCaption(QString::fromUtf8(f.caption));
    t.setUnitdescr(QString::fromUtf8(f.unit));
    felder->addWidget(&t, f.zeile, f.spalte, Qt::AlignLeft);
  }
  for (int i : {0, 1, 4}) {
    (*sevt)(i).setTexttype(1);
    (*sevt)(i).setNumbertype(7);
    (*sevt)(i).setMaxlength(3);
    (*sevt)(i).setMax(i == 1 ? 365 : 999);
    (*sevt)(i).setMin(i == 4 ? 30 : 1);
    (*sevt)(i).setTextalign(1);
  }
  for (int i : {10, 11}) {
    (*sevt)(i).setTexttype(1);
    (*sevt)(i).setNumbertype(7);
    (*sevt)(i).setMaxlength(2);
    (*sevt)(i).setMin(1);
    (*sevt)(i).setMax(50);
    (*sevt)(i).setTextalign(1);
  }
  for (int i = 5; i <= 9; ++i) {
    (*sevt)(i).setTexttype(1);
    (*sevt)(i).setNumbertype(1);
    (*sevt)(i).setNachkomma(2);
    (*sevt)(i).setMaxlength(8);
    (*sevt)(i).setTextalign(1);
  }
  (*sevt)(3).setMaxlength(3);
  (*sevt)(3).setShowbutton(true);
  QList<ui::sevText*> spalten[2];
  for (const Feld& f : feldplan) spalten[f.spalte] << &(*sevt)(f.index);
  ausrichten(spalten[0], 60);
  ausrichten(spalten[1], 90);
  felder->setColumnStretch(2, 1);
  s1->addLayout(felder);
  Label1[0] = nullptr;
  Label1[1] = new QLabel("Kopftext, der bei den Auswertungen mit ausgedruckt werden soll", seite1);
  s1->addWidget(Label1[1]);
  ui::sevText& kopf = sevt->add(2, seite1);
  kopf.setMaxlength(80);
  s1->addWidget(&kopf);
  s1->addStretch();
  sstab->addTab(seite1, "Globale Einstellungen");

  // --- Datenfelder-Reihenfolge ---
  auto* seite2 = new QWidget;
  auto* s2 = new QVBoxLayout(seite2);
  auto* rahmen = new QHBoxLayout;
  const char* const rahmenTitel[2] = {"Völker", "Stockkarten"};
  QListWidget** listen[2] = {&li, &listock};
  QPushButton** knöpfe[2] = {aufwaerts, aufwaertsstock};
  for (int r = 0; r < 2; ++r) {
    Frame1[r] = new QGroupBox(QString::fromUtf8(rahmenTitel[r]), seite2);
    auto* fl = new QVBoxLayout(Frame1[r]);
    *listen[r] = einfacheListe(Frame1[r]);
    fl->addWidget(*listen[r]);
    auto* kl = new QHBoxLayout;
    for (int k = 0; k < 2; ++k) {
      knöpfe[r][k] = new QPushButton(k == 0 ? "Nach oben verschieben" : "Nach unten verschieben", Frame1[r]);
      kl->addWidget(knöpfe[r][k]);
    }
    fl->addLayout(kl);
    rahmen->addWidget(Frame1[r]);
  }
  for (int k = 0; k < 2; ++k) {
    connect(aufwaerts[k], &QPushButton::clicked, this, [this, k] { aufwaerts_Click(k); });
    connect(aufwaertsstock[k], &QPushButton::clicked, this, [this, k] { aufwaertsstock_Click(k); });
  }
  s2->addLayout(rahmen);
  Label2 = new QLabel("Das Datum und die ID können nicht verschoben werden.", seite2);
  s2->addWidget(Label2);
  sstab->addTab(seite2, "Datenfelder-Reihenfolge");

  // --- Zu listende Daten im Info-Fenster ---
  auto* seite3 = new QWidget;
  auto* s3 = new QGridLayout(seite3);
  Label3[0] = new QLabel("Völkerdaten", seite3);
  Label3[1] = new QLabel("Ernten/Arbeiten etc.", seite3);
  litext1 = mehrfachListe(völkerdatenTexte, seite3);
  litext2 = mehrfachListe(buchungenTexte, seite3);
  s3->addWidget(Label3[0], 0, 0);
  s3->addWidget(Label3[1], 0, 1);
  s3->addWidget(litext1, 1, 0);
  s3->addWidget(litext2, 1, 1);
  sstab->addTab(seite3, "Zu listende Daten im Info-Fenster");

  auto* knopfzeile = new QHBoxLayout;
  ok = new QPushButton("&Schließen", this);
  standard = new QPushButton("Standard-&Einstellung", this);
  hilfe = new QPushButton("&Hilfe", this);
  knopfzeile->addWidget(ok);
  knopfzeile->addWidget(standard);
  knopfzeile->addStretch();
  knopfzeile->addWidget(hilfe);
  haupt->addLayout(knopfzeile);
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  connect(standard, &QPushButton::clicked, this, [this] { standard_Click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
}

void IO_Einstellungen::Form_Load() {
  for (int k = 0; k < 8; ++k) kon[k]->setChecked(einstellungzahl[konEinstellung[k]] == 1);
  (*sevt)(0).setText(QString::number(sicherungstage()));
  (*sevt)(1).setText(QString::number(terminvorlauf()));
  (*sevt)(4).setText(QString::number(htmlseitenzeilen()));
  (*sevt)(10).setText(QString::number(mwstsatz1()));
  (*sevt)(11).setText(QString::number(mwstsatz2()));
  (*sevt)(2).setText(kopftext());
  for (int k = 0; k <= 4; ++k) (*sevt)(5 + k).setText(zahlformatieren(QVariant(einstellungwert[k]), 2));

  ui::sevText& trenner = (*sevt)(3);
  trenner.listclear();
  for (const QString& t : trennzeichenliste) trenner.listadd(t);
  trenner.setListindex(0);
  for (int i = 0; i < trenner.listcount(); ++i)
    if (trenner.listtext(i) == trennzeichen()) trenner.setListindex(i);

  alteVölkerliste_ = völkerlistesql();
  alteStockkarte_ = stockkartesql();
  alteNummernanzeige_ = laufendenummer();

  li->clear();
  if (datali)
    for (int c = 1; c <= datali->cols(); ++c) li->addItem(datali->column(c).caption());
  listock->clear();
  listock->addItems(stockkartezerlegen(stockkartesql()));

  markieren(litext1, infofenster(), 0);
  markieren(litext2, infofenster(), 31);
  sstab->setTab(0);
}

void IO_Einstellungen::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IO_Einstellungen::aufwaerts_Click(int index) {
  const int i = auswahl(li);
  if (i < 0) {
    vb::msgbox(keineAuswahl);
    return;
  }
  const int n = li->count();
  if (index == 0 && i > 0) tauschen(li, i, i - 1);
  if (index == 1 && i < n - 1) tauschen(li, i, i + 1);
}

void IO_Einstellungen::aufwaertsstock_Click(int index) {
  const int i = auswahl(listock);
  const int n = listock->count();
  if (i == 0 || i == n - 1) return;   // the first and the last piece stay where they are
  if (i < 0) {
    vb::msgbox(keineAuswahl);
    return;
  }
  if (index == 0 && i > 1) tauschen(listock, i, i - 1);
  if (index == 1 && i < n - 2) tauschen(listock, i, i + 1);
}

void IO_Einstellungen::ok_Click() {
  for (int k = 0; k < 8; ++k) einstellungzahl[konEinstellung[k]] = kon[k]->isChecked() ? 1 : 0;

  const int tage = ganzzahl((*sevt)(0).text());
  sicherungstage() = tage < 1 || tage > 999 ? 14 : tage;
  const int vorlauf = ganzzahl((*sevt)(1).text());
  terminvorlauf() = vorlauf < 1 ? 14 : std::min(vorlauf, 365);
  kopftext() = (*sevt)(2).text();
  htmlseitenzeilen() = std::max(ganzzahl((*sevt)(4).text()), 30);
  const QString trenner = (*sevt)(3).text();
  trennzeichen() = trenner.isEmpty() ? trennzeichenliste.first() : trenner;
  for (int k = 0; k <= 4; ++k) einstellungwert[k] = zahlaustext((*sevt)(5 + k).text());
  mwstsatz1() = ganzzahl((*sevt)(10).text());
  mwstsatz2() = ganzzahl((*sevt)(11).text());

  infofenster() = markierungen(litext1, litext2);

  // Without the main grid's columns there is no order to store.
  if (li->count() > 0) {
    QStringList spalten;
    for (int i = 0; i < li->count(); ++i) spalten << li->item(i)->text();
    völkerlistesql() = völkerlistesqlbilden(spalten);
  }
  QStringList stücke;
  for (int i = 0; i < listock->count(); ++i) stücke << listock->item(i)->text();
  stockkartesql() = stockkartesqlbilden(stücke);

  if (völkerlistesql() != alteVölkerliste_) {
    vb::msgbox("Bitte passen Sie im Hauptmodul ggf. noch die Spaltenbreite an. Sie können die Spaltenbreite "
               "ändern, indem Sie die Spaltenbreite bei gedrückter Maustaste im Listenkopf verschieben!");
    völkerneulesen = 1;
  }
  if (stockkartesql() != alteStockkarte_)
    vb::msgbox("Sie haben die Reihenfolge der Stockkarte geändert. Ggf. müssen Sie noch die Spaltenbreite der "
               "einzelnen Datenfelder in der Stockkarte selbst anpassen.");
  if (laufendenummer() != alteNummernanzeige_) völkerneulesen = 1;

  // A failed write is reported there; the settings stay in memory and the
  // file is written again at the end of the run.
  einstellungenschreiben();
  unload();
}

void IO_Einstellungen::standard_Click() {
  if (!vb::question("Sollen die aktuellen Werte wirklich mit den Standard-Werten überschrieben werden?")) return;
  for (int k = 0; k < 8; ++k) kon[k]->setChecked(konStandard[k] == 1);
  (*sevt)(0).setText("14");
  (*sevt)(1).setText("14");
  (*sevt)(2).setText(QString());
  (*sevt)(4).setText("60");
  (*sevt)(3).setListindex(0);
}

void IO_Einstellungen::hilfe_Click() { common::hilfezeigen(formName()); }

}  // namespace zevo::shell
