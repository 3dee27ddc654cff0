// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestHelpers.h"
#include "KeyboardMenu.h"
#include "KeyboardMenu_PopupWndw.h"
#include "ScreenWriter.h"
#include "WidgetTestHelpers.h"
#include "ZuHostType.h"

#include <gtest/gtest.h>

namespace
{
// As the chord panels fill theirs: "-" then notes 0..127 (index = note + 1).
void fillNotes(KeyboardMenu& box)
{
    box.addItem("-", 1);
    for (int n = 0; n < 128; ++n)
        box.addItem(juce::String(n), n + 2);
}

// As the pitch unit fills its base note box: index = note.
void fillNotes(KeyboardMenu2& box)
{
    for (int n = 0; n < 128; ++n)
        box.addItem(juce::String(n), n + 1);
}

enum class Pair
{
    first,
    second
};

struct Picker
{
    Picker(Pair pair, int openingIndex)
    {
        if (pair == Pair::first)
        {
            fillNotes(box1);
            box1.setSelectedItemIndex(openingIndex, juce::dontSendNotification);
            window = std::make_unique<KeyboardMenu_PopupWndw>(box1, openingIndex, juce::Colours::orange);
        }
        else
        {
            fillNotes(box2);
            box2.setSelectedItemIndex(openingIndex, juce::dontSendNotification);
            window = std::make_unique<KeyboardMenu_PopupWndw2>(box2, openingIndex, juce::Colours::orange);
        }
        owner = pair == Pair::first ? static_cast<juce::ComboBox*>(&box1) : &box2;
        window->setSize(175, 125);
    }

    void key(int pitchClass) { ASSERT_TRUE(zutest::click(window->getKeyPanel().getKeyForPitchClass(pitchClass))); }
    void transpose(int i) { ASSERT_TRUE(zutest::click(window->getTransposeButton(i))); }
    int octave() { return window->getOctaveSelector().getCurrentOctave(); }
    int lit() { return window->getKeyPanel().getCurNoteIndex(); }
    int index() { return owner->getSelectedItemIndex(); }

    KeyboardMenu box1;
    KeyboardMenu2 box2;
    juce::ComboBox* owner = nullptr;
    std::unique_ptr<KeyboardMenu_PopupWndw> window;
};

constexpr int C = 0, D = 2, G = 7, GSharp = 8, A = 9, ASharp = 10, B = 11;
constexpr int minusOctave = 0, minusOne = 1, clearButton = 2, plusOne = 3, plusOctave = 4;

struct PickerCase
{
    const char* name;
    Pair pair;
    int openingIndex;
    std::function<void(Picker&)> act;
    int index;  // the owner's selected index afterwards
    int octave; // the octave shown afterwards
    int lit;    // the lit pitch class, -1 for none
};

TEST(NotePicker, WritesTheNoteTheKeysAndOctaveShow)
{
    const PickerCase cases[] = {
        {"no note opens at octave 5; D picks 63", Pair::first, 0, [](Picker& p) { p.key(D); }, 63, 5, D},
        {"index 48 opens on B of octave 3", Pair::first, 48, [](Picker&) {}, 48, 3, B},
        {"G at octave 10 is 128", Pair::first, 121, [](Picker& p) { p.key(G); }, 128, 10, G},
        {"G# at octave 10 is limited to 128", Pair::first, 121, [](Picker& p) { p.key(GSharp); }, 128, 10, GSharp},
        {"A at octave 10 is limited to 128", Pair::first, 121, [](Picker& p) { p.key(A); }, 128, 10, A},
        {"A# at octave 10 is limited to 128", Pair::first, 121, [](Picker& p) { p.key(ASharp); }, 128, 10, ASharp},
        {"B at octave 10 is limited to 128", Pair::first, 121, [](Picker& p) { p.key(B); }, 128, 10, B},
        {"+1 on B at octave 10 stays there and lights C", Pair::first, 121,
         [](Picker& p)
         {
             p.key(B);
             p.transpose(plusOne);
         },
         121, 10, C},
        {"-1 on C at octave 0 stays there and lights B", Pair::first, 1, [](Picker& p) { p.transpose(minusOne); }, 12,
         0, B},
        {"+1 on B carries into the next octave", Pair::first, 48, [](Picker& p) { p.transpose(plusOne); }, 49, 4, C},
        {"-1 with no key lit writes 0", Pair::first, 0, [](Picker& p) { p.transpose(minusOne); }, 0, 5, -1},
        {"+1 with no key lit writes 0", Pair::first, 0, [](Picker& p) { p.transpose(plusOne); }, 0, 5, -1},
        {"Clear writes 0 and keeps the octave", Pair::first, 48, [](Picker& p) { p.transpose(clearButton); }, 0, 3, -1},
        {"+12 moves the note an octave up", Pair::first, 48, [](Picker& p) { p.transpose(plusOctave); }, 60, 4, B},
        {"-12 moves the note an octave down", Pair::first, 48, [](Picker& p) { p.transpose(minusOctave); }, 36, 2, B},
        {"+12 at octave 10 changes nothing", Pair::first, 121, [](Picker& p) { p.transpose(plusOctave); }, 121, 10, C},
        {"-12 at octave 0 changes nothing", Pair::first, 1, [](Picker& p) { p.transpose(minusOctave); }, 1, 0, C},
        {"an octave button rewrites the note in its octave", Pair::first, 48,
         [](Picker& p) { ASSERT_TRUE(zutest::click(p.window->getOctaveSelector().getOctaveButton(7))); }, 96, 7, B},
        {"second pair: index 0 opens at octave 5 with C lit; C writes 60", Pair::second, 0, [](Picker& p) { p.key(C); },
         60, 5, C},
        {"second pair: B at octave 10 is limited to 127", Pair::second, 120, [](Picker& p) { p.key(B); }, 127, 10, B},
        {"second pair: -1 on C at octave 0 gives B", Pair::second, 0,
         [](Picker& p)
         {
             ASSERT_TRUE(zutest::click(p.window->getOctaveSelector().getOctaveButton(0)));
             p.transpose(minusOne);
         },
         11, 0, B},
    };

    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        Picker p(c.pair, c.openingIndex);
        c.act(p);
        EXPECT_EQ(p.index(), c.index);
        EXPECT_EQ(p.octave(), c.octave);
        EXPECT_EQ(p.lit(), c.lit);
    }
}

