#pragma once

#include <QIcon>

// The program's icon: a 32 x 32 die in nine colours.
QIcon die_icon();
