// Makes the fuzz targets' seed corpora: the shipped data set's files of each
// reader's kind, and files the project's own writers make (pictures, sounds,
// a pack, a pack appended to a program, the registry's hive files, and the
// save files the game writes).
//
//   fuzz_seed_writer DATA_FOLDER SEED_FOLDER

#include "engine/core/Config.h"
#include "framework/persistence/HighScoresTable.h"
#include "framework/sound/SoundVolumes.h"
#include "game/persistence/Profile.h"
#include "game/persistence/ProfileManager.h"
#include "tests/fuzz/FileBundle.h"
#include "tests/support/SaveFolder.h"
#include "tools/ImageWriter.h"
#include "tools/PackWriter.h"
#include "tools/SoundWriter.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Rule {
    const char* target;
    // Matched against the lower-case path below the data folder, '/' between folders.
    const char* pattern;
};

const Rule kRules[] = {
    {"XMLParser", R"(.*\.xml)"},
    {"DataKeeper", R"(.*resources.*\.xml)"},
    {"GUITextTool", R"(ui/texts/.*\.xml)"},
    {"GUIToolManager", R"(ui/windows/.*\.xml)"},
    {"GUIFontTool", R"(ui/fonts/.*\.xml)"},
    {"GUIFont", R"(.*\.fnt)"},
    {"LevelManager", R"(levels/levels\.xml)"},
    {"GameLogicData", R"(game_objects/blocks/[^/]*\.xml)"},
    {"LevelGeometryReader", R"(.*\.tkg)"},
    {"GameField", R"(.*\.tkf)"},
    {"GUIStageMap", R"(.*\.gmf)"},
    {"Lighting", R"(environment/lighting/.*)"},
    {"Environment", R"(environment/(?!.*resources)[^/]*\.xml)"},
    {"GUIBackground", R"(ui/background/background\.xml)"},
    {"ModelFile", R"(.*\.mlf)"},
    {"ShaderManager", R"(.*\.srf)"},
    {"ParticleSystemManager", R"(.*\.psf)"},
    {"ImageBMP", R"(.*\.bmp)"},
    {"ImageTGA", R"(.*\.tga)"},
    {"ImageJPEG", R"(.*\.jpg)"},
    {"SoundFileReaderWAV", R"(.*\.wav)"},
    {"SoundFileReaderOGG", R"(.*\.ogg)"},
    {"PackFile", R"(.*\.pak)"},
};

// libFuzzer's inputs stay below this; larger files would only be cut.
constexpr std::uintmax_t kMaxSeedBytes = 1 << 20;

void Write(const fs::path& file, const std::string& bytes)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

std::string Flat(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '_');
    return path;
}

void CopyShipped(const fs::path& data, const fs::path& seeds)
{
    std::vector<std::pair<std::string, std::regex>> rules;
    for (const Rule& rule : kRules)
        rules.emplace_back(rule.target, std::regex(rule.pattern, std::regex::ECMAScript));
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        if (!entry.is_regular_file() || entry.file_size() > kMaxSeedBytes)
            continue;
        std::string relative = fs::relative(entry.path(), data).generic_string();
        std::transform(relative.begin(), relative.end(), relative.begin(), ::tolower);
        for (const auto& [target, pattern] : rules)
            if (std::regex_match(relative, pattern))
                fs::copy_file(entry.path(), seeds / target / Flat(relative), fs::copy_options::overwrite_existing);
    }
}

void WriteMedia(const fs::path& seeds)
{
    const std::vector<std::uint8_t> pixels(4 * 4 * 4, 0x80);
    Write(seeds / "ImageBMP" / "writer-24.bmp", Tools::BmpFile(4, 4, 24, pixels));
    Write(seeds / "ImageBMP" / "writer-32.bmp", Tools::BmpFile(4, 4, 32, pixels));
    Tools::TgaHeader header;
    header.width = 4;
    header.height = 4;
    Write(seeds / "ImageTGA" / "writer-24.tga", Tools::TgaFile(header, pixels));
    Write(seeds / "ImageJPEG" / "writer-grey.jpg", Tools::JpegFile(4, 4, 1, pixels));
    Write(seeds / "ImageJPEG" / "writer-colour.jpg", Tools::JpegFile(4, 4, 3, pixels));
    const std::vector<std::int16_t> samples(256, 1000);
    Write(seeds / "SoundFileReaderWAV" / "writer.wav", Tools::MakeWav(1, 22050, 16, Tools::Pcm16(samples)));
    Write(seeds / "SoundFileReaderOGG" / "writer.ogg", Tools::EncodeOgg(1, 22050, samples));
}

