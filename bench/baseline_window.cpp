// The start-up and click-to-pixels floor: a plain Qt Widgets program with the game's window.

#include "plain_window.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    PlainWindow window;
    window.show();
    return QApplication::exec();
}
