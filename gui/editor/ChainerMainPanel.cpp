// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChainerMainPanel.h"

#include "PluginSettingState.h"
#include "ZuGlobalPanelParts.h"
#include "ZuStyleProps.h"

namespace
{
// A chainer number box: the control row's and the target cells' look.
void shapeChainerBox(juce::Component& owner, juce::Slider& box, juce::LookAndFeel& look, const juce::String& tooltip,
                     const ZuMirabox_ColorTheme& theme)
{
    owner.addAndMakeVisible(box);
    zu::global::keepFocusAway(box);
    box.setName({});
    box.setLookAndFeel(&look);
    box.setTooltip(tooltip);
    box.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    box.setVelocityModeParameters(
        1.0, 1, theme.dragValue(0), false,
        (juce::ModifierKeys::Flags)(juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier));
    box.getProperties().set(ZuStyle::barflag, 0);
    box.getProperties().set(ZuStyle::fontsize, 0.7);
    box.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    box.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    box.setColour(juce::Slider::backgroundColourId, theme.entry(2, 0));
    box.setColour(juce::Slider::textBoxBackgroundColourId, theme.entry(2, 0));
    box.setColour(juce::Slider::textBoxTextColourId, theme.entry(38, 0));
    box.setColour(juce::Slider::trackColourId, theme.entry(47, 0).withAlpha(0.4f));
    box.setColour(juce::Slider::textBoxOutlineColourId, theme.entry(37, 0));
}

int wholeValue(double v, int lo, int hi)
{
    return juce::jlimit(lo, hi, std::isfinite(v) ? (int) v : lo);
}

// The theme's colour of each target group (skin 0) and the settings colour of
// targets 1..15: pitch, parameter, CC units, the CC racks, octave-transpose.
int targetGroup(int u)
{
    return u <= 12 ? (u - 1) / 4 : (u <= 14 ? 3 : 4);
}
constexpr int groupThemeEntry[] = {47, 48, 49, 50, 51};
constexpr int groupSettingsColour[] = {PluginSettingState::pitchColor, PluginSettingState::paramColor,
                                       PluginSettingState::ccColor, PluginSettingState::ccRackColor,
                                       PluginSettingState::octTpColor};
} // namespace

//==============================================================================
ChainerCtrlPanel::ChainerCtrlPanel()
{
    backgroundColour = colorTheme->entry(1, 0);
    for (auto [label, text] :
         {std::pair<juce::Label*, const char*>{&sizeLabel, "Step Size"}, {&speedLabel, "Inc Speed"}})
    {
        zu::global::addCaption(*this, *label, labelLook.get(), backgroundColour, text, 0.59f);
    }
    shapeChainerBox(*this, sizeBox, boxLook.get(), "Sets the chaner step size", *colorTheme);
    shapeChainerBox(*this, speedBox, boxLook.get(), "Sets the chaner step inc speed", *colorTheme);
}

ChainerCtrlPanel::~ChainerCtrlPanel()
{
    sizeBox.getValueObject().removeListener(this);
    for (juce::Component* c : std::initializer_list<juce::Component*>{&sizeLabel, &speedLabel, &sizeBox, &speedBox})
        c->setLookAndFeel(nullptr);
}

void ChainerCtrlPanel::setAttachments(juce::ValueTree paramTree)
{
    attacher->attachToSlider(paramTree, "p0_chrsize", 4.0f, {2.0, 16.0, 1.0}, sizeBox);
    sizeBox.textFromValueFunction = [](double v) { return juce::String(wholeValue(v, 2, 16)); };
    attacher->attachToSlider(paramTree, "p0_chrspd", 4.0f, {0.0, 6.0, 1.0}, speedBox);
    speedBox.textFromValueFunction = [this](double v) { return speedTexts[wholeValue(v, 0, 6)]; };
    sizeBox.getValueObject().addListener(this);
}

void ChainerCtrlPanel::valueChanged(juce::Value&)
{
    if (auto* page = findParentComponentOfClass<ChainerMainPanel>())
        page->updateStepEnabling();
}

