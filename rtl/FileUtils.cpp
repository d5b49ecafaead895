// File names and whole files on the OS's file system.
#include "rtl/FileUtils.h"
#include "rtl/Exceptions.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
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

namespace {

// Writes all of `bytes`; 0 or the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}

// A name beside `target` that no other writer in this or another process uses at the same
// time (the process id and a counter; O_EXCL settles the rest).
std::string TemporaryNameBeside(const std::string& target) {
    static std::atomic<unsigned> counter{0};
    return target + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
}

// So that the rename itself survives a crash; a folder that cannot be synced is no failure.
void SyncFolderOf(const std::string& fileName) {
    const std::string folder = ExtractFilePath(fileName);
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

void WriteFileAtomically(const std::string& fileName, std::string_view bytes, int mode) {
    std::string target = fileName;
    struct stat existing {};
    const bool exists = !fileName.empty() && ::stat(fileName.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) FileCreateError(fileName, EISDIR);
        // Replace what a link names, not the link.
        if (char* real = ::realpath(fileName.c_str(), nullptr)) {
            target = real;
            std::free(real);
        }
        // Refuse what a direct write would refuse: the rename needs only the folder's
        // permission and would replace a read-only file.
        const int probe = ::open(target.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (probe < 0) FileCreateError(fileName, errno);
        ::close(probe);
    }

    const bool chosenBits = mode != kKeepFileMode || exists;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = TemporaryNameBeside(target);
        // Chosen bits are set below; until then only the owner can read the bytes.
        fd =
            ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, chosenBits ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST) FileCreateError(fileName, errno);
    }
    if (fd < 0) FileCreateError(fileName, EEXIST);

    int error = WriteAll(fd, bytes);
    if (!error && exists && mode == kKeepFileMode) {
        // The owner first: changing it clears the set-id bits that the mode then restores.
        // Only a privileged process may give the file away; others keep their own.
        [[maybe_unused]] const int ignored = ::fchown(fd, existing.st_uid, existing.st_gid);
        if (::fchmod(fd, existing.st_mode & 07777) != 0) error = errno;
    } else if (!error && mode != kKeepFileMode) {
        if (::fchmod(fd, static_cast<mode_t>(mode) & 07777) != 0) error = errno;
    }
    if (!error && ::fsync(fd) != 0 && errno != EINVAL) error = errno;
    if (::close(fd) != 0 && !error) error = errno ? errno : EIO;
    if (!error && ::rename(temp.c_str(), target.c_str()) != 0) error = errno;
    if (error) {
        ::unlink(temp.c_str());
        FileCreateError(fileName, error);
    }
    SyncFolderOf(target);
}
