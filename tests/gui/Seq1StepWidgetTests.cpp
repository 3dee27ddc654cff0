// SPDX-License-Identifier: GPL-3.0-or-later
// The single sequencer's step widgets: value boxes and their bindings, step
// toggles and their Alt-drag, step lights and octave selectors with their
// snapshots.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "Seq1TestState.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"

#include "ZuMirabox_SEQ1Parts.h"

#include <gtest/gtest.h>

namespace
{
std::vector<zutest::Seq1Parameter> gateParameters()
{
    std::vector<zutest::Seq1Parameter> params;
    for (int n = 17; n <= 32; ++n)
    {
        const auto id = "sq1_gate" + juce::String(n);
        params.push_back({id, 0.0f, 100.0f, 50.0f});
        params.push_back({id + "_modsrc1", 0.0f, 16.0f, 0.0f});
        params.push_back({id + "_moddep1", -1.0f, 1.0f, 0.0f});
    }
    return params;
}
} // namespace

TEST(Seq1StepBoxes, KindsNamesAndValueTexts)
{
    struct Case
    {
        const char* kind;
        const char* stem;
        double maxValue; // 0: not set
        double value;
        const char* text;
    };
    const Case cases[] = {
        {"V", "sq1_vel", 127.0, 99.7, "99"},
        {"V", "sq1_vel", 127.0, -0.5, "-1"},
        {"G", "sq1_gate", 100.0, 100.0, "100"},
        {"P", "sq1_prob", 100.0, 0.2, "0"},
        {"", "", 0.0, 0.5, "0.5"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.kind);
        SEQ1StepNumBoxPanel row(c.kind);
        EXPECT_EQ(row.getIdStem(), c.stem);
        for (int k : {0, 15})
        {
            auto& unit = row.getUnit(k);
            EXPECT_EQ(unit.getStepIndex(), k);
            EXPECT_EQ(unit.valueBox.getName(), c.kind);
            EXPECT_EQ(unit.valueBox.getRange(), juce::Range<double>(0.0, 1.0)) << "its own range until bound";
            if (c.maxValue > 0.0)
            {
                EXPECT_EQ((double) unit.valueBox.getProperties()["maxval"], c.maxValue);
                ASSERT_TRUE(unit.valueBox.textFromValueFunction != nullptr);
                EXPECT_EQ(unit.valueBox.textFromValueFunction(c.value), c.text);
            }
            else
            {
                EXPECT_FALSE(unit.valueBox.getProperties().contains("maxval"));
                EXPECT_TRUE(unit.valueBox.textFromValueFunction == nullptr);
            }
        }
    }
    SEQ1StepButtonPanel slur("slur"), onoff("onoff"), other("x");
    EXPECT_EQ(slur.getIdStem(), "sq1_slr");
    EXPECT_EQ(onoff.getIdStem(), "sq1_spwr");
    EXPECT_EQ(other.getIdStem(), "");
    EXPECT_EQ(slur.getUnit(3).stepButton.getButtonText(), "slur");
    EXPECT_EQ(slur.getUnit(3).stepButton.groupId, "slur");
    EXPECT_EQ(onoff.getUnit(3).stepButton.groupId, "onoff");
}

TEST(Seq1StepBoxes, RowBindsItsPagesStepsAndReplacesEarlierBindings)
{
    zutest::Seq1TestState first(gateParameters()), second(gateParameters());
    SEQ1StepNumBoxPanel gates("G");

    gates.setAttachment(first.state, 1);
    for (int k = 0; k < 16; ++k)
        ASSERT_TRUE(gates.getUnit(k).isBound()) << k;
    first.set("sq1_gate17", 80.0f);
    first.set("sq1_gate32", 12.0f);
    first.set("sq1_gate20_modsrc1", 5.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return gates.getUnit(0).valueBox.getValue() == 80.0; }));
    EXPECT_EQ(gates.getUnit(15).valueBox.getValue(), 12.0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return gates.getUnit(3).modKnobs.slots[0].getModSrcVal() == 5.0; }))
        << "slot 1 follows _modsrc1";
    gates.getUnit(1).valueBox.setValue(33.0, juce::sendNotificationSync);
    EXPECT_EQ(first.get("sq1_gate18"), 33.0f) << "the box writes its parameter";

    // A second call replaces every binding: the first state no longer reaches the boxes.
    gates.setAttachment(second.state, 1);
    for (int k = 0; k < 16; ++k)
        ASSERT_TRUE(gates.getUnit(k).isBound()) << k;
    EXPECT_EQ(gates.getUnit(0).valueBox.getValue(), 50.0) << "now shows the second state";
    first.set("sq1_gate17", 90.0f);
    zutest::pumpFor(50);
    EXPECT_EQ(gates.getUnit(0).valueBox.getValue(), 50.0);

    // Page 0 asks for steps 1..16, which this state lacks: nothing binds.
    gates.setAttachment(second.state, 0);
    for (int k = 0; k < 16; ++k)
        EXPECT_FALSE(gates.getUnit(k).isBound()) << k;

    // Nor does anything bind to the plug-in's own parameters.
    ZumiraboxAudioProcessor processor;
    SEQ1StepVgpPanel vgp;
    vgp.setAttachment(processor.paramState, 0);
    vgp.setAttachment(processor.paramState, 1);
    for (auto* row : {&vgp.velocityRow, &vgp.gateRow, &vgp.probabilityRow})
        for (int k = 0; k < 16; ++k)
            EXPECT_FALSE(row->getUnit(k).isBound());
}

