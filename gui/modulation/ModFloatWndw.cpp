// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModFloatWndw.h"

#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
void recheckShownEditor(juce::TabbedComponent& tabs)
{
    if (auto* slot = dynamic_cast<FloatUnitPanel*>(tabs.getCurrentContentComponent()))
        slot->getLfoPanel().checkBipolarDisp();
}
} // namespace

void CustomTabbedComp::currentTabChanged(int, const juce::String&)
{
    if (findParentComponentOfClass<ModFloatWndw>() != nullptr)
        recheckShownEditor(*this);
}

ModFloatWndw::ModFloatWndw(juce::AudioProcessorValueTreeState&, juce::ValueTree, LfoData& data, juce::Value polarity,
                           juce::Value hoveredSource)
{
    tabs.setLookAndFeel(&tabLook);
    for (int s = 0; s < 8; ++s)
    {
        slots[(size_t) s] = std::make_unique<FloatUnitPanel>(data, std::pair<int, int>{0, s});
        slots[(size_t) s]->setModPolAndIndctSrcValue(polarity, hoveredSource);
    }
    addAndMakeVisible(tabs);
    addAndMakeVisible(closeButton);
    closeButton.onClick = [this]
    {
        if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
            editor->closeModFloatWndw();
    };
}

ModFloatWndw::~ModFloatWndw()
{
    tabs.clearTabs();
    tabs.setLookAndFeel(nullptr);
}

void ModFloatWndw::setActiveUnitList(std::vector<int> list)
{
    tabs.clearTabs();
    for (int s : list)
        if (s >= 0 && s < 8)
            tabs.addTab("Mod" + juce::String(s + 1), juce::Colours::transparentBlack, slots[(size_t) s].get(), false);
}

void ModFloatWndw::setUnitIndex(int index)
{
    unitIndex = index;
    if (index >= 0 && index < tabs.getNumTabs())
        tabs.setCurrentTabIndex(index);
}

void ModFloatWndw::activeTabChanged()
{
    recheckShownEditor(tabs);
}

void ModFloatWndw::resized()
{
    tabs.setTabBarDepth(juce::jlimit(10, 40, (int) (0.08 * getHeight())));
    tabs.setOutline(2);
    tabs.setBounds(1, 1, std::max(0, getWidth() - 2), std::max(0, getHeight() - 2));
}
