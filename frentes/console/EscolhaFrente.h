#pragma once
// Which front-end a start gets: the console unless a display can show the
// window to someone. The Qt platforms "offscreen" and "minimal" draw
// nowhere; any other platform named in QT_QPA_PLATFORM is taken as usable;
// without one, a display is there when DISPLAY or WAYLAND_DISPLAY is set.
// Arguments are the environment values, null when unset.
#include <iosfwd>

bool UsarConsole(const char* plataformaQt, const char* display, const char* displayWayland);

// UsarConsole, and the console as well when the window would open the X
// display (Qt's xcb platform, named or taken without a Wayland display) and
// that display accepts no connection: Qt would abort the start. One line on
// erro then says so.
bool EscolherConsole(const char* plataformaQt, const char* display, const char* displayWayland, std::ostream& erro);
