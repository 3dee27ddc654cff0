// SPDX-License-Identifier: GPL-3.0-or-later
// Unit preset files through the unit menu, on a real processor.
#include "MessagePump.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "ZuMessageWindows.h"

#include <gtest/gtest.h>

namespace
{
using Frame = ZuCenterUnitPanelBase;

struct UnitPresetFiles : ::testing::Test
{
    UnitPresetFiles()
    {
        folder = zutest::uniqueTempFolder("zu-unit-presets");
        processor.unitPresetFolders[0] = folder.getFullPathName();
        editor->addAndMakeVisible(frame);
        frame.setBounds(0, 40, 1000, 200);
        // As a user comes to every command: through the menu.
        frame.getDeleteItemMenu();
    }
    ~UnitPresetFiles() override
    {
        dismissCallOuts();
        folder.deleteRecursively();
    }

    juce::ValueTree live() { return processor.paramTree.getChildWithName("seqmain").getChildWithName("ptchsq1"); }
    juce::ValueTree stored(int s)
    {
        return processor.snapTree.getChildWithName("ptchsq1").getChildWithName("snap" + juce::String(s + 1));
    }
    void setPitch(double v) { live().setProperty("p1m11_pch1", v, nullptr); }
    double pitch() { return (double) live().getProperty("p1m11_pch1"); }

    juce::File write(const juce::String& relative, const juce::String& text)
    {
        auto file = folder.getChildFile(relative);
        file.getParentDirectory().createDirectory();
        juce::FileOutputStream out(file);
        out.setPosition(0);
        out.truncate();
        out.writeText(text, false, false, nullptr);
        return file;
    }

    // Lists the folder as the menu does and loads the listed file with that name.
    void loadListed(const juce::String& name)
    {
        frame.getDeleteItemMenu();
        const int index = frame.presetFiles.indexOf(folder.getChildFile(name).getFullPathName());
        ASSERT_GE(index, 0) << name;
        frame.menuHandler(Frame::firstFileId + index, editor.get());
    }

    ZuOverWritePresetWndw* openQuestion()
    {
        for (auto* child : editor->getChildren())
            if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
                for (auto* content : box->getChildren())
                    if (auto* window = dynamic_cast<ZuOverWritePresetWndw*>(content))
                        return window;
        return nullptr;
    }
    void dismissCallOuts()
    {
        for (auto* child : editor->getChildren())
            if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
                box->dismiss();
        zutest::pumpUntil([this] { return openQuestion() == nullptr; });
    }

    double savedPitchIn(const juce::File& file, int snapshot)
    {
        const auto xml = juce::parseXML(file);
        if (xml == nullptr)
            return -1.0;
        const auto tree = juce::ValueTree::fromXml(*xml);
        return tree.getChildWithName("snapmain").getChild(snapshot).getProperty("pch1");
    }

    zutest::DesktopRecorder desktop;
    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    zutest::TestUnitPanel frame{0, 0, true};
    juce::File folder;
};

TEST_F(UnitPresetFiles, ListsSubFoldersSideBySideThenTheFolderItsFilesSortedAndStopsAtALinkLoop)
{
    for (auto name : {"b.pchsq", "a.pchsq", "x/c.pchsq", "x/y/d.pchsq", "c.PCHSQ", ".h.pchsq", "x/notes.txt"})
        write(name, "<Preset/>");
    ASSERT_TRUE(folder.createSymbolicLink(folder.getChildFile("x/y/loop"), false));
    frame.currentPresetPath = folder.getChildFile("x/y/d.pchsq").getFullPathName();

    const auto menu = frame.getDeleteItemMenu();
    juce::PopupMenu::MenuItemIterator top(menu);
    ASSERT_TRUE(top.next());
    ASSERT_EQ(top.getItem().text, "Preset");
    const auto& presets = *top.getItem().subMenu;
    const auto entries = zutest::entriesOf(presets);
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].text, "x");
    EXPECT_EQ(entries[1].text, "y");
    EXPECT_EQ(entries[2].text, "a");
    EXPECT_EQ(entries[2].id, 1013);
    EXPECT_EQ(entries[3].text, "b");
    EXPECT_EQ(entries[3].id, 1014);

    juce::PopupMenu::MenuItemIterator subs(presets);
    subs.next();
    const auto x = zutest::entriesOf(*subs.getItem().subMenu);
    subs.next();
    const auto y = zutest::entriesOf(*subs.getItem().subMenu);
    ASSERT_EQ(x.size(), 1u);
    EXPECT_EQ(x[0].id, 1011);
    EXPECT_EQ(x[0].text, "c");
    ASSERT_EQ(y.size(), 1u);
    EXPECT_EQ(y[0].id, 1012);
    EXPECT_EQ(y[0].text, "d");
    EXPECT_TRUE(y[0].isTicked);
    EXPECT_EQ(frame.presetFiles.size(), 4);
    EXPECT_FALSE(frame.presetFiles.joinIntoString("|").contains(".PCHSQ"));
    EXPECT_FALSE(frame.presetFiles.joinIntoString("|").contains(".h.pchsq"));
}

