// SPDX-License-Identifier: GPL-3.0-or-later
#include "CenterPanelQuickBar.h"

#include "RenameWndw.h"
#include "ZuCallOut.h"
#include "ZuMirabox_CenterContent.h"
#include "ZuMirabox_CenterPanelMain.h"
#include "ZuStyleProps.h"
#include "ZuUnitKindColours.h"
#include "ZuUnits.h"
#include "ZumiraboxAudioProcessorEditor.h"

namespace
{
const juce::Identifier idProperty{"id"};

// Theme entries of the bar: its base colour and its background.
constexpr int baseEntry = 1;
constexpr int backgroundEntry = 2;

enum Timers : int
{
    reorderTimer = 0,
    blinkTimer = 1,
    blinkEndTimer = 2
};

// The kind colour index of a unit id: the settings' unit colour order.
int kindColourOf(int unitId)
{
    return (int) settingsColourIndex(zu::units::kindOf(unitId));
}

// The text a button shows before its unit's label replaces it.
juce::String initialText(int unitId)
{
    const int n = zu::units::indexOf(unitId) + 1;
    switch (zu::units::kindOf(unitId))
    {
    case zu::units::pitch:
        return "Pitch SEQ" + juce::String(n);
    case zu::units::param:
        return "Param SEQ" + juce::String(n);
    case zu::units::cc:
        return "CC SEQ" + juce::String(n);
    case zu::units::octTp:
        return "OCT/TP SEQ";
    case zu::units::ccRack:
        return "CC Rack" + juce::String(n);
    default:
        return {};
    }
}

// The unit number the button's number box shows (0-based), -1 for none.
int unitNumberShown(int unitId)
{
    return zu::units::kindOf(unitId) == zu::units::octTp ? -1 : zu::units::indexOf(unitId);
}

juce::Rectangle<int> zeroAreaAtMouse()
{
    return juce::Rectangle<int>().withPosition(juce::Desktop::getMousePosition());
}

// The unit column of the container that encloses c; none outside one. A
// container that has not published its column yet still holds it inside.
ZuMirabox_CenterContent* enclosingContent(juce::Component& c)
{
    auto* container = c.findParentComponentOfClass<ZuMirabox_CenterPanelMain>();
    return container != nullptr ? container->getCenterContent() : nullptr;
}

int buttonUnitId(const juce::Component& button)
{
    const auto* id = button.getProperties().getVarPointer(idProperty);
    return id == nullptr ? -1 : (int) *id;
}
} // namespace

// Toolbar ----------------------------------------------------------------------

void ZuDraggableToolbar::resized()
{
    updateAllItemPositions(false);
}

void ZuDraggableToolbar::reportOrderSoon()
{
    if (auto* bar = findParentComponentOfClass<CenterPanelQuickBar>())
        bar->startTimer(reorderTimer, CenterPanelQuickBar::reorderDelayMs);
}

void ZuDraggableToolbar::itemDropped(const SourceDetails& details)
{
    juce::Toolbar::itemDropped(details);
    reportOrderSoon();
}

void ZuDraggableToolbar::itemDragExit(const SourceDetails&)
{
    // The toolbar's own handling would take the button off the bar: a unit
    // cannot leave the column by a drag.
    updateAllItemPositions(true);
    reportOrderSoon();
}

void ZuDraggableToolbar::updateButtonText(juce::ValueTree guiTree)
{
    for (int i = 0; i < getNumItems(); ++i)
        if (auto* item = getItemComponent(i))
            item->setButtonText(guiTree.getProperty("unitlabel" + juce::String(getItemId(i)), "----").toString());
}

// Buttons ----------------------------------------------------------------------

CenterPanelQuickBar::CustomToolbarButton::CustomToolbarButton(int unitId, CenterPanelQuickBar& bar)
    : juce::ToolbarItemComponent(unitId, initialText(unitId), true), quickBar(bar),
      kindIndex(juce::jlimit(0, numKindColours - 1, kindColourOf(unitId)))
{
    const auto background = colorTheme->entry(backgroundEntry, 0);
    const auto kind = bar.kindColour(kindIndex);
    setLookAndFeel(&toolbarLookAndFeel.get());
    setTooltip("Quick focus button");
    auto& props = getProperties();
    props.set(idProperty, unitId);
    ZuStyle::setReal(*this, ZuStyle::fontsize, 0.85f);
    ZuStyle::setReal(*this, ZuStyle::corner, 1.4f);
    ZuStyle::setColour(*this, ZuStyle::bgcolor, background);
    props.set(ZuStyle::uniti, unitNumberShown(unitId));
    ZuStyle::setColour(*this, ZuStyle::outlinecolor, kind);
    setColour(juce::TextButton::buttonOnColourId, background);
    setColour(juce::TextButton::buttonColourId, kind);
    setColour(juce::TextButton::textColourOffId, background);
    setColour(juce::TextButton::textColourOnId, kind);
}

