#include "rtl/DecimalDigits.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

bool DecimalDigits::IsZero() const {
    for (int i = 0; i < count; ++i)
        if (digits[i] != '0') return false;
    return true;
}

void DecimalDigits::PadTo(int n) {
    if (n > kMaxDecimalDigits) n = kMaxDecimalDigits;
    while (count < n) digits[count++] = '0';
}

namespace {

// Significant digits of |value| and its decimal exponent (value = 0.d1d2... x 10^exponent).
int ScientificDigits(double value, int count, char* out, int& exponent) {
    char buf[96];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                           count - 1);
    *r.ptr = '\0';
    int n = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') out[n++] = *p;
    exponent = std::atoi(p + 1) + 1;
    return n;
}

// True when the digits from `from` on read 5000... or 4999...: the rounding decision then
// depends on digits beyond those we have.
bool NearHalf(const char* digits, int from, int n) {
    if (from >= n) return false;
    char lead = digits[from];
    if (lead != '5' && lead != '4') return false;
    char rest = lead == '5' ? '0' : '9';
    for (int i = from + 1; i < n; ++i)
        if (digits[i] != rest) return false;
    return true;
}

} // namespace

DecimalDigits ToDecimalDigits(double value, int precision, int decimals) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value)) return d;
    d.negative = value < 0;
    // 17 significant digits identify the double; when they sit right at a half, 40 digits
    // tell an exact half (rounded away from zero, as users expect: 0.125 -> 0.13) from a
    // value just below or above it.
    constexpr int kWide = 40;
    char all[kWide];
    int n = ScientificDigits(value, kMaxDecimalDigits, all, d.exponent);

    long keepLong = std::min<long>(precision, static_cast<long>(d.exponent) + decimals);
    if (keepLong < 0) return DecimalDigits{};
    int keep = static_cast<int>(std::min<long>(keepLong, n));
    if (keep < n && NearHalf(all, keep, n)) {
        char wide[kWide];
        int wideExponent;
        int wn = ScientificDigits(value, kWide, wide, wideExponent);
        if (wideExponent == d.exponent) { // they agree unless 17 digits carried into 10...0
            std::copy(wide, wide + wn, all);
            n = wn;
        }
    }
    bool roundUp = keep < n && all[keep] >= '5';
    for (int i = 0; i < keep; ++i) d.digits[i] = all[i];
    d.count = keep;
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            // 9.99 -> 10.0, or a value rounded up at the first place: one more integer digit.
            d.digits[0] = '1';
            for (int k = 1; k < d.count; ++k) d.digits[k] = '0';
            if (d.count == 0) d.count = 1;
            ++d.exponent;
        }
    }
    while (d.count > 0 && d.digits[d.count - 1] == '0') --d.count;
    if (d.count == 0) d = DecimalDigits{};
    return d;
}

std::string ExponentText(const DecimalDigits& d, char decimalSeparator, bool plusSign,
                         int expDigits) {
    std::string out;
    bool zero = d.IsZero();
    if (d.negative && !zero) out += '-';
    out += d.count > 0 ? d.digits[0] : '0';
    if (d.count > 1) {
        out += decimalSeparator;
        out.append(d.digits + 1, static_cast<size_t>(d.count - 1));
    }
    int e = zero ? 0 : d.exponent - 1;
    out += 'E';
    if (e < 0)
        out += '-';
    else if (plusSign)
        out += '+';
    std::string ed = std::to_string(std::abs(e));
    while (static_cast<int>(ed.size()) < expDigits) ed.insert(ed.begin(), '0');
    return out + ed;
}

std::string FixedText(const DecimalDigits& d, char decimalSeparator, char thousands, int decimals) {
    std::string out;
    if (d.negative && !d.IsZero()) out += '-';
    auto digitAt = [&d](int i) { return i >= 0 && i < d.count ? d.digits[i] : '0'; };
    int intDigits = d.exponent > 0 ? d.exponent : 0;
    if (intDigits == 0) {
        out += '0';
    } else {
        for (int i = 0; i < intDigits; ++i) {
            if (thousands && i > 0 && (intDigits - i) % 3 == 0) out += thousands;
            out += digitAt(i);
        }
    }
    int fracDigits = decimals >= 0 ? decimals : std::max(0, d.count - d.exponent);
    if (fracDigits > 0) {
        out += decimalSeparator;
        for (int k = 0; k < fracDigits; ++k) out += digitAt(d.exponent + k);
    }
    return out;
}
