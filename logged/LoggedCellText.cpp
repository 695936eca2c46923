#include "logged/LoggedCellText.h"

#include <charconv>
#include <limits>

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool sameLetters(std::string_view text, std::string_view upper)
{
    if (text.size() != upper.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((text[i] & ~0x20) != upper[i])
            return false;
    return true;
}

} // namespace

std::optional<float> LoggedCellText::number(std::string_view cell)
{
    std::string_view text = trimmed(cell);
    if (text.empty() || text == "-X-")
        return std::numeric_limits<float>::quiet_NaN();
    if (text.back() == '%')
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    float value = 0.0f;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

std::optional<bool> LoggedCellText::flag(std::string_view cell)
{
    const std::string_view text = trimmed(cell);
    if (sameLetters(text, "TRUE") || text == "1")
        return true;
    if (sameLetters(text, "FALSE") || text == "0")
        return false;
    return std::nullopt;
}
