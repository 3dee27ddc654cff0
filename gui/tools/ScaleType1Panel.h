// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EffectUnitPanelBae.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_MenuStripButtons.h"
#include "ZuToolsCommon.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// The scale section's key panel: the current scale on a small keyboard, the
// root and Root Shift, the scale preset name, list and arrows, the panel
// menu (save, save as, initialise, folders) and EDIT, which opens the scale
// key editor in a call-out. Scale presets are ".scaletype1" files. Message
// thread only.
class ScaleType1Panel : public EffectUnitPanelBae, public juce::ComponentListener
{
    // Shares first: the widgets below go before them.
    ZuShared<ZuCLAF_ModOpenButton> buttonLook;
    ZuShared<ZuCLAF_RootMenu> rootLook;

public:
    static constexpr int notifyTimer = 0;
    static constexpr int refreshTimer = 1;
    static constexpr int rootChangeDelayMs = 100;
    static constexpr int presetDelayMs = 200;
    static constexpr int refreshDelayMs = 100;
    // The colour of the keys; the frame takes the theme's.
    static juce::Colour keyColour() { return juce::Colour(0xfff79701).brighter(0.7f); }

    // uiTree ("maintree") is not used.
    ScaleType1Panel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree uiTree, juce::ValueTree paramTree,
                    MirabelGlobalData& globalData, ScaleData& scaleData);
    ~ScaleType1Panel() override;

    void colorMapping() override;
    // All twelve keys on, the name "Preset", root C and Root Shift off.
    void initialize() override;
    void scaleParamChanged();
    void enablementChanged() override;
    void updateFxStateFromVt(juce::ValueTree tree, juce::String presetName) override;
    juce::XmlElement getXmlStateForSaveingPreset(const juce::String& presetName) override;
    void newPresetFolderPathIsSelected() override;

    void updateDrawable();
    void updatePresetButtonText();
    void editButtonClicked();
    // Root Shift toggled.
    void valueChanged(juce::Value& value) override;
    // The key editor's call-out went.
    void componentBeingDeleted(juce::Component& component) override;
    void timerCallback(int id) override;
    void resized() override;
    void paint(juce::Graphics& g) override;

    void showMenu(bool presetList);
    void presetArrow(bool next);

    // The key editor's call-out while it is open.
    juce::CallOutBox* getEditCallOut() const noexcept { return editCallOut.get(); }
    // The key paths (for tests and screens): in-scale keys and out-of-scale keys.
    const juce::DrawablePath& getInScaleKeys() const noexcept { return inScaleFill; }
    const juce::DrawablePath& getOutOfScaleKeys() const noexcept { return outOfScaleOutline; }
    juce::Rectangle<float> getKeyboardArea() const noexcept { return keyboardArea; }

    juce::TextButton menuButton, editButton, rootShiftButton, presetButton, previousButton, nextButton;
    juce::ComboBox rootBox;

private:
    juce::AudioProcessorValueTreeState& parameters;
    juce::ValueTree tree;
    MirabelGlobalData& globalData;
    ScaleData& scaleData;
    juce::DrawableComposite drawables;
    juce::DrawablePath frameFill, frameOutline, inScaleFill, inScaleOutline, outOfScaleOutline;
    juce::Rectangle<float> frame, keyboardArea;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> rootShiftAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment> rootAttachment;
    // Last, so that it stops listening before anything else goes.
    zu::tools::WatchedCallOut editCallOut{*this};

    void notifyMainPanel();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ScaleType1Panel)
};
