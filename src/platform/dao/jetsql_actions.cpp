// The translator's writing statements: INSERT, UPDATE, DELETE and the DDL.
#include "platform/dao/jetsql_translator_p.h"
#include "platform/runtime/vb.h"

#include <QTime>

#include <limits>

namespace zevo::dao::jet::detail {

namespace {

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

[[noreturn]] void unexpected(const Token& t) {
  syntax(QStringLiteral("unerwartetes '%1'").arg(t.type == Tok::String ? quoteString(t.text) : t.text));
}

}  // namespace

// What a writing statement writes is read to its end, so that nothing SQLite
// would take for a clause of its own is passed on: an expression is operands
// (literals, names, T.name, calls, parenthesized expressions) joined by
// operators, with IS [NOT] NULL, [NOT] IN (list) and [NOT] BETWEEN. A
// keyword where an operand belongs is taken for a name; what follows it then
// does not fit.
void Translator::checkExpression(Range r) const {
  bool operand = true;  // an operand comes next
  for (int i = r.b; i < r.e; ++i) {
    const Token& t = t_[size_t(i)];
    if (operand) {
      if (isOp(t, "-") || isOp(t, "+") || isKw(t, "NOT")) continue;
      if (isOp(t, "(")) {
        checkExpression({i + 1, match_[size_t(i)]});
        i = match_[size_t(i)];
      } else if (t.type == Tok::Ident && !t.quoted && i + 1 < r.e && isOp(t_[size_t(i) + 1], "(")) {
        Range args{i + 2, match_[size_t(i) + 1]};
        if (!args.empty() && isKw(t_[size_t(args.b)], "DISTINCT")) ++args.b;
        if (!(args.size() == 1 && isOp(t_[size_t(args.b)], "*")))
          for (const Range& a : splitCommas(args)) checkExpression(a);
        i = args.e;
      } else if (t.type == Tok::Ident) {
        while (i + 2 < r.e && isOp(t_[size_t(i) + 1], ".") && t_[size_t(i) + 2].type == Tok::Ident) i += 2;
      } else if (t.type != Tok::String && t.type != Tok::Number) {
        unexpected(t);
      }
      operand = false;
      continue;
    }
    if (isKw(t, "IS")) {
      if (i + 1 < r.e && isKw(t_[size_t(i) + 1], "NOT")) ++i;
      if (i + 1 >= r.e || !isKw(t_[size_t(i) + 1], "NULL")) syntax(QStringLiteral("IS ... NULL erwartet"));
      ++i;
    } else if (isKw(t, "NOT") && i + 1 < r.e && (isKw(t_[size_t(i) + 1], "IN") || isKw(t_[size_t(i) + 1], "BETWEEN"))) {
      continue;
    } else if (isKw(t, "IN")) {  // its "(" follows, see refuseUnsupported
      for (const Range& a : splitCommas({i + 2, match_[size_t(i) + 1]})) checkExpression(a);
      i = match_[size_t(i) + 1];
    } else if (isOp(t, "+") || isOp(t, "-") || isOp(t, "*") || isOp(t, "/") || isOp(t, "=") || isOp(t, "<>") ||
               isOp(t, "<") || isOp(t, ">") || isOp(t, "<=") || isOp(t, ">=") || isKw(t, "AND") || isKw(t, "OR") ||
               isKw(t, "BETWEEN")) {
      operand = true;
    } else {
      unexpected(t);
    }
  }
  if (operand) syntax(r.empty() ? QStringLiteral("Ausdruck erwartet") : QStringLiteral("unvollständiger Ausdruck"));
}

// The clauses of the SELECT of an INSERT, each read to its end.
void Translator::checkClauses(const Select& s) const {
  for (const Item& it : s.list)
    if (!it.star) checkExpression(it.expr);
  if (!s.where.empty()) checkExpression(s.where);
  if (!s.having.empty()) checkExpression(s.having);
  if (!s.group.empty())
    for (const Range& r : splitCommas(s.group)) checkExpression(r);
  if (!s.order.empty())
    for (Range r : splitCommas(s.order)) {
      if (isKw(t_[size_t(r.e) - 1], "ASC") || isKw(t_[size_t(r.e) - 1], "DESC")) --r.e;
      checkExpression(r);
    }
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
    checkClauses(s);
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
    checkExpression(v);
    parts << (c ? valueFor(v, *c) : render(v));
  }
  out_.sql = head + QStringLiteral(" VALUES (") + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

void Translator::translateUpdate() {
  refuseUnsupported(0, end());
  fixSpelling(0, end());
  const int set = findTop(1, end(), QLatin1String("SET"));
  if (set < 2) syntax(QStringLiteral("UPDATE ... SET erwartet"));
  if (set != 2) syntax(QStringLiteral("UPDATE Tabelle SET erwartet"));
  Select ctx;
  ctx.tables.push_back({t_[1].text, {}, schema_.table(t_[1].text)});
  const int where = findTop(set + 1, end(), QLatin1String("WHERE"));
  const Range assigns{set + 1, where < 0 ? end() : where};
  QStringList parts;
  for (const Range& r : splitCommas(assigns)) {
    int eq = -1;
    for (int i = r.b; i < r.e; ++i)
      if (isOp(t_[size_t(i)], "=")) { eq = i; break; }
    if (eq < 0) syntax(QStringLiteral("'=' fehlt in SET"));
    // The field: a name or T.name.
    const Token& name = t_[size_t(eq) - 1];
    if (name.type != Tok::Ident ||
        !(eq - r.b == 1 || (eq - r.b == 3 && t_[size_t(r.b)].type == Tok::Ident && isOp(t_[size_t(r.b) + 1], "."))))
      syntax(QStringLiteral("Feldname vor '=' erwartet"));
    const Column* c = eq - r.b == 1 ? resolve(ctx, {}, name.text) : resolve(ctx, t_[size_t(r.b)].text, name.text);
    if (eq + 1 >= r.e) syntax(QStringLiteral("Wert fehlt in SET"));
    checkExpression({eq + 1, r.e});
    QString value = c ? valueFor({eq + 1, r.e}, *c) : render({eq + 1, r.e});
    parts << render({r.b, eq}) + QStringLiteral(" = ") + value;
  }
  if (where >= 0) {
    checkExpression({where + 1, end()});
    markTextComparisons({where + 1, end()}, ctx);
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
  const int where = from + 2;
  if (where < end() && !isKw(t_[size_t(where)], "WHERE")) unexpected(t_[size_t(where)]);
  if (where < end()) {
    checkExpression({where + 1, end()});
    Select ctx;
    ctx.tables.push_back({t_[size_t(from) + 1].text, {}, schema_.table(t_[size_t(from) + 1].text)});
    markTextComparisons({where + 1, end()}, ctx);
  }
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
  // Jet makes tables and indexes; views, triggers and the like are SQLite's.
  const int what = isKw(t_[0], "CREATE") && end() > 2 && isKw(t_[1], "UNIQUE") ? 2 : 1;
  if (end() <= what || !(isKw(t_[size_t(what)], "TABLE") || isKw(t_[size_t(what)], "INDEX")))
    syntax(QStringLiteral("%1 wird nicht unterstützt")
               .arg(end() > what ? t_[0].upper + QLatin1Char(' ') + t_[size_t(what)].text.toUpper() : t_[0].upper));
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

}  // namespace zevo::dao::jet::detail
