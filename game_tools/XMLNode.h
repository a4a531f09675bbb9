#pragma once

#include "game_tools/XMLAttribute.h"
#include "game_tools/XMLValue.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace GameTools {

// An element of an XML description: its name (case-sensitive), its text, its
// attributes and its children in document order. A node owns its attributes
// and children; a node destroyed while it still has a parent is first
// unlinked from that parent. Lookups answer null or an empty list on a miss.
// Nodes are made with new; whoever holds the root deletes it, and with it the
// whole tree. One thread at a time per tree.
class XMLNode {
public:
    XMLNode() = default;
    // With a parent the node is added to it as by AddChild.
    XMLNode(const std::string& name, const std::string& value, XMLNode* parent);
    XMLNode(const std::string& name, XMLNode* parent);
    XMLNode(const XMLNode&) = delete;
    XMLNode& operator=(const XMLNode&) = delete;
    virtual ~XMLNode();

    // A new node with empty name and value, appended to the children.
    XMLNode* CreateChild();
    // Moves the node (made with new) from its old parent, if any, to the end
    // of this node's children and returns it. A node cannot become a child of
    // itself or of its own descendant: that returns null and changes nothing.
    XMLNode* AddChild(XMLNode* node);

    XMLNode* GetChild(const std::string& name) const;
    void GetChildren(std::vector<XMLNode*>& out) const;
    void GetChildrenByName(const std::string& name, std::vector<XMLNode*>& out) const;
    size_t GetChildCount() const { return children_.size(); }

    XMLAttribute* FindAttribute(const std::string& name) const;
    XMLValue* GetAttribute(const std::string& name) const;
    bool HasAttribute(const std::string& name) const;
    void SetAttribute(const std::string& name, const std::string& text);
    void SetAttributeWide(const std::string& name, const std::wstring& text);
    size_t GetAttributeCount() const { return attributes_.size(); }
    // In document order.
    const XMLAttribute& GetAttributeAt(size_t index) const { return *attributes_.at(index); }

    const std::string& GetName() const { return name_; }
    XMLValue& GetValue() { return value_; }
    const XMLValue& GetValue() const { return value_; }
    XMLNode* GetParent() const { return parent_; }

private:
    void Adopt(std::unique_ptr<XMLNode> node);
    // Takes a child out of the list and the index without destroying it.
    std::unique_ptr<XMLNode> Unlink(XMLNode* child);
    XMLAttribute* AddAttribute(std::unique_ptr<XMLAttribute> attribute);

    std::string name_;
    XMLValue value_;
    std::vector<std::unique_ptr<XMLAttribute>> attributes_;
    std::unordered_map<std::string, XMLAttribute*> attributeIndex_;
    std::vector<std::unique_ptr<XMLNode>> children_;
    // Equal names in the order they were added.
    std::unordered_map<std::string, std::vector<XMLNode*>> childIndex_;
    XMLNode* parent_ = nullptr;
};

} // namespace GameTools
