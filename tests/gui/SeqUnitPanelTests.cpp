// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter, CC and octave-transpose sequencer unit panels, their step
// columns and first control pages, on a real processor inside a real editor.
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "TempFolder.h"
#include "UnitFrameFixture.h"
#include "WidgetTestHelpers.h"
#include "ZuFocusPolicy.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterUnitPanels.h"

#include "ZuUnits.h"

#include <gtest/gtest.h>

namespace
{
using zu::units::cc;
using zu::units::octTp;
using zu::units::param;

struct SeqUnit : ::testing::Test
{
    ~SeqUnit() override
    {
        panel.reset();
        for (auto& folder : folders)
            folder.deleteRecursively();
    }

    juce::ValueTree unitTree(int kind, int index)
    {
        return processor.paramTree.getChildWithName("seqmain").getChildWithName(zu::units::nodeName(kind, index));
    }
    juce::ValueTree modTree(int kind, int index)
    {
        return processor.paramTree.getChildWithName("modmain").getChildWithName(zu::units::modNodeName(kind, index));
    }

    // Builds and binds a panel as the center content does, inside the editor.
    template <typename Panel> Panel& build(int index, juce::ValueTree tree = {})
    {
        panel.reset();
        constexpr int kind = std::is_same_v<Panel, ZuMirabox_CenterParamSeqPanel> ? param
                             : std::is_same_v<Panel, ZuMirabox_CenterCcSeqPanel>  ? cc
                                                                                  : octTp;
        auto owned = std::make_unique<Panel>(index, processor.mainTree, modTree(kind, index), juce::Colour(0xff7fb2d6),
                                             processor.globalData, processor.lfoData);
        auto& built = *owned;
        panel = std::move(owned);
        editor->addAndMakeVisible(built);
        built.setBounds(0, 40, 1000, 118);
        built.setAttachments(processor.paramState);
        built.setAttachment(tree.isValid() ? tree : unitTree(kind, index), zu::units::unitPrefix(kind, index));
        built.setSkinMode(1);
        return built;
    }

