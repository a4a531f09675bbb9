#include "engine/gui/GUIWindow.h"

#include "engine/gui/GUIFont.h"
#include "engine/gui/GUIFontManager.h"
#include "engine/gui/GUITextManager.h"
#include "engine/render/AnimationControl.h"
#include "engine/render/IndexBuffer.h"
#include "engine/render/Model.h"
#include "engine/render/ModelManager.h"
#include "engine/render/VertexBuffer.h"

#include <algorithm>

namespace Halvard {

namespace {

// Vertex layouts of the window's own quad, with and without a colour per
// vertex.
constexpr u32 kQuadFormat = 3089;
constexpr u32 kColoredQuadFormat = 3121;
// What a copied or loaded model gives up and takes on to be drawn as a
// widget: no lighting or depth test, shown only through the window, drawn
// in the second list at the window's own depth.
constexpr u32 kSceneFlags = Model::kVisible | Model::kLit | Model::kDepthTest;
constexpr u32 kWidgetFlags = Model::kSecondList | Model::kFixedDepth;
constexpr Vector4 kWhite(1.0f, 1.0f, 1.0f, 1.0f);

u32 ModelSetting(const GUIPlacement& placement)
{
    return (placement.flags & GUIWindow::kColored) != 0 ? static_cast<u32>(Model::kColored) : 0u;
}

template <class Vertex>
void FillQuad(VertexBuffer& buffer, const Vector2& uv, u32 color)
{
    const float corners[4][4] = {{1, 0, uv.x, 0}, {1, 1, uv.x, uv.y}, {0, 0, 0, 0}, {0, 1, 0, uv.y}};
    Vertex* vertices = buffer.Lock<Vertex>(0, 4);
    for (u32 i = 0; i < 4; ++i) {
        Vertex& vertex = vertices[i];
        vertex = Vertex{};
        vertex.x = corners[i][0];
        vertex.y = corners[i][1];
        vertex.u = corners[i][2];
        vertex.v = corners[i][3];
        if constexpr (sizeof(Vertex) == sizeof(ColoredVertex))
            vertex.color = color;
    }
    buffer.Unlock();
}

} // namespace

GUIWindow::GUIWindow(const GUIServices& services, const GUIPlacement& placement, const ShaderDescriptor& shader,
                     const Vector2& uvExtent)
    : services_(services)
{
    if (services_.models != nullptr) {
        const bool colored = (placement.flags & kColored) != 0;
        model_ = services_.models->CreateModel(colored ? kColoredQuadFormat : kQuadFormat, 4, 4, 1, &shader,
                                               services_.camera);
        ownQuad_ = true;
        BuildQuad(uvExtent);
    }
    Start(placement);
}

GUIWindow::GUIWindow(const GUIServices& services, const GUIPlacement& placement, const std::string& modelFile)
    : services_(services)
{
    if (services_.models != nullptr)
        AdoptModel(services_.models->CreateModelFromFile(modelFile, services_.camera, ModelSetting(placement)));
    Start(placement);
}

GUIWindow::GUIWindow(const GUIServices& services, const GUIPlacement& placement, const Model* model)
    : services_(services)
{
    if (model != nullptr && services_.models != nullptr)
        AdoptModel(services_.models->CopyModel(*model, services_.camera, ModelSetting(placement)));
    Start(placement);
}

GUIWindow::~GUIWindow()
{
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
        parent_ = nullptr;
    }
    for (GUIWindow* child : std::vector<GUIWindow*>(children_)) {
        child->parent_ = nullptr;
        child->SetParent(nullptr);
    }
    if (model_ != nullptr)
        services_.models->DestroyModel(model_);
}

void GUIWindow::Start(const GUIPlacement& placement)
{
    SetFlags(placement.flags);
    layer_ = 1;
    SetParent(placement.parent);
    position = placement.position;
    size = placement.size;
}

void GUIWindow::AdoptModel(Model* model)
{
    model_ = model;
    model_->ClearFlags(kSceneFlags);
    model_->SetFlags(kWidgetFlags);
}

void GUIWindow::BuildQuad(const Vector2& uvExtent)
{
    VertexBuffer& buffer = model_->GetVertexBuffer();
    if (buffer.HasColor())
        FillQuad<ColoredVertex>(buffer, uvExtent, buffer.PackColor(1.0f, 1.0f, 1.0f, 1.0f));
    else
        FillQuad<PlainVertex>(buffer, uvExtent, 0);
    const u32 strip[4] = {0, 1, 2, 3};
    model_->GetIndexBuffer().SetIndices(0, 4, strip);
    model_->GetIndexBuffer().SetIndexCount(4);
    model_->ComputeBoundingVolume(model_->boundingBox, false);
}

bool GUIWindow::ProcessInput(const Vector2& cursor, bool, bool)
{
    over = false;
    if (!visible)
        return false;
    Vector2 low = GetAbsolutePosition();
    Vector2 high = low + size;
    if (hitAreaEnabled) {
        low += hitAreaOffset;
        high = low + hitAreaSize;
    }
    over = cursor.x > low.x && cursor.x < high.x && cursor.y > low.y && cursor.y < high.y;
    return true;
}

