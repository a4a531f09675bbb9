#pragma once

#include "engine/app/EngineSettings.h"
#include "engine/core/FileManager.h"
#include "engine/core/MessageManager.h"
#include "engine/sound/SoundManager.h"
#include "engine/sound/SoundSystem_DS7.h"
#include "tests/support/FakeAudioDriver.h"
#include "tests/support/QuietLog.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace Testing {

// A log kept in memory, a file manager on a temporary folder whose data
// folder holds the sound files a test writes, and the fake sound device.
class SoundTestBed : public ::testing::Test {
protected:
    SoundTestBed();

    // The sound system on the fake device, and the sound manager.
    void StartSound(bool sound3D = false);

    // Writes the bytes as data\<name>.
    void WriteSound(const std::string& name, const std::string& bytes) const;
    // The log's lines in order, errors as "Error: <text>!".
    std::vector<std::string> LogLines() const;
    bool Logged(const std::string& line) const;
    int CountErrors() const;

    TempFolder folder;
    QuietLog messages;
    Halvard::FileManager files;
    FakeAudioDriver driver;
    ScopedAudioDriver scopedDriver;
    std::unique_ptr<Halvard::SoundSystem_DS7> system;
    std::unique_ptr<Halvard::SoundManager> manager;
};

} // namespace Testing
