#include "game_tools/XMLParser.h"

#include "engine/app/Engine.h"
#include "engine/core/Error.h"
#include "engine/core/FileManager.h"
#include "engine/core/FileTextual.h"
#include "engine/core/StringUtils.h"
#include "engine/core/Types.h"
#include "game_tools/XMLNode.h"

#include <memory>
#include <vector>

namespace GameTools {

using Halvard::u32;

namespace {

// Far deeper than any description nests (the deepest ship at five levels),
// shallow enough that every reader of a tree may walk it by recursion.
constexpr u32 kMostDepth = 64;

// Thrown inside the parser with the code of the fault; never leaves it. A
// code below 0 is a nesting deeper than the bound.
struct FormatFault {
    int code;
};

constexpr int kTooDeep = -1;

std::string FaultText(int code)
{
    if (code == kTooDeep)
        return "elements nested deeper than " + Halvard::UIntToString(kMostDepth);
    return "code " + Halvard::IntToString(code);
}

// Letters, digits and punctuation; control characters and spaces of any
// kind are blanks.
bool IsGraphic(wchar_t c)
{
    if (c <= 0x20 || (c >= 0x7F && c <= 0xA0))
        return false;
    return c != 0x1680 && !(c >= 0x2000 && c <= 0x200B) && c != 0x2028 && c != 0x2029 && c != 0x202F &&
           c != 0x205F && c != 0x3000 && c != 0xFEFF;
}

bool IsQuote(wchar_t c) { return c == L'"' || c == L'\''; }

// One run over one text. The holder is the node root pointed to at the
// start; nodes made directly under it are remembered so that a fault can
// take back exactly what this run added.
class TextParser {
public:
    explicit TextParser(XMLNode*& root) : root_(root), holder_(root), current_(root) {}

    void Run(const std::wstring& text)
    {
        for (size_t i = 0; i < text.size(); ++i) {
            const wchar_t c = text[i];
            if (c == L'\n')
                ++line_;
            if (!inTag_)
                OutsideTag(c);
            else if (c == L'?' && tagText_.empty() && !inQuotes_)
                i = SkipDeclaration(text, i);
            else
                InsideTag(c);
        }
        if (inTag_)
            throw FormatFault{14};
        if (root_ == nullptr)
            throw FormatFault{15};
    }

    // Destroys what this run made; the holder and earlier children stay.
    void Discard()
    {
        pending_.reset();
        if (holder_ == nullptr) {
            delete root_;
            root_ = nullptr;
            return;
        }
        for (XMLNode* node : madeUnderHolder_)
            delete node;
        madeUnderHolder_.clear();
    }

    u32 Line() const { return line_; }

private:
    void OutsideTag(wchar_t c)
    {
        if (c != L'<') {
            if (current_ != nullptr) {
                collected_ += c;
                collectedText_ = collectedText_ || IsGraphic(c);
            } else if (IsGraphic(c)) {
                throw FormatFault{13};
            }
            return;
        }
        // Text that is only blanks and line breaks is not an element's value:
        // it stays collected, ahead of the next text.
        if (current_ != nullptr && collectedText_) {
            current_->GetValue().SetWideString(collected_);
            collected_.clear();
            collectedText_ = false;
        }
        if (current_ == nullptr && root_ != nullptr)
            throw FormatFault{12};
        inTag_ = true;
    }

    void InsideTag(wchar_t c)
    {
        if (c == L'/' && tagText_.empty() && !inQuotes_) {
            // The holder is not an element of this text: nothing closes it.
            if (current_ == nullptr || current_ == holder_)
                throw FormatFault{0};
            closing_ = true;
        } else if (IsQuote(c) && !tagText_.empty()) {
            if (!inQuotes_) {
                inQuotes_ = true;
                quote_ = c;
            } else if (c == quote_) {
                inQuotes_ = false;
            }
            tagText_ += c;
        } else if (inQuotes_) {
            tagText_ += c;
        } else if (c == L'>') {
            EndTag();
        } else if (IsGraphic(c) || !tagText_.empty()) {
            tagText_ += c;
        }
    }

    size_t SkipDeclaration(const std::wstring& text, size_t i)
    {
        while (++i < text.size() && text[i] != L'>') {
            if (text[i] == L'\n')
                ++line_;
        }
        LeaveTag();
        return i;
    }

    void EndTag()
    {
        if (tagText_.empty())
            throw FormatFault{1};
        if (closing_)
            CloseElement();
        else
            OpenElement();
        LeaveTag();
    }

    void LeaveTag()
    {
        inTag_ = false;
        closing_ = false;
        inQuotes_ = false;
        tagText_.clear();
    }

    void CloseElement()
    {
        if (Halvard::TrimRightCopy(Halvard::ToString(tagText_)) != current_->GetName())
            throw FormatFault{2};
        current_ = current_->GetParent();
        --depth_;
    }

