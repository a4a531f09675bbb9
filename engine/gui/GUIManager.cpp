#include "engine/gui/GUIManager.h"

#include "engine/core/Window.h"
#include "engine/gui/GUIButton.h"
#include "engine/gui/GUICheckBox.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUIScroll.h"
#include "engine/gui/GUISlider.h"
#include "engine/gui/GUISoundManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/gui/GUIWindow.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"
#include "engine/render/Camera.h"
#include "engine/render/CameraManager.h"
#include "engine/render/Model.h"
#include "engine/render/ShaderDescriptor.h"

namespace Halvard {

namespace {

// The GUI camera looks at the plane z = 0 from both sides.
constexpr float kCameraNear = 500.0f;
constexpr float kCameraFar = -500.0f;
constexpr float kStartWidth = 4.0f;
constexpr float kStartHeight = 3.0f;
constexpr float kLensAspect = 1.3333334f;
// The side bars lie behind every layer.
constexpr float kSideBarDepth = GUIWindow::kBackDepth - 1.0f;
constexpr Vector4 kBlack(0.0f, 0.0f, 0.0f, 1.0f);

template <class Widget, class Step>
void Walk(const ObjectManager<Widget>& table, Step& step)
{
    for (Widget* widget : table.GetObjects()) {
        if (widget != nullptr)
            step(*widget);
    }
}

template <class Widget>
Widget* Register(ObjectManager<Widget>& table, Widget* widget)
{
    table.Add(widget);
    return widget;
}

template <class Widget>
void Destroy(ObjectManager<Widget>& table, Widget* widget)
{
    if (table.Remove(widget))
        delete widget;
}

} // namespace

GUIManager::GUIManager(const GUIManagerServices& services) : services_(services)
{
    camera_ = services_.cameras->CreateCamera(true);
    camera_->nearPlane = kCameraNear;
    camera_->farPlane = kCameraFar;
    texts_ = std::make_unique<GUITextManager>(services_.messages, services_.files);
    GUIFontServices fontServices;
    fontServices.messages = services_.messages;
    fontServices.files = services_.files;
    fontServices.shaders = services_.shaders;
    fontServices.models = services_.models;
    fontServices.camera = camera_;
    fonts_ = std::make_unique<GUIFontManager>(fontServices);
    sounds_ = std::make_unique<GUISoundManager>(services_.timers, services_.sounds);
    widgetServices_.messages = services_.messages;
    widgetServices_.files = services_.files;
    widgetServices_.window = services_.window;
    widgetServices_.timers = services_.timers;
    widgetServices_.shaders = services_.shaders;
    widgetServices_.models = services_.models;
    widgetServices_.controls = services_.controls;
    widgetServices_.fonts = fonts_.get();
    widgetServices_.texts = texts_.get();
    widgetServices_.sounds = sounds_.get();
    widgetServices_.camera = camera_;
    defaultCursor_ = CreateCursorFromModel(nullptr);
    defaultCursor_->visible = false;
    if (services_.window->IsWide() || services_.window->IsTall())
        CreateSideBars();
    SetSize(kStartWidth, kStartHeight);
}

GUIManager::~GUIManager()
{
    DestroyCursor(defaultCursor_);
    for (GUIWindow* bar : sideBars_)
        DestroyWindow(bar);
    texts_.reset();
    fonts_.reset();
    sounds_.reset();
    services_.cameras->DestroyCamera(camera_);
}

void GUIManager::CreateSideBars()
{
    const ShaderDescriptor plain = MakeDefaultShaderDescriptor();
    for (int i = 0; i < 2; ++i) {
        GUIWindow* bar = CreateWindowFromShader(GUIWindow::kColored, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), plain,
                                                nullptr, Vector2(1.0f, 1.0f));
        bar->SetColor(kBlack);
        sideBars_.push_back(bar);
    }
}

void GUIManager::SetSize(float width, float height)
{
    camera_->orthographicWidth = width;
    camera_->orthographicHeight = height;
    PlaceSideBars();
}

float GUIManager::GetWidth() const { return camera_->orthographicWidth; }

float GUIManager::GetHeight() const { return camera_->orthographicHeight; }

void GUIManager::PlaceSideBars()
{
    if (sideBars_.size() != 2)
        return;
    const float width = GetWidth();
    const float height = GetHeight();
    const float ratio = services_.window->GetAspectRatio() / kLensAspect;
    if (services_.window->IsWide()) {
        const float bar = (ratio - 1.0f) * width / 2.0f;
        sideBars_[0]->position = Vector2(-bar, 0.0f);
        sideBars_[1]->position = Vector2(width, 0.0f);
        sideBars_[0]->size = sideBars_[1]->size = Vector2(bar, height);
    } else {
        const float bar = (1.0f - ratio) * height / 2.0f;
        sideBars_[0]->position = Vector2(0.0f, -bar);
        sideBars_[1]->position = Vector2(0.0f, height);
        sideBars_[0]->size = sideBars_[1]->size = Vector2(width, bar);
    }
}

// The bars cover the screen beside the 4:3 picture only in full screen; a
// window shows nothing beside it.
void GUIManager::UpdateSideBars()
{
    for (GUIWindow* bar : sideBars_) {
        if (services_.window->IsFullScreen())
            bar->SetFlags(GUIWindow::kShown);
        else
            bar->ClearFlags(GUIWindow::kShown);
        if (bar->GetModel() != nullptr)
            bar->GetModel()->depth = kSideBarDepth;
    }
}

Vector2 GUIManager::GetCursorPosition() const { return defaultCursor_->position; }

