#pragma once

#include <QTimer>
#include <QWidget>

namespace velmora {

// The window of the first three seconds: picture, title, a loading line,
// and the program's mark with its name in the top left corner.
class TSplashScreen : public QWidget {
    Q_OBJECT
public:
    TSplashScreen();

    // Started at creation; running out is its only action.
    QTimer Timer1{this};
};

// Shows the splash screen until Timer1 runs out, handling events meanwhile,
// then hides and destroys it.
void showSplash();

} // namespace velmora
