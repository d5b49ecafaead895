// Sorting the store's rows by a column: a full quicksort with a random pivot, or a plain
// reversal when only the direction of the last sort changed and no cell changed since.
//
// The sort works on the column's values read once into an array, exchanging entries of a
// row-order permutation exactly as it would exchange rows, and then moves every column's
// cells into the new order in one pass. A value that cannot be read (a text column sorted as
// numbers) raises before any row moves, so the grid stays as it was.
#include "grid/NxCells.h"

#include "rtl/Exceptions.h"
#include "rtl/NumberText.h"
#include "rtl/Random.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <numeric>

namespace {

// Compares two rows' keys: negative when a sorts first.
template <class Key> struct TKeySorter {
    std::vector<Key>& keys;
    std::vector<int>& order;
    bool descending;

    // Exchanging two rows exchanges their keys and their place in the permutation.
    void Exchange(int i, int j) {
        std::swap(keys[size_t(i)], keys[size_t(j)]);
        std::swap(order[size_t(i)], order[size_t(j)]);
    }

    void Sort(int lo, int hi) {
        while (lo < hi) {
            const Key pivot = keys[size_t(lo + 1 + Random(hi - lo))];
            int i = lo - 1;
            int j = hi + 1;
            do {
                // Bounds are implied by the pivot lying inside lo+1..hi; the limits only
                // guard against keys that compare inconsistently.
                do ++i;
                while (i < hi && (descending ? keys[size_t(i)] > pivot : keys[size_t(i)] < pivot));
                do --j;
                while (j > lo && (descending ? keys[size_t(j)] < pivot : keys[size_t(j)] > pivot));
                if (i != j) Exchange(i, j);
            } while (i < j);
            if (i != j) Exchange(i, j);
            // The lower part first, then the upper one (as a loop).
            Sort(lo, i - 1);
            lo = i;
        }
    }
};

// Ordering helpers for the key types.
// Texts compared by code unit. The first four units, packed into one number, decide most
// comparisons; the rest are compared only when those agree.
struct TTextKey {
    uint64_t prefix = 0;
    const char16_t* data = nullptr;
    size_t size = 0;

    explicit TTextKey(std::u16string_view text = {}) : data(text.data()), size(text.size()) {
        for (size_t i = 0; i < 4; ++i)
            prefix = (prefix << 16) | (i < text.size() ? uint64_t(text[i]) : 0);
    }
    int Compare(const TTextKey& o) const {
        if (prefix != o.prefix) return prefix < o.prefix ? -1 : 1;
        const size_t n = std::min(size, o.size);
        // Texts that agree in full (the same team in many rows) are told by one block compare.
        size_t i = std::memcmp(data, o.data, n * sizeof(char16_t)) == 0 ? n : 4;
        while (i < n && data[i] == o.data[i]) ++i;
        if (i == n) return size < o.size ? -1 : size > o.size ? 1 : 0;
        return data[i] < o.data[i] ? -1 : 1;
    }
    bool operator<(const TTextKey& o) const { return Compare(o) < 0; }
    bool operator>(const TTextKey& o) const { return Compare(o) > 0; }
};

// A row of the column, looked up when compared (the store does not move before the end).
struct TCustomKey {
    TCells* cells;
    int column;
    int row;
    int Compare(const TCustomKey& o) const {
        int result = 0;
        if (!cells->OnCompare) return result;
        TCell* a = cells->Cell(column, row);
        TCell* b = cells->Cell(column, o.row); // the column's other view
        cells->OnCompare(cells, a, b, result);
        return result;
    }
    bool operator<(const TCustomKey& o) const { return Compare(o) < 0; }
    bool operator>(const TCustomKey& o) const { return Compare(o) > 0; }
};

// An address a.b.c.d as one number, most significant group first; missing groups are 0.
double IpValue(std::u16string_view text) {
    double value = 0;
    int groups = 0;
    size_t pos = 0;
    while (groups < 4) {
        double group = 0;
        while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9')
            group = group * 10 + (text[pos++] - u'0');
        value = value * 65536 + group;
        ++groups;
        if (pos < text.size() && text[pos] == u'.')
            ++pos;
        else
            break;
    }
    while (groups++ < 4) value *= 65536;
    return value;
}

} // namespace

void TCells::SortRows(int col, TSortType sortType, bool descending, bool fullResort) {
    CheckListIndex(col, ColumnCount());
    const int n = RowCount();
    if (m_lastSortColumn == col && m_sorted && !fullResort && m_lastSortDescending != descending) {
        std::vector<int> order(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) order[size_t(i)] = n - 1 - i;
        PermuteRows(order);
    } else if (n > 1) {
        std::vector<int> order(static_cast<size_t>(n));
        std::iota(order.begin(), order.end(), 0);
        auto run = [&](auto& keys) {
            TKeySorter<typename std::decay_t<decltype(keys)>::value_type> sorter{keys, order,
                                                                                 descending};
            sorter.Sort(0, n - 1);
        };
        switch (sortType) {
        case stAlphabetic:
        case stCaseInsensitive: {
            // Views into the cells' own text; texts a cell does not keep are kept here.
            std::deque<WideString> kept;
            WideString scratch;
            std::vector<TTextKey> keys(static_cast<size_t>(n));
            const bool fold = sortType == stCaseInsensitive;
            for (int r = 0; r < n; ++r) {
                std::u16string_view view = Cell(col, r)->TextView(scratch);
                if (fold) {
                    // Through the 8-bit code page, A-Z lowered.
                    AnsiString ansi = WideToAnsi(view);
                    for (char& ch : ansi)
                        if (ch >= 'A' && ch <= 'Z') ch = char(ch - 'A' + 'a');
                    scratch.assign(ansi.begin(), ansi.end());
                    for (char16_t& ch : scratch) ch = char16_t(uint8_t(ch));
                    view = scratch;
                }
                if (!scratch.empty() && view.data() == scratch.data()) {
                    kept.push_back(std::move(scratch));
                    view = kept.back();
                    scratch = WideString();
                }
                keys[size_t(r)] = TTextKey(view);
            }
            run(keys);
            break;
        }
        case stBoolean: {
            std::vector<int> keys(static_cast<size_t>(n));
            for (int r = 0; r < n; ++r) keys[size_t(r)] = Cell(col, r)->BoolValue() ? 1 : 0;
            run(keys);
            break;
        }
        case stCustom: {
            std::vector<TCustomKey> keys(static_cast<size_t>(n));
            for (int r = 0; r < n; ++r) keys[size_t(r)] = {this, col, r};
            run(keys);
            break;
        }
        case stDate: {
            std::vector<double> keys(static_cast<size_t>(n));
            for (int r = 0; r < n; ++r) keys[size_t(r)] = Cell(col, r)->DateValue();
            run(keys);
            break;
        }
        case stIP: {
            std::vector<double> keys(static_cast<size_t>(n));
            WideString scratch;
            for (int r = 0; r < n; ++r) keys[size_t(r)] = IpValue(Cell(col, r)->TextView(scratch));
            run(keys);
            break;
        }
        default: {
            std::vector<double> keys(static_cast<size_t>(n));
            for (int r = 0; r < n; ++r) keys[size_t(r)] = Cell(col, r)->FloatValue();
            run(keys);
            break;
        }
        }
        PermuteRows(order);
    }
    m_lastSortColumn = col;
    m_lastSortDescending = descending;
    m_sorted = true;
}
