#include "platform/dao/jetsql.h"

#include "platform/dao/errors.h"
#include "platform/runtime/vb.h"

#include <QTime>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

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

namespace {

// --- lexer -------------------------------------------------------------------

enum class Tok { Ident, String, Number, Op };

struct Token {
  Tok type;
  QString text;
  bool quoted = false;  // a [bracketed] identifier
  QString upper = {};   // an unquoted identifier in capitals, for keyword tests
  bool date = false;    // a string that came from a #date# literal
  bool parameter = false;  // rendered as "?" with its value bound
  int literal = -1;        // the number of a literal in the statement's text
};

[[noreturn]] void syntax(const QString& what) { fail(errSyntax, what); }

bool isIdentStart(QChar c) { return c.isLetter() || c == '_' || c.unicode() >= 0x80; }
bool isIdentChar(QChar c) { return c.isLetterOrNumber() || c == '_' || c.unicode() >= 0x80; }

// Reads an unsigned number of at most maxDigits digits at p; -1 when there is none.
int readNumber(const QString& s, int& p, int maxDigits) {
  int v = 0, n = 0;
  while (p < s.size() && s[p].isDigit() && n < maxDigits) {
    v = v * 10 + s[p].digitValue();
    ++p;
    ++n;
  }
  return n == 0 ? -1 : v;
}

// #m/d/yyyy[ h:m[:s]]# as Jet reads it; anything that is not a real date is refused.
QString dateLiteral(const QString& body) {
  auto bad = [&]() -> QString { syntax(QStringLiteral("ungültiges Datum #%1#").arg(body)); };
  const QString b = body.trimmed();
  int p = 0;
  QDate date;
  const int first = readNumber(b, p, 4);
  if (first < 0 || p >= b.size()) bad();
  if (b[p] == '/' && p <= 2) {
    ++p;
    const int day = readNumber(b, p, 2);
    if (day < 0 || p >= b.size() || b[p] != '/') bad();
    ++p;
    const int from = p;
    int year = readNumber(b, p, 4);
    if (year < 0 || p - from == 3) bad();
    if (p - from <= 2) year += year < 30 ? 2000 : 1900;  // 0-29: 20xx, 30-99: 19xx
    date = QDate(year, first, day);
  } else if (b[p] == '-' && p == 4) {
    ++p;
    const int month = readNumber(b, p, 2);
    if (month < 0 || p >= b.size() || b[p] != '-') bad();
    ++p;
    const int day = readNumber(b, p, 2);
    date = QDate(first, month, day);
  }
  if (!date.isValid()) bad();
  QTime time(0, 0);
  if (p < b.size()) {
    if (b[p] != ' ') bad();
    while (p < b.size() && b[p] == ' ') ++p;
    const int h = readNumber(b, p, 2);
    if (h < 0 || p >= b.size() || b[p] != ':') bad();
    ++p;
    const int m = readNumber(b, p, 2);
    int sec = 0;
    if (p < b.size() && b[p] == ':') {
      ++p;
      sec = readNumber(b, p, 2);
    }
    if (m < 0 || sec < 0 || p != b.size()) bad();
    time = QTime(h, m, sec);
    if (!time.isValid()) bad();
  }
  return isoDateTime(date, time);
}

// A number as the lexer reads it, starting at i; returns the end.
int numberEnd(const QString& s, int i) {
  const int n = int(s.size());
  int j = i;
  while (j < n && s[j].isDigit()) ++j;
  if (j < n && s[j] == '.') { ++j; while (j < n && s[j].isDigit()) ++j; }
  if (j < n && (s[j] == 'e' || s[j] == 'E')) {
    int k = j + 1;
    if (k < n && (s[k] == '+' || s[k] == '-')) ++k;
    if (k < n && s[k].isDigit()) { j = k; while (j < n && s[j].isDigit()) ++j; }
  }
  return j;
}

std::vector<Token> lex(const QString& s) {
  std::vector<Token> out;
  int literals = 0;
  const int n = int(s.size());
  int i = 0;
  while (i < n) {
    const QChar c = s[i];
    if (c.isSpace()) { ++i; continue; }
    if (c == '\'' || c == '"') {
      QString v;
      ++i;
      for (;;) {
        if (i >= n) syntax(QStringLiteral("Zeichenkette ohne Ende"));
        if (s[i] == c) {
          if (i + 1 < n && s[i + 1] == c) { v += c; i += 2; continue; }
          ++i;
          break;
        }
        v += s[i++];
      }
      out.push_back({Tok::String, v});
      out.back().literal = literals++;
      continue;
    }
    if (c == '[') {
      const int j = int(s.indexOf(']', i + 1));
      if (j < 0) syntax(QStringLiteral("'[' ohne ']'"));
      out.push_back({Tok::Ident, s.mid(i + 1, j - i - 1), true});
      i = j + 1;
      continue;
    }
    if (c == '#') {
      const int j = int(s.indexOf('#', i + 1));
      if (j < 0) syntax(QStringLiteral("Datum ohne abschließendes '#'"));
      Token t{Tok::String, dateLiteral(s.mid(i + 1, j - i - 1))};
      t.date = true;
      t.literal = literals++;
      out.push_back(t);
      i = j + 1;
      continue;
    }
    if (c.isDigit() || (c == '.' && i + 1 < n && s[i + 1].isDigit() &&
                        (out.empty() || out.back().type != Tok::Ident))) {
      const int j = numberEnd(s, i);
      if (j < n && isIdentStart(s[j])) syntax(QStringLiteral("'%1'").arg(s.mid(i, j - i + 1)));
      if (!std::isfinite(s.mid(i, j - i).toDouble()))
        syntax(QStringLiteral("die Zahl %1 ist zu groß").arg(s.mid(i, j - i)));
      out.push_back({Tok::Number, s.mid(i, j - i)});
      out.back().literal = literals++;
      i = j;
      continue;
    }
    if (isIdentStart(c)) {
      int j = i + 1;
      while (j < n && isIdentChar(s[j])) ++j;
      Token t{Tok::Ident, s.mid(i, j - i)};
      t.upper = t.text.toUpper();
      out.push_back(std::move(t));
      i = j;
      continue;
    }
    if ((c == '<' || c == '>') && i + 1 < n && (s[i + 1] == '=' || (c == '<' && s[i + 1] == '>'))) {
      out.push_back({Tok::Op, s.mid(i, 2)});
      i += 2;
      continue;
    }
    if (QStringLiteral("=<>+-*/(),.;").contains(c)) {
      out.push_back({Tok::Op, QString(c)});
      ++i;
      continue;
    }
    if (c == '&') syntax(QStringLiteral("der Operator '&' wird nicht unterstützt"));
    syntax(QStringLiteral("unzulässiges Zeichen '%1'").arg(c));
  }
  return out;
}

// kw in capitals
bool isKw(const Token& t, QLatin1String kw) { return t.type == Tok::Ident && !t.quoted && t.upper == kw; }
template <size_t N>
bool isKw(const Token& t, const char (&kw)[N]) { return isKw(t, QLatin1String(kw, N - 1)); }
template <size_t N>
bool isOp(const Token& t, const char (&op)[N]) { return t.type == Tok::Op && t.text == QLatin1String(op, N - 1); }

QString quoteString(const QString& s) {
  QString v = s;
  v.replace('\'', QLatin1String("''"));
  return QLatin1Char('\'') + v + QLatin1Char('\'');
}

bool isAggregate(const QString& name) {
  static const QStringList names = {"count", "sum", "avg", "min", "max"};
  return names.contains(name, Qt::CaseInsensitive);
}

bool isAllowedFunction(const QString& name) {
  static const QStringList names = {"count", "sum", "avg", "min", "max", "abs",
                                    "datediff", "year", "month", "day"};
  return names.contains(name, Qt::CaseInsensitive);
}

// Words after which "(" does not open a function call.
bool opensNonCall(const Token& t) {
  static const QLatin1String words[] = {
      QLatin1String("AND"),      QLatin1String("OR"),     QLatin1String("NOT"),       QLatin1String("IN"),
      QLatin1String("WHERE"),    QLatin1String("ON"),     QLatin1String("VALUES"),    QLatin1String("SELECT"),
      QLatin1String("THEN"),     QLatin1String("WHEN"),   QLatin1String("ELSE"),      QLatin1String("CASE"),
      QLatin1String("BETWEEN"),  QLatin1String("IS"),     QLatin1String("HAVING"),    QLatin1String("BY"),
      QLatin1String("SET"),      QLatin1String("AS"),     QLatin1String("DISTINCT"),  QLatin1String("FROM"),
      QLatin1String("INTO"),     QLatin1String("TABLE"),  QLatin1String("INDEX"),     QLatin1String("TRANSFORM"),
      QLatin1String("PIVOT"),    QLatin1String("ALL")};
  if (t.type != Tok::Ident || t.quoted) return false;
  for (QLatin1String w : words)
    if (isKw(t, w)) return true;
  return false;
}

bool isWhole(FieldType t) { return t == dbInteger || t == dbLong || t == dbByte || t == dbBoolean; }

struct Range {
  int b = 0, e = 0;
  bool empty() const { return b >= e; }
  int size() const { return e - b; }
};

struct FromItem {
  QString name;    // as written (schema spelling where known)
  QString alias;   // "" when none
  const Table* table = nullptr;
  QString qualifier() const { return alias.isEmpty() ? name : alias; }
};

struct Item {
  Range expr;
  QString alias;
  bool star = false;
  QString starTable;             // T of "T.*"
  bool column = false;           // a bare or qualified column reference
  QString qualifier, name;       // of the column reference
  FieldType type = FieldType(0);
};

struct Select {
  bool distinct = false;
  int top = -1;
  Range items, from, where, group, having, order;
  std::vector<FromItem> tables;
  std::vector<Item> list;
  bool aggregates = false;
};

class Translator {
public:
  Translator(const QString& sql, const Schema& schema, const QDateTime& now)
      : sql_(sql), schema_(schema), now_(now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))) {}

  Translation run();

