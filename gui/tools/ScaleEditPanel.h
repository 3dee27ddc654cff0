// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "EffectUnitPanelBae.h"
#include "ZuCLAF_Combos.h"
#include "ZuCLAF_FramedButtons.h"
#include "ZuCLAF_TargetButtons.h"

#include "ZuData.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <memory>

// The scale key editor: one octave of twelve toggle keys, one per semitone
// above the scale root, bound to the scale key properties of the "param"
// tree, with the root ("p8_scale_root"), Root Shift ("p8_scale_rootshift")
// and the scale preset list. The type-1 panel builds a new one for each EDIT
// click and shows it in a call-out that owns it. Message thread only.
class ScaleEditPanel : public EffectUnitPanelBae
{
    // Shares first: the widgets below go before them.
    ZuShared<ZuCLAF_ScaleKeyButton> keyLook;
    ZuShared<ZuCLAF_CornerFlatMenu> rootLook;
    ZuShared<ZuCLAF_DirButton> buttonLook;

public:
    static constexpr int numWhiteKeys = 7;
    static constexpr int numBlackKeys = 5;
    static constexpr int refreshTimer = 0;
    static constexpr int refreshDelayMs = 150;
    static constexpr int presetLoadDelayMs = 350;

    ScaleEditPanel(juce::ValueTree paramTree, MirabelGlobalData&, ScaleData&);
    ~ScaleEditPanel() override;

    void setAttachment(juce::AudioProcessorValueTreeState& parameters);
    // The note names on the keys, following the root (never Root Shift).
    void updateKeyButtonDisp();
    void updateFxStateFromVt(juce::ValueTree tree, juce::String presetName) override;
    void initialize() override;
    void initAllTriggered() { initialize(); }
    void updateKeyButtonsFromVt();
    void paramChanged();
    void addLocalVtToParentVt(juce::ValueTree&) {}
    void timerCallback(int id) override;
    void resized() override;
    void paint(juce::Graphics& g) override;

    void showPresetList();
    void presetArrow(bool next);

    // Key j of the white (0..6) and black (0..4) keys.
    juce::TextButton& getWhiteKey(int j) noexcept { return whiteKeys[(size_t) juce::jlimit(0, numWhiteKeys - 1, j)]; }
    juce::TextButton& getBlackKey(int j) noexcept { return blackKeys[(size_t) juce::jlimit(0, numBlackKeys - 1, j)]; }

    juce::ComboBox rootBox;
    juce::TextButton rootShiftButton, presetButton, previousButton, nextButton;

private:
    juce::ValueTree tree;
    const juce::Colour panelColour;
    std::array<juce::TextButton, numWhiteKeys> whiteKeys;
    std::array<juce::TextButton, numBlackKeys> blackKeys;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ComboBoxAttachment> rootAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> rootShiftAttachment;

    void styleButton(juce::TextButton& b, const juce::String& text, const juce::String& tooltip, int edges,
                     float fontSize);
    void takeFolderFromSettings();

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ScaleEditPanel)
};

namespace zu::scalekeys
{
// The key properties: white keys "p8_scale_type1_wkey1".."7" (semitones 0, 2,
// 4, 5, 7, 9, 11 above the root), black keys "p8_scale_type1_bkey1".."5"
// (1, 3, 6, 8, 10). Key k counts white keys first.
constexpr int numKeys = 12;
juce::Identifier keyProperty(int k);
// The preset attribute of key k ("scale_type1_wkey1" ...).
juce::String keyAttribute(int k);
// The stored preset name's property, created as "Preset".
inline const juce::Identifier presetNameProperty{"scale_type1_presetname"};
// A preset key attribute as the integer stored: 1 when missing, the text's
// leading integer otherwise (0 when it holds none).
int attributeValue(const juce::ValueTree& preset, int k);
} // namespace zu::scalekeys
