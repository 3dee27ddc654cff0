// SPDX-License-Identifier: GPL-3.0-or-later
// The direction and octave strips of the sequencer units.

#include "CenterOctButton.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
using zutest::TestUnitPanel;

template <typename Strip> int litButton(Strip& strip)
{
    return zutest::litButton(strip, Strip::numButtons);
}

juce::Colour styleColour(juce::Component& c, const juce::Identifier& name)
{
    return ZuStyle::colour(c, name, juce::Colour());
}

TEST(DirectionStrip, ShowsItsSixDirectionsWithTheirTooltips)
{
    CenterDirButton strip;
    const char* const expected[][2] = {
        {">", "Forward direction,  e.g. 1 > 2 > 3 > 4..."},
        {"<", "Backward direction,  e.g. 4 > 3 > 2 > 1..."},
        {"><1", "Forward/Back direction,  e.g. 1 > 2 > 3 > 4 > 3 > 2 > 1 > 2..."},
        {"><2", "Forward/Back direction2,  e.g. 1 > 2 > 3 > 4 > 4 > 3 > 2 > 1 > 1 > 2..."},
        {"?", "Random direction"},
        {"??", "Random direction without repeating same step"},
    };
    for (int k = 0; k < CenterDirButton::numButtons; ++k)
    {
        EXPECT_EQ(strip.getButton(k).getButtonText(), expected[k][0]);
        EXPECT_EQ(strip.getButton(k).getTooltip(), expected[k][1]);
        EXPECT_EQ((int) strip.getButton(k).getProperties()["index"], k);
        EXPECT_EQ(strip.getButton(k).getRadioGroupId(), 1000);
    }
    // Never bound: nothing lit, and a click writes nowhere.
    EXPECT_EQ(litButton(strip), -1);
    EXPECT_EQ(strip.getHiddenSlider().getName(), "DirButton");
    EXPECT_EQ(strip.getHiddenSlider().getParentComponent(), nullptr);
}

TEST(DirectionStrip, BindingWritesForwardAndClicksWriteAtOnce)
{
    juce::ValueTree unit("ptchsq1");
    CenterDirButton strip;
    strip.setAttachment(unit, "p1m11_");
    EXPECT_EQ((int) unit.getProperty("p1m11_dir"), 0);
    EXPECT_TRUE(unit.hasProperty("p1m11_dir_ms1") && unit.hasProperty("p1m11_dir_md2"));
    EXPECT_EQ(litButton(strip), 0);

    ASSERT_TRUE(zutest::click(strip.getButton(3)));
    EXPECT_EQ((int) unit.getProperty("p1m11_dir"), 3);
    EXPECT_EQ(litButton(strip), 3);

    // The lit button stays lit and writes nothing.
    struct Counter : juce::ValueTree::Listener
    {
        int changes = 0;
        void valueTreePropertyChanged(juce::ValueTree&, const juce::Identifier&) override { ++changes; }
    } counter;
    unit.addListener(&counter);
    ASSERT_TRUE(zutest::click(strip.getButton(3)));
    EXPECT_TRUE(strip.getButton(3).getToggleState());
    EXPECT_EQ(counter.changes, 0);
    unit.removeListener(&counter);
}

TEST(DirectionStrip, AValueFromAnotherWriterLightsItsButtonAfterTheDelay)
{
    juce::ValueTree unit("ptchsq1");
    unit.setProperty("p1m11_dir", 2, nullptr);
    CenterDirButton strip;
    strip.setAttachment(unit, "p1m11_");
    EXPECT_EQ(litButton(strip), 2);

    const auto start = juce::Time::getMillisecondCounterHiRes();
    unit.setProperty("p1m11_dir", 5, nullptr);
    // Nothing moves before the follow timer has run.
    EXPECT_EQ(litButton(strip), 2);
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(strip) == 5; }));
    EXPECT_GE(zutest::millisecondsSince(start), 90.0);
    EXPECT_EQ(strip.getCurrentIndex(), 5);

    // A value outside the row is kept within it, and the row follows.
    unit.setProperty("p1m11_dir", -1, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(strip) == 0; }));
    EXPECT_EQ((int) unit.getProperty("p1m11_dir"), 0);
    unit.setProperty("p1m11_dir", 9, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(strip) == 5; }));
    EXPECT_EQ((int) unit.getProperty("p1m11_dir"), 5);
}

