#pragma once

#include <QIcon>

// The program icon (32 x 32, the shield of the title banner): the application
// sets it once, and every window of the program shows it.
QIcon ProgramIcon();