    static std::vector<int> inRange(ZuMirabox_CenterSeqPanelBase& p)
    {
        std::vector<int> steps;
        for (int s = 0; s < zu::units::numSteps; ++s)
            if (p.getStep(s).isInRange())
                steps.push_back(s + 1);
        return steps;
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor = zutest::makeEditor(processor);
    std::unique_ptr<ZuMirabox_CenterSeqPanelBase> panel;
    std::vector<juce::File> folders;
};

TEST_F(SeqUnit, TheContainerBuildsEachKindOnItsOwnTreeAndPrefix)
{
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    ASSERT_TRUE(zutest::pumpUntil([&] { return content.getNumAddSlots() > 0; }));
    struct Case
    {
        int unitId;
        const char* key;
    };
    for (const auto& c : std::vector<Case>{{6, "p2m22_sval3"}, {12, "p3m34_sval3"}, {13, "p4m41_stp3"}})
    {
        SCOPED_TRACE(c.unitId);
        content.addUnit(c.unitId, -1);
        auto* built = dynamic_cast<ZuMirabox_CenterSeqPanelBase*>(content.getUnitPanel(content.getNumUnitPanels() - 1));
        ASSERT_NE(built, nullptr);
        EXPECT_EQ(built->unitId, c.unitId);
        EXPECT_EQ(built->unitType, zu::units::kindOf(c.unitId));
        EXPECT_GT(built->getHeight(), 0);
        const int kind = zu::units::kindOf(c.unitId), index = zu::units::indexOf(c.unitId);
        unitTree(kind, index).setProperty(c.key, kind == octTp ? 5.0 : 0.25, nullptr);
        EXPECT_TRUE(zutest::pumpUntil([&] { return built->getStep(2).valueKnob.mainKnob.getValue() != 0.0; }));
    }
    EXPECT_NE(dynamic_cast<ZuMirabox_CenterParamSeqPanel*>(content.getUnitPanel(0)), nullptr);
    EXPECT_NE(dynamic_cast<ZuMirabox_CenterCcSeqPanel*>(content.getUnitPanel(1)), nullptr);
    EXPECT_NE(dynamic_cast<ZuMirabox_CenterOctTpSeqPanel*>(content.getUnitPanel(2)), nullptr);
}

TEST_F(SeqUnit, BindingAFreshTreeWritesTheUnitAndStepDefaults)
{
    using Defaults = std::vector<std::pair<const char*, double>>;
    const Defaults common{{"strt", 1},   {"size", 16},    {"slk1", 0}, {"spwr1", 1}, {"prob1", 100}, {"slk32", 0},
                          {"spwr32", 1}, {"prob32", 100}, {"page", 0}, {"dir", 0},   {"rst", 0}};
    struct Case
    {
        int kind;
        std::function<void(juce::ValueTree)> build;
        Defaults own;
    };
    const std::vector<Case> cases{
        {param,
         [this](juce::ValueTree t) { build<ZuMirabox_CenterParamSeqPanel>(0, t); },
         {{"sval1", 0}, {"emenu1", 1}, {"emenu32", 1}, {"tar1", 1}, {"tar2", 0}, {"tar3", 0}, {"tar4", 0}}},
        {cc,
         [this](juce::ValueTree t) { build<ZuMirabox_CenterCcSeqPanel>(0, t); },
         {{"sval1", 0}, {"sval32", 0}, {"omin", 0}, {"omax", 127}, {"tarcc", 0}}},
        {octTp,
         [this](juce::ValueTree t) { build<ZuMirabox_CenterOctTpSeqPanel>(0, t); },
         {{"stp1", 0}, {"soct1", 2}, {"stp32", 0}, {"soct32", 2}}}};
    for (const auto& c : cases)
    {
        juce::ValueTree fresh(zu::units::nodeName(c.kind, 0));
        c.build(fresh);
        const auto prefix = zu::units::unitPrefix(c.kind, 0);
        auto all = common;
        all.insert(all.end(), c.own.begin(), c.own.end());
        for (const auto& [key, value] : all)
        {
            SCOPED_TRACE(prefix + key);
            ASSERT_TRUE(fresh.hasProperty(prefix + key));
            EXPECT_EQ((double) fresh.getProperty(prefix + key), value);
        }
        EXPECT_TRUE(fresh.hasProperty(prefix + (c.kind == octTp ? "soct1_ms1" : "sval1_md2")));
        EXPECT_TRUE(fresh.hasProperty(prefix + "spwr1_ms1"));
        EXPECT_TRUE(fresh.hasProperty(prefix + "prob1_md1"));
    }
}

TEST_F(SeqUnit, TheParameterStepsEventSetsTheGridAndTheText)
{
    auto& p = build<ZuMirabox_CenterParamSeqPanel>(0);
    auto tree = unitTree(param, 0);
    auto& step = p.getParamStep(0);
    const auto textAt = [&](int eventId, double value)
    {
        tree.setProperty("p2m21_emenu1", eventId, nullptr);
        tree.setProperty("p2m21_sval1", value, nullptr);
        zutest::pumpUntil([&] { return step.eventMenu.getSelectedId() == eventId && !step.isUpdatePending(); });
        zutest::pumpFor(20);
        return step.valueLabel.getText();
    };

    EXPECT_EQ(textAt(1, 0.37), "");
    EXPECT_EQ(step.valueKnob.mainKnob.getInterval(), 0.0);
    EXPECT_NEAR(step.valueKnob.mainKnob.getValue(), 0.37, 1e-9);

    EXPECT_EQ(textAt(5, 0.0), "-3 oct");
    EXPECT_NEAR(step.valueKnob.mainKnob.getInterval(), 0.166666666, 1e-12);
    EXPECT_EQ(textAt(5, 0.5), "0 oct");
    EXPECT_EQ(textAt(5, 1.0), "+3 oct");

    // A coarser grid snaps the stored value.
    tree.setProperty("p2m21_sval1", 0.3, nullptr);
    tree.setProperty("p2m21_emenu1", 12, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return step.valueLabel.getText() == "OFF"; }));
    EXPECT_EQ((double) tree.getProperty("p2m21_sval1"), 0.0);

