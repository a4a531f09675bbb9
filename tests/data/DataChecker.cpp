#include "tests/data/DataChecker.h"

#include "engine/core/Error.h"
#include "engine/core/FileBinary.h"
#include "engine/core/FileManager.h"
#include "engine/core/Image.h"
#include "engine/core/PackFile.h"
#include "engine/core/PathUtils.h"
#include "engine/core/StringUtils.h"
#include "engine/core/VersionedHeader.h"
#include "engine/render/ModelFile.h"
#include "engine/render/ParticleSystem.h"
#include "engine/render/ShaderDescriptor.h"
#include "engine/sound/SoundFileReaderOGG.h"
#include "engine/sound/SoundFileReaderWAV.h"
#include "game/windows/parts/GUIStageMap.h"
#include "game_tools/DataKeeper.h"
#include "game_tools/XMLNode.h"
#include "game_tools/XMLParser.h"
#include "game_tools/XMLValue.h"
#include "tests/data/LevelDataCheck.h"
#include "tests/data/SoundCheck.h"
#include "tests/support/QuietLog.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

namespace Testing {

namespace fs = std::filesystem;
using Halvard::u32;

namespace {

constexpr std::size_t kDataPrefixLength = 5; // "data\"

// Below the data folder, as models, shaders, particles and sounds are named.
std::string DataRelative(const std::string& path)
{
    return path.substr(kDataPrefixLength);
}

bool IsPowerOfTwo(u32 value)
{
    return value != 0 && (value & (value - 1)) == 0;
}

std::string Internal(const fs::path& path)
{
    std::string text = path.string();
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

std::string Attribute(const GameTools::XMLNode& node, const std::string& name, const std::string& fallback)
{
    const GameTools::XMLValue* value = node.GetAttribute(name);
    return value != nullptr ? value->GetString() : fallback;
}

// Walks a resource list as the registry reads it and collects the data paths
// of the files its entries name.
class ResourceListWalk {
public:
    explicit ResourceListWalk(std::string folder) : folder_(std::move(folder)) {}

    void Walk(const GameTools::XMLNode& node)
    {
        const std::string& element = node.GetName();
        if (element == "loop")
            return WalkLoop(node);
        if (!Attribute(node, "name", "").empty())
            return Entry(node);
        std::vector<GameTools::XMLNode*> children;
        node.GetChildren(children);
        for (const GameTools::XMLNode* child : children)
            Walk(*child);
    }

    const std::vector<std::string>& Files() const { return files_; }

private:
    void WalkLoop(const GameTools::XMLNode& node)
    {
        const GameTools::XMLValue* start = node.GetAttribute("start");
        const GameTools::XMLValue* count = node.GetAttribute("count");
        const u32 first = start != nullptr ? static_cast<u32>(start->GetInt()) : 0;
        const u32 end = count != nullptr ? static_cast<u32>(count->GetInt()) : 0;
        names_.push_back(Attribute(node, "counter", "i"));
        values_.push_back(first);
        std::vector<GameTools::XMLNode*> children;
        node.GetChildren(children);
        for (u32 value = first; value < end; ++value) {
            values_.back() = value;
            for (const GameTools::XMLNode* child : children)
                Walk(*child);
        }
        names_.pop_back();
        values_.pop_back();
    }

    std::string Substituted(const std::string& text) const
    {
        return GameTools::DataKeeper::SubstituteCounters(text, names_, values_);
    }

    void Entry(const GameTools::XMLNode& node)
    {
        const std::string& element = node.GetName();
        if (element == "model" || element == "particles") {
            const std::string file = Substituted(Attribute(node, "file_name", "unknown_file_name"));
            files_.push_back(Halvard::MakeDataPath(Halvard::CombinePath(folder_, file)));
        } else if (element == "shader") {
            for (const char* attribute : {"diffuse_file_name", "opacity_file_name"}) {
                const std::string text = Attribute(node, attribute, "");
                if (!text.empty() && text != "32bit")
                    files_.push_back(Halvard::MakeDataPath(Substituted(Halvard::CombinePath(folder_, text))));
            }
        }
    }

    std::string folder_;
    std::vector<std::string> names_;
    std::vector<u32> values_;
    std::vector<std::string> files_;
};

} // namespace

DataChecker::DataChecker(Halvard::Engine& engine) : engine_(engine) {}

template <typename Reader>
std::vector<std::string> DataChecker::CheckReader(const std::string& path, Reader read)
{
    try {
        read();
        return {};
    } catch (const Halvard::Error& error) {
        return {path + ": " + error.GetText()};
    }
}

std::vector<std::string> DataChecker::CheckFile(const std::string& path)
{
    Halvard::MessageManager* log = engine_.GetMessageManager();
    Halvard::FileManager* files = engine_.GetFileManager();
    const std::string extension = Halvard::ToLower(Halvard::GetFileExtension(path));
    if (extension == "xml")
        return CheckXml(path);
    if (extension == "bmp" || extension == "tga" || extension == "jpg")
        return CheckImage(path);
    if (extension == "wav" || extension == "ogg")
        return CheckSound(path);
    if (extension == "pak")
        return CheckPack(path);
    if (extension == "mlf")
        return CheckReader(path, [&] { Halvard::ModelFile(log, files, DataRelative(path)); });
    if (extension == "srf")
        return CheckReader(path, [&] { Halvard::ShaderDescriptor(log, files, DataRelative(path)); });
    if (extension == "fnt")
        return CheckFont(path);
    if (extension == "psf")
        return CheckReader(path, [&] {
            Halvard::ParticleSystem(log, files, engine_.GetTimerManager(), engine_.GetSpriteGroupManager(),
                                    DataRelative(path), nullptr);
        });
    if (extension == "tkg")
        return CheckLevelGeometryFile(engine_, path);
    if (extension == "tkf")
        return CheckFieldFile(engine_, path);
    if (extension == "gmf")
        return CheckReader(path, [&] { Tamrisk::GUIStageMap(&engine_, path); });
    // The lighting files are the only text files of numbers the game reads.
    if (extension == "ini" && Halvard::ToLower(Halvard::GetFileFolder(path)) == "data\\environment\\lighting")
        return CheckLightingFile(engine_, path);
    return {path + ": no check knows the extension \"" + extension + "\""};
}

std::vector<std::string> DataChecker::CheckXml(const std::string& path)
{
    GameTools::XMLNode holder;
    GameTools::XMLParser parser(&engine_);
    const std::vector<std::string> problems = CheckReader(path, [&] { parser.ParseInto(&holder, path); });
    if (!problems.empty())
        return problems;
    if (holder.GetChildCount() != 1)
        return {path + ": " + std::to_string(holder.GetChildCount()) + " root elements"};
    return holder.GetChild("resources") != nullptr ? CheckResourceList(path) : problems;
}

std::vector<std::string> DataChecker::CheckImage(const std::string& path)
{
    Halvard::Image image;
    if (!image.Load(engine_.GetMessageManager(), engine_.GetFileManager(), path))
        return {path + ": the image does not load"};
    if (!IsPowerOfTwo(image.GetWidth()) || !IsPowerOfTwo(image.GetHeight()))
        return {path + ": " + std::to_string(image.GetWidth()) + " x " + std::to_string(image.GetHeight()) +
                " is not a power of two each way"};
    return {};
}

std::vector<std::string> DataChecker::CheckSound(const std::string& path)
{
    std::vector<std::string> problems;
    const std::vector<std::string> failed = CheckReader(path, [&] {
        Halvard::MessageManager* log = engine_.GetMessageManager();
        Halvard::FileManager* files = engine_.GetFileManager();
        std::unique_ptr<Halvard::SoundFileReader> reader;
        if (Halvard::HasFileExtension(path, "wav"))
            reader = std::make_unique<Halvard::SoundFileReaderWAV>(log, files, DataRelative(path));
        else
            reader = std::make_unique<Halvard::SoundFileReaderOGG>(log, files, DataRelative(path));
        problems = CheckSoundQuality(*reader, path);
    });
    return failed.empty() ? problems : failed;
}

// The font reader keeps what it read of a damaged file, so the check reads
// the file itself: the header the font checks, a count the file holds
// exactly, and records that each name a new character and lie inside the
// texture.
std::vector<std::string> DataChecker::CheckFont(const std::string& path)
{
    constexpr u32 kRecordSize = 22;
    std::vector<std::string> problems;
    const std::vector<std::string> failed = CheckReader(path, [&] {
        const std::unique_ptr<Halvard::FileBinary> file =
            engine_.GetFileManager()->OpenFileBinary(path, Halvard::FileAccess::kRead, Halvard::FileLoading::kWhole);
        Halvard::VersionedHeader::Read(*file).Require({"HVFNT", 201, 201}, file->GetSize(), "not a font file",
                                                      "not font version 201");
        const u32 count = file->ReadUInt();
        if (file->GetSize() != Halvard::VersionedHeader::kSize + 4 + static_cast<Halvard::u64>(count) * kRecordSize)
            return problems.push_back(path + ": " + std::to_string(count) + " glyphs do not fill the file");
        std::set<Halvard::u16> characters;
        for (u32 index = 0; index < count; ++index) {
            Halvard::u16 character = 0;
            file->Read(&character, 2);
            float values[5];
            for (float& value : values)
                value = file->ReadFloat();
            const bool inside = std::all_of(values, values + 4, [](float v) { return v >= 0.0f && v <= 1.0f; }) &&
                                values[0] + values[2] <= 1.0f && values[1] + values[3] <= 1.0f;
            if (!characters.insert(character).second || !inside || !(values[4] > 0.0f && std::isfinite(values[4])))
                problems.push_back(path + ": glyph " + std::to_string(index) + " is repeated or out of place");
        }
    });
    return failed.empty() ? problems : failed;
}

std::vector<std::string> DataChecker::CheckPack(const std::string& path)
{
    const std::string full = engine_.GetFileManager()->GetBaseFolder() + "\\" + path;
    return CheckReader(path, [&] { Halvard::PackFile(engine_.GetMessageManager(), full, 0, 0); });
}

std::vector<std::string> DataChecker::CheckResourceList(const std::string& path)
{
    GameTools::XMLNode holder;
    GameTools::XMLParser parser(&engine_);
    const std::vector<std::string> problems = CheckReader(path, [&] { parser.ParseInto(&holder, path); });
    if (!problems.empty())
        return problems;
    ResourceListWalk walk(GameTools::DataKeeper::GetListFolder(path));
    walk.Walk(holder);
    std::vector<std::string> missing;
    for (const std::string& file : walk.Files()) {
        if (!engine_.GetFileManager()->FileExists(file))
            missing.push_back(path + ": names " + file + ", which does not exist");
    }
    return missing;
}

std::vector<std::string> DataChecker::CheckShaderFiles(const std::vector<std::string>& paths)
{
    std::vector<std::string> missing;
    for (const std::string& path : paths) {
        if (!Halvard::HasFileExtension(path, "mlf") && !Halvard::HasFileExtension(path, "psf"))
            continue;
        std::string shader = path;
        Halvard::SetFileExtension(shader, "srf");
        if (!engine_.GetFileManager()->FileExists(shader))
            missing.push_back(path + ": its shader file " + shader + " does not exist");
    }
    return missing;
}

std::vector<std::string> DataChecker::CheckSoundNames(const std::vector<std::string>& paths)
{
    std::vector<std::string> shadowed;
    for (const std::string& path : paths) {
        std::string wav = path;
        Halvard::SetFileExtension(wav, "wav");
        if (Halvard::HasFileExtension(path, "ogg") && engine_.GetFileManager()->FileExists(wav))
            shadowed.push_back(path + ": " + wav + " would be played instead");
    }
    return shadowed;
}

std::vector<std::string> ListDataFiles(const fs::path& programFolder)
{
    std::set<std::string> paths;
    const fs::path data = programFolder / "data";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(data)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = "data\\" + Internal(entry.path().lexically_relative(data));
        paths.insert(path);
        if (Halvard::HasFileExtension(path, "pak")) {
            QuietLog log;
            try {
                const Halvard::PackFile pack(&log, Internal(entry.path()), 0, 0);
                paths.insert(pack.GetFileNames().begin(), pack.GetFileNames().end());
            } catch (const Halvard::Error&) {
                // CheckFile reports the pack itself.
            }
        }
    }
    return {paths.begin(), paths.end()};
}

} // namespace Testing
