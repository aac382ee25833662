#include "planning/iv_arplanoptionen.h"

#include "common/fensterdienste.h"
#include "common/routinen.h"
#include "common/variablen.h"
#include "components/sevgrid.h"
#include "planning/planungsdienste.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "shell/volktermine.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zevo::planning {

namespace {

using common::feldtext;
using common::zeilenumbruch;

const QString breitenabschnitt = QStringLiteral("iv_arplanoptionen_liarplan");

constexpr int feldArt = 0, feldStart = 1, feldEnde = 2, feldFrist = 3, feldVolkabhängig = 4, feldBuchung = 5,
              feldArbeitsart = 6;

int aktuellesjahr() { return common::heutedatum().year(); }

// A window text as it is stored: "1.5" becomes "01.05"; a text that is no
// date this year stays as typed (it is refused anyway).
QString tagmonat(const QString& text) {
  if (const auto d = shell::fensterdatum(text, aktuellesjahr())) return d->toString(QStringLiteral("dd.MM"));
  return feldtext(text);
}

// Month and day as one text, compared by position as the season end is read.
QString monattag(const QString& tm) { return vb::mid(tm, 4, 2) + vb::mid(tm, 1, 2); }

// Chooses the list entry equal to the text; nothing when there is none.
void eintragwählen(ui::sevText& feld, const QString& wert) {
  feld.setListindex(-1);
  if (wert.isEmpty()) return;
  for (int i = 0; i < feld.listcount(); ++i)
    if (feld.listtext(i) == wert) feld.setListindex(i);
}

}  // namespace

IV_Arplanoptionen::IV_Arplanoptionen() : vb::Form(QStringLiteral("IV_Arplanoptionen")) {
  setWindowTitle(QStringLiteral("Arbeitsplan-Optionen"));
  steuerelementeanlegen();
}

