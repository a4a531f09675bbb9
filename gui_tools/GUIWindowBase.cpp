#include "gui_tools/GUIWindowBase.h"

#include "engine/app/Engine.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/gui/GUIManager.h"
#include "engine/gui/GUIWindow.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLQuery.h"
#include "gui_tools/GUIControlReader.h"
#include "gui_tools/GUIToolManager.h"
#include "gui_tools/controls/GUIButtonControl.h"
#include "gui_tools/controls/GUICheckBoxControl.h"
#include "gui_tools/controls/GUIEditBoxControl.h"
#include "gui_tools/controls/GUIScrollControl.h"
#include "gui_tools/controls/GUISliderControl.h"
#include "gui_tools/controls/GUITextControl.h"
#include "gui_tools/controls/GUIWindowControl.h"

#include <algorithm>
#include <unordered_map>

using namespace Halvard;
using GameTools::XMLNode;

namespace GUITools {

namespace {

const std::string kParseControls = "(GUIWindowBase::ParseControls): ";
// The description the shared faders live in, by its name.
const std::string kFaders = "faders";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The first child whose attribute "name" is the name.
XMLNode* FindNamedChild(XMLNode* node, const std::string& name)
{
    return GameTools::SelectXMLNode(node, "/[name=" + Quoted(name) + "]");
}

// The description-set root element an element belongs to.
const XMLNode* RootElement(const XMLNode* root, const XMLNode* element)
{
    while (element->GetParent() != nullptr && element->GetParent() != root)
        element = element->GetParent();
    return element;
}

std::string NameOf(const XMLNode* element)
{
    const GameTools::XMLValue* name = element->GetAttribute("name");
    return name != nullptr ? name->GetString() : element->GetName();
}

} // namespace

void GUIWindowBase::BaseWindowDeleter::operator()(GUIWindow* window) const { gui->DestroyWindow(window); }

GUIWindowBase::GUIWindowBase(Engine* engine, GameTools::DataKeeper* resources, GUIToolManager* tools,
                             GUIWindow* parent, const std::string& name)
    : engine_(engine), messages_(engine->GetMessageManager()), gui_(engine->GetGUIManager()), resources_(resources), tools_(tools),
      fontTool_(tools->GetFontTool()), textTool_(tools->GetTextTool()),
      baseWindow_(gui_->CreateWindowFromModel(0, Vector2(0.0f, 0.0f), Vector2(0.0f, 0.0f), nullptr, parent),
                  BaseWindowDeleter{gui_}),
      name_(name)
{
    LoadDescription();
}

GUIWindowBase::~GUIWindowBase()
{
    controls_.clear();
    baseWindow_.reset();
}

void GUIWindowBase::LoadDescription()
{
    XMLNode* root = tools_->GetDescriptionSet();
    GUINodeList nodes;
    FindDescriptionNodes(root, GUINodeList{root}, name_, nodes);
    if (nodes.empty())
        messages_->LogFatal(kParseControls + "Unknown " + Quoted(name_) + " window in " +
                            Quoted(tools_->GetDescriptionPlace(name_)) + Refusal(name_));
    ParseControls(root, nodes, name_, std::string(), baseWindow_.get());
}

// Why the description named after the window was left out, for the error
// that follows from it.
std::string GUIWindowBase::Refusal(const std::string& window) const
{
    const std::string reason = tools_->GetDescriptionRefusal(window);
    return reason.empty() ? reason : ": " + reason;
}

void GUIWindowBase::ParseControls(XMLNode* root, const GUINodeList& nodes, const std::string& name,
                                  const std::string& prefix, GUIWindow* parent)
{
    if (nodes.front()->GetName() == "fader")
        return;
    const GUIControlReader reader(nodes);
    std::string language;
    if (reader.Read("language", language) && language != tools_->GetLanguage())
        return;
    const std::string fullName = prefix.empty() ? name : prefix + "/" + name;
    CheckInheritance(root, nodes, fullName);
    if (controls_.size() == GUIToolManager::kMostControls)
        messages_->LogFatal(kParseControls + "Incorrect controls: more than " +
                            UIntToString(static_cast<u32>(GUIToolManager::kMostControls)) + " controls make " +
                            Quoted(name_) + " window in " +
                            Quoted(tools_->GetDescriptionPath(FindNamedChild(root, name_))));
    GUIControl* control = CreateControl(nodes.front()->GetName(), parent, reader.ReadDescription(fullName), reader);
    ancestry_.push_back(&nodes);
    for (const ChildNodes& child : CollectChildren(root, nodes))
        ParseControls(root, child.nodes, child.name, fullName, control->GetWindow());
    ancestry_.pop_back();
}

void GUIWindowBase::FindDescriptionNodes(XMLNode* root, const GUINodeList& parentNodes, const std::string& name,
                                         GUINodeList& out) const
{
    for (XMLNode* node : parentNodes) {
        XMLNode* found = FindNamedChild(node, name);
        if (found == nullptr)
            continue;
        out.push_back(found);
        AppendTemplates(root, found, out);
    }
}

// A chain that comes back to a template it holds would never end.
void GUIWindowBase::AppendTemplates(XMLNode* root, XMLNode* element, GUINodeList& out) const
{
    GUINodeList chain{element};
    for (XMLNode* current = element; current->HasAttribute("template");) {
        const std::string name = current->GetAttribute("template")->GetString();
        XMLNode* found = FindNamedChild(root, name);
        if (found == nullptr)
            return;
        if (std::find(chain.begin(), chain.end(), found) != chain.end()) {
            messages_->LogError("(GUIWindowBase::FindDescriptionNodes): " + Quoted(name) + " template of " +
                                Quoted(name_) + " window is already in its template chain");
            return;
        }
        chain.push_back(found);
        out.push_back(found);
        current = found;
    }
}

// An element that is already part of an enclosing control's description
// means that a template contains a control inheriting from that template
// again: building it would never end.
void GUIWindowBase::CheckInheritance(XMLNode* root, const GUINodeList& nodes, const std::string& fullName) const
{
    for (const XMLNode* node : nodes) {
        if (node->GetParent() == root)
            continue;
        for (const GUINodeList* enclosing : ancestry_) {
            if (std::find(enclosing->begin(), enclosing->end(), node) != enclosing->end())
                messages_->LogFatal(kParseControls + Quoted(fullName) + " control inherits from itself through " +
                                    Quoted(NameOf(RootElement(root, node))) + " template");
        }
    }
}

GameTools::XMLValue* GUIWindowBase::FindAttribute(const GUINodeList& nodes, const std::string& attribute)
{
    return GUIControlReader(nodes).Find(attribute);
}

template <class Control, class... Tools>
Control* GUIWindowBase::Adopt(std::vector<Control*>& list, const GUIControlReader& reader, GUIWindow* parent,
                              const GUIControlDescription& description, Tools... tools)
{
    auto owned = std::make_unique<Control>(engine_, resources_, tools..., parent, description);
    Control* control = owned.get();
    list.push_back(control);
    controls_.push_back(std::move(owned));
    enabled_.push_back(true);
    reader.ApplyCommon(*control);
    ApplyFader(*control, tools_->GetDescriptionSet(), reader);
    return control;
}

GUIControl* GUIWindowBase::CreateControl(const std::string& type, GUIWindow* parent,
                                         const GUIControlDescription& description, const GUIControlReader& reader)
{
    if (type == "window")
        return Adopt(windowControls_, reader, parent, description);
    if (type == "button")
        return Adopt(buttonControls_, reader, parent, description);
    if (type == "check_box")
        return Adopt(checkBoxControls_, reader, parent, description);
    if (type == "edit_box") {
        GUIEditBoxControl* control = Adopt(editBoxControls_, reader, parent, description, fontTool_);
        reader.ApplyEditBox(*control);
        return control;
    }
    if (type == "slider") {
        GUISliderControl* control = Adopt(sliderControls_, reader, parent, description);
        reader.ApplySlider(*control);
        return control;
    }
    if (type == "scroll") {
        GUIScrollControl* control = Adopt(scrollControls_, reader, parent, description);
        reader.ApplySlider(*control);
        reader.ApplyScroll(*control);
        return control;
    }
    if (type == "text_label") {
        GUITextControl* control = Adopt(textControls_, reader, parent, description, fontTool_, textTool_);
        reader.ApplyText(*control);
        return control;
    }
    messages_->LogFatal(kParseControls + "Unknown " + Quoted(type) + " control type");
}

void GUIWindowBase::ApplyFader(GUIControl& control, XMLNode* root, const GUIControlReader& reader) const
{
    std::string name;
    if (!reader.Read("fader", name) || name.empty())
        return;
    XMLNode* fader = GameTools::SelectXMLNode(root, "/faders/fader[name='" + name + "']");
    // When the faders' own description was left out, that is why.
    if (fader == nullptr) {
        const std::string refusal = Refusal(kFaders);
        const std::string place = refusal.empty() ? refusal : " in " + Quoted(tools_->GetDescriptionPlace(kFaders));
        messages_->LogFatal(kParseControls + "Unknown " + Quoted(name) + " fader" + place + refusal);
    }
    // A fader's own attributes count, never a template's.
    const GUINodeList own{fader};
    const GUIControlReader attributes(own);
    GUIFaderSettings settings;
    attributes.Read("type", settings.type);
    attributes.Read("show_speed", settings.showSpeed);
    attributes.Read("hide_speed", settings.hideSpeed);
    attributes.Read("min", settings.min);
    attributes.Read("max", settings.max);
    attributes.Read("fade_offset", settings.fadeOffset);
    attributes.Read("show_offset", settings.showOffset);
    attributes.Read("hide_offset", settings.hideOffset);
    control.SetFader(name, settings);
}

// What FindDescriptionNodes would find for each child name, in one pass
// over the children: a look-up by name per child would make a window's
// build quadratic in its controls.
std::vector<GUIWindowBase::ChildNodes> GUIWindowBase::CollectChildren(XMLNode* root, const GUINodeList& nodes) const
{
    std::vector<ChildNodes> found;
    std::unordered_map<std::string, std::size_t> byName;
    std::vector<XMLNode*> children;
    for (std::size_t source = 0; source < nodes.size(); ++source) {
        children.clear();
        nodes[source]->GetChildren(children);
        for (XMLNode* child : children) {
            const GameTools::XMLValue* name = child->GetAttribute("name");
            if (name == nullptr)
                messages_->LogFatal(kParseControls + "Failed to find attribute \"name\" in node with " +
                                    Quoted(child->GetName()) + " name");
            const auto [at, added] = byName.emplace(name->GetString(), found.size());
            if (added)
                found.push_back(ChildNodes{name->GetString(), {}, 0});
            ChildNodes& entry = found[at->second];
            // Only a node's first child of a name counts.
            if (entry.lastSource == source + 1)
                continue;
            entry.lastSource = source + 1;
            entry.nodes.push_back(child);
            AppendTemplates(root, child, entry.nodes);
        }
    }
    return found;
}

void GUIWindowBase::Update()
{
    if (!baseWindow_->visible)
        return;
    bool live = false;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        controls_[i]->Update();
        live = live || (enabled_[i] && controls_[i]->IsVisible());
    }
    if (!live)
        baseWindow_->ClearFlags(GUIWindow::kShown);
}

