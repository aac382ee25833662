#include "platform/runtime/printer.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cups/cups.h>

namespace zevo::vb {

namespace {

// The system's print service: CUPS, which Qt's printing goes through too.
class CupsService : public PrintService {
public:
  bool acceptingJobs(const QString& queue) override {
    cups_dest_t* dest = namedDest(queue);
    if (!dest) return true;   // not to be asked: the job's own result tells
    // A held (stopped) queue still takes jobs; only a refusing one loses them.
    const char* accepting = cupsGetOption("printer-is-accepting-jobs", dest->num_options, dest->options);
    const bool takes = !accepting || qstrcmp(accepting, "false") != 0;
    cupsFreeDests(1, dest);
    return takes;
  }
  // Qt hands the finished job over without looking at the answer; the
  // service's last status is that answer. A request right before the
  // hand-over keeps an older status from standing in for it.
  void beforeHandOver(const QString& queue) override {
    if (cups_dest_t* dest = namedDest(queue)) cupsFreeDests(1, dest);
  }
  bool jobTaken(const QString&) override { return cupsLastError() < IPP_STATUS_ERROR_BAD_REQUEST; }

private:
  static cups_dest_t* namedDest(const QString& queue) {
    const QByteArray name = queue.section(QLatin1Char('/'), 0, 0).toLocal8Bit();
    const QByteArray instance = queue.section(QLatin1Char('/'), 1).toLocal8Bit();
    return cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), instance.isEmpty() ? nullptr : instance.constData());
  }
};

std::unique_ptr<PrintService>& service() {
  static std::unique_ptr<PrintService> s = std::make_unique<CupsService>();
  return s;
}

}  // namespace

void setPrintService(std::unique_ptr<PrintService> s) {
  service() = s ? std::move(s) : std::make_unique<CupsService>();
}

struct Printer::Data {
  QString fontName = "Courier New";
  double fontSize = 10;
  bool bold = false;
  bool italic = false;
  int orientation = 1;
  QString pdfPath;
  QString pdfQueue;
  QString queue;       // the queue of the running job; "" = none to ask
  QString refusedBy;
  std::unique_ptr<QPrinter> device;
  std::unique_ptr<QPainter> painter;
  double y = 0;
  int page = 0;
  int pendingPages = 0;   // newPage() calls not yet carried out

  QFont currentFont() const {
    QFont f(fontName);
    f.setPointSizeF(fontSize > 0 ? fontSize : 10);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
  }
};

Printer::Printer() : d_(std::make_unique<Data>()) {}

Printer::~Printer() {
  if (d_->painter && d_->painter->isActive()) d_->painter->end();
}

bool Printer::installed() const {
  if (!d_->pdfPath.isEmpty()) return true;
  return !QPrinterInfo::defaultPrinter().isNull() || !QPrinterInfo::availablePrinters().isEmpty();
}

QStringList Printer::fonts() const {
  if (!installed()) return {};
  return QFontDatabase::families();
}

int Printer::fontCount() const { return static_cast<int>(fonts().size()); }

QString Printer::font(int index) const {
  const QStringList all = fonts();
  return index >= 0 && index < all.size() ? all[index] : QString();
}

QString Printer::fontName() const { return d_->fontName; }
double Printer::fontSize() const { return d_->fontSize; }
bool Printer::fontBold() const { return d_->bold; }
bool Printer::fontItalic() const { return d_->italic; }
int Printer::orientation() const { return d_->orientation; }
bool Printer::jobActive() const { return d_->painter && d_->painter->isActive(); }
int Printer::page() const { return jobActive() ? d_->page : 0; }
QString Printer::refusedBy() const { return d_->refusedBy; }

bool Printer::setFontName(const QString& name) {
  if (name.trimmed().isEmpty()) return false;
  d_->fontName = name.trimmed();
  if (jobActive()) d_->painter->setFont(d_->currentFont());
  return true;
}

bool Printer::setFontSize(double points) {
  if (!(points > 0 && points < 1000)) return false;
  d_->fontSize = points;
  if (jobActive()) d_->painter->setFont(d_->currentFont());
  return true;
}

bool Printer::setFontBold(bool bold) {
  d_->bold = bold;
  if (jobActive()) d_->painter->setFont(d_->currentFont());
  return true;
}

bool Printer::setFontItalic(bool italic) {
  d_->italic = italic;
  if (jobActive()) d_->painter->setFont(d_->currentFont());
  return true;
}

bool Printer::setOrientation(int orientation) {
  if (orientation != 1 && orientation != 2) return false;
  d_->orientation = orientation;
  return true;
}

void Printer::setPdfOutput(const QString& path, const QString& queue) {
  d_->pdfPath = path;
  d_->pdfQueue = queue;
}

