// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecPanel.h"

#include "PluginSettingState.h"
#include "ZuCallOut.h"
#include "ZuMirabox_MainPanel.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
// Target k (0..9) of a track: its text and the settings colour of its kind.
juce::String targetText(int k)
{
    return juce::String(k < 8 ? k % 4 + 1 : k - 7);
}

size_t targetColourIndex(int k)
{
    return k < 4 ? PluginSettingState::pitchColor
                 : (k < 8 ? PluginSettingState::ccColor : PluginSettingState::ccRackColor);
}

juce::ValueTree otherParams(juce::ValueTree paramTree)
{
    return paramTree.getChildWithName("otherparams");
}
} // namespace

//==============================================================================
RecTrkPanel::RecTrkPanel(juce::ValueTree paramTree, int track, juce::Colour backgroundColour,
                         zu::global::UnitColours unitColours)
    : background(backgroundColour), trackIndex(track)
{
    zu::global::addCaption(*this, label, labelLook.get(), background, "Track " + juce::String(track + 1), 0.8f);
    auto tree = otherParams(paramTree);
    for (int k = 0; k < (int) buttons.size(); ++k)
    {
        auto& button = buttons[(size_t) k];
        const auto colour = unitColours[targetColourIndex(k)];
        addAndMakeVisible(button);
        zu::global::keepFocusAway(button);
        button.setButtonText(targetText(k));
        button.setLookAndFeel(&buttonLook.get());
        button.setClickingTogglesState(true);
        auto& props = button.getProperties();
        props.set(ZuStyle::fontsize, 0.95);
        props.set(ZuStyle::fontface, "Medium");
        props.set("istextdisp", 1);
        props.set(ZuStyle::bgcolor, background.toString());
        props.set(ZuStyle::curvefactor, 3.0);
        props.set(ZuStyle::outlinecolor, colorTheme->entry(23, 0).toString());
        button.setColour(juce::TextButton::buttonOnColourId, colour);
        button.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff262626));
        button.setColour(juce::TextButton::textColourOffId, colour);
        button.setColour(juce::TextButton::textColourOnId, colorTheme->entry(21, 0));
        button.setTooltip("Selects the target units");
        // Track t records pitch unit t unless the user chose otherwise.
        attacher->attachToButton(tree, "p0_rectrk" + juce::String(track + 1) + "tarunit" + juce::String(k + 1),
                                 k == track, button);
    }
}

RecTrkPanel::~RecTrkPanel()
{
    label.setLookAndFeel(nullptr);
    for (auto& button : buttons)
        button.setLookAndFeel(nullptr);
}

void RecTrkPanel::paint(juce::Graphics& g)
{
    g.fillAll(background);
}

void RecTrkPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int mx = juce::jlimit(2, 12, (int) ((float) w * 0.06f));
    const int my = juce::jlimit(2, 12, (int) ((float) h * 0.03f));
    const int W = juce::jmax(w - 2 * mx, 0), H = juce::jmax(h - 2 * my, 0);
    const int lh = (int) ((float) H * 0.1f);
    label.setBounds(mx, my, W, lh);
    const int gap = (int) ((float) (H - lh) * 0.06f);
    const int rest = H - lh - gap;
    const int bh = (int) ((float) rest * 0.1f);
    const int y0 = my + lh + gap + (rest - 10 * bh) / 2;
    for (int k = 0; k < (int) buttons.size(); ++k)
        buttons[(size_t) k].setBounds(mx, y0 + k * bh, W, bh);
}

//==============================================================================
RecEditPanel::RecEditPanel(juce::ValueTree paramTree, juce::Colour backgroundColour,
                           zu::global::UnitColours unitColours)
    : background(backgroundColour)
{
    for (int t = 0; t < (int) tracks.size(); ++t)
    {
        tracks[(size_t) t] = std::make_unique<RecTrkPanel>(paramTree, t, background, unitColours);
        addAndMakeVisible(*tracks[(size_t) t]);
    }
    zu::global::addCaption(*this, heading, labelLook.get(), background, "Set the target units of each recording track",
                           0.88f);
}

