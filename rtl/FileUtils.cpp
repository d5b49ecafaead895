// File names and whole files on the OS's file system.
#include "rtl/FileUtils.h"
#include "rtl/Exceptions.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

bool FileExists(const std::string& fileName) {
    struct stat st;
    return !fileName.empty() && ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool DirectoryExists(const std::string& dirName) {
    struct stat st;
    return !dirName.empty() && ::stat(dirName.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFile(const std::string& fileName) {
    return !fileName.empty() && ::unlink(fileName.c_str()) == 0;
}

bool RenameFile(const std::string& oldName, const std::string& newName) {
    return ::rename(oldName.c_str(), newName.c_str()) == 0;
}

std::string GetCurrentDir() {
    std::vector<char> buf(4096);
    while (!::getcwd(buf.data(), buf.size())) {
        if (errno != ERANGE) return ".";
        buf.resize(buf.size() * 2);
    }
    return buf.data();
}

std::string ExpandFileName(const std::string& fileName) {
    std::string full = (!fileName.empty() && fileName[0] == '/')
                           ? fileName
                           : IncludeTrailingPathDelimiter(GetCurrentDir()) + fileName;
    std::vector<std::string> parts;
    size_t i = 0;
    while (i <= full.size()) {
        size_t j = full.find('/', i);
        if (j == std::string::npos) j = full.size();
        std::string part = full.substr(i, j - i);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        i = j + 1;
    }
    std::string out;
    for (const auto& p : parts) out += "/" + p;
    if (out.empty()) out = "/";
    if (full.back() == '/' && out != "/") out += '/';
    return out;
}

std::string ExtractFilePath(std::string_view fileName) {
    size_t p = fileName.rfind('/');
    return p == std::string_view::npos ? std::string() : std::string(fileName.substr(0, p + 1));
}

std::string ExtractFileName(std::string_view fileName) {
    size_t p = fileName.rfind('/');
    return std::string(p == std::string_view::npos ? fileName : fileName.substr(p + 1));
}

std::string ExtractFileExt(std::string_view fileName) {
    size_t slash = fileName.rfind('/');
    size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
        return {};
    return std::string(fileName.substr(dot));
}

std::string ChangeFileExt(std::string_view fileName, std::string_view ext) {
    std::string oldExt = ExtractFileExt(fileName);
    return std::string(fileName.substr(0, fileName.size() - oldExt.size())) + std::string(ext);
}

std::string IncludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.empty() || out.back() != '/') out += '/';
    return out;
}

std::string ExcludeTrailingPathDelimiter(std::string_view path) {
    std::string out(path);
    if (out.size() > 1 && out.back() == '/') out.pop_back();
    return out;
}

std::string ReadFileBytes(const std::string& fileName) {
    int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) FileOpenError(fileName, errno);
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        FileOpenError(fileName, EISDIR);
    }
    std::string out;
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            ::close(fd);
            throw EReadError("Stream read error");
        }
        if (n == 0) break;
        out.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return out;
}

void WriteFileBytes(const std::string& fileName, std::string_view bytes) {
    int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) FileCreateError(fileName, errno);
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ::close(fd);
            throw EWriteError("Stream write error");
        }
        done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0) throw EWriteError("Stream write error");
}
