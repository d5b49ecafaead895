#pragma once
// A wide text in 16 bytes: up to seven code units live inline (times, odds, percentages and
// most ids never touch the heap); longer texts keep one exact-size heap block. Copies share
// that block (counted references), so copying a grid's rows into another grid allocates no
// text. The count is not atomic: a text and its copies belong to one thread, as grids do.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string_view>

class TCompactText {
public:
    TCompactText() { SetTag(0); }
    TCompactText(const TCompactText& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        if (Tag() == HeapTag) ++Block()->References;
    }
    TCompactText(TCompactText&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.SetTag(0);
    }
    TCompactText& operator=(const TCompactText& other) noexcept {
        if (this != &other) {
            if (other.Tag() == HeapTag) ++other.Block()->References;
            Release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        }
        return *this;
    }
    TCompactText& operator=(TCompactText&& other) noexcept {
        if (this != &other) {
            Release();
            std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
            other.SetTag(0);
        }
        return *this;
    }
    ~TCompactText() { Release(); }

    std::u16string_view View() const {
        const uint16_t tag = Tag();
        if (tag != HeapTag) return {reinterpret_cast<const char16_t*>(m_bytes), tag};
        uint32_t len;
        std::memcpy(&len, m_bytes + 8, sizeof len);
        return {Block()->Text(), len};
    }
    bool Empty() const { return Tag() == 0; }
    // True while the text has a heap block (which copies may share).
    bool OnHeap() const { return Tag() == HeapTag; }

    void Assign(std::u16string_view text) {
        if (text.size() <= InlineCapacity) {
            char16_t buf[InlineCapacity];
            std::memcpy(buf, text.data(), text.size() * sizeof(char16_t));
            Release();
            std::memcpy(m_bytes, buf, text.size() * sizeof(char16_t));
            SetTag(uint16_t(text.size()));
            return;
        }
        AssignHeap(text);
    }
    void Clear() {
        Release();
        SetTag(0);
    }

    // This text's share of the heap besides its 16 bytes: a block shared by n texts counts a
    // n-th for each, so that summing over every holder counts it once.
    size_t HeapBytes() const {
        if (!OnHeap()) return 0;
        return (sizeof(THeapBlock) + View().size() * sizeof(char16_t)) / Block()->References;
    }

    static constexpr size_t InlineCapacity = 7;

private:
    // The heap block: a reference count, then the text's code units.
    struct THeapBlock {
        uint32_t References;
        char16_t* Text() { return reinterpret_cast<char16_t*>(this + 1); }
    };
    static constexpr uint16_t HeapTag = 0xFFFF;

    // Kept out of line: it allocates anyway, and inlined into callers with short literal
    // texts it draws false warnings about reading past them.
    [[gnu::noinline]] void AssignHeap(std::u16string_view text) {
        if (text.size() > UINT32_MAX) throw std::bad_alloc();
        const uint32_t len = uint32_t(text.size());
        void* memory = std::malloc(sizeof(THeapBlock) + len * sizeof(char16_t));
        if (!memory) throw std::bad_alloc();
        auto* block = static_cast<THeapBlock*>(memory);
        block->References = 1;
        std::memcpy(block->Text(), text.data(), len * sizeof(char16_t));
        Release();
        std::memcpy(m_bytes, &block, sizeof block);
        std::memcpy(m_bytes + 8, &len, sizeof len);
        SetTag(HeapTag);
    }
    THeapBlock* Block() const {
        THeapBlock* block;
        std::memcpy(&block, m_bytes, sizeof block);
        return block;
    }
    uint16_t Tag() const {
        uint16_t t;
        std::memcpy(&t, m_bytes + 14, sizeof t);
        return t;
    }
    void SetTag(uint16_t t) { std::memcpy(m_bytes + 14, &t, sizeof t); }
    void Release() {
        if (Tag() == HeapTag) {
            THeapBlock* block = Block();
            if (--block->References == 0) std::free(block);
            SetTag(0);
        }
    }

    alignas(8) unsigned char m_bytes[16];
};
static_assert(sizeof(TCompactText) == 16);
