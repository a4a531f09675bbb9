#pragma once

#include "game/objects/Fragment.h"

#include <memory>
#include <string>
#include <vector>

namespace Tamrisk {

// One reusable burst: a fixed set of fragments made from the pieces named
// name + "/00", name + "/01", ... Main thread only.
class Explosion {
public:
    Explosion(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, const std::string& name,
              unsigned count, bool models, const FragmentSettings& settings);
    Explosion(const Explosion&) = delete;
    Explosion& operator=(const Explosion&) = delete;
    virtual ~Explosion();

    void Start(const Halvard::Model& source, bool shadow);
    void Update();

    bool IsRunning() const { return running_ != 0; }
    float GetElapsed() const { return elapsed_; }
    const std::vector<std::unique_ptr<Fragment>>& GetFragments() const { return fragments_; }

private:
    Halvard::Engine* engine_;
    std::vector<std::unique_ptr<Fragment>> fragments_;
    unsigned char running_ = 0;
    float elapsed_ = 0.0f;
};

} // namespace Tamrisk