TEST(NotePicker, ClickingTheCurrentOctaveWritesNothing)
{
    Picker p(Pair::first, 48);
    p.box1.setSelectedItemIndex(5, juce::dontSendNotification);
    ASSERT_TRUE(zutest::click(p.window->getOctaveSelector().getOctaveButton(3)));
    EXPECT_EQ(p.index(), 5);
}

TEST(NotePicker, APickedNoteReachesTheOwnerAsAnAsynchronousChange)
{
    Picker p(Pair::first, 0);
    int changes = 0;
    p.box1.onChange = [&] { ++changes; };
    p.window->getKeyPanel().setCurSelectedMenuIndex(3, false);
    p.window->updateMenuSelectedIndex();
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(zutest::pumpUntil([&] { return changes > 0; }));
    EXPECT_EQ(p.index(), 63);
}

TEST(NotePicker, APickerWhoseBoxWasDeletedWritesNothing)
{
    auto box = std::make_unique<KeyboardMenu>();
    fillNotes(*box);
    KeyboardMenu_PopupWndw window(*box, 0, juce::Colours::orange);
    box.reset();
    ASSERT_TRUE(zutest::click(window.getKeyPanel().getKeyForPitchClass(D)));
    ASSERT_TRUE(zutest::click(window.getTransposeButton(plusOne)));
    ASSERT_TRUE(zutest::click(window.getTransposeButton(clearButton)));
    EXPECT_EQ(window.getKeyPanel().getCurNoteIndex(), -1);
}

TEST(NotePicker, SecondPairHasNoClearButton)
{
    Picker p(Pair::second, 60);
    EXPECT_EQ(p.window->getTransposeButton(clearButton).getParentComponent(), nullptr);
    EXPECT_TRUE(p.window->getTransposeButton(clearButton).getButtonText().isEmpty());
    EXPECT_EQ(p.window->getTransposeButton(plusOne).getParentComponent(), p.window.get());
}

TEST(NotePicker, OctaveCaptionsFollowTheHost)
{
    const std::tuple<const char*, const char*, const char*> hosts[] = {{"FruityLoops", "0", "10"},
                                                                       {"Reaper", "-1", "9"},
                                                                       {"Cakewalk by Bandlab", "-1", "9"},
                                                                       {"Some Unknown Host", "-2", "8"}};
    for (const auto& [host, first, last] : hosts)
    {
        SCOPED_TRACE(host);
        zu::host::setDescriptionForTesting(host);
        KeyboardMenu_OctButton selector(juce::Colours::orange);
        EXPECT_EQ(selector.getOctaveButton(0).getButtonText(), first);
        EXPECT_EQ(selector.getOctaveButton(10).getButtonText(), last);
    }
    zu::host::setDescriptionForTesting({});
}

TEST(NotePicker, OctaveSelectorStaysInRange)
{
    KeyboardMenu_OctButton selector(juce::Colours::orange);
    selector.setValue(12.7f);
    EXPECT_EQ(selector.getCurrentOctave(), 10);
    EXPECT_TRUE(selector.getOctaveButton(10).getToggleState());
    selector.setOctShift(true);
    EXPECT_EQ(selector.getCurrentOctave(), 10);
    selector.setValue(-3.0f);
    EXPECT_EQ(selector.getCurrentOctave(), 0);
    selector.setOctShift(false);
    EXPECT_EQ(selector.getCurrentOctave(), 0);
    EXPECT_EQ((int) selector.getSlider().getValue(), 0);
}

