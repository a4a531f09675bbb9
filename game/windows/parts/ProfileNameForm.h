#pragma once

#include <string>

namespace Halvard {
class Controls;
class GUIButton;
class GUIEditBox;
} // namespace Halvard

namespace GUITools {
class GUIWindowBase;
}

namespace Tamrisk {

// The name field and its two buttons that the welcome, new profile and
// rename windows share: "/window/name", the accept button "/window/button_1"
// and the other button "/window/button_0". A missing control is logged when
// looked up and reads as never clicked (an empty name without the field).
// The window and the controls must outlive the form. Main thread only.
class ProfileNameForm {
public:
    ProfileNameForm(const GUITools::GUIWindowBase& window, const Halvard::Controls* controls);

    // The field's text in the form a profile keeps it (MakeProfileName), so
    // that a name of blanks alone reads as empty.
    std::wstring GetName() const;
    void SetName(const std::wstring& name);
    // The accept button was clicked this frame, or ENTER went down while the
    // button is not disabled.
    bool IsAccepted() const;
    // The other button was clicked this frame.
    bool IsOtherClicked() const;

    Halvard::GUIEditBox* GetEditBox() const { return editBox_; }
    Halvard::GUIButton* GetAcceptButton() const { return accept_; }
    Halvard::GUIButton* GetOtherButton() const { return other_; }

private:
    const Halvard::Controls* controls_;
    Halvard::GUIEditBox* editBox_;
    Halvard::GUIButton* accept_;
    Halvard::GUIButton* other_;
};

} // namespace Tamrisk
