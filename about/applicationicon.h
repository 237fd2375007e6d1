#pragma once

#include <QIcon>
#include <QImage>
#include <QSize>

namespace gridlore {

// The icon's own size: the About box shows it 1:1, which makes its picture
// box 660 x 570 twips.
inline constexpr QSize IconSize(44, 38);

// The icon scaled to fit size without distortion, centred, transparent around
// the drawing.
QImage iconImage(const QSize &size);

// The same drawing at the sizes window managers and launchers ask for.
QIcon applicationIcon();

} // namespace gridlore