void ChainerCtrlPanel::setSkinMode(int skin)
{
    backgroundColour = colorTheme->entry(1, skin);
    for (auto* label : {&sizeLabel, &speedLabel})
        zu::global::recolourCaption(*label, backgroundColour, juce::Colour(0xffb0b0b0));
    for (auto* box : {&sizeBox, &speedBox})
    {
        box->setColour(juce::Slider::backgroundColourId, backgroundColour);
        box->setColour(juce::Slider::textBoxBackgroundColourId, backgroundColour.darker(1.8f));
        box->setColour(juce::Slider::textBoxTextColourId, colorTheme->entry(38, skin));
        box->setColour(juce::Slider::trackColourId, colorTheme->entry(47, skin).withAlpha(0.4f));
        box->setColour(juce::Slider::textBoxOutlineColourId, colorTheme->entry(37, skin));
    }
    repaint();
}

void ChainerCtrlPanel::paint(juce::Graphics& g)
{
    g.fillAll(backgroundColour);
}

void ChainerCtrlPanel::resized()
{
    const int W = juce::jmax(getWidth() - 2, 0), H = juce::jmax(getHeight() - 2, 0);
    const int P = juce::jmin(W, (int) ((float) W * 0.485f));
    const int Q = juce::jmin(W - P, P);
    const auto half = [H](juce::Label& label, juce::Slider& box, int x0, int S)
    {
        const int S1 = juce::jmin(S, (int) ((float) S * 0.45f));
        const int p1 = (int) ((float) S1 * 0.05f);
        label.setBounds(x0 + p1, 1, juce::jmax(S1 - 2 * p1, 0), H);
        const int p2 = (int) ((float) (S - S1) * 0.1f);
        box.setBounds(x0 + S1 + p2, 1, juce::jmax(S - S1 - 2 * p2, 0), H);
    };
    half(sizeLabel, sizeBox, 1, P);
    half(speedLabel, speedBox, 1 + W - Q, Q);
}

//==============================================================================
ChainerTargetUnitPanel::ChainerTargetUnitPanel()
{
    panelColor = colorTheme->entry(1, 1);
    zu::global::addCaption(*this, label, labelLook.get(), panelColor, "T", 0.9f);
    label.setColour(juce::Label::textColourId, juce::Colour(0xff101010));
    shapeChainerBox(*this, box, boxLook.get(), "Sets the master chainer track for this unit", *colorTheme);
}

ChainerTargetUnitPanel::~ChainerTargetUnitPanel()
{
    label.setLookAndFeel(nullptr);
    box.setLookAndFeel(nullptr);
}

void ChainerTargetUnitPanel::setAttachments(juce::ValueTree tree, juce::String id, juce::String labelText,
                                            juce::Colour colour)
{
    setBaseColor(colour);
    label.setText(labelText, juce::dontSendNotification);
    attacher->attachToSlider(tree, id, 0.0f, {0.0, 8.0, 1.0}, box);
    box.textFromValueFunction = [](double v)
    {
        const int track = wholeValue(v, 0, 8);
        return track == 0 ? juce::String("-") : juce::String(track);
    };
}

void ChainerTargetUnitPanel::setBaseColor(const juce::Colour& colour)
{
    label.setColour(juce::Label::backgroundColourId, colour);
    label.getProperties().set(ZuStyle::bgcolor, colour.toString());
    label.repaint();
}

void ChainerTargetUnitPanel::colorMapping()
{
    panelColor = colorTheme->entry(1, 1);
    repaint();
}

void ChainerTargetUnitPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChainerTargetUnitPanel::resized()
{
    const int W = juce::jmax(getWidth() - 2, 0), H = juce::jmax(getHeight() - 2, 0);
    const int top = juce::jmin(H, (int) ((float) H * 0.5f));
    const int pad = (int) ((float) top * 0.16f);
    label.setBounds(2, 1 + pad, juce::jmax(W - 2, 0), juce::jmax(top - 2 * pad, 0));
    box.setBounds(1, 1 + top, W, H - top);
}

//==============================================================================
ChainerTargetPanel::ChainerTargetPanel()
{
    panelColor = colorTheme->entry(1, 1);
    for (auto& cell : cells)
        addAndMakeVisible(cell);
}

