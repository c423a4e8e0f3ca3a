// domivo: the desktop application.

#include "app/Clock.h"
#include "app/DomivoMain.h"

int main(int argc, char* argv[]) {
    Clock::readLocalZoneOnce();
    return DomivoMain::run(argc, argv);
}
