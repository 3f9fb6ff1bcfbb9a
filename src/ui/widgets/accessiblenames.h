#pragma once

#include <initializer_list>

class QString;
class QWidget;

// Gives every control of `window` a name and a description for screen readers: a field
// is named by the label whose buddy it is, a button by its caption (or, when the caption
// is no word, such as "..." or "c", by its hint), anything else by its hint; the hint is
// the description. Names set before stay. Call it once the window's controls exist.
void nameforaccess(QWidget* window);

// Tab moves through `chain` in its order.
void taborder(std::initializer_list<QWidget*> chain);

// A caption as spoken: the access-key marks gone ("&Apply" is "Apply", "&&" is "&").
QString spokencaption(const QString& caption);