CenterPanelQuickBar::CustomToolbarButton::~CustomToolbarButton()
{
    setLookAndFeel(nullptr);
}

bool CenterPanelQuickBar::CustomToolbarButton::getToolbarItemSizes(int, bool isVertical, int& preferred, int& minimum,
                                                                   int& maximum)
{
    if (isVertical)
        return false;
    preferred = 100;
    minimum = 20;
    maximum = 500;
    return true;
}

void CenterPanelQuickBar::CustomToolbarButton::mouseDown(const juce::MouseEvent& e)
{
    if (!e.mods.isRightButtonDown())
    {
        juce::ToolbarItemComponent::mouseDown(e);
        return;
    }
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (editor == nullptr || editor->getWidth() <= 0 || editor->getHeight() <= 0)
        return;

    juce::PopupMenu menu;
    menu.addItem(deleteItemId, "Delete");
    menu.addItem(renameItemId, "Rename");
    menu.showMenuAsync(juce::PopupMenu::Options()
                           .withMinimumWidth(80)
                           .withStandardItemHeight(18)
                           .withMaximumNumColumns(2)
                           .withTargetComponent(this)
                           .withTargetScreenArea(zeroAreaAtMouse()),
                       makeMenuCallback());
    // The press opened the menu; it is no click.
    setState(juce::Button::buttonNormal);
}

std::function<void(int)> CenterPanelQuickBar::CustomToolbarButton::makeMenuCallback()
{
    const int unitId = buttonUnitId(*this);
    juce::Component::SafePointer<CenterPanelQuickBar> bar(&quickBar);
    juce::Component::SafePointer<CustomToolbarButton> button(this);
    return [bar, unitId, button](int result)
    {
        if (auto* b = bar.getComponent())
            b->unitMenuChosen(result, unitId, button);
    };
}

void CenterPanelQuickBar::CustomToolbarButton::handleCommandMessage(int)
{
    setColour(juce::TextButton::buttonColourId, quickBar.kindColour(kindIndex).brighter(0.2f));
    repaint();
}

// Factory ----------------------------------------------------------------------

void CenterPanelQuickBar::DemoToolbarItemFactory::getAllToolbarItemIds(juce::Array<int>& ids)
{
    for (int id = 1; id <= zu::units::numUnits; ++id)
        ids.add(id);
    ids.add(separatorBarId);
    ids.add(spacerId);
    ids.add(flexibleSpacerId);
}

void CenterPanelQuickBar::DemoToolbarItemFactory::getDefaultItemSet(juce::Array<int>& ids)
{
    ids.addArray({1, 2, 3, 4});
}

juce::ToolbarItemComponent* CenterPanelQuickBar::DemoToolbarItemFactory::createItem(int itemId)
{
    if (!zu::units::isUnitId(itemId))
        return nullptr;
    auto* button = new CustomToolbarButton(itemId, quickBar);
    button->addListener(&quickBar);
    return button;
}

// Quick bar --------------------------------------------------------------------

CenterPanelQuickBar::CenterPanelQuickBar(juce::ValueTree gui) : guiTree(gui)
{
    kindColours.fill(juce::Colour(0xffffffff));
    baseColour = colorTheme->entry(backgroundEntry, 0);
    addAndMakeVisible(background);
    background.toBack();
    addAndMakeVisible(outline);

    addAndMakeVisible(toolbar);
    toolbar.setColour(juce::Toolbar::backgroundColourId, colorTheme->entry(backgroundEntry, 0));
    toolbar.setEditingActive(false);
    toolbar.restoreFromString(factory, "TB:");
    toolbar.setVertical(false);
    toolbar.setStyle(juce::Toolbar::textOnly);

    addAndMakeVisible(shadowLayer);
}

CenterPanelQuickBar::~CenterPanelQuickBar()
{
    stopTimer(reorderTimer);
    stopTimer(blinkTimer);
    stopTimer(blinkEndTimer);
    toolbar.clear();
}

void CenterPanelQuickBar::update(std::vector<int>& ids)
{
    juce::String order("TB:");
    juce::StringArray tokens;
    for (const int id : ids)
        tokens.add(juce::String(id));
    order << tokens.joinIntoString(" ");
    toolbar.restoreFromString(factory, order);
    resized();
    toolbar.updateButtonText(guiTree);
}

juce::Colour CenterPanelQuickBar::kindColour(int k) const noexcept
{
    return kindColours[(size_t) juce::jlimit(0, numKindColours - 1, k)];
}

CenterPanelQuickBar::CustomToolbarButton* CenterPanelQuickBar::getButton(int index) const
{
    return dynamic_cast<CustomToolbarButton*>(toolbar.getItemComponent(index));
}

