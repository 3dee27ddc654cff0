// SPDX-License-Identifier: GPL-3.0-or-later
// The quick bar: its order string, its buttons, reordering by drag, the
// right-click menu's delete and rename, and its look.
#include "CenterPanelQuickBar.h"
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "RenameWndw.h"
#include "ScreenWriter.h"
#include "UnitFrameFixture.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterPanelMain.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
using Button = CenterPanelQuickBar::CustomToolbarButton;
using zutest::TestUnitPanel;

juce::ValueTree labelledTree()
{
    juce::ValueTree tree("maintree");
    tree.setProperty("unitlabel1", "PITCH 1", nullptr);
    tree.setProperty("unitlabel13", "Oct/Tp", nullptr);
    tree.setProperty("unitlabel14", "RACK 1", nullptr);
    return tree;
}

juce::StringArray buttonTexts(CenterPanelQuickBar& bar)
{
    juce::StringArray texts;
    for (int i = 0; i < bar.getToolbar().getNumItems(); ++i)
        texts.add(bar.getButton(i)->getButtonText());
    return texts;
}

juce::DragAndDropTarget::SourceDetails dragOf(juce::Component& source, juce::Point<int> position)
{
    return {juce::Toolbar::toolbarDragDescriptor, &source, position};
}

juce::Component* frontModal()
{
    auto* modal = juce::ModalComponentManager::getInstance();
    return modal->getNumModalComponents() > 0 ? modal->getModalComponent(0) : nullptr;
}

juce::MouseEvent pressOn(juce::Component& target, juce::ModifierKeys mods)
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), {5.0f, 5.0f}, mods,
                            juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &target, &target, now,
                            {5.0f, 5.0f}, now, 1, false);
}

// The real container of the processor's trees with test units in its column;
// its layout pass hands the column's order to its quick bar.
struct Column
{
    ZumiraboxAudioProcessor processor;
    ZuMirabox_CenterPanelMain container{processor.paramState,   processor.mainTree,  processor.paramTree,
                                        processor.globalData,   processor.scaleData, processor.chordData,
                                        processor.pitchSeqData, processor.lfoData};
    ZuMirabox_CenterContent& content = *container.getCenterContent();
    CenterPanelQuickBar& bar = container.getQuickBar();

    explicit Column(std::initializer_list<int> ids)
    {
        container.setBounds(0, 0, 900, 400);
        for (const int id : ids)
        {
            auto panel = std::make_unique<TestUnitPanel>(0, 0);
            panel->unitId = id;
            content.adoptUnitPanel(std::move(panel), -1);
        }
        container.updateQuickBar();
    }

    std::vector<int> order() const
    {
        std::vector<int> ids;
        content.getUnitOrderList(ids);
        return ids;
    }
};

TEST(QuickBar, AnEmptyListGivesAnEmptyBarOfNoWidth)
{
    CenterPanelQuickBar bar(labelledTree());
    bar.setBounds(0, 0, 600, 24);
    std::vector<int> none;
    bar.update(none);
    EXPECT_EQ(bar.getToolbar().toString(), "TB:");
    EXPECT_EQ(bar.getToolbar().getNumItems(), 0);
    EXPECT_EQ(bar.getToolbar().getWidth(), 0);

    // Three units: (600 - 2 - 2) x 0.06666 x 3 wide, at (3, 3), 20 high.
    std::vector<int> ids{13, 1, 2};
    bar.update(ids);
    EXPECT_EQ(bar.getToolbar().toString(), "TB:13 1 2");
    EXPECT_EQ(bar.getToolbar().getBounds(), juce::Rectangle<int>(3, 3, (int) (596.0f * 0.06666f * 3.0f), 20));
    // Labels from the tree, "----" for a unit without one.
    EXPECT_EQ(buttonTexts(bar), juce::StringArray({"Oct/Tp", "PITCH 1", "----"}));
}

