#include "JpegReader.h"

#include "PictureFile.h"

#include <csetjmp>
#include <cstdio>
#include <vector>
// clang-format off: jpeglib.h needs <cstdio> first
#include <jerror.h>
#include <jpeglib.h>
// clang-format on

namespace platform {
namespace {

// The decoder's errors end the decoding by a jump back to where it began; so do its
// warnings of damaged data, which it would otherwise decode past, making up the pixels it
// lacks (a cut file ends in flat grey). Warnings about the header alone leave the pixels
// whole and are passed over.
struct Errors {
    jpeg_error_mgr manager;
    std::jmp_buf failed;
};

[[noreturn]] void Fail(j_common_ptr decoder) {
    std::longjmp(reinterpret_cast<Errors*>(decoder->err)->failed, 1);
}

void Message(j_common_ptr decoder, int level) {
    const int code = decoder->err->msg_code;
    if (level < 0 && code != JWRN_JFIF_MAJOR && code != JWRN_ADOBE_XFORM)
        Fail(decoder);
}

void Quiet(j_common_ptr) {}

// The file, a chunk at a time; its end before the end-of-image marker is an error.
struct Source {
    jpeg_source_mgr manager;
    QIODevice* file;
    JOCTET chunk[16384];
};

void Start(j_decompress_ptr) {}

boolean Fill(j_decompress_ptr decoder) {
    auto* source = reinterpret_cast<Source*>(decoder->src);
    const qint64 read =
        source->file->read(reinterpret_cast<char*>(source->chunk), qint64(sizeof source->chunk));
    if (read <= 0)
        ERREXIT(decoder, JERR_INPUT_EOF);
    source->manager.next_input_byte = source->chunk;
    source->manager.bytes_in_buffer = size_t(read);
    return TRUE;
}

void Skip(j_decompress_ptr decoder, long count) {
    jpeg_source_mgr& source = *decoder->src;
    while (count > long(source.bytes_in_buffer)) {
        count -= long(source.bytes_in_buffer);
        source.bytes_in_buffer = 0;
        Fill(decoder);
    }
    if (count > 0) {
        source.next_input_byte += count;
        source.bytes_in_buffer -= size_t(count);
    }
}

void End(j_decompress_ptr) {}

// Adobe's inverted CMYK, as Qt's reader turns it into colours: each channel times the
// black channel. Done in place: four bytes a pixel come in, four go out.
void CmykToRgb(uchar* row, JDIMENSION width) {
    auto* out = reinterpret_cast<QRgb*>(row);
    for (JDIMENSION x = 0; x < width; ++x, row += 4) {
        const int k = row[3];
        out[x] = qRgb(k * row[0] / 255, k * row[1] / 255, k * row[2] / 255);
    }
}

// Decodes into `picture`; false when the decoder gave up. Kept apart from the caller so
// that nothing with a destructor lives between the jump's start and its landing.
bool Run(jpeg_decompress_struct& decoder, Errors& errors, QImage& picture,
         std::vector<JSAMPROW>& rows) {
    if (setjmp(errors.failed))
        return false;
    jpeg_read_header(&decoder, TRUE);
    const JDIMENSION width = decoder.image_width;
    const JDIMENSION height = decoder.image_height;
    if (width == 0 || height == 0 || width > JDIMENSION(MaxPictureSide) ||
        height > JDIMENSION(MaxPictureSide) || qint64(width) * height > MaxPicturePixels)
        return false;
    bool cmyk = false;
    switch (decoder.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
        decoder.out_color_space = JCS_EXT_BGRX;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        decoder.out_color_space = JCS_CMYK;
        cmyk = true;
        break;
    default:
        return false; // colours of no space Qt's reader shows either
    }
    if (picture.width() != int(width) || picture.height() != int(height) ||
        picture.format() != QImage::Format_RGB32 || !picture.isDetached())
        picture = QImage(int(width), int(height), QImage::Format_RGB32);
    if (picture.isNull())
        return false;
    rows.resize(height);
    for (JDIMENSION y = 0; y < height; ++y)
        rows[y] = picture.scanLine(int(y));

    jpeg_start_decompress(&decoder);
    if (decoder.output_width != width || decoder.output_height != height ||
        decoder.output_components != 4)
        return false;
    while (decoder.output_scanline < height) {
        const JDIMENSION from = decoder.output_scanline;
        const JDIMENSION read = jpeg_read_scanlines(&decoder, rows.data() + from, height - from);
        if (cmyk) {
            for (JDIMENSION y = from; y < from + read; ++y)
                CmykToRgb(rows[y], width);
        }
    }
    jpeg_finish_decompress(&decoder);
    return true;
}

} // namespace

bool IsJpeg(QByteArrayView file) {
    return file.startsWith("\xFF\xD8");
}

bool DecodeJpeg(QIODevice& file, QImage& picture) {
    jpeg_decompress_struct decoder{};
    Errors errors{};
    decoder.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = Fail;
    errors.manager.emit_message = Message;
    errors.manager.output_message = Quiet;
    jpeg_create_decompress(&decoder);

    Source source{};
    source.manager.init_source = Start;
    source.manager.fill_input_buffer = Fill;
    source.manager.skip_input_data = Skip;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = End;
    source.file = &file;
    decoder.src = &source.manager;

    std::vector<JSAMPROW> rows;
    const bool decoded = Run(decoder, errors, picture, rows);
    jpeg_destroy_decompress(&decoder);
    if (!decoded)
        picture = QImage();
    return decoded;
}

} // namespace platform
