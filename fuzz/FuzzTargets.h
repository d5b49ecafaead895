#pragma once
// The fuzz targets: one entry per input the program reads from outside. Each takes any bytes,
// must neither crash nor hang on them, and checks what must hold beyond that; a broken promise
// raises TFuzzViolation. libFuzzer drives each entry through its own executable (fuzz/
// FuzzMain.cpp), and the test suite replays every corpus file through the same entries.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

// A promise the code under test broke on some input. Deliberately not an Exception, so that
// no handler for the program's own failures can swallow it.
class TFuzzViolation : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// Raises TFuzzViolation with `what` when `condition` is false.
void FuzzCheck(bool condition, const std::string& what);

using TFuzzEntry = int (*)(const std::uint8_t* data, std::size_t size);

int FuzzAnswer(const std::uint8_t* data, std::size_t size);      // service answers, tags
int FuzzHttp(const std::uint8_t* data, std::size_t size);        // HTTP answers, cookies
int FuzzProxyAnswer(const std::uint8_t* data, std::size_t size); // a proxy's answer to CONNECT
int FuzzBmp(const std::uint8_t* data, std::size_t size);         // BMP pictures
int FuzzJpeg(const std::uint8_t* data, std::size_t size);        // JPEG pictures
int FuzzPng(const std::uint8_t* data, std::size_t size);         // PNG pictures
int FuzzSkin(const std::uint8_t* data, std::size_t size);        // stored skin, inflated
int FuzzSkinIni(const std::uint8_t* data, std::size_t size);     // skin description
int FuzzPreset(const std::uint8_t* data, std::size_t size);      // filter preset files
int FuzzCredentials(const std::uint8_t* data, std::size_t size); // the credentials file
int FuzzNumbers(const std::uint8_t* data, std::size_t size);     // number text
int FuzzStringList(const std::uint8_t* data, std::size_t size);  // text files as lines

struct TFuzzTarget {
    const char* name; // also the corpus folder's name
    TFuzzEntry entry;
};

// Every target, in a fixed order.
extern const TFuzzTarget kFuzzTargets[];
extern const std::size_t kFuzzTargetCount;
