#pragma once
// Sequential text files as the program keeps them: Windows-1252 ("ANSI"),
// lines ended by CR LF.
//
//   vb::TextWriter out(path);          // nothing reaches the disk before close()
//   out.printLine("Zeile");            // "Zeile" CR LF
//   out.printNumberLine(14);           // " 14 " CR LF, as the old runtime prints a number
//   out.close();                       // replaces the file in one step; throws vb::Error
//
//   vb::TextReader in(path);           // throws vb::Error when it cannot be read
//   while (!in.eof()) { QString line = in.lineInput(); }
//
// A writer destroyed without close() leaves the old file as it was.

#include "platform/runtime/error.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

namespace zevo::vb {

namespace cp1252 {
QByteArray encode(const QString& text);   // a character Windows-1252 lacks becomes "?"
QString decode(const QByteArray& bytes);
}  // namespace cp1252

class TextReader {
public:
  explicit TextReader(const QString& path);
  bool eof() const;
  // The next line without its end (CR LF, LF or CR). errInputPastEnd at the end.
  QString lineInput();
  // The next numeric field: blanks skipped, read up to a blank, a comma or the
  // line end; the value as vb::val reads it ("" gives 0). errInputPastEnd at the end.
  double inputNumber();
private:
  QString text_;
  qsizetype pos_ = 0;
  void skipLineEnd();
};

class TextWriter {
public:
  explicit TextWriter(const QString& path);
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;
  void print(const QString& text);              // no line end
  void printLine(const QString& text = {});     // text CR LF
  void printNumberLine(qint64 n);               // " 14 " / "-3 " CR LF
  // Writes the file and puts it in place of the old one. errPathFileAccess
  // (German text) when that fails; the old file then stays as it was.
  void close();
private:
  QString path_;
  QByteArray data_;
  bool closed_ = false;
};

// Whole files.
QStringList readLines(const QString& path);               // throws vb::Error
void writeLines(const QString& path, const QStringList& lines);   // each line CR LF; atomic

}  // namespace zevo::vb
