// SPDX-License-Identifier: GPL-3.0-or-later
// The scale section: the key panel with its mini keyboard and scale presets,
// the key editor, the selectors, power, LOCK and targets.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"

#include "ScalePanel.h"
#include "ZuMirabox_BottomPanel.h"
#include "ZuToolsCommon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace
{
// The scale section of the scale page in a real editor.
struct ScaleSection : ::testing::Test
{
    ScaleSection()
    {
        section = &editor->getMainPanel()->bottomPanel.mainPagePanel.scalePanel;
        section->setSkinMode(1);
        folder = zutest::uniqueTempFolder("zu-scales");
        processor.scalePresetFolder = folder.getFullPathName();
    }
    ~ScaleSection() override
    {
        closeKeyEditor();
        folder.deleteRecursively();
    }

    ScaleEditPanel* openKeyEditor()
    {
        section->type1Panel.editButtonClicked();
        return zutest::openCallOutContent<ScaleEditPanel>(*editor);
    }
    void closeKeyEditor()
    {
        if (editor != nullptr)
            for (auto* c : editor->getChildren())
                if (auto* box = dynamic_cast<juce::CallOutBox*>(c))
                    box->dismiss();
        if (section == nullptr)
            return;
        if (auto* box = section->type1Panel.getEditCallOut())
            box->dismiss();
        zutest::pumpUntil([&] { return section->type1Panel.getEditCallOut() == nullptr; });
    }
    juce::var key(int k) const { return processor.paramTree[zu::scalekeys::keyProperty(k)]; }
    static juce::StringArray names(ScaleEditPanel& e)
    {
        juce::StringArray white, black;
        for (int j = 0; j < 7; ++j)
            white.add(e.getWhiteKey(j).getProperties()["dispnote"].toString());
        for (int j = 0; j < 5; ++j)
            black.add(e.getBlackKey(j).getProperties()["dispnote"].toString());
        return {white.joinIntoString(" "), black.joinIntoString(" ")};
    }
    // Whether the mini keyboard draws the key of the pitch class as in
    // scale (true), out of scale (false), or not at all (nothing).
    std::optional<bool> miniKey(int pitchClass) const
    {
        auto& panel = section->type1Panel;
        const auto kb = panel.getKeyboardArea();
        const float kw = 0.142f * kb.getWidth();
        const float x0 = kb.getX() + (kb.getWidth() - 7.0f * kw) / 2.0f;
        const auto& order = zu::tools::keyOrder;
        const int position = (int) (std::find(order.begin(), order.end(), pitchClass) - order.begin());
        static constexpr std::array<int, 5> blackOver{0, 1, 3, 4, 5};
        const bool white = position < 7;
        const float cell = x0 + (float) (white ? position : blackOver[(size_t) (position - 7)]) * kw;
        const juce::Point<float> centre = white
                                              ? juce::Point<float>(cell + 0.5f * kw, kb.getY() + 0.75f * kb.getHeight())
                                              : juce::Point<float>(cell + kw, kb.getY() + 0.2f * kb.getHeight());
        if (panel.getInScaleKeys().getPath().contains(centre))
            return true;
        if (panel.getOutOfScaleKeys().getPath().contains(centre))
            return false;
        return std::nullopt;
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    ScalePanel* section = nullptr;
    zutest::DesktopRecorder desktop;
    juce::File folder;
};
} // namespace

TEST_F(ScaleSection, KeyNamesFollowTheRootButNotRootShiftAndTheFlagsStay)
{
    processor.paramTree.setProperty(zu::scalekeys::keyProperty(3), 0, nullptr);
    auto* keys = openKeyEditor();
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->getComponentID(), "scalecustom");
    EXPECT_EQ(keys->getWidth(), 200);
    EXPECT_EQ(keys->getHeight(), 162);
    EXPECT_EQ(names(*keys), juce::StringArray({"C D E F G A B", "C# D# F# G# A#"}));
    EXPECT_FALSE(keys->getWhiteKey(3).getToggleState());

    keys->rootBox.setSelectedId(10, juce::sendNotification);
    EXPECT_TRUE(zutest::pumpUntil(
        [&] {
            return names(*keys) == juce::StringArray({"A B C# D E F# G#", "A# C D# F G"});
        }));
    EXPECT_EQ(zutest::hostParameter(processor, "p8_scale_root"), 9.0f);
    ASSERT_TRUE(zutest::click(keys->rootShiftButton));
    EXPECT_EQ(zutest::hostParameter(processor, "p8_scale_rootshift"), 1.0f);
    zutest::pumpFor(50);
    EXPECT_EQ(names(*keys), juce::StringArray({"A B C# D E F# G#", "A# C D# F G"}));
    EXPECT_FALSE(keys->getWhiteKey(3).getToggleState());
    EXPECT_EQ((int) key(3), 0);

    // Without a root chosen the names read from C.
    keys->rootBox.setSelectedId(0, juce::dontSendNotification);
    keys->updateKeyButtonDisp();
    EXPECT_EQ(names(*keys), juce::StringArray({"C D E F G A B", "C# D# F# G# A#"}));
    closeKeyEditor();

    // A fresh key editor shows the current state.
    processor.paramTree.setProperty(zu::scalekeys::presetNameProperty, "Dorian", nullptr);
    zutest::setHostParameter(processor, "p8_scale_root", 2.0f);
    keys = openKeyEditor();
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->rootBox.getText(), "D");
    EXPECT_TRUE(keys->rootShiftButton.getToggleState());
    EXPECT_EQ(keys->presetButton.getButtonText(), "Dorian");
    EXPECT_EQ(names(*keys), juce::StringArray({"D E F# G A B C#", "D# F G# A# C"}));
    EXPECT_FALSE(keys->getWhiteKey(3).getToggleState());
    EXPECT_TRUE(keys->getWhiteKey(2).getToggleState());
}

