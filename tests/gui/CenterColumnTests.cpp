// SPDX-License-Identifier: GPL-3.0-or-later
// The center unit column: its unit list in "ctstate", the add slots and menu,
// and the container's scroll bars and stored scroll position.

#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"

#include "AddComp.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterPanelMain.h"
#include "ZuMirabox_CenterPitchSeqPanel.h"

#include "PluginSettingState.h"
#include "ZuEditorAccess.h"

#include <gtest/gtest.h>

namespace
{
std::vector<int> idsOf(const ZuMirabox_CenterContent& content)
{
    std::vector<int> ids;
    content.getUnitOrderList(ids);
    return ids;
}

std::vector<int> modelIds(ZumiraboxAudioProcessor& processor)
{
    const auto list = processor.globalData.getCenterUnits();
    return {list.ids.begin(), list.ids.begin() + list.count};
}

juce::CallOutBox* openCallOut(juce::Component& editor)
{
    for (auto* child : editor.getChildren())
        if (auto* box = dynamic_cast<juce::CallOutBox*>(child))
            return box;
    return nullptr;
}

AddMenuContent* menuIn(juce::CallOutBox* box)
{
    if (box == nullptr)
        return nullptr;
    for (auto* child : box->getChildren())
        if (auto* menu = dynamic_cast<AddMenuContent*>(child))
            return menu;
    return nullptr;
}

class CenterColumn : public ::testing::Test
{
protected:
    ZumiraboxAudioProcessor processor;
    ZuMirabox_CenterPanelMain container{processor.paramState,   processor.mainTree,  processor.paramTree,
                                        processor.globalData,   processor.scaleData, processor.chordData,
                                        processor.pitchSeqData, processor.lfoData};
    ZuMirabox_CenterContent& content = *container.getCenterContent();

    void SetUp() override { container.setBounds(0, 0, 998, 466); }

