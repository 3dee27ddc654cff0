// SPDX-License-Identifier: GPL-3.0-or-later
// The snapshot chainer page inside a real editor on a real processor: its
// bindings on the "param" tree, power and step enabling, the track groups,
// the targets and the play position marker.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"
#include "ZuMirabox_BottomPanel.h"

#include <gtest/gtest.h>

namespace
{
struct ChainerPage : ::testing::Test
{
    ChainerPage()
    {
        editor = zutest::makeEditor(processor);
        bottom().menuButtons.getButton(2).triggerClick();
        EXPECT_TRUE(zutest::pumpUntil([&] { return bottom().getShownPage() == 2; }));
    }

    ZuMirabox_BottomPanel& bottom() { return editor->getMainPanel()->bottomPanel; }
    ChainerMainPanel& page() { return bottom().chainerPagePanel; }
    juce::var param(const juce::String& key) { return processor.paramTree.getProperty(key); }
    void setParam(const juce::String& key, const juce::var& v) { processor.paramTree.setProperty(key, v, nullptr); }
    static juce::String shownText(juce::Slider& box) { return box.getTextFromValue(box.getValue()); }
    std::vector<int> enabledSteps(int row)
    {
        std::vector<int> steps;
        for (int k = 0; k < ChainerStepPanel::numSteps; ++k)
            if (page().stepArea.getRow(row).getBox(k).isEnabled())
                steps.push_back(k + 1);
        return steps;
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
};

TEST_F(ChainerPage, PowerShowsTheStepsAndEnablesTheControls)
{
    auto& p = page();
    EXPECT_EQ(p.titleLabel.getText(), "Snapshot Chainer");
    EXPECT_EQ(p.powerButton.getTooltip(), "Toggles the snapshot chainer on/off");
    ASSERT_TRUE(zutest::pumpUntil([&] { return !p.stepArea.isVisible(); }));
    EXPECT_FALSE(p.ctrlPanel.isEnabled());
    EXPECT_FALSE(p.trackButton.isEnabled());
    EXPECT_FALSE(p.targetPanel.isEnabled());
    EXPECT_TRUE(p.powerButton.isEnabled());
    EXPECT_TRUE(p.titleLabel.isEnabled());

    ASSERT_TRUE(zutest::click(p.powerButton));
    EXPECT_EQ((int) param("p0_chrpwr"), 1);
    EXPECT_TRUE(p.stepArea.isVisible());
    EXPECT_TRUE(p.ctrlPanel.isEnabled());
    EXPECT_TRUE(p.trackButton.isEnabled());
    EXPECT_TRUE(p.targetPanel.isEnabled());
    EXPECT_TRUE(zutest::pumpUntil([&] { return processor.globalData.chrPwr.load(); }));

    // A loaded state switches it off again.
    setParam("p0_chrpwr", 0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !p.stepArea.isVisible() && !p.ctrlPanel.isEnabled(); }));
}

TEST_F(ChainerPage, TheCycleLengthEnablesItsStepsInEveryTrack)
{
    // From the first re-sync on: length 4.
    ASSERT_TRUE(zutest::pumpUntil([&] { return enabledSteps(7) == std::vector<int>{1, 2, 3, 4}; }));
    setParam("p0_chrsize", 2);
    ASSERT_TRUE(zutest::pumpUntil([&] { return enabledSteps(0) == std::vector<int>{1, 2}; }));
    for (int row = 0; row < ChainerStepPanelMain::numTracks; ++row)
        EXPECT_EQ(enabledSteps(row), (std::vector<int>{1, 2})) << row;
    page().ctrlPanel.sizeBox.setValue(16.0, juce::sendNotificationSync);
    EXPECT_TRUE(zutest::pumpUntil([&] { return enabledSteps(5).size() == 16u; }));
    EXPECT_EQ((int) (double) param("p0_chrsize"), 16);
}

