// domivo: the desktop application.

#include "app/DomivoMain.h"

int main(int argc, char* argv[]) {
    return DomivoMain::run(argc, argv);
}
