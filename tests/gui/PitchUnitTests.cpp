// SPDX-License-Identifier: GPL-3.0-or-later
// The pitch sequencer unit panel, its pages and step columns, on a real
// processor inside a real editor.
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterPitchSeqPanel.h"

#include "ZuEditorAccess.h"
#include "ZuUnits.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour fullLabel{0xffcccccc};

struct PitchUnit : ::testing::Test
{
    PitchUnit() { build(0); }
    ~PitchUnit() override
    {
        panel.reset();
        for (auto& folder : folders)
            folder.deleteRecursively();
    }

    juce::ValueTree unitTree(int index)
    {
        return processor.paramTree.getChildWithName("seqmain").getChildWithName(
            zu::units::nodeName(zu::units::pitch, index));
    }
    juce::ValueTree modTree(int index)
    {
        return processor.paramTree.getChildWithName("modmain").getChildWithName(
            zu::units::modNodeName(zu::units::pitch, index));
    }

    // Builds and binds the panel as the center content does.
    void build(int index, juce::ValueTree tree = {})
    {
        panel.reset();
        panel = std::make_unique<ZuMirabox_CenterPitchSeqPanel>(
            index, processor.mainTree, modTree(index), juce::Colour(0xff89c997), processor.globalData,
            processor.scaleData, processor.chordData, processor.pitchSeqData, processor.lfoData);
        editor->addAndMakeVisible(*panel);
        panel->setBounds(0, 40, 1000, 240);
        panel->setAttachments(processor.paramState);
        panel->setAttachment(tree.isValid() ? tree : unitTree(index), zu::units::unitPrefix(zu::units::pitch, index));
        panel->setSkinMode(1);
    }

