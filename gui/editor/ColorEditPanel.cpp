// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColorEditPanel.h"

#include "PluginSettingState.h"
#include "ZuCallOut.h"
#include "ZuGlobalPanelParts.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
const juce::Colour pageColour{0xff101010};
constexpr const char* labelTexts[] = {"Pitch SEQ", "Param SEQ", "CC SEQ", "CC Rack", "Oct/TP SEQ"};
constexpr int selectorFlags = juce::ColourSelector::showAlphaChannel | juce::ColourSelector::showColourAtTop |
                              juce::ColourSelector::editableColour | juce::ColourSelector::showSliders |
                              juce::ColourSelector::showColourspace;
} // namespace

ColourChangeButton::ColourChangeButton() : juce::TextButton("Click to change colour...")
{
    zu::global::keepFocusAway(*this);
    setSize(10, 24);
    changeWidthToFitText();
    setColour(juce::TextButton::textColourOffId, juce::Colour(0xff050505));
    setColour(juce::TextButton::textColourOnId, juce::Colour(0xff050505));
}

ColourChangeButton::~ColourChangeButton()
{
    if (auto* open = selector.getComponent())
        open->removeChangeListener(this);
    if (auto* box = callOut.getComponent())
        box->dismiss();
}

void ColourChangeButton::clicked()
{
    if (auto* open = selector.getComponent())
        open->removeChangeListener(this);
    auto content = std::make_unique<juce::ColourSelector>(selectorFlags, 4, 7);
    content->setName("background");
    content->setCurrentColour(findColour(juce::TextButton::buttonColourId));
    content->addChangeListener(this);
    content->setColour(juce::ColourSelector::backgroundColourId, juce::Colours::transparentBlack);
    content->setSize(300, 400);
    selector = content.get();
    callOut = &launchZuCallOutOnDesktop(std::move(content), getScreenBounds());
}

void ColourChangeButton::changeListenerCallback(juce::ChangeBroadcaster* source)
{
    if (auto* changed = dynamic_cast<juce::ColourSelector*>(source))
        setColour(juce::TextButton::buttonColourId, changed->getCurrentColour());
    if (auto* parent = getParentComponent())
        parent->postCommandMessage(colourChangedCommand);
}

//==============================================================================
ColorEditPanel::ColorEditPanel()
{
    addAndMakeVisible(background);
    background.setFill(pageColour);
    panelColor = pageColour;
    for (auto& button : buttons)
        addAndMakeVisible(button);
    for (int k = 0; k < numColours; ++k)
    {
        auto& label = labels[(size_t) k];
        addAndMakeVisible(label);
        label.setLookAndFeel(&labelLook.get());
        label.setText(labelTexts[k], juce::dontSendNotification);
        label.setJustificationType(juce::Justification::centred);
        label.getProperties().set(ZuStyle::bgcolor, panelColor.toString());
        label.setColour(juce::Label::backgroundColourId, pageColour);
        label.setColour(juce::Label::textColourId, juce::Colour(0xffaaaaaa));
        label.getProperties().set(ZuStyle::fontsize, 0.92);
        label.getProperties().set(ZuStyle::fontface, "SemiBold");
    }
}

ColorEditPanel::~ColorEditPanel()
{
    for (auto& label : labels)
        label.setLookAndFeel(nullptr);
}

void ColorEditPanel::updateColor()
{
    const auto access = zu::global::editorAccess(*this);
    if (!access)
        return;
    const auto& colours = access->getSettings().unitColors;
    for (int k = 0; k < numColours; ++k)
        buttons[(size_t) k].setColour(juce::TextButton::buttonColourId, colours[(size_t) k]);
}

void ColorEditPanel::visibilityChanged()
{
    updateColor();
}

void ColorEditPanel::handleCommandMessage(int)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    auto& settings = ZuEditorAccess(editor->processor).getSettings();
    for (int k = 0; k < numColours; ++k)
        settings.unitColors[(size_t) k] = buttons[(size_t) k].findColour(juce::TextButton::buttonColourId);
    settings.updateAndSaveSettingFile();
    editor->startSkinTimer(skinDelayMs);
}

void ColorEditPanel::resized()
{
    const auto page = zu::global::roundedPageArea(getWidth(), getHeight());
    background.setPath(page.rounded);
    const int UW = page.usable.getWidth(), UH = page.usable.getHeight();
    const int Y0 = page.usable.getY();
    const int cw = (int) ((float) UW * 0.2f);
    const int X0 = page.usable.getX() + (int) ((float) (UW - 5 * cw) * 0.5f);
    const int lh = juce::jmin((int) ((float) UH * 0.35f), UH);
    const int g = juce::jmin((int) ((float) lh * 0.3f), UH - lh);
    const int bh = UH - lh - g;
    const int bm = (int) ((float) cw * 0.15f);
    for (int k = 0; k < numColours; ++k)
    {
        labels[(size_t) k].setBounds(X0 + k * cw + 1, Y0, juce::jmax(cw - 2, 0), lh);
        buttons[(size_t) k].setBounds(X0 + k * cw + bm, Y0 + lh + g + 1, juce::jmax(cw - 2 * bm, 0),
                                      juce::jmax(bh - 2, 0));
    }
}
