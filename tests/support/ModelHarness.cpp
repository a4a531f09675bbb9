#include "tests/support/ModelHarness.h"

#include <sstream>

namespace Testing {

ModelHarness::ModelHarness() { timers.Update(); }

Halvard::ModelManager& ModelHarness::Start(bool stencilRequest)
{
    Halvard::RenderSystem_D3D7& system = render.Start(stencilRequest);
    Halvard::MessageManager* log = render.messages.get();
    cameras = std::make_unique<Halvard::CameraManager>(log, render.window.get(), &system);
    lights = std::make_unique<Halvard::LightManager>(log, &system);
    shaders = std::make_unique<Halvard::ShaderManager>(log, &folder.Files(), &timers, render.config.get(), &system);
    models = std::make_unique<Halvard::ModelManager>(log, &folder.Files(), &timers, &system, cameras.get(),
                                                     lights.get(), shaders.get());
    cameras->Update();
    return *models;
}

void ModelHarness::WriteModel(const std::string& name, const Tools::ModelFileData& data)
{
    const std::vector<std::uint8_t> bytes = Tools::BuildModelFile(data);
    folder.Write("data\\" + name, std::string(bytes.begin(), bytes.end()));
}

void ModelHarness::NextFrame(double seconds)
{
    clock.Advance(seconds);
    timers.Update();
    cameras->Update();
}

std::vector<Halvard::u32> ModelHarness::TakeDrawnVertexCounts()
{
    std::vector<Halvard::u32> counts;
    const std::vector<std::string>& calls = render.video.calls;
    for (; seenCalls_ < calls.size(); ++seenCalls_) {
        std::istringstream line(calls[seenCalls_]);
        std::string name;
        std::string type;
        Halvard::u32 format = 0;
        Halvard::u32 vertexCount = 0;
        if (line >> name >> type >> format >> vertexCount && name == "DrawIndexedPrimitive")
            counts.push_back(vertexCount);
    }
    return counts;
}

} // namespace Testing
