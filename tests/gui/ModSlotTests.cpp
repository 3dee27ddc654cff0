// SPDX-License-Identifier: GPL-3.0-or-later
#include "DraggableItemBase2.h"
#include "MacroPanel.h"
#include "MessagePump.h"
#include "UnitFrameFixture.h"
#include "ZuModulatableKnob.h"

#include <gtest/gtest.h>

namespace
{
using zutest::TestUnitPanel;

juce::MouseEvent eventOn(juce::Component& target, juce::ModifierKeys mods = {})
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), {2.0f, 2.0f}, mods,
                            juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &target, &target, now,
                            {2.0f, 2.0f}, now, 1, false);
}

juce::DragAndDropTarget::SourceDetails dragOf(const juce::String& text, juce::Component* source = nullptr)
{
    return {text, source, {}};
}

juce::Component* frontModal()
{
    auto* modal = juce::ModalComponentManager::getInstance();
    return modal->getNumModalComponents() > 0 ? modal->getModalComponent(0) : nullptr;
}

juce::ValueTree unitNode(ZumiraboxAudioProcessor& processor, const juce::String& name)
{
    return ZuEditorAccess(processor).getParamTree().getChildWithName("seqmain").getChildWithName(name);
}

double number(const juce::ValueTree& tree, const juce::String& key)
{
    return (double) tree.getProperty(juce::Identifier(key));
}

