// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChordPanel.h"

#include "ZuConvert.h"
#include "ZuParamAttacher.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

namespace
{
int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}
} // namespace

ChordPanel::ChordPanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree guiTree,
                       juce::ValueTree paramTree)
    : targetPanel(parameters), chordEditPanel(parameters, paramTree),
      window("Test", juce::Colour(0xff505050), guiTree, 1, false), guiState(guiTree)
{
    baseColor = themeColour(colorTheme->panelBgColor);
    addAndMakeVisible(targetPanel);

    window.heightFactorId = heightFactorId;
    window.xFactorId = xFactorId;
    window.yFactorId = yFactorId;
    window.isChordWindow = true;
    window.setComponentID(windowId);
    chordEditPanel.setSize(100, 100);
    window.setContentNonOwned(&chordEditPanel, false);
    window.setDraggable(true);
    window.setUsingNativeTitleBar(false);
    window.setTitleBarButtonsRequired(juce::DocumentWindow::closeButton, true);
    window.setResizable(true, true);
    window.setResizeLimits(1, 1, 1 << 16, 1 << 16);
    window.getConstrainer()->setFixedAspectRatio(windowAspect);
    window.setTitleBarHeight(titleBarHeight);

    zu::tools::styleSectionTitle(*this, titleLabel, labelLook.get(), baseColor, colorTheme->ccUnitColor[0], 0.88f);
    titleLabel.setText("Chord", juce::dontSendNotification);
    zu::tools::styleSectionTitle(*this, targetsLabel, labelLook.get(), baseColor, colorTheme->ccUnitColor[0], 1.05f);
    targetsLabel.setText("Targets", juce::dontSendNotification);

    zu::tools::stylePowerButton(*this, powerButton, powerLook.get(), "Toggles the chord trigger on/off", 0.85f,
                                baseColor);
    powerAttachment =
        std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(parameters, "p9_chord_pwr", powerButton);
    powerButton.onClick = [this] { onoffStateChanged(); };

    addAndMakeVisible(openButton);
    openButton.setLookAndFeel(&openLook.get());
    zu::tools::noFocus(openButton);
    openButton.setButtonText("OPEN");
    openButton.setTooltip("Open/close the chord edit panel");
    openButton.setClickingTogglesState(true);
    ZuStyle::setColour(openButton, ZuStyle::bgcolor, themeColour(colorTheme->unitAreaBgColor));
    ZuStyle::setReal(openButton, ZuStyle::fontsize, 0.8f);
    ZuStyle::setReal(openButton, ZuStyle::corner, 2.0f);
    openButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
    openButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff505050));
    openButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
    openButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    ZuParamAttacher::attachToButton(guiState, "chord_edit", false, openButton);
    openButton.getToggleStateValue().addListener(this);

    // A state saved with the window shown shows it again, once the editor
    // around this section is built.
    juce::Component::SafePointer<ChordPanel> self(this);
    juce::Timer::callAfterDelay(delayedOpenMs,
                                [self]
                                {
                                    if (auto* panel = self.getComponent();
                                        panel != nullptr && panel->openButton.getToggleState())
                                        panel->openChordFloatWndw();
                                });

    const bool power = powerButton.getToggleState();
    targetPanel.setEnabled(power);
    openButton.setEnabled(power);
}

ChordPanel::~ChordPanel()
{
    openButton.getToggleStateValue().removeListener(this);
    powerAttachment.reset();
}

juce::Component* ChordPanel::shownWindowIn(juce::Component& editor) const
{
    return editor.findChildWithID(windowId);
}

bool ChordPanel::isWindowShown() const
{
    auto* editor = zu::tools::editorOf(*this);
    return editor != nullptr && shownWindowIn(*editor) != nullptr;
}

void ChordPanel::valueChanged(juce::Value&)
{
    if (openButton.getToggleState())
        openChordFloatWndw();
    else
        closeChordFloatWndw();
}

void ChordPanel::onoffStateChanged()
{
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->chordParamChanged();
    const bool power = powerButton.getToggleState();
    targetPanel.setEnabled(power);
    openButton.setEnabled(power);
    if (!power && openButton.getToggleState())
        closeChordFloatWndw();
}