TEST_F(ScaleSection, AKeySwitchedOffDarkensTheMiniKeyboardAndPowerOffLeavesOnlyTheFrame)
{
    for (int p = 0; p < 12; ++p)
        EXPECT_EQ(miniKey(p), std::optional<bool>(true)) << p;
    EXPECT_EQ(section->type1Panel.presetButton.getButtonText(), "Preset");

    auto* keys = openKeyEditor();
    ASSERT_NE(keys, nullptr);
    const auto start = juce::Time::getMillisecondCounterHiRes();
    ASSERT_TRUE(zutest::click(keys->getWhiteKey(2)));
    EXPECT_FALSE((bool) key(2));
    EXPECT_TRUE(key(2).isBool());
    ASSERT_TRUE(zutest::pumpUntil([&] { return miniKey(4) == std::optional<bool>(false); }));
    EXPECT_GE(zutest::millisecondsSince(start), 200.0) << "150 ms here, then 100 ms in the key panel";
    std::array<bool, 12> active{};
    processor.scaleData.getActiveNoteListForScaleDisp(active);
    EXPECT_FALSE(active[4]);
    EXPECT_EQ(miniKey(5), std::optional<bool>(true));

    zutest::setHostParameter(processor, "p8_scale_pwr", 0.0f);
    EXPECT_TRUE(section->type1Panel.getInScaleKeys().getPath().isEmpty());
    EXPECT_TRUE(section->type1Panel.getOutOfScaleKeys().getPath().isEmpty());
    for (juce::Component* c : std::initializer_list<juce::Component*>{&section->modeSelector, &section->orderSelector,
                                                                      &section->targetPanel, &section->type1Panel})
        EXPECT_FALSE(c->isEnabled());
    EXPECT_TRUE(section->lockButton.isEnabled());
    zutest::setHostParameter(processor, "p8_scale_pwr", 1.0f);
    EXPECT_TRUE(section->orderSelector.isEnabled());
    EXPECT_EQ(miniKey(4), std::optional<bool>(false));
}

