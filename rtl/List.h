#pragma once
// TList<T>: a vector whose element access checks the index and raises EListError
// "List index out of bounds (%d)" like every list of the framework.
#include "rtl/Exceptions.h"
#include <algorithm>
#include <vector>

template <class T> class TList {
public:
    int Count() const { return static_cast<int>(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }

    T& Items(int index) {
        CheckListIndex(index, Count());
        return m_items[static_cast<size_t>(index)];
    }
    const T& Items(int index) const {
        CheckListIndex(index, Count());
        return m_items[static_cast<size_t>(index)];
    }
    T& operator[](int index) { return Items(index); }
    const T& operator[](int index) const { return Items(index); }
    T& First() { return Items(0); }
    T& Last() { return Items(Count() - 1); }

    int Add(T item) {
        m_items.push_back(std::move(item));
        return Count() - 1;
    }
    // 0 <= index <= Count().
    void Insert(int index, T item) {
        if (index < 0 || index > Count()) ListIndexError(index);
        m_items.insert(m_items.begin() + index, std::move(item));
    }
    void Delete(int index) {
        CheckListIndex(index, Count());
        m_items.erase(m_items.begin() + index);
    }
    // First position of `item`, or -1.
    int IndexOf(const T& item) const {
        auto it = std::find(m_items.begin(), m_items.end(), item);
        return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
    }
    // Removes the first `item`; returns its former index or -1.
    int Remove(const T& item) {
        int i = IndexOf(item);
        if (i >= 0) m_items.erase(m_items.begin() + i);
        return i;
    }
    void Exchange(int a, int b) {
        CheckListIndex(a, Count());
        CheckListIndex(b, Count());
        std::swap(m_items[static_cast<size_t>(a)], m_items[static_cast<size_t>(b)]);
    }
    // Takes the item at `from` out and puts it back at `to`.
    void Move(int from, int to) {
        if (from == to) return;
        CheckListIndex(from, Count());
        CheckListIndex(to, Count());
        T item = std::move(m_items[static_cast<size_t>(from)]);
        m_items.erase(m_items.begin() + from);
        m_items.insert(m_items.begin() + to, std::move(item));
    }
    void Clear() { m_items.clear(); }
    void SetCount(int count) { m_items.resize(static_cast<size_t>(std::max(count, 0))); }
    void Reserve(int capacity) { m_items.reserve(static_cast<size_t>(std::max(capacity, 0))); }

    typename std::vector<T>::iterator begin() { return m_items.begin(); }
    typename std::vector<T>::iterator end() { return m_items.end(); }
    typename std::vector<T>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T>::const_iterator end() const { return m_items.end(); }
    std::vector<T>& Vector() { return m_items; }
    const std::vector<T>& Vector() const { return m_items; }

private:
    std::vector<T> m_items;
};
