#pragma once

#include <QByteArray>
#include <QTextFormat>

class QTextDocument;

// Rich text files as the help viewer needs them: paragraphs, tabs, bold, italic,
// underline, font sizes and colours; tables, pictures and other destinations are
// skipped. Damaged input never crashes or hangs it: work is linear in the input,
// nesting deeper than the reader keeps track of is flattened.
bool isrtf(const QByteArray& data);

// Appends the text of `data` to `doc`.
void readrtf(const QByteArray& data, QTextDocument& doc);

// Character formats with a size of their own carry it in half points here, so a viewer
// can scale them with its base size.
inline constexpr int kRtfHalfPoints = QTextFormat::UserProperty + 1;
