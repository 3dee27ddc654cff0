// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaleEditPanel.h"

#include "PluginSettingState.h"
#include "ZuConvert.h"
#include "ZuParamAttacher.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
const juce::Identifier wkeyflag{"wkeyflag"};
const juce::Colour keyOn = juce::Colour(0xfffff352).darker(0.2f);
const juce::Colour keyTextOn = juce::Colour(0xfffff352).darker(3.5f);
const char* const emptyPresetName = "---------";

int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}
} // namespace

juce::Identifier zu::scalekeys::keyProperty(int k)
{
    return k < ScaleEditPanel::numWhiteKeys
               ? "p8_scale_type1_wkey" + juce::String(k + 1)
               : "p8_scale_type1_bkey" + juce::String(k - ScaleEditPanel::numWhiteKeys + 1);
}

juce::String zu::scalekeys::keyAttribute(int k)
{
    return keyProperty(k).toString().fromFirstOccurrenceOf("p8_", false, false);
}

int zu::scalekeys::attributeValue(const juce::ValueTree& preset, int k)
{
    const juce::Identifier id(keyAttribute(k));
    return preset.hasProperty(id) ? zu::parseLeadingInt(preset[id].toString()) : 1;
}

ScaleEditPanel::ScaleEditPanel(juce::ValueTree paramTree, MirabelGlobalData&, ScaleData&)
    : tree(paramTree), panelColour(themeColour(colorTheme->unitAreaBgColor))
{
    setComponentID("scalecustom");
    // Only scale presets are listed and stepped through.
    presetExtension = ".scaletype1";

    for (int k = 0; k < zu::scalekeys::numKeys; ++k)
    {
        const bool white = k < numWhiteKeys;
        auto& key = white ? whiteKeys[(size_t) k] : blackKeys[(size_t) (k - numWhiteKeys)];
        addAndMakeVisible(key);
        key.setLookAndFeel(&keyLook.get());
        zu::tools::noFocus(key);
        key.setClickingTogglesState(true);
        key.getProperties().set(wkeyflag, white ? 1 : 0);
        ZuStyle::setColour(key, ZuStyle::bgcolor, panelColour);
        key.setColour(juce::TextButton::buttonOnColourId, keyOn);
        key.setColour(juce::TextButton::textColourOnId, keyTextOn);
        key.setColour(juce::TextButton::buttonColourId, white ? juce::Colour(0xff787878) : panelColour);
        key.setColour(juce::TextButton::textColourOffId, white ? juce::Colour(0xff151515) : juce::Colour(0xff757575));
        ZuParamAttacher::attachToButton(tree, zu::scalekeys::keyProperty(k), true, key);
        key.onClick = [this] { startTimer(refreshTimer, refreshDelayMs); };
    }

    addAndMakeVisible(rootBox);
    rootBox.setLookAndFeel(&rootLook.get());
    zu::tools::noFocus(rootBox);
    rootBox.setName("Root");
    rootBox.setTooltip("Selects the scale key");
    for (int p = 0; p < zu::tools::numPitchClasses; ++p)
        rootBox.addItem(zu::tools::noteName(p), p + 1);
    rootBox.setEditableText(false);
    rootBox.setJustificationType(juce::Justification::centredLeft);
    rootBox.setScrollWheelEnabled(true);
    ZuStyle::setColour(rootBox, ZuStyle::bgcolor, panelColour);
    rootBox.getProperties().set(ZuStyle::corner_r, 1);
    rootBox.getProperties().set(ZuStyle::corner_b, 1);
    rootBox.setColour(juce::ComboBox::textColourId, juce::Colour(0xffdddddd));
    rootBox.setColour(juce::ComboBox::outlineColourId, juce::Colour(0xff707070));
    rootBox.setColour(juce::ComboBox::backgroundColourId, panelColour);
    rootBox.setColour(juce::ComboBox::arrowColourId, juce::Colour(0xff999999));
    rootBox.onChange = [this]
    {
        updateKeyButtonDisp();
        startTimer(refreshTimer, refreshDelayMs);
    };

    styleButton(rootShiftButton, "Root Shift", "Root shift",
                juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnBottom, 0.77f);
    rootShiftButton.setClickingTogglesState(true);
    rootShiftButton.onClick = [this] { startTimer(refreshTimer, refreshDelayMs); };
    styleButton(presetButton, {}, "Selects the scale preset",
                juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop, 0.85f);
    presetButton.onClick = [this] { showPresetList(); };
    styleButton(previousButton, "<", "Cycle through all saved presets",
                juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop, 0.85f);
    styleButton(nextButton, ">", "Cycle through all saved presets",
                juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnTop, 0.85f);
    for (auto* arrow : {&previousButton, &nextButton})
        arrow->getProperties().set(ZuStyle::svgflag, 1);
    previousButton.onClick = [this] { presetArrow(false); };
    nextButton.onClick = [this] { presetArrow(true); };

    const auto name = tree[zu::scalekeys::presetNameProperty].toString();
    presetButton.setButtonText(name.isEmpty() ? juce::String(emptyPresetName) : name);
    startTimer(refreshTimer, refreshDelayMs);
}