void GUIWindowBase::Show(bool show)
{
    if (show)
        baseWindow_->SetFlags(GUIWindow::kShown);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (enabled_[i])
            controls_[i]->SetVisible(show, true);
    }
}

bool GUIWindowBase::IsVisible() const { return baseWindow_->visible; }

template <class Control>
Control* GUIWindowBase::Find(const std::vector<Control*>& list, const std::string& name, const char* operation) const
{
    for (Control* control : list) {
        if (control->GetName() == name)
            return control;
    }
    messages_->LogError(std::string("(GUIWindowBase::") + operation + "): Unknown " + Quoted(name) + " control");
    return nullptr;
}

GUITextControl* GUIWindowBase::GetTextControl(const std::string& name) const
{
    return Find(textControls_, name, "GetTextControl");
}

GUIScrollControl* GUIWindowBase::GetScrollControl(const std::string& name) const
{
    return Find(scrollControls_, name, "GetScrollControl");
}

GUIEditBoxControl* GUIWindowBase::GetEditBoxControl(const std::string& name) const
{
    return Find(editBoxControls_, name, "GetEditBoxControl");
}

GUICheckBoxControl* GUIWindowBase::GetCheckBoxControl(const std::string& name) const
{
    return Find(checkBoxControls_, name, "GetCheckBoxControl");
}

