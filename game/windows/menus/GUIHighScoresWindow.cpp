#include "game/windows/menus/GUIHighScoresWindow.h"

#include "framework/windows/WindowResult.h"
#include "framework/windows/WindowSource.h"
#include "gui_tools/controls/GUITextControl.h"

#include <string>

namespace Tamrisk {

namespace {

using GameFramework::HighScoresTable;
using GameFramework::WindowResult;

constexpr Halvard::u32 kCategory = 0;
constexpr const char* kColumnNames[GUIHighScoresWindow::kColumnCount] = {"/place", "/name", "/score"};

} // namespace

GUIHighScoresWindow::GUIHighScoresWindow(Halvard::Engine* engine, GameFramework::SoundSet* sounds,
                                         HighScoresTable* highScores, GameData* resources,
                                         GUITools::GUIToolManager* tools, GUIMenuWindowManager* manager,
                                         Halvard::GUIWindow* parent)
    : GUIButtonRowWindow({engine, sounds, resources, tools, manager, parent}, kDescriptionName,
                         {{"/window/button_0", WindowResult::kMainMenu}}, highScores)
{
    buttonTitle_ = GetTextControl(GetName() + "/window/button_0/title");
    noRecords_ = GetTextControl(GetName() + "/window/no_records");
    for (std::size_t row = 0; row < kRowCount; ++row) {
        const std::string prefix = GetName() + "/window/record_" + std::to_string(row);
        for (std::size_t column = 0; column < kColumnCount; ++column)
            cells_[row][column] = GetTextControl(prefix + kColumnNames[column]);
    }
}

// The base's show stores the opener and the entry; the texts are filled
// before the menu window takes the screen, which shows what is enabled.
void GUIHighScoresWindow::ShowNewScore(Halvard::u32 opener, const HighScoresTable::Entry* entry)
{
    GUIHighScoresWindowBase::ShowNewScore(opener, entry);
    if (buttonTitle_ != nullptr)
        buttonTitle_->SetText(opener == GameFramework::WindowSource::kMainMenu ? "common/back" : "common/continue");
    const Halvard::u32 count = GetHighScores()->GetEntryCount(kCategory);
    if (noRecords_ != nullptr)
        EnableControl(noRecords_, count == 0);
    for (std::size_t row = 0; row < kRowCount; ++row)
        FillRow(row, row < count ? GetHighScores()->GetEntry(kCategory, static_cast<Halvard::u32>(row)) : nullptr);
}

void GUIHighScoresWindow::FillRow(std::size_t row, const HighScoresTable::Entry* entry)
{
    const std::wstring texts[kColumnCount] = {
        entry != nullptr ? std::to_wstring(row + 1) + L"." : std::wstring(),
        entry != nullptr ? entry->name : std::wstring(),
        entry != nullptr ? std::to_wstring(entry->score) : std::wstring()};
    const char* font = entry != nullptr && entry == GetNewEntry() ? "common_1" : "common_0";
    for (std::size_t column = 0; column < kColumnCount; ++column) {
        GUITools::GUITextControl* cell = cells_[row][column];
        if (cell == nullptr)
            continue;
        EnableControl(cell, entry != nullptr);
        if (entry == nullptr)
            continue;
        if (cell->GetFontName() != font)
            cell->SetFont(font);
        cell->SetRawText(texts[column]);
    }
}

} // namespace Tamrisk
