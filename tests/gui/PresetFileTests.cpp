// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-plug-in presets: save as, save, load, drop, the arrows and failures.

#include "GuiTestHelpers.h"
#include "TempFolder.h"
#include "MessagePump.h"
#include "WidgetTestHelpers.h"
#include "ZuOverWritePresetWndw2.h"
#include "ZuPresetArchive.h"

#include <gtest/gtest.h>

namespace
{
struct PresetFixture : ::testing::Test
{
    void SetUp() override
    {
        folder.createDirectory();
        processor.presetLocation = folder.getFullPathName();
        editor = zutest::makeEditor(processor);
        editor->launchSaveAsChooser = [this](const juce::File& start) { chooserStarts.push_back(start); };
    }
    void TearDown() override
    {
        if (editor != nullptr)
            closeCallOuts();
        editor.reset();
        folder.deleteRecursively();
    }

    // The overwrite question the editor has open, if any.
    ZuOverWritePresetWndw2* openQuestion() { return zutest::openCallOutContent<ZuOverWritePresetWndw2>(*editor); }

    // Call-outs outlive a test's editor unless they are closed.
    void closeCallOuts()
    {
        const auto anyOpen = [this]
        {
            for (auto* child : editor->getChildren())
                if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
                    return box;
            return static_cast<juce::CallOutBox*>(nullptr);
        };
        while (auto* box = anyOpen())
        {
            box->dismiss();
            ASSERT_TRUE(zutest::pumpUntil([&] { return editor->getIndexOfChildComponent(box) < 0; }));
        }
    }

    // Saves the archive "Song.zip", then asks to save as "Song" again with
    // another state; returns the archive's first bytes.
    juce::MemoryBlock saveSongTwice()
    {
        setSwing(0.5f);
        editor->saveAsChosen(folder.getChildFile("Song"), false);
        juce::MemoryBlock first;
        folder.getChildFile("Song.zip").loadFileAsData(first);
        processor.setCurPresetPath({});
        setSwing(-0.5f);
        editor->saveAsChosen(folder.getChildFile("Song"), false);
        return first;
    }

    juce::RangedAudioParameter& swing() { return *processor.paramState.getParameter("p0_swing"); }
    float swingValue() { return processor.paramState.getRawParameterValue("p0_swing")->load(); }
    void setSwing(float v) { swing().setValueNotifyingHost(swing().convertTo0to1(v)); }

    juce::StringArray filesInFolder() const
    {
        juce::StringArray names;
        for (const auto& f : folder.findChildFiles(juce::File::findFilesAndDirectories, false, "*"))
            names.add(f.getFileName());
        names.sort(false);
        return names;
    }

    juce::File validArchive(const juce::String& name)
    {
        const auto file = folder.getChildFile(name + ".zip");
        EXPECT_EQ(zu::presets::writeArchive(file, name + ".zumira8", processor.getXmlStateForSaveingPreset({})),
                  zu::presets::WriteResult::written);
        return file;
    }

    juce::File folder{zutest::uniqueTempFolder("zu-preset-files")};
    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
    std::vector<juce::File> chooserStarts;
};

juce::MemoryBlock bytesOf(const juce::File& file)
{
    juce::MemoryBlock block;
    file.loadFileAsData(block);
    return block;
}

juce::StringArray entryNames(const juce::File& archive)
{
    juce::ZipFile zip(archive);
    juce::StringArray names;
    for (int i = 0; i < zip.getNumEntries(); ++i)
        names.add(zip.getEntry(i)->filename);
    return names;
}

TEST_F(PresetFixture, SaveAsWritesOneEntryAndLeavesAUsersStateFileAlone)
{
    const auto userFile = folder.getChildFile("My Song.zumira8");
    userFile.replaceWithText("the user's own file");

    editor->saveAsChosen(folder.getChildFile("My Song"), false);

    EXPECT_EQ(userFile.loadFileAsString(), "the user's own file");
    const auto archive = folder.getChildFile("My Song.zip");
    EXPECT_EQ(entryNames(archive), juce::StringArray("My Song.zumira8"));
    EXPECT_EQ(filesInFolder(), juce::StringArray("My Song.zip", "My Song.zumira8"));
    const auto document = zu::presets::readArchive(archive);
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->getTagName(), "ZUMIRA8");

    EXPECT_EQ(processor.curPresetPath, archive.getFullPathName());
    EXPECT_EQ(processor.lastSaveFolder, folder.getFullPathName());
    EXPECT_EQ(processor.paramTree.getProperty("presetname").toString(), "My Song");
    auto& button = editor->getMainPanel()->menuPanel.presetButton;
    EXPECT_TRUE(zutest::pumpUntil([&] { return button.getButtonText() == "My Song"; }));
}

