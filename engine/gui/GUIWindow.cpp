#include "engine/gui/GUIWindow.h"

#include <algorithm>

namespace Halvard {

GUIWindow::GUIWindow(u32 flags, const Vector2& position_, const Vector2& size_, GUIWindow* parent)
    : position(position_), size(size_)
{
    SetFlags(flags);
    SetParent(parent);
}

GUIWindow::~GUIWindow()
{
    SetParent(nullptr);
    for (GUIWindow* child : std::vector<GUIWindow*>(children_))
        child->SetParent(nullptr);
}

bool GUIWindow::ProcessInput(const Vector2& cursor, bool, bool)
{
    over = 0;
    if (!visible)
        return false;
    const Vector2 low = GetAbsolutePosition();
    const Vector2 high = low + size;
    over = cursor.x > low.x && cursor.x < high.x && cursor.y > low.y && cursor.y < high.y ? 1 : 0;
    return true;
}

bool GUIWindow::Draw()
{
    texts_.clear();
    return visible != 0;
}

void GUIWindow::SetColor(const Vector4& color) { color_ = color; }

void GUIWindow::UpdateVisibility()
{
    const bool wasVisible = visible != 0;
    visible = (flags_ & kShown) != 0 && (parent_ == nullptr || parent_->visible) ? 1 : 0;
    if (visible && !wasVisible)
        over = 0;
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
}

void GUIWindow::ClearFlags(u32 bits)
{
    if ((flags_ & bits) == 0)
        return;
    flags_ &= ~bits;
    if ((bits & kShown) != 0)
        UpdateVisibility();
}

void GUIWindow::SetParent(GUIWindow* parent)
{
    if (parent_ != nullptr) {
        auto& siblings = parent_->children_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
    parent_ = parent;
    if (parent_ != nullptr)
        parent_->children_.push_back(this);
    UpdateVisibility();
}

Vector2 GUIWindow::GetAbsolutePosition() const
{
    Vector2 absolute = position;
    for (const GUIWindow* ancestor = parent_; ancestor != nullptr; ancestor = ancestor->parent_)
        absolute += ancestor->position;
    return absolute;
}

void GUIWindow::AddText(u32 alignment, u32 fontId, const Vector2& at, const Vector4& color, const std::wstring& text,
                        float angle, float sizeOverride)
{
    if (text.empty())
        return;
    texts_.push_back(TextRecord{alignment, fontId, angle, sizeOverride, at, color, text});
}

} // namespace Halvard
