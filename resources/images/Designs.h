#pragma once

#include <QImage>
#include <QString>

// The pictures of the window designs other than brushes and bubbles.
namespace designs {

// A small, sober button of the adults' function bar, enabled or greyed out.
QImage FunctionButton(const QString& drawing, bool enabled);
// The drop button of the picture combo box, up or held down.
QImage ComboButton(bool down);
QImage OptionsBackground(); // 334 x 421
QImage SplashBackground();  // 621 x 389
QImage ProgramIcon();       // 64 x 64, with transparency

} // namespace designs
