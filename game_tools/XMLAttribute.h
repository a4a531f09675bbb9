#pragma once

#include "game_tools/XMLValue.h"

#include <string>

namespace GameTools {

// One attribute of an XML element, owned by its node.
struct XMLAttribute {
    XMLAttribute(const std::string& attributeName, const std::string& text) : name(attributeName), value(text) {}
    XMLAttribute(const std::string& attributeName, const std::wstring& text) : name(attributeName), value(text) {}

    std::string name;
    XMLValue value;
};

} // namespace GameTools
