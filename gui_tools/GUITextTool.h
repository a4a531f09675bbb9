#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class Engine;
class FileManager;
class MessageManager;
} // namespace Halvard

namespace GameTools {
class XMLNode;
}

namespace GUITools {

// The texts shown to the player, by key, in one language: the game's
// "data\ui\texts\texts.xml" first, then the framework's
// "data\ui\texts\default_texts.xml". A key is a path of element names below
// the root "texts"; under it one element per language code carries the
// text in its "text" attribute. Read on construction, read-only afterwards.
class GUITextTool {
public:
    // The characters a text may have: a text control lays its text out again
    // at every size it tries, and draws it every frame.
    static constexpr std::size_t kMostTextLength = 1000;

    // A text file that cannot be read or parsed, or that holds a text longer
    // than the bound, throws FileError naming it.
    GUITextTool(Halvard::Engine* engine, const std::string& language);
    GUITextTool(const GUITextTool&) = delete;
    GUITextTool& operator=(const GUITextTool&) = delete;
    virtual ~GUITextTool();

    // The first file's text for the key in the language; L"UNKNOWN" when no
    // file has it.
    std::wstring GetText(const std::string& key) const;

    const std::string& GetLanguage() const { return language_; }

private:
    void LoadTextFile(const std::string& path);
    // Key is the path of element names from the table down to the element,
    // grown and shrunk on the way.
    static void CheckLengths(const GameTools::XMLNode& element, std::string& key, const std::string& path);

    Halvard::Engine* engine_;
    Halvard::MessageManager* messages_;
    Halvard::FileManager* files_;
    std::string language_;
    std::unique_ptr<GameTools::XMLNode> textRoot_;
    // One per file in reading order; null for a file whose root is not
    // "texts". Owned by the text root.
    std::vector<GameTools::XMLNode*> textTables_;
};

} // namespace GUITools
