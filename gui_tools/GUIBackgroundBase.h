#pragma once

#include "engine/core/Types.h"

#include <memory>
#include <string>
#include <vector>

namespace Halvard {
class Engine;
class GUIManager;
class GUIWindow;
class MessageManager;
class TimerManager;
} // namespace Halvard

namespace GameTools {
class DataKeeper;
class XMLNode;
} // namespace GameTools

namespace GUITools {

class GUIBackgroundLayer;

// An animated background read from a description: each child of the root is
// a "model" or "particles" layer, built in two sets (the basic layers at
// once, the additional ones after the additional resources are loaded),
// drawn in document order between a hidden-by-default background window and
// an upper window above every layer. The whole background fades in and out.
// A description that cannot be read is logged and leaves the background
// empty. The resource keeper must outlive the background. Main thread only,
// the load operations too.
class GUIBackgroundBase {
public:
    // Creates the frame (a child of the parent), the background window and
    // the upper window, and reads the description; builds no layers.
    GUIBackgroundBase(Halvard::Engine* engine, GameTools::DataKeeper* resources, Halvard::GUIWindow* parent,
                      const std::string& path);
    GUIBackgroundBase(const GUIBackgroundBase&) = delete;
    GUIBackgroundBase& operator=(const GUIBackgroundBase&) = delete;
    virtual ~GUIBackgroundBase();

    virtual void LoadBasicLayers();
    virtual void LoadAdditionalLayers();
    // Once a frame while visible: the layers, then the fade.
    virtual void Update();
    // Showing shows every layer at full alpha and, with fade, raises the
    // background's alpha from 0 at the speed per second; hiding without fade
    // hides at once; hiding with fade lowers the alpha and hides at 0.
    virtual void StartFade(bool show, bool fade, float speed);
    virtual bool IsVisible() const;

    const std::vector<std::unique_ptr<GUIBackgroundLayer>>& GetLayers() const { return layers_; }
    Halvard::GUIWindow* GetFrame() const { return frame_; }
    Halvard::GUIWindow* GetBackgroundWindow() const { return window_; }
    Halvard::GUIWindow* GetUpperWindow() const { return upper_; }
    const std::string& GetResourcePrefix() const { return prefix_; }
    bool IsFading() const { return fading_; }

protected:
    // Builds the entries of one set, each at its position among all entries
    // plus 1 as its layer.
    virtual void LoadLayers(bool basic);
    virtual bool IsAdditional(const GameTools::XMLNode& entry) const;
    // Null for an entry without "name" or of another element.
    virtual std::unique_ptr<GUIBackgroundLayer> CreateLayer(const GameTools::XMLNode& entry, Halvard::i32 layer);

private:
    void ReadDescription(const std::string& path);
    std::string Prefixed(const std::string& name) const;
    void HideLayers();

    Halvard::Engine* engine_;
    Halvard::MessageManager* messages_;
    Halvard::TimerManager* timers_;
    Halvard::GUIManager* gui_;
    GameTools::DataKeeper* resources_;
    std::unique_ptr<GameTools::XMLNode> root_;
    std::string prefix_;
    Halvard::GUIWindow* frame_ = nullptr;
    Halvard::GUIWindow* window_ = nullptr;
    Halvard::GUIWindow* upper_ = nullptr;
    bool show_ = false;
    bool fading_ = false;
    float fadeSpeed_ = 1.0f;
    float fadeTime_ = 0.0f;
    std::vector<std::unique_ptr<GUIBackgroundLayer>> layers_;
};

} // namespace GUITools
