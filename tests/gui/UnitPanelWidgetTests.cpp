// SPDX-License-Identifier: GPL-3.0-or-later
// The shared widgets inside the unit panels, the chord panel and the editor.
#include "ChordUnitsMainPanel.h"
#include "ClockTypeButton.h"
#include "GuiTestHelpers.h"
#include "KeyboardMenu.h"
#include "KeyboardMenu_PopupWndw.h"
#include "RenameWndw.h"
#include "WidgetTestHelpers.h"
#include "ZuMidiFxControls.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterUnitPanels.h"

#include "Scurve.h"
#include "ZuUnits.h"

#include <gtest/gtest.h>

namespace
{
int litButton(SnapButton& selector)
{
    return zutest::litButton(selector, SnapButton::numSnapshots);
}

void setParameter(ZumiraboxAudioProcessor& p, const juce::String& id, float value)
{
    zutest::setHostParameter(p, id, value);
}

float parameterValue(ZumiraboxAudioProcessor& p, const juce::String& id)
{
    return zutest::hostParameter(p, id);
}

std::unique_ptr<ZuMirabox_CenterPitchSeqPanel> makePitchPanel(ZumiraboxAudioProcessor& p, int index)
{
    return std::make_unique<ZuMirabox_CenterPitchSeqPanel>(index, p.mainTree, juce::ValueTree(),
                                                           juce::Colour(0xff89c997), p.globalData, p.scaleData,
                                                           p.chordData, p.pitchSeqData, p.lfoData);
}

// The panels of the other kinds (kind 1 .. 4), bound as the column binds them.
std::unique_ptr<ZuCenterUnitPanelBase> makePanel(ZumiraboxAudioProcessor& p, int kind, int index)
{
    const auto mod = p.paramTree.getChildWithName("modmain").getChildWithName(zu::units::modNodeName(kind, index));
    const juce::Colour colour(0xff7fb2d6);
    switch (kind)
    {
    case 1:
        return std::make_unique<ZuMirabox_CenterParamSeqPanel>(index, p.mainTree, mod, colour, p.globalData, p.lfoData);
    case 2:
        return std::make_unique<ZuMirabox_CenterCcSeqPanel>(index, p.mainTree, mod, colour, p.globalData, p.lfoData);
    case 3:
        return std::make_unique<ZuMirabox_CenterOctTpSeqPanel>(index, p.mainTree, mod, colour, p.globalData, p.lfoData);
    default:
        return std::make_unique<ZuMirabox_CenterCcRackPanel>(index, p.mainTree, mod, colour, p.lfoData);
    }
}

SnapButton& snapOf(ZuCenterUnitPanelBase& panel)
{
    if (auto* seq = dynamic_cast<ZuMirabox_CenterSeqPanelBase*>(&panel))
        return seq->getSnapButton();
    return dynamic_cast<ZuMirabox_CenterCcRackPanel&>(panel).getSnapButton();
}

UnitBg& backgroundOf(ZuCenterUnitPanelBase& panel)
{
    if (auto* seq = dynamic_cast<ZuMirabox_CenterSeqPanelBase*>(&panel))
        return seq->getUnitBg();
    return dynamic_cast<ZuMirabox_CenterCcRackPanel&>(panel).getUnitBg();
}

struct EditorFixture : ::testing::Test
{
    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
};

using UnitSnapshots = EditorFixture;
using UnitPanelEditor = EditorFixture;

TEST_F(UnitSnapshots, AutomationLightsTheButtonAndAClickReachesThePitchPanel)
{
    auto owned = makePitchPanel(processor, 0);
    auto& panel = *owned;
    editor->addAndMakeVisible(panel);
    panel.setBounds(0, 0, 900, 200);
    panel.setAttachments(processor.paramState);
    auto& selector = panel.getSnapButton();
    EXPECT_TRUE(selector.isVertical());

    setParameter(processor, "p1m11_snp", 4.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return litButton(selector) == 4; }));
    zutest::pumpFor(300);
    EXPECT_EQ(panel.currentSnapshot, 0);

    ASSERT_TRUE(zutest::click(selector.getButton(2)));
    EXPECT_EQ(parameterValue(processor, "p1m11_snp"), 2.0f);
    EXPECT_TRUE(zutest::pumpUntil([&] { return panel.currentSnapshot == 2; }));
}

