// SPDX-License-Identifier: GPL-3.0-or-later
// The per-user settings state and its settings file.
#include "PluginSettingState.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <cstdlib>
#include <limits>
#include <map>
#include <string>
#include <sys/resource.h>

namespace
{
// Each test gets its own home folder, so that no test sees another's file.
class SettingState : public ::testing::Test
{
protected:
    void SetUp() override
    {
        if (const char* old = std::getenv("HOME"))
            previousHome = old;
        char pattern[] = "/tmp/zu-settings-home-XXXXXX";
        const char* dir = mkdtemp(pattern);
        ASSERT_NE(dir, nullptr);
        home = juce::File(juce::String(dir));
        setenv("HOME", dir, 1);
    }

    void TearDown() override
    {
        setenv("HOME", previousHome.c_str(), 1);
        home.deleteRecursively();
    }

    juce::File maker() const { return home.getChildFile(".config/Zurvana"); }
    juce::File settingFile() const { return maker().getChildFile("ZU-MIRA8/ZU-MIRA8.ini"); }

    // Writes a settings file in JUCE's properties format with the given keys.
    void writeSettings(const std::map<juce::String, juce::String>& values) const
    {
        juce::XmlElement doc("PROPERTIES");
        for (const auto& [key, value] : values)
        {
            auto* e = doc.createNewChildElement("VALUE");
            e->setAttribute("name", key);
            e->setAttribute("val", value);
        }
        ASSERT_TRUE(settingFile().getParentDirectory().createDirectory());
        ASSERT_TRUE(doc.writeTo(settingFile()));
    }

    // The stored text of every key, parsed from the file as written.
    std::map<juce::String, juce::String> readSettings() const
    {
        std::map<juce::String, juce::String> values;
        auto doc = juce::parseXMLIfTagMatches(settingFile(), "PROPERTIES");
        EXPECT_NE(doc, nullptr);
        if (doc != nullptr)
            for (auto* e : doc->getChildWithTagNameIterator("VALUE"))
                values[e->getStringAttribute("name")] = e->getStringAttribute("val");
        return values;
    }

    std::string previousHome;
    juce::File home;
};

const juce::String folderKeys[] = {"preset_scale",  "preset_chord", "preset_customchord", "preset_pchseq",
                                   "preset_prmseq", "preset_ccseq", "preset_octseq",      "preset_ccrk"};

juce::String& folderForKey(PluginSettingState& s, int index)
{
    switch (index)
    {
    case 0:
        return s.scalePresetFolder;
    case 1:
        return s.chordPresetFolder;
    case 2:
        return s.customChordPresetFolder;
    default:
        return s.unitPresetFolders[(size_t) (index - 3)];
    }
}
} // namespace