RecEditPanel::~RecEditPanel()
{
    heading.setLookAndFeel(nullptr);
}

void RecEditPanel::paint(juce::Graphics& g)
{
    g.fillAll(background);
}

void RecEditPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int mx = juce::jlimit(2, 12, (int) ((float) w * 0.04f));
    const int my = juce::jlimit(2, 12, (int) ((float) h * 0.04f));
    const int W = juce::jmax(w - 2 * mx, 0), H = juce::jmax(h - 2 * my, 0);
    const int hh = (int) ((float) H * 0.09f);
    heading.setBounds(mx, my, W, hh);
    const int gap = (int) ((float) (H - hh) * 0.03f);
    const int top = my + hh + gap, rest = juce::jmax(H - hh - gap, 0);
    const int step = (int) ((float) W * 0.25f);
    const int x0 = mx + (W - 4 * step) / 2 + 1;
    for (int t = 0; t < (int) tracks.size(); ++t)
        tracks[(size_t) t]->setBounds(x0 + t * step, top, juce::jmax(step - 2, 0), rest);
}

//==============================================================================
RecPanel::RecPanel(juce::AudioProcessorValueTreeState&, juce::ValueTree tree, MirabelGlobalData& global)
    : paramTree(tree), globalData(global)
{
    baseColor = colorTheme->entry(1, 0);
    skinMode = 0;

    for (int k = 0; k < (int) items.size(); ++k)
    {
        items[(size_t) k] =
            std::make_unique<DdMidiFileItem>("midifile" + juce::String(k + 1), juce::Colour(0xffb0b0b0));
        addChildComponent(*items[(size_t) k]);
    }

    addAndMakeVisible(editButton);
    zu::global::keepFocusAway(editButton);
    editButton.setButtonText("EDIT");
    editButton.setTooltip("Edits the recording target units");
    editButton.setLookAndFeel(&editLook.get());
    ZuStyle::setColour(editButton, ZuStyle::bgcolor, baseColor);
    ZuStyle::setReal(editButton, ZuStyle::fontsize, 0.93f);
    ZuStyle::setReal(editButton, ZuStyle::corner, 2.0f);
    editButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
    editButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff505050));
    editButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffb0b0b0));
    editButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    editButton.onClick = [this] { editButtonClicked(); };

    zu::global::addCaption(*this, titleLabel, labelLook.get(), baseColor, "5 Track Midi Recorder", 0.93f);
    zu::global::addCaption(*this, lengthLabel, labelLook.get(), baseColor, "Rec Leng", 1.1f);

    // Shown once the editor has settled (or when the recorder state says so).
    addChildComponent(recordButton);
    zu::global::keepFocusAway(recordButton);
    recordButton.setLookAndFeel(&recordLook.get());
    recordButton.setClickingTogglesState(true);
    recordButton.setColour(juce::TextButton::buttonColourId, baseColor);
    recordButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffea5550));
    recordButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffa0a0a0));
    recordButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffea5550));
    recordButton.setTooltip("Record the midi out of the sequencer. To procede: with the host clock idle, first select "
                            "the length, then activate this button. The recording will begin as soon as the host clock "
                            "is restarted.");
    recordButton.onClick = [this] { recordButtonClicked(); };

    addAndMakeVisible(lengthBox);
    zu::global::keepFocusAway(lengthBox);
    lengthBox.setName({});
    lengthBox.setTooltip("Sets the recording bar length. 1~128");
    lengthBox.setLookAndFeel(&boxLook.get());
    lengthBox.setMouseCursor(juce::MouseCursor::UpDownResizeCursor);
    lengthBox.getProperties().set(ZuStyle::barflag, 0);
    lengthBox.getProperties().set(ZuStyle::fontsize, 0.9);
    lengthBox.setSliderStyle(juce::Slider::RotaryHorizontalVerticalDrag);
    lengthBox.setTextBoxStyle(juce::Slider::NoTextBox, true, 20, 20);
    lengthBox.setColour(juce::Slider::backgroundColourId, baseColor);
    lengthBox.setColour(juce::Slider::textBoxBackgroundColourId, colorTheme->entry(2, 0));
    lengthBox.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffd0d0d0));
    lengthBox.setColour(juce::Slider::trackColourId, colorTheme->entry(47, 0).withAlpha(0.4f));
    lengthBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xffd0d0d0).withAlpha(0.7f));
    // One bar is the shortest take; a missing length starts (and a
    // double-click returns) there, never at 0, which the engine reads as 128.
    attacher->attachToSlider(otherParams(paramTree), "p0_recleng", 1.0f, {1.0, 128.0, 1.0}, lengthBox);

    juce::Component::SafePointer<juce::Component> self(this);
    juce::Timer::callAfterDelay(recordButtonShowMs,
                                [self, this]
                                {
                                    if (self != nullptr)
                                        recordButton.setVisible(true);
                                });
    startTimer(stateTimer, statePollMs);
    startTimer(itemsTimer, itemsFirstMs);
}