private:
  const QString& sql_;
  const Schema& schema_;
  QString now_;
  std::vector<Token> t_;
  std::vector<int> match_;
  Translation out_;
  int exprNumber_ = 1000;
  mutable std::vector<QVariant> parameters_;
  mutable std::vector<int> parameterSources_;

  void prepare();
  void refuseUnsupported(int b, int e);
  void fixSpelling(int b, int e);
  int end() const { return int(t_.size()); }
  int findTop(int b, int e, QLatin1String kw) const;
  std::vector<Range> splitCommas(Range r) const;
  QString render(Range r) const;
  void parameterize(Range r);

  Select parseSelect(int b, int e);
  void resolveItems(Select& s);
  const Column* resolve(const Select& s, const QString& qualifier, const QString& name,
                        const FromItem** from = nullptr) const;
  FieldType infer(Range r, const Select& s) const;
  FieldType inferPrimary(Range r, const Select& s) const;
  QString renderItems(Select& s);
  QString orderTerms(Range r, const Select& s) const;
  QString renderSelect(Select& s, bool updatable);
  std::vector<FieldType> resultTypes(const Select& s) const;

  void translateSelect();
  void translateTransform();
  void translateInsert();
  void translateUpdate();
  void translateDelete();
  void translateDdl();
  QString valueFor(Range r, const Column& c) const;
  QString literalFor(const Token& v, const Column& c, bool negative) const;
  QString columnDefinition(Range r) const;
};

void Translator::prepare() {
  t_ = lex(sql_);
  // "now" and "now()": one time stamp for the whole statement.
  for (size_t i = 0; i < t_.size(); ++i) {
    if (!isKw(t_[i], "NOW") || (i > 0 && isOp(t_[i - 1], "."))) continue;
    if (i + 1 < t_.size() && isOp(t_[i + 1], "(")) {
      if (i + 2 >= t_.size() || !isOp(t_[i + 2], ")")) syntax(QStringLiteral("now() erwartet keine Argumente"));
      t_.erase(t_.begin() + long(i) + 1, t_.begin() + long(i) + 3);
    }
    t_[i] = Token{Tok::String, now_};
    t_[i].date = true;
    out_.usesNow = true;
  }
  if (!t_.empty() && isOp(t_.back(), ";")) t_.pop_back();
  for (const Token& t : t_)
    if (isOp(t, ";")) syntax(QStringLiteral("nur eine Anweisung je Aufruf"));
  match_.assign(t_.size(), -1);
  std::vector<int> open;
  for (int i = 0; i < end(); ++i) {
    if (isOp(t_[size_t(i)], "(")) open.push_back(i);
    if (isOp(t_[size_t(i)], ")")) {
      if (open.empty()) syntax(QStringLiteral("')' ohne '('"));
      match_[size_t(open.back())] = i;
      match_[size_t(i)] = open.back();
      open.pop_back();
    }
  }
  if (!open.empty()) syntax(QStringLiteral("'(' ohne ')'"));
}

void Translator::refuseUnsupported(int b, int e) {
  static const QLatin1String words[] = {
      QLatin1String("LIKE"),   QLatin1String("JOIN"),  QLatin1String("UNION"),       QLatin1String("INTERSECT"),
      QLatin1String("EXCEPT"), QLatin1String("EXISTS"), QLatin1String("DISTINCTROW"), QLatin1String("TRUE"),
      QLatin1String("FALSE"),  QLatin1String("PARAMETERS")};
  for (int i = b; i < e; ++i) {
    const Token& t = t_[size_t(i)];
    for (QLatin1String w : words)
      if (isKw(t, w)) syntax(QStringLiteral("%1 wird nicht unterstützt").arg(t.text.toUpper()));
    if (isOp(t, "(") && i + 1 < e && isKw(t_[size_t(i) + 1], "SELECT"))
      syntax(QStringLiteral("Unterabfragen werden nicht unterstützt"));
    const bool call = t.type == Tok::Ident && !t.quoted && i + 1 < e && isOp(t_[size_t(i) + 1], "(") &&
                      !opensNonCall(t);
    const bool tableName = i > 0 && (isKw(t_[size_t(i) - 1], "INTO") || isKw(t_[size_t(i) - 1], "TABLE") ||
                                     isKw(t_[size_t(i) - 1], "ON"));
    if (call && !tableName && !isAllowedFunction(t.text)) fail(errUndefinedFunction, t.text);
  }
}