class FixedVolumes : public GameFramework::SoundVolumes {
public:
    float GetMusicVolume() const override { return 1.0f; }
    float GetSoundVolume() const override { return 1.0f; }
    void SetMusicVolume(float) override {}
    void SetSoundVolume(float) override {}
};

// The save files as the game writes them for a player who has played.
void WriteSaves(const fs::path& seeds)
{
    Testing::SaveFolder save;
    const GameFramework::FileServices services{save.Log(), save.Files()};
    FixedVolumes volumes;
    std::string profile;
    {
        Tamrisk::ProfileManager manager(services, &volumes, save.User());
        GameFramework::ProfileBase* anna = manager.AddProfile(L"Anna");
        manager.AddProfile(L"Bob");
        manager.SetCurrentProfile(anna, Tamrisk::ProfileManager::ListSaving::kSaveFile);
        manager.SubmitLevelTime({0, 0}, L"Anna", 0, 12.5f);
        manager.SubmitLevelTime({0, 1}, L"Anna", 0, 40.0f);
        anna->AddLevelResult({0, {0, 0}, 12.5f});
        anna->Save();
        profile = save.Read("profiles\\" + anna->GetFileName());
        Write(seeds / "ProfilesFolder" / "writer-two-players",
              Fuzzing::MakeBundleOf({{anna->GetFileName(), profile},
                                     {"bob.prf", save.Read("profiles\\" + manager.GetProfile(L"Bob")->GetFileName())},
                                     {"copy.prf", profile}}));
    }
    Write(seeds / "Profile" / "writer.prf", profile);
    Write(seeds / "VersionedHeader" / "writer.prf", profile);
    Write(seeds / "ProfileManager" / "writer.pmf", save.Read("profiles.pmf"));
    GameFramework::HighScoresTable table(services, 10, save.User());
    table.AddScore(L"Anna", 0, 300);
    table.AddScore(L"Bob", 1, 200);
    table.AddScore(L"Anna", 0, 100);
    Write(seeds / "HighScoresTable" / "writer.hsf", save.Read(GameFramework::HighScoresTable::kFileName));
    Halvard::ConfigSettings settings;
    settings.folder = save.User();
    Halvard::Config config(save.Log(), save.Files(), settings);
    config.Save();
    Write(seeds / "Config" / "writer.ini", save.Read("Halvard.ini"));
}

void WritePack(const fs::path& data, const fs::path& seeds)
{
    fs::create_directories(seeds / "PackFile");
    Tools::WritePackFile(data / "levels", seeds / "PackFile" / "writer-levels.pak");
    Tools::WritePackFile(data / "ui" / "texts", seeds / "PackFile" / "writer-texts.pak");
    const auto appended = [&](const fs::path& folder) {
        const std::vector<std::uint8_t> bytes = Tools::BuildAppendedPack(Tools::CollectEntries(folder));
        return std::string(bytes.begin(), bytes.end());
    };
    Write(seeds / "AppendedPack" / "writer-levels.bin", appended(data / "levels"));
    Write(seeds / "AppendedPack" / "writer-fonts.bin", appended(data / "ui" / "fonts"));
}

// The hives as an installer and a player's choice of language leave them,
// in the forms the reader takes: plain, quoted with escapes, typed data.
void WriteRegistry(const fs::path& seeds)
{
    const std::string machine = "; written by the installer\r\n"
                                "[SOFTWARE\\Quenbyworks\\Tamrisk]\r\n"
                                "\"InstallPath\"=\"/opt/games/tamrisk\"\r\n"
                                "\"Version\"=\"105\"\r\n"
                                "Count=dword:00000064\r\n";
    const std::string user = "[software\\quenbyworks\\tamrisk\\]\n"
                             "Language = ru\n"
                             "@=the default\n"
                             "\"Quoted Name\"=\"C:\\\\Games \\\"Tamrisk\\\"\"\n"
                             "Blob=hex:01,02\n"
                             "[SOFTWARE\\Other]\n"
                             "Language=en\n";
    Write(seeds / "Registry" / "writer-both-hives",
          Fuzzing::MakeBundleOf({{"registry-machine.ini", machine}, {"registry-user.ini", user}}));
    Write(seeds / "Registry" / "writer-user-hive-only",
          Fuzzing::MakeBundleOf({{"registry-machine.ini", ""}, {"registry-user.ini", user}}));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER SEED_FOLDER\n", argv[0]);
        return 2;
    }
    const fs::path data = argv[1];
    const fs::path seeds = argv[2];
    fs::remove_all(seeds);
    for (const Rule& rule : kRules)
        fs::create_directories(seeds / rule.target);
    CopyShipped(data, seeds);
    WriteMedia(seeds);
    WriteSaves(seeds);
    WritePack(data, seeds);
    WriteRegistry(seeds);
    return 0;
}