    void OpenElement()
    {
        const std::wstring& tag = tagText_;
        size_t i = 0;
        std::wstring name;
        bool selfClosing = false;
        bool nameEnded = false;
        for (; i < tag.size(); ++i) {
            if (!IsGraphic(tag[i])) {
                if (!name.empty()) {
                    nameEnded = true;
                    break;
                }
            } else if (tag[i] == L'/') {
                selfClosing = true;
            } else {
                name += tag[i];
            }
        }
        if (nameEnded && name == L"!--")
            return;
        // An element is named in 8 bits; a name with no 8-bit form is no name.
        const std::string narrowName = Halvard::ToString(name);
        if (nameEnded && narrowName.empty())
            throw FormatFault{9};
        XMLNode* node = nameEnded ? MakeNode(narrowName) : nullptr;
        selfClosing = ReadAttributes(node, i) || selfClosing;
        if (narrowName.empty())
            throw FormatFault{9};
        if (node == nullptr)
            node = MakeNode(narrowName);
        if (root_ == nullptr)
            root_ = pending_.release();
        if (!selfClosing) {
            current_ = node;
            ++depth_;
        }
    }

    // Reads the attributes from position i of the tag text; true when a
    // final slash closes the element.
    bool ReadAttributes(XMLNode* node, size_t i)
    {
        const std::wstring& tag = tagText_;
        std::wstring attributeName;
        bool equals = false;
        bool selfClosing = false;
        while (i < tag.size()) {
            const wchar_t c = tag[i];
            if (!IsGraphic(c)) {
                ++i;
            } else if (equals) {
                if (!IsQuote(c))
                    throw FormatFault{8};
                const size_t end = tag.find(c, i + 1);
                if (end == std::wstring::npos)
                    throw FormatFault{11};
                const std::string key = Halvard::ToString(attributeName);
                if (node->HasAttribute(key))
                    throw FormatFault{7};
                node->SetAttributeWide(key, tag.substr(i + 1, end - i - 1));
                attributeName.clear();
                equals = false;
                i = end + 1;
            } else if (c == L'=') {
                if (attributeName.empty())
                    throw FormatFault{4};
                equals = true;
                ++i;
            } else if (c == L'/') {
                if (!attributeName.empty())
                    throw FormatFault{6};
                if (i + 1 != tag.size())
                    throw FormatFault{5};
                selfClosing = true;
                ++i;
            } else {
                attributeName += c;
                ++i;
            }
        }
        if (!attributeName.empty() && !equals)
            throw FormatFault{10};
        if (equals)
            throw FormatFault{11};
        return selfClosing;
    }

    // The tree is refused before it holds an element deeper than the bound,
    // so that nothing that walks it later can run out of stack.
    XMLNode* MakeNode(const std::string& name)
    {
        if (depth_ >= kMostDepth)
            throw FormatFault{kTooDeep};
        if (current_ == nullptr) {
            pending_ = std::make_unique<XMLNode>(name, nullptr);
            return pending_.get();
        }
        XMLNode* node = new XMLNode(name, current_);
        if (current_ == holder_)
            madeUnderHolder_.push_back(node);
        return node;
    }

    XMLNode*& root_;
    XMLNode* const holder_;
    XMLNode* current_;
    std::vector<XMLNode*> madeUnderHolder_;
    // The first element until it becomes the root.
    std::unique_ptr<XMLNode> pending_;
    u32 line_ = 1;
    // The elements of this text open around the current position.
    u32 depth_ = 0;
    bool inTag_ = false;
    bool closing_ = false;
    bool inQuotes_ = false;
    wchar_t quote_ = 0;
    std::wstring tagText_;
    std::wstring collected_;
    // Whether the collected text holds a graphic character: kept as it grows,
    // so that a long run of blanks is not searched again at every tag.
    bool collectedText_ = false;
};

} // namespace

XMLParser::XMLParser(Halvard::Engine* engine) : files_(engine->GetFileManager()) {}

XMLParser::XMLParser(Halvard::FileManager* files) : files_(files) {}

void XMLParser::Parse(XMLNode*& root, const std::string& path)
{
    std::wstring text;
    files_->OpenFileTextual(path, Halvard::FileAccess::kRead)->ReadAll(text, false);
    try {
        ParseText(root, text);
    } catch (const Halvard::FileError& error) {
        // The text knows the line of a fault, only this place the file.
        throw Halvard::FileError(error.GetText() + " in \"" + path + "\"");
    }
}

void XMLParser::ParseInto(XMLNode* root, const std::string& path)
{
    if (root != nullptr) {
        Parse(root, path);
        return;
    }
    XMLNode* checked = nullptr;
    Parse(checked, path);
    delete checked;
}

void XMLParser::ParseText(XMLNode*& root, const std::wstring& text)
{
    TextParser parser(root);
    try {
        parser.Run(text);
    } catch (const FormatFault& fault) {
        parser.Discard();
        throw Halvard::FileError("XML format error at line " + Halvard::UIntToString(parser.Line()) + ": " +
                                 FaultText(fault.code));
    } catch (...) {
        parser.Discard();
        throw;
    }
}

} // namespace GameTools