void Translator::fixSpelling(int b, int e) {
  for (int i = b; i < e; ++i) {
    Token& t = t_[size_t(i)];
    if (t.type != Tok::Ident) continue;
    if (i + 1 < e && isOp(t_[size_t(i) + 1], "(") && !t.quoted) continue;  // a function
    if (i > 0 && isKw(t_[size_t(i) - 1], "AS")) continue;                   // an alias
    const QString s = schema_.spelling(t.text);
    if (!s.isEmpty()) t.text = s;
  }
}

int Translator::findTop(int b, int e, QLatin1String kw) const {
  for (int i = b; i < e; ++i) {
    if (isOp(t_[size_t(i)], "(")) { i = match_[size_t(i)]; continue; }
    if (isKw(t_[size_t(i)], kw)) return i;
  }
  return -1;
}

std::vector<Range> Translator::splitCommas(Range r) const {
  std::vector<Range> out;
  int start = r.b;
  for (int i = r.b; i < r.e; ++i) {
    if (isOp(t_[size_t(i)], "(")) { i = match_[size_t(i)]; continue; }
    if (isOp(t_[size_t(i)], ",")) {
      out.push_back({start, i});
      start = i + 1;
    }
  }
  out.push_back({start, r.e});
  for (const Range& p : out)
    if (p.empty()) syntax(QStringLiteral("leerer Listeneintrag"));
  return out;
}

QString Translator::render(Range r) const {
  QString out;
  for (int i = r.b; i < r.e; ++i) {
    const Token& t = t_[size_t(i)];
    const bool glue = i > r.b && (isOp(t, ".") || isOp(t_[size_t(i) - 1], ".") ||
                                  (isOp(t, "(") && t_[size_t(i) - 1].type == Tok::Ident &&
                                   !opensNonCall(t_[size_t(i) - 1])) ||
                                  isOp(t, ")") || isOp(t, ",") || isOp(t_[size_t(i) - 1], "("));
    if (i > r.b && !glue) out += QLatin1Char(' ');
    if (t.parameter) {
      out += QLatin1Char('?');
      parameterSources_.push_back(t.literal);
      if (t.type == Tok::String) {
        parameters_.emplace_back(t.text);
      } else {
        bool whole = false;
        const qint64 n = t.text.toLongLong(&whole);
        parameters_.push_back(whole ? QVariant(n) : QVariant(t.text.toDouble()));
      }
      continue;
    }
    switch (t.type) {
      case Tok::String: out += quoteString(t.text); break;
      case Tok::Ident: out += t.quoted ? quoteIdent(t.text) : t.text; break;
      default: out += t.text; break;
    }
  }
  return out;
}

// The literals of a condition become bound values, so that one prepared
// statement serves every query of the same shape (a colony's id, a year).
void Translator::parameterize(Range r) {
  for (int i = r.b; i < r.e; ++i) {
    Token& t = t_[size_t(i)];
    t.parameter = t.type == Tok::String || t.type == Tok::Number;
  }
}

// --- SELECT --------------------------------------------------------------------

Select Translator::parseSelect(int b, int e) {
  Select s;
  int p = b + 1;
  if (p < e && isKw(t_[size_t(p)], "DISTINCT")) { s.distinct = true; ++p; }
  else if (p < e && isKw(t_[size_t(p)], "ALL")) ++p;
  if (p < e && isKw(t_[size_t(p)], "TOP")) {
    bool ok = false;
    if (p + 1 < e && t_[size_t(p) + 1].type == Tok::Number) s.top = t_[size_t(p) + 1].text.toInt(&ok);
    if (!ok || s.top < 0) syntax(QStringLiteral("TOP erwartet eine ganze Zahl"));
    p += 2;
    if (p < e && isKw(t_[size_t(p)], "PERCENT")) syntax(QStringLiteral("TOP ... PERCENT wird nicht unterstützt"));
  }
  // Clause keywords at the top level, in their fixed order.
  struct Clause { QLatin1String kw; bool by; Range* range; };
  const Clause clauses[] = {{QLatin1String("FROM"), false, &s.from},
                            {QLatin1String("WHERE"), false, &s.where},
                            {QLatin1String("GROUP"), true, &s.group},
                            {QLatin1String("HAVING"), false, &s.having},
                            {QLatin1String("ORDER"), true, &s.order}};
  struct Found { int keyword; int start; Range* range; };
  std::vector<Found> found;
  int last = -1;
  for (int i = p; i < e; ++i) {
    if (isOp(t_[size_t(i)], "(")) { i = match_[size_t(i)]; continue; }
    for (int c = 0; c < 5; ++c) {
      if (!isKw(t_[size_t(i)], clauses[c].kw)) continue;
      if (clauses[c].by && !(i + 1 < e && isKw(t_[size_t(i) + 1], "BY"))) syntax(QStringLiteral("BY fehlt"));
      if (c <= last) syntax(QStringLiteral("%1 an falscher Stelle").arg(t_[size_t(i)].text.toUpper()));
      last = c;
      found.push_back({i, clauses[c].by ? i + 2 : i + 1, clauses[c].range});
      break;
    }
  }
  if (!found.empty() && found.front().range != &s.from) syntax(QStringLiteral("FROM fehlt"));
  s.items = {p, found.empty() ? e : found.front().keyword};
  for (size_t k = 0; k < found.size(); ++k) {
    *found[k].range = {found[k].start, k + 1 < found.size() ? found[k + 1].keyword : e};
    if (found[k].range->empty()) syntax(QStringLiteral("leere Klausel"));
  }
  if (s.items.empty()) syntax(QStringLiteral("keine Felder ausgewählt"));
  for (int i = s.items.b; i < s.items.e; ++i)
    if (t_[size_t(i)].type == Tok::Ident && isAggregate(t_[size_t(i)].text) && i + 1 < s.items.e &&
        isOp(t_[size_t(i) + 1], "("))
      s.aggregates = true;
  if (!s.from.empty()) {
    for (const Range& r : splitCommas(s.from)) {
      FromItem f;
      const Token& name = t_[size_t(r.b)];
      if (name.type != Tok::Ident) syntax(QStringLiteral("Tabellenname erwartet"));
      f.name = name.text;
      int q = r.b + 1;
      if (q < r.e && isKw(t_[size_t(q)], "AS")) ++q;
      if (q < r.e && t_[size_t(q)].type == Tok::Ident) f.alias = t_[size_t(q++)].text;
      if (q != r.e) syntax(QStringLiteral("unerwartetes '%1' in FROM").arg(t_[size_t(q)].text));
      f.table = schema_.table(f.name);
      s.tables.push_back(f);
    }
  }
  resolveItems(s);
  return s;
}

