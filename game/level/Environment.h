#pragma once

#include <string>
#include <vector>

namespace GameTools {
class DataKeeper;
class XMLNode;
} // namespace GameTools

namespace Halvard {
class Engine;
class Model;
class ModelManager;
} // namespace Halvard

namespace Tamrisk {

// The stage's scenery: copies of the level data's model templates placed as
// "data\environment\<name>.xml" describes them. Main thread only.
class Environment {
public:
    Environment(Halvard::Engine* engine, GameTools::DataKeeper* levelData, const std::string& name);
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    virtual ~Environment();

    const std::vector<Halvard::Model*>& GetModels() const { return models_; }

private:
    void AddModel(const GameTools::XMLNode& node);

    Halvard::ModelManager* modelManager_;
    GameTools::DataKeeper* levelData_;
    std::vector<Halvard::Model*> models_;
};

} // namespace Tamrisk