ScaleEditPanel::~ScaleEditPanel()
{
    stopTimer(refreshTimer);
    rootShiftAttachment.reset();
    rootAttachment.reset();
}

void ScaleEditPanel::styleButton(juce::TextButton& b, const juce::String& text, const juce::String& tooltip, int edges,
                                 float fontSize)
{
    addAndMakeVisible(b);
    b.setLookAndFeel(&buttonLook.get());
    zu::tools::noFocus(b);
    b.setButtonText(text);
    b.setTooltip(tooltip);
    b.setConnectedEdges(edges);
    ZuStyle::setReal(b, ZuStyle::fontsize, fontSize);
    ZuStyle::setColour(b, ZuStyle::bgcolor, panelColour);
    ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(0xff707070));
    b.setColour(juce::TextButton::buttonColourId, panelColour);
    b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffb0b0b0));
    b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
    b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff000000));
}

void ScaleEditPanel::setAttachment(juce::AudioProcessorValueTreeState& parameters)
{
    rootAttachment.reset();
    rootShiftAttachment.reset();
    rootAttachment =
        std::make_unique<juce::AudioProcessorValueTreeState::ComboBoxAttachment>(parameters, "p8_scale_root", rootBox);
    rootShiftAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
        parameters, "p8_scale_rootshift", rootShiftButton);
    updateKeyButtonDisp();
    startTimer(refreshTimer, refreshDelayMs);
}

void ScaleEditPanel::updateKeyButtonDisp()
{
    // Without a root chosen the names read from C.
    const int index = rootBox.getSelectedItemIndex();
    const int root = index >= 0 && index < zu::tools::numPitchClasses ? index : 0;
    for (int k = 0; k < zu::scalekeys::numKeys; ++k)
    {
        auto& key = k < numWhiteKeys ? whiteKeys[(size_t) k] : blackKeys[(size_t) (k - numWhiteKeys)];
        key.getProperties().set(ZuStyle::dispnote, zu::tools::noteName((root + zu::tools::keyOrder[(size_t) k]) % 12));
        key.repaint();
    }
}

void ScaleEditPanel::updateFxStateFromVt(juce::ValueTree preset, juce::String presetName)
{
    for (int k = 0; k < zu::scalekeys::numKeys; ++k)
    {
        auto& key = k < numWhiteKeys ? whiteKeys[(size_t) k] : blackKeys[(size_t) (k - numWhiteKeys)];
        key.setToggleState(zu::scalekeys::attributeValue(preset, k) == 1, juce::sendNotification);
    }
    if (preset.isValid())
        tree.setProperty(zu::scalekeys::presetNameProperty, presetName, nullptr);
    presetButton.setButtonText(presetName);
    presetButton.setState(juce::Button::buttonNormal);
    startTimer(refreshTimer, presetLoadDelayMs);
}

void ScaleEditPanel::initialize()
{
    for (auto& key : whiteKeys)
        key.setToggleState(true, juce::sendNotification);
    for (auto& key : blackKeys)
        key.setToggleState(true, juce::sendNotification);
    rootBox.setSelectedItemIndex(0, juce::sendNotification);
    rootShiftButton.setToggleState(false, juce::sendNotification);
    presetButton.setButtonText("Preset");
    tree.setProperty(zu::scalekeys::presetNameProperty, "Preset", nullptr);
    startTimer(refreshTimer, refreshDelayMs);
}

