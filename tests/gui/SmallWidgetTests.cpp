// SPDX-License-Identifier: GPL-3.0-or-later
// The small button, slider and combo-box variants, driven by their handlers.
#include "MessagePump.h"
#include "UnitFrameFixture.h"
#include "ZuSmallWidgets.h"

#include <gtest/gtest.h>

namespace
{
using zutest::HeldModifiers;
const juce::ModifierKeys left(juce::ModifierKeys::leftButtonModifier);
const juce::ModifierKeys right(juce::ModifierKeys::rightButtonModifier);

juce::MouseEvent eventOn(juce::Component& target, juce::ModifierKeys mods, juce::Point<float> at = {5.0f, 5.0f})
{
    const auto now = juce::Time::getCurrentTime();
    return juce::MouseEvent(juce::Desktop::getInstance().getMainMouseSource(), at, mods,
                            juce::MouseInputSource::defaultPressure, 0.0f, 0.0f, 0.0f, 0.0f, &target, &target, now,
                            {5.0f, 5.0f}, now, 1, false);
}

// The mouse handlers as JUCE calls them (a button's own are protected).
juce::Component& asComponent(juce::Component& c)
{
    return c;
}

void rightPressPressesNothing()
{
    MappableButton mappable;
    DraggableButton draggable;
    MomentaryButton momentary(3);
    for (juce::Button* button : std::initializer_list<juce::Button*>{&mappable, &draggable, &momentary})
    {
        button->setSize(40, 20);
        button->setVisible(true);
        button->setClickingTogglesState(true);
        {
            HeldModifiers held(right);
            asComponent(*button).mouseDown(eventOn(*button, right));
            EXPECT_EQ(button->getState(), juce::Button::buttonNormal);
            asComponent(*button).mouseUp(eventOn(*button, right));
        }
        EXPECT_FALSE(button->getToggleState()) << button->getName();
        HeldModifiers held(left);
        asComponent(*button).mouseDown(eventOn(*button, left));
        EXPECT_TRUE(button->getState() == juce::Button::buttonDown || button->getToggleState());
    }

    ZuSlider slider;
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    slider.setRange(0.0, 1.0);
    slider.setBounds(0, 0, 200, 20);
    HeldModifiers held(right);
    slider.mouseDown(eventOn(slider, right, {150.0f, 10.0f}));
    slider.mouseDrag(eventOn(slider, right, {190.0f, 10.0f}));
    EXPECT_EQ(slider.getValue(), 0.0);
}

void momentaryAndLatching()
{
    struct Case
    {
        bool momentary;
        bool afterFirstPress, afterRelease, afterSecondPress;
    };
    for (const auto& c : {Case{true, true, false, true}, Case{false, true, true, false}})
    {
        MomentaryButton button(1);
        button.momentary = c.momentary;
        int clicks = 0;
        button.onClick = [&clicks] { ++clicks; };
        HeldModifiers held(left);
        button.mouseDown(eventOn(button, left));
        EXPECT_EQ(button.getToggleState(), c.afterFirstPress);
        button.mouseUp(eventOn(button, left));
        EXPECT_EQ(button.getToggleState(), c.afterRelease);
        EXPECT_EQ(button.getState(), juce::Button::buttonNormal);
        button.mouseDown(eventOn(button, left));
        EXPECT_EQ(button.getToggleState(), c.afterSecondPress);
        EXPECT_EQ(clicks, c.momentary ? 3 : 2) << "every change is notified";
    }
}

void rndButtonNotesRightClicks()
{
    RndButton button;
    int seen = -1;
    button.onClick = [&] { seen = button.rightClick; };
    button.setSize(20, 20);
    button.setVisible(true);
    for (auto [mods, expected] : {std::pair{right, 1}, std::pair{left, 0}})
    {
        HeldModifiers held(mods);
        asComponent(button).mouseDown(eventOn(button, mods));
        asComponent(button).mouseUp(eventOn(button, mods));
        EXPECT_EQ(seen, expected);
    }
}

void fxKnobSnaps()
{
    struct Case
    {
        bool octTpSettings;
        double value, expected;
    };
    for (const auto& c :
         {Case{false, 0.495, 0.5}, Case{false, 0.49, 0.5}, Case{false, 0.51, 0.51}, Case{true, 0.015, 0.0},
          Case{true, -0.02, 0.0}, Case{true, 0.02, 0.02}, Case{true, -0.021, -0.021}})
    {
        FxKnob knob;
        knob.snapOn = true;
        if (c.octTpSettings)
        {
            knob.snapTarget = 0.0;
            knob.snapLower = -0.02;
            knob.snapUpper = 0.02;
        }
        EXPECT_EQ(knob.snapValue(c.value, juce::Slider::absoluteDrag), c.expected) << c.value;
    }
    FxKnob off;
    EXPECT_EQ(off.snapValue(0.5001, juce::Slider::absoluteDrag), 0.5001);
}

void ccBoxStoresControllerPlusOne()
{
    const auto menu = CcBox::buildMenu();
    const auto entries = zutest::entriesOf(menu);
    ASSERT_EQ(entries.size(), 129u);
    EXPECT_EQ(entries.front().id, 1);
    EXPECT_EQ(entries.front().text, "--");
    EXPECT_EQ(entries[1].text, "0");
    EXPECT_EQ(entries.back().id, 129);
    EXPECT_EQ(entries.back().text, "127");

    CcBox box;
    box.setRange(0.0, 128.0, 1.0);
    box.setValue(40.0);
    for (auto [result, expected] : {std::pair{1, 0.0}, std::pair{129, 128.0}, std::pair{0, 128.0}, std::pair{2, 1.0}})
    {
        box.menuChosen(result);
        EXPECT_EQ(box.getValue(), expected) << result;
    }
    // Outside an editor a press opens nothing and dragging moves nothing.
    box.setBounds(0, 0, 40, 20);
    box.mouseDown(eventOn(box, left));
    box.mouseDrag(eventOn(box, left, {30.0f, -40.0f}));
    EXPECT_EQ(box.getValue(), 1.0);
    EXPECT_EQ(juce::ModalComponentManager::getInstance()->getNumModalComponents(), 0);
}

void comboColumnsAndPlaceholder()
{
    for (auto [items, columns] :
         {std::pair{1, 1}, std::pair{8, 1}, std::pair{9, 2}, std::pair{16, 2}, std::pair{17, 4}, std::pair{128, 4}})
    {
        ZuComboBox box;
        for (int i = 1; i <= items; ++i)
            box.addItem(juce::String(i), i);
        const auto options = box.popupOptions(1000, 580);
        EXPECT_EQ(options.getMinimumNumColumns(), columns) << items;
        EXPECT_EQ(options.getMaximumNumColumns(), 16);
        EXPECT_EQ(options.getMinimumWidth(), 59);
        EXPECT_EQ(options.getStandardItemHeight(), 19);
    }
    ZuComboBox small;
    EXPECT_EQ(small.popupOptions(100, 100).getMinimumWidth(), 20);
    EXPECT_EQ(small.popupOptions(100, 100).getStandardItemHeight(), 12);

    ZuComboBox empty;
    empty.prepareItems();
    ASSERT_EQ(empty.getNumItems(), 1);
    EXPECT_EQ(empty.getItemText(0), "----");
    EXPECT_FALSE(empty.isItemEnabled(1));

    ZuComboBox box;
    box.addItem("a", 1);
    box.addItem("b", 2);
    box.setSelectedId(2, juce::dontSendNotification);
    box.prepareItems();
    const auto entries = zutest::entriesOf(*box.getRootMenu());
    EXPECT_FALSE(entries[0].isTicked);
    EXPECT_TRUE(entries[1].isTicked);
    box.setBounds(0, 0, 60, 20);
    box.mouseDown(eventOn(box, left));
    EXPECT_FALSE(box.isPopupActive());
}

void altDragOverThreeToggles()
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    std::array<DraggableButton, 4> steps;
    for (size_t i = 0; i < steps.size(); ++i)
    {
        steps[i].setClickingTogglesState(true);
        editor->addAndMakeVisible(steps[i]);
        steps[i].setBounds(20 + 30 * (int) i, 20, 25, 25);
    }
    int notified = 0;
    for (size_t i = 1; i < steps.size(); ++i)
        steps[i].onClick = [&notified] { ++notified; };
    steps[0].setToggleState(true, juce::dontSendNotification);