    std::vector<int> inRangeSteps()
    {
        std::vector<int> steps;
        for (int s = 0; s < zu::units::numSteps; ++s)
            if (panel->getStep(s).isInRange())
                steps.push_back(s + 1);
        return steps;
    }
    void setWindow(int start, int size)
    {
        unitTree(0).setProperty("p1m11_strt", start, nullptr);
        unitTree(0).setProperty("p1m11_size", size, nullptr);
        panel->stepStrtSizeChanged();
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    std::unique_ptr<ZuMirabox_CenterPitchSeqPanel> panel;
    std::vector<juce::File> folders;
};

TEST_F(PitchUnit, BindingANewUnitWritesTheStepAndToggleDefaults)
{
    juce::ValueTree fresh("ptchsq1");
    build(0, fresh);
    const std::vector<std::pair<const char*, double>> defaults{
        {"p1m11_pch1", 0},    {"p1m11_relpch1", 0}, {"p1m11_slk1", 0},     {"p1m11_spwr1", 1},    {"p1m11_slr1", 0},
        {"p1m11_pch32", 0},   {"p1m11_spwr32", 1},  {"p1m11_pch1_ms1", 0}, {"p1m11_pch1_md2", 0}, {"p1m11_page", 0},
        {"p1m11_vgp", 0},     {"p1m11_oct1", 2},    {"p1m11_vel1", 100},   {"p1m11_gate1", 50},   {"p1m11_prob1", 100},
        {"p1m11_relmode", 0}, {"p1m11_relbn", 48},  {"p1m11_strt", 1},     {"p1m11_size", 16},    {"p1m11_sclk", 11},
        {"p1m11_csync", 1}};
    for (const auto& [key, value] : defaults)
    {
        SCOPED_TRACE(key);
        ASSERT_TRUE(fresh.hasProperty(key));
        EXPECT_EQ((double) fresh.getProperty(key), value);
    }
    EXPECT_TRUE(fresh.hasProperty("p1m11_slr1_ms1"));
    EXPECT_TRUE(fresh.hasProperty("p1m11_spwr1_md1"));
    EXPECT_TRUE(fresh.hasProperty("p1m11_oct1_ms1"));
}

TEST_F(PitchUnit, StepsAreNumberedAcrossBothPages)
{
    for (int s : {0, 15, 16, 31})
    {
        EXPECT_EQ(panel->getStep(s).getStepIndex(), s);
        EXPECT_EQ(panel->getStep(s).pitchKnob.mainKnob.getName(), juce::String(s + 1));
    }
    unitTree(0).setProperty("p1m11_pch17", 4, nullptr);
    EXPECT_EQ(panel->getStep(16).pitchKnob.mainKnob.getValue(), 4.0);
}

TEST_F(PitchUnit, TheWindowWrapsAt32AndMovingItRestoresFullColours)
{
    struct Case
    {
        int start, size;
        std::vector<int> steps;
    };
    std::vector<int> from32{32};
    for (int s = 1; s <= 15; ++s)
        from32.push_back(s);
    std::sort(from32.begin(), from32.end());
    std::vector<int> all;
    for (int s = 1; s <= 32; ++s)
        all.push_back(s);
    const std::vector<Case> cases{{31, 4, {1, 2, 31, 32}}, {32, 16, from32}, {5, 32, all}, {1, 16, {}}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(juce::String(c.start) + "/" + juce::String(c.size));
        setWindow(c.start, c.size);
        auto expected = c.steps;
        if (expected.empty())
            for (int s = 1; s <= 16; ++s)
                expected.push_back(s);
        EXPECT_EQ(inRangeSteps(), expected);
    }

    setWindow(31, 4);
    EXPECT_NE(panel->getStep(9).noteLabel.findColour(juce::Label::textColourId), fullLabel);
    EXPECT_EQ(panel->getStep(30).noteLabel.findColour(juce::Label::textColourId), fullLabel);
    setWindow(9, 8);
    EXPECT_EQ(panel->getStep(9).noteLabel.findColour(juce::Label::textColourId), fullLabel);
    EXPECT_EQ(panel->getStep(8).pitchKnob.mainKnob.findColour(juce::Slider::rotarySliderFillColourId),
              juce::Colour(0xffeaeae1));
    EXPECT_NE(panel->getStep(30).noteLabel.findColour(juce::Label::textColourId), fullLabel);
    EXPECT_EQ(panel->getStep(30).pitchKnob.mainKnob.findColour(juce::Slider::thumbColourId), juce::Colour(0xff303030));
}

TEST_F(PitchUnit, TheNoteTextShowsNamesAndSignedRelativeValues)
{
    auto& step = panel->getStep(2);
    for (const auto& [pitch, text] : std::vector<std::pair<int, const char*>>{{0, "C"}, {1, "C#"}, {12, "C"}})
    {
        unitTree(0).setProperty("p1m11_pch3", pitch, nullptr);
        EXPECT_TRUE(zutest::pumpUntil([&] { return step.noteLabel.getText() == text; })) << pitch;
    }

    unitTree(0).setProperty("p1m11_relmode", 1, nullptr);
    panel->relModeButtonClicked();
    for (const auto& [value, text] : std::vector<std::pair<int, const char*>>{{0, "0"}, {5, "+5"}, {-12, "-12"}})
    {
        unitTree(0).setProperty("p1m11_relpch3", value, nullptr);
        EXPECT_TRUE(zutest::pumpUntil([&] { return step.noteLabel.getText() == text; })) << value;
    }
}

TEST_F(PitchUnit, RelativeModeShowsTheRelativeBarOnEveryStepAlsoAfterAStateLoad)
{
    unitTree(0).setProperty("p1m11_relmode", 1, nullptr);
    panel->relModeButtonClicked();
    for (int s = 0; s < zu::units::numSteps; ++s)
    {
        EXPECT_TRUE(panel->getStep(s).relKnob.isVisible()) << s;
        EXPECT_FALSE(panel->getStep(s).pitchKnob.isVisible()) << s;
    }

    // A state that holds relative mode reopens the unit in it.
    juce::MemoryBlock chunk;
    processor.getStateInformation(chunk);
    unitTree(0).setProperty("p1m11_relmode", 0, nullptr);
    build(0);
    EXPECT_FALSE(panel->getStep(7).isRelative());
    processor.setStateInformation(chunk.getData(), (int) chunk.getSize());
    build(0);
    for (int s = 0; s < zu::units::numSteps; ++s)
        EXPECT_TRUE(panel->getStep(s).relKnob.isVisible()) << s;
}

TEST_F(PitchUnit, BothVgpTogglesStayTogetherAndSwitchEveryStep)
{
    zutest::click(panel->vgpButtonRight);
    EXPECT_TRUE(panel->vgpButtonLeft.getToggleState());
    EXPECT_EQ((int) unitTree(0).getProperty("p1m11_vgp"), 1);
    for (int s = 0; s < zu::units::numSteps; ++s)
    {
        EXPECT_TRUE(panel->getStep(s).isVgpMode()) << s;
        EXPECT_FALSE(panel->getStep(s).noteLabel.isVisible()) << s;
    }
    zutest::click(panel->vgpButtonLeft);
    EXPECT_FALSE(panel->vgpButtonRight.getToggleState());
    EXPECT_FALSE(panel->getStep(20).isVgpMode());

    // Expanded, a V/G/P click still shows every control.
    panel->expandButton.setToggleState(true, juce::dontSendNotification);
    panel->resized();
    EXPECT_FALSE(panel->vgpButtonLeft.isVisible());
    zutest::click(panel->vgpButtonLeft);
    panel->vgpButtonClicked();
    for (int s : {0, 31})
    {
        EXPECT_TRUE(panel->getStep(s).noteLabel.isVisible());
        EXPECT_TRUE(panel->getStep(s).slurButton.isVisible());
    }
}

TEST_F(PitchUnit, TheStepPageToggleChoosesThePageAndIsStored)
{
    EXPECT_EQ(panel->getPageTabs().getCurrentTabIndex(), 0);
    zutest::click(panel->stepPageButton);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel->getPageTabs().getCurrentTabIndex() == 1; }));
    EXPECT_EQ((int) unitTree(0).getProperty("p1m11_page"), 1);
    EXPECT_GT(panel->getStep(16).getWidth(), 0);
}

