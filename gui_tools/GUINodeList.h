#pragma once

#include <vector>

namespace GameTools {
class XMLNode;
}

namespace GUITools {

// The elements that describe one control, nearest first: its own element,
// then its template chain, then those of each later branch (see
// GUIWindowBase::FindDescriptionNodes). The nodes belong to the
// description set.
using GUINodeList = std::vector<GameTools::XMLNode*>;

} // namespace GUITools
