#pragma once

// Qt's messages while the application object is made are held back, so that
// when Qt finds no graphical session the user reads one short message saying
// what is missing, and the program ends with status 1, instead of Qt's warnings
// and its advice to reinstall, and an abort. Any other fatal message shows as
// Qt shows it, after the messages held before it, and aborts as it always did.
void hold_start_up_messages();

// Shows the held messages, in order, and hands Qt's messages back to Qt.
void release_start_up_messages();