void CenterPanelQuickBar::setSkinMode(int skin)
{
    skinMode = skin;
    baseColour = colorTheme->entry(baseEntry, skinMode);
    if (auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>())
    {
        const auto& colours = editor->processor.unitColors;
        for (size_t k = 0; k < kindColours.size() && k < colours.size(); ++k)
            kindColours[k] = colours[k];
    }
    for (int i = 0; i < toolbar.getNumItems(); ++i)
        if (auto* item = toolbar.getItemComponent(i))
            item->postCommandMessage(1000);
    repaint();
}

void CenterPanelQuickBar::setEditMode(bool on)
{
    toolbar.setEditingActive(on);
    if (on)
    {
        // Switched on again before the end of the last edit settled: that
        // ending must not switch this edit off under a toggle showing on.
        stopTimer(blinkEndTimer);
        startTimer(blinkTimer, blinkPeriodMs);
        return;
    }
    stopTimer(blinkTimer);
    startTimer(blinkEndTimer, blinkEndDelayMs);
}

void CenterPanelQuickBar::unitLabelChanged()
{
    toolbar.updateButtonText(guiTree);
}

void CenterPanelQuickBar::buttonClicked(juce::Button* button)
{
    const int unitId = button == nullptr ? -1 : buttonUnitId(*button);
    if (unitId < 0)
        return;
    if (auto* container = findParentComponentOfClass<ZuMirabox_CenterPanelMain>())
        container->quickAccessButtonClicked(unitId);
}

void CenterPanelQuickBar::unitMenuChosen(int result, int unitId,
                                         juce::Component::SafePointer<CustomToolbarButton> button)
{
    if (result == deleteItemId)
    {
        // Deleting rebuilds this bar, which deletes the clicked button: from
        // here on only the id and this bar are used.
        juce::Component::SafePointer<CenterPanelQuickBar> self(this);
        auto* content = enclosingContent(*this);
        if (content == nullptr)
            return;
        content->deleteItem(unitId);
        if (auto* bar = self.getComponent())
            bar->unitLabelChanged();
        return;
    }
    if (result != renameItemId)
        return;

    auto* clicked = button.getComponent();
    auto* editor = findParentComponentOfClass<ZumiraboxAudioProcessorEditor>();
    if (clicked == nullptr || editor == nullptr)
        return;
    auto window = std::make_unique<RenameWndw>(
        *editor, unitId, clicked->getButtonText(), juce::Colour(0xff303030), juce::Colour(0xffdddddd),
        juce::Colour(0xff2a2a2a), juce::Colour(0xffdddddd), juce::Colour(0xffdddddd), juce::Colour(0xff303030));
    window->setSize((int) (0.18f * (float) editor->getWidth()), (int) (0.1f * (float) editor->getHeight()));
    zu::callout::launch(std::move(window), editor->getLocalArea(clicked, clicked->getLocalBounds()), *editor,
                        juce::Colour(0xff303030), juce::Colour(0xffaaaaaa));
}

void CenterPanelQuickBar::timerCallback(int timerID)
{
    if (timerID == reorderTimer)
    {
        stopTimer(reorderTimer);
        if (auto* content = enclosingContent(*this))
        {
            content->unitOrderChanged(toolbar.toString());
            // Keys go to the unit column again, not to the dragged button.
            if (auto* view = content->findParentComponentOfClass<juce::Viewport>())
                if (view->isShowing())
                    view->grabKeyboardFocus();
        }
        unitLabelChanged();
    }
    else if (timerID == blinkTimer)
    {
        blinkLevel -= blinkCurrentStep;
        if (blinkLevel <= 0.0f || blinkLevel >= 1.0f)
            blinkCurrentStep = -blinkCurrentStep;
        blinkColour = juce::Colour(0xffffffff);
        updateDrawable();
    }
    else if (timerID == blinkEndTimer)
    {
        stopTimer(blinkEndTimer);
        blinkLevel = 1.0f;
        blinkCurrentStep = blinkStep;
        blinkColour = juce::Colour(0xff686868);
        updateDrawable();
    }
}

void CenterPanelQuickBar::resized()
{
    auto inner = getLocalBounds().toFloat().reduced(1.0f);
    inner.setSize(juce::jmax(0.0f, inner.getWidth()), juce::jmax(0.0f, inner.getHeight()));
    backgroundPath.clear();
    backgroundPath.addRoundedRectangle(inner, 2.0f);
    shadowLayer.setBounds(inner.toNearestInt());

    const float width = juce::jmax(0.0f, inner.getWidth() - 2.0f) * 0.06666f * (float) toolbar.getNumItems();
    toolbar.setBounds((int) inner.getX() + 2, (int) inner.getY() + 2, (int) width,
                      (int) juce::jmax(0.0f, inner.getHeight() - 2.0f));
    updateDrawable();
}

void CenterPanelQuickBar::updateDrawable()
{
    background.setFill(colorTheme->entry(backgroundEntry, skinMode));
    background.setPath(backgroundPath);
    juce::Path stroked;
    juce::PathStrokeType(0.9f).createStrokedPath(stroked, backgroundPath);
    outline.setFill(baseColour.brighter(0.3f));
    outline.setPath(stroked);
}
