#pragma once

#include "engine/core/ConfigSettings.h"
#include "engine/core/Error.h"
#include "engine/core/FileFault.h"
#include "engine/core/Types.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace Halvard {

class MessageManager;
class FileManager;
class SaveKeeper;

// One registered name: its type, flags, the owner's field it is bound to and
// the state that change detection and commands need.
struct ConfigVariable {
    u32 type = 0;
    u8 readOnly = 0;
    u8 saved = 0;
    void* field = nullptr;
    std::string defaultText;
    u8 handled = 0;
    u8 tracked = 0;
    i32 lastInt = 0;
    float lastFloat = 0.0f;
    u8 lastBool = 0;
    std::string lastString;
    u8 changed = 0;
    u8 unbound = 0;
    std::string keptText;
};

// The registry of named configuration variables and console commands, with
// the ini file. Main thread only.
class Config {
public:
    enum Type : u32 { kInteger = 0, kFloat = 1, kBoolean = 2, kString = 3, kCommand = 4 };
    enum Result : i32 { kDone = 0, kReadOnly = 2, kMissingValue = 3, kUnknownName = 4, kEmptyLine = 5 };

    // The ini file is opened through the file manager (a relative folder lies
    // below its base folder). Without a file manager there is no ini file:
    // Load and Save do nothing.
    Config(MessageManager* messages, FileManager* files, const ConfigSettings& settings);
    Config(const Config&) = delete;
    Config& operator=(const Config&) = delete;
    virtual ~Config();

    // How a variable is registered; none is set unless asked for, as in
    // {.saved = true}.
    struct VariableFlags {
        // Lines that set it are refused.
        bool readOnly = false;
        // The ini file keeps its value.
        bool saved = false;
        // Update notices changes of its field (IsChanged).
        bool tracked = false;
    };

    // The field must outlive the registration (until RemoveVariable): an
    // i32 for integers, a float, a u8 for booleans, a std::string for strings,
    // null for commands.
    void AddVariable(const std::string& name, u32 type, VariableFlags flags, void* field,
                     const std::string& defaultText);
    void RemoveVariable(const std::string& name);
    void SetValue(const std::string& name, const std::string& text);
    std::string GetValue(const std::string& name) const;
    std::string GetDefaultValue(const std::string& name) const;
    void ResetVariable(const std::string& name);
    void ResetAll();
    i32 ExecuteLine(const std::string& line, std::string* outName = nullptr);
    bool IsChanged(const std::string& name) const;
    bool IsCommandHandled(const std::string& name) const;
    void SetCommandHandled(const std::string& name, bool handled);
    // Reads the ini file; a missing or unreadable one leaves the defaults.
    // One that is there but cannot be opened is kept: an error line names
    // it, and this object never writes over it (IsIniKept), so that the
    // options it holds come back once it can be read.
    void Load();
    // Writes every saved variable, replacing the ini file only once the whole
    // text is written; a failure is one error in the log with the system's
    // reason, never an exception, and its fault is kept for whoever tells the
    // user (GetSaveFault). A kept ini file is not written (an error line).
    // With a keeper set, the save goes through it, and the keeper logs.
    void Save();
    // The keeper must outlive every later Save; null for none.
    void SetSaveKeeper(SaveKeeper* keeper) { keeper_ = keeper; }
    void Update();
    void ClearChangedFlags();
    void GetVariableNames(std::vector<std::string>& names) const;

    const std::string& GetIniPath() const { return iniPath_; }
    bool IsIniKept() const { return iniKept_; }
    // Why the last save that failed did; empty while none has.
    std::optional<FileFault> GetSaveFault() const { return saveFault_; }

    // The engine's own variables, read directly by the Parts that use them.
    std::string videoMode;
    u8 fullScreen = 0;
    u8 verticalSync = 0;
    float brightness = 0.0f;
    float contrast = 0.0f;
    float gamma = 0.0f;
    u8 useMipMapping = 0;
    u8 showOctreeNodes = 0;
    u8 showFacesEdges = 0;
    u8 showFacesNormals = 0;
    u8 showMipMaps = 0;
    i32 textureAnisotropy = 0;
    u8 invertMouse = 0;
    i32 screenshotFormat = 0;

private:
    ConfigVariable* Find(const std::string& lowerName) const;
    ConfigVariable* FindBound(const std::string& lowerName) const;
    static void Parse(ConfigVariable& variable, const std::string& text);
    static std::string Format(const ConfigVariable& variable);
    static bool DetectChange(ConfigVariable& variable);
    void RegisterOwnVariables(const std::string& videoModeText, bool fullScreenDefault);
    std::vector<std::string> ReadIniLines();
    std::optional<FileError> WriteIni();

    MessageManager* messages_;
    FileManager* files_;
    std::string iniPath_;
    std::map<std::string, ConfigVariable*> variables_;
    std::map<std::string, std::string> pendingLines_;
    u8 forceVideoMode_;
    u8 forceWindowMode_;
    bool iniKept_ = false;
    std::optional<FileFault> saveFault_;
    SaveKeeper* keeper_ = nullptr;
};

// Splits "1024x768x32"; each result is stored only where its pointer is set.
void ParseVideoMode(const std::string& text, u32* width, u32* height, u32* bitsPerPixel);

} // namespace Halvard
