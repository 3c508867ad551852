#pragma once

// Qt 6.4's accessibility logs, in Qt's uncategorised "default" category,
// warnings that a screen reader sets off in normal use:
//  - the AT-SPI bridge, which hands each key to the screen readers before the
//    program sees it, one for each key that a busy screen reader answers late:
//    tens of thousands while a long formula is typed;
//  - a table, one each time the screen reader asks where one of its scroll-bar
//    frames lies among its children, which it does not count: as the table of
//    "Probabilités" scrolls.
// This installs a message handler, in front of the current one, that moves
// those warnings alone into the categories tirlo.atspi.keys and
// tirlo.atspi.table, whose warnings are off unless QT_LOGGING_RULES turns them
// on. Not when QT_FATAL_WARNINGS makes Qt end the program at a warning: that
// warning must show.
void file_atspi_warnings_apart();
