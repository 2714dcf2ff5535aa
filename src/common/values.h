#pragma once
// Readers for the typed values of the configuration: booleans, integers and
// colours. They raise EConvertError with the texts authors see.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vc {

// A colour: 0x00BBGGRR, or 0xFF000000 plus a system colour index.
using Colour = std::uint32_t;

constexpr Colour kSystemColourFlag = 0xFF000000u;
constexpr Colour clNone = 0x1FFFFFFFu;
constexpr Colour clDefault = 0x20000000u;

constexpr bool IsSystemColour(Colour colour) { return (colour & 0xFF000000u) == kSystemColourFlag; }
constexpr int SystemColourIndex(Colour colour) { return static_cast<int>(colour & 0xFFu); }

// Digits of one base (10 or 16), read as a value no larger than `limit`;
// nothing when there are none, when a character is not a digit of the base,
// or when the value would pass the limit. The one digit loop of every number
// reader: it stops at the limit, so no length of input can overflow it.
std::optional<std::uint32_t> ReadDigits(std::string_view digits, int base, std::uint32_t limit);

// A number first (0 false, any other true, "-1" included), otherwise "True"
// or "False" in any letter case; else "'%s' is not a valid boolean value".
bool StrToBool(std::string_view text);

// A signed 32-bit decimal integer; else "'%s' is not a valid integer value".
std::int32_t StrToInt(std::string_view text);
std::optional<std::int32_t> TryStrToInt(std::string_view text);

// A colour name of the table in any letter case, otherwise an integer
// (decimal, or hexadecimal after "$" or "0x"); else the integer error.
Colour StrToColour(std::string_view text);

// The 0x00BBGGRR value of a colour: a system colour through the platform's
// lookup of its index, any other value with its top byte dropped.
Colour ResolveColour(Colour colour, const std::function<Colour(int index)>& systemColour);

// Every name of the colour table, in table order.
std::vector<std::string> ColourNames();

// The table's name of a colour, if it has one.
std::optional<std::string> ColourName(Colour colour);
// The colour of a table name, compared without regard to case.
std::optional<Colour> ColourByName(std::string_view name);

}  // namespace vc