TEST_F(ChainerPage, BoxesShowTheirTextsAndReturnToTheirDefaults)
{
    auto& ctrl = page().ctrlPanel;
    EXPECT_EQ(ctrl.sizeLabel.getText(), "Step Size");
    EXPECT_EQ(ctrl.speedLabel.getText(), "Inc Speed");
    EXPECT_EQ(ctrl.sizeBox.getTooltip(), "Sets the chaner step size");
    EXPECT_EQ(ctrl.speedBox.getTooltip(), "Sets the chaner step inc speed");
    struct Row
    {
        int speed;
        const char* text;
    };
    for (const auto& row : {Row{0, "16/1"}, Row{4, "1/1"}, Row{6, "1/4"}, Row{2, "4/1"}})
    {
        setParam("p0_chrspd", row.speed);
        ASSERT_TRUE(zutest::pumpUntil([&] { return (int) ctrl.speedBox.getValue() == row.speed; }));
        EXPECT_EQ(shownText(ctrl.speedBox), row.text);
    }
    EXPECT_EQ(ctrl.speedBox.getDoubleClickReturnValue(), 4.0);
    EXPECT_EQ(ctrl.sizeBox.getDoubleClickReturnValue(), 4.0);

    auto& box = page().stepArea.getRow(2).getBox(5);
    EXPECT_EQ(box.getName(), "ChainerStep");
    EXPECT_EQ(box.getTooltip(), "Set the snapshot of this step");
    EXPECT_EQ(box.getDoubleClickReturnValue(), 0.0);
    for (const auto& [value, text] : {std::pair<int, const char*>{0, "A"}, {7, "H"}, {8, "-"}, {3, "D"}})
    {
        setParam("p0_chrt3stp6", value);
        ASSERT_TRUE(zutest::pumpUntil([&] { return (int) box.getValue() == value; }));
        EXPECT_EQ(shownText(box), text);
    }
    // The last box of track 8.
    page().stepArea.getRow(7).getBox(15).setValue(5.0, juce::sendNotificationSync);
    EXPECT_EQ((int) (double) param("p0_chrt8stp16"), 5);
    EXPECT_TRUE(zutest::pumpUntil([&] { return processor.globalData.chrSteps[7][15].load() == 5; }));
}

TEST_F(ChainerPage, TargetCellsNameTheirUnitsAndTheTrackTheyFollow)
{
    auto& targets = page().targetPanel;
    const char* labels[] = {"1", "2", "3", "4", "1", "2", "3", "4", "1", "2", "3", "4", "1", "2", ""};
    const auto& colours = ZuEditorAccess(processor).getSettings().unitColors;
    const size_t colourOf[] = {0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 4};
    for (int u = 1; u <= ChainerTargetPanel::numTargets; ++u)
    {
        auto& cell = targets.getCell(u);
        EXPECT_EQ(cell.label.getText(), labels[u - 1]) << u;
        EXPECT_EQ(cell.label.findColour(juce::Label::backgroundColourId), colours[colourOf[u - 1]]) << u;
        EXPECT_EQ(shownText(cell.box), "-") << u;
        EXPECT_EQ(cell.box.getTooltip(), "Sets the master chainer track for this unit");
    }
    // The octave-transpose cell is the rightmost.
    EXPECT_GT(targets.getCell(15).getX(), targets.getCell(14).getX());
    setParam("p0_chrtar14", 6);
    EXPECT_TRUE(zutest::pumpUntil([&] { return shownText(targets.getCell(14).box) == "6"; }));
    EXPECT_TRUE(zutest::pumpUntil([&] { return processor.globalData.chrTargets[13].load() == 6; }));
    targets.getCell(3).box.setValue(8.0, juce::sendNotificationSync);
    EXPECT_EQ((int) (double) param("p0_chrtar3"), 8);
}

TEST_F(ChainerPage, TheTrackGroupFollowsItsButtonAndLoadedStates)
{
    auto& area = page().stepArea;
    for (int j = 0; j < 4; ++j)
    {
        EXPECT_TRUE(area.getRow(j).isVisible());
        EXPECT_FALSE(area.getRow(j + 4).isVisible());
        EXPECT_EQ(area.getRow(j).getBounds(), area.getRow(j + 4).getBounds());
        EXPECT_EQ(area.getLabel(j + 4).getText(), juce::String(j + 5));
    }
    setParam("p0_chrtrksel", 1);
    ASSERT_TRUE(zutest::pumpUntil([&] { return page().trackButton.getToggleState() && area.getRow(4).isVisible(); }));
    for (int j = 0; j < 4; ++j)
    {
        EXPECT_FALSE(area.getRow(j).isVisible());
        EXPECT_TRUE(area.getRow(j + 4).isVisible());
        EXPECT_TRUE(area.getLabel(j + 4).isVisible());
    }
    area.setTrkSelIndex(2);
    for (int j = 0; j < 8; ++j)
        EXPECT_FALSE(area.getRow(j).isVisible());
}

TEST_F(ChainerPage, AStateLoadedWithTheSecondGroupShowsItOnOpening)
{
    editor.reset();
    setParam("p0_chrtrksel", 1);
    editor = zutest::makeEditor(processor);
    EXPECT_TRUE(page().stepArea.getRow(4).isVisible());
    EXPECT_FALSE(page().stepArea.getRow(0).isVisible());
}