    // "Start" at its top position reads 32, at the bottom 1.
    EXPECT_EQ(textAt(3, 0.0), "1");
    tree.setProperty("p2m21_sval1", 1.0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return step.valueLabel.getText() == "32"; }));
    EXPECT_EQ(textAt(16, 0.4), "");
    EXPECT_EQ(step.valueKnob.mainKnob.getInterval(), 0.0);
}

TEST_F(SeqUnit, ASnapshotSwitchKeepsValuesThatBelongToAnotherEvent)
{
    auto& p = build<ZuMirabox_CenterParamSeqPanel>(0);
    auto tree = unitTree(param, 0);
    auto& step = p.getParamStep(0);
    // Snapshot B: "Octave" at its middle; the live unit: "S-Slur" on.
    tree.setProperty("p2m21_emenu1", 5, nullptr);
    tree.setProperty("p2m21_sval1", 0.5, nullptr);
    processor.updateSeqSnapVt(param, 0, 1);
    tree.setProperty("p2m21_emenu1", 12, nullptr);
    tree.setProperty("p2m21_sval1", 1.0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return step.valueLabel.getText() == "ON"; }));

    processor.loadSeqSnapVt(param, 0, 1);
    EXPECT_TRUE(zutest::pumpUntil([&] { return step.valueLabel.getText() == "0 oct"; }));
    zutest::pumpFor(50);
    EXPECT_NEAR((double) tree.getProperty("p2m21_sval1"), 0.5, 1e-6);
    EXPECT_EQ(step.eventMenu.getSelectedId(), 5);
}

TEST_F(SeqUnit, CcStepsShowTheControllerValueOnceTheRangeIsHandedOver)
{
    auto& p = build<ZuMirabox_CenterCcSeqPanel>(0);
    auto tree = unitTree(cc, 0);
    auto& page = p.ctrlPanel1;
    tree.setProperty("p3m31_sval1", 0.5, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return p.getCcStep(0).valueLabel.getText() == "64"; }));

    // A burst of range changes, from anywhere, is handed over once, later.
    tree.setProperty("p3m31_omin", 10.0, nullptr);
    tree.setProperty("p3m31_omax", 50.0, nullptr);
    tree.setProperty("p3m31_omin", 100.0, nullptr);
    tree.setProperty("p3m31_omax", 20.0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return page.isTimerRunning(CenterCcSeq_CtrlPanel1::rangeTimer); }));
    EXPECT_EQ(p.getCcStep(5).getOutMinMax(), std::make_pair(0.0, 127.0));
    EXPECT_TRUE(zutest::pumpUntil([&] { return !page.isTimerRunning(CenterCcSeq_CtrlPanel1::rangeTimer); }));
    for (int s : {0, 31})
        EXPECT_EQ(p.getCcStep(s).getOutMinMax(), std::make_pair(100.0, 20.0));
    EXPECT_TRUE(zutest::pumpUntil([&] { return p.getCcStep(0).valueLabel.getText() == "60"; }));

    const std::vector<std::pair<double, const char*>> ccTexts{{0, "--"}, {1, "0"}, {128, "127"}};
    for (const auto& [value, text] : ccTexts)
    {
        page.targetCcBox.setValue(value);
        EXPECT_EQ(page.targetCcBox.getTextFromValue(page.targetCcBox.getValue()), text);
    }
    page.targetCcBox.menuChosen(6);
    EXPECT_EQ((double) tree.getProperty("p3m31_tarcc"), 5.0);
    EXPECT_EQ(CenterCcSeq_StepUnit::ccText(0.5, {0.0, 1.0}), "1");
    EXPECT_EQ(CenterCcSeq_StepUnit::ccText(1.0, {0.0, 300.0}), "127");
}

