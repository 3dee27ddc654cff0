// SPDX-License-Identifier: GPL-3.0-or-later
// The CC rack panel and its eight knob units, on a real processor inside a
// real editor.
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterUnitPanels.h"

#include "ZuUnits.h"

#include <gtest/gtest.h>

#include <cmath>

namespace
{
using zu::units::ccRack;

struct CcRack : ::testing::Test
{
    ~CcRack() override
    {
        panel.reset();
        for (auto& folder : folders)
            folder.deleteRecursively();
    }

    juce::ValueTree rackTree(int index)
    {
        return processor.paramTree.getChildWithName("seqmain").getChildWithName(zu::units::nodeName(ccRack, index));
    }
    juce::ValueTree modTree(int index)
    {
        return processor.paramTree.getChildWithName("modmain").getChildWithName(zu::units::modNodeName(ccRack, index));
    }

    // Builds and binds a rack as the center content does, inside the editor.
    ZuMirabox_CenterCcRackPanel& build(int index, juce::ValueTree tree = {})
    {
        panel.reset();
        panel = std::make_unique<ZuMirabox_CenterCcRackPanel>(index, processor.mainTree, modTree(index),
                                                              juce::Colour(0xffc0a0e0), processor.lfoData);
        editor->addAndMakeVisible(*panel);
        panel->setBounds(0, 40, 973, 95);
        panel->setAttachments(processor.paramState);
        panel->setAttachment(tree.isValid() ? tree : rackTree(index), zu::units::unitPrefix(ccRack, index));
        panel->setSkinMode(1);
        return *panel;
    }

    void set(int index, const juce::String& key, juce::var value)
    {
        rackTree(index).setProperty(zu::units::unitPrefix(ccRack, index) + key, value, nullptr);
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    std::unique_ptr<ZuMirabox_CenterCcRackPanel> panel;
    std::vector<juce::File> folders;
};

TEST_F(CcRack, TheContainerBindsRackTwoToItsTreeAndAFreshTreeGetsEveryKnobDefault)
{
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    ASSERT_TRUE(zutest::pumpUntil([&] { return content.getNumAddSlots() > 0; }));
    content.addUnit(15, -1);
    auto* rack = dynamic_cast<ZuMirabox_CenterCcRackPanel*>(content.getUnitPanel(0));
    ASSERT_NE(rack, nullptr);
    EXPECT_EQ(rack->unitId, 15);
    EXPECT_EQ(rack->getSnapButton().getButton(0).parameterID, "p5m52_snp");
    set(1, "kval4", 0.5);
    EXPECT_TRUE(zutest::pumpUntil([&] { return rack->getKnob(3).knob.mainKnob.getValue() == 0.5; }));

    juce::ValueTree fresh("ccrack2");
    auto& built = build(1, fresh);
    for (int j = 1; j <= 8; ++j)
    {
        SCOPED_TRACE(j);
        const auto key = [j](const char* name) { return zu::units::numberedKey("p5m52_", name, j); };
        const std::vector<std::pair<juce::String, double>> defaults{{key("kval"), 0},   {key("kpwr"), 1},
                                                                    {key("kmin"), 0},   {key("kmax"), 127},
                                                                    {key("ktarcc"), 0}, {key("kch"), 0}};
        for (const auto& [name, value] : defaults)
        {
            ASSERT_TRUE(fresh.hasProperty(name)) << name;
            EXPECT_EQ((double) fresh.getProperty(name), value) << name;
        }
        EXPECT_EQ(fresh.getProperty(key("kname")).toString(), "Knob Name");
        EXPECT_TRUE(fresh.hasProperty(key("kval") + "_ms1"));
        EXPECT_EQ(built.getKnob(j - 1).knob.mainKnob.getName(), juce::String(j));
    }
    EXPECT_EQ(built.getKnob(2).nameLabel.getName(), "p5_ccrk2lbl3");
}

TEST_F(CcRack, TheValueTextFollowsTheKnobAtOnceAndTheRangeLater)
{
    auto& rack = build(0);
    auto& unit = rack.getKnob(1);
    set(0, "kval2", 0.5);
    EXPECT_TRUE(zutest::pumpUntil([&] { return unit.valueLabel.getText() == "64"; }));

    set(0, "kmin2", 20.0);
    set(0, "kmax2", 10.0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return unit.isTimerRunning(CenterCcRack_StepUnit::rangeTimer); }));
    EXPECT_EQ(unit.valueLabel.getText(), "64");
    set(0, "kval2", 1.0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return unit.valueLabel.getText() == "10"; }));

    EXPECT_EQ(CenterCcRack_StepUnit::outputValue(0.5, 0.0, 127.0), 64);
    EXPECT_EQ(CenterCcRack_StepUnit::outputValue(1.0, 0.0, 300.0), 127);
    EXPECT_EQ(CenterCcRack_StepUnit::outputValue(0.0, -20.0, 0.0), 0);

    for (const auto& [value, text] : std::vector<std::pair<double, const char*>>{{0, "--"}, {1, "0"}, {128, "127"}})
        EXPECT_EQ(unit.ccBox.getTextFromValue(value), text);
    EXPECT_EQ(unit.channelBox.getNumberBox().getTextFromValue(0.0), "M");
}

