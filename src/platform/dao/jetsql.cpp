// The translator's knowledge of a database (tables, columns, declared types)
// and the dates as the file stores them. The translator itself is in
// jetsql_lexer.cpp, jetsql_translator.cpp, jetsql_actions.cpp,
// jetsql_shapes.cpp, jetsql_crosstab.cpp and jetsql_criteria.cpp.
#include "platform/dao/jetsql.h"

#include <QTime>

#include <cstdio>

namespace zevo::dao::jet {

// --- schema ----------------------------------------------------------------

QString fold(const QString& s) { return s.toCaseFolded(); }

QString quoteIdent(const QString& s) {
  QString v = s;
  v.replace('"', QLatin1String("\"\""));
  return QLatin1Char('"') + v + QLatin1Char('"');
}

const Column* Table::column(const QString& n) const {
  for (const Column& c : columns)
    if (c.name.compare(n, Qt::CaseInsensitive) == 0) return &c;
  const auto it = folded.constFind(fold(n));
  return it == folded.constEnd() ? nullptr : &columns[size_t(*it)];
}

void Schema::clear() {
  tables_.clear();
  byName_.clear();
  spelling_.clear();
}

void Schema::addTable(Table t) {
  spelling_.insert(fold(t.name), t.name);
  t.folded.clear();
  for (size_t i = 0; i < t.columns.size(); ++i) {
    spelling_.insert(fold(t.columns[i].name), t.columns[i].name);
    t.folded.insert(fold(t.columns[i].name), int(i));
  }
  byName_.insert(fold(t.name), int(tables_.size()));
  tables_.push_back(std::move(t));
}

const Table* Schema::table(const QString& name) const {
  auto it = byName_.constFind(fold(name));
  return it == byName_.constEnd() ? nullptr : &tables_[size_t(*it)];
}

QString Schema::spelling(const QString& ident) const { return spelling_.value(fold(ident)); }

FieldType typeOfDeclared(const QString& declared, int* size) {
  const QString d = declared.trimmed().toUpper();
  if (size) *size = 0;
  if (d.startsWith(QLatin1String("TEXT"))) {
    if (size) {
      const int open = d.indexOf('('), close = d.indexOf(')');
      *size = open > 0 && close > open ? d.mid(open + 1, close - open - 1).trimmed().toInt() : 255;
    }
    return dbText;
  }
  if (d == QLatin1String("MEMO_TEXT")) return dbMemo;
  if (d == QLatin1String("SHORT_INT")) return dbInteger;
  if (d == QLatin1String("LONG_INT") || d == QLatin1String("INTEGER")) return dbLong;
  if (d == QLatin1String("SINGLE_REAL")) return dbSingle;
  if (d == QLatin1String("DOUBLE_REAL")) return dbDouble;
  if (d == QLatin1String("CURRENCY_REAL")) return dbCurrency;
  if (d == QLatin1String("DATETIME_TEXT")) return dbDate;
  if (d == QLatin1String("YESNO_INT")) return dbBoolean;
  if (d == QLatin1String("BYTE_INT")) return dbByte;
  // A column made by another tool: SQLite's affinity rules.
  if (d.contains(QLatin1String("INT"))) return dbLong;
  if (d.contains(QLatin1String("CHAR")) || d.contains(QLatin1String("CLOB")) || d.contains(QLatin1String("TEXT")))
    return dbText;
  if (d.contains(QLatin1String("REAL")) || d.contains(QLatin1String("FLOA")) || d.contains(QLatin1String("DOUB")))
    return dbDouble;
  return dbText;
}

FieldType typeOfDeclared(const char* declared, int* size) {
  // The words the layer writes, without building a string.
  static const struct { const char* word; FieldType type; } ours[] = {
      {"LONG_INT", dbLong},           {"INTEGER", dbLong},          {"SINGLE_REAL", dbSingle},
      {"CURRENCY_REAL", dbCurrency},  {"DATETIME_TEXT", dbDate},    {"SHORT_INT", dbInteger},
      {"MEMO_TEXT", dbMemo},          {"DOUBLE_REAL", dbDouble},    {"YESNO_INT", dbBoolean},
      {"BYTE_INT", dbByte}};
  for (const auto& w : ours) {
    if (qstrcmp(declared, w.word) == 0) {
      if (size) *size = 0;
      return w.type;
    }
  }
  return typeOfDeclared(QString::fromUtf8(declared), size);
}

QString isoDate(const QDate& d) {
  if (!d.isValid() || d.year() < 0 || d.year() > 9999) return d.toString(Qt::ISODate);
  char b[11];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d", d.year(), d.month(), d.day());
  return QString::fromLatin1(b, 10);
}

QString isoDateTime(const QDate& d, const QTime& t) {
  if (t == QTime(0, 0)) return isoDate(d);
  return isoDate(d) + t.toString(QStringLiteral(" hh:mm:ss"));
}

QString isoDateTime(const QDateTime& dt) { return isoDateTime(dt.date(), dt.time()); }

}  // namespace zevo::dao::jet
