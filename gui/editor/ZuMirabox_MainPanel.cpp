// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_MainPanel.h"

ZuMirabox_MainPanel::ZuMirabox_MainPanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree mainTree,
                                         juce::ValueTree paramTree, juce::ValueTree midiMapTree,
                                         MirabelGlobalData& globalData, CtrPtchSqData& pitchData, LfoData& lfoData,
                                         ScaleData& scaleData, ChordData& chordData, juce::Value modPolValue,
                                         juce::Value indctSrcValue)
    : centerContainer(parameters, mainTree, paramTree, globalData, scaleData, chordData, pitchData, lfoData),
      bottomPanel(parameters, mainTree, paramTree, midiMapTree, globalData, lfoData, scaleData, modPolValue,
                  indctSrcValue),
      menuPanel(paramTree)
{
    addAndMakeVisible(separator);
    separator.setFill(juce::FillType(juce::Colours::black));
    addAndMakeVisible(centerContainer);
    addAndMakeVisible(bottomPanel);
    addAndMakeVisible(tooltipPanel);
    addAndMakeVisible(menuPanel);

    setUpSwitch(muteButton, "MUTE", "Mute");
    setUpSwitch(thruButton, "THRU", "Midi thru");
    muteButton.paramId = "global_mute";
    thruButton.paramId = "midithru";
    setUpSwitch(chLockButton, "CH LOCK",
                "Midi CH Lock, if active, the Midi channel of each track will not be affected by a preset change.");
    muteAttachment =
        std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(parameters, "p0_midimute", muteButton);
    thruAttachment =
        std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(parameters, "p0_midithru", thruButton);
    ZuParamAttacher::attachToButton(paramTree, "p0_midichlock", false, chLockButton);

    addAndMakeVisible(midiLabel);
    midiLabel.setText("MIDI", juce::dontSendNotification);
    midiLabel.setLookAndFeel(&labelLookAndFeel.get());
    midiLabel.setEditable(false, false, false);
    midiLabel.getProperties().set("fontsize", (double) 0.99f);
    midiLabel.setJustificationType(juce::Justification::centred);
    midiLabel.setColour(juce::Label::backgroundColourId, colorTheme->entry(0, skinMode));
    midiLabel.setColour(juce::Label::textColourId, juce::Colour(0xffa0a0a0));

    // The units and the scale page take the loaded scale and chords once the
    // window has settled.
    juce::Component::SafePointer<ZuMirabox_MainPanel> self(this);
    juce::Timer::callAfterDelay(firstSettingsDelayMs,
                                [self]
                                {
                                    if (auto* panel = self.getComponent())
                                    {
                                        panel->scaleParamChanged();
                                        panel->chordParamChanged();
                                    }
                                });
}

ZuMirabox_MainPanel::~ZuMirabox_MainPanel()
{
    removeAllChildren();
    stopTimer(chordWindowTimer);
    muteAttachment.reset();
    thruAttachment.reset();
    for (juce::TextButton* button : std::initializer_list<juce::TextButton*>{&muteButton, &thruButton, &chLockButton})
        button->setLookAndFeel(nullptr);
    midiLabel.setLookAndFeel(nullptr);
}

void ZuMirabox_MainPanel::setUpSwitch(juce::TextButton& button, const juce::String& text, const juce::String& tooltip)
{
    const auto background = colorTheme->entry(0, skinMode);
    addAndMakeVisible(button);
    button.setButtonText(text);
    button.setTooltip(tooltip);
    button.setLookAndFeel(&midiButtonLookAndFeel.get());
    button.setClickingTogglesState(true);
    button.getProperties().set("bgcolor", background.toString());
    button.setColour(juce::TextButton::buttonOnColourId, background);
    button.setColour(juce::TextButton::buttonColourId, background);
    button.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff000000));
    button.setColour(juce::TextButton::textColourOnId, colorTheme->highlightTextColor);
    button.getProperties().set("fontsize", (double) 0.7f);
}