const Column* Translator::resolve(const Select& s, const QString& qualifier, const QString& name,
                                  const FromItem** from) const {
  for (const FromItem& f : s.tables) {
    if (!f.table) continue;
    if (!qualifier.isEmpty() && fold(f.qualifier()) != fold(qualifier) && fold(f.name) != fold(qualifier))
      continue;
    if (const Column* c = f.table->column(name)) {
      if (from) *from = &f;
      return c;
    }
  }
  return nullptr;
}

void Translator::resolveItems(Select& s) {
  for (const Range& r : splitCommas(s.items)) {
    Item it;
    it.expr = r;
    if (r.size() >= 3 && isKw(t_[size_t(r.e) - 2], "AS") && t_[size_t(r.e) - 1].type == Tok::Ident) {
      it.alias = t_[size_t(r.e) - 1].text;
      it.expr.e -= 2;
    }
    const Range& x = it.expr;
    auto tok = [&](int k) -> const Token& { return t_[size_t(x.b + k)]; };
    if (x.size() == 1 && isOp(tok(0), "*")) {
      it.star = true;
    } else if (x.size() == 3 && tok(0).type == Tok::Ident && isOp(tok(1), ".") && isOp(tok(2), "*")) {
      it.star = true;
      it.starTable = tok(0).text;
    } else if (x.size() == 1 && tok(0).type == Tok::Ident && !isKw(tok(0), "NULL")) {
      it.column = true;
      it.name = tok(0).text;
    } else if (x.size() == 3 && tok(0).type == Tok::Ident && isOp(tok(1), ".") && tok(2).type == Tok::Ident) {
      it.column = true;
      it.qualifier = tok(0).text;
      it.name = tok(2).text;
    }
    if (!it.star) it.type = infer(x, s);
    s.list.push_back(it);
  }
}

FieldType Translator::inferPrimary(Range r, const Select& s) const {
  const Token& t = t_[size_t(r.b)];
  if (r.size() == 1) {
    if (t.type == Tok::Number)
      return t.text.contains('.') || t.text.contains('e', Qt::CaseInsensitive) ? dbDouble : dbLong;
    if (t.type == Tok::String) return t.date ? dbDate : dbText;
    if (t.type == Tok::Ident && !isKw(t, "NULL")) {
      const Column* c = resolve(s, {}, t.text);
      return c ? c->type : FieldType(0);
    }
    return FieldType(0);
  }
  if (r.size() == 3 && t.type == Tok::Ident && isOp(t_[size_t(r.b) + 1], ".")) {
    const Column* c = resolve(s, t.text, t_[size_t(r.b) + 2].text);
    return c ? c->type : FieldType(0);
  }
  if (t.type == Tok::Ident && isOp(t_[size_t(r.b) + 1], "(") && match_[size_t(r.b) + 1] == r.e - 1) {
    const QString f = t.text.toLower();
    if (f == QLatin1String("count") || f == QLatin1String("datediff") || f == QLatin1String("year") ||
        f == QLatin1String("month") || f == QLatin1String("day"))
      return dbLong;
    if (f == QLatin1String("avg")) return dbDouble;
    const Range inner{r.b + 2, r.e - 1};
    const FieldType a = inner.empty() ? FieldType(0) : infer(inner, s);
    if (f == QLatin1String("sum")) {
      if (a == dbCurrency) return dbCurrency;
      if (isWhole(a)) return dbLong;
      return dbDouble;
    }
    if (f == QLatin1String("min") || f == QLatin1String("max") || f == QLatin1String("abs")) return a;
  }
  return FieldType(0);
}

FieldType Translator::infer(Range r, const Select& s) const {
  while (r.size() >= 2 && isOp(t_[size_t(r.b)], "(") && match_[size_t(r.b)] == r.e - 1) r = {r.b + 1, r.e - 1};
  if (r.empty()) return FieldType(0);
  // Split at the top-level arithmetic operators.
  std::vector<Range> operands;
  bool division = false, comparison = false;
  int start = r.b;
  bool expectOperand = true;
  for (int i = r.b; i < r.e; ++i) {
    const Token& t = t_[size_t(i)];
    if (isOp(t, "(")) { i = match_[size_t(i)]; expectOperand = false; continue; }
    const bool arith = isOp(t, "+") || isOp(t, "-") || isOp(t, "*") || isOp(t, "/");
    const bool cmp = isOp(t, "=") || isOp(t, "<>") || isOp(t, "<") || isOp(t, ">") || isOp(t, "<=") ||
                     isOp(t, ">=") || isKw(t, "AND") || isKw(t, "OR");
    if ((arith || cmp) && expectOperand) {
      if (isOp(t, "-") || isOp(t, "+")) { if (i == start) ++start; continue; }  // a sign
      return FieldType(0);
    }
    if (arith || cmp) {
      operands.push_back({start, i});
      start = i + 1;
      division |= isOp(t, "/");
      comparison |= cmp;
      expectOperand = true;
      continue;
    }
    if (isOp(t, ".")) { expectOperand = true; continue; }
    expectOperand = false;
  }
  if (start == r.b && operands.empty()) return inferPrimary(r, s);
  operands.push_back({start, r.e});
  if (comparison) return dbLong;
  if (operands.size() == 1) return infer(operands[0], s);  // a signed operand
  bool anyCurrency = false, allWhole = true;
  for (const Range& o : operands) {
    const FieldType t = infer(o, s);
    if (t == 0 || t == dbSingle || t == dbDouble || t == dbText || t == dbMemo || t == dbDate) return
        t == 0 ? FieldType(0) : dbDouble;
    anyCurrency |= t == dbCurrency;
    allWhole &= isWhole(t);
  }
  if (division) return dbDouble;
  if (anyCurrency) return dbCurrency;
  return allWhole ? dbLong : dbDouble;
}

QString Translator::renderItems(Select& s) {
  QStringList parts;
  for (Item& it : s.list) {
    QString text = render(it.expr);
    if (!it.alias.isEmpty()) {
      text += QStringLiteral(" AS ") + quoteIdent(it.alias);
    } else if (it.column && !it.qualifier.isEmpty()) {
      text += QStringLiteral(" AS ") + quoteIdent(it.name);    // Jet names T.col as col
    } else if (!it.column && !it.star) {
      it.alias = QStringLiteral("Expr%1").arg(exprNumber_++);  // Jet's name for an expression
      text += QStringLiteral(" AS ") + it.alias;
    }
    parts << text;
  }
  return parts.join(QStringLiteral(", "));
}

