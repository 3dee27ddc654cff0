// SPDX-License-Identifier: GPL-3.0-or-later
#include "SEQ1ChordModeEditPanel.h"

#include "PluginSettingState.h"
#include "ZuCallOut.h"
#include "ZuConvert.h"
#include "ZuStyleProps.h"
#include "ZuToolsCommon.h"
#include "ZumiraboxAudioProcessorEditor.h"

#include <algorithm>

namespace
{
const juce::Colour keyOffWhite{0xff808080};
const juce::Colour keyOffBlack{0xff101010};
const juce::Colour keyText{0xff202020};
const juce::Colour blackKeyTextOff{0xff707070};
const juce::Colour outline{0xff707070};
const juce::Colour pickerText{0xffc0c0c0};
const juce::Colour labelText{0xff606060};
const juce::Colour separatorColour{0xff606060};
const juce::Identifier wkeyflag{"wkeyflag"};
const char* const cycleTooltip = "Cycle through all saved presets";

// Generator chord types in picker order; the semitone lists are the chord
// table's, the same twenty the engine plays.
const std::array<const char*, zu::tools::numChordTypes> chordTypeNames{
    "Major",     "Major 6th", "Major 7th", "Major 9th",  "Minor",          "Minor 6th", "Minor 7th",
    "Minor 9th", "7th",       "9th",       "add9",       "madd9",          "7-5",       "sus4",
    "7sus4",     "sus2",      "7sus2",     "Diminished", "Diminished 7th", "Argumented"};

// A note picker value that stands for "no note" while sorting: above every note.
constexpr int sortNoNote = 500;
constexpr int highestInvertible = 115;

int trunc(float v)
{
    return zu::toIntSaturating((double) v);
}
} // namespace

const std::vector<std::vector<int>>& SEQ1ChordModeEditPanel::chordTable()
{
    static const std::vector<std::vector<int>> table{{0, 4, 7},     {0, 4, 7, 9},      {0, 4, 7, 11}, {0, 4, 7, 11, 14},
                                                     {0, 3, 7},     {0, 3, 7, 9},      {0, 3, 7, 10}, {0, 3, 7, 10, 14},
                                                     {0, 4, 7, 10}, {0, 4, 7, 10, 14}, {0, 4, 7, 14}, {0, 3, 7, 14},
                                                     {0, 4, 6, 10}, {0, 5, 7},         {0, 5, 7, 10}, {0, 2, 7},
                                                     {0, 2, 7, 10}, {0, 3, 6},         {0, 3, 6, 9},  {0, 4, 8}};
    return table;
}

