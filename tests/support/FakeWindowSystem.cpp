#include "tests/support/FakeWindowSystem.h"

namespace Testing {

namespace {

class FakeNativeWindow : public Platform::NativeWindow {
public:
    explicit FakeNativeWindow(FakeWindowSystem& system) : system_(system) { system_.windowAlive = true; }
    ~FakeNativeWindow() override { system_.windowAlive = false; }

    void Reshape(const Platform::WindowShape& shape) override { system_.reshapes.push_back(shape); }
    void SetTitle(const std::string& title) override { system_.titles.push_back(title); }
    void Show() override { ++system_.shows; }
    void TakeFocus() override { ++system_.focusRequests; }
    bool HasFocus() const override { return system_.focusGranted; }
    void Minimize() override { ++system_.minimizeRequests; }

private:
    FakeWindowSystem& system_;
};

} // namespace

bool FakeWindowSystem::Open()
{
    if (openFails)
        return false;
    ++openCount;
    return true;
}

void FakeWindowSystem::Close() { --openCount; }

std::unique_ptr<Platform::NativeWindow> FakeWindowSystem::CreateWindow(const std::string& title,
                                                                       const Platform::WindowShape& shape,
                                                                       uint32_t iconNumber)
{
    if (createFails)
        return nullptr;
    createdTitle = title;
    createdShape = shape;
    createdIcon = iconNumber;
    return std::make_unique<FakeNativeWindow>(*this);
}

} // namespace Testing
