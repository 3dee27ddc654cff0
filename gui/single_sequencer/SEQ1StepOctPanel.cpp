// SPDX-License-Identifier: GPL-3.0-or-later
#include "SEQ1StepOctPanel.h"

#include "ZuRadioRow.h"

namespace
{
constexpr int noShiftIndex = 2;

int octaveIndex(double v) noexcept
{
    return zu::clampInt(zu::toIntSaturating(v), 0, OctButton::numButtons - 1);
}

const char* const modSuffixes[] = {"_modsrc1", "_moddep1", "_modsrc2", "_moddep2"};
} // namespace

OctButton::OctButton()
{
    static const char* const texts[] = {"-2", "-1", "0", "+1", "+2"};
    for (int i = 0; i < numButtons; ++i)
    {
        auto& b = octButtons[(size_t) i];
        addAndMakeVisible(b);
        b.setRadioGroupId(1000);
        b.setLookAndFeel(&buttonLook.get());
        b.setClickingTogglesState(true);
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.9f);
        b.setButtonText(texts[i]);
        b.getProperties().set(ZuStyle::index, i);
        b.onClick = [this, &b] { buttonClicked(&b); };
    }
    paintButtons();
    zu::radiorow::connectEdges(octButtons, false);
    zu::radiorow::prepareHiddenSlider(octSlider, "Octave");
    octSlider.addListener(this);
}

OctButton::~OctButton()
{
    stopTimer(followTimer);
    octSlider.removeListener(this);
    for (auto& b : octButtons)
        b.setLookAndFeel(nullptr);
}

void OctButton::paintButtons()
{
    for (auto& b : octButtons)
    {
        ZuStyle::setColour(b, ZuStyle::bgcolor, themeColour(colorTheme->panelBgColor));
        ZuStyle::setColour(b, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
        zu::seq1::setButtonColours(
            b, themeColour(colorTheme->selectorOnColor), themeColour(colorTheme->selectorOffColor),
            themeColour(colorTheme->selectorTextOffColor), themeColour(colorTheme->buttonTextOnColor));
    }
}

void OctButton::setValue(float value)
{
    octButtons[(size_t) octaveIndex(value)].setToggleState(true, juce::sendNotification);
}

void OctButton::buttonClicked(juce::Button* button)
{
    zu::radiorow::selectFromClick(button, curOctIndex, octSlider);
}

void OctButton::sliderValueChanged(juce::Slider*)
{
    startTimer(followTimer, followDelayMs);
}

void OctButton::timerCallback(int timerID)
{
    if (timerID != followTimer)
        return;
    stopTimer(followTimer);
    zu::radiorow::followSlider(octSlider, curOctIndex, octButtons);
}

void OctButton::resized()
{
    const int iw = getWidth() - 2;
    const int bw = juce::jmax(0, zu::seq1::trunc(0.19f * (float) iw));
    int x = 1 + zu::seq1::trunc(0.5f * (float) (iw - numButtons * bw - 4));
    for (auto& b : octButtons)
    {
        b.setBounds(x, 1, bw, juce::jmax(0, getHeight() - 2));
        x += bw + 1;
    }
}

void OctButton::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    paintButtons();
    repaint();
}

// ---------------------------------------------------------------------------

SEQ1OctUnit::SEQ1OctUnit()
{
    addAndMakeVisible(octSelector);
    addAndMakeVisible(modKnobs);
    modKnobs.setBgColor(themeColour(colorTheme->panelBgColor));
    modKnobs.setThumbColor(themeColour(colorTheme->modKnobThumbColor));
}

void SEQ1OctUnit::getCurState(double& octave, std::array<double, 4>& mods)
{
    octave = octaveIndex(octSelector.getOctSlider().getValue());
    modKnobs.getModKnobState(mods);
}

void SEQ1OctUnit::setCurState(double octave, std::array<double, 4>& mods)
{
    octSelector.setValue((float) octave);
    modKnobs.setStates(mods);
}

void SEQ1OctUnit::resized()
{
    const int mg = juce::jlimit(2, 8, zu::seq1::trunc(0.013f * (float) getWidth()));
    const int iw = getWidth() - 2 * mg;
    const int h = juce::jmax(0, getHeight() - 2);
    const int c = juce::jmin(h, zu::seq1::trunc(0.52f * (float) h));
    modKnobs.setBounds(mg + 2, 1 + h - c, juce::jmax(0, iw - 4), c);
    octSelector.setBounds(mg, 1, juce::jmax(0, iw > 0 ? iw - 1 : 0), h - c);
}

void SEQ1OctUnit::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    modKnobs.setBgColor(panelColor);
    modKnobs.setThumbColor(themeColour(colorTheme->modKnobThumbColor));
    octSelector.setSkinMode(skinMode);
    repaint();
}

// ---------------------------------------------------------------------------

SEQ1StepOctPanel::SEQ1StepOctPanel()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    for (auto& unit : units)
        addAndMakeVisible(unit);
}

void SEQ1StepOctPanel::setAttachment(juce::AudioProcessorValueTreeState&, juce::ValueTree t, int p)
{
    tree = t;
    page = p;
}

void SEQ1StepOctPanel::updateSnapState(int snapshot)
{
    auto node = zu::seq1::snapshotNode(tree, snapshot);
    if (!node.isValid())
        return;
    for (int k = 0; k < zu::seq1::stepsPerPage; ++k)
    {
        const auto key = "sq1_oct" + juce::String(zu::seq1::stepNumber(page, k));
        double octave = noShiftIndex;
        std::array<double, 4> mods{};
        units[(size_t) k].getCurState(octave, mods);
        node.setProperty(key, octave, nullptr);
        for (size_t m = 0; m < mods.size(); ++m)
            node.setProperty(key + modSuffixes[m], mods[m], nullptr);
    }
}

void SEQ1StepOctPanel::snapshotChanged(int snapshot)
{
    const auto node = zu::seq1::snapshotNode(tree, snapshot);
    if (!node.isValid())
        return;
    for (int k = 0; k < zu::seq1::stepsPerPage; ++k)
    {
        const auto key = "sq1_oct" + juce::String(zu::seq1::stepNumber(page, k));
        const double octave = zu::seq1::readDouble(node, key, noShiftIndex);
        std::array<double, 4> mods{};
        for (size_t m = 0; m < mods.size(); ++m)
            mods[m] = zu::seq1::readDouble(node, key + modSuffixes[m], 0.0);
        auto& unit = units[(size_t) k];
        unit.octSelector.getButton(octaveIndex(octave)).setToggleState(true, juce::sendNotification);
        unit.modKnobs.setStates(mods);
    }
}

void SEQ1StepOctPanel::snapshotChanged(int from, int to)
{
    updateSnapState(from);
    snapshotChanged(to);
}

void SEQ1StepOctPanel::resized()
{
    zu::seq1::placeStepRow(*this, units);
}

void SEQ1StepOctPanel::colorMapping()
{
    for (auto& unit : units)
        unit.setSkinMode(skinMode);
}