TEST(QuickBar, ButtonsFollowTheItemTable)
{
    struct Case
    {
        int id;
        int kind;
        int uniti;
    };
    CenterPanelQuickBar bar(juce::ValueTree("maintree"));
    bar.setBounds(0, 0, 900, 24);
    std::vector<int> ids;
    for (int id = 1; id <= 15; ++id)
        ids.push_back(id);
    bar.update(ids);
    ASSERT_EQ(bar.getToolbar().getNumItems(), 15);
    for (const auto c : {Case{1, 0, 0}, Case{4, 0, 3}, Case{5, 1, 0}, Case{8, 1, 3}, Case{9, 2, 0}, Case{12, 2, 3},
                         Case{13, 4, -1}, Case{14, 3, 0}, Case{15, 3, 1}})
    {
        SCOPED_TRACE(c.id);
        auto* button = bar.getButton(c.id - 1);
        EXPECT_EQ(button->getItemId(), c.id);
        EXPECT_EQ((int) button->getProperties()["id"], c.id);
        EXPECT_EQ(button->getKindIndex(), c.kind);
        EXPECT_EQ(ZuStyle::integer(*button, ZuStyle::uniti, 99), c.uniti);
        EXPECT_EQ(button->getTooltip(), "Quick focus button");
        int preferred = 0, minimum = 0, maximum = 0;
        EXPECT_TRUE(button->getToolbarItemSizes(20, false, preferred, minimum, maximum));
        EXPECT_EQ(juce::Array<int>({preferred, minimum, maximum}), juce::Array<int>({100, 20, 500}));
        EXPECT_FALSE(button->getToolbarItemSizes(20, true, preferred, minimum, maximum));
    }
    juce::Array<int> all;
    CenterPanelQuickBar::DemoToolbarItemFactory factory(bar);
    factory.getAllToolbarItemIds(all);
    EXPECT_EQ(all.size(), 18);
    EXPECT_EQ(all.getLast(), juce::ToolbarItemFactory::flexibleSpacerId);
    EXPECT_EQ(factory.createItem(juce::ToolbarItemFactory::spacerId), nullptr);
    EXPECT_EQ(factory.createItem(16), nullptr);
}

TEST(QuickBar, KindColoursComeFromTheSettingsAndBrightenAtTheNextSkinChange)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto& colours = editor->processor.unitColors;
    colours = {juce::Colour(0xff102030), juce::Colour(0xff203040), juce::Colour(0xff304050), juce::Colour(0xff405060),
               juce::Colour(0xff506070)};
    CenterPanelQuickBar bar(processor.mainTree);
    editor->addAndMakeVisible(bar);
    bar.setBounds(0, 0, 600, 24);
    bar.setSkinMode(1);
    std::vector<int> ids{13, 14, 15};
    bar.update(ids);

    // Before the next skin change: the kind colour itself.
    EXPECT_EQ(bar.getButton(0)->findColour(juce::TextButton::buttonColourId), colours[4]);
    EXPECT_EQ(ZuStyle::colour(*bar.getButton(0), ZuStyle::outlinecolor, {}), colours[4]);
    EXPECT_EQ(bar.getButton(1)->findColour(juce::TextButton::buttonColourId), colours[3]);
    EXPECT_EQ(bar.getButton(2)->findColour(juce::TextButton::textColourOnId), colours[3]);

    bar.setSkinMode(1);
    EXPECT_TRUE(zutest::pumpUntil(
        [&] { return bar.getButton(1)->findColour(juce::TextButton::buttonColourId) == colours[3].brighter(0.2f); }));
    EXPECT_EQ(bar.getButton(0)->findColour(juce::TextButton::buttonColourId), colours[4].brighter(0.2f));

    // Outside an editor the kind colours stay white.
    CenterPanelQuickBar alone(processor.mainTree);
    alone.setSkinMode(1);
    EXPECT_EQ(alone.kindColour(4), juce::Colour(0xffffffff));
    EXPECT_EQ(alone.kindColour(9), juce::Colour(0xffffffff));
}