// ORDER BY terms; a term that is a text column gets the German collation.
QString Translator::orderTerms(Range r, const Select& s) const {
  QStringList out;
  for (Range term : splitCommas(r)) {
    QString dir;
    if (isKw(t_[size_t(term.e) - 1], "ASC") || isKw(t_[size_t(term.e) - 1], "DESC")) {
      dir = QLatin1Char(' ') + t_[size_t(term.e) - 1].text.toUpper();
      --term.e;
    }
    if (term.empty()) syntax(QStringLiteral("leerer Sortierausdruck"));
    FieldType type = FieldType(0);
    const Token& first = t_[size_t(term.b)];
    if (term.size() == 1 && first.type == Tok::Number) {
      const int k = first.text.toInt() - 1;
      if (k >= 0 && k < int(s.list.size())) type = s.list[size_t(k)].type;
    } else if (term.size() == 1 && first.type == Tok::Ident) {
      bool alias = false;
      for (const Item& it : s.list)
        if (!it.alias.isEmpty() && fold(it.alias) == fold(first.text)) { type = it.type; alias = true; break; }
      if (!alias) type = infer(term, s);
    } else if (term.size() == 3 && first.type == Tok::Ident && isOp(t_[size_t(term.b) + 1], ".")) {
      type = infer(term, s);
    }
    QString text = render(term);
    if (type == dbText || type == dbMemo) text += QStringLiteral(" COLLATE ") + QLatin1String(germanCollation);
    out << text + dir;
  }
  return out.join(QStringLiteral(", "));
}

std::vector<FieldType> Translator::resultTypes(const Select& s) const {
  std::vector<FieldType> types;
  for (const Item& it : s.list) {
    if (!it.star) { types.push_back(it.type); continue; }
    for (const FromItem& f : s.tables) {
      if (!it.starTable.isEmpty() && fold(f.qualifier()) != fold(it.starTable) && fold(f.name) != fold(it.starTable))
        continue;
      if (!f.table) return {};  // unknown table: the types come from the file
      for (const Column& c : f.table->columns) types.push_back(c.type);
    }
  }
  return types;
}

QString Translator::renderSelect(Select& s, bool updatable) {
  QString sql = QStringLiteral("SELECT ");
  if (s.distinct) sql += QStringLiteral("DISTINCT ");
  sql += renderItems(s);
  const bool single = s.tables.size() == 1 && s.tables[0].table;
  if (updatable && single && !s.distinct && s.group.empty() && s.having.empty() && !s.aggregates) {
    out_.sourceTable = s.tables[0].table->name;
    sql += QStringLiteral(", ") + s.tables[0].qualifier() + QStringLiteral(".rowid AS ") + QLatin1String(rowidColumn);
  }
  if (!s.from.empty()) sql += QStringLiteral(" FROM ") + render(s.from);
  if (!s.where.empty()) sql += QStringLiteral(" WHERE ") + render(s.where);
  if (!s.group.empty()) sql += QStringLiteral(" GROUP BY ") + render(s.group);
  if (!s.having.empty()) sql += QStringLiteral(" HAVING ") + render(s.having);
  if (!s.order.empty()) {
    sql += QStringLiteral(" ORDER BY ") + orderTerms(s.order, s);
    // TOP takes "the first row the query delivers": ties go by the order of entry.
    if (s.top >= 0 && single && !s.distinct && s.group.empty())
      sql += QStringLiteral(", ") + s.tables[0].qualifier() + QStringLiteral(".rowid");
  } else if (!s.group.empty()) {
    sql += QStringLiteral(" ORDER BY ") + orderTerms(s.group, s);  // groups in key order, as Jet gives them
  }
  if (s.top >= 0) sql += QStringLiteral(" LIMIT %1").arg(s.top);
  return sql;
}

void Translator::translateSelect() {
  refuseUnsupported(0, end());
  fixSpelling(0, end());
  Select s = parseSelect(0, end());
  out_.kind = Kind::Select;
  parameterize(s.where);
  parameterize(s.having);
  out_.sql = renderSelect(s, true);
  out_.parameters = std::move(parameters_);
  out_.parameterSources = std::move(parameterSources_);
  out_.types = resultTypes(s);
}

void Translator::translateTransform() {
  refuseUnsupported(0, end());
  fixSpelling(0, end());
  const int sel = findTop(1, end(), QLatin1String("SELECT"));
  int piv = -1;
  for (int i = end() - 1; i > sel && sel > 0; --i) {
    if (isOp(t_[size_t(i)], ")")) { i = match_[size_t(i)]; continue; }
    if (isKw(t_[size_t(i)], "PIVOT")) { piv = i; break; }
  }
  if (sel < 2 || piv < 0 || piv + 1 >= end()) syntax(QStringLiteral("TRANSFORM erwartet SELECT und PIVOT"));
  if (findTop(piv + 1, end(), QLatin1String("IN")) >= 0) syntax(QStringLiteral("PIVOT ... IN wird nicht unterstützt"));
  Select s = parseSelect(sel, piv);
  if (s.group.empty()) syntax(QStringLiteral("TRANSFORM erwartet GROUP BY"));
  if (s.top >= 0) syntax(QStringLiteral("TOP wird in Kreuztabellen nicht unterstützt"));
  const Range agg{1, sel}, pivot{piv + 1, end()};
  Crosstab& c = out_.crosstab;
  c.head = QStringLiteral("SELECT ") + (s.distinct ? QStringLiteral("DISTINCT ") : QString()) + renderItems(s);
  c.headTypes = resultTypes(s);
  c.pivot = render(pivot);
  c.headingType = infer(pivot, s);
  c.aggregateType = infer(agg, s);
  if (c.aggregateType == 0) c.aggregateType = dbDouble;
  // The aggregate with a FILTER on the pivot value, in pieces: the condition
  // of each column goes between two of them.
  QStringList pieces{QString()};
  auto add = [&](const QString& text) {
    QString& last = pieces.last();
    if (!last.isEmpty() && !last.endsWith(QLatin1Char(' ')) && !last.endsWith(QLatin1Char('('))) last += QLatin1Char(' ');
    last += text;
  };
  for (int i = agg.b; i < agg.e; ++i) {
    const Token& t = t_[size_t(i)];
    if (t.type == Tok::Ident && isAggregate(t.text) && i + 1 < agg.e && isOp(t_[size_t(i) + 1], "(")) {
      const int close = match_[size_t(i) + 1];
      const bool count = t.text.compare(QLatin1String("count"), Qt::CaseInsensitive) == 0;
      if (count) add(QStringLiteral("NULLIF("));   // no rows: an empty cell
      add(render({i, close + 1}) + QStringLiteral(" FILTER (WHERE "));
      pieces << QStringLiteral(")") + (count ? QStringLiteral(", 0)") : QString());
      i = close;
      continue;
    }
    add(render({i, i + 1}));
  }
  c.aggregate = pieces;
  QString where = s.where.empty() ? QString() : QStringLiteral(" WHERE ") + render(s.where);
  c.headingSql = QStringLiteral("SELECT DISTINCT ") + c.pivot + QStringLiteral(" FROM ") + render(s.from) + where;
  c.tail = QStringLiteral(" FROM ") + render(s.from) + where + QStringLiteral(" GROUP BY ") + render(s.group);
  if (!s.having.empty()) c.tail += QStringLiteral(" HAVING ") + render(s.having);
  c.tail += QStringLiteral(" ORDER BY ") + orderTerms(s.order.empty() ? s.group : s.order, s);
  out_.kind = Kind::Transform;
}

// --- INSERT / UPDATE / DELETE ------------------------------------------------