TEST_F(CcRack, TypedValuesSetTheKnobWithinItsRange)
{
    auto& rack = build(0);
    auto& unit = rack.getKnob(0);
    const auto type = [&](const char* text)
    {
        // As the label's editor ends: the entry runs even when the text
        // equals what the label showed.
        unit.valueLabel.setText(text, juce::dontSendNotification);
        unit.valueEntered();
        return (double) rackTree(0).getProperty("p5m51_kval1");
    };
    set(0, "kmin1", 0.0);
    set(0, "kmax1", 100.0);
    zutest::pumpFor(20);
    EXPECT_EQ(type("200"), 1.0);
    EXPECT_EQ(unit.valueLabel.getText(), "100");
    EXPECT_EQ(type("-5"), 0.0);
    EXPECT_EQ(type("x"), 0.0);
    // The label's own change notification carries an entry too.
    unit.valueLabel.setText("55", juce::sendNotificationSync);
    EXPECT_NEAR((double) rackTree(0).getProperty("p5m51_kval1"), 0.55, 1e-6);

    // Min equal to Max: at or above it the knob's top, below it the bottom.
    set(0, "kmin1", 40.0);
    set(0, "kmax1", 40.0);
    zutest::pumpFor(20);
    EXPECT_EQ(type("40"), 1.0);
    EXPECT_EQ(type("39"), 0.0);
    EXPECT_EQ(type("127"), 1.0);
    EXPECT_FALSE(std::isnan((double) rackTree(0).getProperty("p5m51_kval1")));
    EXPECT_EQ(CenterCcRack_StepUnit::knobValueOf(std::nanf(""), 0.0f, 100.0f), 0.0f);
    EXPECT_FLOAT_EQ(CenterCcRack_StepUnit::knobValueOf(25.0f, 100.0f, 0.0f), 0.75f);
}

TEST_F(CcRack, AnEmptiedNameReturnsToTheDefault)
{
    auto& rack = build(0);
    auto& label = rack.getKnob(4).nameLabel;
    label.setText("Cutoff", juce::sendNotificationSync);
    EXPECT_EQ(rackTree(0).getProperty("p5m51_kname5").toString(), "Cutoff");
    label.setText({}, juce::sendNotificationSync);
    EXPECT_EQ(label.getText(), "Knob Name");
    EXPECT_EQ(rackTree(0).getProperty("p5m51_kname5").toString(), "Knob Name");
    // Emptied from elsewhere (a load), the same.
    set(0, "kname5", "");
    EXPECT_TRUE(zutest::pumpUntil([&] { return rackTree(0).getProperty("p5m51_kname5").toString() == "Knob Name"; }));
}

