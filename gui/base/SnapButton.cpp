// SPDX-License-Identifier: GPL-3.0-or-later
#include "SnapButton.h"

#include "SnapButtonOwners.h"
#include "ZuMirabox_CenterCcRackPanel.h"
#include "ZuCallOut.h"
#include "ZuEditorAccess.h"
#include "ZuRadioRow.h"
#include "ZuSmallWidgets.h"
#include "ZuStyleProps.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
// Groups of seq ids whose snapshots can be copied into each other: pitch,
// parameter, CC, octave-transpose, CC racks. Seq id 0 (the single
// sequencer) belongs to none.
int kindGroup(int seqId)
{
    if (seqId >= 1 && seqId <= 4)
        return 0;
    if (seqId >= 5 && seqId <= 8)
        return 1;
    if (seqId >= 9 && seqId <= 12)
        return 2;
    if (seqId == 13)
        return 3;
    if (seqId == 14 || seqId == 15)
        return 4;
    return -1;
}

int sourceProperty(const juce::DragAndDropTarget::SourceDetails& details, const juce::Identifier& name)
{
    auto* source = details.sourceComponent.get();
    if (source == nullptr)
        return -1;
    return source->getProperties().getWithDefault(name, -1).toString().getIntValue();
}
} // namespace

//==============================================================================
SnapButtonBase::SnapButtonBase(int index) : snapshotIndex(index) {}

SnapButtonBase::SnapButtonBase(const SnapButtonBase& other) : SnapButtonBase(other.snapshotIndex) {}

SnapButtonBase::~SnapButtonBase() = default;

juce::String SnapButtonBase::letter(int snapshot)
{
    return juce::String::charToString((juce::juce_wchar)('A' + juce::jlimit(0, 7, snapshot)));
}

bool SnapButtonBase::sameKind(int source, int target)
{
    const int group = kindGroup(source);
    return group >= 0 && group == kindGroup(target);
}

juce::String SnapButtonBase::assignedCcText() const
{
    juce::String cc("--");
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        const auto& map = ZuEditorAccess(editor->processor).getSettings().midiMap;
        for (size_t i = 0; i < map.size(); ++i)
            if (map[i] == parameterID)
            {
                cc = juce::String((int) i);
                break;
            }
    }
    return "Assigned CC: " + cc;
}

juce::PopupMenu SnapButtonBase::getLearnMenu() const
{
    juce::PopupMenu menu;
    menu.addItem(midiLearnItem, "Midi Learn", true);
    menu.addItem(midiUnLearnItem, "Midi UnLearn", true);
    menu.addSeparator();
    menu.addItem(assignedCcItem, assignedCcText(), false);
    return menu;
}

void SnapButtonBase::learnMenuChosen(int result)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    const ZuEditorAccess access(editor->processor);
    if (result == midiLearnItem)
        access.startMidiLearn(parameterID);
    else if (result == midiUnLearnItem)
        access.midiUnLearn(parameterID);
}

void SnapButtonBase::mouseDown(const juce::MouseEvent& e)
{
    if (!ZuRealtimeModifiers::rightButtonDown())
    {
        juce::TextButton::mouseDown(e);
        return;
    }

    if (findParentComponentOfClass<ZumiraboxAudioProcessorEditor>() != nullptr)
    {
        const auto options = juce::PopupMenu::Options()
                                 .withMinimumWidth(100)
                                 .withStandardItemHeight(18)
                                 .withTargetComponent(this)
                                 .withTargetScreenArea(juce::Rectangle<int>().withPosition(e.getScreenPosition()));
        auto menu = getLearnMenu();
        menu.setLookAndFeel(&menuLookAndFeel.get());
        // The button may go (with its unit) while the menu is open.
        juce::Component::SafePointer<SnapButtonBase> self(this);
        menu.showMenuAsync(options,
                           [self](int result)
                           {
                               if (auto* button = self.getComponent())
                                   button->learnMenuChosen(result);
                           });
    }
    setState(juce::Button::buttonNormal);
}

void SnapButtonBase::mouseDrag(const juce::MouseEvent& e)
{
    if (e.getLengthOfMousePress() <= dragDelayMs)
        return;
    auto* container = juce::DragAndDropContainer::findParentDragContainerFor(this);
    if (container == nullptr)
        container = this;
    if (container->isDragAndDropActive())
        return;

    auto image = createComponentSnapshot(getLocalBounds(), true, 1.0f).convertedToFormat(juce::Image::ARGB);
    image.multiplyAllAlphas(0.9f);

    getProperties().set(ZuStyle::snapindex, snapshotIndex + 1);
    getProperties().set(ZuStyle::seqidindex, seqId);
    getProperties().set(ZuStyle::unitindex, unitIndex);
    container->startDragging(dragDescription, this, juce::ScaledImage(image, 1.0), true);
}