TEST_F(ChainerPage, AStateLoadedByTheHostShowsItsPowerAndTrackGroup)
{
    setParam("p0_chrpwr", 1);
    setParam("p0_chrtrksel", 1);
    juce::MemoryBlock chunk;
    processor.getStateInformation(chunk);
    setParam("p0_chrpwr", 0);
    setParam("p0_chrtrksel", 0);
    auto& area = page().stepArea;
    ASSERT_TRUE(zutest::pumpUntil([&] { return !area.isVisible() && area.getRow(0).isVisible(); }));

    processor.setStateInformation(chunk.getData(), (int) chunk.getSize());
    EXPECT_TRUE(zutest::pumpUntil([&] { return area.isVisible() && area.getRow(4).isVisible(); }));
    EXPECT_FALSE(area.getRow(0).isVisible());
    EXPECT_TRUE(page().trackButton.getToggleState());
    EXPECT_TRUE(page().trackButton.isEnabled());
    EXPECT_TRUE(page().ctrlPanel.isEnabled());
}

TEST_F(ChainerPage, MissingPropertiesAreWrittenWithTheirDefaults)
{
    juce::ValueTree tree("param");
    ChainerMainPanel p(processor.paramState, processor.mainTree, tree, processor.globalData);
    EXPECT_EQ((double) tree.getProperty("p0_chrsize"), 4.0);
    EXPECT_EQ((double) tree.getProperty("p0_chrspd"), 4.0);
    EXPECT_EQ((int) tree.getProperty("p0_chrpwr"), 0);
    EXPECT_EQ((int) tree.getProperty("p0_chrtrksel"), 0);
    EXPECT_EQ((double) tree.getProperty("p0_chrt8stp16"), 0.0);
    EXPECT_EQ((double) tree.getProperty("p0_chrtar15"), 0.0);
}

TEST_F(ChainerPage, TheMarkerFollowsTheChainersStepAndItsCellsLieUnderTheBoxes)
{
    editor->addToDesktop(0);
    editor->setVisible(true);
    setParam("p0_chrpwr", 1);
    auto& area = page().stepArea;
    auto& bar = area.getPlayPosBar();
    ASSERT_TRUE(zutest::pumpUntil([&] { return bar.isShowing(); }));
    ASSERT_EQ(bar.cells.size(), 16);
    for (int k = 0; k < 16; ++k)
        EXPECT_EQ(bar.cells[k].getX(), (float) area.getRow(0).getBox(k).getX()) << k;
    EXPECT_EQ(bar.getX(), area.getRow(0).getX());

    processor.globalData.chrCurStep = 3;
    ASSERT_TRUE(zutest::pumpUntil([&] { return bar.getLastShownStep() == 3; }));
    EXPECT_EQ(bar.getMarkerArea().getX(), bar.cells[3].getX() + 1.0f);
    processor.globalData.chrCurStep = 20;
    ASSERT_TRUE(zutest::pumpUntil([&] { return bar.getLastShownStep() == 20; }));
    EXPECT_EQ(bar.getMarkerArea().getX(), 1.0f);
    processor.globalData.chrCurStep = -1;
    ASSERT_TRUE(zutest::pumpUntil([&] { return bar.getLastShownStep() == -1; }));
    EXPECT_TRUE(bar.getMarkerArea().isEmpty());

    // Hidden, the bar keeps its last step.
    setParam("p0_chrpwr", 0);
    ASSERT_TRUE(zutest::pumpUntil([&] { return !bar.isShowing(); }));
    processor.globalData.chrCurStep = 5;
    zutest::pumpFor(150);
    EXPECT_EQ(bar.getLastShownStep(), -1);
}

TEST_F(ChainerPage, ScreensOfThePageSwitchedOn)
{
    setParam("p0_chrpwr", 1);
    setParam("p0_chrsize", 6);
    setParam("p0_chrt2stp3", 8);
    setParam("p0_chrt1stp2", 3);
    setParam("p0_chrtar1", 1);
    setParam("p0_chrtar6", 2);
    ASSERT_TRUE(zutest::pumpUntil([&] { return page().stepArea.isVisible() && enabledSteps(0).size() == 6u; }));
    ASSERT_TRUE(zutest::pumpUntil([&] { return bottom().getSkinMode() == 1; }));
    const int half = page().getWidth() / 2 + 1;
    for (int part = 0; part < 2; ++part)
    {
        const auto image = page().createComponentSnapshot({part * half, 0, half, page().getHeight()}, true, 3.0f);
        EXPECT_TRUE(zutest::writeScreen(image, "gui-chainer-on-x3-" + juce::String(part + 1) + ".png"));
    }
    const auto whole = editor->createComponentSnapshot(bottom().getBounds(), true, 1.0f);
    EXPECT_TRUE(zutest::writeScreen(whole, "gui-chainer-on-1.0.png"));
}
} // namespace
