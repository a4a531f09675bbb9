#include "engine/gui/GUITextManager.h"

namespace Halvard {

namespace {

void ReplaceAll(std::wstring& text, const std::wstring& name, const std::wstring& value)
{
    if (name.empty())
        return;
    for (size_t at = text.find(name); at != std::wstring::npos; at = text.find(name, at + value.size()))
        text.replace(at, name.size(), value);
}

} // namespace

GUITextManager::GUITextManager(MessageManager* messages, FileManager* files) : messages_(messages), files_(files) {}

std::wstring GUITextManager::GetText(const std::string& key, u32 number) const
{
    const std::string fullKey = number == kNoNumber ? key : key + std::to_string(number);
    const auto found = texts_.find(fullKey);
    if (found == texts_.end())
        return L"UNKNOWN";
    std::wstring text = found->second;
    if (text.find(L'%') != std::wstring::npos) {
        for (const auto& [name, value] : variables_)
            ReplaceAll(text, name, value);
    }
    return text;
}

void GUITextManager::SetText(const std::string& key, const std::wstring& text) { texts_[key] = text; }

void GUITextManager::SetVariable(const std::wstring& name, const std::wstring& value) { variables_[name] = value; }

} // namespace Halvard