// A number that does not fit the column is refused, as the record layer does.
void checkFits(double v, const Column& c) {
  double lo = -std::numeric_limits<double>::max(), hi = std::numeric_limits<double>::max();
  switch (c.type) {
    case dbInteger: lo = -32768; hi = 32767; break;
    case dbByte: lo = 0; hi = 255; break;
    case dbLong: lo = std::numeric_limits<qint32>::min(); hi = std::numeric_limits<qint32>::max(); break;
    case dbSingle: hi = std::numeric_limits<float>::max(); lo = -hi; break;
    case dbCurrency: lo = -922337203685477.0; hi = 922337203685477.0; break;
    default: break;
  }
  if (!(v >= lo - 0.5 && v < hi + 0.5)) fail(errFieldTooSmall, c.name);
}

// The value of "column = value": a single literal or a signed number is
// written as the column needs it; anything else is rendered as an expression.
QString Translator::valueFor(Range r, const Column& c) const {
  if (r.size() == 1) return literalFor(t_[size_t(r.b)], c, false);
  const Token& sign = t_[size_t(r.b)];
  if (r.size() == 2 && (isOp(sign, "-") || isOp(sign, "+")) && t_[size_t(r.b) + 1].type == Tok::Number)
    return literalFor(t_[size_t(r.b) + 1], c, isOp(sign, "-"));
  return render(r);
}

// A literal written into a column: date and number texts become dates and
// numbers, a bracketed name stays one quoted name.
QString Translator::literalFor(const Token& v, const Column& c, bool negative) const {
  if (v.type == Tok::Ident) return v.quoted ? quoteIdent(v.text) : v.text;
  if (v.type == Tok::Number) {
    const double n = (negative ? -1.0 : 1.0) * v.text.toDouble();
    if (c.type == dbDate) {
      // A day number counted from 30.12.1899.
      const auto dt = vb::dateFromSerial(n);
      if (!dt) fail(errTypeConversion, QStringLiteral("'%1' ist kein Datum (Feld %2)").arg(v.text, c.name));
      const QDateTime s = dt->addMSecs(500);
      return quoteString(isoDateTime(s.date(), QTime(s.time().hour(), s.time().minute(), s.time().second())));
    }
    if (c.type != dbText && c.type != dbMemo) checkFits(n, c);
    return (negative ? QStringLiteral("-") : QString()) + v.text;
  }
  if (v.type != Tok::String || v.date) {
    if (v.type == Tok::String && (c.type == dbText || c.type == dbMemo) && c.size > 0 && v.text.size() > c.size)
      fail(errFieldTooSmall, c.name);
    return v.type == Tok::String ? quoteString(v.text) : v.text;
  }
  switch (c.type) {
    case dbDate: {
      const auto dt = vb::parseDateTime(v.text);
      if (!dt) fail(errTypeConversion, QStringLiteral("'%1' ist kein Datum (Feld %2)").arg(v.text, c.name));
      return quoteString(isoDateTime(*dt));
    }
    case dbText:
    case dbMemo:
      if (c.size > 0 && v.text.size() > c.size) fail(errFieldTooSmall, c.name);
      return quoteString(v.text);
    default: {
      const auto n = vb::parseNumber(v.text);
      if (!n) fail(errTypeConversion, QStringLiteral("'%1' ist keine Zahl (Feld %2)").arg(v.text, c.name));
      checkFits(*n, c);
      if (isWhole(c.type)) return QString::number(vb::clng(*n));
      return QString::number(*n, 'g', 17);
    }
  }
}

