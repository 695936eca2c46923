#pragma once

#include <QString>

// Numbers as the data files carry them, printed like the C library does (so an infinite or
// undefined efficiency reads "inf" or "nan", as a spreadsheet user of the older files knows it).
QString fixed1Text(double value);
QString fixed2Text(double value);
