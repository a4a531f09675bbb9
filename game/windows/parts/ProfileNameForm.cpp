#include "game/windows/parts/ProfileNameForm.h"

#include "engine/gui/GUIButton.h"
#include "engine/gui/GUIEditBox.h"
#include "engine/input/Controls.h"
#include "engine/input/KeyNames.h"
#include "framework/persistence/PlayerName.h"
#include "gui_tools/GUIWindowBase.h"

namespace Tamrisk {

ProfileNameForm::ProfileNameForm(const GUITools::GUIWindowBase& window, const Halvard::Controls* controls)
    : controls_(controls), editBox_(window.GetEditBox(window.GetName() + "/window/name")),
      accept_(window.GetButton(window.GetName() + "/window/button_1")),
      other_(window.GetButton(window.GetName() + "/window/button_0"))
{
}

std::wstring ProfileNameForm::GetName() const
{
    return editBox_ != nullptr ? GameFramework::MakeProfileName(editBox_->GetText()) : std::wstring();
}

void ProfileNameForm::SetName(const std::wstring& name)
{
    if (editBox_ != nullptr)
        editBox_->SetText(name);
}

bool ProfileNameForm::IsAccepted() const
{
    if (accept_ == nullptr)
        return false;
    return accept_->clicked ||
           (accept_->state != Halvard::GUIButton::kDisabled && controls_->IsKeyPressed(Halvard::KeyNames::kEnter));
}

bool ProfileNameForm::IsOtherClicked() const { return other_ != nullptr && other_->clicked; }

} // namespace Tamrisk