void ChainerTargetPanel::setAttachments(juce::ValueTree paramTree)
{
    for (int u = 1; u <= numTargets; ++u)
    {
        const int group = targetGroup(u);
        const juce::String text = u <= 12 ? juce::String((u - 1) % 4 + 1) : (u <= 14 ? juce::String(u - 12) : "");
        getCell(u).setAttachments(paramTree, "p0_chrtar" + juce::String(u), text,
                                  colorTheme->entry(groupThemeEntry[group], 0));
    }
}

void ChainerTargetPanel::colorMapping()
{
    panelColor = colorTheme->entry(1, 1);
    if (const auto colours = zu::global::unitColours(*this))
        for (int u = 1; u <= numTargets; ++u)
            getCell(u).setBaseColor((*colours)[(size_t) groupSettingsColour[targetGroup(u)]]);
    repaint();
}

void ChainerTargetPanel::parentHierarchyChanged()
{
    colorMapping();
}

void ChainerTargetPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChainerTargetPanel::resized()
{
    const int h = getHeight();
    const int mv = juce::jlimit(1, 8, (int) ((float) h * 0.1f));
    const int W = juce::jmax(getWidth() - 2, 0);
    const int c = (int) ((float) W * 0.0666666f);
    const int x0 = 1 + (int) ((float) (W - numTargets * c) * 0.5f);
    for (int i = 0; i < numTargets; ++i)
        cells[(size_t) i].setBounds(x0 + i * c, mv, c, juce::jmax(h - 2 * mv, 0));
}

//==============================================================================
ChainerMainPanel::ChainerMainPanel(juce::AudioProcessorValueTreeState&, juce::ValueTree tree, juce::ValueTree paramTree,
                                   MirabelGlobalData& globalData)
    : stepArea(globalData), guiTree(tree)
{
    panelColor = colorTheme->entry(1, skinMode);

    addAndMakeVisible(stepArea);
    stepArea.setAttachments(paramTree);
    addAndMakeVisible(ctrlPanel);
    ctrlPanel.setAttachments(paramTree);
    addAndMakeVisible(targetPanel);
    targetPanel.setAttachments(paramTree);

    zu::global::addCaption(*this, titleLabel, labelLook.get(), panelColor, "Snapshot Chainer", 0.9f);
    titleLabel.setColour(juce::Label::textColourId, colorTheme->entry(49, 0));
    titleLabel.getProperties().set(ZuStyle::fontsize, 0.61);

    addAndMakeVisible(powerButton);
    zu::global::keepFocusAway(powerButton);
    powerButton.setButtonText("power");
    powerButton.setLookAndFeel(&powerLook.get());
    powerButton.setClickingTogglesState(true);
    powerButton.setTooltip("Toggles the snapshot chainer on/off");
    powerButton.getProperties().set(ZuStyle::svgname, "power");
    powerButton.getProperties().set(ZuStyle::scale, 0.8);
    attacher->attachToButton(paramTree, "p0_chrpwr", false, powerButton);
    powerButton.getToggleStateValue().addListener(this);

    addAndMakeVisible(trackButton);
    zu::global::keepFocusAway(trackButton);
    trackButton.setLookAndFeel(&trackLook.get());
    trackButton.setClickingTogglesState(true);
    for (auto* button : {&powerButton, &trackButton})
    {
        button->setColour(juce::TextButton::buttonOnColourId, panelColor);
        button->setColour(juce::TextButton::buttonColourId, panelColor);
        button->setColour(juce::TextButton::textColourOffId, juce::Colour(0xff303030));
        button->setColour(juce::TextButton::textColourOnId, juce::Colour(0xffe0e0e0));
    }
    attacher->attachToButton(paramTree, "p0_chrtrksel", false, trackButton);
    stepArea.setTrkSelIndex(trackButton.getToggleState() ? 1 : 0);
    // Every change of the group, a loaded state's too, shows its tracks.
    trackButton.getToggleStateValue().addListener(this);

    juce::Component::SafePointer<ChainerMainPanel> self(this);
    juce::Timer::callAfterDelay(resyncDelayMs,
                                [self]
                                {
                                    if (auto* page = self.getComponent())
                                    {
                                        page->onoffStateChanged();
                                        page->updateStepEnabling();
                                    }
                                });
}