    {
        HeldModifiers noAlt(left);
        steps[0].mouseDrag(eventOn(steps[0], left));
        EXPECT_FALSE(steps[0].getProperties().contains("state")) << "a drag without Alt does nothing";
    }
    HeldModifiers alt(juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier | juce::ModifierKeys::altModifier));
    steps[0].mouseDrag(eventOn(steps[0], left));
    EXPECT_EQ((int) steps[0].getProperties()["state"], 1);

    const juce::DragAndDropTarget::SourceDetails details(steps[0].groupId, &steps[0], {});
    for (size_t i = 1; i < steps.size(); ++i)
    {
        ASSERT_TRUE(steps[i].isInterestedInDragSource(details));
        steps[i].itemDragEnter(details);
        EXPECT_TRUE(steps[i].getToggleState()) << i;
        EXPECT_EQ(steps[i].getState(), juce::Button::buttonOver);
        steps[i].itemDragExit(details);
        EXPECT_EQ(steps[i].getState(), juce::Button::buttonNormal);
    }
    EXPECT_EQ(notified, 3);

    // Another group's drags are declined; a gone source reads as off.
    EXPECT_FALSE(steps[1].isInterestedInDragSource({"snapshot", &steps[0], {}}));
    steps[1].itemDragEnter({"", nullptr, {}});
    EXPECT_FALSE(steps[1].getToggleState());
}