TEST_F(SettingState, ConstructionSetsDefaultsAndCreatesOnlyTheMakerFolder)
{
    PluginSettingState s;
    const auto m = maker().getFullPathName();

    EXPECT_TRUE(maker().isDirectory());
    EXPECT_FALSE(settingFile().getParentDirectory().exists());
    EXPECT_EQ(s.makerFolder, maker());
    EXPECT_FALSE(s.openGlOnOff);
    EXPECT_TRUE(s.curPresetPath.isEmpty());
    EXPECT_TRUE(s.lastSaveFolder.isEmpty());
    EXPECT_TRUE(s.presetName.getValue().isVoid());
    EXPECT_TRUE(s.presetLocation.getValue().isVoid());
    EXPECT_EQ(s.scalePresetFolder, m + "/ZU-MIRA8/Scale");
    EXPECT_EQ(s.chordPresetFolder, m + "/ZU-MIRA8/Chord");
    EXPECT_EQ(s.customChordPresetFolder, m + "/ZU-MIRA8/Custom Chord");
    EXPECT_EQ(s.unitPresetFolders[0], m + "/ZU-MIRA8/SEQ Unit/Pitch SEQ");
    EXPECT_EQ(s.unitPresetFolders[1], m + "/ZU-MIRA8/SEQ Unit/Param SEQ");
    EXPECT_EQ(s.unitPresetFolders[2], m + "/ZU-MIRA8/SEQ Unit/CC SEQ");
    EXPECT_EQ(s.unitPresetFolders[3], m + "/ZU-MIRA8/SEQ Unit/OctTp SEQ");
    EXPECT_EQ(s.unitPresetFolders[4], m + "/ZU-MIRA8/SEQ Unit/CC Rack");
    EXPECT_FALSE(s.presetModified);
    EXPECT_EQ(s.skinMode, 1);
    EXPECT_FALSE(s.modPanelByDefault);
    EXPECT_FALSE(s.pitchPanelByDefault);
    EXPECT_EQ(s.getLastWidthHeight(), juce::Point<int>(1140, 650));
    EXPECT_FLOAT_EQ(s.scaleFactor, 1.0f);
    EXPECT_TRUE(s.rightCornerResize);
    EXPECT_FALSE(s.widthMode);
    EXPECT_TRUE(s.startUpFlag.load());
    EXPECT_FALSE(s.stateTransferFlag.load());
    EXPECT_EQ(s.midiMapTree.getType().toString(), "MidiMapState");
    EXPECT_EQ(s.midiMapTree.getNumProperties() + s.midiMapTree.getNumChildren(), 0);
    EXPECT_FALSE(s.learnArmed.load());
    EXPECT_TRUE(s.learnTarget.isEmpty());
    EXPECT_EQ(s.midiTpNote.load(), 0);
    EXPECT_EQ(s.folderChooser, nullptr);

    const juce::uint32 colours[] = {0xff89c997, 0xffeed202, 0xfff892bd, 0xffb687ee, 0xff5fc3ef};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(s.unitColors[(size_t) k].getARGB(), colours[k]) << k;
    EXPECT_EQ(s.unitColors[3], juce::Colour(0xffb17fed).brighter(0.07f));

    ASSERT_EQ(s.presetInfo.getType().toString(), "PresetInfo");
    const char* infoKeys[] = {"preset_name", "preset_author", "preset_cate", "preset_rating", "preset_folder"};
    ASSERT_EQ(s.presetInfo.getNumProperties(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(s.presetInfo.getPropertyName(i).toString(), infoKeys[i]);
    EXPECT_TRUE(s.presetInfo["preset_name"].isVoid());
    EXPECT_EQ((int) s.presetInfo["preset_cate"], 100000);
    EXPECT_EQ((int) s.presetInfo["preset_rating"], 400003);
}

TEST_F(SettingState, NoSettingFileReadsAsDefaultsAndWritesNothing)
{
    PluginSettingState s;
    s.getSettingFile();

    EXPECT_EQ(s.getSettingFileLocation(), settingFile());
    EXPECT_EQ(s.presetLocation.toString(), maker().getFullPathName() + "/ZU-MIRA8/MIRA8 Preset");
    EXPECT_EQ(s.getLastWidthHeight(), juce::Point<int>(1140, 650));
    EXPECT_FLOAT_EQ(s.scaleFactor, 1.0f);
    EXPECT_EQ(s.skinMode, 0);
    EXPECT_TRUE(s.rightCornerResize);
    EXPECT_FALSE(s.openGlOnOff);
    EXPECT_FALSE(s.modPanelByDefault);
    EXPECT_FALSE(s.pitchPanelByDefault);
    EXPECT_EQ(s.midiTpNote.load(), 0);
    for (const auto& entry : s.midiMap)
        EXPECT_TRUE(entry.isEmpty());
    EXPECT_EQ(s.unitColors[0].getARGB(), 0xff89c997u);
    EXPECT_EQ(s.scalePresetFolder, maker().getFullPathName() + "/ZU-MIRA8/Scale");
    EXPECT_FALSE(settingFile().exists());
}

TEST_F(SettingState, EveryKeyRoundTripsThroughTheFile)
{
    const auto base = home.getFullPathName();
    {
        PluginSettingState s;
        s.getSettingFile();
        s.presetLocation = base + "/My Presets";
        s.openGlOnOff = true;
        s.setLastWidthHeight({1600, 928});
        s.scaleFactor = 1.37f;
        s.rightCornerResize = false;
        s.skinMode = 1;
        for (int i = 0; i < 8; ++i)
            folderForKey(s, i) = base + "/folder " + folderKeys[i];
        s.modPanelByDefault = true;
        s.pitchPanelByDefault = true;
        s.midiTpNote = 48;
        s.midiMap[0] = "p7_macro1";
        s.midiMap[64] = "p1m11_snp";
        s.midiMap[127] = "p0_swing";
        s.unitColors = {juce::Colour(0x80102030), juce::Colour(0xff000000), juce::Colour(0x00000001),
                        juce::Colour(0xffffffff), juce::Colour(0x12345678)};
        // Not stored.
        s.curPresetPath = base + "/x.zumira8";
        s.widthMode = true;
        s.updateAndSaveSettingFile();
    }
    ASSERT_TRUE(settingFile().existsAsFile());

    PluginSettingState r;
    r.getSettingFile();
    EXPECT_EQ(r.presetLocation.toString(), base + "/My Presets");
    EXPECT_TRUE(r.openGlOnOff);
    EXPECT_EQ(r.getLastWidthHeight(), juce::Point<int>(1600, 928));
    EXPECT_EQ(r.scaleFactor, 1.37f);
    EXPECT_FALSE(r.rightCornerResize);
    EXPECT_EQ(r.skinMode, 1);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(folderForKey(r, i), base + "/folder " + folderKeys[i]) << folderKeys[i];
    EXPECT_TRUE(r.modPanelByDefault);
    EXPECT_TRUE(r.pitchPanelByDefault);
    EXPECT_EQ(r.midiTpNote.load(), 48);
    for (int c = 0; c < 128; ++c)
    {
        const juce::String expected = c == 0 ? "p7_macro1" : c == 64 ? "p1m11_snp" : c == 127 ? "p0_swing" : "";
        EXPECT_EQ(r.midiMap[(size_t) c], expected) << c;
    }
    const juce::uint32 colours[] = {0x80102030, 0xff000000, 0x00000001, 0xffffffff, 0x12345678};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(r.unitColors[(size_t) k].getARGB(), colours[k]) << k;
    EXPECT_TRUE(r.curPresetPath.isEmpty());
    EXPECT_FALSE(r.widthMode);

    // The stored texts as other readers of the format see them.
    auto stored = readSettings();
    EXPECT_EQ(stored["openglonoff"], "1");
    EXPECT_EQ(stored["window_width"].getIntValue(), 1600);
    EXPECT_EQ(stored["window_height"].getIntValue(), 928);
    EXPECT_EQ((float) stored["window_scalefactor"].getDoubleValue(), 1.37f);
    EXPECT_EQ(stored["modpanelbydef"], "1");
    EXPECT_EQ(stored["miditpnote"].getIntValue(), 48);
    EXPECT_EQ(stored["color1"], "80102030");
    EXPECT_EQ(stored["midimap65"], "p1m11_snp");
    EXPECT_EQ(stored.count("midimap2"), 1u);
    EXPECT_TRUE(stored["midimap2"].isEmpty());
    EXPECT_EQ(stored.count("curPresetPath"), 0u);
}

TEST_F(SettingState, SavingLeavesNoTemporaryFileAndSkipsUnchangedSettings)
{
    PluginSettingState s;
    s.getSettingFile();
    s.updateAndSaveSettingFile();
    ASSERT_TRUE(settingFile().existsAsFile());
    EXPECT_EQ(settingFile().getParentDirectory().getNumberOfChildFiles(
                  juce::File::findFilesAndDirectories | juce::File::ignoreHiddenFiles, "*"),
              1);
    EXPECT_EQ(settingFile().getParentDirectory().getNumberOfChildFiles(juce::File::findFilesAndDirectories, "*"), 1);

    // Nothing changed: the file is not rewritten.
    ASSERT_TRUE(settingFile().replaceWithText("marker"));
    s.updateAndSaveSettingFile();
    EXPECT_EQ(settingFile().loadFileAsString(), "marker");
}

TEST_F(SettingState, AFailedWriteKeepsTheOldFileWhole)
{
    PluginSettingState s;
    s.getSettingFile();
    s.midiMap[3] = "p0_swing";
    s.updateAndSaveSettingFile();
    const auto before = settingFile().loadFileAsString();
    ASSERT_TRUE(before.contains("p0_swing"));

    // Make every write past a few bytes fail (as a full disk would).
    s.midiMap[4] = juce::String::repeatedString("p0_long", 1000);
    rlimit oldLimit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    auto* oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = oldLimit;
    small.rlim_cur = 512;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    s.updateAndSaveSettingFile();
    setrlimit(RLIMIT_FSIZE, &oldLimit);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(settingFile().loadFileAsString(), before);
    EXPECT_EQ(settingFile().getParentDirectory().getNumberOfChildFiles(juce::File::findFilesAndDirectories, "*"), 1);

    // The change is still pending and the next save writes it.
    s.updateAndSaveSettingFile();
    PluginSettingState r;
    r.getSettingFile();
    EXPECT_EQ(r.midiMap[4], s.midiMap[4]);
    EXPECT_EQ(r.midiMap[3], "p0_swing");
}

TEST_F(SettingState, DamagedFilesReadAsDefaults)
{
    const char* contents[] = {
        "",
        "<PROPERTIES><VALUE name=\"window_width\" val=\"1300",
        "not xml at all \x01\x02\x03",
        "<OTHER><VALUE name=\"skinmode\" val=\"1\"/></OTHER>",
        "PROP\xff\xff\xff\x7f", // binary format with an absurd entry count and no entries
        "CPRP\x1f\x8b garbage",
    };
    for (const char* content : contents)
    {
        ASSERT_TRUE(settingFile().getParentDirectory().createDirectory());
        ASSERT_TRUE(settingFile().replaceWithData(content, strlen(content)));

        PluginSettingState s;
        s.getSettingFile();
        EXPECT_EQ(s.getLastWidthHeight(), juce::Point<int>(1140, 650)) << content;
        EXPECT_EQ(s.skinMode, 0) << content;
        EXPECT_FLOAT_EQ(s.scaleFactor, 1.0f) << content;
        EXPECT_EQ(s.presetLocation.toString(), s.getDefaultPresetFolder()) << content;

        // Saving replaces the damaged file with a readable one.
        s.skinMode = 1;
        s.updateAndSaveSettingFile();
        PluginSettingState r;
        r.getSettingFile();
        EXPECT_EQ(r.skinMode, 1) << content;
    }
}

TEST_F(SettingState, ScaleFactorIsClampedAndNonFiniteCountsAsMissing)
{
    const std::pair<const char*, float> cases[] = {
        {"12", 8.0f},  {"0.1", 0.4f}, {"8", 8.0f},    {"0.4", 0.4f},   {"-3", 0.4f},  {"2.5", 2.5f},
        {"nan", 1.0f}, {"inf", 1.0f}, {"-inf", 1.0f}, {"1e400", 1.0f}, {"abc", 1.0f}, {"1e30", 8.0f},
    };
    for (const auto& [text, expected] : cases)
    {
        writeSettings({{"window_scalefactor", text}});
        PluginSettingState s;
        s.getSettingFile();
        EXPECT_EQ(s.scaleFactor, expected) << text;
    }

    // Written clamped as well.
    PluginSettingState s;
    s.getSettingFile();
    s.scaleFactor = 20.0f;
    s.updateAndSaveSettingFile();
    EXPECT_EQ(readSettings()["window_scalefactor"].getDoubleValue(), 8.0);
    s.scaleFactor = std::numeric_limits<float>::quiet_NaN();
    s.updateAndSaveSettingFile();
    EXPECT_EQ(readSettings()["window_scalefactor"].getDoubleValue(), 1.0);
}

TEST_F(SettingState, WindowSizeIsReadAndWrittenWithBothDimensionsValidated)
{
    struct Case
    {
        const char* width;
        const char* height;
        juce::Point<int> expected;
    };
    const Case cases[] = {
        {"1600", "928", {1600, 928}},
        {"1140", "900", {1140, 650}}, // same width as now: the stored height is not taken
        {"0", "900", {1140, 650}},
        {"-20", "900", {1140, 650}},
        {"1600", "0", {1600, 650}},
        {"1600", "-5", {1600, 650}},
        {"1600", "nan", {1600, 650}},
        {"nan", "900", {1140, 650}},
        {"1e400", "900", {1140, 650}},
        {"99999999999999", "900", {std::numeric_limits<int>::max(), 900}},
    };
    for (const auto& c : cases)
    {
        writeSettings({{"window_width", c.width}, {"window_height", c.height}});
        PluginSettingState s;
        s.getSettingFile();
        EXPECT_EQ(s.getLastWidthHeight(), c.expected) << c.width << " x " << c.height;
    }

    ASSERT_TRUE(settingFile().deleteFile());
    PluginSettingState s;
    s.setLastWidthHeight({1140, 700}); // same width: ignored
    EXPECT_EQ(s.getLastWidthHeight(), juce::Point<int>(1140, 650));
    s.setLastWidthHeight({1200, 696});
    EXPECT_EQ(s.getLastWidthHeight(), juce::Point<int>(1200, 696));
    EXPECT_FALSE(settingFile().exists()); // does not save

    // Each dimension falls back to its own default.
    s.getSettingFile();
    s.lastWidth = 1300;
    s.lastHeight = -1;
    EXPECT_EQ(s.getLastWidthHeight(), juce::Point<int>(1300, 650));
    s.updateAndSaveSettingFile();
    EXPECT_EQ(readSettings()["window_width"].getIntValue(), 1300);
    EXPECT_EQ(readSettings()["window_height"].getIntValue(), 650);
    s.lastWidth = 0;
    s.lastHeight = 700;
    EXPECT_EQ(s.getLastWidthHeight(), juce::Point<int>(1140, 700));
}

TEST_F(SettingState, IntegerAndFlagKeysAreRangeCheckedWhenRead)
{
    struct Case
    {
        const char* key;
        const char* text;
        int skin, note;
        bool modPanel, openGl, rightCorner;
    };
    const Case cases[] = {
        {"skinmode", "1", 1, 0, false, false, true},
        {"skinmode", "99", 15, 0, false, false, true},
        {"skinmode", "-3", 0, 0, false, false, true},
        {"skinmode", "nan", 0, 0, false, false, true},
        {"miditpnote", "60", 0, 60, false, false, true},
        {"miditpnote", "300", 0, 127, false, false, true},
        {"miditpnote", "-1", 0, 0, false, false, true},
        {"miditpnote", "1e99", 0, 127, false, false, true},
        {"modpanelbydef", "1", 0, 0, true, false, true},
        {"modpanelbydef", "2", 0, 0, false, false, true},
        {"modpanelbydef", "inf", 0, 0, false, false, true},
        {"openglonoff", "true", 0, 0, false, true, true},
        {"openglonoff", "1", 0, 0, false, true, true},
        {"openglonoff", "nan", 0, 0, false, false, true},
        {"resize_rightcorner", "0", 0, 0, false, false, false},
        {"resize_rightcorner", "inf", 0, 0, false, false, true},
    };
    for (const auto& c : cases)
    {
        writeSettings({{c.key, c.text}});
        PluginSettingState s;
        s.getSettingFile();
        EXPECT_EQ(s.skinMode, c.skin) << c.key << "=" << c.text;
        EXPECT_EQ(s.midiTpNote.load(), c.note) << c.key << "=" << c.text;
        EXPECT_EQ(s.modPanelByDefault, c.modPanel) << c.key << "=" << c.text;
        EXPECT_EQ(s.openGlOnOff, c.openGl) << c.key << "=" << c.text;
        EXPECT_EQ(s.rightCornerResize, c.rightCorner) << c.key << "=" << c.text;
    }
}

TEST_F(SettingState, ColoursParseHexadecimalTextAndKeepTheirDefaultWhenDamaged)
{
    const std::pair<const char*, juce::uint32> cases[] = {
        {"ff102030", 0xff102030}, {"#ff102030", 0xff102030}, {"0xff102030", 0xff102030}, {"FF102030", 0xff102030},
        {"12", 0x00000012},       {"zz", 0xff89c997},        {"", 0xff89c997},
    };
    for (const auto& [text, expected] : cases)
    {
        writeSettings({{"color1", text}});
        PluginSettingState s;
        s.getSettingFile();
        EXPECT_EQ(s.unitColors[0].getARGB(), expected) << text;
        EXPECT_EQ(s.unitColors[1].getARGB(), 0xffeed202u) << text;
    }
}

TEST_F(SettingState, StoredFoldersReplaceDefaultsOnlyWhenUsable)
{
    const auto elsewhere = home.getFullPathName() + "/elsewhere";
    for (int i = 0; i < 8; ++i)
    {
        for (const char* text : {"", "relative/folder"})
        {
            writeSettings({{folderKeys[i], text}});
            PluginSettingState s;
            const auto before = folderForKey(s, i);
            s.getSettingFile();
            EXPECT_EQ(folderForKey(s, i), before) << folderKeys[i] << "=" << text;
        }
        writeSettings({{folderKeys[i], elsewhere}});
        PluginSettingState s;
        s.getSettingFile();
        EXPECT_EQ(folderForKey(s, i), elsewhere) << folderKeys[i];
    }

    const std::pair<juce::String, juce::String> locations[] = {
        {"", PluginSettingState().getDefaultPresetFolder()},
        {"relative", PluginSettingState().getDefaultPresetFolder()},
        {elsewhere, elsewhere},
    };
    for (const auto& [text, expected] : locations)
    {
        writeSettings({{"presetLocation", text}});
        PluginSettingState s;
        s.getSettingFile();
        EXPECT_EQ(s.presetLocation.toString(), expected) << text;
    }
}

TEST_F(SettingState, MidiMapDuplicatesLoseToTheLowestController)
{
    PluginSettingState s;
    s.getSettingFile();
    s.midiMap[9] = "p0_swing";
    s.midiMap[5] = "p0_swing";
    s.midiMap[127] = "p0_swing";
    s.midiMap[20] = "p1m11_snp";
    s.midiMap[2] = "p1m11_snp";
    s.midiMap[7] = "p7_macro1";
    s.updateAndSaveSettingFile();

    EXPECT_EQ(s.midiMap[5], "p0_swing");
    EXPECT_EQ(s.midiMap[9], "");
    EXPECT_EQ(s.midiMap[127], "");
    EXPECT_EQ(s.midiMap[2], "p1m11_snp");
    EXPECT_EQ(s.midiMap[20], "");
    EXPECT_EQ(s.midiMap[7], "p7_macro1");

    auto stored = readSettings();
    EXPECT_EQ(stored["midimap6"], "p0_swing");
    ASSERT_EQ(stored.count("midimap10"), 1u);
    EXPECT_EQ(stored["midimap10"], "");
    EXPECT_EQ(stored["midimap3"], "p1m11_snp");
    EXPECT_EQ(stored["midimap21"], "");

    // A file holding duplicates is read as it is; the next save cleans it.
    writeSettings({{"midimap10", "p0_swing"}, {"midimap6", "p0_swing"}});
    PluginSettingState r;
    r.getSettingFile();
    EXPECT_EQ(r.midiMap[5], "p0_swing");
    EXPECT_EQ(r.midiMap[9], "p0_swing");
    r.midiMapDuplicationCheck();
    EXPECT_EQ(r.midiMap[9], "");
}

TEST_F(SettingState, ReadingReplacesEveryMidiMapEntry)
{
    writeSettings({{"midimap1", "p7_macro2"}});
    PluginSettingState s;
    s.midiMap[1] = "p0_swing";
    s.getSettingFile();
    EXPECT_EQ(s.midiMap[0], "p7_macro2");
    EXPECT_EQ(s.midiMap[1], "");
}

TEST_F(SettingState, SettersSaveOnlyWhenSomethingChanged)
{
    PluginSettingState s;
    s.updateAndSaveSettingFile(); // no file opened yet: nothing happens
    EXPECT_FALSE(settingFile().exists());

    s.getSettingFile();
    s.setScaleFactor(1.0f);
    s.setRightCornerResizeState(true);
    s.setWidthModeState(false);
    EXPECT_FALSE(settingFile().exists());

    s.setScaleFactor(std::numeric_limits<float>::quiet_NaN());
    EXPECT_FLOAT_EQ(s.scaleFactor, 1.0f);
    EXPECT_FALSE(settingFile().exists());

    s.setScaleFactor(1.5f);
    EXPECT_EQ(s.scaleFactor, 1.5f);
    EXPECT_EQ(readSettings()["window_scalefactor"].getDoubleValue(), 1.5);

    s.setRightCornerResizeState(false);
    EXPECT_EQ(readSettings()["resize_rightcorner"], "0");

    s.setWidthModeState(true);
    EXPECT_TRUE(s.widthMode);
    EXPECT_EQ(readSettings().count("widthmode"), 0u);

    const auto folder = home.getFullPathName() + "/Presets";
    s.setPresetFolderPath(folder);
    EXPECT_EQ(s.presetLocation.toString(), folder);
    EXPECT_EQ(readSettings()["presetLocation"], folder);

    s.setCurPresetPath(folder + "/a.zumira8");
    EXPECT_EQ(s.curPresetPath, folder + "/a.zumira8");
    s.setPresetName("Bass");
    EXPECT_EQ(s.presetName.toString(), "Bass");
    EXPECT_EQ(s.getPresetName(), "");
    s.setLoadedPresetModifiedFlag(true);
    EXPECT_TRUE(s.presetModified);
}

TEST_F(SettingState, ChosenPresetFolderIsStoredAndSavedWhenItIsAFolder)
{
    PluginSettingState s;
    s.getSettingFile();
    const auto initial = s.presetLocation.toString();

    const auto notAFolder = home.getChildFile("file.txt");
    ASSERT_TRUE(notAFolder.replaceWithText("x"));
    for (const auto& choice : {juce::File(), home.getChildFile("missing"), notAFolder})
    {
        EXPECT_FALSE(s.presetFolderChosen(choice)) << choice.getFullPathName();
        EXPECT_EQ(s.presetLocation.toString(), initial);
    }
    EXPECT_FALSE(settingFile().exists());

    const auto chosen = home.getChildFile("Chosen Presets");
    ASSERT_TRUE(chosen.createDirectory());
    EXPECT_TRUE(s.presetFolderChosen(chosen));
    EXPECT_EQ(s.presetLocation.toString(), chosen.getFullPathName());

    PluginSettingState r;
    r.getSettingFile();
    EXPECT_EQ(r.presetLocation.toString(), chosen.getFullPathName());
}

TEST_F(SettingState, PresetIsTweakedMarksTheNameOnce)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "Preset*"}, {"Song", "Song*"}, {"Song*", "Song*"}, {"a*b", "a*b"}, {"*", "*"},
    };
    for (const auto& [name, expected] : cases)
    {
        PluginSettingState s;
        s.setPresetName(name);
        s.presetIsTweaked();
        EXPECT_EQ(s.presetName.toString(), expected) << name;
    }
    PluginSettingState s; // a void name counts as empty
    s.presetIsTweaked();
    EXPECT_EQ(s.presetName.toString(), "Preset*");
}