void ChordPanel::openChordFloatWndw()
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;
    // A shown window stays: the delayed open, a state load and OPEN all mean
    // "shown", so none of them may hide it.
    if (shownWindowIn(*editor) != nullptr)
        return;

    const float heightFactor = juce::jlimit(0.1f, 0.9f, zu::readFloatProperty(guiState, heightFactorId, 0.35f));
    const float px = zu::readFloatProperty(guiState, xFactorId, -1.0f);
    const float py = zu::readFloatProperty(guiState, yFactorId, -1.0f);

    const int W = editor->getLocalBounds().getWidth(), H = editor->getLocalBounds().getHeight();
    const int wh = juce::jmax(0, trunc(heightFactor * (float) H));
    const int ww = zu::toIntSaturating(std::nearbyint((double) wh * windowAspect));
    const int maxX = W - ww, maxY = H - wh;
    int x = 0, y = 0;
    if (px == -1.0f || py == -1.0f)
    {
        x = maxX - trunc(0.03f * (float) ww);
        y = maxY - trunc(0.06f * (float) wh);
    }
    else
    {
        x = trunc(px * (float) W);
        y = trunc(py * (float) H);
        x = x < 0 ? 0 : juce::jmin(x, maxX);
        y = y < 0 ? 0 : juce::jmin(y, maxY);
    }

    window.setResizeLimits(trunc(0.18f * (float) W), trunc(0.18f * (float) H), trunc(0.9f * (float) W),
                           trunc(0.9f * (float) H));
    windowBounds = {x, y, ww, wh};
    window.setBounds(windowBounds);
    window.setName({});
    editor->addAndMakeVisible(window);
    window.toFront(false);
}

void ChordPanel::closeChordFloatWndw()
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor != nullptr)
        if (auto* shown = shownWindowIn(*editor))
            editor->removeChildComponent(shown);
    if (openButton.getToggleState())
        openButton.setToggleState(false, juce::sendNotification);
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->centerContainer.setKeyboardFocusToTabPanel();
    zu::tools::setChordNoteTarget(*this, -1);
}

void ChordPanel::checkChordEditWndw()
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;
    const bool shown = shownWindowIn(*editor) != nullptr;
    const bool open = openButton.getToggleState();
    if (shown && !open)
        closeChordFloatWndw();
    else if (!shown && open)
        openChordFloatWndw();
}

void ChordPanel::colorMapping()
{
    baseColor = themeColour(colorTheme->panelBgColor);
    chordEditPanel.setSkinMode(skinMode);
    targetPanel.setSkinMode(skinMode);
    zu::tools::recolourSectionHeader(titleLabel, targetsLabel, powerButton, baseColor);
    ZuStyle::setColour(openButton, ZuStyle::bgcolor, baseColor);
    openButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
    openButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff858585));
    openButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff9a9a9a));
    openButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    repaint();
}

void ChordPanel::resized()
{
    // Sizes never go below 0: juce::Rectangle's reduced and removeFrom...
    // clamp them.
    const auto area = getLocalBounds().reduced(1);

    auto rest = area;
    const int lw = trunc(0.55f * (float) area.getWidth());
    auto column = rest.removeFromLeft(lw);
    const int g = juce::jlimit(1, 12, trunc(0.05f * (float) lw));
    column = column.reduced(g, 1);

    auto header = column.removeFromTop(trunc(0.29f * (float) column.getHeight()));
    powerButton.setBounds(
        header.removeFromLeft(juce::jmin(header.getWidth(), trunc(1.1f * (float) header.getHeight()))));
    titleLabel.setBounds(header);
    column.removeFromTop(juce::jmin(1, column.getHeight()));
    const int openH = juce::jlimit(1, 8, trunc(0.1f * (float) column.getWidth()));
    const int openV = juce::jlimit(2, 12, trunc(0.2f * (float) column.getHeight()));
    openButton.setBounds(column.reduced(openH, openV));

    const int rw = rest.getWidth();
    rest.removeFromLeft(juce::jmin(rw, juce::jlimit(2, 12, trunc(0.05f * (float) rw))));
    const int v = juce::jlimit(2, 12, trunc(0.08f * (float) area.getHeight()));
    auto right = rest.reduced(1, v);
    auto titleArea = right.removeFromTop(trunc(0.24f * (float) right.getHeight()));
    targetsLabel.setBounds(titleArea.withTrimmedBottom(1));
    right.removeFromTop(trunc(0.09f * (float) right.getHeight()));
    targetPanel.setBounds(
        right.reduced(trunc(0.11f * (float) right.getWidth()), trunc(0.05f * (float) right.getHeight())));
}
