#pragma once

#include <optional>
#include <string_view>

// The values of a data file's cells, as the writers print them and a spreadsheet saves them
// back.
namespace LoggedCellText {

// A number: "12.6", "-2.50", "80.00%", "inf" or "nan" as the C library prints a division by
// zero, a leading "+"; "-X-" (an item the record lacks) and an empty cell are not-a-number.
// None for any other text.
std::optional<float> number(std::string_view cell);

// The Valid cell of an efficiency row: TRUE or FALSE in any case, or 1 or 0.
std::optional<bool> flag(std::string_view cell);

} // namespace LoggedCellText
