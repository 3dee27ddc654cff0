// SPDX-License-Identifier: GPL-3.0-or-later
#include "ButtonSheet.h"
#include "ScreenWriter.h"
#include "SliderSheet.h"
#include "ZuCLAF_TargetButtons.h"
#include "ZuStyleProps.h"

#include <gtest/gtest.h>

namespace
{
const juce::Colour textOff(0xffb0b0b0), textOn(0xffffe060), onColour(0xff2fa0e0), buttonColour(0xff3a4a5a);

using zutest::countNear;
using zutest::drawButton;
using zutest::makeButton;

TEST(TargetButtonMembers, SwgTarPlateTextAndSmallButtons)
{
    ZuShared<ZuCLAF_SwgTarButton> tar;
    auto b = makeButton("3", 30, 20);
    b->setToggleState(true, juce::dontSendNotification);
    EXPECT_GT(countNear(drawButton(*tar, *b, false, false), onColour, 10), 200);
    EXPECT_GT(countNear(drawButton(*tar, *b, false, false), onColour.overlaidWith(textOn.withAlpha(0.8f)), 40), 3);
    // Toggled but disabled: the outline of an off switch and no text.
    b->setEnabled(false);
    const auto off = drawButton(*tar, *b, false, false);
    EXPECT_LT(countNear(off, onColour, 10), 60);
    EXPECT_GT(countNear(off, juce::Colour(0xff202020).interpolatedWith(onColour, 0.6f), 30), 20);
    EXPECT_EQ(countNear(off, textOn, 60), 0);
    EXPECT_EQ(countNear(off, textOff, 30), 0);

    // Under 10 pixels the inner plate is 0.5 in with a 0.5-thick outline
    // along the top rows; a tall switch keeps its outline 2 pixels in.
    auto small = makeButton("", 30, 9), tall = makeButton("", 30, 41);
    const auto thin = drawButton(*tar, *small, false, false);
    EXPECT_GT(countNear(thin, juce::Colour(0xff202020), 20, {5, 4, 20, 1}), 15);
    EXPECT_GT(zutest::brightest(thin, {5, 0, 20, 2}).getBlue(), 0x28);
    EXPECT_LE(zutest::brightest(drawButton(*tar, *tall, false, false), {5, 0, 20, 2}).getBlue(), 0x21);
}

TEST(TargetButtonMembers, ScaleKeyCaptionAndDisabled)
{
    ZuShared<ZuCLAF_ScaleKeyButton> key;
    // A key taller than wide: the caption square's side is the inner width.
    EXPECT_EQ(ZuCLAF_ScaleKeyButton::captionArea({0, 0, 20, 60}), juce::Rectangle<float>(1, 41, 18, 18));
    EXPECT_EQ(ZuCLAF_ScaleKeyButton::captionArea({0, 0, 60, 20}), juce::Rectangle<float>(1, 1, 58, 18));

    auto plain = makeButton("", 24, 60), dash = makeButton("", 24, 60);
    dash->getProperties().set(ZuStyle::dispnote, "-");
    const auto a = drawButton(*key, *plain, false, false), b = drawButton(*key, *dash, false, false);
    EXPECT_TRUE(zutest::sameImage(a, b));
    auto blank = makeButton("", 24, 60);
    blank->getProperties().set(ZuStyle::dispnote, "");
    EXPECT_FALSE(zutest::sameImage(a, drawButton(*key, *blank, false, false), {0, 36, 24, 24}));

    auto disabled = makeButton("", 24, 60);
    disabled->getProperties().set(ZuStyle::bgcolor, juce::Colour(0xff102030).toString());
    disabled->getProperties().set(ZuStyle::dispnote, "C#");
    disabled->setEnabled(false);
    const auto d = drawButton(*key, *disabled, false, false);
    EXPECT_GT(countNear(d, juce::Colour(0xff303030), 30), 60);
    EXPECT_EQ(countNear(d, textOff, 40), 0);
    EXPECT_EQ(countNear(d, buttonColour, 20), 0);
}

TEST(TargetButtonMembers, ChainerTrackBankHalves)
{
    ZuShared<ZuCLAF_ChainerTrkButton> trk;
    auto b = makeButton("", 100, 20);
    const juce::Rectangle<int> left(2, 2, 44, 16), right(54, 2, 44, 16);
    const auto off = drawButton(*trk, *b, false, false);
    EXPECT_GT(countNear(off, onColour, 10, left), 300);
    EXPECT_EQ(countNear(off, onColour, 10, right), 0);
    b->setToggleState(true, juce::dontSendNotification);
    const auto on = drawButton(*trk, *b, false, false);
    EXPECT_EQ(countNear(on, onColour, 10, left), 0);
    EXPECT_GT(countNear(on, onColour, 10, right), 300);
    EXPECT_GT(countNear(on, textOn, 60, right), 5);
    b->setEnabled(false);
    const auto disabled = drawButton(*trk, *b, false, false);
    EXPECT_EQ(countNear(disabled, onColour, 10), 0);
    EXPECT_EQ(countNear(disabled, textOn, 60) + countNear(disabled, textOff, 30), 0);
}

TEST(TargetButtonMembers, LfoButtonTexts)
{
    ZuShared<ZuCLAF_LfoButton> lfo;
    auto make = [](const juce::String& text, bool toggled)
    {
        auto b = makeButton(text, 40, 24);
        b->getProperties().set(ZuStyle::outlinecolor, juce::Colour(0xffff40ff).toString());
        b->setToggleState(toggled, juce::dontSendNotification);
        return b;
    };
    const juce::Rectangle<int> inside(3, 6, 34, 12);
    // "----": half-alpha frame, no hover frame, no icon, text-off colour.
    auto unassigned = make("----", true);
    const auto u = drawButton(*lfo, *unassigned, true, false);
    EXPECT_EQ(countNear(u, juce::Colour(0xffff40ff), 30), 0);
    EXPECT_TRUE(zutest::inkBoundsIn(u, inside, onColour).isEmpty());
    // "Bi" shows "+/-" in text; unknown texts draw the frame only.
    auto bi = make("Bi", false);
    EXPECT_GT(countNear(drawButton(*lfo, *bi, false, false), textOff, 40, inside), 10);
    auto unknown = make("Foo", false);
    EXPECT_TRUE(zutest::inkBoundsIn(drawButton(*lfo, *unknown, false, false), inside, buttonColour).isEmpty());
    // Icons for their texts; "SC" changes with the toggle.
    for (const char* t : {"Sync", "Phi", "Exp", "Sat", "SC"})
    {
        auto b = make(t, false);
        EXPECT_GT(countNear(drawButton(*lfo, *b, false, false), textOff, 40, inside), 10) << t;
    }
    auto scOff = make("SC", false), scOn = make("SC", true);
    scOn->setColour(juce::TextButton::textColourOnId, textOff);
    scOn->setColour(juce::TextButton::buttonOnColourId, buttonColour);
    EXPECT_FALSE(zutest::sameImage(drawButton(*lfo, *scOff, false, false), drawButton(*lfo, *scOn, false, false)));
}

TEST(TargetButtonMembers, WaveformButtons)
{
    ZuShared<ZuCLAF_WaveformButton> wave;
    struct Case
    {
        int h;
        float width;
    };
    for (const auto& c : {Case{20, 1.14f}, Case{17, 1.0f}, Case{10, 1.0f}, Case{51, 3.0f}})
    {
        auto b = makeButton("Tri", 40, c.h);
        drawButton(*wave, *b, false, false);
        EXPECT_NEAR(wave->getStrokeWidth(), c.width, 1e-5f) << c.h;
    }
    EXPECT_EQ(wave->waveIndex("Rnd"), 7);
    EXPECT_EQ(wave->waveIndex("nope"), 0);

    auto sine = makeButton("Sin", 40, 24), unknown = makeButton("Wobble", 40, 24), tri = makeButton("Tri", 40, 24);
    EXPECT_TRUE(zutest::sameImage(drawButton(*wave, *sine, false, false), drawButton(*wave, *unknown, false, false)));
    EXPECT_FALSE(zutest::sameImage(drawButton(*wave, *sine, false, false), drawButton(*wave, *tri, false, false)));

    // Connected edges square the corners they join: the first button of the
    // block (right and bottom joined) rounds only its upper left corner.
    auto first = makeButton("Sin", 40, 24), alone = makeButton("Sin", 40, 24);
    first->setConnectedEdges(juce::Button::ConnectedOnRight | juce::Button::ConnectedOnBottom);
    first->setToggleState(true, juce::dontSendNotification);
    alone->setToggleState(true, juce::dontSendNotification);
    const auto joined = drawButton(*wave, *first, false, false), free = drawButton(*wave, *alone, false, false);
    EXPECT_TRUE(zutest::sameImage(joined, free, {0, 0, 2, 2}));
    EXPECT_FALSE(zutest::sameImage(joined, free, {38, 0, 2, 2}));
    EXPECT_FALSE(zutest::sameImage(joined, free, {0, 22, 2, 2}));
    EXPECT_FALSE(zutest::sameImage(joined, free, {38, 22, 2, 2}));
}

TEST(TargetButtonScreens, AllFiveMembers)
{
    ZuShared<ZuCLAF_SwgTarButton> tar;
    ZuShared<ZuCLAF_ScaleKeyButton> key;
    ZuShared<ZuCLAF_ChainerTrkButton> trk;
    ZuShared<ZuCLAF_LfoButton> lfo;
    ZuShared<ZuCLAF_WaveformButton> wave;
    std::vector<zutest::SheetRow> rows = {
        {"SwgTar \"1\"", &tar.get(), [](juce::TextButton& b) { b.setButtonText("1"); }, 28, 20},
        {"SwgTar 9 px", &tar.get(), [](juce::TextButton& b) { b.setButtonText("2"); }, 20, 9},
        {"ScaleKey white C", &key.get(),
         [](juce::TextButton& b)
         {
             b.getProperties().set(ZuStyle::dispnote, "C");
             b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff959595));
             b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff101010));
         },
         24, 56},
        {"ScaleKey black C#", &key.get(), [](juce::TextButton& b) { b.getProperties().set(ZuStyle::dispnote, "C#"); },
         20, 40},
        {"ChainerTrk", &trk.get(), [](juce::TextButton&) {}, 110, 22},
    };
    for (const char* t : {"Bi", "Sync", "Phi", "Exp", "Sat", "SC", "----"})
        rows.push_back(
            {juce::String("Lfo ") + t, &lfo.get(), [t](juce::TextButton& b) { b.setButtonText(t); }, 40, 22});
    const char* names[] = {"Sin", "Tri", "ExpLog", "Up", "UpC1", "UpDown", "RectUp", "Rnd", "Unknown"};
    for (int i = 0; i < 9; ++i)
    {
        const int edges = i < 4 ? (juce::Button::ConnectedOnRight | juce::Button::ConnectedOnBottom) : 0;
        rows.push_back({juce::String("Waveform ") + names[i], &wave.get(),
                        [name = names[i], edges](juce::TextButton& b)
                        {
                            b.setButtonText(name);
                            b.setConnectedEdges(edges);
                        },
                        40, 24});
    }
    EXPECT_TRUE(zutest::writeScreen(zutest::buttonSheet(rows), "gui-target-key-lfo-buttons.png"));
}
} // namespace