void ScaleEditPanel::updateKeyButtonsFromVt()
{
    for (int k = 0; k < zu::scalekeys::numKeys; ++k)
    {
        auto& key = k < numWhiteKeys ? whiteKeys[(size_t) k] : blackKeys[(size_t) (k - numWhiteKeys)];
        key.setToggleState(zu::readIntProperty(tree, zu::scalekeys::keyProperty(k), 0) == 1, juce::sendNotification);
    }
    const auto name = tree[zu::scalekeys::presetNameProperty].toString();
    presetButton.setButtonText(name.isEmpty() ? juce::String(emptyPresetName) : name);
    startTimer(refreshTimer, refreshDelayMs);
}

void ScaleEditPanel::paramChanged()
{
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->scaleParamChanged();
}

void ScaleEditPanel::timerCallback(int id)
{
    stopTimer(id);
    if (id == refreshTimer)
        paramChanged();
}

void ScaleEditPanel::takeFolderFromSettings()
{
    if (auto* settings = zu::tools::settingsOf(*this))
        presetFolder = settings->scalePresetFolder;
}

void ScaleEditPanel::showPresetList()
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;
    takeFolderFromSettings();
    const int w = editor->getWidth(), h = editor->getHeight();
    if (w > 0 && h > 0)
    {
        juce::Component::SafePointer<ScaleEditPanel> self(this);
        getMyMenu(true, false)
            .showMenuAsync(
                zu::tools::menuOptionsAtMouse(presetButton, trunc(0.055f * (float) w), trunc(0.02f * (float) w)),
                [self](int result)
                {
                    if (auto* panel = self.getComponent(); panel != nullptr && result > 0)
                        panel->menuHandler(result, panel->presetButton, panel);
                });
    }
    presetButton.setState(juce::Button::buttonNormal);
}

void ScaleEditPanel::presetArrow(bool next)
{
    if (presetFolder.isEmpty())
        takeFolderFromSettings();
    presetSelectArrow(next, currentPresetPath, presetFolder, presetButton.getButtonText());
}

void ScaleEditPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColour);
}

void ScaleEditPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const int mh = juce::jlimit(2, 12, trunc(0.02f * (float) W));
    const int mv = juce::jlimit(2, 20, trunc(0.11f * (float) H));
    const int w = juce::jmax(W - 2 * mh, 0), h = juce::jmax(H - 2 * mv, 0);

    const int kw = trunc(0.131f * (float) w);
    const int wh = juce::jmin(trunc(0.59f * (float) h), h);
    const int keysX = mh + trunc((float) (w - 7 * kw - 12) * 0.5f);
    for (int i = 0; i < numWhiteKeys; ++i)
        whiteKeys[(size_t) i].setBounds(keysX + i * (kw + 2), mv, kw, wh);
    static constexpr std::array<int, numBlackKeys> blackOver{0, 1, 3, 4, 5};
    for (int j = 0; j < numBlackKeys; ++j)
        blackKeys[(size_t) j].setBounds(keysX + blackOver[(size_t) j] * (kw + 2) + trunc(0.5f * (float) kw) + 2, mv,
                                        juce::jmax(kw - 2, 0), juce::jmax(0, wh - trunc(0.4f * (float) wh)));

    const int rest = h - wh;
    const int gap = juce::jmin(trunc(0.2f * (float) rest), rest);
    const int inset = trunc(0.05f * (float) w);
    const int cx = mh + inset;
    const int cw = juce::jmax(w - 2 * inset, 0);
    const int cy = mv + wh + gap + 1;
    const int hc = juce::jmax(rest - gap - 2, 0);

    const int ra = juce::jmin(trunc(0.46f * (float) hc), hc);
    const int c = juce::jmin(trunc(0.38f * (float) cw), cw);
    rootBox.setBounds(cx, cy, c, ra);
    rootShiftButton.setBounds(cx + c, cy, cw - c, ra);

    const int rb = juce::jmin(hc - ra, ra);
    const int a = juce::jmin(trunc(2.2f * (float) rb), cw);
    const int lowerY = cy + hc - rb;
    const int previousW = juce::jmin(trunc(0.5f * (float) a), a);
    presetButton.setBounds(cx, lowerY, cw - a, rb);
    previousButton.setBounds(cx + cw - a, lowerY, previousW, rb);
    nextButton.setBounds(cx + cw - a + previousW, lowerY, a - previousW, rb);
}
