#include "output/ia_zwischenliste.h"
#include "common/fensterdienste.h"

#include "common/einstellungen.h"
#include "components/sevgrid.h"
#include "output/listenexport.h"
#include "platform/runtime/application.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/textfile.h"

#include <QAction>
#include <QCheckBox>
#include <QCursor>
#include <QDir>
#include <QHBoxLayout>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

namespace zevo::output {


namespace {

constexpr int mindestbreite = 400;   // twips, for fitted columns
const QString keinedaten = QStringLiteral("Es sind keine Daten in der Liste.");

}  // namespace

IA_Zwischenliste::IA_Zwischenliste() : vb::Form(QStringLiteral("IA_Zwischenliste")) {
  setWindowTitle(QStringLiteral("Daten listen"));

  gridli = new ui::sevGrid(this);
  kon = new QCheckBox(QStringLiteral("Automatische Spaltenbreite"), this);
  comtext = new QPushButton(QStringLiteral("&Text-Auswertung"), this);
  comexcel = new QPushButton(QStringLiteral("&Excel-Auswertung"), this);
  roexplorer[0] = new QPushButton(QStringLiteral("Stan&dard-Explorer"), this);
  roexplorer[1] = new QPushButton(QStringLiteral("&Internet-Explorer"), this);
  hilfe = new QPushButton(QStringLiteral("&Hilfe"), this);
  cmdschließen = new QPushButton(QStringLiteral("&Schließen"), this);

  popupliste = new QMenu(QStringLiteral("Liste"), this);
  const QString texte[6] = {QStringLiteral("Übergabe an &Texteditor"), QStringLiteral("Übergabe an &Excel"),
                            QStringLiteral("Übergabe an &Standard-Explorer"),
                            QStringLiteral("Übergabe an &Internet-Explorer"), QString(),
                            QStringLiteral("&Schließen")};
  for (int i = 0; i < 6; ++i) {
    popzeile[i] = i == 4 ? popupliste->addSeparator() : popupliste->addAction(texte[i]);
    connect(popzeile[i], &QAction::triggered, this, [this, i] { popzeile_Click(i); });
  }

  auto* unten = new QHBoxLayout;
  unten->addWidget(kon);
  unten->addSpacing(16);
  for (QPushButton* b : {comtext, comexcel, roexplorer[0], roexplorer[1]}) unten->addWidget(b);
  unten->addStretch();
  unten->addWidget(hilfe);
  unten->addWidget(cmdschließen);
  auto* ganz = new QVBoxLayout(this);
  ganz->addWidget(gridli, 1);
  ganz->addLayout(unten);

  connect(comtext, &QPushButton::clicked, this, [this] { comtext_Click(); });
  connect(comexcel, &QPushButton::clicked, this, [this] { comexcel_Click(); });
  connect(roexplorer[0], &QPushButton::clicked, this, [this] { roexplorer_Click(0); });
  connect(roexplorer[1], &QPushButton::clicked, this, [this] { roexplorer_Click(1); });
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(cmdschließen, &QPushButton::clicked, this, [this] { cmdschließen_Click(); });
  connect(gridli, &ui::sevGrid::rowclick, this, [this] { gridli_rowclick(); });
  connect(gridli, &ui::sevGrid::mouseclick, this, [this] { gridli_mouseclick(); });

  gridli->pagetext = [](int seite, int seiten, QString& text) {
    htmlseitentext(common::htmlseitenzahlen() == 1, seite, seiten, text);
  };
  gridli->footertext = [](int seite, int seiten, int datensätze, QString& text) {
    htmlfußtext(common::htmldatensatzanzahl() == 1, seite, seiten, datensätze, text);
  };
}

void IA_Zwischenliste::Form_Load() {
  resize(vb::twipsToPixels(vb::screenWidthTwips()), vb::twipsToPixels(vb::screenHeightTwips() - 600));
  move(0, 0);

  const QString datei = common::datenpfad + "gridli.txt";
  if (!gridli->loadfromfile(datei, true)) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Die Liste konnte nicht geladen werden:" + common::zeilenumbruch + QDir::toNativeSeparators(datei));
  }
  if (common::listenspaltenbreite() == 0) {
    kon->setChecked(false);
    return;
  }
  kon->setChecked(true);
  gridli->lockupdate(true);
  gridli->autosizecolumns();
  for (int c = 1; c <= gridli->cols(); ++c)
    if (gridli->column(c).width() < mindestbreite) gridli->column(c).setWidth(mindestbreite);
  gridli->lockupdate(false);
  gridli->refresh();
}

