#pragma once

#include <QIcon>

// The program's icon: a die, at every size from 16 to 256 px.
QIcon die_icon();
