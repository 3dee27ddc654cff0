// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardMenu_PopupWndw.h"

#include "ZuCallOut.h"
#include "ZuStyleProps.h"

namespace
{
int scaled(int length, float factor)
{
    return (int) ((float) length * factor);
}
} // namespace

//==============================================================================
KeyboardMenu_PopupWndw_KeyPanel::KeyboardMenu_PopupWndw_KeyPanel(juce::Colour colour)
    : KeyboardMenu_PopupWndw_KeyPanel(colour, 1)
{
}

KeyboardMenu_PopupWndw_KeyPanel::KeyboardMenu_PopupWndw_KeyPanel(juce::Colour colour, int firstNoteIndex)
    : noteIndexOffset(firstNoteIndex)
{
    const auto popupBg = themeColour(colorTheme->popupBgColor);
    const juce::Colour whiteKeyColour(firstNoteIndex == 1 ? 0xff959595 : 0xff808080);
    for (int j = 0; j < numKeys; ++j)
    {
        auto& key = keys[(size_t) j];
        const bool white = j < numWhiteKeys;
        addAndMakeVisible(key);
        key.setButtonText({});
        key.setRadioGroupId(1000, juce::sendNotification);
        key.setLookAndFeel(&keyLookAndFeel.get());
        key.setClickingTogglesState(true);
        key.setTooltip({});
        ZuStyle::setColour(key, ZuStyle::bgcolor, popupBg);
        key.setColour(juce::TextButton::buttonOnColourId, colour);
        key.setColour(juce::TextButton::buttonColourId, white ? whiteKeyColour : popupBg);
        key.setColour(juce::TextButton::textColourOffId, white ? juce::Colour(0xff101010) : juce::Colour(0xff808080));
        key.setColour(juce::TextButton::textColourOnId, popupBg);
        key.onClick = [this] { keyClicked(); };
    }
}

KeyboardMenu_PopupWndw_KeyPanel::~KeyboardMenu_PopupWndw_KeyPanel()
{
    for (auto& key : keys)
        key.setLookAndFeel(nullptr);
}

void KeyboardMenu_PopupWndw_KeyPanel::keyClicked()
{
    if (auto* picker = findParentComponentOfClass<KeyboardMenu_PopupWndw>())
        picker->updateMenuSelectedIndex();
}

juce::TextButton& KeyboardMenu_PopupWndw_KeyPanel::getKeyForPitchClass(int pitchClass) noexcept
{
    for (size_t j = 0; j < keyOrder.size(); ++j)
        if (keyOrder[j] == pitchClass)
            return keys[j];
    return keys.front();
}

void KeyboardMenu_PopupWndw_KeyPanel::setCurSelectedMenuIndex(int index, bool notify)
{
    selectedMenuIndex = index;
    if (index < noteIndexOffset)
    {
        for (auto& key : keys)
            key.setToggleState(false, juce::dontSendNotification);
    }
    else
    {
        const int pitchClass = (index - noteIndexOffset) % 12;
        getKeyForPitchClass(pitchClass)
            .setToggleState(true, notify ? juce::sendNotification : juce::dontSendNotification);
    }
    updateKeyButtonDisp();
}

void KeyboardMenu_PopupWndw_KeyPanel::updateKeyButtonDisp()
{
    for (size_t j = 0; j < keys.size(); ++j)
    {
        keys[j].getProperties().set(ZuStyle::dispnote, names[keyOrder[j]]);
        keys[j].repaint();
    }
}

int KeyboardMenu_PopupWndw_KeyPanel::getCurNoteIndex() const
{
    for (size_t j = 0; j < keys.size(); ++j)
        if (keys[j].getToggleState())
            return keyOrder[j];
    return -1;
}

void KeyboardMenu_PopupWndw_KeyPanel::paint(juce::Graphics& g)
{
    g.fillAll(themeColour(colorTheme->popupBgColor));
}

void KeyboardMenu_PopupWndw_KeyPanel::resized()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY();
    const int W = juce::jmax(b.getWidth() - 4, 0), H = juce::jmax(b.getHeight() - 4, 0);
    const int kw = scaled(W, 0.131f);
    const int x0 = x + 2 + (int) ((float) (W - 7 * kw - 12) * 0.5f);
    for (int i = 0; i < numWhiteKeys; ++i)
        keys[(size_t) i].setBounds(x0 + i * (kw + 2), y + 2, kw, H);
    // C#, D#, F#, G#, A# over C, D, F, G, A.
    constexpr std::array<int, 5> whiteBelow{0, 1, 3, 4, 5};
    for (size_t k = 0; k < whiteBelow.size(); ++k)
        keys[(size_t) numWhiteKeys + k].setBounds(keys[(size_t) whiteBelow[k]].getX() + (int) ((float) kw * 0.5f) + 2,
                                                  y + 2, juce::jmax(kw - 2, 0), H - scaled(H, 0.4f));
}

