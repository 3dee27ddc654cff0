// SPDX-License-Identifier: GPL-3.0-or-later
// The unit frame: header layout, colours, mouse and the unit menu's entries.
#include "MessagePump.h"
#include "UnitFrameFixture.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterPanelMain.h"

#include <gtest/gtest.h>

namespace
{
using zutest::TestUnitPanel;

juce::MouseEvent clickOn(juce::Component& target, int clicks, juce::ModifierKeys mods = {})
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), {5.0f, 5.0f}, mods,
                            juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &target, &target, now,
                            {5.0f, 5.0f}, now, clicks, false);
}

juce::Component* frontModal()
{
    auto* modal = juce::ModalComponentManager::getInstance();
    return modal->getNumModalComponents() > 0 ? modal->getModalComponent(0) : nullptr;
}

TEST(UnitFrame, AFrame1000WideHasA15PixelStripAndItsContentBesideTheName)
{
    TestUnitPanel frame(0, 0);
    frame.setBounds(0, 0, 1000, 200);
    EXPECT_EQ(frame.stripArea, juce::Rectangle<float>(0.0f, 0.0f, 15.0f, 200.0f));
    // The name area is trunc(985 x 0.1562) wide; the content the rest.
    EXPECT_EQ(frame.nameArea, juce::Rectangle<int>(15, 0, 153, 200));
    EXPECT_EQ(frame.contentArea, juce::Rectangle<int>(168, 0, 832, 200));
    // Without the expand button: square header buttons of side s - 2.
    EXPECT_EQ(frame.powerButton.getBounds(), juce::Rectangle<int>(2, 5, 11, 11));
    EXPECT_EQ(frame.minimizeButton.getBounds(), juce::Rectangle<int>(2, 24, 11, 11));
    EXPECT_EQ(frame.modButton.getBounds(), juce::Rectangle<int>(2, 182, 11, 11));
}

TEST(UnitFrame, WithTheExpandButtonTheStripCellsFollowTheExpandState)
{
    using R = juce::Rectangle<int>;
    struct Case
    {
        bool expanded;
        R power, minimize, expand, mod, name;
    };
    for (const auto& c :
         {Case{false, {1, 5, 13, 11}, {1, 20, 13, 11}, {0, 34, 15, 11}, {1, 183, 13, 11}, {2, 48, 11, 130}},
          Case{true, {1, 5, 13, 11}, {1, 20, 13, 11}, {0, 33, 15, 12}, {1, 181, 13, 12}, {0, 46, 15, 132}}})
    {
        SCOPED_TRACE(c.expanded);
        TestUnitPanel frame(0, 0, true);
        frame.expandButton.setToggleState(c.expanded, juce::dontSendNotification);
        frame.setBounds(0, 0, 1000, 200);
        EXPECT_EQ(frame.powerButton.getBounds(), c.power);
        EXPECT_EQ(frame.minimizeButton.getBounds(), c.minimize);
        EXPECT_EQ(frame.expandButton.getBounds(), c.expand);
        EXPECT_EQ(frame.modButton.getBounds(), c.mod);
        EXPECT_EQ(frame.nameLabel.getBounds(), c.name);
    }
}

TEST(UnitFrame, TheModulationAreaIsTheLowerHalfOrWithExpandTheLowerThird)
{
    struct Case
    {
        bool expand;
        juce::Rectangle<int> modArea;
        int contentHeight;
    };
    for (const auto& c : {Case{false, {17, 102, 981, 96}, 99}, Case{true, {17, 135, 981, 63}, 132}})
    {
        SCOPED_TRACE(c.expand);
        TestUnitPanel frame(0, 0, true);
        frame.modButton.setToggleState(true, juce::dontSendNotification);
        frame.expandButton.setToggleState(c.expand, juce::dontSendNotification);
        frame.setBounds(0, 0, 1000, 200);
        EXPECT_EQ(frame.modArea, c.modArea);
        EXPECT_EQ(frame.contentArea.getHeight(), c.contentHeight);
    }
}

