#include "engine/gui/GUIManager.h"

#include "engine/core/Window.h"
#include "engine/gui/GUICursor.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/gui/GUIFontManager.h"
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
    Walk(editBoxes_, step);
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
    auto* cursor = new GUICursor(widgetServices_, shader, size);
    cursors_.Add(cursor);
    return cursor;
}

GUICursor* GUIManager::CreateCursorFromModel(const Model* model)
{
    auto* cursor = new GUICursor(widgetServices_, model);
    cursors_.Add(cursor);
    return cursor;
}

void GUIManager::DestroyCursor(GUICursor* cursor) { Destroy(cursors_, cursor); }

GUIWindow* GUIManager::CreateWindowFromShader(u32 flags, const Vector2& position, const Vector2& size,
                                              const ShaderDescriptor& shader, GUIWindow* parent,
                                              const Vector2& uvExtent)
{
    auto* window = new GUIWindow(widgetServices_, GUIPlacement{flags, position, size, parent}, shader, uvExtent);
    windows_.Add(window);
    return window;
}

GUIWindow* GUIManager::CreateWindowFromModel(u32 flags, const Vector2& position, const Vector2& size,
                                             const Model* model, GUIWindow* parent)
{
    auto* window = new GUIWindow(widgetServices_, GUIPlacement{flags, position, size, parent}, model);
    windows_.Add(window);
    return window;
}

GUIEditBox* GUIManager::CreateEditBox(const GUIEditBoxSettings& settings, const ShaderDescriptor& shader,
                                      const Vector2& uvExtent)
{
    auto* editBox = new GUIEditBox(widgetServices_, settings, shader, uvExtent);
    editBoxes_.Add(editBox);
    return editBox;
}

GUIEditBox* GUIManager::CreateEditBoxFromModel(const GUIEditBoxSettings& settings, const Model* model)
{
    auto* editBox = new GUIEditBox(widgetServices_, settings, model);
    editBoxes_.Add(editBox);
    return editBox;
}

void GUIManager::DestroyWindow(GUIWindow* window) { Destroy(windows_, window); }

void GUIManager::DestroyEditBox(GUIEditBox* editBox) { Destroy(editBoxes_, editBox); }

} // namespace Halvard
