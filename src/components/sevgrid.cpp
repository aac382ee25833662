// The grid widget: storage, view, current row, marks and the user's events.
#include "components/sevgrid_p.h"

#include "platform/runtime/vb.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zevo::ui {

namespace {

int vbButton(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return 1;
    case Qt::RightButton: return 2;
    case Qt::MiddleButton: return 4;
    default: return 0;
  }
}

int vbShift(Qt::KeyboardModifiers m) {
  int s = 0;
  if (m & Qt::ShiftModifier) s |= 1;
  if (m & Qt::ControlModifier) s |= 2;
  if (m & Qt::AltModifier) s |= 4;
  return s;
}

int toPixels(int twips) { return std::max(1, static_cast<int>(std::lround(twips / double(kTwipsPerPixel)))); }

}  // namespace

// --- Data -----------------------------------------------------------------------

void sevGrid::Data::rebuildKeys() {
  keyIndex.clear();
  for (int i = 0; i < int(cols.size()); ++i) {
    const QString k = cols[i].key.toCaseFolded();
    if (!keyIndex.contains(k)) keyIndex.insert(k, i);
  }
}

int sevGrid::Data::keyToIndex(const QString& key) const {
  return keyIndex.value(key.toCaseFolded(), -1);
}

// --- model ----------------------------------------------------------------------

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows; }
int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownCols; }

static Qt::Alignment qtAlign(int align) {
  switch (align) {
    case 1: return Qt::AlignRight | Qt::AlignVCenter;
    case 2: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QVariant GridModel::data(const QModelIndex& index, int role) const {
  const auto& d = *g_->d;
  const int r = index.row(), c = index.column();
  if (r < 0 || r >= int(d.rows.size()) || c < 0 || c >= int(d.cols.size())) return {};
  switch (role) {
    case Qt::DisplayRole: return d.cellText(r, c);
    case Qt::TextAlignmentRole: return QVariant::fromValue(qtAlign(d.cols[c].align));
    case Qt::BackgroundRole: {
      const QPalette& p = g_->palette();
      if (d.rows[r].marked) return p.color(QPalette::Highlight);
      if (d.current == r + 1) {
        QColor h = p.color(QPalette::Highlight);
        h.setAlpha(60);
        return h;
      }
      return {};
    }
    case Qt::ForegroundRole:
      if (d.rows[r].marked) return g_->palette().color(QPalette::HighlightedText);
      return {};
    default: return {};
  }
}

QVariant GridModel::headerData(int section, Qt::Orientation o, int role) const {
  const auto& d = *g_->d;
  if (o == Qt::Horizontal) {
    if (section < 0 || section >= int(d.cols.size())) return {};
    if (role == Qt::DisplayRole) return d.cols[section].caption;
    if (role == Qt::TextAlignmentRole) return QVariant::fromValue(qtAlign(d.cols[section].align));
    return {};
  }
  if (role != Qt::DisplayRole || section < 0 || section >= int(d.rows.size())) return {};
  QString text;
  if (g_->rowpaint) g_->rowpaint(section + 1, text);
  return text;
}

void GridModel::publish() {
  beginResetModel();
  shownRows = int(g_->d->rows.size());
  shownCols = int(g_->d->cols.size());
  endResetModel();
}

void GridModel::publishAppend(int rowsBefore, int colsBefore) {
  const int nc = int(g_->d->cols.size()), nr = int(g_->d->rows.size());
  if (nc > colsBefore) {
    beginInsertColumns({}, colsBefore, nc - 1);
    shownCols = nc;
    endInsertColumns();
  }
  if (nr > rowsBefore) {
    beginInsertRows({}, rowsBefore, nr - 1);
    shownRows = nr;
    endInsertRows();
  }
}

void GridModel::touchRows(int first, int last) {
  if (shownCols == 0 || first > last) return;
  first = std::max(first, 0);
  last = std::min(last, shownRows - 1);
  if (first > last) return;
  emit dataChanged(index(first, 0), index(last, shownCols - 1));
  emit headerDataChanged(Qt::Vertical, first, last);
}

// --- view -----------------------------------------------------------------------

GridView::GridView(sevGrid* g) : QTableView(g), g_(g) {
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setSortingEnabled(false);
  setCornerButtonEnabled(false);
  auto* h = horizontalHeader();
  h->setSectionsClickable(true);
  h->setHighlightSections(false);
  h->setSectionResizeMode(QHeaderView::Interactive);
  h->setMinimumSectionSize(1);
  h->setDefaultSectionSize(toPixels(kDefaultWidthTwips));
  h->setStretchLastSection(false);
  auto* v = verticalHeader();
  v->setSectionResizeMode(QHeaderView::Fixed);
  v->setDefaultSectionSize(fontMetrics().height() + 6);
  v->setSectionsClickable(false);
  v->hide();
  h->viewport()->installEventFilter(this);
  v->viewport()->installEventFilter(this);
}

void GridView::mousePressEvent(QMouseEvent* e) {
  setFocus(Qt::MouseFocusReason);
  const QModelIndex idx = indexAt(e->position().toPoint());
  g_->userPress(idx.isValid() ? idx.row() + 1 : 0, idx.isValid() ? idx.column() + 1 : 0, e->button(),
                e->modifiers(), mapTo(g_, e->position().toPoint()));
}

void GridView::mouseDoubleClickEvent(QMouseEvent* e) {
  const QModelIndex idx = indexAt(e->position().toPoint());
  if (idx.isValid() && e->button() == Qt::LeftButton) g_->userDoubleClick(idx.row() + 1);
}

void GridView::mouseMoveEvent(QMouseEvent*) {}
void GridView::mouseReleaseEvent(QMouseEvent*) {}

void GridView::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Up: case Qt::Key_Down: case Qt::Key_PageUp: case Qt::Key_PageDown:
    case Qt::Key_Home: case Qt::Key_End:
      g_->userKey(e->key(), e->modifiers());
      return;
    case Qt::Key_Delete:
      // Deleting goes through the windows' own confirmation, never the key.
      return;
    case Qt::Key_Left: case Qt::Key_Right:
      horizontalScrollBar()->triggerAction(e->key() == Qt::Key_Left ? QAbstractSlider::SliderSingleStepSub
                                                                    : QAbstractSlider::SliderSingleStepAdd);
      return;
    default:
      e->ignore();
  }
}

