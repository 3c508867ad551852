#pragma once

#include <QString>
#include <cstdint>

// A whole number as French writes it, its digits grouped in threes by a narrow
// no-break space: "32 768".
QString french_number(std::int64_t value);