TEST_F(CcRack, KnobAndRackPowerAreIndependent)
{
    auto& rack = build(0);
    auto& unit = rack.getKnob(2);
    ASSERT_TRUE(zutest::click(unit.powerButton));
    EXPECT_EQ((int) rackTree(0).getProperty("p5m51_kpwr3"), 0);
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&unit.knob, &unit.ccBox, &unit.minBox, &unit.maxBox, &unit.channelBox,
                                                 &unit.nameLabel, &unit.valueLabel, &unit.ccLabel})
        EXPECT_FALSE(c->isEnabled());
    EXPECT_TRUE(unit.powerButton.isEnabled());
    // A press on the value area reaches the drag box, which still edits.
    const auto centre = unit.valueLabel.getBounds().getCentre();
    EXPECT_EQ(unit.getComponentAt(centre), &unit.dragBox);
    EXPECT_TRUE(unit.dragBox.isEnabled());
    unit.dragBox.setValue(0.6, juce::sendNotificationSync);
    EXPECT_EQ((double) rackTree(0).getProperty("p5m51_kval3"), 0.6);

    ASSERT_TRUE(zutest::click(rack.powerButton));
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(rack.getKnob(k).isEnabled()) << k;
    EXPECT_FALSE(rack.snapButton.isEnabled());
    EXPECT_FALSE(rack.modPanel.isEnabled());
    ASSERT_TRUE(zutest::click(rack.powerButton));
    EXPECT_TRUE(rack.getKnob(0).knob.isEnabled());
    EXPECT_FALSE(unit.knob.isEnabled());
    EXPECT_TRUE(unit.powerButton.isEnabled());

    // The knob's state follows its tree too.
    set(0, "kpwr3", 1);
    EXPECT_TRUE(zutest::pumpUntil([&] { return unit.knob.isEnabled(); }));
}

TEST_F(CcRack, AMinimisedRackIsOneRoundedShapeInTheDarkenedUnitColour)
{
    auto& rack = build(0);
    rack.minimizeButton.setToggleState(true, juce::dontSendNotification);
    rack.setBounds(0, 40, 973, 17);
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(rack.getKnob(k).isVisible());
    EXPECT_FALSE(rack.snapButton.isVisible());
    EXPECT_FALSE(rack.modPanel.isVisible());
    EXPECT_FALSE(rack.getUnitBg().getPath(0).getPath().isEmpty());
    for (int i = 1; i < UnitBg::numPaths; ++i)
        EXPECT_TRUE(rack.getUnitBg().getPath(i).getPath().isEmpty()) << i;
    const auto image = rack.createComponentSnapshot(rack.getLocalBounds());
    EXPECT_EQ(image.getPixelAt(rack.getWidth() / 3, 8).withAlpha(1.0f), rack.unitColor.darker(0.6f));

    rack.minimizeButton.setToggleState(false, juce::dontSendNotification);
    rack.setBounds(0, 40, 973, 95);
    EXPECT_TRUE(rack.getKnob(7).isVisible());
    EXPECT_FALSE(rack.getSnapSeparator().isEmpty());
}

TEST_F(CcRack, AConfirmedSnapshotCopyStartsTheRacksTimerWhichOnlyStopsItself)
{
    auto& rack = build(0);
    auto& target = rack.snapButton.getButton(3);
    SnapButtonBase::ZuConfirmWndw window(14, 14, 0, 3, target, "Copy?", juce::Colours::black, juce::Colours::white,
                                         juce::Colours::black, juce::Colours::white, juce::Colours::white,
                                         juce::Colours::black);
    set(0, "kval1", 0.25);
    processor.updateSeqSnapVt(ccRack, 0, 0);
    window.exitWndw(&window.getOkButton());
    EXPECT_TRUE(rack.isTimerRunning(ZuMirabox_CenterCcRackPanel::copyTimer));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !rack.isTimerRunning(ZuMirabox_CenterCcRackPanel::copyTimer); }));
    const auto snap = processor.snapTree.getChildWithName("ccrack1").getChildWithName("snap4");
    EXPECT_EQ((double) snap.getProperty("p5m51_kval1"), 0.25);
}

