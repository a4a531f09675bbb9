#pragma once

#include "engine/core/Random.h"
#include "engine/render/ModelManager.h"
#include "game/level/Effects.h"
#include "game_tools/DataKeeper.h"
#include "tests/game/objects/LevelObjectsBed.h"
#include "tests/support/FakeEngine.h"

#include <cmath>
#include <memory>
#include <string>

namespace Testing {

// An engine on a fake clock with a data keeper of box pieces and an effects
// list, as a level gives explosions; the random sequence is seeded so every
// run throws the pieces alike. Explosions made by a test go before the bed.
class ExplosionBed {
public:
    ExplosionBed()
    {
        engine.Start();
        data = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", false);
        effects = std::make_unique<Tamrisk::Effects>(&engine.Get(), nullptr);
        Halvard::SetRandomSeed(23);
    }

    // The data keeper's piece of that name: a box of the given half size
    // around the centre.
    void AddPiece(const std::string& name, const Halvard::Vector3& centre, float halfSize)
    {
        const Halvard::Vector3 half(halfSize);
        AddBoxModel(engine.Get(), *data, name, centre - half, centre + half);
    }

    // A block's model, placed at the position.
    Halvard::Model* MakeSource(const Halvard::Vector3& position)
    {
        const float min[3] = {-5.0f, -5.0f, 0.0f};
        const float max[3] = {5.0f, 5.0f, 10.0f};
        Halvard::Model* model = engine->GetModelManager()->CreateModelFromArrays(min, max, nullptr, nullptr, 0);
        Halvard::MatrixTranslation(model->worldMatrix, position);
        model->boundingBox.SetTransform(model->worldMatrix);
        return model;
    }

    // The uniform scale a transform made of moves, turns and one uniform
    // scale applies.
    static float ScaleOf(const Halvard::Matrix4& m)
    {
        return std::sqrt(m.m[0] * m.m[0] + m.m[4] * m.m[4] + m.m[8] * m.m[8]);
    }

    FakeEngine engine;
    std::unique_ptr<GameTools::DataKeeper> data;
    std::unique_ptr<Tamrisk::Effects> effects;
};

} // namespace Testing
