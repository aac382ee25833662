// The translator: Jet statements to SQLite's dialect; here what every
// statement needs and the reading statements, SELECT and TRANSFORM.
#include "platform/dao/jetsql_translator_p.h"

#include <QTime>

namespace zevo::dao::jet {

namespace detail {

namespace {

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

}  // namespace

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

// What SQLite would read and Jet does not have: a clause of its own (an
// upsert, RETURNING, WITH, a window), an operator of its own, another kind of
// statement. Each is refused wherever it stands, named in the message.
void Translator::refuseForeign() const {
  static const QLatin1String pairs[][2] = {
      {QLatin1String("ON"), QLatin1String("CONFLICT")}, {QLatin1String("DO"), QLatin1String("UPDATE")},
      {QLatin1String("DO"), QLatin1String("NOTHING")},  {QLatin1String("OR"), QLatin1String("REPLACE")},
      {QLatin1String("OR"), QLatin1String("IGNORE")},   {QLatin1String("REPLACE"), QLatin1String("INTO")}};
  static const QLatin1String words[] = {
      QLatin1String("LIKE"),      QLatin1String("JOIN"),       QLatin1String("UNION"),   QLatin1String("INTERSECT"),
      QLatin1String("EXCEPT"),    QLatin1String("EXISTS"),     QLatin1String("DISTINCTROW"), QLatin1String("TRUE"),
      QLatin1String("FALSE"),     QLatin1String("PARAMETERS"), QLatin1String("RETURNING"), QLatin1String("WITH"),
      QLatin1String("WINDOW"),    QLatin1String("OVER"),       QLatin1String("GLOB"),    QLatin1String("REGEXP"),
      QLatin1String("MATCH"),     QLatin1String("COLLATE"),    QLatin1String("NULLS"),   QLatin1String("LIMIT"),
      QLatin1String("ATTACH"),    QLatin1String("DETACH"),     QLatin1String("PRAGMA"),  QLatin1String("VACUUM")};
  auto refuse = [](const QString& what) { syntax(QStringLiteral("%1 wird nicht unterstützt").arg(what)); };
  for (int i = 0; i < end(); ++i) {
    const Token& t = t_[size_t(i)];
    for (const auto& p : pairs)
      if (isKw(t, p[0]) && i + 1 < end() && isKw(t_[size_t(i) + 1], p[1])) refuse(QString(p[0]) + QLatin1Char(' ') + p[1]);
    for (QLatin1String w : words)
      if (isKw(t, w)) refuse(QString(w));
  }
}

void Translator::refuseUnsupported(int b, int e) {
  for (int i = b; i < e; ++i) {
    const Token& t = t_[size_t(i)];
    if (isOp(t, "(") && i + 1 < e && isKw(t_[size_t(i) + 1], "SELECT"))
      syntax(QStringLiteral("Unterabfragen werden nicht unterstützt"));
    if (isKw(t, "IN") && !(i + 1 < e && isOp(t_[size_t(i) + 1], "(")))  // SQLite's "IN table" is a subquery
      syntax(QStringLiteral("IN erwartet eine Liste in Klammern"));
    const bool call = t.type == Tok::Ident && !t.quoted && i + 1 < e && isOp(t_[size_t(i) + 1], "(") &&
                      !opensNonCall(t);
    const bool tableName = i > 0 && isKw(t_[size_t(i) - 1], "INTO");
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
    } else {
      switch (t.type) {
        case Tok::String: out += quoteString(t.text); break;
        case Tok::Ident: out += t.quoted ? quoteIdent(t.text) : t.text; break;
        default: out += t.text; break;
      }
    }
    if (t.collate) out += QStringLiteral(" COLLATE ") + QLatin1String(caseCollation);
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

// A column reference (name or T.name) that ends (backwards) or starts at i,
// and nothing more: its other end, or -1. text tells whether it is a text column.
int Translator::columnRef(int i, int b, int e, const Select& s, bool backwards, bool& text) const {
  text = false;
  if (i < b || i >= e || t_[size_t(i)].type != Tok::Ident) return -1;
  int first = i, last = i;
  if (backwards) {
    if (first - 2 >= b && isOp(t_[size_t(first) - 1], ".") && t_[size_t(first) - 2].type == Tok::Ident) first -= 2;
    if (first - 1 >= b && isOp(t_[size_t(first) - 1], ".")) return -1;
  } else {
    if (last + 2 < e && isOp(t_[size_t(last) + 1], ".") && t_[size_t(last) + 2].type == Tok::Ident) last += 2;
    if (last + 1 < e && (isOp(t_[size_t(last) + 1], ".") || isOp(t_[size_t(last) + 1], "("))) return -1;
  }
  const Column* c = first == last ? resolve(s, {}, t_[size_t(first)].text)
                                  : resolve(s, t_[size_t(first)].text, t_[size_t(last)].text);
  text = c && (c->type == dbText || c->type == dbMemo);
  return backwards ? first : last;
}

// Texts compared as the layer compares them: upper and lower case of every
// Windows-1252 letter alike. The text columns' own NOCASE does so for A-Z, so
// a literal of plain ASCII keeps it, and with it the column's index. A
// literal with a wider character gets the collation of text equality, as
// does the left operand of an IN list that holds one, and one side of a
// comparison of two text columns.
void Translator::markTextComparisons(Range r, const Select& s) {
  auto wide = [](const Token& t) { return t.type == Tok::String && !t.date && beyondAscii(t.text); };
  for (int i = r.b; i < r.e; ++i) {
    Token& t = t_[size_t(i)];
    if (wide(t)) t.collate = true;
    if (isKw(t, "IN") && i + 1 < r.e && isOp(t_[size_t(i) + 1], "(")) {
      int left = i - 1;
      if (left >= r.b && isKw(t_[size_t(left)], "NOT")) --left;
      for (int k = i + 2; k < match_[size_t(i) + 1] && left >= r.b; ++k)
        if (wide(t_[size_t(k)])) t_[size_t(left)].collate = true;
    }
    if (isOp(t, "=") || isOp(t, "<>") || isOp(t, "<") || isOp(t, ">") || isOp(t, "<=") || isOp(t, ">=")) {
      bool leftText = false, rightText = false;
      const int left = columnRef(i - 1, r.b, r.e, s, true, leftText);
      const int right = columnRef(i + 1, r.b, r.e, s, false, rightText);
      if (left >= 0 && right >= 0 && leftText && rightText) t_[size_t(right)].collate = true;
    }
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
    // DISTINCT takes texts that differ only in case as one.
    const bool folded = s.distinct && !it.star && (it.type == dbText || it.type == dbMemo);
    if (folded) text += QStringLiteral(" COLLATE ") + QLatin1String(caseCollation);
    if (!it.alias.isEmpty()) {
      text += QStringLiteral(" AS ") + quoteIdent(it.alias);
    } else if (it.column && (!it.qualifier.isEmpty() || folded)) {
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

// GROUP BY terms; a text term groups texts that differ only in case.
QString Translator::groupTerms(Range r, const Select& s) const {
  QStringList out;
  for (const Range& term : splitCommas(r)) {
    QString text = render(term);
    const FieldType type = infer(term, s);
    if (type == dbText || type == dbMemo) text += QStringLiteral(" COLLATE ") + QLatin1String(caseCollation);
    out << text;
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
  markTextComparisons(s.where, s);
  markTextComparisons(s.having, s);
  if (!s.from.empty()) sql += QStringLiteral(" FROM ") + render(s.from);
  if (!s.where.empty()) sql += QStringLiteral(" WHERE ") + render(s.where);
  if (!s.group.empty()) sql += QStringLiteral(" GROUP BY ") + groupTerms(s.group, s);
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
  markTextComparisons(s.where, s);
  markTextComparisons(s.having, s);
  QString where = s.where.empty() ? QString() : QStringLiteral(" WHERE ") + render(s.where);
  c.headingSql = QStringLiteral("SELECT DISTINCT ") + c.pivot + QStringLiteral(" FROM ") + render(s.from) + where;
  c.source = QStringLiteral(" FROM ") + render(s.from) + where;
  c.group = groupTerms(s.group, s);
  if (!s.having.empty()) c.having = render(s.having);
  c.order = orderTerms(s.order.empty() ? s.group : s.order, s);
  c.tail = c.source + QStringLiteral(" GROUP BY ") + c.group;
  if (!c.having.isEmpty()) c.tail += QStringLiteral(" HAVING ") + c.having;
  c.tail += QStringLiteral(" ORDER BY ") + c.order;
  out_.kind = Kind::Transform;
}

Translation Translator::run() {
  prepare();
  if (t_.empty()) fail(errInvalidStatement, QStringLiteral("leere Anweisung"));
  refuseForeign();
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

}  // namespace detail

Translation translate(const QString& jetSql, const Schema& schema, const QDateTime& now) {
  return detail::Translator(jetSql, schema, now).run();
}

}  // namespace zevo::dao::jet