TEST_F(UnitSnapshots, EveryKindsPanelKeepsItsPick)
{
    for (int kind = 1; kind < zu::units::numKinds; ++kind)
    {
        SCOPED_TRACE(kind);
        const int index = zu::units::unitsOfKind[(size_t) kind] - 1;
        auto panel = makePanel(processor, kind, index);
        editor->addAndMakeVisible(*panel);
        panel->setBounds(0, 0, 900, 200);
        panel->setAttachments(processor.paramState);
        const int unitId = zu::units::unitIdOf(kind, index);
        EXPECT_EQ(snapOf(*panel).getButton(0).seqId, unitId);
        EXPECT_EQ(snapOf(*panel).getButton(0).parameterID, zu::units::unitPrefix(unitId) + "snp");

        ASSERT_TRUE(zutest::click(snapOf(*panel).getButton(5)));
        EXPECT_TRUE(zutest::pumpUntil([&] { return panel->currentSnapshot == 5; }));
    }
}

TEST_F(UnitSnapshots, APanelOfAnotherKindIsNotTold)
{
    auto owned = makePitchPanel(processor, 0);
    auto& pitch = *owned;
    editor->addAndMakeVisible(pitch);
    SnapButton stray;
    pitch.addAndMakeVisible(stray);
    stray.setAttachment(5, processor.paramState, "p2m21_snp");
    ASSERT_TRUE(zutest::click(stray.getButton(3)));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !stray.isTimerRunning(SnapButton::ownerTimer); }));
    EXPECT_EQ(pitch.currentSnapshot, 0);
}

TEST_F(UnitSnapshots, UnitPanelsKeepTheirBackgroundBehindEverything)
{
    for (int kind = 1; kind < zu::units::numKinds; ++kind)
    {
        auto panel = makePanel(processor, kind, 0);
        panel->setSize(800, 150);
        EXPECT_EQ(panel->getChildComponent(0), &backgroundOf(*panel));
        EXPECT_EQ(backgroundOf(*panel).getBounds(), panel->getLocalBounds());
        EXPECT_TRUE(snapOf(*panel).getBounds().getWidth() > 0);
    }
}

TEST_F(UnitPanelEditor, RenamingShowsTheNameInTheUnitFrame)
{
    // The editor's own unit column, once it has built its units.
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    ASSERT_TRUE(zutest::pumpUntil([&] { return content.getNumAddSlots() > 0; }));
    auto owned = makePitchPanel(processor, 1);
    auto& frame = *owned;
    frame.unitId = 2;
    frame.nameLabel.setText("Pitch 2", juce::dontSendNotification);
    content.adoptUnitPanel(std::move(owned), -1);

    // Escape is passed on to the call-out and the window's end commits.
    auto window = std::make_unique<RenameWndw>(
        *editor, 2, "Pitch 2", juce::Colour(0xff303030), juce::Colour(0xffdddddd), juce::Colour(0xff2a2a2a),
        juce::Colour(0xffdddddd), juce::Colour(0xffdddddd), juce::Colour(0xff303030));
    window->getTextField().setText("Lead");
    EXPECT_FALSE(window->getTextField().keyPressed(juce::KeyPress(juce::KeyPress::escapeKey)));
    window.reset();
    EXPECT_EQ(frame.nameLabel.getText(), "Lead");
    EXPECT_EQ(frame.minimizedNameLabel.getText(), "Lead");

    // An empty field keeps the name; another unit id changes nothing here.
    window = std::make_unique<RenameWndw>(*editor, 2, "Lead", juce::Colours::black, juce::Colours::white,
                                          juce::Colours::black, juce::Colours::white, juce::Colours::white,
                                          juce::Colours::black);
    window->getTextField().setText({});
    window.reset();
    EXPECT_EQ(frame.nameLabel.getText(), "Lead");
    editor->unitNameChanged(7, "Other");
    EXPECT_EQ(frame.nameLabel.getText(), "Lead");
}