// A knob bound inside a unit panel of an editor, as the unit panels build it.
struct KnobInEditor
{
    KnobInEditor(int kind, const juce::String& node, const juce::String& id)
        : editor(zutest::makeEditor(processor)), unit(kind, 0), tree(unitNode(processor, node))
    {
        editor->addAndMakeVisible(unit);
        unit.setBounds(0, 0, 600, 200);
        unit.addAndMakeVisible(knob);
        knob.setBounds(300, 20, 40, 60);
        knob.setAttachment(tree, id, 0.0f, {0.0, 1.0});
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
    TestUnitPanel unit;
    ZuModulatableKnob knob{2};
    juce::ValueTree tree;
};

TEST(ModSlots, BindingWritesMissingAssignmentKeysAsZeroAndKeepsPresentOnes)
{
    ZumiraboxAudioProcessor processor;
    auto tree = unitNode(processor, "ptchsq1");
    ASSERT_TRUE(tree.isValid());
    for (auto key : {"p1m11_pch3_ms1", "p1m11_pch3_md1"})
        tree.removeProperty(key, nullptr);
    tree.setProperty("p1m11_pch3_ms2", 5.0, nullptr);
    tree.setProperty("p1m11_pch3_md2", 0.25, nullptr);

    ZuModulatableKnob knob(2);
    knob.setAttachment(tree, "p1m11_pch3", 0.0f, {0.0, 12.0, 1.0});
    EXPECT_EQ(number(tree, "p1m11_pch3_ms1"), 0.0);
    EXPECT_EQ(number(tree, "p1m11_pch3_md1"), 0.0);
    EXPECT_EQ(number(tree, "p1m11_pch3_ms2"), 5.0);
    EXPECT_EQ(number(tree, "p1m11_pch3_md2"), 0.25);

    for (auto text : {"m11MOD1", "m11MOD8", "MACRO1", "MACRO8"})
        EXPECT_TRUE(knob.slots[0].isInterestedInDragSource(dragOf(text))) << text;
    for (auto text : {"m12MOD1", "MOD1", "MACRO9", "m11MOD9"})
        EXPECT_FALSE(knob.slots[0].isInterestedInDragSource(dragOf(text))) << text;
}

TEST(ModSlots, KnobAndPairLayouts)
{
    ZuModulatableKnob knob(2);
    knob.setBounds(0, 0, 40, 60);
    EXPECT_EQ(knob.mainKnob.getBounds(), juce::Rectangle<int>(1, 1, 38, 43));
    EXPECT_EQ(knob.slots[0].getBounds(), juce::Rectangle<int>(4, 45, 14, 14));
    EXPECT_EQ(knob.slots[1].getBounds(), juce::Rectangle<int>(21, 45, 14, 14));
    EXPECT_EQ(knob.slots[0].amountKnob.getBounds(), juce::Rectangle<int>(1, 1, 12, 12));

    knob.layoutMode = 1;
    knob.setBounds(0, 0, 60, 40);
    // m = 14 at the right; gap trunc((38 - 28) x 0.333333) = 3.
    EXPECT_EQ(knob.mainKnob.getBounds(), juce::Rectangle<int>(1, 1, 43, 38));
    EXPECT_EQ(knob.slots[0].getBounds(), juce::Rectangle<int>(45, 4, 14, 14));
    EXPECT_EQ(knob.slots[1].getBounds(), juce::Rectangle<int>(45, 21, 14, 14));

    ZuPairOfModKnobs pair(true, 2);
    pair.setBounds(0, 0, 40, 16);
    EXPECT_EQ(pair.slots[0].getBounds(), juce::Rectangle<int>(2, 0, 16, 16));
    EXPECT_EQ(pair.slots[1].getBounds(), juce::Rectangle<int>(21, 0, 16, 16));
}

TEST(ModSlots, DepthTextsAndTheSnapAtHalf)
{
    FxModKnob slot;
    struct Case
    {
        double depth;
        const char* text;
    };
    for (auto c : {Case{1.0, "+100 %"}, Case{-1.0, "-100 %"}, Case{0.0, "0 %"}})
        EXPECT_EQ(slot.depthText(c.depth), c.text) << c.depth;
    EXPECT_TRUE(slot.depthText(-0.5).startsWith("-"));
    EXPECT_TRUE(slot.depthText(0.5).startsWith("+"));

    for (auto [in, out] :
         {std::pair{0.497, 0.5}, {0.4951, 0.5}, {0.5049, 0.5}, {0.495, 0.495}, {0.505, 0.505}, {0.3, 0.3}})
        EXPECT_EQ(slot.amountKnob.snapValue(in, juce::Slider::absoluteDrag), out) << in;

    // A drag that ends at 0.497 stores 0.5 in the depth key.
    juce::ValueTree tree("ccsq1");
    slot.setAttachment(tree, "p3m31_sval1_md1", "p3m31_sval1_ms1", "m31");
    slot.setSrcVal(9.0);
    slot.amountKnob.setValue(slot.amountKnob.snapValue(0.497, juce::Slider::absoluteDrag), juce::sendNotificationSync);
    EXPECT_EQ(number(tree, "p3m31_sval1_md1"), 0.5);
}

TEST(ModSlots, MacroHandleDroppedOnASlotInTheEditor)
{
    KnobInEditor f(2, "ccsq1", "p3m31_sval1");
    f.tree.setProperty("p3m31_sval1_md1", 0.0, nullptr);
    MyDocumentWindow window("Mod", juce::Colours::black, juce::ValueTree("window"), 0, false);
    ModPanelMain page(ZuEditorAccess(f.processor).getParameterState(), ZuEditorAccess(f.processor).getMainTree(),
                      f.processor.globalData, f.processor.lfoData, window, f.editor->modPolValue,
                      f.editor->indctSrcValue);
    f.editor->addAndMakeVisible(page);
    page.setBounds(0, 400, 1000, 180);

    auto& handle = page.macroPanel.units[1]->handle;
    EXPECT_EQ(handle.ddId, "MACRO2");
    auto& slot = f.knob.slots[0];
    ASSERT_TRUE(slot.isInterestedInDragSource(dragOf(handle.ddId, &handle)));
    slot.amountKnob.setValue(0.3, juce::sendNotificationSync);
    slot.itemDropped(dragOf(handle.ddId, &handle));

    EXPECT_EQ(number(f.tree, "p3m31_sval1_ms1"), 10.0);
    EXPECT_DOUBLE_EQ(number(f.tree, "p3m31_sval1_md1"), 0.3);
    ZuMirabox_ColorTheme theme;
    EXPECT_EQ(f.knob.mainKnob.getProperties()["mod1trkcolor"].toString(), theme.entry(53, 0).toString());
    EXPECT_EQ((int) f.knob.mainKnob.getProperties()["polindex1"], 0);
    EXPECT_EQ(slot.amountKnob.getProperties()["modsrc"].toString(), "2");

    EXPECT_FALSE(slot.isInterestedInDragSource(dragOf("m12MOD1")));
    EXPECT_TRUE(slot.isInterestedInDragSource(dragOf("m31MOD4")));

    // A disabled slot takes no drop and opens no menu.
    f.knob.setEnabled(false);
    EXPECT_FALSE(slot.isEnabled());
    EXPECT_FALSE(slot.isInterestedInDragSource(dragOf("MACRO3")));
    slot.openPopupMenu(eventOn(slot.amountKnob, juce::ModifierKeys::rightButtonModifier));
    zutest::pumpFor(50);
    EXPECT_EQ(frontModal(), nullptr);
}

TEST(ModSlots, SourceMenuEntriesChoicesAndDismissal)
{
    const auto entries = zutest::entriesOf(FxModKnob::buildSourceMenu());
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].id, 1);
    EXPECT_EQ(entries[0].text, "Clear");
    EXPECT_EQ(entries[1].text, "Modulator");
    EXPECT_TRUE(entries[1].isSubMenu);
    EXPECT_EQ(entries[2].text, "Macro");
    EXPECT_TRUE(entries[2].isSubMenu);
    const auto menu = FxModKnob::buildSourceMenu();
    juce::PopupMenu::MenuItemIterator top(menu);
    std::vector<std::pair<int, juce::String>> subItems;
    while (top.next())
        if (auto* sub = top.getItem().subMenu.get())
            for (juce::PopupMenu::MenuItemIterator it(*sub); it.next();)
                subItems.emplace_back(it.getItem().itemID, it.getItem().text);
    ASSERT_EQ(subItems.size(), 16u);
    for (int i = 0; i < 8; ++i)
    {
        EXPECT_EQ(subItems[(size_t) i], std::make_pair(2 + i, "Mod" + juce::String(i + 1)));
        EXPECT_EQ(subItems[(size_t) i + 8], std::make_pair(10 + i, "Macro" + juce::String(i + 1)));
    }

    KnobInEditor f(0, "ptchsq1", "p1m11_pch3");
    auto& slot = f.knob.slots[0];
    slot.amountKnob.mouseDown(eventOn(slot.amountKnob, juce::ModifierKeys::rightButtonModifier));
    ASSERT_TRUE(zutest::pumpUntil([] { return frontModal() != nullptr; })) << "a right press opens the menu";
    juce::PopupMenu::dismissAllActiveMenus();
    ASSERT_TRUE(zutest::pumpUntil([] { return frontModal() == nullptr; }));
    zutest::pumpFor(20);
    EXPECT_EQ(number(f.tree, "p1m11_pch3_ms1"), 0.0) << "dismissing writes nothing";

    slot.sourceMenuChosen(12);
    EXPECT_EQ(number(f.tree, "p1m11_pch3_ms1"), 11.0) << "Macro3";
    slot.amountKnob.setValue(0.4, juce::sendNotificationSync);
    slot.sourceMenuChosen(1);
    EXPECT_EQ(number(f.tree, "p1m11_pch3_ms1"), 0.0) << "Clear";
    EXPECT_EQ(number(f.tree, "p1m11_pch3_md1"), 0.0) << "a cleared source takes its depth to 0";
    EXPECT_EQ(f.knob.mainKnob.getProperties()["mod1trkcolor"].toString(), juce::Colour(0x00000000).toString());
    EXPECT_EQ((float) f.knob.mainKnob.getProperties()["Mod1"], 0.0f);
}

