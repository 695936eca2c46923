#pragma once

#include "tests/support/TestBytes.h"

// Byte strings written as the unit's numbers; the programming tests' short name for bytesOf.
inline QByteArray bytes(std::initializer_list<int> values)
{
    return bytesOf(values);
}
