// An XML file, as every description and list is read: through the file
// manager into a holder node. What a parse keeps is made of the file's own
// bytes: never more elements or attributes than the file has characters.
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "tests/fuzz/FuzzCheck.h"
#include "tests/fuzz/FuzzTarget.h"
#include "tests/support/SaveFolder.h"

#include <vector>

namespace {

// Nodes and attributes below the node, walked without recursion: the tree
// may be as deep as the file allows.
std::size_t CountParts(const GameTools::XMLNode& root)
{
    std::size_t parts = 0;
    std::vector<const GameTools::XMLNode*> open{&root};
    std::vector<GameTools::XMLNode*> children;
    while (!open.empty()) {
        const GameTools::XMLNode* node = open.back();
        open.pop_back();
        parts += 1 + node->GetAttributeCount();
        node->GetChildren(children);
        open.insert(open.end(), children.begin(), children.end());
    }
    return parts;
}

} // namespace

TAMRISK_FUZZ_TARGET(XMLParser)
{
    Testing::SaveFolder folder;
    folder.Write("input.xml", std::string(bytes));
    GameTools::XMLNode holder;
    GameTools::XMLParser parser(folder.Files());
    if (!Fuzzing::Accepted([&] { parser.ParseInto(&holder, folder.User() + "\\input.xml"); }))
        return;
    Fuzzing::Check(CountParts(holder) <= bytes.size() + 1, "the tree holds more than the file could describe");
}
