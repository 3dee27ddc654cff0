// SPDX-License-Identifier: GPL-3.0-or-later
#include "SEQ1StepValuePanels.h"

#include "CenterPanelNumBoxUnit.h"

namespace
{
struct RowKind
{
    const char* kind;
    const char* stem;
    double maxValue; // 0 for the toggle rows
};

constexpr RowKind rowKinds[] = {
    {"V", "sq1_vel", 127.0},  {"G", "sq1_gate", 100.0},   {"P", "sq1_prob", 100.0},
    {"slur", "sq1_slr", 0.0}, {"onoff", "sq1_spwr", 0.0},
};

const RowKind* rowKindOf(const juce::String& kind)
{
    for (const auto& k : rowKinds)
        if (kind == k.kind)
            return &k;
    return nullptr;
}

int atLeastZero(int v) noexcept
{
    return juce::jmax(0, v);
}

// Width less the one-pixel gap before the slot, when there is a width.
int lessGap(int w) noexcept
{
    return w > 0 ? w - 1 : 0;
}
} // namespace

juce::String seq1IdStem(const juce::String& kind)
{
    const auto* k = rowKindOf(kind);
    return k != nullptr ? juce::String(k->stem) : juce::String();
}

// ---------------------------------------------------------------------------

SEQ1NumBoxUnit::SEQ1NumBoxUnit()
{
    const auto panelBg = themeColour(colorTheme->panelBgColor);
    addAndMakeVisible(modKnobs);
    modKnobs.setBgColor(panelBg);
    modKnobs.setThumbColor(themeColour(colorTheme->modKnobThumbColor));

    addAndMakeVisible(valueBox);
    valueBox.setName({});
    valueBox.setTooltip({});
    zu::seq1::shapeNumberBox(valueBox, boxLook.get(), 1, 0.9f);
    zu::seq1::setNumberBoxColours(valueBox, panelBg, panelBg.brighter(0.05f), juce::Colour(0xff282828),
                                  themeColour(colorTheme->accentColor).withAlpha(0.2f), juce::Colour(0xff202020));
}

SEQ1NumBoxUnit::~SEQ1NumBoxUnit()
{
    boxAttachment.reset();
    valueBox.setLookAndFeel(nullptr);
}

void SEQ1NumBoxUnit::setParamName(juce::String kind)
{
    valueBox.setName(kind);
    const auto* k = rowKindOf(kind);
    if (k == nullptr || k->maxValue <= 0.0)
        return;
    valueBox.getProperties().set(ZuStyle::maxval, k->maxValue);
    valueBox.textFromValueFunction = roundedDownText;
    valueBox.updateText();
}

void SEQ1NumBoxUnit::setAttachment(juce::AudioProcessorValueTreeState& state, juce::String id)
{
    boxAttachment.reset();
    // JUCE asserts on a name the state lacks; such a box stays unbound.
    if (state.getParameter(id) != nullptr)
        boxAttachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, id, valueBox);
    modKnobs.setAttachments(state, id);
}

void SEQ1NumBoxUnit::resized()
{
    const int w = atLeastZero(getWidth() - 4);
    const int h = atLeastZero(getHeight() - 2);
    const int c = juce::jmin(w, zu::seq1::trunc(1.15f * (float) h));
    modKnobs.setBounds(2 + w - c, 2, c, atLeastZero(h - 2));
    valueBox.setBounds(2, 1, lessGap(w - c), h);
}

void SEQ1NumBoxUnit::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    modKnobs.setBgColor(panelColor);
    modKnobs.setThumbColor(themeColour(colorTheme->modKnobThumbColor));
    ZuStyle::setColour(valueBox, ZuStyle::focuscolor, themeColour(colorTheme->boxFocusColor));
    zu::seq1::setNumberBoxColours(valueBox, panelColor, themeColour(colorTheme->boxBgColor),
                                  themeColour(colorTheme->boxTextColor),
                                  themeColour(colorTheme->accentColor).withAlpha(0.2f), juce::Colour(0xff202020));
    repaint();
}

// ---------------------------------------------------------------------------

SEQ1StepNumBoxPanel::SEQ1StepNumBoxPanel(juce::String kind) : idStem(seq1IdStem(kind))
{
    panelColor = themeColour(colorTheme->panelBgColor);
    for (int k = 0; k < zu::seq1::stepsPerPage; ++k)
    {
        auto& unit = units[(size_t) k];
        addAndMakeVisible(unit);
        unit.setStepIndex(k);
        unit.setParamName(kind);
    }
}

void SEQ1StepNumBoxPanel::setAttachment(juce::AudioProcessorValueTreeState& state, int page)
{
    for (int k = 0; k < zu::seq1::stepsPerPage; ++k)
        units[(size_t) k].setAttachment(state, idStem + juce::String(zu::seq1::stepNumber(page, k)));
}