RecPanel::~RecPanel()
{
    for (int id : {armedTimer, stateTimer, stateDelayTimer, itemsTimer})
        stopTimer(id);
    cancelPendingUpdate();
    // The call-out sits in the editor, which may go first: it must not call
    // this panel back, and it closes with the panel.
    if (auto* box = editCallOut.getComponent())
    {
        box->removeComponentListener(this);
        box->dismiss();
    }
    for (juce::Component* c :
         std::initializer_list<juce::Component*>{&titleLabel, &lengthLabel, &lengthBox, &editButton, &recordButton})
        c->setLookAndFeel(nullptr);
}

void RecPanel::recordButtonClicked()
{
    const bool armed = recordButton.getToggleState();
    for (auto& flag : globalData.recArmed)
        flag = armed;
    startTimer(armedTimer, armedPollMs);
}

void RecPanel::timerCallback(int timerId)
{
    switch (timerId)
    {
    case armedTimer:
        // The engine lowers lane 0's flag after it has published the lanes'
        // takes, so reading the take flags after seeing it lowered sees them.
        if (globalData.recArmed[0].load())
            return;
        stopTimer(armedTimer);
        if (recordButton.getToggleState())
            recordButton.setToggleState(false, juce::sendNotification);
        startTimer(itemsTimer, itemsAfterTakeMs);
        break;
    case stateTimer:
        if (globalData.recStateChanged.exchange(false))
        {
            cancelPendingUpdate();
            startTimer(stateDelayTimer, stateDelayMs);
        }
        break;
    case stateDelayTimer:
        stopTimer(stateDelayTimer);
        triggerAsyncUpdate();
        break;
    case itemsTimer:
        stopTimer(itemsTimer);
        for (int k = 0; k < (int) items.size(); ++k)
            items[(size_t) k]->setVisible(globalData.recHasTake[(size_t) k].load());
        break;
    default:
        break;
    }
}

void RecPanel::handleAsyncUpdate()
{
    if (!globalData.recRunning[0].load())
        recordButton.setVisible(true);
    else if (recordButton.getToggleState())
        for (auto& item : items)
            item->setVisible(false);
    else
        // No arming while the host plays.
        recordButton.setVisible(false);
}

void RecPanel::editButtonClicked()
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    const auto background = colorTheme->entry(3, skinMode);
    zu::global::UnitColours colours;
    const auto& stored = ZuEditorAccess(editor->processor).getSettings().unitColors;
    std::copy(stored.begin(), stored.end(), colours.begin());
    auto content = std::make_unique<RecEditPanel>(paramTree, background, colours);
    const auto bounds = editor->getLocalBounds();
    content->setSize((int) ((float) bounds.getWidth() * 0.2f), (int) ((float) bounds.getHeight() * 0.3f));

    if (auto* open = editCallOut.getComponent())
        open->removeComponentListener(this);
    auto& box = zu::callout::launch(std::move(content), editor->getLocalArea(&editButton, editButton.getLocalBounds()),
                                    *editor, background, juce::Colour(0xff909090));
    editCallOut = &box;
    box.addComponentListener(this);
}