bool GridView::eventFilter(QObject* o, QEvent* e) {
  if (e->type() == QEvent::MouseButtonPress) {
    auto* me = static_cast<QMouseEvent*>(e);
    if (o == verticalHeader()->viewport()) {
      const int r = verticalHeader()->logicalIndexAt(me->position().toPoint());
      setFocus(Qt::MouseFocusReason);
      g_->userPress(r >= 0 ? r + 1 : 0, 0, me->button(), me->modifiers(),
                    verticalHeader()->viewport()->mapTo(g_, me->position().toPoint()));
      return true;
    }
    if (o == horizontalHeader()->viewport())
      g_->userHeaderPress(me->button(), me->modifiers(),
                          horizontalHeader()->viewport()->mapTo(g_, me->position().toPoint()));
  }
  return QTableView::eventFilter(o, e);
}

// --- column handle --------------------------------------------------------------

bool GridColumn::exists() const { return grid_ && index_ >= 1 && index_ <= int(grid_->d->cols.size()); }

#define ZEVO_COL_GET(name, member, fallback) \
  auto GridColumn::name() const -> decltype(GridCol::member) { \
    return exists() ? grid_->d->cols[index_ - 1].member : fallback; }
ZEVO_COL_GET(key, key, QString())
ZEVO_COL_GET(caption, caption, QString())
ZEVO_COL_GET(align, align, 0)
ZEVO_COL_GET(numeric, numeric, 0)
ZEVO_COL_GET(columntype, columntype, 0)
ZEVO_COL_GET(width, width, 0)
ZEVO_COL_GET(sortorder, sortorder, 0)
#undef ZEVO_COL_GET

void GridColumn::setCaption(const QString& caption) {
  if (!exists()) return;
  auto& d = *grid_->d;
  d.cols[index_ - 1].caption = caption;
  if (d.locked) d.dirty = true;
  else if (index_ - 1 < d.model->shownCols) emit d.model->headerDataChanged(Qt::Horizontal, index_ - 1, index_ - 1);
}

void GridColumn::setAlign(int align) {
  if (!exists()) return;
  grid_->d->cols[index_ - 1].align = (align == 1 || align == 2) ? align : 0;
  grid_->changedRows(1, grid_->rows());
}

void GridColumn::setNumeric(int numeric) {
  if (exists()) grid_->d->cols[index_ - 1].numeric = numeric ? 1 : 0;
}