SEQ1ChordModeEditPanel::SEQ1ChordModeEditPanel(ChordModePanelBase& ownerPanel, juce::Value note1, juce::Value note2,
                                               juce::Value note3, juce::Value note4, juce::Value note5,
                                               juce::Colour colour)
    : owner(&ownerPanel), accent(colour), octaveOffset(zu::tools::octaveNumberOffset())
{
    presetExtension = ".chord";
    // The editor is never re-skinned: it always reads the first skin.
    const auto popupFill = colorTheme->popupBgColor[0];

    for (int i = 0; i < numWhiteKeys + numBlackKeys; ++i)
    {
        const bool white = i < numWhiteKeys;
        auto& key = white ? whiteKeys[(size_t) i] : blackKeys[(size_t) (i - numWhiteKeys)];
        const int pitchClass =
            white ? zu::tools::keyOrder[(size_t) (i % 7)] : zu::tools::keyOrder[(size_t) (7 + (i - numWhiteKeys) % 5)];
        addAndMakeVisible(key);
        key.setLookAndFeel(&keyLook.get());
        // A display only: clicks fall through to the panel.
        key.setInterceptsMouseClicks(false, false);
        zu::tools::noFocus(key);
        ZuStyle::setColour(key, ZuStyle::bgcolor, popupFill);
        ZuStyle::setReal(key, ZuStyle::fontsize, 1.0f);
        key.getProperties().set(wkeyflag, white ? 1 : 0);
        key.getProperties().set(ZuStyle::dispnote, zu::tools::noteName(pitchClass));
        key.setColour(juce::TextButton::buttonOnColourId, accent.brighter(0.2f));
        key.setColour(juce::TextButton::buttonColourId, white ? keyOffWhite : keyOffBlack);
        key.setColour(juce::TextButton::textColourOffId, white ? keyText : blackKeyTextOff);
        key.setColour(juce::TextButton::textColourOnId, keyText);
    }

    const std::array<juce::Value*, numNotes> values{&note1, &note2, &note3, &note4, &note5};
    for (int k = 0; k < numNotes; ++k)
    {
        auto& picker = notePickers[(size_t) k];
        addAndMakeVisible(picker);
        picker.setLookAndFeel(&pickerLook.get());
        zu::tools::noFocus(picker);
        picker.setColour(juce::ComboBox::backgroundColourId, popupFill);
        picker.setColour(juce::ComboBox::outlineColourId, outline);
        picker.setColour(juce::ComboBox::textColourId, pickerText);
        picker.colour = accent;
        zu::tools::addNoteItems(picker, octaveOffset);
        picker.onChange = [this] { startTimer(redrawTimer, redrawDelayMs); };
        // Both sides now show, and write, one value.
        picker.getSelectedIdAsValue().referTo(*values[(size_t) k]);
        picker.setSelectedId((int) values[(size_t) k]->getValue(), juce::dontSendNotification);
    }

    for (int k = 0; k < numNotes; ++k)
    {
        auto& label = noteLabels[(size_t) k];
        addAndMakeVisible(label);
        label.setLookAndFeel(&labelLook.get());
        ZuStyle::setColour(label, ZuStyle::bgcolor, popupFill);
        label.setColour(juce::Label::backgroundColourId, popupFill);
        label.setColour(juce::Label::textColourId, labelText);
        label.setJustificationType(juce::Justification::centredLeft);
        label.setText("Note" + juce::String(k + 1), juce::dontSendNotification);
        label.setInterceptsMouseClicks(false, false);
        zu::tools::noFocus(label);
    }

    handleNoteDisp();

    static const std::array<const char*, numTransposeButtons> transposeTexts{"-12", "-1", "+1", "+12"};
    static const std::array<const char*, numTransposeButtons> transposeTips{
        "Shift all chord notes -12 semitones", "Shift all chord notes -1 semitone", "Shift all chord notes +1 semitone",
        "Shift all chord notes +12 semitones"};
    static const std::array<int, numTransposeButtons> transposeEdges{
        juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom,
        juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop |
            juce::Button::ConnectedOnBottom,
        juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop |
            juce::Button::ConnectedOnBottom,
        juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnTop | juce::Button::ConnectedOnBottom};
    for (int k = 0; k < numTransposeButtons; ++k)
    {
        auto& b = transposeButtons[(size_t) k];
        styleTextButton(b, 0.83f, false);
        b.setButtonText(transposeTexts[(size_t) k]);
        b.setConnectedEdges(transposeEdges[(size_t) k]);
        b.setTooltip(transposeTips[(size_t) k]);
        b.onClick = [this, k] { chordShiftButtonClicked(k); };
    }

    styleTextButton(generateButton, 0.83f, false);
    generateButton.setButtonText("Generate");
    generateButton.setTooltip("Generates the chord notes");
    generateButton.setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnBottom);
    generateButton.onClick = [this] { chordGenButtonClicked(); };
    styleTextButton(rootInvButton, 0.83f, false);
    rootInvButton.setButtonText("Root Inv");
    rootInvButton.setTooltip("Inverts the current chord");
    rootInvButton.setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight);
    rootInvButton.onClick = [this] { rootInvButtonClicked(); };

    struct IconButton
    {
        juce::TextButton& button;
        const char* text;
        const char* tooltip;
    };
    for (const auto& icon : {IconButton{closeButton, "Close", "Closes the chord edit window"},
                             IconButton{sortButton, "Sort", "Sorts the chord notes"},
                             IconButton{eraserButton, "Eraser", "Clear the chord notes"},
                             IconButton{keyButton, "Key",
                                        "You can set the chord notes via midi keyboard,  1, Turn on this button, 2, "
                                        "Press your midi keyboard keys"}})
    {
        auto& b = icon.button;
        addAndMakeVisible(b);
        b.setLookAndFeel(&iconLook.get());
        zu::tools::noFocus(b);
        b.setButtonText(icon.text);
        b.setTooltip(icon.tooltip);
        ZuStyle::setColour(b, ZuStyle::bgcolor, popupFill);
        b.setColour(juce::TextButton::buttonColourId, popupFill);
        b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffc0c0c0));
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff707070));
        b.setColour(juce::TextButton::textColourOnId, juce::Colour(0x00000000));
    }
    closeButton.onClick = [this] { exitWndw(&closeButton); };
    sortButton.onClick = [this] { sortButtonClicked(); };
    eraserButton.onClick = [this] { initialize(); };
    keyButton.setClickingTogglesState(true);
    keyButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0xffdddddd));
    keyButton.onClick = [this] { keyButtonClicked(); };

    stylePicker(rootPicker, "Root", "Selects the root note");
    for (int p = 0; p < zu::tools::numPitchClasses; ++p)
        rootPicker.addItem(zu::tools::noteName(p), p + 1);
    stylePicker(octavePicker, "Oct", "Selects the octave of chord notes");
    for (int i = 0; i < 10; ++i)
        octavePicker.addItem(zu::tools::octaveText(i - octaveOffset), i + 1);
    stylePicker(chordPicker, "Chord", "Selects the chord type");
    ZuStyle::setReal(chordPicker, ZuStyle::arrowsize, 0.1f);
    for (int t = 0; t < zu::tools::numChordTypes; ++t)
        chordPicker.addItem(chordTypeNames[(size_t) t], t + 1);
    rootPicker.setSelectedItemIndex(0, juce::dontSendNotification);
    octavePicker.setSelectedItemIndex(defaultOctaveIndex, juce::dontSendNotification);
    chordPicker.setSelectedItemIndex(0, juce::dontSendNotification);

    for (auto& b : presetRow)
    {
        styleTextButton(b, 0.85f, true);
        b.setTooltip(cycleTooltip);
    }
    auto& menuButton = presetRow[0];
    auto& presetButton = presetRow[1];
    menuButton.setButtonText("Menu");
    menuButton.setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnTop);
    menuButton.onClick = [this] { showPresetMenu(false); };
    presetButton.getProperties().set(ZuStyle::svgflag, 0);
    presetButton.setButtonText("Preset");
    presetButton.setTooltip("Selects the chord preset");
    presetButton.setConnectedEdges(juce::Button::ConnectedOnRight | juce::Button::ConnectedOnTop);
    presetButton.onClick = [this] { showPresetMenu(true); };
    presetRow[2].setButtonText("<");
    presetRow[3].setButtonText(">");
    for (int i : {2, 3})
        presetRow[(size_t) i].setConnectedEdges(juce::Button::ConnectedOnLeft | juce::Button::ConnectedOnRight |
                                                juce::Button::ConnectedOnTop);
    presetRow[2].onClick = [this] { presetArrow(false); };
    presetRow[3].onClick = [this] { presetArrow(true); };
}

