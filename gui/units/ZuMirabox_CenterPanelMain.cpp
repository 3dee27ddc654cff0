// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_CenterPanelMain.h"

#include "ZuConvert.h"

namespace
{
juce::Rectangle<int> roundedRect(float x, float y, float w, float h)
{
    return {juce::roundToInt(x), juce::roundToInt(y), juce::roundToInt(w), juce::roundToInt(h)};
}

// The view's top as a fraction of the visible height.
float viewFraction(const juce::Viewport& viewport)
{
    return (float) viewport.getViewPositionY() / juce::jmax((float) viewport.getViewHeight(), 10.0f);
}
} // namespace

//==============================================================================

void MyViewport::visibleAreaChanged(const juce::Rectangle<int>&)
{
    if (!suppressWrites)
        updateVt();
}

void MyViewport::mouseWheelMove(const juce::MouseEvent&, const juce::MouseWheelDetails&) {}

void MyViewport::updateVt()
{
    if (guiTree.isValid())
        guiTree.setProperty("c_scl_p", (double) viewFraction(*this), nullptr);
}

void CustomScrollbar::mouseWheelMove(const juce::MouseEvent& e, const juce::MouseWheelDetails& wheel)
{
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
        container->getViewport().getVerticalScrollBar().mouseWheelMove(e, wheel);
}

//==============================================================================

ZuMirabox_CenterPanelMain::ZuMirabox_CenterPanelMain(juce::AudioProcessorValueTreeState& state, juce::ValueTree gui,
                                                     juce::ValueTree paramTree, MirabelGlobalData& globalData,
                                                     ScaleData& scaleData, ChordData& chordData,
                                                     CtrPtchSqData& pitchData, LfoData& lfoData)
    : quickBar(gui), content(state, gui, paramTree, globalData, scaleData, chordData, pitchData, lfoData), guiTree(gui)
{
    viewport.guiTree = gui;
    panelColor = colorTheme->entry(2, skinMode);

    addAndMakeVisible(topBarBackground);
    topBarBackground.toBack();
    topBarBackground.setFill(colorTheme->entry(1, skinMode));
    addAndMakeVisible(quickBar);
    addAndMakeVisible(viewport);

    viewport.suppressWrites = true;
    viewport.setViewedComponent(&content, false);
    viewport.setScrollBarsShown(true, false);
    viewport.setScrollOnDragMode(juce::Viewport::ScrollOnDragMode::never);
    setUpBar(rightBar(), "right");
    addAndMakeVisible(leftBar);
    setUpBar(leftBar, "left");

    setUpButton(editOrderButton, "0", "Turn on this and you can edit the unit order");
    setUpButton(scrollbarButton, "1", "Show/Hide the scrollbar");
    scrollbarButton.setToggleState(true, juce::dontSendNotification);

    editOrderButton.onClick = [this]
    {
        quickBar.setEditMode(editOrderButton.getToggleState());
        if (!editOrderButton.getToggleState())
            focusViewport();
    };
    scrollbarButton.onClick = [this] { resized(); };

    juce::Component::SafePointer<ZuMirabox_CenterPanelMain> self(this);
    juce::Timer::callAfterDelay(500,
                                [self]
                                {
                                    if (auto* container = self.getComponent())
                                        container->unitLabelChanged();
                                });
    juce::Timer::callAfterDelay(100,
                                [self]
                                {
                                    if (auto* container = self.getComponent())
                                        container->focusViewport();
                                });
}

ZuMirabox_CenterPanelMain::~ZuMirabox_CenterPanelMain()
{
    stopTimer(syncTimer);
    rightBar().removeListener(this);
    leftBar.removeListener(this);
    rightBar().setLookAndFeel(nullptr);
    leftBar.setLookAndFeel(nullptr);
    editOrderButton.setLookAndFeel(nullptr);
    scrollbarButton.setLookAndFeel(nullptr);
}