TEST(QuickBar, ADragOutOfTheBarKeepsTheButtonAndStillReportsTheOrder)
{
    Column column{1, 13};
    auto& bar = column.bar;
    bar.setEditMode(true);
    // The tree's label changes unannounced: the report refreshes the texts.
    column.processor.mainTree.setProperty("unitlabel13", "Renamed", nullptr);

    auto* dragged = bar.getButton(0);
    bar.getToolbar().itemDragExit(dragOf(*dragged, {-50, 5}));
    EXPECT_EQ(bar.getToolbar().getNumItems(), 2);
    EXPECT_TRUE(bar.getToolbar().isParentOf(dragged));
    EXPECT_TRUE(zutest::pumpUntil([&] { return bar.getButton(1)->getButtonText() == "Renamed"; }));
    EXPECT_EQ(column.order(), std::vector<int>({1, 13}));
    bar.setEditMode(false);
}

TEST(QuickBar, MovingPitchOneBehindTheOctaveUnitReordersTheColumn)
{
    Column column{1, 13};
    auto& bar = column.bar;
    auto& toolbar = bar.getToolbar();
    bar.setEditMode(true);
    auto* pitch = bar.getButton(0);
    toolbar.itemDragMove(dragOf(*pitch, {toolbar.getWidth() - 2, 5}));
    toolbar.itemDropped(dragOf(*pitch, {toolbar.getWidth() - 2, 5}));
    EXPECT_EQ(toolbar.toString(), "TB:13 1");

    EXPECT_TRUE(zutest::pumpUntil([&] { return column.order() == std::vector<int>({13, 1}); }));
    EXPECT_EQ(column.processor.mainTree["ctstate"].toString(), "CT:1300 100 ");
    bar.setEditMode(false);
}

TEST(QuickBar, DeleteUsesTheIdReadAtTheClickAfterTheButtonIsGone)
{
    Column column{1, 13};
    auto& bar = column.bar;
    auto callback = bar.getButton(0)->makeMenuCallback();
    juce::Component::SafePointer<Button> button(bar.getButton(0));

    // The bar is rebuilt while the menu is open: the clicked button is gone.
    std::vector<int> same{1, 13};
    bar.update(same);
    EXPECT_EQ(button.getComponent(), nullptr);
    callback(CenterPanelQuickBar::renameItemId); // nothing to point a call-out at
    callback(CenterPanelQuickBar::deleteItemId);
    EXPECT_EQ(column.order(), std::vector<int>({13}));
    EXPECT_EQ(bar.getToolbar().toString(), "TB:13");

    // Deleting rebuilds the bar from inside the menu's answer, which deletes
    // the answering button; the last unit leaves an empty bar.
    bar.getButton(0)->makeMenuCallback()(CenterPanelQuickBar::deleteItemId);
    EXPECT_TRUE(column.order().empty());
    EXPECT_EQ(bar.getToolbar().toString(), "TB:");
    EXPECT_EQ(column.processor.mainTree["ctstate"].toString(), "CT:");

    // The bar itself gone: the answer does nothing.
    std::function<void(int)> orphan;
    {
        CenterPanelQuickBar gone(column.processor.mainTree);
        std::vector<int> one{2};
        gone.update(one);
        orphan = gone.getButton(0)->makeMenuCallback();
    }
    orphan(CenterPanelQuickBar::deleteItemId);
}

TEST(QuickBar, RenameOpensTheNameFieldInACallOutOverTheEditor)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    editor->setSize(1000, 580);
    CenterPanelQuickBar bar(processor.mainTree);
    editor->addAndMakeVisible(bar);
    bar.setBounds(10, 10, 600, 24);
    processor.mainTree.setProperty("unitlabel2", "Lead", nullptr);
    std::vector<int> ids{2};
    bar.update(ids);

    bar.getButton(0)->makeMenuCallback()(CenterPanelQuickBar::renameItemId);
    juce::CallOutBox* box = nullptr;
    for (auto* child : editor->getChildren())
        if (auto* b = dynamic_cast<juce::CallOutBox*>(child))
            box = b;
    ASSERT_NE(box, nullptr);
    auto* window = dynamic_cast<RenameWndw*>(box->getChildComponent(0));
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->getWidth(), 180);
    EXPECT_EQ(window->getHeight(), 58);
    EXPECT_EQ(window->getTextField().getText(), "Lead");
    EXPECT_EQ(box->findColour(juce::BubbleComponent::backgroundColourId), juce::Colour(0xff303030));
    EXPECT_EQ(box->findColour(juce::BubbleComponent::outlineColourId), juce::Colour(0xffaaaaaa));
    juce::Component::SafePointer<juce::CallOutBox> open(box);
    box->dismiss();
    EXPECT_TRUE(zutest::pumpUntil([&] { return open == nullptr; }));
}

