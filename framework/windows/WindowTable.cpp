#include "framework/windows/WindowTable.h"

namespace GameFramework {

namespace {

using Table = std::array<WindowRow, FrameworkWindows::kCount>;

template <auto Member>
constexpr WindowRow Row(const char* name, void (WindowFlowHost::*handler)(), WindowPass pass,
                        Halvard::u32 updateOrder, Halvard::u32 destroyOrder)
{
    return WindowRow{name,
                     [](const FrameworkWindows& windows) -> GUIFrameworkWindow* { return (windows.*Member).get(); },
                     [](FrameworkWindows& windows) { (windows.*Member).reset(); },
                     handler,
                     pass,
                     updateOrder,
                     destroyOrder};
}

// The list stands in the order the windows are made; each row goes to its
// place in the order the passes read them.
constexpr Table MakeTable()
{
    Table table{};
#define WINDOW_TABLE_ROW(Base, member, Stem, name, creation, pass, dispatch, update, destroy)                       \
    table[dispatch] = Row<&FrameworkWindows::member>(name, &WindowFlowHost::Process##Stem##Window, WindowPass::pass, \
                                                     update, destroy);
    FRAMEWORK_WINDOWS(WINDOW_TABLE_ROW)
#undef WINDOW_TABLE_ROW
    return table;
}

// Two windows given one dispatch place would leave another place empty.
constexpr bool EveryPlaceTaken(const Table& table)
{
    for (const WindowRow& row : table) {
        if (row.name == nullptr)
            return false;
    }
    return true;
}

constexpr Table kTable = MakeTable();
static_assert(EveryPlaceTaken(kTable), "every window needs a dispatch place of its own");

} // namespace

const std::array<WindowRow, FrameworkWindows::kCount>& GetWindowTable() { return kTable; }

} // namespace GameFramework
