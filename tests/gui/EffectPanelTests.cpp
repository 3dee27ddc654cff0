// SPDX-License-Identifier: GPL-3.0-or-later
// The chord and scale panels' preset frame.
#include "EffectUnitPanelBae.h"
#include "MessagePump.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"

#include <gtest/gtest.h>

namespace
{
using Panel = EffectUnitPanelBae;

// A preset panel whose state is one number.
struct ChordSetPanel : EffectUnitPanelBae
{
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& presetName) override
    {
        juce::XmlElement xml("ChordSet");
        xml.setAttribute("name", presetName);
        xml.setAttribute("value", value);
        return xml;
    }
    void updateFxStateFromVt(juce::ValueTree tree, juce::String presetName) override
    {
        value = tree["value"];
        loadedNames.add(presetName);
    }
    void newPresetFolderPathIsSelected() override { ++folderChanges; }
    void openPresetFolderNotFoundWndw() override { ++notFound; }
    void initialize() override { value = 0; }

    int value = 0;
    juce::StringArray loadedNames;
    int folderChanges = 0;
    int notFound = 0;
};

struct EffectPanel : ::testing::Test
{
    EffectPanel()
    {
        folder = zutest::uniqueTempFolder("zu-chord-presets");
        panel.presetFolder = folder.getFullPathName();
        panel.presetExtension = ".chordset";
    }
    ~EffectPanel() override { folder.deleteRecursively(); }

    void saveAs(const juce::String& name, int value)
    {
        panel.value = value;
        panel.menuHandler(Panel::saveAsId, anchor, nullptr);
        desktop.launches.back().done(folder.getChildFile(name));
    }
    int valueIn(const juce::String& name)
    {
        const auto xml = juce::parseXML(folder.getChildFile(name));
        return xml == nullptr ? -1 : xml->getIntAttribute("value", -1);
    }

    zutest::DesktopRecorder desktop;
    ChordSetPanel panel;
    juce::TextButton anchor;
    juce::File folder;
};

TEST_F(EffectPanel, MenuVariants)
{
    folder.getChildFile("a.chordset").replaceWithText("<ChordSet/>");
    const auto texts = [this](bool filesOnly, bool withoutFiles)
    {
        juce::StringArray out;
        for (const auto& e : zutest::entriesOf(panel.getMyMenu(filesOnly, withoutFiles)))
            out.add(e.text + (e.id != 0 ? ":" + juce::String(e.id) : juce::String()));
        return out;
    };
    EXPECT_EQ(texts(false, false).joinIntoString("|"), "a:1005|---|Save:1000|Save as...:1001|---|Initialize:1004|---|"
                                                       "Open Preset Folder:1002|Set Preset Folder:1003");
    EXPECT_EQ(texts(true, false).joinIntoString("|"), "a:1005");
    EXPECT_EQ(texts(false, true)[0], "Save:1000");
    EXPECT_TRUE(texts(true, true).isEmpty());
}

TEST_F(EffectPanel, SaveAsKeepsTheCurrentFileAndSaveTargetsTheFileLoadedLast)
{
    saveAs("first", 1);
    EXPECT_EQ(valueIn("first.chordset"), 1);
    EXPECT_TRUE(panel.currentPresetPath.isEmpty());
    EXPECT_EQ(desktop.launches.back().request.title, "save preset as...");
    EXPECT_EQ(desktop.launches.back().request.pattern, "*.chordset");

    panel.getMyMenu(false, false);
    panel.menuHandler(Panel::firstFileId, anchor, nullptr);
    EXPECT_EQ(panel.currentPresetPath, folder.getChildFile("first.chordset").getFullPathName());
    EXPECT_EQ(panel.loadedNames, juce::StringArray("first"));

    saveAs("second", 2);
    EXPECT_EQ(panel.currentPresetPath, folder.getChildFile("first.chordset").getFullPathName());
    panel.value = 3;
    panel.savePreset(Panel::saveId);
    EXPECT_EQ(valueIn("first.chordset"), 3);
    EXPECT_EQ(valueIn("second.chordset"), 2);
}

