#pragma once

#include <QString>

// The usage note of the help window: 23 lines, each ending in CR LF.
QString help_text();
