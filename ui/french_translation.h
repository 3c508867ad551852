#pragma once

class QCoreApplication;

// Puts Qt's own texts (the text boxes' context menu, ...) into French, like the
// rest of the program, whatever the desktop's language.
void install_french_translation(QCoreApplication& app);
