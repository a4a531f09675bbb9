#include "tests/gui_tools/ControlTestBed.h"

#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "tools/ModelWriter.h"

namespace Testing {

ControlTestBed::ControlTestBed()
{
    engine.Start();
    keeper = std::make_unique<GameTools::DataKeeper>(&engine.Get(), "en", false);
}

ControlTestBed::~ControlTestBed() { keeper.reset(); }

void ControlTestBed::AddSlidingModel(const std::string& name, Halvard::u32 frames, float speed)
{
    Halvard::ModelManager& models = *engine->GetModelManager();
    if (frames == 0) {
        const Halvard::u32 flags = Halvard::Model::kVertexAnimated | Halvard::Model::kTriangleList;
        keeper->AddModel("ui/" + name, new Halvard::Model(models.GetServices(), flags, 3, 3, 0, nullptr, nullptr));
        return;
    }
    Tools::ModelFileData data = Tools::MakeBoxModelData({0, 0, 0}, {1, 1, 0});
    data.flags = Tools::kModelVertexAnimated | Tools::kModelTriangleList;
    data.frameCount = frames;
    data.speed = speed;
    data.vertices.clear();
    data.bounds.clear();
    for (Halvard::u32 frame = 0; frame < frames; ++frame) {
        const auto x = static_cast<float>(frame);
        const Tools::ModelFileData shifted = Tools::MakeBoxModelData({x, 0, 0}, {x + 1, 1, 0});
        data.vertices.insert(data.vertices.end(), shifted.vertices.begin(), shifted.vertices.end());
        data.bounds.push_back(shifted.bounds[0]);
    }
    const std::vector<std::uint8_t> bytes = Tools::BuildModelFile(data);
    const std::string file = "models\\" + name + ".hml";
    engine.folder.WriteFile("data\\" + file, std::string(bytes.begin(), bytes.end()));
    keeper->AddModel("ui/" + name, models.NewModelFromFile(file, nullptr, 0));
}

std::unique_ptr<GUITools::GUIWindowControl> ControlTestBed::WindowControl(GUITools::GUIControlDescription description)
{
    description.name = "window/control";
    return std::make_unique<GUITools::GUIWindowControl>(Engine(), Keeper(), nullptr, description);
}

void ControlTestBed::Frame(GUITools::GUIControl& control, double seconds)
{
    engine.clock.Advance(seconds);
    engine->BeginFrame();
    control.Update();
    engine->EndFrame(0);
}

void ControlTestBed::Frames(GUITools::GUIControl& control, int count, double seconds)
{
    for (int i = 0; i < count; ++i)
        Frame(control, seconds);
}

} // namespace Testing
