#pragma once

class QCoreApplication;

// Makes the program French whatever the desktop's language, like its own
// texts: the locale that it and assistive technologies go by, and Qt's own
// texts (the text boxes' context menu, ...).
void install_french(QCoreApplication& app);