TEST_F(PresetFixture, SaveAsTakesTheNameWithOrWithoutExtensions)
{
    struct Case
    {
        const char *typed, *archive, *entry;
    };
    for (const auto& c :
         {Case{"Bass", "Bass.zip", "Bass.zumira8"}, Case{"Lead.zip", "Lead.zip", "Lead.zumira8"},
          Case{"Pad.zumira8", "Pad.zip", "Pad.zumira8"}, Case{"My.Song", "My.Song.zip", "My.Song.zumira8"}})
    {
        editor->saveAsChosen(folder.getChildFile(c.typed), juce::String(c.typed) == "Lead.zip");
        const auto archive = folder.getChildFile(c.archive);
        EXPECT_EQ(entryNames(archive), juce::StringArray(c.entry)) << c.typed;
        EXPECT_EQ(processor.curPresetPath, archive.getFullPathName()) << c.typed;
    }
    EXPECT_EQ(filesInFolder().size(), 4);
}

TEST_F(PresetFixture, LoadingRestoresTheSavedStateAndName)
{
    setSwing(0.5f);
    editor->saveAsChosen(folder.getChildFile("My Song"), false);
    setSwing(-0.25f);
    processor.paramTree.setProperty("presetname", "Other", nullptr);
    processor.setCurPresetPath({});

    ASSERT_TRUE(editor->loadPresetWithFile(folder.getChildFile("My Song.zip")));
    EXPECT_NEAR(swingValue(), 0.5f, 1e-6f);
    EXPECT_EQ(processor.paramTree.getProperty("presetname").toString(), "My Song");
    EXPECT_EQ(processor.curPresetPath, folder.getChildFile("My Song.zip").getFullPathName());
    auto& button = editor->getMainPanel()->menuPanel.presetButton;
    EXPECT_TRUE(zutest::pumpUntil([&] { return button.getButtonText() == "My Song"; }));
}

TEST_F(PresetFixture, AnExistingArchiveIsReplacedOnlyAfterAsking)
{
    setSwing(0.5f);
    editor->saveAsChosen(folder.getChildFile("Song"), false);
    const auto archive = folder.getChildFile("Song.zip");
    const auto before = bytesOf(archive);
    processor.setCurPresetPath({});

    setSwing(-0.5f);
    editor->saveAsChosen(folder.getChildFile("Song"), false);
    EXPECT_EQ(bytesOf(archive), before);
    EXPECT_EQ(editor->getPendingOverwritePath(), folder.getChildFile("Song").getFullPathName());
    EXPECT_TRUE(processor.curPresetPath.isEmpty());

    // "Save as new" asks for another name.
    editor->calloutBoxButtonIsClicked(1);
    EXPECT_EQ(chooserStarts.size(), 1u);
    EXPECT_TRUE(editor->getPendingOverwritePath().isEmpty());

    // "Overwrite" replaces the archive, as a save as of that name.
    editor->saveAsChosen(folder.getChildFile("Song"), false);
    editor->calloutBoxButtonIsClicked(0);
    EXPECT_NE(bytesOf(archive), before);
    EXPECT_EQ(processor.curPresetPath, archive.getFullPathName());
    EXPECT_EQ(filesInFolder(), juce::StringArray("Song.zip"));
    ASSERT_TRUE(editor->loadPresetWithFile(archive));
    EXPECT_NEAR(swingValue(), -0.5f, 1e-6f);

    // The chooser asked itself for the archive's full name.
    setSwing(0.25f);
    editor->saveAsChosen(archive, true);
    EXPECT_TRUE(editor->getPendingOverwritePath().isEmpty());
    ASSERT_TRUE(editor->loadPresetWithFile(archive));
    EXPECT_NEAR(swingValue(), 0.25f, 1e-6f);
}

TEST_F(PresetFixture, TheOverwriteQuestionOverSaveAsDecidesWhatIsWritten)
{
    const auto archive = folder.getChildFile("Song.zip");
    for (const bool overwrite : {true, false})
    {
        SCOPED_TRACE(overwrite ? "Overwrite" : "Save as new");
        archive.deleteFile();
        chooserStarts.clear();
        const auto before = saveSongTwice();

        juce::Component::SafePointer<ZuOverWritePresetWndw2> question(openQuestion());
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->getMessage(), "\"Song.zip\"  already exists.");
        const auto w = (float) editor->getWidth();
        EXPECT_EQ(question->getWidth(), (int) (0.19f * w));
        EXPECT_EQ(question->getHeight(), (int) (0.085f * w));
        auto* box = question->findParentComponentOfClass<juce::CallOutBox>();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->findColour(juce::BubbleComponent::outlineColourId), juce::Colour(0xffaaaaaa));
        EXPECT_EQ(bytesOf(archive), before);

        auto& button = overwrite ? question->getOverwriteButton() : question->getSaveAsNewButton();
        button.triggerClick();
        ASSERT_TRUE(zutest::pumpUntil([&] { return question == nullptr; }));

        EXPECT_EQ(filesInFolder(), juce::StringArray("Song.zip"));
        EXPECT_TRUE(editor->getPendingOverwritePath().isEmpty());
        if (overwrite)
        {
            EXPECT_NE(bytesOf(archive), before);
            EXPECT_EQ(processor.curPresetPath, archive.getFullPathName());
            EXPECT_TRUE(chooserStarts.empty());
            ASSERT_TRUE(editor->loadPresetWithFile(archive));
            EXPECT_NEAR(swingValue(), -0.5f, 1e-6f);
        }
        else
        {
            // Another name is asked for; nothing is written meanwhile.
            EXPECT_EQ(bytesOf(archive), before);
            EXPECT_TRUE(processor.curPresetPath.isEmpty());
            EXPECT_EQ(chooserStarts.size(), 1u);
        }
    }
}