void SnapButtonBase::mouseUp(const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
    {
        setState(juce::Button::buttonNormal);
        return;
    }
    juce::TextButton::mouseUp(e);
}

bool SnapButtonBase::checkSeqId(const SourceDetails& details)
{
    if (details.sourceComponent.get() == nullptr)
        return false;
    return sameKind(sourceProperty(details, ZuStyle::seqidindex), seqId);
}

int SnapButtonBase::getSrcIndex(const SourceDetails& details)
{
    return sourceProperty(details, ZuStyle::snapindex);
}

bool SnapButtonBase::isInterestedInDragSource(const SourceDetails& details)
{
    return details.description.toString() == dragDescription && checkSeqId(details);
}

void SnapButtonBase::itemDragEnter(const SourceDetails& details)
{
    if (getSrcIndex(details) > 0)
        setState(juce::Button::buttonOver);
}

void SnapButtonBase::itemDragExit(const SourceDetails&)
{
    setState(juce::Button::buttonNormal);
}

void SnapButtonBase::itemDropped(const SourceDetails& details)
{
    const int p = getSrcIndex(details);
    const int s = sourceProperty(details, ZuStyle::seqidindex);
    // Only a snapshot letter the drag can name is copied.
    if (s <= 0 || p < 1 || p > 8 || !sameKind(s, seqId))
    {
        setState(juce::Button::buttonNormal);
        return;
    }
    if (s == seqId && p == snapshotIndex + 1)
        return;

    const auto message = "Copy Snapshot from " + letter(p - 1) + " into " + letter(snapshotIndex) + " ?";
    auto window = std::make_unique<ZuConfirmWndw>(
        s, seqId, p - 1, snapshotIndex, *this, message, juce::Colour(0xff202020), juce::Colour(0xffdddddd),
        juce::Colour(0xff202020), juce::Colour(0xffdddddd), juce::Colour(0xffdddddd), juce::Colour(0xff202020));
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
    {
        setState(juce::Button::buttonNormal);
        return;
    }
    const int we = editor->getWidth();
    window->setSize((int) (0.17f * (float) we), (int) (0.08f * (float) we));
    zu::callout::launch(std::move(window), editor->getLocalArea(this, getLocalBounds()), *editor,
                        juce::Colour(0xff202020), juce::Colour(0xff707070));
    setState(juce::Button::buttonNormal);
}

void SnapButtonBase::processCopyAndPasteSnapshot(int sourceSeqId, int sourceSnapshot, int targetSnapshot)
{
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        ZuEditorAccess(editor->processor).copyPasteSnapshot(sourceSeqId, seqId, sourceSnapshot, targetSnapshot);
}

//==============================================================================
SnapButtonBase::ZuConfirmWndw::ZuConfirmWndw(int srcSeq, int dstSeq, int srcSnap, int dstSnap, SnapButtonBase& dst,
                                             juce::String text, juce::Colour col1, juce::Colour col2, juce::Colour col3,
                                             juce::Colour col4, juce::Colour col5, juce::Colour col6)
    : message(std::move(text)), c1(col1), c2(col2), c3(col3), c4(col4), c5(col5), c6(col6), sourceSeqId(srcSeq),
      targetSeqId(dstSeq), sourceSnapshot(srcSnap), targetSnapshot(dstSnap), target(&dst)
{
    for (auto* b : {&okButton, &cancelButton})
    {
        addAndMakeVisible(*b);
        b->setLookAndFeel(&buttonLookAndFeel.get());
        b->setColour(juce::TextButton::buttonOnColourId, c4);
        b->setColour(juce::TextButton::textColourOffId, c5);
        b->setColour(juce::TextButton::textColourOnId, c6);
    }
    okButton.setColour(juce::TextButton::buttonColourId, juce::Colour(0xff98605e));
    cancelButton.setColour(juce::TextButton::buttonColourId, c3);
    okButton.onClick = [this] { exitWndw(&okButton); };
    cancelButton.onClick = [this] { zu::callout::dismissEnclosing(*this); };
}

SnapButtonBase::ZuConfirmWndw::~ZuConfirmWndw()
{
    okButton.setLookAndFeel(nullptr);
    cancelButton.setLookAndFeel(nullptr);
}

