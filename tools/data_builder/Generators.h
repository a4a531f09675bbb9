#pragma once

#include "tools/data_builder/DataSet.h"

#include <string>
#include <vector>

namespace Tools {

// One step of the data build: a name for its error messages and the function
// that adds its files to the set.
struct Generator {
    std::string name;
    void (*generate)(DataSet& set);
};

// Every generator of the default data set, in the order they run. The order
// is fixed here, and only here, so two builds give the same set.
std::vector<Generator> ListGenerators();

} // namespace Tools