KeyboardMenu_PopupWndw_KeyPanel2::KeyboardMenu_PopupWndw_KeyPanel2(juce::Colour colour)
    : KeyboardMenu_PopupWndw_KeyPanel(colour, 0)
{
}

void KeyboardMenu_PopupWndw_KeyPanel2::setBaseColor(const juce::Colour& colour)
{
    keyBaseColour = colour;
    for (int j = 0; j < numKeys; ++j)
        getKey(j).setColour(juce::TextButton::buttonOnColourId, colour);
}

//==============================================================================
namespace
{
std::unique_ptr<KeyboardMenu_PopupWndw_KeyPanel> makeKeyPanel(bool secondPair, juce::Colour colour)
{
    if (secondPair)
        return std::make_unique<KeyboardMenu_PopupWndw_KeyPanel2>(colour);
    return std::make_unique<KeyboardMenu_PopupWndw_KeyPanel>(colour);
}

const char* const transposeTexts[] = {"-12", "-1", "Clear", "+1", "+12"};
const char* const transposeTips[] = {"Shift all chord notes -12 semitones", "Shift all chord notes -1 semitone",
                                     "Clear selected note", "Shift all chord notes +1 semitone",
                                     "Shift all chord notes +12 semitones"};
} // namespace

KeyboardMenu_PopupWndw::KeyboardMenu_PopupWndw(juce::ComboBox& ownerBox, int index, juce::Colour colour)
    : KeyboardMenu_PopupWndw(ownerBox, index, colour, false)
{
}

KeyboardMenu_PopupWndw::KeyboardMenu_PopupWndw(juce::ComboBox& ownerBox, int index, juce::Colour colour, bool second)
    : keyPanel(makeKeyPanel(second, colour)), octaveSelector(colour), owner(&ownerBox), openingIndex(index),
      secondPair(second)
{
    addAndMakeVisible(*keyPanel);
    keyPanel->setCurSelectedMenuIndex(openingIndex, false);

    addAndMakeVisible(octaveSelector);
    for (int i = 0; i < KeyboardMenu_OctButton::numOctaves; ++i)
        octaveSelector.getOctaveButton(i).setColour(juce::TextButton::buttonOnColourId, colour);

    int octave = 5;
    if (openingIndex > 0)
        octave = juce::jlimit(0, KeyboardMenu_OctButton::maxOctave,
                              secondPair ? openingIndex / 12 : (openingIndex - 1) / 12);
    octaveSelector.setValue((float) octave);

    const auto popupBg = themeColour(colorTheme->popupBgColor);
    using E = juce::Button::ConnectedEdgeFlags;
    const int allSides = E::ConnectedOnLeft | E::ConnectedOnRight | E::ConnectedOnTop | E::ConnectedOnBottom;
    const int edges[] = {E::ConnectedOnRight | E::ConnectedOnTop | E::ConnectedOnBottom, allSides, allSides,
                         E::ConnectedOnLeft | E::ConnectedOnTop | E::ConnectedOnBottom, allSides};
    for (int i = 0; i < numTransposeButtons; ++i)
    {
        auto& b = transposeButtons[(size_t) i];
        // The second pair offers no way to clear: its third slot stays empty.
        if (secondPair && i == clearButton)
            continue;
        addAndMakeVisible(b);
        b.setButtonText(transposeTexts[i]);
        b.setLookAndFeel(&transposeLookAndFeel.get());
        b.setTooltip({});
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.83f);
        b.getProperties().set("istextdisp", 1);
        ZuStyle::setColour(b, ZuStyle::bgcolor, popupBg);
        b.getProperties().set(ZuStyle::svgflag, 0);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, juce::Colour(secondPair ? 0xff484848 : 0xff434343));
        b.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffb0b0b0));
        b.setColour(juce::TextButton::buttonColourId, popupBg.withAlpha(0.0f));
        b.setColour(juce::TextButton::textColourOffId, juce::Colour(0xffa0a0a0));
        b.setColour(juce::TextButton::textColourOnId, juce::Colour(0xff000000));
        b.setConnectedEdges(edges[i]);
        b.setTooltip(transposeTips[i]);
    }
    transposeButtons[0].onClick = [this] { octaveDown(); };
    transposeButtons[1].onClick = [this] { tpButtonClicked(false); };
    if (!secondPair)
        transposeButtons[clearButton].onClick = [this] { clear(); };
    transposeButtons[3].onClick = [this] { tpButtonClicked(true); };
    transposeButtons[4].onClick = [this] { octaveUp(); };

    addAndMakeVisible(closeButton);
    closeButton.setButtonText("Close");
    closeButton.setLookAndFeel(&closeLookAndFeel.get());
    closeButton.setTooltip("Closes the chord edit window");
    closeButton.setColour(juce::TextButton::buttonOnColourId, juce::Colour(0xffc0c0c0));
    closeButton.setColour(juce::TextButton::buttonColourId, popupBg);
    closeButton.setColour(juce::TextButton::textColourOffId, juce::Colour(0xff606060));
    closeButton.setColour(juce::TextButton::textColourOnId, juce::Colour(0x00000000));
    closeButton.onClick = [this] { zu::callout::dismissEnclosing(*this); };
}

