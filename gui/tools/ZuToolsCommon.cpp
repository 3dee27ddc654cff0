// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuToolsCommon.h"

#include "ZuCallOut.h"
#include "ZuEditorAccess.h"
#include "ZuHostType.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
constexpr int numOctaveGroups = 11;
}

const juce::String& zu::tools::noteName(int pitchClass)
{
    static const std::array<juce::String, numPitchClasses> names{"C",  "C#", "D",  "D#", "E",  "F",
                                                                 "F#", "G",  "G#", "A",  "A#", "B"};
    return names[(size_t) juce::jlimit(0, numPitchClasses - 1, pitchClass)];
}

bool zu::tools::isWhiteKey(int pitchClass) noexcept
{
    static constexpr std::array<bool, numPitchClasses> white{true,  false, true,  false, true,  true,
                                                             false, true,  false, true,  false, true};
    return white[(size_t) juce::jlimit(0, numPitchClasses - 1, pitchClass)];
}

int zu::tools::octaveNumberOffset()
{
    return -zu::host::octaveCaptionOffset(zu::host::description());
}

juce::String zu::tools::noteText(int note, int d)
{
    const int octave = note / 12 - d;
    return (octave < 0 ? "-" : "") + noteName(note % 12) + juce::String(std::abs(octave));
}

juce::String zu::tools::octaveText(int octave)
{
    return (octave > 0 ? "+" : "") + juce::String(octave);
}

void zu::tools::addNoteItems(juce::ComboBox& box, int d)
{
    box.addItem("-", 1);
    auto* root = box.getRootMenu();
    for (int group = 0; group < numOctaveGroups; ++group)
    {
        juce::PopupMenu octave;
        for (int note = 12 * group; note < juce::jmin(12 * group + 12, numMidiNotes); ++note)
            octave.addItem(note + 2, noteText(note, d));
        root->addSubMenu(octaveText(group - d), octave);
    }
}

void zu::tools::noFocus(juce::Component& c)
{
    c.setMouseClickGrabsKeyboardFocus(false);
    c.setWantsKeyboardFocus(false);
}

ZumiraboxAudioProcessorEditor* zu::tools::editorOf(const juce::Component& c)
{
    return c.findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
}

ZuMirabox_MainPanel* zu::tools::mainPanelOf(const juce::Component& c)
{
    auto* editor = editorOf(c);
    return editor == nullptr ? nullptr : editor->getMainPanel();
}

PluginSettingState* zu::tools::settingsOf(const juce::Component& c)
{
    auto* editor = editorOf(c);
    return editor == nullptr ? nullptr : &ZuEditorAccess(editor->processor).getSettings();
}

void zu::tools::setChordNoteTarget(const juce::Component& c, int slot)
{
    if (auto* editor = editorOf(c))
        ZuEditorAccess(editor->processor).setChordNoteTarget(slot);
}

std::optional<juce::Colour> zu::tools::pitchUnitColour(const juce::Component& c)
{
    if (auto* settings = settingsOf(c))
        return settings->unitColors[PluginSettingState::pitchColor];
    return std::nullopt;
}

void zu::tools::styleSectionTitle(juce::Component& owner, juce::Label& title, ZuCLAF_Label2& lookAndFeel,
                                  juce::Colour base, juce::Colour text, float fontSize)
{
    owner.addAndMakeVisible(title);
    title.setLookAndFeel(&lookAndFeel);
    title.setJustificationType(juce::Justification::centred);
    recolourSectionTitle(title, base);
    title.setColour(juce::Label::outlineColourId, juce::Colour(0xff000000));
    title.getProperties().set(ZuStyle::fontface, "Medium");
    title.setColour(juce::Label::textColourId, text);
    ZuStyle::setReal(title, ZuStyle::fontsize, fontSize);
    title.setInterceptsMouseClicks(false, false);
    noFocus(title);
}

void zu::tools::recolourSectionTitle(juce::Label& title, juce::Colour base)
{
    ZuStyle::setColour(title, ZuStyle::bgcolor, base);
    title.setColour(juce::Label::backgroundColourId, base);
}

void zu::tools::stylePowerButton(juce::Component& owner, juce::Button& power, juce::LookAndFeel& lookAndFeel,
                                 const juce::String& tooltip, float iconScale, juce::Colour base)
{
    owner.addAndMakeVisible(power);
    power.setLookAndFeel(&lookAndFeel);
    noFocus(power);
    power.setButtonText("power");
    power.setTooltip(tooltip);
    power.setClickingTogglesState(true);
    power.getProperties().set(ZuStyle::svgname, "power");
    ZuStyle::setReal(power, ZuStyle::scale, iconScale);
    recolourPowerButton(power, base, juce::Colour(0xff303030));
}

void zu::tools::recolourPowerButton(juce::Button& power, juce::Colour base, juce::Colour textOff)
{
    power.setColour(juce::TextButton::buttonOnColourId, base);
    power.setColour(juce::TextButton::buttonColourId, base);
    power.setColour(juce::TextButton::textColourOffId, textOff);
    power.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffe0e0e0));
}

void zu::tools::recolourSectionHeader(juce::Label& title, juce::Label& targets, juce::Button& power, juce::Colour base)
{
    for (auto* label : {&title, &targets})
    {
        recolourSectionTitle(*label, base);
        label->setColour(juce::Label::textColourId, juce::Colour(0xffb0b0b0));
    }
    recolourPowerButton(power, base, juce::Colour(0xff101010));
}

void zu::tools::styleTargetToggle(juce::Button& b, const ZuMirabox_ColorTheme& theme, float fontSize,
                                  const juce::String& face)
{
    // Construction colours read the first skin; colour mappings change them.
    ZuStyle::setReal(b, ZuStyle::fontsize, fontSize);
    b.getProperties().set(ZuStyle::fontface, face);
    ZuStyle::setColour(b, ZuStyle::bgcolor, theme.unitAreaBgColor[0]);
    b.getProperties().set(ZuStyle::curvefactor, 3);
    b.getProperties().set(ZuStyle::outlinecolor, "00000000");
    b.setColour(juce::TextButton::buttonOnColourId, theme.pitchUnitColor[0]);
    b.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff262626));
    b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff808080));
    b.setColour(juce::TextButton::textColourOnId, theme.buttonTextOnColor[0]);
}

zu::tools::WatchedCallOut::~WatchedCallOut()
{
    if (auto* box = current.getComponent())
    {
        box->removeComponentListener(&listener);
        box->dismiss();
    }
}

void zu::tools::WatchedCallOut::watch(juce::CallOutBox& box)
{
    if (auto* previous = current.getComponent())
        previous->removeComponentListener(&listener);
    box.addComponentListener(&listener);
    current = &box;
}

void zu::tools::WatchedCallOut::launch(std::unique_ptr<juce::Component> content, juce::Component& anchor,
                                       juce::Component& parent, juce::Colour fill, juce::Colour outline)
{
    const auto target = parent.getLocalArea(&anchor, anchor.getLocalBounds());
    watch(zu::callout::launch(std::move(content), target, parent, fill, outline));
}

juce::PopupMenu::Options zu::tools::menuOptionsAtMouse(juce::Component& target, int minimumWidth, int itemHeight)
{
    const auto mouse = juce::Desktop::getInstance().getMainMouseSource().getScreenPosition().roundToInt();
    return juce::PopupMenu::Options()
        .withMinimumWidth(minimumWidth)
        .withStandardItemHeight(itemHeight)
        .withMaximumNumColumns(16)
        .withTargetComponent(&target)
        .withTargetScreenArea(juce::Rectangle<int>().withPosition(mouse));
}