void SnapButtonBase::ZuConfirmWndw::copy()
{
    auto* button = target.getComponent();
    if (button == nullptr)
        return;
    if (auto* editor = button->findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
        ZuEditorAccess(editor->processor).copyPasteSnapshot(sourceSeqId, button->seqId, sourceSnapshot, targetSnapshot);
    if (auto* rack = button->findParentComponentOfClass<ZuMirabox_CenterCcRackPanel>())
        rack->startTimer(ZuMirabox_CenterCcRackPanel::copyTimer, 100);
}

void SnapButtonBase::ZuConfirmWndw::exitWndw(juce::Button* button)
{
    if (button != nullptr)
        copy();
    zu::callout::dismissEnclosing(*this);
}

void SnapButtonBase::ZuConfirmWndw::paint(juce::Graphics& g)
{
    g.fillAll(c1);
    g.setColour(c2);
    g.setFont(ZuCLAF_BaseBase::faceFont("Medium", 1.0f, juce::Font::bold)
                  .withPointHeight((float) textArea.getHeight() * 0.91f));
    g.drawFittedText(message, textArea, juce::Justification::centred, 1, 0.1f);
}

void SnapButtonBase::ZuConfirmWndw::calcGuiBaseStuff()
{
    const int W = getWidth(), H = getHeight();
    localArea = getLocalBounds();
    const int side = (int) (0.15f * (float) H);
    const int top = (int) (0.21f * (float) H);
    const int textH = juce::jmax(0, (int) (0.155f * (float) H));
    textArea = {side, top, juce::jmax(0, W - 2 * side), textH};
    const int below = top + textH + 1;
    const int rest = juce::jmax(0, H - 1 - below);
    const int margin = (int) (0.1f * (float) W);
    const int iw = juce::jmax(0, W - 2 * margin);
    const int bw = juce::jmax(0, (int) (0.435f * (float) iw));
    const int pad = (int) (0.26f * (float) rest);
    const int h0 = juce::jmax(0, rest - 2 * pad);
    const int d = juce::jmin((int) (0.1f * (float) h0), h0);
    const int y = juce::jmin(below, H - 1) + pad + d;
    buttonAreas.clearQuick();
    buttonAreas.add({margin, y, bw, h0 - d});
    buttonAreas.add({margin + iw - bw, y, bw, h0 - d});
}

void SnapButtonBase::ZuConfirmWndw::resized()
{
    calcGuiBaseStuff();
    cancelButton.setBounds(buttonAreas[0]);
    okButton.setBounds(buttonAreas[1]);
}

//==============================================================================
SnapButton::SnapButton()
    : buttons{SnapButtonBase(0), SnapButtonBase(1), SnapButtonBase(2), SnapButtonBase(3),
              SnapButtonBase(4), SnapButtonBase(5), SnapButtonBase(6), SnapButtonBase(7)}
{
    panelColour = themeColour(colorTheme->panelBgColor);
    for (int i = 0; i < numSnapshots; ++i)
    {
        auto& b = buttons[(size_t) i];
        addAndMakeVisible(b);
        b.setRadioGroupId(1000);
        b.setLookAndFeel(&buttonLookAndFeel.get());
        b.setClickingTogglesState(true);
        ZuStyle::setReal(b, ZuStyle::fontsize, 0.88f);
        b.getProperties().set("istextdisp", 1);
        ZuStyle::setColour(b, ZuStyle::bgcolor, themeColour(colorTheme->panelBgColor));
        ZuStyle::setColour(b, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
        b.setColour(juce::TextButton::buttonOnColourId, themeColour(colorTheme->selectorOnColor));
        b.setColour(juce::TextButton::buttonColourId, themeColour(colorTheme->selectorOffColor));
        b.setColour(juce::TextButton::textColourOffId, themeColour(colorTheme->selectorTextOffColor));
        b.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->buttonTextOnColor));
        b.setButtonText(buttonTexts[i]);
        b.getProperties().set(ZuStyle::index, i);
        b.onClick = [this, &b]
        {
            buttonClicked(&b);
            startTimer(ownerTimer, ownerDelayMs);
        };
        b.setTooltip("Selects the snapshot");
    }
    zu::radiorow::connectEdges(buttons, false);
    zu::radiorow::prepareHiddenSlider(hiddenSlider, "ArpMode");
    hiddenSlider.addListener(this);
}

