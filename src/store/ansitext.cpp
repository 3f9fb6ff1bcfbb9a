#include "store/ansitext.h"

#include <QStringDecoder>
#include <QTextBoundaryFinder>

#include <algorithm>
#include <optional>
#include <vector>

namespace {
// 0x80..0x9F of Windows-1252; 0 marks an unassigned byte, kept as its Latin-1 value.
constexpr char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> windows1252(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u < 0x100)) return char(u);
    if (u < 0xA0 && !kHigh[u - 0x80]) return char(u);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == u) return char(0x80 + i);
    return std::nullopt;
}

std::optional<std::string> singlebyte(const QString& text) {
    std::string out;
    out.reserve(std::size_t(text.size()));
    for (QChar ch : text) {
        const auto b = windows1252(ch.unicode());
        if (!b) return std::nullopt;
        out.push_back(*b);
    }
    return out;
}

// Valid UTF-8 that holds at least one multi-byte sequence.
std::optional<QString> asutf8(const std::string& bytes) {
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return std::nullopt;
    // A leading byte-order mark is part of the text, not a marker to drop.
    // Stateless: a sequence cut off at the end ("caf\xE9") is an error, not held back.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (utf8.hasError()) return std::nullopt;
    return text;
}
} // namespace

QString fromansi(const std::string& bytes) {
    // Plain ASCII reads the same in both codecs; a long list is mostly that.
    if (std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; }))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    if (auto text = asutf8(bytes)) return *text;
    QString out;
    out.reserve(qsizetype(bytes.size()));
    for (unsigned char c : bytes)
        out.append(QChar(c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] ? kHigh[c - 0x80] : c));
    return out;
}

std::string toansi(const QString& text) {
    // Single bytes that would read back as UTF-8 ("Ã©") go as UTF-8, so every text
    // reads back as written.
    if (auto single = singlebyte(text); single && !asutf8(*single)) return *single;
    return text.toUtf8().toStdString();
}

std::string toansi(const QString& text, std::size_t maxbytes) {
    std::string whole = toansi(text);
    if (whole.size() <= maxbytes) return whole;
    std::vector<qsizetype> ends; // character boundaries after the first character
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0; at = finder.toNextBoundary())
        ends.push_back(at);
    // The stored size grows with the prefix; search the longest prefix that fits.
    std::string best;
    std::size_t lo = 0, hi = ends.size();
    while (lo < hi) {
        const std::size_t mid = (lo + hi) / 2;
        std::string part = toansi(text.left(ends[mid]));
        if (part.size() <= maxbytes) {
            best = std::move(part);
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return best;
}
