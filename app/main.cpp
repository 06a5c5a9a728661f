#include "game/game.h"
#include "window/window.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char *argv[])
{
    if (!velmora::DisplayAvailable())
        return EXIT_FAILURE;
    QApplication app(argc, argv);
    velmora::SetUpApplication(app);

    velmora::RuntimeRandom random; // the run's one generator, made before the window
    velmora::Form1 form(random);
    form.show();
    return QApplication::exec();
}