SEQ1ChordModeEditPanel::~SEQ1ChordModeEditPanel()
{
    stopTimer(redrawTimer);
    // However the editor ends (its box is usually gone before it), the owner
    // hears of it while it exists.
    if (auto* o = owner.getComponent())
        o->editPanelClosed();
}

void SEQ1ChordModeEditPanel::styleTextButton(juce::TextButton& b, float fontSize, bool icons)
{
    const auto fill = colorTheme->popupBgColor[0];
    addAndMakeVisible(b);
    b.setLookAndFeel(&textButtonLook.get());
    zu::tools::noFocus(b);
    ZuStyle::setReal(b, ZuStyle::fontsize, fontSize);
    b.getProperties().set(ZuStyle::svgflag, icons ? 1 : 0);
    ZuStyle::setColour(b, ZuStyle::outlinecolor, outline);
    ZuStyle::setColour(b, ZuStyle::bgcolor, fill);
    b.setColour(juce::TextButton::buttonColourId, fill);
    b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffb0b0b0));
    b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff909090));
    b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff000000));
}

void SEQ1ChordModeEditPanel::stylePicker(juce::ComboBox& box, const juce::String& name, const juce::String& tooltip)
{
    const auto fill = colorTheme->popupBgColor[0];
    addAndMakeVisible(box);
    box.setLookAndFeel(&generatorLook.get());
    zu::tools::noFocus(box);
    box.setName(name);
    box.setTooltip(tooltip);
    box.setEditableText(false);
    box.setJustificationType(juce::Justification::centredLeft);
    box.setScrollWheelEnabled(true);
    ZuStyle::setReal(box, ZuStyle::fontsize, 0.5f);
    box.getProperties().set(ZuStyle::fontface, "Medium");
    box.getProperties().set(ZuStyle::corner_r, 1);
    box.getProperties().set(ZuStyle::corner_b, 1);
    ZuStyle::setColour(box, ZuStyle::bgcolor, fill);
    box.setTextWhenNothingSelected("--");
    box.setColour(juce::ComboBox::textColourId, juce::Colour(0xffdddddd));
    box.setColour(juce::ComboBox::outlineColourId, outline);
    box.setColour(juce::ComboBox::backgroundColourId, fill);
    box.setColour(juce::ComboBox::arrowColourId, juce::Colour(0xff999999));
}