TEST_F(UnitPresetFiles, ASavedUnitChangedAndLoadedBackHasItsStepsAndSnapshotsAgain)
{
    setPitch(7);
    processor.updateSeqSnapVt(0, 0, 4);
    setPitch(9);

    frame.menuHandler(Frame::saveId, editor.get());
    ASSERT_EQ(desktop.launches.size(), 1u) << "no current file: Save asks for a name";
    const auto& request = desktop.launches[0].request;
    EXPECT_EQ(request.title, "save preset as...");
    EXPECT_EQ(request.start, folder);
    EXPECT_EQ(request.pattern, "*.pchsq");
    EXPECT_EQ(request.flags, juce::FileBrowserComponent::saveMode | juce::FileBrowserComponent::canSelectFiles |
                                 juce::FileBrowserComponent::warnAboutOverwriting);
    desktop.launches[0].done(folder.getChildFile("bass"));
    const auto file = folder.getChildFile("bass.pchsq");
    ASSERT_TRUE(file.existsAsFile());
    EXPECT_EQ(frame.currentPresetPath, file.getFullPathName());
    EXPECT_TRUE(file.loadFileAsString().startsWith("<?xml"));

    setPitch(2);
    stored(4).setProperty("p1m11_pch1", 1, nullptr);
    loadListed("bass.pchsq");
    EXPECT_EQ(pitch(), 9.0);
    EXPECT_EQ((double) stored(4).getProperty("p1m11_pch1"), 7.0);
    EXPECT_EQ(processor.pitchSeqData.units[0].snaps[4].steps[0].pch.value.load(), 7);
}

TEST_F(UnitPresetFiles, SaveOnAListedCurrentFileAsksAndOverwriteReplacesIt)
{
    setPitch(4);
    frame.savePreset(Frame::saveAsId);
    desktop.launches.back().done(folder.getChildFile("lead.pchsq"));
    const auto file = folder.getChildFile("lead.pchsq");
    ASSERT_EQ(savedPitchIn(file, 0), 4.0);

    setPitch(11);
    frame.getDeleteItemMenu();
    frame.menuHandler(Frame::saveId, editor.get());
    auto* question = openQuestion();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(savedPitchIn(file, 0), 4.0) << "nothing is written before the answer";
    question->getOverwriteButton().onClick();
    EXPECT_EQ(savedPitchIn(file, 0), 11.0);
    EXPECT_EQ(desktop.launches.size(), 1u);

    frame.menuHandler(Frame::saveId, editor.get());
    dismissCallOuts();
    frame.menuHandler(Frame::saveId, editor.get());
    ASSERT_NE(openQuestion(), nullptr);
    openQuestion()->getSaveAsNewButton().onClick();
    EXPECT_EQ(desktop.launches.size(), 2u) << "Save as new asks for a name";
}

TEST_F(UnitPresetFiles, AFailedWriteLeavesTheOldFileIntact)
{
    // A name so long that no temporary file beside it can be made.
    const auto file = write(juce::String::repeatedString("n", 244) + ".pchsq", "old preset");
    frame.currentPresetPath = file.getFullPathName();
    frame.savePreset(Frame::saveId);
    EXPECT_EQ(file.loadFileAsString(), "old preset");
    EXPECT_EQ(folder.findChildFiles(juce::File::findFiles, false).size(), 1);

    // Without an editor nothing is touched either.
    const auto kept = write("kept.pchsq", "kept");
    zutest::TestUnitPanel outside(0, 0);
    outside.currentPresetPath = kept.getFullPathName();
    outside.savePreset(Frame::saveId);
    EXPECT_EQ(kept.loadFileAsString(), "kept");
}

TEST_F(UnitPresetFiles, AFileThatDoesNotLoadNeverBecomesCurrent)
{
    setPitch(5);
    write("junk.pchsq", "this is not XML");
    loadListed("junk.pchsq");
    EXPECT_TRUE(frame.currentPresetPath.isEmpty());
    EXPECT_EQ(pitch(), 5.0);

    // Nested deeper than JUCE's parser can recurse: refused before it reads.
    write("deep.pchsq", "<Preset>" + juce::String::repeatedString("<a>", 30000) +
                            juce::String::repeatedString("</a>", 30000) + "</Preset>");
    loadListed("deep.pchsq");
    EXPECT_TRUE(frame.currentPresetPath.isEmpty());
    EXPECT_EQ(pitch(), 5.0);

    // A CC unit's preset under the pitch extension is refused too.
    juce::ValueTree cc("Preset");
    processor.createVtForUnitPreset(cc, zu::units::cc, 0);
    write("cc.pchsq", cc.createXml()->toString());
    loadListed("cc.pchsq");
    EXPECT_TRUE(frame.currentPresetPath.isEmpty());
    EXPECT_EQ(pitch(), 5.0);
}