void ZuMirabox_CenterPanelMain::setUpBar(juce::ScrollBar& bar, const juce::String& name)
{
    bar.setAutoHide(false);
    bar.setLookAndFeel(&baseLookAndFeel.get());
    bar.setColour(juce::ScrollBar::thumbColourId, juce::Colour(0xffa8a8a8));
    bar.setColour(juce::ScrollBar::backgroundColourId, colorTheme->entry(2, skinMode).brighter(0.1f));
    bar.addListener(this);
    bar.setName(name);
}

void ZuMirabox_CenterPanelMain::setUpButton(juce::TextButton& button, const juce::String& name,
                                            const juce::String& tooltip)
{
    const auto colour = colorTheme->entry(2, skinMode);
    addAndMakeVisible(button);
    button.setName(name);
    button.setLookAndFeel(&buttonLookAndFeel.get());
    button.setClickingTogglesState(true);
    button.setTooltip(tooltip);
    button.getProperties().set("fontsize", (double) 0.91f);
    button.getProperties().set("bgcolor", colour.toString());
    button.getProperties().set("outlinecolor", juce::Colour(0xff101010).toString());
    button.setColour(juce::TextButton::buttonColourId, colour);
    button.setColour(juce::TextButton::buttonOnColourId, colour);
    button.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff656565));
    button.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffffffff));
}

void ZuMirabox_CenterPanelMain::focusViewport()
{
    if (viewport.isShowing())
        viewport.grabKeyboardFocus();
}

void ZuMirabox_CenterPanelMain::presetIsChanged()
{
    content.loadPanelStateFromVt();
    focusViewport();
}

void ZuMirabox_CenterPanelMain::setKeyboardFocusToTabPanel()
{
    focusViewport();
}

void ZuMirabox_CenterPanelMain::unitLabelChanged()
{
    quickBar.unitLabelChanged();
}

void ZuMirabox_CenterPanelMain::updateQuickBar()
{
    std::vector<int> order;
    content.getUnitOrderList(order);
    quickBar.update(order);
}

void ZuMirabox_CenterPanelMain::quickAccessButtonClicked(int unitId)
{
    const int viewY = viewport.getViewPositionY();
    int y = content.getForcustYpos(unitId, viewY, viewY + (int) (0.5f * (float) viewport.getViewHeight()), 0) -
            content.slotPitch;
    y = juce::jmax(y, 0);
    y = juce::jmin(y, zu::toIntSaturating(rightBar().getMaximumRangeLimit()));
    if (y >= 0)
        viewport.setViewPosition(viewport.getViewPositionX(), y);
    updateScrollPosVt();
}

void ZuMirabox_CenterPanelMain::recallCenterPanelPos()
{
    if (guiTree.isValid())
    {
        const float f = guiTree.getProperty("c_scl_p", 0.0).toString().getFloatValue();
        const int y = juce::jmin(zu::toIntSaturating((double) ((float) rightBar().getHeight() * f)),
                                 zu::toIntSaturating(rightBar().getMaximumRangeLimit()));
        if (y >= 0)
            viewport.setViewPosition(viewport.getViewPositionX(), y);
    }
    viewport.suppressWrites = false;
}

void ZuMirabox_CenterPanelMain::updateScrollPosVt()
{
    if (guiTree.isValid())
        guiTree.setProperty("c_scl_p", (double) viewFraction(viewport), nullptr);
}