TEST_F(SeqUnit, OctaveTransposeStepsReadInSemitonesAndSnapToTheCentre)
{
    auto& p = build<ZuMirabox_CenterOctTpSeqPanel>(0);
    auto tree = unitTree(octTp, 0);
    for (const auto& [value, text] :
         std::vector<std::pair<int, const char*>>{{3, "+3 st"}, {0, "0 st"}, {-12, "-12 st"}})
    {
        tree.setProperty("p4m41_stp4", value, nullptr);
        EXPECT_TRUE(zutest::pumpUntil([&] { return p.getOctTpStep(3).valueLabel.getText() == text; })) << value;
    }
    auto& knob = p.getOctTpStep(0).valueKnob.mainKnob;
    EXPECT_EQ(knob.snapValue(-0.02, juce::Slider::absoluteDrag), 0.0);
    EXPECT_EQ(knob.snapValue(0.019, juce::Slider::absoluteDrag), 0.0);
    EXPECT_EQ(knob.snapValue(0.02, juce::Slider::absoluteDrag), 0.02);
    EXPECT_TRUE(p.getOctTpStep(0).octaveButtons.isVisible());
}

TEST_F(SeqUnit, TheWindowMarksWrappedStepsAndForeignSizesAreBounded)
{
    auto& p = build<ZuMirabox_CenterCcSeqPanel>(1);
    auto tree = unitTree(cc, 1);
    tree.setProperty("p3m32_sval2", 0.75, nullptr);
    const auto setWindow = [&](juce::var start, juce::var size)
    {
        tree.setProperty("p3m32_strt", start, nullptr);
        tree.setProperty("p3m32_size", size, nullptr);
        p.stepStrtSizeChanged();
    };
    setWindow(30, 5);
    EXPECT_EQ(inRange(p), (std::vector<int>{1, 2, 30, 31, 32}));
    EXPECT_EQ(p.getStep(5).valueKnob.mainKnob.findColour(juce::Slider::thumbColourId), juce::Colour(0xff303030));
    EXPECT_EQ((double) tree.getProperty("p3m32_sval2"), 0.75);
    setWindow(1, 32);
    EXPECT_EQ(inRange(p).size(), 32u);
    EXPECT_NE(p.getStep(5).valueKnob.mainKnob.findColour(juce::Slider::thumbColourId), juce::Colour(0xff303030));

    // Stored state from elsewhere: huge and non-finite numbers.
    setWindow(1.0e12, 1.0e15);
    EXPECT_EQ(inRange(p).size(), 32u);
    setWindow(-5, std::numeric_limits<double>::quiet_NaN());
    EXPECT_TRUE(inRange(p).empty() || inRange(p).size() == 1u);
    p.setStepRange(3, 0);
    EXPECT_TRUE(inRange(p).empty());
}

