#pragma once
// TStringList: a list of 8-bit lines with optional objects, name=value access, sorting and
// the text-file rules: reading splits at CR, LF or CR LF and stops at a zero byte; writing puts
// CR LF after every line, the last one included.
#include "rtl/Object.h"
#include "rtl/Strings.h"
#include <string>
#include <string_view>
#include <vector>

class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TPersistent {
public:
    TStringList() = default;
    TStringList(const TStringList& other);
    TStringList& operator=(const TStringList& other);

    int Count() const { return static_cast<int>(m_items.size()); }
    // Index errors raise EStringListError "List index out of bounds (%d)".
    const AnsiString& Strings(int index) const;
    void SetStrings(int index, const AnsiString& s);
    const AnsiString& operator[](int index) const { return Strings(index); }
    TObject* Objects(int index) const;
    void SetObjects(int index, TObject* object);

    // Returns the new line's index (its sorted place when Sorted).
    int Add(const AnsiString& s);
    int AddObject(const AnsiString& s, TObject* object);
    void AddStrings(const TStringList& other);
    // 0 <= index <= Count(); raises EStringListError "Operation not allowed on sorted list"
    // when Sorted.
    void Insert(int index, const AnsiString& s);
    void InsertObject(int index, const AnsiString& s, TObject* object);
    void Delete(int index);
    void Clear();
    void Exchange(int a, int b);
    void Move(int from, int to);
    // -1 when absent; compares as Sort does (A-Z folded unless CaseSensitive).
    int IndexOf(std::string_view s) const;
    int IndexOfObject(const TObject* object) const;

    // The whole list as text with CR LF after every line; SetText replaces the list with the
    // lines of `text` (split at CR, LF or CR LF, ending at a zero byte).
    AnsiString Text() const;
    void SetText(std::string_view text);
    // Lines joined by `,` with quoting of lines that hold blanks, commas or quotes.
    AnsiString CommaText() const;
    void SetCommaText(std::string_view text);

    void LoadFromStream(TStream& stream);
    void SaveToStream(TStream& stream) const;
    // EFOpenError / EFCreateError with the system's reason on failure.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;

    // name=value lines: Names(i) is the part before the first '=' ("" when none);
    // Values(name) the part after it of the first line whose name matches (A-Z folded), ""
    // when none. SetValues adds, replaces, or with an empty value deletes the line.
    AnsiString Names(int index) const;
    AnsiString ValueFromIndex(int index) const;
    AnsiString Values(std::string_view name) const;
    void SetValues(std::string_view name, const AnsiString& value);
    int IndexOfName(std::string_view name) const;

    // Ascending by AnsiCompareText (CompareStr when CaseSensitive); stable.
    void Sort();
    // Sorts with `compare(list, i, j)` returning < 0, 0, > 0.
    void CustomSort(int (*compare)(const TStringList& list, int a, int b));
    bool Sorted() const { return m_sorted; }
    void SetSorted(bool sorted);
    bool CaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool caseSensitive);
    TDuplicates Duplicates() const { return m_duplicates; }
    void SetDuplicates(TDuplicates duplicates) { m_duplicates = duplicates; }

    // OnChange fires after each change (once at the outermost EndUpdate while updating).
    void BeginUpdate();
    void EndUpdate();
    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

    void Assign(const TPersistent* source) override;
    bool Equals(const TStringList& other) const; // same lines, objects ignored

private:
    struct Item {
        AnsiString text;
        TObject* object = nullptr;
    };
    int Compare(std::string_view a, std::string_view b) const;
    // Sorted lookup: true when found; `index` gets the place either way.
    bool Find(std::string_view s, int& index) const;
    void Changing();
    void Changed();

    std::vector<Item> m_items;
    bool m_sorted = false;
    bool m_caseSensitive = false;
    TDuplicates m_duplicates = dupIgnore;
    int m_updateCount = 0;
    bool m_changedWhileUpdating = false;
};
