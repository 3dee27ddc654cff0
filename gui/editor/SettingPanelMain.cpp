// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingPanelMain.h"

#include "PluginSettingState.h"
#include "ZuCallOut.h"
#include "ZuGlobalPanelParts.h"
#include "ZuMidiMapPanel.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

SettingPanelMain::SettingPanelMain(juce::AudioProcessorValueTreeState& state, juce::ValueTree mapTree)
    : midiMapTree(mapTree)
{
    colourA = colorTheme->settingsFillColor;
    colourB = colourA.brighter(0.7f);
    panelColor = colorTheme->entry(1, skinMode);

    addAndMakeVisible(background);
    background.setFill(colourA);
    background.toBack();
    addAndMakeVisible(outline);
    outline.setFill(juce::Colour(0xff000000));

    addAndMakeVisible(channelBox);
    zu::global::keepFocusAway(channelBox);
    channelBox.setName("CH");
    channelBox.setLookAndFeel(&channelLook.get());
    channelBox.setTooltip("Sets the master Midi channel");
    channelBox.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    channelBox.getProperties().set(ZuStyle::barflag, 0);
    channelBox.getProperties().set(ZuStyle::fontsize, 0.9);
    channelBox.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    channelBox.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    channelBox.setColour(juce::Slider::backgroundColourId, colourA);
    channelBox.setColour(juce::Slider::textBoxBackgroundColourId, colorTheme->entry(2, skinMode));
    channelBox.setColour(juce::Slider::textBoxTextColourId, colourB.brighter(0.1f));
    channelBox.setColour(juce::Slider::trackColourId, colorTheme->entry(47, skinMode).withAlpha(0.4f));
    channelBox.setColour(juce::Slider::textBoxOutlineColourId, colourB.withAlpha(0.7f));
    if (state.getParameter("p0_gch") != nullptr)
        channelAttachment =
            std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, "p0_gch", channelBox);

    addLabel(channelLabel, "Master \nMidi CH", 0.53f);
    addLabel(modPanelLabel, "Mod panel visible \nby default", 0.53f);
    addLabel(pitchPanelLabel, "Pitch SEQ panel \nextended by default", 0.53f);
    addLabel(mapLabel, "Midi map", 0.65f);

    addButton(modPanelButton, "onoff");
    addButton(pitchPanelButton, "onoff");
    addButton(editButton, "Edit");
    modPanelButton.setClickingTogglesState(true);
    pitchPanelButton.setClickingTogglesState(true);
    modPanelButton.setTooltip("If active, the mod panel will be visible by default");
    pitchPanelButton.setTooltip("If active, the pitch seq panel will be extended by default");
    modPanelButton.onClick = [this] { toggleClicked(modPanelButton); };
    pitchPanelButton.onClick = [this] { toggleClicked(pitchPanelButton); };
    editButton.onClick = [this] { mapEditButtonClicked(); };

    juce::Component::SafePointer<SettingPanelMain> self(this);
    juce::Timer::callAfterDelay(firstLoadDelayMs,
                                [self]
                                {
                                    if (auto* page = self.getComponent())
                                        page->loadSettingStates();
                                });
}

SettingPanelMain::~SettingPanelMain()
{
    // A MIDI map left open closes with the page.
    if (auto* box = mapCallOut.getComponent())
        box->dismiss();
    channelAttachment.reset();
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&channelLabel, &channelBox, &modPanelLabel, &modPanelButton,
                                                 &pitchPanelLabel, &pitchPanelButton, &mapLabel, &editButton})
        c->setLookAndFeel(nullptr);
}

void SettingPanelMain::addLabel(juce::Label& label, const juce::String& text, float fontSize)
{
    addAndMakeVisible(label);
    label.setLookAndFeel(&labelLook.get());
    label.setJustificationType(juce::Justification::centred);
    label.getProperties().set(ZuStyle::bgcolor, colourA.toString());
    label.setColour(juce::Label::backgroundColourId, colourA);
    label.setColour(juce::Label::textColourId, colourB);
    label.getProperties().set(ZuStyle::fontface, "Medium");
    label.setText(text, juce::dontSendNotification);
    label.getProperties().set(ZuStyle::fontsize, (double) fontSize);
}

void SettingPanelMain::addButton(juce::TextButton& button, const juce::String& text)
{
    addAndMakeVisible(button);
    zu::global::keepFocusAway(button);
    button.setLookAndFeel(&buttonLook.get());
    button.setButtonText(text);
    auto& props = button.getProperties();
    props.set(ZuStyle::fontsize, 0.82);
    props.set(ZuStyle::fontface, "Medium");
    props.set("istextdisp", 1);
    props.set(ZuStyle::bgcolor, colourA.toString());
    props.set(ZuStyle::curvefactor, 3.0);
    props.set(ZuStyle::outlinecolor, colourB.darker(0.4f).toString());
    button.setColour(juce::TextButton::buttonOnColourId, colourB.brighter(0.1f));
    button.setColour(juce::TextButton::buttonColourId, colourA);
    button.setColour(juce::TextButton::textColourOffId, colourB);
    button.setColour(juce::TextButton::textColourOnId, colourA);
}

