// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaleType1Panel.h"

#include "PluginSettingState.h"
#include "ScaleEditPanel.h"
#include "ZuCallOut.h"
#include "ZuConvert.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <cmath>

namespace
{
int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}

juce::Path roundedKey(float x, float y, float w, float h)
{
    juce::Path p;
    p.addRoundedRectangle(x, y, w, h, 1.5f);
    return p;
}
} // namespace

ScaleType1Panel::ScaleType1Panel(juce::AudioProcessorValueTreeState& parameterState, juce::ValueTree,
                                 juce::ValueTree paramTree, MirabelGlobalData& global, ScaleData& scale)
    : parameters(parameterState), tree(paramTree), globalData(global), scaleData(scale)
{
    presetExtension = ".scaletype1";
    panelColor = themeColour(colorTheme->panelBgColor);

    for (auto* d : {&frameFill, &frameOutline, &inScaleFill, &inScaleOutline, &outOfScaleOutline})
        drawables.addAndMakeVisible(*d);
    drawables.setInterceptsMouseClicks(false, false);
    addAndMakeVisible(drawables);

    struct Entry
    {
        juce::TextButton& button;
        const char* text;
        const char* tooltip;
    };
    for (const auto& e : {Entry{menuButton, "Menu", ""}, Entry{editButton, "EDIT", "Opens the scale edit panel"},
                          Entry{rootShiftButton, "Root Shift", "Root SHift"}, Entry{presetButton, "", ""},
                          Entry{previousButton, "<", "Cycle through all saved presets"},
                          Entry{nextButton, ">", "Cycle through all saved presets"}})
    {
        auto& b = e.button;
        addAndMakeVisible(b);
        b.setLookAndFeel(&buttonLook.get());
        zu::tools::noFocus(b);
        b.setButtonText(e.text);
        b.setTooltip(e.tooltip);
        ZuStyle::setColour(b, ZuStyle::bgcolor, themeColour(colorTheme->unitAreaBgColor));
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.9f);
        ZuStyle::setReal(b, ZuStyle::corner, 2.0f);
        b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff505050));
        b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
        b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    }
    menuButton.setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnBottom);
    menuButton.onClick = [this] { showMenu(false); };
    editButton.onClick = [this] { editButtonClicked(); };
    presetButton.setName("Preset");
    presetButton.onClick = [this] { showMenu(true); };
    previousButton.onClick = [this] { presetArrow(false); };
    nextButton.onClick = [this] { presetArrow(true); };

    addAndMakeVisible(rootBox);
    rootBox.setLookAndFeel(&rootLook.get());
    zu::tools::noFocus(rootBox);
    rootBox.setName("LFO type");
    for (int p = 0; p < zu::tools::numPitchClasses; ++p)
        rootBox.addItem(zu::tools::noteName(p), p + 1);
    rootBox.setTooltip("Selects the scale key");
    rootBox.setEditableText(false);
    rootBox.setJustificationType(juce::Justification::centredLeft);
    rootBox.setScrollWheelEnabled(true);
    ZuStyle::setReal(rootBox, ZuStyle::arrowsize, 0.33f);
    rootBox.setColour(juce::ComboBox::backgroundColourId, colorTheme->unitAreaBgColor[0]);
    rootBox.setColour(juce::ComboBox::textColourId, juce::Colour(0xffcccccc));
    rootBox.setColour(juce::ComboBox::arrowColourId, juce::Colour(0xff909090));
    rootBox.setColour(juce::ComboBox::outlineColourId, juce::Colour(0xff454545));

    rootShiftButton.setClickingTogglesState(true);
    rootShiftAttachment = std::make_unique<juce::AudioProcessorValueTreeState::ButtonAttachment>(
        parameters, "p8_scale_rootshift", rootShiftButton);
    rootAttachment =
        std::make_unique<juce::AudioProcessorValueTreeState::ComboBoxAttachment>(parameters, "p8_scale_root", rootBox);
    rootBox.onChange = [this] { startTimer(notifyTimer, rootChangeDelayMs); };
    rootShiftButton.getToggleStateValue().addListener(this);

    updatePresetButtonText();
}

ScaleType1Panel::~ScaleType1Panel()
{
    rootShiftButton.getToggleStateValue().removeListener(this);
    drawables.removeAllChildren();
    stopTimer(notifyTimer);
    stopTimer(refreshTimer);
    rootAttachment.reset();
    rootShiftAttachment.reset();
}

void ScaleType1Panel::colorMapping()
{
    panelColor = themeColour(colorTheme->panelBgColor);
    const auto frameColour = themeColour(colorTheme->unitAreaBgColor);
    frameFill.setFill(frameColour);
    frameOutline.setFill(frameColour.brighter(0.45f));
    repaint();
}

