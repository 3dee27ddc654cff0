// SPDX-License-Identifier: GPL-3.0-or-later
// The preset menu's numbering, ticks, folder scan and the previous and next
// steps.

#include "GuiTestHelpers.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace
{
// A folder with subfolders A and B (each x.zip, y.zip), an empty subfolder
// "C empty", a hidden one, and the top-level files p.zip and notes.txt.
struct PresetFolder
{
    PresetFolder()
    {
        root.createDirectory();
        for (auto sub : {"A", "B"})
            for (auto name : {"x.zip", "y.zip"})
                file(juce::String(sub) + "/" + name);
        root.getChildFile("C empty").createDirectory();
        file(".hidden/z.zip");
        file("p.zip");
        file("notes.txt");
    }
    ~PresetFolder() { root.deleteRecursively(); }

    juce::File file(const juce::String& relative)
    {
        auto f = root.getChildFile(relative);
        f.getParentDirectory().createDirectory();
        f.replaceWithText("preset");
        return f;
    }
    juce::String path(const juce::String& relative) const { return root.getChildFile(relative).getFullPathName(); }

    juce::File root{zutest::uniqueTempFolder("zu-preset-menu")};
};

struct Item
{
    juce::String text;
    int id;
    bool ticked;
    int depth;
};

void collect(const juce::PopupMenu& menu, std::vector<Item>& items, int depth = 0)
{
    for (juce::PopupMenu::MenuItemIterator it(menu); it.next();)
    {
        const auto& item = it.getItem();
        items.push_back({item.text, item.itemID, item.isTicked, depth});
        if (item.subMenu != nullptr)
            collect(*item.subMenu, items, depth + 1);
    }
}

TEST(PresetMenu, NumbersSubfoldersFirstThenTheTopFilesInListingOrder)
{
    PresetFolder presets;
    ZuMainMenuHandler handler;
    auto folder = presets.root.getFullPathName();
    auto current = presets.path("B/x.zip");
    std::vector<Item> items;
    collect(handler.getMyPresetPopupMenu(folder, current), items);

    ASSERT_EQ(items.size(), 9u);
    const std::vector<std::pair<juce::String, int>> head{{"A", 0}, {"x", 1}, {"y", 2},      {"B", 0},
                                                         {"x", 3}, {"y", 4}, {"C empty", 0}};
    for (size_t i = 0; i < head.size(); ++i)
    {
        EXPECT_EQ(items[i].text, head[i].first) << i;
        EXPECT_EQ(items[i].id, head[i].second) << i;
        EXPECT_EQ(items[i].ticked, i == 4) << i;
    }
    // notes.txt is listed although it is no preset; the order is the listing's.
    juce::StringArray topFiles{items[7].text, items[8].text};
    topFiles.sort(false);
    EXPECT_EQ(topFiles, juce::StringArray("notes", "p"));
    EXPECT_EQ(items[7].id, 5);
    EXPECT_EQ(items[8].id, 6);
    const auto& paths = handler.getPresetPaths();
    ASSERT_EQ(paths.size(), 6u);
    EXPECT_EQ(paths[0], presets.path("A/x.zip"));
    EXPECT_EQ(paths[3], presets.path("B/y.zip"));
}

size_t numPresetsListed(const PresetFolder& presets)
{
    ZuMainMenuHandler handler;
    auto folder = presets.root.getFullPathName();
    juce::String current;
    handler.getMyPresetPopupMenu(folder, current);
    return handler.getPresetPaths().size();
}

TEST(PresetMenu, LinksBackToAParentNeitherRepeatNorLoop)
{
    PresetFolder presets;
    ASSERT_EQ(symlink(presets.root.getFullPathName().toRawUTF8(), presets.path("A/up").toRawUTF8()), 0);
    ASSERT_EQ(symlink(presets.path("B").toRawUTF8(), presets.path("B/self").toRawUTF8()), 0);
    EXPECT_EQ(numPresetsListed(presets), 6u);
}

TEST(PresetMenu, StopsAtTheDepthCap)
{
    PresetFolder presets;
    juce::String deep = "A";
    for (int d = 0; d < ZuMainMenuHandler::maxFolderDepth + 4; ++d)
        deep += "/d";
    presets.file(deep + "/deep.zip");
    EXPECT_EQ(numPresetsListed(presets), 6u);
}

TEST(PresetMenu, MissingOrEmptyFolderGivesAnEmptyMenu)
{
    ZuMainMenuHandler handler;
    for (juce::String folder : {juce::String("/nonexistent/zu-presets"), juce::String(), juce::String("relative")})
    {
        juce::String current;
        EXPECT_EQ(handler.getMyPresetPopupMenu(folder, current).getNumItems(), 0);
        EXPECT_TRUE(handler.getPresetPaths().empty());
    }
}

TEST(PresetMenu, ArrowsWrapAndStartAtTheEnds)
{
    PresetFolder presets;
    ZuMainMenuHandler handler;
    auto folder = presets.root.getFullPathName();
    juce::String none;
    EXPECT_EQ(handler.presetSelectArrow(true, none, folder), 1);
    EXPECT_EQ(handler.presetSelectArrow(false, none, folder), 6);

    auto first = presets.path("A/x.zip");
    EXPECT_EQ(handler.presetSelectArrow(false, first, folder), 6);
    EXPECT_EQ(handler.presetSelectArrow(true, first, folder), 2);
    auto last = handler.getPresetPaths().back();
    EXPECT_EQ(handler.presetSelectArrow(true, last, folder), 1);
    EXPECT_EQ(handler.presetSelectArrow(false, last, folder), 5);

    auto empty = zutest::uniqueTempFolder("zu-preset-menu-empty");
    empty.createDirectory();
    auto emptyPath = empty.getFullPathName();
    EXPECT_EQ(handler.presetSelectArrow(true, first, emptyPath), 0);
    empty.deleteRecursively();
}

TEST(PresetMenu, LoadingByIdNumbersOnlyArchivesWhenNoMenuWasBuilt)
{
    PresetFolder presets;
    ZuMainMenuHandler handler;
    auto folder = presets.root.getFullPathName();
    juce::String path;
    EXPECT_EQ(handler.getFileForLoadingPreset(5, path, folder), presets.root.getChildFile("p.zip"));
    EXPECT_EQ(path, presets.path("p.zip"));
    EXPECT_EQ(handler.getPresetPaths().size(), 5u);
    juce::String unchanged = "keep";
    EXPECT_EQ(handler.getFileForLoadingPreset(6, unchanged, folder), juce::File());
    EXPECT_EQ(handler.getFileForLoadingPreset(0, unchanged, folder), juce::File());
    EXPECT_EQ(unchanged, "keep");

    presets.root.getChildFile("p.zip").deleteFile();
    EXPECT_EQ(handler.getFileForLoadingPreset(5, unchanged, folder), juce::File());
}
} // namespace
