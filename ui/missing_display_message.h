#pragma once

// What the program says, in French and in English, when it finds no graphical
// session to open its window in: what it needs and how to get it. UTF-8.
const char* missing_display_message();
