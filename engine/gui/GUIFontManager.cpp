#include "engine/gui/GUIFontManager.h"


namespace Halvard {

GUIFontManager::~GUIFontManager() = default;

GUIFont* GUIFontManager::AddFont(u32 id)
{
    auto& slot = fonts_[id];
    if (slot == nullptr)
        slot = std::make_unique<GUIFont>();
    return slot.get();
}

void GUIFontManager::RemoveFont(u32 id) { fonts_.erase(id); }

GUIFont* GUIFontManager::GetFont(u32 id) const
{
    const auto found = fonts_.find(id);
    return found == fonts_.end() ? nullptr : found->second.get();
}

} // namespace Halvard