TEST(Seq1StepButtons, SetButtonOnOffNotifiesOnlyOnAChange)
{
    SEQ1ButtonUnit unit;
    int clicks = 0;
    unit.stepButton.onClick = [&clicks] { ++clicks; };
    unit.setButtonOnOff(true);
    EXPECT_TRUE(unit.getButtonOnOff());
    EXPECT_EQ(clicks, 1);
    unit.setButtonOnOff(true);
    EXPECT_EQ(clicks, 1) << "already on: nothing sent";
    unit.setButtonOnOff(false);
    EXPECT_EQ(clicks, 2);
}

TEST(Seq1StepButtons, AltDragAcrossTheSlurRowReachesSlurButtonsOnly)
{
    // The rows inside a real editor on the desktop, driven by pointer events
    // through its window (as ChordPool's drag test does, clear of the
    // pointer's resting place).
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    juce::ValueTree tree("maintree");
    SEQ1StepButtonPanel slur("slur"), onoff("onoff");
    slur.setAttachment(processor.paramState, tree, 0);
    onoff.setAttachment(processor.paramState, tree, 0);
    editor->addAndMakeVisible(slur);
    editor->addAndMakeVisible(onoff);
    slur.setBounds(10, 100, 800, 35);
    onoff.setBounds(10, 136, 800, 35);
    editor->setTopLeftPosition(0, 600);
    editor->addToDesktop(0);
    editor->setVisible(true);
    auto* peer = editor->getPeer();
    ASSERT_NE(peer, nullptr);

    slur.getUnit(0).setButtonOnOff(true);
    const auto centreOf = [&](juce::Component& c)
    { return editor->getLocalPoint(&c, c.getLocalBounds().getCentre()).toFloat(); };
    const auto send = [&](juce::Point<float> at, juce::ModifierKeys mods)
    {
        peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, at, mods,
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                               juce::Time::currentTimeMillis());
        zutest::pumpFor(5);
    };
    const juce::ModifierKeys leftAlt(juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::altModifier);
    zutest::HeldModifiers held(leftAlt);
    const auto from = centreOf(slur.getUnit(0).stepButton);
    const auto to = centreOf(slur.getUnit(6).stepButton);
    const auto below = centreOf(onoff.getUnit(8).stepButton);
    send(from, juce::ModifierKeys(juce::ModifierKeys::altModifier));
    send(from, leftAlt);
    for (int step = 1; step <= 30; ++step)
        send(from + (to - from) * ((float) step / 30.0f), leftAlt);
    // Down onto the on/off row: a slur drag is refused there.
    for (int step = 1; step <= 10; ++step)
        send(to + (below - to) * ((float) step / 10.0f), leftAlt);
    send(below, juce::ModifierKeys(juce::ModifierKeys::altModifier));

    for (int k = 0; k <= 6; ++k)
        EXPECT_TRUE(slur.getUnit(k).getButtonOnOff()) << "slur " << k;
    for (int k = 7; k < 16; ++k)
        EXPECT_FALSE(slur.getUnit(k).getButtonOnOff()) << "slur " << k;
    for (int k = 0; k < 16; ++k)
        EXPECT_FALSE(onoff.getUnit(k).getButtonOnOff()) << "onoff " << k;

    EXPECT_TRUE(zutest::pumpUntil([&] { return !editor->isDragAndDropActive(); }));
    zutest::pumpUntil([] { return !juce::Desktop::getInstance().getAnimator().isAnimating(); });
    zutest::pumpFor(50);
    editor->removeFromDesktop();
}

// ---------------------------------------------------------------------------