ChainerMainPanel::~ChainerMainPanel()
{
    powerButton.getToggleStateValue().removeListener(this);
    trackButton.getToggleStateValue().removeListener(this);
    for (juce::Component* c : std::initializer_list<juce::Component*>{&titleLabel, &powerButton, &trackButton})
        c->setLookAndFeel(nullptr);
}

void ChainerMainPanel::valueChanged(juce::Value& value)
{
    if (value.refersToSameSourceAs(trackButton.getToggleStateValue()))
        stepArea.setTrkSelIndex(trackButton.getToggleState() ? 1 : 0);
    else
        onoffStateChanged();
}

void ChainerMainPanel::onoffStateChanged()
{
    const bool on = powerButton.getToggleState();
    stepArea.setVisible(on);
    ctrlPanel.setEnabled(on);
    trackButton.setEnabled(on);
    targetPanel.setEnabled(on);
}

void ChainerMainPanel::updateStepEnabling()
{
    const int size = wholeValue(ctrlPanel.sizeBox.getValue(), 0, ChainerStepPanel::numSteps);
    for (int j = 0; j < ChainerStepPanelMain::numTracks; ++j)
        for (int k = 0; k < ChainerStepPanel::numSteps; ++k)
            stepArea.getRow(j).getBox(k).setEnabled(k < size);
}

void ChainerMainPanel::colorMapping()
{
    panelColor = colorTheme->entry(1, skinMode);
    stepArea.setSkinMode(skinMode);
    ctrlPanel.setSkinMode(skinMode);
    zu::global::recolourCaption(titleLabel, panelColor, juce::Colour(0xffb0b0b0));
    powerButton.setColour(juce::TextButton::buttonOnColourId, panelColor);
    powerButton.setColour(juce::TextButton::buttonColourId, panelColor);
    powerButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff101010));
    powerButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffe0e0e0));
    trackButton.getProperties().set(ZuStyle::bgcolor, panelColor.toString());
    trackButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffe0e0e0));
    trackButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff909090));
    trackButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffa0a0a0));
    trackButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff202020));
    repaint();
}

void ChainerMainPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChainerMainPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int m = juce::jlimit(1, 14, (int) ((float) h * 0.06f));
    const int W = juce::jmax(w - 2 * m, 0), H = juce::jmax(h - 2, 0);
    const int A = juce::jmin(W, (int) ((float) W * 0.21f));
    const int B = juce::jmin(W - A, (int) ((float) A * 1.5f));
    const int M = W - A - B;

    const int T = juce::jmin(H, (int) ((float) H * 0.45f));
    const int d = (int) ((float) T * 0.1f);
    const int T2 = juce::jmax(T - 2 * d, 0), A2 = juce::jmax(A - 2, 0);
    const int L = juce::jmin(A2, (int) ((float) T2 * 1.1f));
    powerButton.setBounds(m + 1, 1 + d, L, T2);
    const int R = A2 - L;
    const int Wt = juce::jmin(R, (int) ((float) R * 0.41f));
    const int f = juce::jmin(Wt, (int) ((float) Wt * 0.1f));
    const int e = (int) ((float) T2 * 0.11f);
    trackButton.setBounds(m + 1 + A2 - Wt + f, 1 + d + e, juce::jmax(Wt - f, 0), juce::jmax(T2 - 2 * e, 0));
    titleLabel.setBounds(m + 1 + L, 1 + d, R - Wt, T2);

    const int k = juce::jlimit(1, 12, (int) ((float) (H - T) * 0.18f));
    ctrlPanel.setBounds(m, 1 + T + k, A, juce::jmax(H - T - 2 * k, 0));

    const int g = juce::jmin(M, (int) ((float) M * 0.035f));
    stepArea.setBounds(m + A + g, 1, M - g, H);

    targetPanel.setBounds(m + W - B + 1, 2, juce::jmax(B - 2, 0), juce::jmax(H - 2, 0));
}
