#pragma once
// Inside the translator: the parts of a statement as it reads them and the
// translator itself. What every statement needs and the reading statements
// (SELECT, TRANSFORM) are in jetsql_translator.cpp, the writing statements
// (INSERT, UPDATE, DELETE) and the DDL in jetsql_actions.cpp.
#include "platform/dao/jetsql_p.h"

#include <QDateTime>

namespace zevo::dao::jet::detail {

inline bool isWhole(FieldType t) { return t == dbInteger || t == dbLong || t == dbByte || t == dbBoolean; }

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
  void refuseForeign() const;
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
  QString groupTerms(Range r, const Select& s) const;
  int columnRef(int i, int b, int e, const Select& s, bool backwards, bool& text) const;
  void markTextComparisons(Range r, const Select& s);
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
  void checkExpression(Range r) const;
  void checkClauses(const Select& s) const;
};

}  // namespace zevo::dao::jet::detail
