// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonSheet.h"
#include "ScreenWriter.h"
#include "ZuCLAF_Switches.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour black(0xff000000);
const juce::Colour textOff(0xffb0b0b0), textOn(0xffffe060), onColour(0xff2fa0e0), buttonColour(0xff3a4a5a);

using zutest::countNear;
using zutest::drawButton;
using zutest::makeButton;

struct SwitchCase
{
    const char* what;
    juce::LookAndFeel* laf;
    juce::String text, name;
    zutest::StyleProps props;
    bool toggled, enabled, highlighted, down;
    int w, h;
    juce::Colour colour; // must show in at least atLeast pixels
    int atLeast;
    juce::Colour absent; // must not show (transparent: no check)
};

TEST(SwitchMembers, EdgeCases)
{
    ZuCLAF_PowerButton power;
    ZuCLAF_NumbPwrButton numb;
    ZuCLAF_SEQ1PowerButton seq1;
    ZuCLAF_MuteButton mute;
    ZuCLAF_ChLockButton chLock;
    ZuCLAF_MidiButton midi;
    ZuCLAF_LockButton lock;
    ZuCLAF_DiceLockButton dice;
    ZuCLAF_EditModeButton editMode;
    ZuCLAF_ChordEditButton chordEdit;
    ZuCLAF_RelModeButton rel;
    ZuCLAF_RecButton rec;
    const juce::Colour none(0x00000000), grey59(0xff595959), caption(0xffa0a0a0);
    const std::vector<SwitchCase> cases = {
        {"Power toggled but disabled: text-off icon",
         &power,
         "",
         "",
         {},
         true,
         false,
         false,
         false,
         30,
         30,
         textOff,
         40,
         textOn},
        {"Power toggled: text-on icon", &power, "", "", {}, true, true, false, false, 30, 30, textOn, 40, textOff},
        {"Power hovered: text-on frame", &power, "", "", {}, false, true, true, false, 30, 30, textOn, 100, none},
        {"NumbPwr without uniti: icon only", &numb, "", "", {}, false, true, false, false, 30, 40, textOff, 30, none},
        {"SEQ1Power one pixel wide: only bgcolor",
         &seq1,
         "Power",
         "",
         {},
         true,
         true,
         false,
         false,
         1,
         30,
         black,
         30,
         onColour},
        {"SEQ1Power on: on face", &seq1, "Power", "", {}, true, true, false, false, 80, 30, onColour, 200, none},
        {"Mute other name: background only",
         &mute,
         "",
         "other",
         {},
         false,
         true,
         false,
         false,
         40,
         30,
         textOff,
         0,
         textOff},
        {"Mute \"mute\": loudspeaker", &mute, "", "mute", {}, false, true, false, false, 40, 30, textOff, 40, none},
        {"Mute \"thru\" toggled: text-on",
         &mute,
         "",
         "thru",
         {},
         true,
         true,
         false,
         false,
         40,
         30,
         textOn,
         20,
         textOff},
        {"ChLock on: closed lock, caption", &chLock, "", "", {}, true, true, false, false, 50, 40, textOn, 40, none},
        {"Midi neither: no frame", &midi, "MUTE", "", {}, false, true, false, false, 60, 24, grey59, 800, textOn},
        {"Midi hovered: opaque frame", &midi, "MUTE", "", {}, false, true, true, false, 60, 24, textOn, 150, none},
        {"Lock toggled: on face", &lock, "LOCK", "", {}, true, true, false, false, 60, 24, onColour, 800, none},
        {"Dice other text: fills, no icon",
         &dice,
         "x",
         "",
         {},
         true,
         true,
         false,
         false,
         30,
         40,
         onColour,
         900,
         textOn},
        {"Dice caption default T", &dice, "dice", "", {}, false, true, false, false, 30, 40, caption, 10, none},
        {"Dice disabled: caption dim", &dice, "dice", "", {}, false, false, false, false, 30, 40, none, 0, caption},
        {"EditMode toggled: text-on", &editMode, "Edit", "", {}, true, true, false, false, 30, 30, textOn, 20, textOff},
        {"ChordEdit shows its step index",
         &chordEdit,
         "",
         "",
         {{ZuStyle::stepindex, 7}},
         false,
         true,
         false,
         false,
         30,
         40,
         textOff,
         30,
         none},
        {"RelMode one pixel wide: nothing", &rel, "", "", {}, true, true, true, false, 1, 30, black, 30, onColour},
        {"RelMode disabled: frame only",
         &rel,
         "",
         "",
         {{ZuStyle::outlinecolor, "ffff0000"}},
         true,
         false,
         false,
         false,
         60,
         20,
         textOn,
         0,
         onColour},
        {"Rec on: filled circle", &rec, "", "", {}, true, true, false, false, 40, 30, textOn, 150, none},
        {"Rec off: ring, no text-on", &rec, "", "", {}, false, true, false, false, 40, 30, none, 0, textOn},
    };
    for (const auto& c : cases)
    {
        auto b = makeButton(c.text, c.w, c.h);
        zutest::configure(*b, c.name, c.props, c.toggled, c.enabled);
        const auto image = drawButton(*c.laf, *b, c.highlighted, c.down);
        zutest::expectColours(image, c.colour, c.atLeast, c.absent, c.what);
    }
}

