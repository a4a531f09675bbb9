#pragma once

#include "gui_tools/GUINodeList.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class Engine;
class GUIButton;
class GUICheckBox;
class GUIEditBox;
class GUIManager;
class GUIScroll;
class GUIWindow;
class MessageManager;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
class XMLNode;
class XMLValue;
} // namespace GameTools

namespace GUITools {

class GUIButtonControl;
class GUICheckBoxControl;
class GUIControl;
class GUIControlReader;
struct GUIControlDescription;
class GUIEditBoxControl;
class GUIFontTool;
class GUIScrollControl;
class GUISliderControl;
class GUITextControl;
class GUITextTool;
class GUIToolManager;
class GUIWindowControl;

// A window built from the description of its name in the tool manager's
// description set: one base window of its own into which every control is
// nested. It shows and hides its controls together, updates them every
// frame, hides its base window once the last control has finished hiding,
// and finds controls by full name ("window_main_menu/window/start"), one
// list per type. A fault in the description is fatal while the window is
// built. The engine, keeper and tool manager must outlive the window. Main
// thread only.
class GUIWindowBase {
public:
    GUIWindowBase(Halvard::Engine* engine, GameTools::DataKeeper* resources, GUIToolManager* tools,
                  Halvard::GUIWindow* parent, const std::string& name);
    GUIWindowBase(const GUIWindowBase&) = delete;
    GUIWindowBase& operator=(const GUIWindowBase&) = delete;
    virtual ~GUIWindowBase();

    // Once a frame; only while the base window is visible.
    virtual void Update();
    // A hide leaves the base window shown until Update finds every enabled
    // control hidden.
    virtual void Show(bool show);
    virtual bool IsVisible() const;

    // The lookups log an error line and answer null on a miss.
    GUITextControl* GetTextControl(const std::string& name) const;
    GUIScrollControl* GetScrollControl(const std::string& name) const;
    GUIEditBoxControl* GetEditBoxControl(const std::string& name) const;
    GUICheckBoxControl* GetCheckBoxControl(const std::string& name) const;
    GUIButtonControl* GetButtonControl(const std::string& name) const;
    GUIWindowControl* GetWindowControl(const std::string& name) const;
    GUIControl* GetControl(const std::string& name) const;
    // Without a log line.
    bool HasTextControl(const std::string& name) const;
    bool HasWindowControl(const std::string& name) const;
    // The widgets of the lookups above.
    Halvard::GUIScroll* GetScroll(const std::string& name) const;
    Halvard::GUIEditBox* GetEditBox(const std::string& name) const;
    Halvard::GUICheckBox* GetCheckBox(const std::string& name) const;
    Halvard::GUIButton* GetButton(const std::string& name) const;

    // Disabling hides the control at once, without its hide action, and
    // keeps it out of Show; enabling lets the next Show(true) show it.
    void EnableControl(const std::string& name, bool enable);
    void EnableControl(const GUIControl* control, bool enable);
    bool IsControlEnabled(const std::string& name) const;

    const std::string& GetName() const { return name_; }
    Halvard::GUIWindow* GetBaseWindow() const { return baseWindow_.get(); }
    // Every control in creation order.
    const std::vector<std::unique_ptr<GUIControl>>& GetControls() const { return controls_; }
    const std::vector<GUISliderControl*>& GetSliderControls() const { return sliderControls_; }

    // Appends the node list of the control called name below the parent's
    // nodes (the description-set root alone for a window): for each parent
    // node its first child of that name, followed by its template chain. A
    // chain stops at a template it already holds, with an error line.
    void FindDescriptionNodes(GameTools::XMLNode* root, const GUINodeList& parentNodes, const std::string& name,
                              GUINodeList& out) const;
    // The value of the first node that has the attribute, or null.
    static GameTools::XMLValue* FindAttribute(const GUINodeList& nodes, const std::string& attribute);

protected:
    // Builds the control called name from its node list (as
    // FindDescriptionNodes makes it) and, recursively, its children. A window
    // of more than GUIToolManager::kMostControls controls is fatal.
    void ParseControls(GameTools::XMLNode* root, const GUINodeList& nodes, const std::string& name,
                       const std::string& prefix, Halvard::GUIWindow* parent);
    Halvard::Engine* GetEngine() const { return engine_; }
    GUIToolManager* GetToolManager() const { return tools_; }

private:
    struct BaseWindowDeleter {
        Halvard::GUIManager* gui;
        void operator()(Halvard::GUIWindow* window) const;
    };

    // The node list of one child name of a control.
    struct ChildNodes {
        std::string name;
        GUINodeList nodes;
        // One past the index of the control's node that gave the last element.
        std::size_t lastSource;
    };

    void LoadDescription();
    std::string Refusal(const std::string& window) const;
    void AppendTemplates(GameTools::XMLNode* root, GameTools::XMLNode* element, GUINodeList& out) const;
    void CheckInheritance(GameTools::XMLNode* root, const GUINodeList& nodes, const std::string& fullName) const;
    GUIControl* CreateControl(const std::string& type, Halvard::GUIWindow* parent,
                              const GUIControlDescription& description, const GUIControlReader& reader);
    template <class Control, class... Tools>
    Control* Adopt(std::vector<Control*>& list, const GUIControlReader& reader, Halvard::GUIWindow* parent,
                   const GUIControlDescription& description, Tools... tools);
    void ApplyFader(GUIControl& control, GameTools::XMLNode* root, const GUIControlReader& reader) const;
    std::vector<ChildNodes> CollectChildren(GameTools::XMLNode* root, const GUINodeList& nodes) const;
    // The index in the list of all controls, or -1.
    int FindIndex(const std::string& name) const;
    template <class Control>
    Control* Find(const std::vector<Control*>& list, const std::string& name, const char* operation) const;

    Halvard::Engine* engine_;
    Halvard::MessageManager* messages_;
    Halvard::GUIManager* gui_;
    GameTools::DataKeeper* resources_;
    GUIToolManager* tools_;
    const GUIFontTool* fontTool_;
    const GUITextTool* textTool_;
    std::unique_ptr<Halvard::GUIWindow, BaseWindowDeleter> baseWindow_;
    std::string name_;
    // Destroyed before the base window they are nested in.
    std::vector<std::unique_ptr<GUIControl>> controls_;
    std::vector<GUIWindowControl*> windowControls_;
    std::vector<GUIButtonControl*> buttonControls_;
    std::vector<GUICheckBoxControl*> checkBoxControls_;
    std::vector<GUIEditBoxControl*> editBoxControls_;
    std::vector<GUISliderControl*> sliderControls_;
    std::vector<GUIScrollControl*> scrollControls_;
    std::vector<GUITextControl*> textControls_;
    std::vector<bool> enabled_;
    // The node lists of the controls being built, outermost first.
    std::vector<const GUINodeList*> ancestry_;
};

} // namespace GUITools