void SEQ1ChordModeEditPanel::paint(juce::Graphics& g)
{
    g.fillAll(colorTheme->popupBgColor[0]);
    if (!separatorPath.isEmpty())
    {
        g.setColour(separatorColour);
        g.fillPath(separatorPath);
    }
}

void SEQ1ChordModeEditPanel::resized()
{
    const int W = getWidth(), H = getHeight();
    const int m = juce::jmax(2, trunc(0.041f * (float) H));
    const int Wi = juce::jmax(0, W - 4);
    const int Hi = juce::jmax(0, H - 2 * m);

    const int s = trunc(0.021f * (float) Wi);
    closeButton.setBounds(W - 2 - m - s, H - m - s, s, s);

    // The 128-key piano, centred, with one-pixel gaps.
    const int Hk = juce::jmin(Hi, trunc(0.33f * (float) Hi));
    const int g = juce::jmin(Hk, trunc(0.215f * (float) Hk));
    const int kw = trunc(0.0125f * (float) Wi);
    const int hw = Hk - g;
    const int keysX = 2 + zu::toIntSaturating((double) (Wi - numWhiteKeys * kw - (numWhiteKeys - 1)) * 0.5);
    const auto whiteX = [&](int i) { return keysX + i * (kw + 1); };
    for (int i = 0; i < numWhiteKeys; ++i)
        whiteKeys[(size_t) i].setBounds(whiteX(i), m, kw, hw);
    static constexpr std::array<int, 5> blackOver{0, 1, 3, 4, 5};
    const int blackH = hw - juce::jmin(hw, trunc(0.4f * (float) hw));
    for (int b = 0; b < numBlackKeys; ++b)
    {
        const int below = 7 * (b / 5) + blackOver[(size_t) (b % 5)];
        blackKeys[(size_t) b].setBounds(whiteX(below) + trunc(0.5f * (float) kw) + 2, m, juce::jmax(0, kw - 2), blackH);
    }

    separatorPath.clear();
    const float lineTop = (float) (m + hw + 1);
    const float lineBottom = lineTop + (float) juce::jmax(g - 2, 0);
    for (int i = 0; i < numWhiteKeys; i += 7)
        separatorPath.addLineSegment({(float) whiteX(i), lineTop, (float) whiteX(i), lineBottom}, 0.7f);
    const float lastRight = (float) (whiteX(numWhiteKeys - 1) + kw);
    separatorPath.addLineSegment({lastRight, lineTop, lastRight, lineBottom}, 0.7f);

    const int yb = m + Hk;
    const int Hb = Hi - Hk;
    const int Hn = juce::jmin(Hb, trunc(0.32f * (float) Hb));
    const int Hc = Hb - Hn;
    const int c = trunc(0.25f * (float) Wi);
    const int Wc = Wi - 2 * c;

    // Note rows: labels over pickers, with Key to the left and Sort, Eraser
    // to the right.
    const int pw = trunc(0.15f * (float) Wc);
    const int pg = trunc(0.03f * (float) Wc);
    const int xs = 2 + c + trunc((float) (Wc - 5 * pw - 4 * pg) * 0.5f);
    const int lh = juce::jmax(0, juce::jmin(Hn - 4, trunc(0.4f * (float) (Hn - 4))));
    const int labelY = H - m - Hn + 2;
    const int pickerY = labelY + lh + 2;
    for (int k = 0; k < numNotes; ++k)
    {
        const int x = xs + k * (pw + pg);
        noteLabels[(size_t) k].setBounds(x, labelY, pw, lh);
        notePickers[(size_t) k].setBounds(x, pickerY, pw, lh);
    }
    const int bs = trunc(0.4f * (float) pw);
    const int iconGap = trunc(0.33f * (float) bs);
    const int sortX = xs + 5 * (pw + pg);
    sortButton.setBounds(sortX, pickerY, bs, lh);
    eraserButton.setBounds(sortX + bs + iconGap, pickerY, bs, lh);
    keyButton.setBounds(xs - bs - iconGap, pickerY, bs, lh);

    // Control rows: generator, transposition, presets.
    const int c2 = trunc(0.12f * (float) Wc);
    const int Wr = Wc - 2 * c2;
    const int u = trunc(0.19f * (float) Wr);
    const int x0 = 2 + c + c2 + trunc((float) (Wr - 5 * u) * 0.5f);
    const int t = juce::jmin(Hc, trunc(0.2f * (float) Hc));
    const int R = Hc - t;
    const int rh = juce::jmin(R, trunc(0.25f * (float) R));
    const int v = juce::jlimit(2, 8, trunc(0.25f * (float) rh));
    int left = R - rh;

    int y = yb + t;
    rootPicker.setBounds(x0, y, u, rh);
    octavePicker.setBounds(x0 + u, y, u, rh);
    chordPicker.setBounds(x0 + 2 * u, y, 2 * u, rh);
    generateButton.setBounds(x0 + 4 * u, y, u, rh);

    const int v1 = juce::jmin(v, juce::jmax(0, left));
    left -= v1;
    y += rh + v1;
    const int h2 = juce::jmax(0, juce::jmin(rh, left));
    left -= h2;
    std::array<juce::TextButton*, 5> row2{&transposeButtons[0], &transposeButtons[1], &rootInvButton,
                                          &transposeButtons[2], &transposeButtons[3]};
    for (int i = 0; i < 5; ++i)
        row2[(size_t) i]->setBounds(x0 + i * u, y, u, h2);

    const int v2 = juce::jmin(v, juce::jmax(0, left));
    left -= v2;
    y += h2 + v2;
    const int h3 = juce::jmax(0, juce::jmin(h2, left));
    const int a = trunc(0.25f * (float) (2 * u));
    presetRow[1].setBounds(x0, y, 3 * u, h3);
    presetRow[2].setBounds(x0 + 3 * u, y, a, h3);
    presetRow[3].setBounds(x0 + 3 * u + a, y, a, h3);
    presetRow[0].setBounds(x0 + 3 * u + 2 * a, y, juce::jmax(0, 2 * u - 2 * a), h3);
}