template <class Step>
void GUIManager::ForEachWidget(Step step)
{
    Walk(windows_, step);
    Walk(buttons_, step);
    Walk(checkBoxes_, step);
    Walk(editBoxes_, step);
    Walk(sliders_, step);
    Walk(scrolls_, step);
}

void GUIManager::Update()
{
    UpdateSideBars();
    for (GUICursor* each : cursors_.GetObjects()) {
        if (each != nullptr)
            each->Update();
    }
    const Vector2 cursor = GetCursorPosition();
    const bool held = services_.controls->IsKeyDown(KeyNames::kMouse1);
    const bool pressed = services_.controls->IsKeyPressed(KeyNames::kMouse1);
    ForEachWidget([&](GUIWindow& widget) { widget.ProcessInput(cursor, held, pressed); });
}

void GUIManager::Render()
{
    for (GUICursor* cursor : cursors_.GetObjects()) {
        if (cursor != nullptr)
            cursor->Draw();
    }
    ForEachWidget([](GUIWindow& widget) { widget.Draw(); });
    fonts_->Flush();
}

GUICursor* GUIManager::CreateCursor(const ShaderDescriptor& shader, float size)
{
    return Register(cursors_, new GUICursor(widgetServices_, shader, size));
}

GUICursor* GUIManager::CreateCursorFromModel(const Model* model)
{
    return Register(cursors_, new GUICursor(widgetServices_, model));
}

GUIWindow* GUIManager::CreateWindowFromShader(u32 flags, const Vector2& position, const Vector2& size,
                                              const ShaderDescriptor& shader, GUIWindow* parent,
                                              const Vector2& uvExtent)
{
    const GUIPlacement placement{flags, position, size, parent};
    return Register(windows_, new GUIWindow(widgetServices_, placement, shader, uvExtent));
}

GUIWindow* GUIManager::CreateWindowFromModel(u32 flags, const Vector2& position, const Vector2& size,
                                             const Model* model, GUIWindow* parent)
{
    const GUIPlacement placement{flags, position, size, parent};
    return Register(windows_, new GUIWindow(widgetServices_, placement, model));
}

GUIButton* GUIManager::CreateButton(u32 flags, const Vector2& position, const Vector2& size,
                                    const ShaderDescriptor& shader, GUIWindow* parent, const Vector2& uvExtent)
{
    const GUIPlacement placement{flags, position, size, parent};
    return Register(buttons_, new GUIButton(widgetServices_, placement, shader, uvExtent));
}

GUIButton* GUIManager::CreateButtonFromModel(u32 flags, const Vector2& position, const Vector2& size,
                                             const Model* model, GUIWindow* parent)
{
    const GUIPlacement placement{flags, position, size, parent};
    return Register(buttons_, new GUIButton(widgetServices_, placement, model));
}

GUICheckBox* GUIManager::CreateCheckBox(u32 flags, const Vector2& position, const Vector2& size,
                                        const ShaderDescriptor& shader, GUIWindow* parent, const Vector2& uvExtent)
{
    const GUIPlacement placement{flags, position, size, parent};
    return Register(checkBoxes_, new GUICheckBox(widgetServices_, placement, shader, uvExtent));
}

GUICheckBox* GUIManager::CreateCheckBoxFromModel(u32 flags, const Vector2& position, const Vector2& size,
                                                 const Model* model, GUIWindow* parent)
{
    const GUIPlacement placement{flags, position, size, parent};
    return Register(checkBoxes_, new GUICheckBox(widgetServices_, placement, model));
}

GUIEditBox* GUIManager::CreateEditBox(const GUIEditBoxSettings& settings, const ShaderDescriptor& shader,
                                      const Vector2& uvExtent)
{
    return Register(editBoxes_, new GUIEditBox(widgetServices_, settings, shader, uvExtent));
}

GUIEditBox* GUIManager::CreateEditBoxFromModel(const GUIEditBoxSettings& settings, const Model* model)
{
    return Register(editBoxes_, new GUIEditBox(widgetServices_, settings, model));
}

GUISlider* GUIManager::CreateSlider(const GUIPlacement& placement, const Model* model, const GUISliderTrack& track)
{
    return Register(sliders_, new GUISlider(widgetServices_, placement, model, track));
}

GUISlider* GUIManager::CreateSliderFromShader(const GUIPlacement& placement, const GUISliderTrack& track,
                                              const ShaderDescriptor& shader, const Vector2& uvExtent)
{
    return Register(sliders_, new GUISlider(widgetServices_, placement, shader, uvExtent, track));
}

GUIScroll* GUIManager::CreateScroll(const GUIPlacement& placement, const Model* model, const GUISliderTrack& track)
{
    return Register(scrolls_, new GUIScroll(widgetServices_, placement, model, track));
}

GUIScroll* GUIManager::CreateScrollFromShader(const GUIPlacement& placement, const GUISliderTrack& track,
                                              const ShaderDescriptor& shader, const Vector2& uvExtent)
{
    return Register(scrolls_, new GUIScroll(widgetServices_, placement, shader, uvExtent, track));
}

void GUIManager::DestroyCursor(GUICursor* cursor) { Destroy(cursors_, cursor); }

void GUIManager::DestroyWindow(GUIWindow* window) { Destroy(windows_, window); }

void GUIManager::DestroyButton(GUIButton* button) { Destroy(buttons_, button); }

void GUIManager::DestroyCheckBox(GUICheckBox* checkBox) { Destroy(checkBoxes_, checkBox); }

void GUIManager::DestroyEditBox(GUIEditBox* editBox) { Destroy(editBoxes_, editBox); }

void GUIManager::DestroySlider(GUISlider* slider) { Destroy(sliders_, slider); }

void GUIManager::DestroyScroll(GUIScroll* scroll) { Destroy(scrolls_, scroll); }

} // namespace Halvard
