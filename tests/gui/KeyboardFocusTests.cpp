// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard stays with the host: clicks on controls take no keyboard focus
// anywhere in the editor, so Return or Space never fire a control again, while
// the fields where the user types get the keys at once.
#include "GuiTestHelpers.h"
#include "MessagePump.h"
#include "WidgetTestHelpers.h"
#include "CenterPanelQuickBar.h"
#include "RenameWndw.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterPanelMain.h"
#include "ZuMirabox_CenterPitchSeqPanel.h"

#include <gtest/gtest.h>

namespace
{
// Gives the window of c the keyboard, as a window manager does when the user
// clicks into it; false when the display refuses.
bool focusWindowOf(juce::Component& c)
{
    return zutest::pumpUntil(
        [&]
        {
            auto* peer = c.getPeer();
            if (peer == nullptr)
                return false;
            if (!peer->isFocused())
                peer->grabFocus();
            return peer->isFocused();
        });
}

// A click on c through its window, as the X server delivers one: the left
// button unless the right one is asked for.
void clickThroughWindow(juce::Component& window, juce::Component& c, bool right = false)
{
    auto* peer = window.getPeer();
    ASSERT_NE(peer, nullptr);
    const auto at = window.getLocalArea(&c, c.getLocalBounds()).getCentre().toFloat();
    const auto time = juce::Time::currentTimeMillis();
    const auto send = [&](int buttons, juce::int64 when)
    {
        peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, at, juce::ModifierKeys(buttons),
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                               when);
    };
    send(0, time);
    send(right ? juce::ModifierKeys::rightButtonModifier : juce::ModifierKeys::leftButtonModifier, time);
    send(0, time + 20);
}

struct EditorKeys : ::testing::Test
{
    EditorKeys()
    {
        processor.mainTree.setProperty("ctstate", "CT:100 ", nullptr);
        editor = zutest::makeEditor(processor);
        editor->addToDesktop(0);
        editor->setVisible(true);
    }
    ~EditorKeys() override
    {
        juce::PopupMenu::dismissAllActiveMenus();
        editor.reset();
    }

    ZuMirabox_CenterContent& content() { return *editor->getMainPanel()->centerContainer.getCenterContent(); }
    ZuMirabox_CenterPitchSeqPanel* pitchUnit()
    {
        return content().getNumUnitPanels() > 0
                   ? dynamic_cast<ZuMirabox_CenterPitchSeqPanel*>(content().getUnitPanel(0))
                   : nullptr;
    }

    ZumiraboxAudioProcessor processor;
    std::unique_ptr<ZumiraboxAudioProcessorEditor> editor;
};

TEST_F(EditorKeys, ReturnAndSpaceAfterClickingAUnitsButtonsChangeNothing)
{
    ASSERT_TRUE(zutest::pumpUntil([&] { return pitchUnit() != nullptr && pitchUnit()->isShowing(); }));
    ASSERT_TRUE(focusWindowOf(*editor)) << "the test display gives no keyboard focus";
    auto& unit = *pitchUnit();
    struct Target
    {
        const char* name;
        juce::Button& button;
    };
    // V/G/P first: the power going off disables the unit's other controls.
    for (const auto& t : {Target{"V/G/P", unit.vgpButtonLeft}, Target{"power", unit.powerButton}})
    {
        SCOPED_TRACE(t.name);
        const bool before = t.button.getToggleState();
        clickThroughWindow(*editor, t.button);
        ASSERT_TRUE(zutest::pumpUntil([&] { return t.button.getToggleState() != before; }));
        EXPECT_FALSE(t.button.hasKeyboardFocus(false));

        auto* peer = editor->getPeer();
        peer->handleKeyPress(juce::KeyPress(juce::KeyPress::returnKey));
        peer->handleKeyPress(juce::KeyPress(juce::KeyPress::spaceKey, 0, ' '));
        zutest::pumpFor(50);
        EXPECT_NE(t.button.getToggleState(), before) << "a key fired the button again";
    }
}

