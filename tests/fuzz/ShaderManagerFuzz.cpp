// A model's shader file, as the resource lists load it: through the shader
// manager, which gives the plain shader for a file it refuses and logs why,
// naming the file. A shader plays its animation frame after frame, however
// far the time jumps.
#include "engine/render/ShaderManager.h"
#include "engine/render/ShaderUser.h"
#include "tests/fuzz/EngineBed.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"

TAMRISK_FUZZ_TARGET(ShaderManager)
{
    Fuzzing::BedInput input;
    Fuzzing::EngineBed& bed = input.Bed();
    bed.Put("data\\fuzz\\shader.srf", bytes);
    Halvard::ShaderManager& shaders = *bed->GetShaderManager();
    Halvard::ShaderUser* user = shaders.CreateShaderUserFromFile("fuzz\\shader.srf");
    Fuzzing::Check(user != nullptr, "no shader, not even the plain one");
    Fuzzing::CheckRefusalsName(*bed->GetMessageManager(), "shader.srf");
    for (const double seconds : {0.03, 0.03, 100.0, 1e4}) {
        bed.Fake().Step(seconds);
        shaders.Update();
    }
    shaders.RemoveShaderUser(user);
}