void GridColumn::setColumntype(int type) {
  if (exists()) grid_->d->cols[index_ - 1].columntype = type;
}

void GridColumn::setWidth(int twips) {
  if (!exists()) return;
  auto& d = *grid_->d;
  d.cols[index_ - 1].width = std::max(0, twips);
  d.cols[index_ - 1].gegeben = true;
  if (d.locked) d.dirty = true;
  else if (index_ - 1 < d.model->shownCols) {
    d.applyingWidths = true;
    d.view->horizontalHeader()->resizeSection(index_ - 1, toPixels(d.cols[index_ - 1].width));
    d.applyingWidths = false;
  }
}

// --- grid -----------------------------------------------------------------------

sevGrid::sevGrid(QWidget* parent) : QWidget(parent), d(std::make_unique<Data>()) {
  d->model = new GridModel(this);
  d->view = new GridView(this);
  d->view->setModel(d->model);
  auto* lay = new QVBoxLayout(this);
  lay->setContentsMargins(0, 0, 0, 0);
  lay->addWidget(d->view);
  setFocusProxy(d->view);
  auto* h = d->view->horizontalHeader();
  connect(h, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
    if (!d->applyingWidths) userResize(logical + 1, size);
  });
  connect(h, &QHeaderView::sectionClicked, this, [this](int logical) { userHeaderClick(logical + 1); });
}

sevGrid::~sevGrid() {
  // The view asks the model while it goes; both go before the rows do.
  delete d->view;
  delete d->model;
}

void sevGrid::changedAll() {
  d->selDirty = true;
  if (d->locked) {
    d->dirty = true;
    return;
  }
  d->model->publish();
  applyWidths();
  if (d->current > 0) zeilezeigen(d->current);
}

void sevGrid::zeilezeigen(int row) {
  // Only up or down: the columns the user scrolled to stay in sight.
  QScrollBar* waagrecht = d->view->horizontalScrollBar();
  const int x = waagrecht->value();
  d->view->scrollTo(d->model->index(row - 1, 0));
  waagrecht->setValue(x);
}

void sevGrid::changedRows(int first, int last) {
  if (d->locked) d->dirty = true;
  else d->model->touchRows(first - 1, last - 1);
}

void sevGrid::applyWidths() {
  startbreitensetzen();
  auto* h = d->view->horizontalHeader();
  d->applyingWidths = true;
  int sorted = -1;
  for (int i = 0; i < int(d->cols.size()) && i < d->model->shownCols; ++i) {
    h->resizeSection(i, toPixels(d->cols[i].width));
    if (d->cols[i].sortorder != 0 && sorted < 0) sorted = i;
  }
  h->setSortIndicatorShown(sorted >= 0);
  if (sorted >= 0)
    h->setSortIndicator(sorted, d->cols[sorted].sortorder == 2 ? Qt::DescendingOrder : Qt::AscendingOrder);
  d->applyingWidths = false;
}

void sevGrid::clear(bool all) {
  const int old = d->current;
  d->rows.clear();
  d->records = dao::Records();
  d->recordWidth = 0;
  if (all) {
    d->cols.clear();
    d->keyIndex.clear();
    d->bound = false;
    d->db = dao::Database();
    d->table.clear();
  }
  d->current = 0;
  d->anchor = 0;
  changedAll();
  if (old != 0) emit rowchange();
}

void sevGrid::lockupdate(bool on) {
  if (on == d->locked) return;
  d->locked = on;
  setUpdatesEnabled(!on);
  if (!on && d->dirty) {
    d->dirty = false;
    changedAll();
  }
}

bool sevGrid::locked() const { return d->locked; }

void sevGrid::refresh() {
  if (d->locked) return;
  d->view->viewport()->update();
  d->view->horizontalHeader()->viewport()->update();
  d->view->verticalHeader()->viewport()->update();
}