TEST(Seq1StepLights, LightTheRunningStepOfTheirPage)
{
    MirabelGlobalData global;
    Seq1Data data;
    SEQ1StepLedPanel first(global, data, true), second(global, data, false);
    for (auto* row : {&first, &second})
        row->setBounds(0, 0, 800, 42);
    ASSERT_EQ(first.getLedRects().getNumRectangles(), 16);
    EXPECT_EQ(first.getFirstStep(), 0);
    EXPECT_EQ(second.getFirstStep(), 16);
    EXPECT_EQ(second.getEndStep(), 32);

    struct Case
    {
        bool firstPage;
        int step;
        int lit; // -1 none
    };
    const Case cases[] = {{true, 0, 0},   {true, 15, 15},  {true, 16, -1}, {true, -1, -1},
                          {true, 7, 7},   {false, 20, 4},  {false, 3, -1}, {false, 31, 15},
                          {false, 16, 0}, {false, 32, -1}, {true, 5, 5}};
    for (const auto& c : cases)
    {
        auto& row = c.firstPage ? first : second;
        data.currentStep = c.step;
        row.timerCallback(SEQ1StepLedPanel::pollTimer);
        EXPECT_EQ(row.getLitLight(), c.lit) << c.firstPage << " " << c.step;
        if (c.lit >= 0)
            EXPECT_EQ(row.getLitLed().getPath().getBounds(), row.getLedPath(c.lit).getBounds());
        else
            EXPECT_TRUE(row.getLitLed().getPath().isEmpty());
    }

    // The same step again replaces nothing; a resize keeps the lit shape
    // until the step moves.
    data.currentStep = 9;
    first.timerCallback(SEQ1StepLedPanel::pollTimer);
    const int changes = first.getLitChanges();
    const auto litBefore = first.getLitLed().getPath().getBounds();
    first.timerCallback(SEQ1StepLedPanel::pollTimer);
    EXPECT_EQ(first.getLitChanges(), changes);
    first.setBounds(0, 0, 400, 20);
    EXPECT_EQ(first.getLitLed().getPath().getBounds(), litBefore);
    data.currentStep = 10;
    first.timerCallback(SEQ1StepLedPanel::pollTimer);
    EXPECT_EQ(first.getLitLed().getPath().getBounds(), first.getLedPath(10).getBounds());

    // The poll runs by itself every 50 ms.
    data.currentStep = 12;
    EXPECT_TRUE(zutest::pumpUntil([&] { return first.getLitLight() == 12; }));

    // A value lights exactly its rectangle; outside the page, none.
    juce::Value value(19);
    second.valueChanged(value);
    EXPECT_EQ(second.getLitLight(), 3);
    EXPECT_EQ(second.getLitLed().getPath().getBounds(), second.getLedRects().getRectangle(3));
    value = 3;
    second.valueChanged(value);
    EXPECT_EQ(second.getLitLight(), -1);
}

TEST(Seq1StepLights, ShapesFollowTheCellSize)
{
    for (const auto& [cellHeight, inset] : std::vector<std::pair<int, float>>{{40, 8.0f}, {100, 10.0f}, {2, 0.5f}})
        EXPECT_EQ(SEQ1StepLedPanel::verticalInset(cellHeight), inset) << cellHeight;

    MirabelGlobalData global;
    Seq1Data data;
    SEQ1StepLedPanel row(global, data, true);
    row.setBounds(0, 0, 802, 42); // cells 49 x 40
    const auto r0 = row.getLedRects().getRectangle(0);
    EXPECT_EQ(r0.getWidth(), 25.0f); // 49 less 2 x 12
    EXPECT_EQ(r0.getHeight(), 40.0f);
    const auto light = row.getLedPath(0).getBounds();
    EXPECT_EQ(light.getX(), r0.getX() + 1.0f);
    EXPECT_EQ(light.getY(), r0.getY() + 8.0f);
    EXPECT_EQ(light.getHeight(), 24.0f);
    EXPECT_EQ(row.getLedFrames().getPath().getBounds().getWidth(),
              row.getLedPath(15).getBounds().getRight() - light.getX());

    // Too small for any light: no rectangles, no frames, a value lights nothing.
    for (const auto& size : {juce::Point<int>(800, 2), juce::Point<int>(18, 40)})
    {
        row.setBounds(0, 0, size.x, size.y);
        EXPECT_EQ(row.getLedRects().getNumRectangles(), 0) << size.toString();
        EXPECT_TRUE(row.getLedFrames().getPath().isEmpty());
        juce::Value value(2);
        row.valueChanged(value);
        EXPECT_EQ(row.getLitLight(), -1);
    }
}

// ---------------------------------------------------------------------------

