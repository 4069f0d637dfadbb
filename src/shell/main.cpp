// Program entry of the game.
#include "shell/game.h"

int main() { return RunGame(); }