TEST_F(UnitPresetFiles, AnAddedExtensionThatNamesAnExistingFileIsAskedAbout)
{
    const auto existing = write("pad.txt.pchsq", "keep me");
    frame.savePreset(Frame::saveAsId);
    desktop.launches.back().done(folder.getChildFile("pad.txt"));
    EXPECT_EQ(existing.loadFileAsString(), "keep me");
    auto* question = openQuestion();
    ASSERT_NE(question, nullptr);
    question->getOverwriteButton().onClick();
    EXPECT_NE(existing.loadFileAsString(), "keep me");
    EXPECT_EQ(frame.currentPresetPath, existing.getFullPathName());

    // A name whose extension differs only in case keeps its name.
    frame.savePreset(Frame::saveAsId);
    desktop.launches.back().done(folder.getChildFile("c.PCHSQ"));
    EXPECT_TRUE(folder.getChildFile("c.PCHSQ").existsAsFile());
}

TEST_F(UnitPresetFiles, SetPresetFolderIsSavedUnderTheKindsKeyAndListedNext)
{
    const auto other = folder.getChildFile("other");
    other.createDirectory();
    other.getChildFile("z.pchsq").replaceWithText("<Preset/>");

    frame.menuHandler(Frame::setFolderId, editor.get());
    ASSERT_EQ(desktop.launches.size(), 1u);
    EXPECT_EQ(desktop.launches[0].request.title, "Select Preset Folder");
    EXPECT_EQ(desktop.launches[0].request.flags, juce::FileBrowserComponent::canSelectDirectories);
    desktop.launches[0].done({});
    EXPECT_EQ(processor.unitPresetFolders[0], folder.getFullPathName()) << "a cancelled chooser changes nothing";
    desktop.launches[0].done(other);

    EXPECT_EQ(processor.unitPresetFolders[0], other.getFullPathName());
    juce::PropertiesFile::Options options;
    const juce::PropertiesFile settings(processor.getSettingFileLocation(), options);
    EXPECT_EQ(settings.getValue("preset_pchseq"), other.getFullPathName());
    frame.getDeleteItemMenu();
    EXPECT_EQ(frame.presetFiles, juce::StringArray(other.getChildFile("z.pchsq").getFullPathName()));
}

TEST_F(UnitPresetFiles, OpenPresetFolderStartsXdgOpenWithThePathAsOneArgument)
{
    const auto odd = folder.getChildFile("it's \"odd\" $(touch x); ok");
    odd.createDirectory();
    processor.unitPresetFolders[0] = odd.getFullPathName();
    frame.getDeleteItemMenu();
    frame.menuHandler(Frame::openFolderId, editor.get());
    ASSERT_EQ(desktop.started.size(), 1u);
    EXPECT_EQ(desktop.started[0], juce::StringArray("xdg-open", odd.getFullPathName()));

    processor.unitPresetFolders[0] = folder.getChildFile("missing").getFullPathName();
    frame.getDeleteItemMenu();
    frame.menuHandler(Frame::openFolderId, editor.get());
    EXPECT_EQ(desktop.started.size(), 1u);
}

TEST_F(UnitPresetFiles, InitializeResetsTheUnitAndForgetsTheCurrentFile)
{
    setPitch(6);
    frame.currentPresetPath = write("x.pchsq", "<Preset/>").getFullPathName();
    frame.menuHandler(Frame::initializeId, editor.get());
    EXPECT_EQ(frame.initializations, 1);
    EXPECT_TRUE(frame.currentPresetPath.isEmpty());
    EXPECT_NE(pitch(), 6.0);
    frame.menuHandler(Frame::saveId, editor.get());
    EXPECT_EQ(desktop.launches.size(), 1u) << "Save right after Initialize asks for a name";
}

TEST_F(UnitPresetFiles, StepsThroughTheListWithWrapping)
{
    for (auto name : {"a.pchsq", "b.pchsq", "c.pchsq"})
    {
        setPitch(name[0] - 'a' + 1);
        frame.savePreset(Frame::saveAsId);
        desktop.launches.back().done(folder.getChildFile(name));
    }
    frame.getDeleteItemMenu();
    juce::String current, refresh;
    frame.presetSelectArrow(false, current, refresh);
    EXPECT_EQ(pitch(), 2.0) << "backward without a current file loads the second-to-last";
    current = frame.presetFiles[2];
    frame.presetSelectArrow(true, current, refresh);
    EXPECT_EQ(pitch(), 1.0) << "forward from the last wraps to the first";
}
} // namespace
