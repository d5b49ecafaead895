#pragma once
#include <string>
#include <utility>
#include <vector>

#include "ui/Forms.h"

// Options of the file dialogs, a set of bits.
using TOpenOptions = unsigned;
constexpr TOpenOptions ofOverwritePrompt = 0x01;
constexpr TOpenOptions ofFileMustExist = 0x02;
constexpr TOpenOptions ofPathMustExist = 0x04;
constexpr TOpenOptions ofHideReadOnly = 0x08;

// A file dialog: the folder's sub-folders and the files that match the selected filter, a
// file name field, and the filter list ("Text files|*.txt|All files|*.*"). Execute shows it
// modally and returns true with FileName set to the chosen path, false on cancel.
class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* owner);
    const AnsiString& Title() const { return m_title; }
    void SetTitle(const AnsiString& title) { m_title = title; }
    const AnsiString& Filter() const { return m_filter; }
    void SetFilter(const AnsiString& filter) { m_filter = filter; }
    int FilterIndex() const { return m_filterIndex; } // 1-based
    void SetFilterIndex(int index) { m_filterIndex = index; }
    const std::string& FileName() const { return m_fileName; }
    void SetFileName(const std::string& name) { m_fileName = name; }
    const std::string& InitialDir() const { return m_initialDir; }
    void SetInitialDir(const std::string& dir) { m_initialDir = dir; }
    const std::string& DefaultExt() const { return m_defaultExt; }
    void SetDefaultExt(const std::string& ext) { m_defaultExt = ext; }
    TOpenOptions Options() const { return m_options; }
    void SetOptions(TOpenOptions options) { m_options = options; }
    virtual bool Execute();

    // The filter as (description, patterns) pairs; patterns are separated by ';'.
    std::vector<std::pair<AnsiString, AnsiString>> FilterList() const;
    // Does a file name match one of the patterns ("*.brelvan;*.txt", "*.*", "*")?
    static bool MatchesPattern(const std::string& name, const AnsiString& patterns);

protected:
    virtual bool IsSave() const { return false; }
    // Called with the dialog's window once its controls are made, before it is shown: a
    // dialog that dresses its window differently (a skinned frame) does it here.
    virtual void PrepareForm(TForm& form) { (void)form; }
    AnsiString m_title;
    AnsiString m_filter;
    int m_filterIndex = 1;
    std::string m_fileName;
    std::string m_initialDir;
    std::string m_defaultExt;
    TOpenOptions m_options = 0;
};

class TSaveDialog : public TOpenDialog {
public:
    explicit TSaveDialog(TComponent* owner) : TOpenDialog(owner) {}

protected:
    bool IsSave() const override { return true; }
};
