// fuzzseeds OUTDIR: writes the seed corpora of the fuzz targets into OUTDIR/<target>/, from
// inputs our own programs make. Run by hand when a format changes:
//     build/tools/fuzzseeds/fuzzseeds fuzz/corpus
// Every file is named "seed-..."; files the fuzzers add and reproducers are left alone.

#include "data/ProgramSkin.h"
#include "gfx/Bitmap.h"
#include "gfx/Bmp.h"
#include "gfx/Jpeg.h"
#include "gfx/Png.h"
#include "platform/Socket.h"
#include "rtl/FormatSettings.h"
#include "rtl/Stream.h"
#include "skin/CompressedStoredSkin.h"
#include "skin/SkinContainer.h"
#include "table/FilterRanges.h"
#include "table/PresetFile.h"
#include "tools/tipsd/MatchGenerator.h"
#include "tools/tipsd/TipsServer.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;

fs::path g_out;

void Write(const std::string& target, const std::string& name, std::string_view bytes) {
    fs::create_directories(g_out / target);
    std::ofstream(g_out / target / ("seed-" + name), std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Write(const std::string& target, const std::string& name,
           const std::vector<std::uint8_t>& bytes) {
    Write(target, name,
          std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

TBitmap Pattern(int w, int h, int colours) {
    static const TColor kColours[] = {clBlack,  clWhite, clRed,    clLime,   clBlue,    clYellow,
                                      clNavy,   clTeal,  clGray,   clMaroon, clFuchsia, 0x123456,
                                      0x80FFFF, clOlive, clPurple, clSilver};
    TBitmap b(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            b.ScanLine(y)[x] = ColorToPixel(kColours[(x * 7 + y * 3) % colours]);
    return b;
}

// A BMP our writer does not make: the header, a palette and the pixel bytes as given.
std::vector<std::uint8_t> HandBmp(int infoSize, int w, int h, int bits, std::uint32_t compression,
                                  const std::vector<std::uint32_t>& palette,
                                  const std::vector<std::uint8_t>& pixels,
                                  const std::vector<std::uint32_t>& masks = {}) {
    // Masks follow the 40-byte header; the palette follows them.
    const std::size_t paletteAt = 14 + infoSize + masks.size() * 4;
    const std::size_t offset = paletteAt + palette.size() * (infoSize == 12 ? 3 : 4);
    std::vector<std::uint8_t> v(offset, 0);
    auto put = [&v](std::size_t at, std::uint32_t x, int bytes) {
        for (int i = 0; i < bytes; ++i) v[at + i] = std::uint8_t(x >> (8 * i));
    };
    v[0] = 'B';
    v[1] = 'M';
    put(10, std::uint32_t(offset), 4);
    put(14, std::uint32_t(infoSize), 4);
    if (infoSize == 12) {
        put(18, std::uint32_t(w), 2);
        put(20, std::uint32_t(h), 2);
        put(22, 1, 2);
        put(24, std::uint32_t(bits), 2);
    } else {
        put(18, std::uint32_t(w), 4);
        put(22, std::uint32_t(h), 4);
        put(26, 1, 2);
        put(28, std::uint32_t(bits), 2);
        put(30, compression, 4);
        put(46, std::uint32_t(palette.size()), 4);
        for (std::size_t i = 0; i < masks.size(); ++i) put(14 + infoSize + 4 * i, masks[i], 4);
    }
    for (std::size_t i = 0; i < palette.size(); ++i)
        put(paletteAt + (infoSize == 12 ? 3 : 4) * i, palette[i], infoSize == 12 ? 3 : 4);
    v.insert(v.end(), pixels.begin(), pixels.end());
    put(2, std::uint32_t(v.size()), 4);
    return v;
}

void BmpSeeds() {
    const TBitmap picture = Pattern(13, 7, 16);
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf24bit, pf32bit}) {
        TBitmap b = picture;
        b.SetPixelFormat(format);
        static const char* const kNames[] = {"",      "1bit",  "4bit",  "8bit",
                                             "15bit", "16bit", "24bit", "32bit"};
        Write("bmp", kNames[format], EncodeBmp(b));
    }
    // RLE8 and RLE4: runs, an absolute run, a delta, the row and picture ends.
    Write("bmp", "rle8",
          HandBmp(40, 8, 3, 8, 1, {0x000000, 0xFFFFFF, 0x0000FF},
                  {4, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 1, 1, 3, 2, 0, 1}));
    Write("bmp", "rle4",
          HandBmp(40, 8, 2, 4, 2, {0x000000, 0xFFFFFF, 0x00FF00},
                  {5, 0x12, 0, 0, 0, 4, 0x21, 0x12, 0, 1}));
    Write("bmp", "16bit-bitfields",
          HandBmp(40, 2, 2, 16, 3, {}, {0x00, 0xF8, 0xE0, 0x07, 0x1F, 0x00, 0xFF, 0xFF},
                  {0xF800, 0x07E0, 0x001F}));
    Write("bmp", "core-header", HandBmp(12, 2, 1, 8, 0, {0x102030, 0x405060}, {0, 1, 0, 0}));
    Write("bmp", "top-down", HandBmp(40, 1, -2, 24, 0, {}, {1, 2, 3, 0, 4, 5, 6, 0}));
}

std::vector<std::uint8_t> Jpeg(const TBitmap& b, bool progressive, bool grey) {
    TJpegWriteOptions options;
    options.quality = 75;
    options.progressive = progressive;
    options.grey = grey;
    return EncodeJpeg(b, options);
}

void PictureSeeds() {
    const TBitmap picture = Pattern(17, 9, 12);
    Write("jpeg", "baseline", Jpeg(picture, false, false));
    Write("jpeg", "progressive", Jpeg(picture, true, false));
    Write("jpeg", "grey", Jpeg(picture, false, true));
    Write("png", "opaque", EncodePng(picture));
    TBitmap alpha = picture;
    alpha.ScanLine(2)[3] = 0x40112233u;
    Write("png", "alpha", EncodePng(alpha, true));
}

std::string Inflated(TspCompressedStoredSkin& stored) {
    TMemoryStream inflated;
    stored.DecompressInto(inflated);
    return {static_cast<const char*>(inflated.Memory()), static_cast<std::size_t>(inflated.Size())};
}

// The same container with every picture shrunk to a few pixels at its own depth, so that the
// fuzzer spends its time on the container and the description rather than on big pictures.
// Also gives the description at the container's end.
std::string ShrinkPictures(const std::string& container, std::string& description) {
    TspSkinContainerReader reader(container.data(), container.size());
    TMemoryStream out;
    auto copyPicture = [&reader, &out] {
        TBitmap picture;
        reader.ReadBitmap(picture);
        TBitmap small = Pattern(5, 3, 4);
        small.SetPixelFormat(picture.PixelFormat());
        WriteSkinBitmap(out, small);
    };
    const int version = reader.ReadInt32();
    WriteSkinInt32(out, version);
    for (std::size_t i = 0; i < SkinContainerSlots(version).size(); ++i) {
        const std::uint8_t flag = reader.ReadByte();
        out.WriteBuffer(&flag, 1);
        if (flag == 0) copyPicture();
    }
    const int count = reader.ReadInt32();
    WriteSkinInt32(out, count);
    for (int i = 0; i < count; ++i) copyPicture();
    description = std::string(reader.Rest());
    out.WriteBuffer(description.data(), static_cast<int64_t>(description.size()));
    return {static_cast<const char*>(out.Memory()), static_cast<std::size_t>(out.Size())};
}

// A description with every section and one record of every kind the store knows.
std::string EveryRecordKind() {
    static const char* const kControls[] = {
        "button",   "menubutton",   "checkradio",     "panel",     "expanel",  "bevel",
        "label",    "stdlabel",     "bitlabel",       "gauge",     "splitter", "trackbar",
        "slider",   "framegauge",   "frameregulator", "animate",   "switch",   "tab",
        "grid",     "mainmenubar",  "controlbar",     "memo",      "edit",     "spinedit",
        "listbox",  "checklistbox", "combobox",       "scrollbar", "updown",   "scrollbox",
        "treeview", "listview",     "richedit"};
    static const char* const kObjects[] = {
        "stdbutton",    "button",          "caption",           "menuitem",
        "mainmenuitem", "mainmenubaritem", "mainmenubarbutton", "trackbar",
        "gauge",        "framegauge",      "frameregulator",    "label",
        "bitlabel",     "switch",          "animate",           "userobject"};
    const std::string section = "skinrect=1,2,30,20\r\npictureindex=0\r\n"
                                "activepictureindex=0\r\nlefttoppoint=3,3\r\n"
                                "rightbottompoint=27,17\r\nfontname=Arial\r\nfontheight=14\r\n"
                                "fontstyle=fsbold,fsitalic\r\nfontcolor=255\r\nmorphing=1\r\n"
                                "morphkind=mkgradient\r\nalignment=tacenter\r\n";
    std::string text = "[VERSION]\r\nskinname=Every kind\r\nskinauthor=fuzzseeds\r\n"
                       "[PICTURES]\r\npicture=frame.bmp\r\nmask=mask.bmp\r\n"
                       "activepicturescount=1\r\n0=controls.bmp\r\n"
                       "[FORMINFO]\r\nclientrect=9,34,141,97\r\nmaskrectarea=4,4,146,103\r\n"
                       "lefttoppoint=40,50\r\nformminwidth=170\r\n"
                       "[POPUPWINDOW]\r\nwindowpictureindex=0\r\nmaskpictureindex=-1\r\n"
                       "[HINTWINDOW]\r\nwindowpictureindex=0\r\n"
                       "[SKINCOLORS]\r\ncbtnface=15790320\r\n"
                       "[SKINAREAS]\r\ncount=2\r\n0=area0:1,1,5,5\r\n1=area1:bad\r\n"
                       "[CURSORS]\r\nstartcursorindex=1\r\ncursorscount=0\r\n";
    text += "[SKINOBJECTS]\r\ncount=" + std::to_string(std::size(kObjects)) + "\r\n";
    for (std::size_t i = 0; i < std::size(kObjects); ++i)
        text += std::to_string(i) + "=o_" + kObjects[i] + ":" + kObjects[i] + "\r\n";
    text += "[SKINCONTROLS]\r\ncount=" + std::to_string(std::size(kControls)) + "\r\n";
    for (std::size_t i = 0; i < std::size(kControls); ++i)
        text += std::to_string(i) + "=c_" + kControls[i] + ":" + kControls[i] + "\r\n";
    for (const char* kind : kObjects) text += std::string("[o_") + kind + "]\r\n" + section;
    for (const char* kind : kControls) text += std::string("[c_") + kind + "]\r\n" + section;
    return text;
}

void SkinSeeds(std::string& description) {
    TspCompressedStoredSkin stored(nullptr);
    LoadProgramSkin(stored);
    const std::string packed(reinterpret_cast<const char*>(ProgramSkinData()), ProgramSkinSize());
    const std::string container = ShrinkPictures(Inflated(stored), description);
    Write("skin", "program-skin-stored", std::string(1, '\0') + packed);
    Write("skin", "program-skin-small-pictures", std::string(1, '\1') + container);
    // A small container: version 3, one picture of each slot, one active picture.
    TMemoryStream small;
    WriteSkinInt32(small, 3);
    for (int slot = 0; slot < 3; ++slot) {
        const std::uint8_t present = 0;
        small.WriteBuffer(&present, 1);
        WriteSkinBitmap(small, Pattern(4 + slot, 3, 4));
    }
    WriteSkinInt32(small, 1);
    TBitmap active = Pattern(6, 2, 2);
    active.SetPixelFormat(pf1bit);
    WriteSkinBitmap(small, active);
    const std::string text = "[VERSION]\r\nskinname=Small\r\n[SKINCONTROLS]\r\ncount=1\r\n"
                             "0=button:button\r\n[button]\r\npictureindex=0\r\n";
    small.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
    Write("skin", "small-container",
          std::string(1, '\1') +
              std::string(static_cast<const char*>(small.Memory()), std::size_t(small.Size())));
    Write("skinini", "program-skin", description);
    Write("skinini", "small", text);
    Write("skinini", "every-record-kind", EveryRecordKind());
}

// The raw bytes the demo service sends for a request.
std::string ServiceAnswer(int port, const std::string& target) {
    TcpSocket socket;
    if (!socket.Connect("127.0.0.1", port, 5000)) return {};
    const std::string request = "GET " + target +
                                " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                                "Connection: close\r\n\r\n";
    socket.SendAll(request.data(), request.size(), 5000);
    std::string bytes;
    char buffer[65536];
    for (long got; (got = socket.Receive(buffer, sizeof buffer, 5000)) > 0;)
        bytes.append(buffer, static_cast<std::size_t>(got));
    // The session number differs from run to run; the seeds should not.
    const std::size_t session = bytes.find("session=");
    if (session != std::string::npos && bytes.size() >= session + 24)
        bytes.replace(session + 8, 16, "0123456789abcdef");
    return bytes;
}

void ServiceSeeds(std::string& answer) {
    MatchListOptions options;
    options.matchCount = 12;
    answer = ComposeMatchListAnswer(options);
    Write("answer", "service-12-matches", answer);
    options.matchCount = 0;
    Write("answer", "service-no-matches", ComposeMatchListAnswer(options));
    Write("answer", "refused", std::string("Failed"));
    Write("answer", "odd-blocks",
          std::string("<PODPISKA>Gold</PODPISKA><matches><match><home> A </home><kf1> 1.5 "
                      "</kf1></match><match><home><away>B</away></match><match"));

    TipsServerOptions serverOptions;
    serverOptions.port = 0;
    options.matchCount = 2;
    serverOptions.answer = ComposeMatchListAnswer(options);
    TipsServer server(serverOptions);
    std::string error;
    if (!server.Start(error)) {
        std::fprintf(stderr, "fuzzseeds: cannot start the demo service: %s\n", error.c_str());
        return;
    }
    std::thread thread([&server] { server.Run(); });
    const int port = server.Port();
    Write("http", "service-login",
          "\x07" + ServiceAnswer(port, "/login/brelvan.php?login=demo&pass=demo"));
    Write("http", "service-refused",
          std::string(1, '\0') + ServiceAnswer(port, "/login/brelvan.php?login=a&pass=b"));
    Write("http", "service-marker", "\x03" + ServiceAnswer(port, "/refresh/brelvan3.3.txt"));
    Write("http", "service-missing", "\x10" + ServiceAnswer(port, "/nothing-here"));
    server.Stop();
    thread.join();

    Write("http", "chunked-cookies",
          std::string("\x05HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nSet-Cookie: a=1; "
                      "Path=/login; Max-Age=60\r\nSet-cookie2: b=\"x, y\"; Version=1; "
                      "Domain=.example.com, c=3; Expires=Wed, 09 Jun 2038 10:18:14 GMT\r\n"
                      "Transfer-Encoding: chunked\r\n\r\n4;x=y\r\nabcd\r\n0\r\nT: 1\r\n\r\n"));
    Write("http", "until-close",
          std::string("\x01HTTP/1.0 200 OK\r\nConnection: close\r\n\r\nthe rest\r\n"));
    Write("http", "redirect",
          std::string("\x02HTTP/1.1 302 Found\r\nLocation: http://elsewhere/\r\n"
                      "Content-Length: 3\r\n\r\nabc"));
}

void TextSeeds(const std::string& answer, const std::string& description) {
    TFilterValues values = FilterStartValues();
    values[0] = 1.85;
    values[7] = 0.5;
    for (char separator : {',', '.'}) {
        TFormatSettings saved = FormatSettings;
        FormatSettings.DecimalSeparator = separator;
        Write("preset", std::string("start-values-") + (separator == ',' ? "comma" : "point"),
              FormatPresetText(values));
        FormatSettings = saved;
    }
    Write("preset", "short", std::string("1,5\r\n2\r\n"));
    Write("preset", "mixed-line-ends",
          std::string("1\n2\r3\r\n4,5\n5.5\nx\n\n8\n9\n10\n11\n12\n"
                      "13\n14\n15\n16\n17\n18\n19\n20\n21\n"));

    Write("credentials", "crlf", std::string("demo\r\ndemo\r\n"));
    Write("credentials", "lf-and-cr", std::string("demo\npass word\r"));
    Write("credentials", "one-line", std::string("only-login\r\n"));
    Write("credentials", "third-line", std::string("\xcc\xee\xf1\r\n\r\nextra\r\n"));
    Write("credentials", "zero-byte", std::string("lo\0gin\r\npass\r\n", 14));

    int n = 0;
    for (const char* number : {"\x00"
                               "1.85",
                               "\x01"
                               "1,85",
                               "\x00 -12 ",
                               "\x00"
                               "1E15",
                               "\x01"
                               "1,5E-5",
                               "\x00$7FFFFFFF",
                               "\x00"
                               "0x1F",
                               "\x00-2147483648",
                               "\x00"
                               "9223372036854775808",
                               "\x00True", "\x00 0,0001",
                               "\x01"
                               ".5",
                               "\x00"
                               "5."})
        Write("numbers", std::to_string(++n), std::string(number, 1 + std::strlen(number + 1)));

    Write("stringlist", "service-answer", answer);
    Write("stringlist", "skin-description", description);
    Write("stringlist", "comma-text",
          std::string("\"a b\",c\r\n\"\"\r\n\"q\"\"uote\"\r\n  x  \r\n"));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "usage: fuzzseeds OUTDIR\n");
        return 2;
    }
    g_out = argv[1];
    std::string answer, description;
    ServiceSeeds(answer);
    SkinSeeds(description);
    BmpSeeds();
    PictureSeeds();
    TextSeeds(answer, description);
    return 0;
}
