// SPDX-License-Identifier: GPL-3.0-or-later
// The second control page of a unit: set-all, dice and locks, driven through
// their handlers inside a real editor on a real processor.
#include "CenterPitchSeq_CtrlPanel2.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuUnits.h"

#include <gtest/gtest.h>

namespace
{
using zu::units::stepKey;

// A control page in a unit frame in an editor, as a unit panel holds it.
struct PageInEditor
{
    explicit PageInEditor(int kind, int index = 0, std::function<void(ZumiraboxAudioProcessor&)> beforeBuild = {})
        : frame(kind, index)
    {
        if (beforeBuild)
            beforeBuild(processor);
        editor->addAndMakeVisible(frame);
        frame.setBounds(0, 50, 1000, 200);
        page = std::make_unique<CenterPitchSeq_CtrlPanel2>(kind, index, processor.mainTree);
        frame.addAndMakeVisible(*page);
        page->setBounds(20, 40, 240, 130);
        page->setSkinMode(0, juce::Colour(0xff89c997));
    }

    juce::ValueTree unitNode() const
    {
        return processor.paramTree.getChildWithName("seqmain").getChildWithName(zu::units::nodeName(frame.unitType, 0));
    }
    float step(const char* key, int step0) const
    {
        return (float) unitNode()[juce::Identifier(stepKey(frame.unitType, 0, key, step0))];
    }
    void setSteps(const char* key, float value) const
    {
        for (int s = 0; s < zu::units::numSteps; ++s)
            unitNode().setProperty(stepKey(frame.unitType, 0, key, s), value, nullptr);
    }
    juce::var gui(const juce::String& key) const { return processor.mainTree[juce::Identifier(key)]; }
    CenterCtrlPanel_SetAll& setAll() const { return page->setAllPanel; }
    CenterCtrlPanel_DiceUnit& dice(int k) const { return page->rndPanel.diceUnits[(size_t) k - 1]; }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    zutest::TestUnitPanel frame;
    std::unique_ptr<CenterPitchSeq_CtrlPanel2> page;
};

// Clicks a button as the user would, with the mouse buttons mods held.
bool clickWith(juce::Button& button, juce::ModifierKeys mods)
{
    const auto saved = juce::ModifierKeys::currentModifiers;
    juce::ModifierKeys::currentModifiers = mods;
    const bool ok = zutest::click(button);
    juce::ModifierKeys::currentModifiers = saved;
    return ok;
}

int visibleSlider(const CenterCtrlPanel_SetAll& panel)
{
    int shown = -1;
    for (int i = 0; i < (int) panel.sliders.size(); ++i)
        if (panel.sliders[(size_t) i].isVisible())
        {
            EXPECT_EQ(shown, -1) << "only one value box shows";
            shown = i;
        }
    return shown;
}

void pick(CenterCtrlPanel_SetAll& panel, int index)
{
    panel.targetMenu.setSelectedItemIndex(index, juce::sendNotificationSync);
}
} // namespace

TEST(SetAll, VelocityChangesTheUnlockedWindowStepsAndIsStored)
{
    PageInEditor unit(0);
    unit.unitNode().setProperty(stepKey(0, 0, "slk", 2), 1.0, nullptr);
    pick(unit.setAll(), 2);
    EXPECT_EQ((int) unit.gui("c_pchsq1_setall_tar"), 2);
    ASSERT_EQ(visibleSlider(unit.setAll()), 2);

    unit.setAll().sliders[2].setValue(64.0, juce::sendNotificationSync);
    ASSERT_TRUE(zutest::pumpUntil([&] { return (double) unit.gui("c_pchsq1_setall_val3") == 64.0; }));
    for (int s = 0; s < zu::units::numSteps; ++s)
    {
        const bool changes = s < 16 && s != 2;
        EXPECT_EQ(unit.step("vel", s), changes ? 64.0f : 100.0f) << "step " << s + 1;
    }

    // A right click on the V dice resets the unlocked window steps to it.
    unit.setSteps("vel", 10.0f);
    ASSERT_TRUE(clickWith(unit.dice(3).diceButton, juce::ModifierKeys::rightButtonModifier));
    ASSERT_TRUE(zutest::pumpUntil([&] { return unit.step("vel", 0) == 64.0f; }));
    for (int s = 0; s < zu::units::numSteps; ++s)
        EXPECT_EQ(unit.step("vel", s), s < 16 && s != 2 ? 64.0f : 10.0f) << "step " << s + 1;
}