TEST(QuickBar, ARightPressInsideAnEditorOpensTheMenuAndIsNoClick)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    CenterPanelQuickBar bar(processor.mainTree);
    bar.setBounds(0, 0, 600, 24);
    std::vector<int> ids{1};
    bar.update(ids);
    auto* button = bar.getButton(0);
    const auto right = juce::ModifierKeys(juce::ModifierKeys::rightButtonModifier);

    button->mouseDown(pressOn(*button, right)); // outside an editor: nothing
    zutest::pumpFor(50);
    EXPECT_EQ(frontModal(), nullptr);

    editor->addAndMakeVisible(bar);
    button->mouseDown(pressOn(*button, right));
    ASSERT_TRUE(zutest::pumpUntil([] { return frontModal() != nullptr; }));
    EXPECT_EQ(button->getState(), juce::Button::buttonNormal);
    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE(zutest::pumpUntil([] { return frontModal() == nullptr; }));
}

TEST(QuickBar, EditModeBlinksAndSettlesAfterItEnds)
{
    CenterPanelQuickBar bar(juce::ValueTree("maintree"));
    bar.setBounds(0, 0, 300, 24);
    std::vector<int> ids{3};
    bar.update(ids);
    const auto editing = [&]
    { return bar.getButton(0)->getEditingMode() == juce::ToolbarItemComponent::editableOnToolbar; };
    bar.setEditMode(true);
    EXPECT_TRUE(editing());
    EXPECT_TRUE(zutest::pumpUntil([&] { return bar.getBlinkColour() == juce::Colour(0xffffffff); }));
    EXPECT_LT(bar.getBlinkLevel(), 1.0f);
    bar.setEditMode(false);
    EXPECT_FALSE(editing());
    EXPECT_TRUE(zutest::pumpUntil([&] { return bar.getBlinkColour() == juce::Colour(0xff686868); }));
    EXPECT_FLOAT_EQ(bar.getBlinkLevel(), 1.0f);

    // Off and on again at once: the edit stays on once the ending has passed.
    bar.setEditMode(false);
    bar.setEditMode(true);
    ASSERT_TRUE(zutest::pumpUntil([&] { return !bar.isTimerRunning(2); }));
    EXPECT_TRUE(editing());
    EXPECT_TRUE(zutest::pumpUntil([&] { return bar.getBlinkColour() == juce::Colour(0xffffffff); }));
}

TEST(QuickBar, DestroyingTheToolbarKeepsTheDefaultLookAndFeel)
{
    juce::LookAndFeel_V4 installed;
    juce::LookAndFeel::setDefaultLookAndFeel(&installed);
    {
        ZuDraggableToolbar toolbar;
        CenterPanelQuickBar bar(juce::ValueTree("maintree"));
    }
    EXPECT_EQ(&juce::LookAndFeel::getDefaultLookAndFeel(), &installed);
    juce::LookAndFeel::setDefaultLookAndFeel(nullptr);
}

TEST(Screens, QuickBar)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    CenterPanelQuickBar bar(processor.mainTree);
    editor->addAndMakeVisible(bar);
    bar.setBounds(0, 0, 700, 26);
    std::vector<int> ids{1, 2, 5, 9, 13, 14};
    bar.update(ids);
    bar.setSkinMode(1);
    const auto brightened = bar.kindColour(CenterPanelQuickBar::ccRackColour).brighter(0.2f);
    EXPECT_TRUE(zutest::pumpUntil(
        [&] { return bar.getButton(5)->findColour(juce::TextButton::buttonColourId) == brightened; }));
    const auto image = bar.createComponentSnapshot(bar.getLocalBounds());
    const auto ink = zutest::inkBoundsIn(image, bar.getToolbar().getBounds(), juce::Colour(0xff000000));
    EXPECT_FALSE(ink.isEmpty());
    EXPECT_TRUE(zutest::writeScreen(image, "gui-quickbar.png"));
}
} // namespace
