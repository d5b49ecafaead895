#pragma once
// A wide text in 16 bytes: up to seven code units live inline (times, odds, percentages and
// most ids never touch the heap); longer texts keep one exact-size heap block. Text cells
// hold one of these instead of a full string object to keep a row of cells small.
#include <cstdint>
#include <cstring>
#include <string_view>

class TCompactText {
public:
    TCompactText() { SetTag(0); }
    TCompactText(const TCompactText& other) : TCompactText() { Assign(other.View()); }
    TCompactText(TCompactText&& other) noexcept {
        std::memcpy(m_bytes, other.m_bytes, sizeof m_bytes);
        other.SetTag(0);
    }
    TCompactText& operator=(const TCompactText& other) {
        if (this != &other) Assign(other.View());
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
        char16_t* p;
        uint32_t len;
        std::memcpy(&p, m_bytes, sizeof p);
        std::memcpy(&len, m_bytes + 8, sizeof len);
        return {p, len};
    }
    bool Empty() const { return Tag() == 0; }

    void Assign(std::u16string_view text) {
        if (text.size() <= InlineCapacity) {
            char16_t buf[InlineCapacity];
            std::memcpy(buf, text.data(), text.size() * sizeof(char16_t));
            Release();
            std::memcpy(m_bytes, buf, text.size() * sizeof(char16_t));
            SetTag(uint16_t(text.size()));
            return;
        }
        const uint32_t len = uint32_t(text.size());
        char16_t* p = new char16_t[len];
        std::memcpy(p, text.data(), len * sizeof(char16_t));
        Release();
        std::memcpy(m_bytes, &p, sizeof p);
        std::memcpy(m_bytes + 8, &len, sizeof len);
        SetTag(HeapTag);
    }
    void Clear() {
        Release();
        SetTag(0);
    }

    // Bytes of heap this text owns besides its 16 bytes.
    size_t HeapBytes() const { return Tag() == HeapTag ? View().size() * sizeof(char16_t) : 0; }

    static constexpr size_t InlineCapacity = 7;

private:
    static constexpr uint16_t HeapTag = 0xFFFF;
    uint16_t Tag() const {
        uint16_t t;
        std::memcpy(&t, m_bytes + 14, sizeof t);
        return t;
    }
    void SetTag(uint16_t t) { std::memcpy(m_bytes + 14, &t, sizeof t); }
    void Release() {
        if (Tag() == HeapTag) {
            char16_t* p;
            std::memcpy(&p, m_bytes, sizeof p);
            delete[] p;
            SetTag(0);
        }
    }

    alignas(8) unsigned char m_bytes[16];
};
static_assert(sizeof(TCompactText) == 16);
