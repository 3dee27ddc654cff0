// SPDX-License-Identifier: GPL-3.0-or-later
#include "SeqUnitModPanelMain.h"

namespace
{
// Theme entry of each unit type's colour: pitch, parameter, CC,
// octave-transpose, CC rack.
constexpr int unitColourEntry[] = {47, 48, 49, 51, 50};
} // namespace

SeqUnitModTabButton::SeqUnitModTabButton()
{
    textOnColour = colorTheme->entry(2, 0);
    const char* texts[] = {"1~4", "5~8"};
    for (int k = 0; k < 2; ++k)
    {
        auto& b = buttons[(size_t) k];
        addAndMakeVisible(b);
        b.setButtonText(texts[k]);
        b.setRadioGroupId(1000);
        b.setClickingTogglesState(true);
        b.setLookAndFeel(&dirLook.get());
        b.setTooltip("Selects the modulation unit panel");
        b.getProperties().set("fontsize", 0.68f);
        b.setColour(juce::TextButton::buttonOnColourId, colorTheme->entry(58, 0));
        b.setColour(juce::TextButton::buttonColourId, colorTheme->entry(57, 0));
        b.setColour(juce::TextButton::textColourOffId, colorTheme->entry(59, 0));
        b.setColour(juce::TextButton::textColourOnId, colorTheme->entry(60, 0));
        b.addListener(this);
    }
    buttons[0].setConnectedEdges(juce::Button::ConnectedOnBottom);
    buttons[1].setConnectedEdges(juce::Button::ConnectedOnTop);
    slider.setName("tab");
    slider.setSliderStyle(juce::Slider::LinearHorizontal);
    slider.setTextBoxStyle(juce::Slider::NoTextBox, false, 0, 0);
    const double v = slider.getValue();
    curPage = juce::jlimit(0, 1, (int) v);
    buttons[(size_t) curPage].setToggleState(true, juce::dontSendNotification);
}

SeqUnitModTabButton::~SeqUnitModTabButton()
{
    cancelPendingUpdate();
    slider.getValueObject().removeListener(this);
    for (auto& b : buttons)
        b.setLookAndFeel(nullptr);
}

void SeqUnitModTabButton::setAttachment(juce::ValueTree unitModTree, juce::String unitHead)
{
    attacher->attachToSlider(unitModTree, unitHead + "tab", 0.0f, {0.0, 1.0, 1.0}, slider);
    slider.getValueObject().addListener(this);
    sliderValueChanged(&slider);
}

void SeqUnitModTabButton::buttonClicked(juce::Button*)
{
    int v = -1;
    if (buttons[0].getToggleState())
        v = 0;
    else if (buttons[1].getToggleState())
        v = 1;
    if (v < 0)
        return;
    slider.setValue(v, juce::sendNotificationAsync);
    curPage = v;
}

void SeqUnitModTabButton::sliderValueChanged(juce::Slider*)
{
    cancelPendingUpdate();
    triggerAsyncUpdate();
}

void SeqUnitModTabButton::valueChanged(juce::Value&)
{
    cancelPendingUpdate();
    triggerAsyncUpdate();
}

void SeqUnitModTabButton::handleAsyncUpdate()
{
    const double stored = slider.getValue();
    const int v = std::isfinite(stored) ? (int) stored : 0;
    buttons[0].setToggleState(v == 0, juce::dontSendNotification);
    buttons[1].setToggleState(v == 1, juce::dontSendNotification);
    curPage = v;
    if (auto* area = findParentComponentOfClass<SeqUnitModPanelMain>())
        area->tabButtonClicked();
}

void SeqUnitModTabButton::setSkinMode(int skin, juce::Colour unitColour)
{
    skinMode = skin;
    textOnColour = colorTheme->entry(56, skin);
    setBaseColor(unitColour);
}

void SeqUnitModTabButton::setBaseColor(juce::Colour unitColour)
{
    for (auto& b : buttons)
    {
        b.setColour(juce::TextButton::buttonOnColourId, unitColour);
        b.setColour(juce::TextButton::textColourOffId, unitColour.darker(0.2f));
        b.setColour(juce::TextButton::buttonColourId, textOnColour.darker(0.3f));
        b.setColour(juce::TextButton::textColourOnId, textOnColour);
    }
    repaint();
}

void SeqUnitModTabButton::resized()
{
    const int H = std::max(0, getHeight() - 2), c = (int) (0.5 * H), o = (int) ((H - 2 * c) * 0.5);
    buttons[0].setBounds(1, 1 + o, std::max(0, getWidth() - 2), c);
    buttons[1].setBounds(1, 1 + o + c, std::max(0, getWidth() - 2), c);
}

SeqUnitModTabContent::SeqUnitModTabContent(juce::ValueTree unitModTree, LfoData& data, int unitType, int unitIndex,
                                           int p)
    : page(p)
{
    const int n = unitIndex + (unitType < 4 ? 4 * unitType : 13);
    for (int k = 0; k < 4; ++k)
    {
        const int slot = 4 * page + k;
        slots[(size_t) k] = std::make_unique<FloatUnitPanel>(data, std::pair<int, int>{n, slot});
        slots[(size_t) k]->setAttachment(unitModTree.getChildWithName("mod" + juce::String(slot + 1)),
                                         ZuParamAttacher::getModParamHead(unitType, unitIndex, slot));
        addAndMakeVisible(*slots[(size_t) k]);
    }
}

void SeqUnitModTabContent::setSkinMode(int skin, juce::Colour unitColour)
{
    for (auto& s : slots)
        s->setSkinMode(skin, unitColour);
}