void ScaleType1Panel::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void ScaleType1Panel::initialize()
{
    for (int k = 0; k < zu::scalekeys::numKeys; ++k)
        tree.setProperty(zu::scalekeys::keyProperty(k), 1, nullptr);
    presetButton.setButtonText("Preset");
    tree.setProperty(zu::scalekeys::presetNameProperty, presetButton.getButtonText(), nullptr);
    scaleData.type1KeyStatesChanged();
    rootBox.setSelectedItemIndex(0, juce::sendNotification);
    rootShiftButton.setToggleState(false, juce::sendNotification);
    startTimer(notifyTimer, presetDelayMs);
}

void ScaleType1Panel::scaleParamChanged()
{
    startTimer(refreshTimer, refreshDelayMs);
}

void ScaleType1Panel::enablementChanged()
{
    updateDrawable();
    updatePresetButtonText();
}

juce::XmlElement ScaleType1Panel::getXmlStateForSaveingPreset(const juce::String& presetName)
{
    juce::XmlElement xml("Preset");
    xml.setAttribute("presetname", presetName);
    xml.setAttribute("root", rootBox.getSelectedItemIndex());
    xml.setAttribute("rootshift", rootShiftButton.getToggleState() ? 1 : 0);
    for (int k = 0; k < zu::scalekeys::numKeys; ++k)
        xml.setAttribute(zu::scalekeys::keyAttribute(k), zu::readIntProperty(tree, zu::scalekeys::keyProperty(k), 1));
    presetButton.setButtonText(presetName);
    return xml;
}

void ScaleType1Panel::updateFxStateFromVt(juce::ValueTree preset, juce::String presetName)
{
    // The root and Root Shift stay as they are.
    for (int k = 0; k < zu::scalekeys::numKeys; ++k)
        tree.setProperty(zu::scalekeys::keyProperty(k), zu::scalekeys::attributeValue(preset, k), nullptr);
    tree.setProperty(zu::scalekeys::presetNameProperty, presetName, nullptr);
    presetButton.setButtonText(presetName);
    presetButton.setState(juce::Button::buttonNormal);
    startTimer(notifyTimer, presetDelayMs);
}

void ScaleType1Panel::newPresetFolderPathIsSelected()
{
    if (auto* settings = zu::tools::settingsOf(*this))
    {
        settings->scalePresetFolder = presetFolder;
        settings->updateAndSaveSettingFile();
    }
}

void ScaleType1Panel::updatePresetButtonText()
{
    presetButton.setButtonText(tree.getProperty(zu::scalekeys::presetNameProperty, "Preset").toString());
}

void ScaleType1Panel::notifyMainPanel()
{
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->scaleParamChanged();
}

void ScaleType1Panel::valueChanged(juce::Value&)
{
    notifyMainPanel();
}

void ScaleType1Panel::timerCallback(int id)
{
    stopTimer(id);
    if (id == notifyTimer)
    {
        updateDrawable();
        notifyMainPanel();
    }
    else if (id == refreshTimer)
    {
        updateDrawable();
        updatePresetButtonText();
    }
}

void ScaleType1Panel::updateDrawable()
{
    juce::Path framePath;
    framePath.addRoundedRectangle(frame, 2.0f);
    frameFill.setPath(framePath);
    juce::Path outline;
    juce::PathStrokeType(1.0f).createStrokedPath(outline, framePath);
    frameOutline.setPath(outline);

    juce::Path inScale, outOfScale;
    if (isEnabled())
    {
        std::array<bool, 12> active{};
        scaleData.getActiveNoteListForScaleDisp(active);
        const auto kb = keyboardArea;
        const float kw = 0.142f * kb.getWidth();
        const float x0 = kb.getX() + (kb.getWidth() - 7.0f * kw) / 2.0f;
        const float h = kb.getHeight();
        static constexpr std::array<int, 5> blackOver{0, 1, 3, 4, 5};
        for (int k = 0; k < zu::scalekeys::numKeys; ++k)
        {
            const bool white = k < 7;
            const float cellX = x0 + (float) (white ? k : blackOver[(size_t) (k - 7)]) * kw;
            const auto key = white ? roundedKey(cellX + 1.5f, kb.getY() + h / 2.0f + 1.5f, juce::jmax(kw - 3.0f, 0.0f),
                                                juce::jmax(h / 2.0f - 3.0f, 0.0f))
                                   : roundedKey(cellX + kw / 2.0f + 1.5f, kb.getY() + 1.5f, juce::jmax(kw - 3.0f, 0.0f),
                                                juce::jmax(h - juce::jmin(0.53f * h, h) - 3.0f, 0.0f));
            (active[(size_t) zu::tools::keyOrder[(size_t) k]] ? inScale : outOfScale).addPath(key);
        }
    }
    const auto colour = keyColour();
    inScaleFill.setPath(inScale);
    inScaleFill.setFill(colour.withAlpha(0.55f));
    inScaleOutline.setPath(inScale);
    inScaleOutline.setFill(juce::Colours::transparentBlack);
    inScaleOutline.setStrokeType(juce::PathStrokeType(0.5f));
    inScaleOutline.setStrokeFill(colour.withAlpha(0.9f));
    outOfScaleOutline.setPath(outOfScale);
    outOfScaleOutline.setFill(juce::Colours::transparentBlack);
    outOfScaleOutline.setStrokeType(juce::PathStrokeType(1.0f));
    outOfScaleOutline.setStrokeFill(colour.withAlpha(0.4f));
    drawables.setBounds(getLocalBounds());
}

