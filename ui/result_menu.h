#pragma once

class QAction;
class QLineEdit;

// Adds a command of the main window at the end of the result box's context
// menu, after the line edit's own entries, in the order added.
void add_to_result_menu(QLineEdit& result_box, QAction& command);
