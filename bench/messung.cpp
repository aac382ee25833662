#include "messung.h"

#include "common/variablen.h"
#include "components/sevgrid.h"
#include "platform/dao/connection.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <malloc.h>
#include <sqlite3.h>
#include <unordered_map>

namespace zevo::bench {

void offscreen() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

namespace {

double höchststand = 0;
double sqlitemillisekunden = 0;   // summed by the connection's trace callback

// A clock of the system, in ms.
double uhrzeit(clockid_t uhr) {
  timespec t{};
  clock_gettime(uhr, &t);
  return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// A "VmHWM:" or "VmRSS:" line of /proc/self/status, in MB; 0 where there is none.
double statuszeile(const char* name) {
  QFile f(QStringLiteral("/proc/self/status"));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  for (const QByteArray& zeile : f.readAll().split('\n'))
    if (zeile.startsWith(name)) return zeile.mid(int(std::strlen(name))).trimmed().split(' ').value(0).toDouble() / 1024;
  return 0;
}

void spitzezurücksetzenohnemerken() {
  QFile f(QStringLiteral("/proc/self/clear_refs"));
  if (f.open(QIODevice::WriteOnly)) f.write("5");
}

void höchststandvergessen() {
  spitzezurücksetzenohnemerken();
  höchststand = 0;
}

}  // namespace

QString programmordner(int argc, char** argv, const QTemporaryDir& tmp) {
  const QString ordner = vb::withTrailingSlash(argc > 1 ? QDir(argv[1]).absolutePath() : tmp.path());
  QDir().mkpath(ordner);
  vb::setProgramFolder(ordner);
  const QString pfad = datenbankdatei(ordner);
  if (QFile::exists(pfad)) QFile::remove(pfad);
  return ordner;
}

Programm::Programm(int& argc, char** argv, const Umfang& vorgabe)
    : umfang(umfangaus(argc, argv, vorgabe)), offscreen_((offscreen(), true)), app_(argc, argv),
      ordner(programmordner(argc, argv, tmp_)), pfad(datenbankdatei(ordner)) {
  QElapsedTimer aufbau;
  aufbau.start();
  spitzezurücksetzen();
  const QString vorlagen = qEnvironmentVariable("ZEVO_BENCH_VORLAGEN");
  const QString vorlage =
      vorlagen.isEmpty() ? QString()
                         : QDir(vorlagen).filePath(QStringLiteral("ZEVO_%1_%2_%3_%4_%5%6.MDB")
                                                       .arg(umfang.voelker)
                                                       .arg(umfang.jahre)
                                                       .arg(umfang.erstesJahr)
                                                       .arg(umfang.handel ? umfang.handelJeJahr : 0)
                                                       .arg(umfang.zufall)
                                                       .arg(umfang.jahrweise ? "_jahrweise" : ""));
  if (!vorlage.isEmpty() && QFile::copy(vorlage, pfad)) {
    dao::Workspace arbeitsbereich;
    dao::Database db = arbeitsbereich.openDatabase(pfad);
    for (const QString& tabelle : db.tableNames())
      zeilen[tabelle] = db.openRecordset("select count(*) from " + tabelle).fields(0).value().toInt();
    std::printf("Datenbank aus %s\n", qPrintable(vorlage));
  } else {
    zeilen = grossedatenbankanlegen(pfad, umfang);
    if (!vorlage.isEmpty()) {
      QDir().mkpath(vorlagen);
      QFile::copy(pfad, vorlage);
    }
  }
  sekunden = double(aufbau.elapsed()) / 1000;
  std::printf("Aufbau der Datenbank: Spitze %.0f MB\n", spitzeMB());
  // The program never builds its file: what the building used goes back to
  // the system before anything is measured, and its peak is not counted.
  malloc_trim(0);
  höchststandvergessen();
}

QString datenbankdatei(const QString& ordner) { return ordner + "ZEVO.MDB"; }

void datenbanköffnen(const QString& ordner) {
  common::datenpfad = ordner;
  common::datenbankpfad = datenbankdatei(ordner);
  common::arbeitsbereich = &dao::DBEngine::workspaces(0);
  common::datenbank = common::arbeitsbereich->openDatabase(common::datenbankpfad);
  // SQLite tells when a statement begins and when it ends (its own figure
  // counts whole milliseconds); the time between comes from the process's clock.
  sqlite3_trace_v2(
      dao::sharedConnection(common::datenbankpfad, false)->db, SQLITE_TRACE_STMT | SQLITE_TRACE_PROFILE,
      [](unsigned art, void*, void* anweisung, void*) {
        static std::unordered_map<void*, double> beginn;
        if (art == SQLITE_TRACE_STMT) {
          beginn[anweisung] = uhrzeit(CLOCK_MONOTONIC);
        } else if (auto it = beginn.find(anweisung); it != beginn.end()) {
          sqlitemillisekunden += uhrzeit(CLOCK_MONOTONIC) - it->second;
          beginn.erase(it);
        }
        return 0;
      },
      nullptr);
}

int zählen(const QString& sql) {
  dao::Recordset rs = common::datenbank.openRecordset(sql);
  return rs.fields(0).value().toInt();
}

double millisekunden(const QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}


double spitzeMB() {
  const double s = statuszeile("VmHWM:");
  höchststand = std::max(höchststand, s);
  return s;
}

void spitzezurücksetzen() {
  spitzeMB();
  spitzezurücksetzenohnemerken();
}

double höchststandMB() {
  spitzeMB();
  return höchststand;
}

double prozessorzeit() { return uhrzeit(CLOCK_PROCESS_CPUTIME_ID); }

Schritt::Schritt() {
  spitzezurücksetzen();
  cpu_ = prozessorzeit();
  sqlite_ = sqlitemillisekunden;
  uhr_.start();
}

void Schritt::ende(Messwerte& werte) const {
  werte.push_back(millisekunden(uhr_));
  werte.cpu.push_back(prozessorzeit() - cpu_);
  werte.sqlite.push_back(sqlitemillisekunden - sqlite_);
  werte.spitzeMB = std::max(werte.spitzeMB, spitzeMB());
}

Messwerte runden(int anzahl, const std::function<void()>& messen) {
  return runden(anzahl, [] {}, messen);
}

Messwerte runden(int anzahl, const std::function<void()>& vorbereiten, const std::function<void()>& messen) {
  Messwerte werte;
  for (int i = 0; i < anzahl; ++i) {
    vorbereiten();
    const Schritt schritt;
    messen();
    schritt.ende(werte);
  }
  return werte;
}

void bericht(const QString& was, const Messwerte& ms, int breite, const QString& zusatz) {
  const QString cpu = ms.cpu.empty() ? QString() : QString::asprintf("   CPU %8.1f ms", median(ms.cpu));
  const bool sqlite = !ms.sqlite.empty() && *std::max_element(ms.sqlite.begin(), ms.sqlite.end()) > 0;
  const QString cpusqlite = cpu + (sqlite ? QString::asprintf("   SQLite %8.1f ms", median(ms.sqlite)) : QString());
  const QString spitze = ms.spitzeMB < 0 ? QString() : QString::asprintf("   Spitze %5.0f MB", ms.spitzeMB);
  std::printf("%-*s median %8.1f ms   min %8.1f ms   max %8.1f ms%s%s%s\n", breite, was.toLocal8Bit().constData(),
              median(ms), *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
              cpusqlite.toLocal8Bit().constData(), spitze.toLocal8Bit().constData(), zusatz.toLocal8Bit().constData());
}

int listenzeilen() {
  ui::sevGrid g;
  g.loadfromfile(common::datenpfad + "gridli.txt");
  return g.rows();
}

int listenspalten() {
  ui::sevGrid g;
  g.loadfromfile(common::datenpfad + "gridli.txt");
  return g.cols();
}

bool fall(int n) {
  const QString fälle = qEnvironmentVariable("ZEVO_BENCH_FAELLE");
  return fälle.isEmpty() || fälle.split(QLatin1Char(',')).contains(QString::number(n));
}

void höchststandberichten() { std::printf("Höchster Speicherstand des Prozesses: %.0f MB\n", höchststandMB()); }

void gridlisichern() {
  const QString ziel = qEnvironmentVariable("ZEVO_BENCH_GRIDLI");
  if (ziel.isEmpty()) return;
  static int nummer = 0;
  static QByteArray vorige;
  QFile quelle(common::datenpfad + "gridli.txt");
  if (!quelle.open(QIODevice::ReadOnly)) return;
  const QByteArray inhalt = quelle.readAll();
  if (nummer > 0 && inhalt == vorige) return;
  vorige = inhalt;
  QDir().mkpath(ziel);
  QFile kopie(QDir(ziel).filePath(
      QStringLiteral("%1_%2.txt").arg(QFileInfo(QCoreApplication::applicationFilePath()).fileName()).arg(++nummer, 3, 10, QLatin1Char('0'))));
  if (kopie.open(QIODevice::WriteOnly)) kopie.write(inhalt);
}

}  // namespace zevo::bench