    juce::String load(const juce::String& state)
    {
        processor.mainTree.setProperty("ctstate", state, nullptr);
        content.loadPanelStateFromVt();
        content.updateVtState();
        return processor.mainTree["ctstate"].toString();
    }
};

TEST_F(CenterColumn, CtstateIsReadWithEveryClampAndWrittenBack)
{
    struct Case
    {
        const char* state;
        std::vector<int> ids;
        const char* written;
    };
    const Case cases[] = {
        {"CT:121 1510 ", {1, 15}, "CT:121 1510 "},
        {"CT:99 100 1700 ", {1, 15}, "CT:100 1500 "},
        {"CT:150 ", {1}, "CT:130 "},
        {"CT:", {}, "CT:"},
        // A repeated id builds one panel; garbage and huge numbers do no harm.
        {"CT:1300 1310 x -500 99999999999 ", {13, 15}, "CT:1300 1531 "},
        {"CT:1301\t501\n", {13, 5}, "CT:1301 501 "},
    };
    for (const auto& c : cases)
    {
        EXPECT_EQ(load(c.state), c.written) << c.state;
        EXPECT_EQ(idsOf(content), c.ids) << c.state;
        EXPECT_EQ(content.getNumAddSlots(), (int) c.ids.size() + 1) << c.state;
        for (int i = 0; i < content.getNumUnitPanels(); ++i)
            EXPECT_TRUE(content.getUnitPanel(i)->isVisible()) << c.state;
    }

    // Pitch 1 expanded with its mod panel, the rack minimised.
    load("CT:121 1510 ");
    auto* pitch = content.getUnitPanel(0);
    auto* rack = content.getUnitPanel(1);
    EXPECT_TRUE(pitch->expandButton.getToggleState() && pitch->modButton.getToggleState());
    EXPECT_FALSE(pitch->minimizeButton.getToggleState());
    EXPECT_TRUE(rack->minimizeButton.getToggleState());
    EXPECT_FALSE(rack->modButton.getToggleState() || rack->expandButton.getToggleState());

    // An empty string keeps the panels as they are.
    processor.mainTree.setProperty("ctstate", "", nullptr);
    content.loadPanelStateFromVt();
    EXPECT_EQ(content.getUnitPanel(0), pitch);
    EXPECT_EQ(idsOf(content), (std::vector<int>{1, 15}));
    EXPECT_EQ(content.getNumAddSlots(), 3);

    // No property at all reads as "CT:".
    processor.mainTree.removeProperty("ctstate", nullptr);
    content.loadPanelStateFromVt();
    EXPECT_EQ(content.getNumUnitPanels(), 0);
    EXPECT_EQ(content.getNumAddSlots(), 1);
}

TEST_F(CenterColumn, TheModelsUnitListFollowsEveryAddDeleteAndReorder)
{
    load("CT:");
    content.addUnit(13, 0);
    EXPECT_EQ(modelIds(processor), (std::vector<int>{13}));
    content.addUnit(1, 5);
    EXPECT_EQ(idsOf(content), (std::vector<int>{13, 1}));
    EXPECT_EQ(modelIds(processor), (std::vector<int>{1, 13}));
    content.addUnit(1, 0);
    EXPECT_EQ(content.getNumUnitPanels(), 2);
    content.addUnit(9, 1);
    EXPECT_EQ(idsOf(content), (std::vector<int>{13, 9, 1}));
    EXPECT_EQ(content.getNumAddSlots(), 4);

    content.unitOrderChanged("TB:1 13 9");
    EXPECT_EQ(idsOf(content), (std::vector<int>{1, 13, 9}));
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:100 1300 900 ");
    EXPECT_EQ(modelIds(processor), (std::vector<int>{1, 9, 13}));

    content.deleteItem(13);
    EXPECT_EQ(modelIds(processor), (std::vector<int>{1, 9}));
    EXPECT_EQ(content.getNumAddSlots(), 3);
    content.deleteItem(4);
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:100 900 ");
}

TEST_F(CenterColumn, AnAddedPitchUnitShowsTheNamesOfTheScaleOrChordThatTargetsIt)
{
    processor.scaleData.scalePower = true;
    processor.scaleData.scaleRoot = 2;
    processor.scaleData.rootShift = true;
    processor.scaleData.scaleTargets[1] = true;
    ASSERT_NE(processor.scaleData.getScaledDispNoteString(0), "C");
    processor.chordData.chordPower = true;
    processor.chordData.chordTargets[2] = true;
    content.addUnit(zu::units::unitIdOf(zu::units::pitch, 1), 0);
    content.addUnit(zu::units::unitIdOf(zu::units::pitch, 2), 1);
    auto* scaled = dynamic_cast<ZuMirabox_CenterPitchSeqPanel*>(content.getUnitPanel(0));
    auto* chorded = dynamic_cast<ZuMirabox_CenterPitchSeqPanel*>(content.getUnitPanel(1));
    ASSERT_NE(scaled, nullptr);
    ASSERT_NE(chorded, nullptr);
    EXPECT_EQ(scaled->getStep(0).noteLabel.getText(), processor.scaleData.getScaledDispNoteString(0));
    EXPECT_EQ(chorded->getStep(0).noteLabel.getText(), "Chrd 1");
}

TEST_F(CenterColumn, UnitHeightsAreFractionsOfTheViewportHeight)
{
    load("CT:100 221 1310 501 630 ");
    const float H = (float) (container.getViewport().getHeight() - 1);
    const float factors[] = {0.2085f, 0.691f, 0.03f, 0.4418f, 0.03f};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(content.getUnitPanel(k)->getHeight(), (int) (factors[k] * H)) << k;
    // The add slots sit between the units, in the middle of the column.
    for (int i = 0; i < content.getNumAddSlots(); ++i)
    {
        const auto slot = content.getAddSlot(i)->getBounds();
        EXPECT_LT(std::abs(slot.getCentreX() - content.getWidth() / 2), 3) << i;
        if (i > 0)
        {
            EXPECT_GE(slot.getY(), content.getUnitPanel(i - 1)->getBottom()) << i;
        }
    }
    EXPECT_EQ(content.getForcustYpos(2, 0, 0, 0), content.getUnitPanel(1)->getY());
    EXPECT_EQ(content.getForcustYpos(3, 0, 0, 0), 0);
}

TEST_F(CenterColumn, TheScrollbarToggleHidesTheLeftBarAndWidensTheUnits)
{
    load("CT:121 221 321 ");
    EXPECT_TRUE(container.getLeftBar().isVisible());
    EXPECT_EQ(container.getLeftBar().getName(), "left");
    EXPECT_EQ(container.getViewport().getVerticalScrollBar().getName(), "right");
    const int narrow = content.getUnitPanel(0)->getWidth();

    container.getScrollbarButton().triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return !container.getScrollbarButton().getToggleState(); }));
    EXPECT_FALSE(container.getLeftBar().isVisible());
    EXPECT_FALSE(container.getViewport().isVerticalScrollBarShown());
    EXPECT_GT(content.getUnitPanel(0)->getWidth(), narrow);
    EXPECT_EQ(container.getViewport().getWidth(), container.getWidth());

    container.getScrollbarButton().triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return container.getScrollbarButton().getToggleState(); }));
    EXPECT_TRUE(container.getLeftBar().isVisible());
    EXPECT_EQ(content.getUnitPanel(0)->getWidth(), narrow);
}

