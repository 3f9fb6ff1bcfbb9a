#pragma once

#include "support/tempfolder.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <utility>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

// Test files made on the spot.

// Left half red, right half blue: easy to tell apart after JPEG and scaling.
inline QImage twocolours(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, x < w / 2 ? qRgb(220, 0, 0) : qRgb(0, 0, 220));
    return img;
}

// A placeable Windows metafile written record by record.
class WmfWriter {
public:
    WmfWriter(int16_t width, int16_t height, uint16_t inch) {
        w32(0x9AC6CDD7u);
        w16(0);
        w16(0), w16(0), w16(uint16_t(width)), w16(uint16_t(height));
        w16(inch);
        w32(0);
        uint16_t sum = 0;
        for (int i = 0; i < 10; ++i)
            sum ^= uint16_t(uint8_t(b_[2 * i]) | (uint8_t(b_[2 * i + 1]) << 8));
        w16(sum);
        header_ = b_.size();
        w16(1), w16(9), w16(0x300), w32(0), w16(0), w32(0), w16(0);
        record(0x020B, {0, 0});                              // SetWindowOrg
        record(0x020C, {uint16_t(height), uint16_t(width)}); // SetWindowExt
    }
    // Solid brush of colour 0x00BBGGRR, selected at once.
    void brush(uint32_t colorref) {
        record(0x02FC, {0, uint16_t(colorref & 0xffff), uint16_t(colorref >> 16), 0});
        record(0x012D, {objects_++});
    }
    // Pen of a style and width in logical units, black, selected at once.
    void pen(uint16_t style, uint16_t width) {
        record(0x02FA, {style, width, 0, 0, 0});
        record(0x012D, {objects_++});
    }
    void rectangle(int16_t l, int16_t t, int16_t r, int16_t b) {
        record(0x041B, {uint16_t(b), uint16_t(r), uint16_t(t), uint16_t(l)});
    }
    void ellipse(int16_t l, int16_t t, int16_t r, int16_t b) {
        record(0x0418, {uint16_t(b), uint16_t(r), uint16_t(t), uint16_t(l)});
    }
    // From the ray towards (x1, y1) anticlockwise to the ray towards (x2, y2).
    void pie(int16_t l, int16_t t, int16_t r, int16_t b, int16_t x1, int16_t y1, int16_t x2,
             int16_t y2) {
        record(0x081A, {uint16_t(y2), uint16_t(x2), uint16_t(y1), uint16_t(x1), uint16_t(b),
                        uint16_t(r), uint16_t(t), uint16_t(l)});
    }
    void roundrect(int16_t l, int16_t t, int16_t r, int16_t b, int16_t w, int16_t h) {
        record(0x061C,
               {uint16_t(h), uint16_t(w), uint16_t(b), uint16_t(r), uint16_t(t), uint16_t(l)});
    }
    void polygon(std::initializer_list<std::pair<int16_t, int16_t>> points) {
        std::vector<uint16_t> params{uint16_t(points.size())};
        for (const auto& [x, y] : points)
            params.insert(params.end(), {uint16_t(x), uint16_t(y)});
        record(0x0324, params);
    }
    QByteArray finish() {
        record(0x0000, {});
        QByteArray out = b_;
        const uint32_t words = uint32_t(out.size() - header_) / 2;
        std::memcpy(out.data() + header_ + 6, &words, 4);
        std::memcpy(out.data() + header_ + 10, &objects_, 2);
        std::memcpy(out.data() + header_ + 12, &maxrecord_, 4);
        return out;
    }

private:
    void w16(uint16_t v) { b_.append(char(v & 0xff)).append(char(v >> 8)); }
    void w32(uint32_t v) { w16(uint16_t(v & 0xffff)), w16(uint16_t(v >> 16)); }
    void record(uint16_t fn, std::initializer_list<uint16_t> params) {
        record(fn, std::vector<uint16_t>(params));
    }
    void record(uint16_t fn, const std::vector<uint16_t>& params) {
        const uint32_t size = 3 + uint32_t(params.size());
        maxrecord_ = std::max(maxrecord_, size);
        w32(size);
        w16(fn);
        for (uint16_t p : params)
            w16(p);
    }
    QByteArray b_;
    int header_ = 0;
    uint16_t objects_ = 0;
    uint32_t maxrecord_ = 0;
};

// A mono 16-bit PCM WAV of a sine tone.
inline QByteArray makewav(int msecs, int rate = 22050, double hz = 440.0) {
    const uint32_t samples = uint32_t(int64_t(rate) * msecs / 1000);
    QByteArray b;
    auto w16 = [&](uint16_t v) { b.append(char(v & 0xff)).append(char(v >> 8)); };
    auto w32 = [&](uint32_t v) { w16(uint16_t(v & 0xffff)), w16(uint16_t(v >> 16)); };
    b.append("RIFF");
    w32(36 + samples * 2);
    b.append("WAVEfmt ");
    w32(16), w16(1), w16(1), w32(uint32_t(rate)), w32(uint32_t(rate) * 2), w16(2), w16(16);
    b.append("data");
    w32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i)
        w16(uint16_t(int16_t(8000 * std::sin(2 * M_PI * hz * i / rate))));
    return b;
}
