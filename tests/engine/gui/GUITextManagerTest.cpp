#include "engine/gui/GUITextManager.h"

#include <gtest/gtest.h>

using namespace Halvard;

TEST(GUITextManagerTest, TheNumberIsAppendedToTheKeyUnlessItIsMinusOne)
{
    GUITextManager texts(nullptr, nullptr);
    texts.SetText("title", L"plain");
    texts.SetText("title3", L"third");
    EXPECT_EQ(texts.GetText("title", 3), L"third");
    EXPECT_EQ(texts.GetText("title", GUITextManager::kNoNumber), L"plain");
    EXPECT_EQ(texts.GetText("title", 4), L"UNKNOWN");
    EXPECT_EQ(texts.GetText("missing", GUITextManager::kNoNumber), L"UNKNOWN");
}

TEST(GUITextManagerTest, VariablesAreFilledInEveryWhereOnlyInTextsWithAPercentSign)
{
    GUITextManager texts(nullptr, nullptr);
    texts.SetVariable(L"%name%", L"Ada");
    texts.SetVariable(L"%score%", L"%name% 10");
    texts.SetVariable(L"plain", L"X");
    texts.SetText("hello", L"%name% and %name%: plain");
    texts.SetText("score", L"%score%");
    texts.SetText("untouched", L"plain text");
    EXPECT_EQ(texts.GetText("hello", GUITextManager::kNoNumber), L"Ada and Ada: X");
    // Names are taken in order, so a value that holds an earlier name keeps it.
    EXPECT_EQ(texts.GetText("score", GUITextManager::kNoNumber), L"%name% 10");
    EXPECT_EQ(texts.GetText("untouched", GUITextManager::kNoNumber), L"plain text");
}
