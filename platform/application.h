#pragma once

#include <QFont>
#include <QString>

class QWidget;

namespace gridlore {

// The program's title: window captions and prompts carry it.
QString applicationTitle();

// Where the program's data lives: <prefix>/share/gridlore beside the bin folder
// that holds the executable, the same layout in the build tree as installed.
QString applicationFolder();

// The given face if the system has it, else its metric-compatible stand-in
// IPAPGothic, else any font that has Japanese glyphs.
QFont japaneseFont(double pointSize);

// The face every window asks for.
inline constexpr auto PreferredFace = u"ＭＳ Ｐゴシック";

} // namespace gridlore
