#include "game_tools/XMLNode.h"

#include <gtest/gtest.h>

namespace {

using GameTools::XMLNode;

TEST(XMLNode, ChildrenKeepDocumentOrderAndNameLookupsFindTheFirst)
{
    XMLNode root;
    XMLNode* first = new XMLNode("item", "1", &root);
    new XMLNode("other", &root);
    XMLNode* second = new XMLNode("item", "2", &root);
    EXPECT_EQ(root.GetChild("item"), first);
    EXPECT_EQ(root.GetChild("missing"), nullptr);
    std::vector<XMLNode*> items = {second};
    root.GetChildrenByName("item", items);
    EXPECT_EQ(items, (std::vector<XMLNode*>{first, second}));
    root.GetChildrenByName("missing", items);
    EXPECT_TRUE(items.empty());
    std::vector<XMLNode*> all;
    root.GetChildren(all);
    EXPECT_EQ(all.size(), 3u);
    EXPECT_EQ(first->GetParent(), &root);
}

TEST(XMLNode, AddChildMovesANodeFromItsOldParent)
{
    XMLNode a;
    XMLNode b;
    XMLNode* moved = a.CreateChild();
    EXPECT_EQ(b.AddChild(moved), moved);
    EXPECT_EQ(a.GetChildCount(), 0u);
    EXPECT_EQ(a.GetChild(""), nullptr);
    EXPECT_EQ(b.GetChild(""), moved);
    EXPECT_EQ(moved->GetParent(), &b);
}

TEST(XMLNode, ANodeCannotBecomeItsOwnDescendant)
{
    XMLNode root;
    XMLNode* child = root.CreateChild();
    XMLNode* grandchild = child->CreateChild();
    EXPECT_EQ(grandchild->AddChild(child), nullptr);
    EXPECT_EQ(child->AddChild(child), nullptr);
    EXPECT_EQ(child->GetParent(), &root);
    EXPECT_EQ(grandchild->GetParent(), child);
}

TEST(XMLNode, DeletingAChildUnlinksItFromItsParent)
{
    XMLNode root;
    XMLNode* doomed = new XMLNode("x", &root);
    new XMLNode("x", doomed);
    XMLNode* kept = new XMLNode("x", &root);
    delete doomed;
    EXPECT_EQ(root.GetChildCount(), 1u);
    EXPECT_EQ(root.GetChild("x"), kept);
}

TEST(XMLNode, AttributesAreSetOnceAndKeepTheirOrder)
{
    XMLNode node("n", nullptr);
    node.SetAttribute("b", "1");
    node.SetAttributeWide("a", L"2");
    node.SetAttribute("b", "3");
    ASSERT_EQ(node.GetAttributeCount(), 2u);
    EXPECT_EQ(node.GetAttributeAt(0).name, "b");
    EXPECT_EQ(node.GetAttribute("b")->GetString(), "3");
    EXPECT_EQ(node.GetAttribute("a")->GetType(), GameTools::XMLValue::kWide);
    EXPECT_TRUE(node.HasAttribute("a"));
    EXPECT_EQ(node.GetAttribute("c"), nullptr);
    EXPECT_EQ(node.FindAttribute("c"), nullptr);
}

} // namespace
