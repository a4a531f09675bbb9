#pragma once

#include "engine/core/Types.h"

#include <map>
#include <string>

namespace Halvard {

class FileManager;
class MessageManager;

// Texts by key with variables filled in. The engine fills neither table; a
// text's owner sets what it needs, and every other key answers "UNKNOWN".
// Keeps plain pointers to the log and the file manager, which must outlive
// it. Main thread only.
class GUITextManager {
public:
    static constexpr u32 kNoNumber = 0xFFFFFFFF;

    GUITextManager(MessageManager* messages, FileManager* files);
    GUITextManager(const GUITextManager&) = delete;
    GUITextManager& operator=(const GUITextManager&) = delete;
    virtual ~GUITextManager() = default;

    // A number other than kNoNumber is appended to the key in decimal. A text
    // holding "%" has every variable's name replaced by its value, name by
    // name in the order of the names.
    std::wstring GetText(const std::string& key, u32 number) const;

    // Replaces what the key or name held before.
    void SetText(const std::string& key, const std::wstring& text);
    void SetVariable(const std::wstring& name, const std::wstring& value);

private:
    MessageManager* messages_;
    FileManager* files_;
    std::map<std::wstring, std::wstring> variables_;
    std::map<std::string, std::wstring> texts_;
};

} // namespace Halvard
