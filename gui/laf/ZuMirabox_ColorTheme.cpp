// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_ColorTheme.h"

namespace
{
using SkinColours = ZuMirabox_ColorTheme::SkinColours;

// Skins 0 and 1 given, every other column transparent black.
SkinColours skins(juce::Colour light, juce::Colour dark)
{
    SkinColours c{};
    c.fill(juce::Colour());
    c[0] = light;
    c[1] = dark;
    return c;
}

SkinColours skins(juce::uint32 light, juce::uint32 dark)
{
    return skins(juce::Colour(light), juce::Colour(dark));
}

SkinColours both(juce::uint32 argb)
{
    return skins(argb, argb);
}
} // namespace

using T = ZuMirabox_ColorTheme;

// Memory order of the fields: the number a panel uses is the index here.
const std::array<SkinColours T::*, T::numEntries> T::entryTable = {
    &T::mainBgColor,
    &T::panelBgColor,
    &T::unitAreaBgColor,
    &T::popupBgColor,
    &T::accentColor,
    &T::knobTextColor,
    &T::knobThumbColor,
    &T::knobThumb2Color,
    &T::knobTrackColor,
    &T::knobBoxOutlineColor,
    &T::boxBgColor,
    &T::boxTextColor,
    &T::labelTextColor,
    &T::boxFocusColor,
    &T::comboOutlineColor,
    &T::comboTextColor,
    &T::diceTextColor,
    &T::modKnobThumbColor,
    &T::selectorOffColor,
    &T::selectorOnColor,
    &T::selectorTextOffColor,
    &T::buttonTextOnColor,
    &T::stepButtonTextOffColor,
    &T::buttonOutlineColor,
    &T::snapTextOffColor,
    &T::ledOffColor,
    &T::pageTextOffColor,
    &T::toggleTextOffColor,
    &T::iconFillColor,
    &T::seq1LineColor,
    &T::seq1SeparatorColor,
    &T::unitBgColor,
    &T::ctrlIconColor,
    &T::stepKnobThumbColor,
    &T::stepBoxBgColor,
    &T::unitModKnobColor,
    &T::unitLabelTextColor,
    &T::unitBoxOutlineColor,
    &T::unitBoxTextColor,
    &T::unitBoxBgColor,
    &T::diceButtonTextOffColor,
    &T::diceButtonTextOff2Color,
    &T::stepLedOffColor,
    &T::dirButtonTextOnColor,
    &T::dirButtonTextOffColor,
    &T::arrowButtonOnColor,
    &T::dirButtonColor,
    &T::pitchUnitColor,
    &T::paramUnitColor,
    &T::ccUnitColor,
    &T::ccRackUnitColor,
    &T::octTpUnitColor,
    &T::addMenuBgColor,
    &T::macroColor,
    &T::macroLabelBgColor,
    &T::macroLabelTextColor,
    &T::modPanelBgColor,
    &T::waveButtonColor,
    &T::waveButtonOnColor,
    &T::waveButtonTextOffColor,
    &T::waveButtonTextOnColor,
    &T::lfoKnobTextColor,
};

const std::array<juce::Colour T::*, T::numSingleColours> T::singleTable = {
    &T::pitchUnitDarkColor, &T::paramUnitDarkColor, &T::ccUnitDarkColor, &T::ccRackUnitDarkColor,
    &T::octTpUnitDarkColor, &T::chordBgColor,       &T::chordDarkColor,  &T::chordLightColor,
    &T::settingsFillColor,  &T::highlightTextColor, &T::darkBlueColor,
};

const std::array<double T::*, T::numDoubles> T::doubleTable = {
    &T::velocityOffset,
    &T::velocityOffsetClock,
    &T::velocityOffsetMid,
    &T::velocityOffsetStartSize,
};

