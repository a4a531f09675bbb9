#include "tests/fuzz/EngineBed.h"

#include "engine/core/MessageManager.h"

#include <fstream>

namespace Fuzzing {

namespace fs = std::filesystem;

fs::path GameFolder() { return TAMRISK_GAME_FOLDER; }

EngineBed::EngineBed()
{
    // Thousands of refused inputs would otherwise fill the log file.
    fake_.settings.logEnabled = 0;
    const fs::path shipped = GameFolder() / "data";
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(shipped)) {
        const fs::path mirror = fake_.folder.Path() / "data" / fs::relative(entry.path(), shipped);
        if (entry.is_directory())
            fs::create_directories(mirror);
        else
            Link(entry.path(), mirror);
    }
    fake_.Start();
}

void EngineBed::Link(const fs::path& shipped, const fs::path& mirror) const
{
    fs::create_directories(mirror.parent_path());
    fs::create_symlink(shipped, mirror);
}

void EngineBed::Put(const std::string& path, std::string_view bytes)
{
    const fs::path file = fake_.folder.Native(path);
    fs::create_directories(file.parent_path());
    // Never through the link: that would write into the shipped data.
    fs::remove(file);
    std::ofstream(file, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    put_.push_back(path);
}

void EngineBed::Reset()
{
    const fs::path shipped = GameFolder();
    for (const std::string& path : put_) {
        const fs::path file = fake_.folder.Native(path);
        fs::remove(file);
        const fs::path original = shipped / fs::relative(file, fake_.folder.Path());
        if (fs::exists(original))
            Link(original, file);
    }
    put_.clear();
    fake_->GetMessageManager()->ClearMessages();
}

EngineBed& SharedEngineBed()
{
    static EngineBed bed;
    return bed;
}

} // namespace Fuzzing

#if defined(TAMRISK_LIBFUZZER_SUPPORT)
// libFuzzer calls this once before the first input, so that starting the
// engine and linking the data folder count against no input's time limit.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    Fuzzing::SharedEngineBed();
    return 0;
}
#endif