TEST_F(ScaleSection, ScalePresetsSaveRootAndShiftButLoadOnlyKeysAndName)
{
    auto& panel = section->type1Panel;
    zutest::setHostParameter(processor, "p8_scale_root", 2.0f);
    zutest::setHostParameter(processor, "p8_scale_rootshift", 1.0f);
    processor.paramTree.setProperty(zu::scalekeys::keyProperty(8), false, nullptr);
    panel.menuHandler(EffectUnitPanelBae::saveAsId, panel.menuButton, nullptr);
    ASSERT_TRUE(desktop.launches.empty()) << "the folder comes with the menu";
    panel.presetFolder = processor.scalePresetFolder;
    panel.menuHandler(EffectUnitPanelBae::saveAsId, panel.menuButton, nullptr);
    ASSERT_FALSE(desktop.launches.empty());
    EXPECT_EQ(desktop.launches.back().request.pattern, "*.scaletype1");
    desktop.launches.back().done(folder.getChildFile("Dorian"));
    const auto file = folder.getChildFile("Dorian.scaletype1");
    const auto xml = juce::parseXML(file);
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "Preset");
    juce::StringArray order{"presetname", "root", "rootshift"};
    for (int k = 0; k < 12; ++k)
        order.add(zu::scalekeys::keyAttribute(k));
    ASSERT_EQ(xml->getNumAttributes(), order.size());
    for (int i = 0; i < order.size(); ++i)
        EXPECT_EQ(xml->getAttributeName(i), order[i]);
    EXPECT_EQ(order[3], "scale_type1_wkey1");
    EXPECT_EQ(order[14], "scale_type1_bkey5");
    EXPECT_EQ(xml->getIntAttribute("root"), 2);
    EXPECT_EQ(xml->getIntAttribute("rootshift"), 1);
    EXPECT_EQ(xml->getIntAttribute("scale_type1_bkey2"), 0);
    EXPECT_EQ(xml->getIntAttribute("scale_type1_wkey7"), 1);

    // Other files: another tag and presetname; missing keys, "x" and 2.
    folder.getChildFile("Other.scaletype1")
        .replaceWithText("<Scale presetname=\"Not this\" scale_type1_wkey2=\"x\" scale_type1_bkey1=\"2\" "
                         "scale_type1_wkey5=\"1\"/>");
    folder.getChildFile("Zzz.scaletype1").replaceWithText("<Preset scale_type1_wkey1=\"1\"><Inner></Preset>");
    folder.getChildFile("Set.chordset").replaceWithText("<ChordSet/>");

    zutest::setHostParameter(processor, "p8_scale_root", 4.0f);
    zutest::setHostParameter(processor, "p8_scale_rootshift", 0.0f);
    auto list = panel.getMyMenu(true, false);
    EXPECT_EQ(panel.presetFiles.size(), 3) << "only scale presets";
    panel.menuHandler(EffectUnitPanelBae::firstFileId +
                          panel.presetFiles.indexOf(folder.getChildFile("Other.scaletype1").getFullPathName()),
                      panel.presetButton, nullptr);
    EXPECT_EQ(panel.presetButton.getButtonText(), "Other");
    EXPECT_EQ(processor.paramTree[zu::scalekeys::presetNameProperty].toString(), "Other");
    for (int k = 0; k < 12; ++k)
    {
        const bool off = k == 1 || k == 7;
        EXPECT_EQ(zu::readIntProperty(processor.paramTree, zu::scalekeys::keyProperty(k), -1),
                  off ? (k == 1 ? 0 : 2) : 1)
            << k;
    }
    EXPECT_EQ(zutest::hostParameter(processor, "p8_scale_root"), 4.0f) << "loading leaves the root";
    EXPECT_EQ(zutest::hostParameter(processor, "p8_scale_rootshift"), 0.0f);

    // A damaged file is not applied and does not become current; ">" on the
    // last file wraps to the first.
    panel.menuHandler(EffectUnitPanelBae::firstFileId + 2, panel.presetButton, nullptr);
    EXPECT_EQ(panel.currentPresetPath, folder.getChildFile("Other.scaletype1").getFullPathName());
    panel.currentPresetPath = folder.getChildFile("Zzz.scaletype1").getFullPathName();
    panel.presetArrow(true);
    EXPECT_EQ(panel.currentPresetPath, file.getFullPathName());
    EXPECT_EQ(panel.presetButton.getButtonText(), "Dorian");
    EXPECT_EQ(zu::readIntProperty(processor.paramTree, zu::scalekeys::keyProperty(8), -1), 0);

    // Saving over the current file writes it in place.
    panel.menuHandler(EffectUnitPanelBae::saveId, panel.menuButton, nullptr);
    panel.calloutBoxButtonIsClicked(0);
    EXPECT_EQ(juce::parseXML(file)->getIntAttribute("root"), 4);
    EXPECT_EQ(folder.findChildFiles(juce::File::findFiles, false).size(), 4) << "no temporary file is left";

    // The key editor lists and steps through scale presets only.
    auto* keys = openKeyEditor();
    ASSERT_NE(keys, nullptr);
    keys->presetFolder = folder.getFullPathName();
    auto keyList = keys->getMyMenu(true, false);
    EXPECT_EQ(keys->presetFiles.size(), 3);
    keys->presetArrow(false);
    keys->presetArrow(false);
    EXPECT_TRUE(keys->currentPresetPath.endsWith(".scaletype1"));
}