TEST(ModSlots, KnobValueCodes)
{
    juce::ValueTree tree("prmsq1");
    ZuModulatableKnob knob(2);
    knob.setAttachment(tree, "p2m21_sval1", 0.5f, {0.0, 1.0});
    knob.setKnobVal(4, 9.0f);
    EXPECT_EQ(number(tree, "p2m21_sval1_ms2"), 9.0);
    EXPECT_EQ(knob.slots[1].amountKnob.getProperties()["modsrc"].toString(), "1");
    knob.setKnobVal(3, 0.25f);
    EXPECT_EQ(number(tree, "p2m21_sval1_md2"), 0.25);
    knob.setKnobVal(0, 0.75f);
    EXPECT_EQ(number(tree, "p2m21_sval1"), 0.75);
    knob.setKnobVal(7, 0.1f);
    EXPECT_EQ(number(tree, "p2m21_sval1"), 0.75);
}

TEST(ModSlots, ForeignSourcesOutsideTheTableShowNoNumber)
{
    KnobInEditor f(1, "prmsq1", "p2m21_sval1");
    f.tree.setProperty("p2m21_sval1_ms1", 40.0, nullptr);
    f.knob.slots[0].updateModTargetDisp();
    EXPECT_EQ(f.knob.slots[0].amountKnob.getProperties()["modsrc"].toString(), "");
    EXPECT_EQ(f.knob.mainKnob.getProperties()["mod1trkcolor"].toString(), juce::Colour(0x00000000).toString());
    EXPECT_EQ((int) f.knob.mainKnob.getProperties()["polindex1"], 0);
    EXPECT_EQ(f.knob.slots[0].sourceText(17), "");
    EXPECT_EQ(f.knob.slots[0].sourceText(24), "");
    EXPECT_EQ(f.knob.slots[0].sourceText(-3), "");
}