void sevGrid::setRecordset(const dao::Recordset& rs) {
  const int old = d->current;
  d->rows.clear();
  d->records = dao::Records();
  d->cols.clear();
  d->current = 0;
  d->anchor = 0;
  d->bound = true;
  d->db = rs.database();
  try {
    d->table = rs.sourceTable();
  } catch (const dao::Error&) {
    d->table.clear();
  }
  const int n = rs.fieldCount();
  for (int i = 0; i < n; ++i) {
    const dao::Field f = rs.fields(i);
    GridCol c;
    c.key = c.caption = f.name();
    c.fieldType = f.type();
    if (c.fieldType >= dao::dbInteger && c.fieldType <= dao::dbDouble) c.align = c.numeric = 1;
    if (c.fieldType == dao::dbDate) c.columntype = 2;
    c.width = startbreite(c.caption);
    d->cols.push_back(c);
  }
  d->rebuildKeys();
  // The values only, shared with the query; a cell's text is made when it
  // is shown or asked for.
  d->records = rs.records();
  d->recordWidth = n;
  const int count = d->records.count();
  d->rows.resize(size_t(count));
  for (int i = 0; i < count; ++i) {
    d->rows[size_t(i)].bound = true;
    d->rows[size_t(i)].n = i;
  }
  changedAll();
  if (old != 0) emit rowchange();
}

bool sevGrid::bound() const { return d->bound; }
QString sevGrid::sourceTable() const { return d->table; }

void sevGrid::addcolumn(const QString& key, const QString& caption) {
  addcolumn(key, caption, QVariantList{});
}

void sevGrid::addcolumn(const QString& key, const QString& caption, const QVariantList& further) {
  GridCol c;
  c.key = key;
  c.caption = caption;
  if (further.size() >= 2) {
    const int a = further[1].toInt();
    c.align = (a == 1 || a == 2) ? a : 0;
  }
  int numeric = -1;
  if (further.size() >= 5) {
    const int n = further[4].toInt();
    if (n == 0 || n == 1) numeric = n;
  }
  c.numeric = numeric >= 0 ? numeric : (c.align == 1 ? 1 : 0);
  c.width = startbreite(caption);
  const int rowsBefore = rows(), colsBefore = cols();
  d->cols.push_back(c);
  const QString folded = key.toCaseFolded();
  if (!d->keyIndex.contains(folded)) d->keyIndex.insert(folded, colsBefore);
  if (d->locked) {
    d->dirty = true;
  } else {
    d->model->publishAppend(rowsBefore, colsBefore);
    applyWidths();
  }
}

void sevGrid::additem(const QString& text, int position) {
  QStringView cells(text);
  int count = 0;
  if (!text.isEmpty()) {
    if (cells.endsWith(QLatin1Char('\t'))) cells.chop(1);
    count = int(cells.count(QLatin1Char('\t'))) + 1;
  }
  GridRow r = tabRow(cells, count);
  const int rowsBefore = rows();
  if (position < 1 || position > rowsBefore) return appendRow(std::move(r));
  const int colsBefore = cols();
  while (count > int(d->cols.size())) d->cols.push_back(GridCol{});
  if (cols() > colsBefore) d->rebuildKeys();
  d->selDirty = true;
  d->rows.insert(d->rows.begin() + (position - 1), std::move(r));
  if (d->anchor >= position) ++d->anchor;
  const bool moved = d->current >= position;
  if (moved) ++d->current;
  changedAll();
  if (moved) emit rowchange();
}

void sevGrid::addcells(QStringList cells) {
  // A TAB inside a cell splits it, as in additem.
  for (const QString& c : std::as_const(cells))
    if (c.contains(QLatin1Char('\t'))) return additem(cells.join(QLatin1Char('\t')) + QLatin1Char('\t'));
  appendRow(cellsRow(cells));
}

void sevGrid::appendRow(GridRow r) {
  const int rowsBefore = rows(), colsBefore = cols();
  while (r.n > int(d->cols.size())) d->cols.push_back(GridCol{});
  if (cols() > colsBefore) d->rebuildKeys();
  d->selDirty = true;
  d->rows.push_back(std::move(r));
  if (d->locked) {
    d->dirty = true;
  } else {
    d->model->publishAppend(rowsBefore, colsBefore);
    if (cols() > colsBefore || rowsBefore == 0) applyWidths();
  }
}