TEST_F(EffectPanel, SaveWithACurrentFileNoLongerListedAsksForAName)
{
    panel.currentPresetPath = folder.getChildFile("gone.chordset").getFullPathName();
    panel.getMyMenu(false, false);
    panel.menuHandler(Panel::saveId, anchor, nullptr);
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].request.title, "save preset as...");

    panel.presetFolder = folder.getChildFile("missing").getFullPathName();
    panel.menuHandler(Panel::saveAsId, anchor, nullptr);
    EXPECT_EQ(panel.notFound, 1);
    EXPECT_EQ(desktop.launches.size(), 1u);
}

TEST_F(EffectPanel, OnlyTheFileNameIsMadeLegalAndTheChosenFolderIsKept)
{
    const auto odd = folder.getChildFile("Chords #@,;: mine");
    odd.createDirectory();
    panel.presetFolder = odd.getFullPathName();
    panel.value = 7;
    panel.menuHandler(Panel::saveAsId, anchor, nullptr);
    desktop.launches.back().done(odd.getChildFile("pad?*"));
    const auto written = odd.findChildFiles(juce::File::findFiles, false);
    ASSERT_EQ(written.size(), 1);
    EXPECT_EQ(written[0].getParentDirectory(), odd);
    EXPECT_TRUE(written[0].getFileName().endsWith(".chordset"));
    EXPECT_EQ(juce::parseXML(written[0])->getIntAttribute("value"), 7);
}

TEST_F(EffectPanel, SaveWritesTheCurrentFileUnderItsOwnNameAndNoOther)
{
    // Names that making them legal again would change: longer than a file
    // name JUCE keeps, and one with a comma.
    const juce::String names[] = {juce::String::repeatedString("Lush pad ", 20).trimEnd() + ".chordset",
                                  "Pad, warm.chordset", "plain.chordset"};
    for (const auto& name : names)
    {
        SCOPED_TRACE(name);
        folder.deleteRecursively();
        folder.createDirectory();
        const auto file = folder.getChildFile(name);
        ASSERT_TRUE(file.replaceWithText("<ChordSet value=\"1\"/>"));
        panel.getMyMenu(true, false);
        panel.menuHandler(Panel::firstFileId, anchor, nullptr);
        ASSERT_EQ(panel.currentPresetPath, file.getFullPathName());

        panel.value = 8;
        panel.savePreset(Panel::saveId);
        EXPECT_EQ(valueIn(name), 8);
        EXPECT_EQ(folder.getNumberOfChildFiles(juce::File::findFiles), 1);
        EXPECT_EQ(panel.currentPresetPath, file.getFullPathName());
    }

    // Chosen again in "Save as...", where the chooser asked before replacing
    // it, an existing name is kept too; a new name loses its comma.
    folder.getChildFile("Pad, warm.chordset").replaceWithText("<ChordSet value=\"1\"/>");
    saveAs("Pad, warm.chordset", 9);
    EXPECT_EQ(valueIn("Pad, warm.chordset"), 9);
    saveAs("Pad, cold", 3);
    EXPECT_EQ(valueIn("Pad cold.chordset"), 3);
    EXPECT_FALSE(folder.getChildFile("Pad, cold.chordset").exists());
}

