#pragma once

#include <QIcon>

// The program's icon: a die, at every size from 16 to 256 px, each decoded when asked for.
QIcon die_icon();