void SEQ1ChordModeEditPanel::timerCallback(int id)
{
    stopTimer(id);
    if (id == redrawTimer)
        handleNoteDisp();
}

void SEQ1ChordModeEditPanel::handleNoteDisp()
{
    for (auto& key : whiteKeys)
        key.setToggleState(false, juce::dontSendNotification);
    for (auto& key : blackKeys)
        key.setToggleState(false, juce::dontSendNotification);
    for (const int index : pickerIndices())
    {
        if (index < 1 || index > zu::tools::numMidiNotes)
            continue;
        const int note = index - 1;
        const int pitchClass = note % 12, octave = note / 12;
        const int position = keyIndexInColour[(size_t) pitchClass];
        if (zu::tools::isWhiteKey(pitchClass))
            whiteKeys[(size_t) juce::jmin(numWhiteKeys - 1, position + 7 * octave)].setToggleState(
                true, juce::dontSendNotification);
        else
            blackKeys[(size_t) juce::jmin(numBlackKeys - 1, position + 5 * octave)].setToggleState(
                true, juce::dontSendNotification);
    }
}

std::array<int, SEQ1ChordModeEditPanel::numNotes> SEQ1ChordModeEditPanel::pickerIndices() const
{
    std::array<int, numNotes> indices{};
    for (int k = 0; k < numNotes; ++k)
        indices[(size_t) k] = notePickers[(size_t) k].getSelectedItemIndex();
    return indices;
}

