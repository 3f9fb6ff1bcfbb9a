#include "store/nativename.h"

namespace {

constexpr char16_t kRawFirst = 0xDC80, kRawLast = 0xDCFF;

bool israw(QChar c) {
    return c.unicode() >= kRawFirst && c.unicode() <= kRawLast;
}

// The length of the valid UTF-8 sequence at `p` (overlong forms, surrogates and code
// points above U+10FFFF are not valid), 0 when there is none.
int sequence(const unsigned char* p, qsizetype left, char32_t& code) {
    const unsigned char b = p[0];
    int n = 0;
    char32_t least = 0;
    if (b < 0x80) {
        code = b;
        return 1;
    }
    if (b >= 0xC2 && b <= 0xDF) {
        n = 2;
        code = b & 0x1Fu;
        least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        n = 3;
        code = b & 0x0Fu;
        least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        n = 4;
        code = b & 0x07u;
        least = 0x10000;
    } else {
        return 0;
    }
    if (left < n) return 0;
    for (int i = 1; i < n; ++i) {
        if ((p[i] & 0xC0u) != 0x80u) return 0;
        code = (code << 6) | (p[i] & 0x3Fu);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return n;
}

} // namespace

QString namefromnative(const QByteArray& bytes) {
    QString out;
    out.reserve(bytes.size());
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    for (qsizetype i = 0; i < bytes.size();) {
        char32_t code = 0;
        const int n = sequence(p + i, bytes.size() - i, code);
        if (n == 0) {
            out.append(QChar(char16_t(0xDC00 + p[i])));
            ++i;
            continue;
        }
        if (QChar::requiresSurrogates(code)) {
            out.append(QChar(QChar::highSurrogate(code)));
            out.append(QChar(QChar::lowSurrogate(code)));
        } else {
            out.append(QChar(char16_t(code)));
        }
        i += n;
    }
    return out;
}

QByteArray nativename(const QString& name) {
    QByteArray out;
    out.reserve(name.size());
    qsizetype from = 0;
    for (qsizetype i = 0; i <= name.size(); ++i) {
        // A low surrogate after a high one is half of a character, not a byte.
        const bool raw =
            i < name.size() && israw(name[i]) && (i == 0 || !name[i - 1].isHighSurrogate());
        if (i < name.size() && !raw) continue;
        out += QStringView(name).mid(from, i - from).toUtf8();
        if (raw) out += char(name[i].unicode() - 0xDC00);
        from = i + 1;
    }
    return out;
}

bool holdsrawbytes(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (israw(text[i]) && (i == 0 || !text[i - 1].isHighSurrogate())) return true;
    return false;
}

QString shownname(const QString& name) {
    QString out = name;
    for (qsizetype i = 0; i < out.size(); ++i)
        if (israw(out[i]) && (i == 0 || !name[i - 1].isHighSurrogate()))
            out[i] = QChar::ReplacementCharacter;
    return out;
}
