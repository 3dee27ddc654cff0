// SPDX-License-Identifier: GPL-3.0-or-later
// The first control page of a pitch unit: bindings and their defaults, the
// base-note texts, the relative mode, the play-window reports, value texts,
// colours and layout.
#include "CenterPitchSeq_CtrlPanel1.h"
#include "GuiTestHelpers.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_CenterUnitPanels.h"

#include "ZuUnits.h"

#include <gtest/gtest.h>

namespace
{
// A pitch unit panel of the processor's models: the control page's owner.
struct PitchUnitOwner
{
    ZuMirabox_CenterPitchSeqPanel panel;
    PitchUnitOwner(ZumiraboxAudioProcessor& p, int index)
        : panel(index, p.mainTree, juce::ValueTree(), juce::Colour(0xff89c997), p.globalData, p.scaleData, p.chordData,
                p.pitchSeqData, p.lfoData)
    {
    }
};

// A control page of the first pitch unit, bound to a unit tree of its own
// and counting what it reports to its unit panel.
struct CtrlPanel1 : ::testing::Test
{
    ZumiraboxAudioProcessor processor;
    PitchUnitOwner owner{processor, 0};
    ZuMirabox_CenterPitchSeqPanel& unitPanel = owner.panel;
    CenterPitchSeq_CtrlPanel1 panel{0, unitPanel};
    juce::ValueTree unitTree{"ptchsq1"};
    int rangeReports = 0;
    juce::Array<bool> modeReports;

    CtrlPanel1()
    {
        panel.onStepRangeChanged = [this] { ++rangeReports; };
        panel.onRelativeModeChanged = [this](bool on) { modeReports.add(on); };
        panel.setBounds(0, 0, 300, 200);
    }

    bool baseNoteWidgetsShown() const
    {
        return panel.baseNoteMenu.isVisible() && panel.baseNoteLabel.isVisible() && panel.baseNoteModKnobs.isVisible();
    }

    bool baseNoteWidgetsHidden() const
    {
        return !panel.baseNoteMenu.isVisible() && !panel.baseNoteLabel.isVisible() &&
               !panel.baseNoteModKnobs.isVisible();
    }
};

TEST_F(CtrlPanel1, BindingANewUnitWritesTheDefaultsAndHidesTheBaseNote)
{
    panel.setAttachment(unitTree, "p1m11_");

    const std::pair<const char*, int> defaults[] = {{"p1m11_relmode", 0}, {"p1m11_relbn", 48}, {"p1m11_strt", 1},
                                                    {"p1m11_size", 16},   {"p1m11_goct", 0},   {"p1m11_tp", 0}};
    for (const auto& [key, value] : defaults)
    {
        ASSERT_TRUE(unitTree.hasProperty(key)) << key;
        EXPECT_EQ((int) unitTree.getProperty(key), value) << key;
    }
    EXPECT_EQ((int) unitTree.getProperty("p1m11_sclk"), 11);
    EXPECT_EQ((int) unitTree.getProperty("p1m11_csync"), 1);
    for (const char* key : {"p1m11_dir", "p1m11_rst", "p1m11_clktyp", "p1m11_fclk", "p1m11_dir_ms1", "p1m11_sclk_ms1"})
        EXPECT_TRUE(unitTree.hasProperty(key)) << key;
    EXPECT_TRUE(unitTree.hasProperty("p1m11_relbn_ms1"));
    EXPECT_TRUE(unitTree.hasProperty("p1m11_relbn_md2"));

    EXPECT_EQ(panel.baseNoteMenu.getText(), "B1");
    EXPECT_TRUE(baseNoteWidgetsHidden());
    EXPECT_EQ(modeReports, juce::Array<bool>{false});
}

TEST_F(CtrlPanel1, StoredValuesAreKeptNotOverwritten)
{
    unitTree.setProperty("p1m12_strt", 5.0, nullptr);
    unitTree.setProperty("p1m12_relbn", 61, nullptr);
    CenterPitchSeq_CtrlPanel1 second{1, unitPanel};
    second.setAttachment(unitTree, "p1m12_");
    EXPECT_EQ(second.strtBox.valueBox.getValue(), 5.0);
    EXPECT_EQ(second.baseNoteMenu.getText(), "C3");
    EXPECT_EQ((int) unitTree.getProperty("p1m12_size"), 16);
}

TEST(CtrlPanel1Notes, TheBaseNoteTextsNameEveryMidiNote)
{
    const std::pair<int, const char*> notes[] = {{0, "-C2"}, {11, "-B2"}, {12, "-C1"}, {23, "-B1"}, {24, "C0"},
                                                 {47, "B1"}, {60, "C3"},  {61, "C#3"}, {127, "G8"}};
    ZumiraboxAudioProcessor processor;
    PitchUnitOwner owner{processor, 0};
    auto& unitPanel = owner.panel;
    CenterPitchSeq_CtrlPanel1 panel{0, unitPanel};
    ASSERT_EQ(panel.baseNoteMenu.getNumItems(), 128);
    for (const auto& [note, text] : notes)
    {
        EXPECT_EQ(CenterPitchSeq_CtrlPanel1::noteText(note), text) << note;
        // Item id k names note k - 1.
        EXPECT_EQ(panel.baseNoteMenu.getItemText(note), text) << note;
        EXPECT_EQ(panel.baseNoteMenu.getItemId(note), note + 1);
    }
}

TEST_F(CtrlPanel1, AClickOnRelModeShowsTheBaseNoteAndReachesTheUnit)
{
    panel.setAttachment(unitTree, "p1m11_");
    modeReports.clear();

    ASSERT_TRUE(zutest::click(panel.relModeButton));
    EXPECT_EQ((int) unitTree.getProperty("p1m11_relmode"), 1);
    EXPECT_TRUE(baseNoteWidgetsShown());
    ASSERT_FALSE(modeReports.isEmpty());
    EXPECT_TRUE(modeReports.getLast());

    ASSERT_TRUE(zutest::click(panel.relModeButton));
    EXPECT_EQ((int) unitTree.getProperty("p1m11_relmode"), 0);
    EXPECT_TRUE(baseNoteWidgetsHidden());
    EXPECT_FALSE(modeReports.getLast());
}

TEST_F(CtrlPanel1, ARelativeModeArrivingInTheTreeIsAppliedWithoutAClick)
{
    panel.setAttachment(unitTree, "p1m11_");
    modeReports.clear();

    // As a state load or an undo writes it.
    unitTree.setProperty("p1m11_relmode", 1, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return baseNoteWidgetsShown(); }));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !modeReports.isEmpty() && modeReports.getLast(); }));

    unitTree.setProperty("p1m11_relmode", 0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return baseNoteWidgetsHidden(); }));
    EXPECT_FALSE(modeReports.getLast());
}