TEST(DirectionStrip, LaysOutTheRowBesideItsModulationPair)
{
    CenterDirButton strip;
    strip.setSize(200, 20);
    // w 198, pair 44 at 155; rest 154, gap 7, row 147, button 23 wide, first at 3.
    EXPECT_EQ(strip.getModPair().getBounds(), juce::Rectangle<int>(155, 0, 44, 20));
    EXPECT_EQ(strip.getButton(0).getBounds(), juce::Rectangle<int>(3, 1, 23, 18));
    EXPECT_EQ(strip.getButton(5).getBounds(), juce::Rectangle<int>(123, 1, 23, 18));
    strip.setSize(1, 1);
    EXPECT_EQ(strip.getButton(0).getHeight(), 0);
}

//==============================================================================
TEST(OctaveStrip, BindingWritesTheMiddleOctaveAndFollowsTheTree)
{
    juce::ValueTree unit("ptchsq1");
    CenterOctButton strip;
    strip.setAttachment(unit, "p1m11_oct7");
    EXPECT_EQ((int) unit.getProperty("p1m11_oct7"), 2);
    EXPECT_EQ(litButton(strip), 2);
    EXPECT_EQ(strip.getButton(2).getButtonText(), "0");
    EXPECT_EQ(strip.getButton(4).getButtonText(), "+2");
    EXPECT_EQ(strip.getButton(0).getTooltip(), "Sets the step octave (+/-2 octaves)");
    EXPECT_EQ(strip.getHiddenSlider().getName(), "Octave");

    ASSERT_TRUE(zutest::click(strip.getButton(0)));
    EXPECT_EQ((int) unit.getProperty("p1m11_oct7"), 0);
    unit.setProperty("p1m11_oct7", 4, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(strip) == 4; }));
}

TEST(OctaveStrip, LaysOutFiveTouchingButtonsCentred)
{
    CenterOctButton strip;
    strip.setSize(100, 20);
    // w 98, button 18 wide, first at 5.
    EXPECT_EQ(strip.getButton(0).getBounds(), juce::Rectangle<int>(5, 1, 18, 18));
    EXPECT_EQ(strip.getButton(4).getBounds(), juce::Rectangle<int>(77, 1, 18, 18));
}

TEST(OctaveStrip, DimsItsSelectionOutsideThePlayWindow)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    const auto& colours = ZuEditorAccess(processor).getSettings().unitColors;
    TestUnitPanel pitchUnit(zu::units::pitch, 0), octUnit(zu::units::octTp, 0);
    editor->addChildComponent(pitchUnit);
    editor->addChildComponent(octUnit);
    CenterOctButton inPitch, inOct;
    pitchUnit.addAndMakeVisible(inPitch);
    octUnit.addAndMakeVisible(inOct);
    inPitch.setSkinMode(1);
    inOct.setSkinMode(1);
    EXPECT_EQ(inPitch.getUnitColour(), colours[0]);
    EXPECT_EQ(inOct.getUnitColour(), colours[4]);

    auto& button = inPitch.getButton(1);
    EXPECT_EQ(styleColour(button, "focuscolor"), colours[0]);
    EXPECT_EQ(button.findColour(juce::TextButton::buttonOnColourId), colours[0].brighter(0.1f));
    inPitch.setStepRngState(false);
    EXPECT_EQ(styleColour(button, "focuscolor"), colours[0].darker(0.8f));
    EXPECT_EQ(button.findColour(juce::TextButton::buttonOnColourId), colours[0].darker(0.8f).brighter(0.1f));
    inPitch.setStepRngState(true);
    EXPECT_EQ(styleColour(button, "focuscolor"), colours[0]);

    // The direction strip takes its unit kind's colour too.
    CenterDirButton direction;
    octUnit.addAndMakeVisible(direction);
    direction.setSkinMode(1);
    EXPECT_EQ(direction.getButton(0).findColour(juce::TextButton::buttonOnColourId), colours[4]);
}
} // namespace