void RecPanel::componentBeingDeleted(juce::Component& component)
{
    // Only the EDIT call-out is listened to (its pointer is already cleared here).
    component.removeComponentListener(this);
    editButton.setState(juce::Button::buttonNormal);
    if (auto* mainPanel = findParentComponentOfClass<ZuMirabox_MainPanel>())
        mainPanel->centerContainer.setKeyboardFocusToTabPanel();
}

void RecPanel::setSkinMode(int skin)
{
    skinMode = skin;
    baseColor = colorTheme->entry(1, skinMode);
    for (auto& item : items)
    {
        item->backgroundColour = baseColor;
        item->repaint();
    }
    for (auto* label : {&titleLabel, &lengthLabel})
        zu::global::recolourCaption(*label, baseColor, juce::Colour(0xffb0b0b0));
    ZuStyle::setColour(editButton, ZuStyle::bgcolor, baseColor);
    editButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffd0d0d0));
    editButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff808080));
    editButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffa5a5a5));
    editButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff101010));
    recordButton.setColour(juce::TextButton::buttonColourId, baseColor);
    lengthBox.setColour(juce::Slider::backgroundColourId, baseColor);
    lengthBox.setColour(juce::Slider::textBoxBackgroundColourId, baseColor.darker(0.1f));
    lengthBox.setColour(juce::Slider::textBoxTextColourId, juce::Colour(0xffd0d0d0));
    lengthBox.setColour(juce::Slider::trackColourId, colorTheme->entry(47, skinMode).withAlpha(0.4f));
    lengthBox.setColour(juce::Slider::textBoxOutlineColourId, juce::Colour(0xffd0d0d0).withAlpha(0.7f));
    repaint();
}

void RecPanel::resized()
{
    const int w = getWidth(), h = getHeight();
    const int m = juce::jlimit(2, 12, (int) ((float) w * 0.04f));
    const int W = juce::jmax(w - 2 * m, 0), H0 = juce::jmax(h - 2, 0);
    int y = 1;

    const int topH = (int) ((float) H0 * 0.21f);
    const int editW = (int) ((float) W * 0.2f);
    editButton.setBounds(m, y, editW, topH);
    const int rest = W - editW;
    const int titleGap = (int) ((float) rest * 0.08f);
    titleLabel.setBounds(m + editW + titleGap, y, juce::jmax(rest - titleGap, 0), topH);
    y += topH;
    int left = H0 - topH;

    const int gap1 = (int) ((float) left * 0.13f);
    y += gap1;
    left -= gap1;

    const int midH = (int) ((float) left * 0.52f);
    const int inset = (int) ((float) W * 0.035f);
    const int midW = juce::jmax(W - 2 * inset, 0);
    const int recW = (int) ((float) midW * 0.41f);
    recordButton.setBounds(m + inset, y, recW, midH);
    const int columnW = (int) ((float) (midW - recW) * 0.88f);
    const int columnX = m + inset + midW - columnW;
    const int labelH = (int) ((float) midH * 0.43f);
    lengthLabel.setBounds(columnX, y, columnW, labelH);
    const int boxInset = (int) ((float) columnW * 0.1f);
    lengthBox.setBounds(columnX + boxInset, y + labelH + 1, juce::jmax(columnW - 2 * boxInset, 0),
                        juce::jmax(midH - labelH - 1, 0));
    y += midH;
    left -= midH;

    const int gap2 = (int) ((float) left * 0.21f);
    y += gap2;
    left -= gap2;

    const int pad = (int) ((float) left * 0.1f);
    const int itemW = (int) ((float) W * 0.18f), itemGap = (int) ((float) W * 0.025f);
    const int groupW = 5 * itemW + 4 * itemGap;
    const int x0 = m + (W - groupW) / 2;
    for (int k = 0; k < (int) items.size(); ++k)
        items[(size_t) k]->setBounds(x0 + k * (itemW + itemGap), y + pad, itemW, juce::jmax(left - 2 * pad, 0));
}
