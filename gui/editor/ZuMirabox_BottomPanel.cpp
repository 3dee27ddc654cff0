// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuMirabox_BottomPanel.h"

#include "ZuGlobalPanelParts.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
constexpr int columnBgEntry = 2;
constexpr int pageBgEntry = 1;
} // namespace

BottomMenuButton::BottomMenuButton()
{
    currentIndex = 0;
    hiddenSlider.setSliderStyle(juce::Slider::LinearHorizontal);
    hiddenSlider.setTextBoxStyle(juce::Slider::NoTextBox, true, 0, 0);
    for (int i = 0; i < numPages; ++i)
    {
        auto& button = buttons[(size_t) i];
        addAndMakeVisible(button);
        zu::global::keepFocusAway(button);
        button.setRadioGroupId(1000);
        button.setLookAndFeel(&buttonLook.get());
        button.setClickingTogglesState(true);
        auto& props = button.getProperties();
        props.set(ZuStyle::fontsize, 1.0);
        props.set(ZuStyle::fontface, "SemiBold");
        props.set("istextdisp", 1);
        props.set(ZuStyle::corner, 1.5);
        button.setButtonText(texts[(size_t) i]);
        props.set(ZuStyle::index, i);
        button.onClick = [this, &button] { buttonClicked(&button); };
    }
    colourButtons(juce::Colour(0xff7a7a7a));
    buttons[0].setConnectedEdges(juce::Button::ConnectedOnBottom);
    for (int i = 1; i < numPages - 1; ++i)
        buttons[(size_t) i].setConnectedEdges(juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom);
    buttons[numPages - 1].setConnectedEdges(juce::Button::ConnectedOnTop);
}

BottomMenuButton::~BottomMenuButton()
{
    stopTimer(pageTimer);
    hiddenSlider.getValueObject().removeListener(this);
    hiddenSlider.removeListener(this);
    for (auto& button : buttons)
        button.setLookAndFeel(nullptr);
}

void BottomMenuButton::colourButtons(juce::Colour textOff)
{
    const auto colour = colorTheme->entry(columnBgEntry, skinMode);
    for (auto& button : buttons)
    {
        ZuStyle::setColour(button, ZuStyle::bgcolor, colour);
        ZuStyle::setColour(button, ZuStyle::outlinecolor, colour);
        button.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffdddddd));
        button.setColour(juce::TextButton::buttonColourId, colour);
        button.setColour(juce::TextButton::textColourOffId, textOff);
        button.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff000000));
    }
}

void BottomMenuButton::setAttachment(juce::ValueTree& tree, juce::String id)
{
    attacher->attachToSlider(tree, id, 0.0f, {0.0, (double) (numPages - 1), 1.0}, hiddenSlider);
    currentIndex = juce::jlimit(0, numPages - 1, getSelectedValue());
    buttons[(size_t) currentIndex].setToggleState(true, juce::dontSendNotification);
    hiddenSlider.getValueObject().addListener(this);
    hiddenSlider.addListener(this);
}

void BottomMenuButton::buttonClicked(juce::Button* button)
{
    if (button == nullptr || !button->getToggleState())
        return;
    const int index = button->getProperties().getWithDefault(ZuStyle::index, 0);
    if (index != currentIndex && index >= 0)
    {
        currentIndex = index;
        hiddenSlider.setValue(index, juce::sendNotification);
    }
}

void BottomMenuButton::valueChanged(juce::Value&)
{
    startTimer(pageTimer, pageDelayMs);
}

void BottomMenuButton::sliderValueChanged(juce::Slider*)
{
    startTimer(pageTimer, pageDelayMs);
}

void BottomMenuButton::timerCallback(int)
{
    // A stored page beyond the column lights its nearest button.
    const int n = juce::jlimit(0, numPages - 1, getSelectedValue());
    if (n != currentIndex && getSelectedValue() >= 0)
    {
        currentIndex = n;
        buttons[(size_t) n].setToggleState(true, juce::dontSendNotification);
    }
    else if (getSelectedValue() < 0 && currentIndex != 0)
    {
        currentIndex = 0;
        buttons[0].setToggleState(true, juce::dontSendNotification);
    }
    stopTimer(pageTimer);
    if (auto* panel = findParentComponentOfClass<ZuMirabox_BottomPanel>())
        panel->menuButtonClicked();
}

void BottomMenuButton::colorMapping()
{
    panelColor = colorTheme->entry(columnBgEntry, skinMode);
    colourButtons(juce::Colour(0xff707070));
    repaint();
}

void BottomMenuButton::resized()
{
    const int w = getWidth(), h = getHeight();
    const int H = juce::jmax(h - 2, 0);
    const int bh = (int) ((float) H * 0.195f);
    const int y0 = 1 + (int) ((float) (H - numPages * bh) * 0.5f);
    for (int i = 0; i < numPages; ++i)
        buttons[(size_t) i].setBounds(2, y0 + i * bh, juce::jmax(w - 4, 0), bh);
}

