#pragma once

#include "engine/core/Math.h"

#include <string>
#include <vector>

namespace Halvard {
class Engine;
class FileManager;
class Light;
class LightManager;
class MessageManager;
} // namespace Halvard

namespace Tamrisk {

// The level's ambient colour and point lights, read from a text file below
// "data\environment\lighting\", and the direction shadows fall in. A file that
// cannot be read is fatal. Main thread only.
class Lighting {
public:
    static constexpr int kMaxLights = 8;

    // Reads the file at once (Load).
    Lighting(Halvard::Engine* engine, const std::string& fileName);
    Lighting(const Lighting&) = delete;
    Lighting& operator=(const Lighting&) = delete;
    virtual ~Lighting();

    // Replaces the lights with the file's. A file that is missing, holds a
    // token that is not wholly a number, ends early or promises more than
    // kMaxLights lights is logged as fatal and throws FatalError.
    void Load();
    void Clear();

    const Halvard::Vector2& GetShadowDirection() const { return shadowDirection_; }
    const std::vector<Halvard::Light*>& GetLights() const { return lights_; }

private:
    Halvard::MessageManager* messages_;
    Halvard::FileManager* files_;
    Halvard::LightManager* lightManager_;
    std::string path_;
    std::vector<Halvard::Light*> lights_;
    Halvard::Vector2 shadowDirection_{0.0f, 0.0f};
};

} // namespace Tamrisk
