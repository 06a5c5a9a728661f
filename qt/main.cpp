#include "game/game.h"
#include "qt/form1.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    if (!velmora::DisplayAvailable())
        return EXIT_FAILURE;
    // The game takes no command line: not even Qt's own options (-style, -qwindowtitle, ...) reach it.
    int programNameOnly = argc > 0 ? 1 : 0;
    QApplication app(programNameOnly, argv);
    velmora::SetUpApplication();

    velmora::RuntimeRandom random; // the run's one generator, made before the window
    velmora::Form1 form(random);
    form.show();
    return QApplication::exec();
}
