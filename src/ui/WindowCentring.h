#pragma once
// Centring a window on its screen, frame included.

class QWidget;

namespace tomira {

// Moves a window, frame included, to the centre of its screen; call it
// once the window has its size. A window not yet shown is centred again
// when the window manager has framed it, if the frame differs from the
// one assumed.
void CentreOnScreen(QWidget& window);

}  // namespace tomira
