#pragma once

#include <QIcon>
#include <QString>

#include <utility>
#include <vector>

// An icon with one picture file per size, which picks, scales and greys its pictures as an
// icon of added files does, but reads each picture only when a size is asked for. Pictures
// of up to `keepside` pixels are kept once read; larger ones are read again at each
// request, which only the making of a window (its icon property holds every size) and
// screens of high density make, so no start holds them.
QIcon filesicon(std::vector<std::pair<int, QString>> sizedfiles, int keepside);
