#pragma once
// The monitor's own images, drawn rather than stored: the tray icon and the
// glyphs of the two buttons and of the up/down arrows. Needs a QGuiApplication.
#include <QIcon>

QIcon IconeMonitor();            // tray icon: a percent sign on a coin
QIcon GlifoAtualizar();          // "Atualizar as Comissões": a turning arrow
QIcon GlifoMinimizar();          // "Minimizar": a window going down to a bar
QIcon GlifoSeta(bool paraCima);  // the arrows of the hour's up/down buttons, 8 x 5
