#include "shell/io_datensicherung.h"
#include "common/fensterdienste.h"

#include "common/einstellungen.h"
#include "shell/schema.h"
#include "platform/dao/dao.h"
#include "platform/runtime/application.h"
#include "platform/runtime/files.h"
#include "platform/runtime/mousepointer.h"
#include "platform/runtime/msgbox.h"
#include "platform/runtime/vb.h"
#include "platform/runtime/widgets.h"
#include "platform/zip/archive.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <algorithm>

namespace zevo::shell {

using namespace common;

namespace {

const QString sicherungsmuster = QStringLiteral("zevo10_backup_*.zip");

QString nativ(const QString& path) { return QDir::toNativeSeparators(path); }

QString absatz() { return zeilenumbruch + zeilenumbruch; }

const QString laufwerksfehler = QStringLiteral(
    "Es ist ein Fehler aufgetreten. Bitte überprüfen Sie den Datenträger. Eine Datensicherung auf CD ist nur mit "
    "einem Brennprogramm möglich!");

// The database file's own name in the program folder.
QString datenbankname() { return QFileInfo(vb::resolveCase(datenbankpfad)).fileName(); }

// Opens the file read-only as one of our databases and reads its table list;
// a database to be restored must have every table with all its columns.
void datenbankprüfen(const QString& datei, bool vollständig = false) {
  dao::Workspace prüfung;
  dao::Database db = prüfung.openDatabase(datei, false, true);
  const bool unsere = db.tableNames().contains("Bienenvolk", Qt::CaseInsensitive);
  QString lücke;
  try {
    if (unsere && vollständig) lücke = schemaabweichung(db);
  } catch (const dao::Error& e) {
    lücke = e.text();
  }
  prüfung.close();
  if (!unsere)
    throw dao::Error(dao::errUnknownFormat,
                     "Die Datei " + nativ(datei) + " ist keine ZEVO-Datenbank (die Tabelle Bienenvolk fehlt).");
  if (!lücke.isEmpty())
    throw dao::Error(dao::errUnknownFormat,
                     "Die Datei " + nativ(datei) + " ist keine vollständige ZEVO-Datenbank. " + lücke);
}

}  // namespace

QString sicherungsname(const QString& datum) {
  return "zevo10_backup_" + vb::mid(datum, 7, 4) + "_" + vb::mid(datum, 4, 2) + "_" + vb::mid(datum, 1, 2) + ".zip";
}

bool insicherung(const QString& dateiname) {
  static const QStringList ausgenommen = {"DLL", "EXE", "HLP", "TXT", "OCX", "VBX", "INI", "DOC", "ZIP"};
  if (ausgenommen.contains(vb::right(dateiname, 3).toUpper())) return false;
  // The program file itself has no extension here.
  const QFileInfo programm(QCoreApplication::applicationFilePath());
  if (QFileInfo(datenpfad + dateiname) == programm) return false;
  // A journal beside another copy of the database would spoil it.
  const QString db = QFileInfo(datenbankpfad).fileName();
  for (const char* rest : {"-journal", "-wal", "-shm"})
    if (dateiname.compare(db + rest, Qt::CaseInsensitive) == 0) return false;
  return true;
}

QString sicherungeinspielen(const QString& archivpfad, const QString& ordnerangabe) {
  const QString ordner = vb::withTrailingSlash(ordnerangabe);
  QTemporaryDir entpackt(ordner + ".zevo-rueckgewinnung-XXXXXX");
  if (!entpackt.isValid()) return "Im Programmordner kann kein temporärer Ordner angelegt werden.";
  QStringList namen;
  try {
    namen = zip::extractAll(archivpfad, entpackt.path());
  } catch (const zip::Error& e) {
    return e.text();
  }
  namen.removeIf([](const QString& n) { return !insicherung(n); });

  // The database comes last, so that a failure before it leaves it untouched.
  const QString dbname = QFileInfo(datenbankpfad).fileName();
  const auto db = std::find_if(namen.begin(), namen.end(),
                               [&](const QString& n) { return n.compare(dbname, Qt::CaseInsensitive) == 0; });
  if (db == namen.end()) return "Die Backupdatei enthält keine Datenbank " + dbname + ".";
  const QString dbeintrag = *db;
  namen.erase(db);
  namen.append(dbeintrag);
  try {
    datenbankprüfen(QDir(entpackt.path()).filePath(dbeintrag), true);
  } catch (const dao::Error& e) {
    return "Die Datenbank der Backupdatei kann nicht geöffnet werden." + absatz() + e.text();
  }

  // The current data files, kept before anything is replaced.
  const QString kopie = ordner + "vor_wiederherstellung_" + vb::now().toString("yyyy_MM_dd_HHmmss") + "/";
  if (!QDir().mkdir(kopie))
    return "Der Ordner " + nativ(kopie) + " für die Sicherheitskopie der bisherigen Daten kann nicht angelegt werden.";
  try {
    for (const QString& n : vb::fileList(ordner))
      if (insicherung(n)) vb::fileCopy(ordner + n, kopie + n);
  } catch (const vb::Error& e) {
    QDir(kopie).removeRecursively();
    return "Die bisherigen Daten konnten nicht gesichert werden." + absatz() + e.text();
  }

  struct Ersetzt {
    QString ziel;
    bool vorhanden;
  };
  QList<Ersetzt> ersetzt;
  for (const QString& n : namen) {
    const QString ziel = vb::resolveCase(ordner + n);
    const bool vorhanden = QFileInfo::exists(ziel);
    if (vb::replaceFile(QDir(entpackt.path()).filePath(n), ziel)) {
      ersetzt.append({ziel, vorhanden});
      continue;
    }
    QString grund = "Die Datei " + nativ(ziel) + " konnte nicht ersetzt werden.";
    try {
      for (auto r = ersetzt.crbegin(); r != ersetzt.crend(); ++r) {
        if (r->vorhanden) vb::fileCopy(kopie + QFileInfo(r->ziel).fileName(), r->ziel);
        else QFile::remove(r->ziel);
      }
    } catch (const vb::Error& e) {
      grund += absatz() + e.text() + zeilenumbruch + "Die bisherigen Dateien liegen im Ordner " + nativ(kopie) + ".";
    }
    return grund;
  }
  return {};
}

QString datenbankverdichten(const QString& datenbankdatei) {
  const QString temp = datenbankdatei.left(datenbankdatei.size() - 3) + "$$$";
  if (QFileInfo::exists(temp) && !QFile::remove(temp))
    return "Die alte Datei " + nativ(temp) + " kann nicht gelöscht werden.";
  try {
    dao::DBEngine::compactDatabase(datenbankdatei, temp);
    datenbankprüfen(temp);
  } catch (const dao::Error& e) {
    QFile::remove(temp);
    return e.text();
  }
  if (!vb::replaceFile(temp, datenbankdatei)) {
    QFile::remove(temp);
    return "Die Datei " + nativ(datenbankdatei) + " konnte nicht ersetzt werden.";
  }
  return {};
}

// --- the window --------------------------------------------------------------------------

IO_Datensicherung::IO_Datensicherung() : vb::Form("IO_Datensicherung") {
  setWindowTitle("Datensicherung");
  Bezeichnung1[0] = new QLabel("Dateien Festplatte:", this);
  Bezeichnung1[1] = new QLabel("Vorhandene Backupdateien:", this);
  datei1 = new QListWidget(this);
  datei2 = new QListWidget(this);
  datei1->setSelectionMode(QAbstractItemView::SingleSelection);
  datei2->setSelectionMode(QAbstractItemView::SingleSelection);
  drive = new QComboBox(this);
  drive->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  drive->setMinimumContentsLength(24);
  meter = new vb::ProgressBar(this);
  meter->setVisible(false);
  const char* const sichernTexte[2] = {"Backupdatei &erstellen", "Markierte Backupdatei &rückgewinnen"};
  const char* const kopieTexte[2] = {"Backupdatei &nach Laufwerk", "Backupdatei &von Laufwerk"};
  for (int i = 0; i < 2; ++i) {
    sichern[i] = new QPushButton(QString::fromUtf8(sichernTexte[i]), this);
    lwakopie[i] = new QPushButton(QString::fromUtf8(kopieTexte[i]), this);
    connect(sichern[i], &QPushButton::clicked, this, [this, i] { sichern_Click(i); });
    connect(lwakopie[i], &QPushButton::clicked, this, [this, i] { lwakopie_Click(i); });
  }
  hilfe = new QPushButton("&Hilfe", this);
  abbv = new QPushButton("&Schließen", this);
  connect(hilfe, &QPushButton::clicked, this, [this] { hilfe_Click(); });
  connect(abbv, &QPushButton::clicked, this, [this] { abbv_Click(); });
  Label1 = new QLabel(
      "Wichtige Hinweise zum Backup!!! Das erstellen einer Backupdatei mit [Backupdatei erstellen] genügt nicht für "
      "eine Sichere Datensicherung. Sie müssen zusätzlich mit [Backupdatei nach Laufwerk] die markierte "
      "Backupdatei auf Diskette, eine andere Festplatte oder auf einen Datenstik kopieren, weil sonst durch einen "
      "Festplattendefekt auch Ihre Backups weg sind. Noch sicherer ist es, die Backupdateien oder das ganze "
      "Installationsverzeichnis von ZEVO auf eine CD zu brennen.",
      this);
  Label1->setWordWrap(true);

  auto* raster = new QGridLayout(this);
  raster->addWidget(Bezeichnung1[0], 0, 0);
  raster->addWidget(Bezeichnung1[1], 0, 1);
  raster->addWidget(datei1, 1, 0);
  raster->addWidget(datei2, 1, 1);
  auto* knöpfe = new QVBoxLayout;
  knöpfe->addWidget(sichern[0]);
  knöpfe->addWidget(sichern[1]);
  knöpfe->addSpacing(12);
  knöpfe->addWidget(new QLabel("Laufwerk:", this));
  knöpfe->addWidget(drive);
  knöpfe->addWidget(lwakopie[0]);
  knöpfe->addWidget(lwakopie[1]);
  knöpfe->addStretch();
  knöpfe->addWidget(hilfe);
  knöpfe->addWidget(abbv);
  raster->addLayout(knöpfe, 0, 2, 2, 1);
  raster->addWidget(meter, 2, 0, 1, 3);
  raster->addWidget(Label1, 3, 0, 1, 3);
  raster->setColumnStretch(0, 1);
  raster->setColumnStretch(1, 1);
  resize(760, 460);
}

void IO_Datensicherung::Form_Load() {
  datei1->clear();
  datei1->addItems(vb::fileList(datenpfad));
  datei2aktualisieren();
  drive->clear();
  int wahl = 0;
  for (const vb::Drive& d : vb::drives()) {
    if (!QFileInfo(d.root).isDir()) continue;
    // A removable medium is the likelier target than the system's own disks.
    if (wahl == 0 && (d.root.startsWith("/media/") || d.root.startsWith("/run/media/")))
      wahl = drive->count();
    drive->addItem(nativ(d.display), d.root);
  }
  drive->setCurrentIndex(drive->count() > 0 ? wahl : -1);
}

void IO_Datensicherung::Form_Activate() {
  vb::setMousePointer(vb::vbDefault);
  meter->setValue(0);
}

QString IO_Datensicherung::laufwerkswurzel() const {
  return drive->currentIndex() < 0 ? QString() : vb::withTrailingSlash(drive->currentData().toString());
}

int IO_Datensicherung::markiert() const {
  const auto marked = datei2->selectedItems();
  return marked.isEmpty() ? -1 : datei2->row(marked.first());
}

void IO_Datensicherung::datei2aktualisieren() {
  datei2->clear();
  datei2->addItems(vb::fileList(datenpfad, sicherungsmuster));
}

bool IO_Datensicherung::archivwählen(const QString& frage) {
  if (markiert() < 0) {
    if (datei2->count() == 0) return false;
    datei2->setCurrentRow(datei2->count() - 1);
  }
  if (markiert() == datei2->count() - 1) return true;
  return vb::question("Sie haben nicht die aktuellste Datei markiert!" + absatz() + frage);
}

void IO_Datensicherung::sichern_Click(int index) {
  if (index == 0) sicherungerstellen();
  if (index == 1) sicherungrückgewinnen();
}

void IO_Datensicherung::lwakopie_Click(int index) {
  if (index == 0) nachlaufwerk();
  if (index == 1) vonlaufwerk();
}

void IO_Datensicherung::sicherungerstellen() {
  const QString archiv = datenpfad + sicherungsname(heute);
  if (vb::fileExists(archiv)) {
    if (!vb::question("Für den heutigen Tag existiert bereits eine Datensicherung. Soll diese überschrieben werden?"))
      return;
    if (!QFile::remove(archiv)) {
      vb::msgbox("Die vorhandene Datensicherung " + nativ(archiv) + " kann nicht gelöscht werden.");
      return;
    }
  }
  meter->setMax(datei1->count());
  meter->setValue(0);
  meter->setVisible(true);
  QString fehler;
  {
    // The database goes in as a consistent copy, made beside it.
    QTemporaryDir abzug(datenpfad + ".zevo-sicherung-XXXXXX");
    const QString dbname = datenbankname();
    try {
      zip::Writer archivdatei(archiv, 6);
      for (int i = 0; i < datei1->count(); ++i) {
        datei1->setCurrentRow(i);
        const QString name = datei1->item(i)->text();
        if (insicherung(name)) {
          QString quelle = datenpfad + name;
          if (name == dbname) {
            if (!abzug.isValid()) throw zip::Error("Im Programmordner kann kein temporärer Ordner angelegt werden.");
            quelle = QDir(abzug.path()).filePath(name);
            dao::DBEngine::compactDatabase(datenpfad + name, quelle);
          }
          archivdatei.addFile(quelle, name);
        }
        meter->setValue(i + 1);
      }
      archivdatei.close();
    } catch (const zip::Error& e) {
      fehler = e.text();
    } catch (const dao::Error& e) {
      fehler = e.text();
    }
  }
  meter->setVisible(false);
  if (!fehler.isEmpty()) {
    QFile::remove(archiv);
    vb::msgbox("Die Datensicherung ist fehlgeschlagen. Es wurde keine Backupdatei angelegt." + absatz() + fehler);
    datei2aktualisieren();
    meter->setValue(0);
    return;
  }
  vb::msgbox("Die Datensicherung wurde erfolgreich beendet. Die Datensicherung ist im Installationsverzeichnis von "
             "ZEVO unter dem Dateinamen " + nativ(archiv) + " abgelegt!" + absatz() +
             "Bitte kopieren Sie die Datensicherungsdatei noch auf einen anderen Datenträger!");
  letztesicherung() = heute;
  datei2aktualisieren();
  meter->setValue(0);
}

void IO_Datensicherung::sicherungrückgewinnen() {
  if (!archivwählen("Soll diese Datei wirklich verwendet werden?")) return;
  const QString archiv = datenpfad + datei2->item(markiert())->text();
  vb::setMousePointer(vb::vbHourglass);
  const QString fehler = sicherungeinspielen(archiv, datenpfad);
  vb::setMousePointer(vb::vbDefault);
  if (!fehler.isEmpty()) {
    vb::msgbox("Die Datensicherung konnte nicht zurückgewonnen werden." + absatz() + fehler + absatz() +
               "ZEVO arbeitet mit den bisherigen Daten weiter.");
    return;
  }
  // The files are in place; the connections still on the replaced database
  // are closed unused, and the program ends without its shut-down steps, so
  // the restored settings file stays as it is.
  aktuellerarbeitsbereich().close();
  vb::msgbox("Die Daten wurden eingelesen. Das Programm wird nun beendet. Bei einem erneuten Programmstart werden "
             "die Daten endgültig übernommen!");
  vb::endProcess(0);
}

void IO_Datensicherung::nachlaufwerk() {
  const QString wurzel = laufwerkswurzel();
  if (!archivwählen("Soll diese Datei wirklich kopiert werden?")) return;
  const QString name = datei2->item(markiert())->text();
  const QString ziel = wurzel + name;
  if (wurzel.isEmpty() || !QFileInfo(wurzel).isDir()) {
    vb::msgbox(laufwerksfehler);
    return;
  }
  if (vb::fileExists(ziel) &&
      !vb::question("Auf dem Datenträger befindet sich bereits eine Datensicherung. Soll die Datensicherung dennoch "
                    "kopiert werden?"))
    return;
  vb::setMousePointer(vb::vbHourglass);
  try {
    // The copy replaces the old one in one step, so a failed copy keeps it.
    vb::fileCopy(datenpfad + name, ziel);
  } catch (const vb::Error&) {
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(laufwerksfehler);
    return;
  }
  vb::msgbox("Die Datensicherung wurde kopiert und ist unter " + nativ(ziel) + " abgelegt.");
  vb::setMousePointer(vb::vbDefault);
}

void IO_Datensicherung::vonlaufwerk() {
  const QString wurzel = laufwerkswurzel();
  const QStringList gefunden = wurzel.isEmpty() ? QStringList() : vb::fileList(wurzel, sicherungsmuster);
  if (gefunden.isEmpty()) {
    vb::msgbox("Auf dem Datenträger wurde keine Datensicherung gefunden!");
    return;
  }
  vb::setMousePointer(vb::vbHourglass);
  try {
    for (const QString& n : gefunden) vb::fileCopy(wurzel + n, datenpfad + n.left(30));
  } catch (const vb::Error&) {
    datei2aktualisieren();
    vb::setMousePointer(vb::vbDefault);
    vb::msgbox(laufwerksfehler);
    return;
  }
  datei2aktualisieren();
  vb::setMousePointer(vb::vbDefault);
}

void IO_Datensicherung::hilfe_Click() { common::hilfezeigen(formName()); }

void IO_Datensicherung::abbv_Click() {
  if (datei2->count() >= 4 &&
      vb::question("Es sind zur Zeit mehr als 3 Datensicherungen auf Ihrem Rechner vorhanden." + absatz() +
                   "Sollen die ältesden Datensicherungen (bis auf die jünsten 3) gelöscht werden?")) {
    while (datei2->count() >= 4) {
      const QString älteste = datenpfad + datei2->item(0)->text();
      if (!QFile::remove(älteste)) {
        vb::msgbox("Die Datensicherung " + nativ(älteste) + " kann nicht gelöscht werden.");
        break;
      }
      datei2aktualisieren();
    }
  }
  unload();
}

}  // namespace zevo::shell
