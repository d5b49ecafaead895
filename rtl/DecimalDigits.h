#pragma once
// Internal to rtl: a double as rounded decimal digits, and the text layouts built from them.
// value = 0.d1 d2 ... dn x 10^exponent; digits hold no trailing zeros unless padded.
#include <string>

constexpr int kMaxDecimalDigits = 17; // a double has at most 17 significant decimal digits
constexpr int kUnlimitedDecimals = 100000;

struct DecimalDigits {
    char digits[kMaxDecimalDigits + 1] = {};
    int count = 0;
    int exponent = 0;
    bool negative = false;

    bool IsZero() const;
    void PadTo(int n); // appends zeros up to n digits
};

// Rounds |value| half away from zero to at most `precision` significant digits and at most
// `decimals` digits after the point, as a user reading the number expects (0.125 -> 0.13).
DecimalDigits ToDecimalDigits(double value, int precision, int decimals);

// "d.dddE+x": `plusSign` writes "+" for positive exponents, the exponent has at least
// `expDigits` digits.
std::string ExponentText(const DecimalDigits& d, char decimalSeparator, bool plusSign,
                         int expDigits);
// Positional text: `decimals` < 0 writes every digit there is, otherwise exactly that many;
// `thousands` (0 for none) groups the integer part.
std::string FixedText(const DecimalDigits& d, char decimalSeparator, char thousands, int decimals);
