#include "logged/CsvNumberText.h"

#include <cstdio>

namespace {

// Wide enough for any double in fixed notation.
constexpr int TextRoom = 400;

} // namespace

QString fixed1Text(double value)
{
    char text[TextRoom];
    std::snprintf(text, sizeof text, "%.1f", value);
    return QString::fromLatin1(text);
}

QString fixed2Text(double value)
{
    char text[TextRoom];
    std::snprintf(text, sizeof text, "%.2f", value);
    return QString::fromLatin1(text);
}
