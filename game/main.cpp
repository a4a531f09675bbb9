#include "game/ProgramEntry.h"

#include <string>

// The arguments are kept as one command line, as the game's loader takes it.
int main(int argc, char** argv)
{
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (i > 1)
            commandLine += ' ';
        commandLine += argv[i];
    }
    return Tamrisk::RunProgram(commandLine);
}