//==============================================================================
ZuMirabox_BottomPanel::ZuMirabox_BottomPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree tree,
                                             juce::ValueTree paramTree, juce::ValueTree midiMapTree,
                                             MirabelGlobalData& globalData, LfoData& lfoData, ScaleData& scaleData,
                                             juce::Value modPolValue, juce::Value indctSrcValue)
    : floatModWindow("Test", juce::Colour(0xff505050), tree, 0, true),
      mainPagePanel(state, tree, paramTree, globalData, scaleData),
      modPagePanel(state, tree, globalData, lfoData, floatModWindow, modPolValue, indctSrcValue),
      settingsPagePanel(state, midiMapTree), chainerPagePanel(state, tree, paramTree, globalData), guiTree(tree)
{
    background.setOpaque(true);
    background.setBufferedToImage(true);
    background.setInterceptsMouseClicks(false, true);

    addAndMakeVisible(columnBackground);
    columnBackground.addAndMakeVisible(columnFill);
    columnBackground.addAndMakeVisible(columnOutline);
    columnBackground.toBack();
    const auto columnColour = colorTheme->entry(columnBgEntry, skinMode);
    columnFill.setFill(columnColour);
    columnOutline.setFill(columnColour.brighter(0.12f));

    addAndMakeVisible(menuButtons);
    menuButtons.setAttachment(guiTree, "btm_wndwsel");

    addAndMakeVisible(tabs);
    tabs.setOutline(0);
    tabs.setTabBarDepth(0);
    addPage("Main", mainPagePanel);
    addPage("Mod", modPagePanel);
    addPage("Chainer", chainerPagePanel);
    addPage("Settings", settingsPagePanel);
    addPage("Color", colorPagePanel);

    floatModWindow.setComponentID("floatmodwndw");
    floatModWindow.setDraggable(true);
    floatModWindow.setUsingNativeTitleBar(false);
    floatModWindow.setTitleBarButtonsRequired(juce::DocumentWindow::closeButton, true);
    floatModWindow.setResizable(true, true);
    floatModWindow.getConstrainer()->setFixedAspectRatio(floatWindowAspect);
    floatModWindow.setTitleBarHeight(22);

    const int stored = menuButtons.getSelectedValue();
    tabs.setCurrentTabIndex(juce::jlimit(0, BottomMenuButton::numPages - 1, stored), true);
    if (stored == settingsPage)
        settingsPagePanel.loadSettingStates();

    addAndMakeVisible(background);
    background.toBack();

    juce::Component::SafePointer<ZuMirabox_BottomPanel> self(this);
    juce::Timer::callAfterDelay(firstPageDelayMs,
                                [self]
                                {
                                    if (auto* panel = self.getComponent())
                                        panel->menuButtonClicked();
                                });
}

ZuMirabox_BottomPanel::~ZuMirabox_BottomPanel()
{
    columnBackground.removeAllChildren();
}

void ZuMirabox_BottomPanel::addPage(const juce::String& name, juce::Component& page)
{
    tabs.addTab(name, colorTheme->entry(pageBgEntry, skinMode), &page, false);
}

void ZuMirabox_BottomPanel::menuButtonClicked()
{
    const int a = menuButtons.getSelectedValue();
    tabs.setCurrentTabIndex(juce::jlimit(0, BottomMenuButton::numPages - 1, a), true);
    if (a == settingsPage)
        settingsPagePanel.loadSettingStates();
}

void ZuMirabox_BottomPanel::setSkinMode(int skin)
{
    skinMode = skin;
    background.colour = colorTheme->entry(pageBgEntry, skinMode);
    background.repaint();
    const auto columnColour = colorTheme->entry(columnBgEntry, skinMode);
    columnFill.setFill(columnColour);
    columnOutline.setFill(columnColour.brighter(1.5f));
    mainPagePanel.setSkinMode(skinMode);
    modPagePanel.setSkinMode(skinMode);
    settingsPagePanel.setSkinMode(skinMode);
    chainerPagePanel.setSkinMode(skinMode);
    menuButtons.setSkinMode(skinMode);
    for (int i = 0; i < tabs.getNumTabs(); ++i)
        tabs.setTabBackgroundColour(i, colorTheme->entry(pageBgEntry, skinMode));
    if (findParentComponentOfClass<ZumiraboxAudioProcessorEditor>() != nullptr)
        colorPagePanel.updateColor();
    repaint();
}

void ZuMirabox_BottomPanel::presetIsChanged()
{
    mainPagePanel.presetIsChanged();
    chainerPagePanel.onoffStateChanged();
}

void ZuMirabox_BottomPanel::initAllTriggered()
{
    mainPagePanel.initAllTriggered();
}

void ZuMirabox_BottomPanel::closeModFloatWndw()
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    if (auto* window = editor->findChildWithID(floatModWindow.getComponentID()))
        editor->removeChildComponent(window);
}

void ZuMirabox_BottomPanel::resized()
{
    const auto b = getLocalBounds();
    background.setBounds(b);
    const juce::Rectangle<int> inner(b.getX() + 1, b.getY() + 1, juce::jmax(b.getWidth() - 2, 0),
                                     juce::jmax(b.getHeight() - 2, 0));
    tabs.setTabBarDepth(0);
    const int d = juce::jmin((int) ((float) inner.getWidth() * 0.048f), inner.getWidth());
    const int e = juce::jlimit(2, 12, (int) ((float) d * 0.06f));
    const juce::Rectangle<int> r(inner.getX() + e, inner.getY() + e, juce::jmax(d - 2 * e, 0),
                                 juce::jmax(inner.getHeight() - 2 * e, 0));
    juce::Path fill;
    fill.addRoundedRectangle(r.toFloat(), 2.0f);
    columnFill.setPath(fill);
    juce::Path outline;
    juce::PathStrokeType(0.5f).createStrokedPath(outline, fill);
    columnOutline.setPath(outline);

    menuButtons.setBounds(r.getX() + 1, r.getY() + 1, juce::jmax(r.getWidth() - 2, 0),
                          juce::jmax(r.getHeight() - 2, 0));
    tabs.setBounds(inner.getX() + d + 2, inner.getY(), juce::jmax(inner.getWidth() - d - 2, 0), inner.getHeight());
}