void sevGrid::insertemptyrows(QList<int> positions) {
  const int n = rows();
  positions.removeIf([n](int p) { return p < 1 || p > n; });
  if (positions.isEmpty()) return;
  std::sort(positions.begin(), positions.end());
  std::vector<GridRow> neu;
  neu.reserve(d->rows.size() + positions.size());
  int vorher = 0;   // inserted rows before the current row and before the anchor
  int vorAnker = 0;
  qsizetype k = 0;
  for (int r = 1; r <= n; ++r) {
    for (; k < positions.size() && positions[k] == r; ++k) {
      neu.emplace_back();
      if (d->current >= r) ++vorher;
      if (d->anchor >= r) ++vorAnker;
    }
    neu.push_back(std::move(d->rows[r - 1]));
  }
  d->rows = std::move(neu);
  d->current += d->current > 0 ? vorher : 0;
  d->anchor += d->anchor > 0 ? vorAnker : 0;
  d->selDirty = true;
  changedAll();
  if (vorher > 0) emit rowchange();
}

int sevGrid::rows() const { return int(d->rows.size()); }
int sevGrid::cols() const { return int(d->cols.size()); }
int sevGrid::row() const { return d->current; }

void sevGrid::setRow(int row) {
  setCurrent(row);
}

void sevGrid::setCurrent(int row) {
  if (row < 0 || row > rows()) return;
  const int old = d->current;
  if (!allowmultiselect_ && row > 0 && !(d->rows[row - 1].marked && selcount() == 1)) markOnly(row);
  if (!allowmultiselect_ && row == 0 && selcount() > 0) markOnly(0);
  if (row == old) return;
  d->current = row;
  if (row > 0) d->anchor = row;
  if (old > 0) changedRows(old, old);
  if (row > 0) {
    changedRows(row, row);
    if (!d->locked) {
      zeilezeigen(row);
      // Once more when the view has laid out new rows and columns: a scroll bar
      // that comes with them would otherwise cover the row just shown.
      QTimer::singleShot(0, d->view, [this] {
        if (!d->locked && d->current > 0 && d->current <= d->model->rowCount())
          zeilezeigen(d->current);
      });
    }
  }
  emit rowchange();
}

void sevGrid::markOnly(int row) {
  for (auto& r : d->rows) r.marked = false;
  if (row >= 1 && row <= rows()) d->rows[row - 1].marked = true;
  d->selDirty = true;
  changedRows(1, rows());
}

QString sevGrid::cell(int row, const QString& key) const {
  return d->cellText(row - 1, d->keyToIndex(key));
}

QString sevGrid::cell(int row, int col) const { return d->cellText(row - 1, col - 1); }

QVariant sevGrid::value(int row, const QString& key) const {
  const int c = d->keyToIndex(key);
  if (row < 1 || row > rows() || c < 0) return {};
  if (d->rows[row - 1].bound && c < d->recordWidth) return d->recordValue(row - 1, c);
  return d->cellText(row - 1, c);
}

GridColumn sevGrid::column(int index) { return GridColumn(this, index >= 1 && index <= cols() ? index : 0); }
GridColumn sevGrid::column(const QString& key) { return GridColumn(this, d->keyToIndex(key) + 1); }
int sevGrid::colIndex(const QString& key) const { return d->keyToIndex(key) + 1; }

int sevGrid::selcount() const {
  if (d->selDirty) {
    d->selCache.clear();
    for (int i = 0; i < rows(); ++i)
      if (d->rows[i].marked) d->selCache.push_back(i + 1);
    d->selDirty = false;
  }
  return int(d->selCache.size());
}

int sevGrid::selrow(int i) const {
  if (i < 0 || i >= selcount()) return 0;
  return d->selCache[i];
}

bool sevGrid::selected(int row) const { return row >= 1 && row <= rows() && d->rows[row - 1].marked; }

void sevGrid::setSelected(int row, bool on) {
  if (row < 1 || row > rows() || d->rows[row - 1].marked == on) return;
  d->rows[row - 1].marked = on;
  d->selDirty = true;
  changedRows(row, row);
}

void sevGrid::removeitem(int row) {
  if (row < 1 || row > rows()) return;
  if (d->bound) {
    const int idCol = d->keyToIndex(QStringLiteral("ID"));
    if (idCol < 0)
      throw dao::Error(dao::errUnknownColumn, QStringLiteral("Die Liste hat keine Spalte ID."));
    if (d->table.isEmpty())
      throw dao::Error(dao::errNotUpdatable, QStringLiteral("Die Liste ist an keine Tabelle gebunden."));
    bool ok = false;
    const qint64 id = d->cellText(row - 1, idCol).trimmed().toLongLong(&ok);
    if (!ok)
      throw dao::Error(dao::errTypeConversion, QStringLiteral("Der Datensatz hat keine gültige ID."));
    d->db.execute(QStringLiteral("delete from %1 where ID = %2").arg(d->table).arg(id));
  }
  removeRow(row);
}

