#pragma once

#include <string>

namespace Halvard {
class Engine;
class FileManager;
}

namespace GameTools {

class XMLNode;

// Reads the small XML of the system's descriptions: elements, attributes in
// single or double quotes, text, comments and declarations (skipped), nothing
// else; no entity is decoded. A format fault throws FileError "XML format
// error at line N: code C", and so does an element nested deeper than 64
// ("... elements nested deeper than 64"), before the tree holds it: every
// reader of a tree may walk it by recursion. A tree costs memory in
// proportion to its text. Any thread, one parse per tree at a time.
class XMLParser {
public:
    // Opens its files through the engine's file manager.
    explicit XMLParser(Halvard::Engine* engine);
    explicit XMLParser(Halvard::FileManager* files);
    XMLParser(const XMLParser&) = delete;
    XMLParser& operator=(const XMLParser&) = delete;
    virtual ~XMLParser() = default;

    // With a null root the file's top element becomes the root, stored into
    // root (the caller owns it). With a root already there, every top-level
    // element of the file becomes its child: several files merge into one
    // tree. On a format fault only what this parse made is destroyed: a root
    // passed in keeps the children of earlier parses, a root made here is
    // destroyed and root is null again. A format fault's text ends with
    // " in " and the path in double quotes; file errors pass unchanged.
    void Parse(XMLNode*& root, const std::string& path);
    // The usual call: parses into a holder node (made without arguments), so
    // that the file's top element becomes its child. A null root parses the
    // file only to check it.
    void ParseInto(XMLNode* root, const std::string& path);
    // Parse, for text already read (lines joined with "\r\n").
    void ParseText(XMLNode*& root, const std::wstring& text);

private:
    Halvard::FileManager* files_;
};

} // namespace GameTools
