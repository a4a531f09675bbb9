#include "engine/gui/GUICursor.h"

#include "engine/core/Window.h"
#include "engine/input/Controls.h"
#include "engine/render/Camera.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>
#include <iterator>

namespace Halvard {

namespace {

// A plain quad drawn as a strip, after the front widgets.
constexpr u32 kQuadFormat = 298001;
constexpr float kCursorDepth = -30.0f - 0.01f * 10.0f;
constexpr u32 kWidgetListFlags = Model::kSecondList | Model::kFixedDepth;
constexpr u32 kNoWidgetFlags = Model::kVisible | Model::kLit | Model::kDepthTest;

void FillQuad(Model& model, float size)
{
    const PlainVertex corners[4] = {
        {size, -size, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f},
        {size, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 1.0f},
        {0.0f, -size, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f},
        {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f},
    };
    VertexBuffer& vertices = model.GetVertexBuffer();
    PlainVertex* out = vertices.Lock<PlainVertex>(0, 4);
    std::copy(std::begin(corners), std::end(corners), out);
    vertices.Unlock();
    const u32 indices[4] = {0, 1, 2, 3};
    model.GetIndexBuffer().SetIndices(0, 4, indices);
    model.GetIndexBuffer().SetIndexCount(4);
    model.ComputeBoundingVolume(model.boundingBox, false);
}

} // namespace

GUICursor::GUICursor(const GUIServices& services, const ShaderDescriptor& shader, float size)
    : services_(services), model_(services.models->CreateModel(kQuadFormat, 4, 4, 1, &shader, services.camera))
{
    FillQuad(*model_, size);
    Prepare();
}

GUICursor::GUICursor(const GUIServices& services, const Model* model) : services_(services)
{
    if (model == nullptr)
        return;
    model_ = services.models->CopyModel(*model, services.camera, 0);
    model_->SetFlags(kWidgetListFlags);
    model_->ClearFlags(kNoWidgetFlags);
    model_->SetCamera(services.camera);
    Prepare();
}

GUICursor::~GUICursor() { services_.models->DestroyModel(model_); }

void GUICursor::Prepare()
{
    model_->depth = kCursorDepth;
    // The picture keeps its own placement around the hot spot.
    model_->localMatrix = model_->worldMatrix;
}

void GUICursor::Update()
{
    const auto width = static_cast<float>(services_.window->GetClientWidth());
    const auto height = static_cast<float>(services_.window->GetClientHeight());
    // A minimised window has no client area to divide by.
    if (services_.window->IsMinimized() || width <= 0.0f || height <= 0.0f)
        return;
    const Vector2 mouse = services_.controls->GetCursorPosition();
    const Camera& camera = *services_.camera;
    position = Vector2(mouse.x / width * camera.orthographicWidth,
                       (height - mouse.y - 1.0f) / height * camera.orthographicHeight);
}

void GUICursor::Draw()
{
    if (model_ == nullptr)
        return;
    Matrix4 move;
    MatrixTranslation(move, Vector3(position.x, position.y, 0.0f));
    model_->worldMatrix = move * model_->localMatrix;
    model_->boundingBox.SetTransform(model_->worldMatrix);
    if (visible)
        model_->SetFlags(Model::kVisible);
    else
        model_->ClearFlags(Model::kVisible);
}

} // namespace Halvard
