// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScalePanel.h"

#include "ZuConvert.h"
#include "ZuParamAttacher.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}
} // namespace

ScalePanel::ScalePanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree guiTree,
                       juce::ValueTree paramTree, MirabelGlobalData& globalData, ScaleData& scaleData)
    : type1Panel(parameters, guiTree, paramTree, globalData, scaleData), targetPanel(parameters)
{
    baseColor = themeColour(colorTheme->panelBgColor);
    addAndMakeVisible(modeSelector);
    modeSelector.setAttachment(parameters, "p8_scale_type");
    addAndMakeVisible(orderSelector);
    orderSelector.setAttachment(parameters, "p8_scale_order");
    addAndMakeVisible(type1Panel);
    addAndMakeVisible(targetPanel);

    zu::tools::styleSectionTitle(*this, titleLabel, labelLook.get(), baseColor, colorTheme->ccUnitColor[0], 0.83f);
    titleLabel.setText("Scale", juce::dontSendNotification);
    zu::tools::styleSectionTitle(*this, targetsLabel, labelLook.get(), baseColor, colorTheme->ccUnitColor[0], 0.98f);
    targetsLabel.setText("Targets", juce::dontSendNotification);

    zu::tools::stylePowerButton(*this, powerButton, powerLook.get(), "Toggle the scale fx on/off", 0.9f, baseColor);
    powerAttachment =
        std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(parameters, "p8_scale_pwr", powerButton);
    powerButton.onClick = [this] { onoffButtonClicked(); };
    onoffButtonClicked();

    addAndMakeVisible(lockButton);
    lockButton.setLookAndFeel(&lockLook.get());
    zu::tools::noFocus(lockButton);
    lockButton.setButtonText("LOCK");
    lockButton.setClickingTogglesState(true);
    lockButton.setTooltip("Locks the scale parameters, it will not be affected by a preset change");
    ZuStyle::setReal(lockButton, ZuStyle::fontsize, 0.96f);
    ZuStyle::setColour(lockButton, ZuStyle::bgcolor, baseColor);
    ZuStyle::setColour(lockButton, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
    lockButton.setColour(juce::TextButton::buttonOnColourId, themeColour(colorTheme->ccRackUnitColor));
    lockButton.setColour(juce::TextButton::buttonColourId, themeColour(colorTheme->unitAreaBgColor));
    lockButton.setColour(juce::TextButton::textColourOffId, themeColour(colorTheme->stepButtonTextOffColor));
    lockButton.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->buttonTextOnColor));
    ZuParamAttacher::attachToButton(paramTree, "p0_scalelock", false, lockButton);
}

ScalePanel::~ScalePanel()
{
    powerAttachment.reset();
}

void ScalePanel::onoffButtonClicked()
{
    const bool power = powerButton.getToggleState();
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&modeSelector, &orderSelector, &targetPanel, &type1Panel})
        c->setEnabled(power);
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->scaleParamChanged();
}

void ScalePanel::presetIsChanged()
{
    type1Panel.startTimer(ScaleType1Panel::refreshTimer, ScaleType1Panel::refreshDelayMs);
    type1Panel.startTimer(ScaleType1Panel::notifyTimer, ScaleType1Panel::presetDelayMs);
}

void ScalePanel::initAllTriggered()
{
    type1Panel.initialize();
}

void ScalePanel::scaleParamChanged()
{
    type1Panel.scaleParamChanged();
}

void ScalePanel::paint(juce::Graphics& g)
{
    g.fillAll(baseColor);
}

void ScalePanel::colorMapping()
{
    baseColor = themeColour(colorTheme->panelBgColor);
    for (ZuGuiBase* child : std::initializer_list<ZuGuiBase*>{&modeSelector, &orderSelector, &targetPanel, &type1Panel})
        child->setSkinMode(skinMode);
    zu::tools::recolourSectionHeader(titleLabel, targetsLabel, powerButton, baseColor);
    ZuStyle::setColour(lockButton, ZuStyle::bgcolor, baseColor);
    ZuStyle::setColour(lockButton, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
    lockButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xff202020));
    lockButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff202020));
    lockButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
    lockButton.setColour(juce::TextButton::textColourOnId, colorTheme->highlightTextColor);
    repaint();
}

void ScalePanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const int mx = juce::jlimit(2, 12, trunc(0.027f * (float) W));
    const auto area = getLocalBounds().reduced(mx, 1);

    auto left = area.withWidth(trunc(0.185f * (float) area.getWidth()));
    const int lw = left.getWidth();
    const int th = trunc(0.28f * (float) area.getHeight());
    auto header = left.removeFromTop(th);
    auto power = header.removeFromLeft(juce::jmin(lw, trunc(1.05f * (float) th)));
    powerButton.setBounds(power.reduced(juce::jlimit(1, 6, trunc(0.1f * (float) th))));
    titleLabel.setBounds(header.withTrimmedLeft(2));

    left.removeFromTop(trunc(0.05f * (float) left.getHeight()));
    left.removeFromTop(juce::jlimit(2, 12, trunc(0.15f * (float) th)));
    lockButton.setBounds(left.removeFromTop(trunc(0.28f * (float) left.getHeight())));
    left.removeFromTop(juce::jlimit(2, 18, trunc(0.25f * (float) th)));
    const int orderInset = trunc(0.08f * (float) th);
    const int orderTop = left.getY();
    orderSelector.setBounds(
        juce::Rectangle<int>(left.getX(), orderTop, lw, juce::jmax(0, H - orderTop)).reduced(0, orderInset));

    const int rw = area.getWidth() - lw;
    const int mw = trunc(0.78f * (float) rw);
    auto middle = juce::Rectangle<int>(area.getX() + lw, area.getY(), mw, area.getHeight());
    middle.removeFromLeft(juce::jmin(juce::jlimit(2, 12, trunc(0.1f * (float) mw)), mw));
    type1Panel.setBounds(middle.reduced(1, 0));

    const int rightX = area.getX() + lw + mw;
    auto right = juce::Rectangle<int>(rightX, 2, juce::jmax(0, W - rightX), juce::jmax(0, H - 4)).reduced(1, 0);
    right.removeFromLeft(juce::jmin(juce::jlimit(2, 12, trunc(0.05f * (float) right.getWidth())), right.getWidth()));
    targetsLabel.setBounds(right.removeFromTop(trunc(0.25f * (float) right.getHeight())));
    right.removeFromTop(trunc(0.1f * (float) right.getHeight()));
    targetPanel.setBounds(
        right.reduced(trunc(0.16f * (float) right.getWidth()), trunc(0.08f * (float) right.getHeight())));
}