TEST_F(SeqUnit, BlockPagePowerAndMinimiseDecideWhatShows)
{
    auto& p = build<ZuMirabox_CenterOctTpSeqPanel>(0);
    ASSERT_TRUE(zutest::click(p.stepPageButton));
    EXPECT_EQ((int) unitTree(octTp, 0).getProperty("p4m41_page"), 1);
    ASSERT_TRUE(zutest::click(p.powerButton));
    for (int s = 0; s < 16; ++s)
    {
        EXPECT_FALSE(p.getStep(s).isVisible()) << s;
        EXPECT_TRUE(p.getStep(s + 16).isVisible()) << s;
        EXPECT_FALSE(p.getStep(s + 16).isEnabled()) << s;
    }
    EXPECT_FALSE(p.stepLed.isEnabled());
    EXPECT_FALSE(p.snapButton.isEnabled());
    ASSERT_TRUE(zutest::click(p.powerButton));
    EXPECT_TRUE(p.getStep(20).isEnabled());

    // A page change stored elsewhere (an undo, a load) follows too.
    unitTree(octTp, 0).setProperty("p4m41_page", 0, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return p.getStep(0).isVisible() && !p.getStep(16).isVisible(); }));

    p.minimizeButton.setToggleState(true, juce::dontSendNotification);
    p.setBounds(0, 40, 1000, 17);
    for (juce::Component* c : std::initializer_list<juce::Component*>{&p.stepLed, &p.ctrlTabs, &p.snapButton,
                                                                      &p.ctrlPageButton, &p.modPanel, &p.getStep(3)})
        EXPECT_FALSE(c->isVisible());
    p.minimizeButton.setToggleState(false, juce::dontSendNotification);
    p.setBounds(0, 40, 1000, 118);
    EXPECT_TRUE(p.getStep(3).isVisible());
    EXPECT_TRUE(p.ctrlPageButton.isVisible());
}

TEST_F(SeqUnit, TheCcLightStaysOnWhenTheUnitIsOff)
{
    auto& ccPanel = build<ZuMirabox_CenterCcSeqPanel>(0);
    ASSERT_TRUE(zutest::click(ccPanel.powerButton));
    EXPECT_TRUE(ccPanel.stepLed.isEnabled());
    EXPECT_FALSE(ccPanel.getStep(0).isEnabled());
    auto& paramPanel = build<ZuMirabox_CenterParamSeqPanel>(0);
    ASSERT_TRUE(zutest::click(paramPanel.powerButton));
    EXPECT_FALSE(paramPanel.stepLed.isEnabled());
    EXPECT_FALSE(paramPanel.stepLed.getSegmentStyle());
    EXPECT_TRUE(paramPanel.powerButton.getProperties().contains("uniti"));
    auto& octPanel = build<ZuMirabox_CenterOctTpSeqPanel>(0);
    EXPECT_FALSE(octPanel.powerButton.getProperties().contains("uniti"));
    octPanel.initialize();
    EXPECT_TRUE(octPanel.powerButton.getToggleState());
}

TEST_F(SeqUnit, TheControlPageKeyOpensCtrl2OnlyFor1AndRWritesIt)
{
    struct Case
    {
        juce::var stored;
        bool ctrl2;
    };
    for (const auto& c : std::vector<Case>{{1, true}, {"1", true}, {0, false}, {2, false}, {juce::var(), false}})
    {
        if (c.stored.isVoid())
            processor.mainTree.removeProperty("p3_ccsq2_tab", nullptr);
        else
            processor.mainTree.setProperty("p3_ccsq2_tab", c.stored, nullptr);
        auto& p = build<ZuMirabox_CenterCcSeqPanel>(1);
        EXPECT_EQ(p.ctrlTabs.getCurrentTabIndex(), c.ctrl2 ? 1 : 0) << c.stored.toString();
        EXPECT_EQ(p.ctrlPanel2.isVisible(), c.ctrl2);
    }
    auto& p = build<ZuMirabox_CenterParamSeqPanel>(3);
    ASSERT_TRUE(zutest::click(p.ctrlPageButton));
    EXPECT_EQ((int) processor.mainTree.getProperty("p2_prmsq4_tab"), 1);
    EXPECT_EQ(p.ctrlTabs.getCurrentTabIndex(), 1);
    // The page not shown still follows its unit: Start moves the window.
    unitTree(param, 3).setProperty("p2m24_strt", 9, nullptr);
    EXPECT_TRUE(zutest::pumpUntil([&] { return !p.getStep(7).isInRange() && p.getStep(8).isInRange(); }));
    ASSERT_TRUE(zutest::click(p.ctrlPageButton));
    EXPECT_EQ((int) processor.mainTree.getProperty("p2_prmsq4_tab"), 0);
    EXPECT_TRUE(p.ctrlPanel1.isVisible());
}