TEST_F(PitchUnit, TheControlPageIsOnOnlyForTheText1)
{
    for (const auto& [text, on] : std::vector<std::pair<juce::var, bool>>{
             {juce::var("1"), true}, {juce::var(1), true}, {juce::var("true"), false}, {juce::var("0"), false}})
    {
        processor.mainTree.setProperty("c_pchsq1_tab", text, nullptr);
        build(0);
        EXPECT_EQ(panel->ctrlPageButton.getToggleState(), on) << text.toString();
    }
    processor.mainTree.removeProperty("c_pchsq1_tab", nullptr);
    build(0);
    EXPECT_FALSE(panel->ctrlPageButton.getToggleState());
    zutest::click(panel->ctrlPageButton);
    EXPECT_EQ(processor.mainTree.getProperty("c_pchsq1_tab").toString(), "1");
}

TEST_F(PitchUnit, EditingTheNameStoresItInTheGuiTree)
{
    processor.mainTree.removeProperty("unitlabel1", nullptr);
    build(0);
    EXPECT_EQ(panel->nameLabel.getText(), "P-SEQ 1");
    panel->nameLabel.setText("Bass", juce::sendNotificationSync);
    EXPECT_EQ(processor.mainTree.getProperty("unitlabel1").toString(), "Bass");
    build(0);
    EXPECT_EQ(panel->nameLabel.getText(), "Bass");
}

TEST_F(PitchUnit, ChordNamesStayThroughAScaleChange)
{
    processor.chordData.chordPower = true;
    processor.chordData.chordTargets[0] = true;
    panel->chordParamChanged();
    EXPECT_EQ(panel->getStep(0).noteLabel.getText(), "Chrd 1");
    unitTree(0).setProperty("p1m11_pch1", 11, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel->getStep(0).noteLabel.getText() == "Chrd 12"; }));
    panel->scaleParamChanged();
    EXPECT_EQ(panel->getStep(0).noteLabel.getText(), "Chrd 12");
    processor.chordData.chordPower = false;
    panel->chordParamChanged();
    EXPECT_NE(panel->getStep(0).noteLabel.getText(), "Chrd 12");
}