TEST_F(CtrlPanel1, AStoredRelativeModeShowsAtOnceWhenBound)
{
    unitTree.setProperty("p1m11_relmode", 1, nullptr);
    panel.setAttachment(unitTree, "p1m11_");
    EXPECT_TRUE(baseNoteWidgetsShown());
    EXPECT_EQ(modeReports, juce::Array<bool>{true});
}

TEST_F(CtrlPanel1, StartAndSizeReportTheWindowOctAndTpDoNot)
{
    panel.setAttachment(unitTree, "p1m11_");
    rangeReports = 0;

    // Value changes reach the panel in the order they were made: once the
    // Start report is in, an Oct or TP report would have come before it.
    panel.octBox.valueBox.setValue(2.0);
    panel.tpBox.valueBox.setValue(-5.0);
    panel.strtBox.valueBox.setValue(9.0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return rangeReports > 0; }));
    EXPECT_EQ(rangeReports, 1);
    EXPECT_EQ((double) unitTree.getProperty("p1m11_goct"), 2.0);
    EXPECT_EQ((double) unitTree.getProperty("p1m11_tp"), -5.0);

    // A Size arriving by the tree (a state load) reports too.
    unitTree.setProperty("p1m11_size", 4.0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return rangeReports == 2; }));
    EXPECT_EQ(panel.sizeBox.valueBox.getValue(), 4.0);
}

TEST_F(CtrlPanel1, BoxesShowWholeNumbers)
{
    panel.setAttachment(unitTree, "p1m11_");
    struct Case
    {
        SEQ1CtrlPanel_StrtSizeBox& box;
        const char* name;
        double value;
        const char* text;
    };
    const Case cases[] = {{panel.strtBox, "Start", 1.0, "1"},  {panel.sizeBox, "Size", 16.0, "16"},
                          {panel.sizeBox, "Size", 32.0, "32"}, {panel.octBox, "Oct", -3.0, "-3"},
                          {panel.octBox, "Oct", 3.0, "3"},     {panel.tpBox, "TP", -12.0, "-12"},
                          {panel.tpBox, "TP", 12.0, "12"},     {panel.tpBox, "TP", 0.0, "0"}};
    for (const auto& c : cases)
    {
        c.box.valueBox.setValue(c.value);
        EXPECT_EQ(c.box.valueBox.getName(), c.name);
        EXPECT_EQ(c.box.valueBox.getTextFromValue(c.box.valueBox.getValue()), c.text) << c.name << " " << c.value;
    }
    EXPECT_EQ(panel.octBox.valueBox.getMinimum(), -3.0);
    EXPECT_EQ(panel.tpBox.valueBox.getMaximum(), 12.0);

    EXPECT_EQ(CenterPitchSeq_CtrlPanel1::wholeNumberText(2.7), "2");
    EXPECT_EQ(CenterPitchSeq_CtrlPanel1::wholeNumberText(-2.5), "-3");
    EXPECT_EQ(CenterPitchSeq_CtrlPanel1::wholeNumberText(std::nan("")), "0");
}