void ZuMirabox_CenterPanelMain::resized()
{
    ++numLayouts;
    const float p = viewFraction(viewport);
    const auto b = getLocalBounds().toFloat();
    const float x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();

    const float t = juce::jmin(2.0f, h);
    const float hf = h - t;
    const float y0 = y + t;
    const float barH = juce::jmin(juce::jmax(0.045f * hf, 18.0f), hf);
    juce::Path background;
    background.addRectangle(x, y0, w, barH);
    topBarBackground.setPath(background);

    const float m = barH >= 6.25f ? juce::jmin(6.0f, 0.16f * barH) : 1.0f;
    quickBar.setBounds(
        roundedRect(x + 0.05f * w, y0 + m, juce::jmax(0.0f, w - 0.1f * w), juce::jmax(0.0f, barH - 2.0f * m)));
    const float s = juce::jmax(0.0f, 1.1f * barH);
    const float qx = (float) quickBar.getX(), qw = (float) quickBar.getWidth();
    const float bw = juce::jmax(0.0f, s - 4.0f), bh = juce::jmax(0.0f, barH - 4.0f);
    editOrderButton.setBounds(roundedRect(qx + 2.0f - 1.5f * s, y0 + 2.0f, bw, bh));
    scrollbarButton.setBounds(roundedRect(qx + qw + 2.0f + 0.5f * s, y0 + 2.0f, bw, bh));

    float top = y0 + barH;
    float restH = hf - barH;
    const float strip = juce::jmin(2.0f, restH);
    top += strip;
    restH -= strip;

    float sbW = 0.0f;
    int contentH = 0;
    if (scrollbarButton.getToggleState())
    {
        sbW = juce::jmax(4.0f, 0.02f * restH);
        contentH = content.calcChildBounds(roundedRect(x, top, juce::jmax(0.0f, w - 2.0f * sbW), restH));
        const float barW = juce::jmin(sbW, w);
        const float g = juce::jmin(1.0f, w - barW);
        leftBar.setBounds(roundedRect(x, top, barW, restH));
        leftBar.setVisible(true);
        viewport.setScrollBarsShown(true, false);
        viewport.setBounds(roundedRect(x + barW + g, top, w - barW - g, restH));
        viewport.setScrollBarThickness((int) sbW);
        viewport.setSingleStepSizes(0, (int) (0.2f * restH));
    }
    else
    {
        contentH = content.calcChildBounds(roundedRect(x, top, w, restH));
        leftBar.setVisible(false);
        viewport.setScrollBarsShown(false, false);
        viewport.setBounds(roundedRect(x, top, w, restH));
        viewport.setScrollBarThickness(0);
    }

    const int viewW = viewport.getWidth();
    content.setSize(viewW - juce::jmin((int) sbW, viewW), juce::roundToInt(juce::jmax(0.0f, (float) contentH - 1.0f)));
    viewport.setViewPosition(viewport.getViewPositionX(), (int) ((float) viewport.getViewHeight() * p));
    startTimer(syncTimer, syncDelayMs);
}

void ZuMirabox_CenterPanelMain::timerCallback(int timerId)
{
    if (timerId != syncTimer)
        return;
    stopTimer(syncTimer);
    if (!leftBar.isVisible())
        return;
    auto& right = rightBar();
    leftBar.setRangeLimits(right.getRangeLimit(), juce::sendNotificationAsync);
    leftBar.setCurrentRange(right.getCurrentRange(), juce::sendNotificationAsync);
    leftBar.setCurrentRangeStart(right.getCurrentRangeStart(), juce::sendNotificationAsync);
}

void ZuMirabox_CenterPanelMain::scrollBarMoved(juce::ScrollBar* bar, double newRangeStart)
{
    if (bar == nullptr)
        return;
    if (bar->getName() == "left")
        rightBar().setCurrentRangeStart(newRangeStart, juce::sendNotification);
    else if (bar->getName() == "right")
        leftBar.setCurrentRangeStart(newRangeStart, juce::dontSendNotification);
}

void ZuMirabox_CenterPanelMain::colorMapping()
{
    const auto c1 = colorTheme->entry(1, skinMode);
    panelColor = colorTheme->entry(2, skinMode);
    topBarBackground.setFill(c1);
    quickBar.setSkinMode(skinMode);
    for (auto* button : {&editOrderButton, &scrollbarButton})
    {
        button->getProperties().set("bgcolor", c1.toString());
        button->setColour(juce::TextButton::buttonOnColourId, c1);
        button->setColour(juce::TextButton::buttonColourId, c1);
        button->setColour(juce::TextButton::textColourOffId, c1.darker(0.9f));
    }
    content.setSkinMode(skinMode);
    repaint();
}
