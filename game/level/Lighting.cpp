#include "game/level/Lighting.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/MessageManager.h"
#include "engine/core/StringUtils.h"
#include "engine/render/Light.h"
#include "engine/render/LightManager.h"

#include <charconv>
#include <cmath>
#include <type_traits>

namespace Tamrisk {

using namespace Halvard;

namespace {

constexpr const char* kFolder = "data\\environment\\lighting\\";
constexpr float kColorScale = 1.0f / 255.0f;

// Reads the numbers of one lighting file. The text reader answers 0 for
// what is not there or not a number; a lighting file with a hole in it is
// broken, so every token here must be wholly a number.
class NumberReader {
public:
    NumberReader(FileTextual& file, const std::string& path) : file_(file), path_(path) {}

    float Float() { return Parse<float>("number"); }
    int Int() { return Parse<int>("integer"); }
    Vector3 Position()
    {
        const float x = Float();
        const float y = Float();
        const float z = Float();
        return Vector3(x, y, z);
    }
    Vector4 Color()
    {
        const float r = Float();
        const float g = Float();
        const float b = Float();
        return Vector4(r * kColorScale, g * kColorScale, b * kColorScale, 1.0f);
    }

    [[noreturn]] void Fail(const std::string& what) const { throw FileError(what + " in \"" + path_ + "\" file"); }

private:
    template <typename Number>
    static bool IsFinite(Number value)
    {
        if constexpr (std::is_floating_point_v<Number>)
            return std::isfinite(value);
        return true;
    }

    template <typename Number>
    Number Parse(const char* kind)
    {
        std::string token;
        if (!file_.ReadToken(token))
            Fail(std::string("Missing ") + kind);
        const char* first = token.data() + (token[0] == '+' ? 1 : 0);
        const char* last = token.data() + token.size();
        Number value{};
        const auto [end, error] = std::from_chars(first, last, value);
        // from_chars takes "nan" and "inf", which no light can be made of.
        if (error != std::errc() || end != last || !IsFinite(value))
            Fail("Incorrect " + std::string(kind) + " \"" + token + "\"");
        return value;
    }

    FileTextual& file_;
    const std::string& path_;
};

} // namespace

Lighting::Lighting(Engine* engine, const std::string& fileName)
    : messages_(engine->GetMessageManager()), files_(engine->GetFileManager()),
      lightManager_(engine->GetLightManager()), path_(kFolder + fileName)
{
    Load();
}

Lighting::~Lighting() { Clear(); }

void Lighting::Clear()
{
    for (Light* light : lights_)
        lightManager_->DestroyLight(light);
    lights_.clear();
}

// Without its lighting the level cannot be shown as made: any fault of the
// file ends the program.
void Lighting::Load()
{
    Clear();
    try {
        std::unique_ptr<FileTextual> file = files_->OpenFileTextual(path_, FileAccess::kRead);
        NumberReader numbers(*file, path_);
        lightManager_->SetAmbientColor(numbers.Color());
        const int count = numbers.Int();
        if (count < 0 || count > kMaxLights)
            numbers.Fail("Incorrect light count " + IntToString(count));
        for (int i = 0; i < count; ++i) {
            Light* light = lightManager_->CreateLight();
            lights_.push_back(light);
            light->type = Light::kPoint;
            light->position = numbers.Position();
            light->ambient = numbers.Color();
            light->diffuse = numbers.Color();
            light->specular = numbers.Color();
            light->constantAttenuation = numbers.Float();
            light->linearAttenuation = numbers.Float();
            light->quadraticAttenuation = numbers.Float();
            light->enabled = 1;
        }
    } catch (const FileError& error) {
        Clear();
        messages_->LogFatal(error.GetText());
    }
    shadowDirection_ = Vector2(1.0f, -1.0f);
    shadowDirection_.Normalize();
}

} // namespace Tamrisk