TEST_F(ScaleSection, InitializeAndANewInstanceGiveTwelveKeysPresetCAndNoShift)
{
    auto& panel = section->type1Panel;
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ((int) key(k), 1) << k;

    const auto scramble = [&]
    {
        for (int k : {0, 4, 9})
            processor.paramTree.setProperty(zu::scalekeys::keyProperty(k), 0, nullptr);
        processor.paramTree.setProperty(zu::scalekeys::presetNameProperty, "Mine", nullptr);
        zutest::setHostParameter(processor, "p8_scale_root", 5.0f);
        zutest::setHostParameter(processor, "p8_scale_rootshift", 1.0f);
    };
    const auto expectInitial = [&](const char* how)
    {
        for (int k = 0; k < 12; ++k)
            EXPECT_EQ((int) key(k), 1) << how << k;
        EXPECT_EQ(processor.paramTree[zu::scalekeys::presetNameProperty].toString(), "Preset") << how;
        EXPECT_EQ(panel.presetButton.getButtonText(), "Preset") << how;
        EXPECT_EQ(zutest::hostParameter(processor, "p8_scale_rootshift"), 0.0f) << how;
        // The root box tells its parameter on the message loop.
        EXPECT_TRUE(zutest::pumpUntil([&] { return zutest::hostParameter(processor, "p8_scale_root") == 0.0f; }))
            << how;
    };
    scramble();
    panel.menuHandler(EffectUnitPanelBae::initializeId, panel.menuButton, nullptr);
    expectInitial("panel menu ");
    scramble();
    editor->menuItemSelected(ZuMainMenuHandler::initializeCommand);
    expectInitial("initialise all ");
}

TEST_F(ScaleSection, SelectorsWriteTheirParametersAndFollowThem100MsLater)
{
    auto& order = section->orderSelector;
    EXPECT_EQ(order.getButton(1).getButtonText(), "Scale > TP");
    ASSERT_TRUE(zutest::click(order.getButton(1)));
    EXPECT_EQ(zutest::hostParameter(processor, "p8_scale_order"), 1.0f);
    zutest::setHostParameter(processor, "p8_scale_order", 0.0f);
    EXPECT_TRUE(order.getButton(1).getToggleState()) << "the buttons follow on the timer";
    EXPECT_TRUE(zutest::pumpUntil([&] { return order.getButton(0).getToggleState(); }));
    EXPECT_FALSE(order.getButton(1).getToggleState());
    EXPECT_EQ(order.getButton(0).getRadioGroupId(), 1000);

    auto& mode = section->modeSelector;
    EXPECT_TRUE(mode.getBounds().isEmpty());
    EXPECT_TRUE(mode.getButton(0).getToggleState());
    zutest::setHostParameter(processor, "p8_scale_type", 1.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return mode.getButton(1).getToggleState(); }));
    EXPECT_TRUE(mode.getBounds().isEmpty());
}

