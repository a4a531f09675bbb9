#pragma once

#include "engine/core/Math.h"
#include "engine/core/Types.h"
#include "gui_tools/GUINodeList.h"
#include "gui_tools/controls/GUIControlDescription.h"

#include "game_tools/XMLValue.h"

#include <string>

namespace GUITools {

class GUIControl;
class GUIEditBoxControl;
class GUIScrollControl;
class GUISliderControl;
class GUITextControl;

// Reads the attributes of one control along its node list: the first node
// that has an attribute gives its value, so a control's own element wins
// over its template and the template over the template's template. An
// attribute that no node has leaves the control's default. Each Apply
// operation sets what one group of attributes of a control type says.
class GUIControlReader {
public:
    // The list must outlive the reader.
    explicit GUIControlReader(const GUINodeList& nodes) : nodes_(nodes) {}

    // The first node's value, or null.
    GameTools::XMLValue* Find(const std::string& attribute) const;
    // Each true when the attribute was found and out read from it.
    bool Read(const std::string& attribute, std::string& out) const;
    bool Read(const std::string& attribute, std::wstring& out) const;
    bool Read(const std::string& attribute, Halvard::i32& out) const;
    bool Read(const std::string& attribute, float& out) const;
    bool Read(const std::string& attribute, bool& out) const;
    bool Read(const std::string& attribute, Halvard::Vector2& out) const;
    bool Read(const std::string& attribute, Halvard::Vector4& out) const;

    GUIControlDescription ReadDescription(const std::string& fullName) const;
    // Actions, layer, position, size and mouse-sensitive rectangle; the
    // fader is the window's to find.
    void ApplyCommon(GUIControl& control) const;
    void ApplyText(GUITextControl& control) const;
    void ApplyEditBox(GUIEditBoxControl& control) const;
    // For sliders and scroll bars alike; makes the thumb.
    void ApplySlider(GUISliderControl& control) const;
    // The arrows, increase first, and their alignment.
    void ApplyScroll(GUIScrollControl& control) const;

private:
    template <class Value, class Getter>
    bool ReadValue(const std::string& attribute, Value& out, Getter getter) const
    {
        const GameTools::XMLValue* value = Find(attribute);
        if (value != nullptr)
            out = (value->*getter)();
        return value != nullptr;
    }
    // Calls the setter with the value when the attribute is found.
    template <class Value, class Setter>
    void Apply(const std::string& attribute, Setter setter) const
    {
        Value value{};
        if (Read(attribute, value))
            setter(value);
    }
    template <class Value>
    Value ReadOr(const std::string& attribute, Value fallback) const
    {
        Read(attribute, fallback);
        return fallback;
    }
    void ApplyArrow(GUIScrollControl& control, int kind, const std::string& prefix) const;

    const GUINodeList& nodes_;
};

} // namespace GUITools