void IA_Zwischenliste::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

// --- text table ------------------------------------------------------------------------------

void IA_Zwischenliste::comtext_Click() {
  if (gridli->rows() == 0) {
    vb::msgbox(keinedaten);
    return;
  }
  if (common::trennzeichen().isEmpty()) common::trennzeichen() = common::standardtrennzeichen;
  vb::setMousePointer(vb::vbHourglass);
  const QStringList zeilen = texttabelle(*gridli, common::trennzeichen(), common::listendatum() == 1, common::heute,
                                         common::kopftext());
  common::listendatei = common::datenpfad + "LISTE.TXT";
  try {
    vb::writeLines(common::listendatei, zeilen);
  } catch (const vb::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Die Text-Auswertung konnte nicht geschrieben werden." + common::zeilenumbruch + e.text());
    return;
  }
  vb::showForm(QStringLiteral("IA_Textausgabe"));
}

// --- spreadsheet ------------------------------------------------------------------------------

void IA_Zwischenliste::comexcel_Click() {
  if (gridli->rows() == 0) {
    vb::msgbox(keinedaten);
    return;
  }
  common::übergabe.clear();
  vb::setMousePointer(vb::vbHourglass);
  const xlsx::Worksheet sheet = exceltabelle(*gridli, common::listendatum() == 1, common::heute, common::kopftext());
  const QString datei = neuetabellendatei(tabellenordner());
  try {
    sheet.save(datei);
  } catch (const vb::Error& e) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox("Die Excel-Auswertung konnte nicht erstellt werden." + common::zeilenumbruch + e.text());
    return;
  }
  tabellendatei_ = datei;
  const bool geöffnet = dokumentöffner()(QUrl::fromLocalFile(datei));
  vb::setMousePointer(vb::vbDefault);
  if (!geöffnet) {
    vb::msgbox("Excel konnte nicht geöffnet werden!" + common::zeilenumbruch + common::zeilenumbruch +
               "Die Tabelle wurde gespeichert unter:" + common::zeilenumbruch + QDir::toNativeSeparators(datei));
    common::übergabe = QStringLiteral("xyz");
  }
}

// --- HTML report ------------------------------------------------------------------------------

void IA_Zwischenliste::roexplorer_Click(int index) {
  gridli->setHtmltitle(htmltitel(common::listendatum() == 1, common::heute, common::kopftext()));
  gridli->setHtmlpagerows(common::htmlseitenzeilen());
  gridli->setHtmloption(true);
  const QString datei = common::datenpfad + "report.htm";
  vb::setMousePointer(vb::vbHourglass);
  const bool geschrieben = gridli->savehtml(datei);
  vb::setMousePointer(vb::vbDefault);
  if (!geschrieben) {
    vb::msgbox("Der HTML-Bericht konnte nicht geschrieben werden:" + common::zeilenumbruch +
               QDir::toNativeSeparators(datei));
    return;
  }
  const bool geöffnet = index == 0 ? gridli->showhtml(1, true) : gridli->showhtmlie(1, true, true);
  if (!geöffnet)
    vb::msgbox("Der Browser konnte nicht geöffnet werden!" + common::zeilenumbruch + common::zeilenumbruch +
               "Der HTML-Bericht wurde gespeichert unter:" + common::zeilenumbruch +
               QDir::toNativeSeparators(gridli->htmlfiles().value(0, datei)));
}

// --- popup menu, help, closing -------------------------------------------------------------------

void IA_Zwischenliste::popzeile_Click(int index) {
  switch (index) {
    case 0: comtext_Click(); break;
    case 1: comexcel_Click(); break;
    case 2: roexplorer_Click(0); break;
    case 3: roexplorer_Click(1); break;
    case 5: cmdschließen_Click(); break;
    default: break;
  }
}

void IA_Zwischenliste::gridli_rowclick() { popupliste->popup(QCursor::pos()); }

void IA_Zwischenliste::gridli_mouseclick() { popupliste->popup(QCursor::pos()); }

void IA_Zwischenliste::hilfe_Click() { common::hilfezeigen(formName()); }

void IA_Zwischenliste::cmdschließen_Click() {
  common::listenspaltenbreite() = kon->isChecked() ? 1 : 0;
  unload();
}

}  // namespace zevo::output