TEST(SetAll, RelativeModeSetsTheRelativeNoteAndStoresItAsTheEighthValue)
{
    PageInEditor unit(0);
    pick(unit.setAll(), 0);
    EXPECT_EQ(visibleSlider(unit.setAll()), 0);

    unit.unitNode().setProperty("p1m11_relmode", 1, nullptr);
    unit.setAll().tarMenuChanged();
    ASSERT_EQ(visibleSlider(unit.setAll()), 7);
    auto& note = unit.setAll().sliders[7];
    EXPECT_EQ(note.getMinimum(), -12.0);
    EXPECT_EQ(note.getMaximum(), 12.0);

    note.setValue(-5.0, juce::sendNotificationSync);
    ASSERT_TRUE(zutest::pumpUntil([&] { return (double) unit.gui("c_pchsq1_setall_val8") == -5.0; }));
    for (int s = 0; s < zu::units::numSteps; ++s)
        EXPECT_EQ(unit.step("relpch", s), s < 16 ? -5.0f : 0.0f) << "step " << s + 1;
    EXPECT_EQ(unit.step("pch", 0), 0.0f) << "the absolute note stays";

    unit.unitNode().setProperty("p1m11_relmode", 0, nullptr);
    unit.setAll().tarMenuChanged();
    EXPECT_EQ(visibleSlider(unit.setAll()), 0);
}

TEST(SetAll, TheLastTargetShowsNoValueBoxAndStoredChoicesAreClamped)
{
    PageInEditor pitch(0, 0,
                       [](ZumiraboxAudioProcessor& p)
                       {
                           p.mainTree.setProperty("c_pchsq1_setall_tar", 9, nullptr);
                           p.mainTree.setProperty("c_pchsq1_setall_val3", 500.0, nullptr);
                       });
    EXPECT_EQ(pitch.setAll().targetMenu.getText(), "All");
    pitch.setAll().tarMenuChanged();
    EXPECT_EQ(visibleSlider(pitch.setAll()), -1);
    EXPECT_EQ(pitch.setAll().sliders[2].getValue(), 127.0);

    PageInEditor cc(2);
    pick(cc.setAll(), 3);
    EXPECT_EQ(visibleSlider(cc.setAll()), -1);
    pick(cc.setAll(), 1);
    EXPECT_EQ(visibleSlider(cc.setAll()), 1);
}

TEST(SetAll, EachUnitTypeHasItsTargetsRangesAndValueTexts)
{
    const std::vector<juce::StringArray> items{{"Note", "Oct", "Velo", "Gate", "Prob", "Slur", "OnOff", "All"},
                                               {"Knob", "Prob", "OnOff", "All"},
                                               {"Knob", "Prob", "OnOff", "All"},
                                               {"TP", "Oct", "Prob", "OnOff", "All"}};
    struct Case
    {
        int type, slider;
        double min, max, value;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, 0, 12, 1, "C#"},       {0, 0, 0, 12, 12, "C"},      {0, 7, -12, 12, 5, "+5 st"},
        {0, 7, -12, 12, -3, "-3 st"}, {0, 1, 0, 4, 0, "-2 oct"},   {0, 1, 0, 4, 4, "+2 oct"},
        {0, 2, 0, 127, 64, "64"},     {0, 3, 0, 100, 50, "50"},    {0, 4, 0, 100, 100, "100"},
        {0, 5, 0, 1, 1, "On"},        {0, 6, 0, 1, 0, "Off"},      {1, 0, 0, 1, 0.5, "0.5"},
        {1, 1, 0, 100, 7, "7"},       {1, 2, 0, 1, 1, "On"},       {2, 0, 0, 1, 1.0, "127"},
        {2, 0, 0, 1, 0.5, "63"},      {3, 0, -12, 12, -3, "-3st"}, {3, 0, -12, 12, 5, "5st"},
        {3, 1, 0, 4, 3, "+1 oct"},    {3, 3, 0, 1, 1, "On"},
    };
    juce::ValueTree tree("maintree");
    for (int type = 0; type < 4; ++type)
    {
        CenterCtrlPanel_SetAll panel(type, 0, tree);
        ASSERT_EQ(panel.targetMenu.getNumItems(), items[(size_t) type].size());
        for (int i = 0; i < panel.targetMenu.getNumItems(); ++i)
            EXPECT_EQ(panel.targetMenu.getItemText(i), items[(size_t) type][i]);
        for (const auto& c : cases)
            if (c.type == type)
            {
                auto& slider = panel.sliders[(size_t) c.slider];
                EXPECT_EQ(slider.getMinimum(), c.min) << type << "/" << c.slider;
                EXPECT_EQ(slider.getMaximum(), c.max) << type << "/" << c.slider;
                EXPECT_EQ(slider.getTextFromValue(c.value), c.text) << type << "/" << c.slider;
            }
    }
}

