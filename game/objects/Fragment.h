#pragma once

#include "engine/core/Math.h"

#include <string>

namespace GameTools {
class DataKeeper;
}

namespace Halvard {
class Engine;
class Model;
class ModelManager;
class TimerManager;
} // namespace Halvard

namespace Tamrisk {

class Effects;
class Shadow;

// How the pieces of an explosion fly, shrink, lie and sink.
struct FragmentSettings {
    float timeFactor = 1.0f;
    float horizontalFactor = 1.0f;
    // Pieces larger than this shrink to it during their first second.
    float targetSize = 2.8f;
    // Seconds a landed piece lies before it sinks.
    float sinkDelay = 12.0f;
    float floorLevel = 0.0f;
};

// One piece of an explosion: a model copy that flies up from where the piece
// sat in the source model, tumbles, lands, lies and sinks away. Main thread
// only.
//
// The effects list must outlive the fragment: the fragment's shadow is one of
// its entries, given back by the destructor.
class Fragment {
public:
    // The piece is the data keeper's model of that name; models set: the
    // fragment shows that piece, else a random common piece
    // ("geometry/fragments/common/NN") of its size. A common piece with no
    // extent is shown at its own size.
    Fragment(Halvard::Engine* engine, GameTools::DataKeeper* data, Effects* effects, const std::string& pieceName,
             bool models, const FragmentSettings& settings);
    Fragment(const Fragment&) = delete;
    Fragment& operator=(const Fragment&) = delete;
    virtual ~Fragment();

    void Start(const Halvard::Model& source, bool shadow);
    void Update();

    bool IsActive() const { return active_ != 0; }
    Halvard::Model* GetModel() const { return model_; }
    Shadow* GetShadow() const { return shadow_; }
    float GetOwnSize() const { return ownSize_; }

private:
    void Fly(float step);
    // The world transform from the flight so far.
    void Place();
    // Moves the world transform up by the height (down when negative).
    void Lift(float height);
    void Land(float dt);
    void MakeModel(GameTools::DataKeeper* data, const Halvard::Model& piece, bool models);

    Halvard::ModelManager* models_;
    Halvard::TimerManager* timers_;
    Effects* effects_;
    Halvard::Model* model_ = nullptr;
    Shadow* shadow_ = nullptr;
    unsigned char active_ = 0;
    FragmentSettings settings_;
    float ownSize_ = 0.0f;
    Halvard::Vector3 homeCentre_;
    Halvard::Matrix4 homeTransform_;
    Halvard::Matrix4 launchTransform_;
    Halvard::Matrix4 spin_;
    Halvard::Matrix4 move_;
    Halvard::Matrix4 scale_;
    Halvard::Matrix4 composed_;
    Halvard::Vector3 velocity_;
    float elapsed_ = 0.0f;
    float landedTime_ = 0.0f;
};

} // namespace Tamrisk
