// TStringList: lines of 8-bit text with the text-file rules of the program.
#include "rtl/StringList.h"
#include "rtl/Exceptions.h"
#include "rtl/Stream.h"

#include <algorithm>
#include <numeric>

namespace {
[[noreturn]] void IndexError(int index) {
    throw EStringListError(Format("List index out of bounds (%d)", index));
}
[[noreturn]] void SortedListError() {
    throw EStringListError("Operation not allowed on sorted list");
}
} // namespace

TStringList::TStringList(const TStringList& other)
    : TPersistent(), m_sorted(other.m_sorted), m_caseSensitive(other.m_caseSensitive),
      m_duplicates(other.m_duplicates) {
    m_items = other.m_items;
}

TStringList& TStringList::operator=(const TStringList& other) {
    if (this != &other) Assign(&other);
    return *this;
}

const AnsiString& TStringList::Strings(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return m_items[static_cast<size_t>(index)].text;
}

void TStringList::SetStrings(int index, const AnsiString& s) {
    if (m_sorted) SortedListError();
    if (index < 0 || index >= Count()) IndexError(index);
    Changing();
    m_items[static_cast<size_t>(index)].text = s;
    Changed();
}

TObject* TStringList::Objects(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return m_items[static_cast<size_t>(index)].object;
}

void TStringList::SetObjects(int index, TObject* object) {
    if (index < 0 || index >= Count()) IndexError(index);
    Changing();
    m_items[static_cast<size_t>(index)].object = object;
    Changed();
}

int TStringList::Add(const AnsiString& s) {
    return AddObject(s, nullptr);
}

int TStringList::AddObject(const AnsiString& s, TObject* object) {
    int index = Count();
    if (m_sorted) {
        if (Find(s, index)) {
            if (m_duplicates == dupIgnore) return index;
            if (m_duplicates == dupError)
                throw EStringListError("String list does not allow duplicates");
        }
    }
    Changing();
    m_items.insert(m_items.begin() + index, Item{s, object});
    Changed();
    return index;
}

void TStringList::AddStrings(const TStringList& other) {
    BeginUpdate();
    try {
        for (const Item& item : std::vector<Item>(other.m_items)) AddObject(item.text, item.object);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringList::Insert(int index, const AnsiString& s) {
    InsertObject(index, s, nullptr);
}

void TStringList::InsertObject(int index, const AnsiString& s, TObject* object) {
    if (m_sorted) SortedListError();
    if (index < 0 || index > Count()) IndexError(index);
    Changing();
    m_items.insert(m_items.begin() + index, Item{s, object});
    Changed();
}

void TStringList::Delete(int index) {
    if (index < 0 || index >= Count()) IndexError(index);
    Changing();
    m_items.erase(m_items.begin() + index);
    Changed();
}

void TStringList::Clear() {
    if (m_items.empty()) return;
    Changing();
    m_items.clear();
    Changed();
}

void TStringList::Exchange(int a, int b) {
    if (a < 0 || a >= Count()) IndexError(a);
    if (b < 0 || b >= Count()) IndexError(b);
    Changing();
    std::swap(m_items[static_cast<size_t>(a)], m_items[static_cast<size_t>(b)]);
    Changed();
}

void TStringList::Move(int from, int to) {
    if (from == to) return;
    if (from < 0 || from >= Count()) IndexError(from);
    if (to < 0 || to >= Count()) IndexError(to);
    Changing();
    Item item = std::move(m_items[static_cast<size_t>(from)]);
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, std::move(item));
    Changed();
}

int TStringList::Compare(std::string_view a, std::string_view b) const {
    return m_caseSensitive ? CompareStr(a, b) : AnsiCompareText(a, b);
}

bool TStringList::Find(std::string_view s, int& index) const {
    int lo = 0, hi = Count() - 1;
    bool found = false;
    while (lo <= hi) {
        int mid = lo + (hi - lo) / 2;
        int c = Compare(m_items[static_cast<size_t>(mid)].text, s);
        if (c < 0) {
            lo = mid + 1;
        } else {
            hi = mid - 1;
            if (c == 0) {
                found = true;
                // With dupAccept the first of equal lines is the one found.
            }
        }
    }
    index = lo;
    return found;
}

int TStringList::IndexOf(std::string_view s) const {
    if (m_sorted) {
        int index;
        return Find(s, index) ? index : -1;
    }
    for (int i = 0; i < Count(); ++i)
        if (Compare(m_items[static_cast<size_t>(i)].text, s) == 0) return i;
    return -1;
}

int TStringList::IndexOfObject(const TObject* object) const {
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<size_t>(i)].object == object) return i;
    return -1;
}

AnsiString TStringList::Text() const {
    size_t total = 0;
    for (const Item& item : m_items) total += item.text.size() + 2;
    AnsiString out;
    out.reserve(total);
    for (const Item& item : m_items) {
        out += item.text;
        out += "\r\n";
    }
    return out;
}

