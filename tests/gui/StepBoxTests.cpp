// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessagePump.h"
#include "SEQ1CtrlPanel_StrtSizeBox.h"
#include "UnitFrameFixture.h"

#include <gtest/gtest.h>

namespace
{
juce::MouseEvent pressOn(juce::Component& target, juce::ModifierKeys mods)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), {3.0f, 3.0f}, mods,
                            juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &target, &target, now,
                            {3.0f, 3.0f}, now, 1, false);
}

// The entry windows open on the desktop right now.
std::vector<ZuResetCountWndw*> openEntryWindows()
{
    std::vector<ZuResetCountWndw*> found;
    auto& desktop = juce::Desktop::getInstance();
    for (int i = 0; i < desktop.getNumComponents(); ++i)
        if (auto* box = dynamic_cast<juce::CallOutBox*>(desktop.getComponent(i)))
            for (auto* child : box->getChildren())
                if (auto* window = dynamic_cast<ZuResetCountWndw*>(child))
                    found.push_back(window);
    return found;
}

void closeEntryWindows()
{
    for (auto* window : openEntryWindows())
        if (auto* box = window->findParentComponentOfClass<juce::CallOutBox>())
            box->dismiss();
    zutest::pumpUntil([] { return openEntryWindows().empty(); });
}

TEST(StartSizeBox, TooltipsTextsAndStyleFollowTheBinding)
{
    struct Case
    {
        float defaultValue;
        double start, end;
        const char* tooltip;
        int bipolar;
    };
    for (auto c :
         {Case{1.0f, 1.0, 32.0, "Sets the seqeuncer start position", 0},
          Case{16.0f, 1.0, 32.0, "Sets the running size", 0}, Case{0.0f, -3.0, 3.0, "Sets the octave transposition", 1},
          Case{16.0f, -12.0, 12.0, "Sets the transpose value +/- 12st", 1}, Case{0.0f, 0.0, 8.0, "", 0}})
    {
        juce::ValueTree tree("ccsq1");
        SEQ1CtrlPanel_StrtSizeBox box(true, false);
        box.setAttachment(tree, "p3m31_strt", c.defaultValue, {c.start, c.end, 1.0});
        EXPECT_EQ(box.valueBox.getTooltip(), c.tooltip) << c.end;
        EXPECT_EQ((double) box.valueBox.getProperties()["maxval"], c.end);
        EXPECT_EQ((int) box.valueBox.getProperties()["bipolar"], c.bipolar);
        EXPECT_EQ((double) tree["p3m31_strt"], juce::jlimit(c.start, c.end, (double) c.defaultValue));
        EXPECT_TRUE(tree.hasProperty("p3m31_strt_ms1"));
        EXPECT_TRUE(tree.hasProperty("p3m31_strt_md2"));
    }

    juce::ValueTree tree("ptchsq1");
    SEQ1CtrlPanel_StrtSizeBox octave(true, false), transpose(true, false);
    octave.setAttachment(tree, "p1m11_oct", 0.0f, {-3.0, 3.0, 1.0});
    transpose.setAttachment(tree, "p1m11_tp", 0.0f, {-12.0, 12.0, 1.0});
    for (auto [value, text] : {std::pair{1.0, "+1 oct"}, {0.0, "0 oct"}, {-1.0, "-1 oct"}, {2.0, "+2 oct"}})
        EXPECT_EQ(octave.valueBox.getTextFromValue(value), text);
    for (auto [value, text] : {std::pair{7.0, "+7 st"}, {-12.0, "-12 st"}, {0.0, "0 st"}})
        EXPECT_EQ(transpose.valueBox.getTextFromValue(value), text);
}

TEST(StartSizeBox, CentreLayout)
{
    SEQ1CtrlPanel_StrtSizeBox box(true, false);
    box.modPairWidthFactor = 1.4f;
    box.setBounds(0, 0, 80, 20);
    // p = int(20 x 1.4) = 28, gap max(2, int(0.12 x 28)) = 3.
    EXPECT_EQ(box.modKnobs.getBounds(), juce::Rectangle<int>(51, 0, 28, 20));
    EXPECT_EQ(box.valueBox.getBounds(), juce::Rectangle<int>(1, 1, 47, 18));
    EXPECT_TRUE(box.captionLabel.getBounds().isEmpty());
}

TEST(ShiftArrows, LayoutAndRepeat)
{
    SEQ1ArrowButton arrows;
    arrows.setBounds(0, 0, 62, 22);
    // w 60, h 20: columns 19, 19, 22; halves 10 and 10.
    EXPECT_EQ(arrows.arrowButtons[0].getBounds(), juce::Rectangle<int>(1, 1, 18, 20));
    EXPECT_EQ(arrows.arrowButtons[1].getBounds(), juce::Rectangle<int>(43, 1, 18, 20));
    EXPECT_EQ(arrows.arrowButtons[2].getBounds(), juce::Rectangle<int>(20, 1, 22, 9));
    EXPECT_EQ(arrows.arrowButtons[3].getBounds(), juce::Rectangle<int>(20, 12, 22, 9));
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(arrows.arrowButtons[(size_t) i].getButtonText(), arrows.arrowTexts[i]);
        EXPECT_EQ(arrows.arrowButtons[(size_t) i].getTooltip(), "Shift the target step values");
    }
    EXPECT_TRUE(arrows.arrowButtons[0].isConnectedOnRight());
    EXPECT_TRUE(arrows.arrowButtons[3].isConnectedOnTop());
}

