#pragma once

// Qt's messages while the application object is made are held back, so that
// when Qt cannot start for want of a graphical session, the user reads one
// short message saying what is missing instead of Qt's warnings, its advice to
// reinstall and an abort. When a session is there but Qt still cannot start
// on it, Qt's own messages show, which name the cause, then a one-line hint.
// Both end the program with status 1. Any other fatal message shows as Qt
// shows it, after the messages held before it, and aborts as it always did.
void hold_start_up_messages();

// Shows the held messages, in order, and hands Qt's messages back to the
// handler that had them before.
void release_start_up_messages();
