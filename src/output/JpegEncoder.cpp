#include "Encoders.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

namespace pulmora::output {
namespace {

// libjpeg reports a fatal error by calling error_exit, which must not return. Ours jumps back
// to the compressing function with the library's message; that function holds only plain C
// data, so the jump skips no destructor, and nothing ever exits the program.
struct ErrorManager {
    jpeg_error_mgr library;  // first, so libjpeg's pointer to it is a pointer to the whole
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void escapeWithMessage(j_common_ptr info) {
    auto* manager = reinterpret_cast<ErrorManager*>(info->err);
    info->err->format_message(info, manager->message);
    std::longjmp(manager->escape, 1);
}

// Warnings are not printed on the terminal; a warning alone does not fail the file.
void ignoreWarning(j_common_ptr) {}

struct Output {
    unsigned char* bytes = nullptr;  // grown by libjpeg with malloc; the caller frees it
    unsigned long size = 0;
};

// Compresses `height` rows of `width` RGB pixels into `out`. False with `message` filled when
// libjpeg fails.
bool compress(unsigned char* pixels, JDIMENSION width, JDIMENSION height, size_t stride, Output& out,
              char (&message)[JMSG_LENGTH_MAX]) {
    jpeg_compress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.library);
    errors.library.error_exit = escapeWithMessage;
    errors.library.output_message = ignoreWarning;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        std::memcpy(message, errors.message, sizeof message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &out.bytes, &out.size);

    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_colorspace(&info, JCS_YCbCr);
    jpeg_set_quality(&info, 100, TRUE);
    jpeg_simple_progression(&info);
    info.dct_method = JDCT_ISLOW;
    // Asked for, although libjpeg computes its own tables for progressive scans anyway.
    info.optimize_coding = FALSE;
    info.restart_interval = 0;
    info.restart_in_rows = 0;
    info.smoothing_factor = 0;
    info.write_JFIF_header = TRUE;
    info.density_unit = 0;
    info.X_density = 1;
    info.Y_density = 1;
    info.input_gamma = 1.0;

    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = pixels + size_t(info.next_scanline) * stride;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

}  // namespace

Encoded encodeJpeg(const QImage& rgb) {
    QImage pixels = rgb;  // libjpeg reads rows through non-const pointers; it never writes them
    Output out;
    char message[JMSG_LENGTH_MAX] = {};
    const bool done = compress(pixels.bits(), JDIMENSION(pixels.width()), JDIMENSION(pixels.height()),
                               size_t(pixels.bytesPerLine()), out, message);
    Encoded encoded;
    if (done)
        encoded.bytes = QByteArray(reinterpret_cast<const char*>(out.bytes), qsizetype(out.size));
    else
        encoded.error = QStringLiteral("The JPEG library failed: %1").arg(QString::fromLocal8Bit(message));
    std::free(out.bytes);
    return encoded;
}

}  // namespace pulmora::output
