#pragma once

#include <QFont>

// The program's window and control text is set in "微软雅黑". Where that font
// is missing (every Linux desktop), the family name resolves through the
// substitutions that install() registers, so code keeps asking for the
// design family by name.
namespace Fonts {

// Registers the stand-ins: "微软雅黑" -> WenQuanYi Micro Hei, "Verdana" -> a
// sans family. Call once after the QApplication exists; calling it again
// changes nothing.
void install();

// "微软雅黑" at the given point size, regular (400) or bold (700).
QFont ui(qreal pointSize, bool bold = false);

// "Verdana", regular, at the given point size: the status line and the two
// result boxes that hold Latin-script records (whois, name-server answers).
QFont verdana(qreal pointSize);

} // namespace Fonts
