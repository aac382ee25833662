#pragma once
// The typed input field of every window, with caption, unit text and an
// optional drop-down list, and sevTextArray for the windows' control arrays.
//
// text() is exactly what was typed or set: no rounding, no trimming, "" for
// an empty date field. Typing is checked against the field's kind: digits
// (and a leading '-' when min < 0) for whole numbers; digits, thousands
// points and one decimal comma for decimals ("1.234,5"); digits and '.' for
// date masks; maxlength for all. A whole number above max (or below a
// negative min) is let through, past its maxlength if need be, and becomes
// that limit when the field is left or Return is pressed ("400" -> "365");
// a typed number is never cut into another one. A positive min is never
// enforced. A key or a paste the field refuses sounds the beep.
//
// Events carry the field's index: change (text changed, by the user or by
// setText), listpick (the user picked a list entry), gotfocus / lostfocus
// (focus moved inside the window). keypress may replace the key code or
// refuse it with 0.

#include "platform/dao/dao.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <map>

class QCheckBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;

namespace zevo::ui {

class sevText : public QWidget {
  Q_OBJECT
public:
  explicit sevText(int index = 0, QWidget* parent = nullptr);
  explicit sevText(QWidget* parent) : sevText(0, parent) {}
  ~sevText() override;

  int index() const { return index_; }
  void setIndex(int index) { index_ = index; }

  QString text() const;
  void setText(const QString& text);           // verbatim; raises change when different

  // --- design ----------------------------------------------------------------
  void setTexttype(int type);                  // 0 text, 1 number, 2 J/N
  int texttype() const { return texttype_; }
  void setNumbertype(int type);                // 7 whole, 1 decimal, 0 none
  int numbertype() const { return numbertype_; }
  void setFormat(int format) { format_ = format; }  // 2 date field, 7 whole number
  int format() const { return format_; }
  void setMaxlength(int n) { maxlength_ = n; }  // 0 = no limit
  int maxlength() const { return maxlength_; }
  void setNachkomma(int n) { nachkomma_ = n; }
  int nachkomma() const { return nachkomma_; }
  void setMin(double v) { min_ = v; }
  double min() const { return min_; }
  void setMax(double v) { max_ = v; }          // max <= min: no upper limit
  double max() const { return max_; }
  void setCaption(const QString& caption);
  QString caption() const;
  void setTextalign(int align);                // 0 left, 1 right
  int textalign() const { return textalign_; }
  void setUnitdescr(const QString& unit);
  QString unitdescr() const;
  void setMask(const QString& mask);           // "dd.mm.yyyy", "dd.mm" or ""
  QString mask() const { return mask_; }
  void setStyle(int style);                    // 0 typed, 2 picked from the list only
  int style() const { return style_; }
  void setShowbutton(bool on);
  bool showbutton() const { return showbutton_; }
  void setSorted(bool on) { sorted_ = on; }    // accepted; the list keeps its order
  bool sorted() const { return sorted_; }
  void setOptionflag(bool on) { optionflag_ = on; }
  bool optionflag() const { return optionflag_; }
  void setOptiontext(const QString& t) { optiontext_ = t; }
  QString optiontext() const { return optiontext_; }
  void setLocked(bool on);
  bool locked() const { return locked_; }
  // Shows the amount as "1.234,50 €" while the field has no focus; text()
  // stays what was typed or set.
  void setMoneyDisplay(bool on);
  bool moneyDisplay() const { return money_; }

  void setfocus();
  bool enabled() const { return isEnabled(); }
  QString displayText() const;                 // what the field shows now

  // The parts of the field, for windows that line several fields up.
  QLabel* captionLabel() const { return captionLabel_; }
  QLabel* unitLabel() const { return unitLabel_; }
  QLineEdit* editor() const { return edit_; }

  // --- drop-down list ----------------------------------------------------------
  void listclear();                            // the text stays
  void listadd(const QString& item);
  int listcount() const { return int(items_.size()); }
  QString listtext(int i) const;
  int listindex() const;                       // first entry equal to the text, -1 none
  void setListindex(int i);                    // -1 empties the text
  // The first field of every record becomes an entry, at once.
  void setListsource(const dao::Recordset& rs);
  void setListsource(const dao::Database& db, const QString& sql);
  void listrefresh();                          // reads the source again, replacing the entries
  // The user's choice of entry i (the drop-down list calls it).
  void pick(int i);
  QMenu* listPopup() const { return popup_; }  // the open drop-down list, if any

  // --- hooks -------------------------------------------------------------------
  std::function<void(int index, int& keyAscii)> keypress;

signals:
  void change(int index);
  void listpick(int index);
  void gotfocus(int index);
  void lostfocus(int index);

protected:
  bool eventFilter(QObject* o, QEvent* e) override;

private:
  friend class TextValidator;
  void setJN(bool on);
  bool isNumberField() const { return texttype_ == 1; }
  bool isWhole() const { return texttype_ == 1 && (numbertype_ == 7 || format_ == 7); }
  QString dateMask() const { return !mask_.isEmpty() || format_ != 2 ? mask_ : QStringLiteral("dd.mm.yyyy"); }
  bool acceptable(const QString& s) const;
  void clampToLimits();
  // A digit typed at the end of a date field where its mask holds a point.
  bool punktvorziffer() const;
  void rebuild();
  void showDisplay();
  void userEdited(const QString& s);
  bool handleKey(QKeyEvent* e);
  void openList();
  void readSource();

  int index_;
  int texttype_ = 0, numbertype_ = 0, format_ = 0, maxlength_ = 0, nachkomma_ = 0;
  double min_ = 0, max_ = 0;
  int textalign_ = 0, style_ = 0;
  QString mask_;
  bool showbutton_ = false, sorted_ = false, optionflag_ = false, locked_ = false, money_ = false;
  bool anzeigesetzen_ = false;   // the field itself is setting its display text
  QString optiontext_;
  QString raw_;
  bool jn_ = false;                            // J/N state
  bool synthesizing_ = false;
  QStringList items_;
  enum class Source { None, Records, Sql } source_ = Source::None;
  dao::Recordset sourceRs_;
  dao::Database sourceDb_;
  QString sourceSql_;

  QLabel* captionLabel_;
  QLineEdit* edit_;
  QCheckBox* check_;
  QToolButton* button_;
  QLabel* unitLabel_;
  QMenu* popup_ = nullptr;
};

// A control array: sevt(i) addresses the field with index i, and every
// field's events arrive at the array's signals with that index.
class sevTextArray : public QObject {
  Q_OBJECT
public:
  explicit sevTextArray(QObject* parent = nullptr) : QObject(parent) {}
  // Creates field i (a child of parent) or returns the one that exists.
  sevText& add(int index, QWidget* parent = nullptr);
  // Takes an existing field into the array under its own index.
  sevText& adopt(sevText* field);
  sevText& operator()(int index) const;        // throws std::out_of_range for a missing index
  bool contains(int index) const { return fields_.count(index) != 0; }
  int count() const { return int(fields_.size()); }
  std::vector<int> indexes() const;

  std::function<void(int index, int& keyAscii)> keypress;

signals:
  void change(int index);
  void listpick(int index);
  void gotfocus(int index);
  void lostfocus(int index);

private:
  std::map<int, QPointer<sevText>> fields_;
};

}  // namespace zevo::ui