TEST(Seq1OctaveSelector, ClicksSetValuesAndFollowing)
{
    OctButton selector;
    selector.setBounds(0, 0, 100, 24);
    EXPECT_EQ(zutest::litButton(selector, OctButton::numButtons), -1) << "no button on at first";
    EXPECT_EQ(selector.getOctSlider().getName(), "Octave");

    ASSERT_TRUE(zutest::click(selector.getButton(3)));
    EXPECT_EQ(selector.getCurOctIndex(), 3);
    EXPECT_EQ(selector.getOctSlider().getValue(), 3.0) << "at once";
    EXPECT_TRUE(zutest::pumpUntil([&] { return !selector.isTimerRunning(OctButton::followTimer); }));
    EXPECT_EQ(zutest::litButton(selector, OctButton::numButtons), 3);

    selector.setValue(7.0f);
    EXPECT_EQ(zutest::litButton(selector, OctButton::numButtons), 4);
    EXPECT_EQ(selector.getOctSlider().getValue(), 4.0);
    selector.setValue(-3.0f);
    EXPECT_EQ(zutest::litButton(selector, OctButton::numButtons), 0);
    EXPECT_EQ(selector.getCurOctIndex(), 0);

    // A slider value from elsewhere shows 100 ms later; one out of range never.
    selector.getOctSlider().setValue(2.0, juce::sendNotificationSync);
    EXPECT_EQ(zutest::litButton(selector, OctButton::numButtons), 0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return zutest::litButton(selector, OctButton::numButtons) == 2; }));
    selector.getOctSlider().setValue(6.0, juce::sendNotificationSync);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !selector.isTimerRunning(OctButton::followTimer); }));
    EXPECT_EQ(zutest::litButton(selector, OctButton::numButtons), 2);

    SEQ1OctUnit unit;
    std::array<double, 4> mods{3.0, 0.5, 1.0, 0.25};
    unit.setCurState(4.0, mods);
    double octave = 0.0;
    std::array<double, 4> read{};
    unit.getCurState(octave, read);
    EXPECT_EQ(octave, 4.0);
    EXPECT_EQ(read, mods);
}

TEST(Seq1OctaveSelector, PageSavesAndLoadsItsStepsInTheSnapshotTree)
{
    ZumiraboxAudioProcessor processor;
    auto tree = zutest::seq1SnapshotTree();
    SEQ1StepOctPanel page;
    page.setAttachment(processor.paramState, tree, 1);
    for (int k = 0; k < 16; ++k)
    {
        std::array<double, 4> mods{(double) (k % 5), 0.05 * k, 1.0, 0.5};
        page.getUnit(k).setCurState(k % 5, mods);
    }
    page.updateSnapState(2);
    auto snap = zutest::seq1Snapshot(tree, 2);
    EXPECT_EQ(snap.getNumProperties(), 16 * 5);
    for (int k = 0; k < 16; ++k)
    {
        const auto key = "sq1_oct" + juce::String(17 + k);
        EXPECT_EQ((double) snap[key], (double) (k % 5)) << key;
        EXPECT_EQ((double) snap[key + "_modsrc1"], (double) (k % 5));
        EXPECT_NEAR((double) snap[key + "_moddep1"], 0.05 * k, 1.0e-6);
        EXPECT_EQ((double) snap[key + "_modsrc2"], 1.0);
        EXPECT_EQ((double) snap[key + "_moddep2"], 0.5);
    }
    EXPECT_FALSE(snap.hasProperty("sq1_oct1")) << "page 1 is steps 17..32";

    // Loading: 2.9 reads as 2, a missing value and "nan" as 2 ("0"), 7 as 4.
    auto other = zutest::seq1Snapshot(tree, 5);
    other.setProperty("sq1_oct17", 2.9, nullptr);
    other.setProperty("sq1_oct18", "nan", nullptr);
    other.setProperty("sq1_oct20", 7.0, nullptr);
    other.setProperty("sq1_oct21", "x", nullptr);
    other.setProperty("sq1_oct17_modsrc1", 4, nullptr);
    other.setProperty("sq1_oct17_moddep2", "inf", nullptr);
    page.snapshotChanged(2, 5);
    const auto octaveOf = [&](int k)
    {
        double o = -1.0;
        std::array<double, 4> m{};
        page.getUnit(k).getCurState(o, m);
        return o;
    };
    EXPECT_EQ(octaveOf(0), 2.0);
    EXPECT_EQ(octaveOf(1), 2.0);
    EXPECT_EQ(octaveOf(2), 2.0);
    EXPECT_EQ(octaveOf(3), 4.0);
    EXPECT_EQ(octaveOf(4), 0.0) << "text that is no number reads 0";
    std::array<double, 4> mods{};
    double octave = 0.0;
    page.getUnit(0).getCurState(octave, mods);
    EXPECT_EQ(mods, (std::array<double, 4>{4.0, 0.0, 0.0, 0.0}));
    EXPECT_EQ(zutest::litButton(page.getUnit(0).octSelector, OctButton::numButtons), 2);

    // Without the snapshot children nothing is saved or loaded.
    juce::ValueTree bare("seq1");
    page.setAttachment(processor.paramState, bare, 1);
    page.updateSnapState(0);
    page.snapshotChanged(9);
    EXPECT_EQ(bare.getNumProperties(), 0);
    EXPECT_EQ(octaveOf(3), 4.0);
}
