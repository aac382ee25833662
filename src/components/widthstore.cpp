#include "components/widthstore.h"

#include "platform/runtime/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace zevo::ui::widthstore {

namespace {

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The hex number of `digits` digits at `at`, or -1.
int hexAt(const QByteArray& s, qsizetype at, int digits) {
  if (at + digits > s.size()) return -1;
  int n = 0;
  for (int i = 0; i < digits; ++i) {
    const int h = hexValue(s[at + i]);
    if (h < 0) return -1;
    n = n * 16 + h;
  }
  return n;
}

// Text read as UTF-8 bytes with UTF-16 units put between them.
class Zeichen {
public:
  void byte(char c) { bytes_ += c; }
  void unit(int u) {
    text_ += QString::fromUtf8(bytes_);
    bytes_.clear();
    text_ += QChar(char16_t(u));
  }
  QString text() const { return text_ + QString::fromUtf8(bytes_); }
private:
  QString text_;
  QByteArray bytes_;
};

QByteArray hex(int n, int digits) { return QByteArray::number(n, 16).rightJustified(digits, '0').toUpper(); }

// A section or key name: "\" stands for "/", "%UXXXX" for a UTF-16 unit,
// "%XX" for a Latin-1 character; other bytes are UTF-8.
QString unescapeKey(const QByteArray& s) {
  Zeichen out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\\') {
      out.byte('/');
    } else if (c == '%' && i + 1 < s.size() && s[i + 1] == 'U' && hexAt(s, i + 2, 4) >= 0) {
      out.unit(hexAt(s, i + 2, 4));
      i += 5;
    } else if (c == '%' && hexAt(s, i + 1, 2) >= 0) {
      out.unit(hexAt(s, i + 1, 2));
      i += 2;
    } else {
      out.byte(c);
    }
  }
  return out.text();
}

QByteArray escapeKey(const QString& s) {
  QByteArray out;
  for (const QChar ch : s) {
    const char16_t c = ch.unicode();
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
        c == '.')
      out += char(c);
    else if (c == '/')
      out += '\\';
    else if (c < 0x80)
      out += '%' + hex(c, 2);
    else
      out += "%U" + hex(c, 4);
  }
  return out;
}

// A value: quotes dropped, "\" escapes read (\" \\ \n \r \t \xHHHH).
QString unescapeValue(const QByteArray& s) {
  Zeichen out;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '"') continue;
    if (c != '\\' || i + 1 == s.size()) {
      out.byte(c);
      continue;
    }
    const char e = s[++i];
    if (e == 'n') out.byte('\n');
    else if (e == 'r') out.byte('\r');
    else if (e == 't') out.byte('\t');
    else if (e == 'x' && hexAt(s, i + 1, 4) >= 0) {
      out.unit(hexAt(s, i + 1, 4));
      i += 4;
    } else out.byte(e);
  }
  return out.text();
}

QByteArray escapeValue(const QString& v) {
  QByteArray out = "\"";
  for (const QChar ch : v) {
    const char16_t c = ch.unicode();
    if (c == '"' || c == '\\') out += '\\' + QByteArray(1, char(c));
    else if (c == '\n') out += "\\n";
    else if (c == '\r') out += "\\r";
    else if (c == '\t') out += "\\t";
    else if (c < 0x20 || (c >= 0xD800 && c <= 0xDFFF)) out += "\\x" + hex(c, 4);
    else out += QString(ch).toUtf8();
  }
  return out + '"';
}

bool isGeneral(const QString& section) { return section.compare(QLatin1String("General"), Qt::CaseInsensitive) == 0; }

}  // namespace

QString filePath(const QString& app) {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/ZEVO/") +
         app.toLower() + QStringLiteral(".ini");
}

QMap<QString, QString> parse(const QByteArray& ini) {
  QMap<QString, QString> entries;
  QString section;
  for (QByteArray line : ini.split('\n')) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
    if (line.startsWith('[')) {
      const qsizetype end = line.indexOf(']');
      const QByteArray name = line.mid(1, end < 0 ? -1 : end - 1);
      if (isGeneral(QString::fromLatin1(name))) section.clear();
      else if (name.startsWith('%') && isGeneral(QString::fromLatin1(name.mid(1)))) section = QStringLiteral("General");
      else section = unescapeKey(name);
      continue;
    }
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) continue;
    const QString key = unescapeKey(line.left(eq).trimmed());
    entries[section.isEmpty() ? key : section + QLatin1Char('/') + key] = unescapeValue(line.mid(eq + 1).trimmed());
  }
  return entries;
}

QByteArray format(const QMap<QString, QString>& entries) {
  // Sections by their first part; [General] first for keys without one.
  QMap<QString, QList<QPair<QString, QString>>> sections;
  for (auto e = entries.cbegin(); e != entries.cend(); ++e) {
    const qsizetype slash = e.key().indexOf(QLatin1Char('/'));
    if (slash <= 0) sections[QString()] << qMakePair(e.key(), e.value());
    else sections[e.key().left(slash)] << qMakePair(e.key().mid(slash + 1), e.value());
  }
  QByteArray out;
  for (auto s = sections.cbegin(); s != sections.cend(); ++s) {
    if (!out.isEmpty()) out += '\n';
    // A section that is named General is not the one of the keys without one.
    out += '[' + (s.key().isEmpty() ? QByteArray("General") : (isGeneral(s.key()) ? "%" : "") + escapeKey(s.key())) +
           "]\n";
    for (const auto& [key, value] : s.value()) out += escapeKey(key) + '=' + escapeValue(value) + '\n';
  }
  return out;
}

namespace {

// The file's entries; false when it exists but cannot be read.
bool readFile(const QString& path, QMap<QString, QString>& entries) {
  entries.clear();
  if (!QFileInfo::exists(path)) return true;
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return false;
  entries = parse(f.readAll());
  return f.error() == QFile::NoError;
}

}  // namespace

QString value(const QString& app, const QString& section, const QString& key) {
  QMap<QString, QString> entries;
  readFile(filePath(app), entries);
  return entries.value(section + QLatin1Char('/') + key);
}

bool setValue(const QString& app, const QString& section, const QString& key, const QString& value) {
  const QString path = filePath(app);
  QMap<QString, QString> entries;
  if (!readFile(path, entries)) return false;
  const QString name = section + QLatin1Char('/') + key;
  entries[name] = value;
  return QDir().mkpath(QFileInfo(path).absolutePath()) && vb::writeWholeFile(path, format(entries));
}

}  // namespace zevo::ui::widthstore
