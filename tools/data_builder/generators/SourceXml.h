#pragma once

#include <cstddef>
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
    // The line its start tag begins on, counted from 1.
    std::size_t line = 0;

    // The attribute's text, or null when the element has none of that name.
    const std::string* Find(const std::string& attribute) const;
};

// The one root element of the file. Reads what the data set's XML uses: a
// byte-order mark, the declaration, comments, elements with quoted
// attributes, empty elements. Throws std::runtime_error naming the path and
// the line for anything else: an entity (the game's reader takes none), a
// tag left open, a closing tag of another name, a second root.
XmlElement ParseSourceXml(const std::vector<std::uint8_t>& bytes, const std::string& path);

// The path and the element's line, as messages name a place in a file.
std::string Place(const XmlElement& element, const std::string& path);

// Attribute readers that refuse a text that is not wholly a number, or is an
// infinity or not a number, naming the path, the element's line, the element
// and the attribute.
float ReadFloatAttribute(const XmlElement& element, const std::string& attribute, float fallback,
                         const std::string& path);
int ReadIntAttribute(const XmlElement& element, const std::string& attribute, int fallback, const std::string& path);
// Whitespace-separated finite numbers; a refusal names the place given.
std::vector<float> ReadFloatList(const std::string& text, const std::string& what, const std::string& place);

} // namespace Tools