SnapButton::~SnapButton()
{
    stopTimer(followTimer);
    stopTimer(ownerTimer);
    attachment.reset();
    hiddenSlider.removeListener(this);
    for (auto& b : buttons)
        b.setLookAndFeel(nullptr);
}

void SnapButton::setAttachment(int seqId, juce::AudioProcessorValueTreeState& state, juce::String parameterID)
{
    attachment.reset();
    attachment =
        std::make_unique<juce::AudioProcessorValueTreeState::SliderAttachment>(state, parameterID, hiddenSlider);
    currentIndex = juce::jlimit(0, numSnapshots - 1, (int) hiddenSlider.getValue());
    buttons[(size_t) currentIndex].setToggleState(true, juce::dontSendNotification);
    for (auto& b : buttons)
    {
        b.parameterID = parameterID;
        b.seqId = seqId;
    }
}

void SnapButton::setValue(float value)
{
    buttons[(size_t) juce::jlimit(0, numSnapshots - 1, (int) value)].setToggleState(true, juce::sendNotification);
}

void SnapButton::buttonClicked(juce::Button* button)
{
    zu::radiorow::selectFromClick(button, currentIndex, hiddenSlider);
}

void SnapButton::sliderValueChanged(juce::Slider*)
{
    startTimer(followTimer, followDelayMs);
}

void SnapButton::timerCallback(int timerID)
{
    if (timerID == followTimer)
    {
        stopTimer(followTimer);
        zu::radiorow::followSlider(hiddenSlider, currentIndex, buttons);
    }
    else if (timerID == ownerTimer)
    {
        stopTimer(ownerTimer);
        notifyOwner();
    }
}

void SnapButton::notifyOwner()
{
    zu::snapshot::notifyOwner(*this, buttons.front().seqId);
}

void SnapButton::setVerFlag()
{
    verticalFlag = true;
    zu::radiorow::connectEdges(buttons, true);
}

void SnapButton::setColor(juce::Colour background, juce::Colour outline, juce::Colour buttonOn, juce::Colour button,
                          juce::Colour textOn, juce::Colour textOff, float fontSize)
{
    panelColour = background;
    for (auto& b : buttons)
    {
        ZuStyle::setReal(b, ZuStyle::fontsize, fontSize);
        ZuStyle::setColour(b, ZuStyle::bgcolor, background);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, outline);
        b.setColour(juce::TextButton::buttonOnColourId, buttonOn);
        b.setColour(juce::TextButton::buttonColourId, button);
        b.setColour(juce::TextButton::textColourOnId, textOn);
        b.setColour(juce::TextButton::textColourOffId, textOff);
    }
    repaint();
}

void SnapButton::colorMapping()
{
    panelColour = themeColour(colorTheme->panelBgColor);
    for (auto& b : buttons)
    {
        ZuStyle::setColour(b, ZuStyle::bgcolor, panelColour);
        ZuStyle::setColour(b, ZuStyle::outlinecolor, themeColour(colorTheme->buttonOutlineColor));
        b.setColour(juce::TextButton::buttonOnColourId, themeColour(colorTheme->selectorOnColor));
        b.setColour(juce::TextButton::buttonColourId, panelColour);
        b.setColour(juce::TextButton::textColourOffId, themeColour(colorTheme->snapTextOffColor));
        b.setColour(juce::TextButton::textColourOnId, themeColour(colorTheme->buttonTextOnColor));
    }
    repaint();
}

void SnapButton::paint(juce::Graphics& g)
{
    g.fillAll(panelColour);
}

void SnapButton::resized()
{
    const int W = getWidth(), H = getHeight();
    if (!verticalFlag)
    {
        const int mx = (int) (0.05f * (float) W), my = (int) (0.18f * (float) H);
        const int iw = juce::jmax(0, W - 2 * mx), ih = juce::jmax(0, H - 2 * my);
        const int bw = (int) (0.12f * (float) iw);
        const int firstX = mx + (int) ((float) (iw - 8 * bw - 7) * 0.5f);
        for (int i = 0; i < numSnapshots; ++i)
            buttons[(size_t) i].setBounds(firstX + i * (bw + 1), my + 1, bw, juce::jmax(0, ih - 3));
    }
    else
    {
        const int ih = juce::jmax(0, H - 4);
        const int bh = (int) (0.12f * (float) ih);
        const int firstY = 2 + (int) ((float) (ih - 8 * bh - 7) * 0.5f);
        for (int i = 0; i < numSnapshots; ++i)
            buttons[(size_t) i].setBounds(1, firstY + i * (bh + 1), juce::jmax(0, W - 2), bh);
    }
}