TEST(SetAll, OutsideAnEditorNothingIsAppliedOrStored)
{
    juce::ValueTree tree("maintree");
    CenterCtrlPanel_SetAll panel(0, 1, tree);
    pick(panel, 2);
    panel.sliders[2].setValue(30.0, juce::sendNotificationSync);
    zutest::pumpFor(100);
    EXPECT_FALSE(tree.hasProperty("c_pchsq2_setall_val3"));
    EXPECT_EQ((int) tree["c_pchsq2_setall_tar"], 2);
    EXPECT_EQ(visibleSlider(panel), 2);
}

TEST(Dice, AStoredLockOtherThanOneShowsLockedAsTheProcessorTreatsIt)
{
    PageInEditor unit(0, 0, [](ZumiraboxAudioProcessor& p) { p.mainTree.setProperty("c_pchsq1_prmlck2", 2, nullptr); });
    auto& octave = unit.dice(2);
    EXPECT_TRUE(octave.lockButton.getToggleState());
    EXPECT_FALSE(octave.diceButton.isEnabled());
}

TEST(Dice, ALockedPropertySurvivesDiceAllAndUnlockingBringsItsDiceBack)
{
    PageInEditor unit(0);
    auto& velo = unit.dice(3);
    ASSERT_TRUE(zutest::click(velo.lockButton));
    EXPECT_EQ((int) unit.gui("c_pchsq1_prmlck3"), 1);
    EXPECT_FALSE(velo.diceButton.isEnabled());
    EXPECT_FALSE(velo.rangeKnob.isVisible());

    unit.setSteps("vel", 77.0f);
    unit.setSteps("gate", 50.0f);
    ASSERT_TRUE(zutest::click(unit.page->rndPanel.diceAllButton));
    ASSERT_TRUE(zutest::pumpUntil(
        [&]
        {
            for (int s = 0; s < 16; ++s)
                if (unit.step("gate", s) != 50.0f)
                    return true;
            return false;
        }));
    for (int s = 0; s < zu::units::numSteps; ++s)
        EXPECT_EQ(unit.step("vel", s), 77.0f) << "step " << s + 1;

    ASSERT_TRUE(zutest::click(velo.lockButton));
    EXPECT_EQ((int) unit.gui("c_pchsq1_prmlck3"), 0);
    EXPECT_TRUE(velo.diceButton.isEnabled());
    EXPECT_TRUE(velo.rangeKnob.isVisible());
    auto& slur = unit.dice(6);
    ASSERT_TRUE(zutest::click(slur.lockButton));
    ASSERT_TRUE(zutest::click(slur.lockButton));
    EXPECT_FALSE(slur.rangeKnob.isVisible()) << "a two-valued property has no range";
}