TEST_F(SeqUnit, TargetTogglesStoreAnySubsetAndRefreshTheEditorOncePerClick)
{
    auto& p = build<ZuMirabox_CenterParamSeqPanel>(0);
    auto& targets = p.ctrlPanel1.targetPanel;
    ASSERT_TRUE(zutest::click(targets.targetButtons[0]));
    EXPECT_EQ(targets.refreshCount, 1);
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ((int) unitTree(param, 0).getProperty("p2m21_tar" + juce::String(k)), 0) << k;
    ASSERT_TRUE(zutest::click(targets.targetButtons[2]));
    EXPECT_EQ(targets.refreshCount, 2);
    EXPECT_EQ((int) unitTree(param, 0).getProperty("p2m21_tar3"), 1);
}

TEST_F(SeqUnit, HeaderNameAndControlsLeaveTheKeyboardAlone)
{
    processor.mainTree.setProperty("unitlabel10", "Cutoff", nullptr);
    auto& p = build<ZuMirabox_CenterCcSeqPanel>(1);
    EXPECT_EQ(p.nameLabel.getText(), "Cutoff");
    p.nameLabel.setText("Res", juce::sendNotificationSync);
    EXPECT_EQ(processor.mainTree.getProperty("unitlabel10").toString(), "Res");
    EXPECT_FALSE(p.menuButton.getBounds().isEmpty());
    EXPECT_TRUE(p.stripArea.contains(p.menuButton.getBounds().toFloat()));

    std::function<void(juce::Component&)> check = [&](juce::Component& c)
    {
        for (auto* child : c.getChildren())
        {
            if (child == &p.modPanel)
                continue;
            if (!ZuFocusPolicy::isControl(*child))
            {
                check(*child);
                continue;
            }
            EXPECT_FALSE(child->getWantsKeyboardFocus()) << child->getName();
            EXPECT_FALSE(child->getMouseClickGrabsKeyboardFocus()) << typeid(*child).name();
            // A combo box rebuilds its text label on every look change; the
            // label takes no clicks.
            if (dynamic_cast<juce::ComboBox*>(child) == nullptr)
                check(*child);
        }
    };
    check(p);
}

TEST_F(SeqUnit, SaveOnACcUnitWritesAPresetThatLoadsIntoAnotherCcUnit)
{
    zutest::DesktopRecorder desktop;
    const auto folder = zutest::uniqueTempFolder("zu-cc-presets");
    folders.push_back(folder);
    processor.unitPresetFolders[(size_t) cc] = folder.getFullPathName();

    auto& p = build<ZuMirabox_CenterCcSeqPanel>(0);
    auto tree = unitTree(cc, 0);
    tree.setProperty("p3m31_sval1", 0.75, nullptr);
    tree.setProperty("p3m31_omax", 90.0, nullptr);
    processor.updateSeqSnapVt(cc, 0, 2);
    tree.setProperty("p3m31_sval1", 0.25, nullptr);
    modTree(cc, 0).getChildWithName("mod2").setProperty("p6m332_kfr", 0.125, nullptr);

    p.getDeleteItemMenu();
    p.menuHandler(ZuCenterUnitPanelBase::saveId, editor.get());
    ASSERT_EQ(desktop.launches.size(), 1u);
    desktop.launches[0].done(folder.getChildFile("wobble"));
    const auto file = folder.getChildFile("wobble.ccsq");
    ASSERT_TRUE(file.existsAsFile());
    const auto xml = juce::parseXML(file);
    ASSERT_NE(xml, nullptr);
    EXPECT_EQ(xml->getTagName(), "Preset");
    EXPECT_EQ(p.getXmlStateForSaveingPreset("wobble").getStringAttribute("presetname"), "wobble");
    EXPECT_NE(p.getXmlStateForSaveingPreset("wobble").getChildByName("mainparams"), nullptr);

    auto& other = build<ZuMirabox_CenterCcSeqPanel>(3);
    other.getDeleteItemMenu();
    const int index = other.presetFiles.indexOf(file.getFullPathName());
    ASSERT_GE(index, 0);
    other.menuHandler(ZuCenterUnitPanelBase::firstFileId + index, editor.get());
    EXPECT_EQ((double) unitTree(cc, 3).getProperty("p3m34_sval1"), 0.25);
    EXPECT_EQ((double) unitTree(cc, 3).getProperty("p3m34_omax"), 90.0);
    const auto snap = processor.snapTree.getChildWithName("ccsq4").getChildWithName("snap3");
    EXPECT_EQ((double) snap.getProperty("p3m34_sval1"), 0.75);
    EXPECT_EQ((double) modTree(cc, 3).getChildWithName("mod2").getProperty("p6m342_kfr"), 0.125);
    EXPECT_TRUE(zutest::pumpUntil([&] { return other.getCcStep(0).valueLabel.getText() == "23"; }));
}

