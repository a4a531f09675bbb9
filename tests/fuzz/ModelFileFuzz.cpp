// A model file, as the game's resource lists load models: a template through
// the model manager, which stands a box in for a file it cannot read, and
// the copy an object of the game draws. What is made holds no more vertices
// or indices than the file has bytes, and plays its frames at any time.
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

#include <algorithm>
#include <memory>

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
    const std::unique_ptr<Halvard::Model> kept(models.NewModelFromFile("fuzz\\model.mlf", nullptr, 0));
    Check(kept != nullptr, "no model, not even the box");
    Halvard::Model* model = models.CopyModel(*kept, nullptr, 0);
    const std::size_t bound = std::max(bytes.size(), kBoxParts);
    Check(model->GetVertexBuffer().GetVertexCount() <= bound, "more vertices than the file could hold");
    Check(model->GetIndexBuffer().GetIndexCount() <= bound, "more indices than the file could hold");
    for (const float time : {0.5f, 1e6f, 3e38f}) {
        model->GetAnimationControl().time = time;
        model->Update(false);
    }
    models.DestroyModel(model);
}