TEST(SwitchMembers, NumbPwrShowsTheUnitNumberUnderTheIcon)
{
    ZuCLAF_NumbPwrButton numb;
    auto b = makeButton("Power", 30, 40);
    const auto plain = drawButton(numb, *b, false, false);
    b->getProperties().set(ZuStyle::uniti, 2);
    const auto numbered = drawButton(numb, *b, false, false);
    // The digit is drawn over the lower part of the icon: more ink there.
    const juce::Rectangle<int> lower(0, 12, 30, 28);
    EXPECT_GT(countNear(numbered, textOff, 30, lower), countNear(plain, textOff, 30, lower) + 10);

    // The same number drawn alone in the "Black" face, as "3".
    ZuCLAF_BaseBase root;
    const auto three = zutest::paintImage(
        30, 40,
        [&](juce::Graphics& g) {
            root.drawText(g, "3", "Black", {0, 8, 30, 32}, 0.7f, textOff, juce::Justification::centred);
        });
    const auto four = zutest::paintImage(
        30, 40,
        [&](juce::Graphics& g) {
            root.drawText(g, "4", "Black", {0, 8, 30, 32}, 0.7f, textOff, juce::Justification::centred);
        });
    int agreeWith3 = 0, agreeWith4 = 0;
    for (int y = 8; y < 40; ++y)
        for (int x = 0; x < 30; ++x)
        {
            const bool ink = numbered.getPixelAt(x, y).getRed() > 0x80;
            agreeWith3 += ink == (three.getPixelAt(x, y).getRed() > 0x80) ? 1 : 0;
            agreeWith4 += ink == (four.getPixelAt(x, y).getRed() > 0x80) ? 1 : 0;
        }
    EXPECT_GT(agreeWith3, agreeWith4);
}

TEST(SwitchMembers, MidiFrameIsHalfAlphaWhenOnlyToggled)
{
    ZuCLAF_MidiButton midi;
    auto b = makeButton("THRU", 60, 24);
    b->setToggleState(true, juce::dontSendNotification);
    const auto toggled = drawButton(midi, *b, false, false).getPixelAt(30, 0);
    const auto hovered = drawButton(midi, *b, true, false).getPixelAt(30, 0);
    EXPECT_EQ(hovered, textOn);
    EXPECT_NEAR(toggled.getRed(), (0xff + 0x20) / 2, 6); // over the "bgcolor" 0xff202020
}

TEST(SwitchMembers, LockHoverDarkensOnlyTheRim)
{
    ZuCLAF_LockButton lock;
    auto b = makeButton("LOCK", 60, 24);
    const auto image = drawButton(lock, *b, true, false);
    EXPECT_EQ(image.getPixelAt(2, 2), buttonColour);                               // inner face
    EXPECT_EQ(image.getPixelAt(0, 12), textOn);                                    // the hover frame over the rim
    EXPECT_EQ(drawButton(lock, *b, false, false).getPixelAt(0, 12), buttonColour); // rim unhovered
}

TEST(SwitchMembers, DiceTakesItsCaptionFromLabeltext)
{
    ZuCLAF_DiceLockButton dice;
    auto b = makeButton("dice", 30, 40);
    const auto t = drawButton(dice, *b, false, false);
    b->getProperties().set(ZuStyle::labeltext, "All");
    const auto all = drawButton(dice, *b, false, false);
    const juce::Rectangle<int> caption(0, 0, 30, 15);
    const auto inkT = zutest::inkBoundsIn(t, caption, buttonColour);
    const auto inkAll = zutest::inkBoundsIn(all, caption, buttonColour);
    EXPECT_GT(inkAll.getWidth(), inkT.getWidth());
}

TEST(Screens, SwitchMembers)
{
    ZuCLAF_PowerButton power;
    ZuCLAF_NumbPwrButton numb;
    ZuCLAF_SEQ1PowerButton seq1;
    ZuCLAF_MuteButton mute;
    ZuCLAF_ChLockButton chLock;
    ZuCLAF_MidiButton midi;
    ZuCLAF_LockButton lock;
    ZuCLAF_DiceLockButton dice;
    ZuCLAF_EditModeButton editMode;
    ZuCLAF_ChordEditButton chordEdit;
    ZuCLAF_RelModeButton rel;
    ZuCLAF_RecButton rec;
    const auto text = [](const char* t) { return [t](juce::TextButton& b) { b.setButtonText(t); }; };
    std::vector<zutest::SheetRow> rows = {
        {"PowerButton", &power, text("Power"), 30, 30},
        {"NumbPwrButton uniti 2", &numb, [](juce::TextButton& b) { b.getProperties().set(ZuStyle::uniti, 2); }, 30, 40},
        {"SEQ1PowerButton", &seq1,
         [](juce::TextButton& b)
         {
             b.setButtonText("Power");
             ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff808080));
         },
         90, 30},
        {"MuteButton \"mute\"", &mute, [](juce::TextButton& b) { b.setName("mute"); }, 40, 30},
        {"MuteButton \"thru\"", &mute, [](juce::TextButton& b) { b.setName("thru"); }, 40, 30},
        {"ChLockButton", &chLock, text(""), 50, 40},
        {"MidiButton", &midi, text("MUTE"), 60, 24},
        {"LockButton", &lock, text("LOCK"), 60, 24},
        {"DiceLockButton \"dice\"", &dice, text("dice"), 30, 40},
        {"DiceLockButton \"lock\"", &dice, text("lock"), 30, 30},
        {"EditModeButton", &editMode, text("Edit"), 30, 30},
        {"ChordEditButton", &chordEdit, [](juce::TextButton& b) { b.getProperties().set(ZuStyle::stepindex, 3); }, 30,
         40},
        {"RelModeButton", &rel,
         [](juce::TextButton& b) { ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff808080)); }, 80, 22},
        {"RecButton", &rec, text(""), 40, 30},
    };
    EXPECT_TRUE(zutest::writeScreen(zutest::buttonSheet(rows), "gui-switches.png"));
}
} // namespace
