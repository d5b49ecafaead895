#include "rtl/DecimalDigits.h"

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

DecimalDigits ToDecimalDigits(double value, int precision, int decimals) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value)) return d;
    d.negative = value < 0;
    // 17 significant digits identify the double exactly; rounding happens on them.
    char buf[40];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific,
                           kMaxDecimalDigits - 1);
    *r.ptr = '\0';
    char all[kMaxDecimalDigits];
    int n = 0;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p != '.') all[n++] = *p;
    d.exponent = std::atoi(p + 1) + 1;

    long keepLong = std::min<long>(precision, static_cast<long>(d.exponent) + decimals);
    if (keepLong < 0) return DecimalDigits{};
    int keep = static_cast<int>(std::min<long>(keepLong, n));
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