KeyboardMenu_PopupWndw::~KeyboardMenu_PopupWndw()
{
    for (auto& b : transposeButtons)
        b.setLookAndFeel(nullptr);
    closeButton.setLookAndFeel(nullptr);
}

void KeyboardMenu_PopupWndw::octaveDown()
{
    octaveSelector.setOctShift(false);
}

void KeyboardMenu_PopupWndw::octaveUp()
{
    octaveSelector.setOctShift(true);
}

void KeyboardMenu_PopupWndw::clear()
{
    keyPanel->setCurSelectedMenuIndex(0, true);
    updateMenuSelectedIndex();
}

void KeyboardMenu_PopupWndw::updateMenuSelectedIndex()
{
    auto* box = owner.getComponent();
    if (box == nullptr)
        return;
    const int pitchClass = keyPanel->getCurNoteIndex();
    int index = 0;
    if (pitchClass >= 0)
    {
        index = octaveSelector.getCurrentOctave() * 12 + pitchClass;
        index = secondPair ? juce::jmin(index, 127) : juce::jmin(index + 1, 128);
    }
    box->setSelectedItemIndex(index, juce::sendNotificationAsync);
}

void KeyboardMenu_PopupWndw::tpButtonClicked(bool up)
{
    const int p = keyPanel->getCurNoteIndex();
    if (p < 0)
    {
        updateMenuSelectedIndex();
        return;
    }
    int next = 0;
    if (up)
    {
        if (p == 11)
            octaveSelector.setOctShift(true);
        next = (p + 1) % 12;
    }
    else
    {
        if (p == 0)
        {
            octaveSelector.setOctShift(false);
            next = 11;
        }
        else
        {
            next = p - 1;
        }
    }
    keyPanel->setCurSelectedMenuIndex(next + (secondPair ? 0 : 1), true);
    updateMenuSelectedIndex();
}

void KeyboardMenu_PopupWndw::paint(juce::Graphics& g)
{
    g.fillAll(themeColour(colorTheme->popupBgColor));
}

void KeyboardMenu_PopupWndw::resized()
{
    const auto b = getLocalBounds();
    const int x = b.getX(), y = b.getY(), w = b.getWidth(), h = b.getHeight();
    const int mx = juce::jmax(scaled(w, 0.04f), 2), my = juce::jmax(scaled(h, 0.095f), 2);
    const int W = juce::jmax(w - 2 * mx, 0), H = juce::jmax(h - 2 * my, 0);

    const int kh = juce::jmin(scaled(H, 0.5f), H);
    const int kx = scaled(W, 0.1f);
    keyPanel->setBounds(x + mx + kx, y + my, juce::jmax(W - 2 * kx, 0), kh);

    const int stripX = keyPanel->getRight() + 2;
    const juce::Rectangle<int> strip(stripX, scaled(h, 0.06f), x + w - keyPanel->getRight() - 2, scaled(kh, 0.3f));
    closeButton.setBounds(strip.reduced(scaled(strip.getWidth(), 0.1f), scaled(strip.getHeight(), 0.1f)));

    juce::Rectangle<int> rest(x + mx, y + my + kh, W, H - kh);
    const int g = juce::jmax(scaled(rest.getHeight(), 0.11f), 2);
    rest.removeFromTop(juce::jmin(g, rest.getHeight()));
    octaveSelector.setBounds(rest.removeFromTop(juce::jmin(scaled(rest.getHeight(), 0.6f), rest.getHeight())));
    rest.removeFromTop(juce::jmin(g, rest.getHeight()));

    const int bw = scaled(W, 0.19f);
    const int firstX = x + mx + (int) ((float) (W - 5 * bw - 4) * 0.5f);
    for (int i = 0; i < numTransposeButtons; ++i)
        transposeButtons[(size_t) i].setBounds(firstX + i * (bw + 1), rest.getY(), bw, rest.getHeight());
}

KeyboardMenu_PopupWndw2::KeyboardMenu_PopupWndw2(juce::ComboBox& ownerBox, int index, juce::Colour colour)
    : KeyboardMenu_PopupWndw(ownerBox, index, colour, true)
{
}
