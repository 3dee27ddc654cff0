// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPitchSeq_CtrlPanel2.h"

CenterPitchSeq_CtrlPanel2::CenterPitchSeq_CtrlPanel2(int unitType, int unitInstance, juce::ValueTree guiTree)
    : instance(unitInstance), setAllPanel(unitType, unitInstance, guiTree), rndPanel(unitType, unitInstance, guiTree)
{
    addAndMakeVisible(separator);
    separator.setInterceptsMouseClicks(false, false);
    separator.toBack();
    baseColor = colorTheme->entry(31, skinIndex);
    addAndMakeVisible(setAllPanel);
    addAndMakeVisible(rndPanel);

    const auto entry = [this](int e) { return colorTheme->entry(e, skinIndex); };
    const char* texts[] = {"SetAll", "Randomize"};
    juce::Label* captions[] = {&setAllCaption, &randomizeCaption};
    for (size_t i = 0; i < 2; ++i)
    {
        auto& caption = *captions[i];
        addAndMakeVisible(caption);
        caption.setLookAndFeel(&labelLook.get());
        caption.getProperties().set("bgcolor", entry(2).toString());
        caption.getProperties().set("fontsize", 0.95);
        caption.setColour(juce::Label::backgroundColourId, entry(2));
        caption.setColour(juce::Label::textColourId, entry(36));
        caption.setJustificationType(juce::Justification::centred);
        caption.setText(texts[i], juce::dontSendNotification);
    }
}

CenterPitchSeq_CtrlPanel2::~CenterPitchSeq_CtrlPanel2()
{
    setAllCaption.setLookAndFeel(nullptr);
    randomizeCaption.setLookAndFeel(nullptr);
}

void CenterPitchSeq_CtrlPanel2::setSkinMode(int skin, juce::Colour unitColour)
{
    skinIndex = skin;
    baseColor = colorTheme->entry(31, skinIndex);
    rndPanel.setSkinMode(skin);
    setAllPanel.setSkinMode(skin, unitColour);
    for (auto* caption : {&setAllCaption, &randomizeCaption})
    {
        caption->setColour(juce::Label::backgroundColourId, baseColor);
        caption->getProperties().set("bgcolor", baseColor.toString());
    }
    updateDrawable();
    repaint();
}

void CenterPitchSeq_CtrlPanel2::setAttachment(juce::AudioProcessorValueTreeState&, juce::String, bool) {}

void CenterPitchSeq_CtrlPanel2::updateDrawable()
{
    if (separatorPath.isEmpty())
        return;
    separator.setFill(colorTheme->entry(32, skinIndex));
    separator.setPath(separatorPath);
}

void CenterPitchSeq_CtrlPanel2::resized()
{
    const int w = getWidth(), h = getHeight();
    auto area = getLocalBounds().reduced(juce::jmax(2, (int) (0.03 * w)), juce::jmax(2, (int) (0.04 * h)));
    auto top = area.removeFromTop((int) (0.5 * area.getHeight()));
    const int g = juce::jmax(2, (int) (0.06 * area.getHeight()));
    const int gap = juce::jmin(g, top.getHeight());

    const float y = (float) (top.getBottom() - (int) (0.5 * g));
    separatorPath.clear();
    separatorPath.addLineSegment(juce::Line<float>(0.0f, y, (float) w, y), 0.5f);
    updateDrawable();

    top.removeFromBottom(gap);
    setAllCaption.setBounds(top.removeFromTop((int) (0.32 * top.getHeight())).reduced(1));
    setAllPanel.setBounds(top);
    rndPanel.setBounds(area.withTrimmedBottom(1));
}
