#include "game/game.h"
#include "web/form1.h"

int main()
{
    // The page lives on after main returns: the run's generator and the form with it.
    static velmora::RuntimeRandom random; // the run's one generator, made before the form
    static velmora::Form1 form(random);
    form.Show();
    return 0;
}
