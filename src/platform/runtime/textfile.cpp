#include "platform/runtime/textfile.h"

#include "platform/runtime/files.h"
#include "platform/runtime/vb.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace zevo::vb {

namespace cp1252 {

namespace {
// Windows-1252 bytes 0x80 to 0x9F; the five unassigned ones keep their code.
constexpr char16_t high[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
}  // namespace

QByteArray encode(const QString& text) {
  QByteArray out;
  out.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
      out += '?';
      ++i;
      continue;
    }
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      out += static_cast<char>(c);
      continue;
    }
    char byte = '?';
    for (int k = 0; k < 32; ++k)
      if (high[k] == c) {
        byte = static_cast<char>(0x80 + k);
        break;
      }
    out += byte;
  }
  return out;
}

QString decode(const QByteArray& bytes) {
  QString out;
  out.reserve(bytes.size());
  for (char b : bytes) {
    const auto u = static_cast<unsigned char>(b);
    out += QChar(u >= 0x80 && u < 0xA0 ? high[u - 0x80] : char16_t(u));
  }
  return out;
}

}  // namespace cp1252

// --- reading -------------------------------------------------------------------

TextReader::TextReader(const QString& path) {
  QFile f(path);
  if (!QFileInfo(path).isFile()) throw Error::forFile(errFileNotFound, path);
  if (!f.open(QIODevice::ReadOnly)) throw Error::forFile(errPermissionDenied, path);
  const QByteArray bytes = f.readAll();
  if (f.error() != QFileDevice::NoError) throw Error::forFile(errPathFileAccess, path);
  text_ = cp1252::decode(bytes);
}

bool TextReader::eof() const { return pos_ >= text_.size(); }

void TextReader::skipLineEnd() {
  if (pos_ < text_.size() && text_[pos_] == '\r') ++pos_;
  if (pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
}

QString TextReader::lineInput() {
  if (eof()) throw Error(errInputPastEnd, "Einlesen hinter Dateiende");
  qsizetype end = pos_;
  while (end < text_.size() && text_[end] != '\r' && text_[end] != '\n') ++end;
  const QString line = text_.mid(pos_, end - pos_);
  pos_ = end;
  skipLineEnd();
  return line;
}

double TextReader::inputNumber() {
  if (eof()) throw Error(errInputPastEnd, "Einlesen hinter Dateiende");
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  qsizetype end = pos_;
  while (end < text_.size() && text_[end] != ' ' && text_[end] != '\t' && text_[end] != ',' &&
         text_[end] != '\r' && text_[end] != '\n')
    ++end;
  const QString field = text_.mid(pos_, end - pos_);
  pos_ = end;
  while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  if (pos_ < text_.size() && text_[pos_] == ',') ++pos_;
  else skipLineEnd();
  return val(field);
}

// --- writing -------------------------------------------------------------------

TextWriter::TextWriter(const QString& path) : path_(path) {}

TextWriter::~TextWriter() = default;

void TextWriter::print(const QString& text) { data_ += cp1252::encode(text); }

void TextWriter::printLine(const QString& text) {
  print(text);
  data_ += "\r\n";
}

void TextWriter::printNumberLine(qint64 n) { printLine(str(n) + " "); }

void TextWriter::close() {
  if (closed_) return;
  closed_ = true;
  if (!writeWholeFile(path_, data_))
    throw Error(errPathFileAccess,
                "Die Datei " + QDir::toNativeSeparators(path_) +
                    " konnte nicht geschrieben werden. Die bisherige Datei bleibt unverändert.");
}

QStringList readLines(const QString& path) {
  TextReader in(path);
  QStringList lines;
  while (!in.eof()) lines << in.lineInput();
  return lines;
}

void writeLines(const QString& path, const QStringList& lines) {
  TextWriter out(path);
  for (const QString& l : lines) out.printLine(l);
  out.close();
}

}  // namespace zevo::vb
