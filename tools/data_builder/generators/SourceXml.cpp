#include "tools/data_builder/generators/SourceXml.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace Tools {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == '.' || c == ':';
}

class Parser {
public:
    Parser(const std::vector<std::uint8_t>& bytes, const std::string& path)
        : text_(bytes.begin(), bytes.end()), path_(path)
    {
        if (text_.rfind("\xEF\xBB\xBF", 0) == 0)
            at_ = 3;
    }

    XmlElement Document()
    {
        SkipMisc();
        if (at_ >= text_.size())
            Fail("no root element");
        XmlElement root = Element();
        SkipMisc();
        if (at_ < text_.size())
            Fail("more than one root element");
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& why)
    {
        throw std::runtime_error(path_ + ", line " + std::to_string(Line()) + ": " + why);
    }

    // The line the reader stands on, counted from 1; the reader only moves on.
    std::size_t Line()
    {
        for (; counted_ < at_ && counted_ < text_.size(); ++counted_)
            line_ += text_[counted_] == '\n' ? 1 : 0;
        return line_;
    }

    bool Next(const char* word) const { return text_.compare(at_, std::char_traits<char>::length(word), word) == 0; }

    void SkipTo(const char* end, const char* what)
    {
        const std::size_t found = text_.find(end, at_);
        if (found == std::string::npos)
            Fail(std::string(what) + " is not closed");
        at_ = found + std::char_traits<char>::length(end);
    }

    // The game's reader takes a comment for a tag: it pairs the quotes in it
    // and ends it at the first '>' outside them. A comment must end there
    // for both readers.
    void Comment()
    {
        const std::size_t end = text_.find("-->", at_);
        if (end == std::string::npos)
            Fail("a comment is not closed");
        char quote = '\0';
        for (; at_ < end + 2; ++at_) {
            const char c = text_[at_];
            if (quote == '\0' && (c == '"' || c == '\''))
                quote = c;
            else if (c == quote)
                quote = '\0';
            else if (c == '>' && quote == '\0')
                Fail("a comment holds a '>' outside quotes");
        }
        if (quote != '\0')
            Fail("a comment holds an unpaired quote");
        at_ = end + 3;
    }

    // Blanks, comments and the declaration; text between elements too.
    void SkipMisc()
    {
        while (at_ < text_.size()) {
            if (Next("<!--"))
                Comment();
            else if (Next("<?"))
                SkipTo("?>", "the declaration");
            else if (text_[at_] == '<')
                return;
            else if (text_[at_] == '&')
                Fail("an entity: write the character itself");
            else
                ++at_;
        }
    }

    std::string Name()
    {
        const std::size_t start = at_;
        while (at_ < text_.size() && IsNameCharacter(text_[at_]))
            ++at_;
        if (at_ == start)
            Fail("a name is missing");
        return text_.substr(start, at_ - start);
    }

    void SkipBlanks()
    {
        while (at_ < text_.size() && IsBlank(text_[at_]))
            ++at_;
    }

    void Attribute(XmlElement& element)
    {
        std::string name = Name();
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != '=')
            Fail("attribute " + name + " has no value");
        ++at_;
        SkipBlanks();
        const char quote = at_ < text_.size() ? text_[at_] : '\0';
        if (quote != '"' && quote != '\'')
            Fail("the value of " + name + " is not quoted");
        const std::size_t end = text_.find(quote, ++at_);
        if (end == std::string::npos)
            Fail("the value of " + name + " is not closed");
        std::string value = text_.substr(at_, end - at_);
        if (value.find('&') != std::string::npos)
            Fail("an entity in " + name + ": write the character itself");
        if (element.Find(name) != nullptr)
            Fail("attribute " + name + " given twice");
        element.attributes.emplace_back(std::move(name), std::move(value));
        at_ = end + 1;
    }

    XmlElement Element()
    {
        XmlElement element;
        element.line = Line();
        ++at_;
        element.name = Name();
        for (;;) {
            SkipBlanks();
            if (at_ >= text_.size())
                Fail("element " + element.name + " is not closed");
            if (Next("/>")) {
                at_ += 2;
                return element;
            }
            if (text_[at_] == '>')
                break;
            Attribute(element);
        }
        ++at_;
        for (;;) {
            SkipMisc();
            if (at_ >= text_.size())
                Fail("element " + element.name + " is not closed");
            if (Next("</"))
                break;
            element.children.push_back(Element());
        }
        at_ += 2;
        if (Name() != element.name)
            Fail("element " + element.name + " is closed by another name");
        SkipBlanks();
        if (at_ >= text_.size() || text_[at_] != '>')
            Fail("element " + element.name + " is not closed");
        ++at_;
        return element;
    }

    std::string text_;
    std::string path_;
    std::size_t at_ = 0;
    std::size_t counted_ = 0;
    std::size_t line_ = 1;
};

[[noreturn]] void NotANumber(const std::string& text, const std::string& what, const std::string& place)
{
    throw std::runtime_error(place + ": " + what + " \"" + text + "\" is not a number");
}

// The game refuses a file that holds an infinity or a value that is not a
// number, so the build refuses the source that would write one.
float ParseFloat(const std::string& text, const std::string& what, const std::string& place)
{
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size() || errno != 0)
        NotANumber(text, what, place);
    if (!std::isfinite(value))
        throw std::runtime_error(place + ": " + what + " \"" + text + "\" is not a finite number");
    return value;
}

} // namespace

const std::string* XmlElement::Find(const std::string& attribute) const
{
    for (const auto& [name, value] : attributes) {
        if (name == attribute)
            return &value;
    }
    return nullptr;
}

XmlElement ParseSourceXml(const std::vector<std::uint8_t>& bytes, const std::string& path)
{
    return Parser(bytes, path).Document();
}

std::string Place(const XmlElement& element, const std::string& path)
{
    return path + ", line " + std::to_string(element.line);
}

float ReadFloatAttribute(const XmlElement& element, const std::string& attribute, float fallback,
                         const std::string& path)
{
    const std::string* text = element.Find(attribute);
    return text == nullptr ? fallback : ParseFloat(*text, element.name + " " + attribute, Place(element, path));
}

int ReadIntAttribute(const XmlElement& element, const std::string& attribute, int fallback, const std::string& path)
{
    const std::string* text = element.Find(attribute);
    if (text == nullptr)
        return fallback;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text->c_str(), &end, 10);
    if (text->empty() || end != text->c_str() + text->size() || errno != 0 || value < -1000000 || value > 1000000)
        NotANumber(*text, element.name + " " + attribute, Place(element, path));
    return static_cast<int>(value);
}

std::vector<float> ReadFloatList(const std::string& text, const std::string& what, const std::string& place)
{
    std::istringstream words(text);
    std::vector<float> values;
    for (std::string word; words >> word;)
        values.push_back(ParseFloat(word, what, place));
    return values;
}

} // namespace Tools
