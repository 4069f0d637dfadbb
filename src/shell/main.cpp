// Program entry of the game.
#include <cstdlib>

#include "resources/messages.h"
#include "shell/data_folder.h"
#include "shell/game.h"

int main() {
    SettleIntoGameFolders(RunningProgramFile());
    // The catalogues lie in the game folder, or in share/locale beside the
    // installed share/veltrim.
    StartMessageTranslation({"locale", "../locale"}, std::getenv);
    return RunGame();
}
