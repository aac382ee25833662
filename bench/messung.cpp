#include "messung.h"

#include "common/variablen.h"
#include "platform/dao/dao.h"
#include "platform/runtime/files.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cstdio>

namespace zevo::bench {

void offscreen() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
}

QString programmordner(int argc, char** argv, const QTemporaryDir& tmp) {
  const QString ordner = vb::withTrailingSlash(argc > 1 ? QDir(argv[1]).absolutePath() : tmp.path());
  QDir().mkpath(ordner);
  vb::setProgramFolder(ordner);
  const QString pfad = datenbankdatei(ordner);
  if (QFile::exists(pfad)) QFile::remove(pfad);
  return ordner;
}

Programm::Programm(int& argc, char** argv, const Umfang& umfang)
    : offscreen_((offscreen(), true)), app_(argc, argv), ordner(programmordner(argc, argv, tmp_)),
      pfad(datenbankdatei(ordner)) {
  QElapsedTimer aufbau;
  aufbau.start();
  zeilen = grossedatenbankanlegen(pfad, umfang);
  sekunden = double(aufbau.elapsed()) / 1000;
}

QString datenbankdatei(const QString& ordner) { return ordner + "ZEVO.MDB"; }

void datenbanköffnen(const QString& ordner) {
  common::datenpfad = ordner;
  common::datenbankpfad = datenbankdatei(ordner);
  common::arbeitsbereich = &dao::DBEngine::workspaces(0);
  common::datenbank = common::arbeitsbereich->openDatabase(common::datenbankpfad);
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

std::vector<double> runden(int anzahl, const std::function<void()>& messen) {
  return runden(anzahl, [] {}, messen);
}

std::vector<double> runden(int anzahl, const std::function<void()>& vorbereiten, const std::function<void()>& messen) {
  std::vector<double> ms;
  for (int i = 0; i < anzahl; ++i) {
    vorbereiten();
    QElapsedTimer t;
    t.start();
    messen();
    ms.push_back(millisekunden(t));
  }
  return ms;
}

void bericht(const QString& was, const std::vector<double>& ms, int breite, const QString& zusatz) {
  std::printf("%-*s median %8.1f ms   min %8.1f ms   max %8.1f ms%s\n", breite, was.toLocal8Bit().constData(),
              median(ms), *std::min_element(ms.begin(), ms.end()), *std::max_element(ms.begin(), ms.end()),
              zusatz.toLocal8Bit().constData());
}

}  // namespace zevo::bench