TEST(ClockTypeInUnit, TakesTheColourOfItsUnitFrame)
{
    ZumiraboxAudioProcessor processor;
    auto owned = makePanel(processor, zu::units::cc, 0);
    auto& frame = *owned;
    frame.unitColor = juce::Colour(0xff12ab34);
    ClockTypeButton selector(false);
    frame.addAndMakeVisible(selector);
    selector.setCenterPanelFlag();
    selector.setSkinMode(1);
    EXPECT_EQ(selector.getButton(1).findColour(juce::TextButton::buttonOnColourId), juce::Colour(0xff12ab34));
    EXPECT_EQ(selector.getButton(1).findColour(juce::TextButton::textColourOffId), juce::Colour(0xff959595));
    EXPECT_EQ(selector.getButton(1).getProperties()["outlinecolor"].toString(), juce::Colour(0xff707070).toString());
}

TEST_F(UnitPanelEditor, AChordNoteBoxSizesItsPickerFromTheChordPanel)
{
    ChordUnitsMainPanel chordPanel(processor.paramState, juce::ValueTree("param"));
    editor->addAndMakeVisible(chordPanel);
    chordPanel.setBounds(100, 50, 400, 300);
    KeyboardMenu box;
    box.addItem("-", 1);
    for (int n = 0; n < 128; ++n)
        box.addItem(juce::String(n), n + 2);
    chordPanel.addAndMakeVisible(box);
    box.setBounds(10, 10, 40, 16);
    box.showPopup();
    ASSERT_NE(box.getOpenCallOut(), nullptr);
    EXPECT_EQ(box.getOpenCallOut()->getParentComponent(), &chordPanel);
    auto* picker = zutest::openCallOutContent<KeyboardMenu_PopupWndw>(chordPanel);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->getWidth(), 140);
    EXPECT_EQ(picker->getHeight(), 240);
    box.getOpenCallOut()->dismiss();
    EXPECT_TRUE(zutest::pumpUntil([&] { return box.getOpenCallOut() == nullptr; }));
}

TEST(MidiFxControls, KnobCarriesModulationAndFollowsItsParameter)
{
    ZumiraboxAudioProcessor processor;
    ZuShared<Scurve> curve;
    ZuMidiFxKnob knob;
    EXPECT_EQ(knob.getKnob().getName(), "----");
    EXPECT_EQ(knob.getKnob().getTooltip(), "FX Knob  :  ");
    knob.setAttachments(processor.paramState, "p1m11_snp");
    EXPECT_EQ(knob.getParameterID(), "p1m11_snp");

    knob.setKnobVal(1, 5.0f);
    EXPECT_EQ(parameterValue(processor, "p1m11_snp"), 0.0f);
    knob.setKnobVal(0, 5.0f);
    EXPECT_EQ(parameterValue(processor, "p1m11_snp"), 5.0f);

    knob.setModValProp(1, 0.5);
    EXPECT_DOUBLE_EQ((double) knob.getKnob().getProperties()["Mod2"], (double) curve->calcModDep(0.5f));
    knob.setModTrackColor(0, juce::Colour(0xff112233), 1);
    EXPECT_EQ(knob.getKnob().getProperties()["mod1trkcolor"].toString(), juce::Colour(0xff112233).toString());
    EXPECT_EQ((int) knob.getKnob().getProperties()["polindex1"], 1);

    knob.setSize(40, 50);
    EXPECT_EQ(knob.getKnob().getBounds(), juce::Rectangle<int>(0, 0, 40, 50));
}

TEST(MidiFxControls, NumberBoxLayoutFollowsItsFlag)
{
    ZuMidiFxNumbBox withFlag("Rate", true, 0.0f), without("Rate", false, 0.0f);
    withFlag.setSize(60, 100);
    without.setSize(60, 100);
    EXPECT_EQ(withFlag.getNumberBox().getBounds(), juce::Rectangle<int>(1, 1, 58, 95));
    EXPECT_EQ(without.getNumberBox().getBounds(), juce::Rectangle<int>(1, 1, 58, 96));
    EXPECT_EQ(withFlag.getLabel().getText(), "Rate");
    EXPECT_EQ(withFlag.getNumberBox().getInterval(), 0.01);
    withFlag.setValue(0, 0.4f);
    withFlag.getNumberBox().setDoubleClickReturnValue(true, 0.25);
    withFlag.reset();
    EXPECT_DOUBLE_EQ(withFlag.getNumberBox().getValue(), 0.25);
}
} // namespace