TEST(UnitFrame, MinimisedThreeButtonsSitInARowAndOnlyTheBarNameShows)
{
    TestUnitPanel frame(0, 0, true);
    frame.setBounds(0, 0, 1000, 17);
    frame.minimizeButton.setToggleState(true, juce::dontSendNotification);
    frame.colorMappingGlobalStuff();
    frame.resized();

    EXPECT_EQ(frame.powerButton.getBounds(), juce::Rectangle<int>(11, 1, 18, 15));
    EXPECT_EQ(frame.minimizeButton.getBounds(), juce::Rectangle<int>(45, 1, 18, 15));
    EXPECT_EQ(frame.modButton.getBounds(), juce::Rectangle<int>(79, 1, 18, 15));
    EXPECT_TRUE(frame.expandButton.getBounds().isEmpty());
    EXPECT_EQ(frame.minimizedNameLabel.getBounds(), juce::Rectangle<int>(156, 0, 688, 17));
    EXPECT_TRUE(frame.minimizedNameLabel.isVisible());
    EXPECT_FALSE(frame.nameLabel.isVisible());
    EXPECT_EQ(frame.stripArea, juce::Rectangle<float>(0.0f, 0.0f, 1000.0f, 17.0f));
    // Both labels show the same name.
    frame.nameLabel.setText("Bass", juce::dontSendNotification);
    EXPECT_EQ(frame.minimizedNameLabel.getText(), "Bass");
}

TEST(UnitFrame, HeaderColoursFollowTheMinimiseState)
{
    TestUnitPanel frame(0, 0, true);
    frame.colorMappingGlobalStuff();
    EXPECT_EQ(frame.powerButton.findColour(juce::TextButton::buttonColourId), frame.headerColor);
    EXPECT_EQ(frame.menuButton.findColour(juce::TextButton::textColourOnId), frame.headerColor);
    EXPECT_EQ(frame.modButton.findColour(juce::TextButton::textColourOffId), juce::Colour(0xff202020));
    EXPECT_EQ(frame.minimizeButton.findColour(juce::TextButton::textColourOffId), juce::Colour(0xffcfcfcf));
    EXPECT_EQ(frame.nameLabel.getProperties()["bgcolor"].toString(), frame.headerColor.toString());

    frame.minimizeButton.setToggleState(true, juce::dontSendNotification);
    frame.colorMappingGlobalStuff();
    EXPECT_EQ(frame.modButton.findColour(juce::TextButton::buttonOnColourId), frame.minimizedHeaderColor);
    // The bar's name takes the unit area's colour as its text colour and
    // keeps the unit's name as its text.
    ZuShared<ZuMirabox_ColorTheme> theme;
    EXPECT_EQ(frame.minimizedNameLabel.findColour(juce::Label::textColourId), theme->unitAreaBgColor[0]);
    EXPECT_EQ(frame.minimizedNameLabel.getText(), "Pitch SEQ 1");
}

TEST(UnitFrame, ADoubleClickTogglesMinimiseAndTheContainerStoresTheState)
{
    ZumiraboxAudioProcessor processor;
    ZuMirabox_CenterPanelMain container(processor.paramState, processor.mainTree, processor.paramTree,
                                        processor.globalData, processor.scaleData, processor.chordData,
                                        processor.pitchSeqData, processor.lfoData);
    auto& content = *container.getCenterContent();
    auto owned = std::make_unique<TestUnitPanel>(0, 0, true);
    auto& frame = *owned;
    frame.unitId = 1;
    content.adoptUnitPanel(std::move(owned), -1);
    frame.setBounds(0, 0, 1000, 200);
    const int layouts = container.getNumLayouts();

    frame.mouseDoubleClick(clickOn(frame, 2));
    EXPECT_TRUE(frame.minimizeButton.getToggleState());
    EXPECT_EQ(container.getNumLayouts(), layouts + 1);
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:110 ");

    frame.modButton.triggerClick();
    zutest::pumpUntil([&] { return frame.modButton.getToggleState(); });
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:111 ");

    frame.mouseDoubleClick(clickOn(frame, 2));
    EXPECT_FALSE(frame.minimizeButton.getToggleState());
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:101 ");
}

