#pragma once

class QWidget;

// The main window's fixed size and the places of its four controls, drawn for
// a 9 pt font and grown in proportion with a larger one.
void lay_out_main_window(QWidget& window, QWidget& txt_entree, QWidget& but_ok, QWidget& txt_result,
                         QWidget& but_help);