TEST_F(SettingState, EachNewReaderSeesTheFileAsItIsNow)
{
    writeSettings({{"skinmode", "1"}});
    PluginSettingState first;
    first.getSettingFile();
    EXPECT_EQ(first.skinMode, 1);

    // Replaced, as JUCE and this plug-in write it.
    writeSettings({{"skinmode", "2"}});
    PluginSettingState second;
    second.getSettingFile();
    EXPECT_EQ(second.skinMode, 2);

    // Rewritten in place.
    {
        juce::FileOutputStream out(settingFile());
        ASSERT_TRUE(out.openedOk());
        out.setPosition(0);
        out.truncate();
        out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<PROPERTIES>\n  <VALUE name=\"skinmode\" val=\"3\"/>\n"
               "  <VALUE name=\"miditpnote\" val=\"60\"/>\n</PROPERTIES>\n";
    }
    PluginSettingState third;
    third.getSettingFile();
    EXPECT_EQ(third.skinMode, 3);
    EXPECT_EQ(third.midiTpNote.load(), 60);

    // A reader's save starts from what it read, whatever the file holds by then.
    writeSettings({{"skinmode", "1"}, {"miditpnote", "12"}, {"stranger", "x"}});
    third.updateAndSaveSettingFile();
    auto stored = readSettings();
    EXPECT_EQ(stored["skinmode"], "3");
    EXPECT_EQ(stored["miditpnote"], "60");
    EXPECT_EQ(stored.count("stranger"), 0u);

    // What a reader saved reaches the next reader.
    PluginSettingState fourth;
    fourth.getSettingFile();
    EXPECT_EQ(fourth.skinMode, 3);
    EXPECT_EQ(fourth.midiTpNote.load(), 60);
}
