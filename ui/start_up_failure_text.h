#pragma once

// What the program says, in French and in English, when its window cannot
// open. UTF-8, each line ended by a newline.

// No graphical session to open the window in: what it needs and how to get it.
const char* missing_display_message();

// A session was found but Qt could not start on it: the line that follows
// Qt's own, which name the cause (a platform plugin missing a library, a
// QT_QPA_PLATFORM that names no plugin).
const char* platform_failure_hint();