void SeqUnitModTabContent::setBaseColor(juce::Colour colour)
{
    for (auto& s : slots)
        s->setBaseColor(colour);
}

void SeqUnitModTabContent::updateSigDisp()
{
    for (auto& s : slots)
        s->getLfoPanel().startTimer(LfoPanel::displayCheckTimer, 200);
}

void SeqUnitModTabContent::setSeqTypeIndex(int type)
{
    for (auto& s : slots)
        s->getLfoPanel().setSeqTypeIndex(type);
}

void SeqUnitModTabContent::resized()
{
    const int W = std::max(0, getWidth());
    const int Wq = std::min(W, (int) (0.25 * W));
    for (int k = 0; k < 4; ++k)
    {
        const int left = std::max(0, W - k * Wq);
        const int w = std::min(Wq, left);
        slots[(size_t) k]->setBounds(k * Wq + 1, 1, std::max(0, w - 2), std::max(0, std::max(0, getHeight()) - 2));
    }
}

SeqUnitModPanelMain::SeqUnitModPanelMain(juce::ValueTree tree, LfoData& data, int type, int index)
    : unitType(type), unitIndex(index), lfoData(data), unitModTree(tree)
{
    addAndMakeVisible(tabButton);
    unitColour = colorTheme->entry(unitColourEntry[juce::jlimit(0, 4, unitType)], 0);
    bgFill.setFill(colorTheme->entry(56, skinMode));
    bgOutline.setFill(unitColour.darker(0.2f));
    addAndMakeVisible(bgFill);
    addAndMakeVisible(bgOutline);
    for (int k = 0; k < 2; ++k)
    {
        auto& b = tabButton.getButton(k);
        b.setColour(juce::TextButton::buttonOnColourId, unitColour);
        b.setColour(juce::TextButton::buttonColourId, tabButton.getTextOnColour().darker(0.3f));
        b.setColour(juce::TextButton::textColourOffId, unitColour.darker(0.2f));
        b.setColour(juce::TextButton::textColourOnId, tabButton.getTextOnColour());
    }
    tabButton.setAttachment(unitModTree, ZuParamAttacher::getModParamHead(unitType, unitIndex));
    tabs.setOutline(0);
    tabs.setTabBarDepth(0);
    tabs.addTab("1", juce::Colours::transparentBlack, nullptr, false);
    tabs.addTab("2", juce::Colours::transparentBlack, nullptr, false);
    addAndMakeVisible(tabs);
    tabButtonClicked();
}

SeqUnitModPanelMain::~SeqUnitModPanelMain()
{
    // The tabs only show the pages; the pages go with this panel.
    tabs.clearTabs();
}

void SeqUnitModPanelMain::tabButtonClicked()
{
    const int b = juce::jlimit(0, 1, tabButton.getCurPage());
    if (tabs.getTabContentComponent(b) == nullptr)
    {
        pages[(size_t) b] = std::make_unique<SeqUnitModTabContent>(unitModTree, lfoData, unitType, unitIndex, b);
        ++pagesBuilt;
        tabs.removeTab(b);
        tabs.addTab(juce::String(b + 1), juce::Colours::transparentBlack, pages[(size_t) b].get(), false, b);
    }
    tabs.setCurrentTabIndex(b, true);
    if (auto* page = pages[(size_t) b].get())
    {
        page->setSkinMode(skinMode, unitColour);
        page->updateSigDisp();
    }
}

void SeqUnitModPanelMain::setSkinMode(int skin, juce::Colour colour)
{
    skinMode = skin;
    unitColour = colour;
    tabButton.setSkinMode(skin, colour);
    for (auto& p : pages)
        if (p != nullptr)
            p->setSkinMode(skin, colour);
    bgFill.setFill(colorTheme->entry(56, skin));
    bgOutline.setFill(colorTheme->entry(56, skin).darker(0.5f));
    repaint();
}

void SeqUnitModPanelMain::setSeqTypeIndex(int type)
{
    for (auto& p : pages)
        if (p != nullptr)
            p->setSeqTypeIndex(type);
}

void SeqUnitModPanelMain::resized()
{
    const int W = std::max(0, getWidth() - 2), H = std::max(0, getHeight() - 2);
    const int d = std::min(W, (int) (0.025 * W)), X1 = d + 1;
    const int W2 = std::max(0, W - d - 2);
    const int H2 = std::max(0, H - 2), m = std::min(H2, juce::jlimit(1, 18, (int) (0.02 * H2))), H3 = H2 - m;
    const int n = std::min(W2, juce::jlimit(1, 18, (int) (0.013 * H3)));
    juce::Path bg;
    bg.addRectangle(juce::Rectangle<int>(X1 + 1, 2, W2 - n, H3));
    bgFill.setPath(bg);
    juce::Path outline;
    juce::PathStrokeType(0.8f).createStrokedPath(outline, bg);
    bgOutline.setPath(outline);
    const int k = std::min(H3, std::max(1, (int) (0.013 * H3)));
    tabs.setTabBarDepth(0);
    tabs.setBounds(X1 + 2, 2 + k, std::max(0, W2 - n - 2), H3 - k);
    const int vm = juce::jlimit(2, 14, (int) (0.09 * H)), hm = juce::jlimit(2, 14, (int) (0.05 * d));
    const int H4 = std::max(0, H - 2 * vm), t = (int) (0.27 * H4);
    tabButton.setBounds(hm + 2, 1 + vm + t, std::max(0, std::max(0, d - 2 * hm) - 2), std::max(0, H4 - 2 * t));
}