void SettingPanelMain::toggleClicked(juce::TextButton& button)
{
    const auto access = zu::global::editorAccess(*this);
    if (!access)
        return;
    auto& settings = access->getSettings();
    if (&button == &modPanelButton)
        settings.modPanelByDefault = button.getToggleState();
    else
        settings.pitchPanelByDefault = button.getToggleState();
    settings.updateAndSaveSettingFile();
}

void SettingPanelMain::loadSettingStates()
{
    const auto access = zu::global::editorAccess(*this);
    if (!access)
        return;
    const auto& settings = access->getSettings();
    modPanelButton.setToggleState(settings.modPanelByDefault, juce::dontSendNotification);
    pitchPanelButton.setToggleState(settings.pitchPanelByDefault, juce::dontSendNotification);
}

void SettingPanelMain::mapEditButtonClicked()
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    const int note = juce::jlimit(0, PluginSettingState::maxMidiTpNote,
                                  ZuEditorAccess(editor->processor).getSettings().midiTpNote.load());
    auto panel = std::make_unique<ZuMidiMapPanel>(note);
    const auto bounds = editor->getLocalBounds();
    panel->setSize((int) ((float) bounds.getWidth() * 0.8f), (int) ((float) bounds.getHeight() * 0.45f));
    auto& box = zu::callout::launch(std::move(panel), editor->getLocalArea(&editButton, editButton.getLocalBounds()),
                                    *editor, juce::Colour(0xff131e2a).darker(0.2f), baseColor.darker(0.4f));
    mapCallOut = &box;
}

void SettingPanelMain::colorMapping()
{
    panelColor = colorTheme->entry(1, skinMode);
    repaint();
}

void SettingPanelMain::paint(juce::Graphics& g)
{
    g.fillAll(panelColor);
}

void SettingPanelMain::resized()
{
    const int h = getHeight();
    const auto page = zu::global::roundedPageArea(getWidth(), h);
    background.setPath(page.rounded);
    juce::Path stroke;
    juce::PathStrokeType(1.0f).createStrokedPath(stroke, page.rounded);
    outline.setPath(stroke);

    const int g = (int) ((float) h * 0.08f);
    const int UW = page.usable.getWidth(), UH = page.usable.getHeight();
    const int X0 = page.usable.getX(), Y0 = page.usable.getY(), B = page.usable.getBottom();

    const int lh = juce::jmin((int) ((float) UH * 0.48f), UH);
    const int kh = juce::jmin((int) ((float) (UH - lh) * 0.91f), UH - lh);
    const int iy = (int) ((float) kh * 0.15f);
    int left = UW, cx = X0;
    const auto column = [&](int width, bool first)
    {
        if (!first)
        {
            const int skip = juce::jmin(g, left);
            cx += skip;
            left -= skip;
        }
        const int c = juce::jmin(width, left);
        const int x0 = cx;
        cx += c;
        left -= c;
        return juce::Range<int>(x0, x0 + c);
    };
    const auto placeControl = [&](juce::Component& control, juce::Range<int> col, int height, int inset)
    {
        const int ix = (int) ((float) col.getLength() * 0.15f);
        control.setBounds(col.getStart() + ix, B - height + inset, juce::jmax(col.getLength() - 2 * ix, 0),
                          juce::jmax(height - 2 * inset, 0));
    };

    const auto c1 = column((int) ((float) UW * 0.05f), true);
    channelLabel.setBounds(c1.getStart(), Y0, c1.getLength(), lh);
    placeControl(channelBox, c1, kh, iy);
    const auto c2 = column(2 * c1.getLength(), false);
    modPanelLabel.setBounds(c2.getStart(), Y0, c2.getLength(), lh);
    placeControl(modPanelButton, c2, kh, iy);
    const auto c3 = column(c2.getLength(), false);
    pitchPanelLabel.setBounds(c3.getStart(), Y0, c3.getLength(), lh);
    placeControl(pitchPanelButton, c3, kh, iy);
    const auto c4 = column((int) ((float) c3.getLength() * 0.7f), false);
    const int lh4 = juce::jmin((int) ((float) UH * 0.43f), UH);
    mapLabel.setBounds(c4.getStart(), Y0, c4.getLength(), lh4);
    const int eh = juce::jmin((int) ((float) (UH - lh4) * 0.91f), UH - lh4);
    placeControl(editButton, c4, eh, (int) ((float) eh * 0.15f));
}