void ZuMirabox_MainPanel::resized()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY(), W = b.getWidth(), H = b.getHeight();

    const int t = juce::jmin(H, (int) ((float) H * 0.0415f));
    const int contentW = juce::jmax(W - 4, 0), contentH = juce::jmax(t - 1, 0);
    const int m = juce::jmin((int) (4.3f * (float) contentH), contentW);
    const int l = (int) (0.35f * (float) contentH);
    midiLabel.setBounds(x + 2, y + 1, m, l);

    const juce::Rectangle<int> row(x + 2, y + 1 + l + 1, m, juce::jmax(contentH - l - 1, 0));
    int left = m;
    const int muteW = juce::jmin((int) (0.3f * (float) m), left);
    left -= muteW;
    const int thruW = juce::jmin(muteW, left);
    left -= thruW;
    muteButton.setBounds(row.withWidth(muteW).reduced(1));
    thruButton.setBounds(row.withX(row.getX() + muteW).withWidth(thruW).reduced(1));
    chLockButton.setBounds(row.withX(row.getX() + muteW + thruW).withWidth(left).reduced(1));

    const int stripW = juce::jmax(contentW - m - 2, 0);
    const int inset = (int) (0.07f * (float) stripW);
    menuPanel.setBounds(x + 2 + m + inset, y + 1, juce::jmax(stripW - 2 * inset, 0), contentH);

    const int s = (int) (0.03f * (float) (H - t));
    tooltipPanel.setBounds(x, y + H - s, W, s);

    int top = y + t + 1;
    const int centerH = (int) (0.87f * (float) juce::jmax(y + H - s - top, 0));
    centerContainer.setBounds(juce::Rectangle<int>(x, top, W, centerH).reduced(1));
    top += centerH;

    const int separatorH = juce::jlimit(1, 18, (int) (0.09f * (float) juce::jmax(y + H - s - top, 0)));
    const juce::Rectangle<int> separatorArea(x, top, W, separatorH);
    juce::Path band;
    band.addRectangle(separatorArea.toFloat());
    separator.setPath(band);
    const auto colour = colorTheme->entry(2, skinMode);
    const float centreX = separatorArea.toFloat().getCentreX();
    separator.setFill(
        juce::FillType(juce::ColourGradient(colour, centreX, (float) separatorArea.getY(), colour.brighter(0.1f),
                                            centreX, (float) separatorArea.getBottom(), false)));
    top += separatorH;

    bottomPanel.setBounds(juce::Rectangle<int>(x, top, W, juce::jmax(y + H - s - top, 0)).reduced(1));
}

void ZuMirabox_MainPanel::timerCallback(int timerId)
{
    if (timerId != chordWindowTimer)
        return;
    stopTimer(chordWindowTimer);
    bottomPanel.mainPagePanel.checkChordEditWndw();
}

void ZuMirabox_MainPanel::colorMapping()
{
    centerContainer.setSkinMode(skinMode);
    bottomPanel.setSkinMode(skinMode);
    panelColor = colorTheme->entry(0, skinMode);
    repaint();
}

void ZuMirabox_MainPanel::presetIsChanged()
{
    ++numPresetChanges;
    centerContainer.presetIsChanged();
    bottomPanel.presetIsChanged();
    centerContainer.getCenterContent()->chordParamChanged();
    startTimer(chordWindowTimer, chordWindowDelayMs);
}

void ZuMirabox_MainPanel::initAllTriggered()
{
    bottomPanel.initAllTriggered();
}

void ZuMirabox_MainPanel::scaleParamChanged()
{
    ++numScaleUpdates;
    centerContainer.getCenterContent()->scaleParamChanged();
    bottomPanel.mainPagePanel.scaleParamChanged();
}

void ZuMirabox_MainPanel::chordParamChanged()
{
    centerContainer.getCenterContent()->chordParamChanged();
}

void ZuMirabox_MainPanel::closeModFloatWndw()
{
    bottomPanel.closeModFloatWndw();
}

void ZuMirabox_MainPanel::closeChordFloatWndw()
{
    bottomPanel.mainPagePanel.closeChordFloatWndw();
}
