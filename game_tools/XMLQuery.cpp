#include "game_tools/XMLQuery.h"

#include "engine/core/Error.h"
#include "engine/render/AnimationControl.h"
#include "game_tools/XMLNode.h"

#include <optional>
#include <utility>

namespace GameTools {

namespace {

using Condition = std::pair<std::string, std::string>;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsQuote(char c) { return c == '"' || c == '\''; }

// The name = quoted value pairs of a condition list; nothing when it is
// malformed.
std::optional<std::vector<Condition>> ParseConditions(const std::string& text)
{
    std::vector<Condition> conditions;
    std::string name;
    size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (IsBlank(c)) {
            ++i;
        } else if (c == ',' || c == ';') {
            if (!name.empty())
                return std::nullopt;
            ++i;
        } else if (c != '=') {
            name += c;
            ++i;
        } else {
            if (name.empty())
                return std::nullopt;
            ++i;
            while (i < text.size() && IsBlank(text[i]))
                ++i;
            if (i == text.size() || !IsQuote(text[i]))
                return std::nullopt;
            const size_t end = text.find(text[i], i + 1);
            if (end == std::string::npos)
                return std::nullopt;
            conditions.emplace_back(name, text.substr(i + 1, end - i - 1));
            name.clear();
            i = end + 1;
        }
    }
    if (!name.empty())
        return std::nullopt;
    return conditions;
}

bool Meets(const XMLNode& node, const std::vector<Condition>& conditions)
{
    for (const Condition& condition : conditions) {
        const XMLValue* value = node.GetAttribute(condition.first);
        if (value == nullptr || value->GetString() != condition.second)
            return false;
    }
    return true;
}

} // namespace

void SelectXMLNodes(XMLNode* node, const std::string& path, std::vector<XMLNode*>& out)
{
    if (node == nullptr)
        return;
    if (path.empty()) {
        out.push_back(node);
        return;
    }
    const size_t slash = path.find('/');
    const size_t open = path.find('[');
    const size_t close = path.find(']');
    const bool hasOpen = open != std::string::npos;
    const bool hasClose = close != std::string::npos;
    if (hasOpen && hasClose && slash != std::string::npos && open < slash && slash < close)
        return;
    if ((hasOpen && hasClose && open > close) || (hasClose && !hasOpen))
        return;

    std::vector<Condition> conditions;
    const bool conditioned = hasOpen && (slash == std::string::npos || open < slash);
    if (conditioned) {
        if (!hasClose)
            return;
        std::optional<std::vector<Condition>> parsed = ParseConditions(path.substr(open + 1, close - open - 1));
        if (!parsed)
            return;
        conditions = std::move(*parsed);
    }
    const std::string segment = path.substr(0, conditioned ? open : slash);
    const std::string rest = slash == std::string::npos ? std::string() : path.substr(slash + 1);

    std::vector<XMLNode*> candidates;
    if (!segment.empty())
        node->GetChildrenByName(segment, candidates);
    else if (conditioned)
        node->GetChildren(candidates);
    else {
        SelectXMLNodes(node, rest, out);
        return;
    }
    for (XMLNode* candidate : candidates) {
        if (Meets(*candidate, conditions))
            SelectXMLNodes(candidate, rest, out);
    }
}

XMLNode* SelectXMLNode(XMLNode* node, const std::string& path)
{
    std::vector<XMLNode*> found;
    SelectXMLNodes(node, path, found);
    return found.empty() ? nullptr : found.front();
}

void SelectXMLValues(XMLNode* node, const std::string& path, const std::string& attribute,
                     std::vector<XMLValue*>& out)
{
    std::vector<XMLNode*> found;
    SelectXMLNodes(node, path, found);
    for (XMLNode* match : found) {
        if (XMLValue* value = match->GetAttribute(attribute))
            out.push_back(value);
    }
}

XMLValue* SelectXMLValue(XMLNode* node, const std::string& path, const std::string& attribute)
{
    std::vector<XMLValue*> found;
    SelectXMLValues(node, path, attribute, found);
    return found.empty() ? nullptr : found.front();
}

bool GetXMLBool(const XMLNode* node, const std::string& attribute, bool fallback)
{
    const XMLValue* value = node != nullptr ? node->GetAttribute(attribute) : nullptr;
    return value != nullptr ? value->GetBool() : fallback;
}

Halvard::i32 GetXMLInt(const XMLNode* node, const std::string& attribute, Halvard::i32 fallback)
{
    const XMLValue* value = node != nullptr ? node->GetAttribute(attribute) : nullptr;
    return value != nullptr ? value->GetInt() : fallback;
}

Halvard::i32 GetXMLInt(const XMLNode* node, const std::string& attribute, Halvard::i32 fallback,
                       const std::string& error)
{
    const XMLValue* value = node != nullptr ? node->GetAttribute(attribute) : nullptr;
    if (value == nullptr)
        return fallback;
    const std::optional<Halvard::i32> number = value->FindInt();
    if (!number)
        throw Halvard::FileError(error);
    return *number;
}

std::string GetXMLString(const XMLNode* node, const std::string& attribute, const std::string& fallback)
{
    const XMLValue* value = node != nullptr ? node->GetAttribute(attribute) : nullptr;
    return value != nullptr ? value->GetString() : fallback;
}

std::string XMLAttributeError(const std::string& attribute, const std::string& path)
{
    return "Incorrect \"" + attribute + "\" in \"" + path + "\" file";
}

std::optional<float> GetXMLAnimationSpeed(const XMLNode* node, const std::string& error)
{
    const XMLValue* value = node != nullptr ? node->GetAttribute("animation_speed") : nullptr;
    if (value == nullptr)
        return std::nullopt;
    return Halvard::AnimationControl::CheckSpeed(value->GetFloat(), error);
}

} // namespace GameTools
