#include "definition/profile_file.h"

#include <gtest/gtest.h>

#include "support/generate.h"

namespace bw {
namespace {

TEST(ProfileFile, NamesIgnoreCaseAndValuesRunToTheEndOfTheLine) {
    ProfileFile profile;
    profile.Parse("[Block]\nName = My block = big  \r\nCOUNT=12abc\n");
    EXPECT_EQ(profile.GetString("block", "name", "x"), " My block = big  ");
    EXPECT_EQ(profile.GetInt("BLOCK", "count", 5), 12);
    EXPECT_EQ(profile.GetInt("Block", "missing", 5), 5);
    EXPECT_EQ(profile.GetString("Other", "Name", "none"), "none");
}

TEST(ProfileFile, OtherSectionsStayExactlyAsTheyWere) {
    ProfileFile profile;
    profile.Parse(
        "; head comment\r\n[Keep]\r\n; note\r\na=1\r\n\r\n[Drop]\r\nb=2\r\n[ DROP ]\r\nd=4\r\n",
        {"drop"});
    EXPECT_FALSE(profile.HasSection("Drop"));
    profile.SetString("New", "c", "3");
    profile.SetString("Keep", "A", "9");
    EXPECT_EQ(profile.Text(), "; head comment\r\n[Keep]\r\n; note\r\na=9\r\n\r\n[New]\r\nc=3\r\n");
}

TEST(ProfileFile, ALineBreakInAValueCannotForgeAKey) {
    ProfileFile profile;
    profile.SetString("S", "k", "one\r\nevil=1");
    ProfileFile reread;
    reread.Parse(profile.Text());
    EXPECT_FALSE(reread.Find("S", "evil"));
}

TEST(ProfileFile, SaveReplacesTheFileWhole) {
    TempDir dir;
    const std::string path = dir.path() + "x.ini";
    WriteFileBytes(path, "[A]\r\nk=old\r\n");
    ProfileFile profile;
    ASSERT_TRUE(profile.Load(path));
    profile.SetString("A", "k", "new");
    ASSERT_TRUE(profile.Save(path));
    EXPECT_EQ(ReadFileBytes(path), "[A]\r\nk=new\r\n");
    EXPECT_FALSE(profile.Save(dir.path() + "no/such/dir/x.ini"));
}

}  // namespace
}  // namespace bw
