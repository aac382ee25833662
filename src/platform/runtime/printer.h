#pragma once
// The printer object: prints text line by line to the default printer.
//
//   vb::Printer& p = vb::printer();
//   if (p.fontCount() == 0) ...          // no printer installed
//   p.setFontName("Courier New"); p.setFontSize(10); p.setOrientation(1);
//   p.printLine("");                     // the first line starts the job, no dialog
//   p.printLine("Text"); p.newPage(); ...
//   p.endDoc();                          // ends the job; the printer starts
//
// Each line goes one line height further down; a line that no longer fits
// starts a new page. A line wider than the page goes on in the next line
// (broken after a blank where one fits), so no text is cut off; the
// continuation starts below the line's first character, so a margin of
// leading blanks holds for it too.
// newPage() takes effect with the next line: endDoc() right after it adds no
// blank sheet (two newPage() calls in a row still give one blank page).
// Settings changed during a job apply to the following lines; the orientation
// applies from the next job. Every call returns whether it succeeded; a failing
// step leaves the job as it is. printLine() is false when no job can be started
// (no printer, the output cannot be opened); endDoc() is false when the job
// could not be finished (also when it was never started).
//
// The print queue is asked before a job starts whether it takes jobs, and
// after the job was handed to it whether it took it. A queue that refuses
// jobs starts none (printLine() false) or fails the job (endDoc() false);
// refusedBy() then names it. A held queue takes the job and prints it later.
//
// setPdfOutput(path) sends every job to that PDF file (A4) instead (tests);
// given a queue name, that queue is asked as for a printer.

#include <QString>
#include <QStringList>

#include <memory>

namespace zevo::vb {

// What the print service (CUPS) says of a queue. Tests put their own in.
class PrintService {
public:
  virtual ~PrintService() = default;
  // Whether the queue takes new jobs now; true when it cannot be asked.
  virtual bool acceptingJobs(const QString& queue) = 0;
  // Around the hand-over of a finished job: whether the queue took it.
  virtual void beforeHandOver(const QString& queue) { (void)queue; }
  virtual bool jobTaken(const QString& queue) = 0;
};
void setPrintService(std::unique_ptr<PrintService> service);   // nullptr = the system's again

class Printer {
public:
  Printer();
  ~Printer();
  Printer(const Printer&) = delete;
  Printer& operator=(const Printer&) = delete;

  bool installed() const;               // a default printer, or PDF output
  int fontCount() const;                // 0 without a printer
  QString font(int index) const;        // 0-based; "" outside
  QStringList fonts() const;

  QString fontName() const;
  bool setFontName(const QString& name);
  double fontSize() const;
  bool setFontSize(double points);
  bool fontBold() const;
  bool setFontBold(bool bold);
  bool fontItalic() const;
  bool setFontItalic(bool italic);
  int orientation() const;              // 1 portrait, 2 landscape
  bool setOrientation(int orientation);

  bool printLine(const QString& text);
  bool newPage();
  bool endDoc();
  bool jobActive() const;
  int page() const;                     // current page of the job, 1-based; 0 outside a job
  QString refusedBy() const;            // the queue that refused the last job; "" when none did

  void setPdfOutput(const QString& path, const QString& queue = {});   // {} = the default printer again

private:
  struct Data;
  std::unique_ptr<Data> d_;
  bool startJob();
  bool feedPages(int count);
};

Printer& printer();

}  // namespace zevo::vb
