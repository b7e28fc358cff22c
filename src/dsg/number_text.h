#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Numbers in our text files: always a full stop as the decimal separator, whatever the locale.
namespace roamer::dsg {

// Leading spaces and tabs are skipped; the longest prefix of the form sign, digits, optional full
// stop and digits, optional exponent is converted. Text without such a prefix reads as 0; the
// rest of the text is ignored. Never fails.
double ParseDouble(std::string_view text);

// Leading spaces and tabs are skipped; the longest prefix of sign and decimal digits is
// converted, saturating at the limits of a 32-bit integer. Text without digits reads as 0.
std::int32_t ParseInt(std::string_view text);

// Narrows to float; values beyond the float range become infinities instead of undefined results.
float NarrowToFloat(double value);

// Appends `value` with `decimals` digits after the full stop, as printf's "%.Nf" does in the
// "C" locale.
void AppendFixed(std::string& out, double value, int decimals);
void AppendInt(std::string& out, std::int64_t value);

}  // namespace roamer::dsg
