#include "shell/ih_hilfe_wieanfangen.h"

#include "common/variablen.h"
#include "platform/runtime/mousepointer.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace zevo::shell {

namespace {

const char* const texte[9] = {
    "Im Prinzip können Sie die Daten in ZEVO in beliebiger Reihenfolge eintragen und dann auswerten. Um "
    "möglichst effektiv mit ZEVO zu arbeiten, ist es vorteilhaft, zumindest anfänglich eine bestimmte "
    "Vorgehensweise einzuhalten. Beispielsweise sehen Sie bei der Volkeingabe die Standorte nur dann, wenn diese "
    "vorher in der Standortverwaltung eingetragen wurden. Bitte gehen Sie deshalb anfänglich nach folgender "
    "Reihenfolge vor (einfach auf den Schalter Schritt... klicken):",
    "HINWEIS: Diese Maske erscheint nach jedem Programmstart so lange, bis mindestens ein Bienenvolk in ZEVO "
    "eingetragen wurde. Sie können danach dieses Modul nochmals über die HILFE (Die ersten Schritte...) im "
    "Hauptmodul öffnen.",
    "Festlegen der Standorte, an denen Sie das ganze Jahr über Ihre Völker stehen haben",
    "In der Standortverwaltung tragen Sie die Standorte ein, an denen Sie das ganze Jahr über die Völker "
    "aufstellen (hierzu geöhren auch die Wander-Standorte). Im gleichen Modul können Sie optional auch gleich die "
    "Gewächse in Ihrem Wanderbereich eintragen sowie die Gewächse je Standort. Diese Daten sind erforderlich, um "
    "den Völkern ein Standort zuzuordnen und einen Qualitätsindex über die Standorte zu erstellen.",
    "In den Arbeitsplanoptionen sind bereits einige Termine eingetragen, die in der Imkerei anfallen. Bitte "
    "überprüfen Sie diese Termine, ob diese für Sie relevant sind. Termine, die bei Ihnen nicht anfallen, löschen "
    "Sie. Termine mit anderen Zeiträumen löschen Sie ebenfalls und tragen diese mit den neuen Zeiträumen und "
    "Wiederholungsabständen ein. Diese Aktion können Sie allerdings auch jederzeit zu einem späteren Zeitpunkt "
    "problemlos durchführen.",
    "Überprüfen/Korrigieren und ggf. Ergänzen der Standard-Arbeitsplanoptionen",
    "Nun tragen Sie alle Bienenvölker ein, die Sie in Ihrem Bestand haben.  TIPP: Da viele Eingaben, z.B. "
    "Beuteart, Rasse, Herkunft, Standort etc. bei mehreren Völkern gleich sind, können Sie Ihre Eingabe als "
    "Standardmaske speichern und brauchen somit nicht alle Daten immer wieder neu einzutragen.",
    "Die Bienenvölker eintragen",
    "Nachdem die Völker eingetragen sind, können Sie nun die Maßnahmen (Honigernte, Behandlungen, Arbeiten "
    "etc.) eintragen, über die Verwaltung das Honiglager überwachen, Ein- und Verkäufe buchen, die Wetterdaten "
    "registrieren und natürlich sämtliche Eintragungen umfangreich und übersichtlich listen und berechnen.",
};

// Heading and text label of each step, from the top.
const int überschrift[3] = {2, 5, 7};
const int erklärung[3] = {3, 4, 6};

// The window each step opens.
const char* const schrittfenster[3] = {"IV_Pflanzen_Standorte", "IV_Arplanoptionen", "IV_Neues_Volk"};

}  // namespace

IH_Hilfe_Wieanfangen::IH_Hilfe_Wieanfangen() : vb::Form("IH_Hilfe_Wieanfangen") {
  setWindowTitle("Die ersten Schritte in ZEVO");
  for (int i = 0; i < 9; ++i) {
    Label1[i] = new QLabel(QString::fromUtf8(texte[i]), this);
    Label1[i]->setWordWrap(true);
  }
  for (int i : überschrift) {
    QFont f = Label1[i]->font();
    f.setBold(true);
    Label1[i]->setFont(f);
  }
  auto* haupt = new QVBoxLayout(this);
  haupt->addWidget(Label1[0]);
  haupt->addWidget(Label1[1]);
  auto* schritte = new QGridLayout;
  for (int s = 0; s < 3; ++s) {
    schritt[s] = new QPushButton("Schritt " + QString::number(s + 1), this);
    connect(schritt[s], &QPushButton::clicked, this, [this, s] { schritt_Click(s); });
    // A step whose window this version does not have stays greyed.
    schritt[s]->setEnabled(vb::isRegistered(schrittfenster[s]));
    auto* rechts = new QVBoxLayout;
    rechts->addWidget(Label1[überschrift[s]]);
    rechts->addWidget(Label1[erklärung[s]]);
    schritte->addWidget(schritt[s], s, 0, Qt::AlignTop);
    schritte->addLayout(rechts, s, 1);
  }
  schritte->setColumnStretch(1, 1);
  haupt->addLayout(schritte);
  haupt->addWidget(Label1[8]);
  ok = new QPushButton("&Schließen", this);
  connect(ok, &QPushButton::clicked, this, [this] { ok_Click(); });
  ok->setDefault(true);
  ok->setFocus();
  auto* unten = new QHBoxLayout;
  unten->addStretch();
  unten->addWidget(ok);
  haupt->addLayout(unten);
  // Word-wrapped texts: the height follows from the width.
  setMinimumWidth(640);
  resize(760, std::max(heightForWidth(760), sizeHint().height()));
}

void IH_Hilfe_Wieanfangen::Form_Activate() { vb::setMousePointer(vb::vbDefault); }

void IH_Hilfe_Wieanfangen::schritt_Click(int index) {
  if (index < 0 || index > 2) return;
  vb::setMousePointer(vb::vbHourglass);
  if (index == 0) common::übergabe = "0";
  if (index == 2) common::volkmodus = "Neu";
  // The windows of the later parts appear here once they are registered.
  if (vb::isRegistered(schrittfenster[index])) vb::showForm(schrittfenster[index]);
  else vb::setMousePointer(vb::vbDefault);
}

void IH_Hilfe_Wieanfangen::ok_Click() { unload(); }

}  // namespace zevo::shell
