// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChainerMainPanel.h"
#include "ColorEditPanel.h"
#include "MacroPanel.h"
#include "MyDocumentWindow.h"
#include "ScaleEtcMainPanel.h"
#include "SettingPanelMain.h"
#include "ZuCLAF_Base.h"
#include "ZuCLAF_PageButtons.h"
#include "ZuGuiBase.h"
#include "ZuMirabox_ColorTheme.h"
#include "ZuParamAttacher.h"
#include "ZuShared.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// The column of five page buttons of the bottom area. It stands for the GUI
// tree property "btm_wndwsel" (0..4) through a hidden slider: a click writes
// the clicked page into it, and any change of the value, a loaded state's
// included, lights the matching button and shows its page 100 ms later.
class BottomMenuButton : public ZuGuiBase
{
public:
    BottomMenuButton();
    ~BottomMenuButton() override;

    static constexpr int numPages = 5;
    static constexpr int pageTimer = 0;
    static constexpr int pageDelayMs = 100;

    // Binds the hidden slider to the property id of tree (0 when missing).
    void setAttachment(juce::ValueTree& tree, juce::String id);
    void buttonClicked(juce::Button* button) override;
    void valueChanged(juce::Value& value) override;
    void sliderValueChanged(juce::Slider* slider) override;
    void timerCallback(int timerId) override;
    void colorMapping() override;
    void resized() override;

    int getCurrentIndex() const noexcept { return currentIndex; }
    // The page the property names, truncated (not clamped).
    int getSelectedValue() const { return (int) hiddenSlider.getValue(); }
    juce::TextButton& getButton(int i) { return buttons[(size_t) juce::jlimit(0, numPages - 1, i)]; }

private:
    ZuShared<ZuCLAF_FlatButton> buttonLook;
    ZuShared<ZuParamAttacher> attacher;
    int currentIndex = 0;
    juce::Slider hiddenSlider;
    std::array<juce::TextButton, numPages> buttons;
    const std::array<const char*, numPages> texts{"Main", "Macro", "Chainer", "Setting", "Color"};

    void colourButtons(juce::Colour textOff);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(BottomMenuButton)
};

// The bottom area of the main panel: the page column on the left and the five
// global pages ("Main", "Mod", "Chainer", "Settings", "Color") in a tabbed
// area without tabs. It owns the pages and the modulation page's floating
// window, and passes skins, loaded states and initialisation on to them.
// Message thread only.
class ZuMirabox_BottomPanel : public juce::Component
{
public:
    ZuMirabox_BottomPanel(juce::AudioProcessorValueTreeState& state, juce::ValueTree guiTree, juce::ValueTree paramTree,
                          juce::ValueTree midiMapTree, MirabelGlobalData& globalData, LfoData& lfoData,
                          ScaleData& scaleData, juce::Value modPolValue, juce::Value indctSrcValue);
    ~ZuMirabox_BottomPanel() override;

    void setSkinMode(int skin);
    void presetIsChanged();
    void initAllTriggered();
    void closeModFloatWndw();
    // Shows the page the column's value names (clamped to 0..4).
    void menuButtonClicked();
    void resized() override;

    static constexpr int firstPageDelayMs = 500;
    static constexpr int mainPage = 0, modPage = 1, chainerPage = 2, settingsPage = 3, colorPage = 4;

    int getSkinMode() const noexcept { return skinMode; }
    int getShownPage() const { return tabs.getCurrentTabIndex(); }

private:
    ZuShared<ZuMirabox_ColorTheme> colorTheme;
    ZuShared<ZuCLAF_Base> baseLook;
    int skinMode = 0;

    // Fills the whole panel; buffered, it lets clicks through to the rest.
    class Background : public juce::Component
    {
    public:
        void paint(juce::Graphics& g) override { g.fillAll(colour); }
        juce::Colour colour{0xff000000};
    };
    Background background;

public:
    BottomMenuButton menuButtons;
    juce::TabbedComponent tabs{juce::TabbedButtonBar::TabsAtTop};
    // Built for the modulation page, which keeps it; nothing shows it.
    MyDocumentWindow floatModWindow;
    ScaleEtcMainPanel mainPagePanel;
    ModPanelMain modPagePanel;
    SettingPanelMain settingsPagePanel;
    ChainerMainPanel chainerPagePanel;
    ColorEditPanel colorPagePanel;

private:
    const double floatWindowAspect = 1.4;
    juce::DrawablePath columnFill, columnOutline;
    juce::DrawableComposite columnBackground;
    juce::ValueTree guiTree;

    void addPage(const juce::String& name, juce::Component& page);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ZuMirabox_BottomPanel)
};