TEST(NotePicker, LaysOutKeysOctavesAndTransposeRow)
{
    Picker p(Pair::first, 48);
    p.window->setSize(200, 127);
    auto& keys = p.window->getKeyPanel();
    // mx = 8, my = 12, inner 184 x 103; key area 51 high, narrowed by 18.
    EXPECT_EQ(keys.getBounds(), juce::Rectangle<int>(26, 12, 148, 51));
    // Keys: W = 144, kw = 18; white key 0 at 2 + (144 - 126 - 12) / 2 = 5.
    EXPECT_EQ(keys.getKey(0).getBounds(), juce::Rectangle<int>(5, 2, 18, 47));
    EXPECT_EQ(keys.getKey(6).getBounds(), juce::Rectangle<int>(125, 2, 18, 47));
    EXPECT_EQ(keys.getKey(7).getBounds(), juce::Rectangle<int>(16, 2, 16, 47 - 18));
    // Below: R = 52, g = 5; octave row 28 high; transpose row the remaining 14.
    EXPECT_EQ(p.window->getOctaveSelector().getBounds(), juce::Rectangle<int>(8, 68, 184, 28));
    EXPECT_EQ(p.window->getTransposeButton(0).getBounds(), juce::Rectangle<int>(13, 101, 34, 14));
    EXPECT_EQ(p.window->getTransposeButton(4).getBounds(), juce::Rectangle<int>(13 + 4 * 35, 101, 34, 14));
}

TEST(NotePicker, BoxesOpenTheirPickerSizedFromTheHost)
{
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    KeyboardMenu first;
    KeyboardMenu2 second;
    fillNotes(first);
    fillNotes(second);
    first.colour = juce::Colour(0xff336699);
    editor->addAndMakeVisible(first);
    editor->addAndMakeVisible(second);
    first.setBounds(100, 100, 40, 16);
    second.setBounds(200, 100, 40, 16);

    first.showPopup();
    auto* box = first.getOpenCallOut();
    ASSERT_NE(box, nullptr);
    auto* picker = zutest::openCallOutContent<KeyboardMenu_PopupWndw>(*editor);
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->getWidth(), 200);
    EXPECT_EQ(picker->getHeight(), 127);
    EXPECT_EQ(box->findColour(0x1000af1), juce::Colour(0xff336699).darker(0.5f));
    EXPECT_TRUE(box->isAlwaysOnTop());
    EXPECT_TRUE(first.isTimerRunning());

    second.showPopup();
    auto* picker2 = zutest::openCallOutContent<KeyboardMenu_PopupWndw2>(*editor);
    ASSERT_NE(picker2, nullptr);
    EXPECT_EQ(picker2->getWidth(), 175);
    EXPECT_EQ(picker2->getHeight(), 124);

    EXPECT_TRUE(zutest::pumpUntil([&] { return !first.isTimerRunning() && !second.isTimerRunning(); }));
}

TEST(NotePicker, ABoxOutsideTheEditorOpensNothing)
{
    KeyboardMenu first;
    KeyboardMenu2 second;
    first.showPopup();
    second.showPopup();
    EXPECT_EQ(first.getOpenCallOut(), nullptr);
    EXPECT_EQ(second.getOpenCallOut(), nullptr);
    EXPECT_FALSE(first.isTimerRunning());
}

TEST(NotePicker, ASecondClickOpensANewPickerOnlyAfterTheTimer)
{
    struct Counting : KeyboardMenu
    {
        void showPopup() override
        {
            ++opened;
            KeyboardMenu::showPopup();
        }
        int opened = 0;
    };
    ZumiraboxAudioProcessor processor;
    auto editor = zutest::makeEditor(processor);
    Counting box;
    fillNotes(box);
    editor->addAndMakeVisible(box);
    box.setBounds(10, 10, 40, 16);

    box.mouseDown(zutest::mouseEventOn(box, juce::ModifierKeys::leftButtonModifier));
    ASSERT_TRUE(zutest::pumpUntil([&] { return box.opened == 1; }));
    box.mouseUp(zutest::mouseEventOn(box, {}));
    if (box.isTimerRunning())
    {
        box.mouseDown(zutest::mouseEventOn(box, juce::ModifierKeys::leftButtonModifier));
        box.mouseUp(zutest::mouseEventOn(box, {}));
        zutest::pumpFor(20);
        if (box.isTimerRunning())
        {
            EXPECT_EQ(box.opened, 1);
        }
    }
    ASSERT_TRUE(zutest::pumpUntil([&] { return !box.isTimerRunning(); }));
    box.mouseDown(zutest::mouseEventOn(box, juce::ModifierKeys::leftButtonModifier));
    EXPECT_TRUE(zutest::pumpUntil([&] { return box.opened == 2; }));
    box.mouseUp(zutest::mouseEventOn(box, {}));
}

TEST(Screens, NotePicker)
{
    Picker first(Pair::first, 48);
    Picker second(Pair::second, 60);
    first.window->setSize(200, 127);
    second.window->setSize(175, 124);
    juce::Image sheet(juce::Image::ARGB, 400, 140, true);
    {
        juce::Graphics g(sheet);
        g.fillAll(juce::Colour(0xff000000));
        g.drawImageAt(first.window->createComponentSnapshot(first.window->getLocalBounds()), 5, 5);
        g.drawImageAt(second.window->createComponentSnapshot(second.window->getLocalBounds()), 215, 5);
    }
    EXPECT_TRUE(zutest::writeScreen(sheet, "gui-note-picker.png"));
}
} // namespace
