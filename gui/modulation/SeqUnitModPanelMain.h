// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FloatUnitPanel.h"

#include <array>
#include <memory>

// The page selector of a unit's modulation area: "1~4" over "5~8", over a
// hidden slider bound to the unit's page property (head + "tab"). Both a
// click and a change of the property switch the page through one
// asynchronous update.
class SeqUnitModTabButton : public juce::Component,
                            public juce::AsyncUpdater,
                            public juce::Slider::Listener,
                            public juce::Button::Listener,
                            public juce::Value::Listener
{
public:
    SeqUnitModTabButton();
    ~SeqUnitModTabButton() override;

    void setAttachment(juce::ValueTree unitModTree, juce::String unitHead);
    void buttonClicked(juce::Button* b) override;
    void sliderValueChanged(juce::Slider* s) override;
    void valueChanged(juce::Value& v) override;
    void handleAsyncUpdate() override;
    void setSkinMode(int skin, juce::Colour unitColour);
    void setBaseColor(juce::Colour unitColour);
    void resized() override;

    int getCurPage() const noexcept { return curPage; }
    juce::TextButton& getButton(int k) { return buttons[(size_t) k]; }
    juce::Colour getTextOnColour() const noexcept { return textOnColour; }

private:
    ZuShared<ZuCLAF_DirButton> dirLook;
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    int skinMode = 0;
    int curPage = 0;
    juce::Colour textOnColour;
    std::array<juce::TextButton, 2> buttons;
    juce::Slider slider;
};

// One page of a unit's modulation area: four slot editors side by side.
class SeqUnitModTabContent : public juce::Component
{
public:
    SeqUnitModTabContent(juce::ValueTree unitModTree, LfoData& data, int unitType, int unitIndex, int page);

    void setSkinMode(int skin, juce::Colour unitColour);
    void setBaseColor(juce::Colour colour);
    // Restarts the LFO editors' display checks.
    void updateSigDisp();
    void setSeqTypeIndex(int type);
    void resized() override;

    FloatUnitPanel& getSlotEditor(int k) { return *slots[(size_t) k]; }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    int page;
    std::array<std::unique_ptr<FloatUnitPanel>, 4> slots;
};

// A unit's modulation area: the page selector in a thin strip and two pages
// of four slot editors, each page built the first time it is shown.
class SeqUnitModPanelMain : public juce::Component
{
public:
    SeqUnitModPanelMain(juce::ValueTree unitModTree, LfoData& data, int unitType, int unitIndex);
    ~SeqUnitModPanelMain() override;

    void tabButtonClicked();
    void setSkinMode(int skin, juce::Colour unitColour);
    void setSeqTypeIndex(int type);
    void resized() override;

    SeqUnitModTabButton& getTabButton() noexcept { return tabButton; }
    // The page, or null while it is not built.
    SeqUnitModTabContent* getPage(int p) const { return pages[(size_t) juce::jlimit(0, 1, p)].get(); }
    int getCurrentTabIndex() const { return tabs.getCurrentTabIndex(); }
    int getPagesBuilt() const noexcept { return pagesBuilt; }
    juce::Colour getUnitColour() const noexcept { return unitColour; }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuParamAttacher> attacher;
    int unitType, unitIndex;
    int skinMode = 0;
    juce::TabbedComponent tabs{juce::TabbedButtonBar::TabsAtTop};
    std::array<std::unique_ptr<SeqUnitModTabContent>, 2> pages;
    SeqUnitModTabButton tabButton;
    juce::DrawablePath bgFill, bgOutline;
    juce::Colour unitColour;
    LfoData& lfoData;
    juce::ValueTree unitModTree;
    int pagesBuilt = 0;
};