void sevGrid::removeRow(int row) {
  const int old = d->current;
  d->rows.erase(d->rows.begin() + (row - 1));
  if (d->current == row) d->current = std::min(row, rows());
  else if (d->current > row) --d->current;
  if (d->anchor >= row) d->anchor = std::max(0, d->anchor - 1);
  if (!allowmultiselect_ && d->current > 0) {
    for (auto& r : d->rows) r.marked = false;
    d->rows[d->current - 1].marked = true;
  }
  changedAll();
  if (d->current != old || old == row) emit rowchange();
}

void sevGrid::setFixedcol(int twips) {
  fixedcol_ = std::max(0, twips);
  auto* v = d->view->verticalHeader();
  if (fixedcol_ > 0) {
    v->setFixedWidth(toPixels(fixedcol_));
    v->show();
  } else {
    v->hide();
  }
}

// --- the user's actions ---------------------------------------------------------

void sevGrid::userPress(int row, int col, Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos) {
  if (row < 1 || row > rows()) {
    emit mouseclick(vbButton(button), vbShift(mods), pos.x() * kTwipsPerPixel, pos.y() * kTwipsPerPixel);
    return;
  }
  if (allowmultiselect_ && button == Qt::LeftButton && (mods & Qt::ControlModifier)) {
    setSelected(row, !selected(row));
    setCurrent(row);
  } else if (allowmultiselect_ && button == Qt::LeftButton && (mods & Qt::ShiftModifier) && d->anchor > 0) {
    extendTo(row);
  } else if (button == Qt::LeftButton || !selected(row)) {
    markOnly(row);
    setCurrent(row);
  } else {
    setCurrent(row);   // another button on a marked row keeps the marks
  }
  emit rowclick(row, col, vbButton(button), vbShift(mods));
}

// Shift: marks the rows from the anchor to row, which becomes current.
void sevGrid::extendTo(int row) {
  const int anchor = d->anchor;
  const int lo = std::min(anchor, row), hi = std::max(anchor, row);
  for (int i = 1; i <= rows(); ++i) d->rows[i - 1].marked = (i >= lo && i <= hi);
  d->selDirty = true;
  changedRows(1, rows());
  setCurrent(row);
  d->anchor = anchor;
}

void sevGrid::userDoubleClick(int row) {
  if (row >= 1 && row <= rows()) emit dblclick();
}

void sevGrid::userKey(int key, Qt::KeyboardModifiers mods) {
  if (rows() == 0) return;
  const int page = std::max(1, d->view->viewport()->height() / std::max(1, d->view->verticalHeader()->defaultSectionSize()) - 1);
  int target = d->current;
  switch (key) {
    case Qt::Key_Up: target = target <= 1 ? 1 : target - 1; break;
    case Qt::Key_Down: target = target == 0 ? 1 : std::min(rows(), target + 1); break;
    case Qt::Key_PageUp: target = std::max(1, target - page); break;
    case Qt::Key_PageDown: target = std::min(rows(), std::max(1, target + page)); break;
    case Qt::Key_Home: target = 1; break;
    case Qt::Key_End: target = rows(); break;
    default: return;
  }
  if (target == d->current) return;
  if (allowmultiselect_ && (mods & Qt::ShiftModifier) && d->anchor > 0) {
    extendTo(target);
  } else if (allowmultiselect_ && (mods & Qt::ControlModifier)) {
    setCurrent(target);
  } else {
    markOnly(target);
    setCurrent(target);
  }
  emit rowmove(target);
}

void sevGrid::userHeaderPress(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint pos) {
  emit mouseclick(vbButton(button), vbShift(mods), pos.x() * kTwipsPerPixel, pos.y() * kTwipsPerPixel);
}

void sevGrid::userHeaderClick(int col) {
  if (!autosort_ || col < 1 || col > cols()) return;
  sort(col, d->cols[col - 1].sortorder == 1 ? 2 : 1);
  emit aftersort();
}

void sevGrid::userResize(int col, int px) {
  if (col < 1 || col > cols()) return;
  d->cols[col - 1].width = px * kTwipsPerPixel;
  d->cols[col - 1].gegeben = true;
  emit colresize(col, d->cols[col - 1].width);
}

}  // namespace zevo::ui