// The shared widgets' edge cases, one row each.
TEST(SmallWidgets, EdgeCases)
{
    const std::pair<const char*, void (*)()> cases[] = {
        {"a right press presses no button and moves no slider", rightPressPressesNothing},
        {"momentary is on while held; latching flips on each press", momentaryAndLatching},
        {"the dice button notes a right click", rndButtonNotesRightClicks},
        {"FxKnob snaps 0.495, 0.015 and -0.02, keeps 0.51 and 0.02", fxKnobSnaps},
        {"CcBox: -- gives 0, 127 gives 128", ccBoxStoresControllerPlusOne},
        {"combo columns 1, 2, 4 and a disabled placeholder", comboColumnsAndPlaceholder},
        {"an Alt-drag from an on toggle turns three off toggles on", altDragOverThreeToggles},
    };
    for (const auto& [edge, check] : cases)
    {
        SCOPED_TRACE(edge);
        check();
    }
}
} // namespace

namespace
{
juce::Component* frontModal()
{
    auto* modal = juce::ModalComponentManager::getInstance();
    return modal->getNumModalComponents() > 0 ? modal->getModalComponent(0) : nullptr;
}

TEST(SmallWidgets, MenusOfWidgetsDeletedWhileOpenAnswerNobody)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    auto box = std::make_unique<CcBox>();
    editor->addAndMakeVisible(*box);
    box->setBounds(10, 10, 40, 20);
    box->mouseDown(eventOn(*box, left));
    ASSERT_TRUE(zutest::pumpUntil([] { return frontModal() != nullptr; })) << "a press opens the menu";
    box.reset();
    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE(zutest::pumpUntil([] { return frontModal() == nullptr; }));

    auto combo = std::make_unique<ZuComboBox>();
    for (int i = 1; i <= 9; ++i)
        combo->addItem(juce::String(i), i);
    editor->addAndMakeVisible(*combo);
    combo->setBounds(60, 10, 60, 20);
    combo->showPopup();
    ASSERT_TRUE(zutest::pumpUntil([] { return frontModal() != nullptr; }));
    combo.reset();
    juce::PopupMenu::dismissAllActiveMenus();
    EXPECT_TRUE(zutest::pumpUntil([] { return frontModal() == nullptr; }));
}

TEST(SmallWidgets, TheDesktopStartsProgramsWithoutAShell)
{
    EXPECT_EQ(ZuDesktop::openFolderCommand(juce::File("/tmp/a b;c")), juce::StringArray("xdg-open", "/tmp/a b;c"));
    EXPECT_TRUE(ZuDesktop::processStarter()(juce::StringArray("true")));
}
} // namespace
