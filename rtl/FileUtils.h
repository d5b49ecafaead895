#pragma once
// File names and whole files. Names are UTF-8 paths of the OS; a bare name means the
// process's current directory.
#include <string>
#include <string_view>

bool FileExists(const std::string& fileName); // a regular file (or a link to one)
bool DirectoryExists(const std::string& dirName);
bool DeleteFile(const std::string& fileName); // false when it could not be removed
bool RenameFile(const std::string& oldName, const std::string& newName);
std::string GetCurrentDir();
// An absolute path for `fileName`, relative names resolved against the current directory;
// "." and ".." components are folded, links are not followed.
std::string ExpandFileName(const std::string& fileName);
std::string ExtractFilePath(std::string_view fileName); // up to and including the last '/'
std::string ExtractFileName(std::string_view fileName); // after the last '/'
std::string ExtractFileExt(std::string_view fileName);  // from the last '.' of the name on
std::string ChangeFileExt(std::string_view fileName, std::string_view ext);
std::string IncludeTrailingPathDelimiter(std::string_view path);
std::string ExcludeTrailingPathDelimiter(std::string_view path);

// The whole file as bytes; raises EFOpenError "Cannot open file "%s". %s" on failure.
std::string ReadFileBytes(const std::string& fileName);
// Creates or truncates the file and writes `bytes`; raises EFCreateError on failure to create
// and EWriteError "Stream write error" when writing fails.
void WriteFileBytes(const std::string& fileName, std::string_view bytes);

// Replaces the whole file so that it holds either its earlier bytes or `bytes`, never a part:
// the bytes go to a temporary file beside it, reach the disk, and are renamed over it. A
// failure at any point (a full disk, say) leaves the earlier file as it was and no temporary
// file behind.
// - A file the process could not write directly (read-only, a read-only file system, a
//   folder) is refused, although the rename alone would have replaced it.
// - `mode` gives the file's permission bits exactly (0600 for secrets: the bytes are never
//   readable by others, not even in the temporary file). kKeepFileMode keeps an existing
//   file's bits and, where the process may, its owner; a new file gets 0666 less the umask.
// - A symbolic link stays a link: the file it names is replaced.
// Raises EFCreateError "Cannot create file "%s". %s" with the system's reason on failure.
constexpr int kKeepFileMode = -1;
void WriteFileAtomically(const std::string& fileName, std::string_view bytes,
                         int mode = kKeepFileMode);