TEST_F(EffectPanel, SteppingLoadsByPositionOrName)
{
    saveAs("a", 1);
    saveAs("b", 2);
    saveAs("c", 3);
    juce::String current, refresh("yes");
    panel.presetSelectArrow(true, current, refresh, {});
    EXPECT_EQ(panel.value, 1) << "forward without a current file or name: the first";
    current.clear();
    panel.presetSelectArrow(false, current, refresh, {});
    EXPECT_EQ(panel.value, 2) << "backward: the second-to-last";
    current.clear();
    panel.presetSelectArrow(true, current, refresh, "b");
    EXPECT_EQ(panel.value, 3) << "after the file of that name";
    current = panel.presetFiles[0];
    panel.value = 0;
    panel.presetSelectArrow(false, current, refresh, {});
    EXPECT_EQ(panel.value, 3) << "backward from the first wraps";

    folder.getChildFile("d.chordset").replaceWithText("not xml");
    panel.getMyMenu(true, false);
    const auto before = panel.currentPresetPath;
    panel.presetLoadHandler(3);
    EXPECT_EQ(panel.currentPresetPath, before) << "a file that did not load does not become current";
}

TEST_F(EffectPanel, SetPresetFolderTakesOnlyAnExistingFolder)
{
    panel.menuHandler(Panel::setFolderId, anchor, nullptr);
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].request.title, "Select Preset Folder");
    EXPECT_EQ(desktop.launches[0].request.start, folder.getParentDirectory());
    desktop.launches[0].done(folder.getChildFile("nope"));
    EXPECT_EQ(panel.folderChanges, 0);
    const auto other = folder.getChildFile("other");
    other.createDirectory();
    desktop.launches[0].done(other);
    EXPECT_EQ(panel.presetFolder, other.getFullPathName());
    EXPECT_EQ(panel.folderChanges, 1);

    panel.menuHandler(Panel::openFolderId, anchor, nullptr);
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0], juce::StringArray("xdg-open", other.getFullPathName()));
    panel.value = 5;
    panel.menuHandler(Panel::initializeId, anchor, nullptr);
    EXPECT_EQ(panel.value, 0);
}

TEST_F(EffectPanel, SaveOnTheListedCurrentFileAsksInTheEditor)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    editor->addAndMakeVisible(panel);
    panel.setBounds(0, 300, 400, 200);
    panel.addAndMakeVisible(anchor);
    anchor.setBounds(5, 5, 40, 20);

    saveAs("x", 4);
    panel.getMyMenu(true, false);
    panel.menuHandler(Panel::firstFileId, anchor, nullptr);
    panel.value = 9;
    panel.menuHandler(Panel::saveId, anchor, nullptr);
    juce::CallOutBox* box = nullptr;
    for (auto* child : editor->getChildren())
        if (auto* b = dynamic_cast<juce::CallOutBox*>(child))
            box = b;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(valueIn("x.chordset"), 4);
    panel.calloutBoxButtonIsClicked(0);
    EXPECT_EQ(valueIn("x.chordset"), 9);
    box->dismiss();
    zutest::pumpUntil([&] { return editor->getIndexOfChildComponent(box) < 0; });
    editor->removeChildComponent(&panel);
}
} // namespace

namespace
{
TEST_F(EffectPanel, AnAddedExtensionThatNamesAnExistingFileIsAskedAboutFirst)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    editor->addAndMakeVisible(panel);
    panel.setBounds(0, 300, 400, 200);
    const auto existing = folder.getChildFile("pad.txt.chordset");
    existing.replaceWithText("keep me");

    saveAs("pad.txt", 6);
    EXPECT_EQ(existing.loadFileAsString(), "keep me");
    panel.calloutBoxButtonIsClicked(1);
    EXPECT_EQ(existing.loadFileAsString(), "keep me");
    EXPECT_EQ(desktop.launches.size(), 2u) << "Save as new asks again";
    desktop.launches.back().done(folder.getChildFile("pad.txt"));
    panel.calloutBoxButtonIsClicked(0);
    EXPECT_EQ(valueIn("pad.txt.chordset"), 6);
    for (auto* child : editor->getChildren())
        if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
            box->dismiss();
    zutest::pumpUntil([&] { return editor->getNumChildComponents() <= 2; });
    editor->removeChildComponent(&panel);
}
} // namespace
