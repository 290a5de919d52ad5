#pragma once

#include <QScreen>
#include <QWidget>

namespace kelto {

// Puts a window in the middle of the screen that holds it (call it from
// its showEvent, once the size is known).
inline void centreOnScreen(QWidget& window)
{
    if (const QScreen* s = window.screen())
        window.move(s->availableGeometry().center() - window.rect().center());
}

} // namespace kelto