void SEQ1ChordModeEditPanel::setPickerIndex(int k, int index)
{
    notePickers[(size_t) k].setSelectedItemIndex(index, juce::sendNotification);
}

void SEQ1ChordModeEditPanel::initialize()
{
    for (int k = 0; k < numNotes; ++k)
        setPickerIndex(k, 0);
}

void SEQ1ChordModeEditPanel::exitWndw(juce::Button*)
{
    stopTimer(redrawTimer);
    zu::callout::dismissEnclosing(*this);
}

void SEQ1ChordModeEditPanel::keyButtonClicked()
{
    // An editor given no chord slot (unitIndex outside 0..11) has nowhere to
    // capture into and leaves the target alone.
    if (unitIndex < 0 || unitIndex >= zu::tools::numPitchClasses)
        return;
    const bool on = keyButton.getToggleState();
    zu::tools::setChordNoteTarget(*this, on ? unitIndex : -1);
}

void SEQ1ChordModeEditPanel::showPresetMenu(bool filesOnly)
{
    auto* editor = zu::tools::editorOf(*this);
    if (editor == nullptr)
        return;
    presetFolder = zu::tools::settingsOf(*this)->customChordPresetFolder;
    const int w = editor->getWidth(), h = editor->getHeight();
    if (w <= 0 || h <= 0)
        return;

    auto& anchor = filesOnly ? presetRow[1] : presetRow[0];
    const auto options =
        filesOnly ? zu::tools::menuOptionsAtMouse(anchor, trunc(0.2f * (float) w), trunc(0.02f * (float) w))
                  : zu::tools::menuOptionsAtMouse(anchor, trunc(0.18f * (float) w), trunc(0.018f * (float) w));
    juce::Component::SafePointer<SEQ1ChordModeEditPanel> self(this);
    getMyMenu(filesOnly, !filesOnly)
        .showMenuAsync(options,
                       [self, filesOnly](int result)
                       {
                           if (auto* panel = self.getComponent(); panel != nullptr && result > 0)
                               panel->menuHandler(result, panel->presetRow[filesOnly ? 1 : 0], panel);
                       });
    anchor.setState(juce::Button::buttonNormal);
}

void SEQ1ChordModeEditPanel::presetArrow(bool next)
{
    presetSelectArrow(next, currentPresetPath, presetFolder, {});
}

void SEQ1ChordModeEditPanel::newPresetFolderPathIsSelected()
{
    if (auto* settings = zu::tools::settingsOf(*this))
    {
        settings->customChordPresetFolder = presetFolder;
        settings->updateAndSaveSettingFile();
    }
}