TEST_F(PitchUnit, BackgroundStaysBehindAndPagesLayOutSixteenColumns)
{
    EXPECT_EQ(panel->getChildComponent(0), &panel->getUnitBg());
    EXPECT_EQ(panel->getUnitBg().getBounds(), panel->getLocalBounds());
    auto& page = panel->getPage(0);
    const int W = juce::jmax(0, page.getWidth() - 4);
    const int cw = (int) ((float) W * 0.06252f);
    EXPECT_EQ(page.getStep(1).getX() - page.getStep(0).getX(), cw);
    EXPECT_EQ(page.getStep(0).getWidth(), cw);

    panel->minimizeButton.setToggleState(true, juce::dontSendNotification);
    panel->setBounds(0, 40, 1000, 17);
    EXPECT_FALSE(panel->getPageTabs().isVisible());
    EXPECT_FALSE(panel->ctrlPageButton.isVisible());
    EXPECT_FALSE(panel->getSnapButton().isVisible());
}

TEST_F(PitchUnit, PowerOffDisablesTheUnitsControls)
{
    zutest::click(panel->powerButton);
    EXPECT_FALSE(panel->powerButton.getToggleState());
    EXPECT_FALSE(panel->getPage(0).isEnabled());
    EXPECT_FALSE(panel->ctrlPageButton.isEnabled());
    panel->initialize();
    EXPECT_TRUE(panel->powerButton.getToggleState());
    EXPECT_TRUE(panel->getPage(0).isEnabled());
}

TEST_F(PitchUnit, SaveAsThenSaveWritesAPresetThatLoadsIntoAnotherPitchUnit)
{
    zutest::DesktopRecorder desktop;
    const auto folder = zutest::uniqueTempFolder("zu-pitch-presets");
    folders.push_back(folder);
    processor.unitPresetFolders[0] = folder.getFullPathName();

    unitTree(0).setProperty("p1m11_pch1", 7, nullptr);
    panel->getDeleteItemMenu();
    panel->menuHandler(ZuCenterUnitPanelBase::saveAsId, editor.get());
    ASSERT_EQ(desktop.launches.size(), 1u);
    desktop.launches[0].done(folder.getChildFile("lead"));
    const auto file = folder.getChildFile("lead.pchsq");
    ASSERT_TRUE(file.existsAsFile());

    // Plain Save over the current file: the step, a snapshot and a modulator.
    unitTree(0).setProperty("p1m11_pch1", 9, nullptr);
    processor.updateSeqSnapVt(0, 0, 3);
    unitTree(0).setProperty("p1m11_pch1", 5, nullptr);
    modTree(0).getChildWithName("mod1").setProperty("p6m111_kfr", 0.25, nullptr);
    panel->getDeleteItemMenu();
    panel->menuHandler(ZuCenterUnitPanelBase::saveId, editor.get());
    panel->calloutBoxButtonIsClicked(0);
    const auto xml = juce::parseXML(file);
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "Preset");
    EXPECT_NE(xml->getChildByName("mainparams"), nullptr);

    // Into pitch unit 2.
    build(1);
    panel->getDeleteItemMenu();
    const int index = panel->presetFiles.indexOf(file.getFullPathName());
    ASSERT_GE(index, 0);
    panel->menuHandler(ZuCenterUnitPanelBase::firstFileId + index, editor.get());
    EXPECT_EQ((double) unitTree(1).getProperty("p1m12_pch1"), 5.0);
    const auto snap = processor.snapTree.getChildWithName("ptchsq2").getChildWithName("snap4");
    EXPECT_EQ((double) snap.getProperty("p1m12_pch1"), 9.0);
    EXPECT_EQ((double) modTree(1).getChildWithName("mod1").getProperty("p6m121_kfr"), 0.25);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel->getStep(0).noteLabel.getText() == "F"; }));
}