TEST(CtrlPanel1Channel, TheChannelBoxFollowsTheUnitsHostParameter)
{
    ZumiraboxAudioProcessor processor;
    PitchUnitOwner owner{processor, 2};
    auto& unitPanel = owner.panel;
    CenterPitchSeq_CtrlPanel1 panel{2, unitPanel};
    panel.setAttachment(processor.paramState);

    zutest::setHostParameter(processor, "p1m13_ch", 5.0f);
    auto& box = panel.chPanel.getNumberBox();
    EXPECT_TRUE(zutest::pumpUntil([&] { return box.getValue() == 5.0; }));
    box.setValue(0.0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return zutest::hostParameter(processor, "p1m13_ch") == 0.0f; }));
    EXPECT_EQ(box.getTextFromValue(0.0), "M");
}

TEST_F(CtrlPanel1, WithoutAnEditorTheRelModeOnColourIsTheFallback)
{
    panel.setSkinMode(1);
    EXPECT_EQ(panel.relModeButton.findColour(juce::TextButton::buttonOnColourId), juce::Colour(0xffd0d0d0));
    EXPECT_EQ(panel.baseColor, ZuShared<ZuMirabox_ColorTheme>()->entry(31, 1));
}

TEST(CtrlPanel1Colours, InsideTheEditorTheRelModeOnColourIsThePitchUnitColour)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    PitchUnitOwner owner{processor, 0};
    auto& unitPanel = owner.panel;
    CenterPitchSeq_CtrlPanel1 panel{0, unitPanel};
    editor->addAndMakeVisible(panel);
    panel.setSkinMode(1);
    EXPECT_EQ(panel.relModeButton.findColour(juce::TextButton::buttonOnColourId),
              processor.unitColors[PluginSettingState::pitchColor]);
}

TEST_F(CtrlPanel1, LayoutNormalAndExpanded)
{
    struct Case
    {
        bool expanded;
        juce::Component& widget;
        juce::Rectangle<int> bounds;
    };
    const Case cases[] = {
        {false, panel.relModeButton, {9, 5, 95, 32}},  {false, panel.baseNoteLabel, {107, 5, 74, 32}},
        {false, panel.baseNoteMenu, {184, 6, 52, 30}}, {false, panel.baseNoteModKnobs, {238, 9, 53, 24}},
        {false, panel.dirButton, {10, 41, 280, 28}},   {false, panel.clockPanel, {9, 73, 145, 50}},
        {false, panel.resetPanel, {156, 73, 90, 50}},  {false, panel.chPanel, {246, 73, 45, 50}},
        {false, panel.strtBox, {9, 127, 139, 30}},     {false, panel.sizeBox, {152, 127, 139, 30}},
        {false, panel.octBox, {9, 161, 139, 30}},      {false, panel.tpBox, {152, 161, 139, 30}},
        {true, panel.relModeButton, {9, 8, 95, 31}},   {true, panel.baseNoteModKnobs, {238, 12, 53, 23}},
        {true, panel.dirButton, {10, 43, 280, 27}},    {true, panel.clockPanel, {9, 74, 145, 50}},
    };
    for (const auto& c : cases)
    {
        panel.expanded = c.expanded;
        panel.resized();
        EXPECT_EQ(c.widget.getBounds(), c.bounds) << c.expanded << " " << c.bounds.toString();
    }
}

TEST(Screens, PitchControlPanel1)
{
    ZumiraboxAudioProcessor processor;
    PitchUnitOwner owner{processor, 0};
    ZuMirabox_CenterPitchSeqPanel& unitPanel = owner.panel;
    CenterPitchSeq_CtrlPanel1 panel{0, unitPanel};
    juce::ValueTree unitTree{"ptchsq1"};
    panel.setAttachment(unitTree, "p1m11_");
    panel.setSkinMode(1);
    panel.setBounds(0, 0, 300, 200);

    const auto shot = [&panel](bool expanded)
    {
        panel.expanded = expanded;
        panel.resized();
        juce::Image image(juce::Image::ARGB, panel.getWidth(), panel.getHeight(), true);
        {
            juce::Graphics g(image);
            g.fillAll(panel.baseColor);
            panel.paintEntireComponent(g, false);
        }
        return image;
    };
    const auto normal = shot(false);
    unitTree.setProperty("p1m11_relmode", 1, nullptr);
    ASSERT_TRUE(zutest::pumpUntil([&] { return panel.baseNoteMenu.isVisible(); }));
    const auto relative = shot(false);
    panel.setBounds(0, 0, 300, 260);
    const auto expanded = shot(true);

    juce::Image sheet(juce::Image::ARGB, 3 * 300 + 40, 260 + 20, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff292929));
        g.drawImageAt(normal, 10, 10);
        g.drawImageAt(relative, 320, 10);
        g.drawImageAt(expanded, 630, 10);
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-pitch-ctrl-panel1.png"));
}
} // namespace
