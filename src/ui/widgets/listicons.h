#pragma once

#include <QIcon>
#include <QPixmap>

#include <array>

// The nine 16 x 16 list icons, drawn in code so they stay sharp at any scale.
// Indices are the roles of schedule/rowtable.h's `icon` namespace.
class ImageList {
public:
    static constexpr int kCount = 9;
    static constexpr int kSize = 16;

    ImageList();
    int count() const { return kCount; }
    // A null icon for an index outside 0-8 (a row part without a picture).
    QIcon icon(int index) const;
    QPixmap pixmap(int index) const;

private:
    std::array<QIcon, kCount> icons_;
};

// Draws one list icon into a square of `size` pixels.
QPixmap drawlisticon(int index, int size);

// The program's icon (window, tray, about box, desktop entry): a bell on a rounded tile.
QIcon programicon();
// The icon at `size` device pixels.
QPixmap drawprogramicon(int size);

// Small glyphs for the command buttons.
enum class Glyph { NewFile, OpenFile, SaveFile, Settings, Edit, Delete };
QIcon glyphicon(Glyph g);
