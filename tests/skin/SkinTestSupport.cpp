#include "SkinTestSupport.h"

#include "platform/HeadlessDisplay.h"
#include "platform/Process.h"
#include "ui/Forms.h"

#include <cstdio>
#include <fstream>
#include <jpeglib.h>
#include <memory>

namespace skintest {

TempFolder::TempFolder() {
    static int counter = 0;
    m_path = std::filesystem::temp_directory_path() /
             ("brelvan-skin-" + std::to_string(ProcessId()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(m_path);
}

TempFolder::~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
}

void TempFolder::Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
}

void TempFolder::WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    std::ofstream f(Path(name), std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

void EnsureApplication() {
    static bool started = false;
    if (started) return;
    started = true;
    SetDisplay(std::make_unique<HeadlessDisplay>(1280, 1024));
    Application->Initialize();
}

std::vector<std::uint8_t> EncodeTestJpeg(int width, int height) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 90, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<unsigned char> row(std::size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            row[x * 3] = 200;
            row[x * 3 + 1] = static_cast<unsigned char>(y * 4);
            row[x * 3 + 2] = 40;
        }
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&cinfo, &r, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> bytes(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return bytes;
}

} // namespace skintest