TEST_F(CenterColumn, DraggingTheLeftBarScrollsAndTheRightBarMovesTheLeftOne)
{
    load("CT:121 221 321 421 ");
    auto& right = container.getViewport().getVerticalScrollBar();
    auto& left = container.getLeftBar();
    ASSERT_TRUE(zutest::pumpUntil([&] { return left.getMaximumRangeLimit() == right.getMaximumRangeLimit(); }));
    ASSERT_GT(right.getMaximumRangeLimit(), 400.0);

    left.setCurrentRangeStart(300.0, juce::sendNotificationSync);
    EXPECT_TRUE(zutest::pumpUntil([&] { return container.getViewport().getViewPositionY() == 300; }));
    EXPECT_EQ(right.getCurrentRangeStart(), 300.0);

    right.setCurrentRangeStart(120.0, juce::sendNotificationSync);
    EXPECT_TRUE(zutest::pumpUntil([&] { return container.getViewport().getViewPositionY() == 120; }));
    EXPECT_EQ(left.getCurrentRangeStart(), 120.0);

    // The wheel over the column does nothing; over the left bar it scrolls.
    const juce::MouseWheelDetails wheel{0.0f, -1.0f, false, false, false};
    content.mouseWheelMove(zutest::mouseEventOn(content, {}), wheel);
    EXPECT_EQ(container.getViewport().getViewPositionY(), 120);
    left.mouseWheelMove(zutest::mouseEventOn(left, {}), wheel);
    EXPECT_TRUE(zutest::pumpUntil([&] { return container.getViewport().getViewPositionY() > 120; }));
}

TEST_F(CenterColumn, TheQuickBarFollowsTheColumnAndSitsBetweenTheToggles)
{
    load("CT:100 1300 ");
    auto& bar = container.getQuickBar();
    ASSERT_NE(bar.getButton(1), nullptr);
    EXPECT_EQ(bar.getButton(0)->getItemId(), 1);
    EXPECT_EQ(bar.getButton(1)->getItemId(), 13);
    EXPECT_LT(container.getEditOrderButton().getRight(), bar.getX());
    EXPECT_GT(container.getScrollbarButton().getX(), bar.getRight());

    content.deleteItem(1);
    EXPECT_EQ(bar.getButton(0)->getItemId(), 13);
    EXPECT_EQ(bar.getButton(1), nullptr);
}

//==============================================================================

class CenterColumnEditor : public ::testing::Test
{
protected:
    ZumiraboxAudioProcessor processor;
    PluginSettingState& settings = ZuEditorAccess(processor).getSettings();
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;

    ZuMirabox_CenterPanelMain& container() { return editor->getMainPanel()->centerContainer; }
    ZuMirabox_CenterContent& content() { return *container().getCenterContent(); }

    CenterColumnEditor()
    {
        settings.modPanelByDefault = false;
        settings.pitchPanelByDefault = false;
    }

    void open()
    {
        editor = zutest::makeEditor(processor);
        ASSERT_TRUE(zutest::pumpUntil([&] { return content().getNumAddSlots() > 0; }));
    }

    void TearDown() override
    {
        settings.modPanelByDefault = false;
        settings.pitchPanelByDefault = false;
        if (editor == nullptr)
            return;
        if (auto* box = openCallOut(*editor))
        {
            box->dismiss();
            zutest::pumpUntil([&] { return openCallOut(*editor) == nullptr; });
        }
        editor.reset();
    }
};

