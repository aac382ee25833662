#pragma once
// The translator from the Jet SQL the windows write to SQLite's dialect.
//
// It is the only place where SQL text is interpreted: date literals
// #m/d/yyyy#, TOP n, identifiers in another case (umlauts included),
// TRANSFORM ... PIVOT, now, the Jet type words of CREATE TABLE, date and
// number texts in INSERT ... VALUES. Constructs that SQLite would read with
// another meaning (LIKE patterns, &, JOIN, subqueries, UNION, ...) and those
// Jet does not have (upserts, RETURNING, WITH, windows, PRAGMA, ...) are
// refused; what a writing statement writes is read to its end.

#include "platform/dao/dao.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <map>
#include <vector>

namespace zevo::dao::jet {

// The collation of German text order, registered on every connection and
// added to the ORDER BY terms of text columns.
inline constexpr const char* germanCollation = "DEUTSCH";
// The collation of text equality: upper and lower case of every letter of
// Windows-1252 alike. Comparisons, groups and DISTINCT of texts get it where
// the column's own NOCASE (A-Z only) could tell a difference.
inline constexpr const char* caseCollation = "GROSSKLEIN";

struct Column {
  QString name;
  FieldType type = dbText;
  int size = 0;          // n of TEXT(n)
  bool counter = false;  // the INTEGER PRIMARY KEY AUTOINCREMENT key
};

struct Table {
  QString name;
  std::vector<Column> columns;
  QHash<QString, int> folded = {};                   // folded column name -> index, made by Schema
  const Column* column(const QString& name) const;  // case-insensitive
};

// What the translator knows of a database: its tables and their columns.
class Schema {
public:
  void clear();
  void addTable(Table t);
  const Table* table(const QString& name) const;    // case-insensitive
  QString spelling(const QString& ident) const;     // "" when unknown
  bool empty() const { return tables_.empty(); }
private:
  std::vector<Table> tables_;
  QHash<QString, int> byName_;                       // folded table name -> index
  QHash<QString, QString> spelling_;                 // folded name -> schema spelling
};

// The DAO type of a declared SQLite column type, e.g. "TEXT(30)" -> dbText, 30.
FieldType typeOfDeclared(const QString& declared, int* size = nullptr);
FieldType typeOfDeclared(const char* declared, int* size = nullptr);  // UTF-8
// The folded form used for case-insensitive names.
QString fold(const QString& s);
// An identifier in double quotes, inner quotes doubled: SQLite reads it as a name.
QString quoteIdent(const QString& s);

enum class Kind { Select, Transform, Action, Ddl };

// A crosstab: TRANSFORM agg SELECT items FROM f [WHERE w] GROUP BY g [ORDER BY o] PIVOT p.
struct Crosstab {
  QString headingSql;       // SELECT DISTINCT p FROM f [WHERE w]
  FieldType headingType = dbText;
  QString head;             // "SELECT items"
  QStringList aggregate;    // agg, translated, in pieces: each column's condition joins them
  FieldType aggregateType = dbLong;
  QString pivot;            // p, translated
  QString tail;             // FROM f [WHERE w] GROUP BY g ORDER BY ...
  std::vector<FieldType> headTypes;
  // The parts of the tail, for a crosstab pivoted by the layer.
  QString source;           // FROM f [WHERE w]
  QString group;            // the GROUP BY terms, each with the collation it groups by
  QString having;           // the HAVING condition, empty without one
  QString order;            // the ORDER BY terms
};

struct Translation {
  Kind kind = Kind::Select;
  QString sql;                       // SQLite text (not for a crosstab)
  std::vector<QVariant> parameters;  // values of its "?" in order: the literals of WHERE and HAVING
  std::vector<int> parameterSources; // for each parameter, the number of its literal in the text
  std::vector<FieldType> types;      // per result column; 0 = not inferred
  QString sourceTable;               // set when the SELECT can be written back
  bool usesNow = false;              // not cacheable
  bool changesSchema = false;
  Crosstab crosstab;                 // for Kind::Transform
};

// Name of the hidden column that carries the row id of an updatable SELECT.
inline constexpr const char* rowidColumn = "__rid";

// Throws Error (errSyntax, errTypeConversion, errFieldTooSmall, ...).
Translation translate(const QString& jetSql, const Schema& schema, const QDateTime& now);

// A statement with its literals (numbers, 'texts', #dates#) taken out. Two
// SELECTs of one shape translate alike, but for the literals of WHERE and
// HAVING, which are bound as parameters; so one translation serves both.
struct Shape {
  QString key;                 // empty when the text cannot be read
  std::vector<QString> literals;  // as written, quotes and hashes included
  bool clock = false;             // names "now": its translation holds the time
};
Shape shapeOf(const QString& jetSql);

// The translation of a statement of the same shape as the one `cached` was
// made from (with its literals `cachedLiterals`); false when a literal
// outside the conditions differs, so the statement needs its own translation.
bool reuse(const Translation& cached, const std::vector<QString>& cachedLiterals, const Shape& shape,
           Translation& out);

// The headings of a crosstab sorted as Jet shows them (Null and empty first),
// and the final SQL with one column per heading.
struct PivotColumn {
  QString name;
  QString condition;   // SQL condition on the pivot expression
  QVariant heading;    // the value it was made from (invalid for "<>")
};
std::vector<PivotColumn> pivotColumns(const Crosstab& c, std::vector<QVariant> headings);
QString crosstabSql(const Crosstab& c, const std::vector<PivotColumn>& columns);

// A crosstab wider than one result may be is pivoted by the layer from two
// queries. The rows: the row headings of every group in the crosstab's
// order, then the group's number (its rank among all groups in the order of
// the grouping terms) and 1 where HAVING keeps the group, else 0. The cells:
// per group and heading, the group's number, the heading's value and the
// aggregate over the group's rows of that heading.
QString crosstabRowsSql(const Crosstab& c);
QString crosstabCellsSql(const Crosstab& c);
// The column of a heading value, as pivotColumns made the columns; -1 for
// a value no column has.
class PivotLookup {
public:
  PivotLookup(const Crosstab& c, const std::vector<PivotColumn>& columns);
  int column(const QVariant& heading) const;
private:
  FieldType headingType_;
  int empty_ = -1;
  QHash<QString, int> texts_;
  std::map<double, int> numbers_;
};

// Dates as the database stores them: "yyyy-mm-dd", with " hh:mm:ss" when a time is set.
QString isoDate(const QDate& d);
QString isoDateTime(const QDateTime& dt);
QString isoDateTime(const QDate& d, const QTime& t);

// Parses a recordset criteria text "Feld = 17 and Name = 'x'" for findFirst.
struct Criterion {
  QString field;
  QString op;          // = <> < > <= >=
  QVariant value;      // qint64, double, QString or QDate/QDateTime
};
std::vector<Criterion> parseCriteria(const QString& text);

}  // namespace zevo::dao::jet
