// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChordEditPanel.h"

#include "PluginSettingState.h"
#include "ZuConvert.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}
} // namespace

ChordEditMenuPanel::ChordEditMenuPanel()
{
    presetExtension = ".chordset";
    panelColor = colorTheme->chordDarkColor.darker(0.9f);
    const auto light = colorTheme->chordLightColor;
    struct Entry
    {
        juce::TextButton& button;
        const char* text;
    };
    for (const auto& e : {Entry{presetButton, "Preset"}, Entry{previousButton, "<"}, Entry{nextButton, ">"},
                          Entry{menuButton, "Menu"}, Entry{saveButton, "Save"}, Entry{saveAsButton, "Save as"}})
    {
        auto& b = e.button;
        addAndMakeVisible(b);
        b.setLookAndFeel(&buttonLook.get());
        zu::tools::noFocus(b);
        b.setButtonText(e.text);
        ZuStyle::setColour(b, ZuStyle::bgcolor, panelColor);
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.92f);
        ZuStyle::setReal(b, ZuStyle::corner, 2.0f);
        b.setColour(juce::TextButton::buttonOnColourId, light);
        b.setColour(juce::TextButton::buttonColourId, light.withAlpha(0.6f));
        b.setColour(juce::TextButton::textColourOffId, light);
        b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    }
    presetButton.onClick = [this] { showMenu(true); };
    menuButton.onClick = [this] { showMenu(false); };
    previousButton.onClick = [this] { presetArrow(false); };
    nextButton.onClick = [this] { presetArrow(true); };
    saveButton.onClick = [this] { saveClicked(); };
    saveAsButton.onClick = [this] { saveAsClicked(); };
}

void ChordEditMenuPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChordEditMenuPanel::resized()
{
    const int iw = juce::jmax(getWidth() - 2, 0);
    const int ih = juce::jmax(getHeight() - 2, 0);
    const int s1 = juce::jmin(trunc(0.142f * (float) iw), iw);
    int remaining = iw - s1;
    const int s2 = juce::jmin(trunc(0.55f * (float) remaining), remaining);
    remaining -= s2;
    const int s3 = juce::jmin(trunc(2.0f * (float) ih), remaining);
    remaining -= s3;
    const int s4 = juce::jmin(s3, remaining);
    remaining -= s4;
    const int s5 = juce::jmin(trunc(0.5f * (float) remaining), remaining);
    const int s6 = remaining - s5;
    int x = 1;
    for (const auto& [button, slot] : std::array<std::pair<juce::TextButton*, int>, 6>{{{&menuButton, s1},
                                                                                        {&presetButton, s2},
                                                                                        {&previousButton, s3},
                                                                                        {&nextButton, s4},
                                                                                        {&saveButton, s5},
                                                                                        {&saveAsButton, s6}}})
    {
        button->setBounds(x + 1, 1, juce::jmax(slot - 2, 0), ih);
        x += slot;
    }
}

bool ChordEditMenuPanel::takeFolderFromSettings()
{
    auto* settings = zu::tools::settingsOf(*this);
    if (settings == nullptr)
        return false;
    presetFolder = settings->chordPresetFolder;
    return true;
}

void ChordEditMenuPanel::showMenu(bool filesOnly)
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;
    takeFolderFromSettings();
    auto& anchor = filesOnly ? presetButton : menuButton;
    const int w = editor->getWidth(), h = editor->getHeight();
    if (w > 0 && h > 0)
    {
        const auto options =
            filesOnly ? zu::tools::menuOptionsAtMouse(anchor, trunc(0.2f * (float) w), trunc(0.02f * (float) w))
                      : zu::tools::menuOptionsAtMouse(anchor, trunc(0.18f * (float) w), trunc(0.019f * (float) w));
        juce::Component::SafePointer<ChordEditMenuPanel> self(this);
        getMyMenu(filesOnly, !filesOnly)
            .showMenuAsync(options,
                           [self, filesOnly](int result)
                           {
                               auto* panel = self.getComponent();
                               if (panel != nullptr && result > 0)
                                   panel->menuHandler(result, filesOnly ? panel->presetButton : panel->menuButton,
                                                      panel);
                           });
    }
    anchor.setState(juce::Button::buttonNormal);
}

void ChordEditMenuPanel::presetArrow(bool next)
{
    if (presetFolder.isEmpty())
        takeFolderFromSettings();
    presetSelectArrow(next, currentPresetPath, presetFolder, {});
}

void ChordEditMenuPanel::saveClicked()
{
    if (!takeFolderFromSettings())
        return;
    menuHandler(saveId, saveButton, zu::tools::editorOf(*this));
}

void ChordEditMenuPanel::saveAsClicked()
{
    if (presetFolder.isEmpty())
        takeFolderFromSettings();
    savePreset(saveAsId);
}

void ChordEditMenuPanel::initialize()
{
    if (auto* set = findParentComponentOfClass<ChordEditPanel>())
        set->initialize();
    presetButton.setButtonText("Preset");
}