TEST_F(CenterColumnEditor, AnAddedPitchUnitOpensAsTheSettingsSay)
{
    settings.modPanelByDefault = true;
    settings.pitchPanelByDefault = true;
    processor.mainTree.setProperty("ctstate", "CT:1400 ", nullptr);
    open();
    ASSERT_EQ(idsOf(content()), (std::vector<int>{14}));

    auto* slot = content().getAddSlot(0);
    slot->OpenPopupMenu();
    auto* menu = menuIn(openCallOut(*editor));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->getWidth(), (int) (0.32f * (float) editor->getWidth()));
    EXPECT_EQ(menu->getHeight(), (int) (0.2f * (float) editor->getHeight()));
    EXPECT_FALSE(menu->getButton(13).isEnabled());
    EXPECT_TRUE(menu->getButton(14).isEnabled());
    EXPECT_EQ(menu->getButton(14).getProperties()["outlinecolor"].toString(), settings.unitColors[3].toString());
    EXPECT_EQ(menu->getButton(12).getButtonText(), "Oct/TP SEQ");

    menu->getButton(1).triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return content().getNumUnitPanels() == 2; }));
    EXPECT_EQ(idsOf(content()), (std::vector<int>{2, 14}));
    auto* pitch = content().getUnitPanel(0);
    EXPECT_TRUE(pitch->expandButton.getToggleState());
    EXPECT_TRUE(pitch->modButton.getToggleState());
    EXPECT_TRUE(pitch->isVisible());
    const float H = (float) (container().getViewport().getHeight() - 1);
    EXPECT_EQ(pitch->getHeight(), (int) (0.691f * H));
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:221 1400 ");
    EXPECT_TRUE(zutest::pumpUntil([&] { return openCallOut(*editor) == nullptr; }));
}

TEST_F(CenterColumnEditor, ReorderAndDeleteKeepTheStoredList)
{
    processor.mainTree.setProperty("ctstate", "CT:100 1300 ", nullptr);
    open();
    content().unitOrderChanged("TB:13 1");
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:1300 100 ");

    content().deleteItem(13);
    content().deleteItem(1);
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:");
    EXPECT_EQ(content().getNumAddSlots(), 1);
    EXPECT_TRUE(modelIds(processor).empty());
}

TEST_F(CenterColumnEditor, TheStoredScrollPositionIsRestoredOnceTheUnitsAreBuilt)
{
    processor.mainTree.setProperty("ctstate", "CT:121 221 321 421 ", nullptr);
    processor.mainTree.setProperty("c_scl_p", 0.5, nullptr);
    open();
    auto& right = container().getViewport().getVerticalScrollBar();
    const int expected = juce::jmin((int) ((float) right.getHeight() * 0.5f), (int) right.getMaximumRangeLimit());
    EXPECT_GT(expected, 0);
    EXPECT_EQ(container().getViewport().getViewPositionY(), expected);
    EXPECT_NEAR((double) processor.mainTree["c_scl_p"], 0.5, 0.02);

    // From then on every move is stored.
    container().getViewport().setViewPosition(0, 0);
    EXPECT_EQ((double) processor.mainTree["c_scl_p"], 0.0);

    // A damaged position does no harm.
    processor.mainTree.setProperty("c_scl_p", "nan", nullptr);
    container().recallCenterPanelPos();
    processor.mainTree.setProperty("c_scl_p", 1.0e30, nullptr);
    container().recallCenterPanelPos();
    EXPECT_GE(container().getViewport().getViewPositionY(), 0);
}

TEST_F(CenterColumnEditor, APickWhoseSlotWasDeletedMeanwhileOnlyCloses)
{
    processor.mainTree.setProperty("ctstate", "CT:100 ", nullptr);
    open();
    content().getAddSlot(1)->OpenPopupMenu();
    auto* menu = menuIn(openCallOut(*editor));
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(menu->getButton(0).isEnabled());

    // The list changes under the open menu: every slot is rebuilt.
    content().addUnit(5, 0);
    ASSERT_NE(openCallOut(*editor), nullptr);
    menu->getButton(8).triggerClick();
    ASSERT_TRUE(zutest::pumpUntil([&] { return openCallOut(*editor) == nullptr; }));
    EXPECT_EQ(idsOf(content()), (std::vector<int>{5, 1}));
    EXPECT_EQ(processor.mainTree["ctstate"].toString(), "CT:500 100 ");
}

