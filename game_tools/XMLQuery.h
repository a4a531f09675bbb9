#pragma once

#include "engine/core/Types.h"

#include <optional>
#include <string>
#include <vector>

namespace GameTools {

class XMLNode;
class XMLValue;

// Path queries over a node: segments separated by '/', each naming the
// children to descend into, optionally followed by conditions in brackets,
// name='value' pairs (either quote) separated by blanks, commas or
// semicolons, that an attribute's 8-bit text must meet exactly. An empty
// segment with conditions stands for every child; an empty segment without
// them skips nothing. An empty path is the node itself. A malformed path or
// condition list matches nothing. Results are appended depth first, in
// document order at each level.
void SelectXMLNodes(XMLNode* node, const std::string& path, std::vector<XMLNode*>& out);
XMLNode* SelectXMLNode(XMLNode* node, const std::string& path);
// The value of the attribute on every matching node that has it.
void SelectXMLValues(XMLNode* node, const std::string& path, const std::string& attribute,
                     std::vector<XMLValue*>& out);
XMLValue* SelectXMLValue(XMLNode* node, const std::string& path, const std::string& attribute);

// The node's own attribute as its type, or the fallback when the node is
// null or lacks the attribute. A value that is no integer (XMLValue::GetInt)
// is refused with a FileError, of the reader's text when it gives one.
bool GetXMLBool(const XMLNode* node, const std::string& attribute, bool fallback);
Halvard::i32 GetXMLInt(const XMLNode* node, const std::string& attribute, Halvard::i32 fallback);
Halvard::i32 GetXMLInt(const XMLNode* node, const std::string& attribute, Halvard::i32 fallback,
                       const std::string& error);
std::string GetXMLString(const XMLNode* node, const std::string& attribute, const std::string& fallback = {});
// The refusal of a description file's attribute, in the words every reader
// of such files uses: Incorrect "attribute" in "path" file.
std::string XMLAttributeError(const std::string& attribute, const std::string& path);
// The node's "animation_speed", none when it gives none. A speed that is not
// finite could never play: it is refused with a FileError of the reader's
// text, which names the file.
std::optional<float> GetXMLAnimationSpeed(const XMLNode* node, const std::string& error);

} // namespace GameTools
