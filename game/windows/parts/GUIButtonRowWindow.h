#pragma once

#include "engine/core/Types.h"
#include "engine/gui/GUIButton.h"
#include "game/windows/parts/GUIMenuWindow.h"
#include "game/windows/parts/MenuWindowParts.h"
#include "gui_tools/controls/GUIWindowControl.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace Tamrisk {

// A button of a small menu window and the result code its click reports.
struct ButtonResult {
    const char* path;
    Halvard::u32 result;
};

// A menu window built on a row of buttons, each turning a click
// into a result code: the framework window base first, the menu window
// second. The buttons are read in the order given, so that of two clicks in
// one frame the later one's code stands; a button the description lacks is
// logged when looked up and skipped. The title-mount hooks let each window
// switch its mounts as it shows and hides. Main thread only.
template <class FrameworkBase>
class GUIButtonRowWindow : public FrameworkBase, public GUIMenuWindow {
public:
    template <class... BaseArgs>
    GUIButtonRowWindow(const MenuWindowParts& parts, const std::string& name, std::initializer_list<ButtonResult> rows,
                       BaseArgs&&... baseArgs)
        : FrameworkBase(std::forward<BaseArgs>(baseArgs)...),
          GUIMenuWindow(parts.engine, parts.sounds, parts.resources, parts.tools, parts.manager, parts.parent, name),
          rows_(rows)
    {
        for (const ButtonResult& row : rows_)
            buttons_.push_back(GetButton(GetName() + row.path));
    }

    void ShowWindow(Halvard::u32 opener) override
    {
        FrameworkBase::ShowWindow(opener);
        OnShow();
        GUIMenuWindow::Show(true);
    }

    void HideWindow() override
    {
        FrameworkBase::HideWindow();
        OnHide();
        GUIMenuWindow::Show(false);
    }

    void UpdateWindow() override
    {
        FrameworkBase::UpdateWindow();
        GUIMenuWindow::Update();
        if (!GUIMenuWindow::IsVisible())
            return;
        for (std::size_t i = 0; i < rows_.size(); ++i) {
            const Halvard::u32 result = GetResultOf(i);
            if (buttons_[i] != nullptr && buttons_[i]->clicked && result != 0)
                this->SetResult(result);
        }
    }

    // The button of the row, in the order given; null where the description
    // lacks it.
    Halvard::GUIButton* GetRowButton(std::size_t index) const { return buttons_[index]; }

protected:
    // The code the row's button reports; 0 reports nothing.
    virtual Halvard::u32 GetResultOf(std::size_t index) const { return rows_[index].result; }
    // Between the framework's show and the menu window's.
    virtual void OnShow() {}
    // Between the framework's hide and the menu window's; the result is
    // still the one that closed the window.
    virtual void OnHide() {}

    // A mount the description lacks is passed over.
    void EnableMount(GUITools::GUIWindowControl* mount, bool enable)
    {
        if (mount != nullptr)
            EnableControl(mount, enable);
    }

private:
    std::vector<ButtonResult> rows_;
    std::vector<Halvard::GUIButton*> buttons_;
};

} // namespace Tamrisk