TEST_F(PresetFixture, AnAnswerAfterTheEditorClosedWritesNothing)
{
    const auto archive = folder.getChildFile("Song.zip");
    const auto before = saveSongTwice();
    juce::Component::SafePointer<ZuOverWritePresetWndw2> question(openQuestion());
    ASSERT_NE(question, nullptr);

    editor.reset();
    ASSERT_NE(question, nullptr);
    question->getOverwriteButton().triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return question == nullptr; }));

    EXPECT_EQ(bytesOf(archive), before);
    EXPECT_TRUE(processor.curPresetPath.isEmpty());
    EXPECT_EQ(filesInFolder(), juce::StringArray("Song.zip"));
}

TEST_F(PresetFixture, SaveReplacesTheCurrentArchiveAndKeepsItsName)
{
    editor->saveAsChosen(folder.getChildFile("Keys"), false);
    setSwing(0.75f);
    processor.paramTree.setProperty("presetname", "Renamed", nullptr);
    editor->savePreset(0);

    EXPECT_EQ(filesInFolder(), juce::StringArray("Keys.zip"));
    const auto document = zu::presets::readArchive(folder.getChildFile("Keys.zip"));
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(entryNames(folder.getChildFile("Keys.zip")), juce::StringArray("Keys.zumira8"));
    EXPECT_NEAR(document->getDoubleAttribute("p0_swing"), 0.75, 1e-6);
    EXPECT_TRUE(chooserStarts.empty());
}

TEST_F(PresetFixture, SaveWithoutACurrentPresetOpensTheChooserInTheLastFolder)
{
    editor->savePreset(0);
    ASSERT_EQ(chooserStarts.size(), 1u);
    EXPECT_EQ(chooserStarts[0], folder);

    const auto other = folder.getChildFile("other");
    other.createDirectory();
    processor.lastSaveFolder = other.getFullPathName();
    editor->savePreset(1);
    ASSERT_EQ(chooserStarts.size(), 2u);
    EXPECT_EQ(chooserStarts[1], other);

    editor->saveAsChosen({}, false);
    EXPECT_TRUE(filesInFolder().contains("other"));
    EXPECT_EQ(filesInFolder().size(), 1);
}

TEST_F(PresetFixture, FailedSavesTellWhyAndLeaveWhatWasThere)
{
    processor.setCurPresetPath(folder.getChildFile("gone/Song.zip").getFullPathName());
    editor->savePreset(0);
    EXPECT_EQ(editor->getShownMessageTitle(), "Preset folder not found");
    editor->closeMessageWndw();

    // Something that is no file stands where the archive goes: the write fails.
    const auto blocked = folder.getChildFile("Blocked.zip");
    blocked.getChildFile("inside").create();
    processor.setCurPresetPath(blocked.getFullPathName());
    editor->savePreset(0);
    EXPECT_EQ(editor->getShownMessageTitle(), "Folder permission denied.");
    EXPECT_EQ(editor->getShownMessageText(), "Please check the folder permissions.");
    EXPECT_TRUE(blocked.getChildFile("inside").existsAsFile());
    EXPECT_EQ(filesInFolder(), juce::StringArray("Blocked.zip"));
    editor->closeMessageWndw();

    editor->saveAsChosen(folder.getChildFile("missing/Song"), false);
    EXPECT_EQ(editor->getShownMessageTitle(), "Preset folder not found");
}

