#include "framework/windows/FrameworkWindows.h"

#include "framework/windows/WindowTable.h"

namespace GameFramework {

std::array<GUIFrameworkWindow*, FrameworkWindows::kCount> FrameworkWindows::All() const
{
    std::array<GUIFrameworkWindow*, kCount> all{};
    const auto& table = GetWindowTable();
    for (std::size_t i = 0; i < kCount; ++i)
        all[i] = table[i].reach(*this);
    return all;
}

void FrameworkWindows::DestroyAll()
{
    std::array<const WindowRow*, kCount> order{};
    for (const WindowRow& row : GetWindowTable())
        order[row.destroyOrder] = &row;
    for (const WindowRow* row : order)
        row->destroy(*this);
}

} // namespace GameFramework
