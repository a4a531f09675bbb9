#pragma once

#include <memory>
#include <string>

#include "platform/window/SdlCursor.h"
#include "platform/window/WindowSystem.h"

namespace Platform {

// The WindowSystem of SDL2's video subsystem, on the first display. Open
// starts the subsystem and the matching Close stops it; cursors handed out
// are freed by the last Close. The reason of a failure goes to stderr.
class SdlWindowSystem : public WindowSystem {
public:
    SdlWindowSystem() = default;
    SdlWindowSystem(const SdlWindowSystem&) = delete;
    SdlWindowSystem& operator=(const SdlWindowSystem&) = delete;

    bool Open() override;
    void Close() override;
    std::string GetOpenFailure() const override { return openFailure_; }
    ScreenRect GetWorkArea() override;
    ScreenSize GetDesktopSize() override;
    std::unique_ptr<NativeWindow> CreateWindow(const std::string& title, const WindowShape& shape,
                                               uint32_t iconNumber) override;
    Cursor* GetArrowCursor() override;
    void SetCursor(Cursor* cursor) override;

private:
    int openCount_ = 0;
    std::string openFailure_;
    std::unique_ptr<SdlCursor> arrow_;
};

} // namespace Platform
