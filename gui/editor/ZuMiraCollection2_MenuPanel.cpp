// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMiraCollection2_MenuPanel.h"

#include "ZuCallOut.h"
#include "ZuMessageWindows.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <array>

namespace
{
constexpr int bothSides = juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight;

// A width of at most what is left.
int take(float width, int& left)
{
    const int w = juce::jlimit(0, juce::jmax(left, 0), (int) width);
    left -= w;
    return w;
}
} // namespace

ZuMiraCollection2_MenuPanel::ZuMiraCollection2_MenuPanel(juce::ValueTree paramTree)
    : stripColour(colorTheme->entry(0, 0))
{
    setUpButton(versionButton, juce::String("ver ") + ZumiraboxAudioProcessor::pluginVersionString, {}, {}, bothSides);
    setUpButton(menuButton, "Menu", "menu", "Menu", bothSides);
    setUpButton(presetButton, {}, "preset", "Preset", bothSides);
    setUpButton(previousButton, "<", "preset_left", "Previous preset", bothSides);
    setUpButton(nextButton, ">", "preset_right", "Next preset", bothSides);
    setUpButton(saveButton, "Save", "save", "Overwrites the existing preset", bothSides);
    setUpButton(saveAsButton, "Save As", "saveas", "Saves as a new preset", bothSides);
    setUpButton(productLabel, "ZU-MIRA8", {}, {}, juce::Button::ConnectedOnRight);
    setUpButton(makerLabel, "Zurvana", {}, {}, juce::Button::ConnectedOnLeft);
    makerLabel.getProperties().set("fontsize", (double) 0.6f);
    for (auto* label : {&versionButton, &productLabel, &makerLabel})
        label->setInterceptsMouseClicks(false, false);

    ZuParamAttacher::attachToLabel(paramTree, "presetname", "Preset", presetNameLabel);
    presetNameLabel.getTextValue().addListener(this);
}

ZuMiraCollection2_MenuPanel::~ZuMiraCollection2_MenuPanel()
{
    presetNameLabel.getTextValue().removeListener(this);
    for (int i = 0; i < numButtons; ++i)
        getButton(i).setLookAndFeel(nullptr);
}

juce::TextButton& ZuMiraCollection2_MenuPanel::getButton(int index)
{
    std::array<juce::TextButton*, numButtons> buttons{&productLabel, &versionButton,  &menuButton,
                                                      &presetButton, &previousButton, &nextButton,
                                                      &saveButton,   &saveAsButton,   &makerLabel};
    return *buttons[(size_t) juce::jlimit(0, numButtons - 1, index)];
}

void ZuMiraCollection2_MenuPanel::setUpButton(juce::TextButton& button, const juce::String& text,
                                              const juce::String& id, const juce::String& tooltip, int connectedEdges)
{
    addAndMakeVisible(button);
    button.setLookAndFeel(&buttonLookAndFeel.get());
    button.getProperties().set("outlinecolor", juce::Colour(0xff35383c).toString());
    button.getProperties().set("fontsize", (double) 0.58f);
    button.setColour(juce::TextButton::buttonColourId, stripColour);
    button.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffcccccc));
    button.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff959595));
    button.setColour(juce::TextButton::textColourOnId, stripColour);
    button.setButtonText(text);
    button.setComponentID(id);
    button.setTooltip(tooltip);
    button.setConnectedEdges(connectedEdges);
    button.addListener(this);
}

void ZuMiraCollection2_MenuPanel::resize_guiBounds()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY(), W = b.getWidth(), H = b.getHeight();

    const int t = juce::jmin(juce::jlimit(1, 10, (int) ((float) H * 0.08f)), H);
    const int v = (int) ((float) (H - t) * 0.15f);
    const int top = y + t + v;
    const int height = juce::jmax((H - t) - 2 * v, 0);

    const int s = juce::jmax((int) ((float) W * 0.018f), 2);
    int left = W - 2 * s;
    const int productWidth = take((float) W * 0.095f, left);
    const int makerWidth = take((float) W * 0.099f, left);
    productArea = {x + s, top, productWidth, height};
    makerArea = {x + s + (W - 2 * s) - makerWidth, top, makerWidth, height};

    const int rowWidth = left;
    const float B = (float) (int) ((float) rowWidth * 0.12f);
    const int widths[] = {take(B, left),         take(1.15f * B, left), take(0.8f * B, left), take(3.1f * B, left),
                          take(0.38f * B, left), take(0.38f * B, left), take(0.7f * B, left), juce::jmax(left, 0)};
    buttonRow.clear();
    int cx = productArea.getRight();
    for (int w : widths)
    {
        buttonRow.addWithoutMerging({cx, top, w, height});
        cx += w;
    }
}

void ZuMiraCollection2_MenuPanel::resized()
{
    resize_guiBounds();
    productLabel.setBounds(productArea);
    makerLabel.setBounds(makerArea);
    juce::TextButton* row[] = {&versionButton,  nullptr,     &menuButton, &presetButton,
                               &previousButton, &nextButton, &saveButton, &saveAsButton};
    for (int i = 0; i < buttonRow.getNumRectangles(); ++i)
        if (row[i] != nullptr)
            row[i]->setBounds(buttonRow.getRectangle(i));
}

void ZuMiraCollection2_MenuPanel::updateCompColor()
{
    repaint();
}

void ZuMiraCollection2_MenuPanel::valueChanged(juce::Value&)
{
    const auto name = presetNameLabel.getText();
    if (name.isNotEmpty())
        presetButton.setButtonText(name);
}

void ZuMiraCollection2_MenuPanel::buttonClicked(juce::Button* button)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;

    if (button == &menuButton)
        editor->openPluginMenu(&menuButton);
    else if (button == &presetButton)
    {
        editor->openPresetMenu(&presetButton);
        presetButton.setState(juce::Button::buttonNormal);
    }
    else if (button == &previousButton)
        editor->presetArrow(0);
    else if (button == &nextButton)
        editor->presetArrow(1);
    else if (button == &saveButton)
    {
        openSaveConfirmation();
        saveButton.setState(juce::Button::buttonNormal);
    }
    else if (button == &saveAsButton)
    {
        editor->menuItemSelected(ZuMainMenuHandler::saveAsCommand);
        saveAsButton.setState(juce::Button::buttonNormal);
    }
}

void ZuMiraCollection2_MenuPanel::calloutBoxButtonIsClicked(int answer)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    if (answer == 0)
        editor->menuItemSelected(ZuMainMenuHandler::saveCommand);
    else if (answer == 1)
        editor->menuItemSelected(ZuMainMenuHandler::saveAsCommand);
}

bool ZuMiraCollection2_MenuPanel::openSaveConfirmation()
{
    const auto c = colorTheme->entry(2, 0);
    const juce::Colour light(0xffdddddd);
    auto window = std::make_unique<ZuOverWritePresetWndw>(*this, saveQuestion, c, light, c, light, light, c);
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return false;

    const auto w = (float) editor->getWidth();
    window->setSize((int) (0.19f * w), (int) (0.085f * w));
    const auto area = editor->getLocalArea(&saveButton, saveButton.getLocalBounds());
    auto& box = launchZuCallOut(std::move(window), area, *editor);
    box.setColour(juce::BubbleComponent::backgroundColourId, c);
    box.setColour(juce::BubbleComponent::outlineColourId, juce::Colour(0xff808080));
    return true;
}

void ZuMiraCollection2_MenuPanel::getSaveAsButtonPos(juce::Rectangle<int>& area)
{
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        area = editor->getLocalArea(&saveAsButton, saveAsButton.getLocalBounds());
}
