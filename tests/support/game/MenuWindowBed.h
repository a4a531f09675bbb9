#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

namespace Halvard {
class Engine;
}

namespace GameFramework {
class SoundSet;
}

namespace GUITools {
class GUIToolManager;
}

namespace Tamrisk {
class GameData;
class GUIMenuWindowManager;
class ProfileManager;
} // namespace Tamrisk

namespace Testing {

class FakeClock;
class TempFolder;

// A description set of a test's own: files of "data\ui\windows" by name,
// and the body of the texts file. The fonts are "common_0", "common_1" and the menu
// fonts "main_menu_0" to "main_menu_2", size 10, every character one size
// wide.
struct MenuFixture {
    std::map<std::string, std::string> descriptions;
    std::string texts = {};
};

// "faders.xml" of the fixtures: the fader "menu" fades over a quarter of a
// second and starts its hide 0.2 s late, so that a leaving window stays on
// screen for several frames.
extern const char* const kMenuFaders;

// "window_main_menu.xml" of the fixtures, for an 800 x 600 GUI space: a
// frame over the whole space holding the six buttons, 200 x 50, start at
// (100, 100) and the others down the right half at x 500, each with its
// title in "main_menu_0"; the window's title greets "%PROFILE_NAME%".
extern const char* const kMainMenuFixture;

// What the menu windows stand on, as the game makes it: the interface data,
// the tool manager, the sound set (effects 0 to 3 registered, one copy each,
// so that sound n is the device's buffer n) and the menu window manager,
// driven by frames in the order of the game's window step. Serves tests and
// benchmarks alike; windows made on it must go before it.
class MenuWindowBed {
public:
    // Moves the clock this far each frame when the bed has one.
    static constexpr double kFrameSeconds = 0.05;

    // On the engine's own data: the interface resource lists and both fonts
    // files, as loaded once the game loading window is done.
    MenuWindowBed(Halvard::Engine& engine, FakeClock* clock);
    // On the fixture, written below the folder's "data\ui\" first.
    MenuWindowBed(Halvard::Engine& engine, FakeClock* clock, const TempFolder& folder, const MenuFixture& fixture);
    ~MenuWindowBed();

    MenuWindowBed(const MenuWindowBed&) = delete;
    MenuWindowBed& operator=(const MenuWindowBed&) = delete;

    // One frame: the clock moves on, the engine's frame begins, the manager's
    // PreUpdate, the updates given (the windows' UpdateWindow), the manager's
    // Update, the end of the engine's frame and the queued sounds started.
    void Frame(const std::function<void()>& updates = {});

    // A profile manager on the bed's sound set, its profiles below the
    // folder's "user"; with a name, a profile of that name is made current
    // (the list file is not written). It must go before the bed.
    std::unique_ptr<Tamrisk::ProfileManager> MakeProfiles(const TempFolder& folder,
                                                          const std::wstring& current = {}) const;

    Halvard::Engine& engine;
    FakeClock* clock;
    std::unique_ptr<Tamrisk::GameData> data;
    std::unique_ptr<GUITools::GUIToolManager> tools;
    std::unique_ptr<GameFramework::SoundSet> sounds;
    std::unique_ptr<Tamrisk::GUIMenuWindowManager> manager;

private:
    void Make(bool shippedData);
};

} // namespace Testing
