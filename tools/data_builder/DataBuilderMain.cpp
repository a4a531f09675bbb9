#include "tools/data_builder/DataBuilder.h"
#include "tools/data_builder/Generators.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

int Usage()
{
    std::cerr << "usage: data_builder SOURCE OUTPUT [--pack]\n"
                 "Copies the hand-written files of SOURCE, runs every generator and writes the data\n"
                 "folder OUTPUT, replacing it whole; --pack writes it as OUTPUT/pack0.pak.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    const bool packed = argc == 4 && std::string(argv[3]) == "--pack";
    if (argc != 3 && !packed)
        return Usage();
    try {
        Tools::BuildDataFolder({argv[1], argv[2], packed ? Tools::DataForm::Packed : Tools::DataForm::Loose,
                                Tools::ListGenerators()});
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "data_builder: " << error.what() << '\n';
        return 1;
    }
}
