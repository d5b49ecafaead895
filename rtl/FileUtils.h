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