TEST(Dice, AMissingRangeIsTheWholeRangeAndARangeIsStoredAfterRelease)
{
    PageInEditor unit(0, 0, [](ZumiraboxAudioProcessor& p) { p.mainTree.removeProperty("c_pchsq1_rndrng1", nullptr); });
    auto& note = unit.dice(1).rangeKnob;
    EXPECT_EQ(note.getValue(), 1.0);
    EXPECT_EQ(note.getTextFromValue(note.getValue()), "100%");
    EXPECT_EQ(note.getTextFromValue(0.0), "0%");
    ASSERT_TRUE(zutest::pumpUntil([&] { return unit.gui("c_pchsq1_rndrng1") == juce::var(1.0); }));

    note.setValue(0.25, juce::sendNotificationSync);
    ASSERT_TRUE(zutest::pumpUntil([&] { return (double) unit.gui("c_pchsq1_rndrng1") == 0.25; }));
}

TEST(Dice, ARangeOfZeroKeepsTheValuesAndARightClickOnDiceAllResetsEveryProperty)
{
    PageInEditor unit(0);
    auto& gate = unit.dice(4);
    gate.rangeKnob.setValue(0.0, juce::sendNotificationSync);
    ASSERT_TRUE(zutest::pumpUntil([&] { return (double) unit.gui("c_pchsq1_rndrng4") == 0.0; }));
    unit.setSteps("gate", 33.0f);
    ASSERT_TRUE(zutest::click(gate.diceButton));
    zutest::pumpFor(50);
    for (int s = 0; s < zu::units::numSteps; ++s)
        EXPECT_EQ(unit.step("gate", s), 33.0f) << "step " << s + 1;

    unit.setSteps("vel", 10.0f);
    ASSERT_TRUE(clickWith(unit.page->rndPanel.diceAllButton, juce::ModifierKeys::rightButtonModifier));
    ASSERT_TRUE(zutest::pumpUntil([&] { return unit.step("gate", 0) == 50.0f; }));
    for (int s = 0; s < zu::units::numSteps; ++s)
    {
        EXPECT_EQ(unit.step("gate", s), s < 16 ? 50.0f : 33.0f) << "step " << s + 1;
        EXPECT_EQ(unit.step("vel", s), s < 16 ? 100.0f : 10.0f) << "step " << s + 1;
    }
}

TEST(Dice, TakeTheUnitColourTheUserChoseAndGreyOutsideAnEditor)
{
    PageInEditor octTp(3);
    const auto chosen = ZuEditorAccess(octTp.processor).getSettings().unitColors[PluginSettingState::octTpColor];
    EXPECT_EQ(octTp.dice(1).diceButton.getProperties()["focuscolor"].toString(), chosen.toString());
    EXPECT_EQ(octTp.page->rndPanel.diceAllButton.getProperties()["focuscolor"].toString(), chosen.toString());

    CenterCtrlPanel_RndPanel alone(3, 0, juce::ValueTree("maintree"));
    alone.setSkinMode(1);
    EXPECT_EQ(alone.diceUnits[0].diceButton.getProperties()["focuscolor"].toString(),
              juce::Colour(0xffd0d0d0).toString());
}

TEST(Dice, EachUnitTypeShowsItsDiceInTheSameColumns)
{
    const std::vector<juce::StringArray> labels{
        {"N", "O", "V", "G", "P", "S", "OO"}, {"S", "P", "OO"}, {"S", "P", "OO"}, {"TP", "O", "P", "OO"}};
    juce::ValueTree tree("maintree");
    std::vector<int> columns;
    for (int type = 0; type < 4; ++type)
    {
        CenterCtrlPanel_RndPanel panel(type, 0, tree);
        panel.setBounds(0, 0, 220, 60);
        const auto& expected = labels[(size_t) type];
        for (int k = 1; k <= 7; ++k)
        {
            auto& dice = panel.diceUnits[(size_t) k - 1];
            const bool used = k <= expected.size();
            EXPECT_EQ(dice.getParentComponent() == &panel, used) << type << "/" << k;
            if (!used)
                continue;
            EXPECT_EQ(dice.diceButton.getProperties()["labeltext"].toString(), expected[k - 1]);
            const bool twoValued = expected[k - 1] == "OO" || (type == 0 && expected[k - 1] == "S");
            EXPECT_EQ(dice.rangeKnob.isVisible(), !twoValued) << type << "/" << k;
            if (type == 0)
                columns.push_back(dice.getX());
            else
                EXPECT_EQ(dice.getX(), columns[(size_t) k - 1]);
        }
        EXPECT_EQ(panel.diceAllButton.getBounds(), juce::Rectangle<int>(6, 10, 24, 41));
        EXPECT_EQ(panel.diceUnits[0].getBounds(), juce::Rectangle<int>(34, 1, 25, 58));
        EXPECT_EQ(panel.diceUnits[6].getBounds(), juce::Rectangle<int>(34 + 6 * 26, 1, 25, 58));
    }
}

