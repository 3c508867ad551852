#pragma once

// Qt's AT-SPI bridge, which hands each key to the screen readers before the
// program sees it, logs a warning in Qt's uncategorised "default" category for
// each key that a busy screen reader answers late: tens of thousands while a
// long formula is typed. This installs a message handler, in front of the
// current one, that moves those warnings alone into the category
// tirlo.atspi.keys, whose warnings are off unless QT_LOGGING_RULES turns them
// on. Not when QT_FATAL_WARNINGS makes Qt end the program at a warning: that
// warning must show.
void file_atspi_key_warnings_apart();
