// The typed input field and its control arrays.
#include "components/sevtext.h"

#include "components/recordwalk.h"
#include "platform/runtime/sound.h"
#include "platform/runtime/vb.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QValidator>

#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace zevo::ui {

// Checks what the user types; texts set by the program are never checked.
class TextValidator : public QValidator {
public:
  explicit TextValidator(sevText* f) : QValidator(f), f_(f) {}
  State validate(QString& input, int&) const override {
    if (f_->acceptable(input)) return Acceptable;
    // A text the program set outside the rules may still be shortened.
    if (input.size() < f_->raw_.size() && !f_->acceptable(f_->raw_)) return Acceptable;
    return Invalid;
  }
private:
  sevText* f_;
};

namespace {

// A typed amount read as the program reads typed numbers: the comma is the
// decimal sign and points group thousands; without a comma the last point
// is the decimal sign.
std::optional<double> typedNumber(const QString& text) {
  QString t = text.trimmed();
  const bool negative = t.startsWith(QLatin1Char('-'));
  if (negative) t.remove(0, 1);
  qsizetype decimalSign = t.indexOf(QLatin1Char(','));
  if (decimalSign < 0) decimalSign = t.lastIndexOf(QLatin1Char('.'));
  std::string ascii = negative ? "-" : "";
  bool digits = false;
  for (qsizetype k = 0; k < t.size(); ++k) {
    const QChar c = t[k];
    if (k == decimalSign) ascii += '.';
    else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
      ascii += char(c.unicode());
      digits = true;
    } else if (c != QLatin1Char('.')) {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return std::strtod(ascii.c_str(), nullptr);
}

bool focusInsideWindow(QEvent* e) {
  const auto reason = static_cast<QFocusEvent*>(e)->reason();
  return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

}  // namespace

sevText::sevText(int index, QWidget* parent) : QWidget(parent), index_(index) {
  captionLabel_ = new QLabel(this);
  edit_ = new QLineEdit(this);
  check_ = new QCheckBox(this);
  button_ = new QToolButton(this);
  unitLabel_ = new QLabel(this);
  button_->setArrowType(Qt::DownArrow);
  button_->setFocusPolicy(Qt::NoFocus);
  edit_->setValidator(new TextValidator(this));
  captionLabel_->setBuddy(edit_);

  auto* lay = new QHBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->setSpacing(4);
  lay->addWidget(captionLabel_);
  lay->addWidget(edit_, 1);
  lay->addWidget(check_);
  lay->addWidget(button_);
  lay->addWidget(unitLabel_);

  edit_->installEventFilter(this);
  check_->installEventFilter(this);
  connect(edit_, &QLineEdit::textEdited, this, [this](const QString& s) { userEdited(s); });
  // A key or a paste the field refuses sounds the beep: nothing typed is
  // dropped without a sign.
  // (Only what the user does: a display text set by the field itself, such as
  // "18,00 €" in a money field, is no refused input.)
  connect(edit_, &QLineEdit::inputRejected, this, [this] {
    if (!anzeigesetzen_) vb::beep(400, 100);
  });
  connect(check_, &QCheckBox::clicked, this, [this](bool on) { setJN(on); });
  connect(button_, &QToolButton::clicked, this, [this] { openList(); });
  rebuild();
}

sevText::~sevText() = default;

// --- text -------------------------------------------------------------------------

QString sevText::text() const {
  if (texttype_ == 2) return jn_ ? QStringLiteral("J") : QStringLiteral("N");
  return raw_;
}

void sevText::setText(const QString& text) {
  if (texttype_ == 2) {
    setJN(text.trimmed().startsWith(QLatin1Char('J'), Qt::CaseInsensitive));
    return;
  }
  if (text == raw_) return;
  raw_ = text;
  showDisplay();
  emit change(index_);
}

void sevText::setJN(bool on) {
  if (check_->isChecked() != on) check_->setChecked(on);
  if (on == jn_) return;
  jn_ = on;
  emit change(index_);
}

void sevText::userEdited(const QString& s) {
  if (s == raw_) return;
  raw_ = s;
  emit change(index_);
}

QString sevText::displayText() const {
  return texttype_ == 2 ? text() : edit_->text();
}

void sevText::showDisplay() {
  QString shown = raw_;
  if (money_ && !edit_->hasFocus() && !raw_.trimmed().isEmpty()) {
    if (const auto v = typedNumber(raw_)) shown = vb::formatCurrency(*v);
  }
  if (edit_->text() != shown) {
    anzeigesetzen_ = true;
    edit_->setText(shown);
    anzeigesetzen_ = false;
  }
}

bool sevText::acceptable(const QString& s) const {
  // A whole number with an upper limit may run past its length: it is
  // brought to the limit when the field is left, never cut while typed.
  const bool limitedWhole = isWhole() && max_ > min_;
  if (maxlength_ > 0 && s.size() > (limitedWhole ? std::max(maxlength_, 10) : maxlength_)) return false;
  if (texttype_ == 2) return true;
  if (const QString mask = dateMask(); !mask.isEmpty()) {
    if (s.size() > mask.size()) return false;
    for (const QChar c : s)
      if (!c.isDigit() && c != QLatin1Char('.')) return false;
    return true;
  }
  if (texttype_ != 1) return true;
  const bool negative = min_ < 0;
  int i = 0;
  if (negative && s.startsWith(QLatin1Char('-'))) i = 1;
  if (isWhole()) {
    for (int k = i; k < s.size(); ++k)
      if (!s[k].isDigit() || s[k].unicode() > 127) return false;
    return true;
  }
  // A decimal number the German way: points group the thousands left of the
  // one decimal comma; without a comma the last point may be the decimal
  // sign. Digits after the comma are limited to the field's decimals, a
  // group after a point to three digits or the decimals, whichever is more.
  int commas = 0, decimals = 0, group = -1;
  for (int k = i; k < s.size(); ++k) {
    const QChar c = s[k];
    if (c == QLatin1Char(',')) {
      if (++commas > 1) return false;
    } else if (c == QLatin1Char('.')) {
      if (commas) return false;
      group = 0;
    } else if (c.isDigit() && c.unicode() <= 127) {
      if (commas) ++decimals;
      else if (group >= 0) ++group;
    } else {
      return false;
    }
  }
  if (nachkomma_ <= 0) return true;
  return commas ? decimals <= nachkomma_ : group <= std::max(3, nachkomma_);
}

// A whole number above the field's maximum (or below a negative minimum)
// becomes that limit when the field is left or Return is pressed, so that
// a typed number is never shortened into another one.
void sevText::clampToLimits() {
  if (!isWhole() || !(max_ > min_) || raw_.isEmpty()) return;
  bool ok = false;
  const double v = raw_.toDouble(&ok);
  if (!ok) return;
  if (v > max_) setText(QString::number(qint64(max_)));
  else if (min_ < 0 && v < min_) setText(QString::number(qint64(min_)));
}

bool sevText::punktvorziffer() const {
  const QString mask = dateMask();
  const QString t = edit_->text();
  const int n = static_cast<int>(t.size());
  if (texttype_ != 0 || mask.isEmpty() || n >= mask.size() || mask[n] != QLatin1Char('.')) return false;
  if (edit_->cursorPosition() != n || edit_->hasSelectedText()) return false;
  if (maxlength_ > 0 && n + 2 > maxlength_) return false;
  // Only while the points typed so far stand where the mask has them ("1.5" stays as typed).
  for (int i = 0; i < n; ++i)
    if ((mask[i] == QLatin1Char('.')) != (t[i] == QLatin1Char('.'))) return false;
  return true;
}

// --- design -----------------------------------------------------------------------

void sevText::setTexttype(int type) {
  texttype_ = (type == 1 || type == 2) ? type : 0;
  rebuild();
  showDisplay();
}

void sevText::setNumbertype(int type) { numbertype_ = type; }

void sevText::setCaption(const QString& caption) {
  captionLabel_->setText(caption);
  captionLabel_->setVisible(!caption.isEmpty());
}

QString sevText::caption() const { return captionLabel_->text(); }

void sevText::setTextalign(int align) {
  textalign_ = align == 1 ? 1 : 0;
  edit_->setAlignment((textalign_ == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter);
}

void sevText::setUnitdescr(const QString& unit) {
  unitLabel_->setText(unit);
  unitLabel_->setVisible(!unit.isEmpty());
}

QString sevText::unitdescr() const { return unitLabel_->text(); }

void sevText::setMask(const QString& mask) { mask_ = mask; }

void sevText::setStyle(int style) {
  style_ = style;
  rebuild();
}

void sevText::setShowbutton(bool on) {
  showbutton_ = on;
  rebuild();
}

void sevText::setLocked(bool on) {
  locked_ = on;
  rebuild();
}

void sevText::setMoneyDisplay(bool on) {
  money_ = on;
  showDisplay();
}

void sevText::setfocus() { setFocus(Qt::OtherFocusReason); }

void sevText::rebuild() {
  const bool jn = texttype_ == 2;
  edit_->setVisible(!jn);
  check_->setVisible(jn);
  check_->setEnabled(!locked_);
  // The arrow belongs to the design, not to the entries: a field designed
  // with a list shows it from the start, so nothing moves when the list fills.
  button_->setVisible(!jn && texttype_ == 0 && (showbutton_ || style_ == 2));
  button_->setEnabled(!locked_);
  edit_->setReadOnly(locked_ || style_ == 2);
  setFocusProxy(jn ? static_cast<QWidget*>(check_) : edit_);
  captionLabel_->setVisible(!captionLabel_->text().isEmpty());
  unitLabel_->setVisible(!unitLabel_->text().isEmpty());
}

// --- the list ------------------------------------------------------------------------

void sevText::listclear() {
  items_.clear();
  rebuild();
}

void sevText::listadd(const QString& item) {
  items_.append(item);
  if (items_.size() == 1) rebuild();
}

QString sevText::listtext(int i) const { return i >= 0 && i < items_.size() ? items_[i] : QString(); }

int sevText::listindex() const { return items_.indexOf(text()); }

void sevText::setListindex(int i) {
  if (i == -1) setText(QString());
  else if (i >= 0 && i < items_.size()) setText(items_[i]);
}

void sevText::setListsource(const dao::Recordset& rs) {
  source_ = Source::Records;
  sourceRs_ = rs;
  sourceDb_ = dao::Database();
  sourceSql_.clear();
  readSource();
}

void sevText::setListsource(const dao::Database& db, const QString& sql) {
  source_ = Source::Sql;
  sourceRs_ = dao::Recordset();
  sourceDb_ = db;
  sourceSql_ = sql;
  readSource();
}

void sevText::listrefresh() { readSource(); }

void sevText::readSource() {
  if (source_ == Source::None) return;
  QStringList items;
  auto take = [&items](dao::Recordset& r) { items.append(r.fields(0).text()); };
  if (source_ == Source::Records) {
    if (!sourceRs_.isOpen()) return;   // a closed source keeps the entries it gave
    if (sourceRs_.fieldCount() > 0) forEachRecord(sourceRs_, take);
  } else {
    dao::Recordset rs = sourceDb_.openRecordset(sourceSql_);
    if (rs.fieldCount() > 0) forEachRecord(rs, take);
    rs.close();
  }
  items_ = items;
  rebuild();
}

void sevText::pick(int i) {
  if (i < 0 || i >= items_.size()) return;
  setText(items_[i]);
  emit listpick(index_);
}

void sevText::openList() {
  if (items_.isEmpty() || locked_ || popup_) return;
  popup_ = new QMenu(this);
  for (int i = 0; i < items_.size(); ++i) {
    QString label = items_[i];
    label.replace(QLatin1Char('&'), QLatin1String("&&"));
    QAction* a = popup_->addAction(label);
    connect(a, &QAction::triggered, this, [this, i] { pick(i); });
  }
  connect(popup_, &QMenu::aboutToHide, this, [this] {
    popup_->deleteLater();
    popup_ = nullptr;
  });
  popup_->setMinimumWidth(edit_->width());
  popup_->popup(edit_->mapToGlobal(QPoint(0, edit_->height())));
}

// --- keys and focus -------------------------------------------------------------------

bool sevText::handleKey(QKeyEvent* e) {
  int code = 0;
  switch (e->key()) {
    case Qt::Key_Backspace: code = 8; break;
    case Qt::Key_Return: case Qt::Key_Enter: code = 13; break;
    case Qt::Key_Escape: code = 27; break;
    default:
      if (!e->text().isEmpty() && e->text()[0].isPrint() && !(e->modifiers() & Qt::ControlModifier))
        code = e->text()[0].unicode();
  }
  if (code == 0) return false;
  const int original = code;
  if (keypress) keypress(index_, code);
  if (code == 0) return true;
  QWidget* target = texttype_ == 2 ? static_cast<QWidget*>(check_) : edit_;
  if (code == 9) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    synthesizing_ = true;
    QApplication::sendEvent(target, &tab);
    synthesizing_ = false;
    return true;
  }
  if (texttype_ == 2) {
    const QChar c = QChar(code).toUpper();
    if (c == QLatin1Char('J') || c == QLatin1Char('N')) {
      setJN(c == QLatin1Char('J'));
      return true;
    }
    return code != 32 && code >= 32;   // other characters mean nothing here; space toggles
  }
  if (code == original && code >= '0' && code <= '9' && punktvorziffer()) {
    // The mask's point comes with the digit, so "0105" reads as "01.05".
    QKeyEvent mitpunkt(QEvent::KeyPress, Qt::Key_0 + (code - '0'), Qt::NoModifier,
                       QStringLiteral(".") + QChar(code));
    synthesizing_ = true;
    QApplication::sendEvent(target, &mitpunkt);
    synthesizing_ = false;
    return true;
  }
  if (code == original) return false;
  int key = Qt::Key_unknown;
  QString text;
  if (code == 8) key = Qt::Key_Backspace;
  else if (code == 13) key = Qt::Key_Return;
  else if (code == 27) key = Qt::Key_Escape;
  else {
    text = QString(QChar(code));
    if (code < 128) key = QChar(code).toUpper().unicode();
  }
  QKeyEvent replaced(QEvent::KeyPress, key, Qt::NoModifier, text);
  synthesizing_ = true;
  QApplication::sendEvent(target, &replaced);
  synthesizing_ = false;
  return true;
}

bool sevText::eventFilter(QObject* o, QEvent* e) {
  if (o != edit_ && o != check_) return QWidget::eventFilter(o, e);
  switch (e->type()) {
    case QEvent::KeyPress: {
      if (synthesizing_) return false;
      auto* ke = static_cast<QKeyEvent*>(e);
      if (texttype_ != 2 && (ke->key() == Qt::Key_F4 ||
                             (ke->key() == Qt::Key_Down && (ke->modifiers() & Qt::AltModifier)))) {
        openList();
        return true;
      }
      if (texttype_ != 2 && style_ == 2 && !locked_ && (ke->key() == Qt::Key_Up || ke->key() == Qt::Key_Down)) {
        const int now = listindex();
        const int next = ke->key() == Qt::Key_Up ? std::max(0, now - 1) : std::min(listcount() - 1, now + 1);
        if (listcount() > 0 && next != now) pick(next);
        return true;
      }
      if (ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter) clampToLimits();
      return handleKey(ke);
    }
    case QEvent::MouseButtonPress:
      if (o == edit_ && style_ == 2 && !locked_) openList();
      return false;
    case QEvent::FocusIn:
      if (o == edit_) showDisplay();
      if (focusInsideWindow(e)) emit gotfocus(index_);
      return false;
    case QEvent::FocusOut:
      if (o == edit_) {
        clampToLimits();
        showDisplay();
      }
      if (focusInsideWindow(e)) emit lostfocus(index_);
      return false;
    default:
      return false;
  }
}

// --- control arrays ----------------------------------------------------------------------

sevText& sevTextArray::add(int index, QWidget* parent) {
  if (contains(index) && fields_[index]) return *fields_[index];
  return adopt(new sevText(index, parent));
}

sevText& sevTextArray::adopt(sevText* field) {
  fields_[field->index()] = field;
  connect(field, &sevText::change, this, &sevTextArray::change);
  connect(field, &sevText::listpick, this, &sevTextArray::listpick);
  connect(field, &sevText::gotfocus, this, &sevTextArray::gotfocus);
  connect(field, &sevText::lostfocus, this, &sevTextArray::lostfocus);
  field->keypress = [this](int index, int& key) {
    if (keypress) keypress(index, key);
  };
  return *field;
}

sevText& sevTextArray::operator()(int index) const {
  const auto it = fields_.find(index);
  if (it == fields_.end() || !it->second)
    throw std::out_of_range("sevTextArray: no field with index " + std::to_string(index));
  return *it->second;
}

std::vector<int> sevTextArray::indexes() const {
  std::vector<int> out;
  for (const auto& [i, f] : fields_)
    if (f) out.push_back(i);
  return out;
}

}  // namespace zevo::ui