TEST_F(EditorKeys, ControlsAddedLaterAtAnyDepthTakeNoFocusWhileTypingFieldsDo)
{
    // A panel built after the editor opened, as the unit column and the
    // bottom pages add theirs, with a call-out over the editor beside it.
    juce::Component outer, inner;
    juce::TextButton button;
    juce::Slider slider;
    juce::ComboBox box;
    juce::Label label;
    juce::TextEditor field;
    editor->getMainPanel()->addAndMakeVisible(outer);
    outer.setBounds(10, 100, 300, 100);
    inner.setBounds(0, 0, 300, 100);
    for (juce::Component* c : {(juce::Component*) &button, (juce::Component*) &slider, (juce::Component*) &box,
                               (juce::Component*) &label, (juce::Component*) &field})
    {
        inner.addAndMakeVisible(*c);
        c->setBounds(0, 0, 50, 20);
    }
    label.setEditable(true);
    outer.addAndMakeVisible(inner);
    for (juce::Component* c :
         {(juce::Component*) &button, (juce::Component*) &slider, (juce::Component*) &box, (juce::Component*) &label})
    {
        EXPECT_FALSE(c->getWantsKeyboardFocus());
        EXPECT_FALSE(c->getMouseClickGrabsKeyboardFocus());
    }
    EXPECT_TRUE(field.getWantsKeyboardFocus());
    EXPECT_TRUE(field.getMouseClickGrabsKeyboardFocus());

    // The unit column's panels, built 300 ms after opening, are covered too.
    ASSERT_TRUE(zutest::pumpUntil([&] { return pitchUnit() != nullptr; }));
    EXPECT_FALSE(pitchUnit()->getStep(0).pitchKnob.mainKnob.getMouseClickGrabsKeyboardFocus());
    EXPECT_FALSE(pitchUnit()->powerButton.getWantsKeyboardFocus());

    // A control whose own code asks for the focus again gives it away.
    if (focusWindowOf(*editor))
    {
        box.setWantsKeyboardFocus(true);
        box.grabKeyboardFocus();
        EXPECT_TRUE(zutest::pumpUntil([&] { return !box.hasKeyboardFocus(false); }));
        EXPECT_FALSE(box.getWantsKeyboardFocus());
    }
    editor->getMainPanel()->removeChildComponent(&outer);
}

TEST_F(EditorKeys, TheRenameFieldTakesTypingAsSoonAsItShows)
{
    auto& bar = editor->getMainPanel()->centerContainer.getQuickBar();
    ASSERT_TRUE(zutest::pumpUntil([&] { return bar.getButton(0) != nullptr; }));

    // "Rename" from the button's own menu, picked with the keys.
    ASSERT_TRUE(focusWindowOf(*editor));
    auto* peer = editor->getPeer();
    clickThroughWindow(*editor, *bar.getButton(0), true);
    ASSERT_TRUE(zutest::pumpUntil([] { return juce::Component::getCurrentlyModalComponent() != nullptr; }));
    for (int key : {juce::KeyPress::downKey, juce::KeyPress::downKey, juce::KeyPress::returnKey})
        peer->handleKeyPress(juce::KeyPress(key));
    RenameWndw* window = nullptr;
    ASSERT_TRUE(
        zutest::pumpUntil([&] { return (window = zutest::openCallOutContent<RenameWndw>(*editor)) != nullptr; }));

    auto& field = window->getTextField();
    ASSERT_TRUE(zutest::pumpUntil([&] { return field.hasKeyboardFocus(false); }));
    // A user types later than the field's own set-up messages run.
    zutest::pumpFor(50);
    // The old name is selected: typing replaces it.
    peer->handleKeyPress(juce::KeyPress('B', 0, 'B'));
    peer->handleKeyPress(juce::KeyPress('a', 0, 'a'));
    EXPECT_EQ(field.getText(), "Ba");
    peer->handleKeyPress(juce::KeyPress(juce::KeyPress::returnKey));
    EXPECT_TRUE(zutest::pumpUntil([&] { return zutest::openCallOutContent<RenameWndw>(*editor) == nullptr; }));
    EXPECT_EQ(pitchUnit()->nameLabel.getText(), "Ba");
}
} // namespace
