// The start-up floor on its own: the window of floor_window.h, nothing more.
#include "floor_window.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    showFloorWindow(window);
    return app.exec();
}