void ScaleType1Panel::resized()
{
    frame = getLocalBounds().toFloat().reduced(1.0f);
    const float fh = frame.getHeight();
    auto inner = frame.reduced(0.05f * fh, 0.11f * fh);
    auto controls = inner.removeFromRight(juce::jmin(0.48f * inner.getWidth(), inner.getWidth()));
    keyboardArea = inner.reduced(0.0f, 0.03f * inner.getHeight());

    auto area = controls.toNearestInt();
    area = area.reduced(juce::jlimit(1, 10, trunc(0.05f * (float) area.getWidth())), 1);
    area.removeFromLeft(juce::jmin(juce::jlimit(1, 12, trunc(0.05f * (float) area.getWidth())), area.getWidth()));
    const int x = area.getX(), cw = area.getWidth(), ch = area.getHeight();
    int y = area.getY();

    const int rh = trunc(0.31f * (float) ch);
    const int mw = juce::jmin(trunc(1.5f * (float) rh), cw);
    menuButton.setBounds(x + cw - mw, y, mw, rh);
    editButton.setBounds(x, y, (cw - mw) - juce::jmin(1, cw - mw), rh);
    int left = ch - rh;
    y += rh;

    const int d = trunc(0.06f * (float) (ch - rh));
    const int gap1 = juce::jmin(d, left);
    y += gap1;
    left -= gap1;
    const int row2 = juce::jmin(rh, left);
    const int rs = juce::jmin(trunc(0.63f * (float) cw), cw);
    rootShiftButton.setBounds(x + cw - rs, y, rs, row2);
    rootBox.setBounds(x, y, (cw - rs) - juce::jmin(2, cw - rs), row2);
    y += row2;
    left -= row2;

    const int gap2 = juce::jmin(d, left);
    y += gap2;
    left -= gap2;
    const int a = juce::jmin(trunc(0.8f * (float) left), cw);
    const int nextW = juce::jmin(a, cw - a);
    previousButton.setBounds(x, y, a, left);
    nextButton.setBounds(x + cw - nextW, y, nextW, left);
    presetButton.setBounds(x + a + 2, y, juce::jmax(cw - a - nextW - 4, 0), left);

    const float kbw = keyboardArea.getWidth();
    const float shift = kbw >= 33.333336f ? juce::jmin(0.03f * kbw, 10.0f) : 1.0f;
    keyboardArea.removeFromLeft(juce::jmin(shift, kbw));
    updateDrawable();
}

void ScaleType1Panel::editButtonClicked()
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;
    auto keyEditor = std::make_unique<ScaleEditPanel>(tree, globalData, scaleData);
    if (auto* settings = zu::tools::settingsOf(*this))
        keyEditor->presetFolder = settings->scalePresetFolder;
    keyEditor->setAttachment(parameters);
    keyEditor->setSize(trunc(0.2f * (float) editor->getWidth()), trunc(0.28f * (float) editor->getHeight()));

    editCallOut.launch(std::move(keyEditor), editButton, *editor, themeColour(colorTheme->popupBgColor),
                       baseColor.darker(0.4f));
}

void ScaleType1Panel::componentBeingDeleted(juce::Component& component)
{
    component.removeComponentListener(this);
    if (auto* main = zu::tools::mainPanelOf(*this))
        main->centerContainer.setKeyboardFocusToTabPanel();
}

void ScaleType1Panel::showMenu(bool presetList)
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;
    if (auto* settings = zu::tools::settingsOf(*this))
        presetFolder = settings->scalePresetFolder;
    auto& anchor = presetList ? presetButton : menuButton;
    if (editor->getWidth() > 0 && editor->getHeight() > 0)
    {
        juce::Component::SafePointer<ScaleType1Panel> self(this);
        getMyMenu(presetList, !presetList)
            .showMenuAsync(zu::tools::menuOptionsAtMouse(anchor, 120, 18),
                           [self, presetList](int result)
                           {
                               auto* panel = self.getComponent();
                               if (panel != nullptr && result > 0)
                                   panel->menuHandler(result, presetList ? panel->presetButton : panel->menuButton,
                                                      panel);
                           });
    }
    anchor.setState(juce::Button::buttonNormal);
}

void ScaleType1Panel::presetArrow(bool next)
{
    if (presetFolder.isEmpty())
        if (auto* settings = zu::tools::settingsOf(*this))
            presetFolder = settings->scalePresetFolder;
    presetSelectArrow(next, currentPresetPath, presetFolder, presetButton.getButtonText());
}
