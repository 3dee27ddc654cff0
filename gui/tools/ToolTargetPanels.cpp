// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolTargetPanels.h"

#include "ZuConvert.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

ToolTargetPanel::ToolTargetPanel(juce::AudioProcessorValueTreeState& parameters, const juce::String& parameterPrefix)
{
    baseColor = themeColour(colorTheme->panelBgColor);
    for (int k = 0; k < numTargets; ++k)
    {
        auto& b = buttons[(size_t) k];
        addAndMakeVisible(b);
        b.setLookAndFeel(&buttonLook.get());
        zu::tools::noFocus(b);
        b.setClickingTogglesState(true);
        b.setButtonText(juce::String(k + 1));
        zu::tools::styleTargetToggle(b, *colorTheme, 0.8f, "Medium");
        b.setTooltip("Selects the target units");
        b.paramId = parameterPrefix + juce::String(k + 1);
        attachments[(size_t) k] =
            std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(parameters, b.paramId, b);
        b.onClick = [this] { targetChanged(); };
    }
}

ToolTargetPanel::~ToolTargetPanel()
{
    for (auto& a : attachments)
        a.reset();
}

void ToolTargetPanel::colorMapping()
{
    baseColor = themeColour(colorTheme->panelBgColor);
    if (const auto colour = zu::tools::pitchUnitColour(*this))
        for (auto& b : buttons)
            b.setColour(juce::TextButton::buttonOnColourId, *colour);
    repaint();
}

void ToolTargetPanel::parentHierarchyChanged()
{
    colorMapping();
}

void ToolTargetPanel::resized()
{
    const auto inner = getLocalBounds().reduced(2, 1);
    const int g = juce::jmin(juce::jlimit(2, 12, zu::toIntSaturating((double) (0.06f * (float) inner.getHeight()))),
                             inner.getHeight());
    const int rest = inner.getHeight() - g;
    const int cw = zu::toIntSaturating((double) (0.5f * (float) inner.getWidth()));
    const int rh = rest - zu::toIntSaturating((double) (0.5f * (float) rest));
    const int bw = juce::jmax(0, cw - 2), bh = juce::jmax(0, rh - 2);
    for (int k = 0; k < numTargets; ++k)
        buttons[(size_t) k].setBounds(inner.getX() + 1 + (k % 2) * cw, inner.getY() + g + 1 + (k / 2) * rh, bw, bh);
}

ChordTargetPanel::ChordTargetPanel(juce::AudioProcessorValueTreeState& parameters)
    : ToolTargetPanel(parameters, "p9_chordtar")
{
}

ChordTargetPanel::~ChordTargetPanel() = default;

void ChordTargetPanel::targetChanged()
{
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->chordParamChanged();
}

ScaleTargetPanel::ScaleTargetPanel(juce::AudioProcessorValueTreeState& parameters)
    : ToolTargetPanel(parameters, "p8_scaletar")
{
}

ScaleTargetPanel::~ScaleTargetPanel() = default;

void ScaleTargetPanel::paint(juce::Graphics& g)
{
    g.fillAll(baseColor);
}

void ScaleTargetPanel::targetChanged()
{
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->scaleParamChanged();
}
