#include "game_tools/XMLNode.h"

#include <algorithm>

namespace GameTools {

// A new node can close no cycle, so it is adopted without AddChild's walk up
// the ancestors (which would make deep documents quadratic).
XMLNode::XMLNode(const std::string& name, const std::string& value, XMLNode* parent) : name_(name)
{
    value_.SetString(value);
    if (parent != nullptr)
        parent->Adopt(std::unique_ptr<XMLNode>(this));
}

XMLNode::XMLNode(const std::string& name, XMLNode* parent) : name_(name)
{
    if (parent != nullptr)
        parent->Adopt(std::unique_ptr<XMLNode>(this));
}

// The descendants are released from a list rather than by recursion, so that
// however deep a document nests, destroying it cannot exhaust the stack.
XMLNode::~XMLNode()
{
    if (parent_ != nullptr)
        parent_->Unlink(this).release();
    std::vector<std::unique_ptr<XMLNode>> doomed = std::move(children_);
    while (!doomed.empty()) {
        std::unique_ptr<XMLNode> node = std::move(doomed.back());
        doomed.pop_back();
        node->parent_ = nullptr;
        for (std::unique_ptr<XMLNode>& child : node->children_)
            doomed.push_back(std::move(child));
        node->children_.clear();
        node->childIndex_.clear();
    }
}

XMLNode* XMLNode::CreateChild() { return AddChild(new XMLNode()); }

XMLNode* XMLNode::AddChild(XMLNode* node)
{
    if (node == nullptr)
        return nullptr;
    for (const XMLNode* ancestor = this; ancestor != nullptr; ancestor = ancestor->parent_) {
        if (ancestor == node)
            return nullptr;
    }
    std::unique_ptr<XMLNode> owned = node->parent_ != nullptr ? node->parent_->Unlink(node) : std::unique_ptr<XMLNode>(node);
    Adopt(std::move(owned));
    return node;
}

void XMLNode::Adopt(std::unique_ptr<XMLNode> node)
{
    node->parent_ = this;
    childIndex_[node->name_].push_back(node.get());
    children_.push_back(std::move(node));
}

std::unique_ptr<XMLNode> XMLNode::Unlink(XMLNode* child)
{
    auto owned = std::find_if(children_.begin(), children_.end(),
                              [child](const std::unique_ptr<XMLNode>& node) { return node.get() == child; });
    if (owned == children_.end())
        return nullptr;
    std::unique_ptr<XMLNode> node = std::move(*owned);
    children_.erase(owned);
    const auto named = childIndex_.find(child->name_);
    if (named != childIndex_.end()) {
        std::vector<XMLNode*>& list = named->second;
        list.erase(std::find(list.begin(), list.end(), child));
        if (list.empty())
            childIndex_.erase(named);
    }
    node->parent_ = nullptr;
    return node;
}

XMLNode* XMLNode::GetChild(const std::string& name) const
{
    const auto named = childIndex_.find(name);
    return named == childIndex_.end() ? nullptr : named->second.front();
}

void XMLNode::GetChildren(std::vector<XMLNode*>& out) const
{
    out.clear();
    for (const std::unique_ptr<XMLNode>& child : children_)
        out.push_back(child.get());
}

void XMLNode::GetChildrenByName(const std::string& name, std::vector<XMLNode*>& out) const
{
    out.clear();
    const auto named = childIndex_.find(name);
    if (named != childIndex_.end())
        out = named->second;
}

XMLAttribute* XMLNode::FindAttribute(const std::string& name) const
{
    const auto found = attributeIndex_.find(name);
    return found == attributeIndex_.end() ? nullptr : found->second;
}

XMLValue* XMLNode::GetAttribute(const std::string& name) const
{
    XMLAttribute* attribute = FindAttribute(name);
    return attribute == nullptr ? nullptr : &attribute->value;
}

bool XMLNode::HasAttribute(const std::string& name) const { return FindAttribute(name) != nullptr; }

void XMLNode::SetAttribute(const std::string& name, const std::string& text)
{
    if (XMLAttribute* attribute = FindAttribute(name))
        attribute->value.SetString(text);
    else
        AddAttribute(std::make_unique<XMLAttribute>(name, text));
}

void XMLNode::SetAttributeWide(const std::string& name, const std::wstring& text)
{
    if (XMLAttribute* attribute = FindAttribute(name))
        attribute->value.SetWideString(text);
    else
        AddAttribute(std::make_unique<XMLAttribute>(name, text));
}

XMLAttribute* XMLNode::AddAttribute(std::unique_ptr<XMLAttribute> attribute)
{
    XMLAttribute* added = attribute.get();
    attributeIndex_[added->name] = added;
    attributes_.push_back(std::move(attribute));
    return added;
}

} // namespace GameTools