void IV_Arplanoptionen::steuerelementeanlegen() {
  auto* überschrift = new QLabel(QStringLiteral("Arbeitsplan-Optionen"), this);
  QFont fett = überschrift->font();
  fett.setBold(true);
  überschrift->setFont(fett);

  liarplan = new ui::sevGrid(this);
  liarplan->setAllowdelete(true);
  liarplan->setAutosort(true);
  liarplan->setMinimumSize(760, 220);
  connect(liarplan, &ui::sevGrid::rowclick, this, [this] { liarplan_rowclick(); });
  connect(liarplan, &ui::sevGrid::rowmove, this, [this] { liarplan_rowclick(); });
  connect(liarplan, &ui::sevGrid::colresize, this, [this](int c, int w) { liarplan_colresize(c, w); });

  auto* eingabe = new QGroupBox(QStringLiteral("Anbeitsplanoptionen eingeben / ändern"), this);
  auto* form = new QFormLayout(eingabe);
  form->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  const char* const beschriftungen[] = {"Arbeitsart",         "Startzeitraum (TT.MM)",  "Endzeitraum (TT.MM)",
                                        "Wiederholungsfrist (Tage)", "Volkabhängig (J/N)", "Autom. Erled. Buchung",
                                        "Autom. Erled. Arbeitsart"};
  const int längen[] = {30, 10, 10, 2, 1, 15, 30};
  const int breiten[] = {240, 70, 70, 45, 55, 170, 240};
  for (int i = 0; i <= feldArbeitsart; ++i) {
    ui::sevText& f = sevt.add(i, eingabe);
    f.setMaxlength(längen[i]);
    f.setFixedWidth(breiten[i]);
    auto* label = new QLabel(QString::fromUtf8(beschriftungen[i]), eingabe);
    label->setBuddy(f.editor());
    form->addRow(label, &f);
  }
  sevt(feldStart).setMask(QStringLiteral("dd.mm"));
  sevt(feldEnde).setMask(QStringLiteral("dd.mm"));
  ui::sevText& frist = sevt(feldFrist);
  frist.setTexttype(1);
  frist.setNumbertype(7);
  frist.setMin(0);   // no minus sign: a negative repetition has no meaning
  frist.setMax(99);
  frist.setTextalign(1);
  for (const int i : {feldVolkabhängig, feldBuchung, feldArbeitsart}) sevt(i).setStyle(2);

  neu[0] = new QPushButton(QStringLiteral("&Neu"), this);
  neu[1] = new QPushButton(QStringLiteral("&Ändern"), this);
  löschen = new QPushButton(QStringLiteral("&Löschen"), this);
  terminverwaltung = new QPushButton(QStringLiteral("&Terminverwaltung"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  beenden = new QPushButton(QStringLiteral("&Schließen"), this);
  calender = new QPushButton(this);
  connect(neu[0], &QPushButton::clicked, this, [this] { neu_Click(0); });
  connect(neu[1], &QPushButton::clicked, this, [this] { neu_Click(1); });
  connect(löschen, &QPushButton::clicked, this, [this] { löschen_Click(); });
  connect(terminverwaltung, &QPushButton::clicked, this, [this] { terminverwaltung_Click(); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(beenden, &QPushButton::clicked, this, [this] { beenden_Click(); });
  connect(calender, &QPushButton::clicked, this, [this] { calender_Click(); });

  auto* hinweis = new QLabel(
      QStringLiteral("Hinweis: Durch das Hinzufüngen, Ändern und Löschen von Arbeitsplanoptionen werden alle daraus "
                     "resultierenden Termine automatisch berechnet und in die Terminverwaltung eingetragen. Durch das "
                     "Löschen einer Arbeitsplan-Option werden die entsprechenden Termine gelöscht."),
      this);
  hinweis->setWordWrap(true);

  auto* knöpfe = new QVBoxLayout;
  for (QPushButton* b : {neu[0], neu[1], löschen, terminverwaltung, hilfe, beenden}) knöpfe->addWidget(b);
  knöpfe->addStretch(1);
  auto* mitte = new QHBoxLayout;
  mitte->addWidget(eingabe, 1);
  mitte->addLayout(knöpfe);
  auto* ganz = new QVBoxLayout(this);
  ganz->addWidget(überschrift);
  ganz->addWidget(liarplan, 1);
  ganz->addLayout(mitte);
  ganz->addWidget(calender);
  ganz->addWidget(hinweis);
}

// --- life cycle ---------------------------------------------------------------------

void IV_Arplanoptionen::Form_Load() {
  try {
    db_ = common::eigenedatenbank();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Arbeitsplan-Optionen können nicht geöffnet werden.", e.text());
    unload();
    return;
  }
  optionsfelderleeren(optionenlisten());
  calender->setText("Alle Termine für das aktuelle Jahr " + vb::mid(common::heute, 7, 4) +
                    " löschen und wieder neu setzen");
}

void IV_Arplanoptionen::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IV_Arplanoptionen::Form_Unload(bool&) {
  if (db_.isOpen()) db_.close();
}

void IV_Arplanoptionen::beenden_Click() { unload(); }

void IV_Arplanoptionen::hilfe_Click() { common::hilfezeigen(formName()); }

void IV_Arplanoptionen::terminverwaltung_Click() {
  vb::setMousePointer(vb::vbHourglass);
  vb::showForm(QStringLiteral("IV_Terminverwaltung"));
}

void IV_Arplanoptionen::knöpfefreigeben(bool an) {
  for (QPushButton* b : {neu[0], neu[1], löschen, hilfe, beenden}) b->setEnabled(an);
}

// --- the list and the fields ------------------------------------------------------------

bool IV_Arplanoptionen::optionenlisten(bool melden) {
  knöpfefreigeben(false);
  bool gelesen = true;
  try {
    gridbinden(*liarplan, db_, QStringLiteral("select * from Arbeitsplanoptionen order by Arbeitsart"),
               breitenabschnitt,
               {{QStringLiteral("Arbeitsart"), 3300}, {QStringLiteral("Auto_erledigt_Arbeitsart"), 3300}});
  } catch (const dao::Error& e) {
    gelesen = false;
    if (melden) common::fehlermelden("Die Arbeitsplan-Optionen können nicht gelesen werden.", e.text());
  }
  knöpfefreigeben(true);
  return gelesen;
}

void IV_Arplanoptionen::optionsfelderleeren(bool melden) {
  for (const int i : {feldArt, feldStart, feldEnde}) sevt(i).setText(QString());
  sevt(feldFrist).setText(QStringLiteral("0"));
  ui::sevText& volkabhängig = sevt(feldVolkabhängig);
  volkabhängig.listclear();
  volkabhängig.listadd(QStringLiteral("J"));
  volkabhängig.listadd(QStringLiteral("N"));
  volkabhängig.setListindex(0);
  ui::sevText& buchung = sevt(feldBuchung);
  buchung.listclear();
  for (const char* t : {"", "Honigernte", "Wachsernte", "Pollenernte", "Wanderung", "Gewichtsmessung", "Behandlung",
                        "Königinwechsel"})
    buchung.listadd(QString::fromUtf8(t));
  buchung.setListindex(-1);
  ui::sevText& arbeitsart = sevt(feldArbeitsart);
  arbeitsart.listclear();
  arbeitsart.listadd(QString());
  try {
    dao::Recordset rs = db_.openRecordset(QStringLiteral("select distinct Arbeitsart from Arbeiten order by Arbeitsart"));
    for (; !rs.eof(); rs.moveNext()) arbeitsart.listadd(feldtext(rs["Arbeitsart"]));
    rs.close();
  } catch (const dao::Error& e) {
    if (melden) common::fehlermelden("Die Arbeitsarten können nicht gelesen werden.", e.text());
  }
  arbeitsart.setListindex(-1);
}

void IV_Arplanoptionen::liarplan_rowclick() {
  const int r = liarplan->row();
  if (r < 1) return;
  sevt(feldArt).setText(liarplan->cell(r, QStringLiteral("Arbeitsart")));
  altearbeitsart_ = sevt(feldArt).text();
  sevt(feldStart).setText(liarplan->cell(r, QStringLiteral("Startzeitraum")));
  sevt(feldEnde).setText(liarplan->cell(r, QStringLiteral("Endzeitraum")));
  sevt(feldFrist).setText(liarplan->cell(r, QStringLiteral("Wiederholungsfrist_Tage")));
  sevt(feldVolkabhängig).setListindex(liarplan->cell(r, QStringLiteral("Volkabhängig")) == QLatin1String("J") ? 0 : 1);
  eintragwählen(sevt(feldBuchung), liarplan->cell(r, QStringLiteral("Auto_erledigt_Buchung")));
  eintragwählen(sevt(feldArbeitsart), liarplan->cell(r, QStringLiteral("Auto_erledigt_Arbeitsart")));
}

void IV_Arplanoptionen::liarplan_colresize(int spalte, int breite) {
  spaltenbreitemerken(*liarplan, spalte, breite, breitenabschnitt);
}

// --- storing -------------------------------------------------------------------------

QString IV_Arplanoptionen::prüfen() const {
  QString gründe;
  if (feldtext(sevt(feldArt).text()).isEmpty()) gründe += "...die Arbeitsart angegeben werden muß." + zeilenumbruch;
  const int jahr = aktuellesjahr();
  if (!shell::fensterdatum(sevt(feldStart).text(), jahr) || !shell::fensterdatum(sevt(feldEnde).text(), jahr))
    gründe += "...der Start- und Endzeitraum angegeben werden muß." + zeilenumbruch;
  if (monattag(tagmonat(sevt(feldStart).text())) > monattag(tagmonat(sevt(feldEnde).text())))
    gründe += "...der Startzeitraum nicht hinter dem Endzeitraum liegen darf." + zeilenumbruch;
  return gründe;
}

void IV_Arplanoptionen::volkids(QList<int>& ids) {
  dao::Recordset rs = db_.openRecordset(QStringLiteral("select ID from Bienenvolk where Akt_im_Bestand = 'X'"));
  for (; !rs.eof(); rs.moveNext()) ids << rs["ID"].value().toInt();
  rs.close();
}

void IV_Arplanoptionen::neu_Click(int index) {
  const QString gründe = prüfen();
  if (!gründe.isEmpty()) {
    vb::msgbox("Die Daten werden nicht gespeichert, weil..." + zeilenumbruch + zeilenumbruch + gründe);
    return;
  }
  if (index == 1 && liarplan->row() < 1) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie ändern möchten!"));
    return;
  }
  try {
    speichern(index);
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Arbeitsplan-Option konnte nicht gespeichert werden.", e.text());
    optionenlisten(false);
  }
}

void IV_Arplanoptionen::speichern(int index) {
  const QString name = feldtext(sevt(feldArt).text());
  const QString id =
      index == 1 ? QString::number(common::datensatzid(liarplan->cell(liarplan->row(), QStringLiteral("ID"))))
                 : QString();
  QString sql = "select Arbeitsart from Arbeitsplanoptionen where Arbeitsart = '" + name + "'";
  if (index == 1) sql += " and ID <> " + id;
  dao::Recordset gleich = db_.openRecordset(sql);
  const bool vorhanden = !gleich.eof();
  gleich.close();
  if (vorhanden) {
    vb::msgbox("Es existiert bereits ein Arbeitsplan mit dem Namen " + sevt(feldArt).text() + ".");
    return;
  }
  if (index == 1)
    vb::msgbox(QStringLiteral(
        "Sie haben [Ändern] ausgewählt. Bitte beachten Sie, daß lediglich der Inhalt des Feldes Arbeitsart geändert "
        "wird. Falls Sie ein anderes Datenfeld ändern möchten, dann müssen Sie den Termin vorher löschen und wieder "
        "neu anlegen."));

  QStringList übersprungen;
  dao::Transaction transaktion(db_);
  if (index == 0) {
    dao::Recordset rs = db_.openRecordset(QStringLiteral("select top 1 * from Arbeitsplanoptionen"));
    rs.addNew();
    rs["Arbeitsart"] = name;
    rs["Startzeitraum"] = tagmonat(sevt(feldStart).text());
    rs["Endzeitraum"] = tagmonat(sevt(feldEnde).text());
    rs["Wiederholungsfrist_Tage"] = std::clamp(common::ganzzahlamanfang(sevt(feldFrist).text()), 0, 99);
    rs["Volkabhängig"] = feldtext(sevt(feldVolkabhängig).text());
    rs["Auto_erledigt_Buchung"] = feldtext(sevt(feldBuchung).text());
    rs["Auto_erledigt_Arbeitsart"] = feldtext(sevt(feldArbeitsart).text());
    rs.update();   // the new option is the current row
    const int optionId = rs["ID"].value().toInt();
    rs.close();
    vb::setMousePointer(vb::vbHourglass);
    if (feldtext(sevt(feldVolkabhängig).text()) == QLatin1String("N")) {
      shell::volkterminebuchen(optionId, 0, übersprungen);
    } else {
      QList<int> völker;
      volkids(völker);
      for (const int volk : völker) shell::volkterminebuchen(optionId, volk, übersprungen);
    }
    vb::setMousePointer(vb::vbDefault);
  } else {
    dao::Recordset rs = db_.openRecordset("select top 1 * from Arbeitsplanoptionen where ID = " + id);
    if (rs.eof())
      throw dao::Error(dao::errNoCurrentRecord,
                       QStringLiteral("Die Arbeitsplan-Option ist in der Datenbank nicht mehr vorhanden."));
    rs.edit();
    rs["Arbeitsart"] = name;
    rs.update();
    rs.close();
    db_.execute("UPDATE Termine SET Termin = '" + name + "' where Termin = '" + altearbeitsart_ + "'");
  }
  transaktion.commit();
  common::piepton();
  shell::übersprungeneoptionenmelden(übersprungen);

  optionsfelderleeren();
  optionenlisten();
  if (liarplan->findrow("Arbeitsart = '" + name + "'", false) > 0) liarplan_rowclick();
  sevt(feldArt).setfocus();
}

// --- deleting ------------------------------------------------------------------------

void IV_Arplanoptionen::löschen_Click() {
  const int r = liarplan->row();
  if (r < 1) {
    vb::msgbox(QStringLiteral("Bitte markieren Sie zuerst den Datensatz, den Sie löschen möchten."));
    return;
  }
  if (common::löschenbestätigen() != 1) return;
  try {
    dao::Transaction transaktion(db_);
    liarplan->removeitem(r);
    db_.execute("delete from Termine where Termin = '" + altearbeitsart_ + "'");
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Arbeitsplan-Option konnte nicht gelöscht werden.", e.text());
    optionenlisten(false);
    return;
  }
  if (liarplan->row() > 0) liarplan_rowclick();
}

void IV_Arplanoptionen::calender_Click() {
  const QString jahr = vb::mid(common::heute, 7, 4);
  if (!vb::question("Durch diese Aktion werden alle Termine lt. Arbeitsplanoptionen aus dem aktuellen Jahr " + jahr +
                    " gelöscht und neu berechnet. Es werden auch die erledigten Termine gelöscht. Berechnet werden die "
                    "Termine lediglich ab dem aktuellen Datum " +
                    common::heute + "." + zeilenumbruch + zeilenumbruch + "Soll die Aktion wirklich ausgeführt werden?"))
    return;
  const QString imjahr =
      " and Datum >= " + common::sqldatum("01.01." + jahr) + " and Datum <= " + common::sqldatum("31.12." + jahr);
  const int jahrzahl = aktuellesjahr();
  QStringList übersprungen;
  vb::setMousePointer(vb::vbHourglass);
  try {
    dao::Transaction transaktion(db_);
    QList<int> völker;
    volkids(völker);
    for (int r = 1; r <= liarplan->rows(); ++r) {
      const int optionId = common::datensatzid(liarplan->cell(r, QStringLiteral("ID")));
      if (!shell::fensterdatum(liarplan->cell(r, QStringLiteral("Startzeitraum")), jahrzahl) ||
          !shell::fensterdatum(liarplan->cell(r, QStringLiteral("Endzeitraum")), jahrzahl)) {
        // Its dates could not be made again: they stay, and the generator,
        // which writes nothing for such a window, names the option.
        shell::volkterminebuchen(optionId, 0, übersprungen);
        continue;
      }
      db_.execute("delete from Termine where Termin = '" + feldtext(liarplan->cell(r, QStringLiteral("Arbeitsart"))) +
                  "'" + imjahr);
      if (liarplan->cell(r, QStringLiteral("Volkabhängig")) == QLatin1String("N")) {
        shell::volkterminebuchen(optionId, 0, übersprungen);
      } else {
        for (const int volk : völker) shell::volkterminebuchen(optionId, volk, übersprungen);
      }
    }
    transaktion.commit();
  } catch (const dao::Error& e) {
    common::fehlermelden("Die Termine konnten nicht neu gesetzt werden.", e.text());
    optionenlisten(false);
    return;
  }
  vb::setMousePointer(vb::vbDefault);
  vb::msgbox(QStringLiteral("Die Termine wurden gelöscht und neu gesetzt."));
  shell::übersprungeneoptionenmelden(übersprungen);
}

}  // namespace zevo::planning
