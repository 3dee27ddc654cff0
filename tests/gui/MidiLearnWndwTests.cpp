// SPDX-License-Identifier: GPL-3.0-or-later
#include "WidgetTestHelpers.h"
#include "ZuMidiLearnWndw.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour c1(0xff303030), c2(0xffdddddd), c3(0xff2a2a2a), c4(0xffdddddd), c5(0xffdddddd), c6(0xff303030);

TEST(MidiLearnWindow, LaysOutAHundredPixelWindow)
{
    ZuMidiLearnWndw window(nullptr, {}, c1, c2, c3, c4, c5, c6);
    window.setSize(100, 100);
    EXPECT_EQ(window.getLearnButton().getBounds(), juce::Rectangle<int>(7, 10, 86, 16));
    EXPECT_EQ(window.getDeleteButton().getBounds(), juce::Rectangle<int>(7, 35, 86, 16));
    EXPECT_EQ(window.getCaption().getBounds(), juce::Rectangle<int>(7, 58, 86, 13));
    EXPECT_EQ(window.getValueLabel().getBounds(), juce::Rectangle<int>(7, 77, 86, 13));
    EXPECT_EQ(window.getCaption().getText(), "Assigned CC");
    EXPECT_EQ(window.getValueLabel().getText(), "test");
}

TEST(MidiLearnWindow, SecondWindowFollowsTheSinglePrecisionMargins)
{
    bool flag = false;
    ZuMidiLearnWndw2 window(nullptr, flag, {}, c1, c2, c3, c4, c5, c6);
    window.setSize(100, 100);
    // 100 x 0.04 in single precision is 4.
    EXPECT_EQ(window.getModeCaption().getBounds(), juce::Rectangle<int>(8, 5, 84, 8));
    EXPECT_EQ(window.getModeSwitch().getBounds(), juce::Rectangle<int>(8, 16, 84, 12));
    EXPECT_EQ(window.getLearnButton().getBounds(), juce::Rectangle<int>(7, 38, 86, 11));
    EXPECT_EQ(window.getDeleteButton().getBounds(), juce::Rectangle<int>(7, 56, 86, 11));
    EXPECT_EQ(window.getCaption().getBounds(), juce::Rectangle<int>(7, 72, 86, 10));
    EXPECT_EQ(window.getValueLabel().getBounds(), juce::Rectangle<int>(7, 86, 86, 10));
}

TEST(MidiLearnWindow, SwitchIsTheOppositeOfTheFlag)
{
    bool flag = true;
    ZuMidiLearnWndw2 window(nullptr, flag, {}, c1, c2, c3, c4, c5, c6);
    EXPECT_FALSE(window.getModeSwitch().getToggleState());
    ASSERT_TRUE(zutest::click(window.getModeSwitch()));
    EXPECT_TRUE(window.getModeSwitch().getToggleState());
    EXPECT_FALSE(flag);
    ASSERT_TRUE(zutest::click(window.getModeSwitch()));
    EXPECT_TRUE(flag);
}

TEST(MidiLearnWindow, ButtonsOnlyCloseTheCallOut)
{
    juce::Component parent;
    parent.setSize(400, 300);
    juce::Component target;
    for (int which = 0; which < 2; ++which)
    {
        ZuMidiLearnWndw window(&target, {}, c1, c2, c3, c4, c5, c6);
        window.setSize(100, 100);
        juce::CallOutBox box(window, {10, 10, 20, 20}, &parent);
        ASSERT_TRUE(zutest::click(which == 0 ? window.getLearnButton() : window.getDeleteButton()));
        EXPECT_TRUE(zutest::pumpUntil([&] { return !box.isVisible(); }));
    }
    // Outside a call-out a click does nothing.
    ZuMidiLearnWndw alone(nullptr, {}, c1, c2, c3, c4, c5, c6);
    EXPECT_TRUE(zutest::click(alone.getLearnButton()));
}

TEST(MidiLearnWindow, RepaintsALiveTargetOnlyWhenClosing)
{
    auto target = std::make_unique<juce::Component>();
    auto window = std::make_unique<ZuMidiLearnWndw>(target.get(), juce::String(), c1, c2, c3, c4, c5, c6);
    target.reset();
    window.reset(); // the target went first: nothing to repaint, no crash
    SUCCEED();
}
} // namespace