bool GUIWindow::Draw()
{
    if (!visible) {
        textCount_ = 0;
        return false;
    }
    if (placeModel && model_ != nullptr) {
        const Vector2 at = GetAbsolutePosition();
        Matrix4 place;
        MatrixTranslation(place, Vector3(at.x, at.y, 0.0f));
        model_->worldMatrix = place * MakeScalingMatrix(Vector3(size.x, size.y, 1.0f)) * model_->localMatrix;
        model_->boundingBox.SetTransform(model_->worldMatrix);
    }
    DrawTexts();
    return true;
}

void GUIWindow::DrawTexts()
{
    for (u32 i = 0; i < textCount_; ++i)
        DrawText(texts_[i]);
    textCount_ = 0;
}

// A size override for a font that does not exist is skipped: there is no
// size to set, and the font manager draws nothing for the record anyway.
void GUIWindow::DrawText(TextRecord& record)
{
    if (record.fromKey && services_.texts != nullptr)
        record.text = services_.texts->GetText(record.key, record.keyNumber);
    if (services_.fonts == nullptr)
        return;
    GUIFont* font = services_.fonts->GetFont(record.fontId);
    if (font != nullptr && record.sizeOverride >= 0.0f) {
        const float ownSize = font->GetSize();
        font->SetSize(record.sizeOverride);
        services_.fonts->DrawText(record, this);
        font->SetSize(ownSize);
        return;
    }
    services_.fonts->DrawText(record, this);
}

void GUIWindow::SetLayer(i32 layer)
{
    layer_ = layer;
    if (parent_ != nullptr)
        SetDepth(parent_->depth_ - static_cast<float>(layer) * kLayerStep);
    for (GUIWindow* child : children_)
        child->SetLayer(child->layer_);
}

void GUIWindow::SetColor(const Vector4& color)
{
    if (model_ != nullptr)
        model_->GetVertexBuffer().SetColor(color.x, color.y, color.z, color.w);
}

void GUIWindow::SetAlpha(float alpha)
{
    if (model_ != nullptr)
        model_->GetVertexBuffer().SetAlpha(alpha);
}

Vector4 GUIWindow::GetColor() const
{
    if (model_ == nullptr || model_->GetVertexBuffer().GetVertexCount() == 0)
        return kWhite;
    return model_->GetVertexBuffer().GetColor(0);
}

float GUIWindow::GetAlpha() const { return GetColor().w; }

void GUIWindow::UpdateVisibility()
{
    const bool wasVisible = visible;
    visible = (flags_ & kShown) != 0 && (parent_ == nullptr || parent_->visible);
    if (visible && !wasVisible) {
        over = false;
        BecameVisible();
    }
    if (model_ != nullptr) {
        if (visible)
            model_->SetFlags(Model::kVisible);
        else
            model_->ClearFlags(Model::kVisible);
    }
    for (GUIWindow* child : children_)
        child->UpdateVisibility();
}

void GUIWindow::SetFlags(u32 bits)
{
    if ((flags_ & bits) != 0)
        return;
    flags_ |= bits;
    if ((bits & kShown) != 0)
        UpdateVisibility();
    if (parent_ != nullptr)
        return;
    if ((flags_ & kLayerFront) != 0)
        SetDepth(kFrontDepth);
    else if ((flags_ & kLayerMiddle) != 0)
        SetDepth(kMiddleDepth);
    else if ((flags_ & kLayerBack) != 0)
        SetDepth(kBackDepth);
    else
        SetDepth(kDefaultDepth);
}

void GUIWindow::ClearFlags(u32 bits)
{
    if ((flags_ & bits) == 0)
        return;
    flags_ &= ~bits;
    if ((bits & kShown) != 0)
        UpdateVisibility();
    if ((bits & kLayerFlags) != 0)
        SetDepth(kDefaultDepth);
}

void GUIWindow::SetParent(GUIWindow* parent)
{
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_ != nullptr) {
        parent_->children_.push_back(this);
        ClearFlags(kLayerFlags);
        SetLayer(layer_);
    } else if ((flags_ & kLayerFlags) == 0) {
        SetDepth(kDefaultDepth);
    }
    UpdateVisibility();
}

void GUIWindow::SetDepth(float depth)
{
    depth_ = depth;
    if (model_ != nullptr)
        model_->depth = depth;
}

Vector2 GUIWindow::GetAbsolutePosition() const
{
    Vector2 absolute = position;
    for (const GUIWindow* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_)
        absolute += ancestor->position;
    return absolute;
}

void GUIWindow::SetShader(const ShaderDescriptor& shader)
{
    if (model_ != nullptr)
        model_->SetShader(shader);
}

AnimationControl* GUIWindow::GetAnimation() const
{
    return model_ != nullptr ? &model_->GetAnimationControl() : nullptr;
}

void GUIWindow::AddText(u32 alignment, u32 fontId, const Vector2& at, const Vector4& color, const std::wstring& text,
                        float angle, float sizeOverride)
{
    TextRecord record;
    record.alignment = alignment;
    record.fontId = fontId;
    record.angle = angle;
    record.sizeOverride = sizeOverride;
    record.position = at;
    record.color = color;
    record.text = text;
    AddText(record);
}

void GUIWindow::AddText(const TextRecord& record)
{
    if (!record.fromKey && record.text.empty())
        return;
    if (textCount_ == texts_.size())
        texts_.emplace_back();
    // Copy assignment keeps the reused record's string storage.
    texts_[textCount_++] = record;
}

std::vector<TextRecord> GUIWindow::GetTexts() const
{
    return std::vector<TextRecord>(texts_.begin(), texts_.begin() + textCount_);
}

} // namespace Halvard
