#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"

#include <string>
#include <vector>

namespace Halvard {
class Engine;
}

namespace Tamrisk {

// The stage map file, "data\ui\map\map.gmf" ("GFGMF" 100): the points of
// the way through every stage in map order, each numbered with the level it
// stands for. A check point opens the next stage; every other point is the
// next level of the current stage.
class GUIStageMap {
public:
    static constexpr const char* kPath = "data\\ui\\map\\map.gmf";

    enum Kind : Halvard::u32 { kStart, kFinish, kCheckPoint, kPathPoint, kKindCount };

    struct Element {
        Halvard::u32 kind = kPathPoint;
        // Places the element's model on the 800 x 600 interface.
        Halvard::Matrix4 placement{};
        Halvard::u32 stage = 0;
        Halvard::u32 level = 0;
    };

    // Reads the file through the data folder. Throws FileError naming the
    // file when it is missing, its header is wrong, its count does not fit
    // the bytes, or an element has a kind above kPathPoint.
    GUIStageMap(Halvard::Engine* engine, const std::string& path = kPath);

    const std::vector<Element>& GetElements() const { return elements_; }

private:
    std::vector<Element> elements_;
};

} // namespace Tamrisk
