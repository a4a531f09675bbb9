#include "engine/core/Config.h"

#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/Math.h"
#include "engine/core/MessageManager.h"
#include "engine/core/SaveKeeper.h"
#include "engine/core/StringUtils.h"

#include <cctype>
#include <cmath>
#include <memory>

namespace Halvard {

namespace {

bool IsNameEnd(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0 || c == '\\'; }

// Runs of blanks shrink to one, so "v_mode  640x480x16" still names v_mode.
std::string CollapseBlanks(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return out;
}

} // namespace

Config::Config(MessageManager* messages, FileManager* files, const ConfigSettings& settings)
    : messages_(messages), files_(files), forceVideoMode_(settings.forceVideoMode),
      forceWindowMode_(settings.forceFullScreen)
{
    const std::string fileName = (settings.name.empty() ? std::string("Halvard") : settings.name) + ".ini";
    iniPath_ = settings.folder.empty() ? fileName : settings.folder + "\\" + fileName;
    if (settings.videoMode.empty())
        forceVideoMode_ = 0;
    RegisterOwnVariables(settings.videoMode.empty() ? "800x600x32" : settings.videoMode, settings.fullScreen);
}

Config::~Config()
{
    for (auto& entry : variables_)
        delete entry.second;
    variables_.clear();
    pendingLines_.clear();
}

void Config::RegisterOwnVariables(const std::string& videoModeText, bool fullScreenDefault)
{
    AddVariable("reset_config", kCommand, {}, nullptr, "");
    AddVariable("v_mode", kString, {.saved = true}, &videoMode, videoModeText);
    AddVariable("v_fullscreen", kBoolean, {.saved = true}, &fullScreen, fullScreenDefault ? "1" : "0");
    AddVariable("v_vsync", kBoolean, {.saved = true}, &verticalSync, "1");
    AddVariable("v_brightness", kFloat, {.saved = true}, &brightness, "1.0");
    AddVariable("v_contrast", kFloat, {.saved = true}, &contrast, "1.0");
    AddVariable("v_gamma", kFloat, {.saved = true}, &gamma, "1.0");
    AddVariable("v_window_change_mode", kCommand, {}, nullptr, "");
    AddVariable("r_use_mip_mapping", kBoolean, {.saved = true}, &useMipMapping, "1");
    AddVariable("r_show_octree_nodes", kBoolean, {.saved = true}, &showOctreeNodes, "0");
    AddVariable("r_show_faces_edges", kBoolean, {.saved = true}, &showFacesEdges, "0");
    AddVariable("r_show_faces_normals", kBoolean, {.saved = true}, &showFacesNormals, "0");
    AddVariable("r_show_mip_maps", kBoolean, {.saved = true}, &showMipMaps, "0");
    AddVariable("r_texture_anisotropy", kInteger, {.saved = true}, &textureAnisotropy, "1");
    AddVariable("c_invert_mouse", kBoolean, {.saved = true}, &invertMouse, "0");
    AddVariable("sc_take_screenshot", kCommand, {}, nullptr, "");
    AddVariable("sc_take_screenshot_tga", kCommand, {}, nullptr, "");
    AddVariable("sc_take_screenshot_jpg", kCommand, {}, nullptr, "");
    AddVariable("sc_take_screenshot_format", kInteger, {.saved = true}, &screenshotFormat, "0");
    AddVariable("sc_start_movie_record", kCommand, {}, nullptr, "");
    AddVariable("sc_stop_movie_record", kCommand, {}, nullptr, "");
    AddVariable("exit", kCommand, {}, nullptr, "");
}

ConfigVariable* Config::Find(const std::string& lowerName) const
{
    const auto found = variables_.find(lowerName);
    return found == variables_.end() ? nullptr : found->second;
}

ConfigVariable* Config::FindBound(const std::string& lowerName) const
{
    ConfigVariable* variable = Find(lowerName);
    return variable != nullptr && !variable->unbound ? variable : nullptr;
}

void Config::AddVariable(const std::string& name, u32 type, VariableFlags flags, void* field,
                         const std::string& defaultText)
{
    const std::string key = ToLower(name);
    if (ConfigVariable* existing = Find(key)) {
        if (existing->unbound) {
            existing->field = field;
            existing->unbound = 0;
            existing->changed = existing->tracked;
            SetValue(key, existing->keptText);
        }
        return;
    }
    auto* variable = new ConfigVariable();
    variable->type = type;
    variable->readOnly = flags.readOnly;
    variable->saved = flags.saved;
    variable->field = field;
    variable->defaultText = defaultText;
    variable->handled = type == kCommand;
    variable->tracked = flags.tracked;
    variable->changed = flags.tracked;
    variables_[key] = variable;
    ResetVariable(key);

    const auto pending = pendingLines_.find(key);
    if (pending != pendingLines_.end()) {
        const std::string line = pending->second;
        pendingLines_.erase(pending);
        ExecuteLine(line);
    }
}

void Config::RemoveVariable(const std::string& name)
{
    const std::string key = ToLower(name);
    ConfigVariable* variable = FindBound(key);
    if (variable == nullptr)
        return;
    variable->keptText = GetValue(key);
    variable->unbound = 1;
}

void Config::Parse(ConfigVariable& variable, const std::string& text)
{
    switch (variable.type) {
    case kInteger:
        *static_cast<i32*>(variable.field) = StringToInt(text, 10);
        break;
    case kFloat:
        *static_cast<float*>(variable.field) = StringToFloat(text);
        break;
    case kBoolean:
        *static_cast<u8*>(variable.field) = StringToBool(text) ? 1 : 0;
        break;
    case kString:
        *static_cast<std::string*>(variable.field) = text;
        break;
    default:
        break;
    }
}

std::string Config::Format(const ConfigVariable& variable)
{
    switch (variable.type) {
    case kInteger:
        return IntToString(*static_cast<const i32*>(variable.field), 0);
    case kFloat:
        return FloatToString(*static_cast<const float*>(variable.field), 6);
    case kBoolean:
        return BoolToString(*static_cast<const u8*>(variable.field) != 0);
    case kString:
        return *static_cast<const std::string*>(variable.field);
    default:
        return std::string();
    }
}

void Config::SetValue(const std::string& name, const std::string& text)
{
    ConfigVariable* variable = FindBound(ToLower(name));
    if (variable != nullptr && variable->type != kCommand)
        Parse(*variable, text);
}

std::string Config::GetValue(const std::string& name) const
{
    const ConfigVariable* variable = Find(ToLower(name));
    if (variable == nullptr || variable->type == kCommand)
        return std::string();
    return variable->unbound ? variable->keptText : Format(*variable);
}

std::string Config::GetDefaultValue(const std::string& name) const
{
    const ConfigVariable* variable = Find(ToLower(name));
    return variable == nullptr ? std::string() : variable->defaultText;
}

void Config::ResetVariable(const std::string& name)
{
    const std::string key = ToLower(name);
    ConfigVariable* variable = FindBound(key);
    if (variable == nullptr)
        return;
    SetValue(key, variable->defaultText);
    variable->handled = variable->type == kCommand;
}

void Config::ResetAll()
{
    for (const auto& [name, variable] : variables_) {
        if (!variable->readOnly)
            ResetVariable(name);
    }
}

i32 Config::ExecuteLine(const std::string& line, std::string* outName)
{
    if (outName != nullptr)
        outName->clear();
    std::string text = line;
    Trim(text);
    TrimLeftChar(text, '\\');
    text = CollapseBlanks(text);
    if (text.empty())
        return kEmptyLine;

    size_t begin = 0;
    while (begin < text.size() && IsNameEnd(text[begin]))
        ++begin;
    size_t end = begin;
    while (end < text.size() && !IsNameEnd(text[end]))
        ++end;
    const std::string name = ToLower(text.substr(begin, end - begin));
    if (outName != nullptr)
        *outName = name;

    ConfigVariable* variable = FindBound(name);
    if (variable == nullptr)
        return kUnknownName;
    if (variable->type == kCommand) {
        SetCommandHandled(name, false);
        return kDone;
    }
    std::string value = text.substr(end);
    const size_t remark = value.find("\\\\");
    if (remark != std::string::npos)
        value.erase(remark);
    Trim(value);
    if (value.empty())
        return kMissingValue;
    if (variable->readOnly)
        return kReadOnly;
    Parse(*variable, value);
    return kDone;
}

bool Config::IsChanged(const std::string& name) const
{
    const ConfigVariable* variable = Find(ToLower(name));
    return variable != nullptr && variable->changed;
}

bool Config::IsCommandHandled(const std::string& name) const
{
    const ConfigVariable* variable = FindBound(ToLower(name));
    return variable != nullptr && variable->handled;
}

void Config::SetCommandHandled(const std::string& name, bool handled)
{
    if (ConfigVariable* variable = FindBound(name))
        variable->handled = handled;
}

void Config::Load()
{
    ResetAll();
    pendingLines_.clear();
    for (const std::string& line : ReadIniLines()) {
        std::string name;
        if (ExecuteLine(line, &name) == kUnknownName)
            pendingLines_.insert({name, line});
    }
    if (forceVideoMode_)
        ResetVariable("v_mode");
    if (forceWindowMode_)
        ResetVariable("v_fullscreen");
}

void Config::Save()
{
    if (files_ == nullptr)
        return;
    if (iniKept_) {
        messages_->LogError("Failed to save \"" + iniPath_ +
                            "\" file: the file there could not be read and is kept as it is");
        return;
    }
    if (keeper_ != nullptr)
        keeper_->MakeSave(iniPath_, [this] { return WriteIni(); });
    else if (const std::optional<FileError> error = WriteIni())
        messages_->LogError(error->GetTextWithReason());
}

std::optional<FileError> Config::WriteIni()
{
    try {
        std::unique_ptr<FileTextual> ini =
            files_->OpenFileTextual(iniPath_, FileAccess::kWrite, FileTextual::kCodePage);
        for (const auto& [name, variable] : variables_) {
            if (!variable->saved || variable->readOnly || variable->type == kCommand)
                continue;
            ini->WriteString(name + " " + GetValue(name));
            ini->WriteNewLine();
        }
        ini->Close();
        return std::nullopt;
    } catch (const FileError& error) {
        saveFault_ = error.GetFault();
        return error;
    } catch (const Error& error) {
        saveFault_ = FileFault::kOther;
        return FileError(error.GetText());
    }
}

// A missing ini file is normal: every variable keeps its default. Lines read
// before a read error still count.
std::vector<std::string> Config::ReadIniLines()
{
    std::vector<std::string> lines;
    if (files_ == nullptr)
        return lines;
    try {
        std::unique_ptr<FileTextual> ini = files_->OpenFileTextual(iniPath_, FileAccess::kRead);
        std::string line;
        while (ini->ReadLine(line, true, false))
            lines.push_back(line);
    } catch (const FileError&) {
        if (files_->FileExists(iniPath_)) {
            iniKept_ = true;
            messages_->LogError("File \"" + iniPath_ +
                                "\" exists but cannot be opened; it is left as it is and not written over");
        }
    }
    return lines;
}

void Config::Update()
{
    if (!IsCommandHandled("reset_config")) {
        SetCommandHandled("reset_config", true);
        ResetAll();
    }
    for (auto& entry : variables_) {
        ConfigVariable& variable = *entry.second;
        if (!variable.unbound && variable.tracked && variable.type != kCommand && DetectChange(variable))
            variable.changed = 1;
    }
}

bool Config::DetectChange(ConfigVariable& variable)
{
    switch (variable.type) {
    case kInteger: {
        const i32 value = *static_cast<const i32*>(variable.field);
        if (value == variable.lastInt)
            return false;
        variable.lastInt = value;
        return true;
    }
    case kFloat: {
        const float value = *static_cast<const float*>(variable.field);
        if (std::fabs(value - variable.lastFloat) <= kEpsilon)
            return false;
        variable.lastFloat = value;
        return true;
    }
    case kBoolean: {
        const u8 value = *static_cast<const u8*>(variable.field);
        if (value == variable.lastBool)
            return false;
        variable.lastBool = value;
        return true;
    }
    case kString: {
        const std::string& value = *static_cast<const std::string*>(variable.field);
        if (value == variable.lastString)
            return false;
        variable.lastString = value;
        return true;
    }
    default:
        return false;
    }
}

void Config::ClearChangedFlags()
{
    for (auto& entry : variables_)
        entry.second->changed = 0;
}

void Config::GetVariableNames(std::vector<std::string>& names) const
{
    names.clear();
    for (const auto& [name, variable] : variables_) {
        if (!variable->unbound)
            names.push_back(name);
    }
}

void ParseVideoMode(const std::string& text, u32* width, u32* height, u32* bitsPerPixel)
{
    u32 w = 640;
    u32 h = 480;
    u32 bits = 16;
    const size_t first = text.find_first_of("xX");
    const size_t second = first == std::string::npos ? std::string::npos : text.find_first_of("xX", first + 1);
    if (second != std::string::npos) {
        w = StringToUInt(text.substr(0, first), 10);
        h = StringToUInt(text.substr(first + 1, second - first - 1), 10);
        bits = StringToUInt(text.substr(second + 1), 10);
    }
    if (width != nullptr)
        *width = w;
    if (height != nullptr)
        *height = h;
    if (bitsPerPixel != nullptr)
        *bitsPerPixel = bits;
}

} // namespace Halvard