TEST(UnitFrame, OnlyARightPressInsideTheEditorOpensTheMenu)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    TestUnitPanel frame(0, 0, true);
    editor->addAndMakeVisible(frame);
    frame.setBounds(0, 50, 1000, 200);

    {
        zutest::HeldModifiers left(juce::ModifierKeys::leftButtonModifier);
        frame.mouseDown(clickOn(frame, 1, juce::ModifierKeys::leftButtonModifier));
        EXPECT_EQ(frontModal(), nullptr);
    }
    TestUnitPanel outside(0, 0, true);
    outside.setSize(1000, 200);
    zutest::HeldModifiers right(juce::ModifierKeys::rightButtonModifier);
    outside.mouseDown(clickOn(outside, 1, juce::ModifierKeys::rightButtonModifier));
    EXPECT_EQ(frontModal(), nullptr);

    frame.mouseDown(clickOn(frame, 1, juce::ModifierKeys::rightButtonModifier));
    EXPECT_TRUE(zutest::pumpUntil([] { return frontModal() != nullptr; }));
    juce::PopupMenu::dismissAllActiveMenus();
    zutest::pumpUntil([] { return frontModal() == nullptr; });

    // A frame deleted while its menu is open gets no answer.
    auto doomed = std::make_unique<TestUnitPanel>(0, 0, true);
    editor->addAndMakeVisible(*doomed);
    doomed->setBounds(0, 300, 1000, 200);
    doomed->mouseDown(clickOn(*doomed, 1, juce::ModifierKeys::rightButtonModifier));
    ASSERT_TRUE(zutest::pumpUntil([] { return frontModal() != nullptr; }));
    doomed.reset();
    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE(zutest::pumpUntil([] { return frontModal() == nullptr; }));
}

TEST(UnitFrame, APitchUnitsMenuListsItsEntriesInOrderAndACcUnitsHasNoExpand)
{
    using Entries = std::vector<std::pair<int, juce::String>>;
    const auto idsAndTexts = [](TestUnitPanel& frame)
    {
        Entries out;
        for (const auto& e : zutest::entriesOf(frame.getDeleteItemMenu()))
            out.emplace_back(e.id, e.text);
        return out;
    };
    TestUnitPanel pitch(0, 0, true);
    const Entries expected{{0, "Preset"},
                           {0, "---"},
                           {1000, "Save"},
                           {1001, "Save as..."},
                           {0, "---"},
                           {1008, "Minimize the panel"},
                           {1009, "Show the Mod panel"},
                           {1010, "Expand the panel"},
                           {0, "---"},
                           {1005, "Delete This Unit"},
                           {0, "---"},
                           {1004, "Initialize"},
                           {0, "---"},
                           {1002, "Open Preset Folder"},
                           {1003, "Set Preset Folder"}};
    EXPECT_EQ(idsAndTexts(pitch), expected);

    for (auto* button : {&pitch.minimizeButton, &pitch.modButton, &pitch.expandButton})
        button->setToggleState(true, juce::dontSendNotification);
    const auto toggled = idsAndTexts(pitch);
    EXPECT_EQ(toggled[5].second, "Maximize the panel");
    EXPECT_EQ(toggled[6].second, "Hide the Mod panel");
    EXPECT_EQ(toggled[7].second, "Contract the panel");

    TestUnitPanel cc(2, 0);
    auto ccEntries = idsAndTexts(cc);
    auto withoutExpand = expected;
    withoutExpand.erase(withoutExpand.begin() + 7);
    EXPECT_EQ(ccEntries, withoutExpand);
    EXPECT_EQ(cc.presetExtension, ".ccsq");
}

TEST(UnitFrame, MenuTogglesRunTheButtonsClickActions)
{
    TestUnitPanel frame(0, 0, true);
    frame.setBounds(0, 0, 1000, 200);
    frame.menuHandler(ZuCenterUnitPanelBase::minimizeId, nullptr);
    EXPECT_TRUE(frame.minimizeButton.getToggleState());
    EXPECT_TRUE(frame.minimizedNameLabel.isVisible());
    frame.menuHandler(ZuCenterUnitPanelBase::modPanelId, nullptr);
    frame.menuHandler(ZuCenterUnitPanelBase::expandId, nullptr);
    EXPECT_TRUE(frame.modButton.getToggleState());
    EXPECT_TRUE(frame.expandButton.getToggleState());
    for (int id : {0, 1006, 1007, 1011, 99999})
        frame.menuHandler(id, nullptr);
    EXPECT_EQ(frame.initializations, 0);
}

