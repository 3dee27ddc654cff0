// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeyboardMenu.h"

#include "ChordUnitsMainPanel.h"

#include "KeyboardMenu_PopupWndw.h"
#include "ZuCallOut.h"
#include "ZumiraboxAudioProcessorEditor.h"

juce::CallOutBox& zu::notepicker::open(juce::ComboBox& box, juce::Component& host,
                                       std::unique_ptr<juce::Component> picker, float widthFactor, float heightFactor,
                                       juce::Colour fill, juce::Colour colour)
{
    const auto hostBounds = host.getLocalBounds();
    picker->setSize((int) ((float) hostBounds.getWidth() * widthFactor),
                    (int) ((float) hostBounds.getHeight() * heightFactor));
    const auto target = host.getLocalArea(&box, box.getLocalBounds());
    return zu::callout::launch(std::move(picker), target, host, fill, colour.darker(0.5f));
}

namespace
{
// The theme's popupBgColor, the call-out fill.
constexpr int popupBgEntry = 3;

juce::Component* chordHostOf(juce::Component& box)
{
    return box.findParentComponentOfClass<ChordUnitsMainPanel>();
}
} // namespace

KeyboardMenu::KeyboardMenu() : juce::ComboBox(juce::String()) {}

KeyboardMenu::~KeyboardMenu()
{
    stopTimer();
}

void KeyboardMenu::showPopup()
{
    juce::Component* host = chordHostOf(*this);
    float wf = 0.35f, hf = 0.8f;
    if (host == nullptr)
    {
        host = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
        wf = 0.2f;
        hf = 0.22f;
    }
    if (host == nullptr)
        return;

    auto picker = std::make_unique<KeyboardMenu_PopupWndw>(*this, getSelectedItemIndex(), colour);
    openCallOut =
        &zu::notepicker::open(*this, *host, std::move(picker), wf, hf, theme->entry(popupBgEntry, skinIndex), colour);
    startTimer(popupActiveMs);
}

void KeyboardMenu::timerCallback()
{
    stopTimer();
    hidePopup();
}

KeyboardMenu2::KeyboardMenu2() : juce::ComboBox(juce::String()) {}

KeyboardMenu2::~KeyboardMenu2()
{
    stopTimer();
}

void KeyboardMenu2::showPopup()
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    auto picker = std::make_unique<KeyboardMenu_PopupWndw2>(*this, getSelectedItemIndex(), colour.brighter(0.2f));
    openCallOut = &zu::notepicker::open(*this, *editor, std::move(picker), 0.175f, 0.215f,
                                        theme->entry(popupBgEntry, skinIndex), colour);
    startTimer(popupActiveMs);
}

void KeyboardMenu2::timerCallback()
{
    stopTimer();
    hidePopup();
}