GUIButtonControl* GUIWindowBase::GetButtonControl(const std::string& name) const
{
    return Find(buttonControls_, name, "GetButtonControl");
}

GUIWindowControl* GUIWindowBase::GetWindowControl(const std::string& name) const
{
    return Find(windowControls_, name, "GetWindowControl");
}

GUIControl* GUIWindowBase::GetControl(const std::string& name) const
{
    const int index = FindIndex(name);
    if (index < 0) {
        messages_->LogError("(GUIWindowBase::GetControl): Unknown " + Quoted(name) + " control");
        return nullptr;
    }
    return controls_[static_cast<std::size_t>(index)].get();
}

bool GUIWindowBase::HasTextControl(const std::string& name) const
{
    return std::any_of(textControls_.begin(), textControls_.end(),
                       [&](const GUITextControl* control) { return control->GetName() == name; });
}

bool GUIWindowBase::HasWindowControl(const std::string& name) const
{
    return std::any_of(windowControls_.begin(), windowControls_.end(),
                       [&](const GUIWindowControl* control) { return control->GetName() == name; });
}

GUIScroll* GUIWindowBase::GetScroll(const std::string& name) const
{
    const GUIScrollControl* control = GetScrollControl(name);
    return control != nullptr ? control->GetScroll() : nullptr;
}

