// Program entry of the game.
#include "shell/data_folder.h"
#include "shell/game.h"

int main() {
    SettleIntoGameFolders(RunningProgramFile());
    return RunGame();
}
