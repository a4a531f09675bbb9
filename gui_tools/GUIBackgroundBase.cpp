#include "gui_tools/GUIBackgroundBase.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/MessageManager.h"
#include "engine/core/TimerManager.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLQuery.h"
#include "game_tools/XMLValue.h"
#include "gui_tools/GUIBackgroundLayer.h"

#include <algorithm>
#include <cmath>

namespace GUITools {

using namespace Halvard;
using GameTools::XMLNode;
using GameTools::XMLValue;

namespace {

constexpr float kDone = 0.0001f;
// The upper window lies this many layers above the last entry.
constexpr i32 kUpperLayerAboveEntries = 3;

std::string Text(const XMLNode& node, const std::string& attribute)
{
    const XMLValue* value = node.GetAttribute(attribute);
    return value != nullptr ? value->GetString() : std::string();
}

std::vector<XMLNode*> Entries(const XMLNode* root)
{
    std::vector<XMLNode*> entries;
    if (root != nullptr)
        root->GetChildren(entries);
    return entries;
}

} // namespace

GUIBackgroundBase::GUIBackgroundBase(Engine* engine, GameTools::DataKeeper* resources, GUIWindow* parent,
                                     const std::string& path)
    : engine_(engine), messages_(engine->GetMessageManager()), timers_(engine->GetTimerManager()),
      gui_(engine->GetGUIManager()), resources_(resources)
{
    const Vector2 zero(0.0f, 0.0f);
    frame_ = gui_->CreateWindowFromModel(GUIWindow::kShown, zero, zero, nullptr, parent);
    window_ = gui_->CreateWindowFromModel(0, zero, zero, nullptr, frame_);
    upper_ = gui_->CreateWindowFromModel(GUIWindow::kShown, zero, zero, nullptr, frame_);
    ReadDescription(path);
    if (root_ != nullptr)
        upper_->SetLayer(static_cast<i32>(root_->GetChildCount()) + kUpperLayerAboveEntries);
}

// The layers' windows are children of the background window: they go first.
GUIBackgroundBase::~GUIBackgroundBase()
{
    layers_.clear();
    gui_->DestroyWindow(upper_);
    gui_->DestroyWindow(window_);
    gui_->DestroyWindow(frame_);
}

void GUIBackgroundBase::ReadDescription(const std::string& path)
{
    XMLNode* root = nullptr;
    try {
        GameTools::XMLParser(engine_).Parse(root, path);
        // A speed that could not play is a damaged description, refused as
        // a whole like one that cannot be read.
        for (const XMLNode* entry : Entries(root))
            GameTools::GetXMLAnimationSpeed(entry, "Incorrect \"animation_speed\" in \"" + path + "\" file");
    } catch (const FileError& error) {
        delete root;
        messages_->LogError(error.GetText());
        return;
    }
    root_.reset(root);
    prefix_ = Text(*root_, "resources_prefix");
}

void GUIBackgroundBase::LoadBasicLayers() { LoadLayers(true); }

void GUIBackgroundBase::LoadAdditionalLayers() { LoadLayers(false); }

// A layer built while the background is hidden is hidden with it, so that
// its particles are neither simulated nor drawn over whatever the screen
// shows instead.
void GUIBackgroundBase::LoadLayers(bool basic)
{
    const std::vector<XMLNode*> entries = Entries(root_.get());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (IsAdditional(*entries[i]) == basic)
            continue;
        std::unique_ptr<GUIBackgroundLayer> layer = CreateLayer(*entries[i], static_cast<i32>(i) + 1);
        if (layer == nullptr)
            continue;
        if (IsVisible())
            layer->StartFade(true, true, 1.0f);
        else
            layer->StartFade(false, false, 1.0f);
        layers_.push_back(std::move(layer));
    }
}

bool GUIBackgroundBase::IsAdditional(const XMLNode& entry) const
{
    const XMLValue* additional = entry.GetAttribute("additional");
    return additional != nullptr && additional->GetBool();
}

std::string GUIBackgroundBase::Prefixed(const std::string& name) const
{
    return prefix_.empty() ? name : prefix_ + "/" + name;
}

std::unique_ptr<GUIBackgroundLayer> GUIBackgroundBase::CreateLayer(const XMLNode& entry, i32 layer)
{
    const std::string name = Text(entry, "name");
    const std::string& element = entry.GetName();
    if (name.empty() || (element != "model" && element != "particles"))
        return nullptr;
    GUIBackgroundLayerSettings settings;
    settings.name = Prefixed(name);
    (element == "model" ? settings.modelName : settings.particleSystemName) = settings.name;
    if (const std::string shader = Text(entry, "shader"); !shader.empty())
        settings.shaderName = Prefixed(shader);
    if (const std::string animator = Text(entry, "animator_model"); !animator.empty())
        settings.animatorName = Prefixed(animator);
    if (const XMLValue* speed = entry.GetAttribute("animation_speed"))
        settings.animationSpeed = speed->GetFloat();
    if (const XMLValue* randomStart = entry.GetAttribute("random_start_frame"))
        settings.randomStart = randomStart->GetBool();
    if (const XMLValue* color = entry.GetAttribute("color"))
        settings.color = color->GetVector4();
    settings.layer = layer;
    settings.parent = window_;
    return std::make_unique<GUIBackgroundLayer>(engine_, resources_, settings);
}

// A fade at a speed of 0 or less would never end: it takes no time instead.
void GUIBackgroundBase::StartFade(bool show, bool fade, float speed)
{
    fade = fade && speed > 0.0f;
    show_ = show;
    fading_ = fade;
    fadeSpeed_ = speed;
    fadeTime_ = 0.0f;
    if (show) {
        window_->SetFlags(GUIWindow::kShown);
        for (const auto& layer : layers_)
            layer->StartFade(true, false, 1.0f);
    } else if (!fade) {
        HideLayers();
    }
}

void GUIBackgroundBase::HideLayers()
{
    window_->ClearFlags(GUIWindow::kShown);
    for (const auto& layer : layers_)
        layer->StartFade(false, false, 1.0f);
}

bool GUIBackgroundBase::IsVisible() const { return window_->visible; }

void GUIBackgroundBase::Update()
{
    if (!IsVisible())
        return;
    for (const auto& layer : layers_)
        layer->Update();
    if (!fading_)
        return;
    fadeTime_ += timers_->GetFrameTime();
    const float t = std::clamp(fadeSpeed_ * fadeTime_, 0.0f, 1.0f);
    const float alpha = show_ ? t : 1.0f - t;
    if (show_ && std::fabs(alpha - 1.0f) < kDone) {
        fading_ = false;
    } else if (!show_ && std::fabs(alpha) < kDone) {
        fading_ = false;
        HideLayers();
    }
    for (const auto& layer : layers_)
        layer->SetAlpha(alpha);
}

} // namespace GUITools