ZuMirabox_ColorTheme::ZuMirabox_ColorTheme()
{
    mainBgColor = both(0xff000000);
    panelBgColor = skins(0xffd5d5d5, 0xff4a4c4e);
    unitAreaBgColor = skins(0xff080808, 0xff000000);
    popupBgColor = both(0xff141414);
    accentColor = both(0xff54bfee);
    knobTextColor = skins(0xff202020, 0xffbbbbbb);
    knobThumbColor = skins(panelBgColor[0].brighter(0.6f), juce::Colour(0xffdddddd));
    knobThumb2Color = both(0xff54bfee);
    knobTrackColor = skins(0xff000000, 0xff54bfee);
    knobBoxOutlineColor = skins(0xff808080, 0xff151515);
    boxBgColor = skins(0xffd5d5d5, 0xff252525);
    boxTextColor = skins(0xff282828, 0xffd0d0d0);
    labelTextColor = skins(0xff303030, 0xffb0b0b0);
    boxFocusColor = skins(accentColor[0].darker(0.3f), juce::Colour(0xff54bfee));
    comboOutlineColor = skins(0xff505050, 0xff202020);
    comboTextColor = skins(0xff202020, 0xffcccccc);
    diceTextColor = skins(0xff909090, 0xffa0a0a0);
    modKnobThumbColor = skins(panelBgColor[0].darker(0.2f), panelBgColor[1].darker(0.39f));
    selectorOffColor = skins(panelBgColor[0].darker(0.08f), juce::Colour(0xff282828));
    selectorOnColor = both(0xff54bfee);
    selectorTextOffColor = skins(0xff909090, 0xff6b6b6b);
    buttonTextOnColor = both(0xff000000);
    stepButtonTextOffColor = skins(0xff656565, 0xff707070);
    buttonOutlineColor = skins(0xff484848, 0xff707070);
    snapTextOffColor = skins(0xff505050, 0xff909090);
    ledOffColor = skins(0xff595959, 0xff202020);
    pageTextOffColor = skins(0xff454545, 0xff999999);
    toggleTextOffColor = skins(0xff454545, 0xff101010);
    iconFillColor = skins(0xff606060, 0xff101010);
    // No values are given for these two; they sit between the icon fill and
    // the unit background, so they take a mid grey on each skin's panels.
    seq1LineColor = skins(0xff808080, 0xff3c3c3c);
    seq1SeparatorColor = skins(0xffa0a0a0, 0xff3c3c3c);
    unitBgColor = skins(0xff252525, 0xff292929);
    ctrlIconColor = skins(0xff999999, 0xff080808);
    stepKnobThumbColor = skins(0xff606060, 0xffc0c0c0);
    stepBoxBgColor = skins(0xff101010, 0xff454545);
    unitModKnobColor = skins(unitBgColor[0].brighter(0.17f), juce::Colour(0xff444444));
    unitLabelTextColor = both(0xffa5a5a5);
    unitBoxOutlineColor = both(0xff707070);
    unitBoxTextColor = both(0xffc7c7c7);
    unitBoxBgColor = skins(unitBgColor[0].darker(0.5f), juce::Colour(0xff181818));
    diceButtonTextOffColor = skins(0xff737373, 0xffa0a0a0);
    diceButtonTextOff2Color = skins(0xff737373, 0xff909090);
    stepLedOffColor = skins(0xff101010, 0xff050505);
    dirButtonTextOnColor = both(0xff202020);
    dirButtonTextOffColor = skins(0xffa0a0a0, 0xffc0c0c0);
    arrowButtonOnColor = skins(0xffa0a0a0, 0xffc0c0c0);
    dirButtonColor = both(0xff505050);
    pitchUnitColor = both(0xff89c997);
    paramUnitColor = both(0xffeed202);
    ccUnitColor = both(0xfff892bd);
    const auto ccRack = juce::Colour(0xffb17fed).brighter(0.07f);
    ccRackUnitColor = skins(ccRack, ccRack);
    const auto octTp = juce::Colour(0xff54bfee).brighter(0.07f);
    octTpUnitColor = skins(octTp, octTp);

    pitchUnitDarkColor = pitchUnitColor[0].darker(0.6f);
    paramUnitDarkColor = paramUnitColor[0].darker(0.6f);
    ccUnitDarkColor = ccUnitColor[0].darker(0.6f);
    ccRackUnitDarkColor = ccRackUnitColor[0].darker(0.6f);
    octTpUnitDarkColor = octTpUnitColor[0].darker(0.6f);

    addMenuBgColor = both(0xff484848);
    macroColor = both(0xffed6d35);
    macroLabelBgColor = skins(0xff383838, 0xffaaaaaa);
    macroLabelTextColor = skins(0xffe0e0e0, 0xff050505);
    modPanelBgColor = skins(unitAreaBgColor[0].brighter(0.08f), unitAreaBgColor[1].brighter(0.08f));
    waveButtonColor = skins(0xff1a1a1a, 0xff121212);
    waveButtonOnColor = both(0xffd0d0d0);
    waveButtonTextOffColor = both(0xff909090);
    waveButtonTextOnColor = skins(0xff1a1a1a, 0xff121212);
    lfoKnobTextColor = both(0xffa0a0a0);

    chordBgColor = juce::Colour(0xffd65a33).darker(0.05f);
    chordDarkColor = juce::Colour(0xff4d2832);
    chordLightColor = juce::Colour(0xfff5edd1);
    settingsFillColor = juce::Colour(0xff14202e);
    highlightTextColor = juce::Colour(0xff00fdff);
    darkBlueColor = juce::Colours::darkblue;
}

juce::Colour ZuMirabox_ColorTheme::entry(int e, int skin) const noexcept
{
    if (e < 0 || e >= numEntries || skin < 0 || skin >= numSkins)
        return {};
    return (this->*entryTable[(size_t) e])[(size_t) skin];
}

juce::Colour ZuMirabox_ColorTheme::single(int k) const noexcept
{
    if (k < 0 || k >= numSingleColours)
        return {};
    return this->*singleTable[(size_t) k];
}

double ZuMirabox_ColorTheme::dragValue(int i) const noexcept
{
    if (i < 0 || i >= numDoubles)
        return 0.0;
    return this->*doubleTable[(size_t) i];
}
