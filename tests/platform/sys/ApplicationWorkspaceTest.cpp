#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>

#include "DesktopEntryFixture.h"
#include "support/ScopedEnvironment.h"
#include "sys/ApplicationWorkspace.h"

namespace {

using sys::ApplicationWorkspace;
using sys::InstalledApplication;

std::optional<InstalledApplication> find(const std::vector<InstalledApplication>& all,
                                         const std::string& id) {
    const auto found =
        std::find_if(all.begin(), all.end(), [&](const auto& a) { return a.bundleIdentifier == id; });
    if (found == all.end()) return std::nullopt;
    return *found;
}

TEST(ApplicationWorkspaceTest, ListsApplicationEntriesByBundleIdentifier) {
    desktopEntryFixture();
    ScopedEnvironment noLanguage{{"LANGUAGE", std::nullopt}};
    const auto all = ApplicationWorkspace::allApplications();

    EXPECT_EQ(find(all, "org.example.Alpha"), (InstalledApplication{"org.example.Alpha", "Alpha"}));
    // The user's directory comes before the system's, an earlier system directory before
    // a later one, and each ID is listed once.
    EXPECT_EQ(find(all, "org.example.Beta")->localizedName, "Beta from the user");
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](const auto& a) { return a.bundleIdentifier == "org.example.Alpha"; }),
              1);
    // Entries in subdirectories get the directory as an ID prefix.
    EXPECT_EQ(find(all, "vendor-tool")->localizedName, "Vendor Tool");
    // An entry without a name has no display name; hidden and non-application ones are left out.
    EXPECT_EQ(find(all, "org.example.Nameless"),
              (InstalledApplication{"org.example.Nameless", std::nullopt}));
    for (const char* left : {"org.example.Deleted", "org.example.Handler", "org.example.Link"})
        EXPECT_FALSE(find(all, left)) << left;
}

TEST(ApplicationWorkspaceTest, NamesFollowTheCurrentLanguage) {
    desktopEntryFixture();
    ScopedEnvironment german{{"LANGUAGE", "de"}};
    const auto alpha = find(ApplicationWorkspace::allApplications(), "org.example.Alpha");
    EXPECT_EQ(alpha->localizedName, "Alfa");
}

TEST(ApplicationWorkspaceTest, SeesEntriesAddedChangedAndRemoved) {
    const auto& fixture = desktopEntryFixture();
    const std::string entry = "[Desktop Entry]\nType=Application\nExec=true\n";
    const auto file = fixture.write("home/applications/org.example.Fresh.desktop", entry + "Name=Fresh\n");
    EXPECT_EQ(find(ApplicationWorkspace::allApplications(), "org.example.Fresh")->localizedName, "Fresh");

    fixture.write("home/applications/org.example.Fresh.desktop", entry + "Name=Renamed\n");
    EXPECT_EQ(find(ApplicationWorkspace::allApplications(), "org.example.Fresh")->localizedName, "Renamed");

    // A user's entry marked Hidden removes the system's entry of the same ID.
    fixture.write("home/applications/org.example.Alpha.desktop", entry + "Hidden=true\n");
    EXPECT_FALSE(find(ApplicationWorkspace::allApplications(), "org.example.Alpha"));
    std::filesystem::remove(fixture.path() / "home/applications/org.example.Alpha.desktop");
    EXPECT_TRUE(find(ApplicationWorkspace::allApplications(), "org.example.Alpha"));

    std::filesystem::remove(file);
    EXPECT_FALSE(find(ApplicationWorkspace::allApplications(), "org.example.Fresh"));
}

}  // namespace
