// A model file, as the game's resource lists load models: through the model
// manager, which stands a box in for a file it cannot read. What is made
// holds no more vertices or indices than the file has bytes, and plays its
// frames at any time.
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <algorithm>

namespace {

// What the box that stands in may hold.
constexpr std::size_t kBoxParts = 64;

} // namespace

TAMRISK_FUZZ_TARGET(ModelFile)
{
    using Fuzzing::Check;
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\fuzz\\model.mlf", bytes);
    Halvard::ModelManager& models = *bed->GetModelManager();
    Halvard::Model* model = models.NewModelFromFile("data\\fuzz\\model.mlf", nullptr, 0);
    Check(model != nullptr, "no model, not even the box");
    const std::size_t bound = std::max(bytes.size(), kBoxParts);
    Check(model->GetVertexBuffer().GetVertexCount() <= bound, "more vertices than the file could hold");
    Check(model->GetIndexBuffer().GetIndexCount() <= bound, "more indices than the file could hold");
    for (const float time : {0.5f, 1e6f, 3e38f}) {
        model->GetAnimationControl().time = time;
        model->Update(false);
    }
    models.DestroyModel(model);
}