void SEQ1StepNumBoxPanel::resized()
{
    zu::seq1::placeStepRow(*this, units);
}

void SEQ1StepNumBoxPanel::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    for (auto& unit : units)
        unit.setSkinMode(skinMode);
    repaint();
}

// ---------------------------------------------------------------------------

SEQ1StepVgpPanel::SEQ1StepVgpPanel()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    for (auto* row : {&velocityRow, &gateRow, &probabilityRow})
        addAndMakeVisible(row);
}

void SEQ1StepVgpPanel::setAttachment(juce::AudioProcessorValueTreeState& state, int page)
{
    for (auto* row : {&velocityRow, &gateRow, &probabilityRow})
        row->setAttachment(state, page);
}

void SEQ1StepVgpPanel::resized()
{
    const int h = getHeight() - 2;
    const int c = atLeastZero(zu::seq1::trunc(0.32f * (float) h));
    const int y = 1 + zu::seq1::trunc(0.5f * (float) (h - 3 * c - 2));
    velocityRow.setBounds(0, y, getWidth(), c);
    gateRow.setBounds(0, y + c + 1, getWidth(), c);
    probabilityRow.setBounds(0, y + 2 * c + 2, getWidth(), c);
}

void SEQ1StepVgpPanel::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    for (auto* row : {&velocityRow, &gateRow, &probabilityRow})
        row->setSkinMode(skinMode);
    repaint();
}

// ---------------------------------------------------------------------------

SEQ1ButtonUnit::SEQ1ButtonUnit()
{
    addAndMakeVisible(modKnobs);
    modKnobs.setBgColor(themeColour(colorTheme->panelBgColor));
    modKnobs.setThumbColor(themeColour(colorTheme->modKnobThumbColor));

    addAndMakeVisible(stepButton);
    stepButton.setLookAndFeel(&buttonLook.get());
    stepButton.setClickingTogglesState(true);
    ZuStyle::setReal(stepButton, ZuStyle::fontsize, 0.9f);
    paintButton(themeColour(colorTheme->buttonTextOnColor));
}

SEQ1ButtonUnit::~SEQ1ButtonUnit()
{
    buttonAttachment.reset();
    stepButton.setLookAndFeel(nullptr);
}

void SEQ1ButtonUnit::paintButton(juce::Colour textOn)
{
    ZuStyle::setColour(stepButton, ZuStyle::bgcolor, themeColour(colorTheme->panelBgColor));
    ZuStyle::setColour(stepButton, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
    zu::seq1::setButtonColours(stepButton, themeColour(colorTheme->selectorOnColor),
                               themeColour(colorTheme->selectorOffColor),
                               themeColour(colorTheme->stepButtonTextOffColor), textOn);
}

void SEQ1ButtonUnit::setButtonText(juce::String text)
{
    stepButton.setButtonText(text);
    stepButton.groupId = text;
}

void SEQ1ButtonUnit::setButtonOnOff(bool on)
{
    stepButton.setToggleState(on, juce::sendNotification);
}

void SEQ1ButtonUnit::resized()
{
    const int w = atLeastZero(getWidth() - 4);
    const int h = atLeastZero(getHeight() - 2);
    const int c = juce::jmin(w, zu::seq1::trunc(1.3f * (float) h));
    modKnobs.setBounds(2 + w - c, 1, c, h);
    stepButton.setBounds(2, 1, lessGap(w - c), h);
}

void SEQ1ButtonUnit::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    modKnobs.setSkinMode(skinMode);
    modKnobs.setBgColor(panelColor);
    modKnobs.setThumbColor(themeColour(colorTheme->modKnobThumbColor));
    paintButton(juce::Colour(0xff303030));
    repaint();
}

// ---------------------------------------------------------------------------

SEQ1StepButtonPanel::SEQ1StepButtonPanel(juce::String kind) : idStem(seq1IdStem(kind))
{
    panelColor = themeColour(colorTheme->panelBgColor);
    for (int k = 0; k < zu::seq1::stepsPerPage; ++k)
    {
        auto& unit = units[(size_t) k];
        addAndMakeVisible(unit);
        unit.setStepIndex(k);
        unit.setButtonText(kind);
    }
}

void SEQ1StepButtonPanel::setAttachment(juce::AudioProcessorValueTreeState& state, juce::ValueTree t, int p)
{
    tree = t;
    page = p;
    for (int k = 0; k < zu::seq1::stepsPerPage; ++k)
        units[(size_t) k].setAttachment(state, idStem + juce::String(zu::seq1::stepNumber(page, k)));
}

void SEQ1StepButtonPanel::resized()
{
    zu::seq1::placeStepRow(*this, units);
}

void SEQ1StepButtonPanel::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    for (auto& unit : units)
        unit.setSkinMode(skinMode);
    repaint();
}