void Translator::translateInsert() {
  refuseUnsupported(0, end());
  fixSpelling(0, end());
  if (end() < 4 || !isKw(t_[1], "INTO") || t_[2].type != Tok::Ident) syntax(QStringLiteral("INSERT INTO erwartet"));
  const Table* table = schema_.table(t_[2].text);
  int p = 3;
  std::vector<const Column*> cols;
  QString head = QStringLiteral("INSERT INTO ") + render({2, 3});
  if (isOp(t_[size_t(p)], "(")) {
    const int close = match_[size_t(p)];
    for (const Range& r : splitCommas({p + 1, close})) {
      if (r.size() != 1 || t_[size_t(r.b)].type != Tok::Ident) syntax(QStringLiteral("Feldname erwartet"));
      cols.push_back(table ? table->column(t_[size_t(r.b)].text) : nullptr);
    }
    head += QLatin1Char(' ') + render({p, close + 1});
    p = close + 1;
  } else if (table) {
    for (const Column& c : table->columns) cols.push_back(&c);
  }
  if (p < end() && isKw(t_[size_t(p)], "SELECT")) {
    Select s = parseSelect(p, end());
    out_.sql = head + QLatin1Char(' ') + renderSelect(s, false);
    return;
  }
  if (p + 1 >= end() || !isKw(t_[size_t(p)], "VALUES") || !isOp(t_[size_t(p) + 1], "(") ||
      match_[size_t(p) + 1] != end() - 1)
    syntax(QStringLiteral("VALUES (...) erwartet"));
  const std::vector<Range> values = splitCommas({p + 2, end() - 1});
  if (!cols.empty() && values.size() != cols.size()) syntax(QStringLiteral("Anzahl der Werte passt nicht zu den Feldern"));
  QStringList parts;
  for (size_t k = 0; k < values.size(); ++k) {
    const Range& v = values[k];
    const Column* c = k < cols.size() ? cols[k] : nullptr;
    parts << (c ? valueFor(v, *c) : render(v));
  }
  out_.sql = head + QStringLiteral(" VALUES (") + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

void Translator::translateUpdate() {
  refuseUnsupported(0, end());
  fixSpelling(0, end());
  const int set = findTop(1, end(), QLatin1String("SET"));
  if (set < 2) syntax(QStringLiteral("UPDATE ... SET erwartet"));
  Select ctx;
  for (const Range& r : splitCommas({1, set})) {
    FromItem f;
    f.name = t_[size_t(r.b)].text;
    f.table = schema_.table(f.name);
    ctx.tables.push_back(f);
  }
  const int where = findTop(set + 1, end(), QLatin1String("WHERE"));
  const Range assigns{set + 1, where < 0 ? end() : where};
  QStringList parts;
  for (const Range& r : splitCommas(assigns)) {
    int eq = -1;
    for (int i = r.b; i < r.e; ++i)
      if (isOp(t_[size_t(i)], "=")) { eq = i; break; }
    if (eq < 0) syntax(QStringLiteral("'=' fehlt in SET"));
    const Column* c = nullptr;
    if (eq - r.b == 1) c = resolve(ctx, {}, t_[size_t(r.b)].text);
    if (eq - r.b == 3) c = resolve(ctx, t_[size_t(r.b)].text, t_[size_t(r.b) + 2].text);
    if (eq + 1 >= r.e) syntax(QStringLiteral("Wert fehlt in SET"));
    QString value = c ? valueFor({eq + 1, r.e}, *c) : render({eq + 1, r.e});
    parts << render({r.b, eq}) + QStringLiteral(" = ") + value;
  }
  out_.sql = QStringLiteral("UPDATE ") + render({1, set}) + QStringLiteral(" SET ") + parts.join(QStringLiteral(", "));
  if (where >= 0) out_.sql += QLatin1Char(' ') + render({where, end()});
}

void Translator::translateDelete() {
  refuseUnsupported(0, end());
  fixSpelling(0, end());
  const int from = findTop(1, end(), QLatin1String("FROM"));
  if (from < 0) syntax(QStringLiteral("DELETE ... FROM erwartet"));
  // Jet's "delete * from T" and "delete T.* from T" delete rows of T.
  out_.sql = QStringLiteral("DELETE ") + render({from, end()});
}

// --- DDL ---------------------------------------------------------------------

// "name TYPE [(n)] [rest]" with the Jet type word mapped to its declared type.
QString Translator::columnDefinition(Range r) const {
  if (r.size() < 2 || t_[size_t(r.b)].type != Tok::Ident || t_[size_t(r.b) + 1].type != Tok::Ident)
    syntax(QStringLiteral("Felddefinition erwartet"));
  const QString name = render({r.b, r.b + 1});
  const QString word = t_[size_t(r.b) + 1].text.toUpper();
  int p = r.b + 2;
  int size = -1;
  if (p < r.e && isOp(t_[size_t(p)], "(")) {
    const int close = match_[size_t(p)];
    bool ok = false;
    if (close == p + 2) size = t_[size_t(p) + 1].text.toInt(&ok);
    if (!ok || size <= 0) syntax(QStringLiteral("Feldgröße erwartet"));
    p = close + 1;
  }
  auto one = [&](std::initializer_list<const char*> words) {
    for (const char* w : words)
      if (word == QLatin1String(w)) return true;
    return false;
  };
  QString type;
  if (one({"TEXT", "CHAR", "VARCHAR", "STRING", "ALPHANUMERIC"}))
    type = QStringLiteral("TEXT(%1) COLLATE NOCASE").arg(size > 0 ? size : 255);
  else if (one({"MEMO", "LONGTEXT", "LONGCHAR", "NOTE"})) type = QStringLiteral("MEMO_TEXT COLLATE NOCASE");
  else if (one({"SHORT", "SMALLINT", "INTEGER2"})) type = QStringLiteral("SHORT_INT");
  else if (one({"INTEGER", "INT", "LONG", "INTEGER4"})) type = QStringLiteral("LONG_INT");
  else if (one({"SINGLE", "REAL", "FLOAT4", "IEEESINGLE"})) type = QStringLiteral("SINGLE_REAL");
  else if (one({"DOUBLE", "FLOAT", "FLOAT8", "NUMBER", "IEEEDOUBLE"})) type = QStringLiteral("DOUBLE_REAL");
  else if (one({"CURRENCY", "MONEY"})) type = QStringLiteral("CURRENCY_REAL");
  else if (one({"DATETIME", "DATE", "TIME", "TIMESTAMP"})) type = QStringLiteral("DATETIME_TEXT");
  else if (one({"COUNTER", "AUTOINCREMENT"})) return name + QStringLiteral(" INTEGER PRIMARY KEY AUTOINCREMENT");
  else if (one({"YESNO", "BIT", "LOGICAL", "LOGICAL1"})) type = QStringLiteral("YESNO_INT");
  else if (one({"BYTE", "INTEGER1"})) type = QStringLiteral("BYTE_INT");
  else syntax(QStringLiteral("unbekannter Feldtyp '%1'").arg(t_[size_t(r.b) + 1].text));
  QString def = name + QLatin1Char(' ') + type;
  if (p < r.e) def += QLatin1Char(' ') + render({p, r.e});
  return def;
}

void Translator::translateDdl() {
  out_.kind = Kind::Ddl;
  out_.changesSchema = true;
  if (isKw(t_[0], "CREATE") && end() > 3 && isKw(t_[1], "TABLE")) {
    if (t_[2].type != Tok::Ident || !isOp(t_[3], "(") || match_[3] != end() - 1)
      syntax(QStringLiteral("CREATE TABLE name (...) erwartet"));
    QStringList defs;
    for (const Range& r : splitCommas({4, end() - 1})) defs << columnDefinition(r);
    out_.sql = QStringLiteral("CREATE TABLE ") + render({2, 3}) + QStringLiteral(" (") + defs.join(QStringLiteral(", ")) +
               QLatin1Char(')');
    return;
  }
  if (isKw(t_[0], "ALTER") && end() > 4 && isKw(t_[1], "TABLE") && isKw(t_[3], "ADD")) {
    int p = 4;
    if (isKw(t_[size_t(p)], "COLUMN")) ++p;
    out_.sql = QStringLiteral("ALTER TABLE ") + render({2, 3}) + QStringLiteral(" ADD COLUMN ") + columnDefinition({p, end()});
    return;
  }
  fixSpelling(0, end());
  if (isKw(t_[0], "DROP") && end() == 5 && isKw(t_[1], "INDEX") && isKw(t_[3], "ON")) {
    out_.sql = render({0, 3});  // Jet names the table; SQLite's index names are unique anyway
    return;
  }
  out_.sql = render({0, end()});
}

Translation Translator::run() {
  prepare();
  if (t_.empty()) fail(errInvalidStatement, QStringLiteral("leere Anweisung"));
  const Token& first = t_[0];
  if (isKw(first, "SELECT")) translateSelect();
  else if (isKw(first, "TRANSFORM")) translateTransform();
  else if (isKw(first, "INSERT")) { out_.kind = Kind::Action; translateInsert(); }
  else if (isKw(first, "UPDATE")) { out_.kind = Kind::Action; translateUpdate(); }
  else if (isKw(first, "DELETE")) { out_.kind = Kind::Action; translateDelete(); }
  else if (isKw(first, "CREATE") || isKw(first, "DROP") || isKw(first, "ALTER")) translateDdl();
  else fail(errInvalidStatement, first.text);
  return out_;
}

}  // namespace

Translation translate(const QString& jetSql, const Schema& schema, const QDateTime& now) {
  return Translator(jetSql, schema, now).run();
}

// --- shapes ------------------------------------------------------------------------

namespace {

QVariant literalValue(const QString& raw) {
  const QChar q = raw.at(0);
  if (q == '\'' || q == '"') {
    QString v = raw.mid(1, raw.size() - 2);
    v.replace(QString(2, q), QString(q));
    return v;
  }
  if (q == '#') return dateLiteral(raw.mid(1, raw.size() - 2));
  bool whole = false;
  const qint64 n = raw.toLongLong(&whole);
  return whole ? QVariant(n) : QVariant(raw.toDouble());
}

}  // namespace