juce::String SEQ1ChordModeEditPanel::tagForPresetName(const juce::String& presetName)
{
    juce::String tag;
    for (auto p = presetName.getCharPointer(); !p.isEmpty(); ++p)
    {
        const auto ch = *p;
        const bool ascii = ch < 128;
        const bool start = ascii && (juce::CharacterFunctions::isLetter((char) ch) || ch == '_' || ch == ':');
        const bool body = start || (ascii && (juce::CharacterFunctions::isDigit((char) ch) || ch == '-' || ch == '.'));
        tag << ((tag.isEmpty() ? start : body) ? juce::String::charToString(ch) : juce::String("_"));
    }
    return juce::XmlElement::isValidXmlName(tag) ? tag : juce::String("Preset");
}

juce::XmlElement SEQ1ChordModeEditPanel::getXmlStateForSaveingPreset(const juce::String& presetName)
{
    juce::XmlElement xml(tagForPresetName(presetName));
    xml.setAttribute("presetname", presetName);
    const auto indices = pickerIndices();
    for (int k = 0; k < numNotes; ++k)
        xml.setAttribute("chordnote" + juce::String(k + 1), indices[(size_t) k]);
    presetRow[1].setButtonText(presetName);
    return xml;
}

void SEQ1ChordModeEditPanel::updateFxStateFromVt(juce::ValueTree tree, juce::String presetName)
{
    for (int k = 0; k < numNotes; ++k)
    {
        const juce::Identifier id("chordnote" + juce::String(k + 1));
        setPickerIndex(k, tree.hasProperty(id) ? zu::parseLeadingInt(tree[id].toString()) : 0);
    }
    presetRow[1].setButtonText(presetName);
    presetRow[1].setState(juce::Button::buttonNormal);
}

void SEQ1ChordModeEditPanel::chordGenButtonClicked()
{
    const int root = juce::jmax(0, rootPicker.getSelectedItemIndex());
    const int octave = juce::jmax(0, octavePicker.getSelectedItemIndex());
    const int type = chordPicker.getSelectedItemIndex();
    for (int k = 0; k < numNotes; ++k)
        setPickerIndex(k, 0);
    const auto& table = chordTable();
    if (type < 0 || type >= (int) table.size())
        return;
    const auto& offsets = table[(size_t) type];
    for (size_t i = 0; i < offsets.size() && i < (size_t) numNotes; ++i)
    {
        const int note = 12 * octave + offsets[i] + root;
        if (note <= 127)
            setPickerIndex((int) i, note + 1);
    }
}

void SEQ1ChordModeEditPanel::chordShiftButtonClicked(int k)
{
    if (k < 0 || k >= numTransposeButtons)
        return;
    const int amount = transposeAmounts[(size_t) k];
    const auto indices = pickerIndices();
    for (int i = 0; i < numNotes; ++i)
    {
        const int index = indices[(size_t) i];
        if (index < 1)
            continue;
        int note = index - 1 + amount;
        if (note < 0)
            note += 128;
        if (note > 127)
            note -= 128;
        setPickerIndex(i, note + 1);
    }
}

void SEQ1ChordModeEditPanel::rootInvButtonClicked()
{
    std::vector<int> notes;
    for (const int index : pickerIndices())
        if (index >= 1)
            notes.push_back(index);
    if (notes.size() < 2)
        return;
    std::sort(notes.begin(), notes.end());
    if (notes.front() > highestInvertible)
        return;
    for (int k = 0; k < numNotes; ++k)
        setPickerIndex(k, 0);
    notes.front() += 12;
    std::sort(notes.begin(), notes.end());
    for (size_t i = 0; i < notes.size(); ++i)
        setPickerIndex((int) i, notes[i]);
}

void SEQ1ChordModeEditPanel::sortButtonClicked()
{
    auto values = pickerIndices();
    for (auto& v : values)
        if (v == 0)
            v = sortNoNote;
    std::sort(values.begin(), values.end());
    for (int k = 0; k < numNotes; ++k)
        setPickerIndex(k, values[(size_t) k] == sortNoNote ? 0 : values[(size_t) k]);
}
