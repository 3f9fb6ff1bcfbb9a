#pragma once

#include <QByteArray>
#include <QString>

// File names as the system holds them: any bytes, not always UTF-8 (a list named in
// Latin-1 on an older disk). A name is carried in a QString with each byte that is not
// part of valid UTF-8 kept as a lone low surrogate U+DC80-U+DCFF, so it goes back to the
// very bytes it came from. Every open, stat and rename of a list file goes through
// `nativename`.
QString namefromnative(const QByteArray& bytes);
QByteArray nativename(const QString& name);
// Whether `text` holds bytes that were not valid UTF-8.
bool holdsrawbytes(const QString& text);
// `name` for people to read: each raw byte as U+FFFD.
QString shownname(const QString& name);