Shape shapeOf(const QString& s) {
  Shape out;
  QString key;
  key.reserve(s.size());
  const int n = int(s.size());
  const QChar* d = s.constData();
  bool afterIdent = false;
  int copied = 0;  // text before this position is in the key
  for (int i = 0; i < n;) {
    const QChar c = d[i];
    int end = -1;
    QChar mark;
    if (c == '\'' || c == '"') {
      int j = i + 1;
      for (;; ++j) {
        if (j >= n) return {};
        if (d[j] == c) {
          if (j + 1 < n && d[j + 1] == c) { ++j; continue; }
          break;
        }
      }
      end = j + 1;
      mark = QChar(1);
    } else if (c == '#') {
      const int j = int(s.indexOf('#', i + 1));
      if (j < 0) return {};
      end = j + 1;
      mark = QChar(1);
    } else if (c.isDigit() || (c == '.' && i + 1 < n && d[i + 1].isDigit() && !afterIdent)) {
      end = numberEnd(s, i);
      mark = QChar(2);
    }
    if (end > 0) {
      key.append(d + copied, i - copied);
      key += mark;
      out.literals.push_back(s.mid(i, end - i));
      i = copied = end;
      afterIdent = false;
    } else if (c == '[') {
      const int j = int(s.indexOf(']', i + 1));
      if (j < 0) return {};
      i = j + 1;
      afterIdent = true;
    } else if (isIdentStart(c)) {
      const int from = i++;
      while (i < n && isIdentChar(d[i])) ++i;
      if (i - from == 3 && QStringView(d + from, 3).compare(QLatin1String("now"), Qt::CaseInsensitive) == 0)
        out.clock = true;
      afterIdent = true;
    } else {
      ++i;
      if (!c.isSpace()) afterIdent = false;
    }
  }
  key.append(d + copied, n - copied);
  out.key = key;
  return out;
}

bool reuse(const Translation& cached, const std::vector<QString>& cachedLiterals, const Shape& shape,
           Translation& out) {
  if (shape.literals.size() != cachedLiterals.size()) return false;
  std::vector<char> bound(cachedLiterals.size(), 0);
  for (int k : cached.parameterSources) {
    if (k < 0 || size_t(k) >= bound.size()) return false;
    bound[size_t(k)] = 1;
  }
  for (size_t k = 0; k < cachedLiterals.size(); ++k)
    if (!bound[k] && shape.literals[k] != cachedLiterals[k]) return false;
  out = cached;
  for (size_t p = 0; p < cached.parameterSources.size(); ++p)
    out.parameters[p] = literalValue(shape.literals[size_t(cached.parameterSources[p])]);
  return true;
}

// --- crosstab ------------------------------------------------------------------

namespace {

bool emptyHeading(const QVariant& v) {
  return !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
}
bool numericHeading(const QVariant& v) {
  return v.typeId() == QMetaType::LongLong || v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Int;
}

}  // namespace

std::vector<PivotColumn> pivotColumns(const Crosstab& c, std::vector<QVariant> headings) {
  auto rank = [](const QVariant& v) { return emptyHeading(v) ? 0 : numericHeading(v) ? 1 : 2; };
  std::stable_sort(headings.begin(), headings.end(), [&](const QVariant& a, const QVariant& b) {
    const int ra = rank(a), rb = rank(b);
    if (ra != rb) return ra < rb;
    if (ra == 1) return a.toDouble() < b.toDouble();
    if (ra == 2) {
      if (c.headingType == dbDate) return a.toString() < b.toString();
      return vb::textCompare(a.toString(), b.toString()) < 0;
    }
    return false;
  });
  std::vector<PivotColumn> out;
  bool haveEmpty = false;
  const QString p = QLatin1Char('(') + c.pivot + QLatin1Char(')');
  for (const QVariant& v : headings) {
    if (emptyHeading(v)) {
      if (haveEmpty) continue;  // Null and empty text share Jet's "<>" column
      haveEmpty = true;
      out.push_back({QStringLiteral("<>"), p + QStringLiteral(" IS NULL OR ") + p + QStringLiteral(" = ''")});
      continue;
    }
    PivotColumn col;
    if (numericHeading(v)) {
      const bool whole = v.typeId() != QMetaType::Double;
      col.condition = p + QStringLiteral(" = ") +
                      (whole ? QString::number(v.toLongLong()) : QString::number(v.toDouble(), 'g', 17));
      QVariant shown = whole ? QVariant(v.toLongLong()) : v;
      if (c.headingType == dbSingle) shown = QVariant(float(v.toDouble()));
      col.name = vb::cstr(shown);
    } else {
      const QString s = v.toString();
      col.condition = p + QStringLiteral(" = ") + quoteString(s);
      col.name = s;
      if (c.headingType == dbDate) {
        if (auto dt = QDateTime::fromString(s, s.size() > 10 ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                                             : QStringLiteral("yyyy-MM-dd"));
            dt.isValid())
          col.name = vb::cstr(s.size() > 10 ? QVariant(dt) : QVariant(dt.date()));
      }
    }
    out.push_back(col);
  }
  return out;
}

QString crosstabSql(const Crosstab& c, const std::vector<PivotColumn>& columns) {
  QString sql = c.head;
  for (const PivotColumn& col : columns)
    sql += QStringLiteral(", ") + c.aggregate.join(col.condition) + QStringLiteral(" AS ") + quoteIdent(col.name);
  return sql + c.tail;
}

// --- findFirst criteria ----------------------------------------------------------

std::vector<Criterion> parseCriteria(const QString& text) {
  std::vector<Token> t;
  try {
    t = lex(text);
  } catch (const Error&) {
    fail(errCriteriaSyntax, text);
  }
  std::vector<Criterion> out;
  size_t i = 0;
  auto bad = [&]() { fail(errCriteriaSyntax, text); };
  while (i < t.size()) {
    Criterion c;
    if (t[i].type != Tok::Ident) bad();
    c.field = t[i++].text;
    if (i + 1 < t.size() && isOp(t[i], ".") && t[i + 1].type == Tok::Ident) { c.field = t[i + 1].text; i += 2; }
    if (i >= t.size() || t[i].type != Tok::Op) bad();
    c.op = t[i++].text;
    static const QStringList ops = {"=", "<>", "<", ">", "<=", ">="};
    if (!ops.contains(c.op)) bad();
    bool negative = false;
    if (i < t.size() && isOp(t[i], "-")) { negative = true; ++i; }
    if (i >= t.size()) bad();
    const Token& v = t[i++];
    if (v.type == Tok::Number) {
      bool whole = false;
      const qint64 n = v.text.toLongLong(&whole);
      if (whole) c.value = negative ? -n : n;
      else c.value = (negative ? -1.0 : 1.0) * v.text.toDouble();
    } else if (v.type == Tok::String && !negative) {
      if (v.date) {
        const QDateTime dt = QDateTime::fromString(v.text, v.text.size() > 10 ? QStringLiteral("yyyy-MM-dd hh:mm:ss")
                                                                               : QStringLiteral("yyyy-MM-dd"));
        c.value = v.text.size() > 10 ? QVariant(dt) : QVariant(dt.date());
      } else {
        c.value = v.text;
      }
    } else {
      bad();
    }
    out.push_back(c);
    if (i < t.size()) {
      if (!isKw(t[i], "AND")) bad();
      ++i;
      if (i >= t.size()) bad();
    }
  }
  if (out.empty()) bad();
  return out;
}

}  // namespace zevo::dao::jet
