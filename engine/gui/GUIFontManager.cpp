#include "engine/gui/GUIFontManager.h"

#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/gui/GUIWindow.h"
#include "engine/gui/TextRecord.h"

#include <algorithm>
#include <cmath>

namespace Halvard {

namespace {

// A copy sits this far in front of its window.
constexpr float kDepthAhead = 0.005f;
constexpr float kDepthTolerance = 0.0001f;

} // namespace

GUIFontManager::GUIFontManager(const GUIFontServices& services) : services_(services) {}

// Copies print through their sources: they go first.
GUIFontManager::~GUIFontManager()
{
    depthCopies_.clear();
    fonts_.clear();
}

GUIFont* GUIFontManager::AddFont(u32 id, const ShaderDescriptor& shader, const std::string& path)
{
    if (fonts_.count(id) != 0) {
        if (services_.messages != nullptr)
            services_.messages->LogError("(GUIFontManager::AddFont): Font " + UIntToString(id, 0) +
                                         " already exists, \"" + path + "\" is not loaded");
        return nullptr;
    }
    auto font = std::make_unique<GUIFont>(services_, shader, path);
    GUIFont* added = font.get();
    fonts_.emplace(id, std::move(font));
    return added;
}

void GUIFontManager::RemoveFont(u32 id)
{
    const auto found = fonts_.find(id);
    if (found == fonts_.end())
        return;
    const GUIFont* font = found->second.get();
    std::erase_if(depthCopies_, [font](const std::unique_ptr<GUIFont>& copy) { return copy->GetSource() == font; });
    fonts_.erase(found);
}

GUIFont* GUIFontManager::GetFont(u32 id) const
{
    const auto found = fonts_.find(id);
    return found == fonts_.end() ? nullptr : found->second.get();
}

GUIFont* GUIFontManager::GetFontAtDepth(u32 id, const GUIWindow& window)
{
    const GUIFont* font = GetFont(id);
    if (font == nullptr)
        return nullptr;
    const float depth = window.GetDepth();
    for (const auto& copy : depthCopies_) {
        if (copy->GetSource() == font && std::fabs(copy->GetDepth() + kDepthAhead - depth) < kDepthTolerance)
            return copy.get();
    }
    auto copy = std::make_unique<GUIFont>(font);
    copy->SetDepth(depth - kDepthAhead);
    depthCopies_.push_back(std::move(copy));
    return depthCopies_.back().get();
}

Vector2 GUIFontManager::GetTextPosition(u32 alignment, u32 id, const GUIWindow& window, const Vector2& position,
                                        float angle, const std::wstring& text) const
{
    const GUIFont* font = GetFont(id);
    if (font == nullptr)
        return Vector2(0.0f, 0.0f);
    Vector2 origin = window.GetAbsolutePosition();
    Vector2 area = window.size;
    if (window.textAreaEnabled) {
        origin += window.textAreaOffset;
        area = window.textAreaSize;
    }
    const Vector2 extent = font->MeasureText(text, angle, -1.0f);
    Vector2 at(origin.x + position.x, origin.y + position.y);
    const bool horizontal = (alignment & (kCenterHorizontal | kLeft | kRight)) != 0;
    if ((alignment & kCenterHorizontal) != 0)
        at.x = origin.x + (area.x - extent.x) * 0.5f;
    else if ((alignment & kLeft) != 0)
        at.x = origin.x;
    else if ((alignment & kRight) != 0)
        at.x = origin.x + area.x - extent.x;
    const bool vertical = (alignment & (kCenterVertical | kTop | kBottom)) != 0;
    if ((alignment & kCenterVertical) != 0)
        at.y = origin.y + (area.y - extent.y) * 0.5f;
    else if ((alignment & kTop) != 0)
        at.y = origin.y + area.y - extent.y;
    else if ((alignment & kBottom) != 0)
        at.y = origin.y;
    // A text turned past a right angle runs back from where it starts.
    if (horizontal && std::cos(angle) < 0.0f)
        at.x += extent.x;
    if (vertical && std::sin(angle) < 0.0f)
        at.y += extent.y;
    return at;
}

void GUIFontManager::DrawText(const TextRecord& record, const GUIWindow* window)
{
    if (window == nullptr || !window->visible || GetFont(record.fontId) == nullptr)
        return;
    GUIFont* copy = GetFontAtDepth(record.fontId, *window);
    const Vector2 at =
        GetTextPosition(record.alignment, record.fontId, *window, record.position, record.angle, record.text);
    copy->Print(at, record.angle, record.color, record.text);
}

void GUIFontManager::Flush()
{
    std::erase_if(depthCopies_, [](const std::unique_ptr<GUIFont>& copy) { return copy->GetQuadCount() == 0; });
    for (auto& [id, font] : fonts_)
        font->EndFrame();
    for (auto& copy : depthCopies_)
        copy->EndFrame();
}

} // namespace Halvard
