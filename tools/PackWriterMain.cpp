#include "tools/PackWriter.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

int Usage()
{
    std::cerr << "usage: pack_writer FOLDER OUTPUT.pak\n"
                 "       pack_writer --append FOLDER PROGRAM [OUTPUT]\n"
                 "The first form packs every file below FOLDER; the second writes PROGRAM followed by\n"
                 "that pack to OUTPUT (PROGRAM itself when OUTPUT is left out).\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::string(argv[1]) != "--append") {
            Tools::WritePackFile(argv[1], argv[2]);
            return 0;
        }
        if ((argc == 4 || argc == 5) && std::string(argv[1]) == "--append") {
            Tools::WriteProgramWithPack(argv[2], argv[3], argc == 5 ? argv[4] : argv[3]);
            return 0;
        }
        return Usage();
    } catch (const std::exception& error) {
        std::cerr << "pack_writer: " << error.what() << '\n';
        return 1;
    }
}
