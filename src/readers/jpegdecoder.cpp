#include "readers/jpegdecoder.h"

#include "readers/picturelimit.h"
#include "store/ioerror.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

namespace {
// libjpeg reports fatal errors by calling error_exit, which must not return; it
// jumps back to the decoder, which turns the message into an IoError.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};
    bool scanning = false;  // reading scanlines, all scans already taken in
    bool truncated = false; // pixels are missing
};

// A progressive file may hold any number of scans, each a pass over the whole
// picture; real encoders write about ten.
constexpr int kMaxScans = 1000;

void errorexit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings stay quiet, except those saying pixels are missing. The data running
// out while scanlines are read only means the end marker is missing when no
// pixel needed the bits (no "premature end of data segment").
void emitmessage(j_common_ptr cinfo, int level) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    if (level < 0) {
        ++cinfo->err->num_warnings;
        const int code = cinfo->err->msg_code;
        if (code == JWRN_HIT_MARKER || (code == JWRN_JPEG_EOF && !err->scanning))
            err->truncated = true;
    }
}

void limitscans(j_common_ptr cinfo) {
    auto* d = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (d->progressive_mode && d->input_scan_number > kMaxScans) {
        auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
        std::snprintf(err->message, sizeof err->message, "more than %d scans", kMaxScans);
        std::longjmp(err->jump, 1);
    }
}

void outputmessage(j_common_ptr) {}

// Everything the jump may skip over lives here, on the heap, reached through a
// pointer that is not changed after setjmp.
struct Decode {
    jpeg_decompress_struct cinfo{};
    ErrorManager err;
    jpeg_progress_mgr progress{};
    QImage image;
    std::vector<JSAMPLE> cmykrow;
    bool created = false;
    ~Decode() {
        if (created) jpeg_destroy_decompress(&cinfo);
    }
};

uchar clamp(int v) {
    return uchar(v < 0 ? 0 : v > 255 ? 255 : v);
}

// `inverted` values are 255 - ink, as Adobe writes them.
void cmyktorgb(const JSAMPLE* in, uchar* out, int width, bool inverted) {
    for (int x = 0; x < width; ++x, in += 4, out += 3) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        out[0] = clamp(c * k / 255);
        out[1] = clamp(m * k / 255);
        out[2] = clamp(y * k / 255);
    }
}
} // namespace

QImage decodejpeg(const QByteArray& bytes, const QString& source) {
    const std::string name = source.toStdString();
    if (bytes.isEmpty()) throw IoError("JPEG image " + name + " is empty");

    auto d = std::make_unique<Decode>();
    Decode* const state = d.get();
    state->cinfo.err = jpeg_std_error(&state->err.pub);
    state->err.pub.error_exit = errorexit;
    state->err.pub.emit_message = emitmessage;
    state->err.pub.output_message = outputmessage;

    if (setjmp(state->err.jump))
        throw IoError("JPEG image " + name + " is damaged: " + state->err.message);

    jpeg_create_decompress(&state->cinfo);
    state->created = true;
    jpeg_mem_src(&state->cinfo, reinterpret_cast<const unsigned char*>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    state->progress.progress_monitor = limitscans;
    state->cinfo.progress = &state->progress;
    state->cinfo.mem->max_memory_to_use = long(kMaxPictureBytes);
    jpeg_read_header(&state->cinfo, TRUE);
    checkpicturesize(state->cinfo.image_width, state->cinfo.image_height, source);
    const bool cmyk =
        state->cinfo.jpeg_color_space == JCS_CMYK || state->cinfo.jpeg_color_space == JCS_YCCK;
    state->cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    state->cinfo.scale_num = 1;
    state->cinfo.scale_denom = 1;
    jpeg_start_decompress(&state->cinfo);

    const int width = int(state->cinfo.output_width);
    const int height = int(state->cinfo.output_height);
    state->image = QImage(width, height, QImage::Format_RGB888);
    if (state->image.isNull()) throw IoError("JPEG image " + name + " is too large to show");
    if (cmyk) state->cmykrow.resize(size_t(width) * 4);
    // Adobe's CMYK files store the values inverted and say so in their APP14 marker.
    const bool inverted = state->cinfo.saw_Adobe_marker;
    state->err.scanning = true;
    while (state->cinfo.output_scanline < state->cinfo.output_height) {
        uchar* line = state->image.scanLine(int(state->cinfo.output_scanline));
        JSAMPROW target = cmyk ? state->cmykrow.data() : line;
        jpeg_read_scanlines(&state->cinfo, &target, 1);
        if (cmyk) cmyktorgb(state->cmykrow.data(), line, width, inverted);
    }
    jpeg_finish_decompress(&state->cinfo);
    if (state->err.truncated)
        throw IoError("JPEG image " + name + " is damaged: pixels are missing");
    return std::move(state->image);
}
