#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Tools {

// An element of a hand-written XML file as the builder reads it: its name,
// its attributes in file order and its child elements. Text between elements
// is not kept: the files the builder reads say everything in attributes.
struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::vector<XmlElement> children;

    // The attribute's text, or null when the element has none of that name.
    const std::string* Find(const std::string& attribute) const;
};

// The one root element of the file. Reads what the data set's XML uses: a
// byte-order mark, the declaration, comments, elements with quoted
// attributes, empty elements. Throws std::runtime_error naming the path and
// the line for anything else: an entity (the game's reader takes none), a
// tag left open, a closing tag of another name, a second root.
XmlElement ParseSourceXml(const std::vector<std::uint8_t>& bytes, const std::string& path);

// Attribute readers that refuse a text that is not wholly a number, naming
// the element, the attribute and the path given.
float ReadFloatAttribute(const XmlElement& element, const std::string& attribute, float fallback,
                         const std::string& path);
int ReadIntAttribute(const XmlElement& element, const std::string& attribute, int fallback, const std::string& path);
// Whitespace-separated numbers.
std::vector<float> ReadFloatList(const std::string& text, const std::string& what, const std::string& path);

} // namespace Tools