TEST(ShiftArrows, AnArmedSetShiftsTheUnitsStepsThroughTheProcessor)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto unit = ZuEditorAccess(processor).getParamTree().getChildWithName("seqmain").getChildWithName("ptchsq1");
    ASSERT_TRUE(unit.isValid());
    unit.setProperty("p1m11_pch1", 3.0, nullptr);

    SEQ1ArrowButton unarmed, armed;
    editor->addAndMakeVisible(unarmed);
    editor->addAndMakeVisible(armed);
    unarmed.arrowButtons[2].triggerClick();
    zutest::pumpFor(50);
    EXPECT_EQ((double) unit["p1m11_pch1"], 3.0) << "an unarmed set does nothing";

    armed.setCenterFlag(0, 0);
    armed.shiftClicked(2);
    EXPECT_EQ((double) unit["p1m11_pch1"], 4.0) << "up raises the step values";

    SEQ1ArrowButton outside;
    outside.setCenterFlag(0, 0);
    outside.shiftClicked(2);
    EXPECT_EQ((double) unit["p1m11_pch1"], 4.0) << "without an editor nothing happens";
}

TEST(ResetKnob, LeftPressOpensTheEntryWindowSizedByTheEditor)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    editor->addToDesktop(0);
    editor->setVisible(true);
    ResetKnob knob;
    knob.setRange(0.0, 1024.0, 1.0);
    editor->addAndMakeVisible(knob);
    knob.setBounds(100, 100, 30, 30);

    knob.mouseDown(pressOn(knob, juce::ModifierKeys::rightButtonModifier));
    zutest::pumpFor(50);
    EXPECT_TRUE(openEntryWindows().empty()) << "a right press does nothing";

    struct Case
    {
        int editorHeight, width, height;
    };
    for (auto c : {Case{580, 116, 52}, Case{1160, 232, 104}})
    {
        editor->setSize(c.editorHeight * 1000 / 580, c.editorHeight);
        knob.mouseDown(pressOn(knob, juce::ModifierKeys::leftButtonModifier));
        ASSERT_TRUE(zutest::pumpUntil([] { return !openEntryWindows().empty(); }));
        auto* window = openEntryWindows().front();
        EXPECT_EQ(window->getWidth(), c.width);
        EXPECT_EQ(window->getHeight(), c.height);
        auto* box = window->findParentComponentOfClass<juce::CallOutBox>();
        EXPECT_TRUE(box->isAlwaysOnTop());
        EXPECT_EQ(knob.getValue(), 0.0) << "a press never changes the value";
        closeEntryWindows();
    }
    editor->removeFromDesktop();
}

TEST(ResetKnob, EntriesAreClampedAndAnEmptyEntryOnlyCloses)
{
    juce::ValueTree tree("ptchsq1");
    ResetKnob knob;
    ZuParamAttacher::attachToSlider(tree, "p1m11_rst", 0.0f, {0.0, 1024.0, 1.0}, knob);
    knob.setValue(7.0);
    struct Case
    {
        const char* text;
        double value;
    };
    for (auto c : {Case{"2000", 1024.0}, Case{"-5", 0.0}, Case{"12", 12.0}, Case{"abc", 0.0}, Case{"", 0.0}})
    {
        ZuResetCountWndw window("Enter the reset count (0~1024)", juce::Colours::grey, juce::Colours::white, knob);
        window.editor.setText(c.text);
        window.commit();
        EXPECT_EQ(knob.getValue(), c.value) << c.text;
        EXPECT_EQ((double) tree["p1m11_rst"], c.value) << c.text;
    }

    // A window whose knob went meanwhile only closes.
    auto gone = std::make_unique<ResetKnob>();
    ZuResetCountWndw orphan("Enter", juce::Colours::grey, juce::Colours::white, *gone);
    gone.reset();
    orphan.editor.setText("5");
    orphan.commit();
    EXPECT_EQ(orphan.owner.getComponent(), nullptr);
}

TEST(ResetKnob, EntryWindowLayout)
{
    ResetKnob knob;
    ZuResetCountWndw window("Enter the reset count (0~1024)", juce::Colours::grey, juce::Colours::white, knob);
    window.setSize(116, 52);
    // Inner (3, 5, 110, 42); text row 15; editor row 25, cut 3, margin 1, sides 22.
    EXPECT_EQ(window.textArea, juce::Rectangle<float>(3.0f, 5.0f, 110.0f, 12.0f));
    EXPECT_EQ(window.editorArea, juce::Rectangle<int>(25, 26, 66, 20));
}
} // namespace
