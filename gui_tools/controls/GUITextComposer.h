#pragma once

#include <string>

namespace GUITools {

class GUITextTool;

// Turns a text key of a text control into the text it shows. A key is one
// or more pieces joined by "+": a piece between quotes or apostrophes is
// taken literally, any other is looked up in the texts; a piece may carry
// one case modifier in brackets ("[u]" upper, "[l]" lower, "[fu]" first
// letter upper, "[wu]" every word's first letter upper), matched without
// regard to case. Case follows the runtime's wide-character mapping of the
// current locale.
class GUITextComposer {
public:
    static std::wstring Compose(const std::string& key, const GUITextTool& texts);
    // The value with the (lower-case) modifier applied; an unknown modifier
    // changes nothing.
    static std::wstring ApplyModifier(std::wstring value, const std::string& modifier);

private:
    static std::wstring ComposePiece(std::string piece, const GUITextTool& texts);
    static std::string TakeModifier(std::string& piece);
    static void CapitaliseWords(std::wstring& value);
};

} // namespace GUITools
