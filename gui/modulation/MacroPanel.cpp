// SPDX-License-Identifier: GPL-3.0-or-later
#include "MacroPanel.h"

namespace
{
constexpr int backgroundEntry = 1;
constexpr int thumbEntry = 48;
constexpr int labelTextEntry = 49;
constexpr int macroEntry = 53;
constexpr int labelBgEntry = 54;
constexpr int labelTextSkinEntry = 55;
} // namespace

MacroKnobUnit::MacroKnobUnit(int k)
    : macroIndex(k), handle("MACRO" + juce::String(k + 1), colorTheme->entry(macroEntry, 0))
{
    handle.showHighlight = true;
    handle.iconShape.setFill(juce::Colour(0xff101010));
    handle.highlightShape.setFill(handle.iconColor);
    addAndMakeVisible(handle);

    bgColor = colorTheme->entry(backgroundEntry, 0);

    addAndMakeVisible(knob);
    knob.setName(juce::String(k + 1));
    knob.setTooltip("Sets the knob value");
    knob.setLookAndFeel(&knobLook.get());
    knob.setVelocityModeParameters(
        1.0, 1, colorTheme->dragValue(0), true,
        (juce::ModifierKeys::Flags)(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));
    knob.getProperties().set("fontface", "Medium");
    knob.getProperties().set("fontsize", 1.5);
    knob.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    knob.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    knob.setRotaryParameters(juce::MathConstants<float>::pi * 1.25f, juce::MathConstants<float>::pi * 2.75f, true);
    knob.setRange(0.0, 1.0, 0.0);
    knob.setColour(juce::Slider::backgroundColourId, bgColor);
    knob.setColour(juce::Slider::rotarySliderOutlineColourId, juce::Colour(0xff303030));
    knob.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffc0c0c0));
    knob.setColour(juce::Slider::thumbColourId, colorTheme->entry(thumbEntry, skinMode).brighter(0.5f));

    addAndMakeVisible(nameLabel);
    nameLabel.setLookAndFeel(&labelLook.get());
    nameLabel.setJustificationType(juce::Justification::centred);
    nameLabel.setEditable(true, false, false);
    nameLabel.getProperties().set("bgcolor", bgColor.toString());
    nameLabel.setColour(juce::Label::backgroundColourId, bgColor);
    nameLabel.setColour(juce::Label::textColourId, colorTheme->entry(labelTextEntry, 0));
    nameLabel.setColour(juce::Label::backgroundWhenEditingColourId, juce::Colours::black);
    nameLabel.getProperties().set("fontface", "Medium");
    nameLabel.getProperties().set("fontsize", 0.89);
    nameLabel.setTooltip("Clicks to rename the knob name label");
    nameLabel.setText("Macro", juce::dontSendNotification);
}

MacroKnobUnit::~MacroKnobUnit()
{
    attachment.reset();
    knob.setLookAndFeel(nullptr);
    nameLabel.setLookAndFeel(nullptr);
}

void MacroKnobUnit::setAttachment(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree, int k)
{
    macroIndex = k;
    attachment.reset();
    const auto parameterId = "p7_macro" + juce::String(k + 1);
    if (state.getParameter(parameterId) != nullptr)
        attachment = std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, parameterId, knob);

    const juce::Identifier nameId("macrolabel" + juce::String(k + 1));
    if (!guiTree.hasProperty(nameId))
        guiTree.setProperty(nameId, "Macro", nullptr);
    nameLabel.getTextValue().referTo(guiTree.getPropertyAsValue(nameId, nullptr));
}

void MacroKnobUnit::colorMapping()
{
    bgColor = colorTheme->entry(backgroundEntry, skinMode);
    handle.handleBgColor = bgColor;
    handle.repaint();
    knob.setColour(juce::Slider::backgroundColourId, bgColor);
    knob.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffcccccc));
    knob.setColour(juce::Slider::thumbColourId, colorTheme->entry(thumbEntry, skinMode).brighter(0.5f));
    const auto labelBg = colorTheme->entry(labelBgEntry, skinMode);
    nameLabel.getProperties().set("bgcolor", labelBg.toString());
    nameLabel.setColour(juce::Label::backgroundColourId, labelBg);
    nameLabel.setColour(juce::Label::textColourId, colorTheme->entry(labelTextSkinEntry, skinMode));
    nameLabel.setColour(juce::Label::backgroundWhenEditingColourId, juce::Colours::black);
    nameLabel.setColour(juce::Label::textWhenEditingColourId, juce::Colour(0xffdddddd));
    repaint();
}

void MacroKnobUnit::paint(juce::Graphics& g)
{
    g.fillAll(bgColor);
}

void MacroKnobUnit::resized()
{
    const int W = juce::jmax(0, getWidth() - 2), H = juce::jmax(0, getHeight() - 2);
    const int kh = juce::jmin(H, (int) (0.75 * H));
    knob.setBounds(2, 1, juce::jmax(0, W - 2), kh);
    const int r = H - kh;
    const int g = juce::jmin(r, juce::jmax(2, (int) (0.2 * r)));
    const int r2 = r - g;
    const int hw = juce::jmin(W, (int) (1.2 * r2));
    const int y2 = 1 + kh + g;
    handle.setBounds(1 + W - hw, y2, hw - juce::jmin(hw, 1), r2);
    nameLabel.setBounds(1, y2, W - hw - juce::jmin(W - hw, 2), r2);
}

MacroPanel::MacroPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree)
{
    bgColor = colorTheme->entry(backgroundEntry, skinMode);
    for (int k = 0; k < 8; ++k)
    {
        units[(size_t) k] = std::make_unique<MacroKnobUnit>(k);
        addAndMakeVisible(*units[(size_t) k]);
        units[(size_t) k]->setAttachment(state, guiTree, k);
    }
}

void MacroPanel::colorMapping()
{
    bgColor = colorTheme->entry(backgroundEntry, skinMode);
    for (auto& unit : units)
        unit->setSkinMode(skinMode);
    repaint();
}

void MacroPanel::paint(juce::Graphics& g)
{
    g.fillAll(bgColor);
}

void MacroPanel::resized()
{
    const int W = juce::jmax(0, getWidth() - 2), H = juce::jmax(0, getHeight() - 2);
    const int c = juce::jmax(0, W - 4);
    const int e = (int) (0.115 * c), f = (int) (0.011 * c);
    const int x0 = (int) ((c - 8 * e - 7 * f) * 0.5) + 3;
    for (int k = 0; k < 8; ++k)
        units[(size_t) k]->setBounds(x0 + k * (e + f), 3, e, juce::jmax(0, H - 4));
}

ModPanelMain::ModPanelMain(juce::AudioProcessorValueTreeState& state, juce::ValueTree tree, MirabelGlobalData&,
                           LfoData&, MyDocumentWindow&, juce::Value, juce::Value)
    : macroPanel(state, tree), guiTree(tree)
{
    panelColor = colorTheme->entry(backgroundEntry, skinMode);
    addAndMakeVisible(macroPanel);
}

void ModPanelMain::colorMapping()
{
    panelColor = colorTheme->entry(backgroundEntry, skinMode);
    macroPanel.setSkinMode(skinMode);
    repaint();
}

void ModPanelMain::resized()
{
    const int c = juce::jlimit(1, 8, (int) (0.03 * getHeight()));
    const int W = juce::jmax(0, getWidth() - 2);
    const int d = (int) (0.15 * W);
    macroPanel.setBounds(d + 1, c, juce::jmax(0, W - 2 * d), juce::jmax(0, getHeight() - 2 * c));
}
