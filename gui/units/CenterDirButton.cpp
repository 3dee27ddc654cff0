// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterDirButton.h"

#include "ZuRadioRow.h"
#include "ZuStyleProps.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"

namespace
{
constexpr int radioGroup = 1000;
} // namespace

//==============================================================================
template <int N, typename Look>
CenterRadioStrip<N, Look>::CenterRadioStrip(const std::array<const char*, N>& texts, float fontSize,
                                            const juce::String& sliderName)
{
    baseColor = entry(31);
    for (int k = 0; k < N; ++k)
    {
        auto& b = buttons[(size_t) k];
        addAndMakeVisible(b);
        b.setRadioGroupId(radioGroup, juce::sendNotification);
        b.setLookAndFeel(&lookAndFeel.get());
        b.setClickingTogglesState(true);
        ZuStyle::setReal(b, ZuStyle::fontsize, fontSize);
        b.getProperties().set("istextdisp", 1);
        b.getProperties().set(ZuStyle::index, k);
        b.setButtonText(texts[(size_t) k]);
        b.onClick = [this, &b] { buttonClicked(&b); };
    }
    zu::radiorow::connectEdges(buttons, false);
    zu::radiorow::prepareHiddenSlider(hiddenSlider, sliderName);
}

template <int N, typename Look>
void CenterRadioStrip<N, Look>::bindValue(juce::ValueTree tree, const juce::String& id, float defaultValue)
{
    attacher->attachToSlider(tree, juce::Identifier(id), defaultValue,
                             juce::NormalisableRange<double>(0.0, N - 1.0, 1.0), hiddenSlider);
    currentIndex = juce::jlimit(0, N - 1, (int) hiddenSlider.getValue());
    buttons[(size_t) currentIndex].setToggleState(true, juce::dontSendNotification);
}

template <int N, typename Look> void CenterRadioStrip<N, Look>::buttonClicked(juce::Button* button)
{
    zu::radiorow::selectFromClick(button, currentIndex, hiddenSlider);
}

template <int N, typename Look> void CenterRadioStrip<N, Look>::timerCallback(int)
{
    zu::radiorow::followSlider(hiddenSlider, currentIndex, buttons);
    stopTimer(followTimer);
}

template class CenterRadioStrip<CenterDirButton::numButtons, ZuCLAF_DirButton>;
template class CenterRadioStrip<CenterOctButton::numButtons, ZuCLAF_OctButton>;

//==============================================================================
const std::array<const char*, CenterDirButton::numButtons> CenterDirButton::texts{">", "<", "><1", "><2", "?", "??"};
const std::array<const char*, CenterDirButton::numButtons> CenterDirButton::tooltips{
    "Forward direction,  e.g. 1 > 2 > 3 > 4...",
    "Backward direction,  e.g. 4 > 3 > 2 > 1...",
    "Forward/Back direction,  e.g. 1 > 2 > 3 > 4 > 3 > 2 > 1 > 2...",
    "Forward/Back direction2,  e.g. 1 > 2 > 3 > 4 > 4 > 3 > 2 > 1 > 1 > 2...",
    "Random direction",
    "Random direction without repeating same step"};

CenterDirButton::CenterDirButton() : CenterRadioStrip(texts, 0.8f, "DirButton")
{
    for (size_t k = 0; k < buttons.size(); ++k)
    {
        auto& b = buttons[k];
        b.setTooltip(tooltips[k]);
        b.getProperties().set(ZuStyle::fontface, "SemiBold");
        ZuStyle::setColour(b, ZuStyle::bgcolor, baseColor);
        ZuStyle::setReal(b, ZuStyle::curvefactor, 3.0f);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff000000));
        b.setColour(juce::TextButton::buttonOnColourId, entry(47));
        b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff262626));
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff808080));
        b.setColour(juce::TextButton::textColourOnId, entry(21));
    }
    hiddenSlider.addListener(this);
    addAndMakeVisible(modPair);
    modPair.setBgColor(entry(2));
    modPair.setThumbColor(entry(35));
}

void CenterDirButton::setAttachment(juce::ValueTree unitTree, juce::String prefix)
{
    const auto id = prefix + "dir";
    bindValue(unitTree, id, 0.0f);
    modPair.setAttachment(unitTree, id);
    hiddenSlider.getValueObject().addListener(this);
    startTimer(followTimer, followDelayMs);
}

