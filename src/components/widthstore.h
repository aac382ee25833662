#pragma once
// The grids' column widths between runs: one INI file per application name
// in the user's configuration folder ("ZEVO/zevo.ini"; "ZEVO" and "Zevo" are
// one application), a section per list, "key=value" lines in it.
//
// The file is read and written here and saved as a whole file: on a full
// disk the old file stays as it was. A file written by QSettings reads the
// same: sections and keys with "%XX", "%UXXXX" and "\" escapes, values
// quoted or not; "[General]" holds the keys outside any section.
#include <QByteArray>
#include <QMap>
#include <QString>

namespace zevo::ui::widthstore {

QString filePath(const QString& app);

// Every entry as "section/key" (a key of [General] alone) with its value.
QMap<QString, QString> parse(const QByteArray& ini);
QByteArray format(const QMap<QString, QString>& entries);

// "" when nothing is stored.
QString value(const QString& app, const QString& section, const QString& key);
// False when the file cannot be read or written whole; it is then unchanged.
bool setValue(const QString& app, const QString& section, const QString& key, const QString& value);

}  // namespace zevo::ui::widthstore