TEST(ModSlots, SlotsLinkThemselvesAndFollowThePolarityOfTheirSource)
{
    KnobInEditor f(0, "ptchsq1", "p1m11_pch3");
    auto& slot = f.knob.slots[0];
    ASSERT_TRUE(zutest::pumpUntil([&] { return slot.isLinked; })) << "linked once it sits in the editor";

    auto slotNode = ZuEditorAccess(f.processor)
                        .getParamTree()
                        .getChildWithName("modmain")
                        .getChildWithName("ptchsq1mod")
                        .getChildWithName("mod3");
    ASSERT_TRUE(slotNode.isValid());
    slotNode.setProperty("p6m113_bbi", 1.0, nullptr);
    slot.setSrcVal(3.0);
    EXPECT_EQ((int) f.knob.mainKnob.getProperties()["polindex1"], 1);
    EXPECT_EQ((int) slot.amountKnob.getProperties()["polindex"], 1);

    slotNode.setProperty("p6m113_bbi", 0.0, nullptr);
    f.editor->modPolValue.setValue(!(bool) f.editor->modPolValue.getValue());
    EXPECT_TRUE(zutest::pumpUntil([&] { return (int) f.knob.mainKnob.getProperties()["polindex1"] == 0; }));
}

TEST(ModSlots, OutsideAnEditorNothingIsPublishedOrAsked)
{
    juce::Component holder;
    DraggableItemBase2 handle("MACRO4", juce::Colours::orange);
    holder.addAndMakeVisible(handle);
    handle.setBounds(0, 0, 10, 10);
    handle.mouseEnter(eventOn(handle));
    handle.mouseExit(eventOn(handle));

    juce::ValueTree tree("ptchsq1");
    ZuModulatableKnob knob(2);
    holder.addAndMakeVisible(knob);
    knob.setAttachment(tree, "p1m11_pch3", 0.0f, {0.0, 1.0});
    knob.slots[0].setSrcVal(2.0);
    knob.slots[0].tryToLink();
    EXPECT_FALSE(knob.slots[0].isLinked);
    EXPECT_EQ((int) knob.mainKnob.getProperties()["polindex1"], 0);
    EXPECT_EQ(knob.mainKnob.getProperties()["mod1trkcolor"].toString(), juce::Colour(0xffc0c0c0).toString());
}