void CenterDirButton::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = entry(31);
    auto unitColour = entry(47);
    const int kind = enclosingUnitKind(*this);
    if (const auto fromSettings = settingsColourOfKind(*this, kind < 0 ? zu::units::pitch : kind))
        unitColour = *fromSettings;
    for (auto& b : buttons)
    {
        ZuStyle::setColour(b, ZuStyle::bgcolor, baseColor);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff000000));
        b.setColour(juce::TextButton::buttonOnColourId, unitColour);
        b.setColour(juce::TextButton::buttonColourId, entry(46));
        b.setColour(juce::TextButton::textColourOffId, entry(44));
        b.setColour(juce::TextButton::textColourOnId, entry(43));
    }
    modPair.setBgColor(baseColor);
    modPair.setThumbColor(entry(35));
    repaint();
}

void CenterDirButton::resized()
{
    const int W = getWidth(), H = getHeight();
    const int w = juce::jmax(0, W - 2);
    const int pairWidth = juce::jmin((int) (H * 2.2), w);
    modPair.setBounds(1 + w - pairWidth, 0, pairWidth, H);
    const int rest = w - pairWidth;
    const int row = juce::jmax(0, rest - juce::jmax(2, (int) (rest * 0.05)));
    const int bw = (int) (row * 0.16);
    const int bh = H < 2 ? 0 : H - 2;
    const int firstX = (int) ((row - numButtons * bw - (numButtons - 1)) * 0.5) + 1;
    for (int k = 0; k < numButtons; ++k)
        buttons[(size_t) k].setBounds(firstX + k * (bw + 1), 1, bw, bh);
}

//==============================================================================
const std::array<const char*, CenterOctButton::numButtons> CenterOctButton::texts{"-2", "-1", "0", "+1", "+2"};

CenterOctButton::CenterOctButton() : CenterRadioStrip(texts, 0.9f, "Octave")
{
    for (auto& b : buttons)
    {
        b.setTooltip(tooltip);
        ZuStyle::setColour(b, ZuStyle::bgcolor, baseColor);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, entry(2));
        ZuStyle::setColour(b, ZuStyle::focuscolor, entry(47));
        b.setColour(juce::TextButton::buttonOnColourId, entry(47));
        b.setColour(juce::TextButton::buttonColourId, baseColor.brighter(0.2f));
        b.setColour(juce::TextButton::textColourOffId, entry(20));
        b.setColour(juce::TextButton::textColourOnId, entry(21));
    }
}

void CenterOctButton::setAttachment(juce::ValueTree unitTree, juce::String id)
{
    bindValue(unitTree, id, 2.0f);
    startTimer(followTimer, followDelayMs);
    hiddenSlider.addListener(this);
    hiddenSlider.getValueObject().addListener(this);
}

void CenterOctButton::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = entry(31);
    // Octave steps exist in pitch and octave-transpose units only.
    const int kind = enclosingUnitKind(*this) <= zu::units::pitch ? zu::units::pitch : zu::units::octTp;
    if (const auto fromSettings = settingsColourOfKind(*this, kind))
        unitColor = *fromSettings;
    for (auto& b : buttons)
    {
        ZuStyle::setColour(b, ZuStyle::bgcolor, entry(39));
        ZuStyle::setColour(b, ZuStyle::outlinecolor, entry(2).brighter(0.1f));
        b.setColour(juce::TextButton::buttonColourId, baseColor.brighter(0.2f));
        b.setColour(juce::TextButton::textColourOffId, entry(20));
        b.setColour(juce::TextButton::textColourOnId, entry(21));
    }
    applyFocusColour();
    repaint();
}

void CenterOctButton::setStepRngState(bool stepInRange)
{
    inRange = stepInRange;
    applyFocusColour();
    repaint();
}

void CenterOctButton::applyFocusColour()
{
    const auto focus = focusColour();
    for (auto& b : buttons)
    {
        ZuStyle::setColour(b, ZuStyle::focuscolor, focus);
        b.setColour(juce::TextButton::buttonOnColourId, focus.brighter(0.1f));
    }
}

void CenterOctButton::resized()
{
    const int w = juce::jmax(0, getWidth() - 2);
    const int bw = (int) (w * 0.19);
    const int bh = juce::jmax(0, getHeight() - 2);
    const int firstX = (int) ((w - numButtons * bw) * 0.5) + 1;
    for (int k = 0; k < numButtons; ++k)
        buttons[(size_t) k].setBounds(firstX + k * bw, 1, bw, bh);
}
