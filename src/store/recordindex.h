#pragma once

#include <cstdint>

// A record's position in the working database (Notifications from 1). Row numbers
// are plain ints; the two are easy to swap, so the record number has a type of its own.
struct RecordIndex {
    int32_t value = -1;

    constexpr RecordIndex() = default;
    constexpr explicit RecordIndex(int32_t v) : value(v) {}
    // -1 and other negatives: no record.
    constexpr bool valid() const { return value >= 0; }
    constexpr bool operator==(const RecordIndex& o) const { return value == o.value; }
};