TEST(ModSlots, HoveredHandleOfTheSourceMakesTheSlotBlink)
{
    KnobInEditor f(0, "ptchsq1", "p1m11_pch3");
    auto& slot = f.knob.slots[0];
    slot.tryToLink();
    ASSERT_TRUE(slot.isLinked);
    slot.setSrcVal(3.0);
    auto indicator = [&slot] { return (int) slot.amountKnob.getProperties().getWithDefault("indicator", 0); };

    f.editor->indctSrcValue.setValue("m11MOD3");
    ASSERT_TRUE(zutest::pumpUntil([&] { return indicator() == 1; })) << "lit after the first 10 ms";
    EXPECT_EQ(slot.getTimerInterval(FxModKnob::blinkTimer), 350);
    ASSERT_TRUE(zutest::pumpUntil([&] { return indicator() == 0; }));
    ASSERT_TRUE(zutest::pumpUntil([&] { return indicator() == 1; })) << "it keeps toggling";

    f.editor->indctSrcValue.setValue("m11MOD4");
    ASSERT_TRUE(zutest::pumpUntil([&] { return !slot.isTimerRunning(FxModKnob::blinkTimer); }));
    EXPECT_EQ(indicator(), 0);

    f.editor->indctSrcValue.setValue("MACRO3");
    zutest::pumpFor(50);
    EXPECT_FALSE(slot.isTimerRunning(FxModKnob::blinkTimer)) << "macro 3 is source 11";
}

TEST(ModSlots, HandlesPublishTheirTextWhileHovered)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    DraggableItemBase2 first("m11MOD1", juce::Colours::black), second("MACRO8", juce::Colours::orange);
    editor->addAndMakeVisible(first);
    editor->addAndMakeVisible(second);
    first.setBounds(10, 10, 12, 12);
    second.setBounds(30, 10, 12, 12);

    first.mouseEnter(eventOn(first));
    EXPECT_EQ(editor->indctSrcValue.toString(), "m11MOD1");
    first.mouseExit(eventOn(first));
    second.mouseEnter(eventOn(second));
    EXPECT_EQ(editor->indctSrcValue.toString(), "MACRO8");

    // A handle that goes while hovered takes its text with it.
    auto third = std::make_unique<DraggableItemBase2>("m11MOD2", juce::Colours::black);
    editor->addAndMakeVisible(*third);
    third->mouseEnter(eventOn(*third));
    third.reset();
    EXPECT_EQ(editor->indctSrcValue.toString(), "off");
}

TEST(ModSlots, HandlePicturesAndShapes)
{
    DraggableItemBase2 handle("MACRO1", juce::Colours::orange);
    EXPECT_EQ(handle.getTooltip(),
              "Drag and drop this modulator to a crossed circle next to a parameter for assignment");
    handle.setBounds(0, 0, 4, 4);
    EXPECT_GE(handle.dragImage.getWidth(), 10);
    EXPECT_GE(handle.dragImage.getHeight(), 10);
    handle.setBounds(0, 0, 20, 20);
    EXPECT_EQ(handle.dragImage.getWidth(), 40);
    EXPECT_FALSE(handle.iconShape.getPath().isEmpty());
    EXPECT_TRUE(juce::Rectangle<float>(0.0f, 0.0f, 20.0f, 20.0f).contains(handle.iconShape.getPath().getBounds()));

    handle.setEnabled(false);
    EXPECT_TRUE(handle.iconShape.getPath().isEmpty());
    EXPECT_TRUE(handle.highlightShape.getPath().isEmpty());
    handle.setEnabled(true);
    EXPECT_FALSE(handle.iconShape.getPath().isEmpty());

    handle.showHighlight = true;
    handle.updateDrawable();
    EXPECT_FALSE(handle.highlightShape.getPath().isEmpty());
}

TEST(ModSlots, RightButtonDragsStartNothing)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    DraggableItemBase2 handle("MACRO1", juce::Colours::orange);
    editor->addAndMakeVisible(handle);
    handle.setBounds(10, 10, 12, 12);
    zutest::HeldModifiers held(juce::ModifierKeys::rightButtonModifier);
    handle.mouseDrag(eventOn(handle, juce::ModifierKeys::rightButtonModifier));
    EXPECT_FALSE(editor->isDragAndDropActive());
}
} // namespace