TEST_F(ScaleSection, LockFollowsItsPropertyAndKeepsTheScaleThroughAStateLoad)
{
    ASSERT_TRUE(zutest::click(section->lockButton));
    EXPECT_TRUE((bool) processor.paramTree["p0_scalelock"]);
    processor.paramTree.setProperty("p0_scalelock", 0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !section->lockButton.getToggleState(); }));

    // A state with other keys and another name.
    processor.paramTree.setProperty(zu::scalekeys::keyProperty(5), 0, nullptr);
    processor.paramTree.setProperty(zu::scalekeys::presetNameProperty, "Other", nullptr);
    juce::MemoryBlock other;
    processor.getStateInformation(other);
    // The locks hold once the first state load ended.
    processor.setStateInformation(other.getData(), (int) other.getSize());

    processor.paramTree.setProperty(zu::scalekeys::keyProperty(5), 1, nullptr);
    processor.paramTree.setProperty(zu::scalekeys::keyProperty(10), 0, nullptr);
    processor.paramTree.setProperty(zu::scalekeys::presetNameProperty, "Mine", nullptr);
    processor.paramTree.setProperty("p0_scalelock", 1, nullptr);
    // The editor hears of the load and the page tells the key panel.
    processor.setStateInformation(other.getData(), (int) other.getSize());
    EXPECT_TRUE(zutest::pumpUntil([&] { return section->type1Panel.presetButton.getButtonText() == "Mine"; }));
    EXPECT_EQ((int) key(5), 1);
    EXPECT_EQ((int) key(10), 0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return section->lockButton.getToggleState(); }));
}

TEST_F(ScaleSection, TargetsAndRootShiftTellTheMainPanelHoweverTheyChange)
{
    auto* main = editor->getMainPanel();
    ASSERT_NE(main, nullptr);
    int before = main->getNumScaleUpdates();
    zutest::setHostParameter(processor, "p8_scaletar2", 0.0f);
    EXPECT_GT(main->getNumScaleUpdates(), before);
    EXPECT_FALSE(section->targetPanel.getButton(1).getToggleState());
    before = main->getNumScaleUpdates();
    ASSERT_TRUE(zutest::click(section->targetPanel.getButton(1)));
    EXPECT_GT(main->getNumScaleUpdates(), before);
    EXPECT_EQ(zutest::hostParameter(processor, "p8_scaletar2"), 1.0f);
    EXPECT_EQ(section->targetPanel.getButton(0).findColour(juce::TextButton::buttonOnColourId),
              processor.unitColors[PluginSettingState::pitchColor]);

    before = main->getNumScaleUpdates();
    zutest::setHostParameter(processor, "p8_scale_rootshift", 1.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return main->getNumScaleUpdates() > before; }));
}

TEST_F(ScaleSection, DeletingTheEditorOrTheSectionWithTheKeyEditorOpenCrashesNothing)
{
    ASSERT_NE(openKeyEditor(), nullptr);
    section = nullptr;
    editor.reset();
    zutest::pumpFor(200);

    // A section that goes before its key editor's call-out.
    editor = zutest::makeEditor(processor);
    auto own = std::make_unique<ScalePanel>(processor.paramState, processor.mainTree, processor.paramTree,
                                            processor.globalData, processor.scaleData);
    editor->addAndMakeVisible(*own);
    own->setBounds(420, 300, 288, 56);
    own->type1Panel.editButtonClicked();
    juce::Component::SafePointer<juce::CallOutBox> box(own->type1Panel.getEditCallOut());
    ASSERT_NE(box.getComponent(), nullptr);
    own.reset();
    EXPECT_TRUE(zutest::pumpUntil([&] { return box.getComponent() == nullptr; }));
}

TEST_F(ScaleSection, Screens)
{
    ZuShared<ZuMirabox_ColorTheme> theme;
    processor.paramTree.setProperty(zu::scalekeys::keyProperty(7), 0, nullptr);
    processor.paramTree.setProperty(zu::scalekeys::keyProperty(8), 0, nullptr);
    processor.scaleData.updateType1ScaleList();
    section->scaleParamChanged();
    ASSERT_TRUE(zutest::pumpUntil([&] { return miniKey(1) == std::optional<bool>(false); }));
    const auto image = section->createComponentSnapshot(section->getLocalBounds(), true, 3.0f);
    EXPECT_EQ(image.getPixelAt(3, 3 * 28), theme->panelBgColor[1]);
    EXPECT_TRUE(zutest::writeScreen(image, "tools-scale-section.png"));

    auto* keys = openKeyEditor();
    ASSERT_NE(keys, nullptr);
    const auto keyImage = keys->createComponentSnapshot(keys->getLocalBounds(), true, 3.0f);
    EXPECT_EQ(keyImage.getPixelAt(2, 2), theme->unitAreaBgColor[0]);
    EXPECT_TRUE(zutest::writeScreen(keyImage, "tools-scale-key-editor.png"));
}