TEST_F(CcRack, SaveOnRackOneWritesAFileThatRackTwoLoads)
{
    zutest::DesktopRecorder desktop;
    const auto folder = zutest::uniqueTempFolder("zu-rack-presets");
    folders.push_back(folder);
    processor.unitPresetFolders[(size_t) ccRack] = folder.getFullPathName();

    auto& rack = build(0);
    set(0, "kval2", 0.75);
    set(0, "kname2", "Drive");
    processor.updateSeqSnapVt(ccRack, 0, 5);
    set(0, "kval2", 0.5);
    modTree(0).getChildWithName("mod1").setProperty("p6m511_kfr", 0.375, nullptr);

    rack.getDeleteItemMenu();
    EXPECT_EQ(rack.presetExtension, ".ccrk");
    rack.menuHandler(ZuCenterUnitPanelBase::saveId, editor.get());
    ASSERT_EQ(desktop.launches.size(), 1u);
    desktop.launches[0].done(folder.getChildFile("drive"));
    const auto file = folder.getChildFile("drive.ccrk");
    ASSERT_TRUE(file.existsAsFile());
    EXPECT_EQ(rack.getXmlStateForSaveingPreset("drive").getStringAttribute("presetname"), "drive");

    auto& other = build(1);
    other.getDeleteItemMenu();
    const int index = other.presetFiles.indexOf(file.getFullPathName());
    ASSERT_GE(index, 0);
    other.menuHandler(ZuCenterUnitPanelBase::firstFileId + index, editor.get());
    EXPECT_EQ((double) rackTree(1).getProperty("p5m52_kval2"), 0.5);
    EXPECT_EQ(rackTree(1).getProperty("p5m52_kname2").toString(), "Drive");
    const auto snap = processor.snapTree.getChildWithName("ccrack2").getChildWithName("snap6");
    EXPECT_EQ((double) snap.getProperty("p5m52_kval2"), 0.75);
    EXPECT_EQ((double) modTree(1).getChildWithName("mod1").getProperty("p6m521_kfr"), 0.375);
    EXPECT_TRUE(zutest::pumpUntil([&] { return other.getKnob(1).nameLabel.getText() == "Drive"; }));
}

TEST_F(CcRack, HeaderNameLayoutAndKeyboard)
{
    processor.mainTree.setProperty("unitlabel14", "Filters", nullptr);
    auto& rack = build(0);
    EXPECT_EQ(rack.nameLabel.getText(), "Filters");
    EXPECT_TRUE(rack.powerButton.getProperties().contains("uniti"));
    EXPECT_FALSE(rack.menuButton.getBounds().isEmpty());
    EXPECT_TRUE(rack.stripArea.contains(rack.menuButton.getBounds().toFloat()));
    // Eight units in a row, left to right, inside the step area.
    for (int k = 1; k < 8; ++k)
        EXPECT_GT(rack.getKnob(k).getX(), rack.getKnob(k - 1).getRight() - 1);
    EXPECT_GT(rack.getKnob(0).getWidth(), 0);
    EXPECT_GT(rack.snapButton.getWidth(), 0);
    for (int k = 0; k < 8; ++k)
        EXPECT_FALSE(rack.getKnob(k).powerButton.getWantsKeyboardFocus());
    EXPECT_FALSE(rack.getKnob(0).minBox.getMouseClickGrabsKeyboardFocus());
}

TEST_F(CcRack, ScreensAtTheColumnsSizes)
{
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    ASSERT_TRUE(zutest::pumpUntil([&] { return content.getNumAddSlots() > 0; }));
    for (int j = 1; j <= 8; ++j)
    {
        set(0, "kval" + juce::String(j), (j - 1) / 7.0);
        set(0, "ktarcc" + juce::String(j), 70 + j);
        set(0, "kch" + juce::String(j), j % 3);
    }
    set(0, "kname1", "Cutoff");
    set(0, "kpwr6", 0);
    content.addUnit(14, -1);
    auto& unit = *content.getUnitPanel(0);
    const std::vector<std::pair<const char*, std::function<void()>>> variants{
        {"normal", [] {}},
        {"modpanel", [&] { unit.modButton.setToggleState(true, juce::sendNotification); }},
        {"minimised", [&] { unit.minimizeButton.setToggleState(true, juce::sendNotification); }}};
    for (const auto& [name, set] : variants)
    {
        set();
        zutest::pumpFor(150);
        const auto stem = juce::String("gui-ccrack-unit-") + name;
        EXPECT_TRUE(zutest::writeScreen(unit.createComponentSnapshot(unit.getLocalBounds()), stem + ".png"));
        if (!unit.minimizeButton.getToggleState())
        {
            auto left = unit.getLocalBounds().withWidth(unit.nameArea.getRight() + unit.getWidth() / 4);
            zutest::writeScreen(unit.createComponentSnapshot(left, true, 3.0f), stem + "-zoom.png");
        }
    }
}
} // namespace