TEST_F(PitchUnit, ModulationBadgesShowTheAssignmentsOfTheSnapshotOnScreen)
{
    auto& pitch = panel->getStep(0).pitchKnob;
    auto& slot = pitch.slots[0];
    const auto badge = [&] { return slot.amountKnob.getProperties()["modsrc"].toString(); };
    const auto arc = [&] { return (double) pitch.mainKnob.getProperties().getWithDefault("Mod1", 0.0); };
    auto* snapshot = processor.paramState.getParameter("p1m11_snp");
    const auto switchTo = [&](int s) { snapshot->setValueNotifyingHost(snapshot->convertTo0to1((float) s)); };

    // Mod1 on step 1's pitch, by the slot's own menu and knob, in snapshot A.
    slot.sourceMenuChosen(2);
    slot.amountKnob.setValue(0.6, juce::sendNotificationSync);
    ASSERT_EQ(badge(), "1");
    ASSERT_NE(arc(), 0.0);

    // B was never given one: no badge, no arc; back on A both return.
    switchTo(1);
    EXPECT_TRUE(zutest::pumpUntil([&] { return badge() == "-"; }));
    EXPECT_TRUE(zutest::pumpUntil([&] { return arc() == 0.0; }));
    switchTo(0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return badge() == "1"; }));
    EXPECT_TRUE(zutest::pumpUntil([&] { return arc() != 0.0; }));

    // On B again, A copied onto it brings the assignment along.
    switchTo(1);
    ASSERT_TRUE(zutest::pumpUntil([&] { return badge() == "-"; }));
    ZuEditorAccess(processor).copyPasteSnapshot(1, 1, 0, 1);
    EXPECT_TRUE(zutest::pumpUntil([&] { return badge() == "1"; }));
    EXPECT_TRUE(zutest::pumpUntil([&] { return arc() != 0.0; }));
    // The display wrote nothing back: A and B both keep their assignment.
    switchTo(0);
    ASSERT_TRUE(zutest::pumpUntil(
        [&] { return processor.pitchSeqData.units[0].snaps[1].steps[0].pch.modSource[0].load() != 0; }));
    EXPECT_EQ(badge(), "1");
}

// The size the editor's unit column gives a pitch unit in a state (a
// "ctstate" token's last two digits), at scale 1.
juce::Point<int> editorUnitSize(const char* token)
{
    ZumiraboxAudioProcessor processor;
    processor.mainTree.setProperty("ctstate", juce::String("CT:1") + token + " ", nullptr);
    auto editor = zutest::makeEditor(processor);
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    EXPECT_TRUE(zutest::pumpUntil([&] { return content.getNumUnitPanels() == 1; }));
    if (content.getNumUnitPanels() != 1)
        return {};
    const auto size = content.getUnitPanel(0)->getBounds();
    return {size.getWidth(), size.getHeight()};
}

TEST_F(PitchUnit, ScreensNormalExpandedMinimisedRelativeAndVgp)
{
    struct Variant
    {
        const char* name;
        const char* state;
        std::function<void()> set;
    };
    const std::vector<Variant> variants{
        {"normal", "00", [] {}},
        {"expanded", "20", [this] { panel->expandButton.setToggleState(true, juce::dontSendNotification); }},
        {"minimised", "10", [this] { panel->minimizeButton.setToggleState(true, juce::dontSendNotification); }},
        {"relative", "00",
         [this]
         {
             unitTree(0).setProperty("p1m11_relmode", 1, nullptr);
             for (int s = 0; s < 16; ++s)
                 unitTree(0).setProperty("p1m11_relpch" + juce::String(s + 1), (s % 7) * 3 - 9, nullptr);
             panel->relModeButtonClicked();
         }},
        {"vgp", "00", [this] { zutest::click(panel->vgpButtonLeft); }},
        {"modpanel", "01", [this] { panel->modButton.setToggleState(true, juce::dontSendNotification); }}};
    for (const auto& v : variants)
    {
        // Laid out at the size the editor gives it, drawn as the window does
        // at scale 1 and 1.5.
        const auto size = editorUnitSize(v.state);
        ASSERT_GT(size.y, 0) << v.name;
        build(0);
        for (int s = 0; s < 16; ++s)
            unitTree(0).setProperty("p1m11_pch" + juce::String(s + 1), (s * 5) % 13, nullptr);
        setWindow(3, 12);
        v.set();
        panel->setBounds(0, 40, size.x, size.y);
        panel->colorMapping();
        panel->resized();
        zutest::pumpFor(50);
        for (float scale : {1.0f, 1.5f})
        {
            const auto image = panel->createComponentSnapshot(panel->getLocalBounds(), true, scale);
            const auto name = juce::String("gui-pitch-unit-") + v.name + (scale == 1.0f ? "" : "@1.5") + ".png";
            EXPECT_TRUE(zutest::writeScreen(image, name)) << v.name;
        }
    }
}
} // namespace
