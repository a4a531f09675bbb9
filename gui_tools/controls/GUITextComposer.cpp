#include "gui_tools/controls/GUITextComposer.h"

#include "engine/core/StringUtils.h"
#include "gui_tools/GUITextTool.h"

#include <cwctype>

using namespace Halvard;

namespace GUITools {

namespace {

bool IsQuote(char c) { return c == '"' || c == '\''; }

wchar_t Upper(wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); }

} // namespace

std::wstring GUITextComposer::Compose(const std::string& key, const GUITextTool& texts)
{
    std::wstring text;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find('+', start);
        if (end == std::string::npos)
            end = key.size();
        if (end > start)
            text += ComposePiece(key.substr(start, end - start), texts);
        start = end + 1;
    }
    return text;
}

std::wstring GUITextComposer::ComposePiece(std::string piece, const GUITextTool& texts)
{
    const std::string modifier = TakeModifier(piece);
    // A lone quote has nothing between its ends: it is looked up like a key.
    const bool literal = piece.size() >= 2 && IsQuote(piece.front()) && IsQuote(piece.back());
    std::wstring value = literal ? ToWString(piece.substr(1, piece.size() - 2)) : texts.GetText(piece);
    return ApplyModifier(std::move(value), modifier);
}

std::string GUITextComposer::TakeModifier(std::string& piece)
{
    const std::size_t open = piece.rfind('[');
    const std::size_t close = piece.rfind(']');
    if (open == std::string::npos || close == std::string::npos || open > close)
        return {};
    const std::string modifier = piece.substr(open, close - open + 1);
    EraseAll(piece, modifier);
    return ToLower(modifier);
}

std::wstring GUITextComposer::ApplyModifier(std::wstring value, const std::string& modifier)
{
    if (modifier == "[u]") {
        MakeUpperW(value);
    } else if (modifier == "[l]") {
        MakeLowerW(value);
    } else if (modifier == "[fu]") {
        if (!value.empty())
            value[0] = Upper(value[0]);
    } else if (modifier == "[wu]") {
        CapitaliseWords(value);
    }
    return value;
}

// A blank among the last two characters starts no word worth a capital.
void GUITextComposer::CapitaliseWords(std::wstring& value)
{
    MakeLowerW(value);
    if (value.empty())
        return;
    value[0] = Upper(value[0]);
    for (std::size_t i = 0; i + 2 < value.size(); ++i) {
        if (value[i] == L' ')
            value[i + 1] = Upper(value[i + 1]);
    }
}

} // namespace GUITools
