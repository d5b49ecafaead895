#pragma once
// Helpers shared by the table tests: a decimal separator set for one test, and a scratch
// folder removed afterwards.

#include "rtl/FormatSettings.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>

class DecimalSeparatorScope {
public:
    explicit DecimalSeparatorScope(char separator) : m_saved(FormatSettings) {
        FormatSettings.DecimalSeparator = separator;
        FormatSettings.ThousandSeparator = separator == ',' ? '.' : ',';
    }
    ~DecimalSeparatorScope() { FormatSettings = m_saved; }
    DecimalSeparatorScope(const DecimalSeparatorScope&) = delete;
    DecimalSeparatorScope& operator=(const DecimalSeparatorScope&) = delete;

private:
    TFormatSettings m_saved;
};

class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "brelvan-table-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};