// Each kind as the editor's column lays it out: normal, with its
// modulation panel, minimised.
TEST_F(SeqUnit, ScreensAtTheColumnsSizes)
{
    auto& content = *editor->getMainPanel()->centerContainer.getCenterContent();
    ASSERT_TRUE(zutest::pumpUntil([&] { return content.getNumAddSlots() > 0; }));
    for (int s = 0; s < 32; ++s)
    {
        const auto n = juce::String(s + 1);
        unitTree(param, 0).setProperty("p2m21_emenu" + n, 1 + (s % 14), nullptr);
        unitTree(param, 0).setProperty("p2m21_sval" + n, (s % 7) / 6.0, nullptr);
        unitTree(cc, 0).setProperty("p3m31_sval" + n, (s % 9) / 8.0, nullptr);
        unitTree(octTp, 0).setProperty("p4m41_stp" + n, (s % 9) * 3 - 12, nullptr);
        unitTree(octTp, 0).setProperty("p4m41_soct" + n, s % 5, nullptr);
    }
    unitTree(cc, 0).setProperty("p3m31_strt", 3, nullptr);
    unitTree(cc, 0).setProperty("p3m31_size", 12, nullptr);
    for (int id : {5, 9, 13})
        content.addUnit(id, -1);
    struct Variant
    {
        const char* name;
        std::function<void(ZuCenterUnitPanelBase&)> set;
    };
    const std::vector<Variant> variants{
        {"normal", [](ZuCenterUnitPanelBase&) {}},
        {"modpanel", [](ZuCenterUnitPanelBase& u) { u.modButton.setToggleState(true, juce::sendNotification); }},
        {"ctrl2",
         [](ZuCenterUnitPanelBase& u)
         {
             u.modButton.setToggleState(false, juce::sendNotification);
             zutest::click(dynamic_cast<ZuMirabox_CenterSeqPanelBase&>(u).ctrlPageButton);
         }},
        {"minimised", [](ZuCenterUnitPanelBase& u) { u.minimizeButton.setToggleState(true, juce::sendNotification); }}};
    const char* names[] = {"param", "cc", "octtp"};
    for (const auto& v : variants)
        for (int i = 0; i < 3; ++i)
        {
            auto& unit = *content.getUnitPanel(i);
            v.set(unit);
            zutest::pumpFor(150);
            const auto image = unit.createComponentSnapshot(unit.getLocalBounds());
            const auto stem = juce::String("gui-") + names[i] + "-unit-" + v.name;
            EXPECT_TRUE(zutest::writeScreen(image, stem + ".png")) << v.name;
            // Close-ups of the control area and the first steps, for the eye.
            if (!unit.minimizeButton.getToggleState())
            {
                auto left = unit.getLocalBounds().withWidth(unit.nameArea.getRight() + 4 * unit.getWidth() / 19);
                zutest::writeScreen(unit.createComponentSnapshot(left, true, 3.0f), stem + "-zoom.png");
            }
        }
}
} // namespace
