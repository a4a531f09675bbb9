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

class GUIFontTool;
class GUITextTool;

// The shared services of the window layer, made once at start-up: the
// interface fonts, the texts in the current language and the description
// set, one tree whose children are the root elements of every window
// description ("data\ui\windows\*.xml", loose files and pack entries) in
// listing order. A description that fails to parse or holds a value beyond
// its bounds is logged and left out; a description is named by its path
// under the program's folder ("data\ui\windows\faders.xml"). Everything is
// read in the constructor and read-only afterwards, except the fonts' one
// LoadAdditionalFonts. Main thread only.
class GUIToolManager {
public:
    // The elements a description may hold, and the controls a window may be
    // built of, templates' children counted: building costs each control a
    // look through the set, and every frame updates and draws each.
    static constexpr std::size_t kMostControls = 256;

    // The language code ("en", "ru") is fixed for the manager's lifetime.
    // A fonts or texts file that cannot be read throws FileError.
    GUIToolManager(Halvard::Engine* engine, const std::string& language);
    GUIToolManager(const GUIToolManager&) = delete;
    GUIToolManager& operator=(const GUIToolManager&) = delete;
    virtual ~GUIToolManager();

    Halvard::Engine* GetEngine() const { return engine_; }
    const std::string& GetLanguage() const { return language_; }
    GUIFontTool* GetFontTool() const { return fontTool_.get(); }
    GUITextTool* GetTextTool() const { return textTool_.get(); }

    // The root of the description set: empty name, no attributes, the
    // descriptions' root elements its children. Windows only read it; the
    // pointer is not const because the tree's queries take plain nodes.
    GameTools::XMLNode* GetDescriptionSet() const { return descriptionSet_.get(); }
    // Lower-cased file names without their folder, one per root, in order.
    std::vector<std::string> GetDescriptionFileNames() const;
    const std::vector<GameTools::XMLNode*>& GetDescriptionRoots() const { return descriptionRoots_; }
    // Where a window (or "faders") that no description holds should have
    // been described, for its error: the description file named after it
    // when that file was refused, else the folder of the descriptions.
    std::string GetDescriptionPlace(const std::string& window) const;
    // Why the description file named after the window was refused, the
    // error's text; empty when no such file was refused.
    std::string GetDescriptionRefusal(const std::string& window) const;
    // The path of the description a root of the set comes from; the folder
    // of the descriptions for any other node.
    std::string GetDescriptionPath(const GameTools::XMLNode* root) const;

private:
    struct Refusal {
        std::string path;
        std::string reason;
    };

    void LoadDescriptions();
    const Refusal* FindRefusal(const std::string& window) const;

    Halvard::Engine* engine_;
    Halvard::MessageManager* messages_;
    Halvard::FileManager* files_;
    std::string language_;
    std::unique_ptr<GUIFontTool> fontTool_;
    std::unique_ptr<GUITextTool> textTool_;
    std::vector<std::string> descriptionPaths_;
    // The descriptions that were left out, as listed.
    std::vector<Refusal> refusals_;
    // Owned by the description set.
    std::vector<GameTools::XMLNode*> descriptionRoots_;
    std::unique_ptr<GameTools::XMLNode> descriptionSet_;
};

} // namespace GUITools
