#pragma once

#include "game_tools/DataKeeper.h"

namespace Halvard {
class GUIManager;
class GUIWindow;
class ShaderUser;
} // namespace Halvard

namespace Tamrisk {

// The interface data: the menu and game-object resources of the queued
// lists, the two small publisher logos when they ship, and the two GUI
// windows the floating in-game texts hang from. Lives from start-up to
// shutdown.
class GameData : public GameTools::DataKeeper {
public:
    static constexpr Halvard::u32 kTextLayer = 100;

    // Throws FileError naming a logo picture beyond the start pictures'
    // bound (StartPicture).
    GameData(Halvard::Engine* engine, const std::string& language);
    ~GameData() override;

    // Main thread, after the load: makes the two windows.
    void FinishLoading() override;

    Halvard::ShaderUser* GetLogo(unsigned index) const { return index < 2 ? logos_[index] : nullptr; }
    Halvard::GUIWindow* GetRootWindow() const { return rootWindow_; }
    Halvard::GUIWindow* GetTextLayerWindow() const { return textLayerWindow_; }

private:
    Halvard::ShaderUser* MakeLogo(unsigned index);

    Halvard::GUIManager* gui_;
    Halvard::ShaderUser* logos_[2] = {nullptr, nullptr};
    Halvard::GUIWindow* rootWindow_ = nullptr;
    Halvard::GUIWindow* textLayerWindow_ = nullptr;
};

} // namespace Tamrisk
