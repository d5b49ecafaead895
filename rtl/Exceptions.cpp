#include "rtl/Exceptions.h"
#include "rtl/FileUtils.h"
#include "rtl/Strings.h"

#include <cstring>

void Abort() {
    throw EAbort("Operation aborted");
}

void ListIndexError(int index) {
    throw EListError(Format("List index out of bounds (%d)", index));
}

namespace {
std::string Reason(int error) {
    return error ? std::strerror(error) : "Unknown error";
}
std::string Shown(const std::string& fileName) {
    return fileName.empty() ? fileName : ExpandFileName(fileName);
}
} // namespace

void FileOpenError(const std::string& fileName, int error) {
    throw EFOpenError(
        Format("Cannot open file \"%s\". %s", Shown(fileName).c_str(), Reason(error).c_str()));
}

void FileCreateError(const std::string& fileName, int error) {
    throw EFCreateError(
        Format("Cannot create file \"%s\". %s", Shown(fileName).c_str(), Reason(error).c_str()));
}

void InvalidFloatError(const std::string& text) {
    throw EConvertError(Format("'%s' is not a valid floating point value", text.c_str()));
}

void InvalidIntegerError(const std::string& text) {
    throw EConvertError(Format("'%s' is not a valid integer value", text.c_str()));
}