TEST(CtrlPanel2, StacksSetAllOverTheDiceAndWritesItsScreens)
{
    const int width = 240, height = 130;
    juce::Image sheet(juce::Image::ARGB, 2 * (width + 10) * 2, 5 * (height + 10) * 2, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff101010));
    }
    for (int type = 0; type < 4; ++type)
    {
        PageInEditor unit(type);
        auto& page = *unit.page;
        EXPECT_EQ(page.setAllCaption.getBounds(), juce::Rectangle<int>(8, 6, 224, 16));
        EXPECT_EQ(page.setAllPanel.getBounds(), juce::Rectangle<int>(7, 23, 226, 39));
        EXPECT_EQ(page.rndPanel.getBounds(), juce::Rectangle<int>(7, 65, 226, 59));
        EXPECT_EQ(page.separatorPath.getBounds().getCentreY(), 64.0f);
        const auto& setAll = page.setAllPanel;
        EXPECT_EQ(setAll.arrows.getBounds(), juce::Rectangle<int>(169, 1, 48, 37));
        EXPECT_EQ(setAll.captions[0].getBounds(), juce::Rectangle<int>(10, 2, 67, 16));
        EXPECT_EQ(setAll.targetMenu.getBounds(), juce::Rectangle<int>(10, 19, 67, 18));
        EXPECT_EQ(setAll.captions[1].getBounds(), juce::Rectangle<int>(89, 2, 70, 16));
        for (const auto& slider : setAll.sliders)
            EXPECT_EQ(slider.getBounds(), juce::Rectangle<int>(89, 19, 70, 18));
        EXPECT_TRUE(page.randomizeCaption.getBounds().isEmpty());
        EXPECT_EQ(page.getIndexOfChildComponent(&page.separator), 0);
        ASSERT_TRUE(zutest::pumpUntil([&] { return visibleSlider(page.setAllPanel) == 0; }));

        // The editor shows its units at skin 1 once it is open.
        for (int skin : {0, 1})
        {
            page.setSkinMode(skin, juce::Colour(0xff89c997));
            const auto image = page.createComponentSnapshot(page.getLocalBounds(), true, 2.0f);
            juce::Graphics g(sheet);
            g.drawImageAt(image, skin * (width + 10) * 2 + 10, type * (height + 10) * 2 + 10);
        }
    }
    // Last row: a pitch unit in relative mode with its velocity locked, and
    // one with the velocity target picked.
    for (int column : {0, 1})
    {
        PageInEditor unit(0);
        auto& setAll = unit.setAll();
        if (column == 0)
        {
            unit.unitNode().setProperty("p1m11_relmode", 1, nullptr);
            setAll.tarMenuChanged();
            setAll.sliders[7].setValue(5.0, juce::dontSendNotification);
            EXPECT_TRUE(zutest::click(unit.dice(3).lockButton));
        }
        else
        {
            pick(setAll, 2);
            setAll.sliders[2].setValue(64.0, juce::dontSendNotification);
        }
        unit.page->setSkinMode(1, juce::Colour(0xff89c997));
        const auto image = unit.page->createComponentSnapshot(unit.page->getLocalBounds(), true, 2.0f);
        juce::Graphics g(sheet);
        g.drawImageAt(image, column * (width + 10) * 2 + 10, 4 * (height + 10) * 2 + 10);
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-ctrl-panel2.png"));
}