TEST_F(CenterColumnEditor, ScreenOfTheColumnWithUnitsAndTheAddMenu)
{
    processor.mainTree.setProperty("ctstate", "CT:100 510 900 1300 1400 ", nullptr);
    open();
    ASSERT_TRUE(zutest::pumpUntil([&] { return !editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer); }));
    ASSERT_TRUE(zutest::pumpUntil([&] { return !content().isTimerRunning(ZuMirabox_CenterContent::colourTimer); }));
    content().getAddSlot(2)->OpenPopupMenu();
    ASSERT_NE(menuIn(openCallOut(*editor)), nullptr);
    const auto image = editor->createComponentSnapshot(editor->getLocalBounds(), true, 1.0f);
    EXPECT_TRUE(zutest::writeScreen(image, "gui-center.png"));
}

TEST_F(CenterColumnEditor, EveryUnitHeaderHoldsItsMenuButtonWhichOpensTheUnitMenu)
{
    // Pitch 1 normal, pitch 2 expanded, pitch 3 minimised, a parameter unit.
    processor.mainTree.setProperty("ctstate", "CT:100 220 310 500 ", nullptr);
    open();
    ASSERT_EQ(content().getNumUnitPanels(), 4);
    for (int i = 0; i < 4; ++i)
    {
        auto* unit = content().getUnitPanel(i);
        SCOPED_TRACE(unit->unitId);
        const auto menu = unit->menuButton.getBounds();
        ASSERT_FALSE(menu.isEmpty());
        EXPECT_TRUE(unit->getLocalBounds().contains(menu));
        if (!unit->minimizeButton.getToggleState())
        {
            EXPECT_TRUE(unit->stripArea.toNearestInt().contains(menu));
            EXPECT_FALSE(menu.intersects(unit->nameLabel.getBounds()));
        }
        else
            EXPECT_FALSE(menu.intersects(unit->minimizedNameLabel.getBounds()));
        for (juce::Component* other : {(juce::Component*) &unit->powerButton, (juce::Component*) &unit->minimizeButton,
                                       (juce::Component*) &unit->expandButton, (juce::Component*) &unit->modButton})
            EXPECT_FALSE(menu.intersects(other->getBounds()));
    }

    // A click opens the unit menu there, as a right click on the frame does.
    juce::PopupMenu::dismissAllActiveMenus();
    ASSERT_TRUE(zutest::click(content().getUnitPanel(0)->menuButton));
    EXPECT_TRUE(juce::PopupMenu::dismissAllActiveMenus());
}

TEST_F(CenterColumnEditor, AMinimisedParameterUnitOrRackShowsItsNameOnItsColour)
{
    processor.mainTree.setProperty("ctstate", "CT:510 1410 ", nullptr);
    open();
    ASSERT_TRUE(zutest::pumpUntil([&] { return !editor->isTimerRunning(ZumiraboxAudioProcessorEditor::skinTimer); }));
    ZuShared<ZuMirabox_ColorTheme> theme;
    for (int i = 0; i < 2; ++i)
    {
        auto* unit = content().getUnitPanel(i);
        SCOPED_TRACE(unit->unitId);
        ASSERT_TRUE(unit->minimizeButton.getToggleState());
        // The name the quick bar shows too.
        EXPECT_EQ(unit->minimizedNameLabel.getText(), i == 0 ? "PARAM 1" : "RACK 1");
        const auto image = unit->createComponentSnapshot(unit->getLocalBounds());
        const auto bar = image.getPixelAt(2, image.getHeight() / 2);
        EXPECT_NE(bar, theme->unitAreaBgColor[1]) << "the bar is the unit's colour, not the column's";
        // The name is drawn: dark ink inside the label, on the bar's colour.
        const auto label = unit->minimizedNameLabel.getBounds();
        EXPECT_FALSE(zutest::inkBoundsIn(image, label, bar).isEmpty());
    }
}
} // namespace
