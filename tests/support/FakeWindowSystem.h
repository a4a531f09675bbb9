#pragma once

#include <string>
#include <vector>

#include "platform/window/WindowSystem.h"

namespace Testing {

// A window system without a display: the test sets the work area, the
// desktop and what fails, and reads back what was asked of the system and
// its one window.
class FakeWindowSystem : public Platform::WindowSystem {
public:
    bool Open() override;
    void Close() override;
    std::string GetOpenFailure() const override { return openFails ? openFailure : std::string(); }
    Platform::ScreenRect GetWorkArea() override { return workArea; }
    Platform::ScreenSize GetDesktopSize() override { return desktop; }
    std::unique_ptr<Platform::NativeWindow> CreateWindow(const std::string& title, const Platform::WindowShape& shape,
                                                         uint32_t iconNumber) override;
    Platform::Cursor* GetArrowCursor() override { return &arrow; }
    void SetCursor(Platform::Cursor* cursor) override { currentCursor = cursor; }

    // What the test sets.
    bool openFails = false;
    std::string openFailure;
    bool createFails = false;
    bool focusGranted = true;
    Platform::ScreenRect workArea{0, 0, 1024, 768};
    Platform::ScreenSize desktop{1024, 768};

    // What the code under test did.
    int openCount = 0;
    bool windowAlive = false;
    std::string createdTitle;
    Platform::WindowShape createdShape;
    uint32_t createdIcon = 0;
    std::vector<Platform::WindowShape> reshapes;
    std::vector<std::string> titles;
    int shows = 0;
    int focusRequests = 0;
    int minimizeRequests = 0;
    Platform::Cursor arrow;
    Platform::Cursor* currentCursor = nullptr;
};

} // namespace Testing
