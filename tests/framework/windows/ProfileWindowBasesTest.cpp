#include "framework/windows/GUIDeleteProfileWindowBase.h"
#include "framework/windows/GUINewProfileWindowBase.h"
#include "framework/windows/GUIRenameProfileWindowBase.h"
#include "framework/windows/GUIWelcomeWindowBase.h"
#include "tests/framework/windows/FlowBed.h"

#include <gtest/gtest.h>

#include <string>

namespace Testing {
namespace {

using GameFramework::ProfileManagerBase;

class ProfileWindowBasesTest : public ::testing::Test {
protected:
    ProfileManagerBase& Manager() { return *bed.profiles; }
    std::wstring CurrentName() { return Manager().GetCurrentProfile()->GetName(); }

    FlowBed bed;
};

TEST_F(ProfileWindowBasesTest, ANameLongerThanAFileHoldsStillMakesTheAddedProfileCurrent)
{
    GameFramework::GUIWelcomeWindowBase welcome(&Manager());
    const std::wstring longName(300, L'q');
    welcome.CreateProfile(longName);
    ASSERT_NE(Manager().GetCurrentProfile(), nullptr);
    EXPECT_EQ(CurrentName(), std::wstring(254, L'q'));
}

TEST_F(ProfileWindowBasesTest, ARefusedNameChangesNothing)
{
    GameFramework::GUINewProfileWindowBase created(&Manager());
    ASSERT_TRUE(created.CreateProfile(L"Anna"));
    EXPECT_FALSE(created.CreateProfile(L"   "));
    GameFramework::GUIWelcomeWindowBase welcome(&Manager());
    welcome.CreateProfile(L"");
    EXPECT_EQ(Manager().GetProfileCount(), 1u);
    EXPECT_EQ(CurrentName(), L"Anna");
}

TEST_F(ProfileWindowBasesTest, ANewProfileWithANameTakenInAnyLetterCaseIsRefusedAndTheCurrentOneStays)
{
    GameFramework::GUINewProfileWindowBase window(&Manager());
    ASSERT_TRUE(window.CreateProfile(L"Anna"));
    ASSERT_TRUE(window.CreateProfile(L"Boris"));
    EXPECT_EQ(CurrentName(), L"Boris");
    EXPECT_FALSE(window.CreateProfile(L"ANNA"));
    EXPECT_EQ(Manager().GetProfileCount(), 2u);
    EXPECT_EQ(CurrentName(), L"Boris");
}

TEST_F(ProfileWindowBasesTest, RenamingToTheSameNameInAnotherCaseSucceedsWithoutChangeAndAnotherProfilesNameConflicts)
{
    GameFramework::GUINewProfileWindowBase create(&Manager());
    create.CreateProfile(L"Anna");
    create.CreateProfile(L"Boris");
    GameFramework::GUIRenameProfileWindowBase rename(&Manager());
    rename.ShowWithName(10, true, L"Anna");
    EXPECT_TRUE(rename.RenameProfile(L"ANNA"));
    EXPECT_NE(Manager().GetProfile(L"anna"), nullptr);
    EXPECT_EQ(Manager().GetProfile(L"anna")->GetName(), L"Anna");
    EXPECT_FALSE(rename.RenameProfile(L"boris"));
    // Back from the conflict, the name to rename is kept.
    rename.ShowWithName(14, false, L"");
    EXPECT_EQ(rename.GetKeptName(), L"Anna");
    EXPECT_TRUE(rename.RenameProfile(L"Clara"));
    EXPECT_EQ(Manager().GetProfile(L"Anna"), nullptr);
    EXPECT_NE(Manager().GetProfile(L"Clara"), nullptr);
}

TEST_F(ProfileWindowBasesTest, TheDeleteWindowDeletesTheProfileItWasShownWith)
{
    GameFramework::GUINewProfileWindowBase create(&Manager());
    create.CreateProfile(L"Anna");
    create.CreateProfile(L"Boris");
    GameFramework::GUIDeleteProfileWindowBase remove(&Manager());
    remove.ShowWithName(10, L"Boris");
    EXPECT_EQ(remove.GetOpener(), 10u);
    remove.DeleteProfile();
    EXPECT_EQ(Manager().GetProfileCount(), 1u);
    EXPECT_EQ(CurrentName(), L"Anna");
}

} // namespace
} // namespace Testing