juce::XmlElement ChordEditMenuPanel::getXmlStateForSaveingPreset(const juce::String& presetName)
{
    if (auto* set = findParentComponentOfClass<ChordEditPanel>())
        return set->getXmlStateForSaveingPreset(presetName);
    return EffectUnitPanelBae::getXmlStateForSaveingPreset(presetName);
}

void ChordEditMenuPanel::updateFxStateFromVt(juce::ValueTree tree, juce::String presetName)
{
    auto* set = findParentComponentOfClass<ChordEditPanel>();
    if (set == nullptr)
        return;
    set->updateFxStateFromVt(tree, presetName);
    presetButton.setButtonText(presetName);
}

void ChordEditMenuPanel::newPresetFolderPathIsSelected()
{
    if (auto* settings = zu::tools::settingsOf(*this))
    {
        settings->chordPresetFolder = presetFolder;
        settings->updateAndSaveSettingFile();
    }
}

// ---------------------------------------------------------------------------

ChordEditPanel::ChordEditPanel(juce::AudioProcessorValueTreeState& parameters, juce::ValueTree paramTree)
    : unitsPanel(parameters, paramTree)
{
    panelColor = colorTheme->chordBgColor;
    for (auto* d : {&dividerLines, &menuBackground, &frameLines})
        drawables.addAndMakeVisible(*d);
    dividerLines.setFill(colorTheme->chordDarkColor);
    menuBackground.setFill(juce::Colours::black);
    frameLines.setFill(juce::Colours::black);
    drawables.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(drawables);
    drawables.toBack();
    addAndMakeVisible(pool);
    addAndMakeVisible(menuPanel);
    addAndMakeVisible(unitsPanel);
}

ChordEditPanel::~ChordEditPanel()
{
    drawables.removeAllChildren();
}

void ChordEditPanel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ChordEditPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    lastBounds = getLocalBounds();
    const int M = juce::jmin(trunc(0.085f * (float) H), H);
    menuHeight = M;
    const int m = juce::jlimit(1, 8, trunc(0.1f * (float) M));
    menuPanel.setBounds(1, m, juce::jmax(W - 2, 0), juce::jmax(M - 2 * m, 0));

    const int T = M + 1;
    const int ch = juce::jmax(H - M - 2, 0);
    const int P = juce::jmin(trunc(0.34f * (float) ch), ch);
    const int U = ch - P;
    const int g = juce::jmin(juce::jlimit(2, 18, trunc(0.1f * (float) P)), P);
    const int P2 = P - g;
    const int q = juce::jmin(juce::jlimit(1, 8, trunc(0.05f * (float) P2)), P2);
    pool.setBounds(1, T + q, juce::jmax(W - 2, 0), P2 - q);
    unitsPanel.setBounds(1, T + P + 2, juce::jmax(W - 2, 0), juce::jmax(U - 2, 0));

    juce::Path dividers;
    dividers.addRectangle(1.0f, (float) (T + P) + 0.5f, (float) (W - 2), 1.0f);
    dividers.addRectangle(1.0f, (float) (T + P), 1.0f, (float) U);
    dividerLines.setPath(dividers);
    juce::Path strip;
    strip.addRectangle(1.0f, (float) m, (float) (W - 2), (float) (M - 2 * m));
    menuBackground.setPath(strip);
    juce::Path frame;
    frame.addRectangle(0.0f, 0.0f, (float) W, 1.0f);
    frame.addRectangle(0.0f, (float) M, (float) W, 1.0f);
    frameLines.setPath(frame);
    drawables.setBounds(getLocalBounds());
}

void ChordEditPanel::colorMapping()
{
    panelColor = colorTheme->chordBgColor;
    dividerLines.setFill(colorTheme->chordDarkColor);
    pool.setSkinMode(skinMode);
    unitsPanel.setSkinMode(skinMode);
    repaint();
}

void ChordEditPanel::initialize()
{
    unitsPanel.initialize();
}

void ChordEditPanel::updateFxStateFromVt(juce::ValueTree tree, juce::String)
{
    unitsPanel.updateUnitsStateFromVt(tree);
}

void ChordEditPanel::newPresetFolderPathIsSelected()
{
    if (auto* settings = zu::tools::settingsOf(*this))
    {
        settings->chordPresetFolder = presetFolder;
        settings->updateAndSaveSettingFile();
    }
}

juce::XmlElement ChordEditPanel::getXmlStateForSaveingPreset(const juce::String& presetName)
{
    juce::ValueTree set("ChordSet");
    for (int k = 1; k <= ChordUnitsMainPanel::numUnits; ++k)
        set.appendChild(juce::ValueTree("Chord" + juce::String(k)), nullptr);
    unitsPanel.getCurUnitsState(set);
    auto xml = set.createXml();
    xml->setAttribute("presetname", presetName);
    return *xml;
}
