// Number <-> text conversions, independent of the process locale (a German
// locale must never turn 0.9 into "0,9").
#pragma once

#include <string>
#include <string_view>

namespace tulvarine {

std::string IntToText(long long value);
// Six significant digits, as printf "%.6g" in the C locale (single precision).
std::string FloatToText(float value);
// Thirteen significant digits, as printf "%.13g" in the C locale.
std::string DoubleToText(double value);

// Reads a leading decimal number: leading blanks skipped, an optional sign,
// digits with an optional fraction and exponent. Full-width digits and signs
// count as ASCII ones. A text that holds no number gives 0.
double TextToDouble(std::string_view text);
// As TextToDouble, truncated toward zero (a fraction is ignored).
long long TextToInt(std::string_view text);

}  // namespace tulvarine