bool Printer::startJob() {
  if (jobActive()) return true;
  if (!installed()) return false;
  d_->refusedBy.clear();
  QPrinterInfo info;
  if (d_->pdfPath.isEmpty()) {
    info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) info = QPrinterInfo::availablePrinters().value(0);
  }
  d_->queue = d_->pdfPath.isEmpty() ? info.printerName() : d_->pdfQueue;
  if (!d_->queue.isEmpty() && !service()->acceptingJobs(d_->queue)) {
    d_->refusedBy = d_->queue;
    return false;
  }
  if (d_->pdfPath.isEmpty()) {
    d_->device = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
  } else {
    d_->device = std::make_unique<QPrinter>(QPrinter::HighResolution);
    d_->device->setOutputFormat(QPrinter::PdfFormat);
    d_->device->setOutputFileName(d_->pdfPath);
    d_->device->setPageSize(QPageSize(QPageSize::A4));
  }
  d_->device->setDocName("ZEVO");
  d_->device->setPageOrientation(d_->orientation == 2 ? QPageLayout::Landscape : QPageLayout::Portrait);
  d_->painter = std::make_unique<QPainter>();
  if (!d_->painter->begin(d_->device.get())) {
    d_->painter.reset();
    d_->device.reset();
    return false;
  }
  d_->painter->setFont(d_->currentFont());
  d_->y = 0;
  d_->page = 1;
  d_->pendingPages = 0;
  return true;
}

bool Printer::feedPages(int count) {
  for (; count > 0; --count) {
    if (!d_->device->newPage()) return false;
    d_->y = 0;
  }
  return true;
}

bool Printer::printLine(const QString& text) {
  if (!startJob()) return false;
  if (d_->pendingPages > 0) {
    const int pending = d_->pendingPages;
    d_->pendingPages = 0;
    if (!feedPages(pending)) return false;
  }
  QPainter& p = *d_->painter;
  const QRectF area(QPointF(0, 0), QSizeF(p.viewport().size()));
  const QFontMetricsF metrics(p.font(), d_->device.get());
  const double height = metrics.lineSpacing();
  // A line wider than the page goes on in the next line: nothing is cut off.
  // It breaks after the last blank that fits (in the right half of the
  // width), otherwise after the last character that fits.
  // The continuation starts below the line's first character (at the left
  // when its leading blanks take more than half the width).
  qsizetype blanks = 0;
  while (blanks < text.size() && text[blanks] == QLatin1Char(' ')) ++blanks;
  double indent = metrics.horizontalAdvance(text.left(blanks));
  if (indent > area.width() / 2) indent = 0;
  double x = 0;
  QString rest = text;
  do {
    const double width = area.width() - x;
    qsizetype n = rest.size();
    if (metrics.horizontalAdvance(rest) > width) {
      qsizetype lo = 1, hi = rest.size();
      while (lo < hi) {   // the longest prefix that fits, at least one character
        const qsizetype mid = (lo + hi + 1) / 2;
        if (metrics.horizontalAdvance(rest.left(mid)) <= width) lo = mid; else hi = mid - 1;
      }
      n = lo;
      const qsizetype blank = rest.lastIndexOf(QLatin1Char(' '), n - 1);
      if (blank >= n / 2 && blank > 0) n = blank + 1;
    }
    if (d_->y > 0 && d_->y + height > area.height()) {
      if (!feedPages(1)) return false;
      ++d_->page;
    }
    p.drawText(QPointF(x, d_->y + metrics.ascent()), rest.left(n));
    d_->y += height;
    rest = rest.mid(n);
    x = indent;
  } while (!rest.isEmpty());
  return true;
}

bool Printer::newPage() {
  if (!jobActive()) {
    if (!startJob()) return false;
  }
  ++d_->pendingPages;
  ++d_->page;
  return true;
}

bool Printer::endDoc() {
  if (!jobActive()) return false;
  // A page break right before the end gives no blank sheet; further ones do.
  bool ok = feedPages(d_->pendingPages - 1);
  d_->pendingPages = 0;
  if (!d_->queue.isEmpty()) service()->beforeHandOver(d_->queue);
  ok = d_->painter->end() && ok;
  ok = ok && d_->device->printerState() != QPrinter::Error && d_->device->printerState() != QPrinter::Aborted;
  if (!d_->queue.isEmpty() && !service()->jobTaken(d_->queue)) {
    d_->refusedBy = d_->queue;
    ok = false;
  }
  d_->painter.reset();
  d_->device.reset();
  d_->page = 0;
  return ok;
}

Printer& printer() {
  static Printer instance;
  return instance;
}

}  // namespace zevo::vb