void TStringList::SetText(std::string_view text) {
    BeginUpdate();
    try {
        Clear();
        size_t i = 0;
        const size_t n = text.size();
        while (i < n && text[i] != '\0') {
            size_t start = i;
            while (i < n && text[i] != '\0' && text[i] != '\r' && text[i] != '\n') ++i;
            Add(AnsiString(text.substr(start, i - start)));
            if (i < n && text[i] == '\r') ++i;
            if (i < n && text[i] == '\n') ++i;
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

AnsiString TStringList::CommaText() const {
    AnsiString out;
    for (int i = 0; i < Count(); ++i) {
        const AnsiString& s = m_items[static_cast<size_t>(i)].text;
        if (i > 0) out += ',';
        bool quote = s.empty() && Count() == 1; // else an empty line is just nothing
        for (char c : s)
            if (static_cast<unsigned char>(c) <= 32 || c == ',' || c == '"') quote = true;
        if (!quote) {
            out += s;
            continue;
        }
        out += '"';
        for (char c : s) {
            if (c == '"') out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

void TStringList::SetCommaText(std::string_view text) {
    BeginUpdate();
    try {
        Clear();
        size_t i = 0;
        const size_t n = text.size();
        auto skipBlanks = [&] {
            while (i < n && static_cast<unsigned char>(text[i]) <= 32) ++i;
        };
        skipBlanks();
        while (i < n) {
            AnsiString item;
            if (text[i] == '"') {
                ++i;
                while (i < n) {
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            item += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    item += text[i++];
                }
            } else {
                while (i < n && text[i] != ',' && static_cast<unsigned char>(text[i]) > 32)
                    item += text[i++];
            }
            Add(item);
            skipBlanks();
            if (i < n && text[i] == ',') {
                ++i;
                skipBlanks();
                if (i == n) Add(AnsiString()); // a trailing comma ends with an empty item
            }
        }
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TStringList::LoadFromStream(TStream& stream) {
    int64_t size = stream.Size() - stream.Position();
    std::string data(static_cast<size_t>(std::max<int64_t>(size, 0)), '\0');
    stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
    SetText(data);
}

void TStringList::SaveToStream(TStream& stream) const {
    AnsiString text = Text();
    stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
}

void TStringList::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(file);
}

void TStringList::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fmCreate);
    SaveToStream(file);
}

AnsiString TStringList::Names(int index) const {
    const AnsiString& s = Strings(index);
    size_t p = s.find('=');
    return p == AnsiString::npos ? AnsiString() : s.substr(0, p);
}

AnsiString TStringList::ValueFromIndex(int index) const {
    const AnsiString& s = Strings(index);
    size_t p = s.find('=');
    return p == AnsiString::npos ? AnsiString() : s.substr(p + 1);
}

int TStringList::IndexOfName(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        const AnsiString& s = m_items[static_cast<size_t>(i)].text;
        size_t p = s.find('=');
        if (p != AnsiString::npos && Compare(std::string_view(s).substr(0, p), name) == 0) return i;
    }
    return -1;
}

AnsiString TStringList::Values(std::string_view name) const {
    int i = IndexOfName(name);
    return i < 0 ? AnsiString() : ValueFromIndex(i);
}

void TStringList::SetValues(std::string_view name, const AnsiString& value) {
    int i = IndexOfName(name);
    AnsiString line = AnsiString(name) + "=" + value;
    if (value.empty()) {
        if (i >= 0) Delete(i);
    } else if (i < 0) {
        Add(line);
    } else {
        Changing();
        m_items[static_cast<size_t>(i)].text = line; // allowed on a sorted list: same name
        Changed();
    }
}

void TStringList::Sort() {
    Changing();
    std::stable_sort(m_items.begin(), m_items.end(),
                     [this](const Item& a, const Item& b) { return Compare(a.text, b.text) < 0; });
    Changed();
}

void TStringList::CustomSort(int (*compare)(const TStringList& list, int a, int b)) {
    if (Count() < 2) return;
    Changing();
    // Sort a permutation so the comparer always sees the list as it was.
    std::vector<int> order(static_cast<size_t>(Count()));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return compare(*this, a, b) < 0; });
    std::vector<Item> sorted;
    sorted.reserve(order.size());
    for (int i : order) sorted.push_back(std::move(m_items[static_cast<size_t>(i)]));
    m_items.swap(sorted);
    Changed();
}

void TStringList::SetSorted(bool sorted) {
    if (sorted == m_sorted) return;
    if (sorted) Sort();
    m_sorted = sorted;
}

void TStringList::SetCaseSensitive(bool caseSensitive) {
    if (caseSensitive == m_caseSensitive) return;
    m_caseSensitive = caseSensitive;
    if (m_sorted) Sort();
}

void TStringList::BeginUpdate() {
    if (m_updateCount++ == 0) m_changedWhileUpdating = false;
}

void TStringList::EndUpdate() {
    if (m_updateCount > 0 && --m_updateCount == 0 && m_changedWhileUpdating) {
        m_changedWhileUpdating = false;
        if (OnChange) OnChange(this);
    }
}

void TStringList::Changing() {
    if (m_updateCount == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
    if (m_updateCount > 0) {
        m_changedWhileUpdating = true;
        return;
    }
    if (OnChange) OnChange(this);
}

void TStringList::Assign(const TPersistent* source) {
    auto* other = dynamic_cast<const TStringList*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this) return;
    BeginUpdate();
    Changing();
    m_items = other->m_items;
    if (m_sorted) {
        std::stable_sort(m_items.begin(), m_items.end(), [this](const Item& a, const Item& b) {
            return Compare(a.text, b.text) < 0;
        });
    }
    m_changedWhileUpdating = true;
    EndUpdate();
}

bool TStringList::Equals(const TStringList& other) const {
    if (Count() != other.Count()) return false;
    for (int i = 0; i < Count(); ++i)
        if (m_items[static_cast<size_t>(i)].text != other.m_items[static_cast<size_t>(i)].text)
            return false;
    return true;
}
