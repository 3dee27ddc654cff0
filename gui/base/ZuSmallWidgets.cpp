// SPDX-License-Identifier: GPL-3.0-or-later
#include "ZuSmallWidgets.h"

#include "ZuConvert.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
juce::Rectangle<int> zeroAreaAtMouse()
{
    return juce::Rectangle<int>().withPosition(
        juce::Desktop::getInstance().getMainMouseSource().getScreenPosition().roundToInt());
}
} // namespace

std::function<juce::ModifierKeys()>& ZuRealtimeModifiers::source()
{
    static std::function<juce::ModifierKeys()> reader = []
    { return juce::ModifierKeys::getCurrentModifiersRealtime(); };
    return reader;
}

juce::ModifierKeys ZuRealtimeModifiers::get()
{
    return source()();
}

void MappableButton::mouseDown(const juce::MouseEvent& e)
{
    if (ZuRealtimeModifiers::rightButtonDown())
        return;
    juce::TextButton::mouseDown(e);
}

void DraggableButton::mouseDown(const juce::MouseEvent& e)
{
    if (ZuRealtimeModifiers::rightButtonDown())
        return;
    juce::TextButton::mouseDown(e);
}

void DraggableButton::mouseDrag(const juce::MouseEvent&)
{
    if (!ZuRealtimeModifiers::get().isAltDown())
        return;
    auto* container = juce::DragAndDropContainer::findParentDragContainerFor(this);
    if (container == nullptr || container->isDragAndDropActive())
        return;

    auto image = createComponentSnapshot(getLocalBounds(), true, 1.0f).convertedToFormat(juce::Image::ARGB);
    image.multiplyAllAlphas(0.5f);
    getProperties().set("state", getToggleState() ? 1 : 0);
    container->startDragging(groupId, this, juce::ScaledImage(image, 1.0), true);
}

void DraggableButton::mouseUp(const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
    {
        setState(juce::Button::buttonNormal);
        return;
    }
    juce::TextButton::mouseUp(e);
}

bool DraggableButton::isInterestedInDragSource(const SourceDetails& details)
{
    return details.description.toString() == groupId;
}

void DraggableButton::itemDropped(const SourceDetails&)
{
    setState(juce::Button::buttonNormal);
}

void DraggableButton::itemDragEnter(const SourceDetails& details)
{
    // A source that is gone counts as "off".
    int state = 0;
    if (auto* source = details.sourceComponent.get())
        state = source->getProperties().getWithDefault("state", 0).toString().getIntValue();
    setToggleState(state == 1, juce::sendNotification);
    setState(juce::Button::buttonOver);
}

void DraggableButton::itemDragExit(const SourceDetails&)
{
    setState(juce::Button::buttonNormal);
}

bool DraggableButton::shouldDrawDragImageWhenOver()
{
    return true;
}

void MomentaryButton::mouseDown(const juce::MouseEvent&)
{
    if (ZuRealtimeModifiers::rightButtonDown())
    {
        setState(juce::Button::buttonNormal);
        return;
    }
    setToggleState(!getToggleState(), juce::sendNotification);
}

void MomentaryButton::mouseUp(const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown())
    {
        setState(juce::Button::buttonNormal);
        return;
    }
    if (momentary && getToggleState())
        setToggleState(false, juce::sendNotification);
    setState(juce::Button::buttonNormal);
    repaint();
}

void RndButton::clicked(const juce::ModifierKeys& modifiers)
{
    rightClick = modifiers.isRightButtonDown() ? 1 : 0;
    juce::TextButton::clicked(modifiers);
}

void ZuSlider::mouseDown(const juce::MouseEvent& e)
{
    if (ZuRealtimeModifiers::rightButtonDown())
        return;
    juce::Slider::mouseDown(e);
}

void ZuSlider::mouseDrag(const juce::MouseEvent& e)
{
    if (ZuRealtimeModifiers::rightButtonDown())
        return;
    juce::Slider::mouseDrag(e);
}

void FxKnob::mouseDown(const juce::MouseEvent& e)
{
    juce::Slider::mouseDown(e);
}

double FxKnob::snapValue(double value, juce::Slider::DragMode)
{
    if (snapOn && value >= snapLower && value < snapUpper)
        return snapTarget;
    return value;
}

void FxKnob::valueChanged(juce::Value&)
{
    repaint();
}

juce::PopupMenu CcBox::buildMenu()
{
    juce::PopupMenu menu;
    menu.addItem(1, "--");
    for (int controller = 0; controller < 128; ++controller)
        menu.addItem(controller + 2, juce::String(controller));
    return menu;
}

void CcBox::menuChosen(int result)
{
    if (result > 0)
        setValue(result - 1, juce::sendNotificationAsync);
}

void CcBox::mouseDown(const juce::MouseEvent&)
{
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    const auto options =
        juce::PopupMenu::Options().withMinimumNumColumns(8).withTargetComponent(editor).withTargetScreenArea(
            zeroAreaAtMouse());
    // The box may be gone when the menu closes.
    juce::Component::SafePointer<CcBox> self(this);
    buildMenu().showMenuAsync(options,
                              [self](int result)
                              {
                                  if (auto* box = self.getComponent())
                                      box->menuChosen(result);
                              });
}

void CcBox::mouseDrag(const juce::MouseEvent&) {}

juce::String CcBox::valueText(double value)
{
    const int v = zu::toIntSaturating(zu::finiteOr(value, 0.0));
    return v == 0 ? juce::String("--") : juce::String(v - 1);
}

void ZuComboBox::mouseDown(const juce::MouseEvent&) {}

int ZuComboBox::minimumColumns(int numItems) noexcept
{
    if (numItems <= 8)
        return 1;
    return numItems <= 16 ? 2 : 4;
}

void ZuComboBox::prepareItems()
{
    if (getNumItems() == 0)
    {
        addItem("----", 1);
        setItemEnabled(1, false);
        return;
    }
    const int selected = getSelectedId();
    for (juce::PopupMenu::MenuItemIterator it(*getRootMenu(), true); it.next();)
    {
        auto& item = it.getItem();
        if (item.itemID != 0)
            item.isTicked = item.itemID == selected;
    }
}

juce::PopupMenu::Options ZuComboBox::popupOptions(int editorWidth, int editorHeight)
{
    return juce::PopupMenu::Options()
        .withTargetComponent(this)
        .withTargetScreenArea(zeroAreaAtMouse())
        .withItemThatMustBeVisible(getSelectedId())
        .withMinimumWidth(juce::jmax(20, (int) (0.059f * (float) editorWidth)))
        .withMaximumNumColumns(16)
        .withMinimumNumColumns(minimumColumns(getNumItems()))
        .withStandardItemHeight(juce::jmax(12, (int) (0.033f * (float) editorHeight)));
}

void ZuComboBox::showPopup()
{
    prepareItems();
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr)
        return;
    juce::Component::SafePointer<ZuComboBox> self(this);
    getRootMenu()->showMenuAsync(popupOptions(editor->getWidth(), editor->getHeight()),
                                 [self](int result)
                                 {
                                     auto* box = self.getComponent();
                                     if (box == nullptr)
                                         return;
                                     box->hidePopup();
                                     if (result != 0)
                                         box->setSelectedId(result, juce::sendNotificationAsync);
                                 });
}