TEST_F(PresetFixture, FilesThatDoNotLoadNeverBecomeTheCurrentPreset)
{
    const auto good = validArchive("Good");
    ASSERT_TRUE(editor->loadPresetWithFile(good));

    auto archiveOf = [this](const juce::String& name, const juce::String& text)
    {
        juce::ZipFile::Builder builder;
        juce::MemoryBlock block(text.toRawUTF8(), text.getNumBytesAsUTF8());
        if (text.isNotEmpty())
            builder.addEntry(new juce::MemoryInputStream(block, true), 6, "x.zumira8", juce::Time());
        const auto file = folder.getChildFile(name);
        juce::FileOutputStream out(file);
        out.setPosition(0);
        out.truncate();
        builder.writeToStream(out, nullptr);
        return file;
    };
    const auto notZip = folder.getChildFile("text.zip");
    notZip.replaceWithText("no archive");
    const juce::File bad[] = {notZip,
                              archiveOf("empty.zip", {}),
                              archiveOf("noxml.zip", "not xml at all"),
                              archiveOf("other.zip", "<OTHER pluginVersion=\"1.1\"/>"),
                              archiveOf("old.zip", "<ZUMIRA8 pluginVersion=\"0.5\"/>"),
                              archiveOf("deep.zip", "<ZUMIRA8 pluginVersion=\"1.1.82\">" +
                                                        juce::String::repeatedString("<a>", 30000) +
                                                        juce::String::repeatedString("</a>", 30000) + "</ZUMIRA8>"),
                              folder.getChildFile("absent.zip")};
    for (const auto& file : bad)
    {
        EXPECT_FALSE(editor->loadPresetWithFile(file)) << file.getFileName();
        EXPECT_EQ(processor.curPresetPath, good.getFullPathName()) << file.getFileName();
    }
}

TEST_F(PresetFixture, DropsLoadOnlyAFirstFileEndingInZip)
{
    setSwing(0.5f);
    const auto archive = validArchive("Dropped");
    juce::ZipFile::Builder builder;
    auto text = processor.getXmlStateForSaveingPreset({}).toString();
    juce::MemoryBlock block(text.toRawUTF8(), text.getNumBytesAsUTF8());
    builder.addEntry(new juce::MemoryInputStream(block, true), 6, "any name.xml", juce::Time());
    const auto upper = folder.getChildFile("UPPER.ZIP");
    {
        juce::FileOutputStream out(upper);
        builder.writeToStream(out, nullptr);
    }
    setSwing(-0.5f);

    EXPECT_TRUE(editor->isInterestedInFileDrag({"whatever.txt"}));
    editor->filesDropped({folder.getChildFile("a.txt").getFullPathName(), archive.getFullPathName()}, 0, 0);
    editor->filesDropped({upper.getFullPathName()}, 0, 0);
    EXPECT_NEAR(swingValue(), -0.5f, 1e-6f);
    EXPECT_TRUE(processor.curPresetPath.isEmpty());

    editor->filesDropped({archive.getFullPathName(), upper.getFullPathName()}, 0, 0);
    EXPECT_NEAR(swingValue(), 0.5f, 1e-6f);
    EXPECT_EQ(processor.curPresetPath, archive.getFullPathName());

    // An entry of any name is read.
    const auto renamed = folder.getChildFile("renamed.zip");
    upper.copyFileTo(renamed);
    setSwing(-0.5f);
    editor->filesDropped({renamed.getFullPathName()}, 0, 0);
    EXPECT_NEAR(swingValue(), 0.5f, 1e-6f);
}

TEST_F(PresetFixture, ArrowsStepPastFilesThatAreNoPresetAndWrap)
{
    setSwing(0.25f);
    const auto a = validArchive("a");
    setSwing(0.75f);
    const auto c = validArchive("c");
    folder.getChildFile("notes.txt").replaceWithText("notes");
    folder.getChildFile("bad.zip").replaceWithText("damaged");

    ASSERT_TRUE(editor->loadPresetWithFile(a));
    editor->presetArrow(1);
    EXPECT_EQ(processor.curPresetPath, c.getFullPathName());
    EXPECT_NEAR(swingValue(), 0.75f, 1e-6f);
    editor->presetArrow(1);
    EXPECT_EQ(processor.curPresetPath, a.getFullPathName());
    editor->presetArrow(0);
    EXPECT_EQ(processor.curPresetPath, c.getFullPathName());
    editor->presetArrow(0);
    EXPECT_EQ(processor.curPresetPath, a.getFullPathName());

    // Nothing loadable at all: one lap, then nothing changes.
    a.deleteFile();
    c.deleteFile();
    editor->presetArrow(1);
    EXPECT_EQ(processor.curPresetPath, a.getFullPathName());
}

TEST_F(PresetFixture, PresetMenuIdsLoadThroughTheEditor)
{
    setSwing(0.5f);
    validArchive("only");
    setSwing(0.0f);
    editor->menuItemSelected(1);
    EXPECT_NEAR(swingValue(), 0.5f, 1e-6f);
    editor->menuItemSelected(2);
    editor->menuItemSelected(0);
    EXPECT_EQ(processor.curPresetPath, folder.getChildFile("only.zip").getFullPathName());
}
} // namespace
