#include "gfx/Jpeg.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
// jpeglib.h needs <cstdio> first; jerror.h gives the message codes.
#include <jerror.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void OnMessage(j_common_ptr cinfo, int level) {
    // A picture that ends early is an error here, not a grey bottom half.
    if (level < 0 && cinfo->err->msg_code == JWRN_JPEG_EOF) OnError(cinfo);
}

// Runs the decoder; everything that owns memory lives outside this frame so the error jump
// skips no destructor.
bool Decode(jpeg_decompress_struct& cinfo, ErrorManager& err, const std::uint8_t* data,
            std::size_t size, int scale, TBitmap& out, std::vector<std::uint8_t>& row,
            std::string& why) {
    if (setjmp(err.jump)) {
        why = err.message;
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width == 0 || cinfo.image_height == 0 ||
        cinfo.image_width > unsigned(MaxPictureSide) ||
        cinfo.image_height > unsigned(MaxPictureSide) ||
        std::int64_t(cinfo.image_width) * cinfo.image_height > MaxPicturePixels) {
        why = "the picture size " + std::to_string(cinfo.image_width) + " x " +
              std::to_string(cinfo.image_height) + " is too large";
        return false;
    }
    // Huffman coding spends at least one bit on every 8 x 8 block, so a picture cannot hold
    // more than 512 pixels per byte of the file; arithmetic coding can pack much tighter, yet
    // not without bound. A short file claiming a huge picture is refused before the picture
    // is allocated.
    const std::uint64_t pixelsPerByte = cinfo.arith_code ? 512 * 64 : 512;
    if (std::uint64_t(cinfo.image_width) * cinfo.image_height > size * pixelsPerByte) {
        why = std::to_string(size) + " bytes cannot hold a picture of " +
              std::to_string(cinfo.image_width) + " x " + std::to_string(cinfo.image_height);
        return false;
    }
    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = int(cinfo.output_width), h = int(cinfo.output_height);
    if (w % scale != 0 || h % scale != 0) {
        why = "the picture size " + std::to_string(w) + " x " + std::to_string(h) +
              " is not a whole number of points at scale " + std::to_string(scale);
        return false;
    }
    out.SetScale(scale);
    out.SetSize(w / scale, h / scale);
    row.resize(std::size_t(w) * std::size_t(cinfo.output_components));
    while (cinfo.output_scanline < cinfo.output_height) {
        const int y = int(cinfo.output_scanline);
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        TPixel* dst = out.ScanLine(y);
        const std::uint8_t* s = row.data();
        if (cmyk) {
            // Stored inverted by the common writers: channel * K / 255 gives RGB.
            for (int x = 0; x < w; ++x, s += 4) {
                const unsigned k = s[3];
                dst[x] = 0xFF000000u | (TPixel(s[0] * k / 255) << 16) |
                         (TPixel(s[1] * k / 255) << 8) | TPixel(s[2] * k / 255);
            }
        } else {
            for (int x = 0; x < w; ++x, s += 3)
                dst[x] = 0xFF000000u | (TPixel(s[0]) << 16) | (TPixel(s[1]) << 8) | s[2];
        }
    }
    jpeg_finish_decompress(&cinfo);
    return true;
}

} // namespace

namespace {

// Runs the encoder; as for decoding, nothing that owns memory lives in this frame.
bool Encode(jpeg_compress_struct& cinfo, ErrorManager& err, const TBitmap& bitmap,
            const TJpegWriteOptions& options, unsigned char** memory, unsigned long* size,
            std::vector<std::uint8_t>& row, std::string& why) {
    if (setjmp(err.jump)) {
        why = err.message;
        return false;
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, memory, size);
    cinfo.image_width = JDIMENSION(bitmap.Width());
    cinfo.image_height = JDIMENSION(bitmap.Height());
    cinfo.input_components = options.grey ? 1 : 3;
    cinfo.in_color_space = options.grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    row.resize(std::size_t(bitmap.Width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        const TPixel* p = bitmap.ScanLine(int(cinfo.next_scanline));
        std::uint8_t* d = row.data();
        for (int x = 0; x < bitmap.Width(); ++x) {
            if (options.grey) {
                *d++ = std::uint8_t(p[x] >> 8);
                continue;
            }
            *d++ = std::uint8_t(p[x] >> 16);
            *d++ = std::uint8_t(p[x] >> 8);
            *d++ = std::uint8_t(p[x]);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    return true;
}

} // namespace

std::vector<std::uint8_t> EncodeJpeg(const TBitmap& bitmap, const TJpegWriteOptions& options) {
    if (bitmap.Empty()) throw EInvalidGraphic("Cannot write an empty picture as JPEG");
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = &OnError;
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    std::vector<std::uint8_t> row;
    std::string why;
    const bool ok = Encode(cinfo, err, bitmap, options, &memory, &size, row, why);
    std::vector<std::uint8_t> bytes;
    if (ok) bytes.assign(memory, memory + size);
    jpeg_destroy_compress(&cinfo);
    std::free(memory);
    if (!ok) throw EInvalidGraphic("Cannot write JPEG: " + why);
    return bytes;
}

bool IsJpeg(const void* data, std::size_t size) {
    const auto* d = static_cast<const std::uint8_t*>(data);
    return size >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF;
}

void DecodeJpeg(TBitmap& bitmap, const void* data, std::size_t size) {
    DecodeJpeg(bitmap, data, size, 1);
}

void DecodeJpeg(TBitmap& bitmap, const void* data, std::size_t size, int scale) {
    scale = std::clamp(scale, 1, MaxDeviceScale);
    if (!IsJpeg(data, size)) throw EInvalidGraphic("Invalid JPEG picture: no start marker");
    jpeg_decompress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = &OnError;
    err.base.emit_message = &OnMessage;
    TBitmap result;
    std::vector<std::uint8_t> row;
    std::string why;
    const bool ok =
        Decode(cinfo, err, static_cast<const std::uint8_t*>(data), size, scale, result, row, why);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) throw EInvalidGraphic("Invalid JPEG picture: " + why);
    result.SetPixelFormatTag(pf24bit);
    bitmap.Swap(result);
}