GUIEditBox* GUIWindowBase::GetEditBox(const std::string& name) const
{
    const GUIEditBoxControl* control = GetEditBoxControl(name);
    return control != nullptr ? control->GetEditBox() : nullptr;
}

GUICheckBox* GUIWindowBase::GetCheckBox(const std::string& name) const
{
    const GUICheckBoxControl* control = GetCheckBoxControl(name);
    return control != nullptr ? control->GetCheckBox() : nullptr;
}

GUIButton* GUIWindowBase::GetButton(const std::string& name) const
{
    const GUIButtonControl* control = GetButtonControl(name);
    return control != nullptr ? control->GetButton() : nullptr;
}

int GUIWindowBase::FindIndex(const std::string& name) const
{
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]->GetName() == name)
            return static_cast<int>(i);
    }
    return -1;
}

void GUIWindowBase::EnableControl(const std::string& name, bool enable)
{
    const int index = FindIndex(name);
    if (index < 0) {
        messages_->LogError("(GUIWindowBase::EnableControl): Unknown " + Quoted(name) + " control");
        return;
    }
    const auto i = static_cast<std::size_t>(index);
    enabled_[i] = enable;
    if (enable)
        return;
    controls_[i]->SetVisible(false, false);
    controls_[i]->GetWindow()->ClearFlags(GUIWindow::kShown);
}

void GUIWindowBase::EnableControl(const GUIControl* control, bool enable) { EnableControl(control->GetName(), enable); }

bool GUIWindowBase::IsControlEnabled(const std::string& name) const
{
    const int index = FindIndex(name);
    return index >= 0 && enabled_[static_cast<std::size_t>(index)];
}

} // namespace GUITools