TEST(UnitFrame, DeclinesEveryDragSoTheHighlightNeverShows)
{
    TestUnitPanel frame(0, 0);
    frame.setBounds(0, 0, 400, 100);
    juce::Component source;
    const juce::DragAndDropTarget::SourceDetails details("snapshot", &source, {10, 10});
    EXPECT_FALSE(frame.isInterestedInDragSource(details));
    EXPECT_FALSE(frame.isInterestedInDragSource({"", &source, {10, 10}}));
    const auto image = frame.createComponentSnapshot(frame.getLocalBounds());
    EXPECT_NE(image.getPixelAt(200, 0), juce::Colour(0xffe4dd43).brighter(0.1f));
}

TEST(UnitFrame, DeleteThisUnitRemovesTheFrameFromItsContainer)
{
    ZumiraboxAudioProcessor processor;
    ZuMirabox_CenterContent content(processor.paramState, processor.mainTree, processor.paramTree, processor.globalData,
                                    processor.scaleData, processor.chordData, processor.pitchSeqData,
                                    processor.lfoData);
    for (int id : {1, 14})
    {
        auto frame = std::make_unique<TestUnitPanel>(zu::units::kindOf(id), zu::units::indexOf(id));
        frame->unitId = id;
        content.adoptUnitPanel(std::move(frame), -1);
    }
    juce::Component::SafePointer<ZuCenterUnitPanelBase> first(content.getUnitPanel(0));
    first->menuHandler(ZuCenterUnitPanelBase::deleteId, nullptr);
    EXPECT_EQ(first.getComponent(), nullptr);
    EXPECT_EQ(content.getNumUnitPanels(), 1);
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:1400 ");

    content.unitNameChanged(14, "Rack");
    EXPECT_EQ(content.getUnitPanel(0)->nameLabel.getText(), "Rack");
    content.unitNameChanged(3, "Nobody");
    content.deleteItem(7);
    EXPECT_EQ(content.getNumUnitPanels(), 1);
}

TEST(UnitFrame, PowerAttachmentCalledTwiceBindsOnlyTheSecondParameter)
{
    ZumiraboxAudioProcessor processor;
    TestUnitPanel frame(0, 0);
    frame.setPowerButtonAttach(processor.paramState, "p1m11_pwr");
    frame.setPowerButtonAttach(processor.paramState, "p1m12_pwr");
    EXPECT_EQ(frame.powerParamId, "p1m12_pwr");
    frame.powerButton.setToggleState(false, juce::sendNotificationSync);
    EXPECT_EQ(processor.paramState.getRawParameterValue("p1m12_pwr")->load(), 0.0f);
    EXPECT_EQ(processor.paramState.getRawParameterValue("p1m11_pwr")->load(), 1.0f);
}

TEST(UnitFrame, SyncedRateTextsAndTheirLimits)
{
    TestUnitPanel frame(0, 0);
    juce::String text;
    frame.getSyncedRateStr(text, 0, 0.0);
    EXPECT_EQ(text, "1/128");
    frame.getSyncedRateStr(text, 1, 1.0);
    EXPECT_EQ(text, "8/1T");
    frame.getSyncedDelayTimeStr(text, 2, 1.0);
    EXPECT_EQ(text, "1/1D");
    frame.getSyncedRateStr(text, 0, std::numeric_limits<double>::quiet_NaN());
    EXPECT_EQ(text, "");
}
} // namespace

namespace
{
TEST(UnitColumn, MakesSureThePitchUnitsHaveTheirModulatorTrees)
{
    ZumiraboxAudioProcessor processor;
    juce::ValueTree params("param");
    ZuMirabox_CenterContent content(processor.paramState, processor.mainTree, params, processor.globalData,
                                    processor.scaleData, processor.chordData, processor.pitchSeqData,
                                    processor.lfoData);
    const auto modMain = params.getChildWithName("modmain");
    ASSERT_TRUE(modMain.isValid());
    for (auto name : {"ptchsq1mod", "ptchsq2mod", "ptchsq3mod", "ptchsq4mod"})
        EXPECT_EQ(modMain.getChildWithName(name).getNumChildren(), 8) << name;
    EXPECT_FALSE(modMain.getChildWithName("ccsq1mod").isValid());

    // Outside a container a state change stores nothing.
    processor.mainTree.setProperty("ctstate", "CT:", nullptr);
    content.seqUnitPanelStateChanged();
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:");
}
} // namespace
